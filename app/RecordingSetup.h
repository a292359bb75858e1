#pragma once
// What the record command settles before and after the recording console runs: the format the
// console records in, the temporary file it records into, and keeping or dropping the recording.

#include "platform/framework/base/Types.h"

class TMainForm;
struct TGlobalVars;

struct TRecordingFormat {
  int SampleRate = 44100;
  int Channels = 2;
  bool operator==(const TRecordingFormat&) const = default;
};

// The document's format when the console can record it: a rate of the accepted list (else 44100),
// 1 or 2 channels (else 2), the rate capped at 48000.
TRecordingFormat RecordingFormatOfDocument(int SampleRate, int Channels);
// A format chosen for a new document (the defaults or the new-file dialog), the rate capped at 48000.
TRecordingFormat RecordingFormatOfNewDocument(int SampleRate, int Channels);

// Creates TempFolder with its missing parents, sets RecordingFilePath to "Recording.wav" in it and
// deletes an old recording there. When the folder cannot be created an error box names it and
// nothing changes; the result is then false.
bool PrepareRecordingFile(TGlobalVars& Vars);

// After the console: a kept recording is inserted at the cursor and marks the document modified;
// any other result deletes the file.
void FinishRecording(TMainForm& Form, bool Keep);
