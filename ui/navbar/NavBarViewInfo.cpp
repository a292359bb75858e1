#include "ui/navbar/NavBarViewInfo.h"

#include <algorithm>
#include <cmath>

#include "ui/navbar/NavBarAccessibility.h"
#include "ui/navbar/NavBarPainter.h"

DEFINE_CLASS(TdxNavBarCustomGroupItemCalculator)
DEFINE_CLASS(TdxNavBarItemCalculator)
DEFINE_CLASS(TdxNavBarCustomViewInfo)
DEFINE_CLASS(TdxNavBarCustomItemViewInfo)
DEFINE_CLASS(TdxNavBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarViewInfo)

namespace {

int AlignmentFlags(TdxBarStyleHAlignment H, TdxBarStyleVAlignment V) {
  static const int horz[] = {ctfLeft, ctfHCenter, ctfRight};
  static const int vert[] = {ctfTop, ctfVCenter, ctfBottom};
  return horz[H] | vert[V];
}

// The text's rectangle under the flags, measured with the font on the screen canvas and placed at
// R's top left; R's right edge limits the width.
TRect MeasureCaption(TFont* Font, const String& Text, const TRect& R, int Flags) {
  TcxScreenCanvas* canvas = ScreenCanvas();
  canvas->UseFont(Font);
  canvas->MeasureText(L"");  // selects the font
  TRect result = R;
  RenderTextInRect(canvas->DCHandle(), Text, result, TextFlagsToDrawTextFlags(Flags | ctfCalcOnly));
  result.right = std::min(result.right, R.right);
  return result;
}

int FontTextHeight(TFont* Font) { return ScreenCanvas()->FontLineHeight(Font); }

bool SameFont(const TFont* A, const TFont* B) {
  return A->Name() == B->Name() && A->Height() == B->Height() && A->Style() == B->Style() &&
         A->Color() == B->Color() && A->Charset() == B->Charset() && A->Pitch() == B->Pitch() &&
         A->Orientation() == B->Orientation();
}

// The style's font copied into Target; an equal font is left alone, so that painting and layout
// keep the font handle instead of making it again.
TFont* ResolvedFont(TFont* Target, const TdxNavBarBaseStyle* Style) {
  if (!SameFont(Target, Style->Font())) Target->Assign(Style->Font());
  return Target;
}

}  // namespace

// ---- link calculator ----------------------------------------------------------------------------

void TdxNavBarItemCalculator::CalculateBounds(int X, int Y, TdxNavBarLinkViewInfo* ALinkViewInfo) {
  TdxNavBarLinkViewInfo& link = *ALinkViewInfo;
  TdxNavBarViewInfo* viewInfo = link.OwnerViewInfo();
  const TRect E = viewInfo->LinkImageEdges();
  const int W = viewInfo->ClientWidth() - X;
  const int imageWidth = link.ImageWidth(), imageHeight = link.ImageHeight();
  const String caption = link.Item() ? link.Item()->Caption() : String();
  if (link.GroupViewInfo()->IsIconView()) {
    link.ImageRect = Bounds(X + E.left, Y + E.top, imageWidth, imageHeight);
    link.CaptionRect = {};
    link.Rect = {X, Y, link.ImageRect.right + E.right, link.ImageRect.bottom + E.bottom};
  } else if (!link.UsesLargeImages()) {
    link.ImageRect = Bounds(X + E.left, Y, imageWidth, imageHeight);
    const int captionHeight = link.CaptionHeight();
    link.CaptionRect = MeasureCaption(link.Font(), caption,
                                      {link.ImageRect.right + E.right, Y, W - 1, Y + captionHeight},
                                      link.CaptionDrawFlags());
    link.Rect = {X, Y, W, Y + std::max(imageHeight, captionHeight) + viewInfo->SmallLinkPadding()};
    const int rowHeight = link.Rect.Height();
    link.ImageRect = OffsetRectBy(link.ImageRect, 0, (rowHeight - imageHeight) / 2);
    link.CaptionRect = OffsetRectBy(link.CaptionRect, 0, rowHeight / 2 - link.CaptionRect.Height() / 2);
  } else {
    const int padding = viewInfo->LargeLinkPadding();
    link.ImageRect = Bounds(X, Y + padding / 2, imageWidth, imageHeight);
    const int top = link.ImageRect.bottom + E.bottom;
    link.CaptionRect = MeasureCaption(link.Font(), caption, {X + 1, top, W - 1, top + link.CaptionHeight()},
                                      link.CaptionDrawFlags());
    link.Rect = {X, Y, W, link.CaptionRect.bottom + padding / 2};
    const int width = link.Rect.Width();
    link.ImageRect = MoveRectToX(link.ImageRect, link.Rect.left + (width - link.ImageRect.Width()) / 2);
    link.CaptionRect = MoveRectToX(link.CaptionRect, link.Rect.left + (width - link.CaptionRect.Width()) / 2);
  }
  link.FocusRect = {};
  if (link.State().Contains(sFocused))
    IntersectRectsOf(InflateRectBy(link.CaptionRect, 2, 0), link.Rect, link.FocusRect);
  link.DesignRect = TdxNavBarCustomItemViewInfo::DesignMarkRectOf(link.NavBar(), link.Rect, 10);
}

// ---- common view-info objects -------------------------------------------------------------------

TdxNavBarCustomViewInfo::TdxNavBarCustomViewInfo()
    : scaleRatio_(std::max(ScreenDeviceCapability(0) / 96.0, 1.0)) {}

int TdxNavBarCustomViewInfo::ScaleValue(int AValue) const { return int(std::lround(AValue * scaleRatio_)); }

TdxNavBarCustomItemViewInfo::TdxNavBarCustomItemViewInfo(TdxNavBarViewInfo* AOwnerViewInfo)
    : ownerViewInfo_(AOwnerViewInfo),
      painter_(AOwnerViewInfo->Painter()),
      navBar_(AOwnerViewInfo->NavBar()),
      textFont_(new TFont) {}

TdxNavBarCustomItemViewInfo::~TdxNavBarCustomItemViewInfo() { delete textFont_; }

bool TdxNavBarCustomItemViewInfo::IsHotState() {
  const TdxNavBarItemStates state = State();
  return state.Contains(sActive) || state.Contains(sHotTracked) || state.Contains(sPressed) ||
         state.Contains(sSelected);
}

TCustomImageList* TdxNavBarCustomItemViewInfo::ImageList() {
  TdxNavBarImageOptions* images = navBar_->OptionsImage();
  const bool large = UsesLargeImages();
  auto pick = [&](TdxNavBarImageOptions::TImageKind L, TdxNavBarImageOptions::TImageKind S) {
    return images->Images(large ? L : S);
  };
  if (State().Contains(sDisabled))
    if (TCustomImageList* list = pick(TdxNavBarImageOptions::ikDisabledLarge, TdxNavBarImageOptions::ikDisabledSmall))
      return list;
  if (IsHotState())
    if (TCustomImageList* list = pick(TdxNavBarImageOptions::ikHotLarge, TdxNavBarImageOptions::ikHotSmall))
      return list;
  return pick(TdxNavBarImageOptions::ikLarge, TdxNavBarImageOptions::ikSmall);
}

bool TdxNavBarCustomItemViewInfo::UseDisabledImages() {
  const bool large = UsesLargeImages();
  return State().Contains(sDisabled) && navBar_->OptionsImage()->Images(
      large ? TdxNavBarImageOptions::ikDisabledLarge : TdxNavBarImageOptions::ikDisabledSmall);
}

