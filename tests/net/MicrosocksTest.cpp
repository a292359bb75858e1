// Against a real SOCKS 5 peer started by the test fixture (skipped when run without it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/base/Utf8.h"
#include "tests/net/SocketEvents.h"
#include "tests/support/TestSupport.h"

using namespace net_test;
using testing_support::PumpUntil;

namespace {

// "plain" and "auth" ports from the fixture's file; empty when the fixture is not running.
std::map<std::string, std::string> FixturePorts() {
  std::map<std::string, std::string> ports;
  const char* file = std::getenv("MICROSOCKS_PORTS_FILE");
  if (!file) return ports;
  std::istringstream lines(testing_support::ReadFileBytes(Utf8Decode(file)));
  for (std::string line; std::getline(lines, line);) {
    std::size_t equals = line.find('=');
    if (equals != std::string::npos) ports[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return ports;
}

}  // namespace

TEST(Microsocks, ConnectsThroughTheProxyWithAndWithoutAuthentication) {
  const auto ports = FixturePorts();
  if (ports.size() < 2) GTEST_SKIP() << "the microsocks fixture is not running";
  struct Case {
    const char* Proxy;
    TSocksAuthentication Auth;
    const wchar_t* Password;
    std::string Outcome;
  } cases[] = {
      {"plain", socksNoAuthentication, L"", "echo"},
      {"auth", socksAuthenticateUsercode, L"pass", "echo"},
      {"auth", socksAuthenticateUsercode, L"wrong", "socks error 20015"},
  };
  for (const Case& c : cases) {
    TLoopbackServer echo(EchoSession);
    TEventLog log;
    TSocketPtr socket = ClientFor(echo.PortText());
    socket->SetSocksServer(L"127.0.0.1");
    socket->SetSocksPort(Utf8Decode(ports.at(c.Proxy)));
    socket->SocksAuthentication = c.Auth;
    socket->SocksUsercode = L"user";
    socket->SocksPassword = c.Password;
    log.RecordSent = false;
    log.Attach(*socket);
    socket->OnSocksError = [&](TObject*, int error, const String&) { log.Add("socks error " + std::to_string(error)); };
    socket->OnSessionConnected = [&](TObject*, Word error) {
      log.Add("connected " + std::to_string(error));
      if (error == 0) socket->SendText("through the proxy");
    };
    socket->Connect();
    if (c.Outcome == "echo") {
      EXPECT_TRUE(PumpUntil([&] { return log.Data == "through the proxy"; })) << c.Proxy << ": " << log.Text();
      socket->Close();
    } else {
      EXPECT_TRUE(PumpUntil([&] { return log.Has(c.Outcome); })) << log.Text();
      EXPECT_TRUE(PumpUntil([&] { return socket->State() == wsClosed; }));
    }
  }
}
