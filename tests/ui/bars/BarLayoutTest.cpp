// The bar layout in an INI store and in the registry: the keys and their order, reading back, the
// merged toolbars' numbering, the new-item merge, the fallbacks for bad stored data, the saved
// initial layout, and the end of loading under a held lock.

#include <gtest/gtest.h>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Registry.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "tests/ui/bars/BarTestSupport.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/DockControl.h"

using namespace bar_testing;

namespace {

std::vector<String> Lines(TMemIniFile& Store) {
  TStringList lines;
  Store.GetStrings(lines);
  std::vector<String> result;
  for (int i = 0; i < lines.Count(); ++i) {
    if (!lines.Strings(i).empty()) result.push_back(lines.Strings(i));
  }
  return result;
}

// A site of another component: it writes no path and keeps its toolbars over a layout read.
class TKeepingDockControl : public TdxBarDockControl {
  DECLARE_CLASS(TKeepingDockControl, TdxBarDockControl)
 public:
  using TdxBarDockControl::TdxBarDockControl;
  bool ReleasesBarsOnLayoutRead() override { return false; }
};
DEFINE_CLASS(TKeepingDockControl)

class BarLayoutTest : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    cut = NewItem(L"Cut");
    copy = NewItem(L"Copy");
    play = NewItem(L"Play");
    editing = manager->Bars()->Add();
    editing->SetCaption(L"Editing");
    editing->SetDockingStyle(dsTop);
    editing->SetDockedLeft(40);
    editing->SetFloatLeft(300);
    editing->SetFloatTop(200);
    editing->SetFloatClientWidth(120);
    editing->SetFloatClientHeight(24);
    editing->ItemLinks()->AddItemLink(cut);
    TdxBarItemLink* link = editing->ItemLinks()->AddItemLink(copy);
    link->SetBeginGroup(true);
    link->SetUserCaption(L"Copy it");
    transport = manager->Bars()->Add();
    transport->SetCaption(L"Transport");
    transport->SetDockingStyle(dsBottom);
    transport->ItemLinks()->AddItemLink(play)->SetUserWidth(60);
  }

  String Base() const { return manager->IniBase(); }

  // A second form's manager whose toolbar takes one of ours by merging.
  TdxBar* MergeIntoOtherManager(TdxBar* Bar) {
    otherForm = new TForm(nullptr, 0);
    otherForm->SetName(L"OtherForm");
    auto* other = new TdxBarManager(otherForm);
    other->SetName(L"OtherManager");
    TdxBar* into = other->Bars()->Add();
    into->SetCaption(L"Main");
    into->Merge(Bar);
    return into;
  }

  void TearDown() override {
    FreeAndNil(otherForm);
    BarFixture::TearDown();
  }

  TdxBarButton* cut = nullptr;
  TdxBarButton* copy = nullptr;
  TdxBarButton* play = nullptr;
  TdxBar* editing = nullptr;
  TdxBar* transport = nullptr;
  TForm* otherForm = nullptr;
};

