// The real program edits a file by hand: commands are chosen with their keys (menus are private to
// the process that made them under Wine, so another process cannot choose their items), and the
// saved file and settings are checked after it ends.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "app/core/Paths.h"
#include "app/core/SystemQueries.h"
#include "capture/RecordControl.h"
#include "platform/audio/codecs/AudioCodecs.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/processing/AudioInformation2.h"
#include "platform/framework/base/Utf8.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Strings.h"
#include "tests/app/EndToEnd.h"
#include "tests/app/WavFixture.h"
#include "tests/support/TestSupport.h"

using testing_support::ChildProcess;
using testing_support::ExecutableFolder;
using testing_support::ScratchFolder;

namespace {

using end_to_end::BringToFront;
using end_to_end::CaptionStartsWith;
using end_to_end::ClickAt;
using end_to_end::DataFolderOf;
using end_to_end::FirstStart;
using end_to_end::PressKeys;
using end_to_end::WaitForDocument;
using end_to_end::WaitFor;

TEST(CommandsEndToEnd, AFileEditedWithTheCommandKeysIsSavedWithoutAQuestionAtClose) {
  const String title = L"Zentavo";
  const String dataFolder = DataFolderOf(title);
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(dataFolder), ignored);
  ScratchFolder folder;
  const String exe = folder.File(L"AudioEditor.exe");
  ASSERT_TRUE(CopyFileW((ExecutableFolder() + L"AudioEditor.exe").c_str(), exe.c_str(), FALSE));
  TIniFile brand(folder.File(L"lame.dll"));
  brand.WriteString(L"SYSTEM", L"Name", title);
  brand.WriteString(L"SYSTEM", L"Version", L"1.0");
  const String wav = folder.File(L"edit me.wav");
  WritePatternWav(wav, 44100, 2, 10000);

  ChildProcess process(exe, L"\"" + wav + L"\"", folder.Path());
  ASSERT_TRUE(process.Started());
  const HWND main = WaitForDocument(process, wav);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(BringToFront(main));
  PressKeys({}, VK_F8);  // Fast Forword
  PressKeys({}, VK_F8);
  PressKeys({VK_SHIFT}, VK_HOME);  // Select To Start
  PressKeys({}, VK_DELETE);  // Delete
  PressKeys({VK_CONTROL}, 'S');  // Save File, then OK in "Wave File Setup"
  ASSERT_NE(process.WaitForWindow(L"TWaveFormatForm", 10000), nullptr);
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return ReadWav(wav).Frames() == 6000; }, 10000)) << ReadWav(wav).Frames();
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(10000, exitCode)) << "a question kept the program open";
  EXPECT_EQ(exitCode, 0u);

  const TWavContent saved = ReadWav(wav);
  EXPECT_EQ(saved.SampleRate, 44100);
  EXPECT_EQ(saved.Channels, 2);
  EXPECT_EQ(saved.Bits, 16);
  ASSERT_EQ(saved.Frames(), 6000);
  for (int frame = 0; frame < 6000; ++frame)
    for (int channel = 0; channel < 2; ++channel)
      ASSERT_EQ(saved.Samples[frame * 2 + channel], PatternSample(4000 + frame, channel)) << frame;
  TStringList recent;
  recent.LoadFromFile(dataFolder + L"MRUList.dat");
  ASSERT_GE(recent.Count(), 1);
  EXPECT_EQ(recent[0], wav);
  EXPECT_EQ(TIniFile(dataFolder + L"system.dat").ReadString(L"SYSTEM", L"LastOpenDir", L""),
            ExcludeTrailingPathDelimiter(folder.Path()));
}

}  // namespace

