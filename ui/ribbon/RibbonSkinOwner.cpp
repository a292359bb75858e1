// The ribbon as the skin owner of the bars shown in it: each numbered bar part goes to the colour
// skin's operation that draws that element; a part without one draws nothing.

#include "ui/ribbon/ApplicationButton.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/RibbonViewInfo.h"

namespace {

// The group's caption strip: its height below the body of part 1.
constexpr int kGroupCaptionGap = 3;

// The parts drawn by a skin operation that takes the part's state.
void DrawStatePart(TdxCustomRibbonSkin* Skin, HDC DC, const TRect& R, int Part, int State) {
  switch (Part) {
    case 3: return Skin->DrawSmallButton(DC, R, State);
    case 4: return Skin->DrawBarPart4(DC, R, State);
    case 5: return Skin->DrawBarPart5(DC, R, State);
    case 6: return Skin->DrawLargeButton(DC, R, State);
    case 7: return Skin->DrawBarPart7(DC, R, State);
    case 8: return Skin->DrawBarPart8(DC, R, State);
    case 11: return Skin->DrawBarPart11(DC, R, State);
    case 13: return Skin->DrawBarPart13(DC, R, State);
    case 14: return Skin->DrawBarPart14(DC, R, State);
    case 15: return Skin->DrawBarPart15(DC, R, State);
    case 16: return Skin->DrawBarPart16(DC, R, State);
    case 50: return Skin->DrawBarPart50(DC, R, State);
    case 53:
    case 54:
    case 55: return Skin->DrawGalleryScrollButton(DC, R, State, Part - 53);
    case 336: return Skin->DrawSpinButtonUp(DC, R, State);
    case 337: return Skin->DrawSpinButtonDown(DC, R, State);
    case 340: return Skin->DrawDropDownArrow(DC, R, State);
    case 370: return Skin->DrawBarPart370(DC, R, State);
    case 430: return Skin->DrawBarPart430(DC, R, State);
    case 440: return Skin->DrawBarPart440(DC, R, State);
    case 446: return Skin->DrawBarPart446(DC, R, State);
    case 458: return Skin->DrawBarPart458(DC, R, State);
    case 460: return Skin->DrawBarPart460(DC, R, State);
    case 480: return Skin->DrawBarPart480(DC, R, State);
    case 500: return Skin->DrawBarPart500(DC, R, State);
    case 510: return Skin->DrawBarPart510(DC, R, State);
    case 515: return Skin->DrawBarPart515(DC, R, State);
    case 1000: return Skin->DrawGroupBackground(DC, R, State);
    case 1001: return Skin->DrawGroupCaption(DC, R, State);
    default: break;
  }
}

// The parts drawn by a skin operation without a state; false for a part that is not one of them.
bool DrawPlainPart(TdxCustomRibbonSkin* Skin, HDC DC, const TRect& R, int Part) {
  switch (Part) {
    case 30: Skin->DrawBarPart30(DC, R); return true;
    case 31: Skin->DrawBarPart31(DC, R); return true;
    case 32: Skin->DrawBarPart32(DC, R); return true;
    case 40: Skin->DrawBarPart40(DC, R); return true;
    case 56: Skin->FillGalleryBackground(DC, R); return true;
    case 57: Skin->DrawBarPart57(DC, R); return true;
    case 58: Skin->DrawBarPart58(DC, R); return true;
    case 59: Skin->DrawBarPart59(DC, R); return true;
    case 60: Skin->DrawBarPart60(DC, R); return true;
    case 61: Skin->DrawBarPart61(DC, R); return true;
    case 62: Skin->DrawBarPart62(DC, R); return true;
    case 63: Skin->DrawBarPart63(DC, R); return true;
    case 65: Skin->DrawBarPart65(DC, R); return true;
    case 360: Skin->DrawBarPart360(DC, R); return true;
    case 365: Skin->DrawArrowDown(DC, R); return true;
    case 366: Skin->DrawArrowRight(DC, R); return true;
    case 380: Skin->DrawBarPart380(DC, R); return true;
    case 390: Skin->DrawBarPart390(DC, R); return true;
    case 400: Skin->DrawBarPart400(DC, R); return true;
    case 410: Skin->DrawBarPart410(DC, R); return true;
    case 442: Skin->DrawBarPart442(DC, R); return true;
    case 450: Skin->DrawBarPart450(DC, R); return true;
    case 452: Skin->DrawBarPart452(DC, R); return true;
    case 453: Skin->DrawBarPart453(DC, R); return true;
    case 454: Skin->DrawBarPart454(DC, R); return true;
    case 470: Skin->DrawBarPart470(DC, R); return true;
    case 490: Skin->DrawBarPart490(DC, R); return true;
    default: return false;
  }
}

}  // namespace

