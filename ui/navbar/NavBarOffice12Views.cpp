#include "ui/navbar/NavBarOffice12Views.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarOffice12PainterHelper)
DEFINE_CLASS(TdxNavBarcxOffice12ScrollBar)
DEFINE_CLASS(TdxNavBarOffice12ExplorerBarPainter)
DEFINE_CLASS(TdxNavBarOffice12NavPanePainter)
DEFINE_CLASS(TdxNavBarVistaPainterHelper)
DEFINE_CLASS(TdxNavBarVistaExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarVistaExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarVistaExplorerBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarVistaExplorerBarPainter)

namespace {

const wchar_t* const kOffice12Schemes[3] = {L"Blue", L"Black", L"Silver"};
String defaultOffice12Scheme = kOffice12Schemes[0];

}  // namespace

String DefaultOffice12Scheme() { return defaultOffice12Scheme; }

// ---- the Office12 helper ----------------------------------------------------------------------------

String TdxNavBarOffice12PainterHelper::SkinName() { return L"Office12_" + GetColorSchemeName(); }

String TdxNavBarOffice12PainterHelper::SchemeName(int Index) {
  return Index >= 0 && Index < 3 ? String(kOffice12Schemes[Index]) : String();
}

void TdxNavBarOffice12PainterHelper::ApplyColorScheme(const String& Name) {
  TdxNavBarSkinBasedPainterHelper::ApplyColorScheme(Name);
  // At most 255 characters, as the process-wide name has always been kept.
  defaultOffice12Scheme = Name.substr(0, 255);
}

// ---- the skinned scroll bar -------------------------------------------------------------------------

namespace {

TdxSkinElementState ScrollPartState(int State) {
  switch (State) {
    case 2: return esHot;
    case 3: return esPressed;
    case 4: return esDisabled;
    default: return esNormal;
  }
}

}  // namespace

TdxNavBarOffice12ExplorerBarPainter* TdxNavBarcxOffice12ScrollBar::Painter() const {
  auto* bar = dynamic_cast<TdxCustomNavBar*>(Parent());
  auto* painter = bar ? dynamic_cast<TdxNavBarOffice12ExplorerBarPainter*>(bar->Painter()) : nullptr;
  return painter && painter->Helper() ? painter : nullptr;
}

void TdxNavBarcxOffice12ScrollBar::PaintPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarPart Part, int State) {
  TdxNavBarOffice12ExplorerBarPainter* painter = Painter();
  if (!painter) return TcxControlScrollBar::PaintPart(ACanvas, R, Part, State);
  const TdxSkinScrollInfo* info = painter->Helper()->ScrollBarPart(0, int(Part));
  if (!info || !info->Element || info->Element->UsageMark == kSkinMarkPlaceholder) return;
  info->Element->Draw(ACanvas->DCHandle(), R, info->ImageIndex, ScrollPartState(State));
}

int TdxNavBarcxOffice12ScrollBar::MinThumbLength() {
  TdxNavBarOffice12ExplorerBarPainter* painter = Painter();
  if (!painter) return TcxControlScrollBar::MinThumbLength();
  const TdxSkinScrollInfo* info = painter->Helper()->ScrollBarPart(0, int(sbpThumbnail));
  return info && info->Element ? info->Element->MinSize().cy : 0;
}

// ---- the Office12 explorer bar ---------------------------------------------------------------------

TdxNavBarSkinBasedPainterHelperClass TdxNavBarOffice12ExplorerBarPainter::HelperClass() {
  return &MakePainterHelper<TdxNavBarOffice12PainterHelper>;
}

TdxNavBarSkinBasedPainterHelperClass TdxNavBarOffice12NavPanePainter::HelperClass() {
  return &MakePainterHelper<TdxNavBarOffice12PainterHelper>;
}

void TdxNavBarOffice12NavPanePainter::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdxNavBarOffice12NavPanePainter*>(Source); other && other->ClassType() == ClassType()) {
    SetColorSchemeName(other->ColorSchemeName());
    return;
  }
  TdxNavBarSkinBasedNavPanePainter::Assign(Source);
}

void TdxNavBarOffice12ExplorerBarPainter::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TdxNavBarOffice12ExplorerBarPainter*>(Source);
      other && other->ClassType() == ClassType()) {
    SetColorSchemeName(other->ColorSchemeName());
    return;
  }
  TdxNavBarSkinBasedExplorerBarPainter::Assign(Source);
}

