// The ribbon control: construction checks, tabs and their groups, fonts, the update lock, the colour
// scheme and the layout store.

#include <gtest/gtest.h>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/ribbon/Ribbon.h"

namespace {

// Counts its relayouts.
class TCountingRibbon : public TdxRibbon {
 public:
  explicit TCountingRibbon(TComponent* AOwner) : TdxRibbon(AOwner) {}
  int Calculations = 0;

 protected:
  void Calculate() override {
    ++Calculations;
    TdxRibbon::Calculate();
  }
};

BOOL CALLBACK CountWindow(HWND, LPARAM Count) {
  ++*reinterpret_cast<int*>(Count);
  return TRUE;
}

int ThreadWindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class RibbonTest : public ribbon_testing::RibbonFixture {
 protected:
  void SetUp() override {
    RibbonFixture::SetUp();
    form = new TForm(nullptr, 0);
    form->SetName(L"MainForm");
    form->SetBounds(0, 0, 800, 500);
    manager = new TdxBarManager(form);
    manager->SetName(L"BarManager");
    ribbon = new TCountingRibbon(form);
    ribbon->SetName(L"Ribbon");
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
  }
  void TearDown() override {
    ribbon->OnTabChanging = nullptr;
    ribbon->OnTabChanged = nullptr;
    FreeAndNil(form);
    ForceGdiPlusUnavailable(false);
    RibbonFixture::TearDown();
  }
  TdxRibbonTab* AddTab(const String& Caption) {
    TdxRibbonTab* tab = ribbon->Tabs()->Add();
    tab->SetCaption(Caption);
    return tab;
  }
  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(Caption);
    return bar;
  }
  TdxRibbonTabGroup* AddGroup(TdxRibbonTab* Tab, TdxBar* Bar) {
    TdxRibbonTabGroup* group = Tab->Groups()->Add();
    group->SetToolBar(Bar);
    return group;
  }

  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TCountingRibbon* ribbon = nullptr;
};