void TdxCustomRibbon::DrawBackground(HDC DC, const TRect& R, int Part, int State) {
  TdxCustomRibbonSkin* skin = colorScheme_;
  if (!skin) return;
  if (Part == 1) {
    TRect body = R;
    body.bottom -= GroupCaptionHeight() + kGroupCaptionGap;
    skin->DrawGroupBackground(DC, body, State);
    skin->DrawGroupCaption(DC, TRect{R.left, body.bottom, R.right, R.bottom}, State);
    return;
  }
  if (Part == 520) {
    TdxRibbonViewInfo* info = ViewInfo();
    skin->DrawQuickAccessMark(DC, R, State, info->IsFormActive(), info->PaintsFormFrame(), info->IsQuickAccessBelow());
    return;
  }
  if (!DrawPlainPart(skin, DC, R, Part)) DrawStatePart(skin, DC, R, Part, State);
  if (Part == 452 || Part == 453) DrawApplicationButtonOverMenu(DC, Part == 452 ? 0 : 1);
}

// The menu's DC shows where the menu stands on the screen; a DC of no window (a memory bitmap)
// gives no place, and the button is left out.
void TdxCustomRibbon::DrawApplicationButtonOverMenu(HDC DC, int State) {
  if (!HandleAllocated() || !WindowFromDC(DC)) return;
  TdxRibbonViewInfo* info = ViewInfo();
  if (!info->IsApplicationButtonVisible()) return;
  POINT dcOrigin{};
  if (!GetDCOrgEx(DC, &dcOrigin)) return;
  POINT buttonOrigin{0, 0};
  ::ClientToScreen(Handle(), &buttonOrigin);
  TRect target = info->ApplicationButtonBounds();
  OffsetRect(&target, buttonOrigin.x - dcOrigin.x, buttonOrigin.y - dcOrigin.y);
  TCanvas canvas;
  canvas.SetHandle(DC);
  TcxCanvas cx(&canvas);
  const int saved = SaveDC(DC);
  Painter()->DrawApplicationButton(&cx, target, State);
  RestoreDC(DC, saved);
  canvas.SetHandle(nullptr);
}

void TdxCustomRibbon::DrawCaption(HDC DC, const String& Text, const TRect& R, int Part, int /*State*/) {
  if (Part != 1) return;
  TFont* font = fonts_->GetGroupHeaderFont();
  SetBkMode(DC, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(DC, font->Handle());
  const COLORREF oldColor = SetTextColor(DC, ColorToRGB(font->Color()));
  TRect r = R;
  OffsetRect(&r, 0, 1);
  RenderTextInRect(DC, Text, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  SelectObject(DC, oldFont);
  SetTextColor(DC, oldColor);
  SetBkMode(DC, OPAQUE);
}

TRect TdxCustomRibbon::CaptionBoundsOf(const TRect& R, int Part) {
  if (Part != 1) return TRect{};
  const int bottom = R.bottom - 3;
  return TRect{R.left + 2, bottom - GroupCaptionHeight(), R.right - 3, bottom};
}

TRect TdxCustomRibbon::ContentMarginsOf(int Part) {
  switch (Part) {
    case 1: return TRect{2, 2, 3, GroupCaptionHeight() + 4};
    case 3:
    case 520: return TRect{3, 3, 3, 3};
    case 65: return colorScheme_ ? colorScheme_->GetPartContentOffsets(65) : TRect{};
    case 1000: return TRect{2, 2, 2, 2};
    case 1001: return TRect{7, 4, 7, 11};
    default: return TRect{};
  }
}

String TdxCustomRibbon::GetSkinName() { return colorScheme_ ? colorScheme_->GetPartName() : String(); }

TColor TdxCustomRibbon::PartColorOf(int Part, int State) {
  return colorScheme_ ? colorScheme_->PartColorOf(Part, State) : clDefault;
}

int TdxCustomRibbon::GetPartOffset(int Part) {
  if (Part == 1) return 2;
  if (Part == 460) return 3;
  return 0;
}