TEST_F(BarLayoutTest, TheIniLayoutHoldsTheKeysInTheirOrder) {
  manager->SetStyle(bmsStandard);
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  const std::vector<String> expected = {
      L"[TestForm.BarManager.Main]",
      L"Version=35",
      L"LargeIcons=0",
      L"MenuAnimations=0",
      L"ShowHint=1",
      L"ShowShortCutInHint=0",
      L"BarCount=2",
      L"[TestForm.BarManager.Items]",
      L"ItemCount=3",
      L"Cut=1",
      L"Copy=1",
      L"Play=1",
      L"[TestForm.BarManager.Bar0]",
      L"Caption=Editing",
      L"DockedDockingStyle=2",
      L"DockedLeft=40",
      L"DockedTop=0",
      L"DockingStyle=2",
      L"FloatClientHeight=24",
      L"FloatClientWidth=120",
      L"FloatLeft=300",
      L"FloatTop=200",
      L"OneOnRow=0",
      L"Row=0",
      L"Visible=0",
      L"ItemLinkCount=2",
      L"[TestForm.BarManager.Bar0.ItemLink0]",
      L"ItemName=Cut",
      L"BeginGroup=0",
      L"UserDefine=00",
      L"ButtonGroup=0",
      L"Position=0",
      L"ViewLevels=0F",
      L"Visible=1",
      L"[TestForm.BarManager.Bar0.ItemLink1]",
      L"ItemName=Copy",
      L"BeginGroup=1",
      L"UserDefine=01",
      L"UserCaption=Copy it",
      L"ButtonGroup=0",
      L"Position=0",
      L"ViewLevels=0F",
      L"Visible=1",
      L"[TestForm.BarManager.Bar1]",
      L"Caption=Transport",
      L"DockedDockingStyle=2",
      L"DockedLeft=0",
      L"DockedTop=0",
      L"DockingStyle=4",
      L"FloatClientHeight=0",
      L"FloatClientWidth=0",
      L"FloatLeft=0",
      L"FloatTop=0",
      L"OneOnRow=0",
      L"Row=0",
      L"Visible=0",
      L"ItemLinkCount=1",
      L"[TestForm.BarManager.Bar1.ItemLink0]",
      L"ItemName=Play",
      L"BeginGroup=0",
      L"UserDefine=08",
      L"UserWidth=60",
      L"ButtonGroup=0",
      L"Position=0",
      L"ViewLevels=0F",
      L"Visible=1",
  };
  EXPECT_EQ(Lines(store), expected);
}

TEST_F(BarLayoutTest, ALayoutReadIntoAFreshModelGivesTheSameToolbarsAndLinks) {
  manager->SetStyle(bmsEnhanced);
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  EXPECT_EQ(store.ReadString(Base() + L"Main", L"MenusShowRecentItemsFirst", L"-"), L"1");
  EXPECT_TRUE(store.ValueExists(Base() + L"Bar0.ItemLink0", L"RecentIndex"));
  EXPECT_TRUE(store.ValueExists(Base() + L"Bar0.ItemLink0", L"UseCount"));

  // A fresh model: the same items, one toolbar made differently.
  FreeAndNil(form);
  form = new TForm(nullptr, 0);
  form->SetName(L"TestForm");
  manager = new TdxBarManager(form);
  manager->SetName(L"BarManager");
  NewItem(L"Cut");
  NewItem(L"Copy");
  NewItem(L"Play");
  manager->Bars()->Add()->SetCaption(L"Other");
  manager->ReadLayout(store, Base(), false);

  ASSERT_EQ(manager->Bars()->Count(), 2);
  TdxBar* first = manager->Bars()->BarAt(0);
  TdxBar* second = manager->Bars()->BarAt(1);
  EXPECT_EQ(first->Caption(), L"Editing");
  EXPECT_EQ(first->DockingStyle(), dsTop);
  EXPECT_EQ(first->DockedLeft(), 40);
  EXPECT_EQ(first->FloatLeft(), 300);
  EXPECT_EQ(first->FloatClientWidth(), 120);
  ASSERT_EQ(first->ItemLinks()->Count(), 2);
  EXPECT_EQ(first->ItemLinks()->LinkAt(1)->Item()->Name(), L"Copy");
  EXPECT_TRUE(first->ItemLinks()->LinkAt(1)->BeginGroup());
  EXPECT_EQ(first->ItemLinks()->LinkAt(1)->UserCaption(), L"Copy it");
  EXPECT_EQ(second->Caption(), L"Transport");
  EXPECT_EQ(second->DockingStyle(), dsBottom);
  EXPECT_EQ(second->ItemLinks()->LinkAt(0)->UserWidth(), 60);
  EXPECT_FALSE(first->Visible()) << "stored invisible";
}

