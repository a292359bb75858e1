// The static item's sizes and setters, the large button's image index rules through a form stream,
// its image lookup, and on an Office11 toolbar its gray-scale glyph and glyph size; the place form's
// background taken from the bar under it.
#include <gtest/gtest.h>

#include <functional>

#include "platform/framework/classes/Filer.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/bars/BarTestWindow.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/Bars.h"
#include "ui/bars/painters/BarPainters.h"
#include "ui/bars/items/BarLargeButton.h"
#include "ui/bars/items/BarStatic.h"
#include "ui/bars/items/PlaceForm.h"

using namespace bar_testing;
using window_testing::ProcessMessages;

namespace {

// ---- the large button's image indexes through a stream ---------------------------------------------

AnsiString PropertiesOf(TPersistent& Instance) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteProperties(Instance);
  writer.WriteListEnd();
  return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

AnsiString ImageIndexRecord(int Value) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WritePropName(L"ImageIndex");
  writer.WriteInteger(Value);
  writer.WriteListEnd();
  return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

bool HoldsImageIndex(const AnsiString& Data) { return Data.find("ImageIndex") != AnsiString::npos; }

class LargeButtonStream : public BarFixture {
 protected:
  // A button built inside the form's loading bracket: its published values, then its stream data.
  TdxBarLargeButton* Load(const std::function<void(TdxBarLargeButton*)>& Published, const AnsiString& Data) {
    TLoadingBracket loading(*form);
    auto* button = loading.Add(new TdxBarLargeButton(form));
    button->SetName(L"Large" + IntToStr(++count_));
    if (Published) Published(button);
    loading.SetData(button, Data);
    loading.End();
    return button;
  }

