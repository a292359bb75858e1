#include "ui/bars/items/BarColorCombo.h"

#include <memory>

#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/bars/BarAliveCheck.h"
#include "ui/foundation/Geometry.h"
#include "ui/bars/BarControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarStrings.h"

DEFINE_CLASS(TdxBarColorCombo)
DEFINE_CLASS(TdxBarColorComboControlDrawParams)
DEFINE_CLASS(TdxBarColorComboControl)

namespace {

constexpr TColor kColorTable[TdxBarColorCombo::ColorCount] = {
    TColor(0x000000), TColor(0x000080), TColor(0x008000), TColor(0x008080), TColor(0x800000), TColor(0x800080),
    TColor(0x808000), TColor(0x808080), TColor(0xC0C0C0), TColor(0x0000FF), TColor(0x00FF00), TColor(0x00FFFF),
    TColor(0xFF0000), TColor(0xFF00FF), TColor(0xFFFF00), TColor(0xFFFFFF)};

std::unique_ptr<TColorDialog> g_colorDialog;

// Above the last system colour index: a negative value that names no colour at all.
bool IsInvalidSystemColor(TColor Value) {
  const int v = int(Value);
  return v < 0 && v > int(0xFF000018);
}

struct TLockGuard {
  explicit TLockGuard(int& ALock) : lock(ALock) { ++lock; }
  ~TLockGuard() { --lock; }
  int& lock;
};

}  // namespace

TColorDialog* dxBarColorDialog() {
  if (!g_colorDialog) g_colorDialog.reset(new TColorDialog(nullptr));
  return g_colorDialog.get();
}

void FreeBarColorDialog() { g_colorDialog.reset(); }

// ---- item ---------------------------------------------------------------------------------------

TdxBarColorCombo::TdxBarColorCombo(TComponent* AOwner)
    : TdxBarCustomCombo(AOwner),
      autoColorText_(dxBarString(dxbsColorAuto)),
      customColorText_(dxBarString(dxbsColorCustom)) {
  SetShowEditor(false);
  DropDownCount = DefaultDropDownCount();
  TLockGuard lock(ColorUpdateLock);
  for (int i = 0; i < ColorCount; ++i) Items()->Add(dxBarString(dxbsColorBlack + i));
  SetItemIndex(0);
}

int TdxBarColorCombo::IndexOfColor(TColor Value) const {
  if (showAutoColor_ && Value == autoColor_) return 0;
  const TColor rgb = ColorToRGB(Value);
  for (int i = 0; i < ColorCount; ++i)
    if (kColorTable[i] == rgb) return i + (showAutoColor_ ? 1 : 0);
  return -1;
}

TColor TdxBarColorCombo::ColorOfIndex(int Index) const {
  if (Index < 0 || Index >= DefaultDropDownCount()) return color_;
  if (showAutoColor_) return Index == 0 ? autoColor_ : kColorTable[Index - 1];
  return kColorTable[Index];
}

void TdxBarColorCombo::SelectEntryOfColor() {
  TLockGuard lock(ColorUpdateLock);
  const int index = IndexOfColor(color_);
  if (index == ItemIndex()) {
    // A custom colour that has no entry still notifies.
    RefreshControls();
    TdxBarCustomCombo::Change();
  } else {
    SetItemIndex(index);
  }
}

void TdxBarColorCombo::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  SelectEntryOfColor();
}

void TdxBarColorCombo::Change() {
  if (ColorUpdateLock == 0) color_ = ColorOfIndex(ItemIndex());
  TdxBarCustomCombo::Change();
}

void TdxBarColorCombo::SetAutoColor(TColor Value) {
  if (Value == autoColor_) return;
  autoColor_ = Value;
  if (!showAutoColor_) return;
  {
    TLockGuard lock(ColorUpdateLock);
    SetItemIndex(IndexOfColor(color_));
  }
  RefreshControls();
}

void TdxBarColorCombo::SetAutoColorText(const String& Value) {
  if (Value == autoColorText_) return;
  autoColorText_ = Value;
  if (!showAutoColor_) return;
  TLockGuard lock(ColorUpdateLock);
  Items()->SetStrings(0, Value);
  RefreshControls();
}

void TdxBarColorCombo::SetCustomColorText(const String& Value) {
  if (Value == customColorText_) return;
  customColorText_ = Value;
  RefreshControls();
}

void TdxBarColorCombo::SetShowAutoColor(bool Value) {
  if (Value == showAutoColor_) return;
  TLockGuard lock(ColorUpdateLock);
  const bool countWasDefault = DropDownCount == DefaultDropDownCount();
  showAutoColor_ = Value;
  if (Value)
    Items()->Insert(0, autoColorText_);
  else
    Items()->Delete(0);
  if (countWasDefault) DropDownCount = DefaultDropDownCount();
  SetItemIndex(IndexOfColor(color_));
  RefreshControls();
}

void TdxBarColorCombo::SetShowCustomColorButton(bool Value) {
  if (Value == showCustomColorButton_) return;
  showCustomColorButton_ = Value;
  RebuildBars({0, 1, 2});
}

void TdxBarColorCombo::Click() {
  TdxBarCustomCombo::Click();
  const bool picked = UsePickedColor;
  UsePickedColor = false;
  // A click that opens a control's editor (it names the clicked link) is no command.
  if (OnClick || ReadOnly() || ClickedLink) return;
  TColorDialog* dialog = dxBarColorDialog();
  dialog->Color = picked ? PickedColor : color_;
  if (dialog->Execute()) SetColor(dialog->Color);
}

