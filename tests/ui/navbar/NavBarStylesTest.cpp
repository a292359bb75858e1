// Styles: values resolved value by value from custom styles, equal values that change nothing,
// defaults replaced by a view change, freed style items, the group control's fallback colours.

#include <gtest/gtest.h>

#include "NavBarTestSupport.h"
#include "platform/framework/classes/Filer.h"

using namespace navbar_testing;

namespace {

class NavBarStyles : public NavBarFixture {
 protected:
  // A style item whose style assigns only the back colour.
  TdxNavBarStyleItem* BackColorItem(TColor color) {
    TdxNavBarStyleItem* item = bar->OptionsStyle()->CustomStyleRepository()->Add();
    item->Style()->SetBackColor(color);
    item->Style()->SetAlphaBlending(7);
    item->Style()->SetAssignedValues({savBackColor});
    return item;
  }
};

TEST_F(NavBarStyles, CustomStyleOverridesOnlyItsAssignedValues) {
  TdxNavBarStyleItem* item = BackColorItem(clRed);
  TdxNavBarViewInfo* info = bar->ViewInfo();
  bar->OptionsStyle()->CustomStyles()->SetStyleAt(csBackground, item);
  EXPECT_EQ(info->BackgroundBackColor(), clRed);
  EXPECT_EQ(info->BackgroundBackColor2(), clAppWorkSpace);
  EXPECT_EQ(info->BackgroundAlphaBlending(), 255);
  bar->OptionsStyle()->CustomStyles()->SetStyleAt(csHint, item);
  EXPECT_EQ(info->HintBackColor(), clRed);
  EXPECT_EQ(info->HintBackColor2(), clInfoBk);
  EXPECT_EQ(info->HintFont()->Color(), clInfoText);
}

// The group caption's style by state: the active family for the active group, pressed before hot.
TEST_F(NavBarStyles, GroupHeaderStyleByState) {
  TdxNavBarGroup* a = AddGroup(L"A", 1);
  TdxNavBarGroup* b = AddGroup(L"B", 1);
  const TColor colors[] = {RGBColor(1, 0, 0), RGBColor(2, 0, 0), RGBColor(3, 0, 0), RGBColor(4, 0, 0),
                           RGBColor(5, 0, 0), RGBColor(6, 0, 0)};
  const int slots[] = {gcsHeader, gcsHeaderActive, gcsHeaderActiveHotTracked, gcsHeaderActivePressed,
                       gcsHeaderHotTracked, gcsHeaderPressed};
  for (TdxNavBarGroup* group : {a, b})
    for (int i = 0; i < 6; ++i) group->CustomStyles()->SetStyleAt(slots[i], BackColorItem(colors[i]));
  bar->SetActiveGroup(a);
  Layout();
  TdxNavBarViewInfo* info = bar->ViewInfo();
  auto header = [&](TdxNavBarGroup* group) { return info->GroupViewInfoOf(group)->HeaderBackColor(); };
  EXPECT_EQ(header(a), colors[1]);
  EXPECT_EQ(header(b), colors[0]);
  bar->DoGroupHotTrack(a);
  EXPECT_EQ(header(a), colors[2]);
  bar->DoGroupHotTrack(b);
  EXPECT_EQ(header(b), colors[4]);
  bar->DoGroupMouseDown(b);
  EXPECT_EQ(header(b), colors[5]);
  bar->DoGroupMouseDown(a);
  EXPECT_EQ(header(a), colors[3]);
  // Without custom styles the default styles of the same states answer.
  a->CustomStyles()->SetStyleAt(gcsHeaderActivePressed, nullptr);
  bar->DefaultStyles()->StyleAt(dsGroupHeaderActivePressed)->SetBackColor(clLime);
  EXPECT_EQ(header(a), clLime);
}

TEST_F(NavBarStyles, LinkFontByState) {
  TdxNavBarGroup* group = AddGroup(L"A", 1);
  Layout();
  TdxNavBarItem* item = group->LinkAt(0)->Item();
  TdxNavBarStyleItem* hot = bar->OptionsStyle()->CustomStyleRepository()->Add();
  hot->Style()->Font()->SetColor(clRed);
  item->CustomStyles()->SetStyleAt(icsItemHotTracked, hot);
  EXPECT_THROW(item->CustomStyles()->SetStyleAt(4, hot), EListError);  // four references only
  Layout();
  TdxNavBarLinkViewInfo* link = bar->ViewInfo()->LinkViewInfoOf(group->LinkAt(0));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->FontColor(), clBtnHighlight);
  bar->DoLinkHotTrack(group->LinkAt(0));
  EXPECT_EQ(link->FontColor(), clRed);
  item->SetEnabled(false);
  EXPECT_EQ(link->FontColor(), clBtnText);  // disabled wins over hot
}

