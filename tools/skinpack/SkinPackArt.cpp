#include "tools/skinpack/SkinPackArt.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "ui/extras/skinpack/SkinFileCore.h"

namespace skinpack_art {
namespace {

// Colours as 0x00RRGGBB.
using Rgb = std::uint32_t;
constexpr Rgb kKey = 0xFF00FF;

struct Image {
  int w, h;
  std::vector<Rgb> px;
  Image(int width, int height, Rgb fill = 0) : w(width), h(height), px(std::size_t(width) * height, fill) {}
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[std::size_t(y) * w + x] = c;
  }
  void Fill(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void Frame(int x0, int y0, int x1, int y1, Rgb c) {
    for (int x = x0; x < x1; ++x) Set(x, y0, c), Set(x, y1 - 1, c);
    for (int y = y0; y < y1; ++y) Set(x0, y, c), Set(x1 - 1, y, c);
  }
};

Rgb Mix(Rgb a, Rgb b, int num, int den) {
  auto ch = [&](int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return Rgb(ca + (cb - ca) * num / (den ? den : 1)) << shift;
  };
  return ch(16) | ch(8) | ch(0);
}

// Top-to-bottom gradient over a rectangle.
void Vertical(Image& im, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  for (int y = y0; y < y1; ++y) im.Fill(x0, y, x1, y + 1, Mix(top, bottom, y - y0, y1 - y0 - 1));
}

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char((v >> 8) & 0xFF); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

std::string Bmp(const Image& im) {
  const int stride = (im.w * 3 + 3) & ~3;
  std::string s = "BM";
  Put32(s, 54 + stride * im.h), Put32(s, 0), Put32(s, 54);
  Put32(s, 40), Put32(s, im.w), Put32(s, im.h), Put16(s, 1), Put16(s, 24), Put32(s, 0);
  Put32(s, stride * im.h), Put32(s, 2835), Put32(s, 2835), Put32(s, 0), Put32(s, 0);
  for (int y = im.h - 1; y >= 0; --y) {
    for (int x = 0; x < im.w; ++x) {
      const Rgb c = im.px[std::size_t(y) * im.w + x];
      s += char(c & 0xFF), s += char((c >> 8) & 0xFF), s += char((c >> 16) & 0xFF);
    }
    s.append(stride - im.w * 3, '\0');
  }
  return s;
}

struct Style {
  const char* word;
  Rgb light, dark, face, glyph;
  int buttonW, buttonH, titleBtnW, titleBtnH;
  int leftW, clientW, rightW, titleH;
  bool keyed;  // title buttons drawn with the key colour
};

const Style kStyles[] = {
    {"MACOS", 0xF4F4F4, 0xB8B8B8, 0xE7E7E7, 0x404040, 252, 23, 306, 17, 48, 49, 48, 23, false},
    {"WINXP", 0x3D95FF, 0x0054E3, 0xEFEBDE, 0xFFFFFF, 54, 21, 378, 21, 35, 37, 35, 29, false},
    {"DEEPBLUE", 0x4A6EA8, 0x1C2F5C, 0xE8E8E8, 0xFFFFFF, 222, 21, 342, 19, 97, 98, 97, 32, false},
    {"PROTEIN", 0x8A8A8A, 0x3C3C3C, 0xFBFBFB, 0xFFFFFF, 222, 21, 342, 19, 441, 1, 1, 23, true},
    {"BLUEGLASS", 0x9CC8F0, 0x3A78C0, 0xE7E7E7, 0xFFFFFF, 231, 27, 342, 19, 162, 179, 101, 33, true},
};

// Three states side by side: normal, mouse over, pressed; key-coloured corners.
Image ButtonStrip(const Style& st) {
  Image im(st.buttonW, st.buttonH);
  const int part = st.buttonW / 3;
  for (int i = 0; i < 3; ++i) {
    const int x0 = i * part, x1 = i == 2 ? st.buttonW : x0 + part;
    const Rgb top = i == 1 ? Mix(st.light, 0xFFFFFF, 1, 2) : st.light;
    const Rgb bottom = i == 2 ? Mix(st.dark, 0, 1, 3) : st.dark;
    Vertical(im, x0, 0, x1, st.buttonH, i == 2 ? bottom : top, i == 2 ? top : bottom);
    im.Frame(x0, 0, x1, st.buttonH, Mix(st.dark, 0, 1, 2));
    for (int y : {0, st.buttonH - 1})
      for (int x : {x0, x1 - 1}) im.Set(x, y, kKey);
  }
  return im;
}

// 18 parts: control box, help, maximize, restore, minimize, close; three states each.
Image TitleButtons(const Style& st) {
  Image im(st.titleBtnW, st.titleBtnH);
  const int pw = st.titleBtnW / 18, h = st.titleBtnH;
  for (int p = 0; p < 18; ++p) {
    const int x0 = p * pw, state = p % 3, kind = p / 3;
    const Rgb face = state == 0 ? st.dark : state == 1 ? st.light : Mix(st.dark, 0, 1, 2);
    im.Fill(x0, 0, x0 + pw, h, face);
    im.Frame(x0, 0, x0 + pw, h, Mix(face, 0xFFFFFF, 1, 2));
    const int gx = x0 + pw / 4, gy = h / 4, gw = pw / 2, gh = h / 2;
    switch (kind) {
      case 0: im.Fill(gx, gy, gx + gw, gy + gh, st.glyph); break;
      case 1: im.Frame(gx, gy, gx + gw, gy + gh / 2 + 1, st.glyph), im.Set(gx + gw / 2, gy + gh, st.glyph); break;
      case 2: im.Frame(gx, gy, gx + gw, gy + gh, st.glyph), im.Fill(gx, gy, gx + gw, gy + 2, st.glyph); break;
      case 3: im.Frame(gx + 2, gy, gx + gw, gy + gh - 2, st.glyph), im.Frame(gx, gy + 2, gx + gw - 2, gy + gh, st.glyph); break;
      case 4: im.Fill(gx, gy + gh - 2, gx + gw, gy + gh, st.glyph); break;
      default:
        for (int i = 0; i < gw; ++i) im.Set(gx + i, gy + i * gh / gw, st.glyph), im.Set(gx + gw - 1 - i, gy + i * gh / gw, st.glyph);
    }
    if (st.keyed)
      for (int y : {0, h - 1})
        for (int x : {x0, x0 + pw - 1}) im.Set(x, y, kKey);
  }
  return im;
}

Image TitleSection(const Style& st, int width, int which) {
  Image im(width, st.titleH);
  Vertical(im, 0, 0, width, st.titleH, st.light, st.dark);
  im.Fill(0, 0, width, 1, Mix(st.light, 0xFFFFFF, 1, 2));
  if (which == 0 && width > 8) im.Fill(2, st.titleH - 3, width - 2, st.titleH - 2, Mix(st.dark, st.light, 1, 2));
  return im;
}

Image MenuChecked() {
  Image im(16, 16, 0xFFFFFF);
  for (int i = 0; i < 3; ++i) im.Fill(3 + i, 7 + i, 5 + i, 9 + i, 0);
  for (int i = 0; i < 6; ++i) im.Fill(6 + i, 9 - i, 8 + i, 11 - i, 0);
  return im;
}

Image Pattern(Rgb a, Rgb b) {
  Image im(8, 8, a);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x + y) % 4 == 0) im.Set(x, y, b);
  return im;
}