TEST_F(RibbonTest, RefusedRibbonsMakeAndLeaveNothingBehind) {
  auto* notAForm = new TComponent(form);
  struct Case {
    const wchar_t* name;
    TComponent* owner;
    bool gdiPlus;
    const wchar_t* message;
  } cases[] = {
      {L"no GDI+", form, false, L"TdxRibbon requires the GDI+ library to be installed"},
      {L"owner not a form", notAForm, true, L"TdxRibbon should have TCustomForm as its Owner"},
      {L"second ribbon", form, true, L"There should be only one TdxRibbon instance on the form"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ForceGdiPlusUnavailable(!c.gdiPlus);
    const int components = form->ComponentCount();
    const int ownedByOwner = c.owner->ComponentCount();
    const int windows = ThreadWindowCount();
    String message;
    try {
      new TdxRibbon(c.owner);
    } catch (const Exception& e) {
      message = e.Message();
    }
    ForceGdiPlusUnavailable(false);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(form->ComponentCount(), components);
    EXPECT_EQ(c.owner->ComponentCount(), ownedByOwner);
    EXPECT_EQ(ThreadWindowCount(), windows);
  }
}

TEST_F(RibbonTest, TheFirstTabBecomesActiveAndHidingTheActiveTabActivatesTheNearestVisibleOne) {
  TdxRibbonTab* tabs[5];
  for (int i = 0; i < 5; ++i) tabs[i] = AddTab(L"Tab" + std::to_wstring(i));
  EXPECT_EQ(ribbon->ActiveTab(), tabs[0]);
  tabs[2]->SetActive(true);
  tabs[2]->SetVisible(false);
  EXPECT_EQ(ribbon->ActiveTab(), tabs[3]) << "the next visible tab to the right";
  tabs[4]->SetVisible(false);
  tabs[3]->SetVisible(false);
  EXPECT_EQ(ribbon->ActiveTab(), tabs[1]) << "else the nearest to the left";
  EXPECT_EQ(tabs[1]->VisibleIndex(), 1);
  EXPECT_EQ(tabs[3]->VisibleIndex(), -1);
  tabs[1]->Free();
  EXPECT_EQ(ribbon->ActiveTab(), tabs[0]) << "a freed active tab hands over too";
  tabs[0]->SetVisible(false);
  EXPECT_EQ(ribbon->ActiveTab(), nullptr) << "no visible tab left";
  tabs[3]->SetActive(true);
  EXPECT_EQ(ribbon->ActiveTab(), tabs[3]);
  EXPECT_TRUE(tabs[3]->Visible()) << "activating a hidden tab shows it";
}

TEST_F(RibbonTest, AVetoedTabChangeChangesNothing) {
  TdxRibbonTab* home = AddTab(L"Home");
  TdxRibbonTab* edit = AddTab(L"Edit");
  TdxBar* bar = NewBar(L"Clipboard");
  AddGroup(home, bar);
  int changed = 0;
  bool allow = false;
  TdxRibbonTab* asked = nullptr;
  ribbon->OnTabChanging = [&](TdxCustomRibbon*, TdxRibbonTab* Tab, bool& Allow) {
    asked = Tab;
    Allow = allow;
  };
  ribbon->OnTabChanged = [&](TdxCustomRibbon*) { ++changed; };
  edit->SetActive(true);
  EXPECT_EQ(asked, edit);
  EXPECT_EQ(ribbon->ActiveTab(), home);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(bar->DockControl(), home->GroupsDockControl());
  allow = true;
  edit->SetActive(true);
  EXPECT_EQ(ribbon->ActiveTab(), edit);
  EXPECT_EQ(changed, 1);
}

TEST_F(RibbonTest, GroupsDockTheirToolbarsAndAFreedToolbarRemovesItsGroupsInEveryTab) {
  TdxRibbonTab* home = AddTab(L"Home");
  TdxRibbonTab* edit = AddTab(L"Edit");
  TdxBar* shared = NewBar(L"Clipboard");
  TdxBar* own = NewBar(L"Font");
  AddGroup(home, shared);
  AddGroup(home, own);
  AddGroup(edit, shared);
  EXPECT_EQ(shared->DockControl(), home->GroupsDockControl()) << "shown by the active tab";
  EXPECT_EQ(own->DockControl(), home->GroupsDockControl());
  edit->SetActive(true);
  edit->DockToolbars();
  EXPECT_EQ(shared->DockControl(), edit->GroupsDockControl());
  shared->Free();
  EXPECT_EQ(home->Groups()->Count(), 1);
  EXPECT_EQ(home->Groups()->GroupAt(0)->ToolBar(), own);
  EXPECT_EQ(edit->Groups()->Count(), 0);
  home->Groups()->GroupAt(0)->SetToolBar(nullptr);
  EXPECT_EQ(home->Groups()->Count(), 0) << "a group without a toolbar frees itself";
  EXPECT_EQ(own->DockControl(), nullptr) << "and lets its toolbar go";
}

TEST_F(RibbonTest, ARefusedToolbarLeavesTheGroupAndTheDockingAsTheyWere) {
  TdxRibbonTab* home = AddTab(L"Home");
  TdxBar* first = NewBar(L"Clipboard");
  TdxBar* second = NewBar(L"Font");
  TdxBar* quick = NewBar(L"Quick");
  AddGroup(home, first);
  TdxRibbonTabGroup* group = AddGroup(home, second);
  ribbon->QuickAccessToolbar()->SetToolbar(quick);
  struct Case {
    TdxBar* bar;
    const wchar_t* message;
  } cases[] = {{first, L"At least one group in this tab already contains this toolbar"},
               {quick, L"This toolbar is already used as the QuickAccessToolbar"}};
  for (const Case& c : cases) {
    String message;
    try {
      group->SetToolBar(c.bar);
    } catch (const EdxRibbonException& e) {
      message = e.Message();
    }
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(group->ToolBar(), second);
    EXPECT_EQ(second->DockControl(), home->GroupsDockControl()) << "the current toolbar stays docked";
    EXPECT_EQ(home->Groups()->Count(), 2);
  }
  // A toolbar of another manager is ignored.
  ObjectPtr<TForm> otherForm(new TForm(nullptr, 0));
  auto* other = new TdxBarManager(otherForm.get());
  group->SetToolBar(other->Bars()->Add());
  EXPECT_EQ(group->ToolBar(), second);
}

TEST_F(RibbonTest, TheCaptionFontComesFromTheWideNonClientMetrics) {
  ribbon->Fonts()->UpdateFonts();
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  const LOGFONTW caption = ribbon->Fonts()->CaptionFont()->LogFont();
  EXPECT_EQ(String(caption.lfFaceName), String(metrics.lfCaptionFont.lfFaceName));
  EXPECT_EQ(caption.lfHeight, metrics.lfCaptionFont.lfHeight);
  EXPECT_EQ(caption.lfWeight, metrics.lfCaptionFont.lfWeight);
}

TEST_F(RibbonTest, ChangingAGroupFontMarksItAssignedAndClearingTheFlagsFollowsTheManagerAgain) {
  TFont big;
  big.SetName(L"Courier New");
  big.SetSize(20);
  manager->Font()->SetName(L"Arial");
  ribbon->Fonts()->UpdateFonts();
  EXPECT_EQ(ribbon->Fonts()->Font(afGroup)->Name(), L"Arial");
  ribbon->Fonts()->SetFont(afGroup, &big);
  EXPECT_EQ(ribbon->Fonts()->AssignedFonts(), TdxRibbonAssignedFonts{afGroup});
  ribbon->Fonts()->UpdateFonts();
  EXPECT_EQ(ribbon->Fonts()->Font(afGroup)->Name(), L"Courier New") << "an assigned font keeps its own";
  EXPECT_EQ(ribbon->Fonts()->Font(afTabHeader)->Name(), L"Arial");
  ribbon->Fonts()->SetAssignedFonts({});
  EXPECT_EQ(ribbon->Fonts()->Font(afGroup)->Name(), L"Arial");
}

TEST_F(RibbonTest, RelayoutsAskedForUnderNestedLocksComeOnceAtTheOutermostEnd) {
  form->Show();
  ribbon->Calculations = 0;
  ribbon->BeginUpdate();
  ribbon->BeginUpdate();
  ribbon->SetDocumentName(L"a.wav");
  ribbon->SetShowTabHeaders(false);
  ribbon->EndUpdate();
  EXPECT_EQ(ribbon->Calculations, 0);
  ribbon->SetPopupMenuItems({rpmiItems});
  ribbon->EndUpdate();
  EXPECT_EQ(ribbon->Calculations, 1);
  ribbon->SetDocumentName(L"a.wav");
  EXPECT_EQ(ribbon->Calculations, 1) << "the same document name lays nothing out";
  ribbon->BeginUpdate();
  ribbon->EndUpdate();
  EXPECT_EQ(ribbon->Calculations, 1) << "a lock without a change lays nothing out";
  form->Hide();
  ribbon->SetDocumentName(L"b.wav");
  EXPECT_EQ(ribbon->Calculations, 1) << "a hidden ribbon lays nothing out";
}

TEST_F(RibbonTest, OnlyAnotherRegisteredSchemeChangesTheColourScheme) {
  int heard = 0;
  struct Listener : TObject {
    int* count;
    void Heard(TObject*, const void*) { ++*count; }
  } listener;
  listener.count = &heard;
  ribbon->ColorSchemeHandlers()->AddHandler(TcxEventHandler(&listener, &Listener::Heard));
  EXPECT_EQ(ribbon->ColorSchemeName(), L"Blue") << "the first ribbon skin registered";
  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
    int heard;
  } cases[] = {{L"Black", L"Black", 1}, {L"Black", L"Black", 1}, {L"Nothing", L"Black", 1},
               {L"silver", L"Silver", 2}, {L"", L"Silver", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ribbon->SetColorSchemeName(c.name);
    EXPECT_EQ(ribbon->ColorSchemeName(), c.expected);
    EXPECT_EQ(heard, c.heard);
  }
  ribbon->ColorSchemeHandlers()->RemoveHandler(TcxEventHandler(&listener, &Listener::Heard));
}

TEST_F(RibbonTest, TheLayoutStoreKeepsTheQuickAccessPositionAndTheMinimisedState) {
  EXPECT_EQ(ribbon->GetRibbonIniSection(L"Base."), L"Base.MainForm_Ribbon");
  TMemIniFile store(L"");
  ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  ribbon->SetShowTabGroups(false);
  manager->WriteLayout(store, L"", false);
  EXPECT_EQ(store.ReadInteger(L"MainForm_Ribbon", L"QuickAccessToolbarPosition", -1), 1);
  EXPECT_FALSE(store.ReadBool(L"MainForm_Ribbon", L"ShowTabGroups", true));
  ribbon->QuickAccessToolbar()->SetPosition(qtpAboveRibbon);
  ribbon->SetShowTabGroups(true);
  manager->ReadLayout(store, L"", false);
  EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
  EXPECT_FALSE(ribbon->ShowTabGroups());

  // A bad position leaves the toolbar where it stands; the rest is read.
  store.WriteInteger(L"MainForm_Ribbon", L"QuickAccessToolbarPosition", 7);
  store.WriteBool(L"MainForm_Ribbon", L"ShowTabGroups", true);
  ribbon->LoadRibbonLayout(store, L"");
  EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
  EXPECT_TRUE(ribbon->ShowTabGroups());

  // Without the ribbon's section nothing is read.
  TMemIniFile empty(L"");
  ribbon->SetShowTabGroups(false);
  ribbon->LoadRibbonLayout(empty, L"");
  EXPECT_FALSE(ribbon->ShowTabGroups());
  EXPECT_EQ(ribbon->QuickAccessToolbar()->Position(), qtpBelowRibbon);
}

TEST_F(RibbonTest, CtrlF1TogglesTheMinimisedRibbon) {
  form->Show();
  Word key = VK_F1;
  ribbon->FormKeyDown(key, {});
  EXPECT_EQ(key, VK_F1);
  EXPECT_TRUE(ribbon->ShowTabGroups());
  ribbon->FormKeyDown(key, {ssCtrl});
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(ribbon->ShowTabGroups());
}

}  // namespace

namespace {

TEST_F(RibbonTest, AFreedRibbonLetsItsToolbarsGo) {
  TdxRibbonTab* home = AddTab(L"Home");
  TdxRibbonTab* edit = AddTab(L"Edit");
  TdxBar* clipboard = NewBar(L"Clipboard");
  TdxBar* quick = NewBar(L"Quick");
  AddGroup(home, clipboard);
  AddGroup(edit, clipboard);
  ribbon->QuickAccessToolbar()->SetToolbar(quick);
  ribbon->Free();
  ribbon = nullptr;
  EXPECT_EQ(clipboard->DockControl(), nullptr);
  EXPECT_EQ(manager->Bars()->ItemCount(), 2);
  quick->Free();
  // A new ribbon may take the form's place.
  ribbon = new TCountingRibbon(form);
  ribbon->SetParent(form);
  ribbon->SetBarManager(manager);
  AddGroup(AddTab(L"Home"), clipboard);
  EXPECT_EQ(clipboard->DockControl(), ribbon->Tabs()->TabAt(0)->GroupsDockControl());
}

}  // namespace
