#pragma once
// Builds skins in memory, Windows-free: bitmaps of RGB colours encoded as BMP files (24-bit, or
// 8-bit with a palette), the skin INI text, and the packed archive or the skin folder. Shared by the
// skin generator and the tests, which make their own small and damaged skins with it.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/base/Types.h"
#include "ui/skins/core/SkinArchive.h"

// Colours are 0x00BBGGRR (red in the low byte), as in the skin INI.
constexpr std::uint32_t kSkinKeyColor = 0xFF00FF;
constexpr std::uint32_t SkinRgb(int r, int g, int b) {
  return std::uint32_t(r & 0xFF) | std::uint32_t(g & 0xFF) << 8 | std::uint32_t(b & 0xFF) << 16;
}

struct TSkinBitmap {
  TSkinBitmap() = default;
  TSkinBitmap(int width, int height, std::uint32_t fill = kSkinKeyColor)
      : Width(width), Height(height), Pixels(std::size_t(width) * std::size_t(height), fill) {}
  std::uint32_t& At(int x, int y) { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  std::uint32_t At(int x, int y) const { return Pixels[std::size_t(y) * std::size_t(Width) + std::size_t(x)]; }
  void FillRect(int left, int top, int right, int bottom, std::uint32_t color);
  // Copies the whole of source with its top-left corner at (x, y).
  void Put(const TSkinBitmap& source, int x, int y);

  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

std::vector<Byte> EncodeBmp24(const TSkinBitmap& bitmap);
// Raises std::runtime_error when the bitmap holds more than 256 colours.
std::vector<Byte> EncodeBmp8(const TSkinBitmap& bitmap);

// The skin INI, sections and keys in the order they were added, CR LF line ends.
class TSkinIniBuilder {
 public:
  TSkinIniBuilder& Section(const std::string& name);
  TSkinIniBuilder& Key(const std::string& name, const std::string& value);
  TSkinIniBuilder& Key(const std::string& name, long long value);
  std::vector<std::string> SectionNames() const;
  std::vector<Byte> Bytes() const;

 private:
  struct Entry {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;
  };
  std::vector<Entry> sections_;
};

// A whole skin: the INI text and its images, as an archive or as a folder.
struct TSkinPackage {
  TSkinIniBuilder Ini;
  std::vector<TSkinArchiveEntry> Images;  // entry name and encoded file

  // The INI entry first, or after the images.
  std::vector<Byte> Archive(bool imagesFirst = false) const;
  // Writes "Options.dat" and the images into the folder (created when missing).
  void WriteFolder(const std::string& folder) const;
};

// "^" border mask text: rectangle, border widths, image count, mask type, stretch mode, border width.
std::string BorderMaskValue(int left, int top, int right, int bottom, int wl, int wt, int wr, int wb,
                            int imageCount, int maskType, int stretchMode, int borderWidth);
// "@" glyph mask text.
std::string GlyphMaskValue(int left, int top, int right, int bottom, int imageCount, int maskType);

void WriteFileBytes(const std::string& path, const std::vector<Byte>& bytes);
