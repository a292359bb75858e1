#include "ui/skins/controls/SkinPanel.h"

#include "platform/framework/classes/Reflection.h"
#include "ui/skins/core/FormFade.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/paint/DrawingRoutines.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsPanel)

namespace {

const bool panelProperties = [] {
  RegisterProperties(&TsPanel::ClassInfo(), {ObjectProperty(L"SkinData", &TsPanel::SkinData, nullptr)});
  return true;
}();

}  // namespace

TsPanel::TsPanel(TComponent* owner) : TPanel(owner), skinData_(new TsCommonData(this, true)) {
  skinData_->ClassCode = kClassCodePanel;
}

TsPanel::~TsPanel() { skinData_->Free(); }

void TsPanel::AfterConstruction() {
  TPanel::AfterConstruction();
  if (!ComponentState().Contains(csLoading)) skinData_->AfterLoad();
}

void TsPanel::Loaded() {
  TPanel::Loaded();
  skinData_->AfterLoad();
}

// ---- painting --------------------------------------------------------------------------------------

void TsPanel::Paint() {
  TPanel::Paint();
  if (!skinData_->Skinned() && OnPaint && !ComponentState().Contains(csLoading) && Visible()) OnPaint(this, Canvas());
}

void TsPanel::PaintWindow(HDC dc) {
  TPanel::PaintWindow(dc);
  if (skinData_->Skinned()) PaintSkinned(dc, true);
}

void TsPanel::BuildCache() {
  TsCommonData& sd = *skinData_;
  sd.InitCacheBmp();
  TsCacheRef ci = sd.GetParentCache();
  PaintItem(&sd, ci, false, 0, TRect(0, 0, Width(), Height()), TPoint(Left(), Top()), sd.CacheBmp, true);
  int bevels = (BevelInner() != bvNone ? 1 : 0) + (BevelOuter() != bvNone ? 1 : 0);
  TRect text = ClientRect();
  int inset = BevelWidth() * bevels + BorderWidth();
  InflateRect(&text, -inset, -inset);
  WriteCaption(text);
  if (OnPaint) OnPaint(this, sd.CacheBmp->Canvas());
  sd.BGChanged = false;
}

void TsPanel::WriteCaption(TRect r) {
  TCanvas* canvas = skinData_->CacheBmp->Canvas();
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetStyle(bsClear);
  int h = canvas->TextHeight(L"W");
  r.top = (r.top + r.bottom - h) / 2;
  r.bottom = r.top + h;
  String caption = Caption();
  WriteTextEx(canvas, caption.c_str(), Enabled(), false, skinData_->TextSkin(), TextAlignFlags(this, Alignment()), r);
}

void TsPanel::PaintSkinned(HDC dc, bool sendUpdated) {
  TsCommonData& sd = *skinData_;
  if (!Showing() || !sd.Skinned()) return;
  sd.SetUpdating(sd.IsUpdating());
  if (sd.Updating) return;
  bool needsCache = sd.BGChanged || sd.HalfVisible;
  if (!dc) dc = Canvas()->Handle();
  if (sd.RepaintWhenMoved()) {
    RECT clip;
    GetClipBox(dc, &clip);
    sd.HalfVisible = clip.right - clip.left != Width() || clip.bottom - clip.top != Height();
  } else {
    sd.HalfVisible = false;
  }
  if (needsCache && !sd.PosDependent) BuildCache();
  TRect whole(0, 0, Width(), Height());
  sd.PaintCacheToDC(this, 0, whole, 0, 0, true, dc, whole);
  PaintGraphicChildren(dc, this, TPoint(0, 0));
  if (sendUpdated) NotifyChildren(this);
}

// ---- messages --------------------------------------------------------------------------------------

