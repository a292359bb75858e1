#pragma once
// The value forms of the skin INI, Windows-free: numbers, mask values, gradient text, and the hue
// and saturation changes of colours. Colours are 32-bit values with red in the low byte.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Types.h"

// A value that should be a number and is not: "'<text>' is not a valid integer value".
FRAMEWORK_EXCEPTION(ESkinValueError, Exception);

// Integer text with optional blanks around it, a sign, and "$", "0x" or "0X" for hexadecimal.
bool TryParseSkinInteger(const String& text, std::int32_t& value);
// The same, raising ESkinValueError.
std::int32_t ParseSkinInteger(const String& text);

enum class TacImgType : std::uint8_t { itisaBorder, itisaTexture, itisaGlyph };

// How a mask value names its image.
enum class TMaskImageSource : std::uint8_t { Master, OwnImage };

// What one mask value says before its image is at hand.
struct TMaskShape {
  TMaskImageSource Source = TMaskImageSource::Master;
  String ImageName;            // OwnImage: the file or archive entry (as written)
  bool WholeImage = false;     // the rectangle is the whole own image
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::int16_t ImageCount = 1;
  std::int16_t MaskType = 0;
  std::int16_t BorderWidth = 0;
  std::int16_t StretchMode = 0;
  TacImgType ImgType = TacImgType::itisaBorder;
  std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;
  bool HasBorders = false;     // OwnImage: words 5 to 8 were given
};

// The mask a value describes, or nothing when the value has none of the mask forms. key is the
// INI key (PATTERN and HOTPATTERN make "#" values textures). Raises ESkinValueError for a
// non-numeric field of a fixed-position form.
std::optional<TMaskShape> ParseMaskValue(const String& key, const String& value);

// The width and height of one state frame of a rectangle holding imageCount frames side by side
// and maskType + 1 layers stacked; an image count of 0 (or a negative layer count) reads as 1.
struct TFrameSize {
  int Width = 0;
  int Height = 0;
};
TFrameSize MaskFrameSize(int rectWidth, int rectHeight, int imageCount, int maskType);

// Borders of a border mask whose four widths are 0: BorderWidth on all sides when set, else a
// third of one frame's width and height.
void CompleteMaskBorders(TMaskShape& shape, int rectWidth, int rectHeight);

// One gradient segment.
struct TsGradRecord {
  std::int32_t Color1 = 0;
  std::int32_t Color2 = 0;
  std::int32_t Percent = 0;
  std::int32_t Mode1 = 0;
  std::int32_t Mode2 = 0;
};
using TsGradArray = std::vector<TsGradRecord>;

// Groups of five ";"-separated numbers; a trailing incomplete group is ignored, shares above 100
// become 100. Raises ESkinValueError for a value that is not a number.
void ParseGradientData(const String& text, TsGradArray& result);

// Moves each channel towards (positive amount) or away from the channels' average by amount percent.
std::uint32_t ChangeSaturation(std::uint32_t color, int amount);
// Turns the hue of an RGB colour by offset degrees; grey stays as it is.
std::uint32_t ChangeHue(int offset, std::uint32_t color);

// Words of a text: maximal runs of characters outside the delimiters (positions count from 1).
int NthWordPos(int n, const String& text, const String& delims);
String NthWord(int n, const String& text, const String& delims);
int CountWords(const String& text, const String& delims);
String RemoveChar(const String& text, wchar_t c);
String ReplaceAll(const String& text, const String& find, const String& replacement);
// Hexadecimal text, upper-cased, one trailing "H" dropped; 0 for anything else.
Int64 HexToInt64(const String& text);
String UpperCaseAscii(String text);
