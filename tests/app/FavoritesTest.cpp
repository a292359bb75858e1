// Favourites: "Favorite.dat" at the first start, the favourite actions and menu items, the
// argument orders of the 23 effects, and applying a favourite by key, by link and with its checks.

#include <algorithm>
#include <cmath>

#include "app/FavoriteData.h"
#include "app/FavoriteDialog.h"
#include "app/core/DataItems.h"
#include "app/Favorites.h"
#include "app/core/Globals.h"
#include "app/core/ParameterList.h"
#include "dialogs/Amplify.h"
#include "dialogs/Echo.h"
#include "dialogs/FamilyMember.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/devices/ScriptedDevices.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/windows/ShortCuts.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/CommandsFixture.h"
#include "tests/support/WindowTestSupport.h"

namespace {

using FavoritesTest = CommandsTest;

void WriteFavorites(const String& path, std::initializer_list<std::array<const wchar_t*, 5>> rows) {
  DeleteFile(path);
  TIniFile ini(path);
  for (const auto& row : rows) {
    ini.WriteString(row[0], L"ShortCut", row[1]);
    ini.WriteString(row[0], L"Effect", row[2]);
    ini.WriteString(row[0], L"Flag", row[3]);
    ini.WriteString(row[0], L"ShowDialog", row[4]);
  }
}

// The largest difference between the document and the pattern scaled by the factor, in 16-bit steps.
double LargestDeviation(const std::vector<float>& actual, const std::vector<float>& pattern, double factor) {
  double largest = 0;
  for (std::size_t i = 0; i < actual.size(); ++i)
    largest = std::max(largest, std::fabs(actual[i] - pattern[i] * factor) * 32768.0);
  return largest;
}

TEST_F(FavoritesTest, AFirstStartWritesTheTwelveDefaultsWithTheirKeysInOrder) {
  const String text = [&] {
    TStringList lines;
    lines.LoadFromFile(dataFolder + L"Favorite.dat");
    return lines.Text();
  }();
  const wchar_t* expected =
      L"[Half Volume]\r\nShortCut=Ctrl+H\r\nEffect=50\r\nFlag=Amplify\r\nShowDialog=0\r\n"
      L"[Double Volume]\r\nShortCut=Ctrl+D\r\nEffect=200\r\nFlag=Amplify\r\nShowDialog=0\r\n"
      L"[Fade In]\r\nShortCut=\r\nEffect=0,100\r\nFlag=Fade\r\nShowDialog=0\r\n"
      L"[Fade Out]\r\nShortCut=\r\nEffect=100,0\r\nFlag=Fade\r\nShowDialog=0\r\n"
      L"[Normalize Audio Level]\r\nShortCut=\r\nEffect=75\r\nFlag=Normalize\r\nShowDialog=0\r\n"
      L"[Double Speed]\r\nShortCut=Ctrl+1\r\nEffect=200\r\nFlag=Speed Change\r\nShowDialog=0\r\n"
      L"[Slow Down Speed]\r\nShortCut=Ctrl+2\r\nEffect=70\r\nFlag=Speed Change\r\nShowDialog=0\r\n"
      L"[Many Echoes]\r\nShortCut=Ctrl+3\r\nEffect=500,50,70\r\nFlag=Echo\r\nShowDialog=0\r\n"
      L"[Very Large Cavern Effect]\r\nShortCut=Ctrl+4\r\nEffect=360,35,50\r\nFlag=Echo\r\nShowDialog=0\r\n"
      L"[Allien Saying Effect]\r\nShortCut=Ctrl+5\r\nEffect=30,60,60,30,11025,8\r\nFlag=Reverb\r\nShowDialog=0\r\n"
      L"[Radio]\r\nShortCut=Ctrl+6\r\nEffect=2000\r\nFlag=High Pass\r\nShowDialog=0\r\n"
      L"[Cassette Noise Reduce]\r\nShortCut=Ctrl+7\r\nEffect=-13,99,55\r\nFlag=Noise Reduction\r\nShowDialog=0\r\n";
  EXPECT_EQ(text, expected);
}

TEST_F(FavoritesTest, LoadFavoritesMakesOneActionPerSectionWithItsKeyAndFreesTheOldOnes) {
  ASSERT_EQ(form->ActionListFavorite->ActionCount(), 12);
  EXPECT_EQ(ShortCutToText(static_cast<TAction*>(form->ActionListFavorite->Actions(0))->ShortCut()), L"Ctrl+H");
  EXPECT_EQ(static_cast<TAction*>(form->ActionListFavorite->Actions(2))->ShortCut(), scNone);
  const int components = form->ComponentCount();
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Radio", L"Ctrl+6", L"2000", L"High Pass", L"0"},
                                                {L"Loud & Clear", L"", L"150", L"Amplify", L"0"}});
  form->LoadFavorites();
  ASSERT_EQ(form->ActionListFavorite->ActionCount(), 2);
  EXPECT_EQ(form->ComponentCount(), components - 10);
  // The menu items show the caption and the hint the command bar's links will.
  TMenuItem* menu = form->MenuFavorites;
  EXPECT_EQ(menu->Items(0)->Caption(), L"Radio (Ctrl+6)");
  EXPECT_EQ(menu->Items(0)->Hint(), L"Radio (Ctrl+6)  [Effect: 2000]");
  EXPECT_EQ(menu->Items(1)->Caption(), L"Loud && Clear");
  EXPECT_EQ(menu->Items(1)->Hint(), L"Loud & Clear  [Effect: 150]");
  for (int i = 2; i < 12; ++i) EXPECT_FALSE(menu->Items(i)->Visible());
  EXPECT_EQ(FavoriteHint(FavoriteCaption(L"Half Volume", L"Ctrl+H"), L"50"), L"Half Volume (Ctrl+H)  [Effect: 50]");
}

