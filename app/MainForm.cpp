// The main window's layout, creation step, first show, close query and close, the application
// message hook and dropped files.

#include "app/MainForm.h"

#include "app/FavoriteData.h"
#include "app/FreAnalysis.h"
#include "app/ShortCuts.h"

#include "app/core/Brands.h"
#include "app/core/Centring.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "app/core/SettingsFile.h"
#include "app/core/ShellVerbs.h"
#include "app/core/FontNames.h"
#include "app/core/FormPlacement.h"
#include "app/core/WaitCursor.h"
#include "app/core/WriteFailures.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/audio/transport/AudioPlayer2.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/Filer.h"
#include "platform/framework/windows/ShellDrop.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/skins/paint/CommonData.h"

DEFINE_CLASS(TMainForm)

TMainForm* MainForm = nullptr;

namespace {

constexpr int kDesignWidth = 1000;
constexpr int kDesignHeight = 560;
constexpr int kMinWidth = 858;
constexpr int kMinHeight = 450;
constexpr wchar_t kZeroTime[] = L"0:00:00.000";

template <class T>
T* Place(TLoadingBracket& loading, T* control, TWinControl* parent, const wchar_t* name) {
  loading.Add(control);
  control->SetName(name);
  control->SetParent(parent);
  return control;
}

template <class P>
P* MakePanel(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name, TAlign align,
             int size) {
  P* panel = Place(loading, new P(owner), parent, name);
  panel->SetCaption(L"");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(align);
  if (align == alLeft || align == alRight)
    panel->SetWidth(size);
  else if (align != alClient)
    panel->SetHeight(size);
  return panel;
}

// A panel of the bottom row, drawn from the skin's "PANEL" section.
TsPanel* MakeSkinnedPanel(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name,
                          TAlign align, int size) {
  TsPanel* panel = MakePanel<TsPanel>(loading, owner, parent, name, align, size);
  panel->SkinData()->SetSkinSection(L"PANEL");
  return panel;
}

// A time read-out: a sunken skinned panel ("PANEL_LOW") whose caption is the time text.
TsPanel* MakeReadout(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name,
                     const TRect& bounds) {
  TsPanel* panel = Place(loading, new TsPanel(owner), parent, name);
  panel->SkinData()->SetSkinSection(L"PANEL_LOW");
  panel->SetBevelOuter(bvNone);
  panel->SetBoundsRect(bounds);
  panel->SetCaption(kZeroTime);
  return panel;
}

TLabel* MakeLabel(TLoadingBracket& loading, TComponent* owner, TWinControl* parent, const wchar_t* name,
                  const wchar_t* caption, int left, int top) {
  TLabel* label = Place(loading, new TLabel(owner), parent, name);
  // The skinned panel's face shows through the label.
  label->SetTransparent(true);
  label->SetCaption(caption);
  label->SetBounds(left, top, 80, 14);
  return label;
}

}  // namespace

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
  MainForm = this;
  {
    TLoadingBracket loading(*this);
    SetName(L"MainForm");
    SetBounds(0, 0, kDesignWidth, kDesignHeight);
    Font()->SetName(L"Tahoma");
    Font()->SetSize(8);
    CreateActions();
    CreateComponents();
    CreateHintManager(loading);
    CreateLayout(loading);
    CreateTransportButtons(loading);
    CreateZoomButtons(loading);
    BindEditorEvents();
    BindPreviewEvents();
    CreateMenuBar();
    OnCreate = {this, &TMainForm::FormCreate};
    OnShow = {this, &TMainForm::FormShow};
    OnCloseQuery = {this, &TMainForm::FormCloseQuery};
    OnClose = {this, &TMainForm::FormClose};
    loading.End();
  }
  // The creation step runs once every component has loaded.
  DoCreate();
}

// Loaded runs before the components' own Loaded; the constructor runs the creation step after them.
void TMainForm::Loaded() { TWinControl::Loaded(); }

