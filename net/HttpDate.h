#pragma once
// The date text of HTTP headers.

#include "platform/framework/base/Types.h"

// "Mon, 01 Mar 2004 10:05:09": English day and month abbreviations whatever the locale. The value
// is formatted as given; callers pass universal time and append " GMT".
String FormatHttpDate(TDateTime Value);