struct TArgumentCase {
  const wchar_t* Effect;
  std::vector<int> Values;
  std::vector<TTransformValue> Expected;
};

TEST(FavoriteEffectsTest, EveryEffectPassesItsValuesInItsCallsArgumentOrder) {
  const auto f = [](float v) { return TTransformValue{v, false}; };
  const auto n = [](float v) { return TTransformValue{v, true}; };
  const TArgumentCase cases[] = {
      {L"Echo", {500, 50, 70}, {f(500), f(50), f(70)}},
      {L"Vibrato", {40, 5, 90}, {f(40), f(5), f(90)}},
      {L"Reverb", {30, 60, 60, 30, 11025, 8}, {f(30), f(60), f(60), f(30), f(11025), n(8)}},
      {L"Amplify", {50}, {f(50)}},
      {L"Fade", {0, 100}, {f(0), f(100)}},
      {L"Normalize", {75}, {f(75), n(-1)}},
      {L"Compressor", {-20, 50}, {f(-20), f(50), f(100)}},
      {L"Chorus", {1, 2, 3, 4, 5, 6}, {f(1), f(2), f(3), f(4), f(5), f(6)}},
      {L"Flanger", {6, 5, 4, 3, 2, 1}, {f(6), f(5), f(4), f(3), f(2), f(1)}},
      {L"Phaser", {100, 50, 20}, {f(100), f(50), f(20)}},
      {L"Speed Change", {200}, {f(200)}},
      {L"Pitch Change", {80}, {f(80)}},
      {L"PeakEQ", {1000, 50, -10}, {f(-10), f(1000), f(50)}},
      {L"Notch Filter", {500, 30}, {f(500), f(30)}},
      {L"Band Pass", {800, 40}, {f(800), f(40)}},
      {L"Low Pass", {3000, 60}, {f(3000), f(60)}},
      {L"High Pass", {2000}, {f(2000), f(100)}},
      {L"Low Shelf", {200, 40, 6}, {f(200), f(6), f(40)}},
      {L"High Shelf", {5000, 30, -3}, {f(5000), f(-3), f(30)}},
      {L"Mix Stereo", {100, 0, 0, 100}, {f(100), f(0), f(0), f(100)}},
      {L"Invert", {}, {}},
      {L"Reverse", {}, {}},
      {L"Noise Reduction", {-13, 99, 55}, {f(-13), f(99), f(55)}},
  };
  ASSERT_EQ(FavoriteEffects().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TArgumentCase& c = cases[i];
    SCOPED_TRACE(c.Effect);
    EXPECT_STREQ(FavoriteEffects()[i].Name, c.Effect);
    const TFavoriteEffect* effect = FindFavoriteEffect(c.Effect);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->ValueCount, static_cast<int>(c.Values.size()));
    std::array<int, 10> values{};
    std::copy(c.Values.begin(), c.Values.end(), values.begin());
    EXPECT_EQ(TransformArguments(*effect, values), c.Expected);
  }
  EXPECT_EQ(FindFavoriteEffect(L"Echo "), nullptr);
  EXPECT_EQ(FindFavoriteEffect(L"echo"), nullptr);
}

