#include "ui/ribbon/RibbonSkins.h"

#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/skins/GdiPlusClasses.h"
#include "ui/ribbon/SkinColors.h"

DEFINE_CLASS(TdxCustomRibbonSkin)
DEFINE_CLASS(TdxBlueRibbonSkin)
DEFINE_CLASS(TdxBlackRibbonSkin)
DEFINE_CLASS(TdxSilverRibbonSkin)

using namespace ribbon_skin;

namespace {

TStream* ReadSheetResource(const String& Name) {
  return new TResourceStream(GetModuleHandleW(nullptr), Name, RT_RCDATA);
}

TRibbonSheetReader sheetReader = &ReadSheetResource;

String Wide(const char* Text) { return String(Text, Text + std::char_traits<char>::length(Text)); }

// ---- system-colour drawing ----------------------------------------------------------------------

void FillColor(HDC DC, const TRect& R, TColor Color) {
  if (!RectHasNoArea(R)) FillRectSolid(DC, R, Color);
}

enum TSides : int { sLeft = 1, sTop = 2, sRight = 4, sBottom = 8, sAll = 15 };

// R filled with the fill colour, one-pixel border strips of the border colour on the sides.
void Frame(HDC DC, const TRect& R, TColor Fill, TColor Border, int Sides = sAll) {
  FillColor(DC, R, Fill);
  if (Sides & sLeft) FillColor(DC, {R.left, R.top, R.left + 1, R.bottom}, Border);
  if (Sides & sTop) FillColor(DC, {R.left, R.top, R.right, R.top + 1}, Border);
  if (Sides & sRight) FillColor(DC, {R.right - 1, R.top, R.right, R.bottom}, Border);
  if (Sides & sBottom) FillColor(DC, {R.left, R.bottom - 1, R.right, R.bottom}, Border);
}

// A filled black triangle pointing down (or right) inside R.
void BlackArrow(HDC DC, const TRect& R, bool Right) {
  const int w = RectWidthOf(R), h = RectHeightOf(R);
  if (w <= 0 || h <= 0) return;
  POINT points[3];
  if (Right) {
    const int size = std::min(h / 2, w);
    const int left = R.left + (w - size) / 2, top = R.top + (h - 2 * size) / 2;
    points[0] = {left, top}, points[1] = {left + size, top + size}, points[2] = {left, top + 2 * size};
  } else {
    const int size = std::min(w / 2, h);
    const int left = R.left + (w - 2 * size) / 2, top = R.top + (h - size) / 2;
    points[0] = {left, top}, points[1] = {left + 2 * size, top}, points[2] = {left + size, top + size};
  }
  HGDIOBJ brush = SelectObject(DC, GetStockObject(BLACK_BRUSH));
  HGDIOBJ pen = SelectObject(DC, GetStockObject(BLACK_PEN));
  Polygon(DC, points, 3);
  SelectObject(DC, pen);
  SelectObject(DC, brush);
}

// Group backgrounds draw the state-0 image for every state without one of their own.
int GroupBackgroundState(int State) { return State == 2 || State == 3 || State == 4 ? State : 0; }

// The image index of scroll buttons: hot and pressed, else normal.
int ScrollButtonImage(int State) { return State == 2 ? 1 : State == 4 ? 2 : 0; }

bool FixedFrame(const TdxRibbonFormFrameState& FormData) {
  return FormData.BorderStyle == bsSingle || FormData.BorderStyle == bsDialog ||
         FormData.BorderStyle == bsToolWindow || FormData.FormStyle == fsMDIChild;
}

TRect FrameRect(const TdxRibbonFormFrameState& FormData) {
  return {0, 0, RectWidthOf(FormData.Bounds), RectHeightOf(FormData.Bounds)};
}

bool CompositionEnabled() {
  BOOL enabled = FALSE;
  auto query = Bound().DwmIsCompositionEnabled.Get();
  return query && SUCCEEDED(query(&enabled)) && enabled;
}

}  // namespace

TRibbonSheetReader SetRibbonSheetReader(TRibbonSheetReader Reader) {
  TRibbonSheetReader previous = sheetReader;
  sheetReader = Reader ? Reader : &ReadSheetResource;
  return previous;
}

// ---- construction -------------------------------------------------------------------------------

TdxCustomRibbonSkin::TdxCustomRibbonSkin(const String& AName)
    : TdxCustomBarSkin(AName), positions_(std::size_t(kPartSetCount)) {
  for (auto& table : positions_) table.fill(-1);
}

