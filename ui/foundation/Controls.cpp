#include "ui/foundation/Controls.h"

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Timer.h"
#include "ui/foundation/Graphics.h"

DEFINE_CLASS(TcxMessageWindow)
DEFINE_CLASS(TcxTimer)
DEFINE_CLASS(TcxSettingsController)
DEFINE_CLASS(TcxBaseHintWindow)
DEFINE_CLASS(TcxPopupWindow)
DEFINE_CLASS(TcxCustomDragImage)
DEFINE_CLASS(TcxSizeFrame)
DEFINE_CLASS(TcxDesignController)

namespace {
bool finalized = false;
}  // namespace

// ---- window, monitor and mouse routines -------------------------------------------------------

bool CanAllocateWindowHandle(TWinControl* Control) {
  if (!Control) return false;
  if (Control->HandleAllocated()) return true;
  if (Control->ComponentState().Contains(csDestroying)) return false;
  if (Control->ParentWindow()) return true;
  if (Control->Parent()) return CanAllocateWindowHandle(Control->Parent());
  return Is<TCustomForm>(Control) && Application && Application->Handle();
}

TRect MonitorWorkArea(HMONITOR Monitor) {
  auto getInfo = Bound().GetMonitorInfoW.Get();
  if (Monitor && getInfo) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (getInfo(Monitor, &info)) return info.rcWork;
  }
  RECT work{};
  Bound().SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

TRect WorkAreaAtPoint(const TPoint& P) {
  auto fromPoint = Bound().MonitorFromPoint.Get();
  return MonitorWorkArea(fromPoint ? fromPoint(P, MONITOR_DEFAULTTONEAREST) : nullptr);
}

TPoint SafeCursorPos() {
  POINT p;
  return GetCursorPos(&p) ? TPoint(p) : TPoint(-1, -1);
}

bool HasChildStyle(HWND Window) { return (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsSameOrChildWindow(HWND Parent, HWND Window) { return Parent && (Parent == Window || IsChild(Parent, Window)); }

bool IsCtrlPressed() { return Bound().GetAsyncKeyState(VK_CONTROL) < 0; }

bool HasAncestorWindow(HWND Owner, HWND Window) {
  if (!Owner) return false;
  for (HWND w = Window; w; w = GetParent(w))
    if (w == Owner) return true;
  return false;
}

void TranslatePointToWindow(HWND From, HWND To, TPoint& P) { MapWindowPoints(From, To, &P, 1); }

void TranslateRectToWindow(HWND From, HWND To, TRect& R) {
  TPoint topLeft = R.TopLeft(), bottomRight = R.BottomRight();
  TranslatePointToWindow(From, To, topLeft);
  TranslatePointToWindow(From, To, bottomRight);
  R = TRect(topLeft, bottomRight);
}

String StripAcceleratorPrefix(const String& Text, bool TrailingMark) {
  String result;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != L'&') {
      result += Text[i];
    } else if (i + 1 < Text.size()) {
      result += Text[++i];
    } else if (TrailingMark) {
      result += L'_';
    }
  }
  return result;
}

UINT MouseKeyFlagsFromShift(TShiftState Shift) {
  UINT flags = 0;
  if (Shift.Contains(ssShift)) flags |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) flags |= MK_CONTROL;
  if (Shift.Contains(ssLeft)) flags |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) flags |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) flags |= MK_MBUTTON;
  return flags;
}

void NotifyFormDesignerOf(TComponent* Component) {
  // The design flag is never set in the running program, so no designer is ever told.
  (void)Component;
}

// ---- TcxMessageWindow -------------------------------------------------------------------------

TcxMessageWindow::TcxMessageWindow() : handle_(AllocateHWnd(TWndMethod(this, &TcxMessageWindow::WindowProc))) {}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(handle_); }

void TcxMessageWindow::WindowProc(TMessage& Message) { ProcessWindowMessage(Message); }

void TcxMessageWindow::ProcessWindowMessage(TMessage& Message) { DefaultWindowMessage(handle_, Message); }

