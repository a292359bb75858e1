#pragma once
// TLoadCDForm: the modal dialog that lists the track files of the audio CD in one of the CD drives,
// fetches the track titles from a public CD database server through its TCddb, and returns the
// chosen row's TCDItem.

#include "app/core/DataItems.h"
#include "capture/Cddb.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/Timer.h"

class TPngSpeedButton;

// The dialog's own messages (first parameter of the last two: the client).
constexpr UINT WM_LOADCD_START = 0xC00;
constexpr UINT WM_LOADCD_READ = 0x800;
constexpr UINT WM_LOADCD_TITLES = 0x1000;

class TLoadCDForm : public TForm {
  DECLARE_CLASS(TLoadCDForm, TForm)

 public:
  explicit TLoadCDForm(TComponent* AOwner);
  ~TLoadCDForm() override;

  TGroupBox* GroupBoxDrive = nullptr;
  TComboBox* ComboBoxCDROM = nullptr;
  TButton* ButtonRefresh = nullptr;
  TGroupBox* GroupBoxTracks = nullptr;
  TListView* ListViewTracks = nullptr;
  TPngSpeedButton* ButtonFreeCDDB = nullptr;
  TLabel* LabelConnect = nullptr;
  TButton* ButtonLoad = nullptr;
  TButton* ButtonCancel = nullptr;
  TTimer* Timer = nullptr;
  // Ends a lookup the server leaves unanswered.
  TTimer* TimerLookup = nullptr;
  TActionList* ActionList = nullptr;
  TAction* Actionfreecddb = nullptr;
  TAction* ActionLoad = nullptr;
  TCddb* Cddb = nullptr;

  // How long a lookup request may run before the dialog gives it up.
  static constexpr Cardinal kLookupTimeoutMs = 30000;

  // The chosen row's data after OK; null when none is selected.
  TCDItem* SelectedItem();

  void FormShow(TObject* Sender);
  void ComboBoxCDROMChange(TObject* Sender);
  void ButtonRefreshClick(TObject* Sender);
  void ActionfreecddbExecute(TObject* Sender);
  void ActionLoadExecute(TObject* Sender);
  void ActionLoadUpdate(TObject* Sender);
  void ListViewTracksDblClick(TObject* Sender);
  void TimerTimer(TObject* Sender);
  void TimerLookupTimer(TObject* Sender);
  void CddbStatusMessage(TObject* Sender, const String& Status);
  void CddbDataExchange(TObject* Sender, const String& Status);
  void CddbMatch(TObject* Sender, TMatchArray& Matches, int& RightOne);

 protected:
  void WMStart(TMessage& Message);
  void WMRead(TMessage& Message);
  void WMTitles(TMessage& Message);
  void WMDeviceChange(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_LOADCD_START, WMStart)
  MESSAGE_HANDLER(WM_LOADCD_READ, WMRead)
  MESSAGE_HANDLER(WM_LOADCD_TITLES, WMTitles)
  MESSAGE_HANDLER(WM_DEVICECHANGE, WMDeviceChange)
  MESSAGE_MAP_END

 private:
  void CreateControls(TLoadingBracket& Loading);
  void ConfigureCddb();
  void ReadDrive();
  void ListTracks();
  void ClearRows();
  void ResetButton();
  void StartAnimation();
  void StartLookupTimer();
  void SetButtonCaption(const String& Caption);

  int animationStep_ = 0;
};

// A row's track number: the number of the last two characters of its file name without the
// extension; 0 when they are no number.
int CdaTrackNumber(const String& fileName);
