// Benchmarks of the engine on a long generated file (AUDIO_BENCH_FILE, made by `audiotool make`),
// each beside the plain memory or file operation it is measured against.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/audio/core/AudioEngine.h"
#include "platform/audio/core/ByteStream.h"
#include "platform/audio/core/WaveformRaster.h"
#include "platform/framework/base/Utf8.h"

namespace {

constexpr int kWidth = 1280, kHeight = 400;

String BenchFile() {
  const char* path = std::getenv("AUDIO_BENCH_FILE");
  if (!path || !*path) {
    std::fputs("Set AUDIO_BENCH_FILE to a WAV file (audiotool make FILE 3600).\n", stderr);
    std::exit(2);
  }
  return Utf8Decode(path);
}

// The long file opened once, and a one-minute document cut from it the same way.
struct Documents {
  AudioEngine hour;
  AudioEngine minute;
  Documents() {
    hour.OpenFile(BenchFile());
    minute.OpenFile(BenchFile());
    minute.SetSelection(minute.SampleRate() * 60, minute.Length());
    minute.DeleteSelected();
  }
};

Documents& Docs() {
  static Documents docs;
  return docs;
}

void BM_ReadFileReusedBuffer(benchmark::State& state) {
  const String path = BenchFile();
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    auto source = OpenFileSource(path);
    for (std::int64_t at = 0; at < source->Size(); at += static_cast<std::int64_t>(buffer.size()))
      benchmark::DoNotOptimize(source->ReadAt(at, buffer.data(), buffer.size()));
  }
}

void BM_OpenAndOverview(benchmark::State& state) {
  const String path = BenchFile();
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  WaveformScratch columns;
  for (auto _ : state) {
    AudioEngine engine;
    engine.OpenFile(path);
    RasterizeWaveform(*engine.Doc().Audio, 0, engine.Length(), {pixels.data(), kWidth, kHeight, kWidth}, {}, columns);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_MemsetPixels(benchmark::State& state) {
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  for (auto _ : state) {
    std::memset(pixels.data(), static_cast<int>(state.iterations() & 0xFF), pixels.size() * 4);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}

// Spans: 0 whole document, then 600 s, 60 s, 10 s and 1280 frames, centred on the middle.
std::int64_t SpanFrames(const AudioEngine& engine, int index) {
  const std::int64_t rate = engine.SampleRate();
  const std::int64_t spans[] = {engine.Length(), 600 * rate, 60 * rate, 10 * rate, kWidth};
  return std::min(spans[index], engine.Length());
}

void Redraw(benchmark::State& state, AudioEngine& engine) {
  const std::int64_t span = SpanFrames(engine, static_cast<int>(state.range(0)));
  const std::int64_t start = (engine.Length() - span) / 2;
  std::vector<std::uint32_t> pixels(kWidth * kHeight);
  WaveformScratch columns;
  WaveformStyle style;
  style.SelectionStart = start + span / 4;
  style.SelectionEnd = start + span / 2;
  for (auto _ : state) {
    RasterizeWaveform(*engine.Doc().Audio, start, start + span, {pixels.data(), kWidth, kHeight, kWidth}, style, columns);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// The summary half of a redraw alone: each column's min/max, no pixels.
void BM_ColumnsHour(benchmark::State& state) {
  AudioEngine& engine = Docs().hour;
  const std::int64_t span = SpanFrames(engine, static_cast<int>(state.range(0)));
  const std::int64_t start = (engine.Length() - span) / 2;
  WaveformScratch columns;
  for (auto _ : state) {
    ComputeColumns(*engine.Doc().Audio, start, start + span, kWidth, columns);
    benchmark::DoNotOptimize(columns.Columns.data());
  }
}

void BM_RedrawHour(benchmark::State& state) { Redraw(state, Docs().hour); }
void BM_RedrawMinute(benchmark::State& state) { Redraw(state, Docs().minute); }

void BM_MemcpyDocumentFloats(benchmark::State& state) {
  const std::size_t bytes = static_cast<std::size_t>(Docs().hour.Length() * Docs().hour.Channels()) * sizeof(float);
  std::vector<char> from(bytes, 1), to(bytes, 2);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
}

// Steady state: the document is already in memory; one undo step keeps the previous version.
void BM_AmplifyWhole(benchmark::State& state) {
  AudioEngine& engine = Docs().hour;
  engine.SetUndoRedoCount(1);
  engine.SetSelection(0, engine.Length());
  // Three versions live at once (current, its undo step, the one being built): after three runs
  // every slot comes from the arena's free list.
  for (int warm = 0; warm < 3; ++warm) engine.Amplify(100);
  for (auto _ : state) engine.Amplify(99);
}

void UndoRedo(benchmark::State& state, AudioEngine& engine) {
  engine.SetUndoRedoCount(1);
  engine.SetSelection(0, engine.Length());
  engine.Amplify(50);
  for (auto _ : state) {
    engine.Undo();
    engine.Redo();
  }
}

void BM_UndoRedoHour(benchmark::State& state) { UndoRedo(state, Docs().hour); }
void BM_UndoRedoMinute(benchmark::State& state) { UndoRedo(state, Docs().minute); }

}  // namespace

BENCHMARK(BM_ReadFileReusedBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenAndOverview)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MemsetPixels)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ColumnsHour)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawHour)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawMinute)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyDocumentFloats)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AmplifyWhole)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UndoRedoHour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoMinute)->Unit(benchmark::kMicrosecond);
