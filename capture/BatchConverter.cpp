#include "capture/BatchConverter.h"

#include <algorithm>
#include <cmath>

#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "app/core/Globals.h"
#include "app/core/Help.h"
#include "app/core/OutputFormats.h"
#include "app/core/Paths.h"
#include "app/core/SampleRates.h"
#include "app/core/WaitCursor.h"
#include "capture/AddCommand.h"
#include "dialogs/DialogParts.h"
#include "dialogs/FormatDialog.h"
#include "platform/audio/processing/AudioFile2.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/framework/graphics/Icon.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/FormBuilding.h"
#include "platform/framework/windows/ShellDrop.h"
#include "platform/framework/windows/ShortCuts.h"

#include <shellapi.h>
#include <shlobj.h>

DEFINE_CLASS(TBatchConverterForm)

namespace {

const wchar_t* const kFormatExtensions[] = {L".wav", L".mp3", L".ogg", L".wma"};

template <class T>
T* Add(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name, int left, int top,
       int width, int height) {
  return PlaceControl(loading, new T(owner), parent, name, Bounds(left, top, width, height));
}

TListView* AddList(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name,
                   std::initializer_list<std::pair<const wchar_t*, int>> columns, TPopupMenu* menu) {
  TListView* list = Add<TListView>(loading, owner, parent, name, 10, 18, 460, 252);
  list->SetViewStyle(vsReport);
  list->SetMultiSelect(true);
  list->SetRowSelect(true);
  list->SetReadOnly(true);
  list->SetHideSelection(false);
  for (const auto& [caption, width] : columns) {
    TListColumn* column = list->Columns()->Add();
    column->SetCaption(caption);
    column->SetWidth(width);
  }
  list->SetPopupMenu(menu);
  return list;
}

void AddMenuItem(TComponent* owner, TPopupMenu* menu, const wchar_t* caption, TNotifyEvent onClick) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->OnClick = onClick;
  menu->Items()->Add(item);
}

void ShowError(const String& text) { Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR); }

String DamagedText(const wchar_t* lead, const String& path) {
  return String(lead) + L"\r\n\r\nThe file \"" + path + L"\" is damaged or the format is not supported.";
}

// The last convert row's rate and channels.
std::optional<TBatchConvertTarget> ConvertTargetOf(const std::vector<const TBatchCommand*>& rows) {
  std::optional<TBatchConvertTarget> target;
  for (const TBatchCommand* row : rows)
    if (row->Kind() == TBatchCommandKind::ConvertSampleType)
      target = TBatchConvertTarget{ConversionSampleRateOfIndex(row->Values.at(0)), row->Values.at(1) == 1 ? 1 : 2};
  return target;
}

// Milliseconds of silence as frames at the rate.
std::int64_t SilenceFrames(const std::vector<const TBatchCommand*>& rows, TBatchCommandKind kind, int rate) {
  std::int64_t frames = 0;
  for (const TBatchCommand* row : rows)
    if (row->Kind() == kind) frames += std::max<std::int64_t>(0, row->Values.at(0)) * rate / 1000;
  return frames;
}

void SetUpMp3(TAudioFile2& w, TAudioFile2LameEnc& encoder, TMp3FormatCall call,
              const std::optional<TBatchConvertTarget>& convert) {
  if (call.ConstantBitRate) {
    if (convert && w.CanMp3(convert->SampleRate, call.BitRate, convert->Channels))
      call.Rate = convert->SampleRate, call.Channels = convert->Channels;
    w.SetMp3Format(call.Rate, call.BitRate, call.Channels);
    return;
  }
  encoder = TAudioFile2LameEnc();
  ApplyMp3EncoderCall(encoder, call);
  if (convert) encoder.SetChannels(convert->Channels);
  w.SetMp3Encoder(encoder);
}

void SetUpOgg(TAudioFile2& w, TOggFormatCall call, const std::optional<TBatchConvertTarget>& convert) {
  // Quality mode takes any rate and channel count; a managed bit rate only what the encoder accepts.
  if (convert && (call.Quality >= 0 || w.CanOgg(convert->SampleRate, convert->Channels, call.BitRate, 0, 0)))
    call.Rate = convert->SampleRate, call.Channels = convert->Channels;
  w.SetOggFormat(call.Rate, call.Channels, call.BitRate, 0, 0, call.Quality);
}

void SetUpWave(TAudioFile2& w, const std::optional<TBatchConvertTarget>& convert) {
  if (convert) w.SetWaveFormat(convert->SampleRate, convert->Channels, w.Output().Wav.BitsPerSample);
}

int WmaProfileOfBitRate(std::int64_t bitsPerSecond) {
  if (bitsPerSecond <= 10000) return 36;
  if (bitsPerSecond <= 34000) return 23;
  if (bitsPerSecond <= 50000) return 16;
  if (bitsPerSecond <= 66000) return 13;
  if (bitsPerSecond <= 98000) return 11;
  if (bitsPerSecond <= 130000) return 10;
  return 8;
}

// The format of BatchFileFormatIndex (or of the MP3 default); returns its extension.
String SetUpConfigured(int index, TAudioFile2& w, TAudioFile2LameEnc& encoder, const TGlobalVars& vars,
                       const std::optional<TBatchConvertTarget>& convert) {
  switch (index) {
    case 0: {
      const TWaveFormatCall call = WaveOutputFormatOf(vars);
      w.SetWaveFormat(call.Rate, call.Channels, call.Bits);
      SetUpWave(w, convert);
      return L".wav";
    }
    case 2:
      // A record whose OGG type sets nothing gets the default stream rather than the last file's format.
      SetUpOgg(w, OggOutputFormatOf(vars).value_or(TOggFormatCall{44100, 2, 128, -1}), convert);
      return L".ogg";
    case 3:
      w.SetWmaProfile(WmaOutputProfileOf(vars).value_or(10));
      return L".wma";
    default:
      SetUpMp3(w, encoder, Mp3OutputFormatOf(vars), convert);
      return L".mp3";
  }
}

}  // namespace

