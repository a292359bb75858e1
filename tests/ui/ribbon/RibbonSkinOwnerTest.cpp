// The ribbon as the skin owner of its bars: which colour-skin operation each bar part reaches,
// with which state and layout values, and when the ribbon answers the skin interface at all.

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "tests/ui/ribbon/RibbonTestSupport.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/bars/painters/Fader.h"
#include "ui/ribbon/Ribbon.h"
#include "ui/ribbon/RibbonPainters.h"
#include "ui/ribbon/RibbonSkins.h"
#include "ui/ribbon/RibbonViewInfo.h"

using ribbon_testing::DibSection;

namespace {

// Records each drawing operation by name with its rectangle, its state (-1 for none) and any
// further values; draws nothing.
class TRecordingRibbonSkin : public TdxCustomRibbonSkin {
 public:
  struct Call {
    String op;
    TRect r;
    int state = -1;
    String extra;
  };
  TRecordingRibbonSkin() : TdxCustomRibbonSkin(L"Recording") {}
  String SchemeName() const override { return L"Recording"; }
  TdxGPImage* LoadColorSheet() override { return nullptr; }
  TdxGPImage* LoadFormSheet() override { return nullptr; }
  TRect GetPartContentOffsets(int Part) const override { return Part == 65 ? TRect{5, 6, 7, 8} : TRect{}; }
  TColor PartColorOf(int ID, int State) override { return TColor(ID * 16 + State); }

#define RECORD_STATE(Name) \
  void Name(HDC, const TRect& R, int State) override { calls.push_back({L## #Name, R, State, L""}); }
#define RECORD_PLAIN(Name) \
  void Name(HDC, const TRect& R) override { calls.push_back({L## #Name, R, -1, L""}); }
  RECORD_STATE(DrawSmallButton)
  RECORD_STATE(DrawBarPart4)
  RECORD_STATE(DrawBarPart5)
  RECORD_STATE(DrawLargeButton)
  RECORD_STATE(DrawBarPart7)
  RECORD_STATE(DrawBarPart8)
  RECORD_STATE(DrawBarPart11)
  RECORD_STATE(DrawBarPart13)
  RECORD_STATE(DrawBarPart14)
  RECORD_STATE(DrawBarPart15)
  RECORD_STATE(DrawBarPart16)
  RECORD_STATE(DrawBarPart50)
  RECORD_STATE(DrawSpinButtonUp)
  RECORD_STATE(DrawSpinButtonDown)
  RECORD_STATE(DrawDropDownArrow)
  RECORD_STATE(DrawBarPart370)
  RECORD_STATE(DrawBarPart430)
  RECORD_STATE(DrawBarPart440)
  RECORD_STATE(DrawBarPart446)
  RECORD_STATE(DrawBarPart458)
  RECORD_STATE(DrawBarPart460)
  RECORD_STATE(DrawBarPart480)
  RECORD_STATE(DrawBarPart500)
  RECORD_STATE(DrawBarPart510)
  RECORD_STATE(DrawBarPart515)
  RECORD_STATE(DrawGroupBackground)
  RECORD_STATE(DrawGroupCaption)
  RECORD_STATE(DrawApplicationButton)
  RECORD_PLAIN(DrawBarPart30)
  RECORD_PLAIN(DrawBarPart31)
  RECORD_PLAIN(DrawBarPart32)
  RECORD_PLAIN(DrawBarPart40)
  RECORD_PLAIN(FillGalleryBackground)
  RECORD_PLAIN(DrawBarPart57)
  RECORD_PLAIN(DrawBarPart58)
  RECORD_PLAIN(DrawBarPart59)
  RECORD_PLAIN(DrawBarPart60)
  RECORD_PLAIN(DrawBarPart61)
  RECORD_PLAIN(DrawBarPart62)
  RECORD_PLAIN(DrawBarPart63)
  RECORD_PLAIN(DrawBarPart65)
  RECORD_PLAIN(DrawBarPart360)
  RECORD_PLAIN(DrawArrowDown)
  RECORD_PLAIN(DrawArrowRight)
  RECORD_PLAIN(DrawBarPart380)
  RECORD_PLAIN(DrawBarPart390)
  RECORD_PLAIN(DrawBarPart400)
  RECORD_PLAIN(DrawBarPart410)
  RECORD_PLAIN(DrawBarPart442)
  RECORD_PLAIN(DrawBarPart450)
  RECORD_PLAIN(DrawBarPart452)
  RECORD_PLAIN(DrawBarPart453)
  RECORD_PLAIN(DrawBarPart454)
  RECORD_PLAIN(DrawBarPart470)
  RECORD_PLAIN(DrawBarPart490)
  RECORD_PLAIN(FillRibbonBackground)
  RECORD_PLAIN(DrawGroupsArea)
#undef RECORD_STATE
#undef RECORD_PLAIN
  void DrawGalleryScrollButton(HDC, const TRect& R, int State, int Kind) override {
    calls.push_back({L"DrawGalleryScrollButton", R, State, L"kind " + std::to_wstring(Kind)});
  }
  void DrawQuickAccessMark(HDC, const TRect& R, int State, bool FormActive, bool PaintsFormFrame, bool Below) override {
    calls.push_back({L"DrawQuickAccessMark", R, State,
                     String(Below ? L"below" : L"above") + (PaintsFormFrame ? L" frame" : L" no frame") +
                         (FormActive ? L" active" : L" inactive")});
  }
  std::vector<Call> calls;
};

class RibbonSkinOwner : public ribbon_testing::RibbonFixture {
 protected:
  void SetUp() override {
    RibbonFixture::SetUp();
    skin = new TRecordingRibbonSkin();
    BarSkinManager()->AddSkin(skin);
    form = new TForm(nullptr, 0);
    form->SetBounds(100, 100, 800, 500);
    manager = new TdxBarManager(form);
    ribbon = new TdxRibbon(form);
    ribbon->SetParent(form);
    ribbon->SetBarManager(manager);
    ribbon->SetColorSchemeName(L"Recording");
  }
  void TearDown() override {
    FreeAndNil(form);
    // The manager frees the skin.
    if (skin) BarSkinManager()->RemoveSkin(skin);
    RibbonFixture::TearDown();
  }
  // Shows the application button: it stands beside a visible quick-access toolbar above the ribbon.
  void ShowWithApplicationButton() {
    TdxBar* bar = manager->Bars()->Add();
    bar->SetVisible(true);
    ribbon->QuickAccessToolbar()->SetToolbar(bar);
    ribbon->Tabs()->Add()->SetCaption(L"Home");
    form->Show();
    ribbon->Changed();
  }
  TRecordingRibbonSkin* skin = nullptr;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TdxRibbon* ribbon = nullptr;
};

TEST_F(RibbonSkinOwner, EachBarPartReachesTheSkinOperationOfItsElement) {
  struct Case {
    int part;
    const wchar_t* op;
    bool stateless;
    const wchar_t* extra;
  } cases[] = {
      {3, L"DrawSmallButton", false, nullptr},        {4, L"DrawBarPart4", false, nullptr},          {5, L"DrawBarPart5", false, nullptr},
      {6, L"DrawLargeButton", false, nullptr},        {7, L"DrawBarPart7", false, nullptr},          {8, L"DrawBarPart8", false, nullptr},
      {11, L"DrawBarPart11", false, nullptr},         {13, L"DrawBarPart13", false, nullptr},        {16, L"DrawBarPart16", false, nullptr},
      {30, L"DrawBarPart30", true, nullptr},   {31, L"DrawBarPart31", true, nullptr},  {32, L"DrawBarPart32", true, nullptr},
      {40, L"DrawBarPart40", true, nullptr},   {50, L"DrawBarPart50", false, nullptr},        {56, L"FillGalleryBackground", true, nullptr},
      {57, L"DrawBarPart57", true, nullptr},   {60, L"DrawBarPart60", true, nullptr},  {62, L"DrawBarPart62", true, nullptr},
      {63, L"DrawBarPart63", true, nullptr},   {65, L"DrawBarPart65", true, nullptr},  {336, L"DrawSpinButtonUp", false, nullptr},
      {337, L"DrawSpinButtonDown", false, nullptr},   {340, L"DrawDropDownArrow", false, nullptr},   {360, L"DrawBarPart360", true, nullptr},
      {365, L"DrawArrowDown", true, nullptr},  {366, L"DrawArrowRight", true, nullptr}, {370, L"DrawBarPart370", false, nullptr},
      {380, L"DrawBarPart380", true, nullptr}, {390, L"DrawBarPart390", true, nullptr}, {400, L"DrawBarPart400", true, nullptr},
      {410, L"DrawBarPart410", true, nullptr}, {430, L"DrawBarPart430", false, nullptr},      {440, L"DrawBarPart440", false, nullptr},
      {442, L"DrawBarPart442", true, nullptr}, {446, L"DrawBarPart446", false, nullptr},      {450, L"DrawBarPart450", true, nullptr},
      {454, L"DrawBarPart454", true, nullptr}, {458, L"DrawBarPart458", false, nullptr},      {460, L"DrawBarPart460", false, nullptr},
      {470, L"DrawBarPart470", true, nullptr}, {480, L"DrawBarPart480", false, nullptr},      {490, L"DrawBarPart490", true, nullptr},
      {500, L"DrawBarPart500", false, nullptr},       {510, L"DrawBarPart510", false, nullptr},      {515, L"DrawBarPart515", false, nullptr},
      {1000, L"DrawGroupBackground", false, nullptr}, {1001, L"DrawGroupCaption", false, nullptr},
      {53, L"DrawGalleryScrollButton", false, L"kind 0"},
      {54, L"DrawGalleryScrollButton", false, L"kind 1"},
      {55, L"DrawGalleryScrollButton", false, L"kind 2"},
      {520, L"DrawQuickAccessMark", false, L"above no frame inactive"},
  };
  IdxSkin* owner = SkinOf(ribbon);
  ASSERT_NE(owner, nullptr);
  DibSection dib(40, 40);
  const TRect r{3, 4, 30, 25};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "part " << c.part);
    skin->calls.clear();
    owner->DrawBackground(dib.DC(), r, c.part, 6);
    ASSERT_EQ(skin->calls.size(), 1u);
    EXPECT_EQ(skin->calls[0].op, c.op);
    EXPECT_EQ(skin->calls[0].r, r);
    EXPECT_EQ(skin->calls[0].state, c.stateless ? -1 : 6);
    EXPECT_EQ(skin->calls[0].extra, c.extra ? c.extra : L"");
  }
  ribbon->QuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  skin->calls.clear();
  owner->DrawBackground(dib.DC(), r, 520, 2);
  ASSERT_EQ(skin->calls.size(), 1u);
  EXPECT_EQ(skin->calls[0].extra, L"below no frame inactive");
}

TEST_F(RibbonSkinOwner, PartsOutsideTheListDrawNothing) {
  IdxSkin* owner = SkinOf(ribbon);
  DibSection dib(20, 20);
  for (int part : {0, 2, 9, 10, 12, 19, 20, 335, 362, 375, 455, 999, 1002}) {
    owner->DrawBackground(dib.DC(), TRect{0, 0, 20, 20}, part, 0);
    EXPECT_TRUE(skin->calls.empty()) << "part " << part;
  }
}

TEST_F(RibbonSkinOwner, AGroupIsItsBodyOverItsCaptionStrip) {
  IdxSkin* owner = SkinOf(ribbon);
  const int caption = ribbon->GroupCaptionHeight();
  ASSERT_GT(caption, 8);
  DibSection dib(120, 100);
  owner->DrawBackground(dib.DC(), TRect{10, 5, 110, 95}, 1, 2);
  ASSERT_EQ(skin->calls.size(), 2u);
  const int split = 95 - caption - 3;
  EXPECT_EQ(skin->calls[0].op, L"DrawGroupBackground");
  EXPECT_EQ(skin->calls[0].r, (TRect{10, 5, 110, split}));
  EXPECT_EQ(skin->calls[1].op, L"DrawGroupCaption");
  EXPECT_EQ(skin->calls[1].r, (TRect{10, split, 110, 95}));
  EXPECT_EQ(skin->calls[1].state, 2);
  EXPECT_EQ(owner->CaptionBoundsOf(TRect{10, 5, 110, 95}, 1), (TRect{12, 92 - caption, 107, 92}));
  EXPECT_EQ(owner->ContentMarginsOf(1), (TRect{2, 2, 3, caption + 4}));
}

TEST_F(RibbonSkinOwner, MarginsOffsetsColoursAndNameFollowTheTable) {
  IdxSkin* owner = SkinOf(ribbon);
  struct Margins {
    int part;
    TRect expected;
  } margins[] = {{3, {3, 3, 3, 3}},    {520, {3, 3, 3, 3}},  {65, {5, 6, 7, 8}},
                 {1000, {2, 2, 2, 2}}, {1001, {7, 4, 7, 11}}, {4, {}}, {460, {}}};
  for (const Margins& m : margins) EXPECT_EQ(owner->ContentMarginsOf(m.part), m.expected) << "part " << m.part;
  EXPECT_EQ(owner->GetPartOffset(1), 2);
  EXPECT_EQ(owner->GetPartOffset(460), 3);
  EXPECT_EQ(owner->GetPartOffset(3), 0);
  EXPECT_EQ(owner->PartColorOf(10133, 2), TColor(10133 * 16 + 2));
  EXPECT_EQ(owner->GetSkinName(), L"");
  EXPECT_EQ(ribbon->GroupsPainter()->DockRowGap(), 2) << "the group spacing is part 1's offset";
}

TEST_F(RibbonSkinOwner, TheApplicationMenuTopGrowsOutOfTheButton) {
  ShowWithApplicationButton();
  TdxRibbonViewInfo* info = ribbon->ViewInfo();
  ASSERT_TRUE(info->IsApplicationButtonVisible());
  HWND menu = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 130, 160, 200, 150, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(menu, nullptr);
  POINT ribbonOrigin{0, 0}, menuOrigin{0, 0};
  ClientToScreen(ribbon->Handle(), &ribbonOrigin);
  ClientToScreen(menu, &menuOrigin);
  TRect expected = info->ApplicationButtonBounds();
  OffsetRect(&expected, ribbonOrigin.x - menuOrigin.x, ribbonOrigin.y - menuOrigin.y);
  IdxSkin* owner = SkinOf(ribbon);
  HDC dc = GetDC(menu);
  for (int part : {452, 453}) {
    skin->calls.clear();
    owner->DrawBackground(dc, TRect{0, 0, 200, 20}, part, 0);
    ASSERT_EQ(skin->calls.size(), 2u) << part;
    EXPECT_EQ(skin->calls[1].op, L"DrawApplicationButton");
    EXPECT_EQ(skin->calls[1].r, expected);
    EXPECT_EQ(skin->calls[1].state, part == 452 ? 0 : 1);
  }
  ReleaseDC(menu, dc);
  DestroyWindow(menu);
  // A memory bitmap has no place on the screen: only the part is drawn.
  DibSection dib(200, 20);
  skin->calls.clear();
  owner->DrawBackground(dib.DC(), TRect{0, 0, 200, 20}, 452, 0);
  ASSERT_EQ(skin->calls.size(), 1u);
  EXPECT_EQ(skin->calls[0].op, L"DrawBarPart452");
}

TEST_F(RibbonSkinOwner, WithoutAColourSkinTheRibbonIsNoSkinAndItsBarsFallBack) {
  FreeAndNil(form);
  // Every ribbon skin leaves the manager, the recording one too.
  EndRibbonSkinsUnit();
  skin = nullptr;
  form = new TForm(nullptr, 0);
  auto* bare = new TdxRibbon(form);
  EXPECT_EQ(bare->ColorScheme(), nullptr);
  EXPECT_EQ(SkinOf(bare), nullptr);
  EXPECT_EQ(bare->GroupsPainter()->DockRowGap(), 0) << "the inherited painter's gap";
  // The ribbon painter fills with the button face.
  DibSection dib(30, 20);
  ribbon_testing::FillDib(dib, 30, 20, clBlack);
  TCanvas canvas;
  canvas.SetHandle(dib.DC());
  TcxCanvas cx(&canvas);
  bare->Painter()->DrawBackground(&cx, TRect{0, 0, 30, 20});
  canvas.SetHandle(nullptr);
  EXPECT_TRUE(ribbon_testing::NearPixel(dib.Pixel(15, 10), clBtnFace, 0));
  ribbon = nullptr;
}

TEST_F(RibbonSkinOwner, TheRibbonOwnsOneFaderAndSwitchesHotElementsAtOnce) {
  ASSERT_NE(ribbon->Fader(), nullptr);
  EXPECT_FALSE(ribbon->FadingEnabled());
  TdxRibbonTab* tab = ribbon->Tabs()->Add();
  ribbon->SetHotObject(tab);
  EXPECT_EQ(ribbon->HotObject(), tab);
  EXPECT_EQ(ribbon->Fader()->List()->Count(), 0) << "no fade starts";
  tab->Free();
  EXPECT_EQ(ribbon->HotObject(), nullptr) << "a freed tab is no longer hot";
}

}  // namespace