bool TdxNavBarCustomItemViewInfo::UseHotImages() {
  const bool large = UsesLargeImages();
  return IsHotState() &&
         navBar_->OptionsImage()->Images(large ? TdxNavBarImageOptions::ikHotLarge : TdxNavBarImageOptions::ikHotSmall);
}

void TdxNavBarCustomItemViewInfo::Offset(int DX, int DY) {
  for (TRect* r : {&CaptionRect, &DesignRect, &ImageRect, &FocusRect, &Rect}) *r = OffsetRectBy(*r, DX, DY);
}

int TdxNavBarCustomItemViewInfo::ImageIndex() {
  TdxNavBarCustomItem* component = Component();
  if (!component) return -1;
  return UsesLargeImages() ? component->LargeImageIndex() : component->SmallImageIndex();
}

TRect TdxNavBarCustomItemViewInfo::DesignMarkRectOf(TdxCustomNavBar* ANavBar, const TRect& R, int ASize) {
  if (!ANavBar->IsDesigning()) return {};
  return CenterWHInRect({R.right - 20, R.top, R.right, R.bottom}, ASize, ASize);
}

// ---- TdxNavBarLinkViewInfo ------------------------------------------------------------------------

TdxNavBarLinkViewInfo::TdxNavBarLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo, TdxNavBarItemLink* ALink,
                                             bool AImageVisible, bool ACaptionVisible)
    : TdxNavBarCustomItemViewInfo(AGroupViewInfo->OwnerViewInfo()),
      ImageShown(AImageVisible),
      CaptionShown(ACaptionVisible),
      groupViewInfo_(AGroupViewInfo),
      link_(ALink),
      item_(ALink->Item()) {}

TdxNavBarCustomItem* TdxNavBarLinkViewInfo::Component() const { return item_; }

namespace {

// The bar's focused element when it is of the class and stands for AOwner; no object is made.
TdxNavBarCustomAccessibilityHelper* FocusedElementOf(TdxCustomNavBar* ABar, TObject* AOwner, TClass AClass) {
  IdxNavBarAccessibilityHelper* focused = ABar->FocusedObject();
  if (!focused) return nullptr;
  TdxNavBarCustomAccessibilityHelper* object = focused->NavBarHelperObject();
  return object->OwnerObject() == AOwner && object->InheritsFrom(AClass) ? object : nullptr;
}

}  // namespace

TdxNavBarItemStates TdxNavBarLinkViewInfo::State() {
  TdxNavBarItemStates state;
  if (item_ && !item_->Enabled()) state.Include(sDisabled);
  if (NavBar()->PressedLink() == link_) state.Include(sPressed);
  if (link_->IsSelected()) state.Include(sSelected);
  if (NavBar()->HotLink() == link_) state.Include(sHotTracked);
  if (auto* focused = FocusedElementOf(NavBar(), link_, &TdxNavBarItemLinkAccessibilityHelper::ClassInfo());
      focused && focused->HasFocus())
    state.Include(sFocused);
  return state;
}

bool TdxNavBarLinkViewInfo::UsesLargeImages() { return !groupViewInfo_->IsLinksUseSmallImages(); }

void TdxNavBarLinkViewInfo::CalculateBounds(int X, int Y) {
  if (item_) item_->CalculatorClass()->CalculateBounds(X, Y, this);
}

int TdxNavBarLinkViewInfo::CaptionHeight() { return FontTextHeight(Font()) + 4; }

int TdxNavBarLinkViewInfo::CaptionDrawFlags() {
  return UsesLargeImages() ? ctfHCenter | ctfWordBreak : ctfVCenter | ctfSingleLine;
}

int TdxNavBarLinkViewInfo::ImageHeight() {
  return UsesLargeImages() ? OwnerViewInfo()->LargeImageHeight() : OwnerViewInfo()->SmallImageHeight();
}

int TdxNavBarLinkViewInfo::ImageWidth() {
  return UsesLargeImages() ? OwnerViewInfo()->LargeImageWidth() : OwnerViewInfo()->SmallImageWidth();
}

namespace {

// Disabled, else pressed, else hot, else normal: the index into (normal, disabled, hot, pressed).
int LinkStyleSlot(TdxNavBarLinkViewInfo* Link) {
  TdxCustomNavBar* bar = Link->NavBar();
  if (Link->Item() && !Link->Item()->Enabled()) return icsItemDisabled;
  if (bar->PressedLink() == Link->Link()) return icsItemPressed;
  if (bar->HotLink() == Link->Link()) return icsItemHotTracked;
  return icsItem;
}

}  // namespace

TdxNavBarStyleItem* TdxNavBarLinkViewInfo::CustomStyle() {
  return item_ ? item_->CustomStyles()->StyleAt(LinkStyleSlot(this)) : nullptr;
}

TdxNavBarBaseStyle* TdxNavBarLinkViewInfo::DefaultStyle() {
  static const int defaults[] = {dsItem, dsItemDisabled, dsItemHotTracked, dsItemPressed};
  return NavBar()->DefaultStyles()->StyleAt(defaults[LinkStyleSlot(this)]);
}

TFont* TdxNavBarLinkViewInfo::Font() {
  return ResolvedFont(TextFont(), ResolveStyle(CustomStyle(), DefaultStyle(), savFont));
}

TColor TdxNavBarLinkViewInfo::FontColor() { return Font()->Color(); }

TRect TdxNavBarLinkViewInfo::ImageFrameRect() { return InflateRectBy(ImageRect, 2, 2); }

// ---- TdxNavBarGroupViewInfo -------------------------------------------------------------------------

TdxNavBarGroupViewInfo::TdxNavBarGroupViewInfo(TdxNavBarViewInfo* AViewInfo, TdxNavBarGroup* AGroup,
                                               bool AItemsVisible, bool ACaptionVisible)
    : TdxNavBarCustomItemViewInfo(AViewInfo), CaptionShown(ACaptionVisible), LinksShown(AItemsVisible), group_(AGroup) {}

TdxNavBarGroupViewInfo::~TdxNavBarGroupViewInfo() { ClearLinks(); }

void TdxNavBarGroupViewInfo::ClearLinks() {
  for (TdxNavBarLinkViewInfo* info : linkInfos_) info->Free();
  linkInfos_.clear();
}

int TdxNavBarGroupViewInfo::IndexOfLink(const TdxNavBarLinkViewInfo* AInfo) const {
  const auto it = std::find(linkInfos_.begin(), linkInfos_.end(), AInfo);
  return it == linkInfos_.end() ? -1 : int(it - linkInfos_.begin());
}

TdxNavBarLinkViewInfo* TdxNavBarGroupViewInfo::LinkViewInfoOf(const TdxNavBarItemLink* ALink) const {
  for (TdxNavBarLinkViewInfo* info : linkInfos_)
    if (info->Link() == ALink) return info;
  return nullptr;
}

bool TdxNavBarGroupViewInfo::IsCaptionVisible() {
  return CaptionShown && NavBar()->ShowGroupCaptions() &&
         (group_->ShowCaption() || !OwnerViewInfo()->AllowHideGroupCaption());
}

bool TdxNavBarGroupViewInfo::IsItemsVisible() { return LinksShown && OwnerViewInfo()->GroupShowsLinks(group_); }

bool TdxNavBarGroupViewInfo::IsSmallImages() {
  return !OwnerViewInfo()->AllowLargeGroupImages() || group_->UseSmallImages();
}

