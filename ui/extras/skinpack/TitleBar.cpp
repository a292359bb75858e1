#include "ui/extras/skinpack/TitleBar.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"

DEFINE_CLASS(TsuiTitleBarButton)
DEFINE_CLASS(TsuiTitleBarSection)
DEFINE_CLASS(TsuiTitleBarButtons)
DEFINE_CLASS(TsuiTitleBarSections)
DEFINE_CLASS(TsuiTitleBarPopupMenu)
DEFINE_CLASS(TsuiTitleBar)

namespace {

// How far right of the bar's left edge its menus open when the bar reads right to left.
constexpr int kRightToLeftMenuOffset = 176;

// The title-button strip holds 18 parts; the first part (1-based) of each type's three states.
constexpr int kTitleButtonParts = 18;
int FirstPart(TsuiTitleBarBtnType type, bool restore) {
  switch (type) {
    case suiControlBox: return 1;
    case suiHelp: return 4;
    case suiMax: return restore ? 10 : 7;
    case suiMin: return 13;
    case suiClose: return 16;
    default: return 0;
  }
}

// The string table of the system menu.
constexpr int kMinimizeText = 64705;
constexpr int kMaximizeText = 64706;
constexpr int kCloseText = 64707;

void ShowSorry(const wchar_t* text) {
  Application->MessageBox(text, Application->Title(), MB_OK | MB_ICONERROR);
}

bool FormMaximized(TCustomForm* form) { return form && form->WindowState() == wsMaximized; }

// The work area widened by 2 pixels to the left, top and right and shortened by 1 at the bottom.
TRect MaximizedBounds() {
  const TRect work = GetWorkAreaRect();
  return TRect(work.left - 2, work.top - 2, work.right + 2, work.bottom - 1);
}

void RegisterTitleBarProperties() {
  using T = TsuiTitleBar;
  RegisterProperties(&T::ClassInfo(), {
      ObjectProperty(L"FileTheme", &T::FileTheme, &T::SetFileTheme),
      OrdinalProperty(L"UIStyle", &T::UIStyle, &T::SetUIStyle),
      OrdinalProperty(L"Custom", &T::Custom, &T::SetCustom),
      StringProperty(L"Caption", &T::Caption, &T::SetCaption),
  });
}

}  // namespace

// ---- TsuiTitleBarButton --------------------------------------------------------------------------

TsuiTitleBarButton::TsuiTitleBarButton(TCollection* Collection) : TCollectionItem(Collection) {
  for (auto& picture : pictures_) picture.reset(new TPicture);
}

TsuiTitleBarButton::~TsuiTitleBarButton() = default;

void TsuiTitleBarButton::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TsuiTitleBarButton*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  visible_ = other->visible_;
  buttonType_ = other->buttonType_;
  transparent_ = other->transparent_;
  top_ = other->top_;
  uiStyle_ = other->uiStyle_;
  for (int i = 0; i < 3; ++i) pictures_[i]->Assign(other->pictures_[i].get());
  controlBoxMenu_ = other->controlBoxMenu_;
  Repaint();
}

TsuiTitleBar* TsuiTitleBarButton::TitleBar() const {
  return Collection() ? dynamic_cast<TsuiTitleBar*>(Collection()->Owner()) : nullptr;
}

void TsuiTitleBarButton::Repaint() const {
  if (TsuiTitleBar* bar = TitleBar()) bar->Invalidate();
}

void TsuiTitleBarButton::SetUIStyle(TsuiUIStyle Value) {
  uiStyle_ = Value;
  ReloadPictures();
  Repaint();
}

void TsuiTitleBarButton::SetButtonType(TsuiTitleBarBtnType Value) {
  if (Value == suiControlBox && Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i)
      if (static_cast<TsuiTitleBarButton*>(Collection()->Items(i))->buttonType_ == suiControlBox) {
        ShowSorry(L"Sorry, only one button's ButtonType property can be \"suiControlBox\"");
        return;
      }
  }
  buttonType_ = Value;
  ReloadPictures();
  Repaint();
}

void TsuiTitleBarButton::SetTransparent(bool Value) { transparent_ = Value, Repaint(); }
void TsuiTitleBarButton::SetTop(int Value) { top_ = Value, Repaint(); }
void TsuiTitleBarButton::SetControlBoxMenu(TPopupMenu* Value) { controlBoxMenu_ = Value, Repaint(); }
void TsuiTitleBarButton::SetVisible(bool Value) { visible_ = Value, Repaint(); }

