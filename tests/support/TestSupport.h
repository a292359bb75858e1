#pragma once
// Shared helpers of every test executable: a scratch folder, a scratch HKCU key, a bounded message
// pump, and a child process started and watched with a time-out.

#include <functional>

#include <gtest/gtest.h>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

namespace testing_support {

// The message of the exception of class E that action raises; a test failure when it raises none.
template <class E, class F>
String MessageOf(F&& action) {
  try {
    action();
  } catch (const E& error) {
    return error.Message();
  }
  ADD_FAILURE() << "no exception of the expected class";
  return L"";
}

// A fresh, empty folder under the Windows temp folder, removed with everything in it afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path with a trailing backslash.
  const String& Path() const { return path_; }
  String File(const String& name) const { return path_ + name; }

 private:
  String path_;
};

// A fresh key below HKCU\Software, deleted with its subkeys afterwards.
class ScratchRegistryKey {
 public:
  ScratchRegistryKey();
  ~ScratchRegistryKey();
  ScratchRegistryKey(const ScratchRegistryKey&) = delete;
  ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

  // Path below HKEY_CURRENT_USER, without a leading backslash ("Software\\...").
  const String& Path() const { return path_; }

 private:
  String path_;
};

// Pumps this thread's messages until condition() holds; false on time-out.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Pumps whatever is queued now, for about the given time.
void PumpFor(DWORD ms);

// Reads a whole file as bytes; empty when it cannot be read.
AnsiString ReadFileBytes(const String& path);
void WriteFileBytes(const String& path, const AnsiString& bytes);

// Folder of the running test executable, with a trailing backslash. Products and test executables
// are built into the same folder.
String ExecutableFolder();

// A Windows process started by a test; killed on destruction when still running.
class ChildProcess {
 public:
  ChildProcess(const String& exePath, const String& arguments, const String& workingFolder = L"");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD ProcessId() const { return processId_; }
  // The first visible top-level window of the process with that class name, waiting up to timeoutMs.
  HWND WaitForWindow(const String& className, DWORD timeoutMs = 10000) const;
  // Waits for the process to end; false on time-out. exitCode receives its exit code.
  bool WaitForExit(DWORD timeoutMs, DWORD& exitCode);

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

}  // namespace testing_support
