#pragma once
// Forms, the application object, the screen and the mouse.
//
// Forms are plain top-level windows: the framework does dialog navigation itself (Tab, arrows,
// Enter, Escape, accelerators), not the dialog manager. The application's message loop offers
// every key to the focused control first (CN_KEYDOWN, CN_CHAR) before it is translated.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(WINDOWS);

#include <memory>
#include <vector>

#include "platform/framework/windows/Controls.h"
#include "platform/framework/classes/Strings.h"

class TCustomForm;
class THintWindow;
class TTimer;
class TMainMenu;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
static_assert(mrOk == 1 && mrCancel == 2 && mrAbort == 3 && mrRetry == 4 && mrIgnore == 5 && mrYes == 6 &&
              mrNo == 7);

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = TEvent<void(TMessage& Msg, bool& Handled)>;

// ---- TCustomForm ---------------------------------------------------------------------------------

class TCustomForm : public TWinControl {
  DECLARE_CLASS(TCustomForm, TWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  // A form without anything of a derived class's making (the forms of the program build their
  // components in their constructors; this one starts empty).
  TCustomForm(TComponent* AOwner, int Dummy);
  ~TCustomForm() override;
  void BeforeDestruction() override;
  void Loaded() override;
  // Runs OnCreate once; CreateForm and the end of the loading bracket call it.
  void DoCreate();

  void Show();
  void Hide() { SetVisible(false); }
  void Close();
  virtual bool CloseQuery();
  // Shows the form modally and returns its ModalResult; a ModalResult set before the call is
  // returned at once and the form is never shown.
  virtual TModalResult ShowModal();
  // Frees the form once the messages being handled are done.
  void Release();
  void SetVisible(bool Value) override;
  // Before its window exists a top-level form's client area is its size less the frame its border
  // style and menu will give it, so that a client size set while a form is built holds once shown.
  TRect GetClientRect() override;

  TModalResult ModalResult = mrNone;
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool Value) { keyPreview_ = Value; }
  TFormState FormState() const { return formState_; }
  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  // Called whenever focus moves to Control; moves the enter/exit events along the parent chains.
  // False when a handler moved the focus elsewhere on the way.
  virtual bool SetFocusedControl(TWinControl* Control);
  void SetFocus() override;
  bool CanFocus() override { return Visible() && Enabled(); }
  // The focused control, its parents or a removed control lose their place as active control.
  void ControlRemoving(TControl* Control);
  void SendCancelMode(TControl* Sender);
  virtual bool IsShortCut(TMessage& Message);
  // The menu bar (Menus.cpp).
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* Value);

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  TWindowState WindowState();
  void SetWindowState(TWindowState Value);
  // The restored bounds, also while maximized or minimized.
  TRect NormalBounds();
  HICON Icon() const { return icon_; }
  void SetIcon(HICON Value);
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool Value);
  Byte AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(Byte Value);
  TCanvas* Canvas() { return canvas_.get(); }

  // MDI: an fsMDIForm frame runs an "MDICLIENT" window in its client area (the rest of the area its
  // aligned controls leave); an fsMDIChild form is a window of the main form's client. The queries
  // answer from the client window: none, 0 and a list-index error for any other form.
  TCustomForm* ActiveMDIChild() const;
  HWND ClientHandle() const { return clientHandle_; }
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int Index) const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Paint();
  void PaintWindow(HDC DC) override;
  void SetWindowFocus();
  void ApplyWindowStyles();
  void PlaceForShowing();
  bool CloseModal();

  void WMActivate(TMessage& Message);
  void WMClose(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);
  void CMActivate(TMessage& Message);
  void CMDeactivate(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  void WMMDIActivate(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_ACTIVATE, WMActivate)
  MESSAGE_HANDLER(WM_MDIACTIVATE, WMMDIActivate)
  MESSAGE_HANDLER(WM_CLOSE, WMClose)
  MESSAGE_HANDLER(WM_SYSCOMMAND, WMSysCommand)
  MESSAGE_HANDLER(WM_GETMINMAXINFO, WMGetMinMaxInfo)
  MESSAGE_HANDLER(CM_ACTIVATE, CMActivate)
  MESSAGE_HANDLER(CM_DEACTIVATE, CMDeactivate)
  MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
  MESSAGE_HANDLER(CM_RELEASE, CMRelease)
  MESSAGE_MAP_END

 public:
  // An MDI frame's messages end in DefFrameProc, an MDI child's in DefMDIChildProc.
  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

 private:
  friend class TScreen;
  void Init();
  HWND OwnerWindow();
  // The client window an MDI child is made in: the main form's (or the owner form's) when it is
  // an MDI frame; EInvalidOperation otherwise.
  HWND MDIParentClient();
  std::vector<TCustomForm*> MDIChildList() const;

  bool created_ = false;
  bool keyPreview_ = false;
  bool active_ = false;
  TFormState formState_;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TWindowState windowState_ = wsNormal;
  HICON icon_ = nullptr;
  bool alphaBlend_ = false;
  Byte alphaBlendValue_ = 255;
  std::unique_ptr<TControlCanvas> canvas_;
  TMainMenu* menu_ = nullptr;
  HWND clientHandle_ = nullptr;
};

