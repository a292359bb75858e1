#include "ui/bars/customize/CustomizingForm.h"

#include <algorithm>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/windows/FormBuilding.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItems.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/bars/SubItems.h"
#include "ui/bars/customize/CustomizeLists.h"
#include "ui/bars/customize/FormPainters.h"
#include "ui/bars/customize/ItemEditors.h"
#include "ui/bars/customize/NameDialog.h"
#include "ui/bars/customize/SelectionController.h"
#include "ui/foundation/Messages.h"

DEFINE_CLASS(TdxBarCustomizingForm)

namespace {

TdxBarCustomizingForm* activeForm = nullptr;
// Set while the dialog itself ends customizing, so the manager does not free it a second time.
bool closingForm = false;

void DefaultBeep() { MessageBeep(0); }

int LParamX(LPARAM L) { return static_cast<short>(LOWORD(L)); }
int LParamY(LPARAM L) { return static_cast<short>(HIWORD(L)); }

// Every visible bar window with a handle of every manager but Manager recomputes its layout and
// repaints, frame included.
void RefreshOtherManagersBars(TdxBarManager* Manager) {
  TdxBarManagerList* managers = BarManagerList();
  for (int m = 0; managers && m < managers->Count(); ++m) {
    TdxBarManager* other = managers->ManagerAt(m);
    if (other == Manager || !other->Bars()) continue;
    for (int i = 0; i < other->Bars()->Count(); ++i) {
      TdxBarControl* window = other->Bars()->BarAt(i)->Control();
      if (!window || !window->HandleAllocated() || !IsWindowVisible(window->Handle())) continue;
      window->Relayout();
      InvalidateRect(window->Handle(), nullptr, TRUE);
      SendMessageW(window->Handle(), WM_NCPAINT, 1, 0);
    }
  }
}

// The form of a manager the dialog disables and re-enables: the nearest form at design time, else
// the MDI child or top form.
TCustomForm* ManagerForm(TdxBarManager* Manager) {
  return Manager->IsDesigning() ? Manager->NearestOwnerForm() : Manager->MDIChildOrTopForm();
}

int TextWidthWithoutAccelerators(TCanvas* Canvas, const String& Text) {
  return Canvas->TextWidth(StripHotkeyPrefix(Text));
}

bool HasPublishedShortCut(TdxBarItem* Item) { return GetPropInfo(Item->ClassType(), L"ShortCut") != nullptr; }

String ShortCutTextOf(TdxBarItem* Item) { return ShortCutToText(Item->ShortCut()); }

}  // namespace

void (*TdxBarCustomizingForm::Beep)() = DefaultBeep;
HWND (*TdxBarCustomizingForm::WindowAtPoint)(POINT) = [](POINT Point) { return WindowFromPoint(Point); };

TdxBarCustomizingForm* ActiveCustomizingForm() { return activeForm; }

// ==== construction ================================================================================

TdxBarCustomizingForm::TdxBarCustomizingForm(TdxBarManager* AManager)
    : TForm(nullptr, 0), manager_(AManager), designing_(AManager->IsDesigning()) {
  try {
    BuildForm();
    OnCreate = {this, &TdxBarCustomizingForm::FormCreate};
    OnDestroy = {this, &TdxBarCustomizingForm::FormDestroy};
    OnShow = {this, &TdxBarCustomizingForm::FormShow};
    OnHide = {this, &TdxBarCustomizingForm::FormHide};
    OnClose = {this, &TdxBarCustomizingForm::FormClose};
    Font()->SetName(manager_->Font()->Name());
    Font()->SetCharset(manager_->Font()->Charset());

    if (!designing_) {
      auto* controller = new TdxBarRunTimeSelectionController;
      controller->OnSelectionChanged = [this](TObject*, TObject*) { SynchronizeAll(); };
      manager_->SetDesigner(controller);
      if (manager_->Bars()->Count() > 0) manager_->SelectInDesigner(manager_->Bars()->BarAt(0), soExclusive);
    }
    selectedGroupMembers_ = std::make_unique<TList>();
    SetCaption(dxBarString(dxbsCustomizeCaption));
    SetUpTexts();
    HookLists(true);
    ChainEvents();
    RefreshAll();
    minHeight_ = Height();
    DoCreate();
  } catch (...) {
    RestoreEvents();
    HookLists(false);
    ReleaseInitialSelection();
    if (!designing_ && manager_->Designer()) manager_->SetDesigner(nullptr);
    throw;
  }
}

TdxBarCustomizingForm::~TdxBarCustomizingForm() {
  destroying_ = true;
  ReleaseInitialSelection();
  HookLists(false);
  RestoreEvents();
  if (!designing_) manager_->SetDesigner(nullptr);
}

void TdxBarCustomizingForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = 0x84CC0000;  // popup, caption, system menu, sizing border, clip siblings
  Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  Params.WindowClassStyle = CS_DBLCLKS | CS_SAVEBITS;
  auto* owner = dynamic_cast<TWinControl*>(manager_->OwnerComponent());
  Params.WndParent = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

void TdxBarCustomizingForm::BuildForm() {
  TLoadingBracket loading(*this);
  SetName(L"dxBarCustomizingForm");
  SetBorderStyle(bsSizeable);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientSize(366, 310);
  BuildActions();

  BottomPanel = PlaceControl(loading, new TPanel(this), this, L"BottomPanel");
  BottomPanel->SetAlign(alBottom);
  BottomPanel->SetHeight(36);
  BottomPanel->SetBevelOuter(bvNone);
  BClose = PlaceControl(loading, new TButton(this), BottomPanel, L"BClose", Bounds(285, 6, 75, 23));
  BClose->Cancel = true;
  BClose->SetDefault(true);
  BClose->ModalResult = mrOk;
  BClose->OnClick = [this](TObject*) { Close(); };
  BHelp = PlaceControl(loading, new TBitBtn(this), BottomPanel, L"BHelp", Bounds(6, 6, 24, 23));
  BHelp->OnClick = {this, &TdxBarCustomizingForm::BHelpClick};

  PageControl = PlaceControl(loading, new TPageControl(this), this, L"PageControl", Bounds(6, 8, 354, 266));
  PageControl->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  auto page = [&](const wchar_t* name) {
    auto* sheet = PlaceControl(loading, new TTabSheet(this), PageControl, name);
    sheet->SetPageControl(PageControl);
    // The page's designed size, so the anchors of its controls keep their margins once the page
    // control places it.
    sheet->SetBounds(4, 24, 346, 238);
    return sheet;
  };
  tsToolbars = page(L"tsToolbars");
  tsItems = page(L"tsItems");
  tsOptions = page(L"tsOptions");
  tsCommands = page(L"tsCommands");
  tsGroups = page(L"tsGroups");
  BuildToolbarsPage(loading);
  BuildCommandsPage(loading);
  BuildOptionsPage(loading);
  BuildAllCommandsPage(loading);
  BuildGroupsPage(loading);
  PageControl->SetActivePage(tsToolbars);
  loading.End();
}

void TdxBarCustomizingForm::BuildActions() {
  alCustomize = new TActionList(this);
  alCustomize->SetName(L"alCustomize");
  imgGroups = new TImageList(this);
  imgGroups->SetName(L"imgGroups");
  {
    // Add group, delete group, up, down, add item, delete item: one strip on magenta.
    TBitmap strip;
    strip.LoadFromResourceName(GetModuleHandleW(nullptr), L"DXBARCUSTOMIZEGROUPS");
    imgGroups->AddMasked(&strip, clFuchsia);
  }
  alCustomize->SetImages(imgGroups);
  auto action = [&](TAction*& Slot, const wchar_t* Name, const wchar_t* Category, int Tag, int Image,
                    void (TdxBarCustomizingForm::*Execute)(TObject*)) {
    Slot = new TAction(this);
    Slot->SetName(Name);
    Slot->SetCategory(Category);
    Slot->Tag = Tag;
    Slot->SetImageIndex(Image);
    Slot->SetActionList(alCustomize);
    Slot->OnExecute = {this, Execute};
  };
  using F = TdxBarCustomizingForm;
  action(aAddItem, L"aAddItem", L"Items", 0, 4, &F::aAddItemExecute);
  action(aDeleteItem, L"aDeleteItem", L"Items", 0, 5, &F::aDeleteItemExecute);
  action(aMoveUpItem, L"aMoveUpItem", L"Items", -1, 2, &F::aMoveItemExecute);
  action(aMoveDownItem, L"aMoveDownItem", L"Items", 1, 3, &F::aMoveItemExecute);
  action(aSubMenuEditor, L"aSubMenuEditor", L"Items", 0, -1, &F::aSubMenuEditorExecute);
  action(aClearItemList, L"aClearItemList", L"Items", 0, -1, &F::aClearItemListExecute);
  action(aAddGroup, L"aAddGroup", L"Groups", 0, 0, &F::aAddGroupExecute);
  action(aDeleteGroup, L"aDeleteGroup", L"Groups", 0, 1, &F::aDeleteGroupExecute);
  action(aMoveUpGroup, L"aMoveUpGroup", L"Groups", -1, 2, &F::aMoveGroupExecute);
  action(aMoveDownGroup, L"aMoveDownGroup", L"Groups", 1, 3, &F::aMoveGroupExecute);
  action(aNewToolBar, L"aNewToolBar", L"ToolBars", 0, -1, &F::aNewToolBarExecute);
  action(aRenameToolBar, L"aRenameToolBar", L"ToolBars", 0, -1, &F::aRenameToolBarExecute);
  action(aDeleteToolBar, L"aDeleteToolBar", L"ToolBars", 0, -1, &F::aDeleteToolBarExecute);
  action(aResetToolBar, L"aResetToolBar", L"ToolBars", 0, -1, &F::aResetToolBarExecute);
  action(aAddGroupItem, L"aAddGroupItem", L"GroupItems", 0, 4, &F::aAddGroupItemExecute);
  action(aDeleteGroupItem, L"aDeleteGroupItem", L"GroupItems", 0, 5, &F::aDeleteGroupItemExecute);
  action(aMoveUpGroupItem, L"aMoveUpGroupItem", L"GroupItems", -1, 2, &F::aMoveGroupItemExecute);
  action(aMoveDownGroupItem, L"aMoveDownGroupItem", L"GroupItems", 1, 3, &F::aMoveGroupItemExecute);
  aAddGroup->SetHint(dxBarString(dxbsAddGroupHint));
  aDeleteGroup->SetHint(dxBarString(dxbsDeleteGroupHint));
  aAddGroupItem->SetHint(dxBarString(dxbsAddGroupItemHint));
  aDeleteGroupItem->SetHint(dxBarString(dxbsDeleteGroupItemHint));
  aMoveUpGroupItem->SetHint(dxBarString(dxbsMoveUpGroupItemHint));
  aMoveDownGroupItem->SetHint(dxBarString(dxbsMoveDownGroupItemHint));
}

