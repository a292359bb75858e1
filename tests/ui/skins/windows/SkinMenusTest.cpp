// The skinned menus with real popup menus, opened by Popup and closed by the modal driver once the
// test has looked at the open window; the menu-bar painter through a test provider.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "platform/framework/controls/Menus.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/paint/DrawingRoutines.h"

using namespace skin_testing;
using namespace controls_skin;
using testing_support::ScratchFolder;
using window_testing::DibSection;
using window_testing::FormFixture;

namespace {

String WindowClass(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The window image of the open popup, read from its window DC.
struct TMenuShot {
  HWND Window = nullptr;
  RECT Bounds{};
  std::unique_ptr<DibSection> Dib;
  TColor At(int x, int y) const { return FromDib(Dib->Pixel(x, y)); }
  // An item's rectangle in window coordinates.
  RECT Item(TMenuItem* item) const {
    RECT r{};
    TMenuItem* parent = item->Parent();
    int position = 0;
    for (int i = 0; i < parent->IndexOf(item); ++i) position += parent->Items(i)->Visible();
    GetMenuItemRect(nullptr, parent->Handle(), UINT(position), &r);
    OffsetRect(&r, -Bounds.left, -Bounds.top);
    return r;
  }
};

class SkinMenus : public FormFixture {
 protected:
  ScratchFolder folder;
  ManagerPtr manager;
  TsSkinableMenus* menus = nullptr;

  String Dir() const { return folder.Path().substr(0, folder.Path().size() - 1); }
  void SetUp() override {
    FormFixture::SetUp();
    manager = NewControlsManager(Dir());
    ASSERT_TRUE(manager->SkinData().Active);
    menus = manager->SkinableMenus();
    ShowForm();
  }
  void TearDown() override {
    FormFixture::TearDown();
    manager.reset();
  }
  TMenuItem* NewItem(TMenuItem* parent, const String& caption, TComponent* owner = nullptr) {
    auto* item = new TMenuItem(owner ? owner : form);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  TPopupMenu* NewPopup(std::initializer_list<const wchar_t*> captions) {
    auto* popup = new TPopupMenu(form);
    for (const wchar_t* caption : captions) NewItem(popup->Items(), caption);
    menus->HookPopupMenu(popup, true);
    return popup;
  }
  // Opens the popup, lets the check look at its painted window, and closes it.
  void Open(TPopupMenu* popup, const std::function<void(const TMenuShot&)>& check) {
    bool ran = false;
    TModalScript saved = SetModalDriver([&](const TModalLoop& loop) {
      TMenuShot shot;
      shot.Window = FindWindowW(L"#32768", nullptr);
      if (shot.Window) {
        UpdateWindow(shot.Window);
        GetWindowRect(shot.Window, &shot.Bounds);
        const int w = shot.Bounds.right - shot.Bounds.left, h = shot.Bounds.bottom - shot.Bounds.top;
        shot.Dib = std::make_unique<DibSection>(w, h);
        HDC dc = GetWindowDC(shot.Window);
        BitBlt(shot.Dib->DC(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
        ReleaseDC(shot.Window, dc);
        GdiFlush();
        ran = true;
        check(shot);
      }
      loop.End();
    });
    popup->Popup(200, 150);
    SetModalDriver(saved);
    ASSERT_TRUE(ran) << "the popup opened";
  }
  int TextHeightW() {
    TBitmap bmp(1, 1, pf24bit);
    bmp.Canvas()->Font()->Assign(Screen->MenuFont());
    return bmp.Canvas()->TextHeight(L"W");
  }
};

TEST_F(SkinMenus, TheItemsDCLeadsToThePopupWindowOfTheMenuClass) {
  TPopupMenu* popup = NewPopup({L"one", L"two"});
  String classOfItemWindow;
  HWND itemWindow = nullptr;
  popup->Items()->Items(0)->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, TRect, TOwnerDrawState) {
    itemWindow = WindowFromDC(canvas->Handle());
    classOfItemWindow = WindowClass(itemWindow);
  };
  Open(popup, [&](const TMenuShot& shot) { EXPECT_EQ(itemWindow, shot.Window); });
  EXPECT_EQ(classOfItemWindow, L"#32768");
}

TEST_F(SkinMenus, CaptionsMakeDividersCaptionItemsAndNormalItems) {
  const struct {
    const wchar_t* Caption;
    TsMenuItemType Type;
    const wchar_t* Shown;
  } cases[] = {{L"-", smDivider, L""},        {L"-x-", smCaption, L"x"},   {L"--", smCaption, L""},
               {L"-Two words-", smCaption, L"Two words"}, {L"a-b", smNormal, L""}, {L"-a", smNormal, L""}};
  for (const auto& c : cases) {
    EXPECT_EQ(MenuItemTypeOf(c.Caption), c.Type) << Narrow(c.Caption);
    if (c.Type == smCaption) {
      EXPECT_EQ(CaptionItemText(c.Caption), c.Shown) << Narrow(c.Caption);
    }
  }
}

TEST_F(SkinMenus, ItemsAreMeasuredByKindAndPaintedFromTheirSections) {
  manager->MenuSupport()->IcoLineSkin = L"ICOLINE";
  TPopupMenu* popup = NewPopup({L"A normal item with room", L"-", L"-Heading-", L"Last"});
  TMenuItem* normal = popup->Items()->Items(0);
  TMenuItem* divider = popup->Items()->Items(1);
  TMenuItem* heading = popup->Items()->Items(2);
  const int text = int(std::nearbyint(TextHeightW() * 1.25));
  Open(popup, [&](const TMenuShot& shot) {
    const RECT n = shot.Item(normal), d = shot.Item(divider), c = shot.Item(heading);
    EXPECT_EQ(n.bottom - n.top, std::max(text, 16) + 4);
    EXPECT_EQ(d.bottom - d.top, 2);
    EXPECT_EQ(c.bottom - c.top, text + 4);
    // Normal items on MENUITEM, the caption item on TOOLBAR, the divider's line from the channel.
    EXPECT_EQ(shot.At(n.right - 3, n.top + 2), kItem);
    EXPECT_EQ(shot.At(c.left + 3, c.top + 2), kCaptionItem);
    EXPECT_EQ(shot.At((d.left + d.right) / 2, d.top), kDivider);
    // The background holds the icon column inside the border; the border shows from it.
    TBitmap* bg = MenuState().MenuBackground;
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(Pixel24(bg, 3 + 1, bg->Height() / 2), kIcoLine);
    EXPECT_EQ(Pixel24(bg, 3 + 2 + 16 + 6 + 1, bg->Height() / 2), kMenuBg) << "right of the column";
    EXPECT_EQ(shot.At((shot.Bounds.right - shot.Bounds.left) / 2, 0), kMenuFrame);
  });
}

TEST_F(SkinMenus, ThePopupWindowsRegionLeavesOutTheMasksCornerRuns) {
  TPopupMenu* popup = NewPopup({L"one", L"two", L"three"});
  Open(popup, [&](const TMenuShot& shot) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(shot.Window, region), ERROR);
    const int w = shot.Bounds.right - shot.Bounds.left, h = shot.Bounds.bottom - shot.Bounds.top;
    const POINT out[] = {{0, 0}, {1, 0}, {0, 1}, {w - 1, 0}, {w - 2, 0}, {w - 1, 1},
                         {0, h - 1}, {1, h - 1}, {0, h - 2}, {w - 1, h - 1}, {w - 2, h - 1}, {w - 1, h - 2}};
    const POINT in[] = {{2, 0}, {1, 1}, {w - 3, 0}, {w - 2, 1}, {2, h - 1}, {1, h - 2}, {w / 2, h / 2}};
    for (POINT p : out) EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    for (POINT p : in) EXPECT_TRUE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    DeleteObject(region);
    EXPECT_EQ(menus->RegionRects().size(), 8u) << "two runs in each corner";
  });
}

TEST_F(SkinMenus, ACaptionStartingWithCharacterEightIsDrawnRightAligned) {
  TPopupMenu* popup = NewPopup({L"\x08" L"ab", L"A much longer item caption"});
  TMenuItem* right = popup->Items()->Items(0);
  Open(popup, [&](const TMenuShot& shot) {
    const RECT r = shot.Item(right);
    const int textLeft = r.left + 16 + 2 * 2 + 6, middle = (r.left + r.right) / 2;
    auto dark = [&](int from, int to) {
      int n = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = from; x < to; ++x) {
          TColor c = shot.At(x, y);
          n += (c & 0xFF) < 0x90 && ((c >> 8) & 0xFF) < 0x90 && ((c >> 16) & 0xFF) < 0x90;
        }
      return n;
    };
    EXPECT_EQ(dark(textLeft, middle), 0) << "nothing on the left";
    EXPECT_GT(dark(middle, r.right), 0) << "the text on the right";
  });
}

TEST_F(SkinMenus, ADisabledItemShowsFortyPercentOfItselfOverTheBackground) {
  TPopupMenu* popup = NewPopup({L"Enabled item caption", L"Disabled"});
  TMenuItem* disabled = popup->Items()->Items(1);
  disabled->SetEnabled(false);
  const TColor expected = [] {
    TColor result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int bg = (kMenuBg >> shift) & 0xFF, item = (kItem >> shift) & 0xFF;
      result |= TColor(std::nearbyint(bg - 0.4 * (bg - item))) << shift;
    }
    return result;
  }();
  Open(popup, [&](const TMenuShot& shot) {
    const RECT r = shot.Item(disabled);
    EXPECT_EQ(shot.At(r.right - 4, (r.top + r.bottom) / 2), expected);
    const RECT e = shot.Item(popup->Items()->Items(0));
    EXPECT_EQ(shot.At(e.right - 4, (e.top + e.bottom) / 2), kItem);
  });
}