void TsuiTitleBarButton::ReloadPictures() {
  if (buttonType_ == suiCustom) return;
  TsuiTitleBar* bar = TitleBar();
  const bool restore = buttonType_ == suiMax && bar && !bar->Custom() && FormMaximized(bar->ParentForm());
  const int first = FirstPart(buttonType_, restore);
  TsuiUIStyle style = uiStyle_;
  TsuiFileTheme* theme = bar ? bar->FileTheme() : nullptr;
  const bool themed = UsesFileTheme(theme, style);
  for (int i = 0; i < 3; ++i) {
    TBitmap part;
    if (themed)
      GetFileThemeBitmapPart(theme, SKIN2_TITLEBUTTONS, &part, kTitleButtonParts, first + i);
    else
      GetStyleBitmapPart(style, 5, &part, kTitleButtonParts, first + i);
    pictures_[i]->Assign(&part);
  }
  transparent_ = themed ? theme->GetBool(SKIN2_TITLEBTNTRANS) : GetStyleBool(style, 6);
  top_ = themed ? theme->GetInt(SKIN2_TITLEBARBUTTONPOSY) : GetStyleInt(style, 9);
}

// ---- TsuiTitleBarSection -------------------------------------------------------------------------

TsuiTitleBarSection::TsuiTitleBarSection(TCollection* Collection)
    : TCollectionItem(Collection), picture_(new TPicture) {}

TsuiTitleBarSection::~TsuiTitleBarSection() = default;

void TsuiTitleBarSection::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TsuiTitleBarSection*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  width_ = other->width_;
  align_ = other->align_;
  picture_->Assign(other->picture_.get());
  stretch_ = other->stretch_;
  autoSize_ = other->autoSize_;
  Repaint();
}

void TsuiTitleBarSection::Repaint() const {
  if (Collection())
    if (auto* bar = dynamic_cast<TsuiTitleBar*>(Collection()->Owner())) bar->Invalidate();
}

void TsuiTitleBarSection::SetAutoSize(bool Value) {
  autoSize_ = Value;
  if (autoSize_ && picture_->Graphic()) width_ = picture_->Width();
  Repaint();
}

void TsuiTitleBarSection::SetWidth(int Value) { width_ = Value, Repaint(); }

void TsuiTitleBarSection::SetAlign(TsuiTitleBarAlign Value) {
  if (Value == suiClient && Collection()) {
    for (int i = 0; i < Collection()->Count(); ++i)
      if (static_cast<TsuiTitleBarSection*>(Collection()->Items(i))->align_ == suiClient) {
        ShowSorry(L"Sorry, only one section's Align property can be \"suiClient\"");
        return;
      }
    stretch_ = true;
  }
  align_ = Value;
  Repaint();
}

void TsuiTitleBarSection::SetPicture(TPicture* Value) {
  picture_->Assign(Value);
  if (autoSize_ && picture_->Graphic()) width_ = picture_->Width();
  Repaint();
}

void TsuiTitleBarSection::SetStretch(bool Value) { stretch_ = Value || align_ == suiClient, Repaint(); }
void TsuiTitleBarSection::SetCapSec(bool Value) { capSec_ = Value, Repaint(); }

// ---- collections ---------------------------------------------------------------------------------

TsuiTitleBarButtons::TsuiTitleBarButtons(TsuiTitleBar* TitleBar)
    : TOwnedCollection(TitleBar, &TsuiTitleBarButton::ClassInfo()) {}

void TsuiTitleBarButtons::Update(TCollectionItem*) { static_cast<TsuiTitleBar*>(Owner())->Invalidate(); }

TsuiTitleBarSections::TsuiTitleBarSections(TsuiTitleBar* TitleBar)
    : TOwnedCollection(TitleBar, &TsuiTitleBarSection::ClassInfo()) {}

void TsuiTitleBarSections::Update(TCollectionItem*) { static_cast<TsuiTitleBar*>(Owner())->Invalidate(); }

// ---- system menu ---------------------------------------------------------------------------------