TEST_F(FavoritesTest, TheEditorIsCalledInEachTransformsArgumentOrder) {
  OpenPattern(L"song.wav", 4000);
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Peak", L"", L"1000,50,-10", L"PeakEQ", L"0"},
                                                {L"Shelf", L"", L"200,40,6", L"Low Shelf", L"0"},
                                                {L"Cave", L"", L"30,60,60,30,11025,8", L"Reverb", L"0"},
                                                {L"Level", L"", L"75", L"Normalize", L"0"}});
  AudioCallLog::Clear();
  AudioCallLog::Enable(true);
  for (int link = 0; link < 4; ++link) form->dxNavBarFLinkClick(link);
  AudioCallLog::Enable(false);
  std::vector<String> transforms;
  for (const String& line : AudioCallLog::Lines())
    if (line.rfind(L"TAudioEditor2.Transform.", 0) == 0) transforms.push_back(line);
  EXPECT_EQ(transforms, (std::vector<String>{L"TAudioEditor2.Transform.PeakEQ(-10, 1000, 50)",
                                             L"TAudioEditor2.Transform.LowShelf(200, 6, 40)",
                                             L"TAudioEditor2.Transform.Reverb(30, 60, 60, 30, 11025, 8)",
                                             L"TAudioEditor2.Transform.Normalize(75, -1)"}));
}

TEST_F(FavoritesTest, HalfVolumeAmplifiesTheWholeDocumentMarksItModifiedAndPlays) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1000);
  GlobalVars.OP_PlayAfterEdit = true;
  const int amplify = GlobalVars.DefAmplify;
  form->dxNavBarFLinkClick(0);
  EXPECT_EQ(Editor().TransportState(), 1);
  form->StopTransport();
  GlobalVars.OP_PlayAfterEdit = false;
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(SelectionStart(), 0);
  EXPECT_EQ(SelectionEnd(), 4000);
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.5), 1.0);
  EXPECT_EQ(GlobalVars.DefAmplify, amplify);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FavoritesTest, WithoutADocumentOrOnAnEmptyOneOnlyTheMessageShows) {
  form->dxNavBarFLinkClick(0);
  form->NewAudioDocument(L"Untitled", 44100, 2);
  form->dxNavBarFLinkClick(0);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].Text, L"You must choose a file to apply this effect.");
  EXPECT_EQ(boxes[1].Text, L"Can not apply this effect. The file is empty.");
  for (const TShownMessage& box : boxes) {
    EXPECT_EQ(box.Caption, L"Zentavo");
    EXPECT_EQ(box.Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
  EXPECT_FALSE(form->IsModified());
}

TEST_F(FavoritesTest, KeysAndLinksFindTheirSectionAsTheFileStandsWhenUsed) {
  const String path = dataFolder + L"Favorite.dat";
  OpenPattern(L"song.wav", 4000);
  WriteFavorites(path, {{L"Echo Of Another Name", L"Ctrl+8", L"100,50,50", L"Echoes", L"0"},
                        {L"Lower Echo", L"Ctrl+9", L"100,50,50", L"echo", L"0"},
                        {L"Quarter", L"Ctrl+Q", L"25", L"Amplify", L"0"},
                        {L"Double", L"Ctrl+Q", L"200", L"Amplify", L"0"},
                        {L"Hand Edited", L"ctrl+h", L"10", L"Amplify", L"0"}});
  form->LoadFavorites();
  form->dxNavBarFLinkClick(0);
  form->dxNavBarFLinkClick(1);
  form->dxNavBarFLinkClick(-1);
  // The profile reader trims a stored trailing blank, so "Echo " is checked on the record itself.
  TFavorite blank;
  blank.EffectName = L"Echo ";
  blank.ParamList = L"100,50,50";
  form->ApplyFavorite(blank);
  EXPECT_FALSE(form->IsModified());
  // "ctrl+h" gives the key Ctrl+H, whose canonical text matches no section.
  TAction* handEdited = static_cast<TAction*>(form->ActionListFavorite->Actions(4));
  EXPECT_EQ(ShortCutToText(handEdited->ShortCut()), L"Ctrl+H");
  handEdited->Execute();
  EXPECT_FALSE(form->IsModified());
  // Two sections with one key: the earlier applies.
  static_cast<TAction*>(form->ActionListFavorite->Actions(3))->Execute();
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.25), 1.0);
  // A link applies the section at its position as the file reads now.
  Editor().Undo();
  WriteFavorites(path, {{L"Double", L"", L"200", L"Amplify", L"0"}, {L"Half", L"", L"50", L"Amplify", L"0"}});
  form->dxNavBarFLinkClick(1);
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.5), 1.0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FavoritesTest, CtrlHPressedOnTheMainWindowAppliesHalfVolume) {
  OpenPattern(L"song.wav", 4000);
  form->Show();
  SetForegroundWindow(form->Handle());
  form->AudioEditor->SetFocus();
  {
    window_testing::HeldKeys ctrl({VK_CONTROL});
    window_testing::PressKey('H');
  }
  EXPECT_TRUE(form->IsModified());
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.5), 1.0);
}