TEST_F(SkinMenus, CheckedItemsShowTheRadioOrTheCheckGlyphAndTheBoxWhenTheSkinHasNoCheck) {
  auto glyphAt = [&](TMenuItem* item, const TMenuShot& shot) {
    const RECT r = shot.Item(item);
    return shot.At(r.left + 2 + 3, (r.top + r.bottom) / 2);
  };
  for (bool withCheck : {true, false}) {
    if (!withCheck) {
      ControlsSkin({kGlobalFont, false}).WriteFolder(Narrow(Dir()) + "/NoCheck");
      manager->SetSkinName(L"NoCheck");
    }
    TPopupMenu* popup = NewPopup({L"Radio item", L"Checked item", L"Plain item"});
    TMenuItem* radio = popup->Items()->Items(0);
    TMenuItem* checked = popup->Items()->Items(1);
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    checked->SetChecked(true);
    Open(popup, [&](const TMenuShot& shot) {
      EXPECT_EQ(glyphAt(radio, shot), kRadio[0]);
      EXPECT_EQ(glyphAt(checked, shot), withCheck ? kCheck[0] : kBox[0]);
      EXPECT_EQ(glyphAt(popup->Items()->Items(2), shot), kItem);
    });
  }
}

TEST_F(SkinMenus, TheBackgroundIsKeptForTheMenuOfItsFirstItem) {
  TPopupMenu* a = NewPopup({L"a one", L"a two"});
  TPopupMenu* b = NewPopup({L"b one", L"b two", L"b three", L"b four"});
  TacMenuState& s = MenuState();
  Open(a, [&](const TMenuShot& shot) {
    ASSERT_NE(s.MenuBackground, nullptr);
    EXPECT_EQ(s.CachedFirstItem, a->Items()->Items(0));
    EXPECT_EQ(s.MenuBackground->Height(), shot.Bounds.bottom - shot.Bounds.top);
    EXPECT_TRUE(s.SkinnedMenuOpen);
    // An item of another menu drops the cache and keys it anew.
    TBitmap canvasHolder(1, 1, pf24bit);
    int w = 0, h = 0;
    menus->MeasurePopupItem(b->Items()->Items(1), canvasHolder.Canvas(), w, h);
    EXPECT_EQ(s.MenuBackground, nullptr);
    EXPECT_EQ(s.CachedFirstItem, b->Items()->Items(0));
  });
  EXPECT_EQ(s.MenuBackground, nullptr) << "the closed window dropped it";
  Open(b, [&](const TMenuShot& shot) {
    ASSERT_NE(s.MenuBackground, nullptr);
    EXPECT_EQ(s.CachedFirstItem, b->Items()->Items(0));
    EXPECT_EQ(s.MenuBackground->Height(), shot.Bounds.bottom - shot.Bounds.top);
  });
}