namespace {
TcxMessageWindow* sharedMessageWindow = nullptr;
}  // namespace

TcxMessageWindow* SharedMessageWindow() {
  if (!sharedMessageWindow && !finalized) sharedMessageWindow = new TcxMessageWindow;
  return sharedMessageWindow;
}

// ---- TcxTimer ---------------------------------------------------------------------------------

TcxTimer::~TcxTimer() { Stop(); }

void TcxTimer::Start() {
  if (!enabled_ || id_ || !onTimer_) return;
  id_ = ArmSharedTimer(interval_, [this] { FireTimer(); });
}

void TcxTimer::Stop() {
  if (!id_) return;
  DisarmSharedTimer(id_);
  id_ = 0;
}

void TcxTimer::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  Stop();
  Start();
}

void TcxTimer::SetInterval(UINT Value) {
  if (Value == 0 || Value == interval_) return;
  interval_ = Value;
  Stop();
  Start();
}

void TcxTimer::SetOnTimer(const TNotifyEvent& Value) {
  onTimer_ = Value;
  Stop();
  Start();
}

void TcxTimer::FireTimer() {
  if (onTimer_) onTimer_(this);
}

// ---- TcxSettingsController --------------------------------------------------------------------

namespace {
TcxSettingsController* settingsController = nullptr;
}  // namespace

TcxSettingsController* SettingsController() {
  if (!settingsController) settingsController = new TcxSettingsController;
  return settingsController;
}

TcxSettingsController::~TcxSettingsController() {
  if (window_) DeallocateHWnd(window_);
}

void TcxSettingsController::AddControl(TWinControl* Control) {
  if (std::find(controls_.begin(), controls_.end(), Control) != controls_.end()) return;
  if (controls_.empty())
    window_ = AllocateHWnd([this](TMessage& m) { Guarded([&] { ProcessWindowMessage(m); }); });
  controls_.push_back(Control);
}

void TcxSettingsController::RemoveControl(TWinControl* Control) {
  const auto it = std::find(controls_.begin(), controls_.end(), Control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (controls_.empty() && window_) {
    DeallocateHWnd(window_);
    window_ = nullptr;
  }
}

void TcxSettingsController::ProcessWindowMessage(TMessage& Message) {
  if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
    const std::vector<TWinControl*> controls = controls_;
    for (TWinControl* control : controls)
      if (control->HandleAllocated()) SendNotifyMessageW(control->Handle(), CXM_SETTINGSCHANGED, 0, 0);
    Message.Result = 0;
    return;
  }
  DefaultWindowMessage(window_, Message);
}

// ---- mouse-leave tracking ---------------------------------------------------------------------

namespace {

class TMouseTrackingTimer : public TcxTimer {
 public:
  TMouseTrackingTimer(IcxMouseTrackingCaller* ACaller, TWinControl* AControl, const TRect& ABounds)
      : TcxTimer(nullptr), Caller(ACaller), Control(AControl), Bounds(ABounds) {
    SetInterval(10);
    SetOnTimer([this](TObject*) { Check(); });
  }
  IcxMouseTrackingCaller* Caller;
  TWinControl* Control;
  TRect Bounds;

 private:
  void Check();
};

std::vector<TMouseTrackingTimer*>* trackingList = nullptr;

TMouseTrackingTimer* FindTracking(IcxMouseTrackingCaller* Caller) {
  if (!trackingList) return nullptr;
  for (TMouseTrackingTimer* timer : *trackingList)
    if (timer->Caller == Caller) return timer;
  return nullptr;
}

void TMouseTrackingTimer::Check() {
  const TPoint cursor = SafeCursorPos();
  bool inside;
  if (auto* caller2 = dynamic_cast<IcxMouseTrackingCaller2*>(Caller))
    inside = Control && Control->HandleAllocated() && caller2->PtInCaller(Control->ScreenToClient(cursor));
  else
    inside = Bounds.Contains(cursor);
  if (inside) return;
  if (Control && Control->HandleAllocated()) {
    const TPoint client = Control->ScreenToClient(cursor);
    if (!Control->ClientRect().Contains(client)) Control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
  }
  IcxMouseTrackingCaller* caller = Caller;
  caller->MouseLeave();
  // MouseLeave may have unwatched (and freed) this entry already: remove it only if still listed.
  if (FindTracking(caller) == this) UnwatchMouseLeave(caller);
}

}  // namespace

