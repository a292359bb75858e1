// Reading, writing and editing PNG images: the chunk rules, assignment and the encoder's choices.

#include <gtest/gtest.h>

#include <zlib.h>

#include "PngTestSupport.h"
#include "ui/extras/png/PngExceptions.h"
#include "ui/extras/png/PngImageData.h"
#include "ui/extras/png/PngInfoChunks.h"
#include "ui/extras/png/PngPaletteChunks.h"
#include "ui/extras/png/PngTextChunks.h"

using namespace png_test;

namespace {

ImageShape SmallRgb() {
  ImageShape s;
  s.ColorType = 2;
  s.Width = 7;
  s.Height = 5;
  return s;
}

std::vector<std::string> ChunkTypes(const Bytes& file) {
  std::vector<std::string> types;
  for (const auto& c : SplitChunks(file)) types.push_back(c.Type);
  return types;
}

Bytes WithChunks(std::vector<Chunk> chunks) { return JoinChunks(chunks, true); }

}  // namespace

TEST(PngChunks, HeaderNotFirstLeavesTheImageEmpty) {
  auto chunks = SplitChunks(MakeImage(SmallRgb()).File);
  std::swap(chunks[0], chunks[1]);
  TPngImageCore image;
  TPngMemoryStream stream(WithChunks(chunks));
  EXPECT_THROW(image.LoadFromStream(stream), EPNGIHDRNotFirst);
  EXPECT_TRUE(image.Empty());
}