void TdxBarColorCombo::DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R) {
  if (OnDrawItem) {
    TdxBarCustomCombo::DrawListItem(Painter, Index, State, R);
    return;
  }
  TcxCanvas* cx = ListCanvas();
  if (!cx) return;
  TCanvas* canvas = cx->Canvas();
  const bool custom = Index < 0 || Index >= Items()->Count();
  const String text = custom ? customColorText_ : Items()->Strings(Index);
  const bool swatch = !(custom && IsInvalidSystemColor(color_));
  TRect textArea = R;
  if (swatch) textArea.left += SwatchWidth;
  canvas->FillRect(textArea);
  const TSize extent = canvas->TextExtent(text);
  const int mode = SetBkMode(canvas->Handle(), TRANSPARENT);
  canvas->TextOut(textArea.left + 1, textArea.top + (textArea.Height() - extent.cy) / 2, text);
  SetBkMode(canvas->Handle(), mode);
  if (swatch) {
    TRect box{R.left, R.top, R.left + SwatchWidth, R.bottom};
    const TColor brush = canvas->Brush()->Color();
    canvas->FrameRect(box);
    box = InflateRectBy(box, -1, -1);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(box);
    canvas->Brush()->SetColor(ColorOfIndex(custom ? -1 : Index));
    canvas->FillRect(InflateRectBy(box, -1, -1));
    canvas->Brush()->SetColor(brush);
  }
  if (State.Contains(odFocused)) canvas->DrawFocusRect(R);
}

void TdxBarColorCombo::MeasureListItem(int Index, int& Height) {
  if (OnMeasureItem) {
    TdxBarCustomCombo::MeasureListItem(Index, Height);
    return;
  }
  TcxCanvas* cx = ListCanvas();
  Height = (cx ? cx->Canvas()->TextHeight(L"0") : 0) + 4;
}

void TdxBarColorCombo::ListItemWidth(int Index, int& Width) {
  TdxBarCustomCombo::ListItemWidth(Index, Width);
  Width += SwatchWidth;
}

// ---- control ------------------------------------------------------------------------------------

TdxBarColorCombo* TdxBarColorComboControl::ColorCombo() const { return dynamic_cast<TdxBarColorCombo*>(LinkedItem()); }

void TdxBarColorComboControl::CalcDrawParams(bool Full) {
  TdxBarComboControl::CalcDrawParams(Full);
  auto* params = static_cast<TdxBarColorComboControlDrawParams*>(DrawParams());
  TdxBarColorCombo* combo = ColorCombo();
  params->ButtonPressed = pressed_ && Active();
  params->ButtonShown = combo && combo->ShowCustomColorButton();
}

void TdxBarColorComboControl::CalcPainterParts(const TdxBarEditLayoutInput& In, std::vector<TRect>& Parts) {
  TdxBarEditLayoutInput in = In;
  TdxBarColorCombo* combo = ColorCombo();
  in.ButtonShown = combo && combo->ShowCustomColorButton();
  Painter()->CalcColorComboPartBounds(in, Parts);
}

void TdxBarColorComboControl::DrawInterior() {
  TdxBarComboControl::DrawInterior();
  TdxBarPainter* painter = Painter();
  TcxCanvas* canvas = PaintCanvas();
  if (!painter || !canvas || int(PartBounds().size()) <= CustomColorButtonPart) return;
  const TRect button = PartBounds()[CustomColorButtonPart];
  if (button.IsEmpty()) return;
  TdxBarPaintStates states;
  states.Enabled = IsEnabledConst();
  states.Pressed = pressed_;
  states.Selected = IsDrawnSelected();
  painter->DrawColorComboButton(this, canvas->DCHandle(), button, states);
}

bool TdxBarColorComboControl::IsDrawnSelected() const { return pressed_ || TdxBarComboControl::IsDrawnSelected(); }

void TdxBarColorComboControl::EditWindowProc(TMessage& Message) {
  const bool press = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK;
  if (press && HitTestPart(EditorToBar(Message.LParam)) == CustomColorButtonPart) {
    RunCustomColorCommand();
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_RETURN && Bound().GetKeyState(VK_CONTROL) < 0) {
    RunCustomColorCommand();
    Message.Result = 0;
    return;
  }
  TdxBarComboControl::EditWindowProc(Message);
}

void TdxBarColorComboControl::RunCustomColorCommand() {
  TdxBarColorCombo* combo = ColorCombo();
  if (!combo || !IsEnabledConst()) return;
  int highlighted = combo->ItemIndex();
  if (DroppedDown() && combo->ListBox()->HandleAllocated()) highlighted = combo->ListBox()->ItemIndex();
  combo->UsePickedColor = true;
  combo->PickedColor = combo->ColorOfIndex(highlighted);
  if (TdxBarItemLink* link = Link()) {
    try {
      link->OriginLink()->MarkRecentlyUsed(true);
    } catch (const Exception&) {
      // The use is not counted; the command goes on.
    }
  }
  const bool onToolbar = IsInToolbarWindow();
  TAliveCheck self(this);
  if (onToolbar) {
    pressed_ = true;
    Repaint();
  } else {
    CloseActiveBarMenus();
  }
  combo->DirectClick();
  if (self.Alive() && onToolbar) {
    pressed_ = false;
    Repaint();
  }
}
