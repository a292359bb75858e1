// The skin model and its stream: a skin written in the 1.02 layout reads back equal, the reader's
// refusals leave the skin untouched and silent, and the lookups follow the names exactly.

#include <cstring>
#include <functional>

#include "SkinTestSupport.h"
#include "tests/support/TestSupport.h"
#include "platform/framework/base/Utf8.h"

using namespace skin_testing;

namespace {

std::vector<std::uint8_t> Saved(TdxSkin* skin) {
  TMemoryStream stream;
  skin->SaveToStream(stream);
  const auto* bytes = static_cast<const std::uint8_t*>(stream.Memory());
  return std::vector<std::uint8_t>(bytes, bytes + stream.Size());
}

void Load(TdxSkin* skin, const std::vector<std::uint8_t>& bytes) {
  gdiplus_testing::BytesStream stream(AnsiString(bytes.begin(), bytes.end()));
  skin->LoadFromStream(stream);
}

// Skins equal element by element (the model's own IsEqual at each level).
void ExpectSameSkin(TdxSkin* a, TdxSkin* b) {
  EXPECT_EQ(a->Name, b->Name);
  ASSERT_EQ(a->ColorCount(), b->ColorCount());
  for (int i = 0; i < a->ColorCount(); ++i) EXPECT_TRUE(a->Colors(i)->IsEqual(b->Colors(i)));
  ASSERT_EQ(a->PropertyCount(), b->PropertyCount());
  for (int i = 0; i < a->PropertyCount(); ++i) EXPECT_TRUE(a->Properties(i)->IsEqual(b->Properties(i)));
  ASSERT_EQ(a->GroupCount(), b->GroupCount());
  for (int g = 0; g < a->GroupCount(); ++g) {
    TdxSkinControlGroup *ga = a->Groups(g), *gb = b->Groups(g);
    EXPECT_EQ(ga->Name, gb->Name);
    ASSERT_EQ(ga->Count(), gb->Count());
    for (int e = 0; e < ga->Count(); ++e) EXPECT_TRUE(ga->Elements(e)->IsEqual(gb->Elements(e))) << Utf8Encode(ga->Elements(e)->Name);
    ASSERT_EQ(ga->PropertyCount(), gb->PropertyCount());
    for (int i = 0; i < ga->PropertyCount(); ++i) EXPECT_TRUE(ga->Properties(i)->IsEqual(gb->Properties(i)));
  }
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(std::uint32_t(v) >> (8 * i));
}

}  // namespace

TEST_F(SkinFixture, A102StreamReadsBackToAnEqualSkin) {
  ObjectPtr<TdxSkin> skin(MakeSmallSkin());
  const auto bytes = Saved(skin.get());
  ObjectPtr<TdxSkin> back(new TdxSkin(L"Other"));
  Load(back.get(), bytes);
  EXPECT_DOUBLE_EQ(back->Version, 1.02);
  ExpectSameSkin(skin.get(), back.get());
  // The element with an empty glyph equals its round-tripped copy, and its empty image too.
  TdxSkinElement* empty = back->FindGroup(L"NavBar")->FindElement(L"Empty");
  ASSERT_NE(empty, nullptr);
  EXPECT_TRUE(empty->IsEqual(skin->FindGroup(L"NavBar")->FindElement(L"Empty")));
  EXPECT_TRUE(empty->Glyph()->IsEqual(skin->FindGroup(L"NavBar")->FindElement(L"Item")->Glyph()));
  // The picture class itself still calls two empty pictures unequal.
  EXPECT_FALSE(empty->Glyph()->Texture()->IsEqual(empty->Image()->Texture()));
  TdxSkinElement* item = back->FindGroup(L"NavBar")->FindElement(L"Item");
  EXPECT_EQ(item->Image()->GradientEndColor(), 0x00FF00);
  EXPECT_EQ(item->Borders()->Left()->Thin(), 2);
  EXPECT_EQ(item->Alpha(), 200);
}

TEST_F(SkinFixture, A101StreamHasNoGradientsAndLoadingReplacesEverythingWithOneChange) {
  ObjectPtr<TdxSkin> source(MakeSmallSkin());
  const auto bytes = dxskin::WriteSkinStream(source->ToRecord(), dxskin::kVersion101);
  ObjectPtr<TdxSkin> skin(new TdxSkin(L"Old"));
  skin->AddGroup(L"Stale");
  int changes = 0;
  skin->OnChange = [&](TObject*) { ++changes; };
  Load(skin.get(), bytes);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(skin->Name, L"Small");
  EXPECT_EQ(skin->FindGroup(L"Stale"), nullptr);
  TdxSkinElement* item = skin->FindGroup(L"NavBar")->FindElement(L"Item");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Image()->GradientBeginColor(), clNone);
  EXPECT_EQ(item->Image()->Texture()->Width(), 20);
}

