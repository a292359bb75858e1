#pragma once
// TMainForm: the program's main window. It hosts the editor control, the preview player, the buffer
// effects, the file information component and the MP3 encoder settings, builds its panels, actions
// and menu bar in its constructor, and runs the program's start-up work in its creation step. Its
// member functions are spread over one file per concept:
//   MainForm.cpp       layout, creation step, first show, close query and close, hooks, drops
//   MainActions.cpp    the action table in command order and the menu bar
//   MainDocuments.cpp  open, new, save and close of the document
//   MainRecent.cpp     the recent-files commands
//   MainView.cpp       display modes and the editor's appearance
//   MainHelp.cpp       the manual, the web pages and the version box
//   MainEdit.cpp       the edit commands and the work after their dialogs' OK
//   MainTransport.cpp  play, pause, stop, cursor moves and the transport panel
//   MainZoom.cpp       zoom, vertical zoom, bars, channel lanes, mixer and exit
//   MainEditorEvents.cpp  the editor's events, time panels, selection scroll bars and meters
//   MainEnabling.cpp   the idle update pass that enables the commands
//   MainMarkers.cpp    bookmarks and regions (the list windows are Bookmarks.h and Regions.h)
//   MainEffects.cpp    the effect commands, the Effect menu and the live preview
//   Favorites.cpp, ShortCuts.cpp, Welcome.cpp, Tools.cpp, TextToSpeech.cpp, FreAnalysis.cpp
//                      favourites, shortcuts, the welcome window, the launch commands, speech and
//                      the analysis window (each beside the window it drives)

#include <cstdint>
#include <memory>
#include <vector>

#include "app/RecentFiles.h"
#include "dialogs/DialogHost.h"
#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/framework/windows/ActnList.h"
#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/controls/Menus.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Timer.h"
#include "ui/skins/controls/SkinGauge.h"
#include "ui/skins/controls/SkinHints.h"
#include "ui/skins/controls/SkinLabel.h"
#include "ui/skins/controls/SkinPanel.h"
#include "ui/skins/controls/SkinScrollBar.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/core/SkinManager.h"

class TAudioEditor2;
class TAudioInformation2;
class TFavorite;
class TAudioPlayer2;
class TAudioTransform2;
class TLoadingBracket;
class SampleBuffer;
struct TMixRequest;

// The editor's document state kept in its Tag.
constexpr int DocumentTagModified = 10;
constexpr int DocumentTagClean = 11;