// ---- test theme -------------------------------------------------------------------------------

void PutI32(std::string& s, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = char((std::uint32_t(v) >> (8 * i)) & 0xFF);
}

struct Value {
  std::string name;
  unsigned char kind;
  std::string data;
};

std::string Int32Bytes(std::int32_t v) {
  std::string s(4, '\0');
  PutI32(s, 0, v);
  return s;
}

Image ThemeBitmap(const char* name, Rgb base) {
  struct Size { const char* name; int w, h; };
  static const Size sizes[] = {
      {"SKIN2_TITLEBAR1", 40, 26}, {"SKIN2_TITLEBAR2", 30, 26}, {"SKIN2_TITLEBAR3", 60, 26},
      {"SKIN2_TITLEBAR4", 20, 26}, {"SKIN2_TITLEBAR5", 20, 26}, {"SKIN2_FORMLEFTBORDER", 4, 8},
      {"SKIN2_FORMRIGHTBORDER", 5, 8}, {"SKIN2_FORMBOTTOMBORDER1", 12, 4}, {"SKIN2_FORMBOTTOMBORDER2", 12, 4},
      {"SKIN2_FORMBOTTOMBORDER3", 12, 4}, {"SKIN2_TITLEBUTTONS", 18 * 16, 16}, {"SKIN2_CHECKEDMENUICON", 16, 16},
      {"SKIN2_MENUBAR", 1, 22}, {"SKIN2_BUTTON", 3 * 25, 24},
  };
  for (const Size& s : sizes)
    if (std::strcmp(s.name, name) == 0) {
      Image im(s.w, s.h);
      Vertical(im, 0, 0, s.w, s.h, Mix(base, 0xFFFFFF, 1, 2), base);
      if (std::strcmp(name, "SKIN2_TITLEBAR1") == 0 || std::strcmp(name, "SKIN2_TITLEBAR3") == 0) {
        im.Set(0, 0, kKey), im.Set(s.w - 1, 0, kKey);
      }
      return im;
    }
  return Image(8, 8, base);
}