TEST(PngChunks, ChrmIsDroppedAndUnknownAncillaryChunksAreWrittenBackInPlace) {
  ImageShape shape = SmallRgb();
  const Bytes phys = {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1};
  shape.BeforeData = {{"cHRM", Bytes(32, 7)}, {"pHYs", phys}};
  auto image = Load(MakeImage(shape).File);
  const Bytes saved = Save(*image);
  EXPECT_EQ(ChunkTypes(saved), (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"}));
  EXPECT_EQ(SplitChunks(saved)[1].Data, phys);
}

TEST(PngChunks, CriticalTypesAreComparedCaseSensitively) {
  struct Case {
    std::string Type;
    std::string Outcome;
  };
  for (const Case& c : std::vector<Case>{{"ABCD", "EPNGUnknownCriticalChunk"}, {"aBCD", ""}, {"Idat", "EPNGUnknownCriticalChunk"}}) {
    ImageShape shape = SmallRgb();
    shape.BeforeData = {{c.Type, {1, 2, 3}}};
    EXPECT_EQ(LoadOutcome(MakeImage(shape).File), c.Outcome) << c.Type;
  }
}

TEST(PngChunks, LaterImageDataRunsAreDropped) {
  const Image source = MakeImage(SmallRgb());
  auto chunks = SplitChunks(source.File);
  const Chunk idat = chunks[1];
  Chunk garbage{"IDAT", Bytes(40, 0xEE), 0};
  chunks.insert(chunks.end() - 1, {Chunk{"tEXt", {'k', 0, 'v'}, 0}, garbage});
  auto image = Load(WithChunks(chunks));
  EXPECT_EQ(ChunkTypes(Save(*image)), (std::vector<std::string>{"IHDR", "IDAT", "tEXt", "IEND"}));
  EXPECT_EQ(image->PixelColor(3, 2), Load(source.File)->PixelColor(3, 2));
}

TEST(PngChunks, EveryImageDataChunkOfARunHasItsCrcChecked) {
  ImageShape shape = SmallRgb();
  shape.IdatSizes = {9};
  const Image split = MakeImage(shape);
  auto chunks = SplitChunks(split.File);
  ASSERT_GT(chunks.size(), 6u);
  EXPECT_EQ(Load(split.File)->PixelColor(6, 4), Load(MakeImage(SmallRgb()).File)->PixelColor(6, 4));
  chunks[3].Crc ^= 1;
  EXPECT_EQ(LoadOutcome(JoinChunks(chunks, false)), "EPngInvalidCRC");
}

TEST(PngChunks, EndOfStreamBetweenChunksVersusInsideAChunk) {
  const Bytes file = MakeImage(SmallRgb()).File;
  const std::size_t iendStart = file.size() - 12;
  struct Case {
    std::size_t Keep;
    std::string Outcome;
  };
  const std::vector<Case> cases = {
      {iendStart, "EPngUnexpectedEnd"},      // right after the IDAT chunk
      {33, "EPngUnexpectedEnd"},             // right after the header chunk
      {iendStart - 3, "EPngInvalidCRC"},     // inside the IDAT CRC
      {45, "EPngInvalidCRC"},                // inside the IDAT data
      {20, "EPngInvalidCRC"},                // inside the header data
  };
  for (const Case& c : cases)
    EXPECT_EQ(LoadOutcome(Bytes(file.begin(), file.begin() + c.Keep)), c.Outcome) << c.Keep;
}

TEST(PngChunks, WidthLimitIs65535) {
  ImageShape shape;
  shape.ColorType = 0;
  shape.BitDepth = 1;
  shape.Width = 65535;
  shape.Height = 1;
  const Image wide = MakeImage(shape);
  auto image = Load(wide.File);
  EXPECT_EQ(image->Width(), 65535u);
  auto chunks = SplitChunks(wide.File);
  chunks[0].Data[1] = 1, chunks[0].Data[2] = 0, chunks[0].Data[3] = 0;  // 65536
  EXPECT_EQ(LoadOutcome(WithChunks(chunks)), "EPNGSizeExceeds");
}

TEST(PngChunks, HeaderCombinationsOutsideTheFrameTableAreRefused) {
  struct Case {
    int ColorType, BitDepth;
  };
  for (const Case& c : std::vector<Case>{{3, 16}, {2, 4}, {4, 2}, {6, 1}, {0, 3}, {5, 8}}) {
    auto chunks = SplitChunks(MakeImage(SmallRgb()).File);
    chunks[0].Data[8] = Byte(c.BitDepth);
    chunks[0].Data[9] = Byte(c.ColorType);
    EXPECT_EQ(LoadOutcome(WithChunks(chunks)), "EPngInvalidIHDR") << c.ColorType << "/" << c.BitDepth;
  }
  auto chunks = SplitChunks(MakeImage(SmallRgb()).File);
  chunks[0].Data[3] = 0;  // width 0
  EXPECT_EQ(LoadOutcome(WithChunks(chunks)), "EPngInvalidIHDR");
}

TEST(PngGrey, TwoBitGreyShowsFourLevelsAndIsSavedAsFourBit) {
  for (bool interlaced : {false, true}) {
    ImageShape shape;
    shape.ColorType = 0;
    shape.BitDepth = 2;
    shape.Width = 4;
    shape.Height = 3;
    shape.Interlaced = interlaced;
    shape.Transparency = {0, 2};
    std::vector<std::uint16_t> samples(12);
    for (int i = 0; i < 12; ++i) samples[i] = std::uint16_t(i % 4);
    auto image = Load(Encode(shape, samples, {}));
    EXPECT_EQ(image->KeyColor(), PngRgb(170, 170, 170));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image->PixelColor(x, 1), PngRgb(Byte(85 * x), Byte(85 * x), Byte(85 * x)));
    const Bytes saved = Save(*image);
    EXPECT_EQ(SplitChunks(saved)[0].Data[8], 4);
    auto reloaded = Load(saved);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(reloaded->PixelColor(x, 2), image->PixelColor(x, 2));
    EXPECT_EQ(reloaded->KeyColor(), PngRgb(170, 170, 170));
  }
}

TEST(PngText, CompressedTextRoundTripsAndEmptyTextBecomesASpace) {
  auto image = Load(MakeImage(SmallRgb()).File);
  auto* empty = image->ChunkList().AddChunkOfClass<TChunkzTXt>();
  empty->Keyword = "Empty";
  auto* longText = image->ChunkList().AddChunkOfClass<TChunkzTXt>();
  longText->Keyword = "Comment";
  for (int i = 0; i < 300; ++i) longText->Text.push_back(char('a' + i % 26));
  auto reloaded = Load(Save(*image));
  EXPECT_EQ(empty->Text, " ");
  auto* first = dynamic_cast<TChunkzTXt*>(reloaded->ChunkList().Item(2));
  auto* second = dynamic_cast<TChunkzTXt*>(reloaded->ChunkList().Item(3));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Text, " ");
  EXPECT_EQ(second->Keyword, "Comment");
  EXPECT_EQ(second->Text, longText->Text);
}

