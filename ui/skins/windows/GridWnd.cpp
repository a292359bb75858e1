#include "ui/skins/windows/GridWnd.h"

#include "platform/framework/classes/Collection.h"
#include "platform/framework/classes/Reflection.h"
#include "ui/skins/core/SkinManager.h"

DEFINE_CLASS(TacGridWnd)
DEFINE_CLASS(TacGridEhWnd)
DEFINE_CLASS(TacVirtualTreeViewWnd)
DEFINE_CLASS(TacWWComboBoxWnd)

namespace {

// Colours and fonts by property name; nothing for a property the object does not publish.
bool Has(TObject* object, const wchar_t* name) { return object && IsPublishedProp(object, name); }

TColor ColorProp(TObject* object, const wchar_t* name, TColor fallback) {
  return Has(object, name) ? static_cast<TColor>(GetOrdProp(object, name)) : fallback;
}

void SetColorProp(TObject* object, const wchar_t* name, TColor value) {
  if (Has(object, name) && value != clNone) SetOrdProp(object, name, static_cast<Int64>(value));
}

TFont* FontProp(TObject* object, const wchar_t* name) {
  return Has(object, name) ? dynamic_cast<TFont*>(GetObjectProp(object, name)) : nullptr;
}

TObject* ObjectProp(TObject* object, const wchar_t* name) {
  return Has(object, name) ? GetObjectProp(object, name) : nullptr;
}

// Writes the bar's track position (plus Extra) back as its position, without a redraw.
void PositionFromTrack(HWND window, int bar, int extra) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(window, bar, &info);
  info.nPos = info.nTrackPos + extra;
  info.fMask = SIF_POS;
  SetScrollInfo(window, bar, &info, FALSE);
}

bool Destroying(TControl* control) { return control->ComponentState().Contains(csDestroying); }

bool IsAdvGrid(TControl* control) { return control->ClassName() == L"TDBAdvGrid"; }

// "Header"."Options" with or without hoOwnerDraw.
bool HeaderOwnerDraw(TObject* header) {
  if (!Has(header, L"Options")) return false;
  return GetSetProp(header, L"Options").find(L"hoOwnerDraw") != String::npos;
}

void SetHeaderOwnerDraw(TObject* header, bool on) {
  if (!Has(header, L"Options")) return;
  String options = GetSetProp(header, L"Options");
  const bool has = options.find(L"hoOwnerDraw") != String::npos;
  if (has == on) return;
  if (on) {
    options = options.empty() ? String(L"hoOwnerDraw") : options + L",hoOwnerDraw";
  } else {
    String kept;
    size_t start = 0;
    while (start <= options.size()) {
      size_t comma = options.find(L',', start);
      if (comma == String::npos) comma = options.size();
      String part = options.substr(start, comma - start);
      while (!part.empty() && part.front() == L' ') part.erase(part.begin());
      if (!part.empty() && part != L"hoOwnerDraw") kept += (kept.empty() ? L"" : L",") + part;
      start = comma + 1;
    }
    options = kept;
  }
  SetSetProp(header, L"Options", options);
}

}  // namespace

// ---- grids --------------------------------------------------------------------------------------------

void TacGridWnd::StoreOriginalParams() {
  TacEditWnd::StoreOriginalParams();
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  if (!owner) return;
  SavedFixedColor = ColorProp(owner, L"FixedColor", clNone);
  if (TFont* font = FontProp(owner, IsAdvGrid(owner) ? L"FixedFont" : L"TitleFont")) SavedTitleFontColor = font->Color();
  SavedFooterColor = ColorProp(owner, L"FooterColor", clNone);
  SavedFooterCellColor = ColorProp(owner, L"FooterCellColor", clNone);
  SavedTitleColor = ColorProp(owner, L"TitleColor", clNone);
  SavedIndicatorIconColor = ColorProp(owner, L"IndicatorIconColor", clNone);
}

void TacGridWnd::ApplySkinParams() {
  TacEditWnd::ApplySkinParams();
  TControl* owner = SkinData->OwnerControl();
  TsSkinManager* manager = SkinData->SkinManager();
  const TsGeneralData* section = SkinData->Section();
  if (!owner || !manager) return;
  SetColorProp(owner, L"FixedColor", manager->GlobalColor());
  if (TFont* font = FontProp(owner, L"TitleFont")) font->SetColor(manager->GlobalFontColor());
  if (IsAdvGrid(owner)) {
    if (TFont* font = FontProp(owner, L"FixedFont")) font->SetColor(manager->GlobalFontColor());
    if (auto* columns = dynamic_cast<TCollection*>(ObjectProp(owner, L"Columns"))) {
      for (int i = 0; i < columns->Count(); ++i) {
        TCollectionItem* column = columns->Items(i);
        if (TFont* font = FontProp(column, L"HeaderFont")) font->SetColor(manager->GlobalFontColor());
        if (section) {
          if (TFont* font = FontProp(column, L"Font")) font->SetColor(section->HotFontColor[0]);
          SetColorProp(column, L"Color", section->Color);
        }
      }
    }
  }
  const TColor global = manager->GlobalColor();
  SetColorProp(owner, L"FooterColor", global);
  SetColorProp(owner, L"FooterCellColor", global);
  SetColorProp(owner, L"TitleColor", global);
  if (section) SetColorProp(owner, L"IndicatorIconColor", section->FontColor[0]);
}