const char* const kColorKeys[32] = {
    "SKIN2_TRANSCOLOR", "SKIN2_TITLEFONTCOLOR", "SKIN2_FORMCOLOR", "SKIN2_MENUBARSTARTCOLOR",
    "SKIN2_MENUBARENDCOLOR", "SKIN2_TOPSELECTEDMENUCOLOR", "SKIN2_TOPSELECTEDMENUBORDERCOLOR",
    "SKIN2_TOPSELECTEDMENUFONTCOLOR", "SKIN2_TOPMENUFONTCOLOR", "SKIN2_LEFTBARSTARTCOLOR", "SKIN2_LEFTBARENDCOLOR",
    "SKIN2_MENUITEMCOLOR", "SKIN2_MENUITEMFONTCOLOR", "SKIN2_SELECTEDMENUCOLOR", "SKIN2_SELECTEDMENUBORDERCOLOR",
    "SKIN2_SELECTEDMENUFONTCOLOR", "SKIN2_TOOLBARSTARTCOLOR", "SKIN2_TOOLBARENDCOLOR", "SKIN2_TOOLBARONCOLOR",
    "SKIN2_TOOLBARBORDERCOLOR", "SKIN2_TOOLBARDOWNCOLOR", "SKIN2_CONTROLCOLOR", "SKIN2_CONTROLBORDERCOLOR",
    "SKIN2_CONTROLFONTCOLOR", "SKIN2_BUTTONFONTCOLOR", "SKIN2_SCROLLBARCOLOR", "SKIN2_TABCONTROLCOLOR",
    "SKIN2_TABCONTROLBORDERCOLOR", "SKIN2_TABCONTROLACTIVEFONTCOLOR", "SKIN2_TABCONTROLINACTIVEFONTCOLOR",
    "SKIN2_SIDECHANNELCOLOR", "SKIN2_SIDECHANNELBORDERCOLOR"};
const char* const kBitmapKeys[34] = {
    "SKIN2_TITLEBAR1", "SKIN2_TITLEBAR2", "SKIN2_TITLEBAR3", "SKIN2_TITLEBAR4", "SKIN2_TITLEBAR5",
    "SKIN2_FORMLEFTBORDER", "SKIN2_FORMRIGHTBORDER", "SKIN2_FORMBOTTOMBORDER1", "SKIN2_FORMBOTTOMBORDER2",
    "SKIN2_FORMBOTTOMBORDER3", "SKIN2_MINIMIZEDTITLE", "SKIN2_TITLEBUTTONS", "SKIN2_CHECKEDMENUICON",
    "SKIN2_MENUBAR", "SKIN2_TOOLBAR", "SKIN2_BUTTON", "SKIN2_CHECKBOX", "SKIN2_CHECKBOXLIST", "SKIN2_RADIOBUTTON",
    "SKIN2_PROGRESSBAR1", "SKIN2_PROGRESSBAR2", "SKIN2_PROGRESSBAR3", "SKIN2_PROGRESSBAR4", "SKIN2_TRACKBAR",
    "SKIN2_TRACKBARSLIDER", "SKIN2_TRACKBARVSLIDER", "SKIN2_SCROLLBARUPBUTTON", "SKIN2_SCROLLBAR",
    "SKIN2_SCROLLBARDOWNBUTTON", "SKIN2_TABCONTROL", "SKIN2_TABCONTROLLINE", "SKIN2_SIDECHANNELBAR",
    "SKIN2_SIDECHANNELTITLE", "SKIN2_SCROLLBUTTON"};
