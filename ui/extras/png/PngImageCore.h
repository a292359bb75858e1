#pragma once
// A PNG image as an ordered list of chunks, with everything that needs no graphics interface:
// reading and writing streams, assignment between images, transparency, pixel colours and the
// alpha channel. The program's TPNGObject adds the framework's graphic on top and supplies the
// DIB-section frame through CreateFrame.

#include <array>
#include <memory>

#include "ui/extras/png/PngChunkList.h"
#include "ui/extras/png/PngFilters.h"
#include "ui/extras/png/PngFrame.h"
#include "ui/extras/png/PngSamples.h"
#include "ui/extras/png/PngStream.h"

class TChunkIHDR;

enum TPngInterlacing { ilNone, ilAdam7 };
enum TPngTransparency { trNone, trColorKey, trAlpha };

inline constexpr Cardinal PngDefaultIdatChunkLimit = 65535;

class TPngImageCore {
 public:
  TPngImageCore();
  virtual ~TPngImageCore();
  TPngImageCore(const TPngImageCore&) = delete;
  TPngImageCore& operator=(const TPngImageCore&) = delete;

  TPngGammaTable GammaForward;
  TPngGammaTable GammaInverse;
  TPngRowFilters RowFilters = PngFilterBit(rfSub);
  Byte DeflateLevel = 7;
  TPngInterlacing Interlacing = ilNone;

  Cardinal IdatChunkLimit() const { return idatChunkLimit_; }
  // Values below 65535 store 65535.
  void SetIdatChunkLimit(Cardinal limit);

  TPNGList& ChunkList() { return chunks_; }
  const TPNGList& ChunkList() const { return chunks_; }

  void LoadFromStream(IPngByteStream& stream);
  // Writes nothing and raises when the image could not make a valid file: without a header and
  // frame EPNGHeaderNotPresent, without image data EPNGNoImageData, without its end chunk (a load
  // that failed part way) EPngUnexpectedEnd.
  void SaveToStream(IPngByteStream& stream);
  // Copies the settings and every chunk of source.
  void AssignImage(const TPngImageCore& source);
  // Replaces the image by a zero frame of the given format: header, palette (for colour type 3,
  // 2 ^ bitDepth entries), image data and end chunks.
  void BuildEmptyImage(Byte colorType, Byte bitDepth, Cardinal width, Cardinal height);

  bool Empty() const { return chunks_.Count() == 0; }
  Cardinal Width() const;
  Cardinal Height() const;
  bool HasHeader() const;
  // The first chunk as a header; raises EPNGHeaderNotPresent when it is not one.
  TChunkIHDR& HeaderChunk() const;
  void DropAllChunks();

  TPngTransparency TransparencyKind() const;
  // The colour the frame shows for the transparency chunk's key sample; 0 without one.
  TPngColor KeyColor() const;
  // The colour shown at (x, y); 0 outside the image.
  TPngColor PixelColor(int x, int y) const;
  Byte* PixelRow(Cardinal y) const;
  Byte* AlphaRow(Cardinal y) const;
  void AddAlphaChannel();
  // Palette entry index as a colour; raises EPngError when the image has no such entry.
  TPngColor PaletteEntryColor(int index) const;
  // The colour the frame shows for a stored grey sample of the header's bit depth.
  TPngColor StoredGreyColor(unsigned sample) const;

  // Sets both gamma tables from a file gamma (x 100000); 0 leaves them alone.
  void ApplyGamma(Cardinal gamma);

  // The frame factory: ordinary memory here, a DIB section in the program. Raises
  // EPNGOutMemory when the memory cannot be had.
  virtual std::unique_ptr<IPngFrame> CreateFrame(const TPngFrameLayout& layout);
  // Called whenever a header builds a new frame (cached palettes of the frame are stale).
  virtual void FrameRebuilt() {}

 private:
  void ResetGamma();
  void CheckSavable() const;
  TPngColor ColorOfFrameSample(const TChunkIHDR& header, unsigned sample) const;

  Cardinal idatChunkLimit_ = PngDefaultIdatChunkLimit;
  TPNGList chunks_;
};
