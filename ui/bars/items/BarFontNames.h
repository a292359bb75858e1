#pragma once
// The installed font faces the font-name combo lists, and its prefix completion of typed text.
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

struct TdxBarFontFace {
  String Name;
  bool TrueType = false;
};

// Every face the device context reports, once per name (the first report gives the TrueType flag),
// in the order of enumeration.
std::vector<TdxBarFontFace> EnumerateFontFaces(HDC DC);
// The faces of the default printer when one is installed and answers, else those of the screen.
std::vector<TdxBarFontFace> InstalledFontFaces();
// The entry that shares the longest case-insensitive prefix with Value (the first such, a full match
// ends the search), in its own spelling; Value itself when no entry shares even its first character.
String CompleteFromEntries(const std::vector<String>& Entries, const String& Value);

#include "ui/bars/BarEditControls.h"

class TFontDialog;

// A combo of the installed font faces, sorted, each entry marked TrueType or not (a bitmap before
// the name). While one of its links is active, a typed text completes to the entry that shares the
// longest prefix with it.
class TdxBarFontNameCombo : public TdxBarCustomCombo {
  DECLARE_CLASS(TdxBarFontNameCombo, TdxBarCustomCombo)
 public:
  explicit TdxBarFontNameCombo(TComponent* AOwner);
  // The faces of InstalledFontFaces() as entries (the TrueType flag in each entry's object slot).
  void FillFontNames();
  bool IsTrueType(int Index) const;
  void SetText(const String& Value) override;
  // After the ordinary click run as a command (not by a control opening its editor), without an
  // OnClick handler and unless ReadOnly: the font dialog.
  void Click() override;
  void DrawListItem(TdxBarPainter* Painter, int Index, TOwnerDrawState State, const TRect& R) override;
  void ListItemWidth(int Index, int& Width) override;
};

// The extended items' mark of a TrueType or another font; null while the items are not started.
TBitmap* dxBarFontTypeBitmap(bool TrueType);
// The font dialog the font-name combos share; made on first use.
TFontDialog* dxBarFontDialog();
void FreeBarFontDialog();
