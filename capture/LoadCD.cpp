#include "capture/LoadCD.h"

#include <dbt.h>

#include <algorithm>
#include <memory>

#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "capture/Match.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/pngbuttons/PngSpeedButton.h"

DEFINE_CLASS(TLoadCDForm)

namespace {

constexpr const wchar_t* kButtonCaption = L"freecddb";
const wchar_t* const kAnimation[] = {L"- freecddb -", L"\\ freecddb \\", L"| freecddb |", L"/ freecddb /"};

// The file name without its extension.
String BaseName(const String& fileName) {
  const std::size_t dot = fileName.rfind(L'.');
  return dot == String::npos ? fileName : fileName.substr(0, dot);
}

String LastTwo(const String& text) { return text.size() <= 2 ? text : text.substr(text.size() - 2); }

TCDItem* ItemOf(TListItem* row) { return row ? static_cast<TCDItem*>(row->Data) : nullptr; }

}  // namespace

int CdaTrackNumber(const String& fileName) {
  const String digits = LastTwo(BaseName(fileName));
  int number = 0;
  if (digits.empty()) return 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return 0;
    number = number * 10 + (c - L'0');
  }
  return number;
}

TLoadCDForm::TLoadCDForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"LoadCDForm");
  SetCaption(L"Load Audio CD Track(s)");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(330, 420);
  CreateControls(loading);
  OnShow = {this, &TLoadCDForm::FormShow};
  loading.End();

  for (int i = 0; i < Cddb->Drives().DriveCount; ++i) ComboBoxCDROM->Items()->Add(Format(L"CD-ROM %d", {i + 1}));
  if (Cddb->Drives().DriveCount > 0) {
    ComboBoxCDROM->SetItemIndex(0);
    PostMessageW(Handle(), WM_LOADCD_START, 0, 0);
  }
  ResetButton();
}

TLoadCDForm::~TLoadCDForm() { ClearRows(); }

