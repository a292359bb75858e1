// The support classes: the bar canvas's state stack, the component lists, groups, popup-menu links
// on a control's context menu (in any unhooking order) and the system controller of a library.

#include <thread>

#include <gtest/gtest.h>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Thread.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "tests/support/TestSupport.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"

using namespace bar_testing;
using testing_support::MessageOf;

namespace {

// ---- canvas -------------------------------------------------------------------------------------

struct MemoryDC {
  MemoryDC() : dc(CreateCompatibleDC(nullptr)), bitmap(CreateCompatibleBitmap(GetDC(nullptr), 64, 64)) {
    old = SelectObject(dc, bitmap);
  }
  ~MemoryDC() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

RECT ClipOf(HDC DC) {
  RECT r{};
  GetClipBox(DC, &r);
  return r;
}

TEST(BarCanvas, NestedPushesComeBackInReverseOrder) {
  MemoryDC first, second, third;
  HFONT font = CreateFontW(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  SelectObject(second.dc, font);
  IntersectClipRect(second.dc, 1, 1, 20, 20);
  TCanvas other;
  other.SetHandle(third.dc);

  TdxBarCanvas canvas;
  EXPECT_FALSE(canvas.HasHandle());
  canvas.PopState();  // empty: nothing
  canvas.PushDC(first.dc);
  EXPECT_EQ(canvas.DCHandle(), first.dc);
  canvas.PushDC(second.dc);
  EXPECT_EQ(canvas.DCHandle(), second.dc);
  EXPECT_TRUE(canvas.CurrentFont()->Style().Contains(fsBold));  // it took the DC's objects
  canvas.ClipToRect(TRect(5, 5, 10, 10));
  canvas.CurrentFont()->SetHeight(-30);
  canvas.Canvas()->TextOut(0, 0, L"x");  // selects the canvas's own font into the DC
  canvas.PushCanvas(&other);
  EXPECT_EQ(canvas.Canvas(), &other);
  canvas.ClipToRect(TRect(2, 2, 4, 4));
  EXPECT_EQ(ClipOf(third.dc).right, 4);

  canvas.PopState();
  EXPECT_EQ(ClipOf(third.dc).right, 64);
  EXPECT_EQ(canvas.DCHandle(), second.dc);
  canvas.PopState();
  EXPECT_EQ(canvas.DCHandle(), first.dc);
  EXPECT_EQ(GetCurrentObject(second.dc, OBJ_FONT), font);
  EXPECT_EQ(ClipOf(second.dc).right, 20);
  canvas.PopState();
  EXPECT_FALSE(canvas.HasHandle());
  EXPECT_EQ(canvas.StateCount(), 0);
  other.SetHandle(nullptr);
  SelectObject(second.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}

// ---- component lists ----------------------------------------------------------------------------

using SupportTest = BarFixture;

TEST_F(SupportTest, BarComponentListsAcceptTheirClassAndReportChanges) {
  TdxBarComponentList list;
  std::vector<int> changes;
  list.OnChanged = [&](TdxComponentList*, TComponent*, TdxComponentListChange Change) { changes.push_back(Change); };
  auto* plain = new TComponent(form);
  TdxBarButton* button = NewItem(L"Open");
  list.Add(plain);
  EXPECT_EQ(list.Count(), 0);
  list.Add(button);
  EXPECT_EQ(button->ListCount(), 2);  // the manager's items and this list
  button->Changed();
  list.BeginUpdate();
  list.Extract(button);
  list.EndUpdate(true);
  EXPECT_EQ(button->ListCount(), 1);
  list.Add(button);
  button->Free();  // leaves the list through its free notification
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(changes, (std::vector<int>{clcAdded, clcChanged, clcChanged, clcAdded, clcExtracted}));
}

// ---- groups -------------------------------------------------------------------------------------

TEST_F(SupportTest, GroupsRefuseRecursionAndSwitchTheirMembersInOneUpdate) {
  TdxBarGroup* outer = manager->CreateGroup();
  TdxBarGroup* inner = manager->CreateGroup();
  auto* a = NewItem<TRecordingItem>(L"A");
  auto* b = NewItem<TRecordingItem>(L"B");
  outer->AddMember(a);
  outer->AddMember(inner);
  inner->AddMember(b);
  outer->AddMember(a);  // already a member
  EXPECT_EQ(outer->ItemCountOf(), 2);
  EXPECT_EQ(MessageOf<EdxBarException>([&] { inner->AddMember(outer); }), L"You cannot create recursive groups");
  EXPECT_THROW(outer->AddMember(outer), EdxBarException);

  outer->SetVisible(ivNever);
  EXPECT_EQ(a->Visible(), ivNever);
  EXPECT_EQ(b->Visible(), ivNever);
  EXPECT_EQ(inner->Visible(), ivNever);
  // Every member switches inside the outer group's bars update (the nested group's nests in it).
  EXPECT_EQ(a->VisibleLocks, std::vector<int>{1});
  EXPECT_EQ(b->VisibleLocks, std::vector<int>{2});
  EXPECT_EQ(manager->BarsUpdateLockCount(), 0);
  outer->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_FALSE(b->Enabled());

  EXPECT_EQ(inner->IndexInManager(), 1);
  inner->SetIndexInManager(0);
  EXPECT_EQ(manager->GroupAt(0), inner);
  a->Free();
  EXPECT_EQ(outer->ItemCountOf(), 1);
}

TEST_F(SupportTest, StreamedGroupMembersAreFoundWhenLoadingEnds) {
  TdxBarGroup* group = nullptr;
  {
    TLoadingBracket loading(*form);
    group = loading.Add(new TdxBarGroup(form));
    group->SetName(L"Transport");
    group->SetParentComponent(manager);
    loading.WriteData(group, [](TWriter& w) {
      w.WritePropName(L"Items");
      w.WriteListBegin();
      w.WriteString(L"Play");
      w.WriteString(L"Stop");
      w.WriteString(L"Missing");
      w.WriteListEnd();
    });
    loading.Add(NewItem(L"Play"));
    loading.Add(NewItem(L"Stop"));
    loading.End();
  }
  ASSERT_EQ(group->ItemCountOf(), 2);
  EXPECT_EQ(group->ItemNameAt(0), L"Play");
  EXPECT_EQ(group->ItemNameAt(1), L"Stop");
  EXPECT_EQ(group->GetParentComponent(), manager);

  TdxBarGroup* copy = manager->CreateGroup();
  copy->AddMember(manager->ItemByName(L"Play"));
  EXPECT_FALSE(copy->SameItemsAs(group));
  copy->AddMember(manager->ItemByName(L"Stop"));
  EXPECT_TRUE(copy->SameItemsAs(group));
}

// ---- popup-menu links ---------------------------------------------------------------------------

class PopupMenuLinkTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form->SetBounds(100, 100, 400, 300);
    panel = new TPanel(form);
    panel->SetName(L"Panel");
    panel->SetBounds(10, 10, 200, 100);
    panel->SetParent(form);
    child = new TPanel(form);
    child->SetName(L"Child");
    child->SetBounds(20, 20, 50, 30);
    child->SetParent(panel);
    panel->HandleNeeded();
    child->HandleNeeded();
    panel->OnContextPopup = [this](TObject*, TPoint, bool&) { log.push_back(L"own"); };
  }

  TdxBarPopupMenuLink* LinkOn(TControl* Control, const wchar_t* Name, bool Allow = true) {
    TdxBarPopupMenuLink* link = manager->PopupMenuLinks()->Add();
    link->SetControl(Control);
    link->OnAction = [this, Name, Allow](TdxBarPopupMenuLink*, int& X, int& Y, bool ByMouse, bool& AllowPopup) {
      log.push_back(String(Name) + L" " + std::to_wstring(X) + L"," + std::to_wstring(Y) + (ByMouse ? L" mouse" : L" key"));
      AllowPopup = Allow;
    };
    return link;
  }

  // A context-menu request at a point of the panel's client area, or from the keyboard.
  LRESULT ContextMenu(int X, int Y) {
    TPoint p = X == -1 ? TPoint(-1, -1) : panel->ClientToScreen(TPoint(X, Y));
    return panel->Perform(WM_CONTEXTMENU, WPARAM(panel->Handle()), MAKELPARAM(p.x, p.y));
  }

  TPanel* panel = nullptr;
  TPanel* child = nullptr;
  std::vector<String> log;
};

TEST_F(PopupMenuLinkTest, KeyboardRequestsAreNotByMouseAndChildrenFollowProcessChildren) {
  TdxBarPopupMenuLink* link = LinkOn(panel, L"panel");
  EXPECT_EQ(ContextMenu(-1, -1), 1);
  ContextMenu(150, 50);  // over no child
  ContextMenu(30, 30);   // over the child
  link->ProcessChildren = false;
  ContextMenu(30, 30);
  EXPECT_EQ(log, (std::vector<String>{L"own", L"panel -1,-1 key", L"own", L"panel 150,50 mouse", L"own",
                                      L"panel 30,30 mouse", L"own"}));
  EXPECT_EQ(panel->OnContextPopup == nullptr, false);

  // A shortcut asks the links on the control and those with ProcessChildren around it.
  log.clear();
  link->ProcessChildren = true;
  EXPECT_FALSE(manager->PopupMenuLinks()->IsShortCut(child, ShortCut('P', {ssCtrl})));
  EXPECT_EQ(log, std::vector<String>{L"panel -1,-1 key"});
}

TEST_F(PopupMenuLinkTest, LinksLeaveTheControlsChainWholeInAnyOrder) {
  for (bool firstInstalledFirst : {true, false}) {
    log.clear();
    TdxBarPopupMenuLink* a = LinkOn(panel, L"a", false);
    TdxBarPopupMenuLink* b = LinkOn(panel, L"b", false);
    ContextMenu(-1, -1);
    // The latest link's handler runs outermost: the earlier one (and the control's own) first.
    EXPECT_EQ(log, (std::vector<String>{L"own", L"b -1,-1 key", L"a -1,-1 key"}));
    TdxBarPopupMenuLink* gone = firstInstalledFirst ? a : b;
    TdxBarPopupMenuLink* stays = firstInstalledFirst ? b : a;
    gone->Free();
    log.clear();
    ContextMenu(-1, -1);
    EXPECT_EQ(log, (std::vector<String>{L"own", String(firstInstalledFirst ? L"b" : L"a") + L" -1,-1 key"}))
        << firstInstalledFirst;
    stays->Free();
    log.clear();
    ContextMenu(-1, -1);
    EXPECT_EQ(log, std::vector<String>{L"own"});
  }
}

TEST_F(PopupMenuLinkTest, TheContextHandlerComesBackAlsoWhenTheActionRaises) {
  TdxBarPopupMenuLink* link = LinkOn(panel, L"panel");
  const TContextPopupEvent own = panel->OnContextPopup;
  int nested = 0;
  link->OnAction = [&](TdxBarPopupMenuLink*, int&, int&, bool, bool&) {
    if (++nested == 1) ContextMenu(-1, -1);  // a nested request is dropped
    throw EInvalidOperation(L"popup failed");
  };
  EXPECT_THROW(ContextMenu(-1, -1), EInvalidOperation);
  EXPECT_EQ(nested, 1);
  EXPECT_TRUE(panel->OnContextPopup == own);
}

TEST_F(PopupMenuLinkTest, ControlsOutsideTheOwnerAndFreedControlsBecomeNull) {
  auto* otherForm = new TForm(nullptr, 0);
  auto* outside = new TPanel(otherForm);
  TdxBarPopupMenuLink* link = LinkOn(outside, L"outside");
  EXPECT_EQ(link->Control(), nullptr);
  otherForm->Free();

  link->SetControl(child);
  TdxBarPopupMenuLink* copy = manager->PopupMenuLinks()->Add();
  link->ProcessChildren = false;
  copy->Assign(link);
  EXPECT_EQ(copy->Control(), child);
  EXPECT_FALSE(copy->ProcessChildren);
  child->Free();
  EXPECT_EQ(link->Control(), nullptr);
  EXPECT_EQ(copy->Control(), nullptr);
}

// ---- the system controller ----------------------------------------------------------------------

class TCountingController : public TdxBarSystemController {
 public:
  using TdxBarSystemController::TdxBarSystemController;
  int Wakes = 0;

 protected:
  void ProcessWindowMessage(TMessage& Message) override {
    if (Message.Msg == DXM_BAR_SYNCHRONIZE) ++Wakes;
    TdxBarSystemController::ProcessWindowMessage(Message);
  }
};

TWakeMainThread CurrentWakeHook() {
  TWakeMainThread hook = SetWakeMainThread(nullptr);
  SetWakeMainThread(hook);
  return hook;
}

TEST(BarSystemController, InALibraryItRunsTheSynchronizeQueueAndGivesTheHookBack) {
  EXPECT_FALSE(ModuleIsLibrary());
  const TWakeMainThread programHook = CurrentWakeHook();
  {
    TCountingController plain(false);
    EXPECT_EQ(CurrentWakeHook(), programHook);
  }
  bool ran = false;
  {
    TCountingController controller(true);
    EXPECT_NE(CurrentWakeHook(), programHook);
    std::thread worker([&] { TThread::Synchronize(nullptr, [&] { ran = true; }); });
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ran; }));
    worker.join();
    EXPECT_GE(controller.Wakes, 1);
  }
  EXPECT_EQ(CurrentWakeHook(), programHook);
}

}  // namespace
