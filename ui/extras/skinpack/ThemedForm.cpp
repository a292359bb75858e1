#include "ui/extras/skinpack/ThemedForm.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"

DEFINE_CLASS(TsuiForm)

namespace {

constexpr UINT kRecomputeFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
// Messages after which the framework may have given the form its caption back.
constexpr UINT CM_FLOAT_ = 0xB03A;
constexpr UINT kStyleRestoringMessage = 0xBE10;

// Frame sizes an MDI child asks the application's window for; unanswered they count as 0.
constexpr UINT SUI_MDI_BOTTOM_FRAME = 0x87D0;
constexpr UINT SUI_MDI_SIDE_FRAME = 0x87D1;

// Forms started maximized that have seen their first maximized sizes.
int g_startedMaximizedSizes = 0;

bool HasThemedFormChild(TCustomForm* form) {
  for (int i = 0; i < form->ControlCount(); ++i)
    if (dynamic_cast<TsuiForm*>(form->Controls(i))) return true;
  return false;
}

// Adds to Region every run of pixels of Bitmap's rows [first, last] that differ from Key, and the
// other rows whole; the bitmap sits at (0, Top) in window coordinates.
void AddKeyedRows(HRGN region, TBitmap* bitmap, int top, int width, int first, int last, TColor key) {
  const int height = bitmap->Height();
  if (first == -1) first = 0;
  if (first >= last) last = height - 1;
  auto add = [region](int l, int t, int r, int b) {
    HRGN part = CreateRectRgn(l, t, r, b);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  };
  if (first > 0) add(0, top, width, top + std::min(first, height));
  for (int y = std::max(first, 0); y <= last && y < height; ++y) {
    int x = 0;
    const int w = std::min(width, bitmap->Width());
    while (x < w) {
      while (x < w && bitmap->Canvas()->Pixels(x, y) == key) ++x;
      const int start = x;
      while (x < w && bitmap->Canvas()->Pixels(x, y) != key) ++x;
      // A run that starts in the row's last column enters as that one pixel.
      if (x > start) add(start, top + y, x, top + y + 1);
    }
  }
  if (last + 1 < height) add(0, top + last + 1, width, top + height);
}

void RegisterThemedFormProperties() {
  using F = TsuiForm;
  RegisterProperties(&F::ClassInfo(), {
      ObjectProperty(L"FileTheme", &F::FileTheme, &F::SetFileTheme),
      OrdinalProperty(L"UIStyle", &F::UIStyle, &F::SetUIStyle),
      OrdinalProperty(L"TitleBarVisible", &F::TitleBarVisible, &F::SetTitleBarVisible),
      OrdinalProperty(L"BorderWidth", &F::BorderWidth, &F::SetBorderWidth),
      OrdinalProperty(L"BorderColor", &F::BorderColor, &F::SetBorderColor),
  });
}

}  // namespace

TRect ThemedFormClientRect(const TRect& W, int BottomFrame, int SideFrame, int ThemeLeftWidth, int ThemeRightWidth,
                           int ThemeBottomHeight, int BorderWidth) {
  const int x = W.left, y = W.top, cx = W.Width(), cy = W.Height();
  const int bottom = std::max(4, BottomFrame), side = std::max(SideFrame, 4);
  TRect r;
  r.top = y - bottom + 4;
  if (ThemeLeftWidth) {
    r.right = x + cx - std::max(ThemeRightWidth, 4) + side - 1;
    r.left = std::max(ThemeLeftWidth, 4) + x - side + 1;
  } else {
    r.right = side + x + cx - 4;
    r.left = x - side + 4;
  }
  if (ThemeBottomHeight)
    r.bottom = y + cy - std::max(ThemeBottomHeight, 4) + bottom - 1;
  else if (BorderWidth == 3)
    r.bottom = bottom + y + cy - 4;
  else
    r.bottom = bottom + y + cy - BorderWidth + 2 - 4;
  return r;
}

// ---- construction --------------------------------------------------------------------------------

