#include "ui/skins/windows/SubclassWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/Seams.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/SkinPainting.h"

bool SubclassDialogMode = false;
bool DroppingAllItems = false;

DEFINE_CLASS(TacMainWnd)

String WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return String();
  String text(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

namespace {

// A pixel of a 24- or 32-bit bitmap as (r, g, b) packed like a colour; false outside the image.
bool ReadPixel(TBitmap* bmp, int x, int y, TColor& colour) {
  if (!bmp || x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return false;
  const int bytes = bmp->BitsPerPixel() / 8;
  if (bytes != 3 && bytes != 4) {
    colour = bmp->Canvas()->Pixels(x, y);
    return true;
  }
  const auto* row = static_cast<const Byte*>(bmp->ScanLine(y)) + x * bytes;
  colour = static_cast<TColor>(RGB(row[2], row[1], row[0]));
  return true;
}

void WritePixel(TBitmap* bmp, int x, int y, TColor colour) {
  if (!bmp || x < 0 || y < 0 || x >= bmp->Width() || y >= bmp->Height()) return;
  const int bytes = bmp->BitsPerPixel() / 8;
  if (bytes != 3 && bytes != 4) {
    bmp->Canvas()->SetPixels(x, y, colour);
    return;
  }
  auto* row = static_cast<Byte*>(bmp->ScanLine(y)) + x * bytes;
  row[0] = GetBValue(colour);
  row[1] = GetGValue(colour);
  row[2] = GetRValue(colour);
}

}  // namespace

// ---- TacMainWnd ------------------------------------------------------------------------------------

TacMainWnd::TacMainWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section)
    : Handle(handle), SkinManager(manager) {
  if (SetWindowThemeProc && section != L"DIALOG") SetWindowThemeProc(handle, L" ", L" ");
  if (skinData) {
    SkinData = skinData;
    if (!SkinManager) SkinManager = skinData->SkinManager();
  } else {
    SkinData = new TsCommonData(nullptr, true);
    OwnsSkinData = true;
    if (manager) SkinData->SetSkinManager(manager);
  }
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection(section);
}

void TacMainWnd::Attach(bool repaint) {
  (void)repaint;
  DialogMode = SubclassDialogMode;
  StoreOriginalParams();
  SkinParamsApplied = false;
  Caption = WindowText(Handle);
  SubclassWindow(Handle);
  if (TControl* owner = SkinData->OwnerControl()) owner->ControlStyle.Include(csOpaque);
}

TControl* TacMainWnd::HookedControl() const {
  if (TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr) return owner;
  if (auto* provider = dynamic_cast<TacSkinProviderBase*>(SkinData ? SkinData->OwnerObject() : nullptr))
    if (TCustomForm* form = provider->ProviderForm()) return form;
  return FindControl(Handle);
}

void TacMainWnd::SubclassWindow(HWND handle) {
  SelfScrolling = false;
  Handle = handle;
  if (subclassed_) return;
  SetPropW(handle, kSubclassProperty, reinterpret_cast<HANDLE>(this));
  hookedControl_ = HookedControl();
  if (hookedControl_) {
    hookedLife_ = hookedControl_->LifeToken();
    hookedControl_->InstallWindowProcHook(TWindowProcHook(this, &TacMainWnd::HookProc));
  } else {
    SetWindowSubclass(handle, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                      reinterpret_cast<DWORD_PTR>(this));
  }
  subclassed_ = true;
}

void TacMainWnd::Unsubclass() {
  if (!subclassed_) return;
  subclassed_ = false;
  if (hookedControl_) {
    if (!hookedLife_.expired()) hookedControl_->RemoveWindowProcHook(TWindowProcHook(this, &TacMainWnd::HookProc));
  } else if (IsWindow(Handle)) {
    RemoveWindowSubclass(Handle, &TacMainWnd::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  }
  if (IsWindow(Handle) && GetPropW(Handle, kSubclassProperty) == reinterpret_cast<HANDLE>(this))
    RemovePropW(Handle, kSubclassProperty);
}

LRESULT CALLBACK TacMainWnd::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data) {
  auto* self = reinterpret_cast<TacMainWnd*>(data);
  return Guarded(LRESULT(0), [&] {
    (void)window;
    return self->Deliver(msg, wParam, lParam);
  });
}

void TacMainWnd::HookProc(TMessage& message, TWindowProcChain& next) {
  TWindowProcChain* saved = next_;
  next_ = &next;
  ++depth_;
  struct TRestore {
    TacMainWnd* Self;
    TWindowProcChain* Saved;
    ~TRestore() {
      --Self->depth_;
      Self->next_ = Saved;
      Self->FreeIfPending();
    }
  } restore{this, saved};
  ProcessMessage(message);
}

LRESULT TacMainWnd::Deliver(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  ++depth_;
  struct TRestore {
    TacMainWnd* Self;
    ~TRestore() {
      --Self->depth_;
      Self->FreeIfPending();
    }
  } restore{this};
  ProcessMessage(message);
  return message.Result;
}

void TacMainWnd::FreeWhenIdle() {
  if (depth_ > 0) {
    freePending_ = true;
    return;
  }
  Free();
}

void TacMainWnd::FreeIfPending() {
  if (freePending_ && depth_ == 0) {
    freePending_ = false;
    Free();
  }
}

LRESULT TacMainWnd::CallPrevWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM& lParam) {
  if (depth_ <= 0) return 0;
  if (hookedControl_) {
    if (!next_) return 0;
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    (*next_)(message);
    lParam = message.LParam;
    return message.Result;
  }
  return DefSubclassProc(handle, msg, wParam, lParam);
}

