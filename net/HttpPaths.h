#pragma once
// Text helpers of the HTTP client for URLs, request paths and document names.

#include "platform/framework/base/Types.h"

// The document name of a request path: cut at the first "?"; "document.htm" when that is empty or
// ends with "/"; otherwise the text after the last "/" (at most 255 characters).
String DocNameFromPath(const String& Path);

// Replaces the text after the last "." of DocName by Ext, or appends "." + Ext when it has none.
String ReplaceDocExt(const String& DocName, const String& Ext);

// The extension of DocName in lower case, without its dot; empty when it has none.
String DocExtension(const String& DocName);

// S up to and including the last "/" or ":" before its first "?" (or its end); empty when none.
String PathBase(const String& S);

// A URL's parts as the client keeps them.
struct THttpUrlParts {
  String Proto, User, Pass, Host, Port, Path;
};

// Splits a URL with the suite's parser (SplitUrl); BasePath is the base of "./" and "../" forms.
THttpUrlParts ParseHttpUrl(const String& Url, const String& BasePath = String());
