#include "ui/navbar/NavBarExplorerBarViews.h"

#include <algorithm>
#include <cmath>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Controls.h"
#include "ui/foundation/Graphics.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarGraphics.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarScrollBar.h"
#include "ui/navbar/NavBarStyles.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarAdvExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarAdvExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarAdvExplorerBarLinkViewInfo)
DEFINE_CLASS(TdxNavBarOffice11ViewInfo)
DEFINE_CLASS(TdxNavBarOffice11GroupViewInfo)
DEFINE_CLASS(TdxNavBarOffice11LinkViewInfo)
DEFINE_CLASS(TdxNavBarOffice11ExplorerBarViewInfo)
DEFINE_CLASS(TdxNavBarOffice11ExplorerBarGroupViewInfo)
DEFINE_CLASS(TdxNavBarExplorerBarController)
DEFINE_CLASS(TdxNavBarOffice11ExplorerBarController)
DEFINE_CLASS(TdxNavBarExplorerBarPainter)
DEFINE_CLASS(TdxNavBarUltraFlatExplorerBarPainter)
DEFINE_CLASS(TdxNavBarAdvExplorerBarPainter)
DEFINE_CLASS(TdxNavBarOffice11Painter)
DEFINE_CLASS(TdxNavBarOffice11ExplorerBarPainter)

namespace {

void SetFontBold(TFont* Font) {
  TFontStyles style = Font->Style();
  style.Include(fsBold);
  Font->SetStyle(style);
}

// Round half to even, as the scroll page is rounded.
int RoundHalfEven(double Value) { return int(std::nearbyint(Value)); }

}  // namespace

// ---- the explorer bar's layout ------------------------------------------------------------------

bool TdxNavBarExplorerBarViewInfo::GroupShowsLinks(TdxNavBarGroup* AGroup) { return AGroup && AGroup->Expanded(); }
bool TdxNavBarExplorerBarViewInfo::IsGroupOpen(TdxNavBarGroup* AGroup) { return AGroup && AGroup->Expanded(); }

TRect TdxNavBarExplorerBarViewInfo::LinkImageEdges() {
  const TRect edges = LinkImageEdgesUnscaled();
  return {ScaleValue(edges.left), edges.top, ScaleValue(edges.right), edges.bottom};
}

void TdxNavBarExplorerBarViewInfo::CreateGroupInfos() {
  TdxCustomNavBar* bar = NavBar();
  for (TdxBarStyleVAlignment align : {vaTop, vaBottom}) {
    for (int i = 0; i < bar->Groups()->Count(); ++i) {
      TdxNavBarGroup* group = bar->Groups()->GroupAt(i);
      if (!group->Visible() || (align == vaBottom) != (group->Align() == vaBottom)) continue;
      TdxNavBarGroupViewInfo* info = Painter()->CreateGroupViewInfo(this, group, true, true);
      AddGroupInfo(info);
      info->RecreateLinks();
    }
  }
}

void TdxNavBarExplorerBarViewInfo::CalculateGroupsBounds(int X, int Y) {
  TdxNavBarViewInfo::CalculateGroupsBounds(X, Y);
  if (GroupCount() == 0) return;
  const int free = ClientHeight() - GroupAt(GroupCount() - 1)->Rect.bottom - GroupsOrigin().y;
  if (free <= 0) return;
  for (int i = 0; i < GroupCount(); ++i)
    if (GroupAt(i)->Group()->Align() == vaBottom) GroupAt(i)->Offset(0, free);
}

void TdxNavBarExplorerBarViewInfo::FitGroups() {
  // A layout from outside starts the count; the relayout of a scroll-bar change adds to it.
  layoutPasses_ = relayouts_ == 0 ? 1 : layoutPasses_ + 1;
  UpdateScrollBar();
}

void TdxNavBarExplorerBarViewInfo::UpdateScrollBar() {
  TdxNavBarScrollBar* scrollBar = NavBar()->ScrollBar();
  if (!scrollBar) return;
  const bool wasVisible = scrollBar->Visible();
  const int clientHeight = ClientHeight();
  const int total = GroupCount() > 0 ? GroupsOrigin().y + GroupAt(GroupCount() - 1)->Rect.bottom : 0;
  if (total > clientHeight && clientHeight > 0) {
    const int page = RoundHalfEven(double(clientHeight) * scrollBar->Height() / total);
    scrollBar->SetScrollParams(0, total + page - clientHeight, false, page, scrollBar->Position());
    scrollBar->SetLineStep(GroupSignSize().cx);
    scrollBar->SetVisible(true);
  } else {
    scrollBar->SetVisible(false);
  }
  if (scrollBar->Visible() != wasVisible && relayouts_ == 0) {
    // The client width changed: one more layout, never a second one from inside it.
    ++relayouts_;
    try {
      CalculateBounds();
    } catch (...) {
      --relayouts_;
      throw;
    }
    --relayouts_;
    return;
  }
  if (scrollBar->Visible()) Scroll(-scrollBar->Position());
}

void TdxNavBarExplorerBarViewInfo::Scroll(int DY) {
  if (DY == 0) return;
  for (int i = 0; i < GroupCount(); ++i) GroupAt(i)->Offset(0, DY);
}

void TdxNavBarExplorerBarViewInfo::OpenGroup(TdxNavBarGroup* AGroup) {
  if (AGroup && AGroup->Expandable() && !AGroup->Expanded()) AGroup->SetExpanded(true);
}

void TdxNavBarExplorerBarViewInfo::CloseGroup(TdxNavBarGroup* AGroup) {
  if (AGroup && AGroup->Expandable() && AGroup->Expanded()) AGroup->SetExpanded(false);
}

