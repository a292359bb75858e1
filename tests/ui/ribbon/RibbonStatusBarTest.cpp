// The ribbon status bar: its owner checks, the ribbon it registers with, the frame it answers, the
// colour that follows the skin, and its painting probed with and without a ribbon.

#include <gtest/gtest.h>

#include "platform/framework/controls/ExtCtrls.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/navbar/skins/GdiPlus.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/statusbar/RibbonStatusBar.h"

using ribbon_testing::DibSection;
using ribbon_testing::NearPixel;

namespace {

class RibbonStatusBarTest : public ribbon_testing::RibbonFormFixture {
 protected:
  void SetUp() override {
    RibbonFormFixture::SetUp();
    MakeForm(L"StatusForm", 600);
    form->SetBorderStyle(bsSizeable);
    bar = new TdxRibbonStatusBar(form);
    bar->SetName(L"StatusBar");
    bar->SetParent(form);
  }
  void TearDown() override {
    ForceGdiPlusUnavailable(false);
    RibbonFormFixture::TearDown();
  }
  TdxStatusBarPanel* AddPanel(int Width, TdxStatusBarPanelBevel Bevel) {
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetWidth(Width);
    panel->SetBevel(Bevel);
    return panel;
  }
  std::unique_ptr<DibSection> Paint() {
    auto dib = std::make_unique<DibSection>(bar->Width(), bar->Height());
    bar->PaintTo(dib->DC(), 0, 0);
    return dib;
  }

  // A toolbar of Buttons buttons in a new toolbar panel of the given width.
  TdxStatusBarToolbarPanelStyle* AddToolbarPanel(const String& Name, int Buttons, int Width) {
    TdxBar* toolbar = manager->Bars()->Add();
    toolbar->SetName(Name);
    for (int i = 0; i < Buttons; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption(Name + IntToStr(i));
      toolbar->ItemLinks()->AddItemLink(button);
    }
    toolbar->SetVisible(true);
    TdxStatusBarPanel* panel = bar->AddPanel();
    panel->SetPanelStyleClassName(L"TdxStatusBarToolbarPanelStyle");
    panel->SetWidth(Width);
    auto* style = static_cast<TdxStatusBarToolbarPanelStyle*>(panel->PanelStyle());
    style->SetToolbar(toolbar);
    return style;
  }

  TdxRibbonStatusBar* bar = nullptr;
};

TEST_F(RibbonStatusBarTest, RefusedStatusBarsAreNeverMade) {
  auto* notAForm = new TComponent(form);
  struct Case {
    const wchar_t* name;
    TComponent* owner;
    bool gdiPlus;
    const wchar_t* message;
  } cases[] = {
      {L"no GDI+", form, false, L"TdxRibbonStatusBar requires the GDI+ library to be installed"},
      {L"owner not a form", notAForm, true, L"TdxRibbonStatusBar should have TCustomForm as its Owner"},
      {L"second status bar", form, true, L"There should be only one TdxRibbonStatusBar instance on the form"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ForceGdiPlusUnavailable(!c.gdiPlus);
    const int components = c.owner->ComponentCount();
    String message;
    try {
      new TdxRibbonStatusBar(c.owner);
    } catch (const Exception& e) {
      message = e.Message();
    }
    ForceGdiPlusUnavailable(false);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(c.owner->ComponentCount(), components);
  }
}

TEST_F(RibbonStatusBarTest, AParentOffAnyFormIsRefusedAndTheBarGoesBelowOtherBottomControls) {
  auto* loose = new TPanel(form);
  auto* other = new TdxRibbonStatusBar(new TForm(form, 0));
  try {
    other->SetParent(loose);
    ADD_FAILURE() << "a parent without a form was taken";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"TdxRibbonStatusBar should have TCustomForm as its Parent");
  }
  auto* bottom = new TPanel(form);
  bottom->SetParent(form);
  bottom->SetAlign(alBottom);
  bottom->SetHeight(30);
  bar->SetParent(nullptr);
  bar->SetParent(form);
  EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
  EXPECT_EQ(bottom->Top() + bottom->Height(), bar->Top());
}

TEST_F(RibbonStatusBarTest, BindingRegistersWithTheRibbonAndAFreedRibbonLetsGo) {
  EXPECT_EQ(bar->Height(), 23);
  bar->SetRibbon(ribbon);
  bar->SetRibbon(ribbon);
  EXPECT_EQ(ribbon->StatusBars(), std::vector<TObject*>{bar}) << "registered once";
  bar->SetRibbon(nullptr);
  EXPECT_TRUE(ribbon->StatusBars().empty());
  bar->SetRibbon(ribbon);
  FreeAndNil(ribbon);
  EXPECT_EQ(bar->Ribbon(), nullptr);
  EXPECT_EQ(bar->Color(), clBtnFace);
}

TEST_F(RibbonStatusBarTest, TheFrameInfoAnswersTheFormItSitsOnAndItsEdges) {
  bar->SetRibbon(ribbon);
  form->Show();
  auto* info = static_cast<IdxRibbonStatusBarFrameInfo*>(bar);
  EXPECT_TRUE(info->IsShownFor(form));
  EXPECT_FALSE(info->IsShownFor(nullptr));
  EXPECT_EQ(info->GetHeight(), 23);
  struct Case {
    TdxStatusBarPanelBevel first, last;
    bool gripShown, firstRaised, lastFlat;
  } cases[] = {
      {dxpbRaised, dxpbLowered, true, true, true},
      {dxpbLowered, dxpbRaised, true, false, false},
      {dxpbNone, dxpbNone, false, false, true},
  };
  for (const Case& c : cases) {
    bar->Panels()->Clear();
    AddPanel(100, c.first);
    AddPanel(100, c.last);
    bar->SetSizeGrip(c.gripShown);
    EXPECT_EQ(info->GetEdgeFlag(0), c.gripShown);
    EXPECT_EQ(info->GetEdgeFlag(1), c.firstRaised);
    EXPECT_EQ(bar->LastPanelFlat(), c.lastFlat);
  }
  bar->Panels()->Clear();
  EXPECT_TRUE(bar->LastPanelFlat()) << "no panels";
  bar->SetVisible(false);
  EXPECT_FALSE(info->IsShownFor(form));
}

TEST_F(RibbonStatusBarTest, TheColourFollowsTheSchemeUntilSetAndTextTakesTheSkinsColour) {
  bar->SetRibbon(ribbon);
  for (const wchar_t* scheme : {L"Black", L"Silver", L"Blue"}) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    ribbon->SetColorSchemeName(scheme);
    TdxCustomRibbonSkin* skin = ribbon->ColorScheme();
    EXPECT_EQ(bar->Color(), skin->PartColorOf(10018, 0));
    for (bool active : {true, false}) {
      TColor text = clDefault;
      bar->AdjustDefaultTextColor(text, active);
      EXPECT_EQ(text, skin->PartColorOf(10138, active ? 0 : 1)) << active;
    }
  }
  bar->SetColor(clRed);
  ribbon->SetColorSchemeName(L"Black");
  EXPECT_EQ(bar->Color(), clRed) << "a colour set stays";
  bar->SetColor(clDefault);
  EXPECT_EQ(bar->Color(), ribbon->ColorScheme()->PartColorOf(10018, 0));
  bar->SetRibbon(nullptr);
  TColor text = clDefault;
  bar->AdjustDefaultTextColor(text, true);
  EXPECT_EQ(text, clWindowText) << "a font left to the skin draws in the window text colour";
}

