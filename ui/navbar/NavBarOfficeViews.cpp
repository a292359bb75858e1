#include "ui/navbar/NavBarOfficeViews.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarOffice1ViewInfo)
DEFINE_CLASS(TdxNavBarOffice3ViewInfo)
DEFINE_CLASS(TdxNavBarOffice3LinkViewInfo)
DEFINE_CLASS(TdxNavBarOffice1Painter)
DEFINE_CLASS(TdxNavBarOffice2Painter)
DEFINE_CLASS(TdxNavBarOffice3Painter)

// ---- view infos -------------------------------------------------------------------------------

void TdxNavBarOffice1ViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clBtnFace);
}

void TdxNavBarOffice1ViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clBtnFace);
}

void TdxNavBarOffice1ViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clBtnFace);
  style->Font()->SetColor(clBtnText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarOffice1ViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clBtnText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarOffice1ViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clBtnShadow);
}

TRect TdxNavBarOffice3LinkViewInfo::ImageFrameRect() {
  TRect r = Rect;
  InflateRect(&r, -1, -1);
  return r;
}

// ---- element painters -------------------------------------------------------------------------

void TdxNavBarOfficeButtonPainter::FrameColors(int State, TColor C, TColor (&Colors)[4]) const {
  if (State & nbisPressed) {
    Colors[0] = DarkenColorPercent(C, 20);
    Colors[1] = clNone;
    Colors[2] = DarkenColorPercent(C, 70);
    Colors[3] = LightenColorPercent(C, 20);
  } else if (State & nbisHot) {
    Colors[0] = LightenColorPercent(C, 20);
    Colors[1] = DarkenColorPercent(C, 70);
    Colors[2] = LightenColorPercent(C, 70);
    Colors[3] = DarkenColorPercent(C, 20);
  } else {
    Colors[0] = LightenColorPercent(C, 20);
    Colors[1] = Colors[2] = clNone;
    Colors[3] = DarkenColorPercent(C, 20);
  }
}

// ---- painters ---------------------------------------------------------------------------------

TdxNavBarViewInfo* TdxNavBarOffice1Painter::CreateViewInfo() { return new TdxNavBarOffice1ViewInfo(this); }
TdxNavBarButtonPainterClass TdxNavBarOffice1Painter::ButtonPainterClass() {
  return TdxNavBarOfficeButtonPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarOffice2Painter::SelectionPainterClass() {
  return TdxNavBarUltraFlatSelectionPainter::Instance();
}
TdxNavBarViewInfo* TdxNavBarOffice3Painter::CreateViewInfo() { return new TdxNavBarOffice3ViewInfo(this); }
TdxNavBarLinkViewInfo* TdxNavBarOffice3Painter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                  TdxNavBarItemLink* ALink, bool AImageVisible,
                                                                  bool ACaptionVisible) {
  return new TdxNavBarOffice3LinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}

// ---- the unit ---------------------------------------------------------------------------------

void StartOfficeViewsUnit() {
  RegisterView(2, L"Office1View", &TdxNavBarOffice1Painter::ClassInfo());
  RegisterView(3, L"Office2View", &TdxNavBarOffice2Painter::ClassInfo());
  RegisterView(4, L"Office3View", &TdxNavBarOffice3Painter::ClassInfo());
}

void EndOfficeViewsUnit() {
  for (int id : {2, 3, 4}) UnregisterView(id);
}

namespace {
const TUnitRegistration officeViewsUnit(&StartOfficeViewsUnit, &EndOfficeViewsUnit);
}
