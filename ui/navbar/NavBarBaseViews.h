#pragma once
// Views 0 "BaseView" and 1 "FlatView": group captions stacked as buttons, exactly one group (the
// active one) open with its items area taking the height the other captions leave, links
// scrolling inside it with two scroll buttons. The flat view differs only in its buttons.

#include "ui/navbar/NavBarBasePainters.h"
#include "ui/navbar/NavBarController.h"
#include "ui/navbar/NavBarElementPainter.h"

class TdxNavBarBaseViewInfo : public TdxNavBarViewInfo {
  DECLARE_CLASS(TdxNavBarBaseViewInfo, TdxNavBarViewInfo)
 public:
  using TdxNavBarViewInfo::TdxNavBarViewInfo;

  // Opens the active group: its items area takes the free height, never less than
  // ActiveGroupMinItemsHeight; the groups after it move by the same amount.
  void FitGroups() override;
  bool IsGroupOpen(TdxNavBarGroup* AGroup) override;
  void OpenGroup(TdxNavBarGroup* AGroup) override;
  // A group closes only by opening another.
  void CloseGroup(TdxNavBarGroup*) override {}
  void MakeLinkVisible(TdxNavBarItemLink* ALink, bool AAtTop) override;
  void MakeGroupVisible(TdxNavBarGroup* AGroup, bool AExpand, bool AAtTop) override;
  // Room for both scroll buttons and their indents, or for the top visible link.
  virtual int ActiveGroupMinItemsHeight();
};

// The controller of the classic side-bar views; it adds nothing to the base.
class TdxNavBarNavigationBarController : public TdxNavBarController {
  DECLARE_CLASS(TdxNavBarNavigationBarController, TdxNavBarController)
 public:
  using TdxNavBarController::TdxNavBarController;
};

class TdxNavBarBasePainter : public TdxNavBarElementPainter {
  DECLARE_CLASS(TdxNavBarBasePainter, TdxNavBarElementPainter)
 public:
  using TdxNavBarElementPainter::TdxNavBarElementPainter;
  TdxNavBarViewInfo* CreateViewInfo() override;
  TdxNavBarController* CreateController() override;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
  TdxNavBarScrollButtonsPainterClass ScrollButtonsPainterClass() override;
  TdxNavBarSelectionPainterClass SelectionPainterClass() override;
};

class TdxNavBarFlatPainter : public TdxNavBarBasePainter {
  DECLARE_CLASS(TdxNavBarFlatPainter, TdxNavBarBasePainter)
 public:
  using TdxNavBarBasePainter::TdxNavBarBasePainter;
  TdxNavBarButtonPainterClass ButtonPainterClass() override;
};

// The views' unit: registers views 0 and 1, and removes them at its end (tests restart it).
void StartBaseViewsUnit();
void EndBaseViewsUnit();
