#pragma once
// Helpers of the window tests: a form fixture, controls over the system's edit and button classes,
// synthetic key and mouse messages, and a 32-bit DIB section with pixel probes.

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"

namespace window_testing {

// A single-line edit over the system class.
class TTestEdit : public TWinControl {
  DECLARE_CLASS(TTestEdit, TWinControl)
 public:
  explicit TTestEdit(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
};

// A push button over the system class: OnClick on BN_CLICKED, Enter clicks the default button while
// focus is on a control that is not a button, Escape clicks the cancel button, and a mouse press
// focuses it before anything else happens.
class TTestButton : public TWinControl {
  DECLARE_CLASS(TTestButton, TWinControl)
 public:
  explicit TTestButton(TComponent* AOwner);
  bool Default = false;
  bool Cancel = false;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void CNCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_COMMAND, CNCommand)
  MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
  MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
  MESSAGE_MAP_END

 private:
  bool active_ = false;
};

// A graphic control that records what reaches it.
class TProbeControl : public TGraphicControl {
  DECLARE_CLASS(TProbeControl, TGraphicControl)
 public:
  explicit TProbeControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
  std::vector<UINT> Messages;

 protected:
  void WndProc(TMessage& Message) override {
    Messages.push_back(Message.Msg);
    TGraphicControl::WndProc(Message);
  }
};

// A shown form of 400 x 300 at (50, 50), freed afterwards; Place puts controls on it.
class FormFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  template <class T>
  T* Place(int left, int top, int width, int height) {
    T* control = new T(form);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
  }
  // Shows the form and makes it the active window.
  void ShowForm();

  TForm* form = nullptr;
};

// Handles the queued messages through the application's loop (keys go through its key routing).
void ProcessMessages();
// Posts a key press (down, up) to the focused window and handles it.
void PressKey(Word key);
// The same key posted to one window, for tests that must not depend on the focus (another test
// process on the shared desktop can take it).
void PressKeyOn(HWND window, Word key);
// Posts a left click at client point (x, y) of the window and handles it.
void Click(HWND window, int x, int y);
// A mouse message at client point (x, y), sent through the window procedure.
void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys = 0);

// Hardware-like input through SendInput, for code that watches input with hooks (Wine runs
// keyboard and mouse hooks only for such input). Handles the resulting messages.
void InjectKey(Word key);
void InjectClick(POINT screen);

// The shift keys a test holds down, as the framework reads them.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();

 private:
  SHORT(WINAPI* saved_)(int);
};

// A top-down 32-bit DIB section and a DC with it selected.
class DibSection {
 public:
  DibSection(int width, int height);
  ~DibSection();
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;
  HDC DC() const { return dc_; }
  // The pixel as 0x00RRGGBB.
  DWORD Pixel(int x, int y) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
};

// Runs the script inside every modal loop started while alive; the previous driver comes back at
// the end.
class ScopedModalDriver {
 public:
  explicit ScopedModalDriver(TModalScript Script) : saved_(SetModalDriver(std::move(Script))) {}
  ~ScopedModalDriver() { SetModalDriver(saved_); }
  ScopedModalDriver(const ScopedModalDriver&) = delete;
  ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

 private:
  TModalScript saved_;
};

// While alive, the system answers SM_MIDEASTENABLED (a Middle-East locale) as given, through the
// bound-function table; the previous answerer comes back at the end.
class MiddleEastLocale {
 public:
  explicit MiddleEastLocale(bool On);
  ~MiddleEastLocale();
  MiddleEastLocale(const MiddleEastLocale&) = delete;
  MiddleEastLocale& operator=(const MiddleEastLocale&) = delete;

 private:
  int(WINAPI* saved_)(int);
  int savedAnswer_;
};

}  // namespace window_testing
