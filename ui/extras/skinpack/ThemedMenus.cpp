#include "ui/extras/skinpack/ThemedMenus.h"

#include <algorithm>

#include "platform/framework/windows/ShortCuts.h"
#include "ui/extras/skinpack/SkinPackRoutines.h"
#include "ui/extras/skinpack/ThemedForm.h"

DEFINE_CLASS(TsuiPopupMenu)
DEFINE_CLASS(TsuiMainMenu)

namespace {

// The side bar's width after any style.
constexpr int kBarWidth = 26;
constexpr TColor kDisabledText = 0x808080;

// The check-mark list of every popup menu, made on first use.
TCustomImageList* PopupCheckedImages() {
  static const ObjectPtr<TCustomImageList> list(CreateCheckedImageList());
  return list.get();
}

// Cuts the top Rows rows of a 1-pixel-wide MacOS resource and stretches them over Rect.
void DrawMacBitmap(TCanvas* ACanvas, const TRect& Rect, const wchar_t* name, int rows) {
  TBitmap source, cut;
  source.LoadFromResourceName(GetModuleHandleW(nullptr), name);
  cut.SetSize(source.Width(), std::min(rows, source.Height()));
  cut.Canvas()->CopyRect(TRect(0, 0, cut.Width(), cut.Height()), source.Canvas(), TRect(0, 0, cut.Width(), cut.Height()));
  ACanvas->StretchDraw(Rect, &cut);
}

template <class M>
void RegisterMenuProperties() {
  using T = M;
  RegisterProperties(&M::ClassInfo(), {
      OrdinalProperty(L"OwnerDraw", &T::OwnerDraw, &T::SetOwnerDraw),
      ObjectProperty(L"FileTheme", &T::FileTheme, &T::SetFileTheme),
      OrdinalProperty(L"UIStyle", &T::UIStyle, &T::SetUIStyle),
      OrdinalProperty(L"MenuItemHeight", &T::MenuItemHeight, &T::SetMenuItemHeight),
      OrdinalProperty(L"SeparatorHeight", &T::SeparatorHeight, &T::SetSeparatorHeight),
      OrdinalProperty(L"UseSystemFont", &T::UseSystemFont, &M::Inherited::SetUseSystemFont),
  });
}

}  // namespace

// ---- shared drawing routines ---------------------------------------------------------------------

void HookMenuItemEvents(TMenuItem* Item, const TMenuMeasureItemEvent& Measure, const TMenuDrawItemEvent& Draw) {
  Item->OnMeasureItem = Measure;
  Item->OnDrawItem = Draw;
  for (int i = 0; i < Item->Count(); ++i) HookMenuItemEvents(Item->Items(i), Measure, Draw);
}

void FrameRectColor(TCanvas* ACanvas, const TRect& Rect, TColor Color) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color);
  ACanvas->FrameRect(Rect);
}

void FillRectColor(TCanvas* ACanvas, const TRect& Rect, TColor Color) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color);
  ACanvas->FillRect(Rect);
}

void DrawMenuSeparator(TCanvas* ACanvas, const TRect& Rect, TColor Color, int BarWidth, bool LeftToRight) {
  ACanvas->Pen()->SetColor(Color);
  const int y = Rect.top + 2;
  if (LeftToRight) {
    ACanvas->MoveTo(Rect.left + BarWidth + 4, y);
    ACanvas->LineTo(Rect.right - 2, y);
  } else {
    ACanvas->MoveTo(Rect.left + 2, y);
    ACanvas->LineTo(Rect.right - BarWidth - 4, y);
  }
}

void DrawMacMenuSeparator(TCanvas* ACanvas, const TRect& Rect) { DrawMacBitmap(ACanvas, Rect, L"MACOS_MENU_BAR", 12); }
void DrawMacMenuSelected(TCanvas* ACanvas, const TRect& Rect) { DrawMacBitmap(ACanvas, Rect, L"MACOS_MENU_SELECT", 20); }
void DrawMacMenuItem(TCanvas* ACanvas, const TRect& Rect) { DrawMacBitmap(ACanvas, Rect, L"MACOS_MENU_BAR", 20); }

