// The scrolling windows' subclass objects on real system windows: the edit's frame band and
// colours, the combo box's list colours and drop-down frame, the list view's header and thumb
// drags, the tree view's background, and the popup menu window's object freeing itself.

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"
#include <commctrl.h>
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/windows/EditWnd.h"
#include "ui/skins/windows/MenuWnd.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;
using window_testing::FormFixture;
using window_testing::ProcessMessages;

namespace {

TColor WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return static_cast<TColor>(c);
}

class EditWindows : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  HWND host = nullptr;

  void SetUp() override {
    FormFixture::SetUp();
    TControlsSkinOptions options;
    options.Edits = true;
    manager = NewControlsManager(folder.Path().substr(0, folder.Path().size() - 1), options);
    ASSERT_TRUE(manager->SkinData().Active);
    host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 420, 360, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    if (IsWindow(host)) DestroyWindow(host);
    FormFixture::TearDown();
    manager.reset();
  }
  HWND Make(const wchar_t* cls, DWORD style, int w, int h, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, host, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  template <class T>
  std::unique_ptr<T, TFreeDeleter> Skin(HWND window, const wchar_t* section = L"EDIT") {
    return MakeSubclass<T>(true, window, nullptr, manager.get(), String(section));
  }
};

TEST_F(EditWindows, AnEditsFrameBandComesFromTheSkinAndGoesBackWithTheObject) {
  HWND edit = Make(L"EDIT", ES_MULTILINE | WS_VSCROLL, 200, 100, WS_EX_CLIENTEDGE);
  auto object = Skin<TacEditWnd>(edit);
  EXPECT_EQ(object->EdgeLeft, GetSystemMetrics(SM_CXEDGE));
  SendMessageW(edit, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(edit, 0, 50), kMenuFrame);
  EXPECT_EQ(WindowPixel(edit, 100, 0), kMenuFrame);
  // Printed: the same band, and the skinned bar beside the client.
  DibSection dib(200, 100);
  SendMessageW(edit, WM_PRINT, reinterpret_cast<WPARAM>(dib.DC()), PRF_NONCLIENT | PRF_CLIENT);
  EXPECT_EQ(FromDib(dib.Pixel(0, 50)), kMenuFrame);
  object.reset();
  RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(WindowPixel(edit, 0, 50), kMenuFrame);
}

TEST_F(EditWindows, AnEditControlTakesTheSectionsColoursAndGetsItsOwnBack) {
  auto* edit = Place<window_testing::TTestEdit>(10, 10, 150, 24);
  edit->SetColor(clWindow);
  edit->Font()->SetColor(clWindowText);
  ShowForm();
  auto* skinData = new TsCommonData(edit, true);
  skinData->SetSkinManager(manager.get());
  skinData->SetSkinSection(L"EDIT");
  auto object = MakeSubclass<TacEditWnd>(true, edit->Handle(), skinData, manager.get(), String(L"EDIT"));
  object->ApplySkinParams();
  EXPECT_EQ(edit->Color(), kEdit);
  EXPECT_EQ(edit->Font()->Color(), kEditFont);
  object.reset();
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_EQ(edit->Font()->Color(), clWindowText);
  delete skinData;
}