TEST_F(NavBarStyles, EqualValueChangesNothing) {
  TdxNavBarDefaultStyle* background = bar->DefaultStyles()->Background();
  ASSERT_TRUE(background->HoldsDefaults());
  int changes = 0;
  bar->DefaultStyles()->OnChange = [&](TObject*) { ++changes; };
  background->SetBackColor(clAppWorkSpace);
  EXPECT_TRUE(background->HoldsDefaults());
  EXPECT_FALSE(background->IsStored());
  EXPECT_EQ(changes, 0);
  TdxNavBarStyle style(nullptr);
  style.SetBackColor(clWhite);
  style.SetAlphaBlending(255);
  EXPECT_TRUE(style.AssignedValues().Empty());
  background->SetBackColor(clRed);
  EXPECT_FALSE(background->HoldsDefaults());
  EXPECT_EQ(changes, 1);
}

TEST_F(NavBarStyles, LoadedDefaultsSurviveLoadingButNotAViewChange) {
  TdxNavBarDefaultStyle* header = bar->DefaultStyles()->GroupHeader();
  {
    TLoadingBracket loading(*root);
    loading.Add(bar);
    header->Font()->SetName(L"Tahoma");
    header->Font()->SetSize(8);
    loading.End();
  }
  EXPECT_EQ(header->Font()->Name(), L"Tahoma");
  EXPECT_FALSE(header->HoldsDefaults());
  EXPECT_EQ(bar->DefaultStyles()->Item()->Font()->Name(), L"MS Sans Serif");  // untouched ones reset
  bar->SetView(kOtherTestView);
  EXPECT_EQ(header->Font()->Name(), L"MS Sans Serif");
  EXPECT_TRUE(header->HoldsDefaults());
  EXPECT_EQ(header->BackColor(), clBtnFace);
}

TEST_F(NavBarStyles, FreedStyleItemLeavesEverySlot) {
  TdxNavBarGroup* group = AddGroup(L"A");
  TdxNavBarStyleItem* item = BackColorItem(clRed);
  TdxNavBarCustomStyles* barStyles = bar->OptionsStyle()->CustomStyles();
  barStyles->SetStyleAt(csBackground, item);
  barStyles->SetStyleAt(csDropTargetLink, item);
  group->CustomStyles()->SetStyleAt(gcsBackground, item);
  barStyles->SetStyleAt(csDropTargetLink, nullptr);  // still watched for the other slot
  barStyles->SetStyleAt(csDropTargetLink, item);
  item->Free();
  EXPECT_EQ(barStyles->StyleAt(csBackground), nullptr);
  EXPECT_EQ(barStyles->StyleAt(csDropTargetLink), nullptr);
  EXPECT_EQ(group->CustomStyles()->StyleAt(gcsBackground), nullptr);
  EXPECT_EQ(bar->ViewInfo()->BackgroundBackColor(), clAppWorkSpace);
  EXPECT_EQ(bar->ViewInfo()->DropTargetLinkColor(), clBlack);
}

TEST_F(NavBarStyles, GroupControlWithoutColourTakesTheGroupBackground) {
  TdxNavBarGroup* group = AddGroup(L"A");
  bar->DefaultStyles()->StyleAt(dsGroupBackground)->SetBackColor(clTeal);
  bar->DefaultStyles()->StyleAt(dsGroupBackground)->SetAlphaBlending(90);
  Layout();
  TdxNavBarGroupViewInfo* info = bar->ViewInfo()->GroupViewInfoOf(group);
  EXPECT_EQ(info->ControlBackColor(), clTeal);
  EXPECT_EQ(info->ControlBackColor2(), clAppWorkSpace);
  EXPECT_EQ(info->ControlAlphaBlending(), 90);
  TdxNavBarStyleItem* control = bar->OptionsStyle()->CustomStyleRepository()->Add();
  control->Style()->SetBackColor(clRed);
  control->Style()->SetBackColor2(clBlue);
  group->CustomStyles()->SetStyleAt(gcsControl, control);
  EXPECT_EQ(info->ControlBackColor(), clRed);
  EXPECT_EQ(info->ControlBackColor2(), clBlue);
  EXPECT_EQ(info->ControlAlphaBlending(), 255);
}

}  // namespace