void TacMainWnd::ProcessMessage(TMessage& message) { BaseProcessMessage(message); }

void TacMainWnd::BaseProcessMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: {
      if (subclassed_) {
        TacMainWnd* self = this;
        ReleaseWindow(Handle, false, false, self);
      }
      PassOn(message);
      return;
    }
    case WM_UPDATEUISTATE:
      message.Result = 0;
      return;
    case WM_SIZE:
      if (SkinData) SkinData->BGChanged = true;
      break;
    case WM_SETTEXT:
      PassOn(message);
      Caption = WindowText(Handle);
      return;
    case WM_MOUSEMOVE:
      if (DefaultManager && IsWindowEnabled(Handle) && DefaultManager->ActiveControlWindow() != Handle)
        DefaultManager->SetActiveControl(Handle);
      break;
    case WM_PRINT:
      message.Result = SendMessageW(Handle, WM_PAINT, message.WParam, message.LParam);
      return;
    default:
      break;
  }
  TsSkinManager* manager = SkinData ? SkinData->SkinManager() : nullptr;
  if (!manager || !manager->Active() || message.Msg != SM_ALPHACMD) {
    PassOn(message);
    return;
  }
  const bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == manager;
  switch (message.WParamHi()) {
    case scApplySkin:
      if (ours) {
        SkinData->UpdateIndexes();
        SkinData->BGChanged = true;
      }
      break;
    case scRemoveSkin:
      if (ours) RestoreOriginalParams();
      break;
    case scRefresh:
      if (ours) {
        SkinData->UpdateIndexes();
        SkinData->BGChanged = true;
        SendMessageW(Handle, WM_PAINT, 0, 0);
      }
      return;
    case scGetCache:
      SharedCacheRef = MakeCacheRef(SkinData->CacheBmp, 0, 0);
      return;
    case scParentUpdated:
      if (SkinData->Updating) {
        SkinData->Updating = false;
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
      }
      break;
    case scIsSkinned:
      message.LParam = 1;
      message.Result = 1;
      return;
    case scIsBgChanged:
      message.LParam = SkinData->BGChanged || SkinData->Updating ? 1 : 0;
      break;
    case scHasContentBg:
    case scGetBgColor:
      if (SkinData->OwnerControl()) {
        SkinData->HandleSkinCommand(message);
        return;
      }
      break;
    case scPrepareCache:
      PrepareFrameCache(SkinData, Handle, false);
      break;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(Application);
      return;
    default:
      break;
  }
  PassOn(message);
}