String BatchFilePath(const TBatchFileItem& Item) {
  return IncludeTrailingPathDelimiter(Item.FolderPath) + Item.FileName;
}

String SetUpBatchOutput(TAudioFile2& Writer, TAudioFile2LameEnc& Encoder, const TAudioFile2& Reader,
                        const String& SourcePath, const TGlobalVars& Vars,
                        const std::optional<TBatchConvertTarget>& Convert) {
  if (!Vars.BatchFileFormatUseTheSame)
    return SetUpConfigured(Vars.BatchFileFormatIndex == 0 || Vars.BatchFileFormatIndex == 2 ||
                                   Vars.BatchFileFormatIndex == 3
                               ? Vars.BatchFileFormatIndex
                               : 1,
                           Writer, Encoder, Vars, Convert);
  // The same format, by the source's extension compared exactly.
  const String ext = ExtractFileExt(SourcePath);
  const int rate = Reader.GetSampleRate(), channels = Reader.GetChannels();
  const int kbps = static_cast<int>(Reader.GetBitRate() / 1000);
  if (ext == L".wav") {
    Writer.SetWaveFormatFromFile(SourcePath);
    SetUpWave(Writer, Convert);
    return ext;
  }
  if (ext == L".mp3") {
    TMp3FormatCall call;
    call.ConstantBitRate = true;
    if (Writer.CanMp3(rate, kbps, channels)) call.Rate = rate, call.BitRate = kbps, call.Channels = channels;
    else call.Rate = 44100, call.BitRate = 128, call.Channels = 2;
    SetUpMp3(Writer, Encoder, call, Convert);
    return ext;
  }
  if (ext == L".ogg") {
    TOggFormatCall call{44100, 2, 128, -1};
    if (Writer.CanOgg(rate, channels, kbps, 0, 0)) call = TOggFormatCall{rate, channels, kbps, -1};
    SetUpOgg(Writer, call, Convert);
    return ext;
  }
  if (ext == L".wma") {
    Writer.SetWmaProfile(WmaProfileOfBitRate(Reader.GetBitRate()));
    return ext;
  }
  SetUpMp3(Writer, Encoder, Mp3OutputFormatOf(Vars), Convert);
  return L".mp3";
}

// ---- the window --------------------------------------------------------------------------------------

TBatchConverterForm::TBatchConverterForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  SetName(L"BatchConverterForm");
  SetCaption(L"Batch Converter");
  SetBorderStyle(bsDialog);
  Font()->SetName(L"Tahoma");
  Font()->SetSize(8);
  SetClientSize(620, 404);
  SetKeyPreview(true);
  CreateControls(loading);
  OnShow = {this, &TBatchConverterForm::FormShow};
  OnClose = {this, &TBatchConverterForm::FormClose};
  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = FStopped; };
  loading.End();

  AudioFileR->SetOption(-1);
  AudioFileW->SetOption(-1);
  AudioInformation->SetOption(-1);
  FStopped = true;
  ShowStep(0);
  RadioButtonSameFormat->SetChecked(GlobalVars.BatchFileFormatUseTheSame);
  RadioButtonConvertFormat->SetChecked(!GlobalVars.BatchFileFormatUseTheSame);
  ComboBoxFormat->SetItemIndex(GlobalVars.BatchFileFormatIndex >= 0 && GlobalVars.BatchFileFormatIndex < 4
                                   ? GlobalVars.BatchFileFormatIndex
                                   : -1);
  RadioButtonSameFolder->SetChecked(GlobalVars.BatchFileSaveFolderUseTheSame);
  RadioButtonSaveToFolder->SetChecked(!GlobalVars.BatchFileSaveFolderUseTheSame);
  EditFolder->SetText(GlobalVars.BatchFileSaveFolderpath);
  RadioButtonFormatClick(this);
  RadioButtonFolderClick(this);
  UpdateControls();
}

TBatchConverterForm::~TBatchConverterForm() { ClearRows(); }

