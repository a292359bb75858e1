#include "platform/audio/devices/WorkerFailure.h"

#include "platform/framework/base/Exceptions.h"

void WorkerFailure::Keep(std::exception_ptr error) {
  std::lock_guard lock(mutex_);
  if (!error_) error_ = std::move(error);
}

void WorkerFailure::Report() {
  std::exception_ptr error;
  {
    std::lock_guard lock(mutex_);
    std::swap(error, error_);
  }
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (...) {
    HandleCurrentException();
  }
}
