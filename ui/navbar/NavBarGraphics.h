#pragma once
// The navigation bar's drawing routines and shared resources: colour shades, the two-level frame,
// the alpha gradient through GDI+, the system message font, and the reference-counted resources the
// views hold while they exist: the explorer-bar and task-pane colour sets with their sign bitmaps,
// the navigation pane's bitmaps, and the shell's explorer-bar style (bitmaps, fonts, border colour
// read from its style sheet by TdxStyleSheetParser).

#include <memory>

#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/foundation/Canvas.h"

// ---- colours ----------------------------------------------------------------------------------

TColor ShadeLight80(TColor Color);
// The disabled variant of a colour.
TColor ShadeLight40(TColor Color);
TColor ShadeLight70(TColor Color);
TColor ShadeLight20(TColor Color);
TColor ShadeDark60(TColor Color);
TColor ShadeDark70(TColor Color);
TColor ShadeDark20(TColor Color);

// Object state flags of the views: 1 active, 2 disabled, 4 expanded, 8 hot, 16 pressed, 32 selected,
// 64 special, 128 focused.
enum : int {
  nbisActive = 1,
  nbisDisabled = 2,
  nbisExpanded = 4,
  nbisHot = 8,
  nbisPressed = 16,
  nbisSelected = 32,
  nbisSpecial = 64,
  nbisFocused = 128
};

// The link colour without a colour scheme: a dark shade of the highlight colour.
TColor SchemelessLinkColor();
// clNone becomes the scheme-less link colour; disabled ShadeLight40, selected, hot or pressed
// ShadeLight80, else the colour.
TColor StateTextColor(TColor Color, int State);

DWORD MakeARGB(Byte Alpha, Byte Red, Byte Green, Byte Blue);
// The colour resolved to RGB, with the alpha in the top byte.
DWORD ColorToARGB(TColor Color, Byte Alpha);
// Channels of a 0x00RRGGBB value, the swap between that order and the framework's 0x00BBGGRR, and a
// framework colour split into its bytes.
inline Byte RedOfRGB(DWORD Value) { return Byte(Value >> 16); }
inline Byte GreenOfRGB(DWORD Value) { return Byte(Value >> 8); }
inline Byte BlueOfRGB(DWORD Value) { return Byte(Value); }
inline DWORD SwapRedBlue(DWORD Value) { return (Value & 0xFF00FF00u) | (Value >> 16 & 0xFF) | (Value & 0xFF) << 16; }
void SplitColor(TColor Color, Byte& Blue, Byte& Green, Byte& Red);

// ---- drawing ----------------------------------------------------------------------------------

// Two one-pixel frames: the outer on R, the inner on R shrunk by 1; each side pair drawn only when
// its colour is not clNone.
void DrawFrame(TcxCanvas* Canvas, const TRect& R, TColor OuterTopLeft, TColor OuterBottomRight, TColor InnerTopLeft,
               TColor InnerBottomRight);
// Fills R with a GDI+ linear gradient from Color1 (Alpha1) to Color2 (Alpha2); Mode 0 horizontal,
// 1 vertical, 2 forward and 3 backward diagonal. Nothing without GDI+.
void GradientFillGdiPlus(HDC DC, const TRect& R, TColor Color1, TColor Color2, Byte Alpha1, Byte Alpha2, int Mode);
// The font becomes the system's message font (the stock GUI font when that cannot be read).
void MessageFont(TFont* Font);

// ---- shared resources -------------------------------------------------------------------------

struct TdxNavBarExplorerBarColors {
  TColor Background1, Background2, LinkText, LinkTextHot, GroupBackground, Caption1, Caption2, CaptionSign,
      CaptionSignHot, CaptionText, CaptionTextHot, SpecialCaption1, SpecialCaption2, SpecialCaptionSign,
      SpecialCaptionSignHot, SpecialCaptionText, SpecialCaptionTextHot;
};
struct TdxNavBarTaskPaneColors {
  TColor TaskPaneBackground1, TaskPaneBackground2, TaskPaneGroupBackground1, TaskPaneGroupBackground2,
      TaskPaneCaption1, TaskPaneCaption2, TaskPaneGroupBorder, TaskPaneCaptionText, TaskPaneLinkText;
};

// The explorer-bar colours and signs ("DXNAVBARADVEXPLORERBARGROUPCAPTIONEXPANDSIGN", "...COLLAPSESIGN").
const TdxNavBarExplorerBarColors& ExplorerBarColors();
void AcquireExplorerBarColors();
void RefreshExplorerBarColors();
void ReleaseExplorerBarColors();
TBitmap* ExplorerBarSignBitmap(bool Expand);

// The task-pane colours and signs ("DXNAVBAROFFICE11EXPANDSIGN", "DXNAVBAROFFICE11COLLAPSESIGN").
const TdxNavBarTaskPaneColors& TaskPaneColors();
void AcquireTaskPaneColors();
void RefreshTaskPaneColors();
void ReleaseTaskPaneColors();
TBitmap* TaskPaneSignBitmap(bool Expand);

// The navigation pane's bitmaps, each transparent by its bottom-left pixel.
enum TdxNavPaneBitmap { npbOverflow, npbSplitter, npbArrowUp, npbArrowDown, npbDefaultLarge, npbDefaultSmall };
void AcquireNavPaneBitmaps();
void RefreshNavPaneBitmaps();
void ReleaseNavPaneBitmaps();
TBitmap* NavPaneBitmap(TdxNavPaneBitmap Which);

// The shell's explorer-bar style: bitmaps by resource number (112, 110, 100-107, 114), four fonts
// and the box border colour (clNone when unknown).
enum TdxShellStyleFont { ssfLink, ssfLinkHot, ssfCaption, ssfCaptionHot };
void AcquireShellStyle();
void RefreshShellStyle();
void ReleaseShellStyle();
HINSTANCE ShellStyleModule();
TBitmap* ShellStyleBitmap(int ResourceNumber);
TFont* ShellStyleFont(TdxShellStyleFont Which);
TColor ShellStyleBorderColor();

// Reference counts, for tests.
int ExplorerBarColorsCount();
int TaskPaneColorsCount();
int NavPaneBitmapsCount();
int ShellStyleCount();

// ---- the style-sheet parser ---------------------------------------------------------------------

class TdxStyleSheetParser : public TObject {
  DECLARE_CLASS(TdxStyleSheetParser, TObject)
 public:
  explicit TdxStyleSheetParser(const String& Text);
  ~TdxStyleSheetParser() override;

  // Applies the style's font size, weight, decoration and colour (a colour that is black or cannot
  // be read is not applied).
  void ParseFont(TFont* Font, const String& StyleName);
  // The style's "BORDER:" colour; a colour that cannot be read leaves Color as it was.
  void ParseBorderColor(TColor& Color, const String& StyleName);
  // The first line whose upper-cased text starts with the upper-cased name; empty when none.
  String StyleLine(const String& StyleName);
  // The text after the key (any case) up to ";" or, without one, "}"; empty without the key.
  String StyleValue(const String& Line, const String& Key);
  // "#RRGGBB" or a web colour name (an unknown name is 0); 0 for anything malformed.
  TColor ParseColor(const String& Text);
  // As ParseColor, but false for a malformed "#" value.
  bool TryParseColor(const String& Text, TColor& Color);

  TStringList* Styles() const { return styles_; }

 private:
  TStringList* styles_;
};
