// The packed bitmap stream: round trips, plain data passed through, short and damaged data.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/framework/classes/Stream.h"
#include "ui/foundation/Graphics.h"

namespace {

AnsiString Bytes(TMemoryStream& stream) { return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size())); }

TEST(PackedBitmap, RoundTripsAndPlainForm) {
  TcxCustomBitmap source(20, 10, pf24bit);
  source.Canvas()->Brush()->SetColor(clGray);
  source.Canvas()->FillRect({0, 0, 20, 10});
  source.Canvas()->SetPixels(3, 4, clRed);

  TMemoryStream plain;
  source.WriteData(plain);
  TMemoryStream framework;
  static_cast<TBitmap&>(source).TBitmap::WriteData(framework);
  EXPECT_EQ(Bytes(plain), Bytes(framework));  // CompressData off: the framework's own form

  source.CompressData = true;
  TMemoryStream packed;
  source.WriteData(packed);
  const AnsiString bytes = Bytes(packed);
  ASSERT_GT(bytes.size(), 10u);
  EXPECT_EQ(bytes.substr(4, 4), "XDBM");
  std::uint32_t packedSize = 0;
  std::memcpy(&packedSize, bytes.data(), 4);
  EXPECT_EQ(packedSize + 10, bytes.size());
  EXPECT_LT(bytes.size(), plain.Size());

  for (TMemoryStream* stream : {&plain, &packed}) {
    stream->SetPosition(0);
    TcxCustomBitmap copy;
    copy.ReadData(*stream);
    EXPECT_EQ(copy.Width(), 20);
    EXPECT_EQ(copy.Canvas()->Pixels(3, 4) & 0xFFFFFF, clRed);
    EXPECT_EQ(copy.Canvas()->Pixels(5, 5) & 0xFFFFFF, clGray);
    EXPECT_EQ(stream->Position(), stream->Size());
  }
}

// An empty bitmap's data is only its 4-byte length: shorter than the packed header, read plainly.
TEST(PackedBitmap, ShortPlainDataIsReadAsItIs) {
  TcxCustomBitmap empty;
  TMemoryStream stream;
  empty.WriteData(stream);
  ASSERT_LT(stream.Size(), 10);
  stream.SetPosition(0);
  TcxCustomBitmap copy(5, 5);
  copy.ReadData(stream);
  EXPECT_TRUE(copy.Empty());
}

TEST(PackedBitmap, DamagedPackedDataRaisesReadError) {
  TcxCustomBitmap source(8, 8, pf24bit);
  source.CompressData = true;
  TMemoryStream packed;
  source.WriteData(packed);
  const AnsiString good = Bytes(packed);
  const AnsiString truncated = good.substr(0, good.size() - 3);
  AnsiString cutRun = good.substr(0, 10) + "\x85\x01";  // a literal run of 5 with one byte
  const std::uint32_t cutSize = 2;
  std::memcpy(cutRun.data(), &cutSize, 4);
  for (const AnsiString& bad : {truncated, cutRun}) {
    TMemoryStream stream;
    stream.WriteBuffer(bad.data(), Int64(bad.size()));
    stream.SetPosition(0);
    TcxCustomBitmap copy;
    EXPECT_THROW(copy.ReadData(stream), EReadError);
  }
}

TEST(CustomBitmap, ChangeLockDeliversOneChange) {
  TcxCustomBitmap bitmap(4, 4);
  int changes = 0;
  bitmap.OnChange = [&](TObject*) { ++changes; };
  bitmap.LockChanges();
  bitmap.SetSize(8, 8);
  bitmap.SetSize(9, 9);
  EXPECT_EQ(changes, 0);
  bitmap.UnlockChanges(false);
  EXPECT_EQ(changes, 1);
  bitmap.Resize(9, 9);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bitmap.FullRect(), TRect(0, 0, 9, 9));
}

}  // namespace
