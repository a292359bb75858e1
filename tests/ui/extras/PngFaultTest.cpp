// Damaged and unusual input that must be refused cleanly or read correctly.

#include <gtest/gtest.h>

#include <zlib.h>

#include <cmath>
#include <functional>

#include "PngTestSupport.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngImageData.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/png/PngPaletteChunks.h"
#include "ui/extras/png/PngTextChunks.h"

using namespace png_test;

namespace {

Bytes Deflate(const Bytes& raw, const Bytes* dictionary = nullptr) {
  z_stream z{};
  deflateInit(&z, 6);
  if (dictionary) deflateSetDictionary(&z, dictionary->data(), uInt(dictionary->size()));
  Bytes out(deflateBound(&z, uLong(raw.size())));
  z.next_in = const_cast<Byte*>(raw.data());
  z.avail_in = uInt(raw.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

// A 4 x 3 8-bit grey image whose IDAT data is the given zlib stream.
Bytes GreyWithImageData(const Bytes& stream) {
  ImageShape shape;
  shape.ColorType = 0;
  shape.Width = 4;
  shape.Height = 3;
  auto chunks = SplitChunks(MakeImage(shape).File);
  chunks[1].Data = stream;
  return JoinChunks(chunks, true);
}

Bytes GreyRows(int rows) {
  Bytes raw;
  for (int r = 0; r < rows; ++r) raw.insert(raw.end(), {0, Byte(r), 2, 3, 4});
  return raw;
}

std::string ZlibMessage(const Bytes& file) {
  try {
    Load(file);
  } catch (const EPNGZLIBError& e) {
    return std::string(e.Message().begin(), e.Message().end());
  } catch (const Exception&) {
  }
  return "";
}

Bytes WithChunkAdded(const ImageShape& base, const std::string& type, const Bytes& data) {
  ImageShape shape = base;
  shape.AfterData.push_back({type, data});
  return MakeImage(shape).File;
}

}  // namespace

// The zlib trailer just past a full input block, or alone in a short last chunk, is no reason to
// refuse a valid file.
TEST(PngFaults, TrailerBeyondTheLastRowsInputBlock) {
  ImageShape stored;
  stored.ColorType = 0;
  stored.Width = 16381;  // 4 rows of 16382 bytes: header and stored block fill 65535 bytes, the trailer follows
  stored.Height = 4;
  stored.StoredBlocks = true;
  ImageShape shortLast;
  shortLast.ColorType = 2;
  shortLast.Width = 9;
  shortLast.Height = 7;
  const Image base = MakeImage(shortLast);
  auto chunks = SplitChunks(base.File);
  Bytes stream = chunks[1].Data;
  chunks[1].Data.assign(stream.begin(), stream.end() - 4);
  chunks.insert(chunks.begin() + 2, Chunk{"IDAT", Bytes(stream.end() - 4, stream.end()), 0});
  for (const Bytes& file : {MakeImage(stored).File, JoinChunks(chunks, true)}) {
    auto image = Load(file);
    EXPECT_NE(image->Width(), 0u);
  }
  EXPECT_EQ(Load(JoinChunks(chunks, true))->PixelColor(8, 6), Load(base.File)->PixelColor(8, 6));
}

TEST(PngFaults, InflateThatCannotGoOnEndsInAnError) {
  const Bytes dictionary = {1, 2, 3};
  EXPECT_EQ(ZlibMessage(GreyWithImageData(Deflate(GreyRows(3), &dictionary))),
            "Could not decompress the image because it contains invalid compressed data.\r\n Description: need dictionary (2)");
  EXPECT_EQ(ZlibMessage(GreyWithImageData({0x78, 0x9C, 0xFF, 0xFF})),
            "Could not decompress the image because it contains invalid compressed data.\r\n Description: data error (-3)");
  EXPECT_EQ(LoadOutcome(GreyWithImageData(Deflate(GreyRows(2)))), "EPNGMissingMultipleIDAT");
}

TEST(PngFaults, CompressedTextThatCannotBeInflatedIsEmpty) {
  const Bytes dictionary = {'a', 'b'};
  const Bytes whole = Deflate(Bytes(100, 'x'));
  struct Case {
    const char* Name;
    Bytes Data;
  };
  const std::vector<Case> cases = {
      {"needs a dictionary", Deflate(Bytes(50, 'y'), &dictionary)},
      {"ends early", Bytes(whole.begin(), whole.end() - 6)},
      {"damaged", {0x78, 0x9C, 0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    Bytes payload = {'K', 0, 0};
    payload.insert(payload.end(), c.Data.begin(), c.Data.end());
    auto image = Load(WithChunkAdded(ImageShape{}, "zTXt", payload));
    auto* text = image->ChunkList().FindByClass<TChunkzTXt>();
    ASSERT_TRUE(text) << c.Name;
    EXPECT_EQ(text->Keyword, "K") << c.Name;
    EXPECT_EQ(text->Text, "") << c.Name;
  }
}

TEST(PngFaults, CompressedTextIsBoundedAt8MiB) {
  for (std::size_t size : {std::size_t(8) << 20, (std::size_t(8) << 20) + 1}) {
    Bytes payload = {'K', 0, 0};
    const Bytes packed = Deflate(Bytes(size, 'z'));
    payload.insert(payload.end(), packed.begin(), packed.end());
    auto image = Load(WithChunkAdded(ImageShape{}, "zTXt", payload));
    EXPECT_EQ(image->ChunkList().FindByClass<TChunkzTXt>()->Text.size(), size <= (8u << 20) ? size : 0u);
  }
}

TEST(PngFaults, ShortReadsOfLengthOrTypeAreAnUnexpectedEnd) {
  const Bytes file = MakeImage(ImageShape{}).File;
  const std::size_t afterIdat = file.size() - 12;
  for (std::size_t extra = 0; extra < 8; ++extra)
    EXPECT_EQ(LoadOutcome(Bytes(file.begin(), file.begin() + afterIdat + extra)), "EPngUnexpectedEnd") << extra;
}

TEST(PngFaults, LengthsBeyondTheStreamOrTheFormatLimitAreRefused) {
  const Bytes source = MakeImage(ImageShape{}).File;
  const Bytes imageData = SplitChunks(source)[1].Data;  // a whole zlib stream: the rows complete
  for (std::uint32_t length : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 1000u}) {
    for (const char* type : {"tEXt", "IDAT", "cHRM"}) {
      Bytes file(source.begin(), source.begin() + 33);
      const Bytes head = BigEndian32(length);
      file.insert(file.end(), head.begin(), head.end());
      file.insert(file.end(), type, type + 4);
      file.insert(file.end(), imageData.begin(), imageData.end());
      const std::string outcome = LoadOutcome(file);
      if (std::string(type) == "cHRM" && length <= 0x7FFFFFFF)
        EXPECT_EQ(outcome, "EPngUnexpectedEnd") << length;  // skipped, then nothing follows
      else
        EXPECT_EQ(outcome, "EPngInvalidCRC") << type << " " << length;
    }
  }
}

TEST(PngFaults, CompressedTextWithoutTerminatorKeepsThePayloadAsKeyword) {
  auto image = Load(WithChunkAdded(ImageShape{}, "zTXt", {'a', 'b', 'c', 'd', 'e'}));
  auto* text = image->ChunkList().FindByClass<TChunkzTXt>();
  ASSERT_TRUE(text);
  EXPECT_EQ(text->Keyword, "abcde");
  EXPECT_EQ(text->Text, "");
}

TEST(PngFaults, KeyColourIsTheColourTheFrameShows) {
  auto gammaTable = [](std::uint32_t gamma, int i) {
    return Byte(std::nearbyint(255.0 * std::pow(i / 255.0, 1.0 / (gamma / 100000.0 * 2.2))));
  };
  struct Case {
    const char* Name;
    int ColorType, BitDepth;
    std::uint32_t Gamma;
    Bytes Trns;
    TPngColor Expected;
  };
  const std::vector<Case> cases = {
      {"1-bit white", 0, 1, 0, {0, 1}, PngRgb(255, 255, 255)},
      {"2-bit level", 0, 2, 0, {0, 2}, PngRgb(170, 170, 170)},
      {"4-bit level", 0, 4, 0, {0, 3}, PngRgb(51, 51, 51)},
      {"16-bit grey high byte", 0, 16, 0, {0x12, 0xAB}, PngRgb(0x12, 0x12, 0x12)},
      {"8-bit grey with gamma", 0, 8, 45455, {0, 100}, PngRgb(gammaTable(45455, 100), gammaTable(45455, 100), gammaTable(45455, 100))},
      {"16-bit RGB high bytes", 2, 16, 0, {0x10, 1, 0x20, 2, 0x30, 3}, PngRgb(0x10, 0x20, 0x30)},
      {"8-bit RGB with gamma", 2, 8, 45455, {0, 10, 0, 20, 0, 30}, PngRgb(gammaTable(45455, 10), gammaTable(45455, 20), gammaTable(45455, 30))},
  };
  for (const Case& c : cases) {
    ImageShape shape;
    shape.ColorType = c.ColorType;
    shape.BitDepth = c.BitDepth;
    shape.Width = shape.Height = 2;
    shape.Gamma = c.Gamma;
    shape.Transparency = c.Trns;
    auto image = Load(MakeImage(shape).File);
    EXPECT_EQ(image->TransparencyKind(), trColorKey) << c.Name;
    EXPECT_EQ(image->KeyColor(), c.Expected) << c.Name;
  }
}

TEST(PngFaults, KeyColourOfAPaletteImageIsItsTransparentEntry) {
  ImageShape shape;
  shape.ColorType = 3;
  shape.BitDepth = 2;
  shape.Width = shape.Height = 2;
  shape.Gamma = 45455;
  shape.Transparency = {255, 0};
  const Image source = MakeImage(shape);
  auto image = Load(source.File);
  const TPngRgbQuad entry = image->HeaderChunk().ColorTable()[1];
  EXPECT_EQ(image->TransparencyKind(), trColorKey);
  EXPECT_EQ(image->KeyColor(), PngRgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue));
  // A pixel shows the colour-table entry as it is: the palette went through the gamma table once.
  const unsigned index = FrameSample(image->HeaderChunk(), 0, 0);
  const TPngRgbQuad shown = image->HeaderChunk().ColorTable()[index];
  EXPECT_EQ(image->PixelColor(0, 0), PngRgb(shown.rgbRed, shown.rgbGreen, shown.rgbBlue));
}

TEST(PngFaults, ShortTransparencyGivesNoTransparencyAndIsKept) {
  struct Case {
    int ColorType;
    Bytes Trns;
  };
  for (const Case& c : std::vector<Case>{{0, {7}}, {2, {0, 1, 0, 2}}, {0, {}}}) {
    ImageShape shape;
    shape.ColorType = c.ColorType;
    shape.Width = shape.Height = 2;
    auto image = Load(WithChunkAdded(shape, "tRNS", c.Trns));  // after IDAT: placed as read
    EXPECT_EQ(image->TransparencyKind(), trNone);
    EXPECT_EQ(image->KeyColor(), 0u);
    const auto saved = SplitChunks(Save(*image));
    EXPECT_EQ(saved[2].Type, "tRNS");
    EXPECT_EQ(saved[2].Data, c.Trns);
  }
}

TEST(PngFaults, OnePartlyTransparentPaletteEntryIsBlendedNotKeyed) {
  ImageShape shape;
  shape.ColorType = 3;
  shape.BitDepth = 4;
  shape.Width = shape.Height = 2;
  shape.Transparency = {255, 128};
  EXPECT_EQ(Load(MakeImage(shape).File)->TransparencyKind(), trAlpha);
}

TEST(PngFaults, PaletteImageWithoutPaletteRaisesOnEntryAccess) {
  ImageShape shape;
  shape.ColorType = 3;
  shape.BitDepth = 8;
  shape.Width = shape.Height = 2;
  shape.Transparency = {0};
  auto chunks = SplitChunks(MakeImage(shape).File);
  chunks.erase(chunks.begin() + 1);  // PLTE
  auto image = Load(JoinChunks(chunks, true));
  for (auto access : {+[](TPngImageCore& i) { i.PixelColor(0, 0); }, +[](TPngImageCore& i) { i.KeyColor(); }}) {
    try {
      access(*image);
      ADD_FAILURE() << "no error";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.Message(), L"There is no such palette entry.");
    }
  }
}

namespace {
// Records the frame it is asked for instead of allocating it.
class TFrameProbe : public TPngImageCore {
 public:
  struct Asked {};
  std::unique_ptr<IPngFrame> CreateFrame(const TPngFrameLayout& layout) override {
    requested = layout.FrameBytes() + layout.AlphaBytes();
    throw Asked{};
  }
  UInt64 requested = 0;
};

Bytes HeaderOnly(std::uint32_t width, std::uint32_t height, int colorType) {
  auto chunks = SplitChunks(MakeImage(ImageShape{}).File);
  Bytes& h = chunks[0].Data;
  const Bytes w = BigEndian32(width), hh = BigEndian32(height);
  std::copy(w.begin(), w.end(), h.begin());
  std::copy(hh.begin(), hh.end(), h.begin() + 4);
  h[9] = Byte(colorType);
  return JoinChunks(chunks, true);
}
}  // namespace

TEST(PngFaults, FramesAboveOneGibibyteAreRefusedBeforeAllocation) {
  struct Case {
    std::uint32_t Width, Height;
    int ColorType;
    bool Allocates;
  };
  for (const Case& c : std::vector<Case>{{16384, 16384, 6, true}, {16385, 16384, 6, false}, {65535, 65535, 2, false},
                                         {65535, 65535, 0, false}, {65535, 16384, 0, true}}) {
    TFrameProbe probe;
    TPngMemoryStream stream(HeaderOnly(c.Width, c.Height, c.ColorType));
    if (c.Allocates) {
      EXPECT_THROW(probe.LoadFromStream(stream), TFrameProbe::Asked) << c.Width;
      EXPECT_LE(probe.requested, UInt64(1) << 30);
    } else {
      EXPECT_THROW(probe.LoadFromStream(stream), EPNGOutMemory) << c.Width;
      EXPECT_EQ(probe.requested, 0u);
      EXPECT_EQ(probe.Width(), 0u);
      EXPECT_EQ(probe.PixelColor(0, 0), 0u);
    }
  }
}

TEST(PngFaults, AssignmentKeepsTheGammaSoSavingRestoresTheSamples) {
  ImageShape shape;
  shape.ColorType = 2;
  shape.Width = shape.Height = 4;
  shape.Gamma = 100000;
  const Image source = MakeImage(shape);
  auto loaded = Load(source.File);
  TPngImageCore copy;
  copy.AssignImage(*loaded);
  EXPECT_EQ(Save(copy), Save(*loaded));
}

namespace {
// Has memory for the first frame only.
class TOneFrameImage : public TPngImageCore {
 public:
  std::unique_ptr<IPngFrame> CreateFrame(const TPngFrameLayout& layout) override {
    if (frames_++ > 0) throw std::bad_alloc();
    return TPngImageCore::CreateFrame(layout);
  }