void WatchMouseLeave(TWinControl* Control, const TRect& Bounds, IcxMouseTrackingCaller* Caller) {
  if (finalized || !Caller || FindTracking(Caller)) return;
  TRect screen = Bounds;
  if (Control && Control->HandleAllocated()) TranslateRectToWindow(Control->Handle(), nullptr, screen);
  if (!trackingList) trackingList = new std::vector<TMouseTrackingTimer*>;
  trackingList->push_back(new TMouseTrackingTimer(Caller, Control, screen));
}

void UnwatchMouseLeave(IcxMouseTrackingCaller* Caller) {
  TMouseTrackingTimer* timer = FindTracking(Caller);
  if (!timer) return;
  trackingList->erase(std::find(trackingList->begin(), trackingList->end(), timer));
  timer->Free();
}

bool IsMouseTracking(IcxMouseTrackingCaller* Caller) { return FindTracking(Caller) != nullptr; }

namespace {

// Watchers left at the end are a caller's fault, not a reason to skip the rest of the end.
void FinalizeUnit() {
  finalized = true;
  if (trackingList) {
    if (!trackingList->empty()) OutputDebugStringW(L"Mouse tracking: callers still watched at the end\n");
    while (!trackingList->empty()) UnwatchMouseLeave(trackingList->back()->Caller);
    delete trackingList;
    trackingList = nullptr;
  }
  FreeAndNil(settingsController);
  FreeAndNil(sharedMessageWindow);
}

// The library's cursors, 2100 to 2114 from the program's resources, and the system's hand.
void StartUnit() {
  if (!Screen) return;
  static const wchar_t* const names[] = {
      L"CX_DRAGCOPYCURSOR", L"CX_FULLSCROLLCURSOR", L"CX_HORSCROLLCURSOR",  L"CX_VERSCROLLCURSOR",
      L"CX_UPSCROLLCURSOR", L"CX_RIGHTSCROLLCURSOR", L"CX_DOWNSCROLLCURSOR", L"CX_LEFTSCROLLCURSOR",
      L"CX_REMOVECURSOR",   L"CX_VERTSIZECURSOR",   L"CX_HORZSIZECURSOR",   L"CX_MULTIDRAGCURSOR",
      L"CX_NODROPCURSOR",   L"CX_DRAGCURSOR",       L"CX_COLORPICKERCURSOR"};
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (int i = 0; i < 15; ++i) {
    if (i == 14) Screen->SetCursors(-2099, LoadCursorW(nullptr, IDC_HAND));
    Screen->SetCursors(TCursor(2100 + i), CursorFromResource(module, names[i]));
  }
}

const TUnitRegistration unit(StartUnit, FinalizeUnit);

}  // namespace

