#pragma once
// The thread hook's work and the skinned standard dialog.
//
// The default manager's WH_CBT hook hands every event to SkinCbtEvent: a popup menu window
// ("#32768") gets a TacMnuWnd at its creation, an activated window goes through SkinDialog (by the
// manager's SkinningRules), and a destroyed window frees the providers whose dialog object has
// already let its window go. A system dialog ("#32770") is skinned by a TacProvider: its
// TacDialogWnd paints the frame, title bar, caption buttons and background from the skin, and its
// children get the subclass objects of the dialog table.

#include <functional>
#include <vector>

#include "platform/framework/controls/Menus.h"
#include "ui/skins/windows/ScrollWnd.h"

class TacMnuWnd;
class TacDialogWnd;
class TacProvider;
class TCustomForm;

// A window that answers this message with this WParam by returning it keeps its region.
inline constexpr UINT kMsgKeepRegion = 48205;
inline constexpr WPARAM kKeepRegionParam = 16802;

// The string-table entries of the skinned system menus and the skin chooser.
enum : int {
  kStrAvailableSkins = 58964,
  kStrClose = 58976,
  kStrMaximize = 58977,
  kStrMinimize = 58978,
  kStrSize = 58979,
  kStrMove = 58980,
  kStrRestore = 58981,
};

// ---- geometry of a skinned dialog -------------------------------------------------------------------

// 0 modal frame, 1 or 3 sizing frame, 2 no frame and no caption, 4 and 5 tool windows.
int DialogBorderKind(DWORD style);

struct TacDialogMetrics {
  int FrameWidth = 0;
  int FrameHeight = 0;
  int CaptionHeight = 0;
};
// Frame and caption sizes of a dialog of that border kind and style, from the bound system metrics.
TacDialogMetrics DialogMetrics(int kind, DWORD style);

// Which caption buttons a dialog shows and which of them take a click.
struct TacDialogButtons {
  bool Close = false, Maximize = false, Minimize = false, Help = false;
  bool CloseEnabled = false, MaximizeEnabled = false, RestoreEnabled = false, MinimizeEnabled = false;
};
TacDialogButtons DialogButtons(int kind, DWORD style, DWORD exStyle, bool noCloseClass, bool zoomed, bool iconic);

// One caption button: state (0 normal, 1 hot, 2 pressed), glyph mask, bounds in window coordinates.
struct TsButtonPlace {
  int State = 0;
  int MaskIndex = -1;
  TRect Bounds;
};

// The size of a caption button drawn with that mask (21 x 21 without one); an image count of 0
// reads as one frame.
TSize CaptionButtonSize(TsSkinManager* manager, int maskIndex);

// The skin's mask of that index, or none.
const TsMaskData* MaskAt(TsSkinManager* manager, int index);
// The index of a mask of the skin's "GLOBALINFO" section, or -1.
int GlobalMask(TsSkinManager* manager, const String& property);
// The caption button of a hit code (HTMINBUTTON, HTMAXBUTTON, HTCLOSE, HTHELP), or none.
TsButtonPlace* ButtonOfCode(int code, TsButtonPlace& min, TsButtonPlace& max, TsButtonPlace& close,
                            TsButtonPlace& help);
// The rectangles the transparent corner runs of the section's "BORDERSMASK" (top and bottom) and
// of the title section's (top; none when empty) cut out of a window of that size.
std::vector<TRect> SkinRegionRects(TsSkinManager* manager, int sectionIndex, const String& section,
                                   const String& titleSection, int width, int height);
// The rectangle (0, 0, Width, Height) without the rectangles; the caller owns it.
HRGN RegionWithout(int width, int height, const std::vector<TRect>& rects);
// A system menu item named Name with the string-table caption (0: a separator), added last.
TMenuItem* AddSystemMenuItem(TPopupMenu* menu, const String& name, int captionId, std::function<void()> click);

// ---- the system menu of a skinned dialog ------------------------------------------------------------

class TacSystemMenu : public TPopupMenu {
  DECLARE_CLASS(TacSystemMenu, TPopupMenu)
 public:
  TacSystemMenu(TComponent* owner, TacDialogWnd* dialog);
  // Visibility and enabled states from the dialog's styles and state.
  void UpdateItems();

  TacDialogWnd* Dialog = nullptr;
  TMenuItem* ItemRestore = nullptr;
  TMenuItem* ItemMove = nullptr;
  TMenuItem* ItemSize = nullptr;
  TMenuItem* ItemMinimize = nullptr;
  TMenuItem* ItemMaximize = nullptr;
  TMenuItem* ItemClose = nullptr;

 private:
  TMenuItem* AddItem(const String& name, int captionId, WPARAM command);
};

// ---- the dialog's subclass object ---------------------------------------------------------------------

class TacDialogWnd : public TacScrollWnd {
  DECLARE_CLASS(TacDialogWnd, TacScrollWnd)
 public:
  TacDialogWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  ~TacDialogWnd() override;
  void ProcessMessage(TMessage& message) override;

