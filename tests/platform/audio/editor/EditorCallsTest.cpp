#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "platform/audio/core/Biquad.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "tests/support/TestSupport.h"

using namespace editor_testing;

namespace {

class EditorCallsTest : public EditorFixture {};

TEST_F(EditorCallsTest, EveryChangingCallIsLoggedWithItsArguments) {
  testing_support::ScratchFolder folder;
  AudioCallLog::Clear();
  AudioCallLog::Enable(true);
  editor->NewDocument(22050, 1);
  editor->Transform()->InsertSilence(100);
  editor->Position()->SetSelectionStart(0);
  editor->Position()->GetLength();  // getters are not logged
  editor->Transform()->LowShelf(120, 6.5f, 50);
  editor->FileFormat()->SetWaveFormat(22050, 1, 16);
  editor->SaveRangeAs(folder.File(L"out.wav"), 0, 1);
  AudioCallLog::Enable(false);
  const std::vector<String> expected = {
      L"TAudioEditor2.NewDocument(22050, 1)",
      L"TAudioEditor2.Transform.InsertSilence(100)",
      L"TAudioEditor2.Position.SetSelectionStart(0)",
      L"TAudioEditor2.Transform.LowShelf(120, 6.5, 50)",
      L"TAudioEditor2.FileFormat.SetWaveFormat(22050, 1, 16)",
      L"TAudioEditor2.SaveRangeAs(" + folder.File(L"out.wav") + L", 0, 1)",
  };
  EXPECT_EQ(AudioCallLog::Lines(), expected);
}

// The editor's filters take their own argument orders: PeakEQ the gain first, the shelves the
// frequency first and the gain second.
TEST_F(EditorCallsTest, FiltersTakeTheEditorsArgumentOrders) {
  struct Case {
    FilterType type;
    void (*call)(IAudioEditor2Transform*);
  } cases[] = {
      {FilterType::PeakEQ, [](IAudioEditor2Transform* t) { t->PeakEQ(9, 2000, 40); }},
      {FilterType::LowShelf, [](IAudioEditor2Transform* t) { t->LowShelf(2000, 9, 40); }},
      {FilterType::HighShelf, [](IAudioEditor2Transform* t) { t->HighShelf(2000, 9, 40); }},
  };
  const SampleBuffer noise = Sine(44100, 2, 8192, 1500.0, 0.3);
  for (const Case& c : cases) {
    Load(noise);
    editor->Position()->SetSelectionEnd(8192);
    c.call(editor->Transform());
    const SampleBuffer fromEditor = (editor->Position()->SetSelectionStart(0), editor->ReadSamples(8192));

    Load(noise);
    editor->Position()->SetSelectionEnd(8192);
    FilterEffect reference(c.type, 2000, 40, 9);
    editor->Engine().ApplyEffect(L"Reference", reference);
    const SampleBuffer expected = (editor->Position()->SetSelectionStart(0), editor->ReadSamples(8192));
    ASSERT_EQ(fromEditor.Values(), expected.Values());
    for (std::int64_t i = 0; i < expected.Values(); ++i)
      ASSERT_EQ(fromEditor.Data()[i], expected.Data()[i]) << static_cast<int>(c.type) << " at " << i;
  }
}

TEST_F(EditorCallsTest, InsideAProgressEventTheControlPaintsAnswersAndRefusesChanges) {
  Load(Sine(44100, 2, 20000, 440.0, 0.5));
  editor->Position()->SetSelectionEnd(20000);
  editor->Engine().SetProgressThreshold(1000);
  int progressEvents = 0, endEvents = 0;
  String refusal;
  std::int64_t lengthInside = -1;
  editor->OnBlockOperation = [&](TObject*, int) {
    if (progressEvents++ != 1) return;
    lengthInside = editor->Position()->GetLength();
    editor->Repaint();
    try {
      editor->DeleteSelected();
    } catch (const EAudioError& e) {
      refusal = e.Message();
    }
  };
  editor->OnEndOperation = [&](TObject*) { ++endEvents; };
  editor->Transform()->SpeedChange(200);
  EXPECT_EQ(lengthInside, 20000);
  EXPECT_NE(refusal.find(L"busy"), String::npos) << refusal.c_str();
  EXPECT_EQ(endEvents, 1);
  EXPECT_EQ(editor->Position()->GetLength(), 10000);

  // A failing operation ends too, and changes nothing.
  endEvents = 0;
  editor->Engine().InjectFailure(L"Echo", L"injected");
  EXPECT_THROW(editor->Transform()->Echo(10, 50, 0), EAudioError);
  EXPECT_EQ(endEvents, 1);
  EXPECT_EQ(editor->Position()->GetLength(), 10000);
}

TEST_F(EditorCallsTest, SavesUseTheFormatLastGivenForTheirType) {
  testing_support::ScratchFolder folder;
  Load(Sine(44100, 2, 44100, 440.0, 0.5));
  struct Case {
    const wchar_t* file;
    int type;
    void (*setUp)(IAudioEditor2FileFormat*);
    int rate, channels;
  } cases[] = {
      {L"a.wav", 1, [](IAudioEditor2FileFormat* f) { f->SetWaveFormat(22050, 1, 24); }, 22050, 1},
      {L"b.mp3", 2, [](IAudioEditor2FileFormat* f) { f->SetMp3Cbr(22050, 64, 1); }, 22050, 1},
      {L"c.ogg", 6, [](IAudioEditor2FileFormat* f) { f->SetOggFormat(32000, 1, 0, 0, 0, 400); }, 32000, 1},
  };
  for (const Case& c : cases) {
    c.setUp(editor->FileFormat());
    editor->SaveRangeAs(folder.File(c.file), 0, c.type);
  }
  for (const Case& c : cases) {
    editor->OpenFile(folder.File(c.file), 0);
    EXPECT_EQ(editor->FileInfo()->GetSampleRate(), c.rate) << c.file;
    EXPECT_EQ(editor->FileInfo()->GetChannels(), c.channels) << c.file;
  }
  EXPECT_THROW(editor->FileFormat()->SetWmaProfile(12), EAudioError);
}

}  // namespace