TEST_F(SkinMenus, TheExtraLineShowsItsDefaultCaptionUnlessTheFirstItemIsTheSkinSelector) {
  manager->MenuSupport()->UseExtraLine = true;
  int asked = 0;
  TPopupMenu* popup = NewPopup({L"First", L"Second"});
  Open(popup, [&](const TMenuShot& shot) {
    EXPECT_TRUE(MenuState().ExtraLineVisible);
    EXPECT_EQ(MenuState().ExtraLineCaption, L"Don`t forget OnGetExtraLineData event...");
    EXPECT_EQ(MenuState().ExtraLineSection, L"EXTRALINE");
    const RECT r = shot.Item(popup->Items()->Items(1));
    EXPECT_EQ(shot.At(3 + 1, (r.top + r.bottom) / 2), kExtra);
  });

  manager->OnGetMenuExtraLineData = [&](TMenuItem* first, String&, String& caption, TBitmap*&, bool&) {
    ++asked;
    EXPECT_EQ(first->Name(), L"SkinSelectItem");
    caption = L"&Never";
  };
  TPopupMenu* selector = NewPopup({L"Skins", L"Other"});
  selector->Items()->Items(0)->SetName(L"SkinSelectItem");
  Open(selector, [&](const TMenuShot& shot) {
    EXPECT_FALSE(MenuState().ExtraLineVisible);
    const RECT r = shot.Item(selector->Items()->Items(1));
    EXPECT_NE(shot.At(3 + 1, (r.top + r.bottom) / 2), kExtra);
  });
  EXPECT_EQ(asked, 0);
}

