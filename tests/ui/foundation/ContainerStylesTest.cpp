// Container styles: where each value comes from (state, assignment, controller, look and feel),
// controller cycles and frees, change notices, and the view info's border, shadow and native frame
// as pixels.

#include <gtest/gtest.h>

#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/ContainerStyles.h"

using namespace painter_testing;

namespace {

class ContainerStyles : public testing::Test {
 protected:
  void SetUp() override { StartUnits(); }
  PinnedSystem system;
};

// The four styles of an owner, as a popup or a controller holds them.
struct Owner {
  TPersistent owner;
  TcxContainerStyles styles{&owner};
  TcxContainerStyle* Style(TcxContainerStyleState state) { return styles.Style(state); }
};

HRESULT WINAPI CompositionOn(BOOL* on) {
  *on = TRUE;
  return S_OK;
}

}  // namespace

TEST_F(ContainerStyles, ResolutionTable) {
  struct Case {
    const char* name;
    TcxContainerStyleState state;
    std::function<void(Owner&, TcxStyleController&)> setUp;
    bool useController;
    TcxLookAndFeelKind kind;
    TColor borderColor;
    TcxContainerBorderStyle borderStyle;
    TColor textColor;
  } cases[] = {
      {"normal, nothing assigned", cxcssNormal, nullptr, false, lfFlat, clWindowFrame, cbsFlat, clWindowText},
      {"normal, standard kind", cxcssNormal, nullptr, false, lfStandard, clWindowFrame, cbs3D, clWindowText},
      {"normal, ultra-flat kind", cxcssNormal, nullptr, false, lfUltraFlat, clWindowFrame, cbsUltraFlat, clWindowText},
      {"normal, Office11 kind", cxcssNormal, nullptr, false, lfOffice11, clWindowFrame, cbsOffice11, clWindowText},
      {"disabled, nothing assigned", cxcssDisabled, nullptr, false, lfFlat, clBtnShadow, cbsFlat, clBtnShadow},
      {"focused follows the base", cxcssFocused,
       [](Owner& o, TcxStyleController&) {
         o.Style(cxcssNormal)->SetBorderColor(clRed);
         o.Style(cxcssNormal)->SetBorderStyle(cbsSingle);
         o.Style(cxcssNormal)->SetTextColor(clBlue);
       },
       false, lfFlat, clRed, cbsThick, clBlue},
      {"hot without hot tracking keeps the base style", cxcssHot,
       [](Owner& o, TcxStyleController&) {
         o.Style(cxcssNormal)->SetBorderStyle(cbsFlat);
         o.Style(cxcssNormal)->SetHotTrack(false);
       },
       false, lfFlat, clWindowFrame, cbsFlat, clWindowText},
      {"hot with hot tracking maps flat to 3-D", cxcssHot,
       [](Owner& o, TcxStyleController&) { o.Style(cxcssNormal)->SetBorderStyle(cbsFlat); }, false, lfFlat,
       clWindowFrame, cbs3D, clWindowText},
      {"controller's style of the same state", cxcssFocused,
       [](Owner&, TcxStyleController& c) {
         c.Style(cxcssFocused)->SetBorderColor(clLime);
         c.Style(cxcssNormal)->SetBorderColor(clYellow);
       },
       true, lfFlat, clLime, cbs3D, clWindowText},
      {"own assignment beats the controller", cxcssFocused,
       [](Owner& o, TcxStyleController& c) {
         c.Style(cxcssFocused)->SetBorderColor(clLime);
         o.Style(cxcssFocused)->SetBorderColor(clMaroon);
       },
       true, lfFlat, clMaroon, cbs3D, clWindowText},
      {"controller without the value falls back to the default", cxcssDisabled,
       [](Owner&, TcxStyleController& c) { c.Style(cxcssNormal)->SetTextColor(clNavy); }, true, lfFlat, clBtnShadow,
       cbsFlat, clBtnShadow},
  };
  for (const Case& c : cases) {
    Owner owner;
    std::unique_ptr<TcxStyleController, TFreeDeleter> controller(new TcxStyleController(nullptr));
    owner.Style(cxcssNormal)->LookAndFeel()->SetKind(c.kind);
    if (c.useController) owner.Style(cxcssNormal)->SetStyleController(controller.get());
    if (c.setUp) c.setUp(owner, *controller);
    TcxContainerStyle* style = owner.Style(c.state);
    EXPECT_EQ(style->BorderColor(), c.borderColor) << c.name;
    EXPECT_EQ(style->BorderStyle(), c.borderStyle) << c.name;
    EXPECT_EQ(style->TextColor(), c.textColor) << c.name;
  }
}