TsuiTitleBarPopupMenu::TsuiTitleBarPopupMenu(TComponent* AOwner, TsuiTitleBar* TitleBar)
    : TsuiPopupMenu(AOwner), titleBar_(TitleBar) {
  auto add = [this](const String& caption, TNotifyEvent click) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->OnClick = click;
    Items()->Add(item);
  };
  auto runAll = [this](TsuiTitleBarBtnType type, bool firstOnly) {
    for (int i = 0; i < titleBar_->Buttons()->Count(); ++i) {
      TsuiTitleBarButton* button = titleBar_->Buttons()->Items(i);
      if (button->ButtonType() != type || !button->Visible()) continue;
      titleBar_->ProcessButtonAction(button);
      if (firstOnly) return;
    }
  };
  add(LoadStr(kMinimizeText), [runAll](TObject*) { runAll(suiMin, true); });
  add(LoadStr(kMaximizeText), [runAll](TObject*) { runAll(suiMax, false); });
  add(L"-", nullptr);
  add(LoadStr(kCloseText), [this](TObject*) {
    if (TCustomForm* form = titleBar_->ParentForm()) form->Close();
  });
  HookMenuItems();
}

void TsuiTitleBarPopupMenu::UpdateItems() {
  bool visible[6] = {};
  for (int i = 0; i < titleBar_->Buttons()->Count(); ++i) {
    TsuiTitleBarButton* button = titleBar_->Buttons()->Items(i);
    if (button->Visible()) visible[button->ButtonType()] = true;
  }
  Items()->Items(0)->SetEnabled(visible[suiMin]);
  Items()->Items(1)->SetEnabled(visible[suiMax]);
  Items()->Items(3)->SetEnabled(visible[suiClose]);
}

void TsuiTitleBarPopupMenu::Popup(int X, int Y) {
  UpdateItems();
  if (titleBar_->RightToLeft()) X += kRightToLeftMenuOffset;
  TsuiPopupMenu::Popup(X, Y);
}

// ---- TsuiTitleBar --------------------------------------------------------------------------------

bool TsuiTitleBar::RightToLeft() const { return BiDiMode() == bdRightToLeft && SysLocaleMiddleEast(); }

TsuiTitleBar::TsuiTitleBar(TComponent* AOwner)
    : TCustomPanel(AOwner),
      sections_(new TsuiTitleBarSections(this)),
      buttons_(new TsuiTitleBarButtons(this)) {
  static const bool registered = (RegisterTitleBarProperties(), true);
  (void)registered;
  ControlStyle.Exclude(csAcceptsControls);
  frameBitmap_.SetPixelFormat(pf24bit);
  composedBitmap_.SetPixelFormat(pf24bit);
  systemMenu_ = new TsuiTitleBarPopupMenu(this, this);
  for (TsuiTitleBarBtnType type : {suiControlBox, suiClose, suiMax, suiMin}) buttons_->Add()->SetButtonType(type);
  SetAlign(alTop);
  Font()->SetColor(clWhite);
  Font()->SetName(L"Tahoma");
  Font()->SetStyle(TFontStyles{fsBold});
  SetUIStyle(GetOwnerUIStyle(AOwner));
}

TsuiTitleBar::~TsuiTitleBar() = default;

TCustomForm* TsuiTitleBar::ParentForm() { return Parent() ? GetParentForm(this) : nullptr; }

bool TsuiTitleBar::OnThemedForm() const { return Parent() && Parent()->ClassName() == L"TsuiForm"; }

int TsuiTitleBar::FrameLeftAnswer() {
  TCustomForm* form = ParentForm();
  return form && form->HandleAllocated() ? int(SendMessageW(form->Handle(), SUI_FRAME_LEFT, 0, 0)) : 0;
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* Value) {
  if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
  fileTheme_ = Value;
  if (fileTheme_) fileTheme_->FreeNotification(this);
  insideThemeChange_ = true;
  SetUIStyle(uiStyle_);
  insideThemeChange_ = false;
}

void TsuiTitleBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == fileTheme_) {
    fileTheme_ = nullptr;
    SetUIStyle(DeepBlue);
  }
}

void TsuiTitleBar::AddSection(TBitmap* picture, bool autoSize, TsuiTitleBarAlign align, bool capSec) {
  TsuiTitleBarSection* section = sections_->Add();
  TPicture holder;
  if (picture) holder.Assign(picture);
  section->SetPicture(&holder);
  section->SetAutoSize(autoSize);
  if (align != suiLeft) section->SetAlign(align);
  section->SetCapSec(capSec);
}