void TacGridWnd::RestoreOriginalParams() {
  TacEditWnd::RestoreOriginalParams();
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  if (!owner || Destroying(owner)) return;
  SetColorProp(owner, L"FixedColor", SavedFixedColor);
  if (TFont* font = FontProp(owner, IsAdvGrid(owner) ? L"FixedFont" : L"TitleFont"))
    if (SavedTitleFontColor != clNone) font->SetColor(SavedTitleFontColor);
  if (IsAdvGrid(owner)) {
    if (auto* columns = dynamic_cast<TCollection*>(ObjectProp(owner, L"Columns"))) {
      for (int i = 0; i < columns->Count(); ++i) {
        TCollectionItem* column = columns->Items(i);
        if (TFont* font = FontProp(column, L"HeaderFont")) font->SetColor(SavedTitleFontColor);
        if (TFont* font = FontProp(column, L"Font")) font->SetColor(SavedFontColor);
        SetColorProp(column, L"Color", SavedColor);
      }
    }
  }
  SetColorProp(owner, L"FooterColor", SavedFooterColor);
  SetColorProp(owner, L"FooterCellColor", SavedFooterCellColor);
  SetColorProp(owner, L"TitleColor", SavedTitleColor);
  SetColorProp(owner, L"IndicatorIconColor", SavedIndicatorIconColor);
}

void TacGridWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_NCPAINT:
      if (IsWindowVisible(Handle)) SkinData->Updating = false;
      break;
    case WM_VSCROLL:
      if (Has(SkinData->OwnerControl(), L"DataSource")) {
        const int code = LOWORD(message.WParam);
        if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK)
          PositionFromTrack(Handle, SB_VERT, code == SB_THUMBPOSITION ? 1 : 0);
      }
      break;
    case WM_PRINT: {
      EditMessage(message);
      HDC dc = reinterpret_cast<HDC>(message.WParam);
      if (Released || !dc) return;
      RECT client{};
      GetClientRect(Handle, &client);
      const int saved = SaveDC(dc);
      POINT origin{};
      GetViewportOrgEx(dc, &origin);
      SetViewportOrgEx(dc, origin.x + EdgeLeft, origin.y + EdgeLeft, nullptr);
      IntersectClipRect(dc, 0, 0, client.right, client.bottom);
      SendMessageW(Handle, WM_PAINT, message.WParam, 0);
      RestoreDC(dc, saved);
      return;
    }
    default:
      break;
  }
  EditMessage(message);
  if (Released) return;
  if (message.Msg == WM_PAINT) RefreshScrollInfo(true);
  if (message.Msg == WM_WINDOWPOSCHANGED && IsWindowVisible(Handle)) SendMessageW(Handle, WM_NCPAINT, 0, 0);
}

// ---- virtual trees ------------------------------------------------------------------------------------

void TacVirtualTreeViewWnd::StoreOriginalParams() {
  TacEditWnd::StoreOriginalParams();
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  if (!owner) return;
  TObject* colors = ObjectProp(owner, L"VETColors");
  SavedCompressedTextColor = ColorProp(colors, L"CompressedTextColor", clNone);
  SavedFileTextColor = ColorProp(colors, L"FileTextColor", clNone);
  SavedFolderTextColor = ColorProp(colors, L"FolderTextColor", clNone);
  SavedOwnerDraw = HeaderOwnerDraw(ObjectProp(owner, L"Header"));
}

void TacVirtualTreeViewWnd::ApplySkinParams() {
  TacEditWnd::ApplySkinParams();
  TControl* owner = SkinData->OwnerControl();
  const TsGeneralData* section = SkinData->Section();
  if (!owner || !section) return;
  TObject* colors = ObjectProp(owner, L"VETColors");
  for (const wchar_t* name : {L"CompressedTextColor", L"FileTextColor", L"FolderTextColor"})
    SetColorProp(colors, name, section->HotFontColor[0]);
  SetHeaderOwnerDraw(ObjectProp(owner, L"Header"), true);
}

void TacVirtualTreeViewWnd::RestoreOriginalParams() {
  TacEditWnd::RestoreOriginalParams();
  TControl* owner = SkinData ? SkinData->OwnerControl() : nullptr;
  if (!owner || Destroying(owner)) return;
  TObject* colors = ObjectProp(owner, L"VETColors");
  SetColorProp(colors, L"CompressedTextColor", SavedCompressedTextColor);
  SetColorProp(colors, L"FileTextColor", SavedFileTextColor);
  SetColorProp(colors, L"FolderTextColor", SavedFolderTextColor);
  SetHeaderOwnerDraw(ObjectProp(owner, L"Header"), SavedOwnerDraw);
}

void TacVirtualTreeViewWnd::ProcessMessage(TMessage& message) {
  if (Released || !SkinData || !SkinData->Skinned()) {
    EditMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LOWORD(message.WParam) == SB_THUMBTRACK)
        PositionFromTrack(Handle, message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, 0);
      break;
    default:
      break;
  }
  EditMessage(message);
}

// ---- data-aware combo boxes ---------------------------------------------------------------------------

TacWWComboBoxWnd::TacWWComboBoxWnd(TWinControl* control, TsCommonData* skinData, TsSkinManager* manager,
                                   const String& section)
    : TacComboBoxWnd(control->Handle(), skinData, manager, section) {
  HasButton = true;
  if (control->ClassName() == L"TComboBox" && Has(control, L"Style")) {
    const String style = GetEnumProp(control, L"Style");
    HasButton = style == L"csDropDown" || style == L"csDropDownList";
  }
}

void TacWWComboBoxWnd::GetButtonRect(TRect& r) {
  ButtonRectOfWidth(HasButton ? GetSystemMetrics(SM_CXVSCROLL) : 0, r);
}
