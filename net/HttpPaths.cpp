#include "net/HttpPaths.h"

#include "net/UrlParse.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

namespace {

constexpr std::size_t kMaxDocName = 255;

String CutAtQuery(const String& text) {
  const std::size_t query = text.find(L'?');
  return query == String::npos ? text : text.substr(0, query);
}

}  // namespace

String DocNameFromPath(const String& Path) {
  const String path = CutAtQuery(Path);
  if (path.empty() || path.back() == L'/') return L"document.htm";
  const std::size_t slash = path.rfind(L'/');
  const String name = slash == String::npos ? path : path.substr(slash + 1);
  return CutAtQuery(name.substr(0, kMaxDocName));
}

String ReplaceDocExt(const String& DocName, const String& Ext) {
  const std::size_t dot = DocName.rfind(L'.');
  if (dot == String::npos) return DocName + L"." + Ext;
  return DocName.substr(0, dot + 1) + Ext;
}

String DocExtension(const String& DocName) {
  const std::size_t dot = DocName.rfind(L'.');
  return dot == String::npos ? String() : LowerCase(DocName.substr(dot + 1));
}

String PathBase(const String& S) {
  const std::size_t end = S.find(L'?');
  const String scanned = end == String::npos ? S : S.substr(0, end);
  const std::size_t last = scanned.find_last_of(L"/:");
  return last == String::npos ? String() : S.substr(0, last + 1);
}

THttpUrlParts ParseHttpUrl(const String& Url, const String& BasePath) {
  AnsiString proto, user, pass, host, port, path = StringToAnsi(BasePath);
  SplitUrl(StringToAnsi(Url), proto, user, pass, host, port, path);
  return {AnsiToString(proto), AnsiToString(user), AnsiToString(pass),
          AnsiToString(host),  AnsiToString(port), AnsiToString(path)};
}
