#pragma once
// Trace lines of the sockets and the HTTP client, sent to an event, the debugger output and/or a
// file, optionally stamped with the time.

#include <memory>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Thread.h"

enum TLogOption {
  loDestEvent,
  loDestFile,
  loDestOutDebug,
  loAddStamp,
  loWsockErr,
  loWsockInfo,
  loWsockDump,
  loSslErr,
  loSslInfo,
  loSslDump,
  loProtSpecErr,
  loProtSpecInfo,
  loProtSpecDump,
};
using TLogOptions = TSet<TLogOption>;

enum TLogFileOption { lfoAppend, lfoOverwrite };

using TIcsLogEvent = TEvent<void(TObject* Sender, TLogOption LogOption, const String& Msg)>;

FRAMEWORK_EXCEPTION(ELoggerException, Exception);

class TIcsLogger : public TComponent {
  DECLARE_CLASS(TIcsLogger, TComponent)
 public:
  explicit TIcsLogger(TComponent* AOwner);
  ~TIcsLogger() override;

  void DoLog(TObject* Sender, TLogOption LogOption, const String& Msg);

  TLogOptions LogOptions() const;
  void SetLogOptions(TLogOptions Value);
  String LogFileName() const;
  void SetLogFileName(const String& Value);
  TLogFileOption LogFileOption() const;
  void SetLogFileOption(TLogFileOption Value);
  void SetOnIcsLogEvent(const TIcsLogEvent& Value);

 private:
  String StampedText(const String& Msg) const;
  void WriteToFile(const String& Line);
  void CloseFile();

  mutable TCriticalSection lock_;
  TLogOptions options_;
  String fileName_;
  TLogFileOption fileOption_ = lfoAppend;
  TIcsLogEvent onLog_;
  std::unique_ptr<TFileStream> file_;
};