TEST_F(BarLayoutTest, AToolbarMergedIntoAnotherManagersIsLeftOutAndTheOthersNumberedWithoutAGap) {
  TdxBar* third = manager->Bars()->Add();
  third->SetCaption(L"Zoom");
  MergeIntoOtherManager(transport);
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  EXPECT_EQ(store.ReadInteger(Base() + L"Main", L"BarCount", -1), 2);
  EXPECT_EQ(store.ReadString(Base() + L"Bar0", L"Caption", L""), L"Editing");
  EXPECT_EQ(store.ReadString(Base() + L"Bar1", L"Caption", L""), L"Zoom");
  EXPECT_FALSE(store.SectionExists(Base() + L"Bar2"));
}

TEST_F(BarLayoutTest, StandardStyleWritesAndReadsNoRecentKeys) {
  manager->SetStyle(bmsStandard);
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  EXPECT_FALSE(store.ValueExists(Base() + L"Main", L"MenusShowRecentItemsFirst"));
  EXPECT_FALSE(store.ValueExists(Base() + L"Main", L"ShowFullMenusAfterDelay"));
  EXPECT_FALSE(store.ValueExists(Base() + L"Bar0.ItemLink0", L"UseCount"));
  EXPECT_FALSE(store.ValueExists(Base() + L"Bar0.ItemLink0", L"RecentIndex"));
  store.WriteBool(Base() + L"Main", L"MenusShowRecentItemsFirst", false);
  manager->ReadLayout(store, Base(), false);
  EXPECT_TRUE(manager->MenusShowRecentItemsFirst());
}

TEST_F(BarLayoutTest, BadStoredDataKeepsTheCurrentValuesAndReadsOnlyWhatIsThere) {
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  const String bar0 = Base() + L"Bar0";
  store.WriteInteger(Base() + L"Main", L"BarCount", 5);
  store.WriteInteger(Base() + L"Main", L"MenuAnimations", 9);
  store.WriteInteger(bar0, L"DockingStyle", 7);
  store.WriteInteger(bar0, L"DockedDockingStyle", -2);
  store.WriteString(bar0, L"DockedLeft", L"left");
  store.WriteInteger(bar0, L"FloatClientWidth", 0);
  store.WriteInteger(bar0, L"FloatClientHeight", -4);
  store.WriteInteger(bar0, L"Row", 1000000000);
  store.WriteInteger(bar0, L"ItemLinkCount", 4);
  store.WriteInteger(bar0 + L".ItemLink1", L"UserPaintStyle", 12);
  store.WriteString(bar0 + L".ItemLink1", L"UserDefine", L"5");
  manager->SetMenuAnimations(maSlide);

  manager->ReadLayout(store, Base(), false);
  EXPECT_EQ(manager->Bars()->Count(), 2) << "no toolbar for a missing section";
  EXPECT_EQ(manager->MenuAnimations(), maSlide);
  EXPECT_EQ(editing->DockingStyle(), dsTop);
  EXPECT_EQ(editing->DockedDockingStyle(), dsTop);
  EXPECT_EQ(editing->DockedLeft(), 40);
  EXPECT_EQ(editing->FloatClientWidth(), 120) << "a size that is not positive keeps the natural one";
  EXPECT_EQ(editing->FloatClientHeight(), 24);
  // Limited to the number of toolbars (rows appended up to 1); the redraw pass then drops the empty
  // row before it.
  EXPECT_EQ(manager->Bars()->DefaultSite(dsTop)->RowCount(), 1);
  EXPECT_EQ(editing->Row(), 0);
  ASSERT_EQ(editing->ItemLinks()->Count(), 2) << "no empty links for missing sections";
  EXPECT_EQ(editing->ItemLinks()->LinkAt(1)->UserPaintStyle(), psStandard);
  EXPECT_EQ(manager->BarsUpdateLockCount(), 0);
}

TEST_F(BarLayoutTest, AMissingVisibleHidesTheToolbarAndAMissingBarCountKeepsTheDesign) {
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  store.DeleteKey(Base() + L"Main", L"BarCount");
  transport->SetCaption(L"Renamed");
  manager->ReadLayout(store, Base(), false);
  EXPECT_EQ(transport->Caption(), L"Renamed") << "without BarCount the toolbars stay as designed";

  store.WriteInteger(Base() + L"Main", L"BarCount", 2);
  store.DeleteKey(Base() + L"Bar1", L"Visible");
  manager->ReadLayout(store, Base(), false);
  EXPECT_EQ(transport->Caption(), L"Transport");
  EXPECT_FALSE(transport->Visible());
}

