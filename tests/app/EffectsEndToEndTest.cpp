// The real program applies every effect by hand: each command is chosen from the "Effe&ct" menu with
// the keyboard (another process cannot choose the program's menu items under Wine), its dialog is
// found by its window class and answered with keys and clicks, the result is saved and undone. Last,
// the amplify dialog previews, is cancelled, keeps the previewed value and applies it.

#include <filesystem>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/core/Paths.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/FileUtils.h"
#include "tests/app/EndToEnd.h"
#include "tests/app/WavFixture.h"
#include "tests/support/TestSupport.h"

namespace {

using end_to_end::ClickAt;
using end_to_end::PressKeys;
using end_to_end::TypeText;
using end_to_end::WaitFor;
using testing_support::ChildProcess;

// 1 s of 44100 Hz stereo noise, each channel its own, the first half at -6 dBFS and the second at
// -40 dBFS; every value even, so that halving and inverting are exact in 16 bits.
TWavContent NoiseSource() {
  TWavContent wav{44100, 2, 16, {}};
  std::uint32_t seeds[2] = {12345u, 987654321u};
  for (int frame = 0; frame < 44100; ++frame) {
    const int peak = frame < 22050 ? 16383 : 327;
    for (int channel = 0; channel < 2; ++channel) {
      seeds[channel] = seeds[channel] * 1664525u + 1013904223u;
      const int value = static_cast<int>((seeds[channel] >> 8) % (2 * peak + 1)) - peak;
      wav.Samples.push_back(static_cast<std::int16_t>(value & ~1));
    }
  }
  return wav;
}

FILETIME WriteTime(const String& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

String ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// Asked of the window itself: another process's edit tells its content only so.
String TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

// The first window inside the parent with the text (null: any) and the class name (null: any).
HWND ChildWith(HWND parent, const wchar_t* text, const wchar_t* className = nullptr) {
  for (HWND window : ChildWindows(parent))
    if ((!className || ClassOf(window) == className) && (!text || TextOf(window) == text)) return window;
  return nullptr;
}

HWND ChildWithText(HWND parent, const wchar_t* text) { return ChildWith(parent, text); }

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Every window inside the parent, "class: text" each.
String Children(HWND parent) {
  String list;
  for (HWND window : ChildWindows(parent)) list += ClassOf(window) + L": " + TextOf(window) + L"; ";
  return list;
}

// The visible top-level windows of the process, "class: caption" each.
String ShownWindows(DWORD processId) {
  std::vector<HWND> windows;
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
  String list;
  for (HWND window : windows) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) list += ClassOf(window) + L": " + TextOf(window) + L"; ";
  }
  return list;
}

bool Gone(HWND window) { return !IsWindow(window) || !IsWindowVisible(window); }

// One effect command: its place among the Effect menu's items (separators not counted), the dialog
// it shows (null: none) with what the user does in it, and what the saved file must be.
struct EffectRow {
  const char* what;
  int item;
  const wchar_t* dialogClass;
  std::function<void(HWND dialog)> answer;
  std::function<void(const TWavContent& saved, const TWavContent& source)> check;
};

// Clicks into the edit showing `shown` and types the value over it.
void TypeValue(HWND dialog, const wchar_t* shown, const wchar_t* value) {
  const HWND edit = ChildWith(dialog, shown);
  ASSERT_NE(edit, nullptr) << testing::PrintToString(std::wstring(Children(dialog)));
  ClickAt(CentreOf(edit));
  PressKeys({}, VK_END);
  for (int i = 0; i < 5; ++i) PressKeys({}, VK_BACK);
  TypeText(value);
  EXPECT_TRUE(WaitFor([&] { return ChildWith(dialog, value) == edit; }, 5000));
}

