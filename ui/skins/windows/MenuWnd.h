#pragma once
// TacMnuWnd: the subclass object of a popup menu window (class "#32768"). While a skinned popup is
// open it paints the window's background and frame from the menu background; otherwise it only
// takes over the window's scroll bars and skin commands. It frees itself with its window and tells
// its creator first, so no list keeps a freed object.

#include <functional>

#include "ui/skins/windows/ScrollWnd.h"

class TacMnuWnd : public TacScrollWnd {
  DECLARE_CLASS(TacMnuWnd, TacScrollWnd)
 public:
  using TacScrollWnd::TacScrollWnd;
  void ProcessMessage(TMessage& message) override;
  void PrepareCache();

  // 1 after scMenuFrame while visible; 0 after painting and at destruction.
  int ShownFlag = 0;
  // Called when the object is about to free itself with its window.
  std::function<void(TacMnuWnd*)> OnGone;
};
