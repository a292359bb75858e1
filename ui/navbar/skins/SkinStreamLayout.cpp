#include "ui/navbar/skins/SkinStreamLayout.h"

#include <cmath>
#include <cstring>

namespace dxskin {

namespace {

constexpr const char* kPropertyClassNames[] = {"TdxSkinIntegerProperty", "TdxSkinBooleanProperty",
                                               "TdxSkinColor",           "TdxSkinRectProperty",
                                               "TdxSkinSizeProperty",    "TdxSkinStringProperty"};
constexpr char kMagic[] = "dxSkin";
constexpr std::size_t kMagicLength = 6;

[[noreturn]] void Invalid(const char* what) { throw StreamError(StreamErrorKind::InvalidFormat, what); }

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Position() const { return pos_; }
  std::size_t Left() const { return size_ - pos_; }

  void Need(std::size_t count) {
    if (count > Left()) throw StreamError(StreamErrorKind::UnexpectedEnd, "Stream read error");
  }
  void Skip(std::size_t count) {
    Need(count);
    pos_ += count;
  }
  std::uint8_t Byte() {
    Need(1);
    return data_[pos_++];
  }
  std::uint16_t Word() {
    Need(2);
    const std::uint16_t v = std::uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  std::int32_t Int() {
    Need(4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | data_[pos_ + std::size_t(i)];
    pos_ += 4;
    return std::int32_t(v);
  }
  double Float() {
    Need(8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | data_[pos_ + std::size_t(i)];
    pos_ += 8;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  // A length or count: negative or beyond the bytes left (each counted item takes at least
  // minItemSize bytes) is a damaged stream.
  std::size_t Count(std::size_t minItemSize) {
    const std::int32_t n = Int();
    if (n < 0 || std::size_t(n) > Left() / minItemSize) Invalid("Invalid stream format");
    return std::size_t(n);
  }
  std::string Text() {
    const std::size_t n = Count(1);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  std::vector<std::uint8_t> Bytes(std::size_t n) {
    Need(n);
    std::vector<std::uint8_t> v(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return v;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The smallest records, for the count checks: a string is 4 bytes at least.
constexpr std::size_t kMinColor = 4 + 4 + 4;
constexpr std::size_t kMinProperty = 4 + 4 + 1;
constexpr std::size_t kMinImage101 = 16 + 1 + 2 + 1 + 4;
constexpr std::size_t kMinElement = 4 + 4 + 1 + 4 + 16 + 2 * kMinImage101 + 4 * (4 + 4 + 8) + 4 + 8 + 4;
constexpr std::size_t kMinGroup = 4 + 4 + 4;

PropertyRecord ReadProperty(Reader& r) {
  PropertyRecord p;
  const std::string className = r.Text();
  if (!PropertyKindOfClass(className, p.Kind)) throw StreamError(StreamErrorKind::UnknownClass, className);
  p.Name = r.Text();
  switch (p.Kind) {
    case PropertyKind::Integer:
    case PropertyKind::Color: p.Values[0] = r.Int(); break;
    case PropertyKind::Boolean: p.Boolean = r.Byte(); break;
    case PropertyKind::Rect:
      for (auto& v : p.Values) v = r.Int();
      break;
    case PropertyKind::Size:
      p.Values[0] = r.Int();
      p.Values[1] = r.Int();
      break;
    case PropertyKind::String: p.Text = r.Text(); break;
  }
  return p;
}

std::vector<PropertyRecord> ReadProperties(Reader& r) {
  const std::size_t n = r.Count(kMinProperty);
  std::vector<PropertyRecord> list;
  list.reserve(n);
  for (std::size_t i = 0; i < n; ++i) list.push_back(ReadProperty(r));
  return list;
}

ImageRecord ReadImage(Reader& r, double version) {
  ImageRecord im;
  for (auto& m : im.Margins) m = r.Int();
  im.Layout = r.Byte();
  im.States = r.Word();
  im.Stretch = r.Byte();
  if (version >= kVersion102) {
    im.GradientBeginColor = r.Int();
    im.GradientEndColor = r.Int();
    im.Gradient = r.Byte();
  }
  const std::size_t n = r.Count(1);
  im.PngOffset = r.Position();
  im.Png = r.Bytes(n);
  return im;
}

ElementRecord ReadElement(Reader& r, double version) {
  ElementRecord e;
  e.Color = r.Int();
  e.Alpha = r.Byte();
  e.ImageCount = r.Int();
  for (auto& v : e.ContentOffset) v = r.Int();
  e.Glyph = ReadImage(r, version);
  e.Image = ReadImage(r, version);
  for (auto& b : e.Borders) {
    b.ClassName = r.Text();
    b.Name = r.Text();
    b.Color = r.Int();
    b.Width = r.Int();
  }
  e.TextColor = r.Int();
  e.MinSize[0] = r.Int();
  e.MinSize[1] = r.Int();
  e.Properties = ReadProperties(r);
  return e;
}

class Writer {
 public:
  void Byte(std::uint8_t v) { out.push_back(v); }
  void Word(std::uint16_t v) {
    Byte(std::uint8_t(v));
    Byte(std::uint8_t(v >> 8));
  }
  void Int(std::int32_t v) {
    const std::uint32_t u = std::uint32_t(v);
    for (int i = 0; i < 4; ++i) Byte(std::uint8_t(u >> (8 * i)));
  }
  void Float(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) Byte(std::uint8_t(bits >> (8 * i)));
  }
  void Text(const std::string& s) {
    Int(std::int32_t(s.size()));
    out.insert(out.end(), s.begin(), s.end());
  }
  std::vector<std::uint8_t> out;
};

void WriteProperties(Writer& w, const std::vector<PropertyRecord>& list) {
  w.Int(std::int32_t(list.size()));
  for (const PropertyRecord& p : list) {
    w.Text(PropertyClassName(p.Kind));
    w.Text(p.Name);
    switch (p.Kind) {
      case PropertyKind::Integer:
      case PropertyKind::Color: w.Int(p.Values[0]); break;
      case PropertyKind::Boolean: w.Byte(p.Boolean); break;
      case PropertyKind::Rect:
        for (auto v : p.Values) w.Int(v);
        break;
      case PropertyKind::Size:
        w.Int(p.Values[0]);
        w.Int(p.Values[1]);
        break;
      case PropertyKind::String: w.Text(p.Text); break;
    }
  }
}

void WriteImage(Writer& w, const ImageRecord& im, double version) {
  for (auto m : im.Margins) w.Int(m);
  w.Byte(im.Layout);
  w.Word(im.States);
  w.Byte(im.Stretch);
  if (version >= kVersion102) {
    w.Int(im.GradientBeginColor);
    w.Int(im.GradientEndColor);
    w.Byte(im.Gradient);
  }
  w.Int(std::int32_t(im.Png.size()));
  w.out.insert(w.out.end(), im.Png.begin(), im.Png.end());
}

}  // namespace

bool PropertyKindOfClass(const std::string& className, PropertyKind& kind) {
  // Class names match without regard to ASCII case, as class lookups by name do.
  auto same = [](const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i) {
      const char x = a[i] >= 'a' && a[i] <= 'z' ? char(a[i] - 32) : a[i];
      const char y = b[i] >= 'a' && b[i] <= 'z' ? char(b[i] - 32) : b[i];
      if (x != y) return false;
    }
    return true;
  };
  for (int i = 0; i < 6; ++i)
    if (same(className, kPropertyClassNames[i])) {
      kind = PropertyKind(i);
      return true;
    }
  return false;
}

const char* PropertyClassName(PropertyKind kind) { return kPropertyClassNames[int(kind)]; }

SkinRecord ReadSkinStream(const std::uint8_t* data, std::size_t size, std::size_t* consumed) {
  if (size < 4 + kMagicLength + 8) Invalid("Invalid stream format");
  Reader r(data, size);
  r.Skip(4);  // the magic's own count, whatever it holds
  if (std::memcmp(data + 4, kMagic, kMagicLength) != 0) Invalid("Invalid stream format");
  r.Skip(kMagicLength);
  SkinRecord skin;
  skin.Version = r.Float();
  skin.Name = r.Text();
  if (!(skin.Version >= 1.0)) {
    if (std::isnan(skin.Version)) Invalid("Invalid stream format");
    throw StreamError(StreamErrorKind::VersionTooOld, "version older than 1.0");
  }
  // A newer layout would be misread as this one.
  if (skin.Version > kVersion102) Invalid("Invalid stream format");

  const std::size_t colors = r.Count(kMinColor);
  skin.Colors.reserve(colors);
  for (std::size_t i = 0; i < colors; ++i) {
    r.Text();  // the class name: every colour is a TdxSkinColor
    ColorRecord c;
    c.Name = r.Text();
    c.Value = r.Int();
    skin.Colors.push_back(std::move(c));
  }
  skin.Properties = ReadProperties(r);
  const std::size_t groups = r.Count(kMinGroup);
  skin.Groups.reserve(groups);
  for (std::size_t i = 0; i < groups; ++i) {
    GroupRecord g;
    g.Name = r.Text();
    const std::size_t elements = r.Count(kMinElement);
    g.Elements.reserve(elements);
    for (std::size_t j = 0; j < elements; ++j) {
      std::string name = r.Text();
      g.Elements.push_back(ReadElement(r, skin.Version));
      g.Elements.back().Name = std::move(name);
    }
    g.Properties = ReadProperties(r);
    skin.Groups.push_back(std::move(g));
  }
  if (consumed) *consumed = r.Position();
  return skin;
}

std::vector<std::uint8_t> WriteSkinStream(const SkinRecord& skin, double version) {
  Writer w;
  w.Text(kMagic);
  w.Float(version);
  w.Text(skin.Name);
  w.Int(std::int32_t(skin.Colors.size()));
  for (const ColorRecord& c : skin.Colors) {
    w.Text("TdxSkinColor");
    w.Text(c.Name);
    w.Int(c.Value);
  }
  WriteProperties(w, skin.Properties);
  w.Int(std::int32_t(skin.Groups.size()));
  for (const GroupRecord& g : skin.Groups) {
    w.Text(g.Name);
    w.Int(std::int32_t(g.Elements.size()));
    for (const ElementRecord& e : g.Elements) {
      w.Text(e.Name);
      w.Int(e.Color);
      w.Byte(e.Alpha);
      w.Int(e.ImageCount);
      for (auto v : e.ContentOffset) w.Int(v);
      WriteImage(w, e.Glyph, version);
      WriteImage(w, e.Image, version);
      for (const BorderRecord& b : e.Borders) {
        w.Text(b.ClassName);
        w.Text(b.Name);
        w.Int(b.Color);
        w.Int(b.Width);
      }
      w.Int(e.TextColor);
      w.Int(e.MinSize[0]);
      w.Int(e.MinSize[1]);
      WriteProperties(w, e.Properties);
    }
    WriteProperties(w, g.Properties);
  }
  return std::move(w.out);
}

}  // namespace dxskin