bool TdxNavBarGroupViewInfo::IsLinksUseSmallImages() {
  return !OwnerViewInfo()->AllowLargeLinkImages() || group_->LinksUseSmallImages();
}

bool TdxNavBarGroupViewInfo::IsIconView() { return OwnerViewInfo()->CanShowAsIconView() && group_->ShowAsIconView(); }

TdxNavBarGroupControl* TdxNavBarGroupViewInfo::ShownControl() {
  return group_->ShowControl() ? group_->Control() : nullptr;
}

TdxNavBarCustomItem* TdxNavBarGroupViewInfo::Component() const { return group_; }

TdxNavBarItemStates TdxNavBarGroupViewInfo::State() {
  TdxNavBarItemStates state;
  TdxCustomNavBar* bar = NavBar();
  // The group's caption panel is the element that takes the focus and the click keys.
  auto* caption = FocusedElementOf(bar, group_, &TdxNavBarGroupCaptionPanelAccessibilityHelper::ClassInfo());
  if (bar->PressedGroup() == group_ || (caption && caption->IsDown())) state.Include(sPressed);
  if (caption && caption->HasFocus()) state.Include(sFocused);
  if (bar->HotGroup() == group_) state.Include(sHotTracked);
  if (group_->Expanded()) state.Include(sExpanded);
  const bool effective = bar->EffectiveActiveGroup() == group_;
  if (effective && OwnerViewInfo()->ShowsActiveGroup()) state.Include(sActive);
  if (effective && OwnerViewInfo()->CanHaveSpecialGroup() && bar->OptionsView()->ExplorerBar()->ShowSpecialGroup())
    state.Include(sSpecial);
  return state;
}

void TdxNavBarGroupViewInfo::Offset(int DX, int DY) {
  TdxNavBarCustomItemViewInfo::Offset(DX, DY);
  for (TRect* r : {&SignRect, &CaptionTextRect, &ItemsRect}) *r = OffsetRectBy(*r, DX, DY);
  for (TdxNavBarLinkViewInfo* info : linkInfos_) info->Offset(DX, DY);
}

void TdxNavBarGroupViewInfo::CreateLinks() {
  if (!IsItemsVisible() || ShownControl()) return;
  for (int i = 0; i < group_->LinkCount(); ++i) {
    TdxNavBarItemLink* link = group_->LinkAt(i);
    if (link->Item() && link->Item()->Visible()) AddLink(Painter()->CreateLinkViewInfo(this, link, true, true));
  }
}

void TdxNavBarGroupViewInfo::ItemsClientRect(TRect& R) {
  R = DeflateRectByMargins(ItemsRect, OwnerViewInfo()->GroupEdges());
  if (IsCaptionVisible()) R.top = CaptionRect.bottom;
}

void TdxNavBarGroupViewInfo::AdjustControl() {
  TdxNavBarGroupControl* control = group_->Control();
  if (!control) return;
  TRect r;
  ItemsClientRect(r);
  control->AdjustBounds(r, IsItemsVisible() && group_->ShowControl());
}

void TdxNavBarGroupViewInfo::RecreateLinks() {
  ClearLinks();
  if (group_) CreateLinks();
}

void TdxNavBarGroupViewInfo::CalculateBounds(int X, int& Y) {
  TdxNavBarViewInfo* viewInfo = OwnerViewInfo();
  const int clientRight = viewInfo->ClientWidth() - X;
  CaptionRect = {X, Y, clientRight, Y};
  if (viewInfo->ScrollButtonsOverlapCaptions()) {
    TdxNavBarGroupViewInfo* active = viewInfo->ActiveGroupViewInfo();
    if (active && (active == this || viewInfo->IndexOf(active) + 1 == viewInfo->IndexOf(this)))
      CaptionRect.right -= CaptionHeight() + 2;
  }
  ImageRect = SignRect = CaptionTextRect = {};
  if (IsCaptionVisible()) {
    CaptionRect.bottom = Y + CaptionHeight();
    CaptionTextRect = InflateRectBy(CaptionRect, -2, -1);
    if (viewInfo->ShowGroupCaptionImages()) {
      const int left = CaptionRect.left + viewInfo->GroupImageIndent();
      ImageRect = {left, CaptionRect.bottom - ImageHeight(), left + ImageWidth(), CaptionRect.bottom};
      const bool keepInside = viewInfo->KeepGroupImageInsideCaption();
      const int d = keepInside ? viewInfo->GroupCaptionHeightAddon() : 0;
      if (ImageRect.top - 2 * d < CaptionRect.top) {
        const int g = CaptionRect.top + 2 * d - ImageRect.top;
        CaptionRect.bottom += g;
        CaptionTextRect.bottom += g;
        if (!keepInside) {
          CaptionRect.top += g;
          CaptionTextRect.top += g;
        }
        ImageRect = OffsetRectBy(ImageRect, 0, g - d);
      } else {
        ImageRect = OffsetRectBy(ImageRect, 0, ImageRect.Height() / 2 - CaptionRect.Height() / 2);
      }
      CaptionTextRect.left = ImageRect.right + viewInfo->GroupImageTextSpace();
    }
    if (viewInfo->ShowGroupSigns()) {
      const TRect square{CaptionRect.right - CaptionRect.Height(), CaptionRect.top, CaptionRect.right,
                         CaptionRect.bottom};
      SignRect = CenterSizeInRect(square, viewInfo->GroupSignSize());
      CaptionTextRect.right = square.left;
    }
  }
  DesignRect = DesignMarkRectOf(NavBar(), CaptionRect, 14);
  FocusRect = State().Contains(sFocused) ? InflateRectBy(CaptionRect, -2, -2) : TRect();
  Rect = {CaptionRect.left, CaptionRect.top, clientRight, CaptionRect.bottom};
  if (IsItemsVisible()) {
    if (TdxNavBarGroupControl* control = ShownControl()) {
      const TRect edges = viewInfo->GroupEdges();
      Rect.bottom = CaptionRect.bottom + control->OriginalHeight() + edges.top + edges.bottom;
    } else {
      LayoutLinks(X);
    }
  }
  if (group_->Expanded() && NavBar()->OnCalcGroupClientHeight) {
    int height = Rect.Height() - CaptionRect.Height();
    NavBar()->OnCalcGroupClientHeight(NavBar(), this, height);
    Rect.bottom = Rect.top + CaptionRect.Height() + height;
  }
  ItemsRect = {CaptionRect.left, CaptionRect.bottom, Rect.right, Rect.bottom};
  Y = Rect.bottom + viewInfo->SpaceBetweenGroups();
}

void TdxNavBarGroupViewInfo::LayoutLinks(int X) {
  const int padding = OwnerViewInfo()->LinksPadding();
  const bool iconView = IsIconView();
  int x = X, y = CaptionRect.bottom + padding;
  for (int i = 0; i < LinkCount(); ++i) {
    TdxNavBarLinkViewInfo* link = LinkAt(i);
    link->CalculateBounds(x, y);
    if (!iconView) {
      y = link->Rect.bottom;
      continue;
    }
    if (link->Rect.right > CaptionRect.right && i > 0) link->CalculateBounds(X, LinkAt(i - 1)->Rect.bottom);
    x = link->Rect.right;
    y = link->Rect.top;
  }
  Rect.bottom = (LinkCount() > 0 ? LinkAt(LinkCount() - 1)->Rect.bottom : CaptionRect.bottom + padding) + padding;
}