namespace {

// Scrolls the bar so that the rectangle [Top, Bottom) shows: to the top (less 2) when asked or when
// it lies above the client, else just enough to show its bottom.
void ScrollIntoView(TdxCustomNavBar* Bar, int ClientHeight, int Top, int Bottom, bool AtTop) {
  TdxNavBarScrollBar* scrollBar = Bar->ScrollBar();
  if (!scrollBar) return;
  int delta = 0;
  if (AtTop || Top < 0)
    delta = Top - 2;
  else if (Bottom > ClientHeight)
    delta = Bottom - ClientHeight;
  if (delta != 0) scrollBar->SetPosition(scrollBar->Position() + delta);
  Bar->InvalidateAll(nbiRelayout);
}

}  // namespace

void TdxNavBarExplorerBarViewInfo::MakeLinkVisible(TdxNavBarItemLink* ALink, bool AAtTop) {
  if (!ALink || !ALink->Group()) return;
  TdxNavBarGroup* group = ALink->Group();
  if (!group->Expanded()) {
    group->SetExpanded(true);
    RecreateInfos();
    CalculateBounds();
  }
  if (TdxNavBarLinkViewInfo* link = LinkViewInfoOf(ALink))
    ScrollIntoView(NavBar(), ClientHeight(), link->Rect.top, link->Rect.bottom, AAtTop);
}

void TdxNavBarExplorerBarViewInfo::MakeGroupVisible(TdxNavBarGroup* AGroup, bool AExpand, bool AAtTop) {
  if (!AGroup) return;
  if (AExpand && !AGroup->Expanded()) {
    AGroup->SetExpanded(true);
    RecreateInfos();
    CalculateBounds();
  }
  if (TdxNavBarGroupViewInfo* info = GroupViewInfoOf(AGroup))
    ScrollIntoView(NavBar(), ClientHeight(), info->Rect.top, info->Rect.bottom, AAtTop);
}

int TdxNavBarExplorerBarViewInfo::ControlSizerAt(const TPoint& P) {
  for (int i = 0; i < GroupCount(); ++i) {
    auto* info = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(GroupAt(i));
    if (info && RectContainsPoint(info->ControlSizerBounds, P)) return i;
  }
  return -1;
}

TdxNavBarExplorerBarGroupViewInfo* TdxNavBarExplorerBarViewInfo::ControlSizerGroupAt(const TPoint& P) {
  const int index = ControlSizerAt(P);
  return index < 0 ? nullptr : static_cast<TdxNavBarExplorerBarGroupViewInfo*>(GroupAt(index));
}

void TdxNavBarExplorerBarViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clWindow);
}

void TdxNavBarExplorerBarViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clWindow);
}

void TdxNavBarExplorerBarViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clBtnFace);
  style->Font()->SetColor(clBtnText);
  SetFontBold(style->Font());
}

void TdxNavBarExplorerBarViewInfo::AssignGroupHeaderActiveDefaults() {
  CopyStyle(dsGroupHeaderActive, dsGroupHeader);
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeaderActive);
  SetBackColors(style, clActiveCaption);
  style->Font()->SetColor(clCaptionText);
}

void TdxNavBarExplorerBarViewInfo::AssignItemDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsItem);
  style->ResetValues();
  style->Font()->SetColor(clWindowText);
  style->SetHAlignment(haCenter);
}

void TdxNavBarExplorerBarViewInfo::AssignItemDisabledDefaults() {
  CopyStyle(dsItemDisabled, dsItem);
  DefaultStyle(dsItemDisabled)->Font()->SetColor(clGrayText);
}

void TdxNavBarExplorerBarViewInfo::AssignItemHotTrackedDefaults() {
  CopyStyle(dsItemHotTracked, dsItem);
  TFont* font = DefaultStyle(dsItemHotTracked)->Font();
  TFontStyles style = font->Style();
  style.Include(fsUnderline);
  font->SetStyle(style);
}

void TdxNavBarExplorerBarGroupViewInfo::CalculateBounds(int X, int& Y) {
  TdxNavBarGroupViewInfo::CalculateBounds(X, Y);
  ControlSizerBounds = {};
  TdxNavBarGroup* group = Group();
  if (!group->OptionsGroupControl()->AllowControlResizing() || !group->Expanded() || !ShownControl()) return;
  const int h = ControlSizerHeight();
  const int grow = h - OwnerViewInfo()->SpaceBetweenGroups();
  const bool bottom = group->Align() == vaBottom;
  if (grow > 0) {
    Y += grow;
    if (bottom) TdxNavBarGroupViewInfo::Offset(0, grow);
  }
  ControlSizerBounds = bottom ? TRect(Rect.left, Rect.top - h, Rect.right, Rect.top)
                              : TRect(Rect.left, Rect.bottom, Rect.right, Rect.bottom + h);
}

void TdxNavBarExplorerBarGroupViewInfo::Offset(int DX, int DY) {
  TdxNavBarGroupViewInfo::Offset(DX, DY);
  if (!ControlSizerBounds.IsEmpty()) ControlSizerBounds = OffsetRectBy(ControlSizerBounds, DX, DY);
}

TColor TdxNavBarExplorerBarGroupViewInfo::StateColor(int State, TColor Normal, TColor Hot) {
  if (State & nbisDisabled) return ShadeLight40(Normal);
  if (State & (nbisHot | nbisPressed | nbisSelected)) return Hot;
  return Normal;
}

// ---- the Adv explorer bar: the explorer-bar colour set ------------------------------------------

