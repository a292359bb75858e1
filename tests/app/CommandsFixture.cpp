#include "tests/app/CommandsFixture.h"

#include <filesystem>

#include "app/Bookmarks.h"
#include "app/Regions.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "app/core/Progress.h"
#include "platform/audio/editor/AudioEditor.h"
#include "tests/app/WavFixture.h"

namespace {

constexpr wchar_t kBrand[] = L"Zentavo";

void RemoveFolder(const String& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(folder), ignored);
}

}  // namespace

void CommandsTest::SetUp() {
  Application->SetTitle(kBrand);
  dataFolder = AddTrailingBackslash(AddTrailingBackslash(ShellFolderPath(L"AppData")) + kBrand);
  RemoveFolder(dataFolder);
  previousBoxes_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
    boxes.push_back({text, caption, flags});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  });
  previousDialogs_ = SetDialogAnswerer([this](const TDialogRequest&) {
    TDialogAnswer answer;
    if (!dialogFiles.empty()) {
      answer.Ok = true;
      answer.Files = {dialogFiles.front()};
      dialogFiles.erase(dialogFiles.begin());
    }
    return answer;
  });
  previousDriver_ = SetModalDriver([this](const TModalLoop& loop) {
    auto* modal = dynamic_cast<TCustomForm*>(FindControl(loop.Window));
    if (!modal || modalScripts.empty()) {
      loop.End();
      return;
    }
    auto script = modalScripts.front();
    modalScripts.erase(modalScripts.begin());
    script(modal);
    if (modal->ModalResult == mrNone) loop.End();
  });
  form = new TMainForm(Application);
  FormProgress = new TFormProgress(Application);
  BookmarkForm = new TBookmarkForm(form);
  RegionForm = new TRegionForm(form);
}

void CommandsTest::TearDown() {
  form->SetModified(false);
  delete RegionForm;
  RegionForm = nullptr;
  delete BookmarkForm;
  BookmarkForm = nullptr;
  delete FormProgress;
  FormProgress = nullptr;
  delete form;
  SetModalDriver(previousDriver_);
  SetMessageBoxAnswerer(previousBoxes_);
  SetDialogAnswerer(previousDialogs_);
  RemoveFolder(dataFolder);
}

String CommandsTest::WritePattern(const wchar_t* name, int frames, int rate, int channels) {
  const String path = scratch.File(name);
  WritePatternWav(path, rate, channels, frames);
  return path;
}

String CommandsTest::OpenPattern(const wchar_t* name, int frames, int rate, int channels) {
  const String path = WritePattern(name, frames, rate, channels);
  EXPECT_TRUE(form->OpenAudioFile(path));
  return path;
}

TAudioEditor2& CommandsTest::Editor() const { return *form->AudioEditor; }

std::vector<float> CommandsTest::Samples(std::int64_t start, std::int64_t end) const {
  IAudioEditor2Position* position = Editor().Position();
  const std::int64_t oldStart = position->GetSelectionStart(), oldEnd = position->GetSelectionEnd();
  position->SetCursorPosition(start);
  const SampleBuffer buffer = Editor().ReadSamples(end - start);
  std::vector<float> values(buffer.Data(), buffer.Data() + buffer.Values());
  Select(oldStart, oldEnd);
  return values;
}

std::vector<float> CommandsTest::PatternFloats(int first, int count, int channels) {
  std::vector<float> values;
  for (int frame = first; frame < first + count; ++frame)
    for (int channel = 0; channel < channels; ++channel)
      values.push_back(static_cast<float>(PatternSample(frame, channel)) / 32768.0f);
  return values;
}

void CommandsTest::Select(std::int64_t start, std::int64_t end) const {
  IAudioEditor2Position* position = Editor().Position();
  position->SetCursorPosition(start);
  position->SetSelectionEnd(end);
}

std::int64_t CommandsTest::Length() const { return Editor().Position()->GetLength(); }
std::int64_t CommandsTest::SelectionStart() const { return Editor().Position()->GetSelectionStart(); }
std::int64_t CommandsTest::SelectionEnd() const { return Editor().Position()->GetSelectionEnd(); }

void CommandsTest::OnNextModalForm(std::function<void(TCustomForm* form)> script) {
  modalScripts.push_back(std::move(script));
}

void CommandsTest::AcceptNextModalForm() {
  OnNextModalForm([](TCustomForm* modal) { modal->ModalResult = mrOk; });
}

int CommandsTest::ErrorBoxes() const {
  int count = 0;
  for (const TShownMessage& box : boxes) count += (box.Flags & MB_ICONERROR) ? 1 : 0;
  return count;
}