TMainForm::~TMainForm() {
  if (Application && Application->OnMessage == TMessageEvent(this, &TMainForm::AppMessageHook))
    Application->OnMessage = nullptr;
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::CreateComponents() {
  CreateSkinManager();
  TimerAfterShow = new TTimer(this);
  TimerAfterShow->SetName(L"TimerAfterShow");
  TimerAfterShow->SetEnabled(false);
  TimerAfterShow->SetInterval(200);
  TimerAfterShow->SetOnTimer({this, &TMainForm::TimerAfterShowTimer});
  TimerRewind = new TTimer(this);
  TimerRewind->SetName(L"TimerRewind");
  TimerRewind->SetEnabled(false);
  TimerRewind->SetInterval(10);
  TimerForword = new TTimer(this);
  TimerForword->SetName(L"TimerForword");
  TimerForword->SetEnabled(false);
  TimerForword->SetInterval(10);

  OpenDialog = new TOpenDialog(this);
  OpenDialog->SetName(L"OpenDialog");
  OpenDialog->Filter = OpenAudioFileFilter();
  OpenDialog->Options = {ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing};
  SaveDialog = new TSaveDialog(this);
  SaveDialog->SetName(L"SaveDialog");
  SaveDialog->Filter =
      L"Wave (*.wav)|*.wav|MPEG Layer-3  (*.mp3)|*.mp3|OGG Vorbis (*.ogg)|*.ogg|Windows Media Audio (*.wma)|*.wma";
  SaveDialog->DefaultExt = L"wav";
  SaveDialog->Options = {ofHideReadOnly, ofOverwritePrompt, ofPathMustExist, ofEnableSizing};

  PopupMenu = new TPopupMenu(this);
  PopupMenu->SetName(L"PopupMenu");

  AudioPlayer = new TAudioPlayer2(this);
  AudioPlayer->SetName(L"AudioPlayer");
  AudioTransform = new TAudioTransform2(this);
  AudioTransform->SetName(L"AudioTransform");
  AudioInfo = new TAudioInformation2(this);
  AudioInfo->SetName(L"AudioInfo");
}

// The skin manager with the internal skin, its stored properties in their stored order: the internal
// skin first, then the skin name, whose setter loads and applies it while the form loads.
void TMainForm::CreateSkinManager() {
  SkinManager = new TsSkinManager(this);
  SkinManager->SetName(L"SkinManager");
  TsStoredSkin* internal = SkinManager->InternalSkins()->Add();
  internal->SetName(L"Harbour Blue (internal)");
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  internal->LoadData(data.Memory(), data.Size());
  SkinManager->SetSkinName(L"Harbour Blue (internal)");
  SkinManager->SetSkinnedPopups(false);
  SkinManager->SetSkinningRules({});
  SkinManager->MenuSupport()->IcoLineSkin = L"ICOLINE";
}

// The hint manager: comic callouts with the window's own look (no preset), shown at once, HTML text.
void TMainForm::CreateHintManager(TLoadingBracket& loading) {
  HintManager = loading.Add(new TsHintManager(this));
  HintManager->SetName(L"HintManager");
  HintManager->Animated = false;
  HintManager->HTMLMode = true;
  HintManager->SetPredefinitions(shCustom);
  HintManager->SetSkinSection(L"HINT");
  HintManager->SetUseSkinData(false);
  TsHintKind& kind = *HintManager->HintKind();
  kind.SetStyle(hsComics);
  kind.Radius = 5;
  kind.ExOffset = 0;
  kind.GradientData = L"16711422;9533282;97;0;0;9533282;9533282;0;0;0";
  kind.GradientPercent = 100;
  kind.Bevel = 1;
  kind.Color = static_cast<TColor>(16757839);
  kind.ColorBorderTop = kind.ColorBorderBottom = static_cast<TColor>(8355711);
  kind.Transparency = 0;
  kind.ShadowBlur = 10;
  kind.SetShadowEnabled(true);
  kind.ShadowOffset = 5;
  kind.ShadowTransparency = 40;
  kind.MarginH = 16;
  kind.MarginV = 5;
  kind.MaxWidth = 180;
  kind.Font()->SetName(L"Tahoma");
  kind.Font()->SetHeight(-11);
  kind.Font()->SetColor(clBlack);
}

void TMainForm::CreateLayout(TLoadingBracket& loading) {
  // Work area: the editor above the two selection scroll bars.
  PanelMain = MakePanel<TPanel>(loading, this, this, L"PanelMain", alClient, 0);
  PanelMain->SetColor(clWhite);
  ScrollBarStart = Place(loading, new TsScrollBar(this), PanelMain, L"ScrollBarStart");
  ScrollBarStart->SetAlign(alBottom);
  ScrollBarEnd = Place(loading, new TsScrollBar(this), PanelMain, L"ScrollBarEnd");
  ScrollBarEnd->SetAlign(alBottom);
  for (TsScrollBar* bar : {ScrollBarStart, ScrollBarEnd}) {
    bar->SetParams(0, 0, 65535);
    bar->SmallChange = 10;
    bar->LargeChange = 100;
    bar->SetHeight(16);
  }
  // The end bar stands above the start bar.
  ScrollBarEnd->SetTop(0);
  AudioEditor = Place(loading, new TAudioEditor2(this), PanelMain, L"AudioEditor");
  AudioEditor->SetAlign(alClient);

  PanelButtom = MakeSkinnedPanel(loading, this, this, L"PanelButtom", alBottom, 75);
  PanelSelection = MakeSkinnedPanel(loading, this, PanelButtom, L"PanelSelection", alLeft, 230);
  LabelStartTitle = MakeLabel(loading, this, PanelSelection, L"LabelStartTitle", L"Start:", 8, 6);
  LabelStart = MakeReadout(loading, this, PanelSelection, L"LabelStart", Bounds(80, 4, 110, 16));
  LabelEndTitle = MakeLabel(loading, this, PanelSelection, L"LabelEndTitle", L"End:", 8, 22);
  LabelEnd = MakeReadout(loading, this, PanelSelection, L"LabelEnd", Bounds(80, 20, 110, 16));
  LabelFileTitle = MakeLabel(loading, this, PanelSelection, L"LabelFileTitle", L"File Length:", 8, 38);
  LabelFileLength = MakeReadout(loading, this, PanelSelection, L"LabelFileLength", Bounds(80, 36, 110, 16));
  LabelSelTitle = MakeLabel(loading, this, PanelSelection, L"LabelSelTitle", L"Sel Length:", 8, 54);
  LabelSelLength = MakeReadout(loading, this, PanelSelection, L"LabelSelLength", Bounds(80, 52, 110, 16));
  for (TLabel* title : {LabelStartTitle, LabelEndTitle, LabelFileTitle, LabelSelTitle})
    title->Font()->SetColor(static_cast<TColor>(0x825A3B));

  sPanelTime = MakeSkinnedPanel(loading, this, PanelButtom, L"sPanelTime", alLeft, 150);
  MainTime = MakeReadout(loading, this, sPanelTime, L"MainTime", Bounds(8, 24, 135, 26));
  MainTime->SetParentFont(false);
  MainTime->Font()->SetName(L"Tahoma");
  MainTime->Font()->SetSize(14);
  MainTime->Font()->SetStyle({fsBold});

  PanelBottom = MakeSkinnedPanel(loading, this, PanelButtom, L"PanelBottom", alLeft, 200);

  PanelMeters = MakeSkinnedPanel(loading, this, PanelButtom, L"PanelMeters", alLeft, 170);
  // "Level Meters" centred above the two skinned gauges the meter event drives.
  LabelMeter = Place(loading, new TsLabel(this), PanelMeters, L"LabelMeter");
  LabelMeter->SetCaption(L"Level Meters");
  LabelMeter->SetAutoSize(false);
  LabelMeter->SetAlignment(taCenter);
  LabelMeter->SetBounds(8, 6, 150, 14);
  for (TsGauge** gauge : {&LeftBar, &RightBar}) {
    *gauge = Place(loading, new TsGauge(this), PanelMeters, gauge == &LeftBar ? L"LeftBar" : L"RightBar");
    (*gauge)->SkinData()->SetSkinSection(L"GAUGE");
    (*gauge)->SetKind(gkHorizontalBar);
    (*gauge)->SetForeColor(clBlack);
    (*gauge)->SetProgress(0);
    (*gauge)->SetShowText(false);
    (*gauge)->SetSuffix(L"%");
  }
  LeftBar->SetBounds(8, 26, 150, 14);
  RightBar->SetBounds(8, 46, 150, 14);

  PanelZoom = MakeSkinnedPanel(loading, this, PanelButtom, L"PanelZoom", alClient, 0);
}

// ---- Caption and document name -------------------------------------------------------------------

void TMainForm::SetDocumentName(const String& Name) {
  documentName_ = Name;
  UpdateCaption();
}

void TMainForm::UpdateCaption() {
  SetCaption(documentName_.empty() ? baseCaption_ : documentName_ + L" - " + baseCaption_);
}

// ---- Creation step -------------------------------------------------------------------------------

bool TMainForm::ApplyBrand() {
  const String title = Application->Title();
  baseCaption_ = MainWindowCaption(title, ReadBrandVersion(BrandFilePath()));
  UpdateCaption();
  const TBrand* brand = FindBrand(title);
  if (!brand) {
    Application->Terminate();
    return false;
  }
  if (brand->DesaturatesSkin) {
    for (TLabel* label : {LabelStartTitle, LabelEndTitle, LabelSelTitle, LabelFileTitle})
      label->Font()->SetColor(brand->TimeTitleLabelColor);
  }
  if (brand->DesaturatesSkin && brand->SkinSaturation != 0) SkinManager->SetSaturation(brand->SkinSaturation);
  ApplyBrandAddresses(*brand, GlobalVars);
  // The first three sibling tools are the CD tools.
  if (brand->CDToolActions != TBrandActions::Unchanged)
    for (TAction* action : {ActionDiscRipper, ActionDiscBurner, ActionDiscCopier})
      action->SetVisible(brand->CDToolActions == TBrandActions::Visible);
  return true;
}

void TMainForm::FormCreate(TObject*) {
  // An unknown brand ends the program before anything is written.
  if (!ApplyBrand()) {
    creationStopped_ = true;
    return;
  }
  // No document, nothing on the clipboard.
  DocumentOpen = false;
  ClipboardFilled = false;
  ClipboardLength = 0;
  DocumentPath.clear();
  // The drop registration lives in CreateWnd, so a re-created window keeps it.
  Application->OnMessage = {this, &TMainForm::AppMessageHook};
  // The brand's data folder.
  GlobalVars.DataFolder =
      AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + Application->Title());
  if (!DirectoryExists(GlobalVars.DataFolder)) ForceDirectories(GlobalVars.DataFolder);
  // Settings the steps below cannot write are shown once, after the last of them.
  TWriteFailureCollector failures;
  // Folders, view and bar defaults, the time separator and every other default.
  TimeSeparator = L':';
  AssignDefaultSettings(GlobalVars);
  // The stored settings over the defaults, then what they decide.
  const bool existed = LoadSettings();
  ApplyTempDirectory();
  RegisterShellVerbs();
  if (!existed) PlaceForFirstStart();
  // Recent files.
  RecentFiles.SetFileName(GlobalVars.DataFolder + L"MRUList.dat");
  RecentFiles.Load();
  RecentFilesChanged();
  // Size limits; the rewind and forward timers run only while their button is held.
  Constraints()->SetMinWidth(kMinWidth);
  Constraints()->SetMinHeight(kMinHeight);
  TimerRewind->SetEnabled(false);
  TimerForword->SetEnabled(false);
  // The time panels and the controls designed in Tahoma take the hint font.
  const String hintFont = Screen->HintFont()->Name();
  ReplaceFontName(this, L"Tahoma", hintFont);
  ApplyTimeLabelFont(hintFont);
  // The stored placement and view.
  LoadFormPlacement(L"FormPos", this, L"");
  LoadViewSettings();
  VerticalZoom = 100;
  // Shortcuts and favourites; the default favourites only at the first start.
  if (!existed) WriteOrReport(FavoriteFilePath(), [this] { WriteDefaultFavorites(); });
  WriteOrReport(ShortcutFilePath(), [this] { WriteDefaultShortcuts(); });
  LoadShortcuts();
  LoadFavorites();
  failures.ReportCollected();
}