void DrawFlatMenuBorder(HWND MenuWindow, TColor FrameColor, TColor LineColor) {
  RECT w;
  if (!GetWindowRect(MenuWindow, &w)) return;
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  FrameRectColor(&canvas, TRect(w.left, w.top + 1, w.right - 1, w.bottom - 1), FrameColor);
  FrameRectColor(&canvas, TRect(w.left + 1, w.top + 2, w.right - 2, w.bottom - 2), clWhite);
  canvas.Pen()->SetColor(LineColor);
  canvas.MoveTo(w.left, w.bottom - 1);
  canvas.LineTo(w.right - 1, w.bottom - 1);
  canvas.LineTo(w.right - 1, w.top);
  canvas.LineTo(w.right, w.top);
  canvas.LineTo(w.left, w.top);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
}

void GetSystemMenuFont(TFont* Font) {
  // The framework's metrics carry the wide structure's own size, which the wide call accepts.
  const NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  if (metrics.cbSize == 0 || metrics.lfMenuFont.lfFaceName[0] == 0) return;
  const LOGFONTW& f = metrics.lfMenuFont;
  Font->SetName(f.lfFaceName);
  Font->SetHeight(f.lfHeight);
  Font->SetCharset(f.lfCharSet);
  TFontStyles style;
  if (f.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (f.lfItalic) style.Include(fsItalic);
  Font->SetStyle(style);
  Font->SetColor(clMenuText);
}

TCustomImageList* CreateCheckedImageList() {
  auto* list = new TCustomImageList(nullptr, 16, 16);
  TBitmap mark;
  mark.LoadFromResourceName(GetModuleHandleW(nullptr), L"MENU_CHECKED");
  list->AddMasked(&mark, clWhite);
  return list;
}

// ---- TsuiMenu ------------------------------------------------------------------------------------

template <class MenuBase>
TsuiMenu<MenuBase>::TsuiMenu(TComponent* AOwner) : MenuBase(AOwner) {
  MenuBase::SetOwnerDraw(true);
  SetUIStyle(GetOwnerUIStyle(AOwner));
}

template <class MenuBase>
void TsuiMenu<MenuBase>::SetFileTheme(TsuiFileTheme* Value) {
  if (fileTheme_) fileTheme_->RemoveFreeNotification(this);
  fileTheme_ = Value;
  if (fileTheme_) fileTheme_->FreeNotification(this);
  SetUIStyle(uiStyle_);
}

template <class MenuBase>
void TsuiMenu<MenuBase>::SetUIStyle(TsuiUIStyle Value) {
  uiStyle_ = Value;
  BarWidth = kBarWidth;
  if (Value == MacOS) {
    menuItemHeight_ = 20, separatorHeight_ = 12, SeparatorColor = clBlack;
  } else {
    menuItemHeight_ = 21, separatorHeight_ = 5, SeparatorColor = 0x848284;
  }
  TsuiUIStyle style = Value;
  if (UsesFileTheme(fileTheme_, style)) {
    BarColor = fileTheme_->GetColor(SKIN2_LEFTBARSTARTCOLOR);
    BarToColor = fileTheme_->GetColor(SKIN2_LEFTBARENDCOLOR);
    Color = fileTheme_->GetColor(SKIN2_MENUITEMCOLOR);
    FontColor = fileTheme_->GetColor(SKIN2_MENUITEMFONTCOLOR);
    SelectedColor = fileTheme_->GetColor(SKIN2_SELECTEDMENUCOLOR);
    SelectedBorderColor = fileTheme_->GetColor(SKIN2_SELECTEDMENUBORDERCOLOR);
    SelectedFontColor = fileTheme_->GetColor(SKIN2_SELECTEDMENUFONTCOLOR);
    return;
  }
  BarColor = BarToColor = GetStyleColor(style, 23);
  Color = GetStyleColor(style, 21);
  FontColor = GetStyleColor(style, 22);
  SelectedBorderColor = GetStyleColor(style, 18);
  SelectedColor = GetStyleColor(style, 19);
  SelectedFontColor = GetStyleColor(style, 20);
}

template <class MenuBase>
void TsuiMenu<MenuBase>::SetMenuItemHeight(int Value) {
  if (uiStyle_ == MacOS && KeepsItemHeight()) return;
  menuItemHeight_ = Value;
}

template <class MenuBase>
void TsuiMenu<MenuBase>::SetSeparatorHeight(int Value) {
  if (uiStyle_ == MacOS) return;
  separatorHeight_ = Value;
}

template <class MenuBase>
void TsuiMenu<MenuBase>::Loaded() {
  MenuBase::Loaded();
  HookMenuItems();
}

template <class MenuBase>
void TsuiMenu<MenuBase>::Notification(TComponent* AComponent, TOperation Operation) {
  MenuBase::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == fileTheme_) {
    fileTheme_ = nullptr;
    SetUIStyle(DeepBlue);
  } else if (Operation == opInsert) {
    if (auto* item = dynamic_cast<TMenuItem*>(AComponent))
      HookMenuItemEvents(item, TMenuMeasureItemEvent(this, &TsuiMenu::MeasureItem),
                         TMenuDrawItemEvent(this, &TsuiMenu::DrawItem));
  }
}

