// Message dispatch: handler tables with inherited calls, WindowProc hooks, reflection to children,
// controls freed inside their own handlers, and the hidden utility windows.

#include <gtest/gtest.h>

#include "platform/framework/windows/AllocateHWnd.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

constexpr UINT kProbe = WM_APP + 7;

class TBaseProbe : public TCustomControl {
  DECLARE_CLASS(TBaseProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  std::vector<String> Trace;
  std::vector<UINT> Reflected;

  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg == kProbe) {
      Trace.push_back(L"default");
      Message.Result += 100;
      return;
    }
    TCustomControl::DefaultHandler(Message);
  }

 protected:
  void Probe(TMessage& Message) {
    Trace.push_back(L"base");
    Message.Result += 10;
    Inherited::Dispatch(Message);
  }
  void Reflection(TMessage& Message) {
    Reflected.push_back(Message.Msg);
    Message.Result = 1;
  }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(kProbe, Probe)
  MESSAGE_HANDLER(CN_COMMAND, Reflection)
  MESSAGE_HANDLER(CN_NOTIFY, Reflection)
  MESSAGE_HANDLER(CN_HSCROLL, Reflection)
  MESSAGE_HANDLER(CN_CTLCOLOREDIT, Reflection)
  MESSAGE_MAP_END
};
DEFINE_CLASS(TBaseProbe)

class TDerivedProbe : public TBaseProbe {
  DECLARE_CLASS(TDerivedProbe, TBaseProbe)
 public:
  using TBaseProbe::TBaseProbe;

 protected:
  void Probe(TMessage& Message) {
    Trace.push_back(L"derived");
    Message.Result += 1;
    Inherited::Dispatch(Message);
  }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(kProbe, Probe)
  MESSAGE_MAP_END
};
DEFINE_CLASS(TDerivedProbe)

struct NamedHook {
  String Name;
  std::vector<String>* Trace;
  void Proc(TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == kProbe) Trace->push_back(Name);
    Next(Message);
  }
  TWindowProcHook Hook() { return {this, &NamedHook::Proc}; }
};

class Dispatch : public FormFixture {};

}  // namespace

TEST_F(Dispatch, DerivedHandlerPassesToInheritedHandlerThenDefault) {
  auto* probe = Place<TDerivedProbe>(0, 0, 50, 50);
  const LRESULT result = SendMessageW(probe->Handle(), kProbe, 0, 0);
  EXPECT_EQ(result, 111);
  EXPECT_EQ(probe->Trace, (std::vector<String>{L"derived", L"base", L"default"}));
}

TEST_F(Dispatch, HooksRemovedOutOfOrderKeepTheChainWhole) {
  auto* probe = Place<TDerivedProbe>(0, 0, 50, 50);
  std::vector<String> trace;
  NamedHook first{L"first", &trace}, second{L"second", &trace}, third{L"third", &trace};
  probe->InstallWindowProcHook(first.Hook());
  probe->InstallWindowProcHook(second.Hook());
  probe->InstallWindowProcHook(third.Hook());

  probe->RemoveWindowProcHook(second.Hook());
  SendMessageW(probe->Handle(), kProbe, 0, 0);
  EXPECT_EQ(trace, (std::vector<String>{L"third", L"first"}));
  EXPECT_EQ(probe->Trace, (std::vector<String>{L"derived", L"base", L"default"}));

  trace.clear();
  probe->Trace.clear();
  probe->RemoveWindowProcHook(third.Hook());
  probe->RemoveWindowProcHook(first.Hook());
  EXPECT_EQ(SendMessageW(probe->Handle(), kProbe, 0, 0), 111);
  EXPECT_TRUE(trace.empty());
}

TEST_F(Dispatch, NotificationsAreReflectedToTheChildThatSentThem) {
  auto* child = Place<TBaseProbe>(0, 0, 50, 50);
  HWND childWindow = child->Handle();
  NMHDR header{childWindow, 1, 0};
  struct Case {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    UINT Reflected;
  } cases[] = {
      {WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(childWindow), CN_COMMAND},
      {WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header), CN_NOTIFY},
      {WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(childWindow), CN_HSCROLL},
      {WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(childWindow), CN_CTLCOLOREDIT},
  };
  for (const Case& c : cases) {
    child->Reflected.clear();
    SendMessageW(form->Handle(), c.Msg, c.WParam, c.LParam);
    EXPECT_EQ(child->Reflected, std::vector<UINT>{c.Reflected}) << std::hex << c.Msg;
  }
}

TEST_F(Dispatch, ControlFreedInItsOwnHandlerIsNotTouchedAgain) {
  ShowForm();
  auto* probe = Place<TProbeControl>(10, 10, 40, 40);
  bool clicked = false;
  probe->OnClick = [&](TObject*) {
    clicked = true;
    probe->Free();
  };
  bool mouseUpAfterFree = false;
  probe->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { mouseUpAfterFree = true; };
  Click(form->Handle(), 20, 20);
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(mouseUpAfterFree);
  EXPECT_EQ(form->ControlCount(), 0);

  auto* window = Place<TDerivedProbe>(0, 0, 50, 50);
  HWND handle = window->Handle();
  window->InstallWindowProcHook([window](TMessage& Message, TWindowProcChain& Next) {
    if (Message.Msg == kProbe) {
      window->Free();
      return;
    }
    Next(Message);
  });
  SendMessageW(handle, kProbe, 0, 0);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(UtilityWindow, IsTopLevelAndReceivesBroadcasts) {
  std::vector<UINT> seen;
  HWND window = AllocateHWnd([&](TMessage& Message) {
    seen.push_back(Message.Msg);
    Message.Result = DefWindowProcW(nullptr, 0, 0, 0);
  });
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"TestArea"),
                      SMTO_ABORTIFHUNG, 2000, &ignored);
  DeallocateHWnd(window);
  EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_SETTINGCHANGE)), seen.end());
  EXPECT_FALSE(IsWindow(window));
}