void TMainForm::PlaceForFirstStart() {
  const int left = CentredStart(0, Screen->Width(), kDesignWidth);
  const int top = CentredStart(0, Screen->Height(), kDesignHeight);
  SetBounds(left, top, kDesignWidth, kDesignHeight);
  GlobalVars.RegionFormLeft = left + kDesignWidth - GlobalVars.RegionFormWidth;
  GlobalVars.RegionFormTop = top + kDesignHeight - GlobalVars.RegionFormHeight;
  GlobalVars.BookmarkFormLeft = left + kDesignWidth - GlobalVars.BookmarkFormWidth;
  GlobalVars.BookmarkFormTop = top + kDesignHeight - GlobalVars.BookmarkFormHeight;
}

void TMainForm::ApplyTimeLabelFont(const String& FontName) {
  for (TControl* label : std::initializer_list<TControl*>{LabelStartTitle, LabelEndTitle, LabelStart, LabelEnd,
                                                          LabelSelTitle, LabelFileTitle, LabelSelLength,
                                                          LabelFileLength, LabelMeter, MainTime})
    label->Font()->SetName(FontName);
}

void TMainForm::CreateWnd() {
  TForm::CreateWnd();
  DragAcceptFiles(Handle(), TRUE);
}

// ---- Services ------------------------------------------------------------------------------------

