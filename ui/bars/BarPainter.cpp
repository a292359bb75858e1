#include "ui/bars/BarPainter.h"

DEFINE_CLASS(TdxBarPainter)

namespace {

TdxBarPainterClass g_painterClasses[5] = {};
TdxBarPainterClass g_skinnedPainterClass = nullptr;

}  // namespace

TdxBarPainterClass BarPainterClassFor(int ResolvedStyle) {
  if (ResolvedStyle >= brsStandard && ResolvedStyle < brsSkinned) return g_painterClasses[ResolvedStyle];
  if (ResolvedStyle == brsSkinned && g_skinnedPainterClass) return g_skinnedPainterClass;
  return g_painterClasses[brsStandard];
}

void SetBarPainterClass(int ResolvedStyle, TdxBarPainterClass PainterClass) {
  if (ResolvedStyle >= brsStandard && ResolvedStyle < brsSkinned)
    g_painterClasses[ResolvedStyle] = PainterClass;
  else if (ResolvedStyle == brsSkinned)
    g_skinnedPainterClass = PainterClass;
}

int ResolvePainterStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle, bool ThemesAvailable,
                        bool HasSkinPainter) {
  switch (Style) {
    case bmsXP: return ThemesAvailable ? brsXP : brsEnhanced;
    case bmsUseLookAndFeel:
      if (NativeStyle && ThemesAvailable) return brsXP;
      if (HasSkinPainter) return brsSkinned;
      switch (Kind) {
        case lfFlat: return brsEnhanced;
        case lfStandard: return brsStandard;
        case lfUltraFlat: return brsFlat;
        case lfOffice11: return brsOffice11;
      }
      return brsStandard;
    default: return int(Style);
  }
}

TdxBarManagerStyle EffectiveBarStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle,
                                     bool ThemesAvailable) {
  if (Style != bmsUseLookAndFeel) return Style;
  if (NativeStyle && ThemesAvailable) return bmsXP;
  switch (Kind) {
    case lfFlat: return bmsEnhanced;
    case lfStandard: return bmsStandard;
    case lfUltraFlat: return bmsFlat;
    case lfOffice11: return bmsOffice11;
  }
  return bmsStandard;
}
