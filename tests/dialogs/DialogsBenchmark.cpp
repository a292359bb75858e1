// Paint times of the dialogs' slider, run under Wine by tools/bench/dialogs-bench.sh: a full paint of
// the three-value slider (through its kept off-screen bitmap, onto the screen) and the equalizer's
// repaint after a preset (twelve sliders), each the median of many rounds, in microseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "dialogs/Equalizer.h"
#include "dialogs/ImageSlider.h"

namespace {

template <class F>
double MedianMicroseconds(int rounds, F&& work) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work(i);
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void PaintNow(TWinControl* control) {
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

int wmain() {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(40, 40, 420, 380);
  auto* slider = new TImageSlider(form);
  slider->SetBounds(10, 10, 217, 40);
  slider->SetParent(form);
  slider->SetMaxValue(2);
  slider->SetIncrement(1);
  slider->SetOptions({soShowPoints});
  form->Show();
  const double sliderPaint = MedianMicroseconds(400, [&](int i) {
    slider->SetValue(i % 3);
    PaintNow(slider);
  });

  auto* equalizer = new TEqualizerForm(form);
  equalizer->Show();
  const int presets = equalizer->ComboBoxPreset->Items()->Count();
  const double equalizerRepaint = MedianMicroseconds(200, [&](int i) {
    equalizer->ComboBoxPreset->SetItemIndex(1 + i % (presets - 1));
    equalizer->ComboBoxPresetChange(equalizer->ComboBoxPreset);
    equalizer->GroupBoxEqualizer->Update();
  });
  std::printf("slider full paint (217 x 40, ticks):        %8.1f us\n", sliderPaint);
  std::printf("equalizer repaint after a preset (12 bands): %8.1f us\n", equalizerRepaint);
  std::printf("frame budget:                                %8.1f us\n", 8000.0);
  form->Free();
  return 0;
}
