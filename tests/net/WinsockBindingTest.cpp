// Host, port and protocol resolution, dotted addresses, error texts, and the two Winsock bindings
// loading and unloading independently.

#include <gtest/gtest.h>

#include "net/LineWSocket.h"
#include "net/SocketAddress.h"
#include "net/WinsockErrors.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Utf8.h"

namespace {

std::string Utf8(const String& text) { return Utf8Encode(text); }

template <class Body>
String RaisedMessage(Body body) {
  try {
    body();
  } catch (ESocketException& e) {
    return e.Message();
  }
  return L"(nothing raised)";
}

// Names asked from the name lookup while the recorder is installed.
std::string lookedUp;
hostent* WINAPI RecordingGetHostByName(const char* name) {
  lookedUp = name;
  static char address[4] = {10, 1, 2, 3};
  static char* addresses[] = {address, nullptr};
  static hostent entry{};
  entry.h_addrtype = AF_INET;
  entry.h_length = 4;
  entry.h_addr_list = addresses;
  return &entry;
}

struct TRecordingLookup {
  TRecordingLookup() {
    lookedUp.clear();
    SuiteWinsock().Replacements().gethostbyname = &RecordingGetHostByName;
  }
  ~TRecordingLookup() { SuiteWinsock().Replacements().gethostbyname = nullptr; }
};

}  // namespace

TEST(WinsockBinding, ResolvesPortsByNumberOrServiceName) {
  struct Case {
    const wchar_t* Port;
    Word Expected;
  } cases[] = {{L"80", 80}, {L"8a", 8}, {L"ftp", 21}, {L"65535", 65535}};
  for (const Case& c : cases) EXPECT_EQ(ResolvePort(c.Port, L"tcp"), c.Expected) << Utf8(c.Port);
}

TEST(WinsockBinding, RefusesPortsThatAreEmptyUnknownOrAbove65535) {
  struct Case {
    const wchar_t* Port;
    const wchar_t* Message;
  } cases[] = {
      {L"65616", L"Winsock Resolve Port: Invalid Port."},
      {L"99999999999", L"Winsock Resolve Port: Invalid Port."},
      {L"", L"Winsock Resolve Port: Invalid Port."},
  };
  for (const Case& c : cases) EXPECT_EQ(RaisedMessage([&] { ResolvePort(c.Port, L"tcp"); }), c.Message) << Utf8(c.Port);
  EXPECT_EQ(RaisedMessage([] { ResolvePort(L"80", L""); }), L"Winsock Resolve Port: Invalid Proto.");
  EXPECT_EQ(RaisedMessage([] { ResolvePort(L"no-such-service-here", L"tcp"); })
                .rfind(L"Winsock Resolve Port: Cannot convert port 'no-such-service-here' - ", 0),
            0u);
}

TEST(WinsockBinding, ResolvesProtocols) {
  struct Case {
    const wchar_t* Proto;
    int Expected;
  } cases[] = {{L" UDP ", 17}, {L"6", 6}, {L"tcp", 6}, {L"raw", 255}};
  for (const Case& c : cases) EXPECT_EQ(ResolveProto(c.Proto), c.Expected) << Utf8(c.Proto);
  EXPECT_EQ(RaisedMessage([] { ResolveProto(L""); }), L"Winsock Resolve Proto: Invalid Protocol.");
}