void TacMainWnd::BeforeDestruction() {
  if (!Released) {
    // The adapter's bulk clean-up outside a skin removal leaves the windows' look as it is, but a
    // window that still exists never keeps a subclass or property that points at a freed object.
    const bool keepLook = DroppingAllItems && !SkinRemoving;
    if (!keepLook && SetWindowThemeProc && IsWindow(Handle)) SetWindowThemeProc(Handle, nullptr, nullptr);
    Unsubclass();
    if (!keepLook) RestoreOriginalParams();
    Released = true;
  }
  Inherited::BeforeDestruction();
}

TacMainWnd::~TacMainWnd() {
  Unsubclass();
  if (OwnsSkinData) delete SkinData;
  SkinData = nullptr;
  SkinManager = nullptr;
}

// ---- module routines ---------------------------------------------------------------------------------

void RefreshFrame(HWND handle, bool repaint) {
  if (repaint)
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    SendMessageW(handle, WM_NCPAINT, 1, 0);
}

TacMainWnd* FindSubclassObject(HWND handle) {
  if (!handle) return nullptr;
  return reinterpret_cast<TacMainWnd*>(GetPropW(handle, kSubclassProperty));
}

void ReleaseWindow(HWND handle, bool freeObject, bool repaint, TacMainWnd*& object) {
  if (object && !object->Released) {
    object->Unsubclass();
    object->RestoreOriginalParams();
    if (IsWindowVisible(handle)) RefreshFrame(handle, repaint);
    object->Released = true;
  }
  if (freeObject && object) {
    TacMainWnd* doomed = object;
    object = nullptr;
    doomed->Free();
  }
}

void UpdateGeometry(HWND handle, HWND& parentHandle, TRect& wndRect, TRect& parentRect, TPoint& wndSize,
                    TPoint& parentOffset) {
  RECT r{};
  GetWindowRect(handle, &r);
  wndRect = r;
  parentHandle = GetParent(handle);
  RECT p{};
  if (parentHandle) GetWindowRect(parentHandle, &p);
  parentRect = p;
  wndSize = TPoint(wndRect.Width(), wndRect.Height());
  parentOffset = TPoint(wndRect.left - parentRect.left, wndRect.top - parentRect.top);
  if (!parentHandle) return;
  const LRESULT offset = SendMessageW(parentHandle, SM_ALPHACMD, SkinCommandWParam(scGetClientOffset), 0);
  if (offset != 0) {
    parentOffset.x -= static_cast<short>(LOWORD(offset));
    parentOffset.y -= static_cast<short>(HIWORD(offset));
  }
}

TComponent* FindControlByHandle(HWND handle, TComponent* root) {
  if (!root || !handle) return nullptr;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    auto* windowed = dynamic_cast<TWinControl*>(root->Components(i));
    if (windowed && windowed->HandleAllocated() && windowed->Handle() == handle) return windowed;
  }
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (TComponent* found = FindControlByHandle(handle, root->Components(i))) return found;
  return nullptr;
}

TBitmap* SizeCacheBmp(TsCommonData* skinData, int width, int height) {
  skinData->InitCacheBmp();
  TBitmap* cache = skinData->CacheBmp;
  if (cache->Width() != width || cache->Height() != height) cache->SetSize(width, height);
  return cache;
}