TEST_F(SkinMenus, HandlersAProgramSetAreNeverReplacedOrRemoved) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* own = NewItem(popup->Items(), L"own");
  TMenuItem* plain = NewItem(popup->Items(), L"plain");
  TMenuItem* sub = NewItem(plain, L"sub");
  const TAdvancedMenuDrawItemEvent draw = [](TObject*, TCanvas*, TRect, TOwnerDrawState) {};
  const TMenuMeasureItemEvent measure = [](TObject*, TCanvas*, int&, int&) {};
  own->OnAdvancedDrawItem = draw;
  own->OnMeasureItem = measure;
  menus->HookPopupMenu(popup, true);
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(popup->MenuAnimation.Contains(maNoAnimation));
  EXPECT_TRUE(own->OnAdvancedDrawItem == draw);
  EXPECT_TRUE(own->OnMeasureItem == measure);
  EXPECT_TRUE(plain->OnAdvancedDrawItem && sub->OnAdvancedDrawItem && sub->OnMeasureItem);
  menus->HookPopupMenu(popup, false);
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(popup->MenuAnimation.Contains(maNoAnimation));
  EXPECT_TRUE(own->OnAdvancedDrawItem == draw);
  EXPECT_TRUE(own->OnMeasureItem == measure);
  EXPECT_FALSE(plain->OnAdvancedDrawItem || plain->OnMeasureItem || sub->OnAdvancedDrawItem);
}

TEST_F(SkinMenus, WithoutSkinnedPopupsOnlyTheMenuBarStaysOwnerDrawn) {
  // Menus the application owns, as the walk finds them.
  auto* popup = new TPopupMenu(Application);
  TMenuItem* item = NewItem(popup->Items(), L"popup item", Application);
  auto* main = new TMainMenu(Application);
  TMenuItem* top = NewItem(main->Items(), L"&File", Application);
  TMenuItem* open = NewItem(top, L"Open", Application);
  menus->UpdateMenus();
  ASSERT_TRUE(menus->Active());
  EXPECT_TRUE(popup->OwnerDraw() && popup->MenuAnimation.Contains(maNoAnimation));
  EXPECT_TRUE(item->OnAdvancedDrawItem && open->OnAdvancedDrawItem);
  EXPECT_TRUE(main->OwnerDraw() && top->OnAdvancedDrawItem && top->OnMeasureItem);

  manager->SetSkinnedPopups(false);
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(popup->MenuAnimation.Contains(maNoAnimation));
  EXPECT_FALSE(item->OnAdvancedDrawItem || open->OnAdvancedDrawItem);
  EXPECT_TRUE(main->OwnerDraw() && top->OnAdvancedDrawItem && top->OnMeasureItem);

  // A manager that goes takes its handlers with it.
  manager.reset();
  EXPECT_FALSE(top->OnAdvancedDrawItem || top->OnMeasureItem);
  EXPECT_FALSE(main->OwnerDraw());
  popup->Free();
  main->Free();
}

TEST_F(SkinMenus, TheBorderWidthIsTakenFromTheSkinAfterEachApply) {
  menus->SetSkinBorderWidth(9);
  EXPECT_EQ(menus->SkinBorderWidth(), 9);
  manager->ApplySkin();
  EXPECT_EQ(menus->SkinBorderWidth(), 3) << "the MAINMENU mask's border";
}

TEST_F(SkinMenus, AnItemPostedToTheApplicationWindowIsForgottenWhenFreed) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* item = NewItem(popup->Items(), L"gone");
  PostPaintPopupItem(item);
  EXPECT_EQ(PostedPopupItem(), item);
  const LPARAM stale = reinterpret_cast<LPARAM>(item);
  item->Free();
  EXPECT_EQ(PostedPopupItem(), nullptr);
  TMessage message{kMsgPaintPopupItem, 0, stale, 0};
  EXPECT_TRUE(manager->PopupHook(message));
  MSG queued;
  while (PeekMessageW(&queued, Application->Handle(), kMsgPaintPopupItem, kMsgPaintPopupItem, PM_REMOVE)) {
  }
}

