// Transport and view commands, the editor's events in the main window, and the enabling pass.

#include "app/CommandFacts.h"
#include "app/SampleTimes.h"
#include "app/core/WindowsMixer.h"
#include "app/core/Progress.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/windows/ShortCuts.h"
#include "tests/app/CommandsFixture.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/paint/CommonData.h"

namespace {

using CommandsTransportTest = CommandsTest;

// ---- Transport -------------------------------------------------------------------------------------

TEST_F(CommandsTransportTest, PlayTogglesAndResumesPauseStartsAndPauses) {
  OpenPattern(L"song.wav", 441000);
  struct TStep {
    void (TMainForm::*Command)(TObject*);
    int StateAfter;
  };
  const TStep steps[] = {
      {&TMainForm::ActionPauseExecute, 1},  // stopped: plays in mode 1
      {&TMainForm::ActionPauseExecute, 5},  // playing: pauses
      {&TMainForm::ActionPlayExecute, 1},   // paused: resumes
      {&TMainForm::ActionPlayExecute, 0},   // playing: stops
      {&TMainForm::ActionLoopPlayExecute, 1},
      {&TMainForm::ActionStopExecute, 0},
  };
  for (const TStep& step : steps) {
    (form->*step.Command)(form);
    EXPECT_EQ(Editor().TransportState(), step.StateAfter);
  }
}

TEST_F(CommandsTransportTest, RewindAndForwardStepAndStopAtTheEnds) {
  OpenPattern(L"song.wav", 10000);
  struct TStepCase {
    std::int64_t Cursor;
    void (TMainForm::*Command)(TObject*);
    std::int64_t Expected;
  };
  const TStepCase cases[] = {
      {1500, &TMainForm::ActionRewindExecute, 0},    {2000, &TMainForm::ActionRewindExecute, 0},
      {5000, &TMainForm::ActionRewindExecute, 3000}, {8500, &TMainForm::ActionForwordExecute, 10000},
      {8000, &TMainForm::ActionForwordExecute, 10000}, {5000, &TMainForm::ActionForwordExecute, 7000},
  };
  for (const TStepCase& c : cases) {
    Select(c.Cursor, c.Cursor);
    (form->*c.Command)(form);
    EXPECT_EQ(SelectionStart(), c.Expected) << "from " << c.Cursor;
    EXPECT_EQ(SelectionEnd(), c.Expected);
  }
}

TEST_F(CommandsTransportTest, GoToStartFromTheEndScrollsTheViewAndKeepsItsWidth) {
  OpenPattern(L"long.wav", 200000);
  Editor().ZoomToRange(180000, 200000);
  form->ActionEndExecute(form);
  EXPECT_EQ(Editor().Position()->GetViewEnd(), 200000);
  form->ActionStartExecute(form);
  EXPECT_EQ(Editor().Position()->GetViewStart(), 0);
  EXPECT_EQ(Editor().Position()->GetViewEnd(), 20000);
  Select(100000, 100000);
  form->ScrollViewToCursor();
  EXPECT_EQ(Editor().Position()->GetViewStart(), 100000) << "a cursor after the view ends at its left edge";
  EXPECT_EQ(Editor().Position()->GetViewEnd(), 120000);
}

TEST_F(CommandsTransportTest, HeldButtonsRunTheirTimerUntilReleased) {
  OpenPattern(L"song.wav", 10000);
  Select(5000, 5000);
  form->ButtonForwordMouseDown(form->ButtonForword, mbLeft, {}, 0, 0);
  EXPECT_TRUE(form->TimerForword->Enabled());
  form->TimerForwordTimer(form->TimerForword);
  form->TimerForwordTimer(form->TimerForword);
  form->ButtonForwordMouseUp(form->ButtonForword, mbLeft, {}, 0, 0);
  EXPECT_FALSE(form->TimerForword->Enabled());
  EXPECT_EQ(SelectionStart(), 9000);
}

// ---- Zoom ------------------------------------------------------------------------------------------

TEST_F(CommandsTransportTest, ZoomInHalvesTheDistancesToTheCursor) {
  OpenPattern(L"song.wav", 100000);
  Editor().ZoomToRange(0, 1000);
  Select(100, 100);
  form->ActionZoomInExecute(form);
  EXPECT_EQ(Editor().Position()->GetViewStart(), 50);
  EXPECT_EQ(Editor().Position()->GetViewEnd(), 550);
}

TEST_F(CommandsTransportTest, ZoomToSelectionDoesNothingWhenTheViewIsTheSelection) {
  OpenPattern(L"song.wav", 100000);
  Editor().ZoomToRange(1000, 5000);
  Select(1000, 5000);
  AudioCallLog::Enable(true);
  AudioCallLog::Clear();
  form->ActionZoomToSelectionExecute(form);
  const std::vector<String> calls = AudioCallLog::Lines();
  AudioCallLog::Enable(false);
  for (const String& call : calls) EXPECT_EQ(call.find(L"ZoomToSelection"), String::npos) << call;
}

TEST_F(CommandsTransportTest, VerticalZoomStopsAtTwentyAndNeverPassesLess) {
  OpenPattern(L"song.wav", 1000);
  AudioCallLog::Enable(true);
  AudioCallLog::Clear();
  for (int step = 0; step < 10; ++step) form->ActionVerticalZoomInExecute(form);
  std::vector<String> zooms;
  for (const String& call : AudioCallLog::Lines())
    if (call.find(L"ZoomVertical") != String::npos) zooms.push_back(call);
  AudioCallLog::Enable(false);
  EXPECT_EQ(form->VerticalZoom, 20);
  ASSERT_EQ(zooms.size(), 4u);
  EXPECT_NE(zooms.back().find(L"(20)"), String::npos) << zooms.back();
  form->ActionVerticalZoomOutExecute(form);
  EXPECT_EQ(form->VerticalZoom, 40);
}

// ---- Editor events ---------------------------------------------------------------------------------

TEST_F(CommandsTransportTest, TheScrollBarsFollowTheSelectionWithoutFeedingBack) {
  OpenPattern(L"song.wav", 4000);
  Select(0, 4000);
  EXPECT_EQ(form->ScrollBarStart->Position(), 0);
  EXPECT_EQ(form->ScrollBarEnd->Position(), 65535);
  EXPECT_EQ(form->LabelSelLength->Caption(), SampleTimeText(Editor(), 4000));

  OpenPattern(L"long.wav", 1000000);
  // 123457 maps to bar 8091, which maps back to 123461: a bar change fed back would move it.
  Select(123457, 123457);
  EXPECT_EQ(form->ScrollBarStart->Position(), 8091);
  EXPECT_EQ(SelectionStart(), 123457);
  EXPECT_EQ(SelectionEnd(), 123457);
}

TEST_F(CommandsTransportTest, MovingTheScrollBarsSelectsAndReversedBarsSwap) {
  OpenPattern(L"song.wav", 65535 * 2);
  form->ScrollBarStart->SetPosition(30000);
  form->ScrollBarEnd->SetPosition(10000);
  EXPECT_EQ(SelectionStart(), 20000);
  EXPECT_EQ(SelectionEnd(), 60000);
  EXPECT_EQ(form->ScrollBarStart->Position(), 30000) << "a scroll-bar change does not rewrite the bars";
}

TEST_F(CommandsTransportTest, AnEmptyDocumentLeavesTheScrollBarsWhereTheyWere) {
  OpenPattern(L"song.wav", 4000);
  Select(2000, 4000);
  ASSERT_TRUE(form->NewAudioDocument(L"Untitled", 44100, 2));
  EXPECT_EQ(form->ScrollBarStart->Position(), ScrollBarPositionOf(2000, 4000));
  EXPECT_EQ(form->ScrollBarEnd->Position(), 65535);
}

TEST_F(CommandsTransportTest, ScrollBarPositionsRoundHalvesToEven) {
  // 1 / 131070 * 65535 = 0.5 and 3 / 131070 * 65535 = 1.5.
  EXPECT_EQ(ScrollBarPositionOf(1, 131070), 0);
  EXPECT_EQ(ScrollBarPositionOf(3, 131070), 2);
  EXPECT_EQ(ScrollBarPositionOf(131070, 131070), 65535);
}

TEST_F(CommandsTransportTest, MeterLevelsAboveSixtySevenFillTheGauges) {
  const int levels[][2] = {{67, 0}, {50, 0}, {80, 52}, {92, 100}, {120, 100}};
  for (const auto& level : levels) {
    form->AudioEditorMeter(form->AudioEditor, level[0], level[0]);
    EXPECT_EQ(form->LeftBar->Progress(), level[1]) << level[0];
    EXPECT_EQ(form->RightBar->Progress(), level[1]);
  }
}

TEST_F(CommandsTransportTest, ABlockOperationDisablesTheWindowUntilItsEnd) {
  form->Show();
  form->AudioEditorBlockOperation(form->AudioEditor, 40);
  EXPECT_FALSE(form->Enabled());
  EXPECT_TRUE(FormProgress->Visible());
  EXPECT_EQ(FormProgress->Width(), 300);
  EXPECT_EQ(FormProgress->Height(), 128);
  EXPECT_EQ(FormProgress->ProgressBar->Position(), 40);
  form->AudioEditorEndOperation(form->AudioEditor);
  EXPECT_TRUE(form->Enabled());
  EXPECT_FALSE(FormProgress->Visible());
  form->Hide();
}

TEST_F(CommandsTransportTest, ALongEditRunsThroughTheBlockEvents) {
  OpenPattern(L"song.wav", 200000);
  form->Show();
  Editor().Engine().SetProgressThreshold(1000);
  Select(0, 200000);
  form->ActionCopyExecute(form);
  Select(100, 100);
  form->ActionPasteExecute(form);
  EXPECT_TRUE(form->Enabled());
  EXPECT_FALSE(FormProgress->Visible());
  EXPECT_EQ(Length(), 400000);
  form->Hide();
}

TEST_F(CommandsTransportTest, ADoubleClickSelectsTheWholeDocument) {
  OpenPattern(L"song.wav", 4000);
  Select(10, 20);
  form->AudioEditorDblClick(form->AudioEditor);
  EXPECT_EQ(SelectionStart(), 0);
  EXPECT_EQ(SelectionEnd(), 4000);
}

// ---- Enabling --------------------------------------------------------------------------------------

struct TEnabledState {
  TAction* TMainForm::*Action;
  bool Enabled;
};

void ExpectEnabled(TMainForm* form, std::initializer_list<TEnabledState> states, const char* situation) {
  form->UpdateCommandStates();
  for (const TEnabledState& state : states)
    EXPECT_EQ((form->*state.Action)->Enabled(), state.Enabled)
        << situation << ": " << testing::PrintToString((form->*state.Action)->Name());
}

TEST_F(CommandsTransportTest, TheEnablingPassFollowsTheDocumentSelectionAndClipboard) {
  using M = TMainForm;
  ExpectEnabled(form,
                {{&M::ActionSaveFile, false}, {&M::ActionSaveAs, false}, {&M::ActionCloseFile, false},
                 {&M::ActionPlay, false}, {&M::ActionInsertFileBegin, false}, {&M::ActionVerticalZoomIn, false},
                 {&M::ActionSelectAll, false}, {&M::ActionNewFile, true}, {&M::ActionOpenFile, true}},
                "no document");
  EXPECT_FALSE(form->ButtonPlay->Enabled());

  ASSERT_TRUE(form->NewAudioDocument(L"Untitled", 44100, 2));
  ExpectEnabled(form,
                {{&M::ActionSaveFile, false}, {&M::ActionSaveAs, false}, {&M::ActionCloseFile, true},
                 {&M::ActionInsertFileEnd, true}, {&M::ActionWaveformMode, true}, {&M::ActionVerticalZoomOut, true},
                 {&M::ActionPlay, false}, {&M::ActionSetBookmark, false}},
                "empty new document");
  EXPECT_FALSE(form->ButtonPlay->Enabled());

  Select(0, 0);
  form->InsertSilenceAccepted(1, 100);
  ExpectEnabled(form, {{&M::ActionSaveFile, false}, {&M::ActionSaveAs, true}, {&M::ActionPlay, true}}, "Untitled");
  EXPECT_TRUE(form->ButtonPlay->Enabled());

  OpenPattern(L"song.wav", 4000);
  Select(10, 11);
  ExpectEnabled(form,
                {{&M::ActionSaveFile, true}, {&M::ActionCut, true}, {&M::ActionTrim, true}, {&M::ActionLoopPlay, true},
                 {&M::ActionAddRegion, true}, {&M::ActionPaste, false}, {&M::ActionUndo, false}},
                "one-sample selection");

  form->ActionCopyExecute(form);
  OpenPattern(L"other.wav", 4000);
  Select(10, 10);
  ExpectEnabled(form, {{&M::ActionPaste, true}, {&M::ActionCut, false}, {&M::ActionLoopPlay, false}},
                "after Copy and another open");
  EXPECT_TRUE(form->ButtonLoopPlay->Enabled()) << "the loop button needs only audio";
}


TEST(WindowsMixer, TheCommandDependsOnTheWindowsVersion) {
  EXPECT_EQ(WindowsMixerCommand(true, L"C:\\Windows\\system32"), L"C:\\Windows\\system32\\control.exe mmsys.cpl,,1");
  EXPECT_EQ(WindowsMixerCommand(false, L"C:\\WINNT\\system32\\"), L"C:\\WINNT\\system32\\sndvol32.exe /r");
}

TEST_F(CommandsTransportTest, TheCommandBarActionsKeepTheirCheckMarksAndKeys) {
  const bool shown = form->ActionShowCommandBar->Checked();
  form->ActionShowCommandBarExecute(form);
  EXPECT_EQ(form->ActionShowCommandBar->Checked(), !shown);
  form->ActionBarOntheRightExecute(form);
  EXPECT_TRUE(form->ActionBarOntheRight->Checked());
  EXPECT_FALSE(form->ActionBarOntheLeft->Checked());
  EXPECT_TRUE(form->ActionWaveformMode->Checked()) << "the side group is not the display modes' group";
  TIniFile settings(dataFolder + L"system.dat");
  EXPECT_EQ(settings.ReadBool(L"System", L"ShowCommandBar", shown), !shown);
  EXPECT_FALSE(settings.ReadBool(L"System", L"CommandBarOnTheLeft", true));
}

TEST_F(CommandsTransportTest, TheChannelButtonsShowAndHideTheLanes) {
  OpenPattern(L"song.wav", 1000);
  AudioCallLog::Enable(true);
  AudioCallLog::Clear();
  form->dxBarLargeButtonLeftChannelClick(form);
  std::vector<String> calls;
  for (const String& call : AudioCallLog::Lines())
    if (call.find(L"Channel") != String::npos) calls.push_back(call.substr(call.rfind(L'.') + 1));
  AudioCallLog::Enable(false);
  EXPECT_EQ(calls, (std::vector<String>{L"SelectChannel(1)", L"SetChannelEnabled(-1)", L"SelectChannel(2)",
                                        L"SetChannelEnabled(0)"}));
}

TEST_F(CommandsTransportTest, ShortcutsReadInTheCanonicalForm) {
  const std::pair<TAction* TMainForm::*, const wchar_t*> keys[] = {
      {&TMainForm::ActionOpenBookmarkList, L"Shift+Ctrl+B"}, {&TMainForm::ActionOpenRegionList, L"Shift+Ctrl+R"},
      {&TMainForm::ActionShowCommandBar, L"Shift+Ctrl+A"},   {&TMainForm::ActionSelectToStart, L"Shift+Home"},
      {&TMainForm::ActionLoopPlay, L"Shift+F9"},             {&TMainForm::ActionPlayAndPause, L"Space"},
      {&TMainForm::ActionDelete, L"Del"},                    {&TMainForm::ActionStop, L"Esc"},
  };
  for (const auto& [action, text] : keys) EXPECT_EQ(ShortCutToText((form->*action)->ShortCut()), text);
  EXPECT_EQ(form->ActionRedo->ShortCut(), scNone);
}

}  // namespace