void TdxBarCustomizingForm::BuildToolbarsPage(TLoadingBracket& Loading) {
  LabelToobars = PlaceControl(Loading, new TLabel(this), tsToolbars, L"LabelToobars", Bounds(8, 4, 60, 13));
  lbBarsList = PlaceControl(Loading, new TListBox(this), tsToolbars, L"lbBarsList", Bounds(8, 20, 227, 213));
  lbBarsList->SetStyle(lbOwnerDrawFixed);
  lbBarsList->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  lbBarsList->OnDrawItem = {this, &TdxBarCustomizingForm::DrawBarEntry};
  lbBarsList->OnClick = {this, &TdxBarCustomizingForm::ListClick};
  auto button = [&](TButton*& Slot, const wchar_t* Name, int Top, TAction* Action) {
    Slot = PlaceControl(Loading, new TButton(this), tsToolbars, Name, Bounds(243, Top, 95, 23));
    Slot->SetAnchors(TAnchors{akTop, akRight});
    Slot->SetAction(Action);
  };
  button(BBarNew, L"BBarNew", 20, aNewToolBar);
  button(BBarRename, L"BBarRename", 48, aRenameToolBar);
  button(BBarDelete, L"BBarDelete", 76, aDeleteToolBar);
  button(BBarReset, L"BBarReset", 104, aResetToolBar);
}

void TdxBarCustomizingForm::BuildCommandsPage(TLoadingBracket& Loading) {
  LabelCategories = PlaceControl(Loading, new TLabel(this), tsItems, L"LabelCategories", Bounds(8, 4, 60, 13));
  LabelCommands = PlaceControl(Loading, new TLabel(this), tsItems, L"LabelCommands", Bounds(124, 4, 60, 13));
  lbCategories = PlaceControl(Loading, new TListBox(this), tsItems, L"lbCategories", Bounds(8, 20, 110, 160));
  lbCategories->SetAnchors(TAnchors{akLeft, akTop, akBottom});
  lbCategories->OnClick = {this, &TdxBarCustomizingForm::lbCategoriesClick};
  lbItems = PlaceControl(Loading, new TListBox(this), tsItems, L"lbItems", Bounds(124, 20, 214, 160));
  lbItems->SetStyle(lbOwnerDrawFixed);
  lbItems->SetItemHeight(22);
  lbItems->SetColor(clBtnFace);
  lbItems->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  lbItems->OnDrawItem = {this, &TdxBarCustomizingForm::DrawItemEntry};
  lbItems->OnClick = {this, &TdxBarCustomizingForm::ListClick};
  LabelDescription =
      PlaceControl(Loading, new TLabel(this), tsItems, L"LabelDescription", Bounds(8, 186, 60, 13));
  LabelDescription->SetAnchors(TAnchors{akLeft, akBottom});
  BevelDescription = PlaceControl(Loading, new TBevel(this), tsItems, L"BevelDescription", Bounds(70, 192, 268, 2));
  BevelDescription->SetShape(bsTopLine);
  BevelDescription->SetAnchors(TAnchors{akLeft, akRight, akBottom});
  DescriptionLabel =
      PlaceControl(Loading, new TLabel(this), tsItems, L"DescriptionLabel", Bounds(8, 202, 330, 32));
  DescriptionLabel->SetWordWrap(true);
  DescriptionLabel->SetAnchors(TAnchors{akLeft, akRight, akBottom});
}

void TdxBarCustomizingForm::BuildOptionsPage(TLoadingBracket& Loading) {
  StandardOptionsPanel =
      PlaceControl(Loading, new TPanel(this), tsOptions, L"StandardOptionsPanel", Bounds(0, 0, 346, 238));
  StandardOptionsPanel->SetBevelOuter(bvNone);
  auto check = [&](TCheckBox*& Slot, TWinControl* Parent, const wchar_t* Name, const TRect& R,
                   void (TdxBarCustomizingForm::*Click)(TObject*)) {
    Slot = PlaceControl(Loading, new TCheckBox(this), Parent, Name, R);
    Slot->OnClick = {this, Click};
  };
  using F = TdxBarCustomizingForm;
  check(CBLargeIcons, StandardOptionsPanel, L"CBLargeIcons", Bounds(8, 8, 330, 17), &F::CBLargeIconsClick);
  check(CBHint1, StandardOptionsPanel, L"CBHint1", Bounds(8, 32, 330, 17), &F::CBHint1Click);
  check(CBHint2, StandardOptionsPanel, L"CBHint2", Bounds(8, 56, 330, 17), &F::CBHint2Click);
  LabelMenuAnimations =
      PlaceControl(Loading, new TLabel(this), StandardOptionsPanel, L"LabelMenuAnimations", Bounds(8, 86, 90, 13));
  ComboBoxMenuAnimations = PlaceControl(Loading, new TComboBox(this), StandardOptionsPanel,
                                        L"ComboBoxMenuAnimations", Bounds(104, 82, 100, 21));
  ComboBoxMenuAnimations->SetStyle(csDropDownList);
  ComboBoxMenuAnimations->OnChange = {this, &F::ComboBoxMenuAnimationsClick};

  EnhancedOptionsPanel =
      PlaceControl(Loading, new TPanel(this), tsOptions, L"EnhancedOptionsPanel", Bounds(0, 0, 346, 238));
  EnhancedOptionsPanel->SetBevelOuter(bvNone);
  Label3 = PlaceControl(Loading, new TLabel(this), EnhancedOptionsPanel, L"Label3", Bounds(8, 6, 160, 13));
  Bevel3 = PlaceControl(Loading, new TBevel(this), EnhancedOptionsPanel, L"Bevel3", Bounds(170, 12, 168, 2));
  Bevel3->SetShape(bsTopLine);
  check(CBMenusShowRecentItemsFirst, EnhancedOptionsPanel, L"CBMenusShowRecentItemsFirst", Bounds(16, 24, 322, 17),
        &F::CBMenusShowRecentItemsFirstClick);
  check(CBShowFullMenusAfterDelay, EnhancedOptionsPanel, L"CBShowFullMenusAfterDelay", Bounds(32, 46, 306, 17),
        &F::CBShowFullMenusAfterDelayClick);
  BResetUsageData =
      PlaceControl(Loading, new TButton(this), EnhancedOptionsPanel, L"BResetUsageData", Bounds(16, 70, 130, 23));
  BResetUsageData->OnClick = {this, &F::BResetUsageDataClick};
  Label2 = PlaceControl(Loading, new TLabel(this), EnhancedOptionsPanel, L"Label2", Bounds(8, 104, 40, 13));
  Bevel2 = PlaceControl(Loading, new TBevel(this), EnhancedOptionsPanel, L"Bevel2", Bounds(50, 110, 288, 2));
  Bevel2->SetShape(bsTopLine);
  check(CBLargeIconsEx, EnhancedOptionsPanel, L"CBLargeIconsEx", Bounds(16, 122, 322, 17), &F::CBLargeIconsClick);
  check(CBHint1Ex, EnhancedOptionsPanel, L"CBHint1Ex", Bounds(16, 144, 322, 17), &F::CBHint1ExClick);
  check(CBHint2Ex, EnhancedOptionsPanel, L"CBHint2Ex", Bounds(32, 166, 306, 17), &F::CBHint2Click);
  Label1 = PlaceControl(Loading, new TLabel(this), EnhancedOptionsPanel, L"Label1", Bounds(16, 194, 90, 13));
  ComboBoxMenuAnimationsEx = PlaceControl(Loading, new TComboBox(this), EnhancedOptionsPanel,
                                          L"ComboBoxMenuAnimationsEx", Bounds(112, 190, 100, 21));
  ComboBoxMenuAnimationsEx->SetStyle(csDropDownList);
  ComboBoxMenuAnimationsEx->OnChange = {this, &F::ComboBoxMenuAnimationsClick};
}

void TdxBarCustomizingForm::BuildAllCommandsPage(TLoadingBracket& Loading) {
  LAllCommands = PlaceControl(Loading, new TListBox(this), tsCommands, L"LAllCommands", Bounds(8, 8, 330, 200));
  LAllCommands->SetStyle(lbOwnerDrawFixed);
  LAllCommands->SetItemHeight(16);
  LAllCommands->SetMultiSelect(true);
  LAllCommands->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
  LAllCommands->OnDrawItem = {this, &TdxBarCustomizingForm::DrawAllCommandsEntry};
  LAllCommands->OnClick = {this, &TdxBarCustomizingForm::ListClick};
  CBShowCommandsWithShortCut = PlaceControl(Loading, new TCheckBox(this), tsCommands, L"CBShowCommandsWithShortCut",
                                            Bounds(8, 214, 330, 17));
  CBShowCommandsWithShortCut->SetAnchors(TAnchors{akLeft, akBottom});
  CBShowCommandsWithShortCut->SetChecked(true);
  CBShowCommandsWithShortCut->OnClick = {this, &TdxBarCustomizingForm::CBShowCommandsWithShortCutClick};
}

