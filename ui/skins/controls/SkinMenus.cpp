#include "ui/skins/controls/SkinMenus.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsSkinableMenus)

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

constexpr UINT_PTR kMenuSubclassId = 0x5AC1;
const UINT kAlignmentFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

TacMenuLineProvider* mdiFrameProvider = nullptr;

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TFont* MenuFont() { return MenuState().CustomMenuFont ? MenuState().CustomMenuFont : Screen ? Screen->MenuFont() : nullptr; }

// The form that owns the item, nearest first.
TCustomForm* OwningForm(TComponent* component) {
  for (TComponent* c = component; c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

bool Destroying(TComponent* component) { return component && component->ComponentState().Contains(csDestroying); }

bool IsMenuBarItem(TMenuItem* item) {
  return item && item->Parent() && !item->Parent()->Parent() && dynamic_cast<TMainMenu*>(item->GetParentMenu());
}

// True when the item, or an item before it, starts a new column.
bool AfterBreak(TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  if (!parent) return item->Break() != mbNone;
  for (int i = 0; i <= parent->IndexOf(item); ++i)
    if (parent->Items(i)->Break() != mbNone) return true;
  return false;
}

TMenuItem* FirstItemOf(TMenuItem* item) {
  TMenuItem* parent = item ? item->Parent() : nullptr;
  return parent && parent->Count() > 0 ? parent->Items(0) : nullptr;
}

bool FirstVisible(TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  for (int i = 0; parent && i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == item;
  return false;
}

bool LastVisible(TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  for (int i = parent ? parent->Count() - 1 : -1; i >= 0; --i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == item;
  return false;
}

// The item's position among the visible items of its menu (the system menu holds only those).
int VisiblePosition(TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  int position = 0;
  for (int i = 0; parent && i < parent->Count(); ++i) {
    if (parent->Items(i) == item) return position;
    if (parent->Items(i)->Visible()) ++position;
  }
  return -1;
}

// The measured text of a popup item.
TSize TextExtent(TCanvas* canvas, const String& text) {
  RECT r{0, 0, 1, 0};
  DrawTextW(canvas->Handle(), text.c_str(), int(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
  return TSize(r.right - r.left, r.bottom - r.top);
}

bool OwnHandler(const TAdvancedMenuDrawItemEvent& event, const TAdvancedMenuDrawItemEvent& own) {
  return event && event == own;
}

// The popup window procedure: the region's window keeps its border and background from the cache.
LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  return Guarded(LRESULT{0}, [&]() -> LRESULT {
    switch (msg) {
      case WM_DESTROY:
        ResetMenuCache();
        return DefSubclassProc(window, msg, wParam, lParam);
      case WM_NCDESTROY:
        RemoveWindowSubclass(window, &MenuWindowProc, kMenuSubclassId);
        return DefSubclassProc(window, msg, wParam, lParam);
      case WM_ERASEBKGND:
        return 1;
      case WM_NCPAINT: {
        if (OSVersion().Major < 6) return 1;
        RECT r;
        GetWindowRect(window, &r);
        TBitmap* bg = MenuState().MenuBackground;
        if (bg && bg->Width() == r.right - r.left && bg->Height() == r.bottom - r.top) return 1;
        DefSubclassProc(window, msg, wParam, lParam);
        return 1;
      }
      default:
        return DefSubclassProc(window, msg, wParam, lParam);
    }
  });
}

// Holds the item posted with 48307 until it is freed.
class TPostedItemWatch : public TComponent {
 public:
  TPostedItemWatch() : TComponent(nullptr) {}
  TMenuItem* Item = nullptr;
  void Watch(TMenuItem* item) {
    if (Item) Item->RemoveFreeNotification(this);
    Item = item;
    if (Item) Item->FreeNotification(this);
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == Item) Item = nullptr;
  }
};

TPostedItemWatch*& PostedWatch() {
  static TPostedItemWatch* watch = nullptr;
  return watch;
}

void EndMenuUnit() {
  ResetMenuCache();
  MenuState().ExtraLineSection.clear();
  MenuState().ExtraLineCaption.clear();
  if (PostedWatch()) {
    PostedWatch()->Watch(nullptr);
    PostedWatch()->Free();
    PostedWatch() = nullptr;
  }
}

const TUnitRegistration menuUnit(nullptr, &EndMenuUnit);

}  // namespace

// ---- shared routines -------------------------------------------------------------------------------

TacMenuState& MenuState() {
  static TacMenuState state;
  return state;
}

void FreeMenuBackground() {
  TacMenuState& s = MenuState();
  if (s.MenuBackground) s.MenuBackground->Free();
  s.MenuBackground = nullptr;
}

void ResetMenuCache() {
  TacMenuState& s = MenuState();
  FreeMenuBackground();
  s.CachedFirstItem = nullptr;
  s.ExtraLineVisible = false;
  s.ExtraLineFetched = false;
}

TacMenuLineProvider*& MDIFrameMenuProvider() { return mdiFrameProvider; }

bool MDIChildMaximized() { return mdiFrameProvider && mdiFrameProvider->MDIChildMaximized(); }

TsMenuItemType MenuItemTypeOf(const String& caption) {
  if (caption == L"-") return smDivider;
  if (caption.size() >= 2 && caption.front() == L'-' && caption.back() == L'-') return smCaption;
  return smNormal;
}

String CaptionItemText(const String& caption) {
  std::size_t start = caption.find_first_not_of(L'-');
  if (start == String::npos) return String();
  std::size_t end = caption.find(L'-', start);
  return caption.substr(start, end == String::npos ? String::npos : end - start);
}

TSize GlyphSize(TMenuItem* item) {
  if (item && item->HasBitmap() && item->Bitmap()->Width() > 0 && item->Bitmap()->Height() > 0)
    return TSize(item->Bitmap()->Width(), item->Bitmap()->Height());
  TMenu* menu = item ? item->GetParentMenu() : nullptr;
  if (menu && menu->Images()) return TSize(menu->Images()->Width(), menu->Images()->Height());
  return TSize(16, 16);
}

void PostPaintPopupItem(TMenuItem* item) {
  if (!PostedWatch()) PostedWatch() = new TPostedItemWatch();
  PostedWatch()->Watch(item);
  if (Application && Application->Handle())
    PostMessageW(Application->Handle(), kMsgPaintPopupItem, 0, reinterpret_cast<LPARAM>(item));
}

TMenuItem* PostedPopupItem() { return PostedWatch() ? PostedWatch()->Item : nullptr; }

void PaintPostedPopup(UINT message, LPARAM lParam) {
  TBitmap* bg = MenuState().MenuBackground;
  if (!bg || !DefaultManager || !DefaultManager->SkinableMenus()) return;
  HWND window = nullptr;
  if (message == kMsgPaintPopupWindow) {
    window = reinterpret_cast<HWND>(lParam);
  } else {
    // Only the item posted and still alive is asked for its rectangle.
    TMenuItem* item = PostedPopupItem();
    if (!item || reinterpret_cast<LPARAM>(item) != lParam || !item->Parent()) return;
    HMENU menu = item->Parent()->Handle();
    const int position = VisiblePosition(item);
    RECT r;
    if (!menu || position < 0) return;
    if (!GetMenuItemRect(nullptr, menu, UINT(position), &r) &&
        !GetMenuItemRect(PopupList.WindowHandle(), menu, UINT(position), &r))
      return;
    window = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  if (window) DefaultManager->SkinableMenus()->SetMenuWindowRegion(window, bg);
}

// ---- TsSkinableMenus -------------------------------------------------------------------------------

TsSkinableMenus::TsSkinableMenus(TsSkinManager* owner) : owner_(owner), captionFont_(new TFont()) {}

TsSkinableMenus::~TsSkinableMenus() {
  owner_ = nullptr;
  captionFont_->Free();
}

bool TsSkinableMenus::SkinActive() const { return owner_ && owner_->SkinData().Active; }

int TsSkinableMenus::SkinBorderWidth() {
  if (skinBorderWidth_ >= 0) return skinBorderWidth_;
  if (!owner_) return 0;
  const int index = owner_->GetMaskIndexExact(L"MAINMENU", L"BORDERSMASK");
  if (!owner_->IsValidMaskIndex(index)) return skinBorderWidth_ = 0;
  const int width = owner_->Masks()[size_t(index)].BorderWidth;
  return skinBorderWidth_ = width <= 0 ? 3 : width;
}

int TsSkinableMenus::VisibleExtraLineWidth() const {
  if (!owner_) return 0;
  const TacMenuSupport* support = owner_->MenuSupport();
  return support->UseExtraLine && MenuState().ExtraLineVisible ? support->ExtraLineWidth : 0;
}

// ---- hooking ---------------------------------------------------------------------------------------

void TsSkinableMenus::SetActive(bool value) {
  if (value == active_) return;
  HookAllMenus(value);
}

void TsSkinableMenus::UpdateMenus() { SetActive(SkinActive()); }

void TsSkinableMenus::HookAllMenus(bool value) {
  active_ = value;
  if (!owner_ || owner_->ComponentState().Contains(csDesigning) || !Application) return;
  HookComponents(Application, value);
}

void TsSkinableMenus::HookComponents(TComponent* root, bool value) {
  const bool popups = value && owner_->SkinnedPopups();
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (auto* main = dynamic_cast<TMainMenu*>(c)) {
      HookMainMenu(main, value);
      for (int k = 0; k < main->Items()->Count(); ++k) HookPopupItems(main->Items()->Items(k), popups);
    } else if (auto* popup = dynamic_cast<TPopupMenu*>(c)) {
      HookPopupMenu(popup, popups);
    } else if (auto* item = dynamic_cast<TMenuItem*>(c); item && !dynamic_cast<TMainMenu*>(item->GetParentMenu())) {
      HookPopupItems(item, popups);
    }
    HookComponents(c, value);
  }
}

void TsSkinableMenus::SetPopupHandlers(TMenuItem* item, bool value) {
  if (value) {
    if (!item->OnAdvancedDrawItem) item->OnAdvancedDrawItem = PopupDrawHandler();
    if (!item->OnMeasureItem) item->OnMeasureItem = PopupMeasureHandler();
  } else {
    ClearOwnHandlers(item);
  }
}

void TsSkinableMenus::ClearOwnHandlers(TMenuItem* item) {
  // Only this painter's handlers are taken away; a program's stay.
  const TAdvancedMenuDrawItemEvent draws[] = {PopupDrawHandler(), BarDrawHandler()};
  const TMenuMeasureItemEvent measures[] = {PopupMeasureHandler(), BarMeasureHandler()};
  for (const auto& own : draws)
    if (OwnHandler(item->OnAdvancedDrawItem, own)) item->OnAdvancedDrawItem = {};
  for (const auto& own : measures)
    if (item->OnMeasureItem && item->OnMeasureItem == own) item->OnMeasureItem = {};
}

void TsSkinableMenus::HookPopupItems(TMenuItem* parent, bool value) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (value) {
      if (!IsMenuBarItem(item)) SetPopupHandlers(item, true);
    } else {
      ClearOwnHandlers(item);
    }
    HookPopupItems(item, value);
  }
}

void TsSkinableMenus::HookPopupMenu(TPopupMenu* menu, bool value) {
  menu->SetOwnerDraw(value);
  if (value)
    menu->MenuAnimation.Include(maNoAnimation);
  else
    menu->MenuAnimation.Exclude(maNoAnimation);
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    TMenuItem* item = menu->Items()->Items(i);
    SetPopupHandlers(item, value);
    HookPopupItems(item, value);
  }
}

