#pragma once
// The modeless "Customize" dialog of one bar manager: toolbars, commands by category, the options,
// and at design time every command and the item groups. It never edits bars itself: changes go
// through the manager, selection through the manager's designer.

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/controls/ToolBar.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"
#include "ui/bars/BarSupport.h"
#include "ui/foundation/Classes.h"

class TdxBarManager;
class TdxBarGroup;
class TdxBarCustomizingFormPainter;
class TcxComponentCollectionItem;
class TdxComponentList;

// The private messages of the dialog's lists.
constexpr UINT DXM_SYNCHRONIZESELECTION = 0x8066;
constexpr UINT DXM_UPDATEACTIONS = 0x8067;

class TdxBarCustomizingForm : public TForm {
  DECLARE_CLASS(TdxBarCustomizingForm, TForm)
 public:
  explicit TdxBarCustomizingForm(TdxBarManager* AManager);
  ~TdxBarCustomizingForm() override;

  TdxBarManager* Manager() const { return manager_; }
  // The painter that matches the exact class of the active dialog's manager's painter (the standard
  // one without a dialog).
  static const TdxBarCustomizingFormPainter& FormPainterClass();
  // The manager's main form moved, was shown or hidden: the dialog follows its visibility.
  void FollowOwnerShowHide(const WINDOWPOS& WindowPos);

  // ---- refreshes the manager's notifications call
  void RefreshAll();
  void UpdateHelpButton();
  void LoadOptions();
  void SynchronizeAll();

  // ---- components
  TPanel* BottomPanel = nullptr;
  TButton* BClose = nullptr;
  TBitBtn* BHelp = nullptr;
  TPageControl* PageControl = nullptr;
  TTabSheet* tsToolbars = nullptr;
  TTabSheet* tsItems = nullptr;
  TTabSheet* tsOptions = nullptr;
  TTabSheet* tsCommands = nullptr;
  TTabSheet* tsGroups = nullptr;
  TLabel* LabelToobars = nullptr;
  TListBox* lbBarsList = nullptr;
  TButton* BBarNew = nullptr;
  TButton* BBarRename = nullptr;
  TButton* BBarDelete = nullptr;
  TButton* BBarReset = nullptr;
  TLabel* LabelCategories = nullptr;
  TLabel* LabelCommands = nullptr;
  TListBox* lbCategories = nullptr;
  TListBox* lbItems = nullptr;
  TLabel* LabelDescription = nullptr;
  TBevel* BevelDescription = nullptr;
  TLabel* DescriptionLabel = nullptr;
  TPanel* StandardOptionsPanel = nullptr;
  TCheckBox* CBLargeIcons = nullptr;
  TCheckBox* CBHint1 = nullptr;
  TCheckBox* CBHint2 = nullptr;
  TLabel* LabelMenuAnimations = nullptr;
  TComboBox* ComboBoxMenuAnimations = nullptr;
  TPanel* EnhancedOptionsPanel = nullptr;
  TLabel* Label3 = nullptr;
  TBevel* Bevel3 = nullptr;
  TCheckBox* CBMenusShowRecentItemsFirst = nullptr;
  TCheckBox* CBShowFullMenusAfterDelay = nullptr;
  TButton* BResetUsageData = nullptr;
  TLabel* Label2 = nullptr;
  TBevel* Bevel2 = nullptr;
  TCheckBox* CBLargeIconsEx = nullptr;
  TCheckBox* CBHint1Ex = nullptr;
  TCheckBox* CBHint2Ex = nullptr;
  TLabel* Label1 = nullptr;
  TComboBox* ComboBoxMenuAnimationsEx = nullptr;
  TListBox* LAllCommands = nullptr;
  TCheckBox* CBShowCommandsWithShortCut = nullptr;
  TGroupBox* gbGroups = nullptr;
  TToolBar* tbGroups = nullptr;
  TListBox* lbGroups = nullptr;
  TGroupBox* gpGroupItems = nullptr;
  TToolBar* tbGroupItems = nullptr;
  TListBox* lbGroupItems = nullptr;
  TActionList* alCustomize = nullptr;
  TImageList* imgGroups = nullptr;
  TAction *aAddItem = nullptr, *aDeleteItem = nullptr, *aMoveUpItem = nullptr, *aMoveDownItem = nullptr;
  TAction *aSubMenuEditor = nullptr, *aClearItemList = nullptr;
  TAction *aAddGroup = nullptr, *aDeleteGroup = nullptr, *aMoveUpGroup = nullptr, *aMoveDownGroup = nullptr;
  TAction *aNewToolBar = nullptr, *aRenameToolBar = nullptr, *aDeleteToolBar = nullptr, *aResetToolBar = nullptr;
  TAction *aAddGroupItem = nullptr, *aDeleteGroupItem = nullptr, *aMoveUpGroupItem = nullptr,
          *aMoveDownGroupItem = nullptr;