void TdxNavBarAdvExplorerBarViewInfo::CreateColors() {
  if (held_) return;
  AcquireExplorerBarColors();
  held_ = true;
}
void TdxNavBarAdvExplorerBarViewInfo::RefreshColors() { RefreshExplorerBarColors(); }
void TdxNavBarAdvExplorerBarViewInfo::ReleaseColors() {
  if (!held_) return;
  held_ = false;
  ReleaseExplorerBarColors();
}

void TdxNavBarAdvExplorerBarViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarExplorerBarViewInfo::AssignGroupHeaderDefaults();
  SetBackColors(DefaultStyle(dsGroupHeader), clNone);
  DefaultStyle(dsGroupHeader)->Font()->SetColor(clNone);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignGroupHeaderActiveDefaults() {
  CopyStyle(dsGroupHeaderActive, dsGroupHeader);
}
void TdxNavBarAdvExplorerBarViewInfo::AssignItemDefaults() {
  TdxNavBarExplorerBarViewInfo::AssignItemDefaults();
  DefaultStyle(dsItem)->Font()->SetColor(clNone);
}

namespace {
bool BackgroundFromSet(TdxNavBarViewInfo* Info) {
  return Info->TdxNavBarViewInfo::BackgroundBackColor() == clNone;
}
}  // namespace