void TdxNavBarGroupViewInfo::AdjustBounds(int DX, int DY) {
  Rect.right += DX;
  Rect.bottom += DY;
  ItemsRect.right += DX;
  ItemsRect.bottom += DY;
  if (LinkCount() == 0) return;
  // The links of the group's links above TopVisibleLinkIndex scroll out at the top.
  const int top = group_->TopVisibleLinkIndex();
  int above = 0;
  while (above < LinkCount() && LinkAt(above)->Link()->Index() < top) ++above;
  const int shift = above < LinkCount() ? LinkAt(above)->Rect.top - LinkAt(0)->Rect.top
                                        : LinkAt(LinkCount() - 1)->Rect.bottom - LinkAt(0)->Rect.top;
  if (shift != 0)
    for (TdxNavBarLinkViewInfo* info : linkInfos_) info->Offset(0, -shift);
}

int TdxNavBarGroupViewInfo::CaptionHeight() {
  return OwnerViewInfo()->GroupCaptionHeightAddon() + FontTextHeight(HeaderFont());
}

int TdxNavBarGroupViewInfo::CaptionDrawFlags() {
  return AlignmentFlags(HeaderHAlignment(), HeaderVAlignment()) | ctfSingleLine | ctfEndEllipsis;
}

int TdxNavBarGroupViewInfo::ImageHeight() {
  return IsSmallImages() ? OwnerViewInfo()->SmallImageHeight() : OwnerViewInfo()->LargeImageHeight();
}

int TdxNavBarGroupViewInfo::ImageWidth() {
  return IsSmallImages() ? OwnerViewInfo()->SmallImageWidth() : OwnerViewInfo()->LargeImageWidth();
}

TColor TdxNavBarGroupViewInfo::BorderColor() { return HeaderBackColor2(); }

const TdxNavBarBaseStyle* TdxNavBarGroupViewInfo::Background(TdxBarStyleAssignedValue AValue) {
  return ResolveStyle(group_->CustomStyles()->StyleAt(gcsBackground),
                      NavBar()->DefaultStyles()->StyleAt(dsGroupBackground), AValue);
}