  // ---- handlers
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void BHelpClick(TObject* Sender);
  void aNewToolBarExecute(TObject* Sender);
  void aRenameToolBarExecute(TObject* Sender);
  void aDeleteToolBarExecute(TObject* Sender);
  void aResetToolBarExecute(TObject* Sender);
  void aAddItemExecute(TObject* Sender);
  void aDeleteItemExecute(TObject* Sender);
  void aMoveItemExecute(TObject* Sender);
  void aSubMenuEditorExecute(TObject* Sender);
  void aClearItemListExecute(TObject* Sender);
  void aAddGroupExecute(TObject* Sender);
  void aDeleteGroupExecute(TObject* Sender);
  void aMoveGroupExecute(TObject* Sender);
  void aAddGroupItemExecute(TObject* Sender);
  void aDeleteGroupItemExecute(TObject* Sender);
  void aMoveGroupItemExecute(TObject* Sender);
  void CategoriesAddClick(TObject* Sender);
  void CategoriesInsertClick(TObject* Sender);
  void CategoriesRenameClick(TObject* Sender);
  void CategoriesDeleteClick(TObject* Sender);
  // What the categories menu offers for the selected category.
  bool CanDeleteCategory();
  void CBMenusShowRecentItemsFirstClick(TObject* Sender);
  void CBShowFullMenusAfterDelayClick(TObject* Sender);
  void CBLargeIconsClick(TObject* Sender);
  void CBHint1Click(TObject* Sender);
  void CBHint1ExClick(TObject* Sender);
  void CBHint2Click(TObject* Sender);
  void ComboBoxMenuAnimationsClick(TObject* Sender);
  void BResetUsageDataClick(TObject* Sender);
  void CBShowCommandsWithShortCutClick(TObject* Sender);

  // The beep of a toolbar the user may not close, and the window under a screen point (the wheel's
  // target); replaceable by tests.
  static void (*Beep)();
  static HWND (*WindowAtPoint)(POINT Point);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMNCHitTest(TMessage& Message);
  void WMActivate(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
  MESSAGE_HANDLER(WM_ACTIVATE, WMActivate)
  MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
  MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfo)
  MESSAGE_MAP_END

 private:
  void BuildForm();
  void BuildToolbarsPage(TLoadingBracket& Loading);
  void BuildCommandsPage(TLoadingBracket& Loading);
  void BuildOptionsPage(TLoadingBracket& Loading);
  void BuildAllCommandsPage(TLoadingBracket& Loading);
  void BuildGroupsPage(TLoadingBracket& Loading);
  void BuildActions();
  void SetUpTexts();
  void PrepareAnimationCombo(TLabel* Label, TComboBox* Combo);
  void HookLists(bool Install);