namespace {

std::vector<String> SectionsOf(const String& path) {
  TIniFile ini(path);
  TStringList sections;
  ini.ReadSections(sections);
  std::vector<String> names;
  for (int i = 0; i < sections.Count(); ++i) names.push_back(sections.Strings(i));
  return names;
}

TEST(CommandsEndToEnd, AFirstStartWritesTheListsAndCtrlHHalvesTheFileThatCtrlSSaves) {
  FirstStart program(L"");
  const String wav = program.Folder().File(L"loud.wav");
  WritePatternWav(wav, 44100, 2, 10000);
  program.SetArguments(L"\"" + wav + L"\"");
  const auto process = program.Start();
  ASSERT_TRUE(process->Started());
  const HWND main = WaitForDocument(*process, wav);
  ASSERT_NE(main, nullptr);
  const std::vector<String> favorites = SectionsOf(program.DataFolder() + L"Favorite.dat");
  ASSERT_EQ(favorites.size(), 12u);
  EXPECT_EQ(favorites.front(), L"Half Volume");
  EXPECT_EQ(favorites.back(), L"Cassette Noise Reduce");
  EXPECT_EQ(SectionsOf(program.DataFolder() + L"Shortcut.dat").size(), 109u);
  ASSERT_TRUE(BringToFront(main));
  PressKeys({VK_CONTROL}, 'H');  // the favourite "Half Volume"
  PressKeys({VK_CONTROL}, 'S');
  ASSERT_NE(process->WaitForWindow(L"TWaveFormatForm", 10000), nullptr);
  PressKeys({}, VK_RETURN);
  const auto halved = [&] {
    const TWavContent saved = ReadWav(wav);
    if (saved.Frames() != 10000) return false;
    for (int frame = 0; frame < 10000; ++frame)
      for (int channel = 0; channel < 2; ++channel)
        if (std::abs(saved.Samples[frame * 2 + channel] - PatternSample(frame, channel) / 2.0) > 1.0) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor(halved, 10000));
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process->WaitForExit(10000, exitCode));
}

TEST(CommandsEndToEnd, WithoutAFileTheWelcomeWindowAppearsAndCloseClosesIt) {
  FirstStart program(L"");
  const auto process = program.Start();
  ASSERT_TRUE(process->Started());
  const HWND welcome = process->WaitForWindow(L"TWelcomeStartForm", 20000);
  ASSERT_NE(welcome, nullptr) << "no welcome window";
  wchar_t caption[256] = {};
  GetWindowTextW(welcome, caption, 256);
  EXPECT_EQ(String(caption), L"Welcome - Zentavo");
  const HWND close = FindWindowExW(welcome, nullptr, nullptr, L"&Close");
  ASSERT_NE(close, nullptr);
  PostMessageW(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(welcome) || !IsWindowVisible(welcome); }, 10000));
  const HWND main = process->WaitForWindow(L"TMainForm", 5000);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process->WaitForExit(10000, exitCode));
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace

// ---- The format, document and edit dialogs, driven by hand ------------------------------------------

namespace {

// A key as PressKeys sends it, then a pause: Wine's menu loop drops keys that follow too closely.
void Press(std::initializer_list<WORD> modifiers, WORD key) {
  PressKeys(modifiers, key);
  Sleep(100);
}

// Types the text as characters, whatever the keyboard layout.
void TypeText(const String& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text)
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | up;
      inputs.push_back(input);
    }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The text of the focused edit replaced by the typed text.
void ReplaceText(const String& text) {
  Press({}, VK_HOME);
  Press({VK_SHIFT}, VK_END);
  TypeText(text);
}

// Alt + the menu's letter; once the menu shows, Home, Down `downs` times (Right to open a
// sub-menu) and Enter.
void ChooseMenuItem(const ChildProcess& process, WORD letter, int downs, bool subMenu = false) {
  Press({VK_MENU}, letter);
  process.WaitForWindow(L"#32768", 5000);
  Sleep(300);
  Press({}, VK_HOME);
  for (int i = 0; i < downs; ++i) Press({}, VK_DOWN);
  if (subMenu) Press({}, VK_RIGHT);
  Press({}, VK_RETURN);
}