TEST_F(FavoritesTest, AListShorterThanItsEffectNeedsIsRefusedAndExtraValuesAreIgnored) {
  OpenPattern(L"song.wav", 4000);
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Short Reverb", L"", L"30,60", L"Reverb", L"0"},
                                                {L"Long Amplify", L"", L"50,7,7", L"Amplify", L"0"}});
  form->dxNavBarFLinkClick(0);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"The favorite \"Short Reverb\" holds 2 value(s); the effect \"Reverb\" needs 6.");
  EXPECT_EQ(boxes[0].Caption, L"Zentavo");
  EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(form->IsModified());
  form->dxNavBarFLinkClick(1);
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.5), 1.0);
}

// The transforms the editor was asked for since the log was cleared.
std::vector<String> EditorTransforms() {
  std::vector<String> transforms;
  for (const String& line : AudioCallLog::Lines())
    if (line.rfind(L"TAudioEditor2.Transform.", 0) == 0) transforms.push_back(line);
  return transforms;
}

class FavoriteDialogTest : public FavoritesTest {
 protected:
  void SetUp() override {
    FavoritesTest::SetUp();
    AudioCallLog::Clear();
    AudioCallLog::Enable(true);
  }
  void TearDown() override {
    AudioCallLog::Enable(false);
    FavoritesTest::TearDown();
  }
  TManualClock clock{0, 1000};
  TClockScope clockScope{clock};
  ScriptedDevicesScope devices{std::make_shared<ScriptedOutputScript>()};
};

TEST_F(FavoriteDialogTest, HalfVolumeWithItsDialogShowsFiftyAndAppliesWhatOKConfirms) {
  OpenPattern(L"song.wav", 4000);
  Select(1000, 1000);
  GlobalVars.DefAmplify = 100;
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Half Volume", L"Ctrl+H", L"50", L"Amplify", L"1"}});
  // Cancel: nothing applied, the settings untouched, but the empty selection has become the whole.
  String shown;
  bool previewOffered = false;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* amplify = dynamic_cast<TAmplifyForm*>(modal);
    ASSERT_NE(amplify, nullptr);
    shown = amplify->EditAmplify->Text();
    previewOffered = amplify->ButtonPreview->Visible();
    modal->ModalResult = mrCancel;
  });
  form->dxNavBarFLinkClick(0);
  EXPECT_EQ(shown, L"50");
  EXPECT_TRUE(previewOffered);
  EXPECT_TRUE(EditorTransforms().empty());
  EXPECT_FALSE(form->IsModified());
  EXPECT_EQ(GlobalVars.DefAmplify, 100);
  EXPECT_EQ(SelectionStart(), 0);
  EXPECT_EQ(SelectionEnd(), 4000);
  // OK with 60: 60 % applied, and the dialog's store step leaves it as the last-used value.
  OnNextModalForm([](TCustomForm* modal) {
    dynamic_cast<TAmplifyForm*>(modal)->EditAmplify->SetText(L"60");
    modal->ModalResult = mrOk;
  });
  form->dxNavBarFLinkClick(0);
  EXPECT_EQ(EditorTransforms(), std::vector<String>{L"TAudioEditor2.Transform.Amplify(60)"});
  EXPECT_TRUE(form->IsModified());
  EXPECT_EQ(GlobalVars.DefAmplify, 60);
  EXPECT_LE(LargestDeviation(Samples(0, 4000), PatternFloats(0, 4000), 0.6), 1.0);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(FavoriteDialogTest, AValueBeyondASlidersRangeShowsClampedAndOKAppliesTheClampedValue) {
  OpenPattern(L"song.wav", 4000);
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Far Echo", L"", L"9000,50,70", L"Echo", L"1"}});
  int slider = 0;
  String edit;
  OnNextModalForm([&](TCustomForm* modal) {
    auto* echo = dynamic_cast<TEchoForm*>(modal);
    ASSERT_NE(echo, nullptr);
    slider = echo->ImageSliderDelayTime->Value();
    edit = echo->EditDelayTime->Text();
    modal->ModalResult = mrOk;
  });
  form->dxNavBarFLinkClick(0);
  EXPECT_EQ(slider, 5000);
  EXPECT_EQ(edit, L"5000");
  EXPECT_EQ(EditorTransforms(), std::vector<String>{L"TAudioEditor2.Transform.Echo(5000, 50, 70)"});
  EXPECT_EQ(GlobalVars.DefEchoDelayTime, 5000);
  EXPECT_EQ(GlobalVars.PreviewOperationTypes, 5);
}