TEST_F(SkinFixture, LookupsMatchNamesExactlyAndImageCountStaysPositive) {
  ObjectPtr<TdxSkin> source(MakeSmallSkin());
  dxskin::SkinRecord record = source->ToRecord();
  record.Groups[0].Elements[0].ImageCount = 0;
  record.Groups[0].Elements[1].Image.Png.clear();
  ObjectPtr<TdxSkin> skin(new TdxSkin(L""));
  Load(skin.get(), dxskin::WriteSkinStream(record));
  TdxSkinControlGroup* group = skin->FindGroup(L"NavBar");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->FindElement(L"item"), nullptr);
  EXPECT_EQ(group->FindElement(L"ITEM"), nullptr);
  ASSERT_NE(group->FindElement(L"Item"), nullptr);
  EXPECT_EQ(group->FindElement(L"Item")->ImageCount(), 1);
  EXPECT_TRUE(group->FindElement(L"Empty")->Image()->Texture()->Empty());
  EXPECT_EQ(skin->FindGroup(L"navbar"), nullptr);
  EXPECT_EQ(skin->FindColor(L"ContentColor")->Value(), 0x123456);
}

// Each damaged stream raises the reader's error for it and leaves the skin as it was, without a
// change notification.
TEST_F(SkinFixture, DamagedStreamsLeaveTheSkinUntouched) {
  ObjectPtr<TdxSkin> source(MakeSmallSkin());
  const auto good = Saved(source.get());
  const std::size_t colorCount = 4 + 6 + 8 + 4 + 5;
  const String invalid = L"Invalid stream format";
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    String className, message;
  } cases[] = {
      {"bad magic", [](auto& b) { b[5] = 'k'; }, L"EdxSkin", invalid},
      {"short header", [](auto& b) { b.resize(9); }, L"EdxSkin", invalid},
      {"negative count", [&](auto& b) { Put32(b, colorCount, -3); }, L"EdxSkin", invalid},
      {"huge count", [&](auto& b) { Put32(b, colorCount, 0x40000000); }, L"EdxSkin", invalid},
      {"count beyond the stream", [&](auto& b) { Put32(b, colorCount, 5000); }, L"EdxSkin", invalid},
      {"version 2.0",
       [](auto& b) {
         const double v = 2.0;
         std::memcpy(&b[10], &v, 8);
       },
       L"EdxSkin", invalid},
      {"version 0.5",
       [](auto& b) {
         const double v = 0.5;
         std::memcpy(&b[10], &v, 8);
       },
       L"EdxSkin",
       L"The skin data version is older than the current Vennacle Library version.\r\nSkins cannot be loaded due to a "
       L"version mismatch."},
      {"unknown class", [&](auto& b) { b[colorCount + 48] = 'Q'; }, L"EClassNotFound",
       L"Class QdxSkinIntegerProperty not found"},
      {"ends early", [](auto& b) { b.resize(b.size() - 3); }, L"EReadError", L"Stream read error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = good;
    c.damage(bytes);
    ObjectPtr<TdxSkin> skin(new TdxSkin(L"Kept"));
    skin->AddColor(L"Mine", 1);
    int changes = 0;
    skin->OnChange = [&](TObject*) { ++changes; };
    try {
      Load(skin.get(), bytes);
      ADD_FAILURE() << "accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.ClassName(), c.className);
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(skin->Name, L"Kept");
    EXPECT_DOUBLE_EQ(skin->Version, 1.02);
    EXPECT_EQ(skin->ColorCount(), 1);
    EXPECT_EQ(skin->GroupCount(), 0);
  }
}

TEST_F(SkinFixture, WithoutGdiPlusNothingIsRead) {
  ObjectPtr<TdxSkin> source(MakeSmallSkin());
  const auto bytes = Saved(source.get());
  TGdiPlusUnavailableScope unavailable;
  ObjectPtr<TdxSkin> skin(new TdxSkin(L"Kept"));
  Load(skin.get(), bytes);
  EXPECT_EQ(skin->Name, L"Kept");
  EXPECT_EQ(skin->GroupCount(), 0);
}

TEST_F(SkinFixture, ThePartStreamKeepsReadsInsideItsWindow) {
  gdiplus_testing::BytesStream source("0123456789");
  TdxSkinPartStream part(&source);
  part.Initialize(&source, 2, 6);
  char buffer[8] = {};
  EXPECT_EQ(part.Size(), 4);
  EXPECT_EQ(part.Read(buffer, 8), 4);
  EXPECT_EQ(std::string(buffer, 4), "2345");
  EXPECT_EQ(part.Read(buffer, 1), 0);
  EXPECT_EQ(part.Seek(-10, soEnd), 0);
  EXPECT_EQ(part.Seek(100, soBeginning), 4);
}