HCURSOR CursorFromResource(HINSTANCE Module, const wchar_t* Name) {
  HRSRC resource = FindResourceW(Module, Name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  const DWORD size = resource ? SizeofResource(Module, resource) : 0;
  const Byte* data = resource ? static_cast<const Byte*>(LockResource(LoadResource(Module, resource))) : nullptr;
  if (!data || size < 22) return nullptr;
  auto word = [&](DWORD at) { return DWORD(data[at] | (data[at + 1] << 8)); };
  const DWORD hotX = word(10), hotY = word(12), bytes = word(14) | (word(16) << 16), offset = word(18) | (word(20) << 16);
  if (offset > size || bytes > size - offset) return nullptr;
  // The image as a cursor resource holds it: the hot spot, then the bitmap.
  std::vector<Byte> image(4 + bytes);
  image[0] = Byte(hotX), image[1] = Byte(hotX >> 8), image[2] = Byte(hotY), image[3] = Byte(hotY >> 8);
  std::copy(data + offset, data + offset + bytes, image.begin() + 4);
  return HCURSOR(CreateIconFromResourceEx(image.data(), DWORD(image.size()), FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

// ---- hint window ------------------------------------------------------------------------------

bool HintVersionFlag(TOSVersion Version) { return Version.Major >= 5 && Version.Minor >= 1; }

int EffectiveHintAnimation(int Style) {
  BOOL animation = FALSE, fade = FALSE;
  Bound().SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  if (Style == 9 || !animation) return 9;
  if (Style != 8) return Style;
  Bound().SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  return fade ? 7 : 2;
}

DWORD HintAnimationFlags(int Style) {
  static const DWORD flags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE,
                                AW_CENTER,       AW_HIDE,         AW_ACTIVATE,     AW_BLEND};
  return (Style >= 0 && Style < 8 ? flags[Style] : 0) | AW_SLIDE;
}

void TcxBaseHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  if (StandardHint) return;
  if (BorderStyle == 0) Params.Style &= ~DWORD(WS_BORDER);
  Params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::WMEraseBkgnd(TMessage& Message) {
  if (EraseBackground)
    Inherited::Dispatch(Message);
  else
    Message.Result = 1;
}

void TcxBaseHintWindow::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const TRect work = WorkAreaAtPoint({ALeft, ATop});
  ALeft = std::max(std::min(ALeft, int(work.right) - AWidth), int(work.left));
  ATop = std::max(std::min(ATop, int(work.bottom) - AHeight), int(work.top));
  THintWindow::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TcxBaseHintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  if (StandardHint) return THintWindow::ActivateHint(Rect, AHint);
  SetText(AHint);
  SetBounds(Rect.left, Rect.top, Rect.Width(), Rect.Height());
  const bool versionFlag = HintVersionFlag(OSVersion());
  if (versionFlag) ShowingHook();
  if (AHint.size() < 100 && Bound().AnimateWindow.Get()) Animate();
  if (!versionFlag) ShowingHook();
  ShowWithoutActivation();
  Invalidate();
}

void TcxBaseHintWindow::Animate() {
  const int style = EffectiveHintAnimation(AnimationStyle);
  if (style == 9) return;
  if (!HintVersionFlag(OSVersion())) ResetWindowRegion();
  Bound().AnimateWindow.Get()(Handle(), AnimationDelay, HintAnimationFlags(style));
}

// ---- popup window -----------------------------------------------------------------------------

TPoint CalculatePopupPosition(const TRect& O, TcxPopupDirection Direction, int HorzAlign, int VertAlign,
                              const TSize& Size, const TRect& WorkArea) {
  const int w = Size.cx, h = Size.cy;
  TPoint p{(O.left + O.right - w) / 2, (O.top + O.bottom - h) / 2};
  auto place = [&] {
    if (Direction == pdVertical) {
      if (HorzAlign != 1) p.x = HorzAlign == 0 ? O.left : O.right - w;
      if (VertAlign != 1) p.y = VertAlign == 0 ? O.top - h : O.bottom;
    } else {
      if (HorzAlign != 1) p.x = HorzAlign == 0 ? O.left - w : O.right;
      if (VertAlign != 1) p.y = VertAlign == 0 ? O.top : O.bottom - h;
    }
  };
  place();
  if (Direction == pdVertical && VertAlign != 1) {
    const int above = O.top - WorkArea.top, below = WorkArea.bottom - O.bottom;
    if ((VertAlign == 2 && p.y + h > WorkArea.bottom && above > below) ||
        (VertAlign == 0 && p.y < WorkArea.top && above <= below)) {
      VertAlign = 2 - VertAlign;
      place();
    }
  } else if (Direction == pdHorizontal && HorzAlign != 1) {
    const int left = O.left - WorkArea.left, right = WorkArea.right - O.right;
    if ((HorzAlign == 2 && p.x + w > WorkArea.right && left > right) ||
        (HorzAlign == 0 && p.x < WorkArea.left && left <= right)) {
      HorzAlign = 2 - HorzAlign;
      place();
    }
  }
  if (Direction == pdVertical || HorzAlign == 1) p.x = std::max(std::min(int(p.x), int(WorkArea.right) - w), int(WorkArea.left));
  if (Direction == pdHorizontal || VertAlign == 1) p.y = std::max(std::min(int(p.y), int(WorkArea.bottom) - h), int(WorkArea.top));
  return p;
}

TcxPopupWindow::TcxPopupWindow(TComponent* AOwner) : TCustomForm(AOwner, 0), cxCanvas_(new TcxCanvas(Canvas())) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
}

TcxPopupWindow::~TcxPopupWindow() { cxCanvas_->Free(); }

int TcxPopupWindow::FrameWidth() { return FrameStyle == 1 || FrameStyle == 2 ? 1 : FrameStyle == 3 ? 2 : 0; }

void TcxPopupWindow::ContentRect(TRect& R) {
  R = ClientRect();
  R = {R.left + BorderWidthAt(0), R.top + BorderWidthAt(1), R.right - BorderWidthAt(2), R.bottom - BorderWidthAt(3)};
}

void TcxPopupWindow::OwnerScreenBounds(TRect& R) {
  R = OwnerBounds;
  if (auto* parent = dynamic_cast<TWinControl*>(OwnerParent); parent && parent->HandleAllocated())
    TranslateRectToWindow(parent->Handle(), nullptr, R);
}

void TcxPopupWindow::TakeOwnerFont() {
  if (OwnerParent) Font()->Assign(OwnerParent->Font());
}

void TcxPopupWindow::CalculatePosition(TPoint& P) {
  TRect owner;
  OwnerScreenBounds(owner);
  const TPoint reference = Direction == pdVertical ? TPoint(owner.left, AlignVert == 0 ? owner.top : owner.bottom)
                                                   : TPoint(AlignHorz == 0 ? owner.left : owner.right, owner.top);
  P = CalculatePopupPosition(owner, Direction, AlignHorz, AlignVert, {Width(), Height()}, WorkAreaAtPoint(reference));
}

// The children are moved by the border widths once: a popup shown again moves them only by what
// changed since.
void TcxPopupWindow::AdjustSize() {
  if (!Adjustable) return;
  const TPoint offset{BorderWidthAt(0), BorderWidthAt(1)};
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    right = std::max(right, child->Left() - int(childOffset_.x) + child->Width());
    bottom = std::max(bottom, child->Top() - int(childOffset_.y) + child->Height());
    child->SetBounds(child->Left() + offset.x - childOffset_.x, child->Top() + offset.y - childOffset_.y, child->Width(),
                     child->Height());
  }
  childOffset_ = offset;
  if (right != 0 || ControlCount() > 0) SetBounds(Left(), Top(), BorderWidthAt(0) + right + BorderWidthAt(2), Height());
  if (bottom != 0 || ControlCount() > 0) SetBounds(Left(), Top(), Width(), BorderWidthAt(1) + bottom + BorderWidthAt(3));
}