void TsSkinableMenus::HookMainMenu(TMainMenu* menu, bool value) {
  for (int i = 0; i < menu->Items()->Count(); ++i) {
    TMenuItem* item = menu->Items()->Items(i);
    if (value && SkinActive()) {
      item->OnAdvancedDrawItem = BarDrawHandler();
      item->OnMeasureItem = BarMeasureHandler();
    } else if (!value) {
      ClearOwnHandlers(item);
    }
  }
  if (!Destroying(menu)) menu->SetOwnerDraw(value);
}

void TsSkinableMenus::HookItem(TMenuItem* item, bool value) {
  if (TMenu* menu = item->GetParentMenu()) menu->SetOwnerDraw(value);
  if (!value) {
    ClearOwnHandlers(item);
  } else if (IsMenuBarItem(item)) {
    item->OnAdvancedDrawItem = BarDrawHandler();
    item->OnMeasureItem = BarMeasureHandler();
  } else if (owner_ && owner_->SkinnedPopups()) {
    SetPopupHandlers(item, true);
  }
}

// ---- the extra line --------------------------------------------------------------------------------

void TsSkinableMenus::QueryExtraLine(TMenuItem* firstItem) {
  TacMenuState& s = MenuState();
  if (s.ExtraLineFetched || !owner_ || owner_->ComponentState().Contains(csDesigning) || !firstItem) return;
  if (firstItem->Name() == L"SkinSelectItem") {
    s.ExtraLineVisible = false;
    return;
  }
  s.ExtraLineSection = L"EXTRALINE";
  if (s.ExtraLineGlyph) s.ExtraLineGlyph->Free();
  s.ExtraLineGlyph = nullptr;
  s.ExtraLineCaption = L"Don`t forget OnGetExtraLineData event...";
  s.ExtraLineVisible = true;
  if (owner_->OnGetMenuExtraLineData)
    owner_->OnGetMenuExtraLineData(firstItem, s.ExtraLineSection, s.ExtraLineCaption, s.ExtraLineGlyph,
                                   s.ExtraLineVisible);
  s.ExtraLineCaption.erase(std::remove(s.ExtraLineCaption.begin(), s.ExtraLineCaption.end(), L'&'),
                           s.ExtraLineCaption.end());
  if (!s.ExtraLineVisible && s.ExtraLineGlyph) {
    s.ExtraLineGlyph->Free();
    s.ExtraLineGlyph = nullptr;
  }
  s.ExtraLineFetched = true;
}