TEST(EffectsEndToEnd, EveryEffectFromTheMenuChangesTheSavedFileAndTheAmplifyPreviewKeepsItsValue) {
  end_to_end::FirstStart program(L"");
  const String wav = program.Folder().File(L"noise.wav");
  const TWavContent source = NoiseSource();
  WriteWav(wav, source.SampleRate, source.Channels, source.Samples);
  program.SetArguments(L"\"" + wav + L"\"");
  const std::unique_ptr<ChildProcess> started = program.Start();
  ChildProcess& process = *started;
  ASSERT_TRUE(process.Started());
  const HWND main = end_to_end::WaitForDocument(process, wav);
  ASSERT_NE(main, nullptr);

  // Chooses the item of the Effect menu and returns the dialog it opens (null without one).
  const auto choose = [&](int item, const wchar_t* dialogClass) -> HWND {
    EXPECT_TRUE(end_to_end::BringToFront(main));
    PressKeys({VK_CONTROL}, 'A');  // Select All
    PressKeys({VK_MENU}, 'C');     // "Effe&ct"
    for (int i = 0; i < item; ++i) PressKeys({}, VK_DOWN);
    PressKeys({}, VK_RETURN);
    if (!dialogClass) return nullptr;
    const HWND dialog = process.WaitForWindow(dialogClass, 10000);
    EXPECT_NE(dialog, nullptr) << "no " << testing::PrintToString(std::wstring(dialogClass)) << "; showing: "
                               << testing::PrintToString(std::wstring(ShownWindows(process.ProcessId())));
    if (dialog) {
      EXPECT_TRUE(end_to_end::BringToFront(dialog));
    }
    return dialog;
  };
  const auto clickButton = [](HWND dialog, const wchar_t* caption) {
    const HWND button = ChildWithText(dialog, caption);
    EXPECT_NE(button, nullptr) << testing::PrintToString(std::wstring(caption));
    PostMessageW(button, BM_CLICK, 0, 0);
  };
  // Save File, answering the output-format question where the program asks one.
  const auto save = [&] {
    const FILETIME before = WriteTime(wav);
    PressKeys({VK_CONTROL}, 'S');
    const bool written = WaitFor(
        [&] {
          if (const HWND setup = FindWindowW(nullptr, L"Wave File Setup"); setup && IsWindowVisible(setup))
            PostMessageW(ChildWithText(setup, L"&OK"), BM_CLICK, 0, 0);
          return !SameTime(WriteTime(wav), before);
        },
        15000);
    // Written once its time has stood still for a moment.
    FILETIME last = WriteTime(wav);
    return written && WaitFor(
                          [&] {
                            Sleep(150);
                            const FILETIME now = WriteTime(wav);
                            const bool still = SameTime(now, last);
                            last = now;
                            return still && ReadWav(wav).Channels == 2;
                          },
                          10000);
  };

  const auto differs = [](const TWavContent& saved, const TWavContent& original) {
    EXPECT_NE(saved.Samples, original.Samples);
  };
  const auto none = [](HWND) {};
  const std::vector<EffectRow> rows = {
      {"Echo", 0, L"TEchoForm", none, differs},
      {"Vibrato", 1, L"TVibratoForm", none, differs},
      {"Amplify", 2, L"TAmplifyForm", none, differs},
      {"CrossFade", 3, L"TCossFadeForm", none, differs},
      {"Fade In", 4, nullptr, none, differs},
      {"Fade Out", 5, nullptr, none, differs},
      {"Fade Out and Trim", 6, nullptr, none, differs},
      {"Normalize", 7, L"TNormalizeForm", none, differs},
      {"Envelope", 8, L"TEnvelopeForm",
       [](HWND dialog) {
         // A point above 0 dB in the middle of the curve.
         const HWND display = FindWindowExW(dialog, nullptr, L"TAudioTransformDisplay2", nullptr);
         ASSERT_NE(display, nullptr);
         RECT r{};
         GetWindowRect(display, &r);
         ClickAt({(r.left + r.right) / 2, r.top + 30});
         Sleep(200);
       },
       differs},
      {"Compressor", 9, L"TDynamicRangeCompressorForm", none, differs},
      {"Chorus", 10, L"TChorusForm", none, differs},
      {"Flanger", 11, L"TFlangerForm", none, differs},
      {"Phaser", 12, L"TPhaserForm", none, differs},
      {"Reverb", 13, L"TReverbForm", none, differs},
      {"Speed Change", 14, L"TSpeedChangeForm", [](HWND dialog) { TypeValue(dialog, L"100", L"150"); },
       [](const TWavContent& saved, const TWavContent&) { EXPECT_NEAR(saved.Frames(), 29400, 30); }},
      {"Pitch Change", 15, L"TPitchChangeForm", [](HWND dialog) { TypeValue(dialog, L"100", L"150"); }, differs},
      {"Peak EQ", 16, L"TPeakEQForm", none, differs},
      {"Notch", 17, L"TNotchForm", none, differs},
      {"Band Pass", 18, L"TBandPassForm", none, differs},
      {"Low Pass", 19, L"TLowPassForm", none, differs},
      {"High Pass", 20, L"THighPassForm", none, differs},
      {"Low Shelf", 21, L"TLowShelfForm", none, differs},
      {"High Shelf", 22, L"THighShelfForm", none, differs},
      {"Equalizer", 23, L"TEqualizerForm",
       [](HWND dialog) {
         const HWND presets = ChildWith(dialog, nullptr, L"ComboBox");
         ASSERT_NE(presets, nullptr) << testing::PrintToString(std::wstring(Children(dialog)));
         ClickAt(CentreOf(presets));  // the list drops down
         PressKeys({}, VK_DOWN);      // "Basic Low Boost"
         PressKeys({}, VK_RETURN);
         EXPECT_TRUE(WaitFor([&] { return ChildWith(dialog, L"Basic Low Boost") == presets; }, 5000));
       },
       differs},
      {"Mix Stereo", 24, L"TMixStereoForm", none, differs},
      {"Invert", 25, nullptr, none,
       [](const TWavContent& saved, const TWavContent& original) {
         ASSERT_EQ(saved.Samples.size(), original.Samples.size());
         for (std::size_t i = 0; i < saved.Samples.size(); ++i)
           ASSERT_EQ(saved.Samples[i], -original.Samples[i]) << i;
       }},
      {"Reverse", 26, nullptr, none,
       [](const TWavContent& saved, const TWavContent& original) {
         ASSERT_EQ(saved.Frames(), original.Frames());
         const int frames = original.Frames();
         for (int f = 0; f < frames; ++f)
           for (int c = 0; c < 2; ++c)
             ASSERT_EQ(saved.Samples[f * 2 + c], original.Samples[(frames - 1 - f) * 2 + c]) << f;
       }},
      {"Noise Reduction", 27, L"TNoiseReductionForm", none, differs},
      {"Cassette", 28, nullptr, none, differs},
      {"Voice Breath", 29, nullptr, none, differs},
  };
  for (const EffectRow& row : rows) {
    SCOPED_TRACE(row.what);
    const HWND dialog = choose(row.item, row.dialogClass);
    if (row.dialogClass) {
      ASSERT_NE(dialog, nullptr);
      row.answer(dialog);
      PressKeys({}, VK_RETURN);  // OK, the default button, after what was typed
      ASSERT_TRUE(WaitFor([&] { return Gone(dialog); }, 10000)) << "the dialog stayed open";
    }
    ASSERT_TRUE(end_to_end::BringToFront(main));
    ASSERT_TRUE(save()) << "not saved";
    const TWavContent saved = ReadWav(wav);
    EXPECT_EQ(saved.Channels, 2);
    row.check(saved, source);
    PressKeys({VK_CONTROL}, 'Z');
  }

  // Amplify: the stored 25, a preview of 50 that plays to its end, Cancel; opened again it shows 50.
  HWND dialog = choose(2, L"TAmplifyForm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(ChildWithText(dialog, L"25"), nullptr);
  TypeValue(dialog, L"25", L"50");
  clickButton(dialog, L"&Preview");
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(dialog, L"&Stop") != nullptr; }, 10000));
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(dialog, L"&Preview") != nullptr; }, 15000));
  clickButton(dialog, L"&Cancel");
  ASSERT_TRUE(WaitFor([&] { return Gone(dialog); }, 10000));
  dialog = choose(2, L"TAmplifyForm");
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(ChildWithText(dialog, L"50"), nullptr);
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return Gone(dialog); }, 10000));
  ASSERT_TRUE(end_to_end::BringToFront(main));
  ASSERT_TRUE(save());
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(15000, exitCode)) << "a question kept the program open";
  EXPECT_EQ(exitCode, 0u);

  const TWavContent halved = ReadWav(wav);
  ASSERT_EQ(halved.Samples.size(), source.Samples.size());
  for (std::size_t i = 0; i < source.Samples.size(); ++i) ASSERT_EQ(halved.Samples[i], source.Samples[i] / 2) << i;
  EXPECT_EQ(TIniFile(program.DataFolder() + L"system.dat").ReadInteger(L"SYSTEM", L"DefAmplify", 0), 50);
}

}  // namespace