template <class MenuBase>
void TsuiMenu<MenuBase>::HookMenuItems() {
  TMenuItem* root = MenuBase::Items();
  for (int i = 0; i < root->Count(); ++i)
    HookMenuItemEvents(root->Items(i), TMenuMeasureItemEvent(this, &TsuiMenu::MeasureItem),
                       TMenuDrawItemEvent(this, &TsuiMenu::DrawItem));
}

template <class MenuBase>
void TsuiMenu<MenuBase>::MeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = static_cast<TMenuItem*>(Sender);
  Height = item->IsLine() ? separatorHeight_ : std::max(ACanvas->TextHeight(item->Caption()), menuItemHeight_);
  Width = ACanvas->TextWidth(item->Caption()) + ACanvas->TextWidth(ShortCutToText(item->ShortCut())) + BarWidth + 40;
}

template <class MenuBase>
void TsuiMenu<MenuBase>::DrawSideBar(TCanvas* ACanvas, const TRect& R, bool leftToRight) {
  if (BarWidth > 0) {
    const TRect bar = leftToRight ? TRect(R.left, R.top, R.left + BarWidth, R.bottom)
                                  : TRect(R.right - BarWidth, R.top, R.right, R.bottom);
    if (BarColor == BarToColor)
      FillRectColor(ACanvas, bar, BarColor);
    else
      DrawHorizontalGradient(ACanvas, bar, BarColor, BarToColor);
  }
  const TRect rest = leftToRight ? TRect(R.left + BarWidth, R.top, R.right, R.bottom)
                                 : TRect(R.left, R.top, R.right - BarWidth, R.bottom);
  FillRectColor(ACanvas, rest, Color);
}

template <class MenuBase>
void TsuiMenu<MenuBase>::ApplyMenuFont(TFont* Font) {
  if (useSystemFont_) {
    GetSystemMenuFont(Font);
  } else {
    Font->SetName(FontName);
    Font->SetSize(FontSize);
    Font->SetCharset(FontCharset);
  }
}

template <class MenuBase>
void TsuiMenu<MenuBase>::DrawItem(TObject* Sender, TCanvas* ACanvas, TRect R, bool Selected) {
  auto* item = static_cast<TMenuItem*>(Sender);
  // Right to left only for a menu whose BiDiMode is not left-to-right on a Middle-East system.
  const bool leftToRight = !MenuBase::UseRightToLeftAlignment();
  TsuiUIStyle style = uiStyle_;
  const bool themed = UsesFileTheme(fileTheme_, style);
  if (FlatMenu)
    if (HWND window = WindowFromDC(ACanvas->Handle()))
      DrawFlatMenuBorder(window, clBlack, themed ? fileTheme_->GetColor(SKIN2_FORMCOLOR) : GetStyleColor(style, 15));
  if (item->IsLine()) {
    if (uiStyle_ == MacOS) {
      DrawMacMenuSeparator(ACanvas, R);
    } else {
      DrawSideBar(ACanvas, R, leftToRight);
      DrawMenuSeparator(ACanvas, R, SeparatorColor, BarWidth, leftToRight);
    }
    return;
  }
  const bool highlighted = Selected && item->Enabled();
  if (highlighted && uiStyle_ == MacOS) {
    DrawMacMenuSelected(ACanvas, R);
  } else if (highlighted) {
    FillRectColor(ACanvas, R, SelectedColor);
    FrameRectColor(ACanvas, R, SelectedBorderColor);
  } else if (uiStyle_ == MacOS) {
    DrawMacMenuItem(ACanvas, R);
  } else {
    DrawSideBar(ACanvas, R, leftToRight);
  }

  ApplyMenuFont(ACanvas->Font());
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->SetColor(!item->Enabled() ? kDisabledText : Selected ? SelectedFontColor : FontColor);
  if (item->Default()) {
    TFontStyles bold = ACanvas->Font()->Style();
    bold.Include(fsBold);
    ACanvas->Font()->SetStyle(bold);
  }
  HDC dc = ACanvas->Handle();
  ACanvas->TextExtent(L"");  // selects the font and its colour
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(ACanvas->Font()->Color())));
  const String caption = item->Caption();
  RECT text = leftToRight ? TRect(R.left + BarWidth + 4, R.top, R.right, R.bottom)
                          : TRect(R.left + BarWidth, R.top, R.right - 4, R.bottom);
  DrawTextW(dc, caption.c_str(), int(caption.size()), &text,
            DT_SINGLELINE | DT_VCENTER | (leftToRight ? DT_LEFT : DT_RIGHT));
  const String shortcut = ShortCutToText(item->ShortCut());
  if (!shortcut.empty()) {
    RECT keys = leftToRight ? TRect(R.right - ACanvas->TextWidth(shortcut) - 16, R.top, R.right, R.bottom)
                            : TRect(R.left + BarWidth + 4, R.top, R.right, R.bottom);
    DrawTextW(dc, shortcut.c_str(), int(shortcut.size()), &keys, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }
  DrawGlyph(item, ACanvas, R, leftToRight);
}