TEST_F(BarLayoutTest, ItemsTheStoredLayoutDidNotKnowKeepTheirLinksBehindTheirDesignedNeighbour) {
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  // A newer program: "Paste" designed behind "Cut" on the Editing toolbar.
  TdxBarButton* paste = NewItem(L"Paste");
  editing->ItemLinks()->AddItemLink(paste)->SetIndex(1);
  manager->ReadLayout(store, Base(), false);
  EXPECT_EQ(NamesOf(editing->ItemLinks(), &TdxBarItemLinks::Count, &TdxBarItemLinks::LinkAt),
            (std::vector<String>{L"Cut", L"Paste", L"Copy"}));
}

TEST_F(BarLayoutTest, OnlyASiteThatReleasesItsToolbarsLetsThemGoWhenTheLayoutNamesNone) {
  auto* keeping = new TKeepingDockControl(form);
  keeping->SetName(L"GroupSite");
  keeping->SetBarManager(manager);
  auto* releasing = new TdxBarDockControl(form);
  releasing->SetName(L"UserSite");
  releasing->SetBarManager(manager);
  editing->SetDockControl(keeping);
  transport->SetDockControl(releasing);
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  EXPECT_EQ(store.ReadString(Base() + L"Bar1", L"DockControl", L""), L"UserSite");
  store.DeleteKey(Base() + L"Bar0", L"DockControl");
  store.DeleteKey(Base() + L"Bar1", L"DockControl");

  manager->ReadLayout(store, Base(), false);
  EXPECT_EQ(editing->DockControl(), keeping);
  EXPECT_EQ(transport->DockControl(), nullptr);
}

TEST_F(BarLayoutTest, DockSitePathsNameTheFormOfASiteElsewhereAndAreFoundAgain) {
  auto* site = new TdxBarDockControl(form);
  site->SetName(L"UserSite");
  site->SetBarManager(manager);
  EXPECT_EQ(DockControlPath(site, form), L"UserSite");
  EXPECT_EQ(manager->FindDockControl(L"UserSite"), site);
  EXPECT_EQ(manager->FindDockControl(L"Nothing"), nullptr);
  auto* unnamed = new TdxBarDockControl(form);
  EXPECT_EQ(DockControlPath(unnamed, form), L"");
  otherForm = new TForm(nullptr, 0);
  otherForm->SetName(L"OtherForm");
  auto* elsewhere = new TdxBarDockControl(otherForm);
  elsewhere->SetName(L"FarSite");
  EXPECT_EQ(DockControlPath(elsewhere, form), L"OtherForm.FarSite");
}

TEST_F(BarLayoutTest, TheReadReleasesItsLockAndTheNewItemListWhenAnItemFails) {
  TMemIniFile store(L"");
  manager->WriteLayout(store, Base(), false);
  struct Failing : TdxBarButton {
    using TdxBarButton::TdxBarButton;
    void LoadLayout(TCustomIniFile&, const String&, int) override { throw Exception(L"unreadable"); }
  };
  auto* failing = new Failing(form);
  failing->SetName(L"Failing");
  EXPECT_THROW(manager->ReadLayout(store, Base(), false), Exception);
  EXPECT_EQ(manager->BarsUpdateLockCount(), 0);
  EXPECT_EQ(manager->NewItemNames(), nullptr);
}