TEST_F(EditWindows, AComboBoxAnswersOnlyItsListsFirstColourRequest) {
  HWND combo = Make(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 150, 200);
  for (const wchar_t* text : {L"one", L"two", L"three"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  auto object = Skin<TacComboBoxWnd>(combo);
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  HDC dc = CreateCompatibleDC(nullptr);
  const LRESULT first = SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(info.hwndList));
  EXPECT_EQ(object->DropListWindow, info.hwndList);
  ASSERT_NE(object->ListWnd, nullptr);
  EXPECT_NE(first, 0);
  EXPECT_EQ(static_cast<TColor>(GetBkColor(dc)), kEdit);
  EXPECT_EQ(static_cast<TColor>(GetTextColor(dc)), kEditFont);
  SetBkColor(dc, RGB(1, 2, 3));
  const LRESULT later = SendMessageW(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(info.hwndList));
  EXPECT_NE(later, first);
  EXPECT_NE(static_cast<TColor>(GetBkColor(dc)), kEdit);
  DeleteDC(dc);

  // The shown list's frame: the list object's plain frame colour (black).
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ProcessMessages();
  ASSERT_TRUE(IsWindowVisible(info.hwndList));
  SendMessageW(info.hwndList, WM_NCPAINT, 1, 0);
  EXPECT_EQ(WindowPixel(info.hwndList, 0, 5), 0);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  ProcessMessages();
}

TEST_F(EditWindows, AReportViewsHeaderIsPaintedFromColHeaderWithItsSortMark) {
  HWND list = Make(WC_LISTVIEWW, LVS_REPORT, 300, 200, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.cx = 120;
  column.fmt = LVCFMT_LEFT;
  column.pszText = const_cast<wchar_t*>(L"Name");
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  auto object = Skin<TacListViewWnd>(list);
  ASSERT_NE(object->HeaderWindow, nullptr);
  HWND header = object->HeaderWindow;
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  item.fmt = HDF_LEFT | HDF_STRING | HDF_SORTUP;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  RECT hr{};
  GetClientRect(header, &hr);
  DibSection dib(hr.right, hr.bottom);
  object->PaintHeader(dib.DC());
  // The column's face, the part right of the last column, and the mark's glyph after the text.
  EXPECT_EQ(FromDib(dib.Pixel(118, 2)), kColHeader);
  EXPECT_EQ(FromDib(dib.Pixel(250, 2)), kColHeader);
  bool markSeen = false;
  for (int x = 4; x < 118 && !markSeen; ++x)
    for (int y = 0; y < hr.bottom && !markSeen; ++y) markSeen = FromDib(dib.Pixel(x, y)) == kArrow;
  EXPECT_TRUE(markSeen);

  // Icon view: the header is left alone (its own painting).
  SendMessageW(list, LVM_SETVIEW, LV_VIEW_ICON, 0);
  EXPECT_FALSE(object->ReportView());
}

TEST_F(EditWindows, ThumbDragsScrollAReportViewByRowsAndOtherViewsByPixels) {
  HWND list = Make(WC_LISTVIEWW, LVS_REPORT | LVS_NOCOLUMNHEADER, 300, 200, WS_EX_CLIENTEDGE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 200;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  for (int i = 0; i < 100; ++i) {
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = i;
    row.pszText = const_cast<wchar_t*>(L"row");
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  }
  auto object = Skin<TacListViewWnd>(list);
  object->RefreshScrollInfo(false);
  ASSERT_TRUE(object->VertBar->Visible);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
  ScrollMouse.LastTrackPos = 0;
  SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 7);

  // Outside report view a position is a pixel.
  SendMessageW(list, LVM_SETVIEW, LV_VIEW_SMALLICON, 0);
  SendMessageW(list, LVM_ARRANGE, LVA_DEFAULT, 0);
  POINT before{};
  SendMessageW(list, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&before));
  ScrollMouse.LastTrackPos = 0;
  SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  POINT after{};
  SendMessageW(list, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&after));
  // (The origin's sign follows the list view's own convention; seven pixels either way, not rows.)
  EXPECT_EQ(std::abs(after.y - before.y), 7);
}

TEST_F(EditWindows, ATreeViewsBackgroundIsTheSectionsHotColour) {
  HWND tree = Make(WC_TREEVIEWW, 0, 200, 150, WS_EX_CLIENTEDGE);
  auto object = Skin<TacTreeViewWnd>(tree);
  object->ApplySkinParams();
  EXPECT_EQ(static_cast<TColor>(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), kEditHot);
  DibSection dib(200, 150);
  SendMessageW(tree, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dib.DC()), 0);
  EXPECT_EQ(FromDib(dib.Pixel(50, 50)), kEditHot);
  object.reset();
  EXPECT_NE(static_cast<TColor>(SendMessageW(tree, TVM_GETBKCOLOR, 0, 0)), kEditHot);
}

TEST_F(EditWindows, APopupMenusObjectFreesItselfWithItsWindow) {
  ShowForm();
  auto* popup = new TPopupMenu(form);
  for (const wchar_t* caption : {L"one", L"two"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    popup->Items()->Add(item);
  }
  HWND menuWindow = nullptr;
  int gone = 0;
  TacMnuWnd* seen = nullptr;
  TModalScript saved = SetModalDriver([&](const TModalLoop& loop) {
    menuWindow = FindWindowW(L"#32768", nullptr);
    if (menuWindow) {
      TacMnuWnd* object =
          MakeSubclass<TacMnuWnd>(false, menuWindow, nullptr, manager.get(), String(L"MAINMENU")).release();
      object->OnGone = [&](TacMnuWnd* which) {
        ++gone;
        seen = which;
      };
      EXPECT_EQ(FindSubclassObject(menuWindow), object);
      EXPECT_EQ(SendMessageW(menuWindow, SM_ALPHACMD, SkinCommandWParam(scIsSkinned), 0), 1);
      MenuState().SkinnedMenuOpen = true;
    }
    loop.End();
  });
  popup->Popup(200, 150);
  SetModalDriver(saved);
  ProcessMessages();
  ASSERT_NE(menuWindow, nullptr);
  EXPECT_EQ(gone, 1);
  EXPECT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(menuWindow) && FindSubclassObject(menuWindow) != nullptr);
  EXPECT_FALSE(MenuState().SkinnedMenuOpen);
  EXPECT_EQ(MenuState().MenuBackground, nullptr);
}

}  // namespace