void TdxBarCustomizingForm::BuildGroupsPage(TLoadingBracket& Loading) {
  auto box = [&](TGroupBox*& Box, TToolBar*& Bar, TListBox*& List, const wchar_t* BoxName, const wchar_t* BarName,
                 const wchar_t* ListName, int Left, std::initializer_list<TAction*> Actions) {
    Box = PlaceControl(Loading, new TGroupBox(this), tsGroups, BoxName, Bounds(Left, 4, 165, 230));
    Box->SetAnchors(TAnchors{akLeft, akTop, akBottom});
    Bar = PlaceControl(Loading, new TToolBar(this), Box, BarName, Bounds(2, 15, 161, 24));
    Bar->SetFlat(true);
    Bar->SetImages(imgGroups);
    for (auto it = std::rbegin(Actions); it != std::rend(Actions); ++it) {
      auto* button = new TToolButton(this);
      Loading.Add(button);
      if (*it) button->SetAction(*it);
      else button->SetStyle(tbsSeparator);
      button->SetParent(Bar);
    }
    List = PlaceControl(Loading, new TListBox(this), Box, ListName, Bounds(6, 42, 153, 182));
    List->SetStyle(lbOwnerDrawVariable);
    List->SetMultiSelect(true);
    List->SetAnchors(TAnchors{akLeft, akTop, akBottom});
    List->OnDrawItem = {this, &TdxBarCustomizingForm::DrawGroupEntry};
    List->OnMeasureItem = {this, &TdxBarCustomizingForm::MeasureGroupEntry};
  };
  box(gbGroups, tbGroups, lbGroups, L"gbGroups", L"tbGroups", L"lbGroups", 4,
      {aAddGroup, aDeleteGroup, nullptr, aMoveUpGroup, aMoveDownGroup});
  box(gpGroupItems, tbGroupItems, lbGroupItems, L"gpGroupItems", L"tbGroupItems", L"lbGroupItems", 175,
      {aAddGroupItem, aDeleteGroupItem, nullptr, aMoveUpGroupItem, aMoveDownGroupItem});
  lbGroups->OnClick = {this, &TdxBarCustomizingForm::ListClick};
  lbGroupItems->OnClick = [this](TObject*) {
    selectedGroupMembers_->Clear();
    for (TObject* member : SelectedObjects(lbGroupItems)) selectedGroupMembers_->Add(member);
    UpdateActions(lbGroupItems);
  };
}

void TdxBarCustomizingForm::SetUpTexts() {
  // Common set-up.
  BResetUsageData->SetEnabled(!designing_);
  BClose->SetCaption(dxBarString(dxbsClose));
  BClose->SetWidth(TextWidthWithoutAccelerators(Canvas(), BClose->Caption()) + 49);
  BClose->SetLeft(BottomPanel->Width() - 6 - BClose->Width());
  BClose->SetAnchors(TAnchors{akTop, akRight});
  UpdateHelpButton();

  // Toolbars page.
  tsToolbars->SetCaption(dxBarString(dxbsToolbarsPage));
  lbBarsList->SetItemHeight(Canvas()->TextHeight(L"Zg") + 2);
  lbBarsList->SetMultiSelect(designing_);
  BBarReset->SetVisible(!designing_ && manager_->CanResetBars());
  aNewToolBar->SetCaption(dxBarString(dxbsNewToolbar));
  aRenameToolBar->SetCaption(dxBarString(dxbsRenameToolbar));
  aDeleteToolBar->SetCaption(dxBarString(dxbsDeleteToolbar));
  aResetToolBar->SetCaption(dxBarString(dxbsResetToolbarAction));
  LabelToobars->SetCaption(dxBarString(dxbsToolbarsLabel));
  LabelToobars->SetFocusControl(lbBarsList);

  // Commands page.
  tsItems->SetCaption(dxBarString(dxbsCommandsPage));
  lbItems->SetMultiSelect(designing_);
  LabelCategories->SetCaption(dxBarString(dxbsCategoriesLabel));
  LabelCategories->SetFocusControl(lbCategories);
  LabelCommands->SetCaption(dxBarString(dxbsCommandsLabel));
  LabelCommands->SetFocusControl(lbItems);
  LabelDescription->SetCaption(dxBarString(dxbsDescriptionLabel));

  // Options page.
  tsOptions->SetCaption(dxBarString(dxbsOptionsPage));
  const bool standard = manager_->EffectiveStyle() == bmsStandard;
  CBLargeIcons->SetCaption(dxBarString(dxbsLargeIcons));
  CBHint1->SetCaption(dxBarString(dxbsShowTooltips));
  CBHint2->SetCaption(dxBarString(dxbsShowShortcutsInTips));
  if (standard) {
    PrepareAnimationCombo(LabelMenuAnimations, ComboBoxMenuAnimations);
  } else {
    Label3->SetCaption(dxBarString(dxbsPersonalizedMenus));
    CBMenusShowRecentItemsFirst->SetCaption(dxBarString(dxbsRecentItemsFirst));
    CBShowFullMenusAfterDelay->SetCaption(dxBarString(dxbsFullMenusAfterDelay));
    BResetUsageData->SetCaption(dxBarString(dxbsResetUsageData));
    BResetUsageData->SetWidth(TextWidthWithoutAccelerators(Canvas(), BResetUsageData->Caption()) + 17);
    Label2->SetCaption(dxBarString(dxbsOtherOptions));
    CBLargeIconsEx->SetCaption(dxBarString(dxbsLargeIcons));
    CBHint1Ex->SetCaption(dxBarString(dxbsShowTooltips));
    CBHint2Ex->SetCaption(dxBarString(dxbsShowShortcutsInTips));
    PrepareAnimationCombo(Label1, ComboBoxMenuAnimationsEx);
  }

  // All commands and groups: design time only.
  tsCommands->SetCaption(dxBarString(dxbsAllCommandsPage));
  tsCommands->SetTabVisible(designing_);
  CBShowCommandsWithShortCut->SetCaption(dxBarString(dxbsShowCommandsWithShortCut));
  tsGroups->SetCaption(dxBarString(dxbsGroupsPage));
  tsGroups->SetTabVisible(designing_);
  gbGroups->SetCaption(dxBarString(dxbsGroupsBox));
  gpGroupItems->SetCaption(dxBarString(dxbsGroupItemsBox));
  const int groupHeight = Canvas()->TextHeight(L"Qq") + 2;
  lbGroups->SetItemHeight(groupHeight);
  lbGroupItems->SetItemHeight(groupHeight);
}

void TdxBarCustomizingForm::PrepareAnimationCombo(TLabel* Label, TComboBox* Combo) {
  Label->SetCaption(dxBarString(dxbsMenuAnimations));
  Label->SetFocusControl(Combo);
  const int minLeft = Label->Left() + TextWidthWithoutAccelerators(Canvas(), Label->Caption()) + 10;
  if (Combo->Left() < minLeft) Combo->SetLeft(minLeft);
  Combo->Items()->Clear();
  int widest = 0;
  for (int id : {dxbsAnimationNone, dxbsAnimationRandom, dxbsAnimationUnfold, dxbsAnimationSlide,
                 dxbsAnimationFade}) {
    const String text = dxBarString(id);
    Combo->Items()->Add(text);
    widest = std::max(widest, Canvas()->TextWidth(text));
  }
  Combo->SetWidth(widest + 54);
  Combo->SetItemIndex(int(manager_->MenuAnimations()));
}

void TdxBarCustomizingForm::FormCreate(TObject*) {
  TList selection;
  manager_->GetDesignSelection(selection);
  for (int i = 0; i < selection.Count(); ++i)
    initialSelection_.push_back(AcquireObjectLink(static_cast<TObject*>(selection.Items(i))));
}

void TdxBarCustomizingForm::ReleaseInitialSelection() {
  for (TcxObjectLink* link : initialSelection_) ReleaseObjectLink(link);
  initialSelection_.clear();
}

void TdxBarCustomizingForm::FormDestroy(TObject*) {
  destroying_ = true;
  // Freed while shown: what the dialog disabled comes back as when it hides.
  FormHide(nullptr);
  if (activeForm == this) activeForm = nullptr;
  RestoreEvents();
  closingForm = true;
  try {
    manager_->SetCustomizingMode(false);
  } catch (...) {
    closingForm = false;
    throw;
  }
  closingForm = false;
  if (IdxBarDesigner* designer = manager_->Designer()) {
    TList selection;
    for (TcxObjectLink* link : initialSelection_)
      if (link && link->Ref) selection.Add(link->Ref);
    designer->ReplaceSelection(selection);
  }
  ReleaseInitialSelection();
}

void TdxBarCustomizingForm::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

// ==== the manager's change events ================================================================

void TdxBarCustomizingForm::ChainEvents() {
  if (eventsChained_) return;
  savedBarsChange_ = manager_->Bars()->OnChange;
  manager_->Bars()->OnChange = {this, &TdxBarCustomizingForm::BarsChanged};
  savedItemsChange_ = manager_->ItemList()->OnChanged;
  manager_->ItemList()->OnChanged = {this, &TdxBarCustomizingForm::ItemsChanged};
  savedGroupsChange_ = manager_->GroupList()->OnChanged;
  manager_->GroupList()->OnChanged = {this, &TdxBarCustomizingForm::GroupsChanged};
  eventsChained_ = true;
}