TPicture* TdxNavBarGroupViewInfo::BackgroundImage() { return Background(savImage)->Image(); }
TColor TdxNavBarGroupViewInfo::BackgroundBackColor() { return Background(savBackColor)->BackColor(); }
TColor TdxNavBarGroupViewInfo::BackgroundBackColor2() { return Background(savBackColor2)->BackColor2(); }
Byte TdxNavBarGroupViewInfo::BackgroundAlphaBlending() { return Background(savAlphaBlending)->AlphaBlending(); }
Byte TdxNavBarGroupViewInfo::BackgroundAlphaBlending2() { return Background(savAlphaBlending2)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::BackgroundGradientMode() {
  return Background(savGradientMode)->GradientMode();
}

namespace {

// The header's (custom index, default index) by state: active or special groups use the active
// family; pressed before hot before plain.
std::pair<int, int> HeaderSlots(TdxNavBarGroupViewInfo* Group) {
  const TdxNavBarItemStates state = Group->State();
  const bool active = state.Contains(sActive) || state.Contains(sSpecial);
  if (state.Contains(sPressed))
    return active ? std::pair{gcsHeaderActivePressed, dsGroupHeaderActivePressed}
                  : std::pair{gcsHeaderPressed, dsGroupHeaderPressed};
  if (state.Contains(sHotTracked))
    return active ? std::pair{gcsHeaderActiveHotTracked, dsGroupHeaderActiveHotTracked}
                  : std::pair{gcsHeaderHotTracked, dsGroupHeaderHotTracked};
  return active ? std::pair{gcsHeaderActive, dsGroupHeaderActive} : std::pair{gcsHeader, dsGroupHeader};
}

}  // namespace

TdxNavBarStyleItem* TdxNavBarGroupViewInfo::HeaderCustomStyle() {
  return group_->CustomStyles()->StyleAt(HeaderSlots(this).first);
}

TdxNavBarBaseStyle* TdxNavBarGroupViewInfo::HeaderDefaultStyle() {
  return NavBar()->DefaultStyles()->StyleAt(HeaderSlots(this).second);
}

const TdxNavBarBaseStyle* TdxNavBarGroupViewInfo::Header(TdxBarStyleAssignedValue AValue) {
  return ResolveStyle(HeaderCustomStyle(), HeaderDefaultStyle(), AValue);
}

TPicture* TdxNavBarGroupViewInfo::HeaderImage() { return Header(savImage)->Image(); }
TColor TdxNavBarGroupViewInfo::HeaderBackColor() { return Header(savBackColor)->BackColor(); }
TColor TdxNavBarGroupViewInfo::HeaderBackColor2() { return Header(savBackColor2)->BackColor2(); }
Byte TdxNavBarGroupViewInfo::HeaderAlphaBlending() { return Header(savAlphaBlending)->AlphaBlending(); }
Byte TdxNavBarGroupViewInfo::HeaderAlphaBlending2() { return Header(savAlphaBlending2)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::HeaderGradientMode() { return Header(savGradientMode)->GradientMode(); }
TFont* TdxNavBarGroupViewInfo::HeaderFont() { return ResolvedFont(TextFont(), Header(savFont)); }
TColor TdxNavBarGroupViewInfo::HeaderFontColor() { return HeaderFont()->Color(); }
TdxBarStyleHAlignment TdxNavBarGroupViewInfo::HeaderHAlignment() { return Header(savHAlignment)->HAlignment(); }
TdxBarStyleVAlignment TdxNavBarGroupViewInfo::HeaderVAlignment() { return Header(savVAlignment)->VAlignment(); }

const TdxNavBarBaseStyle* TdxNavBarGroupViewInfo::ControlStyle(TdxBarStyleAssignedValue AValue) {
  return ResolveStyle(group_->CustomStyles()->StyleAt(gcsControl), NavBar()->DefaultStyles()->StyleAt(dsGroupControl),
                      AValue);
}

bool TdxNavBarGroupViewInfo::ControlFallsBack() {
  return ControlStyle(savBackColor)->BackColor() == clNone || ControlStyle(savBackColor2)->BackColor2() == clNone;
}

TPicture* TdxNavBarGroupViewInfo::ControlImage() { return ControlStyle(savImage)->Image(); }
TColor TdxNavBarGroupViewInfo::ControlBackColor() {
  return ControlFallsBack() ? BackgroundBackColor() : ControlStyle(savBackColor)->BackColor();
}
TColor TdxNavBarGroupViewInfo::ControlBackColor2() {
  return ControlFallsBack() ? BackgroundBackColor2() : ControlStyle(savBackColor2)->BackColor2();
}
Byte TdxNavBarGroupViewInfo::ControlAlphaBlending() {
  return ControlFallsBack() ? BackgroundAlphaBlending() : ControlStyle(savAlphaBlending)->AlphaBlending();
}
Byte TdxNavBarGroupViewInfo::ControlAlphaBlending2() {
  return ControlFallsBack() ? BackgroundAlphaBlending2() : ControlStyle(savAlphaBlending2)->AlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarGroupViewInfo::ControlGradientMode() {
  return ControlFallsBack() ? BackgroundGradientMode() : ControlStyle(savGradientMode)->GradientMode();
}

// ---- TdxNavBarViewInfo ----------------------------------------------------------------------------

TdxNavBarViewInfo::TdxNavBarViewInfo(TdxNavBarPainter* APainter)
    : painter_(APainter),
      navBar_(APainter->NavBar()),
      paneHeaderFont_(new TFont),
      hintFont_(new TFont),
      groupHeaderDefaultFont_(new TFont) {}

TdxNavBarViewInfo::~TdxNavBarViewInfo() {
  ClearGroupInfos();
  delete groupHeaderDefaultFont_;
  delete hintFont_;
  delete paneHeaderFont_;
}

void TdxNavBarViewInfo::ClearGroupInfos() {
  for (TdxNavBarGroupViewInfo* info : groupInfos_) info->Free();
  groupInfos_.clear();
}

void TdxNavBarViewInfo::AssignNavPaneColorSetDefault(int AIndex) {
  TdxNavBarDefaultStyle* style = DefaultStyle(AIndex);
  style->ResetValues();
  const bool window = AIndex == dsBackground || AIndex == dsGroupBackground;
  SetBackColors(style, window ? clWindow : clNone);
  if (AIndex == dsNavigationPaneHeader) {
    style->Font()->SetColor(clNone);
    style->Font()->SetName(L"Arial");
    style->Font()->SetSize(11);
  }
  if (AIndex == dsGroupHeader || AIndex == dsNavigationPaneHeader) {
    TFontStyles bold = style->Font()->Style();
    bold.Include(fsBold);
    style->Font()->SetStyle(bold);
  }
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::ExtractGroupInfo(int AIndex) {
  TdxNavBarGroupViewInfo* info = groupInfos_.at(size_t(AIndex));
  groupInfos_.erase(groupInfos_.begin() + AIndex);
  return info;
}

void TdxNavBarViewInfo::CalculateBounds() {
  ClearRects();
  const TPoint origin = GroupsOrigin();
  CalculateGroupsBounds(origin.x, origin.y);
  FitGroups();
  AdjustGroupControls();
}

void TdxNavBarViewInfo::CalculateGroupsBounds(int X, int Y) {
  for (TdxNavBarGroupViewInfo* info : groupInfos_) info->CalculateBounds(X, Y);
}

void TdxNavBarViewInfo::CreateGroupInfos() {
  auto add = [this](TdxNavBarGroup* group) {
    TdxNavBarGroupViewInfo* info = painter_->CreateGroupViewInfo(this, group, true, true);
    AddGroupInfo(info);
    info->RecreateLinks();
  };
  if (navBar_->ShowGroupCaptions()) {
    for (int i = 0; i < navBar_->Groups()->Count(); ++i)
      if (navBar_->Groups()->GroupAt(i)->Visible()) add(navBar_->Groups()->GroupAt(i));
  } else if (TdxNavBarGroup* group = navBar_->EffectiveActiveGroup()) {
    add(group);
  }
}

void TdxNavBarViewInfo::RecreateInfos() {
  ClearGroupInfos();
  CreateGroupInfos();
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::ActiveGroupViewInfo() {
  return GroupViewInfoOf(navBar_->EffectiveActiveGroup());
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GroupViewInfoOf(const TdxNavBarGroup* AGroup) const {
  if (!AGroup) return nullptr;
  for (TdxNavBarGroupViewInfo* info : groupInfos_)
    if (info->Group() == AGroup) return info;
  return nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::LinkViewInfoOf(const TdxNavBarItemLink* ALink) const {
  if (!ALink) return nullptr;
  TdxNavBarGroupViewInfo* group = GroupViewInfoOf(ALink->Group());
  return group ? group->LinkViewInfoOf(ALink) : nullptr;
}

int TdxNavBarViewInfo::IndexOf(const TdxNavBarGroupViewInfo* AInfo) const {
  const auto it = std::find(groupInfos_.begin(), groupInfos_.end(), AInfo);
  return it == groupInfos_.end() ? -1 : int(it - groupInfos_.begin());
}

int TdxNavBarViewInfo::ClientWidth() { return navBar_->ClientRect().Width(); }
int TdxNavBarViewInfo::ClientHeight() { return navBar_->ClientRect().Height(); }

int TdxNavBarViewInfo::SpaceBetweenGroups() {
  const int space = navBar_->OptionsView()->ExplorerBar()->SpaceBetweenGroups();
  return space > 0 ? space : DefaultSpaceBetweenGroups();
}

int TdxNavBarViewInfo::ScrollButtonState(bool APressed, const TRect& ARect, bool AEnabled) {
  int state = 0;
  if (!navBar_->IsDesigning()) {
    if (APressed) state |= dxNavBarScrollButtonPressed;
    if (RectContainsPoint(ARect, navBar_->MousePos())) state |= dxNavBarScrollButtonHot;
  }
  if (!AEnabled) state |= dxNavBarScrollButtonDisabled;
  return state;
}

int TdxNavBarViewInfo::TopScrollButtonState() {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  const bool enabled = active && active->LinkCount() > 0 && active->Group()->TopVisibleLinkIndex() > 0;
  return ScrollButtonState(navBar_->TopScrollButtonPressed(), topScrollRect_, enabled);
}

int TdxNavBarViewInfo::BottomScrollButtonState() {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  const bool enabled = active && active->LinkCount() > 0 &&
                       active->LinkAt(active->LinkCount() - 1)->Rect.bottom > active->Rect.bottom &&
                       active->Group()->TopVisibleLinkIndex() < active->Group()->LinkCount() - 1;
  return ScrollButtonState(navBar_->BottomScrollButtonPressed(), bottomScrollRect_, enabled);
}

void TdxNavBarViewInfo::TopScrollButtonRect(TRect& R) {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  if (!active || (TopScrollButtonState() & dxNavBarScrollButtonDisabled)) {
    R = {};
    return;
  }
  const TRect& items = active->ItemsRect;
  R = OffsetRectBy({items.right - ScrollButtonWidth(), items.top, items.right, items.top + ScrollButtonHeight()},
                   -ScrollButtonHorzIndent(), ScrollButtonVertIndent());
}

void TdxNavBarViewInfo::BottomScrollButtonRect(TRect& R) {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  if (!active || (BottomScrollButtonState() & dxNavBarScrollButtonDisabled)) {
    R = {};
    return;
  }
  const TRect& items = active->ItemsRect;
  R = OffsetRectBy({items.right - ScrollButtonWidth(), items.top, items.right, items.top + ScrollButtonHeight()},
                   -ScrollButtonHorzIndent(), -ScrollButtonVertIndent() + items.Height() - ScrollButtonHeight());
}

void TdxNavBarViewInfo::CalculateScrollButtonRects() {
  if (!ActiveGroupViewInfo()) return;
  TopScrollButtonRect(topScrollRect_);
  BottomScrollButtonRect(bottomScrollRect_);
}

void TdxNavBarViewInfo::ClearRects() {
  topScrollRect_ = bottomScrollRect_ = HintRect = {};
}

int TdxNavBarViewInfo::PaneHeaderDrawFlags() {
  return AlignmentFlags(PaneHeaderHAlignment(), PaneHeaderVAlignment()) | ctfSingleLine | ctfEndEllipsis;
}

int TdxNavBarViewInfo::LargeImageWidth() {
  TCustomImageList* list = navBar_->OptionsImage()->LargeImages();
  return list ? list->Width() : 32;
}
int TdxNavBarViewInfo::LargeImageHeight() {
  TCustomImageList* list = navBar_->OptionsImage()->LargeImages();
  return list ? list->Height() : 32;
}
int TdxNavBarViewInfo::SmallImageWidth() {
  TCustomImageList* list = navBar_->OptionsImage()->SmallImages();
  return list ? list->Width() : 16;
}
int TdxNavBarViewInfo::SmallImageHeight() {
  TCustomImageList* list = navBar_->OptionsImage()->SmallImages();
  return list ? list->Height() : 16;
}

bool TdxNavBarViewInfo::GroupShowsLinks(TdxNavBarGroup* AGroup) { return AGroup == navBar_->EffectiveActiveGroup(); }

void TdxNavBarViewInfo::AdjustGroupControls() {
  TdxNavBarGroups* groups = navBar_->Groups();
  for (int i = 0; i < groups->Count(); ++i) {
    TdxNavBarGroup* group = groups->GroupAt(i);
    TdxNavBarGroupControl* control = group->Control();
    if (!control || control->Parent() != navBar_) continue;
    if (TdxNavBarGroupViewInfo* info = GroupViewInfoOf(group))
      info->AdjustControl();
    else
      control->AdjustBounds({0, 0, navBar_->Width(), navBar_->Height()}, false);
  }
}

void TdxNavBarViewInfo::ToggleGroup(TdxNavBarGroup* AGroup) {
  if (IsGroupOpen(AGroup))
    CloseGroup(AGroup);
  else
    OpenGroup(AGroup);
}

// ---- style values ---------------------------------------------------------------------------------

TdxNavBarDefaultStyles* TdxNavBarViewInfo::DefaultStyles() const { return navBar_->DefaultStyles(); }
TdxNavBarDefaultStyle* TdxNavBarViewInfo::DefaultStyle(int AIndex) const { return DefaultStyles()->StyleAt(AIndex); }
TdxNavBarStyleItem* TdxNavBarViewInfo::BarCustomStyle(int AIndex) const {
  return navBar_->OptionsStyle()->CustomStyles()->StyleAt(AIndex);
}

const TdxNavBarBaseStyle* TdxNavBarViewInfo::Resolved(int ACustom, int ADefault, TdxBarStyleAssignedValue AValue) const {
  return ResolveStyle(ACustom < 0 ? nullptr : BarCustomStyle(ACustom), DefaultStyle(ADefault), AValue);
}

TPicture* TdxNavBarViewInfo::BackgroundImage() { return Resolved(csBackground, dsBackground, savImage)->Image(); }
TColor TdxNavBarViewInfo::BackgroundBackColor() { return Resolved(csBackground, dsBackground, savBackColor)->BackColor(); }
TColor TdxNavBarViewInfo::BackgroundBackColor2() {
  return Resolved(csBackground, dsBackground, savBackColor2)->BackColor2();
}
Byte TdxNavBarViewInfo::BackgroundAlphaBlending() {
  return Resolved(csBackground, dsBackground, savAlphaBlending)->AlphaBlending();
}
Byte TdxNavBarViewInfo::BackgroundAlphaBlending2() {
  return Resolved(csBackground, dsBackground, savAlphaBlending2)->AlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarViewInfo::BackgroundGradientMode() {
  return Resolved(csBackground, dsBackground, savGradientMode)->GradientMode();
}

TdxNavBarStyleItem* TdxNavBarViewInfo::BottomScrollButtonCustomStyle() {
  if (navBar_->BottomScrollButtonPressed()) return BarCustomStyle(csButtonPressed);
  if (RectContainsPoint(bottomScrollRect_, navBar_->MousePos())) return BarCustomStyle(csButtonHotTracked);
  return BarCustomStyle(csButton);
}

TdxNavBarBaseStyle* TdxNavBarViewInfo::BottomScrollButtonDefaultStyle() {
  if (navBar_->BottomScrollButtonPressed()) return DefaultStyle(dsButtonPressed);
  if (RectContainsPoint(bottomScrollRect_, navBar_->MousePos())) return DefaultStyle(dsButtonHotTracked);
  return DefaultStyle(dsButton);
}

TdxNavBarStyleItem* TdxNavBarViewInfo::TopScrollButtonCustomStyle() {
  if (navBar_->TopScrollButtonPressed()) return BarCustomStyle(csButtonPressed);
  if (RectContainsPoint(topScrollRect_, navBar_->MousePos())) return BarCustomStyle(csButtonHotTracked);
  return BarCustomStyle(csButton);
}

TdxNavBarBaseStyle* TdxNavBarViewInfo::TopScrollButtonDefaultStyle() {
  if (navBar_->TopScrollButtonPressed()) return DefaultStyle(dsButtonPressed);
  if (RectContainsPoint(topScrollRect_, navBar_->MousePos())) return DefaultStyle(dsButtonHotTracked);
  return DefaultStyle(dsButton);
}

const TdxNavBarBaseStyle* TdxNavBarViewInfo::BottomButton(TdxBarStyleAssignedValue AValue) {
  return ResolveStyle(BottomScrollButtonCustomStyle(), BottomScrollButtonDefaultStyle(), AValue);
}

const TdxNavBarBaseStyle* TdxNavBarViewInfo::TopButton(TdxBarStyleAssignedValue AValue) {
  return ResolveStyle(TopScrollButtonCustomStyle(), TopScrollButtonDefaultStyle(), AValue);
}

TPicture* TdxNavBarViewInfo::BottomScrollButtonImage() { return BottomButton(savImage)->Image(); }
TColor TdxNavBarViewInfo::BottomScrollButtonBackColor() { return BottomButton(savBackColor)->BackColor(); }
TColor TdxNavBarViewInfo::BottomScrollButtonBackColor2() { return BottomButton(savBackColor2)->BackColor2(); }
Byte TdxNavBarViewInfo::BottomScrollButtonAlphaBlending() { return BottomButton(savAlphaBlending)->AlphaBlending(); }
Byte TdxNavBarViewInfo::BottomScrollButtonAlphaBlending2() { return BottomButton(savAlphaBlending2)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarViewInfo::BottomScrollButtonGradientMode() {
  return BottomButton(savGradientMode)->GradientMode();
}
TPicture* TdxNavBarViewInfo::TopScrollButtonImage() { return TopButton(savImage)->Image(); }
TColor TdxNavBarViewInfo::TopScrollButtonBackColor() { return TopButton(savBackColor)->BackColor(); }
TColor TdxNavBarViewInfo::TopScrollButtonBackColor2() { return TopButton(savBackColor2)->BackColor2(); }
Byte TdxNavBarViewInfo::TopScrollButtonAlphaBlending() { return TopButton(savAlphaBlending)->AlphaBlending(); }
Byte TdxNavBarViewInfo::TopScrollButtonAlphaBlending2() { return TopButton(savAlphaBlending2)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarViewInfo::TopScrollButtonGradientMode() {
  return TopButton(savGradientMode)->GradientMode();
}

TPicture* TdxNavBarViewInfo::HintImage() { return Resolved(csHint, dsHint, savImage)->Image(); }
TColor TdxNavBarViewInfo::HintBackColor() { return Resolved(csHint, dsHint, savBackColor)->BackColor(); }
TColor TdxNavBarViewInfo::HintBackColor2() { return Resolved(csHint, dsHint, savBackColor2)->BackColor2(); }
Byte TdxNavBarViewInfo::HintAlphaBlending() { return Resolved(csHint, dsHint, savAlphaBlending)->AlphaBlending(); }
Byte TdxNavBarViewInfo::HintAlphaBlending2() { return Resolved(csHint, dsHint, savAlphaBlending2)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarViewInfo::HintGradientMode() {
  return Resolved(csHint, dsHint, savGradientMode)->GradientMode();
}
TFont* TdxNavBarViewInfo::HintFont() {
  return ResolvedFont(hintFont_, Resolved(csHint, dsHint, savFont));
}

TColor TdxNavBarViewInfo::DropTargetLinkColor() {
  return Resolved(csDropTargetLink, dsDropTargetLink, savBackColor)->BackColor();
}
TColor TdxNavBarViewInfo::DropTargetGroupBackColor() {
  return Resolved(csDropTargetGroup, dsDropTargetGroup, savBackColor)->BackColor();
}
TColor TdxNavBarViewInfo::DropTargetGroupBackColor2() {
  return Resolved(csDropTargetGroup, dsDropTargetGroup, savBackColor2)->BackColor2();
}
Byte TdxNavBarViewInfo::DropTargetGroupAlphaBlending() {
  return Resolved(csDropTargetGroup, dsDropTargetGroup, savAlphaBlending)->AlphaBlending();
}
Byte TdxNavBarViewInfo::DropTargetGroupAlphaBlending2() {
  return Resolved(csDropTargetGroup, dsDropTargetGroup, savAlphaBlending2)->AlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarViewInfo::DropTargetGroupGradientMode() {
  return Resolved(csDropTargetGroup, dsDropTargetGroup, savGradientMode)->GradientMode();
}

TPicture* TdxNavBarViewInfo::PaneHeaderImage() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savImage)->Image();
}
TColor TdxNavBarViewInfo::PaneHeaderBackColor() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savBackColor)->BackColor();
}
TColor TdxNavBarViewInfo::PaneHeaderBackColor2() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savBackColor2)->BackColor2();
}
Byte TdxNavBarViewInfo::PaneHeaderAlphaBlending() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savAlphaBlending)->AlphaBlending();
}
Byte TdxNavBarViewInfo::PaneHeaderAlphaBlending2() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savAlphaBlending2)->AlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarViewInfo::PaneHeaderGradientMode() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savGradientMode)->GradientMode();
}
TFont* TdxNavBarViewInfo::PaneHeaderFont() {
  return ResolvedFont(paneHeaderFont_,
                      Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savFont));
}
TColor TdxNavBarViewInfo::PaneHeaderFontColor() { return PaneHeaderFont()->Color(); }
TdxBarStyleHAlignment TdxNavBarViewInfo::PaneHeaderHAlignment() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savHAlignment)->HAlignment();
}
TdxBarStyleVAlignment TdxNavBarViewInfo::PaneHeaderVAlignment() {
  return Resolved(csNavigationPaneHeader, dsNavigationPaneHeader, savVAlignment)->VAlignment();
}

