#pragma once
// Subclass objects for panels and the small windows of system dialogs: framework panels (their
// section follows their bevels), panels of the framework inside system dialogs, nested dialog
// pages, size grips, up-down buttons and tool bars.

#include "platform/framework/controls/ExtCtrls.h"
#include "ui/skins/windows/SubclassWnd.h"

// Framework panels that accept controls.
class TacPanelWnd : public TacMainWnd {
  DECLARE_CLASS(TacPanelWnd, TacMainWnd)
 public:
  TacPanelWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  void ProcessMessage(TMessage& message) override;
  virtual void PrepareCache();
  // The section a panel's bevels and border ask for.
  static String SectionForBevels(TPanelBevel outer, TPanelBevel inner, TBorderStyle border);

 private:
  bool Active() const;
  void PaintFace(HDC dc);
  void PaintFrame(HDC dc);
};

// A framework panel inside a system dialog.
class TacDlgPanelWnd : public TacMainWnd {
  DECLARE_CLASS(TacDlgPanelWnd, TacMainWnd)
 public:
  TacDlgPanelWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  void ProcessMessage(TMessage& message) override;
  virtual void PrepareCache();
  TControl* PanelControl = nullptr;

 private:
  int Border() const;
  void PaintInner(HDC dc);
  void PaintFrame(HDC dc);
};

// Nested dialog pages: their face from the cache, children left out.
class TacTransPanelWnd : public TacMainWnd {
  DECLARE_CLASS(TacTransPanelWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  virtual void PaintPanel();
};

// The size grip of a dialog.
class TacSizerWnd : public TacMainWnd {
  DECLARE_CLASS(TacSizerWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
};

// Up-down buttons: two vertical halves from the section with the scroll arrows' glyphs.
class TacSpinWnd : public TacMainWnd {
  DECLARE_CLASS(TacSpinWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  // The halves' states from the cursor and the button.
  void UpdateStates();
  void PrepareCache();

  int ButtonOffset = 0;
  bool MouseDown = false;
  int UpState = 0;
  int DownState = 0;

 private:
  void Paint(HDC given);
};

// Tool bars of system dialogs: the frame from the cache, each button from "TOOLBUTTON".
class TacToolBarWnd : public TacMainWnd {
  DECLARE_CLASS(TacToolBarWnd, TacMainWnd)
 public:
  using TacMainWnd::TacMainWnd;
  void ProcessMessage(TMessage& message) override;
  void PrepareCache();
  // A button's text in one or two lines: the second starts at the first word that no longer fits
  // the width; Second is empty when it all fits.
  static void SplitButtonText(HDC dc, const String& text, int width, String& first, String& second);

  TRect ClientRect;
  int BorderWidth = 0;

 private:
  void PaintFrame();
  void PaintButtons(HDC given);
  void PaintButton(int index, TBitmap* work);
};