void TdxBarCustomizingForm::RestoreEvents() {
  if (!eventsChained_) return;
  eventsChained_ = false;
  if (manager_->Bars()) manager_->Bars()->OnChange = savedBarsChange_;
  if (manager_->ItemList()) manager_->ItemList()->OnChanged = savedItemsChange_;
  if (manager_->GroupList()) manager_->GroupList()->OnChanged = savedGroupsChange_;
}

void TdxBarCustomizingForm::BarsChanged(TObject* Sender, TcxComponentCollectionItem* Item,
                                        TcxCollectionChangeKind Action) {
  if (savedBarsChange_) savedBarsChange_(Sender, Item, Action);
  if (destroying_ || manager_->BeingDestroyed()) return;
  const int index = Item && Action == cckChanged ? lbBarsList->Items()->IndexOfObject(Item) : -1;
  RefreshList(lbBarsList, index >= 0 ? Item : nullptr, index);
}

void TdxBarCustomizingForm::ItemsChanged(TdxComponentList* List, TComponent* Component,
                                         TdxComponentListChange Change) {
  if (savedItemsChange_) savedItemsChange_(List, Component, Change);
  if (destroying_ || manager_->BeingDestroyed()) return;
  for (TListBox* list : {lbItems, LAllCommands, lbGroupItems}) {
    const int index = Component && Change == clcChanged ? list->Items()->IndexOfObject(Component) : -1;
    RefreshList(list, index >= 0 ? Component : nullptr, index);
  }
}

void TdxBarCustomizingForm::GroupsChanged(TdxComponentList* List, TComponent* Component,
                                          TdxComponentListChange Change) {
  if (savedGroupsChange_) savedGroupsChange_(List, Component, Change);
  if (destroying_ || manager_->BeingDestroyed()) return;
  const int index = Component && Change == clcChanged ? lbGroups->Items()->IndexOfObject(Component) : -1;
  RefreshList(lbGroups, index >= 0 ? Component : nullptr, index);
}

// ==== refreshes ===================================================================================

void TdxBarCustomizingForm::RefreshAll() {
  FillBarsList();
  FillCategories();
  FillItems();
  FillAllCommands();
  FillGroups();
  LoadOptions();
  lbItems->SetColor(manager_->EffectiveStyle() == bmsFlat ? clWindow : clBtnFace);
  if (lbItems->HandleAllocated()) InvalidateRect(lbItems->Handle(), nullptr, TRUE);
  for (auto [label, bevel] : {std::pair{LabelDescription, BevelDescription}, std::pair{Label3, Bevel3},
                              std::pair{Label2, Bevel2}}) {
    const int left = label->Left() + Canvas()->TextWidth(label->Caption());
    bevel->SetBounds(left, bevel->Top(), std::max(0, bevel->Left() + bevel->Width() - left), bevel->Height());
  }
}

void TdxBarCustomizingForm::UpdateHelpButton() {
  BHelp->SetGlyph(manager_->HelpButtonGlyph());
  BHelp->SetVisible(manager_->ShowHelpButton());
}

void TdxBarCustomizingForm::BHelpClick(TObject*) {
  if (designing_) return;
  if (manager_->OnHelpButtonClick) manager_->OnHelpButtonClick(manager_);
  if (manager_->HelpContext != 0 && Application) Application->HelpContext(manager_->HelpContext);
}

void TdxBarCustomizingForm::LoadOptions() {
  const bool standard = manager_->EffectiveStyle() == bmsStandard;
  StandardOptionsPanel->SetVisible(standard);
  EnhancedOptionsPanel->SetVisible(!standard);
  auto set = [](TCheckBox* Box, bool Value) {
    // Loading shows the manager's values without running the handlers.
    const TNotifyEvent handler = Box->OnClick;
    Box->OnClick = nullptr;
    Box->SetChecked(Value);
    Box->OnClick = handler;
  };
  set(CBMenusShowRecentItemsFirst, manager_->MenusShowRecentItemsFirst());
  set(CBShowFullMenusAfterDelay, manager_->ShowFullMenusAfterDelay());
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
  set(CBLargeIcons, manager_->LargeIcons());
  set(CBLargeIconsEx, manager_->LargeIcons());
  set(CBHint1, manager_->ShowHint());
  set(CBHint1Ex, manager_->ShowHint());
  set(CBHint2, manager_->ShowShortCutInHint());
  set(CBHint2Ex, manager_->ShowShortCutInHint());
  CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
  ComboBoxMenuAnimations->SetItemIndex(int(manager_->MenuAnimations()));
  ComboBoxMenuAnimationsEx->SetItemIndex(int(manager_->MenuAnimations()));
}

void TdxBarCustomizingForm::RefreshList(TListBox* List, TObject* Object, int Index) {
  if (List->HandleAllocated()) {
    SendMessageW(List->Handle(), DXM_REFRESHITEMS, reinterpret_cast<WPARAM>(Object), Index);
    return;
  }
  TMessage message{DXM_REFRESHITEMS, reinterpret_cast<WPARAM>(Object), Index, 0};
  HandleListMessage(List, message);
}

String TdxBarCustomizingForm::EntryText(TListBox* List, TObject* Object) {
  if (List == lbBarsList) return static_cast<TdxBar*>(Object)->Caption();
  if (List == lbItems) return static_cast<TdxBarItem*>(Object)->Caption();
  if (auto* component = dynamic_cast<TComponent*>(Object)) return component->Name();
  return String();
}

bool TdxBarCustomizingForm::HandleListMessage(TListBox* List, TMessage& Message) {
  switch (Message.Msg) {
    case DXM_REFRESHITEMS:
      if (auto* object = reinterpret_cast<TObject*>(Message.WParam)) {
        const int index = static_cast<int>(Message.LParam);
        if (index >= 0 && index < List->Items()->Count()) {
          if (List != LAllCommands) {
            List->Items()->SetStrings(index, EntryText(List, object));
            SynchronizeSelection(List);
          }
          if (List->HandleAllocated()) {
            const TRect r = List->ItemRect(index);
            InvalidateRect(List->Handle(), &r, TRUE);
          }
        }
      } else if (List == lbBarsList) {
        FillBarsList();
      } else if (List == lbItems) {
        FillItems();
      } else if (List == LAllCommands) {
        FillAllCommands();
      } else if (List == lbGroups) {
        FillGroups();
      } else if (List == lbGroupItems) {
        FillGroupItems();
      } else if (List == lbCategories) {
        FillCategories();
      }
      return true;
    case DXM_SYNCHRONIZESELECTION:
      SynchronizeSelection(List);
      return true;
    case DXM_UPDATEACTIONS:
      UpdateActions(List);
      return true;
    default:
      return false;
  }
}

void TdxBarCustomizingForm::FillBarsList() {
  TStrings* items = lbBarsList->Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < manager_->Bars()->Count(); ++i) {
    TdxBar* bar = manager_->Bars()->BarAt(i);
    if (designing_ || !bar->Hidden()) items->AddObject(bar->Caption(), bar);
  }
  items->EndUpdate();
  SynchronizeSelection(lbBarsList);
}

void TdxBarCustomizingForm::FillCategories() {
  TStrings* items = lbCategories->Items();
  items->BeginUpdate();
  items->Clear();
  TdxBarManagerCategories* categories = manager_->Categories();
  for (int i = 0; i < categories->Count(); ++i) {
    if (designing_ || manager_->CategoryVisible(i)) items->Add(categories->Strings(i));
  }
  items->EndUpdate();
  lbCategories->SetItemIndex(items->Count() > 0 ? 0 : -1);
}

int TdxBarCustomizingForm::SelectedCategory() {
  const int entry = lbCategories->ItemIndex();
  return entry < 0 ? -1 : manager_->CategoryIndexOfListIndex(entry);
}

void TdxBarCustomizingForm::FillItems() {
  TStrings* items = lbItems->Items();
  items->BeginUpdate();
  items->Clear();
  const int category = SelectedCategory();
  if (category >= 0) {
    TList list;
    manager_->ItemsOfCategory(category, list);
    for (int i = 0; i < list.Count(); ++i) {
      auto* item = static_cast<TdxBarItem*>(list.Items(i));
      items->AddObject(item->Caption(), item);
    }
  }
  items->EndUpdate();
  SynchronizeSelection(lbItems);
}

void TdxBarCustomizingForm::FillAllCommands() {
  if (!designing_) return;
  TStrings* items = LAllCommands->Items();
  if (LAllCommands->HandleAllocated()) SendMessageW(LAllCommands->Handle(), WM_SETREDRAW, FALSE, 0);
  items->BeginUpdate();
  items->Clear();
  nameColumnWidth_ = captionColumnWidth_ = shortCutColumnWidth_ = 0;
  TCanvas* canvas = LAllCommands->Canvas();
  canvas->Font()->Assign(LAllCommands->Font());
  const bool onlyWithShortCut = CBShowCommandsWithShortCut->Checked();
  for (int i = 0; i < manager_->ItemCount(); ++i) {
    TdxBarItem* item = manager_->ItemAt(i);
    if (item->Category() < 0 || (onlyWithShortCut && !HasPublishedShortCut(item))) continue;
    items->AddObject(String(), item);
    nameColumnWidth_ = std::max(nameColumnWidth_, canvas->TextWidth(item->Name()));
    captionColumnWidth_ = std::max(captionColumnWidth_, canvas->TextWidth(item->Caption()));
    shortCutColumnWidth_ = std::max(shortCutColumnWidth_, canvas->TextWidth(ShortCutTextOf(item)));
  }
  items->EndUpdate();
  if (LAllCommands->HandleAllocated()) {
    SendMessageW(LAllCommands->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(LAllCommands->Handle(), nullptr, TRUE);
    SendMessageW(LAllCommands->Handle(), LB_SETHORIZONTALEXTENT,
                 nameColumnWidth_ + captionColumnWidth_ + shortCutColumnWidth_ + 30, 0);
  }
  SynchronizeSelection(LAllCommands);
}

void TdxBarCustomizingForm::FillGroups() {
  if (!designing_) return;
  TStrings* items = lbGroups->Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < manager_->GroupCount(); ++i) items->AddObject(manager_->GroupAt(i)->Name(), manager_->GroupAt(i));
  items->EndUpdate();
  SynchronizeSelection(lbGroups);
}