TsuiForm::TsuiForm(TComponent* AOwner) : TCustomPanel(AOwner) {
  static const bool registered = (RegisterThemedFormProperties(), true);
  (void)registered;
  auto* form = dynamic_cast<TCustomForm*>(AOwner);
  if (!form || HasThemedFormChild(form)) return;  // a second one stays an inert panel
  built_ = true;
  form_ = form;
  SetParent(form);
  // The form's own border styles: those without a sizing frame become a dialog frame.
  const TFormBorderStyle style = form->BorderStyle();
  formerBorderStyle_ = style;
  if (style == bsNone || style == bsSingle || style == bsToolWindow) form->SetBorderStyle(bsDialog);
  // Asked before the window exists: an MDI child's window is made visible in its normal state, and
  // the form would then answer that state instead of the one it is to be shown in.
  startedMaximized_ = form->WindowState() == wsMaximized;
  form->HandleNeeded();
  if (IsMdiChild()) {
    HWND app = Application->Handle();
    bottomFrame_ = app ? int(SendMessageW(app, SUI_MDI_BOTTOM_FRAME, 0, 0)) : 0;
    sideFrame_ = app ? int(SendMessageW(app, SUI_MDI_SIDE_FRAME, 0, 0)) : 0;
  } else {
    RECT window, client;
    GetWindowRect(form->Handle(), &window);
    ::GetClientRect(form->Handle(), &client);
    POINT clientBottom{client.left, client.bottom};
    ::ClientToScreen(form->Handle(), &clientBottom);
    bottomFrame_ = window.bottom - clientBottom.y;
    sideFrame_ = clientBottom.x - window.left;
  }
  bottomBuffer_.SetPixelFormat(pf24bit);
  savedBounds_ = form->BoundsRect();

  titleBar_ = new TsuiTitleBar(this);
  titleBar_->SetParent(this);
  menuBarColor_ = menuBarToColor_ = Color();
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetBorderStyle(bsNone);
  SetAlign(alClient);
  SetCaption(form->Caption());
  TCustomPanel::SetCaption(L" ");
  SetUIStyle(DeepBlue);

  RemoveCaptionStyle();
  hook_ = TWindowProcHook(this, &TsuiForm::FormHook);
  form->InstallWindowProcHook(hook_);
  appEvents_ = new TApplicationEvents(this);
  appEvents_->OnMessage = TMessageEvent(this, &TsuiForm::ApplicationMessage);
  RecomputeFrame();
}

TsuiForm::~TsuiForm() {
  destroying_ = true;
  if (!built_) return;
  // Hand the form back as it was: its procedure chain without us, its caption and its frame.
  if (form_ && !form_->ComponentState().Contains(csDestroying)) {
    form_->RemoveWindowProcHook(hook_);
    if (form_->HandleAllocated()) {
      SetWindowLongPtrW(form_->Handle(), GWL_STYLE, GetWindowLongPtrW(form_->Handle(), GWL_STYLE) | WS_CAPTION);
      SetWindowRgn(form_->Handle(), nullptr, TRUE);
      RecomputeFrame();
    }
  }
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) menu->SetThemedForm(nullptr);
}

void TsuiForm::RecomputeFrame() {
  if (form_ && form_->HandleAllocated()) SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, kRecomputeFlags);
}