// ---- measuring -------------------------------------------------------------------------------------

void TsSkinableMenus::PrepareCanvasFont(TCanvas* canvas, TMenuItem* item, bool bold) {
  if (TFont* font = MenuFont()) canvas->Font()->Assign(font);
  if (TCustomForm* form = OwningForm(item)) canvas->Font()->SetCharset(form->Font()->Charset());
  if (bold) {
    TFontStyles styles = canvas->Font()->Style();
    styles.Include(fsBold);
    canvas->Font()->SetStyle(styles);
  }
}

int TsSkinableMenus::ItemHeight(TCanvas* canvas, TMenuItem* item) {
  const TsMenuItemType type = MenuItemTypeOf(item->Caption());
  if (type == smDivider) return 2;
  PrepareCanvasFont(canvas, item, item->Default());
  const int text = RoundHalfEven(canvas->TextHeight(L"W") * 1.25);
  if (type == smCaption) return text + 2 * Margin;
  return std::max<int>(text, GlyphSize(item).cy) + 2 * Margin;
}

void TsSkinableMenus::MeasurePopupItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || Destroying(item)) return;
  TacMenuState& s = MenuState();
  s.SkinnedMenuOpen = true;
  TMenuItem* first = FirstItemOf(item);
  if (first != s.CachedFirstItem) {
    ResetMenuCache();
    s.CachedFirstItem = first;
  }
  s.CurrentItemType = MenuItemTypeOf(item->Caption());
  if (!s.ExtraLineFetched && !s.ExtraLineQuerying) {
    s.ExtraLineQuerying = true;
    struct TQueryEnd {
      ~TQueryEnd() { MenuState().ExtraLineQuerying = false; }
    } end;
    QueryExtraLine(first);
  }
  PrepareCanvasFont(canvas, item, item->Default());
  String text;
  if (s.CurrentItemType == smCaption)
    text = L"-" + item->Caption() + L"-";
  else if (s.CurrentItemType == smNormal)
    text = item->Caption() + ShortCutToText(item->ShortCut());
  const int textWidth = text.empty() ? 0 : TextExtent(canvas, text).cx;
  width = 2 * GlyphSize(item).cx + textWidth + 3 * Margin + Spacing;
  if (!AfterBreak(item)) width += VisibleExtraLineWidth();
  height = ItemHeight(canvas, item);
}