void TdxBarCustomizingForm::FillGroupItems() {
  TStrings* items = lbGroupItems->Items();
  items->BeginUpdate();
  items->Clear();
  const std::vector<TObject*> groups = SelectedObjects(lbGroups);
  if (groups.size() == 1) {
    auto* group = static_cast<TdxBarGroup*>(groups.front());
    for (int i = 0; i < group->ItemCountOf(); ++i) items->AddObject(group->ItemAt(i)->Name(), group->ItemAt(i));
  }
  items->EndUpdate();
  SynchronizeSelection(lbGroupItems);
}

// ==== selection ===================================================================================

std::vector<TObject*> TdxBarCustomizingForm::SelectedObjects(TListBox* List) {
  std::vector<TObject*> result;
  const int count = List->Items()->Count();
  if (List->MultiSelect()) {
    for (int i = 0; i < count; ++i)
      if (List->Selected(i)) result.push_back(List->Items()->Objects(i));
  } else if (const int index = List->ItemIndex(); index >= 0 && index < count) {
    result.push_back(List->Items()->Objects(index));
  }
  return result;
}

std::vector<bool> TdxBarCustomizingForm::SelectionFlags(TListBox* List) {
  std::vector<bool> flags(List->Items()->Count());
  const int index = List->MultiSelect() ? -1 : List->ItemIndex();
  for (int i = 0; i < int(flags.size()); ++i) flags[i] = List->MultiSelect() ? List->Selected(i) : i == index;
  return flags;
}

void TdxBarCustomizingForm::SynchronizeSelection(TListBox* List) {
  if (pushingList_ != List) {
    if (List == lbGroupItems) {
      for (int i = 0; i < List->Items()->Count(); ++i)
        List->SetSelected(i, selectedGroupMembers_->IndexOf(List->Items()->Objects(i)) >= 0);
    } else {
      TList selection;
      manager_->GetDesignSelection(selection);
      int first = -1;
      if (List->MultiSelect()) {
        for (int i = 0; i < List->Items()->Count(); ++i) {
          const bool selected = selection.IndexOf(List->Items()->Objects(i)) >= 0;
          List->SetSelected(i, selected);
          if (selected && first < 0) first = i;
        }
      } else {
        int last = -1;
        for (int i = 0; i < List->Items()->Count(); ++i)
          if (selection.IndexOf(List->Items()->Objects(i)) >= 0) last = i;
        List->SetItemIndex(last);
        first = last;
        if (List->HandleAllocated()) SendMessageW(List->Handle(), WM_NCPAINT, 0, 0);
      }
      if (first >= 0 && List->HandleAllocated()) SendMessageW(List->Handle(), LB_SETTOPINDEX, first, 0);
    }
  }
  UpdateActions(List);
}

void TdxBarCustomizingForm::SynchronizeAll() {
  if (destroying_ || (Application && Application->Terminated())) return;
  for (TListBox* list : {lbBarsList, lbItems, LAllCommands, lbGroups}) {
    if (list->HandleAllocated()) SendMessageW(list->Handle(), DXM_SYNCHRONIZESELECTION, 0, 0);
    else SynchronizeSelection(list);
  }
}

void TdxBarCustomizingForm::PushSelection(TListBox* List) {
  pushingList_ = List;
  try {
    const std::vector<TObject*> objects = SelectedObjects(List);
    if (objects.empty()) {
      manager_->SelectInDesigner(manager_, soExclusive);
    } else if (IdxBarDesigner* designer = manager_->Designer()) {
      TList list;
      for (TObject* object : objects) list.Add(object);
      designer->ReplaceSelection(list);
    }
  } catch (...) {
    pushingList_ = nullptr;
    throw;
  }
  pushingList_ = nullptr;
  UpdateActions(List);
}

void TdxBarCustomizingForm::ListClick(TObject* Sender) { PushSelection(static_cast<TListBox*>(Sender)); }

void TdxBarCustomizingForm::UpdateListActions(TListBox* List, TAction* AddAction,
                                              bool (TdxBarCustomizingForm::*CanDeleteTest)(TObject*),
                                              TAction* MoveDownAction, TAction* MoveUpAction, TAction* DeleteAction) {
  if (AddAction) AddAction->SetEnabled(manager_->OwnerAllowsEditing());
  const std::vector<bool> flags = SelectionFlags(List);
  if (DeleteAction) {
    const std::vector<TObject*> objects = SelectedObjects(List);
    bool can = !objects.empty();
    for (TObject* object : objects) {
      if (!can) break;
      can = CanDeleteTest ? (this->*CanDeleteTest)(object)
                          : !manager_->Designer() || manager_->Designer()->CanDelete(object);
    }
    DeleteAction->SetEnabled(can);
  }
  if (MoveUpAction) MoveUpAction->SetEnabled(CanMoveSelectionUp(flags));
  if (MoveDownAction) MoveDownAction->SetEnabled(CanMoveSelectionDown(flags));
}

bool TdxBarCustomizingForm::CanDeleteBar(TObject* Object) {
  if (IdxBarSelectableItem* selectable = Supports<IdxBarSelectableItem>(Object)) return selectable->AllowsDelete(true);
  auto* bar = dynamic_cast<TdxBar*>(Object);
  return bar && (designing_ || !bar->IsPredefined());
}

void TdxBarCustomizingForm::UpdateActions(TListBox* List) {
  if (List == lbBarsList) {
    const std::vector<TObject*> bars = SelectedObjects(lbBarsList);
    auto* single = bars.size() == 1 ? static_cast<TdxBar*>(bars.front()) : nullptr;
    aRenameToolBar->SetEnabled(single && (designing_ || !single->IsPredefined()));
    aResetToolBar->SetEnabled(single && single->IsPredefined() && single->AllowReset);
    UpdateListActions(lbBarsList, aNewToolBar, &TdxBarCustomizingForm::CanDeleteBar, nullptr, nullptr,
                      aDeleteToolBar);
  } else if (List == lbItems) {
    const std::vector<TObject*> items = SelectedObjects(lbItems);
    TObject* single = items.size() == 1 ? items.front() : nullptr;
    aSubMenuEditor->SetEnabled(dynamic_cast<TdxBarSubItem*>(single) || dynamic_cast<TdxBarContainerItem*>(single));
    bool canClear = lbItems->Items()->Count() > 0;
    for (int i = 0; canClear && i < lbItems->Items()->Count(); ++i)
      canClear = !manager_->Designer() || manager_->Designer()->CanDelete(lbItems->Items()->Objects(i));
    aClearItemList->SetEnabled(canClear);
    UpdateListActions(lbItems, aAddItem, nullptr, aMoveDownItem, aMoveUpItem, aDeleteItem);
    DescriptionLabel->SetCaption(single ? static_cast<TdxBarItem*>(single)->Description() : String());
  } else if (List == lbGroups) {
    FillGroupItems();
    UpdateListActions(lbGroups, aAddGroup, nullptr, aMoveDownGroup, aMoveUpGroup, aDeleteGroup);
  } else if (List == lbGroupItems) {
    aAddGroupItem->SetEnabled(SelectedObjects(lbGroups).size() == 1);
    UpdateListActions(lbGroupItems, nullptr, nullptr, aMoveDownGroupItem, aMoveUpGroupItem, aDeleteGroupItem);
  }
}

void TdxBarCustomizingForm::DeleteSelected(TListBox* List, bool DoPushSelection,
                                           void (TdxBarCustomizingForm::*Remove)(TObject*)) {
  const std::vector<bool> flags = SelectionFlags(List);
  const int next = EntryAfterDelete(flags, List->ItemIndex());
  TObject* nextObject = next >= 0 ? List->Items()->Objects(next) : nullptr;
  const std::vector<TObject*> objects = SelectedObjects(List);
  List->Items()->BeginUpdate();
  try {
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
      if (Remove) (this->*Remove)(*it);
      else (*it)->Free();
    }
  } catch (...) {
    List->Items()->EndUpdate();
    throw;
  }
  List->Items()->EndUpdate();
  const int index = nextObject ? List->Items()->IndexOfObject(nextObject) : -1;
  if (List->MultiSelect()) {
    List->ClearSelection();
    if (index >= 0) List->SetSelected(index, true);
  }
  List->SetItemIndex(index);
  if (DoPushSelection) PushSelection(List);
  manager_->NotifyDesignerModified();
}

void TdxBarCustomizingForm::MoveSelected(TListBox* List, int Direction, const std::function<void(int, int)>& Move,
                                         const std::function<void(bool)>& Update) {
  std::vector<int> selected;
  const std::vector<bool> flags = SelectionFlags(List);
  for (int i = 0; i < int(flags.size()); ++i)
    if (flags[i]) selected.push_back(i);
  if (selected.empty()) return;
  Update(false);
  try {
    MoveSelectedEntries(selected, int(flags.size()), Direction, Move);
  } catch (...) {
    Update(true);
    throw;
  }
  Update(true);
  manager_->NotifyDesignerModified();
}

// ==== list window procedures ======================================================================

void TdxBarCustomizingForm::HookLists(bool Install) {
  if (Install == listsHooked_) return;
  listsHooked_ = Install;
  using F = TdxBarCustomizingForm;
  const std::pair<TListBox*, void (F::*)(TMessage&, TWindowProcChain&)> hooks[] = {
      {lbBarsList, &F::lbBarsListProc}, {lbCategories, &F::lbCategoriesProc}, {lbItems, &F::lbItemsProc},
      {LAllCommands, &F::LAllCommandsProc}, {lbGroups, &F::lbGroupsProc}, {lbGroupItems, &F::lbGroupItemsProc}};
  for (auto [list, proc] : hooks) {
    if (!list) continue;
    if (Install) list->InstallWindowProcHook(TWindowProcHook(this, proc));
    else list->RemoveWindowProcHook(TWindowProcHook(this, proc));
  }
}

