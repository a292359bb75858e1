// The skin-info cache over the embedded skins and over small skins: every element the views read is
// found (mark 1), missing ones become placeholders (mark 2) without refreshing the cache from inside
// its own lookups, and changes of the skin refresh it.

#include "SkinTestSupport.h"
#include "platform/framework/base/Utf8.h"

using namespace skin_testing;

namespace {

// Counts the refreshes that reach the cache.
class TCountingSkinInfo : public TdxSkinInfo {
 public:
  TCountingSkinInfo() : TdxSkinInfo(nullptr) {}
  void RefreshInfo() override {
    ++Refreshes;
    TdxSkinInfo::RefreshInfo();
  }
  int Refreshes = 0;
};

TdxSkin* LoadEmbedded(const wchar_t* name) {
  auto skin = new TEmbeddedSkin(name);
  skin->LoadFromResource(GetModuleHandleW(nullptr));
  return skin;
}

struct Listed {
  const wchar_t* group;
  std::vector<const wchar_t*> elements;
};

// What the skin-based views read, group by group.
const Listed kListed[] = {
    {L"NavBar",
     {L"Background", L"GroupHeader", L"GroupClient", L"GroupOpenButton", L"GroupCloseButton", L"Item",
      L"DragDropItemTarget", L"Separator"}},
    {L"NavPane",
     {L"Caption", L"CollapseButton", L"ExpandButton", L"GroupButton", L"GroupButtonSelected", L"Item", L"ItemSelected",
      L"CollapsedGroupClient", L"OverflowPanel", L"OverflowPanelExpandItem", L"OverflowPanelItem", L"ScrollUpButton",
      L"ScrollDownButton", L"Splitter", L"PopupSizeGrip", L"PopupBorder", L"GroupClient"}},
    {L"Bars", {L"PopupMenu", L"PopupMenuLinkSelected", L"PopupMenuSeparator", L"PopupMenuSideStrip"}},
    {L"Common", {L"ScrollButton", L"ScrollThumbVert", L"ScrollThumbHorz", L"ScrollContentVert", L"ScrollContentHorz"}},
};

}  // namespace

TEST_F(SkinFixture, EmbeddedSkinsReadToTheirLastByteAndHoldWhatTheViewsRead) {
  for (const wchar_t* name : {L"OFFICE12_BLUE", L"OFFICE12_BLACK", L"OFFICE12_SILVER", L"VISTA"}) {
    SCOPED_TRACE(Utf8Encode(name));
    const bool vista = String(name) == L"VISTA";
    const String type = SkinName(sdxSkinNavBarResourceType);
    TResourceStream stream(GetModuleHandleW(nullptr), name, type.c_str());
    TEmbeddedSkin* skin = new TEmbeddedSkin(name);
    skin->LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_DOUBLE_EQ(skin->Version, 1.01);
    EXPECT_EQ(skin->ColorCount(), 11);
    TdxSkinInfo info(skin);
    for (const Listed& listed : kListed) {
      TdxSkinControlGroup* group = skin->FindGroup(listed.group);
      ASSERT_NE(group, nullptr);
      const bool missingGroup = vista && String(listed.group) == L"Common";
      EXPECT_EQ(group->UsageMark, missingGroup ? kSkinMarkPlaceholder : kSkinMarkUsed) << Utf8Encode(listed.group);
      for (const wchar_t* elementName : listed.elements) {
        // The drop target and separator are the navigation bar's own lookups, not the base cache's.
        const bool ownLookup = String(elementName) == L"DragDropItemTarget" || String(elementName) == L"Separator";
        TdxSkinElement* element = group->FindElement(elementName);
        if (ownLookup) {
          EXPECT_EQ(element != nullptr, !vista) << Utf8Encode(elementName);
          continue;
        }
        ASSERT_NE(element, nullptr) << Utf8Encode(elementName);
        EXPECT_EQ(element->UsageMark, missingGroup ? kSkinMarkPlaceholder : kSkinMarkUsed) << Utf8Encode(elementName);
        if (missingGroup) {
          EXPECT_EQ(element->Image()->Texture()->Width(), 32);
        }
      }
    }
    EXPECT_EQ(info.NavPaneCaptionHeight->Value(), 27);
    EXPECT_EQ(info.NavPaneCaptionFontSize->Value(), 12);
    EXPECT_EQ(info.NavBarBackground->Borders()->Left()->Color(), info.NavBarBackground->Borders()->Top()->Color());
    ASSERT_NE(info.ScrollBarPart(0, 3), nullptr);
    EXPECT_EQ(info.ScrollBarPart(0, 3)->Element, info.Element(sgCommon, sdxSkinCommonScrollThumbVert));
    EXPECT_EQ(info.ScrollBarPart(1, 2)->ImageIndex, 3);
    EXPECT_EQ(info.ScrollBarPart(0, 0), nullptr);
    EXPECT_NE(info.Color(0, sdxSkinColorContentColor), nullptr);
    EXPECT_EQ(info.Color(0, sdxSkinColorDockControlHiddenBarTextColor), nullptr);
    EXPECT_NE(info.Color(sdxSkinGroupBars, sdxSkinBarsDisabledTextColor), nullptr);
  }
}