TEST_F(SkinMenus, AnOpeningDropDownButtonGetsItsHintsBack) {
  auto* button = new TsSpeedButton(form);
  TacDropDownState& drop = DropDownState();
  drop = TacDropDownState{button, true, true, false};
  Application->SetShowHint(false);
  TPopupMenu* popup = NewPopup({L"one"});
  Open(popup, [&](const TMenuShot&) {});
  EXPECT_EQ(drop.OpenButton, nullptr);
  EXPECT_FALSE(drop.HintsSuppressed);
  EXPECT_TRUE(Application->ShowHint());
}

// ---- the menu bar --------------------------------------------------------------------------------

class TTestMenuLine : public TacSkinProviderBase, public TacMenuLineProvider {
 public:
  explicit TTestMenuLine(TsSkinManager* manager) : manager_(manager), line_(FilledBmp24(400, 40, kLine)) {}
  static constexpr TColor kLine = 0x406080;
  TsSkinManager* ProviderManager() const override { return manager_; }
  void UpdateProviderFrame() override {}
  TBitmap* MenuLineImage() override { return line_.get(); }
  int CaptionAndFrameHeight() override { return 0; }
  int LeftFrameOffset() override { return 4; }
  bool MDIChildMaximized() override { return false; }

 private:
  TsSkinManager* manager_;
  BitmapPtr line_;
};

// A form that hands out the test provider as its skinning provider.
class TProvidedForm : public TForm {
 public:
  TProvidedForm() : TForm(nullptr, 0) {}
  TacSkinProviderBase* Provider = nullptr;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == SM_ALPHACMD && message.WParamHi() == scGetProvider) {
      message.Result = reinterpret_cast<LRESULT>(Provider);
      return;
    }
    TForm::WndProc(message);
  }
};

TEST_F(SkinMenus, MenuBarItemsArePaintedOverTheProvidersMenuLine) {
  TTestMenuLine provider(manager.get());
  ObjectPtr<TProvidedForm> owner(new TProvidedForm());
  owner->HandleNeeded();
  auto* main = new TMainMenu(owner.get());
  TMenuItem* file = NewItem(main->Items(), L"&File", owner.get());
  TMenuItem* gone = NewItem(main->Items(), L"Gone", owner.get());
  gone->SetEnabled(false);
  owner->SetMenu(main);
  menus->HookMainMenu(main, true);
  ASSERT_TRUE(file->OnAdvancedDrawItem);

  TBitmap measure(1, 1, pf24bit);
  int w = 0, h = 0;
  file->MeasureItem(measure.Canvas(), w, h);
  measure.Canvas()->Font()->Assign(Screen->MenuFont());
  EXPECT_EQ(w, measure.Canvas()->TextWidth(L"File"));
  EXPECT_EQ(h, GetSystemMetrics(SM_CYMENU) - 1);

  int drawnAsTopLine = 0;
  menus->OnDrawItem = [&](TObject*, TCanvas*, TRect, TOwnerDrawState, TsMenuItemType type) {
    drawnAsTopLine += type == smTopLine;
  };
  auto paint = [&](TMenuItem* item, TOwnerDrawState state) {
    auto dib = std::make_unique<DibSection>(60, 20);
    FillDC(dib->DC(), TRect(0, 0, 60, 20), clWhite);
    TCanvas canvas;
    canvas.SetHandle(dib->DC());
    menus->DrawMenuBarItem(item, &canvas, TRect(0, 0, 60, 20), state);
    canvas.SetHandle(nullptr);
    GdiFlush();
    return dib;
  };
  EXPECT_EQ(FromDib(paint(file, {})->Pixel(2, 2)), clWhite) << "no provider: left to the system";
  owner->Provider = &provider;
  EXPECT_EQ(FromDib(paint(file, {})->Pixel(2, 2)), kItem);
  EXPECT_EQ(FromDib(paint(file, {odSelected})->Pixel(2, 2)), kItemHot);
  EXPECT_EQ(drawnAsTopLine, 2);
  // A disabled item: 102 of 255 of its face over the menu line.
  TColor blended = 0;
  for (int shift = 0; shift < 24; shift += 8)
    blended |= TColor((((kItem >> shift) & 0xFF) * 102 + ((TTestMenuLine::kLine >> shift) & 0xFF) * 153 + 127) >> 8)
               << shift;
  EXPECT_EQ(FromDib(paint(gone, {})->Pixel(2, 2)), blended);
  owner->SetMenu(nullptr);
}

}  // namespace