void TdxBarCustomizingForm::lbBarsListProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(lbBarsList, Message)) return;
  const int square = lbBarsList->ItemHeight();
  switch (Message.Msg) {
    case CN_DRAWITEM: {
      // The list's own drawing (and its focus rectangle) starts after the check box.
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      DRAWITEMSTRUCT shifted = *item;
      const int index = static_cast<int>(item->itemID);
      if (index >= 0 && index < lbBarsList->Items()->Count()) {
        auto* bar = static_cast<TdxBar*>(lbBarsList->Items()->Objects(index));
        RECT box{item->rcItem.left, item->rcItem.top, item->rcItem.left + square, item->rcItem.top + square};
        FillRect(item->hDC, &box, GetSysColorBrush(COLOR_WINDOW));
        InflateRect(&box, -1, -1);
        UINT state = DFCS_BUTTONCHECK;
        if (bar->Visible()) state |= DFCS_CHECKED;
        if (!bar->ClosableByUser()) state |= DFCS_INACTIVE;
        DrawFrameControl(item->hDC, &box, DFC_BUTTON, state);
        shifted.rcItem.left += square;
      }
      TMessage message = Message;
      message.LParam = reinterpret_cast<LPARAM>(&shifted);
      Next(message);
      Message.Result = message.Result;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const TPoint p{LParamX(Message.LParam), LParamY(Message.LParam)};
      const bool inSquare = p.x < square;
      const int index = lbBarsList->ItemAtPos(p, true);
      if (Message.Msg == WM_LBUTTONDBLCLK && inSquare) {
        // A second press in the check box is a press, not a double click.
        TMessage press = Message;
        press.Msg = WM_LBUTTONDOWN;
        Next(press);
      } else {
        Next(Message);
      }
      if (index >= 0 && (inSquare || Message.Msg == WM_LBUTTONDBLCLK)) ToggleBar(index);
      return;
    }
    case WM_KEYDOWN:
      if (Message.WParam == VK_SPACE) {
        ToggleBar(lbBarsList->ItemIndex());
        return;
      }
      if (Message.WParam == VK_INSERT) {
        aNewToolBar->Execute();
        return;
      }
      if (Message.WParam == VK_DELETE) {
        aDeleteToolBar->Execute();
        return;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == L' ') return;
      break;
    default:
      break;
  }
  Next(Message);
}

void TdxBarCustomizingForm::ToggleBar(int Index) {
  if (Index < 0 || Index >= lbBarsList->Items()->Count()) return;
  auto* bar = static_cast<TdxBar*>(lbBarsList->Items()->Objects(Index));
  if (!bar->ClosableByUser()) {
    Beep();
    return;
  }
  bar->SetVisible(!bar->Visible());
  if (lbBarsList->HandleAllocated()) {
    const TRect r = lbBarsList->ItemRect(Index);
    InvalidateRect(lbBarsList->Handle(), &r, TRUE);
  }
}

void TdxBarCustomizingForm::DrawBarEntry(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
  TCanvas* canvas = lbBarsList->Canvas();
  canvas->FillRect(Rect);
  if (Index < 0 || Index >= lbBarsList->Items()->Count()) return;
  TRect text = Rect;
  text.left += 2;
  text.right -= 2;
  const String caption = lbBarsList->Items()->Strings(Index);
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (lbBarsList->UseRightToLeftAlignment()) format |= DT_RTLREADING;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

void TdxBarCustomizingForm::lbCategoriesProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(lbCategories, Message)) return;
  if (designing_ && Message.Msg == WM_KEYDOWN && KeyboardStateToShiftState().Empty()) {
    if (Message.WParam == VK_INSERT) {
      CategoriesInsertClick(nullptr);
      return;
    }
    if (Message.WParam == VK_DELETE) {
      if (CanDeleteCategory()) CategoriesDeleteClick(nullptr);
      return;
    }
  }
  Next(Message);
}

void TdxBarCustomizingForm::lbCategoriesClick(TObject*) { FillItems(); }

void TdxBarCustomizingForm::lbItemsProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(lbItems, Message)) return;
  const TdxBarCustomizingFormPainter& painter = FormPainterClass();
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      // Only the area below the last entry; the entries paint themselves.
      HDC dc = reinterpret_cast<HDC>(Message.WParam);
      RECT client;
      ::GetClientRect(lbItems->Handle(), &client);
      const int count = lbItems->Items()->Count();
      if (count > 0) client.top = lbItems->ItemRect(count - 1).bottom;
      HBRUSH brush = CreateSolidBrush(ColorToRGB(painter.EntryBackColor(false, nullptr)));
      if (client.bottom > client.top) FillRect(dc, &client, brush);
      DeleteObject(brush);
      Message.Result = 1;
      return;
    }
    case CN_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      const int index = static_cast<int>(item->itemID);
      TCanvas* canvas = lbItems->Canvas();
      const int saved = SaveDC(item->hDC);
      canvas->Lock();
      static_cast<TControlCanvas*>(canvas)->SetPaintHandle(item->hDC);
      try {
        canvas->Font()->Assign(lbItems->Font());
        auto* barItem = index >= 0 && index < lbItems->Items()->Count()
                            ? static_cast<TdxBarItem*>(lbItems->Items()->Objects(index))
                            : nullptr;
        if (barItem) {
          barItem->DrawCustomizingImage(canvas, item->rcItem, (item->itemState & ODS_SELECTED) != 0);
          if (item->itemState & ODS_FOCUS) painter.DrawFocusFrame(canvas, item->rcItem, barItem);
        }
      } catch (...) {
        canvas->SetHandle(nullptr);
        canvas->Unlock();
        RestoreDC(item->hDC, saved);
        throw;
      }
      canvas->SetHandle(nullptr);
      canvas->Unlock();
      RestoreDC(item->hDC, saved);
      Message.Result = 1;
      return;
    }
    case WM_MOUSEACTIVATE: {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(lbItems->Handle(), &p);
      const int index = lbItems->ItemAtPos(TPoint{p.x, p.y}, true);
      if (index >= 0) lbItems->SetItemIndex(index);
      break;
    }
    case WM_LBUTTONDOWN:
      Next(Message);
      PushSelection(lbItems);
      return;
    case WM_RBUTTONDOWN: {
      lbItems->SetFocus();
      const int index = lbItems->ItemAtPos(TPoint{LParamX(Message.LParam), LParamY(Message.LParam)}, true);
      if (index >= 0) {
        if (lbItems->MultiSelect()) {
          lbItems->ClearSelection();
          lbItems->SetSelected(index, true);
        }
        lbItems->SetItemIndex(index);
      }
      PushSelection(lbItems);
      return;
    }
    case WM_LBUTTONDBLCLK: {
      Next(Message);
      const std::vector<TObject*> items = SelectedObjects(lbItems);
      if (items.size() == 1) manager_->ShowDefaultEventHandler(static_cast<TdxBarItem*>(items.front()));
      return;
    }
    case WM_KEYDOWN:
      if (designing_) {
        const TShiftState shift = KeyboardStateToShiftState();
        if (shift == TShiftState{ssCtrl} && (Message.WParam == VK_UP || Message.WParam == VK_DOWN)) {
          (Message.WParam == VK_UP ? aMoveUpItem : aMoveDownItem)->Execute();
          return;
        }
        if (shift.Empty() && Message.WParam == VK_INSERT) {
          aAddItem->Execute();
          return;
        }
        if (shift.Empty() && Message.WParam == VK_DELETE) {
          aDeleteItem->Execute();
          return;
        }
      }
      break;
    default:
      break;
  }
  Next(Message);
}

void TdxBarCustomizingForm::DrawItemEntry(TWinControl*, int, const TRect&, TOwnerDrawState) {}

void TdxBarCustomizingForm::LAllCommandsProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(LAllCommands, Message)) return;
  if (Message.Msg == WM_PAINT) {
    Next(Message);
    // The column lines go on below the last entry.
    const int count = LAllCommands->Items()->Count();
    RECT client;
    ::GetClientRect(LAllCommands->Handle(), &client);
    const int top = count > 0 ? LAllCommands->ItemRect(count - 1).bottom : 0;
    if (top < client.bottom) {
      HDC dc = GetDC(LAllCommands->Handle());
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
      HGDIOBJ old = SelectObject(dc, pen);
      for (int x : {nameColumnWidth_ + 10, nameColumnWidth_ + captionColumnWidth_ + 20}) {
        MoveToEx(dc, x, top, nullptr);
        LineTo(dc, x, client.bottom);
      }
      SelectObject(dc, old);
      DeleteObject(pen);
      ReleaseDC(LAllCommands->Handle(), dc);
    }
    return;
  }
  Next(Message);
}

void TdxBarCustomizingForm::DrawAllCommandsEntry(TWinControl*, int Index, const TRect& Rect, TOwnerDrawState) {
  TCanvas* canvas = LAllCommands->Canvas();
  canvas->FillRect(Rect);
  if (Index < 0 || Index >= LAllCommands->Items()->Count()) return;
  auto* item = static_cast<TdxBarItem*>(LAllCommands->Items()->Objects(Index));
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  canvas->TextOut(Rect.left + 5, Rect.top, item->Name());
  const int line1 = Rect.left + nameColumnWidth_ + 10;
  const int line2 = Rect.left + nameColumnWidth_ + captionColumnWidth_ + 20;
  canvas->Pen()->SetColor(canvas->Font()->Color());
  for (int x : {line1, line2}) {
    canvas->MoveTo(x, Rect.top);
    canvas->LineTo(x, Rect.bottom);
  }
  canvas->TextOut(Rect.left + nameColumnWidth_ + 15, Rect.top, item->Caption());
  canvas->TextOut(Rect.left + nameColumnWidth_ + captionColumnWidth_ + 25, Rect.top, ShortCutTextOf(item));
}

