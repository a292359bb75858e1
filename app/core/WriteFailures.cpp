#include "app/core/WriteFailures.h"

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"

namespace {

TWriteFailureCollector* activeCollector = nullptr;

void ShowFailures(const std::vector<std::pair<String, String>>& failures) {
  const String text = WriteFailureText(failures);
  if (Application)
    Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
  else
    ShowSystemMessageBox(nullptr, text, L"", MB_OK | MB_ICONERROR);
}

}  // namespace

TWriteFailureCollector::TWriteFailureCollector() : outer_(activeCollector) {
  if (!outer_) activeCollector = this;
}

TWriteFailureCollector::~TWriteFailureCollector() {
  if (activeCollector == this) activeCollector = nullptr;
}

void TWriteFailureCollector::ReportCollected() {
  if (failures_.empty()) return;
  const auto failures = std::move(failures_);
  failures_.clear();
  ShowFailures(failures);
}

void ReportWriteFailure(const String& fileName, const String& reason) {
  if (!activeCollector) return ShowFailures({{fileName, reason}});
  for (const auto& [file, firstReason] : activeCollector->failures_)
    if (AnsiSameText(file, fileName)) return;
  activeCollector->failures_.emplace_back(fileName, reason);
}

bool WriteOrReport(const String& fileName, const std::function<void()>& write) {
  try {
    write();
    return true;
  } catch (const Exception& e) {
    ReportWriteFailure(fileName, e.Message());
    return false;
  }
}

String WriteFailureText(const std::vector<std::pair<String, String>>& failures) {
  String text;
  for (const auto& [file, reason] : failures) {
    if (!text.empty()) text += L"\r\n\r\n";
    text += Format(L"The settings could not be saved to \"%s\".", {file});
    if (!reason.empty()) text += L"\r\n" + reason;
  }
  return text;
}