void TLoadCDForm::CreateControls(TLoadingBracket& Loading) {
  ActionList = Loading.Add(new TActionList(this));
  Actionfreecddb = Loading.Add(new TAction(this));
  Actionfreecddb->SetName(L"Actionfreecddb");
  Actionfreecddb->SetCaption(kButtonCaption);
  Actionfreecddb->SetActionList(ActionList);
  Actionfreecddb->SetOnExecute({this, &TLoadCDForm::ActionfreecddbExecute});
  ActionLoad = Loading.Add(new TAction(this));
  ActionLoad->SetName(L"ActionLoad");
  ActionLoad->SetCaption(L"&Load");
  ActionLoad->SetActionList(ActionList);
  ActionLoad->SetOnExecute({this, &TLoadCDForm::ActionLoadExecute});
  ActionLoad->OnUpdate = {this, &TLoadCDForm::ActionLoadUpdate};

  GroupBoxDrive = Loading.Add(new TGroupBox(this));
  GroupBoxDrive->SetParent(this);
  GroupBoxDrive->SetCaption(L"CD-ROM &Drive");
  GroupBoxDrive->SetBounds(8, 8, 314, 56);
  ComboBoxCDROM = Loading.Add(new TComboBox(this));
  ComboBoxCDROM->SetName(L"ComboBoxCDROM");
  ComboBoxCDROM->SetParent(GroupBoxDrive);
  ComboBoxCDROM->SetStyle(csDropDownList);
  ComboBoxCDROM->SetBounds(10, 22, 200, 21);
  ComboBoxCDROM->OnChange = {this, &TLoadCDForm::ComboBoxCDROMChange};
  ButtonRefresh = Loading.Add(new TButton(this));
  ButtonRefresh->SetName(L"ButtonRefresh");
  ButtonRefresh->SetParent(GroupBoxDrive);
  ButtonRefresh->SetCaption(L"&Refresh");
  ButtonRefresh->SetBounds(220, 20, 84, 25);
  ButtonRefresh->OnClick = {this, &TLoadCDForm::ButtonRefreshClick};

  GroupBoxTracks = Loading.Add(new TGroupBox(this));
  GroupBoxTracks->SetParent(this);
  GroupBoxTracks->SetCaption(L"Select &Track(s)");
  GroupBoxTracks->SetBounds(8, 70, 314, 306);
  ListViewTracks = Loading.Add(new TListView(this));
  ListViewTracks->SetName(L"ListViewTracks");
  ListViewTracks->SetParent(GroupBoxTracks);
  ListViewTracks->SetBounds(10, 20, 294, 210);
  ListViewTracks->SetViewStyle(vsReport);
  ListViewTracks->SetReadOnly(true);
  ListViewTracks->SetRowSelect(true);
  TListColumn* column = ListViewTracks->Columns()->Add();
  column->SetCaption(L"Track");
  column->SetWidth(280);
  ListViewTracks->OnDblClick = {this, &TLoadCDForm::ListViewTracksDblClick};
  ButtonFreeCDDB = Loading.Add(new TPngSpeedButton(this));
  ButtonFreeCDDB->SetName(L"ButtonFreeCDDB");
  ButtonFreeCDDB->SetParent(GroupBoxTracks);
  ButtonFreeCDDB->SetFlat(true);
  ButtonFreeCDDB->SetBounds(10, 238, 120, 30);
  {
    TResourceStream art(GetModuleHandleW(nullptr), L"ButtonFreeCDDB", RT_RCDATA);
    ObjectPtr<TPNGObject> png(NewObject<TPNGObject>());
    png->LoadFromStream(art);
    ButtonFreeCDDB->SetPngImage(png.get());
  }
  ButtonFreeCDDB->SetAction(Actionfreecddb);
  LabelConnect = Loading.Add(new TLabel(this));
  LabelConnect->SetName(L"LabelConnect");
  LabelConnect->SetParent(GroupBoxTracks);
  LabelConnect->SetWordWrap(true);
  LabelConnect->SetAutoSize(false);
  LabelConnect->SetBounds(136, 236, 170, 64);
  LabelConnect->SetCaption(L"Connected to freedb server...");

  ButtonLoad = Loading.Add(new TButton(this));
  ButtonLoad->SetName(L"ButtonLoad");
  ButtonLoad->SetParent(this);
  ButtonLoad->SetAction(ActionLoad);
  ButtonLoad->SetDefault(true);
  ButtonLoad->SetBounds(166, 386, 75, 25);
  ButtonCancel = Loading.Add(new TButton(this));
  ButtonCancel->SetName(L"ButtonCancel");
  ButtonCancel->SetParent(this);
  ButtonCancel->SetCaption(L"&Cancel");
  ButtonCancel->Cancel = true;
  ButtonCancel->ModalResult = mrCancel;
  ButtonCancel->SetBounds(247, 386, 75, 25);

  Timer = Loading.Add(new TTimer(this));
  Timer->SetEnabled(false);
  Timer->SetInterval(300);
  Timer->SetOnTimer({this, &TLoadCDForm::TimerTimer});
  TimerLookup = Loading.Add(new TTimer(this));
  TimerLookup->SetEnabled(false);
  TimerLookup->SetInterval(kLookupTimeoutMs);
  TimerLookup->SetOnTimer({this, &TLoadCDForm::TimerLookupTimer});

  Cddb = Loading.Add(new TCddb(this));
  ConfigureCddb();
}

void TLoadCDForm::ConfigureCddb() {
  const TCddbServerRecord& server = CddbServer();
  Cddb->InternalTOCRetrieve = true;
  Cddb->LocalCDDBPath = L".\\";
  Cddb->LocalCDDBDLLPath = L".\\";
  Cddb->SetLocalCDDBType(lctWIN);
  Cddb->SetNoteToUser(L"dravelo");
  Cddb->ServerAdditionalAddr = server.Path;
  Cddb->ServerType = HTTP;
  Cddb->SetProxyPort(L"80");
  Cddb->SubmissionType = TEST;
  Cddb->MailServerPort = L"smtp";
  Cddb->ClientName = L"dravelo";
  Cddb->ClientVersion = L"2.0";
  Cddb->ClientComments = L"dravelo";
  Cddb->EmailUser = server.UserAddress;
  Cddb->EmailSubmit = server.UserAddress;
  Cddb->EmailTestSubmit = server.UserAddress;
  Cddb->OnStatusMessage = {this, &TLoadCDForm::CddbStatusMessage};
  Cddb->OnDataExchange = {this, &TLoadCDForm::CddbDataExchange};
  Cddb->OnMatch = {this, &TLoadCDForm::CddbMatch};
}