class TForm : public TCustomForm {
  DECLARE_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

using TFormClass = const TComponentMetaClass*;

// ---- Hints ---------------------------------------------------------------------------------------

// A hint window class: its virtual constructor makes a THintWindow or a descendant.
using THintWindowClass = const TComponentMetaClass*;

// What CM_HINTSHOW (LParam) and OnShowHint may change before a hint is shown.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

using TShowHintEvent = TEvent<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// ---- TApplication --------------------------------------------------------------------------------

using TMessageEvent = TEvent<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
using THelpEvent = TEvent<bool(Word Command, NativeInt Data, bool& CallHelp)>;
using TWindowHook = TEvent<bool(TMessage& Message)>;
using TPopupHandler = TEvent<void(TControl* Control, TPopupMenu* Menu, TPoint ScreenPos)>;

class TApplication : public TComponent {
  DECLARE_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Runs the start procedures of the libraries.
  void Initialize();
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    FormCreated(form);
  }
  void CreateForm(TFormClass FormClass, TCustomForm*& Reference);
  // Shows the main form and runs the message loop until Terminated.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every queued message, then returns.
  void ProcessMessages();
  // Handles one message, or runs the idle step and waits for the next.
  void HandleMessage();
  // Handles one queued message; false when none was queued.
  bool ProcessMessage(MSG& Msg);
  void Idle(const MSG& Msg);
  void HandleException(TObject* Sender);
  void HandleException(TObject* Sender, const std::exception_ptr& Error);
  void ShowException(const Exception& E);
  // Every message box of the program: the system's box, through the test seam.
  int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);
  bool HelpContext(int Context);
  bool HelpCommand(Word Command, NativeInt Data);
  void Minimize();
  void Restore();
  void BringToFront();
  void HookMainWindow(const TWindowHook& Hook);
  void UnhookMainWindow(const TWindowHook& Hook);
  void CancelHint();
  void HideHint();
  void ActivateHint(const TPoint& CursorPos);

  HWND Handle() const { return handle_; }
  TCustomForm* MainForm() const { return mainForm_; }
  const String& Title() const { return title_; }
  void SetTitle(const String& Value);
  HICON Icon() const { return icon_; }
  void SetIcon(HICON Value);
  bool Active() const { return active_; }
  bool ShowMainForm = true;
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  TColor HintColor = clInfoBk;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  bool HintShortCuts = true;
  THintWindowClass HintWindowClass = nullptr;
  THintWindow* HintWindow() const { return hintWindow_; }

  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  THelpEvent OnHelp;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  // Shows a control's popup menu (set by the menus library).
  TPopupHandler PopupHandler;

  // Framework internals: mouse tracking and controls that go away.
  void NoteMouseMessage(TControl* Control, const TMessage& Message);
  void ControlDestroyed(TControl* Control);
  bool IsKeyMsg(MSG& Msg);
  // A key message of an MDI frame's window that the frame's client turns into a system command of
  // the active child (Ctrl+F4 closes it, Ctrl+F6 moves to the next one).
  bool IsMDIMsg(MSG& Msg);
  // The control under the mouse as last seen.
  TControl* MouseControl() const { return mouseControl_; }
  // Re-checks the control under the mouse (at idle and on mouse messages).
  void DoMouseIdle();
  // The hint timer's expiry (tests call it directly instead of waiting).
  void HintTimerExpired();
  // Runs the expiry once the clock has reached the pending hint deadline; the hint timer calls it.
  void CheckHintTimer();

 private:
  void FormCreated(TCustomForm* Form);
  void WndProc(TMessage& Message);
  static LRESULT CALLBACK AppWindowProc(HWND, UINT, WPARAM, LPARAM);
  bool IsHintMsg(const MSG& Msg);
  void SetMouseControl(TControl* Control);
  void StartHintTimer(int Delay);
  void StopHintTimer();

  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  String title_;
  HICON icon_ = nullptr;
  bool terminated_ = false;
  bool active_ = false;
  bool running_ = false;
  String hint_;
  bool showHint_ = true;
  std::vector<TWindowHook> windowHooks_;
  TControl* mouseControl_ = nullptr;
  TControl* hintControl_ = nullptr;
  THintWindow* hintWindow_ = nullptr;
  bool hintActive_ = false;
  UINT_PTR hintTimer_ = 0;
  // The clock tick at which the pending hint shows or hides.
  UInt64 hintDeadline_ = 0;
  bool hintWaiting_ = false;
};

