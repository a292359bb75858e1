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

// 24-bit bitmaps for the pixel probes.
using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;
BitmapPtr FilledBmp24(int width, int height, TColor color);
TColor Pixel24(TBitmap* bmp, int x, int y);
void SetPixel24(TBitmap* bmp, int x, int y, TColor color);

// The bytes of the internal skin the library embeds.
std::vector<Byte> InternalSkinBytes();

struct ManagerDeleter {
  void operator()(TsSkinManager* manager) const { manager->Free(); }
};
using ManagerPtr = std::unique_ptr<TsSkinManager, ManagerDeleter>;
// A manager whose skin directory is the folder; inactive until SkinName is set with Active true.
ManagerPtr NewManager(const String& skinDirectory);
// A manager with the internal skin stored under its name.
ManagerPtr NewInternalManager(const String& skinDirectory);
// A manager with the painting skin loaded from a folder "Painting" under the directory.
ManagerPtr NewPaintingManager(const String& skinDirectory);

}  // namespace skin_testing
