#pragma once
// The navigation bar's generated art, Windows-free: the four embedded skins (resource type
// "DXNAVBARSKINS", written in the 1.01 "dxSkin" layout) and the sign and navigation-pane bitmaps
// (24-bit .bmp files whose bottom-left pixel is the transparent key). Everything is drawn by this
// project's rasterizer and written by its PNG codec, so the output depends only on the sources
// (and zlib).

#include <cstdint>
#include <string>
#include <vector>

#include "ui/navbar/skins/SkinStreamLayout.h"

namespace navbar_art {

struct ArtFile {
  std::string Name;  // the resource name (and, lower-cased, the file name's stem)
  std::vector<std::uint8_t> Bytes;
};

enum class Scheme { Office12Blue, Office12Black, Office12Silver, Vista };
constexpr Scheme kSchemes[] = {Scheme::Office12Blue, Scheme::Office12Black, Scheme::Office12Silver, Scheme::Vista};

// "OFFICE12_BLUE", "OFFICE12_BLACK", "OFFICE12_SILVER", "VISTA".
const char* SkinResourceName(Scheme scheme);
// The skin as records (PNG bytes included); the embedded form is WriteSkinStream(..., 1.01).
dxskin::SkinRecord MakeSkin(Scheme scheme);
// The four skins, each as its 1.01 stream.
std::vector<ArtFile> MakeSkins();
// The ten bitmaps: two explorer-bar signs (22 x 22), two task-pane signs (16 x 16), six pane bitmaps.
std::vector<ArtFile> MakeBitmaps();

}  // namespace navbar_art
