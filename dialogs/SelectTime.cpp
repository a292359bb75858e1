#include "dialogs/SelectTime.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/core/TextRoutines.h"
#include "app/core/TimeText.h"
#include "dialogs/DialogParts.h"

DEFINE_CLASS(TSelectSpecifiedTimeForm)

namespace {

constexpr std::int64_t kMaxMilliseconds = std::numeric_limits<int>::max();

bool OnlyOf(const String& text, const wchar_t* allowed) {
  return !text.empty() && text.find_first_not_of(allowed) == String::npos;
}

// A field's decimal value, saturating at 2^31 - 1; an empty field is 0.
std::int64_t FieldValue(const String& field) {
  std::int64_t value = 0;
  for (wchar_t c : field) value = std::min(value * 10 + (c - L'0'), kMaxMilliseconds);
  return value;
}

}  // namespace

int ParseTimeText(const String& Text) {
  const auto colons = std::count(Text.begin(), Text.end(), L':');
  const auto points = std::count(Text.begin(), Text.end(), L'.');
  const bool pointAfterColon = points > 0 && (colons == 0 || Text.find(L'.') > Text.rfind(L':'));
  const bool classA = OnlyOf(Text, L"0123456789:."), classB = OnlyOf(Text, L"0123456789."),
             classC = OnlyOf(Text, L"0123456789"), classD = OnlyOf(Text, L"0123456789:");
  const bool parses = (classA && (colons == 2 || colons == 1) && points == 1 && pointAfterColon) ||
                      (classB && points == 1) || classC || (classD && (colons == 1 || colons == 2));
  if (!parses) return -1;
  // [clock, milliseconds], then the clock's [hours, minutes,] seconds.
  const auto pieces = SplitString(Text, L'.');
  const auto clock = SplitString(pieces->Strings(0), L':');
  std::int64_t parts[3] = {};  // seconds, minutes, hours
  for (int i = 0; i < clock->Count(); ++i) parts[i] = FieldValue(clock->Strings(clock->Count() - 1 - i));
  const std::int64_t milliseconds = pieces->Count() > 1 ? FieldValue(pieces->Strings(1)) : 0;
  return SaturatedTimeToMilliseconds(parts[2], parts[1], parts[0], milliseconds);
}

TTimeRange StartExitRule(TTimeRange Range, int Start, int DocumentLength) {
  if (Start <= Range.End) return {Start, Range.End};
  const int moved = std::min(Start, DocumentLength);
  return {moved, moved};
}

TTimeRange EndExitRule(TTimeRange Range, int End, int DocumentLength) {
  if (End <= Range.Start) return {Range.Start, Range.Start};
  return {Range.Start, std::min(End, DocumentLength)};
}

TTimeRange LengthExitRule(TTimeRange Range, int Length, int DocumentLength) {
  const std::int64_t end = std::min<std::int64_t>(std::int64_t{Range.Start} + Length, DocumentLength);
  return {Range.Start, static_cast<int>(end)};
}

TSelectSpecifiedTimeForm::TSelectSpecifiedTimeForm(TComponent* AOwner) : TForm(AOwner, 0) {
  TLoadingBracket loading(*this);
  BuildDialogForm(*this, L"SelectSpecifiedTimeForm", L"Set Selection", 300, 150);
  LabelStart = AddLabel(loading, *this, this, L"LabelStart", L"Specified &Time Start:", Bounds(12, 15, 132, 14));
  EditStart = AddEdit(loading, *this, this, L"EditStart", Bounds(150, 12, 138, 21));
  LabelStart->SetFocusControl(EditStart);
  labEnd = AddLabel(loading, *this, this, L"labEnd", L"&Specified Time End:", Bounds(12, 44, 132, 14));
  EditEnd = AddEdit(loading, *this, this, L"EditEnd", Bounds(150, 41, 138, 21));
  labEnd->SetFocusControl(EditEnd);
  labLength = AddLabel(loading, *this, this, L"labLength", L"Specified Time &Length:", Bounds(12, 73, 132, 14));
  EditLength = AddEdit(loading, *this, this, L"EditLength", Bounds(150, 70, 138, 21));
  labLength->SetFocusControl(EditLength);
  Bevel = AddTopLine(loading, *this, L"Bevel", Bounds(12, 102, 276, 2));
  ButtonOK = AddButton(loading, *this, this, L"ButtonOK", L"&OK", Bounds(132, 114, 75, 25), mrOk, true);
  ButtonCancel = AddButton(loading, *this, this, L"ButtonCancel", L"&Cancel", Bounds(213, 114, 75, 25), mrCancel);

  OnShow = {this, &TSelectSpecifiedTimeForm::FormShow};
  EditStart->OnEnter = {this, &TSelectSpecifiedTimeForm::EditStartEnter};
  EditEnd->OnEnter = {this, &TSelectSpecifiedTimeForm::EditEndEnter};
  EditLength->OnEnter = {this, &TSelectSpecifiedTimeForm::EditLengthEnter};
  EditStart->OnExit = {this, &TSelectSpecifiedTimeForm::EditStartExit};
  EditEnd->OnExit = {this, &TSelectSpecifiedTimeForm::EditEndExit};
  EditLength->OnExit = {this, &TSelectSpecifiedTimeForm::EditLengthExit};
  ButtonOK->OnClick = {this, &TSelectSpecifiedTimeForm::ButtonOKClick};
  loading.End();
}

void TSelectSpecifiedTimeForm::SetRange(TTimeRange Range) {
  RangeStart = Range.Start;
  RangeEnd = Range.End;
}

void TSelectSpecifiedTimeForm::ShowLength() { EditLength->SetText(FormatTimeText(RangeEnd - RangeStart)); }

void TSelectSpecifiedTimeForm::FormShow(TObject*) {
  ApplyDialogShowSteps(*this);
  SetRange({InitialStart, InitialEnd});
  EditStart->SetText(FormatTimeText(RangeStart));
  EditEnd->SetText(FormatTimeText(RangeEnd));
  ShowLength();
}

void TSelectSpecifiedTimeForm::EditStartEnter(TObject*) { savedStart_ = EditStart->Text(); }
void TSelectSpecifiedTimeForm::EditEndEnter(TObject*) { savedEnd_ = EditEnd->Text(); }
void TSelectSpecifiedTimeForm::EditLengthEnter(TObject*) { savedLength_ = EditLength->Text(); }

void TSelectSpecifiedTimeForm::ApplyExitRule(TEdit* Edit, const String& Saved, TExitRule Rule) {
  const int typed = ParseTimeText(Edit->Text());
  if (typed < 0) {
    Edit->SetText(Saved);
  } else {
    SetRange(Rule(Range(), typed, DocumentLength));
    EditStart->SetText(FormatTimeText(RangeStart));
    EditEnd->SetText(FormatTimeText(RangeEnd));
  }
  ShowLength();
}

void TSelectSpecifiedTimeForm::EditStartExit(TObject*) { ApplyExitRule(EditStart, savedStart_, StartExitRule); }
void TSelectSpecifiedTimeForm::EditEndExit(TObject*) { ApplyExitRule(EditEnd, savedEnd_, EndExitRule); }
void TSelectSpecifiedTimeForm::EditLengthExit(TObject*) { ApplyExitRule(EditLength, savedLength_, LengthExitRule); }

void TSelectSpecifiedTimeForm::ButtonOKClick(TObject*) {
  if (ButtonOK->CanFocus()) ButtonOK->SetFocus();
}
