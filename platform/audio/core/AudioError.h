#pragma once
// The audio layer's failure: every audio operation that cannot be carried out raises it, leaving the
// document as it was.

#include "platform/framework/base/Exceptions.h"

FRAMEWORK_EXCEPTION(EAudioError, Exception);