void TsuiTitleBar::ApplyStyleSections(TsuiUIStyle style) {
  TBitmap left, client, right, strip;
  LoadStyleBitmap(style, 10, &left);
  LoadStyleBitmap(style, 11, &client);
  LoadStyleBitmap(style, 12, &right);
  AddSection(&left, true, suiLeft);
  AddSection(&right, true, suiRight);
  AddSection(&client, false, suiClient);
  leftBtnXOffset_ = GetStyleInt(style, 7);
  rightBtnXOffset_ = GetStyleInt(style, 8);
  LoadStyleBitmap(style, 5, &strip);
  titleButtonsWidth_ = strip.Width();
  titleButtonsHeight_ = strip.Height();
  buttonTop_ = GetStyleInt(style, 9) - (OnThemedForm() ? 3 : 0);
  iconTop_ = buttonTop_;
  if (TCustomForm* form = ParentForm()) {
    form->Constraints()->SetMinWidth(GetStyleInt(style, 13));
    form->Constraints()->SetMinHeight(50);
  }
  roundCorner_ = GetStyleInt(style, 14);
  roundCornerBottom_ = 0;
}

void TsuiTitleBar::ApplyThemeSections(TsuiFileTheme* theme) {
  fiveSections_ = theme->GetBool(SKIN2_TITLEFIVESECT);
  keyColor_ = theme->GetColor(SKIN2_TRANSCOLOR);
  AddSection(theme->GetBitmap(SKIN2_TITLEBAR1), true, suiLeft);
  AddSection(theme->GetBitmap(SKIN2_TITLEBAR2), false, fiveSections_ ? suiLeft : suiClient, fiveSections_);
  AddSection(theme->GetBitmap(SKIN2_TITLEBAR3), true, fiveSections_ ? suiLeft : suiRight);
  if (fiveSections_) {
    AddSection(theme->GetBitmap(SKIN2_TITLEBAR4), false, suiClient);
    AddSection(theme->GetBitmap(SKIN2_TITLEBAR5), true, suiRight);
  }
  leftBtnXOffset_ = theme->GetInt(SKIN2_TITLEBARICONPOSX);
  rightBtnXOffset_ = theme->GetInt(SKIN2_TITLEBARBUTTONPOSX);
  TBitmap* strip = theme->GetBitmap(SKIN2_TITLEBUTTONS);
  if (strip) strip->SetPixelFormat(pf24bit);
  titleButtonsWidth_ = strip ? strip->Width() : 0;
  titleButtonsHeight_ = strip ? strip->Height() : 0;
  const int onForm = OnThemedForm() ? 3 : 0;
  buttonTop_ = theme->GetInt(SKIN2_TITLEBARBUTTONPOSY) - onForm;
  iconTop_ = theme->GetInt(SKIN2_TITLEBARICONPOSY) - onForm;
  captionTop_ = theme->GetInt(SKIN2_TITLEBARCAPTIONTOP);
  backgroundColor_ = theme->GetColor(SKIN2_FORMCOLOR);
  if (TCustomForm* form = ParentForm()) {
    auto width = [theme](int index) { TBitmap* b = theme->GetBitmap(index); return b ? b->Width() : 0; };
    const int last = width(fiveSections_ ? SKIN2_TITLEBAR5 : SKIN2_TITLEBAR3);
    int minimum = width(SKIN2_TITLEBAR1) +
                  std::max(ButtonPartWidth() * buttons_->Count() + rightBtnXOffset_, last);
    if (fiveSections_) minimum += width(SKIN2_TITLEBAR3) + 16;
    form->Constraints()->SetMinWidth(minimum);
  }
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle Value) {
  uiStyle_ = Value;
  if (custom_) return;
  sections_->Clear();
  TsuiUIStyle style = Value;
  const bool themed = UsesFileTheme(fileTheme_, style);
  if (themed)
    ApplyThemeSections(fileTheme_);
  else
    ApplyStyleSections(style);
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->Items(i)->SetUIStyle(style);
  systemMenu_->SetUIStyle(style);
  systemMenu_->SetFileTheme(fileTheme_);
  if (!insideThemeChange_)
    Font()->SetColor(style == MacOS ? clBlack : themed ? fileTheme_->GetColor(SKIN2_TITLEFONTCOLOR) : clWhite);
  SetAutoSize(true);
  Invalidate();
}

void TsuiTitleBar::SetAutoSize(bool Value) {
  autoSize_ = Value;
  if (sections_->Count() == 0) {
    autoSize_ = false;
    return;
  }
  // Whatever the value, the height follows the first section's picture.
  SetHeight(sections_->Items(0)->Picture()->Height() - (OnThemedForm() ? 3 : 0));
}

