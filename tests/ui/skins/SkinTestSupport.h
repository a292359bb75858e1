#pragma once
// Helpers of the skinning tests: skins built in memory and written where a manager finds them, the
// message boxes a test saw, and a manager on its own (no default manager left behind).

#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "tools/skins/SkinBuilder.h"
#include "ui/skins/core/SkinManager.h"

namespace skin_testing {

std::string Narrow(const String& text);
void WriteBytes(const String& path, const std::vector<Byte>& bytes);

// The boxes shown while the object lives, answered with OK.
class TSeenBoxes {
 public:
  TSeenBoxes();
  ~TSeenBoxes();
  struct Box {
    String Text;
    String Caption;
    UINT Flags;
  };
  std::vector<Box> Boxes;

 private:
  TMessageBoxAnswerer previous_;
};

// A small skin: GLOBALINFO (version 5.43, master bitmap) and the given extra INI text; the master
// bitmap is 40 x 20 (red, fuchsia, grey and blue quarters).
TSkinPackage SmallSkin(const std::string& extraIni = "");
TSkinBitmap SmallMaster();

// The skin the painting tests draw from: its master bitmap (64 x 16) holds, from the left, an 8 x 4
// texture tile, four 3 x 3 corner images, a 6 x 6 one-frame border and a three-frame button face.
// Sections:
//   SOLID    colour kSolid
//   SEE100   transparency 100
//   SEE50    colour black, transparency 50
//   TEX30    colour kTexBase, image percent 30 of the tile (mode 0)
//   TEXTOP   colour kTexBase, image percent 100 of the tile in mode 2 (a band along the top)
//   CORNERS  colour kSolid and the four corner images
//   FACE     colour kSolid, the one-frame border (fuchsia outer corner pixels)
//   GRAD     a vertical gradient from kGradTop to kGradBottom, gradient percent 100
//   BTN      colour kBtn, hot colour kBtnHot, the three-frame face, fading on, 5 iterations
//   BTNLOW   as BTN with transparency 50
//   PLAIN    colour kSolid with fading off, no border
namespace paint_skin {
constexpr TColor kSolid = 0x1E140A;     // RGB(10, 20, 30)
constexpr TColor kTexBase = 0xFA0000;   // RGB(0, 0, 250)
constexpr TColor kTile = 0x2828C8;      // RGB(200, 40, 40)
constexpr TColor kCornerTL = 0x0000FA, kCornerTR = 0x00FA00, kCornerBL = 0xFA0000, kCornerBR = 0x00FAFA;
constexpr TColor kFaceFrame = 0x800000;  // navy
constexpr TColor kGradTop = 0x000000, kGradBottom = 0xFFFFFF;
constexpr TColor kBtn = 0xC8C8C8, kBtnHot = 0xFAFAFA;
// The border colours of the button face's three frames.
constexpr TColor kBtnFrames[3] = {0x404040, 0x00A0F0, 0x206020};
}  // namespace paint_skin
TSkinPackage PaintingSkin();

// The skin of the label, gauge, scroll bar, hint and menu tests; every colour differs from the others.
// Master bitmap (96 x 12): MAINMENU's one-frame border (6 x 6, frame kMenuFrame, three fuchsia
// pixels in each outer corner: two on the edge row, one below), the thumb's and the scroll buttons'
// three-frame faces (2-pixel frames in the listed colours), the GLOBALINFO check glyphs (two solid
// 6 x 6 frames each), the divider channel, and the arrow glyph (a 4 x 4 square, three frames).
namespace controls_skin {
constexpr TColor kGlobalColor = 0x305070, kGlobalFont = 0x102030;
constexpr TColor kLabelBg = 0x20C040, kLabelFont = 0xA01060;
constexpr TColor kGaugeFace = 0x806040, kFill = 0x1080F0;
constexpr TColor kTrack1 = 0x404000, kTrack1Hot = 0x606000, kTrack2 = 0x004040, kTrack2Hot = 0x006060;
constexpr TColor kThumb = 0xB0B0B0, kThumbHot = 0xD0D0D0;
constexpr TColor kThumbFrames[3] = {0x200020, 0x400040, 0x600060};
constexpr TColor kBtn = 0x909000, kBtnHot = 0xB0B000;
constexpr TColor kBtnFrames[3] = {0x002000, 0x004000, 0x006000};
constexpr TColor kArrow = 0x0000C0;
constexpr TColor kMenuBg = 0xE8E0D0, kMenuFrame = 0x503010;
constexpr TColor kItem = 0xF0E8E0, kItemHot = 0x40A0F0, kItemFont = 0x202020, kItemHotFont = 0xFFFFFF;
constexpr TColor kIcoLine = 0xC0B0A0, kExtra = 0x703050, kExtraFont = 0xF0F0F0;
constexpr TColor kCaptionItem = 0x90A0B0, kMenuLine = 0xA0C0E0, kDivider = 0x3050A0;
constexpr TColor kCheck[2] = {0x0000A0, 0x0000F0}, kRadio[2] = {0x00A000, 0x00F000}, kBox[2] = {0xA00000, 0xF00000};
constexpr TColor kHintBody = 0xD0F0F0;
constexpr TColor kEdit = 0xC0F0E0, kEditFont = 0x401020, kEditHot = 0xB0E0F0, kColHeader = 0x70B0A0;
constexpr TColor kToolButton = 0x609060, kToolButtonHot = 0x90C090;
}  // namespace controls_skin
struct TControlsSkinOptions {
  TColor GlobalFont = controls_skin::kGlobalFont;
  bool Check = true;  // GLOBALINFO has "CHECK"
  // "EDIT" (colour kEdit, font kEditFont, hot colour kEditHot, the MAINMENU frame), "COLHEADER"
  // (colour kColHeader) and "TOOLBUTTON" (kToolButton, hot kToolButtonHot): the subclassed windows'
  // sections.
  bool Edits = false;
};
TSkinPackage ControlsSkin(const TControlsSkinOptions& options = {});

// 24-bit bitmaps for the pixel probes.
using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;
BitmapPtr FilledBmp24(int width, int height, TColor color);
TColor Pixel24(TBitmap* bmp, int x, int y);
// A DIB section's 0x00RRGGBB pixel as a colour.
inline TColor FromDib(DWORD rgb) { return TColor((rgb >> 16) & 0xFF) | TColor(rgb & 0xFF00) | TColor(rgb & 0xFF) << 16; }
void SetPixel24(TBitmap* bmp, int x, int y, TColor color);

// The bytes of the internal skin the library embeds.
std::vector<Byte> InternalSkinBytes();

struct ManagerDeleter {
  void operator()(TsSkinManager* manager) const { manager->Free(); }
};
using ManagerPtr = std::unique_ptr<TsSkinManager, ManagerDeleter>;
// A manager whose skin directory is the folder, with no skinning rules (the hook skins only popup
// menu windows); inactive until SkinName is set with Active true.
ManagerPtr NewManager(const String& skinDirectory);
// A manager with the internal skin stored under its name.
ManagerPtr NewInternalManager(const String& skinDirectory);
// A manager with the painting skin loaded from a folder "Painting" under the directory.
ManagerPtr NewPaintingManager(const String& skinDirectory);
// A manager with the controls skin loaded from the folder of that name under the directory.
ManagerPtr NewControlsManager(const String& skinDirectory, const TControlsSkinOptions& options = {},
                              const std::string& name = "Controls");

}  // namespace skin_testing