// ---- TScreen -------------------------------------------------------------------------------------

class TScreen : public TComponent {
  DECLARE_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int Width() const;
  int Height() const;
  TRect DesktopRect() const;
  TRect WorkAreaRect() const;
  TRect WorkAreaRectAt(const TPoint& Point) const;
  TRect WorkAreaRectOf(HWND Window) const;
  int PixelsPerInch() const;
  // Installed font families, sorted.
  TStrings* Fonts();
  TFont* HintFont() { return hintFont_.get(); }
  TFont* MenuFont() { return menuFont_.get(); }
  TFont* IconFont() { return iconFont_.get(); }
  // Re-reads the system fonts (after WM_SETTINGCHANGE).
  void UpdateSystemFonts();

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Handle);

  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int Index) const { return forms_.at(Index); }
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  TCustomForm* FocusedForm() const { return focusedForm_; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

 private:
  friend class TCustomForm;
  friend class TApplication;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);

  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCustomForm* focusedForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  // Counts focus changes: a nested change shows as a different count.
  int focusCount_ = 0;
  TCursor cursor_ = crDefault;
  std::unique_ptr<TStringList> fonts_;
  std::unique_ptr<TFont> hintFont_;
  std::unique_ptr<TFont> menuFont_;
  std::unique_ptr<TFont> iconFont_;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
};

// ---- TMouse --------------------------------------------------------------------------------------

class TMouse {
 public:
  TPoint CursorPos() const;
  void SetCursorPos(const TPoint& Value);
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND Value);
  int DragThreshold = 5;
  int WheelScrollLines() const;
  bool MousePresent() const { return Bound().GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
};

extern TApplication* Application;
// Frees the application's forms and runs the libraries' end procedures; the program calls it once
// after Run.
void DoneApplication();
extern TScreen* Screen;
extern TMouse* Mouse;

// ---- Services of the controls layer --------------------------------------------------------------

// What forms ask of menus, which live in the layer above and cannot be included here. Menus.cpp
// fills the table during static initialisation, so it is complete in every program that links
// menus; in one that links none, the entry stays null and a form offers keys to its action lists.
struct TControlsLayerServices {
  // Offers a key to the form's menu, its action lists and the focused control's popup menu.
  bool (*DispatchFormShortCut)(TCustomForm* Form, TMessage& Message) = nullptr;
};
TControlsLayerServices& ControlsLayerServices();