TEST_F(CommandsTransportTest, ZoomButtonsKeepTheirLabelsAndFollowTheirActions) {
  auto* zoomIn = dynamic_cast<TSpeedButton*>(form->FindComponent(L"ButtonZoomIn"));
  ASSERT_NE(zoomIn, nullptr);
  OpenPattern(L"song.wav", 4000);
  form->ActionZoomIn->SetEnabled(false);
  form->ActionZoomIn->SetHint(L"Zooms in.");
  EXPECT_EQ(zoomIn->Caption(), L"+");
  EXPECT_FALSE(zoomIn->Enabled());
  EXPECT_EQ(zoomIn->Hint(), L"Zooms in.");
  form->ActionZoomIn->SetEnabled(true);
  EXPECT_EQ(zoomIn->Caption(), L"+");
  EXPECT_TRUE(zoomIn->Enabled());
}

TEST_F(CommandsTransportTest, CopyOfAnEmptySelectionKeepsTheClipboard) {
  OpenPattern(L"song.wav", 4000);
  Select(100, 300);
  form->ActionCopyExecute(form);
  Select(500, 500);
  form->ActionCopyExecute(form);
  EXPECT_TRUE(form->ClipboardFilled);
  EXPECT_EQ(form->ClipboardLength, 200);
  form->ActionPasteExecute(form);
  EXPECT_EQ(Length(), 4200);
}

