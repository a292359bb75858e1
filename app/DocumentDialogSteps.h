#pragma once
// The steps of the document commands around their dialogs (new file, sample-rate conversion, tags,
// options): what a dialog is filled with and what its OK does. Each command's dialog then only has
// to show the values and hand its choices over.

#include "platform/framework/base/Types.h"

struct TGlobalVars;
class TAudioEditor2;
class TMainForm;
class TWinControl;

// ---- New File --------------------------------------------------------------------------------------

struct TNewFileChoice {
  int RateIndex = 3;  // index into the new-file dialog's rate list
  bool Mono = false;
};

// The dialog's starting choice from the record; a stored index outside the list starts at 44100.
TNewFileChoice NewFileChoiceOf(const TGlobalVars& Vars);
// OK: stores the choice in the record and gives the rate and channel count of the new document.
void AcceptNewFileChoice(const TNewFileChoice& Choice, TGlobalVars& Vars, int& SampleRate, int& Channels);
// The new-file prompt over Owner: the dialog starts at the record's choice; OK accepts it (above).
// False when cancelled.
bool PromptNewFileFormat(TWinControl* Owner, int& SampleRate, int& Channels);

// ---- Convert Sample Rate and Channels ----------------------------------------------------------------

// (The conversion list's rate index of a document rate is ConversionRateIndexOf, app/core/SampleRates.h.)
// OK: converts the document and marks it modified.
void ConvertDocumentFormat(TMainForm& Form, int RateIndex, bool Mono);

// ---- Edit ID3 Tags -----------------------------------------------------------------------------------

// The editor's genre names 0 ... 147 fill the tag dialog's list.
constexpr int GenreCount = 148;

struct TTagTexts {
  String Title;
  String Artist;
  String Album;
  int Genre = 0;  // index into the editor's genre names; outside 0..147 keeps the document's genre
  String Year;
  String Comment;
};

TTagTexts DocumentTagsOf(TAudioEditor2& Editor);
// OK: the year is converted first; a year that is not a whole number shows the error and writes
// nothing. Otherwise all tags are written and the document is marked modified. True when written.
bool AcceptDocumentTags(TMainForm& Form, const TTagTexts& Tags);

// ---- Options -----------------------------------------------------------------------------------------

// OK (after the dialog's store step): the temporary folder and the shell verbs follow the record.
void AcceptOptions(TMainForm& Form);