TCDItem* TLoadCDForm::SelectedItem() { return ItemOf(ListViewTracks->Selected()); }

void TLoadCDForm::FormShow(TObject*) { ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name()); }

// ---- the drive ------------------------------------------------------------------------------------

void TLoadCDForm::WMStart(TMessage&) { ReadDrive(); }
void TLoadCDForm::ComboBoxCDROMChange(TObject*) { ReadDrive(); }
void TLoadCDForm::ButtonRefreshClick(TObject*) { ReadDrive(); }

void TLoadCDForm::WMDeviceChange(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (Message.WParam == DBT_DEVICEARRIVAL || Message.WParam == DBT_DEVICEREMOVECOMPLETE) ReadDrive();
}

void TLoadCDForm::ReadDrive() {
  if (ComboBoxCDROM->ItemIndex() < 0) return;
  Cddb->ReadDiscInfo(ComboBoxCDROM->ItemIndex());
  ListTracks();
}

void TLoadCDForm::ClearRows() {
  TListItems* rows = ListViewTracks->Items();
  for (int i = 0; i < rows->Count(); ++i) {
    TCDItem* item = ItemOf(rows->Item(i));
    if (item) item->Free();
    rows->Item(i)->Data = nullptr;
  }
  rows->Clear();
}

void TLoadCDForm::ListTracks() {
  ClearRows();
  const wchar_t letter = Cddb->CurrentDriveLetter();
  if (!IsAudioCD(letter)) {
    Application->MessageBox(L"No Audio Disc have been detected. If you do have an Audio-CD inserted but see this "
                            L"message please read the Help topic relating to Loading CD Tracks.",
                            Application->Title(), MB_OK | MB_ICONERROR);
    return;
  }
  std::vector<String> files = CDPlatform().FindFiles(String(1, letter) + L":\\*.cda");
  // Rows in track order, whatever order the search returns; rows without a number last.
  std::stable_sort(files.begin(), files.end(), [](const String& a, const String& b) {
    const int x = CdaTrackNumber(a), y = CdaTrackNumber(b);
    return (x ? x : 1000) < (y ? y : 1000);
  });
  for (const String& file : files) {
    TCDItem* item = NewObject<TCDItem>();
    item->TrackPath = String(1, letter) + L":\\" + file;
    item->Caption = L"Track - " + LastTwo(BaseName(file));
    TListItem* row = ListViewTracks->Items()->Add();
    row->SetCaption(item->Caption);
    row->Data = item;
  }
}

// ---- loading --------------------------------------------------------------------------------------

void TLoadCDForm::ActionLoadUpdate(TObject*) { ActionLoad->SetEnabled(ListViewTracks->Selected() != nullptr); }

void TLoadCDForm::ActionLoadExecute(TObject*) {
  if (ListViewTracks->Selected()) ModalResult = mrOk;
}

void TLoadCDForm::ListViewTracksDblClick(TObject*) {
  if (ListViewTracks->Selected()) ModalResult = mrOk;
}

// ---- the lookup -----------------------------------------------------------------------------------

void TLoadCDForm::SetButtonCaption(const String& Caption) { Actionfreecddb->SetCaption(Caption); }

void TLoadCDForm::ResetButton() {
  Timer->SetEnabled(false);
  TimerLookup->SetEnabled(false);
  SetButtonCaption(kButtonCaption);
  LabelConnect->SetVisible(false);
}

void TLoadCDForm::StartAnimation() {
  animationStep_ = 0;
  SetButtonCaption(kButtonCaption);
  Timer->SetEnabled(true);
  LabelConnect->SetVisible(true);
}