TPicture* TdxNavBarViewInfo::GroupHeaderDefaultImage() { return DefaultStyle(dsGroupHeader)->Image(); }
TColor TdxNavBarViewInfo::GroupHeaderDefaultBackColor() { return DefaultStyle(dsGroupHeader)->BackColor(); }
TColor TdxNavBarViewInfo::GroupHeaderDefaultBackColor2() { return DefaultStyle(dsGroupHeader)->BackColor2(); }
Byte TdxNavBarViewInfo::GroupHeaderDefaultAlphaBlending() { return DefaultStyle(dsGroupHeader)->AlphaBlending(); }
Byte TdxNavBarViewInfo::GroupHeaderDefaultAlphaBlending2() { return DefaultStyle(dsGroupHeader)->AlphaBlending2(); }
TdxBarStyleGradientMode TdxNavBarViewInfo::GroupHeaderDefaultGradientMode() {
  return DefaultStyle(dsGroupHeader)->GradientMode();
}
TFont* TdxNavBarViewInfo::GroupHeaderDefaultFont() {
  return ResolvedFont(groupHeaderDefaultFont_, DefaultStyle(dsGroupHeader));
}
TColor TdxNavBarViewInfo::GroupHeaderDefaultFontColor() { return GroupHeaderDefaultFont()->Color(); }

