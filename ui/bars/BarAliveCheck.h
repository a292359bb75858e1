#pragma once
// Tells whether an object freed during a call (a click, a modal dialog, a handler) is still there
// afterwards.

#include "ui/foundation/Classes.h"

class TAliveCheck {
 public:
  explicit TAliveCheck(TObject* Object) : link_(AcquireObjectLink(Object)) {}
  ~TAliveCheck() { ReleaseObjectLink(link_); }
  TAliveCheck(const TAliveCheck&) = delete;
  TAliveCheck& operator=(const TAliveCheck&) = delete;
  bool Alive() const { return link_->Ref != nullptr; }

 private:
  TcxObjectLink* link_;
};