void TLoadCDForm::StartLookupTimer() {
  TimerLookup->SetEnabled(false);
  TimerLookup->SetEnabled(true);
}

void TLoadCDForm::TimerTimer(TObject*) { SetButtonCaption(kAnimation[animationStep_++ % 4]); }

void TLoadCDForm::TimerLookupTimer(TObject*) {
  TimerLookup->SetEnabled(false);
  // A request still waiting for its server is aborted; its completion reports it like an
  // unreachable server.
  if (Cddb->HttpClient().State() != httpReady) Cddb->HttpClient().AbortRequest();
}

void TLoadCDForm::ActionfreecddbExecute(TObject*) {
  if (!IsAudioCD(Cddb->CurrentDriveLetter())) return;
  const TCddbServerRecord& server = CddbServer();
  Cddb->AbortRequest();
  Cddb->ServerAddr = server.Host;
  Cddb->ServerAdditionalAddr = server.Path;
  Cddb->ServerType = HTTP;
  Cddb->ServerPort = server.Port;
  Cddb->HttpQuery();
  StartAnimation();
  if (Cddb->State() == CddbState::QuerySent) StartLookupTimer();
}

void TLoadCDForm::CddbStatusMessage(TObject*, const String& Status) {
  switch (Cddb->State()) {
    case CddbState::ReadFailed:
      ResetButton();
      Application->MessageBox(L"Reading CDDB information failed.", Application->Title(), MB_OK | MB_ICONERROR);
      break;
    case CddbState::QuitSent: ResetButton(); break;
    case CddbState::InternalError:
      Application->MessageBox(
          L"The operation failed when trying to access the freeDB Internet server. Please try again later.",
          Application->Title(), MB_OK | MB_ICONERROR);
      ResetButton();
      break;
    default: break;
  }
  if (Status == L"Entry read") {
    ResetButton();
    PostMessageW(Handle(), WM_LOADCD_TITLES, reinterpret_cast<WPARAM>(Cddb), 0);
  }
  LabelConnect->SetCaption(L"Connected to freedb server, please wait ... \n\rStatus: " + LowerCase(Status) + L" ...");
}

void TLoadCDForm::CddbDataExchange(TObject*, const String&) {}

void TLoadCDForm::CddbMatch(TObject*, TMatchArray& Matches, int& RightOne) {
  RightOne = -1;
  std::unique_ptr<TMatchForm> form(new TMatchForm(this));
  CentreOver(form.get(), this);
  for (const String& match : Matches) {
    if (match.empty()) break;
    const std::size_t blank = match.find(L' ');
    const String category = match.substr(0, blank);
    const String title = blank == String::npos || match.size() <= blank + 10 ? L"" : match.substr(blank + 10);
    form->LstMatches->Items()->Add(title + L" - " + category);
  }
  if (form->ShowModal() == mrOk)
    RightOne = form->LstMatches->ItemIndex();
  else
    ResetButton();
  if (RightOne != -1) PostMessageW(Handle(), WM_LOADCD_READ, reinterpret_cast<WPARAM>(Cddb), 0);
}

void TLoadCDForm::WMRead(TMessage&) {
  if (Cddb->State() != CddbState::QueryDone && Cddb->State() != CddbState::MatchesReceived) return;
  Cddb->HttpRead();
  if (Cddb->State() == CddbState::ReadSent) StartLookupTimer();
}

void TLoadCDForm::WMTitles(TMessage&) {
  TListItems* rows = ListViewTracks->Items();
  for (int i = 0; i < rows->Count(); ++i) {
    TListItem* row = rows->Item(i);
    TCDItem* old = ItemOf(row);
    if (!old) continue;
    const int track = CdaTrackNumber(old->TrackPath);
    if (track < 1 || track > kMaxCDTracks) continue;
    TCDItem* item = NewObject<TCDItem>();
    item->TrackPath = old->TrackPath;
    item->Caption = Cddb->DiscInfo().TrackTitles[track - 1];
    old->Free();
    row->Data = item;
    row->SetCaption(item->Caption);
  }
}