TEST_F(ContainerStyles, BaseOnlyValuesAndDirectAccess) {
  Owner owner;
  owner.Style(cxcssHot)->SetShadow(true);  // written through to the base style
  EXPECT_TRUE(owner.Style(cxcssNormal)->Shadow());
  EXPECT_TRUE(owner.Style(cxcssDisabled)->Shadow());
  EXPECT_EQ(owner.Style(cxcssHot)->Font(), owner.Style(cxcssNormal)->Font());
  EXPECT_EQ(owner.Style(cxcssNormal)->AssignedValues(), TcxContainerStyleValues{csvShadow});

  TPersistent holder;
  TcxContainerStyle direct(&holder, true);
  TFont font;
  direct.SetFont(&font);
  EXPECT_EQ(direct.Font(), &font);
  EXPECT_EQ(direct.BorderColor(), clDefault);
  EXPECT_EQ(direct.Edges(), TcxBorders{});
  EXPECT_TRUE(direct.IsValueAssigned(csvShadow));
  String name;
  EXPECT_TRUE(direct.StyleValueName(9, name));
  EXPECT_EQ(name, L"TransparentBorder");
  EXPECT_FALSE(direct.StyleValueName(10, name));
  EXPECT_TRUE(name.empty());
}

TEST_F(ContainerStyles, ControllerCyclesAreRefusedAndAFreedControllerLetsGo) {
  auto* a = new TcxStyleController(nullptr);
  auto* b = new TcxStyleController(nullptr);
  a->Style()->SetStyleController(b);
  b->Style()->SetStyleController(a);
  EXPECT_EQ(a->Style()->StyleController(), b);
  EXPECT_EQ(b->Style()->StyleController(), nullptr);
  a->Style()->SetStyleController(a);
  EXPECT_EQ(a->Style()->StyleController(), b);

  Owner first, second;
  first.Style(cxcssNormal)->SetStyleController(b);
  second.Style(cxcssNormal)->SetStyleController(b);
  second.Style(cxcssNormal)->SetColor(clAqua);
  EXPECT_EQ(b->ListenerCount(), 3);
  b->Free();
  EXPECT_EQ(a->Style()->StyleController(), nullptr);
  EXPECT_EQ(first.Style(cxcssNormal)->StyleController(), nullptr);
  EXPECT_EQ(second.Style(cxcssNormal)->StyleController(), nullptr);
  EXPECT_EQ(second.Style(cxcssNormal)->Color(), clAqua);
  a->Free();
}

TEST_F(ContainerStyles, AControllerChangeReachesEachListeningStyleOnce) {
  Owner first, second;
  std::unique_ptr<TcxStyleController, TFreeDeleter> owned(new TcxStyleController(nullptr));
  TcxStyleController& controller = *owned;
  int firstNotices = 0, secondNotices = 0, controllerNotices = 0;
  first.Style(cxcssNormal)->SetStyleController(&controller);
  second.Style(cxcssNormal)->SetStyleController(&controller);
  first.Style(cxcssNormal)->OnChanged = [&](TObject*) { ++firstNotices; };
  second.Style(cxcssNormal)->OnChanged = [&](TObject*) { ++secondNotices; };
  controller.OnStyleChanged = [&](TObject*) { ++controllerNotices; };
  controller.Style()->SetColor(clGreen);
  EXPECT_EQ(firstNotices, 1);
  EXPECT_EQ(secondNotices, 1);
  EXPECT_EQ(controllerNotices, 1);
  EXPECT_EQ(first.Style(cxcssNormal)->Color(), clGreen);
  // A bracket reports once at its end.
  first.Style(cxcssNormal)->BeginUpdate();
  first.Style(cxcssNormal)->SetBorderColor(clRed);
  first.Style(cxcssNormal)->SetTextColor(clRed);
  EXPECT_EQ(firstNotices, 1);
  first.Style(cxcssNormal)->EndUpdate();
  EXPECT_EQ(firstNotices, 2);
  // The controller's font reaches a style that has none of its own.
  TFont bold;
  bold.SetStyle({fsBold});
  controller.Style()->SetFont(&bold);
  EXPECT_EQ(first.Style(cxcssNormal)->Font()->Style(), TFontStyles{fsBold});
  EXPECT_FALSE(first.Style(cxcssNormal)->AssignedValues().Contains(csvFont));
}

