#include "NavBarTestSupport.h"

#include "platform/framework/rtl/SysUtils.h"

namespace navbar_testing {

DEFINE_CLASS(TTestViewInfo)
DEFINE_CLASS(TTestPainter)
DEFINE_CLASS(TOtherTestPainter)

void TTestViewInfo::FitGroups() {
  if (!metrics_.FitActiveGroup) return;
  if (TdxNavBarGroupViewInfo* active = ActiveGroupViewInfo()) {
    const int dy = ClientHeight() - GroupAt(GroupCount() - 1)->Rect.bottom;
    active->AdjustBounds(0, dy);
    for (int i = IndexOf(active) + 1; i < GroupCount(); ++i) GroupAt(i)->Offset(0, dy);
  }
  CalculateScrollButtonRects();
}

void TTestPainter::DrawBackground() { Calls.push_back(L"Background"); }
void TTestPainter::DrawGroupBackground(TdxNavBarGroupViewInfo* AGroup) {
  Calls.push_back(L"GroupBackground " + AGroup->Group()->Caption());
}
void TTestPainter::DrawGroupCaption(TdxNavBarGroupViewInfo* AGroup) {
  Calls.push_back(L"GroupCaption " + AGroup->Group()->Caption());
  TdxNavBarPainter::DrawGroupCaption(AGroup);
}
void TTestPainter::DrawGroupItems(TdxNavBarGroupViewInfo* AGroup) {
  Calls.push_back(L"GroupItems " + AGroup->Group()->Caption());
  TdxNavBarPainter::DrawGroupItems(AGroup);
}
void TTestPainter::DrawGroupFocusRect(TdxNavBarGroupViewInfo* AGroup) {
  Calls.push_back(L"GroupFocusRect " + AGroup->Group()->Caption());
  TdxNavBarPainter::DrawGroupFocusRect(AGroup);
}
void TTestPainter::DrawLink(TdxNavBarLinkViewInfo* ALink) {
  Calls.push_back(L"Link " + ALink->Item()->Caption());
  TdxNavBarPainter::DrawLink(ALink);
}
void TTestPainter::DrawLinkSelection(TdxNavBarLinkViewInfo* ALink) {
  Calls.push_back(L"LinkSelection " + ALink->Item()->Caption());
}
void TTestPainter::DrawLinkImage(TdxNavBarLinkViewInfo* ALink) {
  Calls.push_back(L"LinkImage " + ALink->Item()->Caption());
}
void TTestPainter::DrawLinkCaption(TdxNavBarLinkViewInfo* ALink) {
  Calls.push_back(L"LinkCaption " + ALink->Item()->Caption());
  TdxNavBarPainter::DrawLinkCaption(ALink);
}
void TTestPainter::DrawLinkFocusRect(TdxNavBarLinkViewInfo* ALink) {
  Calls.push_back(L"LinkFocusRect " + ALink->Item()->Caption());
  TdxNavBarPainter::DrawLinkFocusRect(ALink);
}
void TTestPainter::DrawScrollButtons() {
  Calls.push_back(L"ScrollButtons");
  TdxNavBarPainter::DrawScrollButtons();
}
void TTestPainter::DrawDropTargetGroupSelection() { Calls.push_back(L"DropTargetGroupSelection"); }
void TTestPainter::DrawDropTargetLinkSelection() { Calls.push_back(L"DropTargetLinkSelection"); }

namespace {

// The test views stay registered for the whole run.
class TestViews : public testing::Environment {
 public:
  void SetUp() override {
    RegisterView(kTestView, L"TestView", &TTestPainter::ClassInfo());
    RegisterView(kOtherTestView, L"OtherTestView", &TOtherTestPainter::ClassInfo());
  }
  void TearDown() override {
    UnregisterView(kTestView);
    UnregisterView(kOtherTestView);
  }
};

const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new TestViews);

}  // namespace

void NavBarFixture::SetUp() {
  root = new TComponent(nullptr);
  root->SetName(L"Form1");
  bar = new TdxNavBar(root);
  bar->SetName(L"dxNavBar1");
  bar->SetView(kTestView);
}

void NavBarFixture::TearDown() { FreeAndNil(root); }

void NavBarFixture::Layout() {
  bar->InvalidateAll(nbiRebuild);
  bar->Painter()->PrepareToPaint();
}

}  // namespace navbar_testing