void TMainForm::ApplyTempDirectory() {
  AudioEditor->SetTempDirectory(GlobalVars.OP_UseDefFolder ? GlobalVars.DataFolder : GlobalVars.OP_WorkingFolder);
}

void TMainForm::RegisterShellVerbs() {
  ::RegisterShellVerbs(GlobalVars.OP_AddToExplorer, ParamStr(0), Application->Title());
}

// ---- First show ----------------------------------------------------------------------------------

void TMainForm::FormShow(TObject*) { TimerAfterShow->SetEnabled(true); }

void TMainForm::TimerAfterShowTimer(TObject*) {
  TimerAfterShow->SetEnabled(false);
  if (ParamCount() >= 1) {
    const String path = ExpandFileName(ParamStr(1));
    if (FileExists(path) && IsSupportedAudioFile(ExtractFileExt(path))) OpenAudioFile(path);
  }
  PanelButtom->SetVisible(GlobalVars.ShowBottomBar);
  if (GlobalVars.ShowStartDialog && ParamCount() < 1) ShowWelcomeWindow();
}

// ---- Close ---------------------------------------------------------------------------------------

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (creationStopped_) return;
  StopTransport();
  CanClose = AskToSaveChanges();
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
  if (creationStopped_) return;
  // Every step runs whatever an earlier one's write did; failed writes are shown once at the end.
  TWriteFailureCollector failures;
  WriteOrReport(SettingsFilePath(), [this] { SaveFormPlacement(L"FormPos", this, L""); });
  WriteOrReport(RecentFiles.FileName(), [this] { RecentFiles.Write(); });
  // Before the after-show step the panel does not show the saved choice yet.
  if (!TimerAfterShow->Enabled()) GlobalVars.ShowBottomBar = PanelButtom->Visible();
  StoreMarkerListBounds();
  if (FreAnalysisForm && FreAnalysisForm->Visible()) FreAnalysisForm->StoreBounds();
  SaveSettings();
  failures.ReportCollected();
}

// ---- Message hook and drops ----------------------------------------------------------------------

bool TMainForm::IsEditorWindow(HWND Window) const {
  if (!AudioEditor || !AudioEditor->HandleAllocated() || !Window) return false;
  const HWND editor = AudioEditor->Handle();
  return Window == editor || IsChild(editor, Window);
}

void TMainForm::AppMessageHook(MSG& Msg, bool& Handled) {
  if ((Msg.message == WM_RBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) && IsEditorWindow(Msg.hwnd))
    Handled = true;
}

void TMainForm::WMDropFiles(TMessage& Message) {
  const TDroppedFiles dropped = TakeDroppedFiles(reinterpret_cast<HDROP>(Message.WParam));
  OpenDroppedFiles(dropped.Files);
  Message.Result = 0;
}

void TMainForm::OpenDroppedFiles(const std::vector<String>& Files) {
  TWaitCursor wait;
  if (Files.size() != 1) return;
  const String& path = Files.front();
  if (DirectoryExists(path) || !FileExists(path) || !IsSupportedAudioFile(ExtractFileExt(path))) return;
  OpenAudioFile(path);
}
