// Application events: each instance hears the application's dispatched messages in creation order
// until one handles them.

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/windows/AppEvnts.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {
constexpr UINT kProbe = WM_APP + 77;
}

class ApplicationEventsTest : public FormFixture {};

TEST_F(ApplicationEventsTest, InstancesHearMessagesInCreationOrderUntilHandled) {
  std::vector<int> heard;
  int handler = -1;  // the instance that handles the probe
  auto* first = new TApplicationEvents(form);
  auto* second = new TApplicationEvents(form);
  auto* third = new TApplicationEvents(form);
  int index = 0;
  for (TApplicationEvents* events : {first, second, third}) {
    const int mine = index++;
    events->OnMessage = [&heard, &handler, mine](MSG& Msg, bool& Handled) {
      if (Msg.message != kProbe) return;
      heard.push_back(mine);
      Handled = mine == handler;
    };
  }
  int reached = 0;
  form->HandleNeeded();
  form->InstallWindowProcHook([&](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == kProbe) ++reached;
    Next(Message);
  });
  PostMessageW(form->Handle(), kProbe, 0, 0);
  ProcessMessages();
  EXPECT_EQ(heard, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(reached, 1) << "nobody handled it: the window gets it";

  heard.clear();
  handler = 1;
  PostMessageW(form->Handle(), kProbe, 0, 0);
  ProcessMessages();
  EXPECT_EQ(heard, (std::vector<int>{0, 1}));
  EXPECT_EQ(reached, 1) << "handled: not dispatched";

  heard.clear();
  second->Free();
  PostMessageW(form->Handle(), kProbe, 0, 0);
  ProcessMessages();
  EXPECT_EQ(heard, (std::vector<int>{0, 2})) << "a freed instance hears nothing";
}