void TsuiForm::RemoveCaptionStyle() {
  if (!form_ || !form_->HandleAllocated()) return;
  const LONG_PTR style = GetWindowLongPtrW(form_->Handle(), GWL_STYLE);
  if (style & WS_CAPTION) SetWindowLongPtrW(form_->Handle(), GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
}

bool TsuiForm::IsMdiChild() const { return form_ && form_->FormStyle() == fsMDIChild; }

HWND TsuiForm::MdiClient() const {
  return IsMdiChild() && form_->HandleAllocated() ? GetParent(form_->Handle()) : nullptr;
}

void TsuiForm::Loaded() {
  TCustomPanel::Loaded();
  if (IsMdiChild()) UpdateRegion();
}

bool TsuiForm::Themed() const {
  TsuiUIStyle style = uiStyle_;
  return UsesFileTheme(fileTheme_, style);
}

// ---- properties ----------------------------------------------------------------------------------

void TsuiForm::SetTitleBarCustom(bool Value) {
  if (titleBar_) titleBar_->SetCustom(Value);
}

void TsuiForm::SetFileTheme(TsuiFileTheme* Value) {
  if (Value == fileTheme_) return;
  if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
  fileTheme_ = Value;
  if (fileTheme_) fileTheme_->FreeNotification(this);
  SetUIStyle(uiStyle_);
}

void TsuiForm::SetBorderColor(TColor Value) {
  borderColor_ = Value;
  PaintFrame();
}

void TsuiForm::SetBorderWidth(int Value) {
  borderWidth_ = Value;
  PaintFrame();
}

void TsuiForm::SetTitleBarVisible(bool Value) {
  if (!titleBar_ || titleBar_->Visible() == Value) return;
  if (!internalChange_) userTitleBarVisible_ = Value;
  titleBar_->SetVisible(Value);
  titleBar_->SetTop(0);
  PaintFrame();
}

void TsuiForm::SetCaption(const String& Value) {
  if (titleBar_) titleBar_->SetCaption(Value);
  if (form_) form_->SetCaption(Value);
}

void TsuiForm::SetFormPanel(TCustomPanel* Value) {
  if (Value == this) {
    Application->MessageBox(L"Sorry, you can't select the Form assign to FormPanel property", Application->Title(),
                            MB_OK | MB_ICONERROR);
    return;
  }
  if (formPanel_) formPanel_->RemoveFreeNotification(this);
  formPanel_ = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  Value->SetAlign(alClient);
  if (auto* panel = dynamic_cast<TPanel*>(Value)) {
    panel->SetBevelInner(bvNone);
    panel->SetBevelOuter(bvNone);
    panel->SetBorderStyle(bsNone);
    panel->SetCaption(L"");
  }
}

void TsuiForm::SetRoundCorner(int Value) {
  if (titleBar_) titleBar_->SetRoundCorner(Value);
  UpdateRegion();
}

void TsuiForm::SetRoundCornerBottom(int Value) {
  if (titleBar_) titleBar_->SetRoundCornerBottom(Value);
  UpdateRegion();
}

void TsuiForm::SetUIStyle(TsuiUIStyle Value) {
  if (!built_) {
    uiStyle_ = Value;
    return;
  }
  const TRect bounds = form_->BoundsRect();
  uiStyle_ = Value;
  TsuiUIStyle style = Value;
  if (UsesFileTheme(fileTheme_, style)) {
    SetColor(fileTheme_->GetColor(SKIN2_FORMCOLOR));
    menuBarColor_ = fileTheme_->GetColor(SKIN2_MENUBARSTARTCOLOR);
    menuBarToColor_ = fileTheme_->GetColor(SKIN2_MENUBARENDCOLOR);
    auto width = [this](int index) { TBitmap* b = fileTheme_->GetBitmap(index); return b ? b->Width() : 0; };
    themeLeftWidth_ = width(SKIN2_FORMLEFTBORDER);
    themeRightWidth_ = width(SKIN2_FORMRIGHTBORDER);
    TBitmap* bottom = fileTheme_->GetBitmap(SKIN2_FORMBOTTOMBORDER1);
    themeBottomHeight_ = bottom ? bottom->Height() : 0;
    keyColor_ = fileTheme_->GetColor(SKIN2_TRANSCOLOR);
    titleRegion_ = fileTheme_->GetBool(SKIN2_TITLEBARNEEDREGION);
    bottomRegion_ = fileTheme_->GetBool(SKIN2_BOTTOMBORDERNEEDREGION);
    titleRegionFirst_ = fileTheme_->GetInt(SKIN2_TITLEBARREGIONMINY);
    titleRegionLast_ = fileTheme_->GetInt(SKIN2_TITLEBARREGIONMAXY);
    bottomRegionFirst_ = fileTheme_->GetInt(SKIN2_BOTTOMREGIONMINY);
    bottomRegionLast_ = fileTheme_->GetInt(SKIN2_BOTTOMREGIONMAXY);
  } else {
    themeLeftWidth_ = themeRightWidth_ = themeBottomHeight_ = 0;
    keyColor_ = clFuchsia;
    borderColor_ = GetStyleColor(style, 16);
    borderWidth_ = GetStyleInt(style, 17);
    SetColor(GetStyleColor(style, 15));
    menuBarColor_ = menuBarToColor_ = Color();
  }
  titleBar_->SetFileTheme(fileTheme_);
  titleBar_->SetUIStyle(Value);
  if (!Themed()) {
    titleBar_->SetRoundCornerBottom(0);
    titleBar_->SetRoundCorner(GetStyleInt(style, 14));
  }
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
    menu->SetUIStyle(Value);
    menu->SetFileTheme(fileTheme_);
  }
  if (menuBar_) menuBar_->SetColor(menuBarColor_);
  if (UIStyleAutoUpdateSub) ApplyThemeToChildren(this, Value, fileTheme_);
  if (IsMdiChild()) form_->SetBoundsRect(bounds);
  RecomputeFrame();
  Invalidate();
  PaintFrame();
  UpdateRegion();
  if (form_)
    form_->Constraints()->SetMinHeight(MenuBarHeight() + (titleBar_->Visible() ? titleBar_->Height() : 0) +
                                       themeBottomHeight_ + 3);
}

// ---- menu bar ------------------------------------------------------------------------------------

int TsuiForm::MenuBarHeight() const { return menuBar_ && menuBar_->Visible() ? menuBar_->Height() : 0; }

void TsuiForm::SetMenuBarHeight(int Value) {
  menuBarHeight_ = Value;
  if (!menuBar_) return;
  menuBar_->SetHeight(Value);
  for (int i = 0; i < menuBar_->ButtonCount(); ++i) menuBar_->Buttons(i)->SetHeight(Value);
}

void TsuiForm::SetMenuBarColor(TColor Value) {
  menuBarColor_ = Value;
  if (menuBar_) menuBar_->SetColor(Value);
}

void TsuiForm::SetMenuBarToColor(TColor Value) {
  menuBarToColor_ = Value;
  if (menuBar_) menuBar_->Invalidate();
}

void TsuiForm::SetMenu(TMainMenu* Value) {
  if (auto* old = dynamic_cast<TsuiMainMenu*>(menu_)) old->SetThemedForm(nullptr);
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = Value;
  if (menu_) menu_->FreeNotification(this);
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(Value)) menu->SetThemedForm(this);
  if (!built_) return;
  if (Value) {
    CreateMenuBar();
    RebuildMenuBar();
    titleBar_->SetTop(0);
  } else {
    RemoveMenuBar();
  }
}