TEST(WinsockBinding, ResolvesDottedHostsDirectlyAndOtherTextsByNameLookup) {
  TRecordingLookup lookup;
  EXPECT_EQ(ResolveHost(L"255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_EQ(ResolveHost(L" 127.0.0.1 "), htonl(INADDR_LOOPBACK));
  EXPECT_EQ(lookedUp, "");
  const Byte expected[4] = {10, 1, 2, 3};
  u_long looked = ResolveHost(L"300.1.1.1");
  EXPECT_EQ(std::memcmp(&looked, expected, 4), 0);
  EXPECT_EQ(lookedUp, "300.1.1.1");
  EXPECT_EQ(RaisedMessage([] { ResolveHost(L""); }), L"Winsock Resolve Host: '' Invalid Hostname.");
}

TEST(WinsockBinding, RecognisesDottedAddresses) {
  struct Case {
    const wchar_t* Text;
    bool Dotted;
  } cases[] = {
      {L"1.2.3.4", true},     {L"  1.2.3.4  ", true},  {L"255.255.255.255", true}, {L"1.2.3", false},
      {L"1.2.3.4.5", false},  {L"1..2.3", false},      {L"256.1.1.1", false},      {L".1.2.3", false},
      {L"1.2.3.4x", false},   {L"1.2.3.", false},      {L"1.2.3.256", false},
      {L"99999999999999999999.1.1.1", false},  // a long digit run is a part above 255, not a wrapped one
      {L"4294967297.1.1.1", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsDottedAddress(c.Text), c.Dotted) << Utf8(c.Text);
}

TEST(WinsockBinding, LeadingNumberStopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(LeadingNumber(L"  42abc"), 42u);
  EXPECT_EQ(LeadingNumber(L"abc"), 0u);
  EXPECT_EQ(LeadingNumber(L"99999999999999"), 0xFFFFFFFFu);
}

TEST(WinsockBinding, ErrorTexts) {
  struct Case {
    int Code;
    const wchar_t* Text;
  } cases[] = {
      {0, L"No Error"},           {10004, L"Interrupted system call"}, {10035, L"Operation would block"},
      {10057, L"Socket is not connected"}, {10061, L"Connection refused"}, {10093, L"WinSock not initialized"},
      {11001, L"Host not found"}, {11004, L"No Data"},                  {12345, L"Not a WinSock error"},
  };
  for (const Case& c : cases) EXPECT_EQ(WinsockErrorText(c.Code), c.Text) << c.Code;
  EXPECT_EQ(WinsockErrorTextWithCode(10061), L"Connection refused (#10061)");
}

TEST(WinsockBinding, TheLastSocketOfEachBindingUnloadsOnlyThatBinding) {
  // Start from both bindings unloaded.
  ObjectPtr<TWSocket>(NewObject<TWSocket>(nullptr));
  ObjectPtr<TCddbWSocket>(NewObject<TCddbWSocket>(nullptr));
  ASSERT_FALSE(SuiteWinsock().Loaded());
  ASSERT_FALSE(CddbWinsock().Loaded());

  ObjectPtr<TWSocket> suite(NewObject<TWSocket>(nullptr));
  ObjectPtr<TCddbWSocket> cddb(NewObject<TCddbWSocket>(nullptr));
  suite->DnsLookup(L"127.0.0.1");
  EXPECT_TRUE(SuiteWinsock().Loaded());
  EXPECT_FALSE(CddbWinsock().Loaded());
  cddb->DnsLookup(L"127.0.0.1");
  EXPECT_TRUE(CddbWinsock().Loaded());
  EXPECT_EQ(SuiteWinsock().LiveSocketCount(), 1);
  EXPECT_EQ(CddbWinsock().LiveSocketCount(), 1);

  suite.reset();
  EXPECT_FALSE(SuiteWinsock().Loaded());
  EXPECT_TRUE(CddbWinsock().Loaded());
  cddb.reset();
  EXPECT_FALSE(CddbWinsock().Loaded());

  ObjectPtr<TWSocket> again(NewObject<TWSocket>(nullptr));
  again->DnsLookup(L"10.0.0.1");
  EXPECT_TRUE(SuiteWinsock().Loaded());
  EXPECT_EQ(again->LookupResult, L"10.0.0.1");
}

TEST(WinsockBinding, VersionCannotChangeWhileLoaded) {
  ObjectPtr<TWSocket> socket(NewObject<TWSocket>(nullptr));
  socket->DnsLookup(L"127.0.0.1");
  socket->SetReqVerHigh(1);  // same value: nothing to refuse
  EXPECT_NE(RaisedMessage([&] { socket->SetReqVerLow(2); }).find(L"SetReqVerLow: WinSock version can't be changed now"),
            String::npos);
  EXPECT_EQ(socket->ReqVerLow(), 1);
}

TEST(WinsockBinding, MachineHostNameIsTheSystemsHostName) {
  char expected[256] = {};
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  ASSERT_EQ(gethostname(expected, sizeof(expected)), 0);
  WSACleanup();
  EXPECT_EQ(Utf8(MachineHostName()), expected);
}
