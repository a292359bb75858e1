#include "platform/audio/codecs/WmaFile.h"

#include <cstring>

const wchar_t* const kWmaDecoderMissing =
    L"Windows Media Audio files need the Windows Media Audio decoder of Media Foundation, which this system "
    L"does not have.";
const wchar_t* const kWmaEncoderMissing =
    L"Windows Media Audio files need the Windows Media Audio encoder of Media Foundation, which this system "
    L"does not have.";

const wchar_t* const kWmaFileTooLarge = L"Windows Media Audio: the file is too large to be read.";

const WmaProfile* FindWmaProfile(int number) {
  static constexpr WmaProfile kProfiles[] = {
      {36, 8000, 1, 8},    {23, 22050, 2, 32}, {16, 44100, 1, 48}, {13, 44100, 2, 64},
      {11, 44100, 2, 96},  {10, 44100, 2, 128}, {8, 44100, 2, 192},
  };
  for (const WmaProfile& p : kProfiles)
    if (p.Number == number) return &p;
  return nullptr;
}

bool LooksLikeWma(const ByteSource& source) {
  static const unsigned char kAsfHeader[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                               0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
  unsigned char head[16] = {};
  return source.ReadAt(0, head, sizeof head) == sizeof head && std::memcmp(head, kAsfHeader, sizeof head) == 0;
}