void TsuiTitleBar::SetButtonInterval(int Value) { buttonInterval_ = Value, Invalidate(); }
void TsuiTitleBar::SetCaption(const String& Value) { caption_ = Value, Invalidate(); }
void TsuiTitleBar::SetFormActive(bool Value) { formActive_ = Value, Invalidate(); }
void TsuiTitleBar::SetLeftBtnXOffset(int Value) { leftBtnXOffset_ = Value, Invalidate(); }
void TsuiTitleBar::SetRightBtnXOffset(int Value) { rightBtnXOffset_ = Value, Invalidate(); }
void TsuiTitleBar::SetDrawAppIcon(bool Value) { drawAppIcon_ = Value, Invalidate(); }
void TsuiTitleBar::SetInactiveCaptionColor(TColor Value) { inactiveCaptionColor_ = Value, Invalidate(); }

TBitmap* TsuiTitleBar::GetPicture(int Index) {
  if (Index == -1) return &frameBitmap_;
  if (Index == -2) return &composedBitmap_;
  if (Index < 0 || sections_->Count() <= 2 || Index >= sections_->Count()) return nullptr;
  return sections_->Items(Index)->Picture()->Bitmap();
}

bool TsuiTitleBar::HasFullSectionSet() const {
  const int n = sections_->Count();
  auto has = [this](int i) { return sections_->Items(i)->Picture()->Graphic() != nullptr; };
  if (n == 3) return has(0) && has(1) && has(2);
  if (n == 5) return has(0) && has(1) && has(2) && has(3) && has(4);
  return false;
}

void TsuiTitleBar::UpdateMaximizeButtons() {
  for (int i = 0; i < buttons_->Count(); ++i)
    if (buttons_->Items(i)->ButtonType() == suiMax) buttons_->Items(i)->ReloadPictures();
  Invalidate();
}

void TsuiTitleBar::Paint() {
  const TRect client = ClientRect();
  if (buffer_.Width() != client.Width() || buffer_.Height() != client.Height()) {
    buffer_.SetPixelFormat(pf24bit);
    buffer_.SetSize(client.Width(), client.Height());
  }
  buffer_.Canvas()->Brush()->SetStyle(bsClear);
  buffer_.Canvas()->SetFont(Font());
  PaintSections(&buffer_);
  PaintButtonsAndCaption(&buffer_);
  Canvas()->CopyRect(client, buffer_.Canvas(), client);
}

