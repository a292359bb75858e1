#include "ui/bars/items/BarFontNames.h"

#include <unordered_set>

#include <memory>

#include "platform/framework/controls/Dialogs.h"
#include "platform/framework/rtl/Printers.h"
#include "ui/bars/items/ExtendedItems.h"

namespace {

struct Collector {
  std::vector<TdxBarFontFace>* Faces;
  std::unordered_set<String> Seen;
};

int CALLBACK CollectFace(const LOGFONTW* Font, const TEXTMETRICW*, DWORD FontType, LPARAM Data) {
  auto* c = reinterpret_cast<Collector*>(Data);
  try {
    // The face name field holds at most 32 characters, terminated or not.
    String name(Font->lfFaceName, wcsnlen(Font->lfFaceName, LF_FACESIZE));
    // A face is reported once per character set it supports: only the first report is listed.
    if (c->Seen.insert(name).second) c->Faces->push_back({name, (FontType & TRUETYPE_FONTTYPE) != 0});
  } catch (...) {
    return 0;
  }
  return 1;
}

wchar_t Lower(wchar_t ch) {
  wchar_t s[2] = {ch, 0};
  CharLowerBuffW(s, 1);
  return s[0];
}

}  // namespace

std::vector<TdxBarFontFace> EnumerateFontFaces(HDC DC) {
  std::vector<TdxBarFontFace> faces;
  if (!DC) return faces;
  Collector c{&faces, {}};
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(DC, &lf, &CollectFace, reinterpret_cast<LPARAM>(&c), 0);
  return faces;
}

std::vector<TdxBarFontFace> InstalledFontFaces() {
  if (HDC printer = CreateDefaultPrinterDC()) {
    std::vector<TdxBarFontFace> faces = EnumerateFontFaces(printer);
    DeleteDC(printer);
    return faces;
  }
  HDC screen = GetDC(nullptr);
  std::vector<TdxBarFontFace> faces = EnumerateFontFaces(screen);
  ReleaseDC(nullptr, screen);
  return faces;
}

String CompleteFromEntries(const std::vector<String>& Entries, const String& Value) {
  int best = -1;
  size_t bestLength = 0;
  for (size_t i = 0; i < Entries.size(); ++i) {
    const String& entry = Entries[i];
    size_t n = 0;
    while (n < entry.size() && n < Value.size() && Lower(entry[n]) == Lower(Value[n])) ++n;
    if (n > bestLength) {
      best = int(i);
      bestLength = n;
    }
    if (!Value.empty() && n == Value.size()) {
      best = int(i);
      break;
    }
  }
  if (best < 0) return Value;
  return Entries[size_t(best)];
}

// ---- the font-name combo --------------------------------------------------------------------------

DEFINE_CLASS(TdxBarFontNameCombo)

namespace {

std::unique_ptr<TFontDialog> g_fontDialog;

}  // namespace

TBitmap* dxBarFontTypeBitmap(bool TrueType) {
  return TrueType ? dxBarTrueTypeFontBitmap() : dxBarNonTrueTypeFontBitmap();
}

TFontDialog* dxBarFontDialog() {
  if (!g_fontDialog) g_fontDialog.reset(new TFontDialog(nullptr));
  return g_fontDialog.get();
}

void FreeBarFontDialog() { g_fontDialog.reset(); }

TdxBarFontNameCombo::TdxBarFontNameCombo(TComponent* AOwner) : TdxBarCustomCombo(AOwner) {
  DropDownCount = 12;
  SetShowEditor(false);
  SetSorted(true);
  SetWidth(160);
  FillFontNames();
}

void TdxBarFontNameCombo::FillFontNames() {
  Items()->BeginUpdate();
  Items()->Clear();
  for (const TdxBarFontFace& face : InstalledFontFaces())
    Items()->AddObject(face.Name, reinterpret_cast<TObject*>(intptr_t(face.TrueType ? 1 : 0)));
  Items()->EndUpdate();
}

bool TdxBarFontNameCombo::IsTrueType(int Index) const {
  return Index >= 0 && Index < Items()->Count() && Items()->Objects(Index) != nullptr;
}

void TdxBarFontNameCombo::SetText(const String& Value) {
  String text = Value;
  if (ActiveLink()) {
    std::vector<String> entries;
    entries.reserve(size_t(Items()->Count()));
    for (int i = 0; i < Items()->Count(); ++i) entries.push_back(Items()->Strings(i));
    text = CompleteFromEntries(entries, Value);
  }
  TdxBarCustomCombo::SetText(text);
}

void TdxBarFontNameCombo::Click() {
  TdxBarCustomCombo::Click();
  // A click that opens a control's editor (it names the clicked link) is no command.
  if (OnClick || ReadOnly() || ClickedLink) return;
  TFontDialog* dialog = dxBarFontDialog();
  dialog->Font()->SetName(GetText());
  if (dialog->Execute()) SetText(dialog->Font()->Name());
}

void TdxBarFontNameCombo::DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R) {
  TcxCanvas* cx = ListCanvas();
  if (OnDrawItem || Index < 0 || Index >= Items()->Count() || !cx) {
    TdxBarCustomCombo::DrawListItem(Painter, Index, State, R);
    return;
  }
  TCanvas* canvas = cx->Canvas();
  canvas->FillRect(R);
  TBitmap* bitmap = dxBarFontTypeBitmap(IsTrueType(Index));
  int x = R.left;
  if (bitmap && !bitmap->Empty()) {
    canvas->Draw(x, R.top + (R.Height() - bitmap->Height()) / 2, bitmap);
    x += bitmap->Width();
  }
  const String text = Items()->Strings(Index);
  const TSize extent = canvas->TextExtent(text);
  const int mode = SetBkMode(canvas->Handle(), TRANSPARENT);
  canvas->TextOut(x + 2, R.top + (R.Height() - extent.cy) / 2, text);
  SetBkMode(canvas->Handle(), mode);
  if (State.Contains(odFocused)) canvas->DrawFocusRect(R);
}

void TdxBarFontNameCombo::ListItemWidth(int Index, int& Width) {
  TdxBarCustomCombo::ListItemWidth(Index, Width);
  TBitmap* bitmap = dxBarFontTypeBitmap(true);
  Width += (bitmap ? bitmap->Width() : 0) + 1;
}
