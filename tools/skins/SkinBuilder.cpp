#include "tools/skins/SkinBuilder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

void Put16(std::vector<Byte>& out, std::uint32_t v) {
  out.push_back(Byte(v));
  out.push_back(Byte(v >> 8));
}
void Put32(std::vector<Byte>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// File and info headers of a bottom-up BMP.
std::vector<Byte> BmpHeaders(int width, int height, int bits, std::uint32_t paletteSize, std::uint32_t stride) {
  std::vector<Byte> out;
  std::uint32_t offset = 14 + 40 + paletteSize * 4;
  std::uint32_t imageSize = stride * std::uint32_t(height);
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + imageSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, std::uint32_t(width));
  Put32(out, std::uint32_t(height));
  Put16(out, 1);
  Put16(out, std::uint32_t(bits));
  Put32(out, 0);
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, paletteSize);
  Put32(out, 0);
  return out;
}

std::string Padded(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

}  // namespace

void TSkinBitmap::FillRect(int left, int top, int right, int bottom, std::uint32_t color) {
  for (int y = std::max(top, 0); y < std::min(bottom, Height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, Width); ++x) At(x, y) = color;
}

void TSkinBitmap::Put(const TSkinBitmap& source, int x, int y) {
  for (int row = 0; row < source.Height; ++row)
    for (int column = 0; column < source.Width; ++column) At(x + column, y + row) = source.At(column, row);
}

std::vector<Byte> EncodeBmp24(const TSkinBitmap& bitmap) {
  std::uint32_t stride = (std::uint32_t(bitmap.Width) * 3 + 3) & ~3u;
  std::vector<Byte> out = BmpHeaders(bitmap.Width, bitmap.Height, 24, 0, stride);
  for (int y = bitmap.Height - 1; y >= 0; --y) {
    std::size_t start = out.size();
    for (int x = 0; x < bitmap.Width; ++x) {
      std::uint32_t c = bitmap.At(x, y);
      out.push_back(Byte(c >> 16));
      out.push_back(Byte(c >> 8));
      out.push_back(Byte(c));
    }
    out.resize(start + stride, 0);
  }
  return out;
}

std::vector<Byte> EncodeBmp8(const TSkinBitmap& bitmap) {
  std::map<std::uint32_t, std::uint32_t> indexes;
  std::vector<std::uint32_t> palette;
  for (std::uint32_t c : bitmap.Pixels)
    if (indexes.emplace(c, std::uint32_t(palette.size())).second) palette.push_back(c);
  if (palette.size() > 256)
    throw std::runtime_error("an 8-bit skin image holds " + std::to_string(palette.size()) + " colours, more than 256");
  std::uint32_t stride = (std::uint32_t(bitmap.Width) + 3) & ~3u;
  std::vector<Byte> out = BmpHeaders(bitmap.Width, bitmap.Height, 8, std::uint32_t(palette.size()), stride);
  for (std::uint32_t c : palette) Put32(out, SkinRgb(int(c >> 16), int(c >> 8), int(c)));  // B, G, R, 0
  for (int y = bitmap.Height - 1; y >= 0; --y) {
    std::size_t start = out.size();
    for (int x = 0; x < bitmap.Width; ++x) out.push_back(Byte(indexes[bitmap.At(x, y)]));
    out.resize(start + stride, 0);
  }
  return out;
}

TSkinIniBuilder& TSkinIniBuilder::Section(const std::string& name) {
  sections_.push_back({name, {}});
  return *this;
}

TSkinIniBuilder& TSkinIniBuilder::Key(const std::string& name, const std::string& value) {
  sections_.back().Keys.emplace_back(name, value);
  return *this;
}

TSkinIniBuilder& TSkinIniBuilder::Key(const std::string& name, long long value) {
  return Key(name, std::to_string(value));
}

std::vector<std::string> TSkinIniBuilder::SectionNames() const {
  std::vector<std::string> names;
  for (const Entry& section : sections_) names.push_back(section.Name);
  return names;
}

std::vector<Byte> TSkinIniBuilder::Bytes() const {
  std::string text;
  for (const Entry& section : sections_) {
    text += "[" + section.Name + "]\r\n";
    for (const auto& [name, value] : section.Keys) text += name + "=" + value + "\r\n";
    text += "\r\n";
  }
  return std::vector<Byte>(text.begin(), text.end());
}

std::vector<Byte> TSkinPackage::Archive(bool imagesFirst) const {
  std::vector<TSkinArchiveEntry> entries;
  TSkinArchiveEntry ini{"Options.dat", Ini.Bytes()};
  if (!imagesFirst) entries.push_back(ini);
  entries.insert(entries.end(), Images.begin(), Images.end());
  if (imagesFirst) entries.push_back(ini);
  return WriteSkinArchive(entries);
}

void WriteFileBytes(const std::string& path, const std::vector<Byte>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!file) throw std::runtime_error("could not write " + path);
}

void TSkinPackage::WriteFolder(const std::string& folder) const {
  std::filesystem::create_directories(folder);
  WriteFileBytes(folder + "/Options.dat", Ini.Bytes());
  for (const TSkinArchiveEntry& image : Images) WriteFileBytes(folder + "/" + image.Name, image.Data);
}

std::string BorderMaskValue(int left, int top, int right, int bottom, int wl, int wt, int wr, int wb,
                            int imageCount, int maskType, int stretchMode, int borderWidth) {
  return "^" + Padded(left, 4) + "^" + Padded(top, 4) + "^" + Padded(right, 4) + "^" + Padded(bottom, 4) + "^" +
         Padded(wl, 4) + "^" + Padded(wt, 4) + "^" + Padded(wr, 4) + "^" + Padded(wb, 4) + "^" +
         std::to_string(imageCount) + "^" + std::to_string(maskType) + "^" + std::to_string(stretchMode) + "^" +
         std::to_string(borderWidth);
}

std::string GlyphMaskValue(int left, int top, int right, int bottom, int imageCount, int maskType) {
  return "@" + Padded(left, 4) + "@" + Padded(top, 4) + "@" + Padded(right, 4) + "@" + Padded(bottom, 4) + "@" +
         std::to_string(imageCount) + "@" + std::to_string(maskType);
}
