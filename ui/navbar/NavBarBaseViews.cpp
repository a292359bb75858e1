#include "ui/navbar/NavBarBaseViews.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarViews.h"

DEFINE_CLASS(TdxNavBarBaseViewInfo)
DEFINE_CLASS(TdxNavBarNavigationBarController)
DEFINE_CLASS(TdxNavBarBasePainter)
DEFINE_CLASS(TdxNavBarFlatPainter)

// ---- layout -----------------------------------------------------------------------------------

int TdxNavBarBaseViewInfo::ActiveGroupMinItemsHeight() {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  if (!active) return 0;
  int height = 2 * ScrollButtonHeight() + 3 * ScrollButtonVertIndent();
  const int top = active->Group()->TopVisibleLinkIndex();
  if (top >= 0 && top < active->LinkCount())
    height = std::max(height, int(active->LinkAt(top)->Rect.Height()) + LinksPadding());
  return height;
}

void TdxNavBarBaseViewInfo::FitGroups() {
  TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo();
  if (GroupCount() == 0 || !active) return;
  int free = ClientHeight() - GroupAt(GroupCount() - 1)->Rect.bottom;
  const int top = active->ItemsRect.top, bottom = active->ItemsRect.bottom;
  const int minimum = ActiveGroupMinItemsHeight();
  // The items area never gets lower than the minimum; a negative amount pulls the captions after
  // it up.
  if (bottom + free < top + minimum) free = top + minimum - bottom;
  active->AdjustBounds(0, free);
  for (int i = IndexOf(active) + 1; i < GroupCount(); ++i) GroupAt(i)->Offset(0, free);
  CalculateScrollButtonRects();
}

bool TdxNavBarBaseViewInfo::IsGroupOpen(TdxNavBarGroup* AGroup) {
  return AGroup && AGroup == NavBar()->EffectiveActiveGroup();
}

void TdxNavBarBaseViewInfo::OpenGroup(TdxNavBarGroup* AGroup) {
  if (AGroup && NavBar()->ActiveGroupIndex() != AGroup->IndexInCollection()) NavBar()->SetActiveGroup(AGroup);
}

void TdxNavBarBaseViewInfo::MakeGroupVisible(TdxNavBarGroup* AGroup, bool, bool) { NavBar()->SetActiveGroup(AGroup); }

void TdxNavBarBaseViewInfo::MakeLinkVisible(TdxNavBarItemLink* ALink, bool AAtTop) {
  if (!ALink) return;
  TdxNavBarGroup* group = ALink->Group();
  TdxCustomNavBar* bar = NavBar();
  if (group && group != bar->EffectiveActiveGroup()) {
    bar->SetActiveGroup(group);
    RecreateInfos();
    CalculateBounds();
  }
  TdxNavBarGroupViewInfo* groupInfo = GroupViewInfoOf(group);
  TdxNavBarLinkViewInfo* linkInfo = groupInfo ? groupInfo->LinkViewInfoOf(ALink) : nullptr;
  if (groupInfo && linkInfo) {
    if (AAtTop || linkInfo->Rect.top < groupInfo->ItemsRect.top) {
      group->SetTopVisibleLinkIndex(groupInfo->IndexOfLink(linkInfo));
    } else {
      // One link at a time until the link's bottom fits.
      while (groupInfo && linkInfo && groupInfo->ItemsRect.bottom < linkInfo->Rect.bottom &&
             group->TopVisibleLinkIndex() < groupInfo->LinkCount() - 1) {
        group->SetTopVisibleLinkIndex(group->TopVisibleLinkIndex() + 1);
        CalculateBounds();
        groupInfo = GroupViewInfoOf(group);
        linkInfo = groupInfo ? groupInfo->LinkViewInfoOf(ALink) : nullptr;
      }
    }
  }
  bar->InvalidateAll(nbiRepaint);
}

// ---- painters ---------------------------------------------------------------------------------

TdxNavBarViewInfo* TdxNavBarBasePainter::CreateViewInfo() { return new TdxNavBarBaseViewInfo(this); }
TdxNavBarController* TdxNavBarBasePainter::CreateController() {
  return new TdxNavBarNavigationBarController(NavBar());
}
TdxNavBarButtonPainterClass TdxNavBarBasePainter::ButtonPainterClass() {
  return TdxNavBarBaseButtonPainter::Instance();
}
TdxNavBarScrollButtonsPainterClass TdxNavBarBasePainter::ScrollButtonsPainterClass() {
  return TdxNavBarBaseScrollButtonsPainter::Instance();
}
TdxNavBarSelectionPainterClass TdxNavBarBasePainter::SelectionPainterClass() {
  return TdxNavBarBaseSelectionPainter::Instance();
}
TdxNavBarButtonPainterClass TdxNavBarFlatPainter::ButtonPainterClass() {
  return TdxNavBarFlatButtonPainter::Instance();
}

// ---- the unit ---------------------------------------------------------------------------------

void StartBaseViewsUnit() {
  RegisterView(0, L"BaseView", &TdxNavBarBasePainter::ClassInfo());
  RegisterView(1, L"FlatView", &TdxNavBarFlatPainter::ClassInfo());
}

void EndBaseViewsUnit() {
  UnregisterView(0);
  UnregisterView(1);
}

namespace {
const TUnitRegistration baseViewsUnit(&StartBaseViewsUnit, &EndBaseViewsUnit);
}
