#pragma once
// Texts of Winsock error codes.

#include "platform/framework/base/Types.h"

// The text of a Winsock error code; "Not a WinSock error" for any other code.
String WinsockErrorText(int code);
// WinsockErrorText(code) + " (#code)".
String WinsockErrorTextWithCode(int code);
