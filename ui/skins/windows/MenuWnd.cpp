#include "ui/skins/windows/MenuWnd.h"

#include "platform/framework/windows/Forms.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TacMnuWnd)

void TacMnuWnd::PrepareCache() {
  UpdateGeometry(Handle, ParentHandle, WindowRect, ParentRect, WindowSize, ParentOffset);
  if (!SkinData->BGChanged || WindowSize.x <= 0 || WindowSize.y <= 0) return;
  SkinData->InitCacheBmp();
  SharedTransparentColor = clFuchsia;
  TBitmap* cache = SkinData->CacheBmp;
  if (cache->Width() != WindowSize.x || cache->Height() != WindowSize.y) cache->SetSize(WindowSize.x, WindowSize.y);
  PaintItem(SkinData, EmptyCacheRef, true, 0, TRect(0, 0, WindowSize.x, WindowSize.y), ParentOffset, cache, false);
  FillTransparentCorners(SkinData, 0, this);
  SkinData->BGChanged = false;
}

void TacMnuWnd::ProcessMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      ShownFlag = 0;
      PassOn(message);
      if (Subclassed()) {
        ReleaseScrollWindow();
        ResetMenuCache();
        MenuState().SkinnedMenuOpen = false;
        if (OnGone) OnGone(this);
        FreeWhenIdle();
      }
      return;
    case SM_ALPHACMD:
      switch (message.WParamHi()) {
        case scIsSkinned:
          message.LParam = 1;
          message.Result = 1;
          return;
        case scSetUpdating:
          message.LParam = ShownFlag;
          message.Result = 0;
          return;
        case scMenuFrame:
          if (IsWindowVisible(Handle)) ShownFlag = 1;
          return;
        case scGetApplication:
          message.Result = reinterpret_cast<LRESULT>(Application);
          return;
        default:
          break;
      }
      break;
    default:
      break;
  }
  if (!Released && SkinData && MenuState().SkinnedMenuOpen) {
    if (message.Msg == WM_ERASEBKGND) {
      PrepareCache();
      HDC given = reinterpret_cast<HDC>(message.WParam);
      HDC dc = given ? given : GetDC(Handle);
      TBitmap* cache = SkinData->CacheBmp;
      if (cache && cache->Width() > 6 && cache->Height() > 6)
        BitBlt(dc, 0, 0, cache->Width() - 6, cache->Height() - 6, cache->Canvas()->Handle(), 3, 3, SRCCOPY);
      if (!given) ReleaseDC(Handle, dc);
      ShownFlag = 0;
      message.Result = 1;
      return;
    }
    if (message.Msg == WM_NCPAINT && IsNTPlatform) {
      RECT wr{};
      GetWindowRect(Handle, &wr);
      const int width = wr.right - wr.left, height = wr.bottom - wr.top;
      HDC dc = GetWindowDC(Handle);
      TBitmap* background = MenuState().MenuBackground;
      if (background && background->Width() == width - 6 && background->Height() == height) {
        BitBltBorder(dc, 0, 0, width, height, background->Canvas()->Handle(), 0, 0, 3);
      } else {
        PrepareCache();
        if (SkinData->CacheBmp)
          BitBltBorder(dc, 0, 0, width, height, SkinData->CacheBmp->Canvas()->Handle(), 0, 0, 3);
      }
      ReleaseDC(Handle, dc);
      message.Result = 0;
      return;
    }
  }
  TacScrollWnd::ProcessMessage(message);
}