void TsuiForm::CreateMenuBar() {
  if (menuBar_ || IsMdiChild()) return;
  menuBar_ = new TsuiMenuBar(this);
  menuBar_->SetForm(this);
  menuBar_->SetParent(this);
  menuBar_->SetFlat(true);
  menuBar_->SetShowCaptions(true);
  menuBar_->SetHeight(menuBarHeight_);
  menuBar_->SetButtonHeight(menuBarHeight_);
  menuBar_->SetColor(menuBarColor_);
  menuBar_->OnCustomDrawButton = TTBCustomDrawBtnEvent(this, &TsuiForm::MenuBarCustomDrawButton);
  menuBar_->OnCustomDraw = TTBCustomDrawEvent(this, &TsuiForm::MenuBarCustomDraw);
  menuBar_->SetWrapable(true);
  menuBar_->SetAutoSize(true);
  titleBar_->SetTop(0);
}

void TsuiForm::RemoveMenuBar() {
  if (IsMdiChild()) return;
  if (menuBar_) {
    TsuiMenuBar* bar = menuBar_;
    menuBar_ = nullptr;
    bar->Free();
  }
  if (menu_) {
    if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) menu->SetThemedForm(nullptr);
    menu_->RemoveFreeNotification(this);
    menu_ = nullptr;
  }
  titleBar_->SetTop(0);
}

void TsuiForm::RebuildMenuBar() {
  if (!menuBar_) return;
  if (!menu_) return RemoveMenuBar();
  menuBar_->SetAutoSize(false);
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
    if (menu->UseSystemFont())
      GetSystemMenuFont(menuBar_->Font());
    else
      menuBar_->Font()->SetSize(menu->FontSize);
  }
  while (menuBar_->ButtonCount() > 0) menuBar_->Buttons(menuBar_->ButtonCount() - 1)->Free();
  // Placed from the last item to the first, each in front, so the buttons stand in menu order.
  TMenuItem* root = menu_->Items();
  std::vector<TToolButton*> buttons;
  for (int i = root->Count() - 1; i >= 0; --i) {
    auto* button = new TToolButton(form_);
    button->SetGrouped(true);
    button->SetMenuItem(root->Items(i));
    button->SetAutoSize(true);
    buttons.insert(buttons.begin(), button);
  }
  for (TToolButton* button : buttons) button->SetParent(menuBar_);
  menuBar_->SetAutoSize(true);
  menuBar_->Realign();
}

void TsuiForm::SyncMenuBarButtons() {
  if (!menuBar_) return;
  for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
    TToolButton* button = menuBar_->Buttons(i);
    if (TMenuItem* item = button->MenuItem()) {
      button->SetCaption(item->Caption());
      button->SetEnabled(item->Enabled());
    }
  }
}

void TsuiForm::ApplyMenuBarFont() {
  if (!menuBar_ || !menu_) return;
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
    if (menu->UseSystemFont()) {
      GetSystemMenuFont(menuBar_->Font());
    } else {
      menuBar_->Font()->SetName(menu->FontName);
      menuBar_->Font()->SetSize(menu->FontSize);
      menuBar_->Font()->SetCharset(menu->FontCharset);
    }
  }
  menuBar_->Invalidate();
}

TsuiUIStyle TsuiForm::MenuStyle(TsuiFileTheme*& theme) const {
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
    theme = menu->FileTheme();
    return menu->UIStyle();
  }
  theme = fileTheme_;
  return uiStyle_;
}

void TsuiForm::MenuBarCustomDraw(TToolBar* Sender, TCanvas* ACanvas, const TRect& ARect, bool& DefaultDraw) {
  TsuiFileTheme* theme = nullptr;
  const TsuiUIStyle style = MenuStyle(theme);
  if (style == MacOS) {
    DefaultDraw = false;
    TBitmap bar;
    bar.LoadFromResourceName(GetModuleHandleW(nullptr), L"MACOS_MENU_BAR");
    ACanvas->StretchDraw(ARect, &bar);
  } else if (menuBarToColor_ != menuBarColor_) {
    DefaultDraw = false;
    DrawVerticalGradient(ACanvas, ARect, menuBarColor_, menuBarToColor_);
  }
  (void)Sender;
}