int TsSkinableMenus::PopupWidth(TCanvas* canvas, TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  int sum = 0, column = 0;
  for (int i = 0; parent && i < parent->Count(); ++i) {
    TMenuItem* sibling = parent->Items(i);
    if (!sibling->Visible()) continue;
    if (sibling->Break() != mbNone) {
      sum += column + 4;
      column = 0;
    }
    int w = 0, h = 0;
    MeasurePopupItem(sibling, canvas, w, h);
    column = std::max(column, w + 12);
  }
  return column + sum;
}

int TsSkinableMenus::PopupHeight(TCanvas* canvas, TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  int tallest = 0, column = 0;
  for (int i = 0; parent && i < parent->Count(); ++i) {
    TMenuItem* sibling = parent->Items(i);
    if (!sibling->Visible()) continue;
    if (sibling->Break() != mbNone) column = 0;
    column += ItemHeight(canvas, sibling);
    tallest = std::max(tallest, column);
  }
  return tallest;
}

// ---- the background --------------------------------------------------------------------------------

void TsSkinableMenus::PaintExtraLine(int height) {
  TacMenuState& s = MenuState();
  TacMenuSupport* support = owner_->MenuSupport();
  const int index = owner_->GetSkinIndex(s.ExtraLineSection);
  if (!support->UseExtraLine || !s.ExtraLineVisible || !owner_->IsValidSkinIndex(index)) return;
  const int border = SkinBorderWidth();
  const int bandWidth = support->ExtraLineWidth, bandHeight = height - 2 * border;
  if (bandWidth <= 0 || bandHeight <= 0) return;
  BitmapPtr band(CreateBmp24(bandWidth, bandHeight));
  PaintItemByIndex(index, s.ExtraLineSection, MakeCacheRef(s.MenuBackground, 0, 0), -1, -1, owner_, band.get(),
                   TPoint(border, border), TRect(0, 0, bandWidth, bandHeight), 0, true);
  int margin = 12;
  if (TBitmap* glyph = s.ExtraLineGlyph) {
    band->Canvas()->Draw((bandWidth - glyph->Width()) / 2, bandHeight - 12 - glyph->Height(), glyph);
    margin = glyph->Height() + 20;
  }
  if (!s.ExtraLineCaption.empty()) {
    TFont* source = support->ExtraLineFont;
    LOGFONTW lf{};
    lf.lfHeight = source->Height();
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = source->Style().Contains(fsItalic);
    lf.lfUnderline = source->Style().Contains(fsUnderline);
    lf.lfStrikeOut = source->Style().Contains(fsStrikeOut);
    lf.lfCharSet = source->Charset();
    lf.lfEscapement = lf.lfOrientation = -2700;
    lstrcpynW(lf.lfFaceName, source->Name().c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    HDC dc = band->Canvas()->Handle();
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SetTextColor(dc, COLORREF(ColorToRGB(owner_->Sections()[size_t(index)].FontColor[0])));
    SetBkMode(dc, TRANSPARENT);
    const RECT clip{0, 0, bandWidth, bandHeight};
    ExtTextOutW(dc, (bandWidth - metrics.tmHeight) / 2, bandHeight - margin, ETO_CLIPPED, &clip,
                s.ExtraLineCaption.c_str(), UINT(s.ExtraLineCaption.size()), nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
  }
  BitBlt(s.MenuBackground->Canvas()->Handle(), border, border, bandWidth, bandHeight, band->Canvas()->Handle(), 0, 0,
         SRCCOPY);
  if (s.ExtraLineGlyph) s.ExtraLineGlyph->Free();
  s.ExtraLineGlyph = nullptr;
}

void TsSkinableMenus::PrepareMenuBackground(TMenuItem* firstItem, int width, int height, HWND window) {
  TacMenuState& s = MenuState();
  if (s.MenuBackground && firstItem == s.CachedFirstItem) return;
  QueryExtraLine(firstItem);
  s.CachedFirstItem = firstItem;
  FreeMenuBackground();
  s.MenuBackground = CreateBmp24(std::max(width, 0), std::max(height, 0));
  s.GlyphWidth = GlyphSize(firstItem).cx;
  s.IconLineWidth = Margin + s.GlyphWidth + Spacing;
  if (!owner_) return;
  const int menuIndex = owner_->GetSkinIndex(L"MAINMENU");
  if (!owner_->IsValidSkinIndex(menuIndex)) return;
  PaintItemByIndex(menuIndex, L"MAINMENU", EmptyCacheRef, -1, -1, owner_, s.MenuBackground, TPoint(0, 0),
                   TRect(0, 0, width, height), 0, false);
  PaintExtraLine(height);
  const int border = SkinBorderWidth();
  const int icoIndex = owner_->GetSkinIndex(owner_->MenuSupport()->IcoLineSkin);
  if (!owner_->MenuSupport()->IcoLineSkin.empty() && owner_->IsValidSkinIndex(icoIndex) && s.IconLineWidth > 0 &&
      height > 2 * border) {
    BitmapPtr line(CreateBmp24(s.IconLineWidth, height - 2 * border));
    const TPoint at(VisibleExtraLineWidth() + border, border);
    PaintItemByIndex(icoIndex, owner_->MenuSupport()->IcoLineSkin, MakeCacheRef(s.MenuBackground, 0, 0), -1, -1,
                     owner_, line.get(), at, TRect(0, 0, line->Width(), line->Height()), 0, true);
    BitBlt(s.MenuBackground->Canvas()->Handle(), at.x, at.y, line->Width(), line->Height(), line->Canvas()->Handle(), 0,
           0, SRCCOPY);
  }
  regionRects_.clear();
  const int maskIndex = owner_->GetMaskIndexExact(L"MAINMENU", L"BORDERSMASK");
  if (owner_->IsValidMaskIndex(maskIndex)) {
    const TsMaskData& mask = owner_->Masks()[size_t(maskIndex)];
    AddCornerRects(regionRects_, width, mask, false, 0);
    AddCornerRects(regionRects_, width, mask, true, height - mask.WB);
  }
  if (window) SetMenuWindowRegion(window, s.MenuBackground);
}

void TsSkinableMenus::SetMenuWindowRegion(HWND window, TBitmap* bmp) {
  if (borderGuard_ || !window) return;
  struct TGuardEnd {
    bool& Guard;
    ~TGuardEnd() { Guard = false; }
  } end{borderGuard_};
  // Installing the same procedure and id again only renews its data, so this attaches once.
  SetWindowSubclass(window, &MenuWindowProc, kMenuSubclassId, 0);
  if (!IsNTPlatform || !bmp) return;
  if (SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scSetUpdating), 0) != 0) return;
  SendMessageW(window, SM_ALPHACMD, SkinCommandWParam(scMenuFrame), 0);
  borderGuard_ = true;
  HRGN region = CreateRectRgn(0, 0, bmp->Width(), bmp->Height());
  if (regionRects_.empty()) {
    HRGN pixel = CreateRectRgn(0, 0, 1, 1);
    CombineRgn(region, region, pixel, RGN_DIFF);
    DeleteObject(pixel);
  }
  for (const TRect& r : regionRects_) {
    HRGN cut = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  SetWindowRgn(window, region, TRUE);
}

// ---- painting popup items --------------------------------------------------------------------------

void TsSkinableMenus::DrawPopupItem(TObject* sender, TCanvas* canvas, TRect r, TOwnerDrawState state) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!owner_ || !item) return;
  TacMenuState& s = MenuState();
  TMenuItem* first = FirstItemOf(item);
  if (first != s.CachedFirstItem) ResetMenuCache();

  // A skinned drop-down button that opened this menu gets its hints back.
  TacDropDownState& drop = DropDownState();
  if (drop.OpenButton) {
    if (drop.HintsSuppressed && Application) Application->SetShowHint(drop.SavedShowHint);
    drop.HintsSuppressed = false;
    TsSpeedButton* button = std::exchange(drop.OpenButton, nullptr);
    button->Perform(SM_ALPHACMD, SkinCommandWParam(scDropDownButtonMenu), 0);
  }

  HWND window = IsNTPlatform ? WindowFromDC(canvas->Handle()) : nullptr;
  int w, h;
  // Where the client area starts in the window: the system's frame of BorderWidth on Windows; a
  // popup whose client area is the whole window (Wine's) starts at (0, 0).
  TPoint off(BorderWidth, BorderWidth);
  if (window) {
    RECT wr;
    GetWindowRect(window, &wr);
    w = wr.right - wr.left;
    h = wr.bottom - wr.top;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    off = TPoint(origin.x - wr.left, origin.y - wr.top);
  } else {
    w = PopupWidth(canvas, item) + 2 * BorderWidth;
    h = PopupHeight(canvas, item) + 2 * BorderWidth;
  }
  clientOffset_ = off;
  PrepareMenuBackground(first, w, h, window);
  TBitmap* bg = s.MenuBackground;
  const int e = VisibleExtraLineWidth();
  const int f = AfterBreak(item) ? 0 : 1;
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  HDC bgDC = bg->Canvas()->Handle();

  if (window) {
    HDC wdc = GetWindowDC(window);
    const int bw = BorderWidth, bgw = bg->Width(), bgh = bg->Height();
    if (FirstVisible(item)) BitBlt(wdc, 0, 0, bgw, bw, bgDC, 0, 0, SRCCOPY);
    if (LastVisible(item)) BitBlt(wdc, 0, bgh - bw, bgw, bw, bgDC, 0, bgh - bw, SRCCOPY);
    const int leftWidth = e * f + std::max(SkinBorderWidth(), bw);
    BitBlt(wdc, 0, off.y + r.top, leftWidth, rh, bgDC, 0, off.y + r.top, SRCCOPY);
    BitBlt(wdc, bgw - bw, off.y + r.top, bw, rh, bgDC, bgw - bw, off.y + r.top, SRCCOPY);
    ReleaseDC(window, wdc);
  } else if (Application && Application->Handle()) {
    MSG waiting;
    if (!PeekMessageW(&waiting, Application->Handle(), kMsgPaintPopupItem, kMsgPaintPopupWindow, PM_NOREMOVE))
      PostPaintPopupItem(item);
  }

  const TsMenuItemType type = MenuItemTypeOf(item->Caption());
  if (type == smDivider) {
    DrawDivider(item, canvas, r);
    return;
  }
  if (type == smCaption) {
    DrawCaptionItem(item, canvas, r);
    return;
  }
  s.CurrentItemType = smNormal;
  HDC dc = canvas->Handle();
  TMenuItem* parent = item->Parent();
  const int index = parent->IndexOf(item);
  const bool last = index == parent->Count() - 1;
  const bool nextBreaks = !last && parent->Items(index + 1)->Break() != mbNone;
  const int below = bg->Height() - 2 * off.y;
  if (nextBreaks || (last && r.bottom < below))
    BitBlt(dc, r.left, r.bottom, rw, below - r.bottom, bgDC, r.left + off.x, r.bottom + off.y, SRCCOPY);
  if (item->Break() != mbNone)
    BitBlt(dc, r.left - 4, r.top, 4, below, bgDC, r.left - 4 + off.x, r.top + off.y, SRCCOPY);

  const int imageWidth = rw - e * f;
  if (imageWidth <= 0 || rh <= 0) return;
  BitmapPtr image(CreateBmp24(imageWidth, rh));
  TCanvas* ic = image->Canvas();
  const bool selected = item->Enabled() && state.Contains(odSelected);
  const int itemIndex = owner_->GetSkinIndex(L"MENUITEM");
  if (owner_->IsValidSkinIndex(itemIndex))
    PaintItemToDC(itemIndex, L"MENUITEM", MakeCacheRef(bg, off.x, off.y), owner_, ic->Handle(), TPoint(e * f + r.left, r.top),
                  TRect(0, 0, imageWidth, rh), selected ? 1 : 0, true);

  if (state.Contains(odChecked)) {
    int mask = owner_->GetMaskIndexExact(L"GLOBALINFO", item->RadioItem() ? L"RADIOCHECKED" : L"CHECK");
    if (!owner_->IsValidMaskIndex(mask)) mask = owner_->GetMaskIndexExact(L"GLOBALINFO", L"BOXCHECKED");
    if (owner_->IsValidMaskIndex(mask)) {
      const TsMaskData& m = owner_->Masks()[size_t(mask)];
      DrawSkinGlyph(image.get(), TPoint(Margin, (rh - MaskFrame(m).Height) / 2), selected ? 1 : 0, m, 1);
    }
  }
  if (item->HasBitmap() && item->Bitmap()->Width() > 0) {
    TBitmap* glyph = item->Bitmap();
    const int d = (rh - glyph->Height()) / 2;
    ic->Draw(d, d, glyph);
  } else if (TMenu* menu = item->GetParentMenu(); menu && menu->Images() && item->ImageIndex() >= 0) {
    const int d = (rh - menu->Images()->Height()) / 2;
    menu->Images()->Draw(ic, d, d, item->ImageIndex(), true);
  }

  PrepareCanvasFont(ic, item, state.Contains(odDefault));
  const bool hot = item->Enabled() && (state.Contains(odSelected) || state.Contains(odHotLight));
  TRect text(0, 0, rw, rh);
  text.left += GlyphSize(item).cx + 2 * Margin + Spacing;
  String caption = item->Caption();
  UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
  if (!caption.empty() && caption[0] == L'\x08') {
    caption = caption.substr(1) + L"      ";
    flags |= DT_RIGHT;
  } else {
    flags |= kAlignmentFlags[alignment_];
  }
  if (state.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
  WriteTextBySection(ic, caption.c_str(), item->Enabled(), owner_, hot, itemIndex, flags, text);
  const String shortcut = ShortCutToText(item->ShortCut());
  if (!shortcut.empty()) {
    const int tw = ic->TextWidth(shortcut);
    TRect sr(rw - tw - 8 - e * f, 0, rw - 8 - e * f, rh);
    WriteTextBySection(ic, shortcut.c_str(), item->Enabled(), owner_, hot, itemIndex, DT_SINGLELINE | DT_VCENTER, sr);
  }
  if (OnDrawItem) OnDrawItem(item, ic, TRect(0, 0, imageWidth, rh), state, s.CurrentItemType);
  if (!item->Enabled()) {
    const int x = r.left + e * f + off.x, y = r.top + off.y;
    BlendTransBitmap(image.get(), 0, 0, clFuchsia, 0.4, TRect(x, y, x + imageWidth, y + rh), bg);
  }
  GdiFlush();
  BitBlt(dc, e * f + r.left, r.top, imageWidth, rh, ic->Handle(), 0, 0, SRCCOPY);
  if (item == first && e > 0 && (!IsNTPlatform || OSVersion().Major >= 6))
    BitBlt(dc, 0, 0, e * f + off.x, bg->Height(), bgDC, off.x, off.y, SRCCOPY);
}

