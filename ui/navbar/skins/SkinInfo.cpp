#include "ui/navbar/skins/SkinInfo.h"

#include <algorithm>
#include <initializer_list>

#include "platform/framework/graphics/Bitmap.h"

DEFINE_CLASS(TdxSkinInfo)

namespace {

using Names = std::initializer_list<TdxSkinNameId>;

constexpr TdxSkinNameId kGroupNames[kSkinGroupCount] = {
    sdxSkinGroupBars,        sdxSkinGroupCommon,  sdxSkinGroupDocking,     sdxSkinGroupEditors,
    sdxSkinGroupRibbon,      sdxSkinGroupForm,    sdxSkinGroupGrid,        sdxSkinGroupPageControl,
    sdxSkinGroupScheduler,   sdxSkinGroupVerticalGrid, sdxSkinGroupNavBar, sdxSkinGroupNavPane};

// The two form-frame rows: small form, normal form (left, caption, right, bottom).
constexpr TdxSkinNameId kFormFrames[2][4] = {
    {sdxSkinFormFormFrameLeft, sdxSkinFormSmallFormCaption, sdxSkinFormFormFrameRight, sdxSkinFormFormFrameBottom},
    {sdxSkinFormFormFrameLeft, sdxSkinFormFormCaption, sdxSkinFormFormFrameRight, sdxSkinFormFormFrameBottom}};

// A placeholder's picture: two red diagonals, pen width 2, drawn once on a 32 x 32 bitmap; every
// placeholder gets its own image made from those pixels.
const TdxRGBColors& RedCrossPixels() {
  static const TdxRGBColors pixels = [] {
    ObjectPtr<TBitmap> bitmap(new TBitmap(32, 32, pf32bit));
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 32, 32));
    canvas->Pen()->SetColor(TColor(RGB(255, 0, 0)));
    canvas->Pen()->SetWidth(2);
    canvas->MoveTo(0, 0);
    canvas->LineTo(32, 32);
    canvas->MoveTo(0, 32);
    canvas->LineTo(32, 0);
    GdiFlush();
    TdxRGBColors bits(32 * 32);
    for (int y = 0; y < 32; ++y) {
      const auto* row = static_cast<const RGBQUAD*>(bitmap->ScanLine(y));
      for (int x = 0; x < 32; ++x) {
        bits[size_t(y * 32 + x)] = row[x];
        bits[size_t(y * 32 + x)].rgbReserved = 255;
      }
    }
    return bits;
  }();
  return pixels;
}

}  // namespace

TdxSkinInfo::TdxSkinInfo(TdxSkin* Skin) { SetSkin(Skin); }

TdxSkinInfo::~TdxSkinInfo() {
  TdxSkin* skin = skin_;
  SetSkin(nullptr);
  if (skin) skin->Free();
}

void TdxSkinInfo::SkinChanged(TdxSkin*) {
  if (lookingUp_ == 0) RefreshInfo();
}

void TdxSkinInfo::SetSkin(TdxSkin* Skin) {
  if (Skin == skin_) return;
  if (skin_) {
    FinalizeInfo();
    skin_->RemoveListener(this);
  }
  skin_ = Skin;
  if (skin_) skin_->RegisterListener(this);
  InitializeInfo();
}

void TdxSkinInfo::FinalizeInfo() {
  for (auto& row : scrollInfo_)
    for (auto& record : row) record.reset();
}

void TdxSkinInfo::RefreshInfo() {
  FinalizeInfo();
  InitializeInfo();
}

// ---- lookups -----------------------------------------------------------------------------------

TdxSkinControlGroup* TdxSkinInfo::LookupGroup(TdxSkinNameId Name) {
  if (!skin_) return nullptr;
  const String name = SkinName(Name);
  TdxSkinControlGroup* group = skin_->FindGroup(name);
  if (group) {
    if (group->UsageMark != kSkinMarkPlaceholder) group->UsageMark = kSkinMarkUsed;
  } else {
    group = skin_->AddGroup(name);
    group->UsageMark = kSkinMarkPlaceholder;
  }
  return group;
}

TdxSkinElement* TdxSkinInfo::LookupElement(TdxSkinControlGroup* Group, TdxSkinNameId Name, bool CreateIfMissing) {
  if (!Group) return nullptr;
  const String name = SkinName(Name);
  TdxSkinElement* element = Group->FindElement(name);
  if (element) {
    // A placeholder found again stays a placeholder.
    if (element->UsageMark != kSkinMarkPlaceholder) element->UsageMark = kSkinMarkUsed;
    return element;
  }
  return CreateIfMissing ? AddPlaceholderElement(Group, name) : nullptr;
}