 private:
  int frames_ = 0;
};
}  // namespace

TEST(PngFaults, AlphaChannelWithoutMemoryLeavesTheImageAsItWas) {
  ImageShape shape;
  shape.ColorType = 0;
  shape.BitDepth = 1;
  shape.Width = 9;
  shape.Height = 3;
  const Image source = MakeImage(shape);
  TOneFrameImage image;
  TPngMemoryStream stream(source.File);
  image.LoadFromStream(stream);
  EXPECT_THROW(image.AddAlphaChannel(), EPNGOutMemory);
  EXPECT_EQ(image.HeaderChunk().ColorType, 0);
  EXPECT_EQ(image.HeaderChunk().BitDepth, 1);
  EXPECT_EQ(Save(image), Save(*Load(source.File)));
}

TEST(PngFaults, GammaIsAnUnsignedValue) {
  ImageShape shape;
  shape.Gamma = 0xFFFFFFFF;
  auto image = Load(MakeImage(shape).File);
  EXPECT_EQ(image->GammaForward[0], 0);
  EXPECT_EQ(image->GammaForward[255], 255);
  for (int i = 1; i < 256; ++i) ASSERT_GE(image->GammaForward[i], image->GammaForward[i - 1]) << i;
}

// A gamma chunk whose payload is not 4 bytes must not wash the picture out: it decodes as if the
// chunk were absent, still answers 1, and is written back as it was read.
TEST(PngFaults, DamagedGammaChunkIsKeptButNotApplied) {
  const ImageShape palette = Shape(3, 4, 5, 3), rgb = Shape(2, 8, 4, 2);
  struct Case {
    const char* Name;
    ImageShape Shape;
    std::size_t InsertAt;  // chunk index: 1 is right after the header
    Bytes Payload;
  };
  const std::vector<Case> cases = {
      {"empty, before the palette", palette, 1, {}},
      {"empty, after the palette", palette, 2, {}},
      {"three bytes, before the palette", palette, 1, {0, 0xB1, 0x8F}},
      {"five bytes, before the image data", rgb, 1, {0, 0, 0xB1, 0x8F, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const Image plain = MakeImage(c.Shape);
    auto chunks = SplitChunks(plain.File);
    chunks.insert(chunks.begin() + std::ptrdiff_t(c.InsertAt), Chunk{"gAMA", c.Payload, 0});
    auto damaged = Load(JoinChunks(chunks, true));
    auto reference = Load(plain.File);
    for (int y = 0; y < int(c.Shape.Height); ++y)
      for (int x = 0; x < int(c.Shape.Width); ++x)
        ASSERT_EQ(damaged->PixelColor(x, y), reference->PixelColor(x, y)) << x << "," << y;
    auto* gamma = damaged->ChunkList().FindByClass<TChunkgAMA>();
    ASSERT_TRUE(gamma);
    EXPECT_EQ(gamma->Gamma(), 1u);
    const auto saved = SplitChunks(Save(*damaged));
    ASSERT_GT(saved.size(), c.InsertAt);
    EXPECT_EQ(saved[c.InsertAt].Type, "gAMA");
    EXPECT_EQ(saved[c.InsertAt].Data, c.Payload);
    // Read again, the saved file still shows the same picture.
    auto again = Load(Save(*damaged));
    EXPECT_EQ(again->PixelColor(1, 1), reference->PixelColor(1, 1));
  }
}

// An image that could not make a valid file is refused before a byte is written.
TEST(PngFaults, SavingAnIncompleteImageRaisesAndWritesNothing) {
  const Bytes file = MakeImage(ImageShape{}).File;
  auto chunks = SplitChunks(file);
  chunks[1].Crc ^= 1;  // the image data fails: header and image data stay, no end chunk
  auto withoutEnd = std::make_unique<TPngImageCore>();
  TPngMemoryStream damaged(JoinChunks(chunks, false));
  EXPECT_THROW(withoutEnd->LoadFromStream(damaged), EPngInvalidCRC);
  auto withoutData = Load(file);
  withoutData->ChunkList().RemoveAndFree(withoutData->ChunkList().FindByClass<TChunkIDAT>());
  struct Case {
    const char* Name;
    TPngImageCore* Image;
    std::string Raised;
  };
  TPngImageCore empty;
  TFrameProbe frameless;
  TPngMemoryStream header(HeaderOnly(2, 2, 2));
  EXPECT_THROW(frameless.LoadFromStream(header), TFrameProbe::Asked);
  for (const Case& c : std::vector<Case>{{"empty", &empty, "EPNGHeaderNotPresent"},
                                         {"header without frame", &frameless, "EPNGHeaderNotPresent"},
                                         {"without image data", withoutData.get(), "EPNGNoImageData"},
                                         {"without end chunk", withoutEnd.get(), "EPngUnexpectedEnd"}}) {
    TPngMemoryStream out;
    std::string raised;
    try {
      c.Image->SaveToStream(out);
    } catch (const Exception& e) {
      const std::wstring name = e.ClassName();
      raised.assign(name.begin(), name.end());
    }
    EXPECT_EQ(raised, c.Raised) << c.Name;
    EXPECT_TRUE(out.Bytes().empty()) << c.Name;
  }
}

// Every error of the codec with its exact text, each raised the way a user meets it.
TEST(PngFaults, EveryErrorCarriesItsExactText) {
  const Bytes file = MakeImage(ImageShape{}).File;  // IHDR IDAT IEND
  const auto chunks = SplitChunks(file);
  auto changed = [&](const std::function<void(std::vector<Chunk>&)>& change) {
    auto copy = chunks;
    change(copy);
    return JoinChunks(copy, true);
  };
  auto load = [](Bytes bytes) { return [bytes] { Load(bytes); }; };
  struct Case {
    const char* Class;
    std::wstring Text;
    std::function<void()> Raise;
  };
  const std::vector<Case> cases = {
      {"EPNGInvalidFileHeader",
       L"The file being readed is not a valid \"Portable Network Graphics\" image because it contains an invalid "
       L"header. This file may be corruped, try obtaining it again.",
       load([&] { Bytes b = file; b[1] = 'Q'; return b; }())},
      {"EPngUnexpectedEnd",
       L"This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end of the file.",
       load(JoinChunks({chunks[0]}, true))},
      {"EPNGIHDRNotFirst",
       L"This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR chunk is not the first)",
       load(changed([](auto& c) { std::swap(c[0], c[1]); }))},
      {"EPNGUnknownCriticalChunk",
       L"This \"Portable Network Graphics\" image contains an unknown critical part which could not be decoded.",
       load(changed([](auto& c) { c.insert(c.begin() + 1, Chunk{"ABCD", {}, 0}); }))},
      {"EPNGNoImageData", L"This \"Portable Network Graphics\" image contains no data.",
       load(changed([](auto& c) { c.erase(c.begin() + 1); }))},
      {"EPngInvalidCRC",
       L"This \"Portable Network Graphics\" image is not valid because it contains invalid pieces of data (crc error)",
       load([&] { auto c = chunks; c[2].Crc ^= 1; return JoinChunks(c, false); }())},
      {"EPngInvalidIHDR",
       L"The \"Portable Network Graphics\" image could not be loaded because one of its main piece of data (ihdr) "
       L"might be corrupted",
       load(changed([](auto& c) { c[0].Data.resize(12); }))},
      {"EPNGSizeExceeds",
       L"This \"Portable Network Graphics\" image is not supported because either it's width or height exceeds the "
       L"maximum size, which is 65535 pixels length.",
       load(HeaderOnly(65536, 1, 2))},
      {"EPNGUnknownCompression",
       L"This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which could not be "
       L"decoded.",
       load(changed([](auto& c) { c[0].Data[10] = 1; }))},
      {"EPNGUnknownInterlace",
       L"This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be decoded.",
       load(changed([](auto& c) { c[0].Data[12] = 2; }))},
      {"EPNGInvalidPalette", L"The \"Portable Network Graphics\" image contains an invalid palette.",
       load(changed([](auto& c) { c.insert(c.begin() + 1, Chunk{"PLTE", {1, 2, 3, 4}, 0}); }))},
      {"EPNGMissingMultipleIDAT",
       L"This \"Portable Network Graphics\" image is invalid because it has missing image parts.",
       load(GreyWithImageData(Deflate(GreyRows(2))))},
      {"EPNGZLIBError",
       L"Could not decompress the image because it contains invalid compressed data.\r\n Description: data error (-3)",
       load(GreyWithImageData({0x78, 0x9C, 0xFF, 0xFF}))},
      {"EPNGHeaderNotPresent", L"This operation is not valid because the current image contains no valid header.",
       [] { TPngImageCore().HeaderChunk(); }},
      {"EPNGOutMemory",
       L"Some operation could not be performed because the system is out of resources. Close some windows and try "
       L"again.",
       load(HeaderOnly(65535, 65535, 2))},
      {"EPngError",
       L"The program tried to add a existent critical chunk to the current image which is not allowed.",
       [&] { Load(file)->ChunkList().AddChunkOfClass<TChunkIDAT>(); }},
      {"EPngError", L"It's not allowed to add a new chunk because the current image is invalid.",
       [&] {
         auto image = Load(file);
         image->ChunkList().RemoveAndFree(image->ChunkList().FindByClass<TChunkIEND>());
         image->ChunkList().AddChunkOfClass<TChunktEXt>();
       }},
      {"EPngError", L"The chunks must be compatible to be assigned.",
       [&] {
         auto image = Load(file);
         image->HeaderChunk().AssignChunk(*image->ChunkList().FindByClass<TChunkIEND>());
       }},
      {"EPngError", L"There is no such palette entry.", [&] { Load(file)->PaletteEntryColor(0); }},
  };
  for (const Case& c : cases) {
    std::string raised;
    std::wstring text;
    try {
      c.Raise();
    } catch (const Exception& e) {
      const std::wstring name = e.ClassName();
      raised.assign(name.begin(), name.end());
      text = e.Message();
    }
    EXPECT_EQ(raised, c.Class) << c.Class;
    EXPECT_EQ(text, c.Text) << c.Class;
  }
}