void TsSkinableMenus::DrawDivider(TMenuItem* item, TCanvas* canvas, TRect r) {
  (void)item;
  TacMenuState& s = MenuState();
  s.CurrentItemType = smDivider;
  int mask = -1;
  if (owner_->IsValidSkinIndex(owner_->GetSkinIndex(L"DIVIDERV")))
    mask = owner_->GetMaskIndex(owner_->GetSkinIndex(L"DIVIDERV"), L"DIVIDERV", L"BORDERSMASK");
  else
    mask = owner_->GetMaskIndex(owner_->GetSkinIndex(L"TRACKBAR"), L"TRACKBAR", L"SLIDERCHANNEL");
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!owner_->IsValidMaskIndex(mask)) {
    TRect frame = r;
    int width = 1;
    Frame3DToDC(canvas->Handle(), frame, clGray, width, clWhite);
    return;
  }
  if (w <= 0 || h <= 0) return;
  BitmapPtr image(CreateBmp24(w, h));
  if (s.MenuBackground)
    BitBlt(image->Canvas()->Handle(), 0, 0, w, h, s.MenuBackground->Canvas()->Handle(), r.left + clientOffset_.x,
           r.top + clientOffset_.y, SRCCOPY);
  const int e = VisibleExtraLineWidth();
  TRect line(e + Margin + Spacing, 0, w - Margin, h);
  if (line.left < e + s.IconLineWidth) line.left = e + s.IconLineWidth + 2;
  PaintBorder(image.get(), line, true, MakeCacheRef(image.get(), 0, 0), owner_->Masks()[size_t(mask)], 0, true);
  GdiFlush();
  BitBlt(canvas->Handle(), r.left, r.top, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSkinableMenus::DrawCaptionItem(TMenuItem* item, TCanvas* canvas, TRect r) {
  TacMenuState& s = MenuState();
  s.CurrentItemType = smCaption;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const int e = VisibleExtraLineWidth();
  BitmapPtr image(CreateBmp24(w, h));
  HDC idc = image->Canvas()->Handle();
  if (TBitmap* bg = s.MenuBackground) {
    HDC bgDC = bg->Canvas()->Handle();
    const TPoint from(r.left + clientOffset_.x, r.top + clientOffset_.y);
    if (e > 0) BitBlt(idc, 0, 0, e + 1, h, bgDC, from.x, from.y, SRCCOPY);
    BitBltBorder(idc, 0, 0, w, h, bgDC, from.x, from.y, 1);
  }
  const int toolbar = owner_->GetSkinIndex(L"TOOLBAR");
  if (owner_->IsValidSkinIndex(toolbar)) {
    const TRect inner(e + 1, 1, w - 1, h - 1);
    PaintItemToDC(toolbar, L"TOOLBAR", MakeCacheRef(s.MenuBackground, clientOffset_.x, clientOffset_.y), owner_, idc,
                  TPoint(e + r.left, r.top),
                  inner, 0, true);
  }
  image->Canvas()->Font()->Assign(captionFont_);
  const String text = CaptionItemText(item->Caption());
  WriteTextBySection(image->Canvas(), text.c_str(), true, owner_, false, toolbar,
                     DT_SINGLELINE | DT_VCENTER | DT_CENTER, TRect(e, 0, w, h));
  GdiFlush();
  BitBlt(canvas->Handle(), r.left, r.top, w, h, idc, 0, 0, SRCCOPY);
}

// ---- menu bar items --------------------------------------------------------------------------------

void TsSkinableMenus::MeasureMenuBarItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item) return;
  height = Bound().GetSystemMetrics(SM_CYMENU) - 1;
  if (TFont* font = MenuFont()) canvas->Font()->Assign(font);
  width = canvas->TextWidth(StripHotkey(item->Caption()));
  TMenu* menu = item->GetParentMenu();
  if (menu && menu->Images() && item->ImageIndex() >= 0) width += menu->Images()->Width() + 6;
}