TEST_F(ContainerStyles, ViewInfoPaintsBorderBackgroundAndShadow) {
  Surface surface(60, 40, rgb(1, 2, 3));
  TcxContainerViewInfo info;
  info.BorderStyle = cbsSingle;
  info.BorderColor = clRed;
  info.BorderWidth = 2;
  info.BackgroundColor = clYellow;
  info.Shadow = true;
  info.BorderRect = {10, 10, 40, 30};
  info.Paint(surface.canvas());
  EXPECT_EQ(surface.At(8, 8), clRed);     // the 2-pixel frame outside the border rect
  EXPECT_EQ(surface.At(41, 31), clRed);
  EXPECT_EQ(surface.At(20, 20), clYellow);
  EXPECT_EQ(surface.At(42, 20), Resolved(clBtnShadow));  // shadow right of the frame, 3 pixels down
  EXPECT_EQ(surface.At(42, 9), rgb(1, 2, 3));
  EXPECT_EQ(surface.At(20, 32), Resolved(clBtnShadow));
  EXPECT_EQ(surface.At(45, 20), rgb(1, 2, 3));

  // A 3-D border: the sunken edge, then the dark line inside it on the left and top.
  Surface edged(60, 40, rgb(1, 2, 3));
  TcxContainerViewInfo threeD;
  threeD.BorderStyle = cbs3D;
  threeD.BorderWidth = 2;
  threeD.BorderRect = {10, 10, 40, 30};
  threeD.BackgroundColor = clWhite;
  threeD.Paint(edged.canvas());
  EXPECT_EQ(edged.At(8, 20), Resolved(clBtnShadow));
  EXPECT_EQ(edged.At(9, 20), Resolved(cl3DDkShadow));
  EXPECT_EQ(edged.At(41, 20), Resolved(clBtnHighlight));
  EXPECT_EQ(edged.At(20, 20), clWhite);
}

TEST_F(ContainerStyles, NativeViewInfoTakesTheThemeContentAndBorderColour) {
  theme_testing::FakeThemeApi fake;
  fake.AddClass(L"Edit");
  fake.AddClass(L"ComboBox");
  fake.AddClass(L"ListBox");
  fake.SetContentMargins(L"Edit", 1, 1, {2, 2, 2, 2});
  fake.SetColor(L"ComboBox", 1, 1, 3801, RGB(0, 0, 200));
  fake.SetColor(L"ListBox", 3, 1, 3801, RGB(0, 200, 0));
  AnnounceThemeChange();
  TcxContainerViewInfo info;
  info.NativeStyle = true;
  info.BorderStyle = cbsSingle;
  info.ThemedObjectType = totEdit;
  info.Bounds = {0, 0, 30, 20};
  info.BackgroundColor = clWhite;
  Surface surface(40, 30);
  info.Paint(surface.canvas());
  EXPECT_EQ(surface.At(1, 10), rgb(0, 0, 200));  // the combo-box border colour without composition
  EXPECT_EQ(surface.At(10, 10), clWhite);
  // With desktop composition the list-box colour is used.
  Bound().DwmIsCompositionEnabled.Set(&CompositionOn);
  info.Paint(surface.canvas());
  EXPECT_EQ(surface.At(1, 10), rgb(0, 200, 0));
  Bound().DwmIsCompositionEnabled.Reset();
  AnnounceThemeChange();
}
