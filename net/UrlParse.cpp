#include "net/UrlParse.h"

#include <algorithm>

namespace {

bool StartsWith(const AnsiString& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool StartsWithNoCase(const AnsiString& text, const char* prefix) {
  for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

AnsiString LowerAscii(AnsiString text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

bool IsSchemeName(const AnsiString& text) {
  for (char c : text)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
  return true;
}

// The path up to and including its last "/", or "/" when it has none.
AnsiString DirectoryOf(const AnsiString& path) {
  const std::size_t slash = path.rfind('/');
  return slash == AnsiString::npos ? AnsiString("/") : path.substr(0, slash + 1);
}

AnsiString ResolveParentForm(const AnsiString& url, const AnsiString& base) {
  AnsiString directory = DirectoryOf(base);
  AnsiString rest = url.substr(3);
  for (;;) {
    directory.pop_back();
    directory = DirectoryOf(directory);
    if (!StartsWith(rest, "../")) break;
    rest.erase(0, 3);
  }
  return directory + rest;
}

// Host, port and credentials of an authority "user:pass@host:port".
void SplitAuthority(const AnsiString& authority, AnsiString& User, AnsiString& Pass, AnsiString& Host,
                    AnsiString& Port) {
  const std::size_t colon = authority.rfind(':');
  const std::size_t at = authority.rfind('@');
  const bool hasColon = colon != AnsiString::npos, hasAt = at != AnsiString::npos;
  if (!hasColon && !hasAt) {
    Host = authority;
    return;
  }
  if (hasColon && (!hasAt || at < colon)) {
    Port = authority.substr(colon + 1);
    const std::size_t hostStart = hasAt ? at + 1 : 0;
    Host = authority.substr(hostStart, colon - hostStart);
    if (!hasAt) return;
  } else {
    Host = authority.substr(at + 1);
  }
  const AnsiString userPart = authority.substr(0, at);
  const std::size_t userColon = userPart.find(':');
  User = userPart.substr(0, userColon);
  if (userColon != AnsiString::npos) Pass = userPart.substr(userColon + 1);
}

}  // namespace

void SplitUrl(const AnsiString& URL, AnsiString& Proto, AnsiString& User, AnsiString& Pass, AnsiString& Host,
              AnsiString& Port, AnsiString& Path) {
  const AnsiString base = Path;
  Proto.clear();
  User.clear();
  Pass.clear();
  Host.clear();
  Port.clear();
  Path.clear();
  if (URL.empty()) return;
  if (StartsWith(URL, "./")) {
    Path = DirectoryOf(base) + URL.substr(2);
    return;
  }
  if (StartsWith(URL, "../")) {
    Path = ResolveParentForm(URL, base);
    return;
  }

  AnsiString rest = URL;
  const std::size_t separator = URL.find("://");
  const bool hasScheme = separator != AnsiString::npos && IsSchemeName(LowerAscii(URL.substr(0, separator)));
  if (hasScheme) {
    Proto = LowerAscii(URL.substr(0, separator));
    rest = URL.substr(separator + 3);
  } else {
    // A "://" inside a path or query names no scheme.
    if (separator != AnsiString::npos) Proto = "http";
    if (URL[0] == '/') {
      Proto = "http";
      if (!StartsWith(URL, "//")) {
        Path = URL;
        return;
      }
      rest = URL.substr(1);
    } else if (StartsWithNoCase(URL, "http:")) {
      Proto = "http";
      if (URL.size() > 6 && URL[6] != '/') {
        Path = URL.substr(5);
        return;
      }
      rest = URL.substr(std::min<std::size_t>(6, URL.size()));
    } else if (StartsWithNoCase(URL, "mailto:")) {
      Proto = "mailto";
      rest = URL.substr(URL.find(':') + 1);
    }
  }

  const std::size_t pathStart = rest.find_first_of("/?");
  if (pathStart != AnsiString::npos) Path = rest.substr(pathStart);
  SplitAuthority(rest.substr(0, pathStart), User, Pass, Host, Port);
}

int FindNth(const AnsiString& Sub, const AnsiString& S, std::int32_t N) {
  if (N == 0) return 0;
  const std::size_t length = Sub.size();
  if (N > 0) {
    std::size_t from = 0;
    for (std::int32_t i = 0; i < N; ++i) {
      const std::size_t found = length == 0 ? AnsiString::npos : S.find(Sub, from);
      if (found == AnsiString::npos) return int(S.size()) + 1;
      from = found + 1;
    }
    return int(from);
  }
  const std::int64_t wanted = -std::int64_t(N);
  if (length == 0 || length > S.size()) return 0;
  std::int64_t count = 0;
  for (std::size_t start = S.size() - length + 1; start >= 1; --start)
    if (S.compare(start - 1, length, Sub) == 0 && ++count == wanted) return int(start);
  return 0;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexDigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : (c & 15) + 9; }