void TdxBarCustomizingForm::CBShowCommandsWithShortCutClick(TObject*) { FillAllCommands(); }

void TdxBarCustomizingForm::lbGroupsProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(lbGroups, Message)) return;
  if (Message.Msg == WM_KEYDOWN) {
    const TShiftState shift = KeyboardStateToShiftState();
    TAction* action = nullptr;
    if (shift == TShiftState{ssCtrl} && Message.WParam == VK_UP) action = aMoveUpGroup;
    if (shift == TShiftState{ssCtrl} && Message.WParam == VK_DOWN) action = aMoveDownGroup;
    if (Message.WParam == VK_INSERT) action = aAddGroup;
    if (Message.WParam == VK_DELETE) action = aDeleteGroup;
    if (action) {
      action->Execute();
      return;
    }
  }
  Next(Message);
}

void TdxBarCustomizingForm::lbGroupItemsProc(TMessage& Message, TWindowProcChain& Next) {
  if (HandleListMessage(lbGroupItems, Message)) return;
  if (Message.Msg == WM_KEYDOWN) {
    const TShiftState shift = KeyboardStateToShiftState();
    TAction* action = nullptr;
    if (shift == TShiftState{ssCtrl} && Message.WParam == VK_UP) action = aMoveUpGroupItem;
    if (shift == TShiftState{ssCtrl} && Message.WParam == VK_DOWN) action = aMoveDownGroupItem;
    if (Message.WParam == VK_INSERT) action = aAddGroupItem;
    if (Message.WParam == VK_DELETE) action = aDeleteGroupItem;
    if (action) {
      action->Execute();
      return;
    }
  }
  Next(Message);
}

void TdxBarCustomizingForm::MeasureGroupEntry(TWinControl* Control, int, int& Height) {
  Height = static_cast<TListBox*>(Control)->ItemHeight();
}

void TdxBarCustomizingForm::DrawGroupEntry(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState) {
  auto* list = static_cast<TListBox*>(Control);
  TCanvas* canvas = list->Canvas();
  if (Index < 0 || Index >= list->Items()->Count()) return;
  const bool group = dynamic_cast<TdxBarGroup*>(list->Items()->Objects(Index)) != nullptr;
  if (group) canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
  canvas->TextRect(Rect, Rect.left + 2, Rect.top + 1, list->Items()->Strings(Index));
}

// ==== toolbars page actions =======================================================================

void TdxBarCustomizingForm::aNewToolBarExecute(TObject*) { manager_->AddNewToolbar(false, true); }

void TdxBarCustomizingForm::aRenameToolBarExecute(TObject*) {
  const std::vector<TObject*> bars = SelectedObjects(lbBarsList);
  if (bars.size() != 1) return;
  auto* bar = static_cast<TdxBar*>(bars.front());
  String caption = bar->Caption();
  if (ExecuteBarNameDialog(caption, 0, 1, bar, manager_)) bar->SetCaption(caption);
}

void TdxBarCustomizingForm::aDeleteToolBarExecute(TObject*) {
  const std::vector<TObject*> bars = SelectedObjects(lbBarsList);
  if (bars.empty()) return;
  const String question = bars.size() == 1
                              ? Format(dxBarString(dxbsDeleteToolbarQuestion), {static_cast<TdxBar*>(bars.front())->Caption()})
                              : dxBarString(dxbsDeleteToolbarsQuestion);
  if (Application->MessageBox(question, Application->Title(), MB_OKCANCEL | MB_ICONWARNING) == IDOK)
    DeleteSelected(lbBarsList, true, nullptr);
  if (HandleAllocated()) BringWindowToTop(Handle());
}

void TdxBarCustomizingForm::aResetToolBarExecute(TObject*) {
  const std::vector<TObject*> bars = SelectedObjects(lbBarsList);
  if (bars.size() == 1) manager_->ResetBar(static_cast<TdxBar*>(bars.front()));
  if (HandleAllocated()) BringWindowToTop(Handle());
}

// ==== commands page actions =======================================================================

void TdxBarCustomizingForm::aAddItemExecute(TObject*) {
  // The new-item dialog belongs to design time; without a category nothing is added.
  if (SelectedCategory() < 0) return;
  if (TdxBarItem* item = ExecuteNewItemDialog(manager_, SelectedCategory())) {
    manager_->SelectInDesigner(item, soExclusive);
    if (lbItems->CanFocus()) lbItems->SetFocus();
  }
}

void TdxBarCustomizingForm::aDeleteItemExecute(TObject*) {
  DeleteSelected(lbItems, true, nullptr);
  if (lbItems->CanFocus()) lbItems->SetFocus();
}

void TdxBarCustomizingForm::aMoveItemExecute(TObject* Sender) {
  const int direction = static_cast<int>(static_cast<TComponent*>(Sender)->Tag);
  // Entries map to the manager's items by their objects: the list shows one category.
  std::vector<TdxBarItem*> entries;
  for (int i = 0; i < lbItems->Items()->Count(); ++i)
    entries.push_back(static_cast<TdxBarItem*>(lbItems->Items()->Objects(i)));
  MoveSelected(
      lbItems, direction,
      [&](int From, int To) {
        manager_->MoveItem(manager_->ItemList()->IndexOf(entries[From]), manager_->ItemList()->IndexOf(entries[To]));
        std::swap(entries[From], entries[To]);
      },
      [&](bool End) {
        if (End) manager_->ItemList()->EndUpdate(true);
        else manager_->ItemList()->BeginUpdate();
      });
  if (lbItems->CanFocus()) lbItems->SetFocus();
}

void TdxBarCustomizingForm::aSubMenuEditorExecute(TObject*) {
  if (lbItems->CanFocus()) lbItems->SetFocus();
}

void TdxBarCustomizingForm::aClearItemListExecute(TObject*) {
  const int entry = lbCategories->ItemIndex();
  const String category = entry >= 0 ? lbCategories->Items()->Strings(entry) : String();
  if (Application->MessageBox(Format(dxBarString(dxbsClearCategoryQuestion), {category}), Application->Title(),
                              MB_OKCANCEL | MB_ICONWARNING) != IDOK)
    return;
  if (lbItems->MultiSelect()) {
    for (int i = 0; i < lbItems->Items()->Count(); ++i) lbItems->SetSelected(i, true);
  } else if (lbItems->Items()->Count() > 0) {
    lbItems->SetItemIndex(0);
  }
  DeleteSelected(lbItems, true, nullptr);
  if (lbItems->CanFocus()) lbItems->SetFocus();
}

// ==== categories (design time) ====================================================================

bool TdxBarCustomizingForm::CanDeleteCategory() {
  if (manager_->Categories()->Count() <= 1 || lbCategories->ItemIndex() < 0) return false;
  for (int i = 0; i < lbItems->Items()->Count(); ++i)
    if (manager_->Designer() && !manager_->Designer()->CanDelete(lbItems->Items()->Objects(i))) return false;
  return true;
}

void TdxBarCustomizingForm::CategoriesAddClick(TObject*) {
  String name;
  if (ExecuteBarNameDialog(name, 1, 0, nullptr, manager_)) {
    manager_->Categories()->Add(name);
    FillCategories();
    lbCategories->SetItemIndex(lbCategories->Items()->Count() - 1);
    FillItems();
  }
  if (lbCategories->CanFocus()) lbCategories->SetFocus();
}

void TdxBarCustomizingForm::CategoriesInsertClick(TObject*) {
  const int index = lbCategories->ItemIndex();
  String name;
  if (index >= 0 && ExecuteBarNameDialog(name, 1, 1, nullptr, manager_)) {
    manager_->Categories()->Insert(SelectedCategory(), name);
    FillCategories();
    lbCategories->SetItemIndex(index);
    FillItems();
  }
  if (lbCategories->CanFocus()) lbCategories->SetFocus();
}

void TdxBarCustomizingForm::CategoriesRenameClick(TObject*) {
  const int index = lbCategories->ItemIndex();
  if (index < 0) return;
  String name = lbCategories->Items()->Strings(index);
  if (ExecuteBarNameDialog(name, 1, 2, nullptr, manager_)) {
    manager_->Categories()->SetStrings(SelectedCategory(), name);
    lbCategories->Items()->SetStrings(index, name);
    lbCategories->SetItemIndex(index);
  }
  if (lbCategories->CanFocus()) lbCategories->SetFocus();
}

void TdxBarCustomizingForm::CategoriesDeleteClick(TObject*) {
  if (!CanDeleteCategory()) return;
  const int index = lbCategories->ItemIndex();
  const String name = lbCategories->Items()->Strings(index);
  if (Application->MessageBox(Format(dxBarString(dxbsDeleteCategoryQuestion), {name}), Application->Title(),
                              MB_OKCANCEL | MB_ICONWARNING) == IDOK) {
    manager_->SelectInDesigner(manager_, soExclusive);
    manager_->Categories()->Delete(SelectedCategory());
    FillCategories();
    lbCategories->SetItemIndex(std::min(index, lbCategories->Items()->Count() - 1));
    FillItems();
  }
  if (lbCategories->CanFocus()) lbCategories->SetFocus();
}

// ==== groups (design time) ========================================================================