TEST(PngChunks, AddChunkOfClassPlacesChunksAndRefusesCriticalOnes) {
  ImageShape shape;
  shape.ColorType = 3;
  shape.BitDepth = 4;
  shape.Width = shape.Height = 3;
  auto image = Load(MakeImage(shape).File);  // IHDR PLTE IDAT IEND
  auto& list = image->ChunkList();
  auto* gamma = list.AddChunkOfClass<TChunkgAMA>();
  auto* trns = list.AddChunkOfClass<TChunktRNS>();
  auto* time = list.AddChunkOfClass<TChunktIME>();
  EXPECT_EQ(gamma->IndexInList(), 1);
  EXPECT_EQ(trns->IndexInList(), 3);
  EXPECT_EQ(time->IndexInList(), list.Count() - 2);
  const auto saved = SplitChunks(Save(*image));
  EXPECT_EQ(saved[1].Type, "gAMA");
  EXPECT_EQ(saved[1].Data, BigEndian32(1));
  for (auto add : {+[](TPNGList& l) { l.AddChunkOfClass<TChunkgAMA>(); }, +[](TPNGList& l) { l.AddChunkOfClass<TChunktRNS>(); },
                   +[](TPNGList& l) { l.AddChunkOfClass<TChunkIDAT>(); }, +[](TPNGList& l) { l.AddChunkOfClass<TChunkIHDR>(); }}) {
    try {
      add(list);
      ADD_FAILURE() << "no error";
    } catch (const EPngError& e) {
      EXPECT_EQ(e.Message(), L"The program tried to add a existent critical chunk to the current image which is not allowed.");
    }
  }
  list.RemoveAndFree(list.FindByClass<TChunkIEND>());
  try {
    list.AddChunkOfClass<TChunktEXt>();
    ADD_FAILURE() << "no error";
  } catch (const EPngError& e) {
    EXPECT_EQ(e.Message(), L"It's not allowed to add a new chunk because the current image is invalid.");
  }
}

TEST(PngChunks, TransparencyGoesBeforeImageDataWithoutAPalette) {
  auto image = Load(MakeImage(SmallRgb()).File);
  EXPECT_EQ(image->ChunkList().AddChunkOfClass<TChunktRNS>()->IndexInList(), 1);
}

TEST(PngImage, IdatChunkLimitHasAMinimum) {
  TPngImageCore image;
  image.SetIdatChunkLimit(65534);
  EXPECT_EQ(image.IdatChunkLimit(), 65535u);
  image.SetIdatChunkLimit(65536);
  EXPECT_EQ(image.IdatChunkLimit(), 65536u);
}

TEST(PngImage, TimeSurvivesLoadAssignAndSave) {
  ImageShape shape = SmallRgb();
  shape.AfterData = {{"tIME", {0x07, 0xEA, 12, 10, 13, 45, 59}}};
  auto loaded = Load(MakeImage(shape).File);
  TPngImageCore copy;
  copy.AssignImage(*loaded);
  auto reloaded = Load(Save(copy));
  auto* time = reloaded->ChunkList().FindByClass<TChunktIME>();
  ASSERT_TRUE(time);
  EXPECT_EQ(time->Year, 2026);
  EXPECT_EQ(std::vector<int>({time->Month, time->Day, time->Hour, time->Minute, time->Second}),
            std::vector<int>({12, 10, 13, 45, 59}));
}

TEST(PngImage, SixteenBitImagesAreWrittenWithLowBytesZero) {
  ImageShape shape = SmallRgb();
  shape.BitDepth = 16;
  const Image source = MakeImage(shape);
  auto image = Load(source.File);
  const Bytes saved = Save(*image);
  const auto chunks = SplitChunks(saved);
  EXPECT_EQ(chunks[0].Data[8], 16);
  Bytes raw(PngRowLength({2, 16}, 7) * 5 + 5 + 64);
  uLongf size = uLongf(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &size, chunks[1].Data.data(), uLong(chunks[1].Data.size())), Z_OK);
  ASSERT_EQ(size, (7u * 6 + 1) * 5);
  for (std::size_t row = 0; row < 5; ++row)
    for (std::size_t i = 1; i < 7 * 6; i += 2)
      ASSERT_EQ(raw[row * 43 + 1 + i], 0) << "row " << row << " byte " << i;  // the Sub filter keeps 0 - 0
}

TEST(PngImage, ImageDataIsSplitIntoChunksOfTheLimit) {
  ImageShape shape = SmallRgb();
  shape.Width = 300;
  shape.Height = 300;
  auto image = Load(MakeImage(shape).File);
  image->SetIdatChunkLimit(70000);
  Bytes stream;
  std::vector<std::size_t> sizes;
  for (const auto& c : SplitChunks(Save(*image)))
    if (c.Type == "IDAT") {
      sizes.push_back(c.Data.size());
      stream.insert(stream.end(), c.Data.begin(), c.Data.end());
    }
  ASSERT_GE(sizes.size(), 2u);
  for (std::size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 70000u);
  EXPECT_GT(sizes.back(), 0u);
  EXPECT_LE(sizes.back(), 70000u);
  Bytes raw(901 * 300 + 1);
  uLongf size = uLongf(raw.size());
  ASSERT_EQ(uncompress(raw.data(), &size, stream.data(), uLong(stream.size())), Z_OK);
  EXPECT_EQ(size, 901u * 300);
}

