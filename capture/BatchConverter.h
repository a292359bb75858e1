#pragma once
// TBatchConverterForm ("Batch Converter"): the modal three-step window that collects audio files
// (step 1) and a list of edit and effect commands (step 2), then, with the output format and folder
// of step 3, converts every file in one-second chunks through the command list into the chosen
// format and copies its tags. Files that fail stay in the list; the window closes by itself with
// modal result OK when every file was converted.

#include <map>
#include <optional>
#include <vector>

#include "app/core/DataItems.h"
#include "capture/BatchCommands.h"
#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/Menus.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/windows/Forms.h"

struct TGlobalVars;
class TAudioFile2;
class TAudioTransform2;
class TAudioInformation2;

// A file row's full path: its folder, a backslash and its name.
String BatchFilePath(const TBatchFileItem& Item);

// What the last "Convert Sample Rate And Channel" row asks of the output.
struct TBatchConvertTarget {
  int SampleRate;
  int Channels;
};

// Sets the writer's output format for the source open in Reader (the same format by the source's
// extension, compared exactly, or the format of BatchFileFormatIndex, each from the settings record)
// and returns the output's extension. A convert target replaces the set-up's rate and channels where
// the set-up names them: WAV takes both, MP3 and Ogg take both when the writer accepts them with the
// set-up's bit rate, the MP3 encoder object takes the channel count, WMA keeps its profile.
String SetUpBatchOutput(TAudioFile2& Writer, TAudioFile2LameEnc& Encoder, const TAudioFile2& Reader,
                        const String& SourcePath, const TGlobalVars& Vars,
                        const std::optional<TBatchConvertTarget>& Convert);

class TBatchConverterForm : public TForm {
  DECLARE_CLASS(TBatchConverterForm, TForm)
 public:
  explicit TBatchConverterForm(TComponent* AOwner);
  ~TBatchConverterForm() override;

  TPanel* PanelHeader = nullptr;
  TLabel* LabelStep = nullptr;
  TLabel* LabelStepDetail = nullptr;
  TPageControl* PageControl = nullptr;
  TTabSheet* TabSheetFiles = nullptr;
  TTabSheet* TabSheetCommands = nullptr;
  TTabSheet* TabSheetOutput = nullptr;
  TButton* ButtonBack = nullptr;
  TButton* ButtonNext = nullptr;
  TButton* ButtonCancel = nullptr;
  TButton* ButtonHelp = nullptr;

  // Step 1
  TGroupBox* GroupBoxFileList = nullptr;
  TListView* ListViewFiles = nullptr;
  TButton* ButtonAddFile = nullptr;
  TButton* ButtonAddFolder = nullptr;
  TButton* ButtonRemoveFile = nullptr;
  TPopupMenu* PopupMenuFiles = nullptr;
  // The rows' small icons: the shell's icon of each file type, added once per extension.
  TImageList* ImageListFiles = nullptr;
  TOpenDialog* OpenDialog = nullptr;

  // Step 2
  TGroupBox* GroupBoxCommand = nullptr;
  TListView* ListViewCommand = nullptr;
  TButton* ButtonAddCommand = nullptr;
  TButton* ButtonRemoveCommand = nullptr;
  TButton* ButtonSettings = nullptr;
  TPopupMenu* PopupMenuCommand = nullptr;

  // Step 3
  TGroupBox* GroupBoxFormat = nullptr;
  TRadioButton* RadioButtonSameFormat = nullptr;
  TRadioButton* RadioButtonConvertFormat = nullptr;
  TComboBox* ComboBoxFormat = nullptr;
  TButton* ButtonFormatSettings = nullptr;
  TGroupBox* GroupBoxFolder = nullptr;
  TRadioButton* RadioButtonSameFolder = nullptr;
  TRadioButton* RadioButtonSaveToFolder = nullptr;
  TEdit* EditFolder = nullptr;
  TButton* ButtonBrowse = nullptr;
  TGroupBox* GroupBoxProcessing = nullptr;
  TLabel* LabelProcessFileName = nullptr;
  TLabel* LabelLabelStatus = nullptr;
  TLabel* LabelBatch = nullptr;
  TProgressBar* ProgressBar = nullptr;
  TProgressBar* ProgressBarBatch = nullptr;
  TButton* ButtonStop = nullptr;