// ---- default values of the base view ---------------------------------------------------------------

void TdxNavBarViewInfo::ResetStyle(int AIndex) { DefaultStyle(AIndex)->ResetValues(); }

void TdxNavBarViewInfo::CopyStyle(int ATarget, int ASource) { DefaultStyle(ATarget)->Assign(DefaultStyle(ASource)); }

void TdxNavBarViewInfo::SetBackColors(TdxNavBarBaseStyle* Style, TColor Color) {
  Style->SetBackColor(Color);
  Style->SetBackColor2(Color);
}

void TdxNavBarViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clAppWorkSpace);
}

void TdxNavBarViewInfo::AssignButtonDefaults() {
  ResetStyle(dsButton);
  SetBackColors(DefaultStyle(dsButton), clBtnFace);
}

void TdxNavBarViewInfo::AssignButtonPressedDefaults() { CopyStyle(dsButtonPressed, dsButton); }
void TdxNavBarViewInfo::AssignButtonHotTrackedDefaults() { CopyStyle(dsButtonHotTracked, dsButton); }

void TdxNavBarViewInfo::AssignGroupControlDefaults() {
  ResetStyle(dsGroupControl);
  SetBackColors(DefaultStyle(dsGroupControl), clNone);
}

void TdxNavBarViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clAppWorkSpace);
}

void TdxNavBarViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clBtnFace);
  style->Font()->SetColor(clBtnText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarViewInfo::AssignGroupHeaderActiveDefaults() { CopyStyle(dsGroupHeaderActive, dsGroupHeader); }
void TdxNavBarViewInfo::AssignGroupHeaderActiveHotTrackedDefaults() {
  CopyStyle(dsGroupHeaderActiveHotTracked, dsGroupHeaderActive);
}
void TdxNavBarViewInfo::AssignGroupHeaderActivePressedDefaults() {
  CopyStyle(dsGroupHeaderActivePressed, dsGroupHeaderActive);
}
void TdxNavBarViewInfo::AssignGroupHeaderHotTrackedDefaults() { CopyStyle(dsGroupHeaderHotTracked, dsGroupHeader); }
void TdxNavBarViewInfo::AssignGroupHeaderPressedDefaults() { CopyStyle(dsGroupHeaderPressed, dsGroupHeader); }

void TdxNavBarViewInfo::AssignHintDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsHint);
  style->ResetValues();
  SetBackColors(style, clInfoBk);
  style->Font()->SetColor(clInfoText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clBtnHighlight);
  style->SetHAlignment(haCenter);
}

void TdxNavBarViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clBtnText);
}

void TdxNavBarViewInfo::AssignItemHotTrackedDefaults() { CopyStyle(dsItemHotTracked, dsItem); }
void TdxNavBarViewInfo::AssignItemPressedDefaults() { CopyStyle(dsItemPressed, dsItem); }

void TdxNavBarViewInfo::AssignDropTargetGroupDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsDropTargetGroup);
  style->ResetValues();
  SetBackColors(style, clHighlight);
  style->SetAlphaBlending(60);
  style->SetAlphaBlending2(60);
}

void TdxNavBarViewInfo::AssignDropTargetLinkDefaults() {
  ResetStyle(dsDropTargetLink);
  DefaultStyle(dsDropTargetLink)->SetBackColor(clBlack);
}

void TdxNavBarViewInfo::AssignNavigationPaneHeaderDefaults() { ResetStyle(dsNavigationPaneHeader); }

