// The preview's cost on the real main window, run under Wine by tools/bench/preview-bench.sh: starting
// the preview of a one-minute 44.1 kHz stereo selection with Amplify (read, transform and queue of
// the whole selection) beside the editor's own Amplify of it, which the preview must keep within
// twice; then the preview with Reverb, and with the progress window shown at every percent. Each
// figure is the median of several rounds, in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "app/core/Progress.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/audio/processing/AudioTransform2.h"
#include "platform/framework/rtl/Seams.h"

namespace {

double MedianMilliseconds(int rounds, const std::function<void()>& work, const std::function<void()>& after) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    after();
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// A minute of noise on both channels.
SampleBuffer OneMinute() {
  SampleBuffer buffer(2, 44100, 60 * 44100);
  std::uint32_t seed = 1;
  for (std::int64_t i = 0; i < buffer.Values(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    buffer.Data()[i] = static_cast<float>(static_cast<int>(seed >> 16) - 32768) / 65536.0f;
  }
  return buffer;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 && std::wstring(argv[1]) == L"--quick" ? 1 : 7;
  SetMessageBoxAnswerer([](HWND, const String& text, const String&, UINT) {
    std::fwprintf(stderr, L"message: %ls\n", text.c_str());
    return IDOK;
  });
  Application->SetTitle(L"Zentavo");
  auto* main = new TMainForm(Application);
  FormProgress = new TFormProgress(Application);
  main->Show();
  // No after-show step: without a file argument it would open the welcome window.
  main->TimerAfterShow->SetEnabled(false);
  TAudioEditor2& editor = *main->AudioEditor;
  editor.NewDocument(44100, 2);
  editor.InsertSamples(OneMinute());
  editor.Position()->SetSelectionStart(0);
  editor.Position()->SetSelectionEnd(editor.Position()->GetLength());
  AssignDefaultValues(GlobalVars);

  const double editorAmplify =
      MedianMilliseconds(rounds, [&] { editor.Transform()->Amplify(50); }, [&] { editor.Undo(); });
  const auto preview = [&](int number) {
    GlobalVars.PreviewOperationTypes = number;
    return MedianMilliseconds(rounds, [&] { main->StartPreview(); }, [&] { main->StopPreview(); });
  };
  const double previewAmplify = preview(2);
  const double previewReverb = preview(6);
  main->AudioTransform->SetProgressThreshold(1);
  const double previewAmplifyProgress = preview(2);

  std::printf("editor Amplify of 1 min stereo:                   %8.1f ms\n", editorAmplify);
  std::printf("StartPreview, Amplify:                            %8.1f ms  (%.2f x the editor's; limit 2)\n",
              previewAmplify, previewAmplify / editorAmplify);
  std::printf("StartPreview, Reverb:                             %8.1f ms\n", previewReverb);
  std::printf("StartPreview, Amplify with the progress window:   %8.1f ms\n", previewAmplifyProgress);
  delete FormProgress;
  FormProgress = nullptr;
  delete main;
  return previewAmplify <= 2 * editorAmplify ? 0 : 1;
}