TColor TdxNavBarAdvExplorerBarViewInfo::BackgroundBackColor() {
  return BackgroundFromSet(this) ? ExplorerBarColors().Background1 : TdxNavBarViewInfo::BackgroundBackColor();
}
TColor TdxNavBarAdvExplorerBarViewInfo::BackgroundBackColor2() {
  return BackgroundFromSet(this) ? ExplorerBarColors().Background2 : TdxNavBarViewInfo::BackgroundBackColor2();
}
Byte TdxNavBarAdvExplorerBarViewInfo::BackgroundAlphaBlending() {
  return BackgroundFromSet(this) ? 255 : TdxNavBarViewInfo::BackgroundAlphaBlending();
}
Byte TdxNavBarAdvExplorerBarViewInfo::BackgroundAlphaBlending2() {
  return BackgroundFromSet(this) ? 255 : TdxNavBarViewInfo::BackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarAdvExplorerBarViewInfo::BackgroundGradientMode() {
  return BackgroundFromSet(this) ? gmVertical : TdxNavBarViewInfo::BackgroundGradientMode();
}

bool TdxNavBarAdvExplorerBarGroupViewInfo::IsSpecial() { return State().Contains(sSpecial); }

#define ADV_GROUP_BACKGROUND_FROM_SET (TdxNavBarGroupViewInfo::BackgroundBackColor() == clNone)
TColor TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundBackColor() {
  return ADV_GROUP_BACKGROUND_FROM_SET ? ExplorerBarColors().GroupBackground
                                       : TdxNavBarGroupViewInfo::BackgroundBackColor();
}
TColor TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundBackColor2() {
  return ADV_GROUP_BACKGROUND_FROM_SET ? ExplorerBarColors().GroupBackground
                                       : TdxNavBarGroupViewInfo::BackgroundBackColor2();
}
Byte TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundAlphaBlending() {
  return ADV_GROUP_BACKGROUND_FROM_SET ? 255 : TdxNavBarGroupViewInfo::BackgroundAlphaBlending();
}
Byte TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundAlphaBlending2() {
  return ADV_GROUP_BACKGROUND_FROM_SET ? 255 : TdxNavBarGroupViewInfo::BackgroundAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarAdvExplorerBarGroupViewInfo::BackgroundGradientMode() {
  return ADV_GROUP_BACKGROUND_FROM_SET ? gmHorizontal : TdxNavBarGroupViewInfo::BackgroundGradientMode();
}
#undef ADV_GROUP_BACKGROUND_FROM_SET

TColor TdxNavBarAdvExplorerBarGroupViewInfo::BorderColor() {
  const TColor own = TdxNavBarGroupViewInfo::BorderColor();
  if (own != clNone) return own;
  return ColorToRGB(BackgroundBackColor()) == ColorToRGB(clWhite) ? ShadeLight40(clHighlight) : clWhite;
}

#define ADV_HEADER_FROM_SET (TdxNavBarGroupViewInfo::HeaderBackColor() == clNone)
TColor TdxNavBarAdvExplorerBarGroupViewInfo::HeaderBackColor() {
  if (!ADV_HEADER_FROM_SET) return TdxNavBarGroupViewInfo::HeaderBackColor();
  return IsSpecial() ? ExplorerBarColors().SpecialCaption1 : ExplorerBarColors().Caption1;
}
TColor TdxNavBarAdvExplorerBarGroupViewInfo::HeaderBackColor2() {
  if (!ADV_HEADER_FROM_SET) return TdxNavBarGroupViewInfo::HeaderBackColor2();
  return IsSpecial() ? ExplorerBarColors().SpecialCaption2 : ExplorerBarColors().Caption2;
}
Byte TdxNavBarAdvExplorerBarGroupViewInfo::HeaderAlphaBlending() {
  return ADV_HEADER_FROM_SET ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending();
}
Byte TdxNavBarAdvExplorerBarGroupViewInfo::HeaderAlphaBlending2() {
  return ADV_HEADER_FROM_SET ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarAdvExplorerBarGroupViewInfo::HeaderGradientMode() {
  return ADV_HEADER_FROM_SET ? gmHorizontal : TdxNavBarGroupViewInfo::HeaderGradientMode();
}
#undef ADV_HEADER_FROM_SET

TColor TdxNavBarAdvExplorerBarGroupViewInfo::HeaderFontColor() {
  const TColor own = TdxNavBarGroupViewInfo::HeaderFontColor();
  if (own != clNone) return own;
  const TdxNavBarExplorerBarColors& colors = ExplorerBarColors();
  const int state = NavBarStateFlags(State());
  return IsSpecial() ? StateColor(state, colors.SpecialCaptionText, colors.SpecialCaptionTextHot)
                     : StateColor(state, colors.CaptionText, colors.CaptionTextHot);
}

TColor TdxNavBarAdvExplorerBarGroupViewInfo::SignForeColor() {
  const TdxNavBarExplorerBarColors& colors = ExplorerBarColors();
  const int state = NavBarStateFlags(State());
  return IsSpecial() ? StateColor(state, colors.SpecialCaptionSign, colors.SpecialCaptionSignHot)
                     : StateColor(state, colors.CaptionSign, colors.CaptionSignHot);
}

TColor TdxNavBarAdvExplorerBarLinkViewInfo::FontColor() {
  const TColor own = TdxNavBarLinkViewInfo::FontColor();
  if (own != clNone) return own;
  return TdxNavBarExplorerBarGroupViewInfo::StateColor(NavBarStateFlags(State()), ExplorerBarColors().LinkText,
                                                       ExplorerBarColors().LinkTextHot);
}

// ---- the Office11 task pane: the task-pane colour set -------------------------------------------

void TdxNavBarOffice11ViewInfo::CreateColors() {
  if (held_) return;
  AcquireTaskPaneColors();
  held_ = true;
}
void TdxNavBarOffice11ViewInfo::RefreshColors() { RefreshTaskPaneColors(); }
void TdxNavBarOffice11ViewInfo::ReleaseColors() {
  if (!held_) return;
  held_ = false;
  ReleaseTaskPaneColors();
}

void TdxNavBarOffice11ViewInfo::AssignBackgroundDefaults() {
  ResetStyle(dsBackground);
  SetBackColors(DefaultStyle(dsBackground), clNone);
}
void TdxNavBarOffice11ViewInfo::AssignGroupBackgroundDefaults() {
  ResetStyle(dsGroupBackground);
  SetBackColors(DefaultStyle(dsGroupBackground), clNone);
}
void TdxNavBarOffice11ViewInfo::AssignGroupHeaderDefaults() {
  TdxNavBarDefaultStyle* style = DefaultStyle(dsGroupHeader);
  style->ResetValues();
  SetBackColors(style, clNone);
  style->Font()->SetColor(clNone);
  style->Font()->SetSize(10);
  SetFontBold(style->Font());
}
void TdxNavBarOffice11ViewInfo::AssignGroupHeaderActiveDefaults() { CopyStyle(dsGroupHeaderActive, dsGroupHeader); }
void TdxNavBarOffice11ViewInfo::AssignItemDefaults() {
  TdxNavBarExplorerBarViewInfo::AssignItemDefaults();
  DefaultStyle(dsItem)->Font()->SetColor(clNone);
}

TColor TdxNavBarOffice11ViewInfo::BackgroundBackColor() {
  return BackgroundFromSet(this) ? TaskPaneColors().TaskPaneBackground1 : TdxNavBarViewInfo::BackgroundBackColor();
}
TColor TdxNavBarOffice11ViewInfo::BackgroundBackColor2() {
  return BackgroundFromSet(this) ? TaskPaneColors().TaskPaneBackground2 : TdxNavBarViewInfo::BackgroundBackColor2();
}
TdxBarStyleGradientMode TdxNavBarOffice11ViewInfo::BackgroundGradientMode() {
  return BackgroundFromSet(this) ? gmVertical : TdxNavBarViewInfo::BackgroundGradientMode();
}

TColor TdxNavBarOffice11GroupViewInfo::BackgroundBackColor() {
  const TColor own = TdxNavBarGroupViewInfo::BackgroundBackColor();
  return own == clNone ? TaskPaneColors().TaskPaneGroupBackground1 : own;
}
TColor TdxNavBarOffice11GroupViewInfo::BackgroundBackColor2() {
  if (TdxNavBarGroupViewInfo::BackgroundBackColor() != clNone) return TdxNavBarGroupViewInfo::BackgroundBackColor2();
  return TaskPaneColors().TaskPaneGroupBackground2;
}
TdxBarStyleGradientMode TdxNavBarOffice11GroupViewInfo::BackgroundGradientMode() {
  if (TdxNavBarGroupViewInfo::BackgroundBackColor() != clNone) return TdxNavBarGroupViewInfo::BackgroundGradientMode();
  return gmVertical;
}
TColor TdxNavBarOffice11GroupViewInfo::BorderColor() {
  const TColor own = TdxNavBarGroupViewInfo::BorderColor();
  return own == clNone ? TaskPaneColors().TaskPaneGroupBorder : own;
}
TColor TdxNavBarOffice11GroupViewInfo::HeaderBackColor() {
  const TColor own = TdxNavBarGroupViewInfo::HeaderBackColor();
  return own == clNone ? TaskPaneColors().TaskPaneCaption1 : own;
}
TColor TdxNavBarOffice11GroupViewInfo::HeaderBackColor2() {
  if (TdxNavBarGroupViewInfo::HeaderBackColor() != clNone) return TdxNavBarGroupViewInfo::HeaderBackColor2();
  return TaskPaneColors().TaskPaneCaption2;
}
TColor TdxNavBarOffice11GroupViewInfo::HeaderFontColor() {
  const TColor own = TdxNavBarGroupViewInfo::HeaderFontColor();
  return own == clNone ? TaskPaneColors().TaskPaneCaptionText : own;
}
TColor TdxNavBarOffice11LinkViewInfo::FontColor() {
  const TColor own = TdxNavBarLinkViewInfo::FontColor();
  return own == clNone ? TaskPaneColors().TaskPaneLinkText : own;
}

// ---- the Office11 explorer bar -------------------------------------------------------------------

void TdxNavBarOffice11ExplorerBarViewInfo::CreateColors() {
  if (held_) return;
  AcquireNavPaneBitmaps();
  held_ = true;
}
void TdxNavBarOffice11ExplorerBarViewInfo::RefreshColors() { RefreshNavPaneBitmaps(); }
void TdxNavBarOffice11ExplorerBarViewInfo::ReleaseColors() {
  if (!held_) return;
  held_ = false;
  ReleaseNavPaneBitmaps();
}

void TdxNavBarOffice11ExplorerBarViewInfo::AssignBackgroundDefaults() { AssignNavPaneColorSetDefault(dsBackground); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignGroupBackgroundDefaults() { AssignNavPaneColorSetDefault(dsGroupBackground); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignButtonDefaults() { AssignNavPaneColorSetDefault(dsButton); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignGroupHeaderDefaults() { AssignNavPaneColorSetDefault(dsGroupHeader); }
void TdxNavBarOffice11ExplorerBarViewInfo::AssignGroupHeaderActiveDefaults() {
  CopyStyle(dsGroupHeaderActive, dsGroupHeader);
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignItemDefaults() {
  TdxNavBarExplorerBarViewInfo::AssignItemDefaults();
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignItemDisabledDefaults() {
  TdxNavBarExplorerBarViewInfo::AssignItemDisabledDefaults();
}
void TdxNavBarOffice11ExplorerBarViewInfo::AssignNavigationPaneHeaderDefaults() { AssignNavPaneColorSetDefault(dsNavigationPaneHeader); }

namespace {

// The navigation pane's button pair for a caption state: active, hot or normal.
void NavPaneButtonPair(int State, TColor& First, TColor& Second) {
  const TOffice11NavPaneColors colors = Office11NavPaneColors();
  if (State & nbisActive) {
    First = colors.ButtonActive1;
    Second = colors.ButtonActive2;
  } else if (State & nbisHot) {
    First = colors.ButtonHot1;
    Second = colors.ButtonHot2;
  } else {
    First = colors.ButtonNormal1;
    Second = colors.ButtonNormal2;
  }
}

}  // namespace

#define O11_HEADER_FROM_SET (TdxNavBarGroupViewInfo::HeaderBackColor() == clNone)
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderBackColor() {
  if (!O11_HEADER_FROM_SET) return TdxNavBarGroupViewInfo::HeaderBackColor();
  TColor first, second;
  NavPaneButtonPair(NavBarStateFlags(State()), first, second);
  return first;
}
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderBackColor2() {
  if (!O11_HEADER_FROM_SET) return TdxNavBarGroupViewInfo::HeaderBackColor2();
  TColor first, second;
  NavPaneButtonPair(NavBarStateFlags(State()), first, second);
  return second;
}
Byte TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderAlphaBlending() {
  return O11_HEADER_FROM_SET ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending();
}
Byte TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderAlphaBlending2() {
  return O11_HEADER_FROM_SET ? 255 : TdxNavBarGroupViewInfo::HeaderAlphaBlending2();
}
TdxBarStyleGradientMode TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderGradientMode() {
  return O11_HEADER_FROM_SET ? gmVertical : TdxNavBarGroupViewInfo::HeaderGradientMode();
}
#undef O11_HEADER_FROM_SET
TColor TdxNavBarOffice11ExplorerBarGroupViewInfo::HeaderBorderColor() { return Office11NavPaneColors().Border; }

// ---- controllers ----------------------------------------------------------------------------------

TdxNavBarExplorerBarController::~TdxNavBarExplorerBarController() {
  if (SizerPressed() && GetCaptureControl() == NavBar()) SetCaptureControl(nullptr);
}

void TdxNavBarExplorerBarController::PartAt(const TPoint& P, TdxNavBarPartRef& APart) {
  if (auto* info = dynamic_cast<TdxNavBarExplorerBarViewInfo*>(ViewInfo())) {
    const int index = info->ControlSizerAt(P);
    if (index >= 0) {
      APart = {nbpControlSizer, index};
      return;
    }
  }
  TdxNavBarController::PartAt(P, APart);
}

void TdxNavBarExplorerBarController::MouseDown(TMouseButton Button, TShiftState Shift, const TPoint& P) {
  if (Button == mbLeft) {
    TdxNavBarPartRef part;
    PartAt(P, part);
    SetPressedPart(part);
    if (part.Major == nbpControlSizer) {
      TdxNavBarGroupViewInfo* group = ViewInfo()->GroupAt(part.Minor);
      TdxNavBarGroupControl* control = group->Group()->Control();
      StartDragHeight = control ? control->Height() : 0;
      StartDragPoint = P;
      SetCaptureControl(NavBar());
      return;
    }
  }
  TdxNavBarController::MouseDown(Button, Shift, P);
}

void TdxNavBarExplorerBarController::MouseMove(TShiftState Shift, const TPoint& P) {
  if (!SizerPressed()) {
    TdxNavBarPartRef part;
    PartAt(P, part);
    SetHotPart(part);
    TdxNavBarController::MouseMove(Shift, P);
    return;
  }
  TdxCustomNavBar* bar = NavBar();
  const int index = PushedPart().Minor;
  if (index < 0 || index >= ViewInfo()->GroupCount()) return;
  TdxNavBarGroup* group = ViewInfo()->GroupAt(index)->Group();
  TdxNavBarGroupControl* control = group->Control();
  if (!control) return;
  const int dy = P.y - StartDragPoint.y;
  if (group->Align() != vaBottom) {
    // A control is never given a negative height.
    control->SetHeight(std::max(0, StartDragHeight + dy));
    return;
  }
  if (StartDragHeight - dy <= 0) return;
  control->SetHeight(StartDragHeight - dy);
  bar->InvalidateAll(nbiRelayout);
  bar->Update();
  TdxNavBarScrollBar* scrollBar = bar->ScrollBar();
  if (scrollBar && scrollBar->Visible()) {
    scrollBar->SetPosition(scrollBar->Position() + StartDragHeight - control->Height() - dy);
    bar->InvalidateAll(nbiRelayout);
  }
}

void TdxNavBarExplorerBarController::MouseUp(TMouseButton Button, TShiftState Shift, const TPoint& P) {
  TdxNavBarPartRef part;
  PartAt(P, part);
  SetHotPart(part);
  if (SizerPressed()) {
    if (GetCaptureControl() == NavBar()) SetCaptureControl(nullptr);
  } else {
    TdxNavBarController::MouseUp(Button, Shift, P);
  }
  SetPressedPart(nbNone);
}

TCursor TdxNavBarExplorerBarController::CustomCursor() {
  if (SizerPressed() || HotTrackPart().Major == nbpControlSizer) return crSizeNS;
  return TdxNavBarController::CustomCursor();
}

// ---- element painters -----------------------------------------------------------------------------

void TdxNavBarExplorerBarBorderPainter::DrawGroupBorder(TcxCanvas* Canvas, const TRect& R, TColor Color,
                                                        bool OpenTop) const {
  if (Color == clNone || R.IsEmpty()) return;
  HDC dc = Canvas->DCHandle();
  FillRectSolid(dc, TRect(R.left, R.top, R.left + 1, R.bottom), Color);
  FillRectSolid(dc, TRect(R.right - 1, R.top, R.right, R.bottom), Color);
  FillRectSolid(dc, TRect(R.left, R.bottom - 1, R.right, R.bottom), Color);
  if (!OpenTop) FillRectSolid(dc, TRect(R.left, R.top, R.right, R.top + 1), Color);
}

void TdxNavBarExplorerBarSignPainter::ChevronPoints(const TRect& R, bool Expanded, TPoint (&Points)[3]) {
  const int d = Expanded ? 1 : -1;
  const TPoint apex((R.left + R.right) / 2 - 1, (R.top + R.bottom) / 2 - 4 * d);
  Points[0] = TPoint(apex.x - 3, apex.y + 3 * d);
  Points[1] = apex;
  Points[2] = TPoint(apex.x + 4, apex.y + 4 * d);
}

void TdxNavBarExplorerBarSignPainter::DrawSignBackground(TcxCanvas* Canvas, const TRect& R, TColor, TColor,
                                                         int State) const {
  if (!(State & nbisHot)) return;
  RECT r = R;
  DrawEdge(Canvas->DCHandle(), &r, BDR_RAISEDINNER, BF_RECT);
}

void TdxNavBarExplorerBarSignPainter::DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1,
                                               TColor BackColor2, int State) const {
  DrawSignBackground(Canvas, R, BackColor1, BackColor2, State);
  const bool expanded = (State & nbisExpanded) != 0;
  const int d = expanded ? 1 : -1;
  TPoint points[3];
  ChevronPoints(R, expanded, points);
  HDC dc = Canvas->DCHandle();
  HPEN pen = CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(ForeColor)));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int stroke = 0; stroke < 2; ++stroke) {
      const int dy = (4 * chevron + stroke) * d;
      POINT line[3];
      for (int i = 0; i < 3; ++i) line[i] = {points[i].x, points[i].y + dy};
      Polyline(dc, line, 3);
      // Polyline leaves the last pixel out: the right arm ends at its point.
      SetPixel(dc, line[2].x, line[2].y, COLORREF(ColorToRGB(ForeColor)));
    }
  SelectObject(dc, old);
  DeleteObject(pen);
}

// ---- bitmap signs ---------------------------------------------------------------------------------

namespace {

DWORD ChannelMix(DWORD A, DWORD B, int PercentOfA) {
  DWORD result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = int(A >> shift & 0xFF), b = int(B >> shift & 0xFF);
    const int c = std::clamp((a * PercentOfA + b * (100 - PercentOfA)) / 100, 0, 255);
    result |= DWORD(c) << shift;
  }
  return result;
}

// 0x00RRGGBB of a framework colour.
DWORD RGBOf(TColor Color) { return SwapRedBlue(DWORD(ColorToRGB(Color))) & 0xFFFFFF; }

}  // namespace

void RecolorAdvSign(const std::vector<DWORD>& Sign, DWORD Transparent, DWORD Color, std::vector<DWORD>& Canvas) {
  for (size_t i = 0; i < Sign.size() && i < Canvas.size(); ++i) {
    const DWORD pixel = Sign[i] & 0xFFFFFF;
    if (pixel == (Transparent & 0xFFFFFF)) continue;
    if (pixel == 0xFF0000) {
      Canvas[i] = Color;
      continue;
    }
    const int weight = (255 - int(RedOfRGB(pixel))) * 100 / 255;
    Canvas[i] = ChannelMix(pixel, Canvas[i], weight);
  }
}

void RecolorOffice11Sign(const std::vector<DWORD>& Sign, DWORD Transparent, DWORD First, DWORD Second,
                         std::vector<DWORD>& Canvas) {
  int darkest = 256, lightest = -1;
  for (DWORD pixel : Sign) {
    if ((pixel & 0xFFFFFF) == (Transparent & 0xFFFFFF)) continue;
    darkest = std::min(darkest, int(RedOfRGB(pixel)));
    lightest = std::max(lightest, int(RedOfRGB(pixel)));
  }
  for (size_t i = 0; i < Sign.size() && i < Canvas.size(); ++i) {
    const DWORD pixel = Sign[i] & 0xFFFFFF;
    if (pixel == (Transparent & 0xFFFFFF)) continue;
    // A bitmap of one red level has no range: every pixel takes the first colour.
    const int percent = darkest == lightest ? 0 : MulDiv(int(RedOfRGB(pixel)) - lightest, 100, darkest - lightest);
    Canvas[i] = ChannelMix(Second, First, percent);
  }
}

BITMAPINFO TopDown32BitInfo(int W, int H) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = W;
  info.bmiHeader.biHeight = -H;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::vector<DWORD> BitmapPixels(TBitmap* Bitmap) {
  std::vector<DWORD> pixels;
  if (!Bitmap || Bitmap->Empty()) return pixels;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  pixels.resize(size_t(w) * size_t(h));
  BITMAPINFO info = TopDown32BitInfo(w, h);
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, Bitmap->Handle(), 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

namespace {

// Draws a recoloured sign: the canvas pixels under R's top-left are read, changed, written back.
template <class Recolor>
void DrawRecoloredSign(TcxCanvas* Canvas, const TRect& R, TBitmap* Bitmap, const Recolor& recolor) {
  if (!Bitmap || Bitmap->Empty()) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const std::vector<DWORD> sign = BitmapPixels(Bitmap);
  const DWORD transparent = RGBOf(Bitmap->TransparentColor());
  BITMAPINFO info = TopDown32BitInfo(w, h);
  void* bits = nullptr;
  HDC target = Canvas->DCHandle();
  HBITMAP section = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return;
  HDC memory = CreateCompatibleDC(target);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, w, h, target, R.left, R.top, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + size_t(w) * size_t(h));
  for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
  recolor(sign, transparent, pixels);
  std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
  BitBlt(target, R.left, R.top, w, h, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
}

}  // namespace

void TdxNavBarAdvExplorerBarSignPainter::DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor,
                                                  TColor, int State) const {
  const DWORD color = RGBOf(ForeColor);
  DrawRecoloredSign(Canvas, R, ExplorerBarSignBitmap(!(State & nbisExpanded)),
                    [color](const std::vector<DWORD>& sign, DWORD transparent, std::vector<DWORD>& pixels) {
                      RecolorAdvSign(sign, transparent, color, pixels);
                    });
}

void TdxNavBarOffice11SignPainter::DrawSign(TcxCanvas* Canvas, const TRect& R, TColor ForeColor, TColor BackColor1,
                                            TColor, int State) const {
  const DWORD first = RGBOf(BackColor1), second = RGBOf(ForeColor);
  DrawRecoloredSign(Canvas, R, TaskPaneSignBitmap(!(State & nbisExpanded)),
                    [first, second](const std::vector<DWORD>& sign, DWORD transparent, std::vector<DWORD>& pixels) {
                      RecolorOffice11Sign(sign, transparent, first, second, pixels);
                    });
}

void TdxNavBarAdvExplorerButtonPainter::DrawButton(TcxCanvas* Canvas, const TRect& R, TPicture* Picture,
                                                   TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2,
                                                   int GradientMode, TColor BorderColor, int State) const {
  HDC dc = Canvas->DCHandle();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, R.left, R.top, R.left + 2, R.top + 1);
  ExcludeClipRect(dc, R.left, R.top, R.left + 1, R.top + 2);
  ExcludeClipRect(dc, R.right - 2, R.top, R.right, R.top + 1);
  ExcludeClipRect(dc, R.right - 1, R.top, R.right, R.top + 2);
  TdxNavBarCustomButtonPainter::DrawButton(Canvas, R, Picture, Color1, Color2, Alpha1, Alpha2, GradientMode,
                                           BorderColor, State);
  RestoreDC(dc, saved);
}

// ---- painters -------------------------------------------------------------------------------------

TdxNavBarViewInfo* TdxNavBarExplorerBarPainter::CreateViewInfo() { return new TdxNavBarExplorerBarViewInfo(this); }
TdxNavBarGroupViewInfo* TdxNavBarExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                         TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                         bool ACaptionVisible) {
  return new TdxNavBarExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarController* TdxNavBarExplorerBarPainter::CreateController() {
  return new TdxNavBarExplorerBarController(NavBar());
}
TdxNavBarSignPainterClass TdxNavBarExplorerBarPainter::SignPainterClass() {
  return TdxNavBarExplorerBarSignPainter::Instance();
}
TdxNavBarGroupBorderPainterClass TdxNavBarExplorerBarPainter::GroupBorderPainterClass() {
  return TdxNavBarExplorerBarBorderPainter::Instance();
}

void TdxNavBarExplorerBarPainter::DrawGroup(TdxNavBarGroupViewInfo* AGroup) {
  TdxNavBarElementPainter::DrawGroup(AGroup);
  auto* info = dynamic_cast<TdxNavBarExplorerBarGroupViewInfo*>(AGroup);
  if (info && !info->ControlSizerBounds.IsEmpty()) DrawGroupControlSizer(info);
}

TdxNavBarSelectionPainterClass TdxNavBarUltraFlatExplorerBarPainter::SelectionPainterClass() {
  return TdxNavBarUltraFlatSelectionPainter::Instance();
}

TdxNavBarViewInfo* TdxNavBarAdvExplorerBarPainter::CreateViewInfo() { return new TdxNavBarAdvExplorerBarViewInfo(this); }
TdxNavBarGroupViewInfo* TdxNavBarAdvExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                            TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                            bool ACaptionVisible) {
  return new TdxNavBarAdvExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarLinkViewInfo* TdxNavBarAdvExplorerBarPainter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                          TdxNavBarItemLink* ALink,
                                                                          bool AImageVisible, bool ACaptionVisible) {
  return new TdxNavBarAdvExplorerBarLinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}
TdxNavBarButtonPainterClass TdxNavBarAdvExplorerBarPainter::ButtonPainterClass() {
  return TdxNavBarAdvExplorerButtonPainter::Instance();
}
TdxNavBarSignPainterClass TdxNavBarAdvExplorerBarPainter::SignPainterClass() {
  return TdxNavBarAdvExplorerBarSignPainter::Instance();
}
TdxNavBarGroupBorderPainterClass TdxNavBarAdvExplorerBarPainter::GroupBorderPainterClass() {
  return TdxNavBarExplorerBarBorderPainter::Instance();
}

TdxNavBarViewInfo* TdxNavBarOffice11Painter::CreateViewInfo() { return new TdxNavBarOffice11ViewInfo(this); }
TdxNavBarGroupViewInfo* TdxNavBarOffice11Painter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                      TdxNavBarGroup* AGroup, bool AItemsVisible,
                                                                      bool ACaptionVisible) {
  return new TdxNavBarOffice11GroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarLinkViewInfo* TdxNavBarOffice11Painter::CreateLinkViewInfo(TdxNavBarGroupViewInfo* AGroupViewInfo,
                                                                    TdxNavBarItemLink* ALink, bool AImageVisible,
                                                                    bool ACaptionVisible) {
  return new TdxNavBarOffice11LinkViewInfo(AGroupViewInfo, ALink, AImageVisible, ACaptionVisible);
}
TdxNavBarButtonPainterClass TdxNavBarOffice11Painter::ButtonPainterClass() {
  return TdxNavBarAdvExplorerButtonPainter::Instance();
}
TdxNavBarSignPainterClass TdxNavBarOffice11Painter::SignPainterClass() {
  return TdxNavBarOffice11SignPainter::Instance();
}
TdxNavBarGroupBorderPainterClass TdxNavBarOffice11Painter::GroupBorderPainterClass() {
  return TdxNavBarExplorerBarBorderPainter::Instance();
}

TdxNavBarViewInfo* TdxNavBarOffice11ExplorerBarPainter::CreateViewInfo() {
  return new TdxNavBarOffice11ExplorerBarViewInfo(this);
}
TdxNavBarGroupViewInfo* TdxNavBarOffice11ExplorerBarPainter::CreateGroupViewInfo(TdxNavBarViewInfo* AViewInfo,
                                                                                 TdxNavBarGroup* AGroup,
                                                                                 bool AItemsVisible,
                                                                                 bool ACaptionVisible) {
  return new TdxNavBarOffice11ExplorerBarGroupViewInfo(AViewInfo, AGroup, AItemsVisible, ACaptionVisible);
}
TdxNavBarController* TdxNavBarOffice11ExplorerBarPainter::CreateController() {
  return new TdxNavBarOffice11ExplorerBarController(NavBar());
}
TdxNavBarSignPainterClass TdxNavBarOffice11ExplorerBarPainter::SignPainterClass() {
  return TdxNavBarOffice11ExplorerBarSignPainter::Instance();
}
TdxNavBarGroupBorderPainterClass TdxNavBarOffice11ExplorerBarPainter::GroupBorderPainterClass() {
  return TdxNavBarExplorerBarBorderPainter::Instance();
}

void TdxNavBarOffice11ExplorerBarPainter::DrawGroupControlSizer(TdxNavBarExplorerBarGroupViewInfo* AGroup) {
  const TRect r = AGroup->ControlSizerBounds;
  ButtonPainterClass()->DrawButton(cxCanvas(), r, nullptr, AGroup->HeaderBackColor(), AGroup->HeaderBackColor2(),
                                   AGroup->HeaderAlphaBlending(), AGroup->HeaderAlphaBlending2(),
                                   int(AGroup->HeaderGradientMode()), AGroup->HeaderBorderColor(),
                                   NavBarStateFlags(AGroup->State()));
  TBitmap* grip = NavPaneBitmap(npbSplitter);
  if (!grip || grip->Empty() || grip->Width() > r.Width() || grip->Height() > r.Height()) return;
  grip->SetTransparent(true);
  Canvas()->Draw(r.left + (r.Width() - grip->Width()) / 2, r.top + (r.Height() - grip->Height()) / 2, grip);
}

// ---- the unit -------------------------------------------------------------------------------------

void StartExplorerBarViewsUnit() {
  RegisterView(8, L"ExplorerBarView", &TdxNavBarExplorerBarPainter::ClassInfo());
  RegisterView(9, L"UltraFlatExplorerBarView", &TdxNavBarUltraFlatExplorerBarPainter::ClassInfo());
  RegisterView(10, L"AdvExplorerBarView", &TdxNavBarAdvExplorerBarPainter::ClassInfo());
  RegisterView(12, L"Office11TaskPaneView", &TdxNavBarOffice11Painter::ClassInfo());
  RegisterView(16, L"Office11ExplorerBarView", &TdxNavBarOffice11ExplorerBarPainter::ClassInfo());
}

void EndExplorerBarViewsUnit() {
  for (int id : {8, 9, 10, 12, 16}) UnregisterView(id);
}

namespace {
const TUnitRegistration explorerBarViewsUnit(&StartExplorerBarViewsUnit, &EndExplorerBarViewsUnit);
}