TComponentClass TdxNavBarOffice12ExplorerBarPainter::ScrollBarClass() {
  return &TdxNavBarcxOffice12ScrollBar::ClassInfo();
}

bool TdxNavBarOffice12ExplorerBarPainter::HeaderUsesContentOffsets(TdxNavBarGroupViewInfo* AGroup) {
  return ViewInfo()->GroupCount() > 0 && ViewInfo()->GroupAt(0) == AGroup;
}

// ---- Vista --------------------------------------------------------------------------------------

bool VistaVisualStylesActive() {
  auto isActive = Bound().IsThemeActive.Get();
  return isActive && isActive() != FALSE;
}

TdxSkinElement* TdxNavBarVistaPainterHelper::BackgroundElement() {
  return VistaVisualStylesActive() ? TdxNavBarSkinBasedPainterHelper::BackgroundElement() : nullptr;
}
TdxSkinElement* TdxNavBarVistaPainterHelper::GroupHeaderElement() {
  return VistaVisualStylesActive() ? TdxNavBarSkinBasedPainterHelper::GroupHeaderElement() : nullptr;
}
TdxSkinElement* TdxNavBarVistaPainterHelper::ItemElement() {
  return VistaVisualStylesActive() ? TdxNavBarSkinBasedPainterHelper::ItemElement() : nullptr;
}

TPoint TdxNavBarVistaExplorerBarViewInfo::GroupsOrigin() {
  return VistaVisualStylesActive() ? TPoint(1, 1) : TPoint(0, 0);
}

void TdxNavBarVistaExplorerBarViewInfo::AssignItemHotTrackedDefaults() { CopyStyle(dsItemHotTracked, dsItem); }

TdxNavBarVistaExplorerBarGroupViewInfo::TdxNavBarVistaExplorerBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                               TdxNavBarGroup* AGroup,
                                                                               bool AItemsVisible,
                                                                               bool ACaptionVisible)
    : TdxNavBarExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible), font_(new TFont()) {}

TdxNavBarVistaExplorerBarGroupViewInfo::~TdxNavBarVistaExplorerBarGroupViewInfo() { delete font_; }

TColor TdxNavBarVistaExplorerBarGroupViewInfo::HeaderBackColor() {
  const int state = NavBarStateFlags(State());
  if (state & nbisPressed) return clHotLight;
  if (state & (nbisHot | nbisSelected)) return clActiveCaption;
  return clWindow;
}

TFont* TdxNavBarVistaExplorerBarGroupViewInfo::HeaderFont() {
  font_->Assign(TdxNavBarExplorerBarGroupViewInfo::HeaderFont());
  TFontStyles style = font_->Style();
  style.Exclude(fsBold);
  font_->SetStyle(style);
  font_->SetName(L"Segoe UI");
  return font_;
}

TColor TdxNavBarVistaExplorerBarGroupViewInfo::HeaderFontColor() {
  if (VistaVisualStylesActive()) {
    auto* painter = dynamic_cast<TdxNavBarSkinBasedExplorerBarPainter*>(OwnerViewInfo()->Painter());
    TdxSkinElement* header = painter ? painter->Helper()->GroupHeaderElement() : nullptr;
    const TColor color = header ? header->TextColor() : clDefault;
    return color == clDefault || color == clNone ? TdxNavBarExplorerBarGroupViewInfo::HeaderFontColor() : color;
  }
  return NavBarStateFlags(State()) & (nbisHot | nbisPressed | nbisSelected) ? clHighlightText : clWindowText;
}

TdxNavBarVistaExplorerBarLinkViewInfo::TdxNavBarVistaExplorerBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                             TdxNavBarItemLink* ALink,
                                                                             bool AImageVisible, bool ACaptionVisible)
    : TdxNavBarSkinBasedExplorerBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible),
      font_(new TFont()) {}

TdxNavBarVistaExplorerBarLinkViewInfo::~TdxNavBarVistaExplorerBarLinkViewInfo() { delete font_; }

TFont* TdxNavBarVistaExplorerBarLinkViewInfo::Font() {
  font_->Assign(TdxNavBarSkinBasedExplorerBarLinkViewInfo::Font());
  font_->SetName(L"Segoe UI");
  return font_;
}