void TsSkinableMenus::DrawMenuBarItem(TObject* sender, TCanvas* canvas, TRect r, TOwnerDrawState state) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !owner_) return;
  TacMenuLineProvider* provider = mdiFrameProvider;
  if (!provider) {
    auto* main = dynamic_cast<TMainMenu*>(item->GetParentMenu());
    TCustomForm* form = main ? main->Form() : nullptr;
    try {
      if (form && form->HandleAllocated())
        provider = dynamic_cast<TacMenuLineProvider*>(ProviderOf(form));
    } catch (...) {
      provider = nullptr;  // a form that cannot answer is left to the system
    }
  }
  if (!provider) return;
  TBitmap* line = provider->MenuLineImage();
  const int lineTop = provider->CaptionAndFrameHeight();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!line || w <= 0 || h <= 0) return;
  const bool enabled = item->Enabled();
  const int state01 = state.Contains(odSelected) || state.Contains(odHotLight) ? 1 : 0;
  const TPoint place(r.left, r.top - lineTop);
  const int index = owner_->GetSkinIndex(L"MENUITEM");
  BitmapPtr offscreen;
  TCanvas* target = canvas;
  TPoint origin(r.left, r.top);
  if (enabled) {
    if (owner_->IsValidSkinIndex(index))
      PaintItemToDC(index, L"MENUITEM", MakeCacheRef(line, 0, 0), owner_, canvas->Handle(), place, r, state01, true);
  } else {
    offscreen.reset(CreateBmp24(w, h));
    target = offscreen->Canvas();
    origin = TPoint(0, 0);
    if (owner_->IsValidSkinIndex(index))
      PaintItemByIndex(index, L"MENUITEM", MakeCacheRef(line, 0, 0), -1, -1, owner_, offscreen.get(), place,
                       TRect(0, 0, w, h), state01, true);
  }
  // The glyph 3 pixels from the item's left edge, centred; on the off-screen image of a disabled
  // item it sits where it would on the bar.
  TRect glyphRect(0, origin.y, 0, origin.y + h);
  TMenu* menu = item->GetParentMenu();
  int glyphShift = 0;
  if (item->HasBitmap() && item->Bitmap()->Width() > 0) {
    TBitmap* glyph = item->Bitmap();
    const int y = origin.y + (h - glyph->Height()) / 2;
    target->Draw(origin.x + 3, y, glyph);
    glyphRect = TRect(origin.x + 3, y, origin.x + 3 + glyph->Width(), origin.y + h);
    glyphShift = glyph->Width() - 1;
  } else if (menu && menu->Images() && item->ImageIndex() >= 0) {
    const int y = origin.y + (h - menu->Images()->Height()) / 2;
    menu->Images()->Draw(target, origin.x + 3, y, item->ImageIndex(), enabled);
    glyphRect = TRect(origin.x + 3, y, origin.x + 3 + menu->Images()->Width(), origin.y + h);
    glyphShift = menu->Images()->Width() + 3;
  }
  PrepareCanvasFont(target, item, false);
  TFontStyles styles = target->Font()->Style();
  if (state.Contains(odDefault))
    styles.Include(fsBold);
  else
    styles.Exclude(fsBold);
  target->Font()->SetStyle(styles);
  TRect text(r.left + Margin + glyphShift, r.top, r.right - Margin, r.bottom);
  if (!enabled) OffsetRect(&text, provider->LeftFrameOffset() - text.left, -r.top);
  UINT flags = kAlignmentFlags[alignment_] | DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
  if (state.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
  const String caption = item->Caption();
  WriteTextBySection(target, caption.c_str(), enabled, owner_, enabled && state01 == 1, owner_->GetSkinIndex(L"MENULINE"),
                     flags, text);
  if (OnDrawItem) OnDrawItem(item, target, glyphRect, state, smTopLine);
  if (!enabled) {
    BlendTransRectangle(offscreen.get(), line, 102, TPoint(0, 0), TRect(place.x, place.y, place.x + w, place.y + h));
    GdiFlush();
    BitBlt(canvas->Handle(), r.left, r.top, w, h, offscreen->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
}