void TsuiForm::MenuBarCustomDrawButton(TToolBar* Sender, TToolButton* Button, TCanvas* ACanvas,
                                       TOwnerDrawState State, bool& DefaultDraw) {
  DefaultDraw = false;
  Button->Tag = 0;
  TsuiFileTheme* theme = nullptr;
  TsuiUIStyle style = MenuStyle(theme);
  const bool themed = UsesFileTheme(theme, style);
  TRect R = Button->BoundsRect();
  if (auto* menu = dynamic_cast<TsuiMainMenu*>(menu_)) {
    if (menu->UseSystemFont()) {
      GetSystemMenuFont(ACanvas->Font());
    } else {
      ACanvas->Font()->SetName(menu->FontName);
      ACanvas->Font()->SetSize(menu->FontSize);
      ACanvas->Font()->SetCharset(menu->FontCharset);
      ACanvas->Font()->SetColor(menu->FontColor);
    }
  } else {
    ACanvas->SetFont(Sender->Font());
  }
  auto caption = [&](const TRect& r, TColor color) {
    HDC dc = ACanvas->Handle();
    ACanvas->Font()->SetColor(color);
    ACanvas->TextExtent(L"");
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
    RECT text = TRect(r.left, r.top + 2, r.right, r.bottom);
    const String s = Button->Caption();
    DrawTextW(dc, s.c_str(), int(s.size()), &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  };
  const bool lit = State.Contains(odHotLight) || State.Contains(odSelected);
  if (lit && style == MacOS) {
    Button->Tag = kHighlightedMenuButtonTag;
    TBitmap select;
    select.LoadFromResourceName(GetModuleHandleW(nullptr), L"MACOS_MENU_SELECT");
    ACanvas->StretchDraw(R, &select);
    caption(R, GetStyleColor(MacOS, 20));
  } else if (lit) {
    Button->Tag = kHighlightedMenuButtonTag;
    FillRectColor(ACanvas, R, themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUCOLOR) : GetStyleColor(style, 19));
    FrameRectColor(ACanvas, R, themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUBORDERCOLOR) : GetStyleColor(style, 18));
    caption(R, themed ? theme->GetColor(SKIN2_TOPSELECTEDMENUFONTCOLOR) : GetStyleColor(style, 20));
  } else {
    ACanvas->Brush()->SetStyle(bsClear);
    const TColor color = !Button->Enabled() ? TColor(0x808080)
                         : themed          ? theme->GetColor(SKIN2_TOPMENUFONTCOLOR)
                                           : GetStyleColor(style, 22);
    caption(R, color);
  }
}

// ---- window procedure and application messages --------------------------------------------------

void TsuiForm::FormHook(TMessage& Message, TWindowProcChain& Next) {
  if (destroying_) return Next(Message);
  if (Message.Msg == WM_NCCALCSIZE && Message.WParam) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
    const WINDOWPOS* w = params->lppos;
    const TRect window = w ? Bounds(w->x, w->y, w->cx, w->cy) : TRect(params->rgrc[0]);
    params->rgrc[0] = ThemedFormClientRect(window, bottomFrame_, sideFrame_, themeLeftWidth_, themeRightWidth_,
                                           themeBottomHeight_, borderWidth_);
    params->rgrc[1] = params->rgrc[0];
    Message.Result = WVR_VALIDRECTS;
  }
  if (Message.Msg == SUI_FRAME_LEFT) {
    Message.Result = themeLeftWidth_ ? std::max(themeLeftWidth_, 4) : bottomFrame_ - 1;
    return;
  }
  const bool iconic = form_->HandleAllocated() && IsIconic(form_->Handle());
  if ((Message.Msg != WM_NCPAINT && Message.Msg != WM_NCACTIVATE) || iconic) Next(Message);
  if (destroying_) return;
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      MSG msg{form_->Handle(), Message.Msg, Message.WParam, Message.LParam, 0, {}};
      Message.Result = MenuShortcut(msg) ? 1 : 0;
      break;
    }
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(Message.LParam) == form_->Handle()) {
        if (HWND client = MdiClient()) SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
        titleBar_->SetFormActive(true);
      } else {
        titleBar_->SetFormActive(false);
      }
      break;
    case WM_SHOWWINDOW:
      if (form_->Menu()) form_->SetMenu(nullptr);
      break;
    case WM_DESTROY:
      if (HWND client = MdiClient()) {
        auto* frame = dynamic_cast<TCustomForm*>(FindControl(GetParent(client)));
        if (frame && frame->MDIChildCount() == 1) SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
        if (IsZoomed(form_->Handle()))
          SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(form_->Handle()), 0);
      }
      break;
    case WM_NCHITTEST:
      // A child that had a single frame is moved, not sized, by its edges.
      if (IsMdiChild() && formerBorderStyle_ == bsSingle && Message.Result >= HTLEFT &&
          Message.Result <= HTBOTTOMRIGHT)
        Message.Result = HTBORDER;
      break;
    case WM_ACTIVATE:
      titleBar_->SetFormActive(LOWORD(Message.WParam) != 0);
      PaintFrame();
      break;
    case WM_NCACTIVATE:
      if (!iconic) {
        Repaint();
        Message.Result = 1;
      }
      break;
    case WM_NCPAINT:
      if (!iconic) Repaint();
      break;
    case CM_RECREATEWND:
    case CM_FLOAT_:
    case kStyleRestoringMessage:
      if (GetWindowLongPtrW(form_->Handle(), GWL_STYLE) & WS_CAPTION) {
        RemoveCaptionStyle();
        RecomputeFrame();
      }
      break;
    case WM_SIZE:
      OnSize();
      break;
  }
}