void TdxCustomRibbonSkin::AfterConstruction() {
  TdxCustomBarSkin::AfterConstruction();
  auto add = [this](TdxGPImage* (TdxCustomRibbonSkin::*load)(), void (TdxCustomRibbonSkin::*parts)(GpImage*)) {
    ObjectPtr<TdxGPImage> sheet((this->*load)());
    (this->*parts)(sheet->Handle());
  };
  add(&TdxCustomRibbonSkin::LoadFormSheet, &TdxCustomRibbonSkin::AddFormParts);
  add(&TdxCustomRibbonSkin::LoadCommonSheet, &TdxCustomRibbonSkin::AddCommonParts);
  add(&TdxCustomRibbonSkin::LoadColorSheet, &TdxCustomRibbonSkin::AddColorParts);
  lowColor_ = ScreenColorDepth() < 9;
}

TdxGPImage* TdxCustomRibbonSkin::LoadSheet(const String& Name) {
  std::unique_ptr<TStream> stream(sheetReader(Name));
  TdxGPImage* image = stream ? LoadGdipImageFromStream(*stream) : nullptr;
  if (!image) throw Exception(Format(L"The ribbon sheet \"%s\" cannot be decoded", {Name}));
  return image;
}

TdxGPImage* TdxCustomRibbonSkin::LoadCommonSheet() { return LoadSheet(Wide(kCommonSheetName)); }

void TdxCustomRibbonSkin::AddPartSet(GpImage* Image, const TPartSet& Set) {
  std::array<int, 9>& table = positions_[std::size_t(TableSlot(Set.FirstID))];
  const TRect margins(Set.Margins.Left, Set.Margins.Top, Set.Margins.Right, Set.Margins.Bottom);
  for (int state = 0; state < 9; ++state) {
    const int image = Set.StateImage[std::size_t(state)];
    if (image == kNoImage) continue;
    const TRect source = Bounds(Set.ImageX(image), Set.ImageY(image), Set.Width, Set.Height);
    table[std::size_t(state)] =
        AddImagePartWithMargins(Image, source, Set.Interpolation, L"", Set.FirstID + state, margins);
  }
}

void TdxCustomRibbonSkin::AddGroup(GpImage* Image, TPartGroup Group) {
  for (const TPartSet& set : kPartSets)
    if (set.Group == Group) AddPartSet(Image, set);
}

void TdxCustomRibbonSkin::AddFormParts(GpImage* Image) {
  AddGroup(Image, TPartGroup::FormFrame);
  AddCaptionButtonParts(Image);
  AddGroup(Image, TPartGroup::FormQuickAccess);
  AddApplicationButtonParts(Image);
}

void TdxCustomRibbonSkin::AddCommonParts(GpImage* Image) { AddGroup(Image, TPartGroup::CommonParts); }

void TdxCustomRibbonSkin::AddColorParts(GpImage* Image) {
  AddGroup(Image, TPartGroup::Tabs);
  AddGroup(Image, TPartGroup::ScrollButtons);
  AddPanelParts(Image);
  AddGroup(Image, TPartGroup::Groups);
  AddItemParts(Image);
  AddMenuParts(Image);
  AddBarPart32(Image);
  AddBarPart360(Image);
  AddBarPart40(Image);
  AddGroup(Image, TPartGroup::QuickAccess);
  AddGroup(Image, TPartGroup::StatusBar);
  AddGalleryParts(Image);
}

void TdxCustomRibbonSkin::AddApplicationButtonParts(GpImage* Image) {
  AddGroup(Image, TPartGroup::ApplicationButton);
}
void TdxCustomRibbonSkin::AddCaptionButtonParts(GpImage* Image) { AddGroup(Image, TPartGroup::CaptionButtons); }
void TdxCustomRibbonSkin::AddItemParts(GpImage* Image) { AddGroup(Image, TPartGroup::Items); }
void TdxCustomRibbonSkin::AddPanelParts(GpImage* Image) { AddGroup(Image, TPartGroup::Panels); }
void TdxCustomRibbonSkin::AddMenuParts(GpImage* Image) { AddGroup(Image, TPartGroup::Menus); }
void TdxCustomRibbonSkin::AddBarPart32(GpImage* Image) { AddGroup(Image, TPartGroup::BarPart32); }
void TdxCustomRibbonSkin::AddBarPart360(GpImage* Image) { AddGroup(Image, TPartGroup::BarPart360); }
void TdxCustomRibbonSkin::AddBarPart40(GpImage* Image) { AddGroup(Image, TPartGroup::BarPart40); }
void TdxCustomRibbonSkin::AddGalleryParts(GpImage* Image) { AddGroup(Image, TPartGroup::Gallery); }

// ---- drawing helpers ----------------------------------------------------------------------------

int TdxCustomRibbonSkin::PartPosition(int FirstID, int State) const {
  const int slot = TableSlot(FirstID);
  if (slot < 0 || State < 0 || State > 8) return -1;
  return positions_[std::size_t(slot)][std::size_t(State)];
}

void TdxCustomRibbonSkin::DrawTablePart(int FirstID, int State, HDC DC, const TRect& R, Byte AAlpha) {
  const int position = PartPosition(FirstID, State);
  if (position >= 0) Parts(position)->DrawPart(DC, R, AAlpha);
}