TEST_F(SkinFixture, PlaceholdersKeepTheirMarkAndTheCacheDoesNotRefreshItself) {
  TCountingSkinInfo info;
  ObjectPtr<TdxSkin> owned(LoadEmbedded(L"VISTA"));
  TdxSkin* skin = owned.release();
  int changes = 0;
  skin->OnChange = [&](TObject*) { ++changes; };
  info.SetSkin(skin);
  EXPECT_EQ(info.Refreshes, 0);
  TdxSkinControlGroup* ribbon = skin->FindGroup(L"Ribbon");
  ASSERT_NE(ribbon, nullptr);
  EXPECT_EQ(ribbon->UsageMark, kSkinMarkPlaceholder);
  for (int i = 0; i < ribbon->Count(); ++i) EXPECT_EQ(ribbon->Elements(i)->UsageMark, kSkinMarkPlaceholder);
  // A real change of the skin refreshes once; the placeholders found again stay placeholders.
  skin->FindGroup(L"NavBar")->FindElement(L"Item")->SetTextColor(0x123456);
  EXPECT_EQ(info.Refreshes, 1);
  EXPECT_EQ(skin->FindGroup(L"Common")->FindElement(L"ScrollButton")->UsageMark, kSkinMarkPlaceholder);
  EXPECT_EQ(ribbon->UsageMark, kSkinMarkPlaceholder);
  // The same skin again keeps the cache as it is.
  info.SetSkin(skin);
  EXPECT_EQ(info.Refreshes, 1);
  info.SetSkin(nullptr);
  EXPECT_EQ(info.NavBarBackground, nullptr);
  EXPECT_EQ(info.ScrollBarPart(0, 1), nullptr);
  skin->Free();
}

TEST_F(SkinFixture, AbsentNoPlaceholderElementsStayNilUntilTheSkinGetsThem) {
  TdxSkinInfo info(LoadEmbedded(L"OFFICE12_BLUE"));
  TdxSkinControlGroup* bars = info.Group(sgBars);
  EXPECT_EQ(info.Element(sgBars, sdxSkinBarsMainMenuCustomize), nullptr);
  EXPECT_EQ(bars->FindElement(L"MainMenuCustomize"), nullptr);
  EXPECT_NE(info.Element(sgBars, sdxSkinBarsMainMenu), nullptr);
  EXPECT_GE(info.FormFontDelta, 1);
  // A change notification runs the lookups again.
  bars->AddElement(L"MainMenuCustomize");
  EXPECT_NE(info.Element(sgBars, sdxSkinBarsMainMenuCustomize), nullptr);
}

TEST_F(SkinFixture, APropertyOfTheWrongClassUnderAnExpectedNameIsRefused) {
  ObjectPtr<TdxSkin> skin(new TdxSkin(L"Wrong"));
  TdxSkinElement* caption = skin->AddGroup(L"NavPane")->AddElement(L"Caption");
  caption->AddProperty(L"Height", FindSkinPropertyClass(L"TdxSkinColor"));
  TdxSkin* raw = skin.release();
  try {
    TdxSkinInfo info(raw);
    ADD_FAILURE() << "accepted";
  } catch (const EInvalidCast&) {
  }
  raw->Free();
}