void TBatchConverterForm::CreateControls(TLoadingBracket& Loading) {
  ActionList = Loading.Add(new TActionList(this));
  ActionList->SetName(L"ActionList");
  ActionList->OnUpdate = {this, &TBatchConverterForm::ActionListUpdate};
  ActionSelectAll = Loading.Add(new TAction(this));
  ActionSelectAll->SetName(L"ActionSelectAll");
  ActionSelectAll->SetCaption(L"Select All");
  ActionSelectAll->SetShortCut(TextToShortCut(L"Ctrl+A"));
  ActionSelectAll->OnExecute = {this, &TBatchConverterForm::ActionSelectAllExecute};
  ActionSelectAll->SetActionList(ActionList);
  AudioFileR = Loading.Add(new TAudioFile2(this));
  AudioFileR->SetName(L"AudioFileR");
  AudioFileW = Loading.Add(new TAudioFile2(this));
  AudioFileW->SetName(L"AudioFileW");
  AudioTransform = Loading.Add(new TAudioTransform2(this));
  AudioTransform->SetName(L"AudioTransform");
  AudioInformation = Loading.Add(new TAudioInformation2(this));
  AudioInformation->SetName(L"AudioInformation");

  PanelHeader = Add<TPanel>(Loading, this, this, L"PanelHeader", 0, 0, 620, 52);
  PanelHeader->SetBevelOuter(bvNone);
  PanelHeader->SetColor(clWindow);
  LabelStep = AddLabel(Loading, *this, PanelHeader, L"LabelStep", L"Step 1:", Bounds(12, 10, 590, 13));
  LabelStep->Font()->SetStyle({fsBold});
  LabelStep->SetAutoSize(false);
  LabelStep->SetBounds(12, 10, 590, 14);
  LabelStepDetail = AddLabel(Loading, *this, PanelHeader, L"LabelStepDetail", L"", Bounds(24, 28, 580, 13));
  LabelStepDetail->SetAutoSize(false);
  LabelStepDetail->SetBounds(24, 28, 580, 14);

  PageControl = Add<TPageControl>(Loading, this, this, L"PageControl", 8, 58, 604, 304);
  for (TTabSheet** sheet : {&TabSheetFiles, &TabSheetCommands, &TabSheetOutput}) {
    *sheet = Loading.Add(new TTabSheet(this));
    (*sheet)->SetPageControl(PageControl);
    (*sheet)->SetTabVisible(false);
  }
  TabSheetFiles->SetName(L"TabSheetFiles");
  TabSheetCommands->SetName(L"TabSheetCommands");
  TabSheetOutput->SetName(L"TabSheetOutput");
  CreateStepFiles(Loading);
  CreateStepCommands(Loading);
  CreateStepOutput(Loading);

  ButtonBack = AddButton(Loading, *this, this, L"ButtonBack", L"< &Back", Bounds(294, 372, 75, 25));
  ButtonNext = AddButton(Loading, *this, this, L"ButtonNext", L"&Next >", Bounds(370, 372, 75, 25));
  ButtonNext->SetDefault(true);
  ButtonCancel = AddButton(Loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(456, 372, 75, 25));
  ButtonCancel->ModalResult = mrCancel;
  ButtonHelp = AddButton(Loading, *this, this, L"ButtonHelp", L"&Help", Bounds(537, 372, 75, 25));
  ButtonBack->OnClick = {this, &TBatchConverterForm::ButtonBackClick};
  ButtonNext->OnClick = {this, &TBatchConverterForm::ButtonNextClick};
  ButtonHelp->OnClick = {this, &TBatchConverterForm::ButtonHelpClick};
}

void TBatchConverterForm::CreateStepFiles(TLoadingBracket& Loading) {
  PopupMenuFiles = Loading.Add(new TPopupMenu(this));
  PopupMenuFiles->SetName(L"PopupMenuFiles");
  AddMenuItem(this, PopupMenuFiles, L"Add File...", {this, &TBatchConverterForm::ButtonAddFileClick});
  AddMenuItem(this, PopupMenuFiles, L"Remove", {this, &TBatchConverterForm::ButtonRemoveFileClick});
  OpenDialog = Loading.Add(new TOpenDialog(this));
  OpenDialog->SetName(L"OpenDialog");
  OpenDialog->Filter = OpenAudioFileFilter();
  OpenDialog->Options = {ofHideReadOnly, ofAllowMultiSelect, ofPathMustExist, ofFileMustExist, ofEnableSizing};

  ImageListFiles = Loading.Add(new TImageList(this));
  ImageListFiles->SetName(L"ImageListFiles");
  ImageListFiles->SetSize(16, 16);
  GroupBoxFileList = AddGroupBox(Loading, *this, TabSheetFiles, L"GroupBoxFileList", L"File List",
                                 Bounds(4, 4, 588, 282));
  ListViewFiles = AddList(Loading, this, GroupBoxFileList, L"ListViewFiles", {{L"File", 150}, {L"Path", 240}},
                          PopupMenuFiles);
  ListViewFiles->SetSmallImages(ImageListFiles);
  ButtonAddFile = AddButton(Loading, *this, GroupBoxFileList, L"ButtonAddFile", L"Add File...",
                            Bounds(480, 18, 98, 25));
  ButtonAddFolder = AddButton(Loading, *this, GroupBoxFileList, L"ButtonAddFolder", L"Add Folder...",
                              Bounds(480, 48, 98, 25));
  ButtonRemoveFile = AddButton(Loading, *this, GroupBoxFileList, L"ButtonRemoveFile", L"Remove",
                               Bounds(480, 78, 98, 25));
  ButtonAddFile->OnClick = {this, &TBatchConverterForm::ButtonAddFileClick};
  ButtonAddFolder->OnClick = {this, &TBatchConverterForm::ButtonAddFolderClick};
  ButtonRemoveFile->OnClick = {this, &TBatchConverterForm::ButtonRemoveFileClick};
}

void TBatchConverterForm::CreateStepCommands(TLoadingBracket& Loading) {
  PopupMenuCommand = Loading.Add(new TPopupMenu(this));
  PopupMenuCommand->SetName(L"PopupMenuCommand");
  AddMenuItem(this, PopupMenuCommand, L"Add", {this, &TBatchConverterForm::ButtonAddCommandClick});
  AddMenuItem(this, PopupMenuCommand, L"Remove", {this, &TBatchConverterForm::ButtonRemoveCommandClick});
  AddMenuItem(this, PopupMenuCommand, L"Settings", {this, &TBatchConverterForm::ButtonSettingsClick});

  GroupBoxCommand =
      AddGroupBox(Loading, *this, TabSheetCommands, L"GroupBoxCommand", L"&Command List", Bounds(4, 4, 588, 282));
  ListViewCommand = AddList(Loading, this, GroupBoxCommand, L"ListViewCommand",
                            {{L"Command", 150}, {L"Settings", 350}}, PopupMenuCommand);
  ButtonAddCommand = AddButton(Loading, *this, GroupBoxCommand, L"ButtonAddCommand", L"Add", Bounds(480, 18, 98, 25));
  ButtonRemoveCommand = AddButton(Loading, *this, GroupBoxCommand, L"ButtonRemoveCommand", L"Remove",
                                  Bounds(480, 48, 98, 25));
  ButtonSettings = AddButton(Loading, *this, GroupBoxCommand, L"ButtonSettings", L"Settings",
                             Bounds(480, 78, 98, 25));
  ListViewCommand->OnDblClick = {this, &TBatchConverterForm::ListViewCommandDblClick};
  ButtonAddCommand->OnClick = {this, &TBatchConverterForm::ButtonAddCommandClick};
  ButtonRemoveCommand->OnClick = {this, &TBatchConverterForm::ButtonRemoveCommandClick};
  ButtonSettings->OnClick = {this, &TBatchConverterForm::ButtonSettingsClick};
}