TEST(PngFilters, ChoiceFavoursRunsAndTheLowerTypeOnATie) {
  struct Case {
    const char* Name;
    TPngRowFilters Filters;
    bool Ramp;
    int Expected;
  };
  const TPngRowFilters all = 0x1F;
  const std::vector<Case> cases = {
      {"identical, all filters", all, false, rfNone},
      {"identical, without None", TPngRowFilters(all & ~PngFilterBit(rfNone)), false, rfSub},
      {"ramp, all filters", all, true, rfSub},
      {"ramp, Up alone", PngFilterBit(rfUp), true, rfUp},
      {"ramp, None and Up score 0", TPngRowFilters(PngFilterBit(rfNone) | PngFilterBit(rfUp)), true, rfNone},
      {"ramp, no filters", 0, true, rfNone},
  };
  for (const Case& c : cases) {
    TPngFilterChooser chooser(c.Filters, 12, 1);
    for (int i = 0; i < 12; ++i) chooser.RawRow()[i] = Byte(c.Ramp ? i * 7 : 9);
    EXPECT_EQ(chooser.FilterRow()[0], c.Expected) << c.Name;
  }
}

TEST(PngImage, AlphaChannelWidensLowDepthGreyAndKeepsTheLevels) {
  ImageShape shape;
  shape.ColorType = 0;
  shape.BitDepth = 2;
  shape.Width = 5;
  shape.Height = 2;
  auto image = Load(MakeImage(shape).File);
  std::vector<TPngColor> before;
  for (int x = 0; x < 5; ++x) before.push_back(image->PixelColor(x, 1));
  image->AddAlphaChannel();
  EXPECT_EQ(image->HeaderChunk().ColorType, 4);
  EXPECT_EQ(image->HeaderChunk().BitDepth, 8);
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(image->PixelColor(x, 1), before[x]);
    EXPECT_EQ(image->AlphaRow(1)[x], 255);
  }
  auto reloaded = Load(Save(*image));
  EXPECT_EQ(reloaded->TransparencyKind(), trAlpha);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(reloaded->PixelColor(x, 1), before[x]);
}

TEST(PngImage, AlphaChannelOnAPaletteImageAddsAnOpaqueTable) {
  ImageShape shape;
  shape.ColorType = 3;
  shape.BitDepth = 2;
  shape.Width = shape.Height = 3;
  auto image = Load(MakeImage(shape).File);
  image->AddAlphaChannel();
  auto* trns = image->ChunkList().FindByClass<TChunktRNS>();
  ASSERT_TRUE(trns);
  EXPECT_EQ(trns->IndexInList(), 2);
  EXPECT_EQ(trns->PayloadSize(), 4u);
  EXPECT_EQ(image->TransparencyKind(), trAlpha);
}

TEST(PngImage, GeneratorsBuildImagesFromPixels) {
  TPngImageCore image;
  image.BuildEmptyImage(6, 8, 24, 24);
  for (Cardinal y = 0; y < 24; ++y)
    for (Cardinal x = 0; x < 24; ++x) {
      Byte* bgr = image.PixelRow(y) + 3 * x;
      bgr[0] = Byte(x * 10), bgr[1] = Byte(y * 10), bgr[2] = 200;
      image.AlphaRow(y)[x] = Byte(x + y);
    }
  auto phys = std::make_unique<TChunk>(&image);
  phys->SetTypeCode(PngChunkType("pHYs"));
  phys->Payload() = {0, 0, 0x0B, 0x13, 0, 0, 0x0B, 0x13, 1};
  image.ChunkList().Insert(std::move(phys), 1);
  const Bytes saved = Save(image);
  EXPECT_EQ(ChunkTypes(saved), (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"}));
  auto reloaded = Load(saved);
  EXPECT_EQ(reloaded->PixelColor(5, 7), PngRgb(200, 70, 50));
  EXPECT_EQ(reloaded->AlphaRow(7)[5], 12);
  EXPECT_EQ(reloaded->TransparencyKind(), trAlpha);
}

TEST(PngImage, KeyColourSetForAnRgbOrPaletteImageIsReadBack) {
  for (Byte colorType : {Byte(2), Byte(3)}) {
    TPngImageCore image;
    image.BuildEmptyImage(colorType, 8, 4, 4);
    for (int i = 0; colorType == 3 && i < 256; ++i)
      image.HeaderChunk().ColorTable()[i] = {Byte(i), Byte(255 - i), Byte(i / 2), 0};
    const TPngColor key = colorType == 3 ? PngRgb(5 / 2, 250, 5) : PngRgb(1, 2, 3);
    image.ChunkList().AddChunkOfClass<TChunktRNS>()->SetTransparentColor(key);
    auto reloaded = Load(Save(image));
    EXPECT_EQ(reloaded->TransparencyKind(), trColorKey) << int(colorType);
    EXPECT_EQ(reloaded->KeyColor(), key) << int(colorType);
    if (colorType == 3) {
      EXPECT_EQ(reloaded->ChunkList().FindByClass<TChunktRNS>()->PayloadSize(), 6u);
    }
  }
}
