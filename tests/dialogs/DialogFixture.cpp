#include "DialogFixture.h"

#include "platform/framework/base/Exceptions.h"
#include "tests/support/WindowTestSupport.h"

namespace dialog_testing {

namespace {

int g_errors = 0;
String g_lastError;
ExceptionSink g_previousSink = nullptr;

void CountError(const std::exception_ptr& error) {
  ++g_errors;
  g_lastError = DescribeException(error).Message;
}

}  // namespace

void DialogFixture::SetUp() {
  AssignDefaultValues(GlobalVars);
  g_errors = 0;
  g_lastError.clear();
  g_previousSink = SetExceptionSink(&CountError);
  host = new TFakePreviewHost(nullptr);
  host->SetBounds(40, 40, 600, 500);
  host->Show();
}

void DialogFixture::TearDown() {
  host->Free();
  SetExceptionSink(g_previousSink);
  AssignDefaultValues(GlobalVars);
}

void DialogFixture::ShowDialog(TForm* dialog) {
  dialog->Show();
  SetForegroundWindow(dialog->Handle());
  window_testing::ProcessMessages();
}

int DialogFixture::ReportedErrors() { return g_errors; }
String DialogFixture::LastReportedError() { return g_lastError; }

TFamilyMember& MemberOf(TForm* dialog) { return *dynamic_cast<TFamilyMember*>(dialog); }

namespace {

std::vector<String> g_helpPaths;

HWND WINAPI RecordHelpRequest(HWND, const wchar_t* path, UINT, DWORD_PTR) {
  if (path) g_helpPaths.push_back(path);
  return nullptr;
}

}  // namespace

HelpRequests::HelpRequests()
    : previous_(SetHtmlHelpLoader({[](const String&) { return reinterpret_cast<HMODULE>(1); },
                                   [](HMODULE, const char*) -> THtmlHelpEntry { return &RecordHelpRequest; },
                                   [](HMODULE) {}})) {
  g_helpPaths.clear();
}

HelpRequests::~HelpRequests() { SetHtmlHelpLoader(previous_); }

const std::vector<String>& HelpRequests::Paths() const { return g_helpPaths; }

}  // namespace dialog_testing
