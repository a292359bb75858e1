#include "net/IcsLogger.h"

#include <mutex>

#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/TextEncoding.h"
#include "platform/framework/base/Win32.h"

DEFINE_CLASS(TIcsLogger)

TIcsLogger::TIcsLogger(TComponent* AOwner) : TComponent(AOwner) {}

TIcsLogger::~TIcsLogger() {
  std::lock_guard<TCriticalSection> guard(lock_);
  CloseFile();
}

TLogOptions TIcsLogger::LogOptions() const {
  std::lock_guard<TCriticalSection> guard(lock_);
  return options_;
}

void TIcsLogger::SetLogOptions(TLogOptions Value) {
  std::lock_guard<TCriticalSection> guard(lock_);
  options_ = Value;
}

String TIcsLogger::LogFileName() const {
  std::lock_guard<TCriticalSection> guard(lock_);
  return fileName_;
}

void TIcsLogger::SetLogFileName(const String& Value) {
  std::lock_guard<TCriticalSection> guard(lock_);
  if (Value == fileName_) return;
  CloseFile();
  fileName_ = Value;
}

TLogFileOption TIcsLogger::LogFileOption() const {
  std::lock_guard<TCriticalSection> guard(lock_);
  return fileOption_;
}

void TIcsLogger::SetLogFileOption(TLogFileOption Value) {
  std::lock_guard<TCriticalSection> guard(lock_);
  fileOption_ = Value;
}

void TIcsLogger::SetOnIcsLogEvent(const TIcsLogEvent& Value) {
  std::lock_guard<TCriticalSection> guard(lock_);
  onLog_ = Value;
}

String TIcsLogger::StampedText(const String& Msg) const {
  if (!options_.Contains(loAddStamp)) return Msg;
  return FormatDateTime(L"hh:nn:ss:zzz", Now()) + L" " + Msg;
}

void TIcsLogger::DoLog(TObject* Sender, TLogOption LogOption, const String& Msg) {
  std::lock_guard<TCriticalSection> guard(lock_);
  if (ComponentState().Contains(csDestroying)) return;
  if (options_.Contains(loDestEvent) && onLog_) onLog_(Sender, LogOption, StampedText(Msg));
  if (options_.Contains(loDestOutDebug)) OutputDebugStringW(StampedText(Msg).c_str());
  if (options_.Contains(loDestFile)) WriteToFile(StampedText(Msg) + L"\r\n");
}

void TIcsLogger::WriteToFile(const String& Line) {
  if (!file_) {
    if (fileName_.empty()) throw ELoggerException(L"File name empty");
    if (!FileExists(fileName_)) TFileStream(fileName_, fmCreate).Size();
    file_ = std::make_unique<TFileStream>(fileName_, fmOpenReadWrite | fmShareDenyWrite);
    if (fileOption_ == lfoOverwrite) file_->SetSize(0);
    else file_->Seek(0, soEnd);
  }
  AnsiString bytes = StringToAnsi(Line);
  file_->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TIcsLogger::CloseFile() { file_.reset(); }
