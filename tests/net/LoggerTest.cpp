// The logger: destinations, the time stamp and the log file's life.

#include <gtest/gtest.h>

#include <regex>

#include "net/IcsLogger.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/base/Utf8.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFileBytes;
using testing_support::ScratchFolder;
using testing_support::WriteFileBytes;

namespace {

ObjectPtr<TIcsLogger> FileLogger(const String& path, TLogOptions extra = {}) {
  ObjectPtr<TIcsLogger> logger(NewObject<TIcsLogger>(nullptr));
  logger->SetLogOptions(TLogOptions{loDestFile} + extra);
  logger->SetLogFileName(path);
  return logger;
}

}  // namespace

TEST(IcsLogger, FileWithoutANameRaises) {
  ObjectPtr<TIcsLogger> logger(NewObject<TIcsLogger>(nullptr));
  logger->SetLogOptions({loDestFile});
  try {
    logger->DoLog(nullptr, loWsockInfo, L"x");
    FAIL() << "no exception";
  } catch (ELoggerException& e) {
    EXPECT_EQ(e.Message(), L"File name empty");
  }
}

TEST(IcsLogger, OverwriteEmptiesTheFileOncePerOpenAndAppendKeepsIt) {
  ScratchFolder folder;
  const String path = folder.File(L"trace.log");
  for (TLogFileOption option : {lfoOverwrite, lfoAppend}) {
    WriteFileBytes(path, "old\r\n");
    {
      auto logger = FileLogger(path);
      logger->SetLogFileOption(option);
      logger->DoLog(nullptr, loWsockInfo, L"one");
      logger->DoLog(nullptr, loWsockInfo, L"two");
    }
    EXPECT_EQ(ReadFileBytes(path), option == lfoOverwrite ? "one\r\ntwo\r\n" : "old\r\none\r\ntwo\r\n");
  }
}

TEST(IcsLogger, StampedLinesStartWithTheTimeAndABlank) {
  ScratchFolder folder;
  const String path = folder.File(L"stamp.log");
  std::vector<std::string> events;
  {
    auto logger = FileLogger(path, {loAddStamp, loDestEvent});
    logger->SetOnIcsLogEvent([&](TObject*, TLogOption option, const String& msg) {
      EXPECT_EQ(option, loProtSpecInfo);
      events.push_back(Utf8Encode(msg));
    });
    logger->DoLog(nullptr, loProtSpecInfo, L"x");
  }
  const std::regex stamped(R"(\d\d:\d\d:\d\d:\d\d\d x)");
  const std::string line = ReadFileBytes(path);
  ASSERT_EQ(line.size(), 16u) << line;
  EXPECT_TRUE(std::regex_match(line.substr(0, 14), stamped)) << line;
  EXPECT_EQ(line.substr(14), "\r\n");
  ASSERT_EQ(events.size(), 1u);
  EXPECT_TRUE(std::regex_match(events[0], stamped)) << events[0];
}

TEST(IcsLogger, ANewFileNameClosesTheOpenFileAndLinesContinueInTheNewOne) {
  ScratchFolder folder;
  auto logger = FileLogger(folder.File(L"first.log"));
  logger->DoLog(nullptr, loWsockInfo, L"a");
  logger->SetLogFileName(folder.File(L"second.log"));
  logger->DoLog(nullptr, loWsockInfo, L"b");
  EXPECT_EQ(ReadFileBytes(folder.File(L"first.log")), "a\r\n");
  EXPECT_EQ(ReadFileBytes(folder.File(L"second.log")), "b\r\n");
}

TEST(IcsLogger, TheOpenFileDeniesOtherWriters) {
  ScratchFolder folder;
  const String path = folder.File(L"shared.log");
  auto logger = FileLogger(path);
  logger->DoLog(nullptr, loWsockInfo, L"a");
  HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
}