void TsuiTitleBar::PaintSections(TBitmap* B) {
  TCustomForm* form = ParentForm();
  if (!form) return;
  const bool onForm = OnThemedForm();
  const int answer = onForm ? FrameLeftAnswer() : 0;
  const int dx = onForm ? (answer ? -answer : -3) : 0;
  const int dy = onForm ? -3 : 0;
  int totalButtons = 0;
  for (int i = 0; i < buttons_->Count(); ++i) totalButtons += buttons_->Items(i)->PicNormal()->Width() + buttonInterval_;
  // Resized only when the bar's size changed: a new DIB section per paint costs more than the paint.
  if (frameBitmap_.Width() != B->Width() - 2 * dx || frameBitmap_.Height() != B->Height() - dy) {
    frameBitmap_.SetSize(B->Width() - 2 * dx, B->Height() - dy);
    composedBitmap_.SetSize(frameBitmap_.Width(), frameBitmap_.Height());
  }
  composedBitmap_.Canvas()->Brush()->SetStyle(bsSolid);
  composedBitmap_.Canvas()->Brush()->SetColor(backgroundColor_);
  composedBitmap_.Canvas()->FillRect(TRect(0, 0, composedBitmap_.Width(), composedBitmap_.Height()));
  TCanvas* canvas = B->Canvas();
  TCanvas* frame = frameBitmap_.Canvas();
  int x = dx, right = B->Width() - dx, lastLeftWidth = 0;
  bool captionSection = false;
  TsuiTitleBarSection* clientSection = nullptr;
  for (int i = 0; i < sections_->Count(); ++i) {
    TsuiTitleBarSection* s = sections_->Items(i);
    TGraphic* picture = s->Picture()->Graphic();
    const int h = s->Picture()->Height();
    if (s->CapSec()) {
      const int next = i + 1 < sections_->Count() ? sections_->Items(i + 1)->Width() : 0;
      fittedCaption_ = FitTextWithEllipsis(canvas, caption_, B->Width() - leftBtnXOffset_ - totalButtons - next - 21);
      const int w = canvas->TextWidth(fittedCaption_) + leftBtnXOffset_ - lastLeftWidth + 17;
      if (picture) {
        canvas->StretchDraw(TRect(x, dy, x + w, dy + h), picture);
        frame->StretchDraw(TRect(x - dx, 0, x - dx + w, h), picture);
      }
      x += w;
      captionSection = true;
    } else if (s->Align() == suiLeft) {
      if (picture) canvas->Draw(x, dy, picture), frame->Draw(x - dx, 0, picture);
      x += s->Width();
      lastLeftWidth = s->Width();
    } else if (s->Align() == suiRight) {
      if (picture) {
        // Over the background colour with the key colour see-through; plainly on the frame bitmap.
        // The section's own bitmap keeps its mask between paints.
        TBitmap* keyed = s->Picture()->Bitmap();
        if (keyed->TransparentColor() != keyColor_) keyed->SetTransparentColor(keyColor_);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(backgroundColor_);
        canvas->FillRect(TRect(right - s->Width(), dy, right, dy + h));
        keyed->SetTransparent(true);
        canvas->Draw(right - s->Width(), dy, keyed);
        keyed->SetTransparent(false);
        frame->Draw(right - dx - s->Width(), 0, keyed);
      }
      right -= s->Width();
    } else {
      clientSection = s;
    }
  }
  if (clientSection && clientSection->Picture()->Graphic()) {
    TGraphic* picture = clientSection->Picture()->Graphic();
    const int h = clientSection->Picture()->Height();
    canvas->StretchDraw(TRect(x, dy, right, dy + h), picture);
    frame->StretchDraw(TRect(x - dx, 0, right - dx, h), picture);
  }
  composedBitmap_.Canvas()->Draw(0, 0, &frameBitmap_);
  if (!captionSection)
    fittedCaption_.clear();
  else if (onForm && form->HandleAllocated())
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsuiTitleBar::PaintButtonsAndCaption(TBitmap* B) {
  if (!ParentForm()) return;
  TCanvas* canvas = B->Canvas();
  const int a = FrameLeftAnswer();
  int c = B->Width() + a - rightBtnXOffset_ - 1;
  TPoint mouse;
  GetCursorPos(&mouse);
  mouse = HandleAllocated() ? ScreenToClient(mouse) : TPoint(-1, -1);
  hotIndex_ = -1;
  TsuiUIStyle style = uiStyle_;
  const bool themed = UsesFileTheme(fileTheme_, style);
  int controlBox = -1;
  for (int i = 0; i < buttons_->Count(); ++i) {
    TsuiTitleBarButton* button = buttons_->Items(i);
    if (!button->Visible() || !button->PicNormal()->Graphic() || !button->PicMouseOn()->Graphic() ||
        !button->PicMouseDown()->Graphic())
      continue;
    if (button->ButtonType() == suiControlBox) {
      controlBox = i;
      continue;
    }
    const int w = button->PicNormal()->Width(), h = button->PicNormal()->Height();
    c -= button->ButtonType() == suiClose ? w : w + buttonInterval_ + 1;
    c = std::min(c, B->Width() - w - 1);
    const TRect r(c, buttonTop_, c + w, buttonTop_ + h);
    TPicture* picture = button->PicNormal();
    if (InRect(mouse, r)) {
      hotIndex_ = i;
      picture = pressed_ ? button->PicMouseDown() : button->PicMouseOn();
    }
    // The picture's own bitmap keeps its transparency mask between paints.
    TBitmap* work = picture->Bitmap();
    if (themed && work->TransparentColor() != keyColor_) work->SetTransparentColor(keyColor_);
    if (work->Transparent() != button->Transparent()) work->SetTransparent(button->Transparent());
    canvas->Draw(c, buttonTop_, work);
  }
  int x0 = std::max(leftBtnXOffset_ - a - 3, 0);
  if (controlBox >= 0) {
    TsuiTitleBarButton* button = buttons_->Items(controlBox);
    const int w = button->PicNormal()->Width(), h = button->PicNormal()->Height();
    const bool hot = InRect(mouse, TRect(x0, iconTop_, x0 + w, iconTop_ + h));
    if (hot) hotIndex_ = controlBox;
    if (drawAppIcon_) {
      HICON icon = Application && Application->Icon() ? Application->Icon()
                                                      : LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
      if (icon) DrawIconEx(canvas->Handle(), x0 + 3, iconTop_, icon, 16, 16, 0, nullptr, DI_NORMAL);
      x0 += 21;
    } else {
      TPicture* picture = hot ? (pressed_ ? button->PicMouseDown() : button->PicMouseOn()) : button->PicNormal();
      canvas->Draw(x0, iconTop_ - 1, picture->Graphic());
      x0 += w + 5;
    }
  }
  if (x0 == 0) x0 = 6;
  canvas->SetFont(Font());
  if (!formActive_) canvas->Font()->SetColor(inactiveCaptionColor_);
  const String text = !fittedCaption_.empty() ? fittedCaption_ : FitTextWithEllipsis(canvas, caption_, c - x0);
  const int y = themed ? captionTop_ - 3 : buttonTop_ + (style == Protein ? 3 : 0);
  canvas->Brush()->SetStyle(bsClear);
  canvas->TextOut(RightToLeft() ? c - canvas->TextWidth(text) - 10 : x0, y, text);
}

void TsuiTitleBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  pressed_ = true;
  Repaint();
  TCustomForm* form = ParentForm();
  if (form && hotIndex_ == -1 && !FormMaximized(form)) {
    // The system moves the window from here on.
    ReleaseCapture();
    SetCaptureControl(nullptr);
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    pressed_ = false;
  }
}