TdxSkinElement* TdxSkinInfo::AddPlaceholderElement(TdxSkinControlGroup* Group, const String& Name) {
  ++lookingUp_;
  TdxSkinElement* element = Group->AddElement(Name);
  element->UsageMark = kSkinMarkPlaceholder;
  element->Image()->SetStates({esNormal});
  element->Image()->SetStretch(smStretch);
  TdxPNGImage* texture = element->Image()->Texture();
  texture->AssignImage(GPImageClass()->CreateFromBits(32, 32, RedCrossPixels(), false));
  texture->OnChange(texture);
  --lookingUp_;
  return element;
}

namespace {

TdxSkinProperty* FindNamed(TdxSkinPersistent* container, const String& name) {
  if (auto skin = dynamic_cast<TdxSkin*>(container)) return skin->FindColor(name);
  return container->FindProperty(name);
}

}  // namespace

TdxSkinColor* TdxSkinInfo::LookupColor(TdxSkinPersistent* Container, TdxSkinNameId Name) {
  if (!Container) return nullptr;
  auto color = As<TdxSkinColor>(FindNamed(Container, SkinName(Name)));
  if (color) color->UsageMark = kSkinMarkUsed;
  return color;
}

TdxSkinIntegerProperty* TdxSkinInfo::LookupIntegerProperty(TdxSkinPersistent* Container, TdxSkinNameId Name) {
  if (!Container) return nullptr;
  auto property = As<TdxSkinIntegerProperty>(Container->FindProperty(SkinName(Name)));
  if (property) property->UsageMark = kSkinMarkUsed;
  return property;
}

TdxSkinBooleanProperty* TdxSkinInfo::LookupBooleanProperty(TdxSkinPersistent* Container, TdxSkinNameId Name) {
  if (!Container) return nullptr;
  auto property = As<TdxSkinBooleanProperty>(Container->FindProperty(SkinName(Name)));
  if (property) property->UsageMark = kSkinMarkUsed;
  return property;
}

TColor TdxSkinInfo::ColorValue(TdxSkinPersistent* Container, TdxSkinNameId Name) {
  TdxSkinColor* color = LookupColor(Container, Name);
  return color ? color->Value() : clDefault;
}

int TdxSkinInfo::IntegerValue(TdxSkinPersistent* Container, TdxSkinNameId Name, int Default) {
  TdxSkinIntegerProperty* property = LookupIntegerProperty(Container, Name);
  return property ? property->Value() : Default;
}

// ---- the entries -------------------------------------------------------------------------------

void TdxSkinInfo::KeepElement(TdxSkinGroupKind Group, TdxSkinNameId Name, TdxSkinElement* Element) {
  elements_[{int(Group), int(Name)}] = Element;
}

void TdxSkinInfo::KeepColor(int Owner, TdxSkinNameId Name, TdxSkinColor* Color) { colors_[{Owner, int(Name)}] = Color; }

void TdxSkinInfo::KeepColorValue(int Owner, TdxSkinNameId Name, TColor Value) {
  colorValues_[{Owner, int(Name)}] = Value;
}

void TdxSkinInfo::KeepInteger(TdxSkinNameId Name, int Value) { integers_[int(Name)] = Value; }

TdxSkinElement* TdxSkinInfo::Take(TdxSkinGroupKind Group, TdxSkinNameId Name, bool CreateIfMissing) {
  TdxSkinElement* element = LookupElement(groups_[Group], Name, CreateIfMissing);
  KeepElement(Group, Name, element);
  return element;
}

TdxSkinElement* TdxSkinInfo::Element(TdxSkinGroupKind Group, TdxSkinNameId Name) const {
  auto it = elements_.find({int(Group), int(Name)});
  return it == elements_.end() ? nullptr : it->second;
}

TdxSkinColor* TdxSkinInfo::Color(int Owner, TdxSkinNameId Name) const {
  auto it = colors_.find({Owner, int(Name)});
  return it == colors_.end() ? nullptr : it->second;
}

TColor TdxSkinInfo::ColorValueOf(int Owner, TdxSkinNameId Name) const {
  auto it = colorValues_.find({Owner, int(Name)});
  if (it != colorValues_.end()) return it->second;
  TdxSkinColor* color = Color(Owner, Name);
  return color ? color->Value() : clDefault;
}

