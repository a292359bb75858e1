// One run of the batch converter in its real window, for tools/bench/batch.sh: the given WAV with one
// Amplify 50 % row, written as WAV into the given folder. Prints the run's time (Finish to the end,
// tag copy included) and the process's peak working set.
//   capture_batch_benchmark.exe INPUT.wav OUTPUT-FOLDER

#include <chrono>
#include <cstdio>

#include "app/core/Globals.h"
#include "capture/BatchConverter.h"
#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"

#include <psapi.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: capture_batch_benchmark INPUT.wav OUTPUT-FOLDER\n");
    return 2;
  }
  RegisterAudioCodecs(FormatRegistry::Default());
  int boxes = 0;
  SetMessageBoxAnswerer([&](HWND, const String& text, const String&, UINT) {
    std::fwprintf(stderr, L"box: %ls\n", text.c_str());
    ++boxes;
    return IDOK;
  });
  GlobalVars.BatchFileFormatUseTheSame = false;
  GlobalVars.BatchFileFormatIndex = 0;
  GlobalVars.OutputWAVType = 0;
  GlobalVars.OutputWAVPersets = 1;  // 44100 Hz, 2 channels, 16 bits
  GlobalVars.BatchFileSaveFolderUseTheSame = false;
  GlobalVars.BatchFileSaveFolderpath = argv[2];

  ObjectPtr<TBatchConverterForm> form(new TBatchConverterForm(nullptr));
  form->Show();
  form->AddFile(argv[1]);
  form->AddCommand(NewBatchCommand(TBatchCommandKind::Amplify, std::vector<int>{50}));
  const auto start = std::chrono::steady_clock::now();
  form->RunBatch();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  std::printf("seconds=%.3f peak_mb=%.1f failed=%d\n", seconds, counters.PeakWorkingSetSize / 1048576.0, boxes);
  return boxes == 0 && form->ModalResult == mrOk ? 0 : 1;
}