void TsuiTitleBar::MouseMove(TShiftState Shift, int X, int Y) {
  Inherited::MouseMove(Shift, X, Y);
  Repaint();
}

void TsuiTitleBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Inherited::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  if (hotIndex_ >= 0) {
    const int index = hotIndex_;
    TsuiTitleBarButton* button = buttons_->Items(index);
    if (button->ButtonType() == suiControlBox && !button->ControlBoxMenu()) {
      const TPoint corner = ClientToScreen(TPoint(0, Height()));
      systemMenu_->Popup(corner.x, corner.y);
    } else {
      ProcessButtonAction(button);
      if (button->ButtonType() == suiCustom && OnCustomBtnsClick) OnCustomBtnsClick(this, index);
      if (button->ButtonType() == suiHelp && OnHelpBtnClick) OnHelpBtnClick(this, index);
    }
  }
  pressed_ = false;
  Invalidate();
}

void TsuiTitleBar::DblClick() {
  Inherited::DblClick();
  if (hotIndex_ == -1) {
    for (int i = 0; i < buttons_->Count(); ++i)
      if (buttons_->Items(i)->ButtonType() == suiMax && buttons_->Items(i)->Visible()) {
        ProcessButtonAction(buttons_->Items(i));
        return;
      }
  } else if (buttons_->Items(hotIndex_)->ButtonType() == suiControlBox) {
    if (TCustomForm* form = ParentForm()) form->Close();
  }
}

void TsuiTitleBar::ProcessButtonAction(TsuiTitleBarButton* Button) {
  TCustomForm* form = ParentForm();
  if (!form) return;
  switch (Button->ButtonType()) {
    case suiMax:
      if (FormMaximized(form)) {
        form->SetWindowState(wsNormal);
      } else {
        form->SetWindowState(wsMaximized);
        if (!OnThemedForm()) form->SetBoundsRect(MaximizedBounds());
      }
      UpdateMaximizeButtons();
      break;
    case suiMin:
      if (form == Application->MainForm())
        SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      else
        form->SetWindowState(wsMinimized);
      break;
    case suiClose:
      form->Close();
      break;
    case suiControlBox:
      if (TPopupMenu* menu = Button->ControlBoxMenu()) {
        TPoint at = ClientToScreen(TPoint(RightToLeft() ? kRightToLeftMenuOffset : 0, Height()));
        menu->Popup(std::max<int>(at.x, 0), at.y);
      }
      break;
    default:
      break;
  }
}

void TsuiTitleBar::WMNCMouse(TMessage& Message) {
  TCustomForm* form = ParentForm();
  if (!form || !form->HandleAllocated()) return Inherited::Dispatch(Message);
  Message.Result = SendMessageW(form->Handle(), Message.Msg, Message.WParam, Message.LParam);
}

void TsuiTitleBar::CMRepaint(TMessage& Message) {
  Inherited::Dispatch(Message);
  Invalidate();
}