void TBatchConverterForm::CreateStepOutput(TLoadingBracket& Loading) {
  TWinControl* page = TabSheetOutput;
  GroupBoxFormat = AddGroupBox(Loading, *this, page, L"GroupBoxFormat", L"&Output File Format",
                               Bounds(4, 4, 588, 74));
  RadioButtonSameFormat =
      AddRadioButton(Loading, *this, GroupBoxFormat, L"RadioButtonSameFormat",
                     L"Use the &same file format that was used to load the files (use .mp3 for default)",
                     Bounds(10, 18, 570, 17));
  RadioButtonConvertFormat = AddRadioButton(Loading, *this, GroupBoxFormat, L"RadioButtonConvertFormat",
                                            L"&Convert to file format",
                                            Bounds(10, 44, 150, 17));
  ComboBoxFormat = Add<TComboBox>(Loading, this, GroupBoxFormat, L"ComboBoxFormat", 166, 42, 80, 21);
  ComboBoxFormat->SetStyle(csDropDownList);
  for (const wchar_t* ext : kFormatExtensions) ComboBoxFormat->Items()->Add(ext);
  ButtonFormatSettings =
      AddButton(Loading, *this, GroupBoxFormat, L"ButtonFormatSettings", L"Format Settings",
                Bounds(256, 40, 110, 25));

  GroupBoxFolder = AddGroupBox(Loading, *this, page, L"GroupBoxFolder", L"&Output Folder", Bounds(4, 82, 588, 74));
  RadioButtonSameFolder =
      AddRadioButton(Loading, *this, GroupBoxFolder, L"RadioButtonSameFolder",
                     L"Use the sa&me folder that the files were loaded from (rename files if format is the same)",
                     Bounds(10, 18, 570, 17));
  RadioButtonSaveToFolder =
      AddRadioButton(Loading, *this, GroupBoxFolder, L"RadioButtonSaveToFolder", L"S&ave to this folder",
                     Bounds(10, 44, 120, 17));
  EditFolder = Add<TEdit>(Loading, this, GroupBoxFolder, L"EditFolder", 134, 42, 400, 21);
  EditFolder->SetReadOnly(true);
  ButtonBrowse = AddButton(Loading, *this, GroupBoxFolder, L"ButtonBrowse", L"...", Bounds(540, 41, 30, 23));

  GroupBoxProcessing =
      AddGroupBox(Loading, *this, page, L"GroupBoxProcessing", L"&Processing Files", Bounds(4, 160, 588, 124));
  LabelProcessFileName = AddLabel(Loading, *this, GroupBoxProcessing, L"LabelProcessFileName", L"...",
                                  Bounds(10, 18, 568, 13));
  LabelProcessFileName->SetAutoSize(false);
  LabelProcessFileName->SetBounds(10, 18, 568, 14);
  LabelLabelStatus = AddLabel(Loading, *this, GroupBoxProcessing, L"LabelLabelStatus", L"Status = 0%",
                              Bounds(10, 36, 200, 13));
  ProgressBar = Add<TProgressBar>(Loading, this, GroupBoxProcessing, L"ProgressBar", 10, 52, 568, 16);
  LabelBatch = AddLabel(Loading, *this, GroupBoxProcessing, L"LabelBatch", L"Batch = 0%", Bounds(10, 74, 200, 13));
  ProgressBarBatch = Add<TProgressBar>(Loading, this, GroupBoxProcessing, L"ProgressBarBatch", 10, 90, 480, 16);
  ButtonStop = AddButton(Loading, *this, GroupBoxProcessing, L"ButtonStop", L"&Cancel", Bounds(503, 86, 75, 25));
  GroupBoxProcessing->SetVisible(false);

  RadioButtonSameFormat->OnClick = {this, &TBatchConverterForm::RadioButtonFormatClick};
  RadioButtonConvertFormat->OnClick = {this, &TBatchConverterForm::RadioButtonFormatClick};
  ComboBoxFormat->OnChange = {this, &TBatchConverterForm::ComboBoxFormatChange};
  ButtonFormatSettings->OnClick = {this, &TBatchConverterForm::ButtonFormatSettingsClick};
  RadioButtonSameFolder->OnClick = {this, &TBatchConverterForm::RadioButtonFolderClick};
  RadioButtonSaveToFolder->OnClick = {this, &TBatchConverterForm::RadioButtonFolderClick};
  ButtonBrowse->OnClick = {this, &TBatchConverterForm::ButtonBrowseClick};
  ButtonStop->OnClick = {this, &TBatchConverterForm::ButtonStopClick};
}

void TBatchConverterForm::CreateWnd() {
  TForm::CreateWnd();
  DragAcceptFiles(Handle(), TRUE);
}