  // Reads the styles, border kind, icon and caption font; takes WS_SYSMENU off the window.
  void StartSkinning();
  // Section indexes and the caption buttons' masks.
  void ApplySkin();
  // Rebuilds the whole window image when it is marked changed.
  void PrepareCache();
  // The frame copied from the cache to the DC of the whole window.
  void PaintFrame(HDC dc);
  // The hit code of a point in window coordinates (the buttons' hot state follows).
  int HitTest(TPoint p);
  // Repaints one caption button in its state onto the window (and the cache).
  void RepaintButton(int code);
  // Every caption button normal again, repainted where it was not.
  void ResetButtons();
  // The region the skin's corner runs cut out of the window; false when none is applied.
  bool ApplyRegion();
  // The brush the dialog's background is filled with (one per skin; freed with the object).
  HBRUSH BackgroundBrush();
  // The window's client offset inside the whole-window image.
  TPoint ClientOffset() const;
  TsButtonPlace* Button(int code);
  int NonClientTop() const { return Metrics.FrameHeight + Metrics.CaptionHeight; }

  std::vector<TRect> RegionRects;
  int HotButton = 0;
  bool CaptionActive = true;
  bool ChildrenDone = false;
  TsButtonPlace MinButton, MaxButton, CloseButton, HelpButton;
  HICON Icon = nullptr;
  HFONT CaptionFont = nullptr;
  DWORD Style = 0, ExStyle = 0;
  bool RegionPending = true;
  TRect WndRect;
  TSize WndSize;
  int BorderKind = 1;
  TacDialogMetrics Metrics;
  TBitmap* ButtonsBackground = nullptr;
  TacSystemMenu* SystemMenu = nullptr;
  TacProvider* Provider = nullptr;
  // Leave notifications asked for while a button is hot.
  bool TrackingLeave = false;

  TacDialogButtons Buttons() const;

 private:
  void DrawButtons(TBitmap* cache);
  void DrawButton(TBitmap* cache, TsButtonPlace& button, int code);
  int ButtonsWidth() const;
  int SmallIconWidth() const;
  bool Zoomed() const { return IsZoomed(Handle) != FALSE; }
  bool Iconic() const { return IsIconic(Handle) != FALSE; }
  void SetHot(int code);
  void TrackLeave();
  void NCLButtonDown(TMessage& message);
  void ButtonUp(TMessage& message);
  void CaptionMessage(TMessage& message);

  HBRUSH brush_ = nullptr;
  TColor brushColor_ = clNone;
  bool startingLeaveTracking_ = false;
};

// ---- the provider of a skinned dialog or form ---------------------------------------------------------

class TacProvider : public TComponent {
  DECLARE_CLASS(TacProvider, TComponent)
 public:
  explicit TacProvider(TComponent* owner);
  ~TacProvider() override;
  // Gives a framework form its own form provider.
  void SkinForm(TCustomForm* form);
  // Skins a system dialog: its object and its children's; false when it cannot be skinned.
  bool InitDialog(HWND window);
  // Gives every child (depth first, children of a child before it) its object; false when one refuses.
  bool SubclassChildren(HWND parent);
  bool SubclassChild(HWND child);

  std::vector<TacMainWnd*> Children;  // owned
  HWND DialogHandle = nullptr;
  TacDialogWnd* DialogWnd = nullptr;  // owned
  TObject* FormProvider = nullptr;    // the form's, not owned
};

// ---- the hook ------------------------------------------------------------------------------------------

// One hook event (after CallNextHookEx): creation, activation and destruction of windows.
void SkinCbtEvent(int code, HWND window, const String& className);
// Skins the activated window when the rules allow; true when it took the window.
bool SkinDialog(HWND window);
// What the hook does with an activated window.
enum class TacDialogChoice { None, Form, Dialog };
struct TacDialogFacts {
  bool HasManager = false;
  bool IsSkinned = false;       // answers scIsSkinned
  bool HasProvider = false;     // already in the providers' list
  String ClassName;             // the window class
  bool IsForm = false;          // a framework form
  int Tag = 0;                  // the form's Tag
  bool Rules[3] = {};           // srStdForms, srStdDialogs, srThirdParty
  int VisibleDialogs = 0;       // skinned dialogs already visible
  bool HasToolbarChild = false;
};
TacDialogChoice DialogChoice(const TacDialogFacts& facts);

// The live popup-menu objects made by the hook (each leaves when it frees itself).
const std::vector<TacMnuWnd*>& HookMenuObjects();
// The providers of skinned dialogs.
const std::vector<TacProvider*>& DialogProviders();
// Frees what the hook made (the manager's RemoveHook).
void ReleaseHookObjects();
// Providers whose dialog window is visible.
int VisibleSkinnedDialogs();
// True when a descendant of the window has that class (compared in lower case).
bool HasChildOfClass(HWND window, const String& lowerClassName);
// The window's class name.
String ClassNameOf(HWND window);
// The provider of a dialog window, or none.
TacProvider* ProviderOf(HWND window);