TEST_F(RibbonStatusBarTest, PlainWithoutARibbonAndTheSkinAtOnceWhenOneIsBound) {
  form->Show();
  AddPanel(100, dxpbLowered);
  AddPanel(100, dxpbRaised);
  const int W = bar->Width(), H = bar->Height();
  ASSERT_GT(W, 300);
  // Panels start after the one-pixel left and top borders, the separator between them.
  const auto& widths = bar->ViewInfo()->Widths();
  ASSERT_EQ(widths.size(), 3u);
  const TRect first(1, 1, 1 + widths[0], H);
  const TRect gap(first.right, 1, first.right + widths[1], H);
  const TRect second(gap.right, 1, gap.right + widths[2], H);
  EXPECT_EQ(widths[1], 3);
  const int gapX = gap.left + 1, secondX = second.left + 20;
  {
    auto dib = Paint();
    EXPECT_TRUE(NearPixel(dib->Pixel(0, H / 2), clBtnShadow)) << "shadow frame";
    EXPECT_TRUE(NearPixel(dib->Pixel(W / 2, 0), clBtnShadow));
    EXPECT_TRUE(NearPixel(dib->Pixel(50, H / 2), clBtnFace)) << "panel";
    EXPECT_TRUE(NearPixel(dib->Pixel(gapX, H / 2), clBtnShadow)) << "separator";
  }
  bar->SetRibbon(ribbon);
  for (const wchar_t* scheme : {L"Blue", L"Black", L"Silver"}) {
    SCOPED_TRACE(testing::Message() << "scheme " << scheme);
    ribbon->SetColorSchemeName(scheme);
    TdxCustomRibbonSkin* skin = ribbon->ColorScheme();
    auto dib = Paint();
    DibSection expected(W, H);
    skin->DrawStatusBarBackground(expected.DC(), TRect(0, 0, W, H));
    skin->DrawStatusBarPanel(expected.DC(), first, true);
    skin->DrawStatusBarPanelSeparator(expected.DC(), gap);
    skin->DrawStatusBarPanel(expected.DC(), second, false);
    for (int y : {2, H / 2, H - 2}) {
      EXPECT_EQ(dib->Pixel(50, y), expected.Pixel(50, y)) << y;
      EXPECT_EQ(dib->Pixel(gapX, y), expected.Pixel(gapX, y)) << y;
      EXPECT_EQ(dib->Pixel(secondX, y), expected.Pixel(secondX, y)) << y;
    }
    EXPECT_NE(expected.Pixel(50, H / 2), expected.Pixel(secondX, H / 2)) << "flat and raised panels differ";
  }
}

