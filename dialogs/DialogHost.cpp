#include "dialogs/DialogHost.h"

#include "platform/framework/windows/Forms.h"

TComponent* ApplicationMainForm() { return Application ? Application->MainForm() : nullptr; }