bool TsPanel::HandleOwnSkinCommand(TMessage& message) {
  bool own = reinterpret_cast<TsSkinManager*>(message.LParam) == skinData_->SkinManager();
  switch (message.WParamHi()) {
    case scApplySkin:
      BroadcastToChildren(this, message);
      if (own) skinData_->HandleWindowMessage(message);
      return true;
    case scRemoveSkin:
      if (own) {
        skinData_->HandleWindowMessage(message);
        Invalidate();
      }
      BroadcastToChildren(this, message);
      return true;
    case scRefresh:
      if (own) {
        skinData_->HandleWindowMessage(message);
        BroadcastToChildren(this, message);
        Repaint();
      } else {
        BroadcastToChildren(this, message);
      }
      return true;
    case scIsSkinned:
    case scGetApplication:
      return skinData_->HandleSkinCommand(message);
    default:
      return false;
  }
}

void TsPanel::WMPaint(TMessage& message) {
  if (!Visible() && !ComponentState().Contains(csDesigning)) {
    TPanel::WndProc(message);
    return;
  }
  ControlState.Include(csCustomPaint);
  PAINTSTRUCT ps;
  BeginPaint(Handle(), &ps);
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  bool own = !dc;
  if (own) dc = GetDC(Handle());
  int saved = SaveDC(dc);
  {
    TCanvasPaintScope scope(*static_cast<TControlCanvas*>(Canvas()), dc, Font());
    Canvas()->TextFlags = 0;
    PaintSkinned(dc, true);
  }
  RestoreDC(dc, saved);
  if (own) ReleaseDC(Handle(), dc);
  EndPaint(Handle(), &ps);
}

void TsPanel::WMPrint(TMessage& message) {
  skinData_->Updating = false;
  if (!ControlIsReady(this)) return;
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (skinData_->BGChanged) {
    BuildCache();
    if (OnPaint) OnPaint(this, skinData_->CacheBmp->Canvas());
  }
  UpdateAllCorners(skinData_, 0);
  PaintSkinned(dc, false);
}

void TsPanel::WndProc(TMessage& message) {
  if (message.Msg == SM_ALPHACMD && HandleOwnSkinCommand(message)) return;
  TsCommonData& sd = *skinData_;
  if (!ControlIsReady(this) || !sd.Skinned()) {
    switch (message.Msg) {
      case WM_ERASEBKGND:
        if (!OnPaint) TPanel::WndProc(message);
        return;
      case WM_PRINT:
        if (!OnPaint) return;
        OnPaint(this, Canvas());
        if (message.WParam)
          BitBlt(reinterpret_cast<HDC>(message.WParam), 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
      default:
        TPanel::WndProc(message);
        return;
    }
  }
  switch (message.Msg) {
    case SM_ALPHACMD:
      switch (message.WParamHi()) {
        case scParentUpdated:
          if (sd.Updating) {
            sd.Updating = false;
            RedrawWindow(Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
          }
          return;
        case scSetUpdateFlag:
          sd.HandleWindowMessage(message);
          if (sd.PosDependent) BuildCache();
          return;
        case scIsBgChanged: {
          bool changed = sd.BGChanged || sd.Updating;
          message.LParam = changed ? 1 : 0;
          message.Result = message.LParam;
          return;
        }
        default:
          sd.HandleSkinCommand(message);
          return;
      }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TPanel::WndProc(message);
      return;
    case WM_PAINT:
      WMPaint(message);
      return;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_PRINT:
      WMPrint(message);
      return;
    case CM_VISIBLECHANGED:
      sd.BGChanged = true;
      sd.Updating = false;
      TPanel::WndProc(message);
      return;
    case CM_TEXTCHANGED:
      if (Parent()) sd.InvalidateCache();
      return;
    case CM_COLORCHANGED:
      if (sd.CustomColor()) sd.BGChanged = true;
      break;
    default:
      break;
  }
  if (!sd.HandleWindowMessage(message)) TPanel::WndProc(message);
  if (message.Msg == WM_SETFONT && !Caption().empty()) {
    sd.BGChanged = true;
    Repaint();
  } else if (message.Msg == CM_ENABLEDCHANGED) {
    sd.InvalidateCache();
  }
}