void TdxCustomRibbonSkin::DrawTableSubstitute(HDC DC, const TRect& R, int State) {
  if (State == 2 || State == 6 || State == 7)
    Frame(DC, R, clHighlight, clWhite);
  else if (State == 4)
    Frame(DC, R, clHighlight, clBtnShadow);
  else
    Frame(DC, R, clBtnFace, clBtnShadow);
}

void TdxCustomRibbonSkin::DrawPartOrFill(int FirstID, HDC DC, const TRect& R, TColor LowColorFill) {
  if (lowColor_)
    FillColor(DC, R, LowColorFill);
  else
    DrawTablePart(FirstID, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawStateTable(int FirstID, HDC DC, int State, const TRect& R) {
  if (PartPosition(FirstID, State) < 0) return;
  if (lowColor_)
    DrawTableSubstitute(DC, R, State);
  else
    DrawTablePart(FirstID, State, DC, R);
}

// ---- low colour ---------------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawLowColorApplicationButton(HDC DC, const TRect& R, int State) {
  HPEN pen = CreatePen(PS_SOLID, 3, COLORREF(ColorToRGB(State == 2 ? clBtnShadow : clWhite)));
  HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(State != 0 ? clHighlight : clBtnFace)));
  HGDIOBJ oldPen = SelectObject(DC, pen), oldBrush = SelectObject(DC, brush);
  Ellipse(DC, R.left + 1, R.top + 1, R.right - 2, R.bottom - 2);
  SelectObject(DC, GetStockObject(BLACK_PEN));
  SelectObject(DC, GetStockObject(HOLLOW_BRUSH));
  Ellipse(DC, R.left + 1, R.top + 1, R.right - 2, R.bottom - 2);
  SelectObject(DC, oldPen), SelectObject(DC, oldBrush);
  DeleteObject(pen), DeleteObject(brush);
}

void TdxCustomRibbonSkin::DrawLowColorMenuFrame(HDC DC, const TRect& R) { Frame(DC, R, clMenu, clBlack); }

void TdxCustomRibbonSkin::DrawLowColorFormFrame(HDC DC, const TRect& Borders, const TdxRibbonFormFrameState& FormData) {
  const TRect w = FrameRect(FormData);
  const TRect left(w.left, w.top, w.left + Borders.left, w.bottom);
  FillColor(DC, left, clBtnFace);
  FillColor(DC, RectWithWidth(left, std::min<int>(2, Borders.left)), clBtnHighlight);
  const TRect right(w.right - Borders.right, w.top, w.right, w.bottom);
  FillColor(DC, right, clBtnFace);
  if (Borders.right >= 1) FillColor(DC, {w.right - 1, w.top, w.right, w.bottom}, cl3DDkShadow);
  if (Borders.right >= 2) FillColor(DC, {w.right - 2, w.top, w.right - 1, w.bottom}, clBtnShadow);
  if (Borders.bottom >= 1) {
    FillColor(DC, {w.left + Borders.left, w.bottom - Borders.bottom, w.right - Borders.right, w.bottom}, clBtnFace);
    FillColor(DC, {w.left, w.bottom - 1, w.right, w.bottom}, cl3DDkShadow);
  }
}

void TdxCustomRibbonSkin::DrawLowColorCaptionButton(HDC DC, const TRect& R, int Kind, int State) {
  static constexpr UINT kKinds[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE,
                                    DFCS_CAPTIONHELP};
  if (Kind < 0 || Kind > 4) return;
  RECT r{R.left + 1, R.top + 2, R.right - 1, R.bottom};
  DrawFrameControl(DC, &r, DFC_CAPTION, kKinds[Kind] | (State == 2 ? DFCS_PUSHED : 0));
}

void TdxCustomRibbonSkin::DrawLowColorCaption(HDC DC, const TRect& R, const TdxRibbonFormFrameState& FormData) {
  TRect r = R;
  if (FormData.WindowState != wsMaximized) {
    FillColor(DC, RectWithHeight(r, 1), clBtnHighlight);
    FillColor(DC, {r.left, r.top + 1, r.right, r.top + 2}, clBtnFace);
    ExcludeClipRect(DC, r.left, r.top, r.right, r.top + 2);
  }
  FillColor(DC, R, FormData.Active ? clActiveCaption : clInactiveCaption);
}

// ---- elements -----------------------------------------------------------------------------------

