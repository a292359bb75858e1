// MDI frames and children: the frame's client window, children made in it, their activation, and the
// frame's queries answered from the client.

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

String ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

class MdiForms : public testing::Test {
 protected:
  void SetUp() override {
    frame = new TForm(nullptr, 0);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(40, 40, 600, 400);
    frame->Show();
    ProcessMessages();
  }
  void TearDown() override {
    frame->Free();
    ProcessMessages();
  }
  TForm* NewChild(const String& caption) {
    auto* child = new TForm(frame, 0);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(caption);
    child->SetBounds(10, 10, 200, 150);
    child->Show();
    ProcessMessages();
    return child;
  }
  TForm* frame = nullptr;
};

}  // namespace

TEST_F(MdiForms, FrameRunsAClientWindowBesideItsAlignedControls) {
  HWND client = frame->ClientHandle();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(_wcsicmp(ClassOf(client).c_str(), L"MDICLIENT"), 0);
  EXPECT_EQ(GetParent(client), frame->Handle());
  EXPECT_EQ(frame->MDIChildCount(), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), nullptr);

  // A top-aligned panel takes its strip; the client gets the rest of the client area.
  auto* bar = new TCustomControl(frame);
  bar->SetBounds(0, 0, 10, 30);
  bar->SetAlign(alTop);
  bar->SetParent(frame);
  ProcessMessages();
  RECT inFrame;
  GetWindowRect(client, &inFrame);
  MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&inFrame), 2);
  EXPECT_EQ(inFrame.top, 30);
  EXPECT_EQ(inFrame.bottom, frame->ClientHeight());
  EXPECT_EQ(inFrame.right - inFrame.left, frame->ClientWidth());
}

TEST_F(MdiForms, ChildrenLiveInTheClientAndTheQueriesFollowActivation) {
  TForm* first = NewChild(L"First");
  TForm* second = NewChild(L"Second");
  EXPECT_EQ(GetParent(first->Handle()), frame->ClientHandle());
  EXPECT_TRUE(GetWindowLongPtrW(first->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->ActiveMDIChild(), second);
  // The children in z-order, the active one first.
  EXPECT_EQ(frame->MDIChildren(0), second);
  EXPECT_EQ(frame->MDIChildren(1), first);
  EXPECT_THROW(frame->MDIChildren(2), EListError);

  SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
  ProcessMessages();
  EXPECT_EQ(frame->ActiveMDIChild(), first);
  EXPECT_EQ(frame->MDIChildren(0), first);

  // A freed child leaves the client and the other one becomes active.
  first->Free();
  ProcessMessages();
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_EQ(frame->ActiveMDIChild(), second);
}

TEST_F(MdiForms, ShowingAChildFocusesItsActiveControl) {
  TForm* child = NewChild(L"Child");
  auto* edit = new TTestEdit(child);
  edit->SetBounds(5, 5, 100, 20);
  edit->SetParent(child);
  child->SetActiveControl(edit);
  TForm* other = NewChild(L"Other");
  (void)other;
  SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
  ProcessMessages();
  EXPECT_EQ(GetFocus(), edit->Handle()) << "child " << child->Handle() << " other " << other->Handle() << " frame "
                                        << frame->Handle() << " client " << frame->ClientHandle();
}

TEST(MdiChildWithoutFrame, IsRefusedWithAClearError) {
  auto* loose = new TForm(nullptr, 0);
  loose->SetFormStyle(fsMDIChild);
  EXPECT_THROW(loose->HandleNeeded(), EInvalidOperation);
  EXPECT_FALSE(loose->HandleAllocated());
  loose->Free();
}

TEST(NonMdiForm, AnswersNoneFromItsQueries) {
  auto* plain = new TForm(nullptr, 0);
  plain->HandleNeeded();
  EXPECT_EQ(plain->ClientHandle(), nullptr);
  EXPECT_EQ(plain->ActiveMDIChild(), nullptr);
  EXPECT_EQ(plain->MDIChildCount(), 0);
  EXPECT_THROW(plain->MDIChildren(0), EListError);
  plain->Free();
}

TEST_F(MdiForms, TheMessageLoopTurnsCtrlF6IntoTheNextChild) {
  TForm* first = NewChild(L"First");
  TForm* second = NewChild(L"Second");
  ASSERT_EQ(frame->ActiveMDIChild(), second);
  BYTE keys[256] = {}, saved[256] = {};
  GetKeyboardState(saved);
  memcpy(keys, saved, sizeof keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  PostMessageW(second->Handle(), WM_KEYDOWN, VK_F6, 0);
  ProcessMessages();
  SetKeyboardState(saved);
  ProcessMessages();
  EXPECT_EQ(frame->ActiveMDIChild(), first);
}
