#pragma once
// TSelectSpecifiedTimeForm ("Set Selection"): the selection's start, end or length typed as time
// text. The caller gives the selection and the document's length in milliseconds; the dialog
// parses what is typed, keeps start <= end <= length and shows every value as h:mm:ss.zzz. After
// OK the caller selects [RangeStart, RangeEnd].

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/windows/Forms.h"

// The milliseconds of a time text in one of six forms (h:mm:ss.zzz, m:ss.zzz, s.zzz, s, m:ss,
// h:mm:ss), or -1 for any other text. Empty fields count 0, fields have no bound of their own (75
// seconds are 75 seconds), digits after the point are whole milliseconds. The total is taken in 64
// bits and saturates at 2^31 - 1.
int ParseTimeText(const String& Text);

// The range the exit rules keep: 0 <= Start <= End <= the document's length.
struct TTimeRange {
  int Start = 0;
  int End = 0;
  bool operator==(const TTimeRange&) const = default;
};
using TExitRule = TTimeRange (*)(TTimeRange Range, int Typed, int DocumentLength);
// A start typed past the end drags the end along (both at the length when past it too).
TTimeRange StartExitRule(TTimeRange Range, int Start, int DocumentLength);
// An end before the start gives an empty range at the start; past the length, the length.
TTimeRange EndExitRule(TTimeRange Range, int End, int DocumentLength);
// The end at start + length, at most the document's length.
TTimeRange LengthExitRule(TTimeRange Range, int Length, int DocumentLength);

class TSelectSpecifiedTimeForm : public TForm {
  DECLARE_CLASS(TSelectSpecifiedTimeForm, TForm)
 public:
  explicit TSelectSpecifiedTimeForm(TComponent* AOwner);

  TLabel* LabelStart = nullptr;
  TEdit* EditStart = nullptr;
  TLabel* labEnd = nullptr;
  TEdit* EditEnd = nullptr;
  TLabel* labLength = nullptr;
  TEdit* EditLength = nullptr;
  TBevel* Bevel = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;

  // Given by the caller, in milliseconds (the cursor is not used).
  int InitialStart = 0;
  int InitialEnd = 0;
  int DocumentLength = 0;
  int CursorPosition = 0;
  // The range being edited.
  int RangeStart = 0;
  int RangeEnd = 0;

  // EditLength := the range's length.
  void ShowLength();

  void FormShow(TObject* Sender);
  // Each edit keeps the text it had when it got the focus, and gets it back when what it holds on
  // leaving does not parse.
  void EditStartEnter(TObject* Sender);
  void EditEndEnter(TObject* Sender);
  void EditLengthEnter(TObject* Sender);
  void EditStartExit(TObject* Sender);
  void EditEndExit(TObject* Sender);
  void EditLengthExit(TObject* Sender);
  // The focus moves to OK first, so the rule of the edit being typed in applies before closing.
  void ButtonOKClick(TObject* Sender);

 private:
  TTimeRange Range() const { return {RangeStart, RangeEnd}; }
  void SetRange(TTimeRange Range);
  // A text that does not parse gets the saved text back; otherwise the rule sets the range, and
  // start and end show it formatted. The length follows either way.
  void ApplyExitRule(TEdit* Edit, const String& Saved, TExitRule Rule);
  String savedStart_, savedEnd_, savedLength_;
};