void CopyCacheToDC(TBitmap* cache, HDC dc) {
  if (dc && cache && cache->Width() > 0 && cache->Height() > 0)
    BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW metrics = GetNonClientMetrics();
  if (metrics.cbSize == 0) return nullptr;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

void PrepareFrameCache(TsCommonData* skinData, HWND handle, bool dialogMode) {
  if (!skinData || !skinData->BGChanged || !handle) return;
  RECT wr{};
  GetWindowRect(handle, &wr);
  const TRect window(wr);
  TsCacheRef ci = TsCommonData::GetParentCacheForWindow(handle);
  skinData->InitCacheBmp();
  TBitmap* cache = skinData->CacheBmp;
  if (cache->Width() != window.Width() || cache->Height() != window.Height())
    cache->SetSize(window.Width(), window.Height());
  const TColor border = DefaultManager ? DefaultManager->SkinData().BorderColor : clFuchsia;
  if (dialogMode && DefaultManager && border != clFuchsia) {
    TCanvas* canvas = cache->Canvas();
    canvas->Brush()->SetColor(clWindow);
    canvas->FillRect(TRect(0, 0, window.Width(), window.Height()));
    canvas->Brush()->SetColor(border);
    canvas->FrameRect(TRect(0, 0, window.Width(), window.Height()));
  } else {
    HWND parent = GetParent(handle);
    if (!parent) return;
    RECT pr{};
    GetWindowRect(parent, &pr);
    const TPoint at(window.left - pr.left - ci.X, window.top - pr.top - ci.Y);
    TsSkinManager* manager = skinData->SkinManager();
    if (manager && manager->IsValidSkinIndex(skinData->SkinIndex))
      PaintItem(skinData, ci, false, 0, TRect(0, 0, window.Width(), window.Height()), at, cache, false);
  }
  skinData->BGChanged = false;
}

void FillTransparentCorners(TsCommonData* skinData, int state, TacMainWnd* object) {
  TsSkinManager* manager = skinData ? skinData->SkinManager() : nullptr;
  if (!manager || !object || object->DialogMode || !manager->IsValidMaskIndex(skinData->BorderIndex) ||
      !skinData->CacheBmp || object->WindowSize.x <= 1 || object->WindowSize.y <= 1)
    return;
  struct TColorReset {
    ~TColorReset() { SharedTransparentColor = clFuchsia; }
  } reset;
  TsCacheRef ci = TsCommonData::GetParentCacheForWindow(object->Handle);
  HWND parent = GetParent(object->Handle);
  bool fromImage = true;
  TColor fill = clFuchsia;
  if (parent && SendMessageW(parent, SM_ALPHACMD, SkinCommandWParam(scHasContentBg), 0) != 1) {
    SharedTransparentColor = clFuchsia;
    SendSkinCommand(parent, scGetBgColor, nullptr);
    if (SharedTransparentColor != clFuchsia) {
      fromImage = false;
      fill = static_cast<TColor>(ColorToRGB(SharedTransparentColor));
    }
  }
  // A local copy: the skin's own record is never changed here.
  TsMaskData mask = manager->Masks()[size_t(skinData->BorderIndex)];
  if (mask.ImageCount == 0 && mask.Bmp) {
    mask.ImageCount = 3;
    mask.MaskType = 1;
    mask.R = TRect(0, 0, mask.Bmp->Width(), mask.Bmp->Height());
  }
  if (fromImage) {
    if (!ci.Bmp) return;
    ci.X += object->ParentOffset.x;
    ci.Y += object->ParentOffset.y;
  }
  const TFrameSize frame = MaskFrame(mask);
  const int count = std::max<int>(mask.ImageCount, 1);
  state = std::clamp(state, 0, count - 1);
  TBitmap* source = mask.Bmp ? mask.Bmp : manager->MasterBitmap();
  if (!source) return;
  TBitmap* cache = skinData->CacheBmp;
  const int width = cache->Width(), height = cache->Height();
  const int frameLeft = mask.R.left + frame.Width * state;
  const int frameTop = mask.R.top;
  const int maskOffset = mask.MaskType == 1 ? frame.Height : 0;
  struct TCorner {
    int FrameX, FrameY, CacheX, CacheY, W, H;
  };
  const TCorner corners[4] = {
      {0, 0, 0, 0, mask.WL, mask.WT},
      {0, frame.Height - mask.WB, 0, height - mask.WB, mask.WL, mask.WB},
      {frame.Width - mask.WR, frame.Height - mask.WB, width - mask.WR, height - mask.WB, mask.WR, mask.WB},
      {frame.Width - mask.WR, 0, width - mask.WR, 0, mask.WR, mask.WT},
  };
  for (const TCorner& c : corners) {
    for (int y = 0; y < c.H; ++y) {
      for (int x = 0; x < c.W; ++x) {
        TColor tested;
        if (!ReadPixel(source, frameLeft + c.FrameX + x, frameTop + maskOffset + c.FrameY + y, tested)) continue;
        if (tested != static_cast<TColor>(RGB(255, 0, 255))) continue;
        const int cx = c.CacheX + x, cy = c.CacheY + y;
        if (cx < 0 || cy < 0 || cx >= width || cy >= height) continue;
        TColor colour = fill;
        if (fromImage && !ReadPixel(ci.Bmp, ci.X + cx, ci.Y + cy, colour)) continue;
        WritePixel(cache, cx, cy, colour);
      }
    }
  }
}