template <class MenuBase>
void TsuiMenu<MenuBase>::DrawGlyph(TMenuItem* item, TCanvas* ACanvas, const TRect& R, bool leftToRight) {
  const int x = leftToRight ? R.left + 4 : R.right - 20;
  TCustomImageList* images = MenuBase::Images();
  const bool validImage = item->ImageIndex() != -1 && images && item->ImageIndex() < images->Count();
  if (item->Checked()) {
    if (validImage) {
      FrameRectColor(ACanvas, TRect(x - 2, R.top + 1, x + 17, R.top + 20), clBlack);
      FillRectColor(ACanvas, TRect(x - 1, R.top + 2, x + 16, R.top + 19), SelectedColor);
    } else {
      PopupCheckedImages()->Draw(ACanvas, x, R.top + 3, 0, item->Enabled());
    }
  }
  if (validImage) images->Draw(ACanvas, x, R.top + 3, item->ImageIndex(), item->Enabled());
}

template class TsuiMenu<TPopupMenu>;
template class TsuiMenu<TMainMenu>;

// ---- TsuiPopupMenu, TsuiMainMenu -----------------------------------------------------------------

TsuiPopupMenu::TsuiPopupMenu(TComponent* AOwner) : TsuiMenu<TPopupMenu>(AOwner) {
  static const bool registered = (RegisterMenuProperties<TsuiPopupMenu>(), true);
  (void)registered;
}

TsuiMainMenu::TsuiMainMenu(TComponent* AOwner)
    : TsuiMenu<TMainMenu>(AOwner), checkedImages_(CreateCheckedImageList()) {
  static const bool registered = (RegisterMenuProperties<TsuiMainMenu>(), true);
  (void)registered;
  TMenu::SetImages(checkedImages_.get());
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) form->SetMenu(nullptr);
}

TsuiMainMenu::~TsuiMainMenu() {
  TMenu::SetImages(nullptr);
}

TCustomImageList* TsuiMainMenu::Images() const {
  TCustomImageList* images = TMenu::Images();
  return images == checkedImages_.get() ? nullptr : images;
}

void TsuiMainMenu::SetImages(TCustomImageList* Value) { TMenu::SetImages(Value ? Value : checkedImages_.get()); }

void TsuiMainMenu::HookMenuItems() {
  TsuiMenu<TMainMenu>::HookMenuItems();
  if (themedForm_) themedForm_->RebuildMenuBar();
}

void TsuiMainMenu::SetUseSystemFont(bool Value) {
  TsuiMenu<TMainMenu>::SetUseSystemFont(Value);
  if (themedForm_) themedForm_->ApplyMenuBarFont();
}

void TsuiMainMenu::MenuChanged(TMenuItem* Item, bool Rebuild) {
  TsuiMenu<TMainMenu>::MenuChanged(Item, Rebuild);
  if (themedForm_) themedForm_->SyncMenuBarButtons();
}