void TsuiForm::OnSize() {
  if (inSize_) return;
  inSize_ = true;
  const bool maximized = form_->WindowState() == wsMaximized;
  const bool mdiChild = IsMdiChild();
  if (startedMaximized_ && mdiChild) {
    // The frame recomputed while the child is made sizes it before it shows maximized: only its
    // first maximized size counts.
    if (maximized) {
      mdiMaximized_ = mdiMaximizedAtStart_ = true;
      startedMaximized_ = false;
    }
  } else if (startedMaximized_) {
    if (maximized) {
      if (g_startedMaximizedSizes >= 2)
        form_->SetWindowState(wsMaximized);
      else
        ++g_startedMaximizedSizes;
    } else {
      form_->SetBoundsRect(savedBounds_);
      startedMaximized_ = false;
    }
  }
  if (maximized && !mdiChild) {
    const TRect work = GetWorkAreaRect();
    form_->SetBoundsRect(TRect(work.left - 2, work.top - 2, work.right + 2, work.bottom - 1));
  }
  titleBar_->UpdateMaximizeButtons();
  Repaint();
  if (mdiChild) MdiChildSized(maximized);
  UpdateRegion();
  inSize_ = false;
}

void TsuiForm::MdiChildSized(bool Maximized) {
  HWND client = MdiClient();
  const int shift = titleBar_->Height() - 3;
  internalChange_ = true;
  if (Maximized) {
    SetTitleBarVisible(false);
    if (!mdiMaximized_) {
      ScrollBy(0, -shift);
      mdiMaximized_ = true;
      if (client) SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(form_->Handle()), 0);
    }
  } else {
    if (userTitleBarVisible_) SetTitleBarVisible(true);
    if (mdiMaximized_) {
      // A child maximized when it was made never had its contents scrolled up.
      if (!mdiMaximizedAtStart_ || mdiRestoredOnce_) ScrollBy(0, shift);
      mdiMaximized_ = mdiMaximizedAtStart_ = false;
      mdiRestoredOnce_ = true;
      titleBar_->UpdateMaximizeButtons();
      // Minimizing a maximized child also leaves the maximized state; restoring it would undo that.
      if (client && !IsIconic(form_->Handle()))
        SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(form_->Handle()), 0);
    }
  }
  internalChange_ = false;
}

bool TsuiForm::MenuShortcut(MSG& Msg) {
  if (!form_ || !menu_ || !FormIsActive(form_) || !form_->Active()) return false;
  TMessage message{Msg.message, Msg.wParam, Msg.lParam, 0};
  return menu_->IsShortCut(message);
}

void TsuiForm::ApplicationMessage(MSG& Msg, bool& Handled) {
  if (destroying_) return;
  if (Msg.message == WM_SYSCHAR && Msg.wParam == VK_SPACE) {
    TCustomForm* main = Application->MainForm() ? Application->MainForm() : form_;
    titleBar_->SystemMenu()->Popup(main->Left(), main->Top() + titleBar_->Height());
    Handled = true;
  } else if (Msg.message == WM_KEYDOWN) {
    Handled = MenuShortcut(Msg);
  }
}

// ---- painting ------------------------------------------------------------------------------------

void TsuiForm::Paint() {
  if (destroying_ || !built_) return TCustomPanel::Paint();
  const TRect client = ClientRect();
  TsuiUIStyle style = uiStyle_;
  const bool themed = UsesFileTheme(fileTheme_, style);
  if (!themed && (style == MacOS || style == Protein)) {
    TBitmap pattern;
    pattern.LoadFromResourceName(GetModuleHandleW(nullptr),
                                 style == MacOS ? L"MACOS_FORM_BACKGROUND" : L"PROTEIN_FORM_BACKGROUND");
    if (background_.Width() != client.Width() || background_.Height() != client.Height())
      background_.SetSize(client.Width(), client.Height());
    for (int y = 0; y < client.Height(); y += pattern.Height())
      for (int x = 0; x < client.Width(); x += pattern.Width()) background_.Canvas()->Draw(x, y, &pattern);
    Canvas()->CopyRect(client, background_.Canvas(), client);
  } else {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(client);
  }
  PaintFrame();
}

void TsuiForm::Resize() {
  TCustomPanel::Resize();
  if (titleBar_) titleBar_->SetTop(0);
}