void TdxCustomRibbonSkin::DrawApplicationButton(HDC DC, const TRect& R, int State) {
  if (lowColor_) return DrawLowColorApplicationButton(DC, R, State);
  if (State >= 0 && State <= 2) DrawTablePart(10067, State, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart458(HDC DC, const TRect& R, int State) {
  if (State == 2) return DrawStateTable(10290, DC, 2, R);
  if (lowColor_) return DrawTableSubstitute(DC, R, 0);
  DrawTablePart(10089, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart452(HDC DC, const TRect& R) {
  if (lowColor_) return DrawLowColorMenuFrame(DC, R);
  DrawTablePart(10070, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart453(HDC DC, const TRect& R) {
  DrawPartOrFill(10071, DC, R, clMenu);
}

void TdxCustomRibbonSkin::DrawBarPart454(HDC DC, const TRect& R) {
  DrawPartOrFill(10072, DC, R, clMenu);
}

void TdxCustomRibbonSkin::DrawDropDownArrow(HDC DC, const TRect& R, int State) {
  if (lowColor_) return BlackArrow(DC, R, false);
  DrawTablePart(10218, State, DC, R);
}

void TdxCustomRibbonSkin::DrawArrowDown(HDC DC, const TRect& R) {
  if (lowColor_) return BlackArrow(DC, R, false);
  DrawTablePart(10079, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawArrowRight(HDC DC, const TRect& R) {
  if (lowColor_) return BlackArrow(DC, R, true);
  DrawTablePart(10080, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart460(HDC DC, const TRect& R, int State) { DrawStateTable(10344, DC, State, R); }

void TdxCustomRibbonSkin::DrawBarPart470(HDC DC, const TRect& R) {
  if (!lowColor_) DrawTablePart(10084, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart480(HDC DC, const TRect& R, int State) {
  if (!lowColor_) DrawTablePart(10353, State, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart490(HDC DC, const TRect& R) {
  if (!lowColor_) DrawTablePart(10085, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart500(HDC DC, const TRect& R, int State) {
  if (!lowColor_) DrawTablePart(10362, State, DC, R);
}

void TdxCustomRibbonSkin::DrawGroupBackground(HDC DC, const TRect& R, int State) {
  DrawStateTable(10263, DC, GroupBackgroundState(State), R);
}

void TdxCustomRibbonSkin::DrawGroupCaption(HDC DC, const TRect& R, int State) { DrawStateTable(10272, DC, State, R); }

void TdxCustomRibbonSkin::DrawBarPart450(HDC DC, const TRect& R) { DrawTablePart(10073, 0, DC, R); }

void TdxCustomRibbonSkin::FillGalleryBackground(HDC DC, const TRect& R) { FillColor(DC, R, PartColorOf(56, 0)); }

void TdxCustomRibbonSkin::DrawBarPart60(HDC DC, const TRect& R) {
  const TRect r(R.left, R.top + 3, R.right - 2, R.bottom - 1);
  DrawTablePart(10123, 0, DC, {r.right - RectHeightOf(r), r.top, r.right, r.bottom});
}

void TdxCustomRibbonSkin::DrawBarPart58(HDC DC, const TRect& R) { DrawTablePart(10121, 0, DC, R); }

void TdxCustomRibbonSkin::DrawBarPart59(HDC DC, const TRect& R) {
  const TRect r(R.left, R.top + 1, R.right - 2, R.bottom - 3);
  DrawTablePart(10122, 0, DC, {r.right - RectHeightOf(r), r.top, r.right, r.bottom});
}

void TdxCustomRibbonSkin::DrawBarPart57(HDC DC, const TRect& R) { DrawTablePart(10120, 0, DC, R); }

// The grip glyph at the target's height, 18 : 7, centred across it.
void TdxCustomRibbonSkin::DrawBarPart62(HDC DC, const TRect& R) {
  const TRect r(R.left, R.top + 1, R.right, R.bottom);
  const int h = RectHeightOf(r), w = h * 18 / 7;
  DrawTablePart(10124, 0, DC, RectFromBounds(r.left + (RectWidthOf(r) - w) / 2, r.top, w, h));
}

void TdxCustomRibbonSkin::DrawBarPart61(HDC DC, const TRect& R) {
  const TRect r(R.left, R.top, R.right, R.bottom - 1);
  const int h = RectHeightOf(r), w = h * 18 / 7;
  DrawTablePart(10124, 0, DC, RectFromBounds(r.left + (RectWidthOf(r) - w) / 2, r.top, w, h));
}

void TdxCustomRibbonSkin::DrawBarPart11(HDC DC, const TRect& R, int State) { DrawStateTable(10281, DC, State, R); }

void TdxCustomRibbonSkin::DrawFormFrame(HDC DC, const TRect& Borders, const TdxRibbonFormFrameState& FormData,
                                        int CaptionBottom) {
  if (lowColor_) return DrawLowColorFormFrame(DC, Borders, FormData);
  const TRect w = FrameRect(FormData);
  const int i = FormData.Active ? 0 : 1;
  if (CaptionBottom > 0) {
    DrawTablePart(10004, i, DC, {w.left, w.top, w.left + Borders.left, CaptionBottom});
    DrawTablePart(10006, i, DC, {w.right - Borders.right, w.top, w.right, CaptionBottom});
  }
  const bool fixed = FixedFrame(FormData);
  if (Borders.bottom < 2) {
    DrawTablePart(10012, i, DC, {w.left + Borders.left, w.bottom - Borders.bottom, w.right - Borders.right, w.bottom});
  } else {
    const TRect bottom(w.left, w.bottom - Borders.bottom, w.right, w.bottom);
    DrawTablePart(fixed ? 10016 : 10014, i, DC, bottom);
    ExcludeClipRect(DC, bottom.left, bottom.top, bottom.right, bottom.bottom);
  }
  const int top = CaptionBottom + Borders.top, lowest = fixed ? w.bottom : w.bottom - 1;
  DrawTablePart(10008, i, DC, {w.left, top, w.left + Borders.left, lowest});
  DrawTablePart(10010, i, DC, {w.right - Borders.right, top, w.right, lowest});
}

void TdxCustomRibbonSkin::DrawCaptionButton(HDC DC, const TRect& R, int Kind, int State) {
  if (lowColor_) return DrawLowColorCaptionButton(DC, R, Kind, State);
  const int background = State == 1 ? 0 : State == 2 ? 1 : State == 4 ? 2 : -1;
  if (background >= 0) DrawTablePart(10020, background, DC, R);
  if (Kind < 0 || Kind > 4) return;
  const int glyphState = State == 1 ? 1 : State == 2 ? 2 : State == 3 || State == 4 ? 3 : 0;
  const int x = R.left + (RectWidthOf(R) - 9) / 2, y = R.top + (RectHeightOf(R) - 9) / 2 + 1;
  DrawTablePart(10023 + 4 * Kind, glyphState, DC, RectFromBounds(x, y, 9, 9));
}

void TdxCustomRibbonSkin::DrawFormCaption(HDC DC, const TRect& R, const TdxRibbonFormFrameState& FormData) {
  if (lowColor_) return DrawLowColorCaption(DC, R, FormData);
  const int i = FormData.Active ? 0 : 1;
  if (FormData.WindowState == wsMaximized) {
    DrawTablePart(10002, i, DC, R);
  } else if (FormData.WindowState == wsMinimized) {
    DrawTablePart(10000, i, DC, {R.left, R.top, R.right, R.bottom - 1});
    DrawTablePart(10012, i, DC, {R.left, R.bottom - 1, R.right, R.bottom});
  } else {
    DrawTablePart(10000, i, DC, R);
  }
}

void TdxCustomRibbonSkin::DrawStatusBarEdge(HDC DC, const TRect& R, int Side, int Variant, bool EdgeFlag,
                                            bool AFixedFrame) {
  if (lowColor_) return FillColor(DC, R, clBtnFace);
  const int set = AFixedFrame ? (Side == 0 ? 10100 : 10108) : (Side == 0 ? 10104 : 10112);
  DrawTablePart(set, EdgeFlag ? Variant : Variant + 2, DC, R);
}

void TdxCustomRibbonSkin::DrawHelpButtonBackground(HDC DC, const TRect& R, int State) {
  if (State == 1) return DrawSmallButton(DC, R, 2);
  if (State == 2) return DrawSmallButton(DC, R, 4);
  FillColor(DC, R, PartColorOf(kRibbonBackgroundID, 0));
}

void TdxCustomRibbonSkin::DrawHelpButtonGlyph(HDC DC, const TRect& R) {
  DrawTablePart(10088, 0, DC, CenterWHInRect(R, 16, 16));
}

void TdxCustomRibbonSkin::DrawBarPart65(HDC DC, const TRect& R) { DrawTablePart(10125, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart63(HDC DC, const TRect& R) { DrawTablePart(10126, 0, DC, R); }

void TdxCustomRibbonSkin::DrawGroupScrollButton(HDC DC, const TRect& R, int State, int Side) {
  DrawTablePart(Side == 0 ? 10452 : 10443, ScrollButtonImage(State), DC, R);
}

void TdxCustomRibbonSkin::DrawBarPart50(HDC DC, const TRect& R, int State) {
  Frame(DC, R, PartColorOf(51, State), PartColorOf(52, State));
}

void TdxCustomRibbonSkin::DrawGalleryScrollButton(HDC DC, const TRect& R, int State, int Kind) {
  static constexpr int kSets[] = {10461, 10470, 10479};
  if (Kind >= 0 && Kind <= 2) DrawStateTable(kSets[Kind], DC, State, R);
}

void TdxCustomRibbonSkin::DrawLargeButton(HDC DC, const TRect& R, int State) { DrawStateTable(10317, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart8(HDC DC, const TRect& R, int State) { DrawStateTable(10326, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart7(HDC DC, const TRect& R, int State) { DrawStateTable(10335, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart515(HDC DC, const TRect& R, int State) { DrawStateTable(10407, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart510(HDC DC, const TRect& R, int State) { DrawStateTable(10416, DC, State, R); }

void TdxCustomRibbonSkin::DrawMDIButton(HDC DC, const TRect& R, int State, int Kind) {
  DrawHelpButtonBackground(DC, R, State);
  const int glyphSet = Kind == 0 ? 10023 : Kind == 1 ? 10031 : 10035;
  const int glyphState = State >= 1 && State <= 3 ? State : 0;
  const int x = R.left + (RectWidthOf(R) - 9) / 2, y = R.top + (RectHeightOf(R) - 9) / 2 + 1;
  DrawTablePart(glyphSet, glyphState, DC, RectFromBounds(x, y, 9, 9));
}

void TdxCustomRibbonSkin::DrawBarPart430(HDC DC, const TRect& R, int State) { DrawStateTable(10236, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart440(HDC DC, const TRect& R, int State) { DrawStateTable(10245, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart370(HDC DC, const TRect& R, int State) { DrawStateTable(10227, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart390(HDC DC, const TRect& R) { DrawTablePart(10074, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart380(HDC DC, const TRect& R) { DrawTablePart(10075, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart442(HDC DC, const TRect& R) { DrawTablePart(10076, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart400(HDC DC, const TRect& R) { DrawTablePart(10077, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart410(HDC DC, const TRect& R) { DrawTablePart(10078, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart446(HDC DC, const TRect& R, int State) { DrawStateTable(10254, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart30(HDC DC, const TRect& R) { DrawTablePart(10081, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart32(HDC DC, const TRect& R) { DrawTablePart(10083, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart31(HDC DC, const TRect& R) { DrawTablePart(10082, 0, DC, R); }

void TdxCustomRibbonSkin::FillRibbonBackground(HDC DC, const TRect& R) {
  FillColor(DC, R, PartColorOf(kRibbonBackgroundID, 0));
}

void TdxCustomRibbonSkin::DrawCaptionStrip(HDC DC, const TRect& R) { DrawTablePart(10054, 0, DC, R); }

void TdxCustomRibbonSkin::DrawSmallButton(HDC DC, const TRect& R, int State) { DrawStateTable(10290, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart5(HDC DC, const TRect& R, int State) { DrawStateTable(10299, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart4(HDC DC, const TRect& R, int State) { DrawStateTable(10308, DC, State, R); }
void TdxCustomRibbonSkin::DrawBarPart360(HDC DC, const TRect& R) { DrawTablePart(10086, 0, DC, R); }
void TdxCustomRibbonSkin::DrawBarPart40(HDC DC, const TRect& R) { DrawTablePart(10087, 0, DC, R); }

void TdxCustomRibbonSkin::DrawTab(HDC DC, const TRect& R, int State) {
  if (!lowColor_) return DrawTablePart(10043, State, DC, R);
  if (State == 0)
    FillColor(DC, R, clBtnFace);
  else if (State == 2)
    Frame(DC, R, clHighlight, clWhite, sLeft | sTop | sRight);
  else
    Frame(DC, R, clHighlight, clBtnFace, sTop);
}

void TdxCustomRibbonSkin::DrawGalleryTop(HDC DC, const TRect& R, int State) {
  if (!lowColor_) return DrawTablePart(10371, State, DC, R);
  Frame(DC, R, clBtnFace, clBtnShadow, sLeft | sTop | sRight);
}

void TdxCustomRibbonSkin::DrawGalleryBottom(HDC DC, const TRect& R, int State) {
  if (!lowColor_) return DrawTablePart(10380, State, DC, R);
  const TRect line(R.left + 4, R.top, R.right - 4, R.top + 1);
  FillColor(DC, line, clBtnShadow);
  ExcludeClipRect(DC, line.left, line.top, line.right, line.bottom);
  Frame(DC, R, clBtnFace, clBtnShadow, sLeft | sRight | sBottom);
}

void TdxCustomRibbonSkin::DrawSpinButtonUp(HDC DC, const TRect& R, int State) {
  const int a = RectHeightOf(R) / 7;
  DrawStateTable(10389, DC, State, {R.left + 3, R.top + 3 * a, R.right - 3, R.bottom - 2 * a});
}

void TdxCustomRibbonSkin::DrawSpinButtonDown(HDC DC, const TRect& R, int State) {
  const int a = RectHeightOf(R) / 7;
  DrawStateTable(10398, DC, State, {R.left + a + 1, R.top + 3 * a, R.right - a + 1, R.bottom - 2 * a});
}

void TdxCustomRibbonSkin::DrawGroupsArea(HDC DC, const TRect& R) {
  if (lowColor_) return Frame(DC, R, clBtnFace, clBtnShadow);
  DrawTablePart(10048, 0, DC, R);
}

void TdxCustomRibbonSkin::DrawTabScrollButton(HDC DC, const TRect& R, int State, int Side) {
  DrawTablePart(Side == 0 ? 10434 : 10425, ScrollButtonImage(State), DC, R);
}

void TdxCustomRibbonSkin::DrawTabSeparator(HDC DC, const TRect& R, Byte AAlpha) {
  DrawTablePart(10049, 0, DC, R, AAlpha);
}

void TdxCustomRibbonSkin::DrawQuickAccessBackground(HDC DC, const TRect& R, bool NotGlass, bool FormActive,
                                                    bool HasApplicationButton, bool PaintsFormFrame, bool Below) {
  if (Below) return DrawTablePart(10053, 0, DC, R);
  const int d = RectHeightOf(R) / 2;
  if (RectWidthOf(R) - d < d) return;
  const int i = PaintsFormFrame && !FormActive ? 1 : 0;
  TRect work(R.left, R.top + 3, R.right, R.bottom - 4);
  const int pieceWidth = HasApplicationButton ? 15 : 7;
  int left = HasApplicationButton ? 10059 : 10061, body = 10063, state = i;
  if (PaintsFormFrame) {
    if (CompositionEnabled() && !NotGlass) left = HasApplicationButton ? 10055 : 10056, body = 10057, state = 0;
    work = OffsetRectBy(work, 0, 1);
  }
  const TRect piece(work.left, work.top, work.left + pieceWidth, work.bottom);
  DrawTablePart(left, state, DC, piece);
  DrawTablePart(body, state, DC, {piece.right, work.top, R.right - d, work.bottom});
}

void TdxCustomRibbonSkin::DrawCommonGlyph(HDC DC, const TRect& R) {
  DrawPartOrFill(10052, DC, R, clBtnFace);
}

void TdxCustomRibbonSkin::DrawQuickAccessMark(HDC DC, const TRect& R, int State, bool FormActive,
                                              bool PaintsFormFrame, bool Below) {
  DrawStateTable(Below || (PaintsFormFrame && !FormActive) ? 10209 : 10200, DC, State, R);
}

void TdxCustomRibbonSkin::DrawBarPart102(HDC DC, const TRect& R) {
  DrawPartOrFill(10058, DC, R, clBtnFace);
}

void TdxCustomRibbonSkin::DrawStatusBarBackground(HDC DC, const TRect& R) {
  DrawPartOrFill(10090, DC, R, clBtnFace);
}

void TdxCustomRibbonSkin::DrawStatusBarGripArea(HDC DC, const TRect& R) {
  DrawPartOrFill(10095, DC, R, clBtnFace);
}

void TdxCustomRibbonSkin::DrawStatusBarPanel(HDC DC, const TRect& R, bool Flat) {
  DrawPartOrFill(Flat ? 10090 : 10093, DC, R, clBtnFace);
}

void TdxCustomRibbonSkin::DrawStatusBarPanelSeparator(HDC DC, const TRect& R) {
  if (!lowColor_) return DrawTablePart(10094, 0, DC, R);
  FillColor(DC, R, clBtnFace);
  FillColor(DC, {R.left, R.top + 1, R.left + 1, R.bottom - 1}, clBtnShadow);
}

void TdxCustomRibbonSkin::DrawStatusBarSizeGrip(HDC DC, const TRect& R) {
  DrawOffice11SizeGripDots(DC, R, PartColorOf(kGripDarkID, 0), PartColorOf(kGripLightID, 0));
}

void TdxCustomRibbonSkin::DrawStatusBarToolbarSeparator(HDC DC, const TRect& R) {
  if (!lowColor_) return DrawTablePart(10096, 0, DC, R);
  FillColor(DC, R, clBtnFace);
  FillColor(DC, {R.left, R.top, R.left + 1, R.bottom - 1}, clBtnShadow);
}

TRect TdxCustomRibbonSkin::FormBorderWidths(TFormBorderStyle BorderStyle, bool HasStatusBar) const {
  if (BorderStyle == bsNone) return {0, 0, 0, 0};
  return {4, 0, 4, HasStatusBar ? 1 : 4};
}

// ---- colours ------------------------------------------------------------------------------------

TColor TdxCustomRibbonSkin::PartColorOf(int ID, int State) {
  if (lowColor_) return LowColorPartColor(ID, State);
  return BaseSkinColor(ID, State, [this](int RefID, int RefState) { return PartColorOf(RefID, RefState); });
}

TColor TdxCustomRibbonSkin::LowColorPartColor(int ID, int State) const {
  auto rgb = [](TColor c) { return ColorToRGB(c); };
  auto byTextState = [&](TColor first) { return rgb(State == 0 ? first : State == 1 ? clGrayText : clHighlightText); };
  switch (ID) {
    case 10:
    case 12: return rgb(State > 1 ? clWhite : clBtnShadow);
    case 10018: return rgb(clBtnShadow);
    case 19: return 0xDAD5D2;
    case 20: return 0xEFE7DE;
    case 41: return 0xDDBB9E;
    case 64:
    case 362: return byTextState(clMenuText);
    case 67:
    case 68: return rgb(clHighlight);
    case 335:
    case 10133:
    case 10138: return byTextState(clWindowText);
    case 10134: return rgb(clWindowText);
    case 425: return State == 3 ? 0x85B6CA : State == 8 ? 0xCDCDCD : clDefault;
    case 455: return 0xEDD3BE;
    case 456: return 0xFFFFFF;
    case 457: return 0xCAAF9B;
    case 10066: return 0xF3E2D5;
    case 10130:
    case 10131: return rgb(State == 0 ? clCaptionText : clInactiveCaptionText);
    case 10132: return rgb(State == 0 ? clWindowText : clHighlightText);
    default: return rgb(clBtnFace);
  }
}

// ---- the schemes --------------------------------------------------------------------------------

namespace {

// Fills R without its last row with the first colour, then the same rows one pixel lower with the
// second: the second colour ends up in every row but the first.
void DrawBottomLines(HDC DC, const TRect& R, TScheme Scheme) {
  const TLinePair lines = kTabAreaBottomLines[int(Scheme)];
  const TRect upper(R.left, R.top, R.right, R.bottom - 1);
  FillColor(DC, upper, lines.First);
  FillColor(DC, OffsetRectBy(upper, 0, 1), lines.Second);
}

}  // namespace

TdxGPImage* TdxBlueRibbonSkin::LoadColorSheet() { return LoadSheet(Wide(kColorSheetNames[int(TScheme::Blue)])); }
TdxGPImage* TdxBlueRibbonSkin::LoadFormSheet() { return LoadSheet(Wide(kFormSheetNames[int(TScheme::Blue)])); }
void TdxBlueRibbonSkin::DrawTabAreaBottomLines(HDC DC, const TRect& R) { DrawBottomLines(DC, R, TScheme::Blue); }
TColor TdxBlueRibbonSkin::PartColorOf(int ID, int State) {
  return LowColor() ? TdxCustomRibbonSkin::PartColorOf(ID, State) : SchemeColor(TScheme::Blue, ID, State);
}

TdxGPImage* TdxBlackRibbonSkin::LoadColorSheet() { return LoadSheet(Wide(kColorSheetNames[int(TScheme::Black)])); }
TdxGPImage* TdxBlackRibbonSkin::LoadFormSheet() { return LoadSheet(Wide(kFormSheetNames[int(TScheme::Black)])); }
void TdxBlackRibbonSkin::DrawTabAreaBottomLines(HDC DC, const TRect& R) { DrawBottomLines(DC, R, TScheme::Black); }
TColor TdxBlackRibbonSkin::PartColorOf(int ID, int State) {
  return LowColor() ? TdxCustomRibbonSkin::PartColorOf(ID, State) : SchemeColor(TScheme::Black, ID, State);
}

TdxGPImage* TdxSilverRibbonSkin::LoadColorSheet() { return LoadSheet(Wide(kColorSheetNames[int(TScheme::Silver)])); }
TdxGPImage* TdxSilverRibbonSkin::LoadFormSheet() { return LoadSheet(Wide(kFormSheetNames[int(TScheme::Silver)])); }
void TdxSilverRibbonSkin::DrawTabAreaBottomLines(HDC DC, const TRect& R) { DrawBottomLines(DC, R, TScheme::Silver); }
TColor TdxSilverRibbonSkin::PartColorOf(int ID, int State) {
  return LowColor() ? TdxCustomRibbonSkin::PartColorOf(ID, State) : SchemeColor(TScheme::Silver, ID, State);
}

// ---- registration -------------------------------------------------------------------------------

namespace {

template <class TSkin>
void RegisterSkin(const wchar_t* Scheme) {
  TdxCustomRibbonSkin* skin = nullptr;
  try {
    skin = NewRibbonSkin<TSkin>();
  } catch (const std::exception& e) {
    const String line = String(L"Ribbon skin \"") + Scheme + L"\" left out: " +
                        (dynamic_cast<const Exception*>(&e) ? dynamic_cast<const Exception&>(e).Message()
                                                            : Wide(e.what())) +
                        L"\n";
    OutputDebugStringW(line.c_str());
    return;
  }
  if (BarSkinManager()->AddSkin(skin) < 0) skin->Free();
}

}  // namespace

void StartRibbonSkinsUnit() {
  if (!GdiPlusAvailable()) return;
  RegisterSkin<TdxBlueRibbonSkin>(L"Blue");
  RegisterSkin<TdxBlackRibbonSkin>(L"Black");
  RegisterSkin<TdxSilverRibbonSkin>(L"Silver");
}

void EndRibbonSkinsUnit() {
  TdxBarSkinManager* manager = BarSkinManager();
  for (int i = manager->SkinCount() - 1; i >= 0; --i)
    if (dynamic_cast<TdxCustomRibbonSkin*>(manager->Skins(i))) manager->RemoveSkin(manager->Skins(i));
  FreeBarSkinManager();
  FreeSharedPartDC();
}

namespace {
const TUnitRegistration ribbonSkinsUnit(&StartRibbonSkinsUnit, &EndRibbonSkinsUnit);
}  // namespace