void TBatchConverterForm::FormShow(TObject*) { ReplaceFontName(this, L"Tahoma", Screen->HintFont()->Name()); }

void TBatchConverterForm::FormClose(TObject*, TCloseAction&) {
  GlobalVars.BatchFileFormatUseTheSame = RadioButtonSameFormat->Checked();
  if (ComboBoxFormat->ItemIndex() >= 0) GlobalVars.BatchFileFormatIndex = ComboBoxFormat->ItemIndex();
  GlobalVars.BatchFileSaveFolderUseTheSame = RadioButtonSameFolder->Checked();
  GlobalVars.BatchFileSaveFolderpath = EditFolder->Text();
}

TBatchFileItem* TBatchConverterForm::FileItem(int Row) const {
  return static_cast<TBatchFileItem*>(ListViewFiles->Items()->Item(Row)->Data);
}

TBatchCommand* TBatchConverterForm::CommandItem(int Row) const {
  return static_cast<TBatchCommand*>(ListViewCommand->Items()->Item(Row)->Data);
}

void TBatchConverterForm::ClearRows() {
  for (TListView* list : {ListViewFiles, ListViewCommand}) {
    if (!list) continue;
    for (int i = 0; i < list->Items()->Count(); ++i) {
      static_cast<TObject*>(list->Items()->Item(i)->Data)->Free();
      list->Items()->Item(i)->Data = nullptr;
    }
  }
}

// ---- steps --------------------------------------------------------------------------------------

void TBatchConverterForm::ShowStep(int Step) {
  PageControl->SetActivePageIndex(Step);
  UpdateControls();
}

void TBatchConverterForm::UpdateControls() {
  const int step = PageControl->ActivePageIndex();
  static const wchar_t* const kDetails[] = {
      L"Click on the Add File or Add Folder button to select the files or folder you want to process.",
      L"Click Add to select the commands you want to apply to files.",
      L"Select the output format and folder then click Finish."};
  if (step >= 0 && step < 3) {
    LabelStep->SetCaption(Format(L"Step %d:", {step + 1}));
    LabelStepDetail->SetCaption(kDetails[step]);
  }
  ButtonNext->SetCaption(step == 2 ? L"&Finish" : L"&Next >");
  const bool idle = FStopped;
  ButtonNext->SetEnabled(idle && (step != 0 || ListViewFiles->Items()->Count() > 0));
  ButtonBack->SetEnabled(idle && step > 0);
  ButtonCancel->SetEnabled(idle);
  // The lists are read-only while a run walks them.
  ButtonAddFile->SetEnabled(idle);
  ButtonAddFolder->SetEnabled(idle);
  ButtonAddCommand->SetEnabled(idle);
  ButtonRemoveFile->SetEnabled(idle && ListViewFiles->SelCount() > 0);
  ButtonRemoveCommand->SetEnabled(idle && ListViewCommand->SelCount() > 0);
  ButtonSettings->SetEnabled(idle && ListViewCommand->SelCount() > 0);
  ActionSelectAll->SetEnabled(idle && ListViewFiles->Items()->Count() > 0);
  for (TPopupMenu* menu : {PopupMenuFiles, PopupMenuCommand})
    for (int i = 0; i < menu->Items()->Count(); ++i) menu->Items()->Items(i)->SetEnabled(idle);
}

void TBatchConverterForm::ActionListUpdate(TBasicAction*, bool&) { UpdateControls(); }

void TBatchConverterForm::ActionSelectAllExecute(TObject*) {
  if (!FStopped || PageControl->ActivePageIndex() != 0) return;
  for (int i = 0; i < ListViewFiles->Items()->Count(); ++i) ListViewFiles->Items()->Item(i)->SetSelected(true);
}

void TBatchConverterForm::ButtonNextClick(TObject*) {
  if (!FStopped) return;
  const int step = PageControl->ActivePageIndex();
  if (step == 0) {
    if (ListViewFiles->Items()->Count() == 0) return;
    ShowStep(1);
    ListViewCommand->SetFocus();
  } else if (step == 1) {
    ShowStep(2);
    if (RadioButtonSameFormat->Enabled()) RadioButtonSameFormat->SetFocus();
  } else {
    RunBatch();
  }
}

void TBatchConverterForm::ButtonBackClick(TObject*) {
  if (!FStopped) return;
  const int step = PageControl->ActivePageIndex();
  if (step <= 0) return;
  ShowStep(step - 1);
  (step - 1 == 0 ? ListViewFiles : ListViewCommand)->SetFocus();
}

void TBatchConverterForm::ButtonHelpClick(TObject*) { ShowHelpTopic(Handle(), L"BatchConverter"); }

void TBatchConverterForm::KeyDown(Word& Key, TShiftState Shift) {
  const int step = PageControl->ActivePageIndex();
  if (Key == VK_DELETE && Shift.Empty() && step <= 1) {
    Key = 0;
    if (FStopped) RemoveSelectedRows(step == 0 ? ListViewFiles : ListViewCommand);
    return;
  }
  TForm::KeyDown(Key, Shift);
}

// ---- files ----------------------------------------------------------------------------------------

