#include "net/SocketAddress.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "net/WinsockErrors.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// part * 10 + digit, held at UINT_MAX instead of wrapping.
unsigned AppendDigit(unsigned part, wchar_t digit) {
  unsigned value = static_cast<unsigned>(digit - L'0');
  if (part > (UINT_MAX - value) / 10) return UINT_MAX;
  return part * 10 + value;
}

}  // namespace

AnsiString HostText(const String& text) { return StringToAnsi(text); }

unsigned LeadingNumber(const String& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  unsigned number = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) number = AppendDigit(number, text[i]);
  return number;
}

bool IsDottedAddress(const String& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == L' ') ++i;
  if (i < n && text[i] == L'.') return false;
  unsigned part = 0;
  int dots = 0;
  for (; i < n; ++i) {
    wchar_t c = text[i];
    if (IsDigit(c)) {
      part = AppendDigit(part, c);
    } else if (c == L'.') {
      ++dots;
      if (dots > 3 || part > 255 || i + 1 >= n || !IsDigit(text[i + 1])) return false;
      part = 0;
    } else {
      for (; i < n; ++i)
        if (text[i] != L' ') return false;
      break;
    }
  }
  return dots == 3 && part <= 255;
}

u_long ResolveHost(const String& text, TWinsockBinding& winsock) {
  if (text.empty()) throw ESocketException(L"Winsock Resolve Host: '" + text + L"' Invalid Hostname.");
  AnsiString host = HostText(text);
  if (IsDottedAddress(text)) {
    // Blanks around the address are allowed here; not every inet_addr skips them.
    u_long address = winsock.inet_addr(HostText(Trim(text)).c_str());
    if (address == INADDR_NONE && Trim(text) != L"255.255.255.255")
      throw ESocketException(L"Winsock Resolve Host: '" + text + L"' Invalid IP address.");
    return address;
  }
  const hostent* entry = winsock.gethostbyname(host.c_str());
  if (!entry || !entry->h_addr_list || !entry->h_addr_list[0])
    throw ESocketException(L"Winsock Resolve Host: Cannot convert host address '" + text + L"' - " +
                           WinsockErrorTextWithCode(winsock.WSAGetLastError()));
  u_long address;
  std::memcpy(&address, entry->h_addr_list[0], sizeof(address));
  return address;
}

Word ResolvePort(const String& port, const String& proto, TWinsockBinding& winsock) {
  if (port.empty()) throw ESocketException(L"Winsock Resolve Port: Invalid Port.");
  if (proto.empty()) throw ESocketException(L"Winsock Resolve Port: Invalid Proto.");
  if (IsDigit(port[0])) {
    unsigned number = LeadingNumber(port);
    if (number > 65535) throw ESocketException(L"Winsock Resolve Port: Invalid Port.");
    return static_cast<Word>(number);
  }
  const servent* service = winsock.getservbyname(HostText(port).c_str(), HostText(proto).c_str());
  if (!service)
    throw ESocketException(L"Winsock Resolve Port: Cannot convert port '" + port + L"' - " +
                           WinsockErrorTextWithCode(winsock.WSAGetLastError()));
  return winsock.ntohs(static_cast<u_short>(service->s_port));
}

int ResolveProto(const String& proto, TWinsockBinding& winsock) {
  if (proto.empty()) throw ESocketException(L"Winsock Resolve Proto: Invalid Protocol.");
  if (IsDigit(proto[0])) return static_cast<int>(std::min<unsigned>(LeadingNumber(proto), INT_MAX));
  String name = LowerCase(Trim(proto));
  if (name == L"tcp") return IPPROTO_TCP;
  if (name == L"udp") return IPPROTO_UDP;
  if (name == L"raw") return IPPROTO_RAW;
  const protoent* entry = winsock.getprotobyname(HostText(proto).c_str());
  if (!entry)
    throw ESocketException(L"Winsock Resolve Proto: Cannot convert protocol '" + proto + L"' - " +
                           WinsockErrorTextWithCode(winsock.WSAGetLastError()));
  return entry->p_proto;
}

String MachineHostName() {
  char name[256] = {};
  if (SuiteWinsock().gethostname(name, sizeof(name)) != 0)
    throw ESocketException(L"Winsock Get Host Name failed");
  name[sizeof(name) - 1] = 0;
  return AnsiToString(name);
}

void HostEntryAddressesToList(const hostent& entry, TStrings& list, TWinsockBinding& winsock) {
  if (!entry.h_addr_list) return;
  for (char** address = entry.h_addr_list; *address; ++address) {
    in_addr value;
    std::memcpy(&value, *address, sizeof(value));
    list.Add(AnsiToString(winsock.inet_ntoa(value)));
  }
}

void HostEntryNamesToList(const hostent& entry, TStrings& list) {
  list.Add(AnsiToString(entry.h_name ? entry.h_name : ""));
  if (!entry.h_aliases) return;
  for (char** alias = entry.h_aliases; *alias; ++alias)
    if (**alias) list.Add(AnsiToString(*alias));
}
