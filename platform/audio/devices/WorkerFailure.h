#pragma once
// Carries an exception from a device's worker thread to the GUI thread: the worker keeps the first
// failure, the owner's Service() hands it to the process exception sink (the application's
// HandleException), so the user sees it as any other error.

#include <exception>
#include <mutex>

class WorkerFailure {
 public:
  // Call in the worker's catch block.
  void Keep(std::exception_ptr error);
  // Call on the GUI thread; reports a kept failure once.
  void Report();

 private:
  std::mutex mutex_;
  std::exception_ptr error_;
};