class TMainForm : public TForm, public IPreviewHost, public IEditorHost, public IRecentFilesHost {
  DECLARE_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* AOwner);
  ~TMainForm() override;

  // ---- Components --------------------------------------------------------------------------------
  TPanel* PanelMain = nullptr;
  TAudioEditor2* AudioEditor = nullptr;
  TsScrollBar* ScrollBarEnd = nullptr;
  TsScrollBar* ScrollBarStart = nullptr;
  TsPanel* PanelButtom = nullptr;
  TsPanel* PanelSelection = nullptr;
  TLabel* LabelStartTitle = nullptr;
  TLabel* LabelEndTitle = nullptr;
  TLabel* LabelFileTitle = nullptr;
  TLabel* LabelSelTitle = nullptr;
  TsPanel* LabelStart = nullptr;
  TsPanel* LabelEnd = nullptr;
  TsPanel* LabelFileLength = nullptr;
  TsPanel* LabelSelLength = nullptr;
  TsPanel* sPanelTime = nullptr;
  TsPanel* MainTime = nullptr;
  TsPanel* PanelBottom = nullptr;
  TsPanel* PanelMeters = nullptr;
  TsLabel* LabelMeter = nullptr;
  TsGauge* LeftBar = nullptr;
  TsGauge* RightBar = nullptr;
  TsPanel* PanelZoom = nullptr;
  TsSkinManager* SkinManager = nullptr;
  // Every hint of the program is a drawn callout.
  TsHintManager* HintManager = nullptr;
  TTimer* TimerAfterShow = nullptr;
  TTimer* TimerRewind = nullptr;
  TTimer* TimerForword = nullptr;
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;
  TPopupMenu* PopupMenu = nullptr;
  TAudioPlayer2* AudioPlayer = nullptr;
  TAudioTransform2* AudioTransform = nullptr;
  TAudioInformation2* AudioInfo = nullptr;
  TAudioEditor2LameEnc LameEnc;

  TActionList* ActionList = nullptr;
  TAction* ActionNewFile = nullptr;
  TAction* ActionOpenFile = nullptr;
  TAction* ActionLoadCD = nullptr;
  TAction* ActionSaveFile = nullptr;
  TAction* ActionSaveAs = nullptr;
  TAction* ActionCloseFile = nullptr;
  TAction* ActionHelp = nullptr;
  TAction* ActionAbout = nullptr;
  TAction* ActionProductPage = nullptr;
  TAction* ActionTechnicalSupport = nullptr;
  TAction* ActionCompanyHomepage = nullptr;
  TAction* ActionWaveformMode = nullptr;
  TAction* ActionSpectralMode = nullptr;
  TAction* ActionHorizontalFormatDecimcal = nullptr;
  TAction* ActionHorizontalFormatSample = nullptr;
  TAction* ActionHorizontalFormatVisible = nullptr;
  TAction* ActionVerticalFormatSample = nullptr;
  TAction* ActionVerticalFormatNormalized = nullptr;
  TAction* ActionVerticalFormatDecibel = nullptr;
  TAction* ActionVerticalFormatVisiable = nullptr;

  // The menu bar, in place of the ribbon: one top-level item per menu, and the recent-files items at
  // the end of "File".
  TMainMenu* MainMenu = nullptr;
  TMenuItem* MenuFile = nullptr;
  TMenuItem* MenuEdit = nullptr;
  TMenuItem* MenuTransport = nullptr;
  TMenuItem* MenuZoom = nullptr;
  TMenuItem* MenuBookmark = nullptr;
  TMenuItem* MenuOptions = nullptr;
  TMenuItem* MenuHelp = nullptr;

  // ---- Document state ----------------------------------------------------------------------------
  bool DocumentOpen = false;
  bool ClipboardFilled = false;
  std::int64_t ClipboardLength = 0;
  String DocumentPath;
  int VerticalZoom = 100;
  TRecentFiles RecentFiles;

  // True when the creation step stopped at the brand check (the program is ending).
  bool CreationStopped() const { return creationStopped_; }
  // The document name shown beside the caption.
  const String& DocumentName() const { return documentName_; }
  void SetDocumentName(const String& Name);
  // The caption set by the brand step (title and version).
  const String& BaseCaption() const { return baseCaption_; }

  // ---- Services of every command -----------------------------------------------------------------
  void StopTransport();
  void SelectAllIfEmpty();
  void SetModified(bool Modified);
  bool IsModified() const;
  void ApplyTempDirectory();
  void RegisterShellVerbs();

  // ---- Documents ---------------------------------------------------------------------------------
  // The common open routine: true when the file was opened. A failure shows the error and leaves
  // the previous document, its name and every setting as they were.
  bool OpenAudioFile(const String& Path);
  bool NewAudioDocument(const String& Name, int SampleRate, int Channels);
  // The save routine: true when the file was written.
  bool SaveAudioFile(bool SaveAs, bool SelectionOnly);
  // The save routine's work once the format is settled: sets the output format, writes the file
  // and updates the document state; a selection-only save leaves the document's name and state.
  void WriteDocumentFile(const String& Path, bool SelectionOnly);
  // The save prompt: false when the routine that asked must stop.
  bool AskToSaveChanges();
  void SetDefaultTags();
  // The four format set-ups, applied to the editor from the settings record.
  void ApplyOutputFormat(int FileType);

  // ---- Recent files ------------------------------------------------------------------------------
  void LoadRecentPane();
  void ClearRecentFiles() override;
  // A click on the recent-files entry at Index.
  void dxBarMRUFilesClick(int Index);
  void RecentFilesChanged();

  // ---- View --------------------------------------------------------------------------------------
  void LoadViewSettings();
  void ApplyEditorAppearance();

  // ---- Dropped files -----------------------------------------------------------------------------
  // Opens the one dropped item when it is an existing file of a supported type.
  void OpenDroppedFiles(const std::vector<String>& Files);

  // ---- Event handlers bound by name --------------------------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void TimerAfterShowTimer(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void AppMessageHook(MSG& Msg, bool& Handled);

  void ActionNewFileExecute(TObject* Sender);
  void ActionOpenFileExecute(TObject* Sender);
  void ActionLoadCDExecute(TObject* Sender);
  void ActionBatchExecute(TObject* Sender);
  void ActionSaveFileExecute(TObject* Sender);
  void ActionSaveAsExecute(TObject* Sender);
  void ActionCloseFileExecute(TObject* Sender);
  void ActionHelpExecute(TObject* Sender);
  void ActionAboutExecute(TObject* Sender);
  void ActionProductPageExecute(TObject* Sender);
  void ActionTechnicalSupportExecute(TObject* Sender);
  void ActionCompanyHomepageExecute(TObject* Sender);
  void ActionWaveformModeExecute(TObject* Sender);
  void ActionSpectralModeExecute(TObject* Sender);
  void ActionHorizontalFormatDecimcalExecute(TObject* Sender);
  void ActionHorizontalFormatSampleExecute(TObject* Sender);
  void ActionHorizontalFormatVisibleExecute(TObject* Sender);
  void ActionVerticalFormatSampleExecute(TObject* Sender);
  void ActionVerticalFormatNormalizedExecute(TObject* Sender);
  void ActionVerticalFormatDecibelExecute(TObject* Sender);
  void ActionVerticalFormatVisiableExecute(TObject* Sender);
  // The document commands with their dialogs: new file (with the prompt), sample-rate conversion,
  // tags and options (MainDocuments.cpp).
  void ActionConvertSampleRateExecute(TObject* Sender);
  void ActionEditID3Execute(TObject* Sender);
  void ActionOptionsExecute(TObject* Sender);

  // ---- Edit, transport, view and marker commands (MainEdit.cpp, MainTransport.cpp, MainZoom.cpp,
  //      MainEditorEvents.cpp, MainEnabling.cpp, MainMarkers.cpp) ---------------------------------
  TAction* ActionUndo = nullptr;
  TAction* ActionRedo = nullptr;
  TAction* ActionCut = nullptr;
  TAction* ActionCopy = nullptr;
  TAction* ActionCopyToNew = nullptr;
  TAction* ActionPaste = nullptr;
  TAction* ActionDelete = nullptr;
  TAction* ActionSelectAll = nullptr;
  TAction* ActionSelectToStart = nullptr;
  TAction* ActionSelectToEnd = nullptr;
  TAction* ActionTrim = nullptr;
  TAction* ActionExit = nullptr;
  TAction* ActionTrimStart = nullptr;
  TAction* ActionTrimEnd = nullptr;
  TAction* ActionSilenceSelect = nullptr;
  TAction* ActionSaveSelect = nullptr;
  TAction* ActionInsertFileBegin = nullptr;
  TAction* ActionInsertFileCurrent = nullptr;
  TAction* ActionInsertFileEnd = nullptr;
  TAction* ActionPlay = nullptr;
  TAction* ActionPlayToEnd = nullptr;
  TAction* ActionLoopPlay = nullptr;
  TAction* ActionPause = nullptr;
  TAction* ActionStop = nullptr;
  TAction* ActionStart = nullptr;
  TAction* ActionRewind = nullptr;
  TAction* ActionForword = nullptr;
  TAction* ActionEnd = nullptr;
  TAction* ActionSetBookmark = nullptr;
  TAction* ActionOpenBookmarkList = nullptr;
  TAction* ActionAddRegion = nullptr;
  TAction* ActionOpenRegionList = nullptr;
  TAction* ActionShowCommandBar = nullptr;
  TAction* ActionBarOntheLeft = nullptr;
  TAction* ActionBarOntheRight = nullptr;
  TAction* ActionZoomIn = nullptr;
  TAction* ActionZoomOut = nullptr;
  TAction* ActionZoomToSelection = nullptr;
  TAction* ActionZoomFull = nullptr;
  TAction* ActionPlayAndPause = nullptr;
  TAction* ActionBottomBar = nullptr;
  TAction* ActionVerticalZoomIn = nullptr;
  TAction* ActionVerticalZoomOut = nullptr;
  TAction* ActionZoomToRight = nullptr;
  TAction* ActionZoomToLeft = nullptr;
  TAction* ActionWindowsMixer = nullptr;

  // The transport panel's buttons.
  TsSpeedButton* ButtonPlay = nullptr;
  TsSpeedButton* ButtonStop = nullptr;
  TsSpeedButton* ButtonPause = nullptr;
  TsSpeedButton* ButtonRecord = nullptr;
  TsSpeedButton* ButtonForword = nullptr;
  TsSpeedButton* ButtonStart = nullptr;
  TsSpeedButton* ButtonEnd = nullptr;
  TsSpeedButton* ButtonRewind = nullptr;
  TsSpeedButton* ButtonPlayToEnd = nullptr;
  TsSpeedButton* ButtonLoopPlay = nullptr;

  // The rate of the document the clipboard was copied from (0 before the first Cut or Copy).
  int ClipboardRate = 0;
  // The range the selection dialog hands back, in milliseconds.
  int SelectedTimeStart = 0;
  int SelectedTimeEnd = 0;
  // Re-entry guards of the selection scroll bars.
  bool SelectionFromEditor = false;
  bool SelectionFromScrollBars = false;

  // Set Modified, then play when the option asks for it.
  void FinishEdit();
  void InsertFileAt(int Place);
  // The work after the OK of the selection, insert-silence, repeat-loop and paste-mix dialogs.
  void SelectSpecifiedTimeAccepted();
  void InsertSilenceAccepted(int Place, int Milliseconds);
  void RepeatLoopAccepted(int Times, std::int64_t ChunkFrames);
  void MixAccepted(const TMixRequest& Request);
  // The edit commands with their dialogs (MainEdit.cpp). Place: 0 start, 1 cursor, 2 end.
  void InsertSilenceAt(int Place);
  // Mix File (FromFile) and Paste Mix: the file, the paste-mix dialog, then MixAccepted.
  void MixWithDialog(bool FromFile);
  void ActionSelectSpecifiedTimeExecute(TObject* Sender);
  void ActionMixFileExecute(TObject* Sender);
  void ActionRepeatLoopExecute(TObject* Sender);
  void ActionPasteMixExecute(TObject* Sender);
  void ActionInsertSilenceBeginExecute(TObject* Sender);
  void ActionInsertSilenceCurrentExecute(TObject* Sender);
  void ActionInsertSilenceEndExecute(TObject* Sender);
  // A double click on the selection panel or its labels: Select Specified Time on a document that
  // is not empty.
  void PanelSelectionDblClick(TObject* Sender);
  // Play, Play To End and Loop Play: 1, 2, 3.
  void PlayInMode(int Mode);
  void RewindStep();
  void ForwardStep();
  void ScrollViewToCursor();
  void UpdatePositionLabels();
  void SelectFromScrollBars();
  // The enabling table applied from freshly read facts.
  void UpdateCommandStates();
  // "System" keys of the command bar as the view restore applies them.
  void LoadCommandBarSettings(bool OnTheLeft, bool Show);
  // Empties both marker lists (closing, opening or creating a document).
  void ClearMarkerLists();
  // Stores the bounds of a showing list window (the close step, before the settings are saved).
  void StoreMarkerListBounds();

  void ActionUndoExecute(TObject* Sender);
  void ActionRedoExecute(TObject* Sender);
  void ActionCutExecute(TObject* Sender);
  void ActionCopyExecute(TObject* Sender);
  void ActionCopyToNewExecute(TObject* Sender);
  void ActionPasteExecute(TObject* Sender);
  void ActionDeleteExecute(TObject* Sender);
  void ActionSelectAllExecute(TObject* Sender);
  void ActionSelectToStartExecute(TObject* Sender);
  void ActionSelectToEndExecute(TObject* Sender);
  void ActionTrimExecute(TObject* Sender);
  void ActionTrimStartExecute(TObject* Sender);
  void ActionTrimEndExecute(TObject* Sender);
  void ActionSilenceSelectExecute(TObject* Sender);
  void ActionSaveSelectExecute(TObject* Sender);
  void ActionInsertFileBeginExecute(TObject* Sender);
  void ActionInsertFileCurrentExecute(TObject* Sender);
  void ActionInsertFileEndExecute(TObject* Sender);
  void ActionPlayExecute(TObject* Sender);
  void ActionPlayToEndExecute(TObject* Sender);
  void ActionLoopPlayExecute(TObject* Sender);
  void ActionPauseExecute(TObject* Sender);
  void ActionRecordExecute(TObject* Sender);
  void ButtonRecordClick(TObject* Sender);
  void ActionStopExecute(TObject* Sender);
  void ActionStartExecute(TObject* Sender);
  void ActionRewindExecute(TObject* Sender);
  void ActionForwordExecute(TObject* Sender);
  void ActionEndExecute(TObject* Sender);
  void ActionPlayAndPauseExecute(TObject* Sender);
  void ActionSetBookmarkExecute(TObject* Sender);
  void ActionOpenBookmarkListExecute(TObject* Sender);
  void ActionAddRegionExecute(TObject* Sender);
  void ActionOpenRegionListExecute(TObject* Sender);
  void ActionZoomInExecute(TObject* Sender);
  void ActionZoomOutExecute(TObject* Sender);
  void ActionZoomToSelectionExecute(TObject* Sender);
  void ActionZoomFullExecute(TObject* Sender);
  void ActionZoomToRightExecute(TObject* Sender);
  void ActionZoomToLeftExecute(TObject* Sender);
  void ActionVerticalZoomInExecute(TObject* Sender);
  void ActionVerticalZoomOutExecute(TObject* Sender);
  void ActionShowCommandBarExecute(TObject* Sender);
  void ActionBarOntheLeftExecute(TObject* Sender);
  void ActionBarOntheRightExecute(TObject* Sender);
  void ActionBottomBarExecute(TObject* Sender);
  void ActionWindowsMixerExecute(TObject* Sender);
  void ActionExitExecute(TObject* Sender);
  void ActionListUpdate(TBasicAction* Action, bool& Handled);
  void dxBarLargeButtonQuickBarClick(TObject* Sender);
  void dxBarLargeButtonLeftChannelClick(TObject* Sender);
  void dxBarLargeButtonRightChannelClick(TObject* Sender);
  void dxBarLargeButtonBothChannelsClick(TObject* Sender);
  void dxBarLargeButtonVerticalScaleClick(TObject* Sender);
  void dxBarLargeButtonHorizontalScaleClick(TObject* Sender);
  void ButtonRewindMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonRewindMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonForwordMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonForwordMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void TimerRewindTimer(TObject* Sender);
  void TimerForwordTimer(TObject* Sender);
  void AudioEditorBlockOperation(TObject* Sender, int Percent);
  void AudioEditorEndOperation(TObject* Sender);
  void AudioEditorChangePosition(TObject* Sender);
  void AudioEditorChangePlayPosition(TObject* Sender);
  void AudioEditorMeter(TObject* Sender, int LevelLeft, int LevelRight);
  void AudioEditorDblClick(TObject* Sender);
  void AudioEditorDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
  void ScrollBarStartChange(TObject* Sender);
  void ScrollBarEndChange(TObject* Sender);
  // ---- end of the edit, transport, view and marker commands ---------------------------------------

  // ---- Commands whose handlers are built elsewhere (placeholders), and this part's commands:
  //      favourites, shortcuts, welcome window, tools, speech, analysis (Favorites.cpp,
  //      ShortCuts.cpp, Welcome.cpp, Tools.cpp, TextToSpeech.cpp, FreAnalysis.cpp) ----------------
  TAction* ActionSelectSpecifiedTime = nullptr;
  TAction* ActionMixFile = nullptr;
  TAction* ActionRepeatLoop = nullptr;
  TAction* ActionConvertSampleRate = nullptr;
  TAction* ActionPasteMix = nullptr;
  TAction* ActionEditID3 = nullptr;
  TAction* ActionOptions = nullptr;
  TAction* ActionBatch = nullptr;
  TAction* ActionInsertSilenceBegin = nullptr;
  TAction* ActionInsertSilenceCurrent = nullptr;
  TAction* ActionInsertSilenceEnd = nullptr;
  TAction* ActionRecord = nullptr;
  TAction* ActionAmplify = nullptr;
  TAction* ActionNormalize = nullptr;
  TAction* ActionDynamicRangeCompressor = nullptr;
  TAction* ActionHighPass = nullptr;
  TAction* ActionEqualizer = nullptr;
  TAction* ActionEcho = nullptr;
  TAction* ActionReverb = nullptr;
  TAction* ActionReverse = nullptr;
  TAction* ActionFadeIn = nullptr;
  TAction* ActionFadeOut = nullptr;
  TAction* ActionFadeOutAndTrim = nullptr;
  TAction* ActionCrossFade = nullptr;
  TAction* ActionEnvelope = nullptr;
  TAction* ActionMixStereo = nullptr;
  TAction* ActionNoiseReduction = nullptr;
  TAction* ActionSpeedChange = nullptr;
  TAction* ActionPitchChange = nullptr;
  TAction* ActionPhaser = nullptr;
  TAction* ActionFlanger = nullptr;
  TAction* ActionChorus = nullptr;
  TAction* ActionFrequencyAnalysis = nullptr;
  TAction* ActionTextToSpeech = nullptr;
  TAction* ActionStatusBar = nullptr;
  TAction* ActionWelcomeWindow = nullptr;
  TAction* ActionDiscRipper = nullptr;
  TAction* ActionDiscBurner = nullptr;
  TAction* ActionDiscCopier = nullptr;
  TAction* ActionAudioConverter = nullptr;
  TAction* ActionAudioRecorder = nullptr;
  TAction* ActionTopTransportBar = nullptr;
  TAction* ActionTopZoomBar = nullptr;

  // The favourites' keyboard actions, rebuilt by LoadFavorites (one per section of "Favorite.dat").
  TActionList* ActionListFavorite = nullptr;
  // Until the command bar exists, the menu "Favorites": one item per favourite, then
  // "Edit Favorites...".
  TMenuItem* MenuFavorites = nullptr;

  void WriteDefaultShortcuts();
  void LoadShortcuts();
  void WriteDefaultFavorites();
  void LoadFavorites();
  void ShowWelcomeWindow();
  // Redraws a showing analysis window from the samples at the cursor.
  void RefreshAnalysis();
  void LaunchSiblingTool(const String& FileName);

  // Checks the document and applies the favourite through its effect's applier.
  void ApplyFavorite(const TFavorite& Favorite);
  void FavoriteActionExecute(TObject* Sender);
  // A click on the favourite at Position (the link's position in its group).
  void dxNavBarFLinkClick(int Position);
  void ButtonEditFClick(TObject* Sender);
  void dxBarLargeButtonKeyboardClick(TObject* Sender);
  void ActionWelcomeWindowExecute(TObject* Sender);
  void ActionFrequencyAnalysisExecute(TObject* Sender);
  void ActionTextToSpeechExecute(TObject* Sender);
  void ActionSiblingToolExecute(TObject* Sender);
  void ApplicationMenuExtraPaneItemClick(int Index);
  void dxBarButtonFAQ1Click(TObject* Sender);
  void dxBarButtonFAQ2Click(TObject* Sender);
  void dxBarButtonFAQ3Click(TObject* Sender);
  void dxBarButtonFAQ4Click(TObject* Sender);
  void dxBarButtonFAQ5Click(TObject* Sender);
  void dxBarButtonFAQ6Click(TObject* Sender);

  // ---- Effect commands and preview (MainEffects.cpp) ---------------------------------------------
  // Until the ribbon exists, the menu "Effe&ct" with the Effect drop-down's blocks, and the items of
  // the ten effect buttons that have no action (their enabling rows drive these items).
  TMenuItem* MenuEffect = nullptr;
  TMenuItem* MenuItemVibrato = nullptr;
  TMenuItem* MenuItemPeakEQ = nullptr;
  TMenuItem* MenuItemNotchFilter = nullptr;
  TMenuItem* MenuItemBandPass = nullptr;
  TMenuItem* MenuItemLowPass = nullptr;
  TMenuItem* MenuItemLowShelf = nullptr;
  TMenuItem* MenuItemHighShelf = nullptr;
  TMenuItem* MenuItemInvert = nullptr;
  TMenuItem* MenuItemCassetteNoiseReduction = nullptr;
  TMenuItem* MenuItemVoiceBreathNoiseReduction = nullptr;

  // The length of the selection the running preview read, in samples.
  std::int64_t PreviewLength = 0;
  // The preview host the effect dialogs drive.
  bool Previewing() override;
  void ClearPreviewing() override;
  bool TransformBusy() override;
  void StartPreview() override;
  void StopPreview() override;
  TAudioEditor2* DocumentEditor() override;
  // Reads PreviewLength samples from the selection start, transforms and queues them; false when
  // nothing was queued.
  bool FeedPreviewBuffer();
  // Applies the effect of PreviewOperationTypes to the buffer in place and hands it back; reports a
  // transform that left nothing and stops the preview then.
  SampleBuffer TransformPreviewBuffer(SampleBuffer Buffer);
  void AudioTransformTransformBlock(TObject* Sender, int Percent);
  void AudioTransformEndTransform(TObject* Sender);
  void AudioPlayerEndPlay(TObject* Sender);

  void ActionAmplifyExecute(TObject* Sender);
  void ActionNormalizeExecute(TObject* Sender);
  void ActionDynamicRangeCompressorExecute(TObject* Sender);
  void ActionHighPassExecute(TObject* Sender);
  void ActionEqualizerExecute(TObject* Sender);
  void ActionEchoExecute(TObject* Sender);
  void ActionReverbExecute(TObject* Sender);
  void ActionReverseExecute(TObject* Sender);
  void ActionFadeInExecute(TObject* Sender);
  void ActionFadeOutExecute(TObject* Sender);
  void ActionFadeOutAndTrimExecute(TObject* Sender);
  void ActionCrossFadeExecute(TObject* Sender);
  void ActionEnvelopeExecute(TObject* Sender);
  void ActionMixStereoExecute(TObject* Sender);
  void ActionNoiseReductionExecute(TObject* Sender);
  void ActionSpeedChangeExecute(TObject* Sender);
  void ActionPitchChangeExecute(TObject* Sender);
  void ActionPhaserExecute(TObject* Sender);
  void ActionFlangerExecute(TObject* Sender);
  void ActionChorusExecute(TObject* Sender);
  void dxBarButtonVibratoClick(TObject* Sender);
  void dxBarButtonPeakEQClick(TObject* Sender);
  void dxBarButtonNotchFilterClick(TObject* Sender);
  void dxBarButtonBandPassClick(TObject* Sender);
  void dxBarButtonLowPassClick(TObject* Sender);
  void dxBarButtonLowShelfClick(TObject* Sender);
  void dxBarButtonHighShelfClick(TObject* Sender);
  void dxBarButtonInvertClick(TObject* Sender);
  void dxBarButtonCassetteNoiseReductionClick(TObject* Sender);
  void dxBarButtonVoiceBreathNoiseReductionClick(TObject* Sender);

 protected:
  void Loaded() override;
  void CreateWnd() override;
  void WMDropFiles(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_DROPFILES, WMDropFiles)
  MESSAGE_MAP_END

 private:
  void CreateComponents();
  void CreateLayout(TLoadingBracket& Loading);
  void CreateSkinManager();
  void CreateHintManager(TLoadingBracket& loading);
  void CreateActions();
  void CreateMenuBar();
  void RebuildFavoritesMenu();
  void RebuildRecentFilesMenu();
  bool ApplyBrand();
  void PlaceForFirstStart();
  void ApplyTimeLabelFont(const String& FontName);
  bool IsEditorWindow(HWND Window) const;
  void UpdateCaption();
  void SetHorizontalFormat(TAction* Action, int Format);
  void SetVerticalFormat(TAction* Action, int Format);
  void SetViewMode(TAction* Action, int TypeView, int Mode);
  void ToggleScaleVisible(TAction* Action, bool Horizontal);
  // The extension check of the save routine; shows the error for a name that is not an output
  // format and returns 0 then.
  int OutputFileTypeOrError(const String& Path);
  // Edit, transport, view and marker commands: their components and bindings.
  void CreateTransportButtons(TLoadingBracket& loading);
  void CreateZoomButtons(TLoadingBracket& loading);
  void BindEditorEvents();
  void RememberClipboard();
  void ShowChannels(bool Left, bool Right);

  // Effect commands and preview.
  void CreateEffectMenu();
  void BindPreviewEvents();
  // The command of the effect table whose handler this is.
  void RunEffectCommand(void (TMainForm::*Handler)(TObject*));
  void RunEnvelopeCommand();
  bool previewing_ = false;
  bool transformBusy_ = false;

  bool creationStopped_ = false;
  String baseCaption_;
  String documentName_;
  std::vector<TMenuItem*> recentMenuItems_;
  TMenuItem* recentSeparator_ = nullptr;
  std::vector<TMenuItem*> favoriteMenuItems_;
};

// The main window of the running program (set when it is created).
extern TMainForm* MainForm;
