#include "ui/navbar/skins/SkinPictureDecode.h"

#include <exception>

#include "ui/extras/png/PngHeaderChunk.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/extras/png/PngSamples.h"

namespace dxskin {

bool DecodeSkinPicture(const std::vector<std::uint8_t>& Png, DecodedPicture& Picture) {
  TPngImageCore image;
  try {
    TPngMemoryStream stream(Png);
    image.LoadFromStream(stream);
  } catch (const std::exception&) {
    return false;
  }
  if (!image.HasHeader()) return false;
  const TChunkIHDR& header = image.HeaderChunk();
  const bool alpha = header.ColorType == 6;
  if ((header.ColorType != 2 && !alpha) || header.BitDepth != 8 || !header.HasFrame() ||
      image.TransparencyKind() == trColorKey || !IsIdentityGamma(image.GammaForward))
    return false;
  Picture.Width = int(header.Width);
  Picture.Height = int(header.Height);
  Picture.Bgra.resize(std::size_t(header.Width) * header.Height * 4);
  std::uint8_t* out = Picture.Bgra.data();
  for (Cardinal y = 0; y < header.Height; ++y) {
    const Byte* bgr = image.PixelRow(y);
    const Byte* a = alpha ? image.AlphaRow(y) : nullptr;
    for (Cardinal x = 0; x < header.Width; ++x, out += 4) {
      out[0] = bgr[3 * x], out[1] = bgr[3 * x + 1], out[2] = bgr[3 * x + 2];
      out[3] = a ? a[x] : 255;
    }
  }
  return true;
}

}  // namespace dxskin