 private:
  int count_ = 0;
};

TEST_F(LargeButtonStream, ImageIndexesFollowTheLoadingRulesAndRoundTrip) {
  const AnsiString none(1, '\0');
  struct Case {
    const char* name;
    std::function<void(TdxBarLargeButton*)> published;
    AnsiString data;
    int large, image;
    bool sync, written;
  } cases[] = {
      {"only ImageIndex in the stream", nullptr, ImageIndexRecord(3), 3, 3, true, false},
      {"SyncImageIndex False", [](TdxBarLargeButton* b) { b->SetSyncImageIndex(false); }, ImageIndexRecord(3), -1, 3,
       false, true},
      {"only LargeImageIndex", [](TdxBarLargeButton* b) { b->SetLargeImageIndex(4); }, none, 4, 4, true, false},
      {"both, different", [](TdxBarLargeButton* b) { b->SetLargeImageIndex(4); }, ImageIndexRecord(3), 4, 3, false,
       true},
      {"as written without synchronisation",
       [](TdxBarLargeButton* b) {
         b->SetSyncImageIndex(false);
         b->SetLargeImageIndex(4);
       },
       ImageIndexRecord(3), 4, 3, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TdxBarLargeButton* button = Load(c.published, c.data);
    EXPECT_EQ(button->LargeImageIndex(), c.large);
    EXPECT_EQ(button->ImageIndex(), c.image);
    EXPECT_EQ(button->SyncImageIndex(), c.sync);
    EXPECT_FALSE(button->ImageIndexSetWhileReading() || button->LargeImageIndexSetWhileReading() ||
                 button->SyncImageIndexSetWhileReading());
    const AnsiString written = PropertiesOf(*button);
    EXPECT_EQ(HoldsImageIndex(written), c.written);
    // Read back with the values a writer stores (LargeImageIndex, SyncImageIndex when False) and the
    // stream data, the button comes out the same.
    const int large = button->LargeImageIndex();
    const bool sync = button->SyncImageIndex();
    TdxBarLargeButton* copy = Load(
        [&](TdxBarLargeButton* b) {
          if (!sync) b->SetSyncImageIndex(false);
          if (large != -1) b->SetLargeImageIndex(large);
        },
        written);
    EXPECT_EQ(copy->LargeImageIndex(), c.large);
    EXPECT_EQ(copy->ImageIndex(), c.image);
    EXPECT_EQ(copy->SyncImageIndex(), c.sync);
  }
}

TEST_F(LargeButtonStream, AtRunTimeImageIndexStopsTheSynchronisationAndLargeImageIndexLeadsIt) {
  TdxBarLargeButton* button = Load(nullptr, ImageIndexRecord(2));
  button->SetLargeImageIndex(5);
  EXPECT_EQ(button->ImageIndex(), 5);
  EXPECT_TRUE(button->SyncImageIndex());
  button->SetImageIndex(7);
  EXPECT_FALSE(button->SyncImageIndex());
  EXPECT_EQ(button->LargeImageIndex(), 5);
  button->SetLargeImageIndex(6);
  EXPECT_EQ(button->ImageIndex(), 7);
  // Switched on again, ImageIndex takes the large one.
  button->SetSyncImageIndex(true);
  EXPECT_EQ(button->ImageIndex(), 6);
}

// ---- the static item's sizes with the test painter ----------------------------------------------------

class StaticSizes : public BarWindowFixture {};

TEST_F(StaticSizes, FixedMeasuredIndentedBorderedInMenusAndOnVerticalBars) {
  struct Case {
    const char* name;
    int kind;  // 0 toolbar, 2 menu
    bool vertical;
    int width, height, left, right;
    TdxBarStaticBorderStyle border;
    bool glyph, showCaption;
    // The expected size from the window's text size t, the caption width c (7 pixels a
    // character), the glyph cell (23 x 22 for a 16-pixel glyph) and the menu's text indent m.
    std::function<TSize(int t, int c, int m)> want;
  } cases[] = {
      {"fixed width", 0, false, 120, 0, 0, 0, sbsNone, false, true, [](int t, int, int) { return TSize{120, t - 3}; }},
      {"fixed width, etched", 0, false, 120, 0, 0, 0, sbsEtched, false, true,
       [](int t, int, int) { return TSize{120, t - 3 + 4}; }},
      {"fixed both", 0, false, 50, 30, 0, 0, sbsBump, false, true, [](int, int, int) { return TSize{50, 30}; }},
      {"measured text, indents, lowered", 0, false, 0, 0, 4, 6, sbsLowered, false, true,
       [](int t, int c, int) { return TSize{c + t / 2 + 10 + 2, t - 3 + 2}; }},
      {"text and glyph", 0, false, 0, 0, 0, 0, sbsNone, true, true,
       [](int t, int c, int) { return TSize{23 + c + 4, std::max(22, t - 3)}; }},
      {"glyph only", 0, false, 0, 0, 0, 0, sbsRaised, true, false, [](int, int, int) { return TSize{23 + 2, 22 + 2}; }},
      {"in a menu", 2, false, 0, 0, 0, 0, sbsNone, true, true, [](int t, int c, int m) { return TSize{m + c + 4, t}; }},
      {"on a vertical bar", 0, true, 120, 0, 0, 0, sbsNone, false, true, [](int t, int, int) { return TSize{t - 3, 120}; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* item = NewItem<TdxBarStatic>(L"Static" + IntToStr(int(windows.size())), L"Label");
    item->SetWidth(c.width);
    item->SetHeight(c.height);
    item->SetLeftIndent(c.left);
    item->SetRightIndent(c.right);
    item->SetBorderStyle(c.border);
    item->SetShowCaption(c.showCaption);
    if (c.glyph) {
      TBitmap glyph(16, 16);
      item->SetGlyph(&glyph);
    }
    TTestBarControl* window = NewWindow(c.kind, c.kind == 2 ? pkMenu : pkToolbar);
    window->Vertical = c.vertical;
    window->ItemLinks()->AddItemLink(item);
    window->ShowAt(200, 200, 300, 300);
    TdxBarItemControl* control = window->ItemLinks()->LinkAt(0)->ItemControl();
    ASSERT_NE(dynamic_cast<TdxBarStaticControl*>(control), nullptr);
    const int menuIndent = c.kind == 2 ? manager->Painter()->MenuItemTextIndentFor(window) : 0;
    const TSize want = c.want(window->TextSize(), 7 * 5, menuIndent);
    EXPECT_EQ(control->MeasureWidth(), want.cx);
    EXPECT_EQ(control->MeasureHeight(), want.cy);
  }
}

TEST_F(StaticSizes, NegativeSizesAreStoredAsZeroAndClicksNeedAllowClick) {
  auto* item = NewItem<TdxBarStatic>(L"Static", L"Label");
  EXPECT_EQ(item->Alignment(), taCenter);
  EXPECT_TRUE(item->ShowCaption());
  for (auto set : {&TdxBarStatic::SetLeftIndent, &TdxBarStatic::SetRightIndent, &TdxBarStatic::SetHeight}) {
    (item->*set)(7);
    (item->*set)(-5);
  }
  item->SetWidth(-5);
  EXPECT_EQ(item->LeftIndent(), 0);
  EXPECT_EQ(item->RightIndent(), 0);
  EXPECT_EQ(item->Height(), 0);
  EXPECT_EQ(item->Width(), 0);

  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  TTestBarControl* window = NewWindow();
  window->ItemLinks()->AddItemLink(item);
  window->ShowAt(200, 200, 300, 40);
  TdxBarItemControl* control = window->ItemLinks()->LinkAt(0)->ItemControl();
  EXPECT_FALSE(control->CanSelect());
  control->ControlClick(true, 0);
  EXPECT_EQ(clicks, 0);
  item->AllowClick = true;
  EXPECT_TRUE(control->CanSelect());
  EXPECT_TRUE(control->ActsAsButton());
  control->ControlClick(true, 0);
  EXPECT_EQ(clicks, 1);
  item->SetEnabled(false);
  EXPECT_FALSE(control->CanSelectForKeyboard());
}

// ---- the large button on a real Office11 toolbar --------------------------------------------------

DWORD PixelOf(HWND Window, int X, int Y) {
  HDC dc = GetDC(Window);
  const COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(Window, dc);
  return c;
}

bool IsGray(COLORREF C) { return GetRValue(C) == GetGValue(C) && GetGValue(C) == GetBValue(C); }

// A glyph of one colour; its bottom-left pixel, the transparent colour of glyphs, is white.
TBitmap* SolidBitmap(int Size, COLORREF Color) {
  auto* bitmap = new TBitmap(Size, Size);
  HDC dc = bitmap->Canvas()->Handle();
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r{0, 0, Size, Size};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SetPixel(dc, 0, Size - 1, RGB(255, 255, 255));
  return bitmap;
}

// A large button on a real Office11 toolbar of a shown form.
class LargeButtonOnToolbar : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    manager->SetStyle(bmsOffice11);
    form->SetBounds(100, 100, 640, 300);
    form->Show();
    ProcessMessages();
  }
  TdxBar* NewBar(TdxBarItem* Item) {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetCaption(L"Large");
    bar->ItemLinks()->AddItemLink(Item);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    ProcessMessages();
    return bar;
  }
  // The control's window paints now, without a hot control left by the pointer.
  static void Settle(TdxBarControl* Window, TdxBarItemControl* Hot) {
    Window->HotTrack(Hot);
    Window->Invalidate();
    UpdateWindow(Window->Handle());
  }
};

TEST_F(LargeButtonOnToolbar, ItsGlyphIsGrayUntilHotAndKeepsItsOwnSize) {
  auto* button = NewItem<TdxBarLargeButton>(L"Large", L"Go");
  button->SetShowCaption(false);
  std::unique_ptr<TBitmap> red(SolidBitmap(32, RGB(230, 20, 20)));
  button->SetLargeGlyph(red.get());
  TdxBar* bar = NewBar(button);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  TdxBarItemControl* control = bar->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(dynamic_cast<TdxBarLargeButtonControl*>(control), nullptr);
  // A 32-pixel glyph without caption: 32 + 10 wide, 32 + 6 high.
  const TRect r = control->ViewInfo()->BoundsRect();
  EXPECT_EQ(r.Width(), 42);
  EXPECT_EQ(r.Height(), 38);
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;

  Settle(window, nullptr);
  const COLORREF cold = PixelOf(window->Handle(), x, y);
  EXPECT_TRUE(IsGray(cold)) << std::hex << cold;
  Settle(window, control);
  ASSERT_EQ(window->SelectedItemControl(), control);
  EXPECT_EQ(PixelOf(window->Handle(), x, y), RGB(230, 20, 20));
  button->SetAutoGrayScale(false);
  Settle(window, nullptr);
  EXPECT_EQ(PixelOf(window->Handle(), x, y), RGB(230, 20, 20));

  // Without any image the painter's glyph cell for the manager stands in (16 for Office11).
  TBitmap none;
  button->SetLargeGlyph(&none);
  ProcessMessages();
  control = bar->ItemLinks()->LinkAt(0)->ItemControl();
  const int cell = manager->Painter()->ButtonGlyphSizeForManager(manager);
  EXPECT_EQ(control->ViewInfo()->BoundsRect().Width(), cell + 10);
}

TEST_F(LargeButtonOnToolbar, ImagesAreLookedUpHotFirstWhileHotAndLargeFirstOtherwise) {
  auto* small = new TCustomImageList(form);
  auto* hot = new TCustomImageList(form, 32, 32);
  auto* large = new TCustomImageList(form, 32, 32);
  TBitmap picture(16, 16), largePicture(32, 32);
  small->Add(&picture, nullptr);
  hot->Add(&largePicture, nullptr);
  large->Add(&largePicture, nullptr);
  manager->SetImages(small);
  std::unique_ptr<TBitmap> hotGlyph(SolidBitmap(32, RGB(0, 200, 0)));
  std::unique_ptr<TBitmap> largeGlyph(SolidBitmap(32, RGB(0, 0, 200)));
  TBitmap none;
  auto* button = NewItem<TdxBarLargeButton>(L"Large", L"Go");
  TdxBar* bar = NewBar(button);
  enum Source { kNone, kHotGlyph, kHotList, kLargeGlyph, kLargeList, kSmallList };
  struct Case {
    const char* name;
    bool isHot, hotGlyph, hotList, largeGlyph, largeList, largeImagesAssigned;
    Source want;
  } cases[] = {
      {"hot, everything", true, true, true, true, true, true, kHotGlyph},
      {"hot, the hot list", true, false, true, true, true, true, kHotList},
      {"hot, no hot image", true, false, false, true, true, true, kLargeGlyph},
      {"hot, the large list", true, false, false, false, true, true, kLargeList},
      {"cold, everything", false, true, true, true, true, true, kLargeGlyph},
      {"cold, the large list", false, true, true, false, true, true, kLargeList},
      {"cold, only hot images", false, true, true, false, false, true, kHotGlyph},
      {"cold, only the hot list", false, false, true, false, false, true, kHotList},
      {"nothing", false, false, false, false, false, true, kNone},
      {"nothing, no large list", true, false, false, false, false, false, kSmallList},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager->SetHotImages(c.hotList ? hot : nullptr);
    manager->SetLargeImages(c.largeImagesAssigned ? large : nullptr);
    button->SetHotImageIndex(c.hotList ? 0 : -1);
    button->SetLargeImageIndex(c.largeList ? 0 : -1);
    button->SetHotGlyph(c.hotGlyph ? hotGlyph.get() : &none);
    button->SetLargeGlyph(c.largeGlyph ? largeGlyph.get() : &none);
    ProcessMessages();
    TdxBarItemControl* control = bar->ItemLinks()->LinkAt(0)->ItemControl();
    ASSERT_NE(control, nullptr);
    bar->Control()->HotTrack(c.isHot ? control : nullptr);
    int index = -2;
    TCustomImageList* images = nullptr;
    TBitmap* glyph = nullptr;
    const bool found = control->GetImageInfo(bvsLarge, {cpIcon}, index, images, glyph);
    EXPECT_EQ(found, c.want != kNone && c.want != kSmallList);
    switch (c.want) {
      case kHotGlyph: EXPECT_EQ(glyph, button->HotGlyph()); break;
      case kLargeGlyph: EXPECT_EQ(glyph, button->LargeGlyph()); break;
      case kHotList: EXPECT_EQ(images, hot); EXPECT_EQ(index, 0); EXPECT_EQ(glyph, nullptr); break;
      case kLargeList: EXPECT_EQ(images, large); EXPECT_EQ(index, 0); EXPECT_EQ(glyph, nullptr); break;
      case kNone: EXPECT_EQ(images, large); EXPECT_EQ(index, -1); EXPECT_EQ(glyph, nullptr); break;
      case kSmallList: EXPECT_EQ(images, small); EXPECT_EQ(index, -1); EXPECT_EQ(glyph, nullptr); break;
    }
    bar->Control()->HotTrack(nullptr);
  }
}

// ---- the place form ---------------------------------------------------------------------------------

TEST_F(LargeButtonOnToolbar, APlaceFormShowsTheBarsGradientUnderItAndItsBrushWithoutAControl) {
  auto* button = NewItem<TdxBarLargeButton>(L"Large", L"A wide caption for room");
  TdxBar* bar = NewBar(button);
  TdxBarControl* window = bar->Control();
  TdxBarItemControl* control = bar->ItemLinks()->LinkAt(0)->ItemControl();
  ASSERT_NE(control, nullptr);
  Settle(window, nullptr);
  const TRect r = control->ViewInfo()->BoundsRect();
  ASSERT_GT(r.Height(), 20);

  auto* place = new TPlaceForm(nullptr);
  place->SetParent(window);
  place->SetBounds(r.left + 2, r.top + 2, 20, r.Height() - 4);
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  place->SetBrush(green);
  place->Show();
  ProcessMessages();
  struct Case {
    bool withControl;
  } cases[] = {{true}, {false}};
  for (const Case& c : cases) {
    place->ItemControl = c.withControl ? control : nullptr;
    RedrawWindow(place->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    // The form's top, middle and bottom rows against the bar's pixels at the same heights (its very
    // last row would meet the toolbar's rounded corner at the probe column).
    for (const int y : {0, int(r.Height()) / 2, int(r.Height()) - 6}) {
      const COLORREF shown = PixelOf(place->Handle(), 5, y);
      if (c.withControl) {
        // Across a horizontal toolbar the background changes only from top to bottom.
        const COLORREF bar = PixelOf(window->Handle(), r.right - 2, r.top + 2 + y);
        EXPECT_EQ(shown, bar) << "row " << y;
      } else {
        EXPECT_EQ(shown, RGB(0, 160, 0)) << "row " << y;
      }
    }
  }
  // The bar's background is a gradient: its top and bottom rows differ.
  EXPECT_NE(PixelOf(window->Handle(), r.right - 2, r.top + 2), PixelOf(window->Handle(), r.right - 2, r.bottom - 3));
  place->Free();
  DeleteObject(green);
}

}  // namespace