void TdxNavBarViewInfo::AssignDefaultStyle(int AIndex) {
  switch (AIndex) {
    case dsBackground: return AssignBackgroundDefaults();
    case dsButton: return AssignButtonDefaults();
    case dsButtonPressed: return AssignButtonPressedDefaults();
    case dsButtonHotTracked: return AssignButtonHotTrackedDefaults();
    case dsGroupBackground: return AssignGroupBackgroundDefaults();
    case dsGroupControl: return AssignGroupControlDefaults();
    case dsGroupHeader: return AssignGroupHeaderDefaults();
    case dsGroupHeaderActive: return AssignGroupHeaderActiveDefaults();
    case dsGroupHeaderActiveHotTracked: return AssignGroupHeaderActiveHotTrackedDefaults();
    case dsGroupHeaderActivePressed: return AssignGroupHeaderActivePressedDefaults();
    case dsGroupHeaderHotTracked: return AssignGroupHeaderHotTrackedDefaults();
    case dsGroupHeaderPressed: return AssignGroupHeaderPressedDefaults();
    case dsHint: return AssignHintDefaults();
    case dsItem: return AssignItemDefaults();
    case dsItemDisabled: return AssignItemDisabledDefaults();
    case dsItemHotTracked: return AssignItemHotTrackedDefaults();
    case dsItemPressed: return AssignItemPressedDefaults();
    case dsDropTargetGroup: return AssignDropTargetGroupDefaults();
    case dsDropTargetLink: return AssignDropTargetLinkDefaults();
    case dsNavigationPaneHeader: return AssignNavigationPaneHeaderDefaults();
    default: return;
  }
}

// ---- hit tests ---------------------------------------------------------------------------------------

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GroupAtCaption(const TPoint& P) {
  for (TdxNavBarGroupViewInfo* info : groupInfos_)
    if (RectContainsPoint(info->Rect, P)) return RectContainsPoint(info->CaptionRect, P) ? info : nullptr;
  return nullptr;
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GroupAtItems(const TPoint& P) {
  for (TdxNavBarGroupViewInfo* info : groupInfos_)
    if (RectContainsPoint(info->Rect, P) && !RectContainsPoint(info->CaptionRect, P)) return info;
  return nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::LinkAtPos(const TPoint& P) {
  TdxNavBarGroupViewInfo* group = GroupAtItems(P);
  if (!group) return nullptr;
  for (int i = 0; i < group->LinkCount(); ++i)
    if (RectContainsPoint(group->LinkAt(i)->Rect, P)) return group->LinkAt(i);
  return nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::LinkAtHit(const TPoint& P) {
  if (RectContainsPoint(bottomScrollRect_, P) || RectContainsPoint(topScrollRect_, P)) return nullptr;
  TdxNavBarLinkViewInfo* link = LinkAtPos(P);
  if (!link || !link->Link()->CanSelect()) return nullptr;
  if (LinkHitWholeRow() || RectContainsPoint(link->ImageRect, P)) return link;
  TRect caption = link->CaptionRect;
  if (link->UsesLargeImages())
    caption.top = link->ImageRect.bottom;
  else
    caption.left = link->ImageRect.right;
  return RectContainsPoint(caption, P) ? link : nullptr;
}

namespace {

int DropIndex(TdxNavBarGroup* Group, TdxNavBarItemLink* Next, TdxNavBarItemLink* Previous) {
  if (Next && Previous) return Next->Index();
  if (Previous) return Group->LinkCount();
  return 0;
}

}  // namespace

int TdxNavBarViewInfo::DropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                                    TdxNavBarItemLink*& APrevious) {
  AGroup = nullptr;
  ANext = APrevious = nullptr;
  if (TdxNavBarGroupViewInfo* group = GroupAtItems(P)) {
    AGroup = group->Group();
    if (group->IsIconView()) return IconViewDropTargetAt(P, AGroup, ANext, APrevious);
    if (TdxNavBarLinkViewInfo* link = LinkAtPos(P)) {
      const int index = group->IndexOfLink(link);
      if (P.y < (link->Rect.top + link->Rect.bottom) / 2) {
        APrevious = index > 0 ? group->LinkAt(index - 1)->Link() : nullptr;
        ANext = link->Link();
      } else {
        APrevious = link->Link();
        ANext = index + 1 < group->LinkCount() ? group->LinkAt(index + 1)->Link() : nullptr;
      }
    } else if (group->LinkCount() > 0) {
      if (P.y < group->LinkAt(0)->Rect.top)
        ANext = group->LinkAt(0)->Link();
      else
        APrevious = group->LinkAt(group->LinkCount() - 1)->Link();
    }
    return DropIndex(AGroup, ANext, APrevious);
  }
  TdxNavBarGroupViewInfo* group = GroupAtCaption(P);
  if (!group) return -1;
  AGroup = group->Group();
  if (group->LinkCount() > 0) ANext = group->LinkAt(0)->Link();
  return 0;
}

int TdxNavBarViewInfo::IconViewDropTargetAt(const TPoint& P, TdxNavBarGroup*& AGroup, TdxNavBarItemLink*& ANext,
                                            TdxNavBarItemLink*& APrevious) {
  AGroup = nullptr;
  ANext = APrevious = nullptr;
  TdxNavBarGroupViewInfo* group = GroupAtItems(P);
  if (!group) return -1;
  AGroup = group->Group();
  const int count = group->LinkCount();
  auto linkAt = [group, count](int i) { return i >= 0 && i < count ? group->LinkAt(i)->Link() : nullptr; };
  if (TdxNavBarLinkViewInfo* link = LinkAtPos(P)) {
    const int index = group->IndexOfLink(link);
    if (P.x < (link->Rect.left + link->Rect.right) / 2) {
      APrevious = linkAt(index - 1);
      ANext = link->Link();
    } else {
      APrevious = link->Link();
      ANext = linkAt(index + 1);
    }
  } else if (count > 0) {
    if (P.y < group->LinkAt(0)->Rect.top) {
      ANext = linkAt(0);
    } else if (P.y >= group->LinkAt(count - 1)->Rect.bottom) {
      APrevious = linkAt(count - 1);
    } else {
      for (int i = 0; i < count; ++i) {
        const TRect& r = group->LinkAt(i)->Rect;
        if (P.y < r.top || P.y >= r.bottom) continue;
        if (r.right < P.x) {
          APrevious = linkAt(i);
          ANext = linkAt(i + 1);
        } else if (P.x < r.right) {
          ANext = linkAt(i);
          APrevious = linkAt(i - 1);
        }
      }
    }
  }
  return DropIndex(AGroup, ANext, APrevious);
}

TdxNavBarGroupViewInfo* TdxNavBarViewInfo::GroupByAccel(Word AKey) {
  for (TdxNavBarGroupViewInfo* info : groupInfos_)
    if (IsAccel(AKey, info->Group()->Caption())) return info;
  return nullptr;
}

TdxNavBarGroup* TdxNavBarViewInfo::GroupOfAccel(Word AKey) {
  TdxNavBarGroupViewInfo* info = GroupByAccel(AKey);
  return info ? info->Group() : nullptr;
}

TdxNavBarItemLink* TdxNavBarViewInfo::LinkOfAccel(Word AKey) {
  TdxNavBarLinkViewInfo* info = LinkByAccel(AKey);
  return info ? info->Link() : nullptr;
}

TdxNavBarLinkViewInfo* TdxNavBarViewInfo::LinkByAccel(Word AKey) {
  TdxNavBarLinkViewInfo* result = nullptr;
  for (TdxNavBarGroupViewInfo* info : groupInfos_)
    for (int i = 0; i < info->LinkCount(); ++i) {
      TdxNavBarLinkViewInfo* link = info->LinkAt(i);
      if (link->Item() && IsAccel(AKey, link->Item()->Caption())) {
        result = link;
        break;
      }
    }
  return result;
}
