#pragma once
// Failed writes of the settings and list files. A failure is shown in one error box naming the
// file and the reason; while a collector lives (the creation and close steps of the main window),
// failures are gathered instead and shown together once, so every later step still runs.

#include <functional>
#include <utility>
#include <vector>

#include "platform/framework/base/Types.h"

class TWriteFailureCollector {
 public:
  // Takes every failure reported while it lives; a collector made inside another leaves them to
  // the outer one.
  TWriteFailureCollector();
  ~TWriteFailureCollector();
  TWriteFailureCollector(const TWriteFailureCollector&) = delete;
  TWriteFailureCollector& operator=(const TWriteFailureCollector&) = delete;

  bool Empty() const { return failures_.empty(); }
  // One error box for what was gathered (each file once, with its first reason), then nothing
  // is left to show.
  void ReportCollected();

 private:
  friend void ReportWriteFailure(const String& fileName, const String& reason);
  TWriteFailureCollector* outer_;
  std::vector<std::pair<String, String>> failures_;
};

// Shows the failure at once, or hands it to the collector that lives.
void ReportWriteFailure(const String& fileName, const String& reason);

// Runs write; an exception it raises is reported as a failed write of fileName and goes no
// further. False when it failed.
bool WriteOrReport(const String& fileName, const std::function<void()>& write);

// The error box's text for failed writes of the given files with their reasons.
String WriteFailureText(const std::vector<std::pair<String, String>>& failures);