void TBatchConverterForm::AddFile(const String& Path) {
  if (!FStopped) return;
  try {
    if (!FileExists(Path) || !IsSupportedAudioFile(ExtractFileExt(Path))) return;
    const String name = ExtractFileName(Path), folder = ExcludeTrailingPathDelimiter(ExtractFilePath(Path));
    const String full = IncludeTrailingPathDelimiter(folder) + name;
    for (int i = 0; i < ListViewFiles->Items()->Count(); ++i)
      if (AnsiSameText(BatchFilePath(*FileItem(i)), full)) return;
    auto* item = new TBatchFileItem;
    item->FileName = name;
    item->FolderPath = folder;
    TListItem* row = ListViewFiles->Items()->Add();
    row->Data = item;
    row->SetCaption(name);
    row->SubItems()->Add(folder);
    row->SetImageIndex(IconIndexOf(ExtractFileExt(name)));
  } catch (const Exception&) {
    ShowError(DamagedText(L"An error occurred while adding file:", Path));
  }
}

int TBatchConverterForm::IconIndexOf(const String& Extension) {
  const String key = AnsiLowerCase(Extension);
  if (auto found = iconIndexes_.find(key); found != iconIndexes_.end()) return found->second;
  SHFILEINFOW info{};
  int index = -1;
  if (SHGetFileInfoW(key.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                     SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) &&
      info.hIcon) {
    ObjectPtr<TIcon> icon(new TIcon);
    icon->SetHandle(info.hIcon);
    index = ImageListFiles->AddIcon(icon.get());
  }
  iconIndexes_[key] = index;
  return index;
}

void TBatchConverterForm::AddFolder(const String& Folder) {
  if (!FStopped) return;
  const String folder = IncludeTrailingPathDelimiter(Folder);
  TSearchRec rec;
  if (FindFirst(folder + L"*.*", faAnyFile, rec) != 0) return;
  std::vector<String> names;
  do {
    if ((rec.Attr & faDirectory) == 0) names.push_back(rec.Name);
  } while (FindNext(rec) == 0);
  FindClose(rec);
  for (const String& name : names) AddFile(folder + name);
}

void TBatchConverterForm::ButtonAddFileClick(TObject*) {
  if (!FStopped) return;
  OpenDialog->FileName.clear();
  OpenDialog->InitialDir = GlobalVars.LastOpenDir;
  if (!OpenDialog->Execute()) return;
  TWaitCursor wait;
  TStrings* files = OpenDialog->Files();
  for (int i = 0; i < files->Count(); ++i) AddFile(files->Strings(i));
  if (files->Count() > 0) GlobalVars.LastOpenDir = ExtractFilePath(files->Strings(0));
}

void TBatchConverterForm::ButtonAddFolderClick(TObject*) {
  if (!FStopped) return;
  String folder;
  if (!SelectDirectory(L"Please select a folder", ExtractFilePath(GlobalVars.LastOpenDir),
                       BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS, folder))
    return;
  TWaitCursor wait;
  AddFolder(folder);
}

void TBatchConverterForm::AddDroppedPath(const String& Path) {
  if (DirectoryExists(Path)) AddFolder(Path);
  else AddFile(Path);
}

void TBatchConverterForm::WMDropFiles(TMessage& Message) {
  const TDroppedFiles dropped = TakeDroppedFiles(reinterpret_cast<HDROP>(Message.WParam));
  Message.Result = 0;
  if (!FStopped) return;
  TWaitCursor wait;
  for (const String& path : dropped.Files) AddDroppedPath(path);
}

void TBatchConverterForm::RemoveSelectedRows(TListView* List) {
  if (!FStopped) return;
  TListItems* items = List->Items();
  int lowest = -1;
  for (int i = items->Count() - 1; i >= 0; --i) {
    if (!items->Item(i)->Selected()) continue;
    static_cast<TObject*>(items->Item(i)->Data)->Free();
    items->Delete(i);
    lowest = i;
  }
  if (lowest < 0 || items->Count() == 0) return;
  TListItem* row = items->Item(std::min(lowest, items->Count() - 1));
  row->SetSelected(true);
  row->SetFocused(true);
  row->MakeVisible();
}

void TBatchConverterForm::ButtonRemoveFileClick(TObject*) { RemoveSelectedRows(ListViewFiles); }

// ---- commands ---------------------------------------------------------------------------------

void TBatchConverterForm::AddCommand(TBatchCommandPtr Command) {
  if (!FStopped || !Command) return;
  TListItem* row = ListViewCommand->Items()->Add();
  row->SetCaption(Command->Name());
  row->SubItems()->Add(Command->SettingsText());
  row->Data = Command.release();
}

void TBatchConverterForm::ButtonAddCommandClick(TObject*) {
  if (!FStopped) return;
  ObjectPtr<TAddCommandForm> dialog(new TAddCommandForm(this));
  TCustomForm* main = Application->MainForm();
  CentreOver(dialog.get(), main && main != this ? static_cast<TControl*>(main) : this);
  TBatchCommandKind kind;
  if (dialog->ShowModal() == mrOk && dialog->SelectedKind(kind)) AddCommand(NewBatchCommand(kind, GlobalVars));
}

void TBatchConverterForm::ButtonRemoveCommandClick(TObject*) { RemoveSelectedRows(ListViewCommand); }

void TBatchConverterForm::ButtonSettingsClick(TObject*) {
  if (!FStopped || ListViewCommand->SelCount() == 0) return;
  TListItem* row = ListViewCommand->ItemFocused();
  if (!row) row = ListViewCommand->Selected();
  if (!row) return;
  TBatchCommandPtr edited = EditBatchCommand(this, *static_cast<TBatchCommand*>(row->Data));
  if (!edited) return;
  static_cast<TBatchCommand*>(row->Data)->Free();
  row->SubItems()->Clear();
  row->SubItems()->Add(edited->SettingsText());
  row->Data = edited.release();
}

void TBatchConverterForm::ListViewCommandDblClick(TObject* Sender) { ButtonSettingsClick(Sender); }

// ---- output options ------------------------------------------------------------------------------