namespace {

TColor FromDib(DWORD rgb) { return TColor((rgb >> 16) & 0xFF) | TColor(rgb & 0xFF00) | TColor(rgb & 0xFF) << 16; }

// The control's window printed into a DIB of its size.
std::unique_ptr<window_testing::DibSection> Print(TWinControl* control) {
  auto dib = std::make_unique<window_testing::DibSection>(control->Width(), control->Height());
  SendMessageW(control->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib->DC()), PRF_CLIENT);
  return dib;
}

TEST_F(CommandsTransportTest, MetersScrollBarsAndHintsAreTheSkinnedControls) {
  form->Show();
  window_testing::ProcessMessages();
  // The level meters: skinned horizontal gauges without text that follow the meter event.
  EXPECT_EQ(form->LabelMeter->Caption(), L"Level Meters");
  for (TsGauge* gauge : {form->LeftBar, form->RightBar}) {
    EXPECT_EQ(gauge->SkinData()->SkinSection(), L"GAUGE");
    EXPECT_TRUE(gauge->SkinData()->Skinned());
    EXPECT_EQ(gauge->Kind(), gkHorizontalBar);
    EXPECT_FALSE(gauge->ShowText());
    EXPECT_EQ(gauge->ForeColor(), clBlack);
    EXPECT_EQ(gauge->Suffix(), L"%");
    EXPECT_EQ(gauge->Progress(), 0);
  }
  // An empty gauge shows its face; a full one its progress section.
  TsSkinManager& skin = *form->SkinManager;
  auto color = [&](const wchar_t* name) { return skin.Sections()[size_t(skin.GetSkinIndex(name))].Color; };
  ASSERT_NE(color(L"GAUGE"), color(L"PROGRESSH"));
  TsGauge* left = form->LeftBar;
  const TPoint middle(left->Left() + left->Width() / 2, left->Top() + left->Height() / 2);
  EXPECT_EQ(FromDib(Print(form->PanelMeters)->Pixel(middle.x, middle.y)), color(L"GAUGE"));
  form->AudioEditorMeter(form->AudioEditor, 92, 92);
  EXPECT_EQ(FromDib(Print(form->PanelMeters)->Pixel(middle.x, middle.y)), color(L"PROGRESSH"));

  // The selection scroll bars are skinned windows over 0 .. 65535.
  for (TsScrollBar* bar : {form->ScrollBarStart, form->ScrollBarEnd}) {
    wchar_t name[32] = {};
    GetClassNameW(bar->Handle(), name, 32);
    EXPECT_EQ(String(name), L"TsScrollBar");
    EXPECT_EQ(bar->ScrollInfo().Max, 65535);
    EXPECT_EQ((std::vector<int>{bar->Min(), bar->Max(), bar->SmallChange, bar->LargeChange}),
              (std::vector<int>{0, 65535, 10, 100}));
  }

  // Every hint is a comic callout with the window's own look.
  TsHintManager* hints = form->HintManager;
  EXPECT_EQ(Application->HintWindowClass, &TsComicsHintWindow::ClassInfo());
  EXPECT_EQ(CurrentHintManager(), hints);
  EXPECT_FALSE(hints->Animated);
  EXPECT_TRUE(hints->HTMLMode);
  EXPECT_FALSE(hints->UseSkinData());
  EXPECT_EQ(hints->Predefinitions(), shCustom);
  EXPECT_EQ(hints->SkinSection(), L"HINT");
  const TsHintKind& k = *hints->HintKind();
  EXPECT_EQ((std::vector<int>{k.Style(), k.Radius, k.ExOffset, k.GradientPercent, k.Bevel, int(k.Color),
                              int(k.ColorBorderTop), int(k.ColorBorderBottom), k.Transparency, k.ShadowBlur,
                              k.ShadowOffset, k.ShadowTransparency, k.MarginH, k.MarginV, k.MaxWidth}),
            (std::vector<int>{hsComics, 5, 0, 100, 1, 16757839, 8355711, 8355711, 0, 10, 5, 40, 16, 5, 180}));
  EXPECT_TRUE(k.ShadowEnabled());
  EXPECT_EQ(k.GradientData, L"16711422;9533282;97;0;0;9533282;9533282;0;0;0");
  EXPECT_EQ(k.Font()->Height(), -11);

  // The menu painter exists and stays off.
  EXPECT_FALSE(form->SkinManager->SkinnedPopups());
  ASSERT_NE(form->SkinManager->SkinableMenus(), nullptr);
  EXPECT_FALSE(form->SkinManager->SkinableMenus()->Active());
}

}  // namespace

