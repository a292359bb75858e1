// The wrapper header is compiled once here so a broken include order fails in this library first.
#include "platform/framework/base/Win32.h"