struct TFoundWindows {
  DWORD Process;
  std::string Classes;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<TFoundWindows*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[128] = {};
  if (owner == found->Process && IsWindowVisible(window) && GetClassNameA(window, name, sizeof name))
    found->Classes += std::string(found->Classes.empty() ? "" : ", ") + name;
  return TRUE;
}

// The classes of the visible top-level windows of the process (for failure messages).
std::string VisibleWindows(const ChildProcess& process) {
  TFoundWindows found{process.ProcessId(), {}};
  EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&found));
  return "shown: " + found.Classes;
}

String WindowClass(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// A dialog of the program by its window class, once it is the active window.
HWND WaitForDialog(const ChildProcess& process, const wchar_t* className) {
  const HWND dialog = process.WaitForWindow(className, 15000);
  if (!dialog) {
    ADD_FAILURE() << Utf8Encode(className) << " not found; " << VisibleWindows(process);
    return nullptr;
  }
  WaitFor([&] { return GetForegroundWindow() == dialog || SetForegroundWindow(dialog); }, 5000);
  // Keys go to the focused control: wait until the dialog has given the focus to one of its own.
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  WaitFor(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndFocus && IsChild(dialog, info.hwndFocus);
      },
      5000);
  Sleep(200);
  return dialog;
}

// The dialog has closed and (given the main window) the main window takes input again: the command it served has ended
// (a long one disables the main window while it runs, and a disabled window runs no command key).
bool Closed(HWND window, HWND main) {
  if (!WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, 15000)) return false;
  if (!main) return true;  // another dialog of the same command follows
  for (int settle = 0; settle < 2; ++settle) {
    Sleep(200);
    if (!WaitFor([&] { return IsWindowEnabled(main) != FALSE; }, 15000)) return false;
  }
  return true;
}

// The recent-files list names the path first: the open or save that listed it has rebuilt the File
// menu (a menu rebuilt while it is open loses its highlighted item).
bool WaitForRecent(const String& dataFolder, const String& path) {
  return WaitFor(
      [&] {
        TStringList recent;
        try {
          recent.LoadFromFile(dataFolder + L"MRUList.dat");
        } catch (const std::exception&) {
          return false;
        }
        return recent.Count() > 0 && recent[0] == path;
      },
      15000);
}

// Root mean square of frames [from, to) of one channel, as a fraction of full scale.
double Rms(const TWavContent& wav, int channel, int from, int to) {
  double sum = 0;
  for (int f = from; f < to; ++f) {
    const double v = wav.Samples[static_cast<std::size_t>(f) * wav.Channels + channel] / 32768.0;
    sum += v * v;
  }
  return std::sqrt(sum / std::max(1, to - from));
}

int PeakOf(const TWavContent& wav) {
  int peak = 0;
  for (std::int16_t s : wav.Samples) peak = std::max(peak, std::abs(int(s)));
  return peak;
}

// A file written after `since`: its content read back once the condition holds.
bool WaitForWav(const String& path, const std::function<bool(const TWavContent&)>& condition) {
  return WaitFor([&] { return condition(ReadWav(path)); }, 15000);
}

