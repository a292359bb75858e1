#pragma once
// Subclass objects for the scrolling standard windows that keep their own client painting: edits
// and list boxes, combo boxes with their drop-down lists, list views with their header, and tree
// views. They skin the frame (a band copied from the skin data's cache), the scroll bars (the
// scroll window) and, where the window lets them, the colours.

#include "ui/skins/windows/ScrollWnd.h"

// The scroll window with the common frame steps of the scrolling windows.
class TacBaseWnd : public TacScrollWnd {
  DECLARE_CLASS(TacBaseWnd, TacScrollWnd)
 public:
  using TacScrollWnd::TacScrollWnd;
  void ProcessMessage(TMessage& message) override;

 protected:
  void BaseWndMessage(TMessage& message);
};

// Edits, memos and list boxes; the base of the other classes here.
class TacEditWnd : public TacBaseWnd {
  DECLARE_CLASS(TacEditWnd, TacBaseWnd)
 public:
  using TacBaseWnd::TacBaseWnd;
  void Attach(bool repaint) override;
  void StoreOriginalParams() override;
  void RestoreOriginalParams() override;
  void ApplySkinParams() override;
  void ProcessMessage(TMessage& message) override;

  TColor PlainColor = clWindow;
  TColor PlainFrameColor = 0;

 protected:
  void EditMessage(TMessage& message);
  void CopyFrameBand(HDC dc, int band);
  // The frame band of width Band from the cache and the bars, into DC.
  LRESULT PaintFrameAndBars(HDC dc, int band);
  void HotTracking();
};

class TacComboListWnd;

// Combo boxes: the frame and the drop-down button from the skin; the list's colours through the
// first WM_CTLCOLORLISTBOX.
class TacComboBoxWnd : public TacEditWnd {
  DECLARE_CLASS(TacComboBoxWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  ~TacComboBoxWnd() override;
  void ProcessMessage(TMessage& message) override;
  virtual void GetButtonRect(TRect& r);
  // The button's place for a button of that width (0: none): at the right, or the left with
  // WS_EX_RTLREADING.
  void ButtonRectOfWidth(int button, TRect& r) const;
  // 2 while the list is shown, 1 hot, focused or active, else 0.
  int ButtonState() const;
  void PaintButton(HDC dc);

  HWND DropListWindow = nullptr;
  std::unique_ptr<TacComboListWnd, TFreeDeleter> ListWnd;

 private:
  void PrepareSimpleCache();
  void WriteText();
  // The brush answered for the list's colours: made once per colour, freed with the object.
  HBRUSH ListBrush(TColor colour);
  HBRUSH listBrush_ = nullptr;
  TColor listBrushColour_ = clNone;
};

// The drop-down (or simple) list of a combo box.
class TacComboListWnd : public TacEditWnd {
  DECLARE_CLASS(TacComboListWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  void ProcessMessage(TMessage& message) override;
  void Prepare();

  bool ListShown = false;
  bool SimpleStyle = false;
};

// List views; the header of the report view is painted from "COLHEADER" (or "BUTTON").
class TacListViewWnd : public TacEditWnd {
  DECLARE_CLASS(TacListViewWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  ~TacListViewWnd() override;
  void Attach(bool repaint) override;
  void StoreOriginalParams() override;
  void RestoreOriginalParams() override;
  void ApplySkinParams() override;
  void ProcessMessage(TMessage& message) override;
  bool ReportView() const;
  void HookHeader(HWND header);
  void UnhookHeader();
  // Paints the header into DC (0: its own paint cycle).
  void PaintHeader(HDC dc);

  HWND HeaderWindow = nullptr;
  int DownColumn = -1;

 private:
  static LRESULT CALLBACK HeaderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);
  LRESULT HeaderMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void PaintColumn(HDC dc, int index, const TRect& r);
};

// Tree views: the background from the section's hot colour.
class TacTreeViewWnd : public TacEditWnd {
  DECLARE_CLASS(TacTreeViewWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  void ApplySkinParams() override;
  void RestoreOriginalParams() override;
  void ProcessMessage(TMessage& message) override;
  // clWindow in dialog mode, else the section's hot colour.
  TColor Background() const;
};