TEST_F(RibbonStatusBarTest, AToolbarPanelShowsItsToolbarOverThePanelAndIsAsWideAsIt) {
  bar->SetRibbon(ribbon);
  form->Show();
  TdxStatusBarToolbarPanelStyle* empty = AddToolbarPanel(L"Empty", 0, 80);
  empty->SetToolbar(nullptr);
  TdxStatusBarToolbarPanelStyle* transport = AddToolbarPanel(L"Transport", 3, 222);
  AddPanel(100, dxpbLowered);
  EXPECT_EQ(empty->Owner()->MinWidth(), 50) << "no toolbar";
  TdxRibbonStatusBarBarControl* control = transport->BarControl();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(GetParent(control->Handle()), transport->DockControl()->Handle());
  EXPECT_EQ(transport->Owner()->MinWidth(), control->OneRowWidth(dsNone) + 2);
  // The dock sits over its panel: after the first panel and its separator.
  const auto& widths = bar->ViewInfo()->Widths();
  TdxRibbonStatusBarDockControl* dock = transport->DockControl();
  EXPECT_EQ(dock->Left(), 1 + widths[0] + widths[1]);
  EXPECT_EQ(dock->Width(), widths[2]);
  EXPECT_EQ(GetParent(dock->Handle()), bar->Handle());
  bar->SetHeight(5);
  EXPECT_EQ(bar->Height(), 1 + control->Height()) << "room for the toolbar and the top border";
  transport->Owner()->SetVisible(false);
  EXPECT_FALSE(dock->Visible()) << "the dock follows the panel";
}

TEST_F(RibbonStatusBarTest, ToolbarsPaintThePanelImageWithARibbonAndFlatWithout) {
  form->Show();
  TdxStatusBarToolbarPanelStyle* zoom = AddToolbarPanel(L"Zoom", 2, 178);
  TdxRibbonStatusBarDockControl* dock = zoom->DockControl();
  TdxRibbonStatusBarBarControl* control = zoom->BarControl();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->Painter(), bar->DefaultBarPainter()) << "no ribbon";
  bar->SetRibbon(ribbon);
  auto* painter = dynamic_cast<TdxRibbonStatusBarBarControlPainter*>(control->Painter());
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(dock->Painter(), painter) << "made once";
  for (TdxBarPainter* p : {static_cast<TdxBarPainter*>(painter), static_cast<TdxBarPainter*>(bar->DefaultBarPainter())}) {
    EXPECT_EQ(p->CalcBarBorderRect(control), TRect(2, 2, 2, 1));
    EXPECT_EQ(p->MarkSize(), 0);
    EXPECT_EQ(p->ButtonVertPadding(), 4) << "no desktop composition";
  }
  EXPECT_EQ(painter->SeparatorSize(), 2);
  for (TdxStatusBarPanelBevel bevel : {dxpbLowered, dxpbRaised}) {
    zoom->Owner()->SetBevel(bevel);
    const int w = control->ClientWidth(), h = control->ClientHeight();
    POINT origin{0, 0};
    MapWindowPoints(control->Handle(), bar->Handle(), &origin, 1);
    DibSection painted(w, h), expected(w, h);
    painter->DrawBarControlBackground(control, painted.DC(), TRect(0, 0, w, h));
    ribbon->ColorScheme()->DrawStatusBarPanel(expected.DC(), TRect(0, -origin.y, w, bar->Height() - origin.y),
                                              bevel != dxpbRaised);
    for (int y : {0, h / 2, h - 1}) EXPECT_EQ(painted.Pixel(w / 2, y), expected.Pixel(w / 2, y)) << y;
    TColor text = painter->ItemTextColor(nullptr, true, false), shadow = clNone;
    EXPECT_EQ(text, ribbon->ColorScheme()->PartColorOf(10138, 2));
    painter->DisabledTextColors(false, false, text, shadow);
    EXPECT_EQ(shadow, ribbon->ColorScheme()->PartColorOf(10138, 1));
  }
}

TEST_F(RibbonStatusBarTest, AFreedToolbarLeavesItsPanelAndNamesNeedTheBarManager) {
  TdxStatusBarToolbarPanelStyle* style = AddToolbarPanel(L"Zoom", 2, 178);
  EXPECT_EQ(style->FindToolbar(L"zoom"), style->Toolbar());
  EXPECT_EQ(style->FindToolbar(L"Other"), nullptr);
  style->Toolbar()->Free();
  EXPECT_EQ(style->Toolbar(), nullptr);

  auto* bare = new TForm(form, 0);
  auto* other = new TdxRibbonStatusBar(bare);
  other->SetParent(bare);
  TdxStatusBarPanel* panel = other->AddPanel();
  panel->SetPanelStyleClassName(L"TdxStatusBarToolbarPanelStyle");
  auto* orphan = static_cast<TdxStatusBarToolbarPanelStyle*>(panel->PanelStyle());
  try {
    orphan->FindToolbar(L"Zoom");
    ADD_FAILURE() << "a name was resolved without a bar manager";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"A bar manager cannot be found for the status bar");
  }
}

}  // namespace