const char* const kIntegerKeys[9] = {
    "SKIN2_TITLEBARICONPOSX", "SKIN2_TITLEBARICONPOSY", "SKIN2_TITLEBARCAPTIONTOP", "SKIN2_TITLEBARBUTTONPOSX",
    "SKIN2_TITLEBARBUTTONPOSY", "SKIN2_TITLEBARREGIONMINY", "SKIN2_TITLEBARREGIONMAXY", "SKIN2_BOTTOMREGIONMINY",
    "SKIN2_BOTTOMREGIONMAXY"};
const char* const kFlagKeys[9] = {
    "SKIN2_TITLEFIVESECT", "SKIN2_BOTTOMBORDERTHREESECT", "SKIN2_TITLEBARNEEDREGION",
    "SKIN2_BOTTOMBORDERNEEDREGION", "SKIN2_TITLEBTNTRANS", "SKIN2_BUTTONTRANS", "SKIN2_CHECKBOXTRANS",
    "SKIN2_RADIOBUTTONTRANS", "SKIN2_TABCONTROLTRANS"};

// Colour values of the test theme as TColor ($00BBGGRR): the key colour first, then distinct ones.
std::int32_t ThemeColor(int index) {
  if (index == 0) return 0xFF00FF;
  return std::int32_t(0x102030 + index * 0x030507);
}
const std::int32_t kThemeIntegers[9] = {6, 5, 7, 4, 5, 0, 3, 0, 2};
// Flag bytes; the button-transparency flag is stored as 2 (any non-zero byte is true).
const unsigned char kThemeFlags[9] = {0, 1, 1, 0, 1, 2, 0, 0, 0};

std::vector<Value> ThemeValues() {
  std::vector<Value> values;
  for (int i = 0; i < 32; ++i) values.push_back({kColorKeys[i], 1, Int32Bytes(ThemeColor(i))});
  for (int i = 0; i < 34; ++i)
    values.push_back({kBitmapKeys[i], 0, Bmp(ThemeBitmap(kBitmapKeys[i], Rgb(0x2050A0 + i * 0x030201)))});
  for (int i = 0; i < 9; ++i) values.push_back({kIntegerKeys[i], 1, Int32Bytes(kThemeIntegers[i])});
  for (int i = 0; i < 9; ++i) values.push_back({kFlagKeys[i], 2, std::string(1, char(kThemeFlags[i]))});
  values.push_back({"SKIN2_THEMENAME", 3, "Generated test theme"});
  return values;
}

// The DOS time and date of every member: 2020-01-01 12:00.
constexpr unsigned kDosTime = 12u << 11;
constexpr unsigned kDosDate = ((2020u - 1980u) << 9) | (1u << 5) | 1u;

