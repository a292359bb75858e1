#pragma once
// The "dxSkin" stream's byte layout, Windows-free: one plain record tree and its reader and writer.
// The skin engine builds its objects from what ReadSkinStream read, so damaged bytes are refused
// before a skin is touched; the art generator writes the embedded skins with WriteSkinStream, and
// the native damaged-input tests sweep the reader under the sanitizers.
//
// Integers are little-endian; a string is a signed 32-bit byte count and that many 8-bit
// characters; a float is an 8-byte IEEE double. Every count and length is checked against the bytes
// left, so what the reader allocates is bounded by its input.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dxskin {

// The two versions this layout knows: 1.01 image records have no gradient triple.
inline constexpr double kVersion101 = 1.01;
inline constexpr double kVersion102 = 1.02;

// The six property classes a property list may name, and the data each carries.
enum class PropertyKind { Integer, Boolean, Color, Rect, Size, String };
// "TdxSkinIntegerProperty" ... "TdxSkinStringProperty"; false for any other name.
bool PropertyKindOfClass(const std::string& className, PropertyKind& kind);
const char* PropertyClassName(PropertyKind kind);

struct PropertyRecord {
  PropertyKind Kind = PropertyKind::Integer;
  std::string Name;
  // Integer, Color: Values[0]; Rect: left, top, right, bottom; Size: cx, cy.
  std::array<std::int32_t, 4> Values{};
  std::uint8_t Boolean = 0;
  std::string Text;
  bool operator==(const PropertyRecord&) const = default;
};

struct ColorRecord {
  std::string Name;
  std::int32_t Value = 0;
  bool operator==(const ColorRecord&) const = default;
};

struct ImageRecord {
  std::array<std::int32_t, 4> Margins{};  // left, top, right, bottom
  std::uint8_t Layout = 0;                // 0 horizontal, 1 vertical
  std::uint16_t States = 0;               // bit n = element state n
  std::uint8_t Stretch = 0;               // 0 stretch, 1 tile, 2 no resize
  // Only in 1.02 records; a 1.01 record reads as clNone, clNone, horizontal.
  std::int32_t GradientBeginColor = 0x1FFFFFFF;
  std::int32_t GradientEndColor = 0x1FFFFFFF;
  std::uint8_t Gradient = 0;
  std::vector<std::uint8_t> Png;  // the PNG file's bytes; empty for an empty image
  // Where the PNG bytes start in the stream read (0 for a record not read from a stream).
  std::size_t PngOffset = 0;
  bool operator==(const ImageRecord& o) const {
    return Margins == o.Margins && Layout == o.Layout && States == o.States && Stretch == o.Stretch &&
           GradientBeginColor == o.GradientBeginColor && GradientEndColor == o.GradientEndColor &&
           Gradient == o.Gradient && Png == o.Png;
  }
};

struct BorderRecord {
  std::string ClassName = "TdxSkinBorder";
  std::string Name;
  std::int32_t Color = 0x1FFFFFFF;
  std::int32_t Width = 1;
  bool operator==(const BorderRecord&) const = default;
};

struct ElementRecord {
  std::string Name;
  std::int32_t Color = 0x20000000;
  std::uint8_t Alpha = 255;
  std::int32_t ImageCount = 1;
  std::array<std::int32_t, 4> ContentOffset{};
  ImageRecord Glyph, Image;
  std::array<BorderRecord, 4> Borders{BorderRecord{"TdxSkinBorder", "Left"}, BorderRecord{"TdxSkinBorder", "Top"},
                                      BorderRecord{"TdxSkinBorder", "Right"},
                                      BorderRecord{"TdxSkinBorder", "Bottom"}};
  std::int32_t TextColor = 0x20000000;
  std::array<std::int32_t, 2> MinSize{};
  std::vector<PropertyRecord> Properties;
  bool operator==(const ElementRecord&) const = default;
};

struct GroupRecord {
  std::string Name;
  std::vector<ElementRecord> Elements;
  std::vector<PropertyRecord> Properties;
  bool operator==(const GroupRecord&) const = default;
};

struct SkinRecord {
  double Version = kVersion102;
  std::string Name;
  std::vector<ColorRecord> Colors;
  std::vector<PropertyRecord> Properties;
  std::vector<GroupRecord> Groups;
  bool operator==(const SkinRecord&) const = default;
};

// What the reader refuses. InvalidFormat: bad magic, a short header, a count or length that is
// negative or larger than the bytes left, a version above 1.02. VersionTooOld: below 1.0.
// UnknownClass: a property class outside the six (Detail holds the name). UnexpectedEnd: the
// bytes end inside a fixed-size field.
enum class StreamErrorKind { InvalidFormat, VersionTooOld, UnknownClass, UnexpectedEnd };

class StreamError : public std::runtime_error {
 public:
  StreamError(StreamErrorKind kind, std::string detail)
      : std::runtime_error(detail), Kind(kind), Detail(std::move(detail)) {}
  StreamErrorKind Kind;
  std::string Detail;
};

// Reads one skin from data[0, size); Consumed receives the bytes the skin took (the rest is left
// to the caller). Raises StreamError; never reads outside the buffer.
SkinRecord ReadSkinStream(const std::uint8_t* data, std::size_t size, std::size_t* consumed = nullptr);
// Writes the skin in the layout of the given version (1.01 or 1.02): image records of 1.01 carry
// no gradient triple. The skin's own Version field is not written; the version argument is.
std::vector<std::uint8_t> WriteSkinStream(const SkinRecord& skin, double version = kVersion102);

}  // namespace dxskin