void TcxPopupWindow::Popup() {
  TakeOwnerFont();
  AdjustSize();
  TPoint p;
  CalculatePosition(p);
  SetBounds(p.x, Top(), Width(), Height());
  CalculatePosition(p);
  SetBounds(Left(), p.y, Width(), Height());
  Show();
}

void TcxPopupWindow::Paint() {
  TCustomForm::Paint();
  DrawFrame();
}

void TcxPopupWindow::DrawFrame() {
  const TRect r{0, 0, Width(), Height()};
  switch (FrameStyle) {
    case 1: cxCanvas_->DrawFrameBorders(r, FrameColor, 1); break;
    case 2: cxCanvas_->DrawTwoColorBorders(r, clBtnHighlight, clBtnShadow); break;
    case 3:
      cxCanvas_->DrawTwoColorBorders(r, cl3DLight, cl3DDkShadow);
      cxCanvas_->DrawTwoColorBorders(InflateRectBy(r, -1, -1), clBtnHighlight, clBtnShadow);
      break;
    default: break;
  }
}

void TcxPopupWindow::WMActivate(TMessage& Message) {
  TCustomForm::WMActivate(Message);
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    previousActive_ = reinterpret_cast<HWND>(Message.LParam);
    if (previousActive_) SendMessageW(previousActive_, WM_NCACTIVATE, TRUE, 0);
  }
}