TEST(CommandsEndToEnd, TheFormatDocumentAndEditDialogsDrivenWithTheKeyboard) {
  // The written files are read back with the codecs the program reads them with.
  RegisterAudioCodecs(FormatRegistry::Default());
  FirstStart program(L"");
  const ScratchFolder& folder = program.Folder();
  const String dataFolder = program.DataFolder();
  // 3 s of 44100 Hz stereo: silence, with a -20 dBFS 1 kHz tone in the left channel in [0.5 s, 1.5 s).
  const String wav = folder.File(L"tone.wav");
  std::vector<std::int16_t> samples(3 * 44100 * 2, 0);
  for (int f = 22050; f < 66150; ++f)
    samples[static_cast<std::size_t>(f) * 2] =
        static_cast<std::int16_t>(std::lround(3276.7 * std::sin(2 * 3.14159265358979 * 1000.0 * f / 44100.0)));
  WriteWav(wav, 44100, 2, samples);

  program.SetArguments(L"\"" + wav + L"\"");
  const auto started = program.Start();
  ChildProcess& process = *started;
  ASSERT_TRUE(process.Started());
  const HWND main = process.WaitForWindow(L"TMainForm", 20000);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(CaptionStartsWith(main, wav));
  ASSERT_TRUE(WaitForRecent(dataFolder, wav));
  ASSERT_TRUE(BringToFront(main));
  // The mouse pointer away from where menus open, so that no item is highlighted by the pointer.
  SetCursorPos(0, GetSystemMetrics(SM_CYSCREEN) - 1);
  const auto saveWithWaveDialog = [&] {
    Press({VK_CONTROL}, 'S');
    const HWND setup = WaitForDialog(process, L"TWaveFormatForm");
    ASSERT_NE(setup, nullptr);
    Press({VK_MENU}, 'O');
    ASSERT_TRUE(Closed(setup, main));
  };
  // The mix dialog answered with both levels at 100%.
  const auto mixAtFullLevels = [&] {
    const HWND mix = WaitForDialog(process, L"TPasteMixForm");
    ASSERT_NE(mix, nullptr);
    ReplaceText(L"100");
    Press({}, VK_TAB);
    ReplaceText(L"100");
    Press({}, VK_RETURN);
    ASSERT_TRUE(Closed(mix, main));
  };

  // 1. Convert Sample Rate and Channels: 22050 Hz, mono; saved as the WAV preset (44100 Hz stereo).
  ChooseMenuItem(process, 'F', 8);  // after New, Record, Open, Load CD, Close, Save, Save As, Save Selection
  HWND dialog = WaitForDialog(process, L"TConvertSampleRateForm");
  ASSERT_NE(dialog, nullptr);
  Press({}, VK_DOWN);  // 32000 Hz
  Press({}, VK_DOWN);  // 22050 Hz
  Press({}, VK_TAB);   // "Stereo"
  Press({}, VK_UP);    // "Mono"
  Press({}, VK_SPACE);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  saveWithWaveDialog();
  TWavContent saved;
  ASSERT_TRUE(WaitForWav(wav, [&](const TWavContent& w) {
    saved = w;
    return w.SampleRate == 44100 && w.Channels == 2 && w.Frames() == 3 * 44100;
  })) << saved.SampleRate << " " << saved.Channels << " " << saved.Frames();
  for (int f = 0; f < saved.Frames(); ++f)
    ASSERT_EQ(saved.Samples[f * 2], saved.Samples[f * 2 + 1]) << f << " right rms " << Rms(saved, 1, 26460, 61740);
  EXPECT_GT(Rms(saved, 0, 26460, 61740), 0.02) << "the tone in [0.6 s, 1.4 s)";
  EXPECT_LT(Rms(saved, 0, 0, 17640), 0.001) << "silence in [0, 0.4 s)";

  // 2. Edit ID3 Tags: the title.
  ChooseMenuItem(process, 'F', 9);
  dialog = WaitForDialog(process, L"TEditID3Form");
  ASSERT_NE(dialog, nullptr);
  ReplaceText(L"Take two");
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, main));
  saveWithWaveDialog();
  ASSERT_TRUE(WaitFor(
      [&] {
        TAudioInformation2 info(nullptr);
        try {
          info.ReadTagsFrom(wav);
        } catch (const std::exception&) {
          return false;
        }
        return info.Tags().Title == L"Take two";
      },
      15000));
  const TWavContent before = ReadWav(wav);

  // 3. Select All, Copy, Paste Mix 100/100: the sound doubled. Then Mix File with the file itself.
  Press({VK_CONTROL}, 'A');
  Press({VK_CONTROL}, 'C');
  ChooseMenuItem(process, 'E', 4);
  mixAtFullLevels();
  saveWithWaveDialog();
  ASSERT_TRUE(WaitForWav(wav, [&](const TWavContent& w) {
    if (w.Samples.size() != before.Samples.size()) return false;
    for (std::size_t i = 0; i < w.Samples.size(); ++i)
      if (std::abs(w.Samples[i] - 2 * before.Samples[i]) > 2) return false;
    return PeakOf(w) > 0;
  }));
  const TWavContent doubled = ReadWav(wav);
  ChooseMenuItem(process, 'E', 10);
  dialog = WaitForDialog(process, L"#32770");  // the open dialog
  ASSERT_NE(dialog, nullptr);
  ReplaceText(wav);
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, nullptr));
  mixAtFullLevels();
  saveWithWaveDialog();
  ASSERT_TRUE(WaitForWav(wav, [&](const TWavContent& w) {
    return w.Frames() == doubled.Frames() && w.Samples != doubled.Samples;
  }));

  // 4. Select Specified Time: from 0.500 for 1 s; Delete; saved with specified settings 22050 Hz mono.
  Press({VK_CONTROL}, 'G');
  dialog = WaitForDialog(process, L"TSelectSpecifiedTimeForm");
  ASSERT_NE(dialog, nullptr);
  ReplaceText(L"0.500");
  Press({}, VK_TAB);
  Press({}, VK_TAB);
  ReplaceText(L"1");
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, main));
  Press({}, VK_DELETE);
  Press({VK_CONTROL}, 'S');
  dialog = WaitForDialog(process, L"TWaveFormatForm");
  ASSERT_NE(dialog, nullptr);
  Press({VK_MENU}, 'S');
  Press({VK_MENU}, 'C');
  HWND specify = WaitForDialog(process, L"TWaveFormatSpecifyForm");
  ASSERT_NE(specify, nullptr);
  for (int i = 0; i < 3; ++i) Press({}, VK_UP);  // 44100 -> 22050 Hz
  Press({VK_MENU}, 'M');
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(specify, nullptr));
  ASSERT_EQ(WaitForDialog(process, WindowClass(dialog).c_str()), dialog);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  ASSERT_TRUE(WaitForWav(wav, [&](const TWavContent& w) {
    saved = w;
    return w.SampleRate == 22050 && w.Channels == 1 && std::abs(w.Frames() - 44100) <= 1;
  })) << saved.SampleRate << " " << saved.Channels << " " << saved.Frames();
  EXPECT_EQ(saved.Bits, 16);
  EXPECT_LT(PeakOf(saved), 200) << "the tone is gone";

  // 5. Select All, Repeat Loop 2: 6 s; Insert Silence at the beginning, 500 ms: 6.5 s.
  Press({VK_CONTROL}, 'A');
  ChooseMenuItem(process, 'E', 9);
  dialog = WaitForDialog(process, L"TRepeatLoopForm");
  ASSERT_NE(dialog, nullptr);
  ReplaceText(L"2");
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, main));
  ChooseMenuItem(process, 'E', 16, true);
  dialog = WaitForDialog(process, L"TInsertSilenceForm");
  ASSERT_NE(dialog, nullptr);
  ReplaceText(L"500");
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, main));
  saveWithWaveDialog();
  ASSERT_TRUE(WaitForWav(wav, [&](const TWavContent& w) { saved = w; return std::abs(w.Frames() - 143325) <= 2; }))
      << saved.Frames();

  // 6. New File: 8,000 Hz mono, "Untitled"; one second of silence; saved under a typed name.
  Press({VK_CONTROL}, 'N');
  dialog = WaitForDialog(process, L"TNewFileForm");
  ASSERT_NE(dialog, nullptr);
  Press({}, VK_END);  // 6,000
  Press({}, VK_UP);   // 8,000
  Press({VK_MENU}, 'M');
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  ASSERT_TRUE(CaptionStartsWith(main, L"Untitled"));
  ChooseMenuItem(process, 'E', 16, true);
  dialog = WaitForDialog(process, L"TInsertSilenceForm");
  ASSERT_NE(dialog, nullptr);
  ReplaceText(L"1000");
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(dialog, main));
  const auto saveTo = [&](const String& path) {
    dialog = WaitForDialog(process, L"#32770");
    ASSERT_NE(dialog, nullptr);
    ReplaceText(path);
    Press({}, VK_RETURN);
    ASSERT_TRUE(Closed(dialog, nullptr));
  };
  // Save File waits for a name with an extension: Save File As.
  const String newWav = folder.File(L"new.wav");
  ChooseMenuItem(process, 'F', 6);
  saveTo(newWav);
  dialog = WaitForDialog(process, L"TWaveFormatForm");
  ASSERT_NE(dialog, nullptr);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  ASSERT_TRUE(WaitForWav(newWav, [&](const TWavContent& w) { saved = w; return std::abs(w.Frames() - 22050) <= 1; }))
      << saved.Frames();
  ASSERT_TRUE(WaitForRecent(dataFolder, newWav));

  // 7. Save File As: MP3 at the lowest preset, OGG specified mono, WMA without an encoder.
  const String mp3 = folder.File(L"out.mp3");
  ChooseMenuItem(process, 'F', 6);
  saveTo(mp3);
  dialog = WaitForDialog(process, L"TMp3FormatForm");
  ASSERT_NE(dialog, nullptr);
  Press({VK_MENU}, 'P');
  Press({}, VK_TAB);
  Press({}, VK_HOME);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  String readError;
  const auto readBack = [&readError](const String& path, int& rate, int& channels) {
    return WaitFor(
        [&] {
          TAudioInformation2 info(nullptr);
          try {
            info.ReadTagsFrom(path);
          } catch (const Exception& e) {
            readError = e.Message();
            return false;
          }
          rate = info.GetSampleRate(), channels = info.GetChannels();
          return info.GetLength() > 0;
        },
        15000);
  };
  int rate = 0, channels = 0;
  ASSERT_TRUE(readBack(mp3, rate, channels)) << Utf8Encode(readError);
  ASSERT_TRUE(WaitForRecent(dataFolder, mp3));
  EXPECT_EQ(rate, 8000);
  EXPECT_EQ(channels, 1);

  const String ogg = folder.File(L"out.ogg");
  ChooseMenuItem(process, 'F', 6);
  saveTo(ogg);
  dialog = WaitForDialog(process, L"TOGGFormatForm");
  ASSERT_NE(dialog, nullptr);
  Press({VK_MENU}, 'S');
  Press({VK_MENU}, 'C');
  specify = WaitForDialog(process, L"TOGGSettingsSpecifyForm");
  ASSERT_NE(specify, nullptr);
  Press({}, VK_TAB);   // the quality slider
  Press({}, VK_TAB);   // "Stereo"
  Press({}, VK_DOWN);  // "Mono"
  Press({}, VK_SPACE);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(specify, nullptr));
  ASSERT_EQ(WaitForDialog(process, WindowClass(dialog).c_str()), dialog);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  ASSERT_TRUE(readBack(ogg, rate, channels)) << Utf8Encode(readError);
  ASSERT_TRUE(WaitForRecent(dataFolder, ogg));
  EXPECT_EQ(channels, 1);

  const String wma = folder.File(L"out.wma");
  ChooseMenuItem(process, 'F', 6);
  saveTo(wma);
  dialog = WaitForDialog(process, L"TWMAFormatForm");
  ASSERT_NE(dialog, nullptr);
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, nullptr));  // the message follows
  const HWND message = WaitForDialog(process, L"#32770");
  ASSERT_NE(message, nullptr) << "the missing encoder's message";
  Press({}, VK_RETURN);
  ASSERT_TRUE(Closed(message, main));
  EXPECT_FALSE(FileExists(wma));

  // 8. Options: playback after edits; then the program closes without a question.
  ChooseMenuItem(process, 'O', 0);
  dialog = WaitForDialog(process, L"TOptionsForm");
  ASSERT_NE(dialog, nullptr);
  Press({}, VK_RIGHT);  // the "Audio Processing" sheet
  Sleep(200);
  Press({VK_MENU}, 'P');
  Press({VK_MENU}, 'O');
  ASSERT_TRUE(Closed(dialog, main));
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  ASSERT_TRUE(process.WaitForExit(15000, exitCode)) << "a question kept the program open";
  EXPECT_EQ(exitCode, 0u);
  TIniFile settings(dataFolder + L"system.dat");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OutputWAVType", L""), L"1");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OutputWAVSampleType", L""), L"4");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OutputWAVMode", L""), L"1");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OutputMP3Presets", L""), L"0");
  EXPECT_EQ(settings.ReadString(L"SYSTEM", L"OP_PlayAfterEdit", L""), L"1");
}