TEST_F(FavoriteDialogTest, APreviewStillPlayingWhenTheDialogClosesIsStoppedBeforeTheEffect) {
  OpenPattern(L"song.wav", 8000);
  Select(1000, 3000);
  WriteFavorites(dataFolder + L"Favorite.dat", {{L"Many Echoes", L"Ctrl+3", L"500,50,70", L"Echo", L"1"}});
  for (TModalResult result : {mrCancel, mrOk}) {
    SCOPED_TRACE(result);
    AudioCallLog::Clear();
    bool previewing = false;
    OnNextModalForm([&](TCustomForm* modal) {
      auto* echo = dynamic_cast<TEchoForm*>(modal);
      echo->ButtonPreviewClick(echo->ButtonPreview);
      previewing = form->Previewing();
      modal->ModalResult = result;
    });
    form->dxNavBarFLinkClick(0);
    EXPECT_TRUE(previewing);
    EXPECT_FALSE(form->Previewing());
    const std::vector<String> calls = AudioCallLog::Lines();
    const auto stop = std::find(calls.begin(), calls.end(), L"TAudioPlayer2.Stop()");
    const auto echo = std::find(calls.begin(), calls.end(), L"TAudioEditor2.Transform.Echo(500, 50, 70)");
    ASSERT_NE(stop, calls.end());
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"TAudioPlayer2.Stop()"), 1);
    EXPECT_EQ(echo != calls.end(), result == mrOk);
    if (echo != calls.end()) {
      EXPECT_GT(echo, stop);
    }
  }
}

// Every effect's table row against its dialog: the class, the control of each slot and its kind.
// The values are taken inside each slider's range, away from the settings the dialog would load.
TEST_F(FavoritesTest, EveryEffectsDialogShowsTheValuesInItsControlsAndGivesThemBack) {
  for (const TFavoriteEffect& effect : FavoriteEffects()) {
    SCOPED_TRACE(effect.Name);
    if (!effect.DialogClass) {
      EXPECT_EQ(effect.ValueCount, 0);
      continue;
    }
    std::vector<int> values;
    {
      ObjectPtr<TForm> probe(As<TForm>(effect.DialogClass().Create(form)));
      for (int k = 0; k < effect.ValueCount; ++k) {
        auto* slider = dynamic_cast<TImageSlider*>(probe->FindComponent(effect.Controls[k]));
        ASSERT_EQ(slider != nullptr, effect.Kinds[k] == TSlotControl::Slider) << k;
        int value = slider ? slider->MinValue() + (slider->MaxValue() - slider->MinValue()) / 3 + k : 123 + k;
        if (value == GlobalVars.*effect.DefaultFields[k]) ++value;
        values.push_back(value);
      }
    }
    String expected;
    for (int value : values) expected += (expected.empty() ? L"" : L",") + IntToStr(value);
    String className, readBack;
    OnNextModalForm([&](TCustomForm* modal) {
      className = modal->ClassName();
      modal->ModalResult = mrOk;
    });
    const bool ok = ExecuteFavoriteDialog(effect, form, values, true,
                                          [&](TForm& dialog, TFamilyMember&) {
                                            readBack = ReadEffectControls(effect, dialog);
                                          },
                                          false);
    EXPECT_TRUE(ok);
    EXPECT_EQ(className, effect.DialogClass().ClassName());
    EXPECT_EQ(readBack, expected);
  }
}

}  // namespace