TColor TdxNavBarVistaExplorerBarLinkViewInfo::FontColor() {
  if (VistaVisualStylesActive()) return TdxNavBarSkinBasedExplorerBarLinkViewInfo::FontColor();
  return NavBarStateFlags(State()) & (nbisHot | nbisPressed | nbisSelected) ? clHighlightText : clWindowText;
}

void TdxNavBarVistaExplorerBarSelectionPainter::GetSelectionColors(int State, TColor BackColor, TColor& FillColor,
                                                                   TColor& TopLeftOuter, TColor& BottomRightOuter,
                                                                   TColor& TopLeftInner,
                                                                   TColor& BottomRightInner) const {
  TdxNavBarCustomSelectionPainter::GetSelectionColors(State, BackColor, FillColor, TopLeftOuter, BottomRightOuter,
                                                      TopLeftInner, BottomRightInner);
  FillColor = clActiveCaption;
}

void TdxNavBarVistaExplorerBarButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture*, TColor Color1,
                                                        TColor, Byte, Byte, int, TColor, int) const {
  if (Color1 != clNone) Canvas->FillAreaWithColor(R, Color1);
}

TdxNavBarSkinBasedPainterHelperClass TdxNavBarVistaExplorerBarPainter::HelperClass() {
  return &MakePainterHelper<TdxNavBarVistaPainterHelper>;
}
TdxNavBarViewInfo* TdxNavBarVistaExplorerBarPainter::CreateViewInfo() {
  return new TdxNavBarVistaExplorerBarViewInfo(this);
}
TdxNavBarGroupViewInfo* TdxNavBarVistaExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                              TdxNavBarGroup* AGroup,
                                                                              bool AItemsVisible, bool ACaptionVisible) {
  return new TdxNavBarVistaExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarLinkViewInfo* TdxNavBarVistaExplorerBarPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                            TdxNavBarItemLink* ALink,
                                                                            bool AImageVisible, bool ACaptionVisible) {
  return new TdxNavBarVistaExplorerBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}
TdxNavBarButtonPainterClass TdxNavBarVistaExplorerBarPainter::ButtonPainterClass() {
  return TdxNavBarVistaExplorerBarButtonPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarVistaExplorerBarPainter::SelectionPainterClass() {
  return TdxNavBarVistaExplorerBarSelectionPainter::Instance();
}

void TdxNavBarVistaExplorerBarPainter::DrawBackground() {
  TdxNavBarSkinBasedExplorerBarPainter::DrawBackground();
  DrawSkinElement(Helper()->BackgroundElement(), cxCanvas(), NavBar()->GetClientRect(), false, esNormal);
}

void TdxNavBarVistaExplorerBarPainter::DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) {
  if (!DrawSkinElement(Helper()->ItemElement(), cxCanvas(), ALink->ImageFrameRect(), false,
                       SkinStateOf(NavBarStateFlags(ALink->State()))))
    TdxNavBarSkinBasedExplorerBarPainter::DrawLinkSelection(ALink);
}

void TdxNavBarVistaExplorerBarPainter::DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) {
  const TRect r = AGroup->ControlSizerBounds;
  TcxCanvas* canvas = cxCanvas();
  canvas->FillAreaWithColor(TRect(r.left, r.top, r.right, r.top + 1), clBtnHighlight);
  canvas->FillAreaWithColor(TRect(r.left, r.top + 1, r.right, r.top + 3), clBtnFace);
  canvas->FillAreaWithColor(TRect(r.left, r.top + 3, r.right, r.top + 4), clBtnHighlight);
}

// ---- the unit -------------------------------------------------------------------------------------

void StartOffice12ViewsUnit() {
  defaultOffice12Scheme = kOffice12Schemes[0];
  RegisterView(17, L"Office12NavigationPaneView", &TdxNavBarOffice12NavPanePainter::ClassInfo());
  RegisterView(18, L"Office12ExplorerBarView", &TdxNavBarOffice12ExplorerBarPainter::ClassInfo());
  RegisterView(19, L"VistaExplorerBarView", &TdxNavBarVistaExplorerBarPainter::ClassInfo());
}

void EndOffice12ViewsUnit() {
  UnregisterView(17);
  UnregisterView(18);
  UnregisterView(19);
}

namespace {
const TUnitRegistration office12ViewsUnit(&StartOffice12ViewsUnit, &EndOffice12ViewsUnit);
}