  // ---- list window procedures
  void lbBarsListProc(TMessage& Message, TWindowProcChain& Next);
  void lbCategoriesProc(TMessage& Message, TWindowProcChain& Next);
  void lbItemsProc(TMessage& Message, TWindowProcChain& Next);
  void LAllCommandsProc(TMessage& Message, TWindowProcChain& Next);
  void lbGroupsProc(TMessage& Message, TWindowProcChain& Next);
  void lbGroupItemsProc(TMessage& Message, TWindowProcChain& Next);
  // The private messages every list answers the same way; true when handled.
  bool HandleListMessage(TListBox* List, TMessage& Message);

  // ---- list contents
  void RefreshList(TListBox* List, TObject* Object, int Index);
  void FillBarsList();
  void FillCategories();
  void FillItems();
  void FillAllCommands();
  void FillGroups();
  void FillGroupItems();
  String EntryText(TListBox* List, TObject* Object);
  // The manager's category index of the selected category entry; -1 when none.
  int SelectedCategory();

  // ---- selection
  void SynchronizeSelection(TListBox* List);
  void PushSelection(TListBox* List);
  std::vector<TObject*> SelectedObjects(TListBox* List);
  std::vector<bool> SelectionFlags(TListBox* List);
  void UpdateActions(TListBox* List);
  void UpdateListActions(TListBox* List, TAction* AddAction, bool (TdxBarCustomizingForm::*CanDeleteTest)(TObject*),
                         TAction* MoveDownAction, TAction* MoveUpAction, TAction* DeleteAction);
  bool CanDeleteBar(TObject* Object);
  void DeleteSelected(TListBox* List, bool DoPushSelection, void (TdxBarCustomizingForm::*Remove)(TObject*));
  void RemoveGroupMember(TObject* Object);
  void MoveSelected(TListBox* List, int Direction, const std::function<void(int, int)>& Move,
                    const std::function<void(bool)>& Update);

  // ---- toolbars page
  void DrawBarEntry(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void ToggleBar(int Index);
  // ---- commands page
  void DrawItemEntry(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void lbCategoriesClick(TObject* Sender);
  void ListClick(TObject* Sender);
  void DrawAllCommandsEntry(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void DrawGroupEntry(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State);
  void MeasureGroupEntry(TWinControl* Control, int Index, int& Height);

  // ---- the manager's change events, chained
  void BarsChanged(TObject* Sender, TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action);
  void ItemsChanged(TdxComponentList* List, TComponent* Component, TdxComponentListChange Change);
  void GroupsChanged(TdxComponentList* List, TComponent* Component, TdxComponentListChange Change);
  void ChainEvents();
  void RestoreEvents();

  TdxBarManager* manager_;
  bool designing_;
  // The manager's events as they were before the form chained its own.
  TEvent<void(TObject*, TcxComponentCollectionItem*, TcxCollectionChangeKind)> savedBarsChange_;
  TEvent<void(TdxComponentList*, TComponent*, TdxComponentListChange)> savedItemsChange_;
  TEvent<void(TdxComponentList*, TComponent*, TdxComponentListChange)> savedGroupsChange_;
  bool eventsChained_ = false;
  bool listsHooked_ = false;
  std::unique_ptr<TList> selectedGroupMembers_;
  // Held weakly: an object selected when the dialog opened may be gone when it closes.
  std::vector<TcxObjectLink*> initialSelection_;
  void ReleaseInitialSelection();
  std::vector<HWND> suspendedWindows_;
  int draggedCategory_ = -1;
  int nameColumnWidth_ = 0, captionColumnWidth_ = 0, shortCutColumnWidth_ = 0;
  TListBox* pushingList_ = nullptr;
  int minHeight_ = 0;
  bool destroying_ = false;
};

// The open dialog, or null.
TdxBarCustomizingForm* ActiveCustomizingForm();
// Opens (Show) or frees the dialog for the manager; see the manager's customizing mode.
void ShowCustomizingForm(TdxBarManager* Manager, bool Show);
void CustomizingFormStyleChanged();
void CustomizingFormHelpButtonChanged();
void CustomizingFormOptionsChanged();