void TsuiForm::PaintFrame() {
  if (destroying_ || !built_ || !form_ || !form_->HandleAllocated() || IsIconic(form_->Handle())) return;
  RECT window;
  GetWindowRect(form_->Handle(), &window);
  const int W = window.right - window.left, H = window.bottom - window.top;
  const int T = titleBar_->Visible() ? titleBar_->Height() + 3 : 0;
  HDC dc = GetWindowDC(form_->Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  if (Themed())
    PaintThemeFrame(&canvas, W, H, T);
  else
    PaintBuiltInFrame(&canvas, W, H, T);
  canvas.SetHandle(nullptr);
  ReleaseDC(form_->Handle(), dc);
}

void TsuiForm::FillMenuBarGap(TCanvas* canvas, const TRect& R) {
  if (R.IsEmpty()) return;
  if (menuBarColor_ == menuBarToColor_)
    FillRectColor(canvas, R, menuBarColor_);
  else
    DrawVerticalGradient(canvas, R, menuBarColor_, menuBarToColor_);
}

void TsuiForm::PaintBuiltInFrame(TCanvas* canvas, int W, int H, int T) {
  const int bw = borderWidth_;
  if (titleBar_->Visible() && titleBar_->HasFullSectionSet()) {
    TsuiTitleBarSections* sections = titleBar_->Sections();
    TGraphic* left = sections->Items(0)->Picture()->Graphic();
    TGraphic* right = sections->Items(1)->Picture()->Graphic();
    TGraphic* middle = sections->Items(2)->Picture()->Graphic();
    const int leftW = left->Width(), rightW = right->Width(), h = left->Height();
    // The left edge: the left picture's first columns beside the border.
    if (3 - bw > 0) {
      TBitmap band(3 - bw, h, pf24bit);
      band.Canvas()->Draw(0, 0, left);
      canvas->Draw(bw, 0, &band);
    }
    // The right edge: the right picture's last two columns (or all of a narrow one, stretched).
    TBitmap edge(2, right->Height(), pf24bit);
    if (rightW <= 2)
      edge.Canvas()->StretchDraw(TRect(0, 0, 2, right->Height()), right);
    else
      edge.Canvas()->Draw(2 - rightW, 0, right);
    canvas->Draw(W - 3, 0, &edge);
    // The top three rows above the bar, from the same pictures.
    const int bandW = W - 5;
    if (bandW > 0) {
      TBitmap top(bandW, 3, pf24bit);
      top.Canvas()->StretchDraw(TRect(leftW - 2, 0, bandW + 3 - rightW, middle->Height()), middle);
      top.Canvas()->Draw(-2, 0, left);
      top.Canvas()->Draw(bandW + 3 - rightW, 0, right);
      canvas->Draw(2, 0, &top);
    }
    const int r = titleBar_->RoundCorner();
    if (bw == 1 && r == 11) {
      canvas->Pen()->SetColor(borderColor_);
      canvas->Arc(W - 2 * r + 1, -1, W + 1, 2 * r - 1, W + 1, r - 1, W - r + 1, -1);
      canvas->Arc(-1, -1, 2 * r - 1, 2 * r - 1, r - 1, -1, -1, r - 1);
    }
  } else if (!titleBar_->Visible()) {
    FillRectColor(canvas, TRect(0, 0, W, 1), borderColor_);
    FillRectColor(canvas, TRect(bw, 1, W - bw, 3), Color());
  }
  FillRectColor(canvas, TRect(0, 0, bw, H), borderColor_);
  FillRectColor(canvas, TRect(0, H - bw, W, H), borderColor_);
  FillRectColor(canvas, TRect(W - bw, 0, W, H), borderColor_);
  if (bw < 4) {
    const int mbh = MenuBarHeight();
    // A band whose top lies below its bottom fills nothing.
    if (H - 2 < H - bw) FillRectColor(canvas, TRect(bw, H - 2, W - bw, H - bw), Color());
    FillRectColor(canvas, TRect(bw, T + mbh, 3, H - bw), Color());
    FillRectColor(canvas, TRect(W - 3, T + mbh, W - bw, H - bw), Color());
    if (mbh > 0) {
      FillMenuBarGap(canvas, TRect(bw, T, 3, T + mbh));
      FillMenuBarGap(canvas, TRect(W - 3, T, W - bw, T + mbh));
    }
  }
}

void TsuiForm::PaintThemeFrame(TCanvas* canvas, int W, int H, int T) {
  const int leftW = std::max(themeLeftWidth_, 4), rightW = std::max(4, themeRightWidth_);
  if (titleBar_->Visible() && titleBar_->HasFullSectionSet()) {
    TBitmap* composed = titleBar_->GetPicture(-2);
    const int ch = composed->Height();
    canvas->CopyRect(TRect(0, 0, leftW, ch), composed->Canvas(), TRect(0, 0, leftW, ch));
    canvas->CopyRect(TRect(0, 0, W, 3), composed->Canvas(), TRect(0, 0, W, 3));
    canvas->CopyRect(TRect(W - rightW, 0, W, ch), composed->Canvas(),
                     TRect(composed->Width() - rightW, 0, composed->Width(), ch));
  }
  const int mbh = MenuBarHeight();
  auto side = [&](int index, int x0, int gapFrom, int gapTo) {
    TBitmap* picture = fileTheme_->GetBitmap(index);
    const int w = picture ? picture->Width() : 0;
    if (picture) canvas->StretchDraw(TRect(x0, T, x0 + w, H - themeBottomHeight_), picture);
    if (w < 4) {
      FillRectColor(canvas, TRect(gapFrom, T + mbh, gapTo, H - themeBottomHeight_), Color());
      if (mbh > 0) FillMenuBarGap(canvas, TRect(gapFrom, T, gapTo, T + mbh));
    }
  };
  TBitmap* leftPicture = fileTheme_->GetBitmap(SKIN2_FORMLEFTBORDER);
  TBitmap* rightPicture = fileTheme_->GetBitmap(SKIN2_FORMRIGHTBORDER);
  const int lw = leftPicture ? leftPicture->Width() : 0, rw = rightPicture ? rightPicture->Width() : 0;
  side(SKIN2_FORMLEFTBORDER, 0, lw, 4);
  side(SKIN2_FORMRIGHTBORDER, W - rw, W - 4, W - rw);
  TBitmap* first = fileTheme_->GetBitmap(SKIN2_FORMBOTTOMBORDER1);
  if (first) {
    bottomBuffer_.SetSize(W, first->Height());
    if (fileTheme_->GetBool(SKIN2_BOTTOMBORDERTHREESECT)) {
      TBitmap* middle = fileTheme_->GetBitmap(SKIN2_FORMBOTTOMBORDER2);
      TBitmap* last = fileTheme_->GetBitmap(SKIN2_FORMBOTTOMBORDER3);
      const int lastW = last ? last->Width() : 0;
      if (middle) bottomBuffer_.Canvas()->StretchDraw(TRect(first->Width(), 0, W - lastW, first->Height()), middle);
      bottomBuffer_.Canvas()->Draw(0, 0, first);
      if (last) bottomBuffer_.Canvas()->Draw(W - lastW, 0, last);
    } else {
      DrawThreePartBitmap(first, bottomBuffer_.Canvas(), TRect(0, 0, W, first->Height()), false, keyColor_);
    }
    if (bottomRegion_) {
      TBitmap over(W, first->Height(), pf24bit);
      FillRectColor(over.Canvas(), TRect(0, 0, W, first->Height()), fileTheme_->GetColor(SKIN2_FORMCOLOR));
      bottomBuffer_.SetTransparentColor(keyColor_);
      bottomBuffer_.SetTransparent(true);
      over.Canvas()->Draw(0, 0, &bottomBuffer_);
      bottomBuffer_.SetTransparent(false);
      canvas->Draw(0, H - themeBottomHeight_, &over);
    } else {
      canvas->Draw(0, H - themeBottomHeight_, &bottomBuffer_);
    }
  }
  if (themeBottomHeight_ < 4)
    FillRectColor(canvas, TRect(themeLeftWidth_, H - 4, W - themeRightWidth_, H - themeBottomHeight_), Color());
}

void TsuiForm::UpdateRegion() {
  if (destroying_ || !built_ || !form_ || !form_->HandleAllocated()) return;
  RECT window;
  GetWindowRect(form_->Handle(), &window);
  const int W = window.right - window.left, H = window.bottom - window.top;
  HRGN region;
  if (Themed()) {
    if ((!titleRegion_ && !bottomRegion_) || (IsMdiChild() && IsZoomed(form_->Handle()))) {
      region = CreateRectRgn(0, 0, W, H);
    } else {
      region = CreateRectRgn(0, 0, 0, 0);
      TBitmap* title = titleBar_->GetPicture(-1);
      const int titleH = title ? title->Height() : 0;
      if (title && titleH) AddKeyedRows(region, title, 0, W, titleRegionFirst_, titleRegionLast_, keyColor_);
      HRGN middle = CreateRectRgn(0, titleH, W, H - bottomBuffer_.Height());
      CombineRgn(region, region, middle, RGN_OR);
      DeleteObject(middle);
      if (bottomBuffer_.Height())
        AddKeyedRows(region, &bottomBuffer_, H - bottomBuffer_.Height(), W, bottomRegionFirst_, bottomRegionLast_,
                     keyColor_);
    }
  } else {
    const int r = titleBar_->RoundCorner();
    const int rb = std::max(titleBar_->RoundCornerBottom(), 0);
    // The upper half rounded at its top corners only, the lower half at its bottom corners only.
    region = CreateRoundRectRgn(0, 0, W + 1, H / 2 + r + 1, r, r);
    HRGN half = CreateRectRgn(0, 0, W, H / 2);
    CombineRgn(region, region, half, RGN_AND);
    HRGN lower = CreateRoundRectRgn(0, H / 2 - rb - 1, W + 1, H + 1, rb, rb);
    SetRectRgn(half, 0, H / 2, W, H);
    CombineRgn(lower, lower, half, RGN_AND);
    CombineRgn(region, region, lower, RGN_OR);
    DeleteObject(half);
    DeleteObject(lower);
  }
  SetWindowRgn(form_->Handle(), region, TRUE);
}

void TsuiForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == formPanel_) formPanel_ = nullptr;
  if (AComponent == menu_) {
    menu_ = nullptr;
    if (menuBar_ && !destroying_) {
      TsuiMenuBar* bar = menuBar_;
      menuBar_ = nullptr;
      bar->Free();
    }
  }
  if (AComponent == fileTheme_) {
    fileTheme_ = nullptr;
    ApplyThemeToChildren(this, DeepBlue, nullptr);
    SetUIStyle(DeepBlue);
  }
  if (AComponent == menuBar_) menuBar_ = nullptr;
  if (AComponent == titleBar_) titleBar_ = nullptr;
}