void TcxPopupWindow::WMActivateApp(TMessage& Message) {
  Inherited::Dispatch(Message);
  if (!Message.WParam) {
    if (previousActive_) SendMessageW(previousActive_, WM_NCACTIVATE, FALSE, 0);
    ClosePopup();
  }
}

void TcxPopupWindow::Deactivate() {
  TCustomForm::Deactivate();
  ClosePopup();
}

// ---- drag image and size frame ----------------------------------------------------------------

TcxCustomDragImage::TcxCustomDragImage(TComponent* AOwner) : TcxPopupWindow(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlend(true);
  SetAlphaBlendValue(180);
}

void TcxCustomDragImage::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  if (auto* parent = dynamic_cast<TWinControl*>(OwnerParent); parent && parent->HandleAllocated())
    Params.WndParent = parent->Handle();
  else if (Screen && Screen->ActiveForm())
    Params.WndParent = Screen->ActiveForm()->Handle();
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void TcxCustomDragImage::ShowNoActivate() {
  ShowWindow(Handle(), SW_SHOWNA);
  Update();
}

TcxSizeFrame::TcxSizeFrame(int AFrameWidth, TComponent* AOwner)
    : TcxCustomDragImage(AOwner), frameWidth_(AFrameWidth), baseRegion_(new TcxRegion()) {
  SetAlphaBlend(false);
  Canvas()->Brush()->SetBitmap(CheckerPatternBitmap());
}

TcxSizeFrame::~TcxSizeFrame() { baseRegion_->Free(); }

void TcxSizeFrame::Paint() { Canvas()->FillRect(ClientRect()); }

void TcxSizeFrame::MoveToRect(const TRect& R) {
  TcxRegion* region = new TcxRegion(0, 0, R.Width(), R.Height());
  baseRegion_->CombineWith(region, roSet);
  SetBounds(R.left, R.top, R.Width(), R.Height());
}

// The window's region is the base region's ring: the region less its erosion by the frame width.
void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TcxCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!baseRegion_ || !HandleAllocated() || 2 * frameWidth_ >= AWidth || 2 * frameWidth_ >= AHeight) return;
  if (!FillSelection) {
    auto* eroded = new TcxRegion();
    eroded->CombineWith(baseRegion_, roSet, false);
    const TPoint shifts[] = {{frameWidth_, 0}, {0, frameWidth_}, {-frameWidth_, 0}, {0, -frameWidth_}};
    for (const TPoint& shift : shifts) {
      auto* moved = new TcxRegion();
      moved->CombineWith(baseRegion_, roSet, false);
      moved->OffsetBy(shift.x, shift.y);
      eroded->CombineWith(moved, roIntersect);
    }
    baseRegion_->CombineWith(eroded, roSubtract);
  }
  TcxRegion current;
  const bool hasRegion = GetWindowRgn(Handle(), current.Handle()) != ERROR;
  if (!hasRegion || !current.IsEqual(baseRegion_)) {
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, baseRegion_->Handle(), nullptr, RGN_COPY);
    SetWindowRgn(Handle(), copy, TRUE);  // the system owns the copy
  }
}

// ---- design controller ------------------------------------------------------------------------

void TcxDesignController::NotifyFormDesigner(TCustomForm* Form) {
  if (lockCount_ > 0 || running_) return;
  running_ = true;
  // No form has a designer in the running program; the bracket stays for descendants.
  (void)Form;
  running_ = false;
}