std::string Deflate(const std::string& data) {
  z_stream zs{};
  if (deflateInit2(&zs, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::runtime_error("deflate");
  std::string out(deflateBound(&zs, uLong(data.size())), '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = uInt(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = uInt(out.size());
  if (deflate(&zs, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("deflate");
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

}  // namespace

std::vector<TNamedFile> StyleBitmaps() {
  std::vector<TNamedFile> files;
  for (const Style& st : kStyles) {
    const std::string w = st.word;
    files.push_back({w + "_BUTTON", Bmp(ButtonStrip(st))});
    files.push_back({w + "_TITLEBTN", Bmp(TitleButtons(st))});
    files.push_back({w + "_TITLE_LEFT", Bmp(TitleSection(st, st.leftW, 0))});
    files.push_back({w + "_TITLE_CLIENT", Bmp(TitleSection(st, st.clientW, 1))});
    files.push_back({w + "_TITLE_RIGHT", Bmp(TitleSection(st, st.rightW, 2))});
  }
  files.push_back({"MENU_CHECKED", Bmp(MenuChecked())});
  Image bar(1, 22), select(1, 21);
  Vertical(bar, 0, 0, 1, 22, 0xFFFFFF, 0xD0D0D0);
  Vertical(select, 0, 0, 1, 21, 0x6FA8E8, 0x2A64C8);
  files.push_back({"MACOS_MENU_BAR", Bmp(bar)});
  files.push_back({"MACOS_MENU_SELECT", Bmp(select)});
  files.push_back({"MACOS_FORM_BACKGROUND", Bmp(Pattern(0xECECEC, 0xE0E0E0))});
  files.push_back({"PROTEIN_FORM_BACKGROUND", Bmp(Pattern(0xFBFBFB, 0xF0F0F0))});
  return files;
}

std::string TestSkinData() {
  const std::vector<Value> values = ThemeValues();
  const std::size_t records = values.size() + 1;  // and the terminating record
  std::string member(skinpack::kSkinHeaderSize + records * skinpack::kSkinRecordSize, '\0');
  std::memcpy(member.data(), "SK2 generated", 13);
  PutI32(member, 12, skinpack::kSkinHeaderSize);
  PutI32(member, 20, skinpack::kSkinHeaderSize);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const std::size_t at = skinpack::kSkinHeaderSize + i * skinpack::kSkinRecordSize;
    std::memcpy(member.data() + at, values[i].name.data(), values[i].name.size());
    member[at + 64] = char(values[i].kind);
    PutI32(member, at + 65, std::int32_t(member.size()));
    PutI32(member, at + 69, std::int32_t(values[i].data.size()));
    PutI32(member, at + 73, std::int32_t(at + skinpack::kSkinRecordSize));
    member += values[i].data;
  }
  return member;
}

std::string ThemeArchive(const std::string& Member, const std::string& Password) {
  const std::string name = "SKINDATA.SK2";
  const std::uint32_t crc = skinpack::Crc32(0, reinterpret_cast<const unsigned char*>(Member.data()), Member.size());
  std::string data = Deflate(Member);
  const unsigned flags = Password.empty() ? 0 : 1;
  if (!Password.empty()) {
    skinpack::TZipCipher cipher(Password);
    std::string sealed;
    for (int i = 0; i < 11; ++i) sealed += char(cipher.EncryptByte(static_cast<unsigned char>(0x5A + 37 * i)));
    sealed += char(cipher.EncryptByte(static_cast<unsigned char>(crc >> 24)));
    for (char c : data) sealed += char(cipher.EncryptByte(static_cast<unsigned char>(c)));
    data = sealed;
  }
  std::string zip;
  Put32(zip, 0x04034B50), Put16(zip, 20), Put16(zip, flags), Put16(zip, 8), Put16(zip, kDosTime),
      Put16(zip, kDosDate), Put32(zip, crc), Put32(zip, std::uint32_t(data.size())),
      Put32(zip, std::uint32_t(Member.size())), Put16(zip, unsigned(name.size())), Put16(zip, 0);
  zip += name + data;
  const std::uint32_t directory = std::uint32_t(zip.size());
  Put32(zip, 0x02014B50), Put16(zip, 20), Put16(zip, 20), Put16(zip, flags), Put16(zip, 8), Put16(zip, kDosTime),
      Put16(zip, kDosDate), Put32(zip, crc), Put32(zip, std::uint32_t(data.size())),
      Put32(zip, std::uint32_t(Member.size())), Put16(zip, unsigned(name.size())), Put16(zip, 0), Put16(zip, 0),
      Put16(zip, 0), Put16(zip, 0), Put32(zip, 0), Put32(zip, 0);
  zip += name;
  const std::uint32_t directorySize = std::uint32_t(zip.size()) - directory;
  Put32(zip, 0x06054B50), Put16(zip, 0), Put16(zip, 0), Put16(zip, 1), Put16(zip, 1), Put32(zip, directorySize),
      Put32(zip, directory), Put16(zip, 0);
  zip[0] = 'S';  // theme archives start with "SK" where a plain archive has "PK"
  return zip;
}

}  // namespace skinpack_art
