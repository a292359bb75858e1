#include "app/RecordingSetup.h"

#include <algorithm>

#include "app/MainForm.h"
#include "app/core/Globals.h"
#include "app/core/Paths.h"
#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

constexpr int kAcceptedRates[] = {6000, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 88200, 96000};
constexpr int kConsoleRateLimit = 48000;

}  // namespace

TRecordingFormat RecordingFormatOfNewDocument(int SampleRate, int Channels) {
  return {std::min(SampleRate, kConsoleRateLimit), Channels};
}

TRecordingFormat RecordingFormatOfDocument(int SampleRate, int Channels) {
  const bool accepted = std::find(std::begin(kAcceptedRates), std::end(kAcceptedRates), SampleRate) !=
                        std::end(kAcceptedRates);
  return RecordingFormatOfNewDocument(accepted ? SampleRate : 44100, Channels == 1 || Channels == 2 ? Channels : 2);
}

bool PrepareRecordingFile(TGlobalVars& Vars) {
  if (!DirectoryExists(Vars.TempFolder) && !ForceDirectories(Vars.TempFolder)) {
    Application->MessageBox(Format(L"The folder \"%s\" for the recording cannot be created.", {Vars.TempFolder}),
                            Application->Title(), MB_OK | MB_ICONERROR);
    return false;
  }
  Vars.RecordingFilePath = AddTrailingBackslash(Vars.TempFolder) + L"Recording.wav";
  if (FileExists(Vars.RecordingFilePath)) DeleteFile(Vars.RecordingFilePath);
  return true;
}

void FinishRecording(TMainForm& Form, bool Keep) {
  if (!Keep) {
    DeleteFile(GlobalVars.RecordingFilePath);
    return;
  }
  Form.AudioEditor->InsertFile(GlobalVars.RecordingFilePath);
  Form.SetModified(true);
}
