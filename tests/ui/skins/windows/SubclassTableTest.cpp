// Which object each creator makes, and the grid object's steps through published properties.

#include <gtest/gtest.h>

#include "platform/framework/classes/Reflection.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/windows/EditWnd.h"
#include "ui/skins/windows/GridWnd.h"
#include "ui/skins/windows/PanelWnd.h"
#include "ui/skins/windows/StdCtrlWnd.h"
#include "ui/skins/windows/SubclassTable.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::FormFixture;

namespace {

TEST(SubclassTable, DialogWindowsByClassAndStyle) {
  struct TCase {
    const wchar_t* Class;
    DWORD Style;
    TClass Made;
    const wchar_t* Section;
  } cases[] = {
      {L"Edit", 0, &TacEditWnd::ClassInfo(), L"EDIT"},
      {L"ListBox", 0, &TacEditWnd::ClassInfo(), L"EDIT"},
      {L"ComboLBox", 0, &TacEditWnd::ClassInfo(), L"COMBOBOX"},
      {L"ComboBox", 0, &TacComboBoxWnd::ClassInfo(), L"COMBOBOX"},
      {L"ComboBoxEx32", 0, &TacComboBoxWnd::ClassInfo(), L"COMBOBOX"},
      {L"Button", BS_DEFPUSHBUTTON, &TacBtnWnd::ClassInfo(), L"BUTTON"},
      {L"Button", BS_AUTORADIOBUTTON, &TacCheckBoxWnd::ClassInfo(), L"CHECKBOX"},
      {L"Button", BS_AUTO3STATE, &TacCheckBoxWnd::ClassInfo(), L"CHECKBOX"},
      {L"Button", BS_GROUPBOX, &TacGroupBoxWnd::ClassInfo(), L"GROUPBOX"},
      {L"Button", BS_OWNERDRAW, nullptr, L""},
      {L"Static", SS_LEFT, &TacStaticWnd::ClassInfo(), L"CHECKBOX"},
      {L"Static", SS_ICON, &TacIconWnd::ClassInfo(), L"CHECKBOX"},
      {L"Static", SS_ETCHEDHORZ, nullptr, L""},
      {L"SysLink", 0, &TacLinkWnd::ClassInfo(), L"CHECKBOX"},
      {L"SysListView32", 0, &TacListViewWnd::ClassInfo(), L"EDIT"},
      {L"SysTreeView32", 0, &TacTreeViewWnd::ClassInfo(), L"EDIT"},
      {L"#32770", 0, &TacTransPanelWnd::ClassInfo(), L"CHECKBOX"},
      {L"TPanel", 0, &TacDlgPanelWnd::ClassInfo(), L"PANEL"},
      {L"ScrollBar", SBS_SIZEGRIP, &TacSizerWnd::ClassInfo(), L"CHECKBOX"},
      {L"ScrollBar", SBS_VERT, nullptr, L""},
      {L"msctls_updown32", 0, &TacSpinWnd::ClassInfo(), L"SPEEDBUTTON_SMALL"},
      {L"ToolbarWindow32", 0x200, &TacToolBarWnd::ClassInfo(), L"BAR"},
      {L"ToolbarWindow32", 0, &TacToolBarWnd::ClassInfo(), L"CHECKBOX"},
      {L"Unknown", 0, nullptr, L""},
  };
  for (const TCase& c : cases) {
    const TacSubclassChoice choice = DialogSubclassChoice(c.Class, c.Style);
    EXPECT_EQ(choice.Class, c.Made) << c.Class << " " << c.Style;
    EXPECT_EQ(choice.Section, c.Section) << c.Class << " " << c.Style;
  }
}

TEST(SubclassTable, AdapterListsInTheManagersOrder) {
  const TClass made[13] = {&TacEditWnd::ClassInfo(),     &TacBtnWnd::ClassInfo(),        &TacBitBtnWnd::ClassInfo(),
                           &TacCheckBoxWnd::ClassInfo(), &TacComboBoxWnd::ClassInfo(),   &TacGridWnd::ClassInfo(),
                           &TacGroupBoxWnd::ClassInfo(), &TacListViewWnd::ClassInfo(),   &TacPanelWnd::ClassInfo(),
                           &TacTreeViewWnd::ClassInfo(), &TacWWComboBoxWnd::ClassInfo(), &TacGridEhWnd::ClassInfo(),
                           &TacVirtualTreeViewWnd::ClassInfo()};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(AdapterSubclassChoice(i).Class, made[i]) << i;
  EXPECT_EQ(AdapterSubclassChoice(13).Class, nullptr);
  EXPECT_EQ(AdapterSubclassChoice(6).Section, L"GROUPBOX");
}

// A grid-like control that publishes the colours the grid object reads and writes.
class TTestGrid : public window_testing::TTestEdit {
  DECLARE_CLASS(TTestGrid, window_testing::TTestEdit)
 public:
  explicit TTestGrid(TComponent* owner) : TTestEdit(owner), titleFont_(new TFont()) {}
  ~TTestGrid() override { delete titleFont_; }
  int FixedColor() const { return fixedColor_; }
  void SetFixedColor(int value) { fixedColor_ = value; }
  TFont* TitleFont() const { return titleFont_; }
  int fixedColor_ = 0x123456;