TEST_F(CommandsTransportTest, BottomRowIsDrawnFromTheSkin) {
  form->Show();
  window_testing::ProcessMessages();
  TsSkinManager& skin = *form->SkinManager;
  ASSERT_TRUE(skin.SkinData().Active);
  auto section = [&](const wchar_t* name) { return skin.Sections()[size_t(skin.GetSkinIndex(name))]; };
  // The toolbar face's left edge as the master bitmap holds it (frame 0, middle row).
  int toolbar = skin.GetSkinIndex(L"TOOLBAR");
  const TsMaskData& mask = skin.Masks()[size_t(skin.GetMaskIndex(toolbar, L"TOOLBAR", L"BORDERSMASK"))];
  const auto* row = static_cast<const Byte*>(skin.MasterBitmap()->ScanLine((mask.R.top + mask.R.bottom) / 2));
  const Byte* edge = row + 3 * mask.R.left;
  TColor toolbarEdge = TColor(edge[2]) | TColor(edge[1]) << 8 | TColor(edge[0]) << 16;

  auto bottom = Print(form->PanelBottom);
  TsSpeedButton* play = form->ButtonPlay;
  EXPECT_EQ(FromDib(bottom->Pixel(form->PanelBottom->Width() - 10, 20)), section(L"PANEL").Color) << "the panel's body";
  EXPECT_EQ(FromDib(bottom->Pixel(play->Left(), play->Top() + play->Height() / 2)), toolbarEdge) << "the button's frame";
  EXPECT_NE(toolbarEdge, section(L"PANEL").Color);
  EXPECT_EQ(play->SkinData()->SkinSection(), L"TOOLBAR");
  EXPECT_TRUE(play->AnimatEvents.Empty());

  // A time read-out shows the text the program sets, on the sunken section's colour.
  TsPanel* start = form->LabelStart;
  auto before = Print(start);
  OpenPattern(L"song.wav", 88200);
  Select(44100, 66150);
  window_testing::ProcessMessages();
  EXPECT_EQ(start->Caption(), L"0:00:01.000");
  auto after = Print(start);
  EXPECT_EQ(FromDib(after->Pixel(start->Width() - 3, 2)), section(L"PANEL_LOW").Color);
  int changed = 0;
  for (int y = 0; y < start->Height(); ++y)
    for (int x = 0; x < start->Width(); ++x) changed += before->Pixel(x, y) != after->Pixel(x, y);
  EXPECT_GT(changed, 5) << "the new time text is drawn";
}