TEST_F(BarLayoutTest, LoadedUnderAHeldLockPlacesAndReadsWhenTheLockIsReleased) {
  TMemoryStream stream;
  {
    TMemIniFile store(L"");
    manager->WriteLayout(store, Base(), false);
    store.WriteString(Base() + L"Bar0", L"Caption", L"Stored");
    TStringList lines;
    store.GetStrings(lines);
    lines.SaveToStream(stream);
    stream.SetPosition(0);
  }
  manager->LayoutStream = &stream;
  manager->StoreInIniFile = true;
  editing->SetLoadedDockingStyle(dsTop);
  transport->SetLoadedDockingStyle(dsBottom);
  manager->BeginBarsUpdate();
  manager->Loaded();
  EXPECT_EQ(editing->Caption(), L"Editing") << "nothing read while the lock is held";
  EXPECT_EQ(manager->SavedLayout(), nullptr);
  manager->EndBarsUpdate();
  EXPECT_EQ(editing->Caption(), L"Stored");
  ASSERT_NE(manager->SavedLayout(), nullptr);
  EXPECT_EQ(manager->SavedBarIndexByCaption(L"Editing"), 0) << "the designed layout is saved first";
  EXPECT_TRUE(editing->IsPredefined());
  manager->LayoutStream = nullptr;
}

TEST_F(BarLayoutTest, TheUsageResetRestoresTheDesignedMostRecentlyUsedFlags) {
  manager->SetStyle(bmsEnhanced);
  editing->SetLoadedDockingStyle(dsTop);
  transport->SetLoadedDockingStyle(dsBottom);
  manager->Loaded();
  TdxBarItemLink* link = editing->ItemLinks()->LinkAt(0);
  ASSERT_TRUE(link->MostRecentlyUsed());
  link->SetMostRecentlyUsed(false);
  manager->ResetUsageData();
  EXPECT_TRUE(editing->ItemLinks()->LinkAt(0)->MostRecentlyUsed());
}

TEST_F(BarLayoutTest, TheRegistryLayoutEraseWritesTypedValuesAndReadsBack) {
  const String path = L"\\Software\\Du6Tests\\BarLayout\\";
  TdxBarItemLink* glyphLink = transport->ItemLinks()->LinkAt(0);
  TBitmap glyph;
  glyph.SetSize(4, 4);
  glyphLink->SetUserGlyph(&glyph);
  {
    TRegistryIniFile store(path);
    store.WriteString(L"\\Software\\Du6Tests\\BarLayout\\Foreign", L"Key", L"stale");
  }
  manager->SetRegistryPath(L"Software\\Du6Tests\\BarLayout");
  EXPECT_EQ(manager->RegistryPath(), path);
  manager->WriteLayoutToRegistry(manager->RegistryPath());
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(path, false));
    EXPECT_EQ(registry.GetDataType(L"Version"), rdInteger);
    EXPECT_EQ(registry.ReadInteger(L"Version"), 35);
    registry.CloseKey();
    EXPECT_FALSE(registry.KeyExists(path + L"Foreign")) << "the whole key is erased first";
    ASSERT_TRUE(registry.OpenKey(path + L"Bar1\\ItemLink0", false));
    EXPECT_EQ(registry.GetDataType(L"UserDefine"), rdBinary);
    EXPECT_EQ(registry.GetDataType(L"UserGlyph"), rdBinary);
    registry.CloseKey();
  }
  transport->SetCaption(L"Changed");
  glyphLink->SetUserWidth(10);
  manager->ReadLayoutFromRegistry(manager->RegistryPath());
  EXPECT_EQ(transport->Caption(), L"Transport");
  EXPECT_TRUE(transport->ItemLinks()->LinkAt(0)->UserDefine().Contains(udGlyph));

  // A glyph value that is no bitmap: the link keeps no user glyph.
  {
    TRegistryIniFile store(path);
    TMemoryStream junk;
    const char bytes[] = "not a bitmap";
    junk.Write(bytes, sizeof bytes);
    junk.SetPosition(0);
    store.WriteBinaryStream(path + L"Bar1\\ItemLink0", L"UserGlyph", junk);
  }
  manager->ReadLayoutFromRegistry(manager->RegistryPath());
  EXPECT_FALSE(transport->ItemLinks()->LinkAt(0)->UserDefine().Contains(udGlyph));
  EXPECT_EQ(transport->ItemLinks()->Count(), 1);
  TRegistryIniFile(L"\\Software").EraseSection(L"\\Software\\Du6Tests");
}

}  // namespace