void TBatchConverterForm::RadioButtonFormatClick(TObject*) {
  const bool convert = RadioButtonConvertFormat->Checked();
  ComboBoxFormat->SetEnabled(convert && FStopped);
  ButtonFormatSettings->SetEnabled(convert && FStopped);
  GlobalVars.BatchFileFormatUseTheSame = RadioButtonSameFormat->Checked();
}

void TBatchConverterForm::RadioButtonFolderClick(TObject*) {
  const bool folder = RadioButtonSaveToFolder->Checked();
  EditFolder->SetEnabled(folder && FStopped);
  ButtonBrowse->SetEnabled(folder && FStopped);
  GlobalVars.BatchFileSaveFolderUseTheSame = RadioButtonSameFolder->Checked();
}

void TBatchConverterForm::ComboBoxFormatChange(TObject*) {
  if (ComboBoxFormat->ItemIndex() >= 0) GlobalVars.BatchFileFormatIndex = ComboBoxFormat->ItemIndex();
}

void TBatchConverterForm::ButtonFormatSettingsClick(TObject*) {
  const int index = ComboBoxFormat->ItemIndex();
  if (index < 0 || index >= 4) return;
  ExecuteOutputFormatDialog(kFormatExtensions[index], this);
}

void TBatchConverterForm::ButtonBrowseClick(TObject*) {
  String folder;
  if (!SelectDirectory(L"Please select a folder", GlobalVars.BatchFileSaveFolderpath,
                       BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS, folder))
    return;
  GlobalVars.BatchFileSaveFolderpath = folder;
  EditFolder->SetText(folder);
}

// ---- the run --------------------------------------------------------------------------------------

void TBatchConverterForm::LockForRun(bool Lock) {
  for (TControl* control : std::initializer_list<TControl*>{
           RadioButtonSameFormat, RadioButtonConvertFormat, ComboBoxFormat, ButtonFormatSettings,
           RadioButtonSameFolder, RadioButtonSaveToFolder, EditFolder, ButtonBrowse, ButtonBack, ButtonNext,
           ButtonCancel})
    control->SetEnabled(!Lock);
  GroupBoxProcessing->SetVisible(Lock);
  if (!Lock) {
    RadioButtonFormatClick(this);
    RadioButtonFolderClick(this);
  }
  UpdateControls();
}

void TBatchConverterForm::ButtonStopClick(TObject*) {
  if (FStopped) return;
  if (Application->MessageBox(L"Really want to stop convertion?", Application->Title(),
                              MB_YESNO | MB_ICONQUESTION) == IDYES)
    FStopped = true;
}

void TBatchConverterForm::RunBatch() {
  if (!FStopped) return;
  FStopped = false;
  LockForRun(true);
  FTotalFiles = ListViewFiles->Items()->Count();
  FDoneFiles = 0;
  FFailedFiles = 0;
  String firstFailure;
  try {
    while (ListViewFiles->Items()->Count() > 0) {
      TBatchFileItem* item = FileItem(0);
      FCurrentFile = BatchFilePath(*item);
      String folder = item->FolderPath;
      const String chosen = Trim(EditFolder->Text());
      if (RadioButtonSaveToFolder->Checked() && !chosen.empty() && DirectoryExists(chosen)) folder = chosen;
      if ((!firstFailure.empty() && FCurrentFile == firstFailure) || FStopped) break;

      if (ConvertOneFile(folder)) {
        ListViewFiles->Items()->Delete(0);
        item->Free();
        ++FDoneFiles;
      } else {
        ShowError(L"Something wasn't as expected! At least one error occurred while processing file: \"" +
                  FCurrentFile + L"\"");
        const int icon = ListViewFiles->Items()->Item(0)->ImageIndex();
        ListViewFiles->Items()->Delete(0);
        TListItem* row = ListViewFiles->Items()->Add();
        row->Data = item;
        row->SetCaption(item->FileName);
        row->SubItems()->Add(item->FolderPath);
        row->SetImageIndex(icon);
        if (!FCurrentOutput.empty()) DeleteFile(FCurrentOutput);
        ++FFailedFiles;
        if (firstFailure.empty()) firstFailure = FCurrentFile;
      }
      const int batch = static_cast<int>(std::lround((FDoneFiles + FFailedFiles) * 100.0 / FTotalFiles));
      ProgressBarBatch->SetPosition(batch);
      LabelBatch->SetCaption(Format(L"Batch = %d%%", {batch}));
      if (FDoneFiles + FFailedFiles == FTotalFiles) {
        if (FFailedFiles > 0) {
          Application->MessageBox(Format(L"Encoding finished. %d file(s) not been encoded.", {FFailedFiles}),
                                  Application->Title(), MB_OK | MB_ICONINFORMATION);
          ShowStep(0);
          if (ListViewFiles->CanFocus()) ListViewFiles->SetFocus();
        } else {
          ModalResult = mrOk;
        }
      }
    }
  } catch (...) {
    FStopped = true;
    LockForRun(false);
    ProgressBarBatch->SetPosition(0);
    LabelBatch->SetCaption(L"Batch = 0%");
    throw;
  }
  FStopped = true;
  LockForRun(false);
  ProgressBarBatch->SetPosition(0);
  LabelBatch->SetCaption(L"Batch = 0%");
}

void TBatchConverterForm::ShowFileProgress(std::int64_t Done, std::int64_t Length, int Pass, int Passes) {
  // A source of length 0 shows a full bar and divides nothing.
  const int percent =
      Length <= 0 ? 100 : static_cast<int>((Pass * Length + std::min(Done, Length)) * 100 / (Passes * Length));
  ProgressBar->SetPosition(percent);
  LabelProcessFileName->SetCaption(Format(L"Working on file %d of %d:", {FDoneFiles + FFailedFiles + 1, FTotalFiles}) +
                                   L" \"" + FCurrentFile + L"\"");
  LabelLabelStatus->SetCaption(Format(L"Status = %d%%", {percent}));
}