// Left-clicks the console's Record button where its layout puts it.
void ClickRecordButton(HWND console) {
  POINT point{TRecordControlForm::kRecordButtonLeft + TRecordControlForm::kImageButtonWidth / 2,
              TRecordControlForm::kRecordButtonTop + TRecordControlForm::kImageButtonHeight / 2};
  ClientToScreen(console, &point);
  ClickAt(point);
}

// F5 opens the console over the document; a take is recorded, then kept or discarded.
HWND RecordATake(const ChildProcess& process, HWND main, DWORD milliseconds, BYTE closingKey) {
  if (!BringToFront(main)) return nullptr;
  PressKeys({}, VK_F5);
  HWND console = nullptr;
  if (!WaitFor([&] {
        console = process.WaitForWindow(L"TRecordControlForm", 500);
        return console && IsWindowVisible(console);
      }, 10000) ||
      !BringToFront(console))
    return nullptr;
  ClickRecordButton(console);
  Sleep(milliseconds);  // the null device records silence in real time
  PressKeys({VK_MENU}, closingKey);
  return WaitFor([&] { return !IsWindowVisible(console); }, 10000) ? console : nullptr;
}

TEST(CommandsEndToEnd, F5RecordsFromTheNullDeviceAndKeepInsertsTheTakeThatCtrlSSaves) {
  constexpr int kSourceFrames = 10000;
  FirstStart start(L"");
  const String wav = start.Folder().File(L"take.wav");
  WritePatternWav(wav, 44100, 2, kSourceFrames);
  start.SetArguments(L"\"" + wav + L"\"");
  const String recording = String(1, DriveWithMostFreeSpace()) + L":\\temp\\Recording.wav";
  auto process = start.Start();
  ASSERT_TRUE(process->Started());
  const HWND main = WaitForDocument(*process, wav);
  ASSERT_NE(main, nullptr);

  ASSERT_NE(RecordATake(*process, main, 1200, 'K'), nullptr) << "Keep did not close the console";
  PressKeys({VK_CONTROL}, 'S');
  ASSERT_NE(process->WaitForWindow(L"TWaveFormatForm", 10000), nullptr);
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return ReadWav(wav).Frames() >= kSourceFrames + 22050; }, 10000))
      << ReadWav(wav).Frames();
  const TWavContent saved = ReadWav(wav);
  EXPECT_EQ(saved.SampleRate, 44100);
  EXPECT_EQ(saved.Channels, 2);
  EXPECT_EQ(saved.Bits, 16);
  // The take went in at the cursor (the start): silence, then the source unchanged.
  const int take = saved.Frames() - kSourceFrames;
  for (int frame = 0; frame < take; ++frame) ASSERT_EQ(saved.Samples[frame * 2], 0) << frame;
  for (int frame = 0; frame < kSourceFrames; ++frame)
    for (int channel = 0; channel < 2; ++channel)
      ASSERT_EQ(saved.Samples[(take + frame) * 2 + channel], PatternSample(frame, channel)) << frame;

  // A second take, discarded: no recording file stays behind.
  ASSERT_NE(RecordATake(*process, main, 400, 'D'), nullptr) << "Discard did not close the console";
  EXPECT_TRUE(WaitFor([&] { return !FileExists(recording); }, 5000)) << recording;
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 99;
  EXPECT_TRUE(process->WaitForExit(10000, exitCode));
}

}  // namespace