int TdxSkinInfo::Integer(TdxSkinNameId Name) const {
  auto it = integers_.find(int(Name));
  return it == integers_.end() ? 0 : it->second;
}

const TdxSkinScrollInfo* TdxSkinInfo::ScrollBarPart(int Kind, int Part) const {
  if (Kind < 0 || Kind > 1 || Part < 0 || Part > 5) return nullptr;
  return scrollInfo_[Kind][Part].get();
}

void TdxSkinInfo::ResetEntries() {
  std::fill(std::begin(groups_), std::end(groups_), nullptr);
  elements_.clear();
  colors_.clear();
  colorValues_.clear();
  integers_.clear();
  NavBarBackground = NavBarGroupClient = NavBarItem = NavBarGroupHeader = NavBarGroupCloseButton =
      NavBarGroupOpenButton = nullptr;
  NavPaneCollapseButton = NavPaneCollapsedGroupClient = NavPaneExpandButton = NavPanePopupBorder =
      NavPanePopupSizeGrip = NavPaneGroupButton = NavPaneGroupButtonSelected = NavPaneCaption = NavPaneSplitter =
          NavPaneScrollUpButton = NavPaneScrollDownButton = NavPaneOverflowPanel = NavPaneOverflowPanelItem =
              NavPaneOverflowPanelExpandItem = NavPaneGroupClient = NavPaneItem = NavPaneItemSelected = nullptr;
  NavPaneCaptionHeight = NavPaneCaptionFontSize = nullptr;
  for (auto& row : FormFrames) std::fill(std::begin(row), std::end(row), nullptr);
  FormFrameWidths[0] = FormFrameWidths[1] = TRect();
  FormFontDelta = 1;
}

// ---- initialisation ----------------------------------------------------------------------------

void TdxSkinInfo::InitializeForm() {
  TdxSkinControlGroup* form = groups_[sgForm];
  KeepColor(sdxSkinGroupForm, sdxSkinFormTextColorInactive, LookupColor(form, sdxSkinFormTextColorInactive));
  KeepColor(sdxSkinGroupForm, sdxSkinFormTextShadowColor, LookupColor(form, sdxSkinFormTextShadowColor));
  Take(sgBars, sdxSkinBarsStatusBar);
  const Names buttons = {sdxSkinFormSmallFormButtonClose, sdxSkinFormFormButtonClose, sdxSkinFormFormButtonMinimize,
                         sdxSkinFormFormButtonMaximize,   sdxSkinFormFormButtonRestore, sdxSkinFormFormButtonHelp};
  std::vector<TdxSkinElement*> buttonElements;
  for (TdxSkinNameId name : buttons) buttonElements.push_back(Take(sgForm, name));
  Take(sgForm, sdxSkinFormFormContent);
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 4; ++i) FormFrames[row][i] = LookupElement(form, kFormFrames[row][i]);
  if (skin_) {
    skin_->BeginUpdate();
    for (TdxSkinElement* button : buttonElements) {
      if (!button) continue;
      TdxSkinElementStates states = button->Image()->States();
      states.Include(esActiveDisabled).Exclude(esActive);
      button->Image()->SetStates(states);
      button->Image()->SetStretch(smStretch);
    }
    for (int row = 0; row < 2; ++row) {
      for (int i = 0; i < 4; ++i) {
        TdxSkinElement* frame = FormFrames[row][i];
        if (!frame) continue;
        TdxSkinElementStates states = frame->Image()->States();
        states.Include(esActive).Include(esActiveDisabled).Exclude(esNormal);
        frame->Image()->SetStates(states);
      }
      auto margins = [](TdxSkinElement* e, int side, int value) {
        if (!e) return;
        TRect m = e->Image()->Margins();
        (side == 0 ? m.left : side == 1 ? m.top : side == 2 ? m.right : m.bottom) = value;
        e->Image()->SetMargins(m);
      };
      margins(FormFrames[row][0], 0, 1);
      margins(FormFrames[row][0], 2, 0);
      margins(FormFrames[row][2], 2, 1);
      margins(FormFrames[row][2], 0, 0);
      margins(FormFrames[row][3], 1, 0);
      margins(FormFrames[row][3], 3, 1);
      TRect& widths = FormFrameWidths[row];
      widths.left = FormFrames[row][0] ? FormFrames[row][0]->Image()->FrameSize().cx : 0;
      widths.right = FormFrames[row][2] ? FormFrames[row][2]->Image()->FrameSize().cx : 0;
      widths.bottom = FormFrames[row][3] ? FormFrames[row][3]->Image()->FrameSize().cy : 0;
    }
    skin_->EndUpdate();
  }
  FormFontDelta = std::max(1, IntegerValue(FormFrames[1][1], sdxSkinFormFontDelta, 0));
}