template <class TSink>
bool TBatchConverterForm::StreamFile(std::size_t RowCount, int Pass, int Passes, TSink&& Sink) {
  const int rate = AudioFileR->GetFormatSampleRate(), channels = AudioFileR->GetFormatChannels();
  const std::int64_t length = AudioFileR->GetLength();
  const std::span<const TBatchCommand* const> rows(runRows_.data(), RowCount);
  AudioTransform->SetSampleRate(rate);
  std::int64_t done = 0;
  // One chunk through the rows into the sink, then the message loop once.
  auto pass = [&](SampleBuffer& chunk) {
    ApplyCommandList(*AudioTransform, rows, runGains_, chunk);
    Sink(chunk);
    ShowFileProgress(done, length, Pass, Passes);
    Application->ProcessMessages();
    return !FStopped;
  };
  auto silence = [&](std::int64_t frames) {
    while (frames > 0) {
      const std::int64_t count = std::min<std::int64_t>(frames, rate);
      SampleBuffer chunk(channels, rate, count);
      if (!pass(chunk)) return false;
      frames -= count;
    }
    return true;
  };
  if (!silence(SilenceFrames(runRows_, TBatchCommandKind::InsertSilenceAtTheStart, rate))) return false;
  const std::int64_t n = std::int64_t{channels} * rate;
  for (;;) {
    SampleBuffer chunk = AudioFileR->ReadBlock(n);
    if (chunk.Empty()) break;
    done = std::min(length, done + chunk.Frames());
    if (!pass(chunk)) return false;
  }
  return silence(SilenceFrames(runRows_, TBatchCommandKind::InsertSilenceAtTheEnd, rate));
}

bool TBatchConverterForm::ConvertOneFile(const String& OutputFolder) {
  // Only an output this file creates may be deleted when it fails.
  FCurrentOutput.clear();
  const String source = FCurrentFile;
  if (!FileExists(source)) {
    ShowError(Format(L"File do not exist: %s", {source}));
    return false;
  }
  try {
    AudioFileR->OpenRead(source, 0, 1);
  } catch (const Exception&) {
    ShowError(DamagedText(L"An error occurred while transforming file:", source));
    return false;
  }

  runRows_.clear();
  for (int i = 0; i < ListViewCommand->Items()->Count(); ++i) runRows_.push_back(CommandItem(i));
  runGains_.assign(runRows_.size(), TNormalizeGain{});
  bool completed = false;
  bool created = false;
  try {
    const String ext =
        SetUpBatchOutput(*AudioFileW, LameEnc, *AudioFileR, source, GlobalVars, ConvertTargetOf(runRows_));
    const int rate = AudioFileR->GetFormatSampleRate(), channels = AudioFileR->GetFormatChannels();
    AudioFileW->SetInputFormat(rate, channels);
    AudioTransform->SetSampleRate(rate);
    const String output = MakeUniqueFileName(ChangeFileExt(ExtractFileName(source), ext), OutputFolder);
    try {
      AudioFileW->CreateForWriting(output, 0);
    } catch (const Exception&) {
      ShowError(L"An error occurred while creating file \"" + output + L"\"");
      throw;
    }
    created = true;
    FCurrentOutput = output;
    AudioFileW->SetInputFormat(rate, channels);

    // A Normalize row normalizes the whole file: a pass through the rows before it finds the peak it
    // then scales to its level with one fixed gain.
    int passes = 1;
    for (const TBatchCommand* row : runRows_) passes += row->Kind() == TBatchCommandKind::Normalize ? 1 : 0;
    int pass = 0;
    bool stopped = false;
    for (std::size_t i = 0; i < runRows_.size() && !stopped; ++i) {
      if (runRows_[i]->Kind() != TBatchCommandKind::Normalize) continue;
      float peak = 0.0f;
      stopped = !StreamFile(i, pass++, passes, [&](const SampleBuffer& chunk) {
        const float* data = chunk.Data();
        for (std::int64_t k = 0; k < chunk.Values(); ++k) peak = std::max(peak, std::fabs(data[k]));
      });
      if (peak > 0.0f) runGains_[i] = {true, static_cast<float>(runRows_[i]->Values.at(0)) / peak};
      AudioFileR->OpenRead(source, 0, 1);
    }
    if (!stopped) stopped = !StreamFile(runRows_.size(), pass, passes, [&](const SampleBuffer& chunk) {
      AudioFileW->WriteBlock(chunk);
    });
    completed = !stopped;
  } catch (const EUniqueFileNameError& error) {
    ShowError(error.Message());
  } catch (const Exception& error) {
    if (created) ShowError(error.Message());
  }

  ProgressBar->SetPosition(100);
  try {
    if (created) AudioFileW->CloseAudioFile();
  } catch (const Exception& error) {
    ShowError(error.Message());
    completed = false;
  }
  AudioFileR->CloseAudioFile();
  ProgressBar->SetPosition(0);
  LabelProcessFileName->SetCaption(L"...");
  LabelLabelStatus->SetCaption(L"Status = 0%");
  if (!completed) return false;
  // Tags go only into formats whose tags can be rewritten; the converted audio stands either way.
  try {
    AudioInformation->ReadTagsFrom(source);
    AudioInformation->WriteTagsTo(FCurrentOutput);
  } catch (const Exception&) {
  }
  return true;
}