void TdxBarCustomizingForm::aAddGroupExecute(TObject*) {
  manager_->GroupList()->BeginUpdate();
  TdxBarGroup* group = nullptr;
  try {
    group = new TdxBarGroup(manager_->OwnerComponent());
    String name;
    manager_->DesignerUniqueName(L"dxBarGroup", name);
    if (!name.empty()) group->SetName(name);
  } catch (...) {
    if (group) group->Free();
    manager_->GroupList()->EndUpdate(true);
    throw;
  }
  manager_->GroupList()->EndUpdate(true);
  manager_->SelectInDesigner(group, soExclusive);
  manager_->NotifyDesignerModified();
}

void TdxBarCustomizingForm::aDeleteGroupExecute(TObject*) { DeleteSelected(lbGroups, true, nullptr); }

void TdxBarCustomizingForm::aMoveGroupExecute(TObject* Sender) {
  const int direction = static_cast<int>(static_cast<TComponent*>(Sender)->Tag);
  MoveSelected(
      lbGroups, direction, [&](int From, int To) { manager_->GroupAt(From)->SetIndexInManager(To); },
      [&](bool End) {
        if (End) manager_->GroupList()->EndUpdate(true);
        else manager_->GroupList()->BeginUpdate();
      });
}

void TdxBarCustomizingForm::aAddGroupItemExecute(TObject*) {
  const std::vector<TObject*> groups = SelectedObjects(lbGroups);
  if (groups.size() != 1) return;
  auto* group = static_cast<TdxBarGroup*>(groups.front());
  TList chosen;
  if (!ExecuteAddGroupItemsDialog(group, chosen)) return;
  std::vector<TComponent*> members;
  for (int i = 0; i < chosen.Count(); ++i) members.push_back(static_cast<TComponent*>(chosen.Items(i)));
  if (!group->AddMembers(members)) {
    Application->MessageBox(dxBarString(dxbsRecursiveGroups), Application->Title(), MB_OK | MB_ICONERROR);
    return;
  }
  selectedGroupMembers_->Assign(chosen);
  FillGroupItems();
  manager_->NotifyDesignerModified();
}

void TdxBarCustomizingForm::RemoveGroupMember(TObject* Object) {
  const std::vector<TObject*> groups = SelectedObjects(lbGroups);
  if (groups.size() == 1) static_cast<TdxBarGroup*>(groups.front())->RemoveMember(static_cast<TComponent*>(Object));
}

void TdxBarCustomizingForm::aDeleteGroupItemExecute(TObject*) {
  DeleteSelected(lbGroupItems, false, &TdxBarCustomizingForm::RemoveGroupMember);
  selectedGroupMembers_->Clear();
  for (TObject* member : SelectedObjects(lbGroupItems)) selectedGroupMembers_->Add(member);
  FillGroupItems();
}

void TdxBarCustomizingForm::aMoveGroupItemExecute(TObject* Sender) {
  const std::vector<TObject*> groups = SelectedObjects(lbGroups);
  if (groups.size() != 1) return;
  auto* group = static_cast<TdxBarGroup*>(groups.front());
  const int direction = static_cast<int>(static_cast<TComponent*>(Sender)->Tag);
  MoveSelected(lbGroupItems, direction, [&](int From, int To) { group->MoveMember(From, To); }, [](bool) {});
  FillGroupItems();
}

// ==== options =====================================================================================

void TdxBarCustomizingForm::CBMenusShowRecentItemsFirstClick(TObject*) {
  CBShowFullMenusAfterDelay->SetEnabled(CBMenusShowRecentItemsFirst->Checked());
  manager_->SetMenusShowRecentItemsFirst(CBMenusShowRecentItemsFirst->Checked());
}

void TdxBarCustomizingForm::CBShowFullMenusAfterDelayClick(TObject*) {
  manager_->SetShowFullMenusAfterDelay(CBShowFullMenusAfterDelay->Checked());
}

void TdxBarCustomizingForm::CBLargeIconsClick(TObject* Sender) {
  manager_->SetLargeIcons(static_cast<TCheckBox*>(Sender)->Checked());
}

void TdxBarCustomizingForm::CBHint1Click(TObject* Sender) {
  manager_->SetShowHint(static_cast<TCheckBox*>(Sender)->Checked());
}

void TdxBarCustomizingForm::CBHint1ExClick(TObject* Sender) {
  CBHint2Ex->SetEnabled(CBHint1Ex->Checked());
  CBHint1Click(Sender);
}

void TdxBarCustomizingForm::CBHint2Click(TObject* Sender) {
  manager_->SetShowShortCutInHint(static_cast<TCheckBox*>(Sender)->Checked());
}

void TdxBarCustomizingForm::ComboBoxMenuAnimationsClick(TObject* Sender) {
  const int index = static_cast<TComboBox*>(Sender)->ItemIndex();
  if (index >= 0) manager_->SetMenuAnimations(TdxBarMenuAnimations(index));
}

void TdxBarCustomizingForm::BResetUsageDataClick(TObject*) { manager_->AskResetUsageData(); }

// ==== the window ==================================================================================

void TdxBarCustomizingForm::WMNCHitTest(TMessage& Message) {
  TForm::Dispatch(Message);
  switch (Message.Result) {
    case HTLEFT:
    case HTRIGHT: Message.Result = HTCLIENT; break;
    case HTTOPLEFT:
    case HTTOPRIGHT: Message.Result = HTTOP; break;
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT: Message.Result = HTBOTTOM; break;
    default: break;
  }
}

void TdxBarCustomizingForm::WMGetMinMaxInfo(TMessage& Message) {
  TForm::Dispatch(Message);
  if (minHeight_ > 0) reinterpret_cast<MINMAXINFO*>(Message.LParam)->ptMinTrackSize.y = minHeight_;
}

void TdxBarCustomizingForm::WMActivate(TMessage& Message) {
  TForm::Dispatch(Message);
  if (destroying_ || manager_->InsideActivation()) return;
  TCustomForm* form = ManagerForm(manager_);
  const HWND other = reinterpret_cast<HWND>(Message.LParam);
  if (form && form->HandleAllocated() && form->Handle() != other)
    SendMessageW(form->Handle(), WM_ACTIVATE, Message.WParam, reinterpret_cast<LPARAM>(other));
}

void TdxBarCustomizingForm::WMMouseWheel(TMessage& Message) {
  POINT p{LParamX(Message.LParam), LParamY(Message.LParam)};
  HWND window = WindowAtPoint(p);
  auto* list = dynamic_cast<TCustomListBox*>(FindControl(window));
  auto* focused = dynamic_cast<TCustomListBox*>(FindControl(GetFocus()));
  RECT bounds{};
  if (list && !focused && GetWindowRect(window, &bounds) && PtInRect(&bounds, p)) {
    UINT lines = 3;
    Bound().SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const TdxWheelScroll scroll =
        WheelScrollFor(GET_WHEEL_DELTA_WPARAM(Message.WParam), lines, list->Items()->Count());
    for (int i = 0; i < scroll.Times; ++i) SendMessageW(window, WM_VSCROLL, scroll.Code, 0);
    Message.Result = 0;
    return;
  }
  TForm::Dispatch(Message);
}

void TdxBarCustomizingForm::FollowOwnerShowHide(const WINDOWPOS& WindowPos) {
  if (!HandleAllocated()) return;
  if (WindowPos.flags & SWP_SHOWWINDOW) ShowWindow(Handle(), SW_SHOW);
  else if (WindowPos.flags & SWP_HIDEWINDOW) ShowWindow(Handle(), SW_HIDE);
}

void TdxBarCustomizingForm::FormShow(TObject*) {
  suspendedWindows_.clear();
  TdxBarManagerList* managers = BarManagerList();
  for (int m = 0; managers && m < managers->Count(); ++m) {
    TdxBarManager* manager = managers->ManagerAt(m);
    TCustomForm* form = ManagerForm(manager);
    if (!form || form == this || !form->HandleAllocated()) continue;
    for (int o = 0; o < managers->Count(); ++o)
      if (managers->ManagerAt(o) != manager_) managers->ManagerAt(o)->DisableBarWindows();
    if (IsWindowEnabled(form->Handle())) {
      EnableWindow(form->Handle(), FALSE);
      suspendedWindows_.push_back(form->Handle());
    }
  }
}

void TdxBarCustomizingForm::FormHide(TObject*) {
  TdxBarManagerList* managers = BarManagerList();
  for (int m = 0; managers && m < managers->Count(); ++m) managers->ManagerAt(m)->ReenableBarWindows();
  for (HWND window : suspendedWindows_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  suspendedWindows_.clear();
}

const TdxBarCustomizingFormPainter& TdxBarCustomizingForm::FormPainterClass() {
  TdxBarManager* manager = activeForm ? activeForm->Manager() : nullptr;
  return CustomizingFormPainterFor(manager ? manager->DefaultPainterClass() : nullptr);
}

// ==== the unit's routines =========================================================================

void ShowCustomizingForm(TdxBarManager* Manager, bool Show) {
  if (Show) {
    if (activeForm) return;
    Manager->UnmergeBars(nullptr, true);
    if (Manager->OnShowCustomizingForm) Manager->OnShowCustomizingForm(Manager);
    RefreshOtherManagersBars(Manager);
    activeForm = new TdxBarCustomizingForm(Manager);
    activeForm->Show();
    return;
  }
  if (!closingForm && activeForm) {
    TdxBarCustomizingForm* form = activeForm;
    activeForm = nullptr;
    form->Free();
  }
  if (Manager->OnHideCustomizingForm) Manager->OnHideCustomizingForm(Manager);
  RefreshOtherManagersBars(Manager);
  Manager->RemergeBars();
}

void CustomizingFormStyleChanged() {
  if (activeForm) activeForm->RefreshAll();
}

void CustomizingFormHelpButtonChanged() {
  if (activeForm) activeForm->UpdateHelpButton();
}

void CustomizingFormOptionsChanged() {
  if (activeForm) activeForm->LoadOptions();
}
