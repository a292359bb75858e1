#pragma once
// A main window with the real editor control, the progress window and both marker lists, for the
// command tests: message boxes and file dialogs are answered from queues, modal forms by a script,
// and documents are made by the tests as WAV files of a known pattern.

#include <cstdint>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"

class TAudioEditor2;

struct TShownMessage {
  String Text;
  String Caption;
  UINT Flags;
};

class CommandsTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a pattern WAV into the scratch folder and opens it in the main window.
  String OpenPattern(const wchar_t* name, int frames, int rate = 44100, int channels = 2);
  String WritePattern(const wchar_t* name, int frames, int rate = 44100, int channels = 2);
  TAudioEditor2& Editor() const;
  // [start, end) of the document as interleaved floats (the selection is kept).
  std::vector<float> Samples(std::int64_t start, std::int64_t end) const;
  // The pattern of frames [first, first + count) as the editor holds it.
  static std::vector<float> PatternFloats(int first, int count, int channels = 2);
  void Select(std::int64_t start, std::int64_t end) const;
  std::int64_t Length() const;
  std::int64_t SelectionStart() const;
  std::int64_t SelectionEnd() const;
  // Runs the script inside the next modal form's loop, on that form.
  void OnNextModalForm(std::function<void(TCustomForm* form)> script);
  // Closes the next modal form with OK as it was filled (a format dialog, the new-file prompt).
  void AcceptNextModalForm();
  int ErrorBoxes() const;

  testing_support::ScratchFolder scratch;
  String dataFolder;
  TMainForm* form = nullptr;
  std::vector<TShownMessage> boxes;
  std::vector<int> answers;
  std::vector<String> dialogFiles;
  std::vector<std::function<void(TCustomForm*)>> modalScripts;

 private:
  TMessageBoxAnswerer previousBoxes_;
  TDialogAnswerer previousDialogs_;
  TModalScript previousDriver_;
};