  // Its update pass is the window's idle update (UpdateControls).
  TActionList* ActionList = nullptr;
  TAction* ActionSelectAll = nullptr;

  TAudioFile2* AudioFileR = nullptr;
  TAudioFile2* AudioFileW = nullptr;
  TAudioTransform2* AudioTransform = nullptr;
  TAudioInformation2* AudioInformation = nullptr;
  TAudioFile2LameEnc LameEnc;

  // The rows' data in list order.
  TBatchFileItem* FileItem(int Row) const;
  TBatchCommand* CommandItem(int Row) const;
  // True while a run is active.
  bool Running() const { return !FStopped; }

  // Adds one file (when it exists, is of a supported type and is not yet listed); adds every entry of
  // a folder.
  void AddFile(const String& Path);
  void AddFolder(const String& Folder);
  // Appends a command row.
  void AddCommand(TBatchCommandPtr Command);
  // Converts every listed file.
  void RunBatch();
  // The idle update pass: the step labels, "&Next >"'s caption and the enabled buttons.
  void UpdateControls();

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ButtonBackClick(TObject* Sender);
  void ButtonNextClick(TObject* Sender);
  void ButtonHelpClick(TObject* Sender);
  void ButtonAddFileClick(TObject* Sender);
  void ButtonAddFolderClick(TObject* Sender);
  void ButtonRemoveFileClick(TObject* Sender);
  void ButtonAddCommandClick(TObject* Sender);
  void ButtonRemoveCommandClick(TObject* Sender);
  void ButtonSettingsClick(TObject* Sender);
  void ListViewCommandDblClick(TObject* Sender);
  void RadioButtonFormatClick(TObject* Sender);
  void RadioButtonFolderClick(TObject* Sender);
  void ComboBoxFormatChange(TObject* Sender);
  void ButtonFormatSettingsClick(TObject* Sender);
  void ButtonBrowseClick(TObject* Sender);
  void ButtonStopClick(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void ActionSelectAllExecute(TObject* Sender);

 protected:
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WMDropFiles(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_DROPFILES, WMDropFiles)
  MESSAGE_MAP_END

 private:
  void CreateControls(TLoadingBracket& Loading);
  void CreateStepFiles(TLoadingBracket& Loading);
  void CreateStepCommands(TLoadingBracket& Loading);
  void CreateStepOutput(TLoadingBracket& Loading);
  void ShowStep(int Step);
  void LockForRun(bool Lock);
  void RemoveSelectedRows(TListView* List);
  void ClearRows();
  void AddDroppedPath(const String& Path);
  int IconIndexOf(const String& Extension);

  bool ConvertOneFile(const String& OutputFolder);
  // Reads the source from its start and passes every chunk (the start silences, the file, the end
  // silences) through the first RowCount rows into Sink. Pass and Passes place the pass in the
  // per-file bar. False when the user stopped.
  template <class TSink>
  bool StreamFile(std::size_t RowCount, int Pass, int Passes, TSink&& Sink);
  void ShowFileProgress(std::int64_t Done, std::int64_t Length, int Pass, int Passes);

  bool FStopped = true;
  int FTotalFiles = 0;
  int FDoneFiles = 0;
  int FFailedFiles = 0;
  String FCurrentFile;
  String FCurrentOutput;

  // The rows of the run's command list and each Normalize row's gain for the file in hand.
  std::vector<const TBatchCommand*> runRows_;
  std::vector<TNormalizeGain> runGains_;
  std::map<String, int> iconIndexes_;
};