void TdxSkinInfo::InitializeScrollInfo() {
  TdxSkinElement* button = Take(sgCommon, sdxSkinCommonScrollButton);
  TdxSkinElement* formContent = Element(sgForm, sdxSkinFormFormContent);
  if (button && formContent) button->SetColor(formContent->Color());
  TdxSkinElement* thumbVert = Take(sgCommon, sdxSkinCommonScrollThumbVert);
  TdxSkinElement* thumbHorz = Take(sgCommon, sdxSkinCommonScrollThumbHorz);
  TdxSkinElement* contentVert = Take(sgCommon, sdxSkinCommonScrollContentVert);
  TdxSkinElement* contentHorz = Take(sgCommon, sdxSkinCommonScrollContentHorz);
  if (!skin_) return;
  auto make = [](TdxSkinElement* element, int imageIndex) {
    auto record = std::make_unique<TdxSkinScrollInfo>();
    record->Element = element;
    record->ImageIndex = imageIndex;
    return record;
  };
  scrollInfo_[0][1] = make(button, 0);
  scrollInfo_[0][2] = make(button, 1);
  scrollInfo_[0][3] = make(thumbVert, 0);
  scrollInfo_[0][4] = make(contentVert, 0);
  scrollInfo_[0][5] = make(contentVert, 0);
  scrollInfo_[1][1] = make(button, 2);
  scrollInfo_[1][2] = make(button, 3);
  scrollInfo_[1][3] = make(thumbHorz, 0);
  scrollInfo_[1][4] = make(contentHorz, 0);
  scrollInfo_[1][5] = make(contentHorz, 0);
}