 private:
  TFont* titleFont_;
};
DEFINE_CLASS(TTestGrid)

const bool gridProperties = [] {
  RegisterProperties(&TTestGrid::ClassInfo(), {OrdinalProperty(L"FixedColor", &TTestGrid::FixedColor, &TTestGrid::SetFixedColor),
                                               ObjectProperty(L"TitleFont", &TTestGrid::TitleFont, nullptr)});
  return true;
}();

class SubclassTableWindows : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  void SetUp() override {
    FormFixture::SetUp();
    TControlsSkinOptions options;
    options.Edits = true;
    manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1), options);
    ASSERT_TRUE(manager->SkinData().Active);
  }
  void TearDown() override {
    FormFixture::TearDown();
    manager.reset();
  }
};

TEST_F(SubclassTableWindows, GridPropertiesAreSetByNameAndPutBackAndMissingOnesAreSkipped) {
  auto* grid = Place<TTestGrid>(10, 10, 150, 60);
  auto* plain = Place<window_testing::TTestEdit>(10, 80, 150, 24);
  grid->TitleFont()->SetColor(static_cast<TColor>(0x654321));
  ShowForm();
  auto* gridData = new TsCommonData(grid, true);
  gridData->SetSkinManager(manager.get());
  auto* plainData = new TsCommonData(plain, true);
  plainData->SetSkinManager(manager.get());
  {
    std::unique_ptr<TacMainWnd, TFreeDeleter> a(MakeAdapterSubclass(5, grid, gridData, manager.get()));
    std::unique_ptr<TacMainWnd, TFreeDeleter> b(MakeAdapterSubclass(5, plain, plainData, manager.get()));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->ApplySkinParams();
    EXPECT_NO_THROW(b->ApplySkinParams());
    EXPECT_EQ(grid->FixedColor(), static_cast<int>(manager->GlobalColor()));
    EXPECT_EQ(grid->TitleFont()->Color(), manager->GlobalFontColor());
  }
  EXPECT_EQ(grid->FixedColor(), 0x123456);
  EXPECT_EQ(grid->TitleFont()->Color(), static_cast<TColor>(0x654321));
  delete gridData;
  delete plainData;
}

TEST_F(SubclassTableWindows, ADialogChildGetsItsObjectInDialogMode) {
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  HWND radio = CreateWindowExW(0, L"BUTTON", L"Choice", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 5, 5, 100, 20, host,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  std::unique_ptr<TacMainWnd, TFreeDeleter> made(MakeDialogSubclass(radio, manager.get()));
  ASSERT_NE(made, nullptr);
  EXPECT_NE(dynamic_cast<TacCheckBoxWnd*>(made.get()), nullptr);
  EXPECT_TRUE(made->DialogMode);
  EXPECT_EQ(made->SkinData->SkinSection(), L"CHECKBOX");
  EXPECT_FALSE(SubclassDialogMode);
  made.reset();
  DestroyWindow(host);
}

}  // namespace