void TdxSkinInfo::InitializeInfo() {
  // Whatever a previous pass built goes first.
  FinalizeInfo();
  ResetEntries();
  ++lookingUp_;
  struct Done {
    int& count;
    ~Done() { --count; }
  } done{lookingUp_};

  auto takeAll = [this](TdxSkinGroupKind group, Names names) {
    for (TdxSkinNameId name : names) Take(group, name);
  };
  auto integer = [this](TdxSkinPersistent* container, TdxSkinNameId name) {
    KeepInteger(name, IntegerValue(container, name, 0));
  };

  // 1. Groups.
  for (int i = 0; i < kSkinGroupCount; ++i) groups_[i] = LookupGroup(kGroupNames[i]);
  // 2. Bars.
  for (TdxSkinNameId name :
       {sdxSkinBarsBar, sdxSkinBarsBarCustomize, sdxSkinBarsBarCustomizeVertical, sdxSkinBarsBarDragGrip,
        sdxSkinBarsBarDragGripVertical, sdxSkinBarsBarSeparator, sdxSkinBarsBarVertical, sdxSkinBarsBarSeparatorVertical,
        sdxSkinBarsDock, sdxSkinBarsFloatBar, sdxSkinBarsLinkStatic, sdxSkinBarsLinkSelected, sdxSkinBarsMainMenu,
        sdxSkinBarsMainMenuCustomize, sdxSkinBarsMainMenuDrag, sdxSkinBarsMainMenuLinkSelected,
        sdxSkinBarsMainMenuVertical, sdxSkinBarsPopupMenu, sdxSkinBarsPopupMenuCheck, sdxSkinBarsPopupMenuExpandButton,
        sdxSkinBarsPopupMenuLinkSelected, sdxSkinBarsPopupMenuSeparator, sdxSkinBarsPopupMenuSideStrip,
        sdxSkinBarsPopupMenuSideStripNonRecent, sdxSkinBarsPopupMenuDropDownButtonLabel,
        sdxSkinBarsPopupMenuDropDownButtonArrow})
    Take(sgBars, name, name != sdxSkinBarsMainMenuCustomize && name != sdxSkinBarsMainMenuDrag);
  // 3. Form.
  InitializeForm();
  // 4. Docking.
  takeAll(sgDocking, {sdxSkinDockingTabHeaderBackground, sdxSkinDockingTabHeaderLine, sdxSkinDockingTabHeaderAutoHideBar,
                      sdxSkinDockingDockWindowButton, sdxSkinDockingDockWindowButtonGlyphs, sdxSkinDockingTabHeader,
                      sdxSkinDockingAutoHideBar, sdxSkinDockingAutoHideBarLeft, sdxSkinDockingAutoHideBarRight,
                      sdxSkinDockingAutoHideBarBottom, sdxSkinDockingDockWindowCaption,
                      sdxSkinDockingDockWindowBorder});
  KeepColorValue(sdxSkinDockingDockWindowCaption, sdxSkinDockingInactiveCaptionTextColor,
                 ColorValue(Element(sgDocking, sdxSkinDockingDockWindowCaption), sdxSkinDockingInactiveCaptionTextColor));
  for (TdxSkinNameId name : {sdxSkinDockingActiveTabHeaderDownGrow, sdxSkinDockingActiveTabHeaderHGrow,
                             sdxSkinDockingActiveTabHeaderUpGrow})
    integer(groups_[sgDocking], name);
  // 5. Button, plus/minus, the button's disabled text colour.
  TdxSkinElement* button = Take(sgCommon, sdxSkinCommonButton);
  Take(sgGrid, sdxSkinGridPlusMinus);
  if (button) KeepColor(sdxSkinCommonButton, sdxSkinCommonDisabledText, LookupColor(button, sdxSkinCommonDisabledText));
  // 6-8.
  takeAll(sgGrid, {sdxSkinGridFooterCell, sdxSkinGridFooterPanel});
  takeAll(sgEditors, {sdxSkinEditorsCheckbox, sdxSkinEditorsClockFace, sdxSkinEditorsClockGlass});
  takeAll(sgEditors, {sdxSkinEditorGlyph2, sdxSkinEditorGlyph0, sdxSkinEditorGlyph0, sdxSkinEditorGlyph1,
                      sdxSkinEditorGlyph2, sdxSkinEditorGlyph3, sdxSkinEditorGlyph4, sdxSkinEditorGlyph5,
                      sdxSkinEditorGlyph6, sdxSkinEditorGlyph7});
  // 9. Group panels.
  takeAll(sgCommon, {sdxSkinCommonGroupPanelNoBorder, sdxSkinCommonGroupPanelTop, sdxSkinCommonGroupPanelBottom,
                     sdxSkinCommonGroupPanelLeft, sdxSkinCommonGroupPanelRight, sdxSkinCommonGroupPanel,
                     sdxSkinCommonGroupPanelCaptionTop, sdxSkinCommonGroupPanelCaptionBottom,
                     sdxSkinCommonGroupPanelCaptionLeft, sdxSkinCommonGroupPanelCaptionRight});
  // 10. Grid lines and group panel (with an image, its colour goes).
  Take(sgGrid, sdxSkinGridGridFixedLine);
  Take(sgGrid, sdxSkinGridCardSeparator);
  if (TdxSkinElement* panel = Take(sgGrid, sdxSkinGridGridGroupPanel); panel && !panel->Image()->Empty())
    panel->SetColor(clNone);
  takeAll(sgGrid, {sdxSkinGridGroupRow, sdxSkinGridGridLine});
  takeAll(sgVerticalGrid, {sdxSkinVerticalGridCategory, sdxSkinVerticalGridGridLine, sdxSkinVerticalGridBandBorder});
  // 11.
  Take(sgGrid, sdxSkinGridIndicatorImages);
  // 12. The navigation bar and pane.
  NavBarBackground = Take(sgNavBar, sdxSkinNavBarBackground);
  NavBarGroupClient = Take(sgNavBar, sdxSkinNavBarGroupClient);
  NavBarItem = Take(sgNavBar, sdxSkinNavBarItem);
  NavBarGroupHeader = Take(sgNavBar, sdxSkinNavBarGroupHeader);
  NavBarGroupCloseButton = Take(sgNavBar, sdxSkinNavBarGroupCloseButton);
  NavBarGroupOpenButton = Take(sgNavBar, sdxSkinNavBarGroupOpenButton);
  NavPaneCollapseButton = Take(sgNavPane, sdxSkinNavPaneCollapseButton);
  NavPaneCollapsedGroupClient = Take(sgNavPane, sdxSkinNavPaneCollapsedGroupClient);
  NavPaneExpandButton = Take(sgNavPane, sdxSkinNavPaneExpandButton);
  NavPanePopupBorder = Take(sgNavPane, sdxSkinNavPanePopupBorder);
  NavPanePopupSizeGrip = Take(sgNavPane, sdxSkinNavPanePopupSizeGrip);
  NavPaneGroupButton = Take(sgNavPane, sdxSkinNavPaneGroupButton);
  NavPaneGroupButtonSelected = Take(sgNavPane, sdxSkinNavPaneGroupButtonSelected);
  NavPaneCaption = Take(sgNavPane, sdxSkinNavPaneCaption);
  NavPaneSplitter = Take(sgNavPane, sdxSkinNavPaneSplitter);
  NavPaneScrollUpButton = Take(sgNavPane, sdxSkinNavPaneScrollUpButton);
  NavPaneScrollDownButton = Take(sgNavPane, sdxSkinNavPaneScrollDownButton);
  NavPaneOverflowPanel = Take(sgNavPane, sdxSkinNavPaneOverflowPanel);
  NavPaneOverflowPanelItem = Take(sgNavPane, sdxSkinNavPaneOverflowPanelItem);
  NavPaneOverflowPanelExpandItem = Take(sgNavPane, sdxSkinNavPaneOverflowPanelExpandItem);
  NavPaneGroupClient = Take(sgNavPane, sdxSkinNavPaneGroupClient);
  NavPaneItem = Take(sgNavPane, sdxSkinNavPaneItem);
  NavPaneItemSelected = Take(sgNavPane, sdxSkinNavPaneItemSelected);
  NavPaneCaptionHeight = LookupIntegerProperty(NavPaneCaption, sdxSkinNavPaneHeight);
  NavPaneCaptionFontSize = LookupIntegerProperty(NavPaneCaption, sdxSkinNavPaneFontSize);
  // 13. Navigator.
  takeAll(sgEditors, {sdxSkinEditorsNavigator, sdxSkinEditorsNavigatorVert});
  // 14. Scheduler.
  takeAll(sgScheduler,
          {sdxSkinSchedulerTimeGridHeader, sdxSkinSchedulerTimeGridHeaderSelected, sdxSkinSchedulerDefaultTimeLine,
           sdxSkinSchedulerRuler, sdxSkinSchedulerMoreButton, sdxSkinSchedulerAppointmentRightBorder,
           sdxSkinSchedulerAppointment, sdxSkinSchedulerAllDayArea, sdxSkinSchedulerAllDayAreaSelected,
           sdxSkinSchedulerCurrentTimeIndicator, sdxSkinSchedulerAppointmentBottomShadow,
           sdxSkinSchedulerAppointmentRightShadow, sdxSkinSchedulerAppointmentMask, sdxSkinSchedulerNavButtonPrev,
           sdxSkinSchedulerNavButtonNext, sdxSkinSchedulerNavButtonPrevArrow, sdxSkinSchedulerNavButtonNextArrow});
  Take(sgScheduler, sdxSkinSchedulerTimeGridCurrentTimeIndicator, false);
  TdxSkinElement* appointment = Element(sgScheduler, sdxSkinSchedulerAppointment);
  integer(appointment, sdxSkinSchedulerBorderSize);
  KeepColor(sdxSkinSchedulerAppointment, sdxSkinSchedulerSeparatorColor,
            LookupColor(appointment, sdxSkinSchedulerSeparatorColor));
  // 15-16.
  takeAll(sgCommon, {sdxSkinCommonHeader, sdxSkinCommonHeaderSpecial});
  takeAll(sgGrid, {sdxSkinGridFilterButton, sdxSkinGridFilterButtonActive, sdxSkinGridGridFilterPanel});
  // 17. Page control.
  Take(sgPageControl, sdxSkinPageControlTabHeader);
  TdxSkinElement* formContent = Element(sgForm, sdxSkinFormFormContent);
  for (TdxSkinNameId name : {sdxSkinPageControlTabButtonHorz, sdxSkinPageControlTabButtonVert}) {
    TdxSkinElement* tab = Take(sgPageControl, name);
    if (tab && formContent) tab->SetColor(formContent->Color());
  }
  Take(sgPageControl, sdxSkinPageControlTabPane);
  for (TdxSkinNameId name : {sdxSkinPageControlRowIndentFar, sdxSkinPageControlRowIndentNear,
                             sdxSkinPageControlSelectedHeaderDownGrow, sdxSkinPageControlSelectedHeaderHGrow,
                             sdxSkinPageControlSelectedHeaderUpGrow, sdxSkinPageControlHeaderDownGrow})
    integer(groups_[sgPageControl], name);
  // 18-19.
  takeAll(sgEditors, {sdxSkinEditorsProgressBorder, sdxSkinEditorsProgressBorderVert, sdxSkinEditorsProgressChunk,
                      sdxSkinEditorsProgressChunkVert, sdxSkinEditorsRadioButton});
  // 20. Scroll bars.
  InitializeScrollInfo();
  // 21. Ribbon.
  takeAll(sgRibbon,
          {sdxSkinRibbonFormAppButton, sdxSkinRibbonAppMenuBackground, sdxSkinRibbonAppMenuBackgroundBottom,
           sdxSkinRibbonTabGroupCollapsed, sdxSkinRibbonTabGroupCollapsedBox, sdxSkinRibbonFormCaption,
           sdxSkinRibbonFormFrameBottom, sdxSkinRibbonDialogFrameBottom, sdxSkinRibbonFormFrameLeft,
           sdxSkinRibbonDialogFrameLeft, sdxSkinRibbonFormFrameRight, sdxSkinRibbonDialogFrameRight, sdxSkinRibbonTab,
           sdxSkinRibbonTabPanel, sdxSkinRibbonTabGroupButton, sdxSkinRibbonTabGroup, sdxSkinRibbonTabGroupCaption,
           sdxSkinRibbonDropDownGalleryBackground, sdxSkinRibbonInRibbonGalleryButtonDown,
           sdxSkinRibbonInRibbonGalleryButtonDropDown, sdxSkinRibbonInRibbonGalleryButtonUp,
           sdxSkinRibbonDropDownGalleryGroupHeader, sdxSkinRibbonInRibbonGalleryPane,
           sdxSkinRibbonDropDownGallerySizePanel, sdxSkinRibbonDropDownGallerySizeGrip, sdxSkinRibbonTabBackground,
           sdxSkinRibbonButton, sdxSkinRibbonSplitButtonLeft, sdxSkinRibbonSplitButtonRight, sdxSkinRibbonLargeButton,
           sdxSkinRibbonLargeSplitButtonTop, sdxSkinRibbonLargeSplitButtonBottom, sdxSkinRibbonButtonArrow,
           sdxSkinRibbonButtonGroup, sdxSkinRibbonStatusBarBackground, sdxSkinRibbonStatusBarButton,
           sdxSkinRibbonStatusBarSeparator, sdxSkinRibbonQATInRibbonBackground, sdxSkinRibbonQATAboveBackground,
           sdxSkinRibbonQATBelowBackground, sdxSkinRibbonQATButtonGlyph, sdxSkinRibbonQATOverflow,
           sdxSkinRibbonQATCustomizeButton, sdxSkinRibbonButtonGroupButton, sdxSkinRibbonButtonGroupSeparator});
  for (TdxSkinNameId name : {sdxSkinRibbonQATAboveBackground, sdxSkinRibbonQATInRibbonBackground}) {
    TdxSkinElement* qat = Element(sgRibbon, name);
    LookupBooleanProperty(qat, sdxSkinRibbonDisplayCustomizeButtonOutsideQAT);
    LookupIntegerProperty(qat, sdxSkinRibbonIndentBeforeCustomizeButton);
  }
  TdxSkinElement* ribbonCaption = Element(sgRibbon, sdxSkinRibbonFormCaption);
  LookupIntegerProperty(ribbonCaption, sdxSkinRibbonFontDelta);
  integer(Element(sgRibbon, sdxSkinRibbonFormAppButton), sdxSkinRibbonRightIndent);
  integer(Element(sgRibbon, sdxSkinRibbonQATInRibbonBackground), sdxSkinRibbonOffset);
  integer(groups_[sgRibbon], sdxSkinRibbonTabHeaderDownGrow);
  KeepColor(sdxSkinGroupRibbon, sdxSkinRibbonAppMenuExtraPaneColor,
            LookupColor(groups_[sgRibbon], sdxSkinRibbonAppMenuExtraPaneColor));
  KeepColorValue(sdxSkinRibbonFormCaption, sdxSkinRibbonTextColorInactive,
                 ColorValue(ribbonCaption, sdxSkinRibbonTextColorInactive));
  KeepColorValue(sdxSkinRibbonFormCaption, sdxSkinRibbonDocumentNameTextColor,
                 ColorValue(ribbonCaption, sdxSkinRibbonDocumentNameTextColor));
  KeepColorValue(sdxSkinRibbonFormCaption, sdxSkinRibbonTextColor, ribbonCaption ? ribbonCaption->TextColor() : clDefault);
  TdxSkinElement* tab = Element(sgRibbon, sdxSkinRibbonTab);
  KeepColorValue(sdxSkinRibbonTab, sdxSkinRibbonTextColorSelected, ColorValue(tab, sdxSkinRibbonTextColorSelected));
  KeepColorValue(sdxSkinRibbonTab, sdxSkinRibbonTextColor, tab ? tab->TextColor() : clDefault);
  TdxSkinElement* statusButton = Element(sgRibbon, sdxSkinRibbonStatusBarButton);
  for (TdxSkinNameId name : {sdxSkinRibbonTextColor, sdxSkinRibbonTextColorHot, sdxSkinRibbonTextColorDisabled})
    KeepColorValue(sdxSkinRibbonStatusBarButton, name, ColorValue(statusButton, name));
  TdxSkinElement* ribbonButton = Element(sgRibbon, sdxSkinRibbonButton);
  KeepColorValue(sdxSkinRibbonButton, sdxSkinRibbonTextColor, ribbonButton ? ribbonButton->TextColor() : clDefault);
  KeepColorValue(sdxSkinGroupRibbon, sdxSkinRibbonButtonDisabled, ColorValue(groups_[sgRibbon], sdxSkinRibbonButtonDisabled));
  // 22-24.
  takeAll(sgCommon, {sdxSkinCommonSizeGrip, sdxSkinCommonSplitter, sdxSkinCommonSplitterHorz});
  takeAll(sgEditors, {sdxSkinEditorsTrackBarTrack, sdxSkinEditorsTrackBarTrackVert, sdxSkinEditorsTrackBarThumb,
                      sdxSkinEditorsTrackBarThumbUp, sdxSkinEditorsTrackBarThumbBoth, sdxSkinEditorsTrackBarThumbVert,
                      sdxSkinEditorsTrackBarThumbVertUp, sdxSkinEditorsTrackBarThumbVertBoth});
  TdxSkinElement* screenTip = Take(sgBars, sdxSkinBarsScreenTipWindow);
  KeepColor(sdxSkinBarsScreenTipWindow, sdxSkinBarsScreenTipItem, LookupColor(screenTip, sdxSkinBarsScreenTipItem));
  KeepColor(sdxSkinBarsScreenTipWindow, sdxSkinBarsScreenTipTitleItem,
            LookupColor(screenTip, sdxSkinBarsScreenTipTitleItem));
  Take(sgBars, sdxSkinBarsScreenTipSeparator);
  // 25. Colours.
  KeepColor(sdxSkinGroupBars, sdxSkinBarsDisabledTextColor, LookupColor(groups_[sgBars], sdxSkinBarsDisabledTextColor));
  for (TdxSkinNameId name : {sdxSkinDockingTabHeaderTextColor, sdxSkinDockingTabHeaderTextColorActive})
    KeepColor(sdxSkinGroupDocking, name, LookupColor(groups_[sgDocking], name));
  KeepColor(sdxSkinGroupScheduler, sdxSkinSchedulerNavigatorColor,
            LookupColor(groups_[sgScheduler], sdxSkinSchedulerNavigatorColor));
  TdxSkinElement* tabHeader = Element(sgPageControl, sdxSkinPageControlTabHeader);
  for (TdxSkinNameId name : {sdxSkinPageControlTextColor, sdxSkinPageControlTextColorSelected,
                             sdxSkinPageControlTextColorDisabled, sdxSkinPageControlTextColorHot})
    KeepColor(sdxSkinPageControlTabHeader, name, LookupColor(tabHeader, name));
  if (skin_) {
    for (TdxSkinNameId name : {sdxSkinColorContainerBorderColor, sdxSkinColorContainerHighlightBorderColor,
                               sdxSkinColorContentColor, sdxSkinColorContentEvenColor, sdxSkinColorContentOddColor,
                               sdxSkinColorContentTextColor, sdxSkinColorDockControlHiddenBarTextColor})
      KeepColor(0, name, LookupColor(skin_, name));
    for (TdxSkinNameId name : {sdxSkinEditorsBackgroundColor, sdxSkinEditorsBackgroundDisabledColor,
                               sdxSkinEditorsTextColor, sdxSkinEditorsTextDisabledColor})
      KeepColor(sdxSkinGroupEditors, name, LookupColor(groups_[sgEditors], name));
    for (TdxSkinNameId name : {sdxSkinColorHeaderBackgroundColor, sdxSkinColorHeaderBackgroundTextColor,
                               sdxSkinColorLayoutControlColor, sdxSkinColorSelectionColor,
                               sdxSkinColorSelectionTextColor})
      KeepColor(0, name, LookupColor(skin_, name));
  }
}
