#include "NavBarArt.h"

#include <cmath>
#include <functional>
#include <initializer_list>

#include "tools/art/ArtRaster.h"
#include "tools/cursors/FoundationBitmaps.h"
#include "ui/extras/png/PngImageCore.h"

namespace navbar_art {

using art::Color;
using art::Picture;
using art::Rgb;

namespace {

// ---- colours and pictures ---------------------------------------------------------------------

struct Palette {
  Color Light, Mid, Dark, Border, Text, Back, HotTop, HotBottom, PressedTop, PressedBottom, SelectedTop,
      SelectedBottom, Glyph;
};

Palette PaletteOf(Scheme scheme) {
  switch (scheme) {
    case Scheme::Office12Blue:
      return {Rgb(227, 239, 255), Rgb(196, 218, 250), Rgb(124, 166, 222), Rgb(101, 147, 207), Rgb(21, 66, 139),
              Rgb(215, 229, 247), Rgb(255, 244, 204), Rgb(255, 214, 120), Rgb(252, 186, 110), Rgb(250, 150, 64),
              Rgb(255, 225, 160), Rgb(255, 190, 90), Rgb(40, 80, 150)};
    case Scheme::Office12Black:
      return {Rgb(112, 112, 112), Rgb(74, 74, 74), Rgb(48, 48, 48), Rgb(18, 18, 18), Rgb(255, 255, 255),
              Rgb(83, 83, 83), Rgb(255, 244, 204), Rgb(255, 214, 120), Rgb(252, 186, 110), Rgb(250, 150, 64),
              Rgb(255, 225, 160), Rgb(255, 190, 90), Rgb(230, 230, 230)};
    case Scheme::Office12Silver:
      return {Rgb(247, 248, 250), Rgb(216, 220, 228), Rgb(170, 175, 188), Rgb(128, 134, 146), Rgb(70, 74, 80),
              Rgb(232, 234, 238), Rgb(255, 244, 204), Rgb(255, 214, 120), Rgb(252, 186, 110), Rgb(250, 150, 64),
              Rgb(255, 225, 160), Rgb(255, 190, 90), Rgb(90, 96, 108)};
    case Scheme::Vista:
    default:
      return {Rgb(252, 252, 252), Rgb(226, 233, 241), Rgb(176, 193, 212), Rgb(130, 150, 175), Rgb(30, 57, 91),
              Rgb(240, 244, 249), Rgb(232, 244, 253), Rgb(193, 222, 252), Rgb(176, 210, 244), Rgb(140, 186, 236),
              Rgb(206, 230, 252), Rgb(160, 204, 248), Rgb(40, 70, 110)};
  }
}

std::uint8_t ToByte(double channel) {
  return std::uint8_t(std::lround(std::fmin(std::fmax(channel, 0.0), 1.0) * 255));
}

// A framework colour value: red in the low byte.
std::int32_t ColorValue(const Color& c) { return ToByte(c.r) | ToByte(c.g) << 8 | ToByte(c.b) << 16; }

Color Fade(Color c, double alpha) {
  c.a = alpha;
  return c;
}

Color Transparent() { return Color{0, 0, 0, 0}; }

std::vector<std::uint8_t> EncodePng(const Picture& picture) {
  TPngImageCore image;
  image.RowFilters = 0x1F;
  image.DeflateLevel = 9;
  image.BuildEmptyImage(6, 8, Cardinal(picture.Width()), Cardinal(picture.Height()));
  for (int y = 0; y < picture.Height(); ++y) {
    Byte* row = image.PixelRow(Cardinal(y));
    Byte* alpha = image.AlphaRow(Cardinal(y));
    for (int x = 0; x < picture.Width(); ++x) {
      const Color& c = picture.At(x, y);
      row[3 * x] = ToByte(c.b);
      row[3 * x + 1] = ToByte(c.g);
      row[3 * x + 2] = ToByte(c.r);
      alpha[x] = ToByte(c.a);
    }
  }
  TPngMemoryStream stream;
  image.SaveToStream(stream);
  return stream.Bytes();
}

// A box with a vertical gradient, a one-pixel rim and rounded corners.
void Box(Picture& p, double l, double t, double r, double b, const Color& top, const Color& bottom, const Color& rim,
         double radius) {
  const int L = int(l), T = int(t), R = int(std::ceil(r)), B = int(std::ceil(b));
  p.Fill(art::RoundRect(l, t, r, b, radius), art::Solid(rim), L, T, R, B);
  p.Fill(art::RoundRect(l + 1, t + 1, r - 1, b - 1, std::fmax(0, radius - 1)),
         art::VerticalGradient(t + 1, b - 1, top, bottom), L, T, R, B);
}

// A chevron pointing in a direction (0 up, 1 down, 2 left, 3 right), centred at (cx, cy).
void Chevron(Picture& p, double cx, double cy, double size, int direction, const Color& color, double offset = 0) {
  const double h = size / 2, w = 1.1;
  double x1, y1, x2, y2, x3, y3;
  switch (direction) {
    case 0: x1 = cx - h, y1 = cy + h / 2 + offset, x2 = cx, y2 = cy - h / 2 + offset, x3 = cx + h, y3 = y1; break;
    case 1: x1 = cx - h, y1 = cy - h / 2 + offset, x2 = cx, y2 = cy + h / 2 + offset, x3 = cx + h, y3 = y1; break;
    case 2: x1 = cx + h / 2 + offset, y1 = cy - h, x2 = cx - h / 2 + offset, y2 = cy, x3 = x1, y3 = cy + h; break;
    default: x1 = cx - h / 2 + offset, y1 = cy - h, x2 = cx + h / 2 + offset, y2 = cy, x3 = x1, y3 = cy + h; break;
  }
  p.Fill(art::Union(art::Capsule(x1, y1, x2, y2, w), art::Capsule(x2, y2, x3, y3, w)), art::Solid(color));
}

// A filled triangle arrow (0 up, 1 down, 2 left, 3 right).
void Arrow(Picture& p, double cx, double cy, double size, int direction, const Color& color) {
  const double h = size / 2;
  std::vector<std::pair<double, double>> pts;
  switch (direction) {
    case 0: pts = {{cx - h, cy + h / 2}, {cx + h, cy + h / 2}, {cx, cy - h / 2}}; break;
    case 1: pts = {{cx - h, cy - h / 2}, {cx + h, cy - h / 2}, {cx, cy + h / 2}}; break;
    case 2: pts = {{cx + h / 2, cy - h}, {cx + h / 2, cy + h}, {cx - h / 2, cy}}; break;
    default: pts = {{cx - h / 2, cy - h}, {cx - h / 2, cy + h}, {cx + h / 2, cy}}; break;
  }
  p.Fill(art::Polygon(pts), art::Solid(color));
}

// Frames laid out along one axis, each drawn by draw(picture, left, top, index).
Picture Sheet(int fw, int fh, int frames, bool vertical, const std::function<void(Picture&, int, int, int)>& draw) {
  Picture p(vertical ? fw : fw * frames, vertical ? fh * frames : fh, Transparent());
  for (int i = 0; i < frames; ++i) draw(p, vertical ? 0 : i * fw, vertical ? i * fh : 0, i);
  return p;
}

std::uint16_t States(std::initializer_list<int> states) {
  std::uint16_t bits = 0;
  for (int s : states) bits = std::uint16_t(bits | 1u << s);
  return bits;
}

// Element states used here.
constexpr int kNormal = 0, kHot = 1, kPressed = 2, kDisabled = 3, kDroppedDown = 6, kChecked = 7, kHotCheck = 8;
constexpr std::uint8_t kHorizontal = 0, kVertical = 1;
constexpr std::uint8_t kStretch = 0, kTile = 1, kNoResize = 2;

void SetImage(dxskin::ImageRecord& r, const Picture& p, std::uint16_t states, std::uint8_t layout,
              std::uint8_t stretch, std::array<std::int32_t, 4> margins = {}) {
  r.Png = EncodePng(p);
  r.States = states;
  r.Layout = layout;
  r.Stretch = stretch;
  r.Margins = margins;
}

dxskin::ElementRecord NewElement(const char* name) {
  dxskin::ElementRecord e;
  e.Name = name;
  return e;
}

dxskin::PropertyRecord IntegerProperty(const char* name, int value) {
  dxskin::PropertyRecord p;
  p.Kind = dxskin::PropertyKind::Integer;
  p.Name = name;
  p.Values[0] = value;
  return p;
}

dxskin::PropertyRecord ColorProperty(const char* name, const Color& c) {
  dxskin::PropertyRecord p;
  p.Kind = dxskin::PropertyKind::Color;
  p.Name = name;
  p.Values[0] = ColorValue(c);
  return p;
}

void SetBorders(dxskin::ElementRecord& e, const Color& color) {
  for (auto& b : e.Borders) {
    b.Color = ColorValue(color);
    b.Width = 1;
  }
}

// The colours of a button-like face in a state: 0 normal, 1 hot, 2 pressed, 3 selected, 4 disabled.
void FaceColors(const Palette& pal, int state, Color& top, Color& bottom) {
  switch (state) {
    case 1: top = pal.HotTop, bottom = pal.HotBottom; break;
    case 2: top = pal.PressedTop, bottom = pal.PressedBottom; break;
    case 3: top = pal.SelectedTop, bottom = pal.SelectedBottom; break;
    case 4: top = art::Mix(pal.Light, pal.Back, 0.5), bottom = pal.Back; break;
    default: top = pal.Light, bottom = pal.Mid; break;
  }
}

// A face of a stateful button; face state per frame index from faces.
Picture Faces(const Palette& pal, int fw, int fh, std::initializer_list<int> faces, double radius, int copies = 1) {
  const std::vector<int> list(faces);
  const int n = int(list.size());
  return Sheet(fw, fh, n * copies, true, [&](Picture& p, int l, int t, int i) {
    Color top, bottom;
    FaceColors(pal, list[size_t(i % n)], top, bottom);
    Box(p, l, t, l + fw, t + fh, top, bottom, list[size_t(i % n)] == 0 ? pal.Border : art::Mix(pal.Border, bottom, 0.3),
        radius);
  });
}

// A translucent highlight (transparent in the normal state).
Picture Highlights(const Palette& pal, int fw, int fh, std::initializer_list<int> faces) {
  const std::vector<int> list(faces);
  return Sheet(fw, fh, int(list.size()), true, [&](Picture& p, int l, int t, int i) {
    if (list[size_t(i)] == 0) return;
    Color top, bottom;
    FaceColors(pal, list[size_t(i)], top, bottom);
    Box(p, l, t, l + fw, t + fh, Fade(top, 0.75), Fade(bottom, 0.85), Fade(pal.Border, 0.9), 2.5);
  });
}

// The glyph colour over a face: the scheme's own on the normal face, a dark brown on the
// highlighted ones.
Color GlyphOn(const Palette& pal, int face) { return face == 0 ? pal.Glyph : Rgb(90, 56, 16); }

// Round buttons with a glyph, one frame per face state, laid out horizontally.
Picture RoundButtons(const Palette& pal, int size, std::initializer_list<int> faces,
                     const std::function<void(Picture&, double cx, double cy, const Color& ink)>& glyph) {
  const std::vector<int> list(faces);
  return Sheet(size, size, int(list.size()), false, [&](Picture& p, int l, int t, int i) {
    Color top, bottom;
    FaceColors(pal, list[size_t(i)], top, bottom);
    const double c = size / 2.0;
    p.Fill(art::Circle(l + c, t + c, c - 0.5), art::Solid(pal.Border), l, t, l + size, t + size);
    p.Fill(art::Circle(l + c, t + c, c - 1.5), art::VerticalGradient(t + 1, t + size - 1, top, bottom), l, t,
           l + size, t + size);
    glyph(p, l + c, t + c, GlyphOn(pal, list[size_t(i)]));
  });
}

// ---- the groups -------------------------------------------------------------------------------

dxskin::GroupRecord NavBarGroup(const Palette& pal, bool withDropTarget) {
  dxskin::GroupRecord g;
  g.Name = "NavBar";
  {
    auto e = NewElement("Background");
    Picture tile(16, 16, pal.Back);
    tile.Fill(art::Circle(4, 4, 0.8), art::Solid(Fade(pal.Mid, 0.6)));
    tile.Fill(art::Circle(12, 12, 0.8), art::Solid(Fade(pal.Mid, 0.6)));
    SetImage(e.Image, tile, States({kNormal}), kHorizontal, kTile);
    e.Color = ColorValue(pal.Back);
    SetBorders(e, pal.Border);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("GroupHeader");
    SetImage(e.Image, Faces(pal, 24, 24, {0, 1, 2}, 3), States({kNormal, kHot, kPressed}), kVertical, kStretch,
             {4, 4, 4, 4});
    e.TextColor = ColorValue(pal.Text);
    e.ContentOffset = {6, 2, 4, 2};
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("GroupClient");
    Picture p(12, 12, Transparent());
    Box(p, 0, 0, 12, 12, Fade(pal.Light, 0.9), Fade(pal.Back, 0.9), pal.Border, 0);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {2, 2, 2, 2});
    e.Color = ColorValue(pal.Light);
    e.ContentOffset = {4, 4, 4, 4};
    g.Elements.push_back(e);
  }
  for (const char* name : {"GroupOpenButton", "GroupCloseButton"}) {
    const bool open = name[5] == 'O';
    auto e = NewElement(name);
    SetImage(e.Image,
             RoundButtons(pal, 18, {0, 1, 2},
                          [&](Picture& p, double cx, double cy, const Color& ink) {
                            Chevron(p, cx, cy, 6, open ? 1 : 0, ink, -1.6);
                            Chevron(p, cx, cy, 6, open ? 1 : 0, ink, 1.6);
                          }),
             States({kNormal, kHot, kPressed}), kHorizontal, kNoResize);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("Item");
    SetImage(e.Image, Highlights(pal, 16, 16, {0, 1, 2, 3}), States({kNormal, kHot, kPressed, kChecked}), kVertical,
             kStretch, {3, 3, 3, 3});
    e.TextColor = ColorValue(pal.Text);
    g.Elements.push_back(e);
  }
  if (withDropTarget) {
    auto e = NewElement("DragDropItemTarget");
    Picture p(6, 2, pal.Dark);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch);
    e.MinSize = {0, 2};
    g.Elements.push_back(e);
    auto s = NewElement("Separator");
    Picture dots(4, 2, Transparent());
    dots.Fill(art::RoundRect(0, 0, 2, 1, 0), art::Solid(pal.Dark));
    dots.Fill(art::RoundRect(0, 1, 4, 2, 0), art::Solid(Fade(pal.Light, 0.8)));
    SetImage(s.Image, dots, States({kNormal}), kHorizontal, kTile);
    s.MinSize = {0, 2};
    g.Elements.push_back(s);
  }
  return g;
}

dxskin::GroupRecord NavPaneGroup(const Palette& pal) {
  dxskin::GroupRecord g;
  g.Name = "NavPane";
  {
    auto e = NewElement("Caption");
    Picture p(8, 27, Transparent());
    p.Fill(art::RoundRect(0, 0, 8, 27, 0), art::VerticalGradient(0, 27, pal.Mid, pal.Dark));
    p.Fill(art::RoundRect(0, 26, 8, 27, 0), art::Solid(pal.Border));
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {0, 1, 0, 1});
    e.TextColor = ColorValue(pal.Text);
    e.ContentOffset = {6, 0, 6, 0};
    e.Properties = {IntegerProperty("Height", 27), IntegerProperty("FontSize", 12)};
    g.Elements.push_back(e);
  }
  for (const char* name : {"CollapseButton", "ExpandButton"}) {
    const bool collapse = name[0] == 'C';
    auto e = NewElement(name);
    SetImage(e.Image,
             RoundButtons(pal, 16, {0, 1, 2, 3, 1, 2},
                          [&](Picture& p, double cx, double cy, const Color& ink) {
                            Chevron(p, cx, cy, 5, collapse ? 2 : 3, ink, -1.5);
                            Chevron(p, cx, cy, 5, collapse ? 2 : 3, ink, 1.5);
                          }),
             States({kNormal, kHot, kPressed, kDroppedDown, kChecked, kHotCheck}), kHorizontal, kNoResize);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("GroupButton");
    SetImage(e.Image, Faces(pal, 32, 32, {0, 1, 2}, 0), States({kNormal, kHot, kPressed}), kVertical, kStretch,
             {2, 2, 2, 2});
    e.TextColor = ColorValue(pal.Text);
    e.ContentOffset = {6, 2, 6, 2};
    g.Elements.push_back(e);
    auto s = NewElement("GroupButtonSelected");
    SetImage(s.Image, Faces(pal, 32, 32, {3, 1, 2}, 0), States({kNormal, kHot, kPressed}), kVertical, kStretch,
             {2, 2, 2, 2});
    s.TextColor = ColorValue(pal.Text);
    s.ContentOffset = {6, 2, 6, 2};
    g.Elements.push_back(s);
  }
  for (const char* name : {"Item", "ItemSelected"}) {
    const bool selected = name[4] == 'S';
    auto e = NewElement(name);
    SetImage(e.Image, Highlights(pal, 16, 16, {selected ? 3 : 0, 1, 2}), States({kNormal, kHot, kPressed}), kVertical,
             kStretch, {3, 3, 3, 3});
    e.TextColor = ColorValue(pal.Text);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("CollapsedGroupClient");
    Picture p(8, 8, Transparent());
    p.Fill(art::RoundRect(0, 0, 8, 8, 0), art::VerticalGradient(0, 8, pal.Light, pal.Mid));
    SetImage(e.Image, p, States({kNormal, kHot}), kHorizontal, kTile);
    e.Color = ColorValue(pal.Back);
    e.TextColor = ColorValue(pal.Text);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("OverflowPanel");
    Picture p(8, 32, Transparent());
    p.Fill(art::RoundRect(0, 0, 8, 32, 0), art::VerticalGradient(0, 32, pal.Light, pal.Mid));
    p.Fill(art::RoundRect(0, 0, 8, 1, 0), art::Solid(pal.Border));
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {0, 1, 0, 0});
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("OverflowPanelExpandItem");
    Picture p = Sheet(18, 32, 3, true, [&](Picture& s, int l, int t, int i) {
      if (i > 0) {
        Color top, bottom;
        FaceColors(pal, i, top, bottom);
        Box(s, l, t, l + 18, t + 32, Fade(top, 0.8), Fade(bottom, 0.9), Fade(pal.Border, 0.8), 2);
      }
      Chevron(s, l + 8, t + 13, 6, 3, GlyphOn(pal, i), -1.5);
      Chevron(s, l + 8, t + 13, 6, 3, GlyphOn(pal, i), 1.5);
      Arrow(s, l + 9, t + 21, 6, 1, GlyphOn(pal, i));
    });
    SetImage(e.Image, p, States({kNormal, kHot, kPressed}), kVertical, kNoResize);
    e.MinSize = {18, 0};
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("OverflowPanelItem");
    // Two images (normal, selected), each with a normal, hot and pressed frame.
    Picture p = Sheet(24, 32, 6, true, [&](Picture& s, int l, int t, int i) {
      const int face = i < 3 ? i : (i == 3 ? 3 : i - 3);
      if (face == 0) return;
      Color top, bottom;
      FaceColors(pal, face, top, bottom);
      Box(s, l, t, l + 24, t + 32, Fade(top, 0.85), bottom, pal.Border, 2);
    });
    SetImage(e.Image, p, States({kNormal, kHot, kPressed}), kVertical, kStretch, {2, 2, 2, 2});
    e.ImageCount = 2;
    g.Elements.push_back(e);
  }
  for (const char* name : {"ScrollUpButton", "ScrollDownButton"}) {
    const bool up = name[6] == 'U';
    auto e = NewElement(name);
    Picture p = Sheet(16, 16, 4, false, [&](Picture& s, int l, int t, int i) {
      if (i == 1 || i == 2) {
        Color top, bottom;
        FaceColors(pal, i, top, bottom);
        Box(s, l, t, l + 16, t + 16, top, bottom, pal.Border, 2);
      }
      Arrow(s, l + 8, t + 8, 8, up ? 0 : 1, i == 3 ? Fade(pal.Dark, 0.5) : GlyphOn(pal, i));
    });
    SetImage(e.Image, p, States({kNormal, kHot, kPressed, kDisabled}), kHorizontal, kNoResize);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("Splitter");
    Picture p = Sheet(24, 7, 2, true, [&](Picture& s, int l, int t, int i) {
      s.Fill(art::RoundRect(l, t, l + 24, t + 7, 0), art::VerticalGradient(t, t + 7, pal.Mid, i ? pal.Light : pal.Dark),
             l, t, l + 24, t + 7);
      for (int k = 0; k < 4; ++k) s.Fill(art::Circle(l + 7.5 + 3 * k, t + 3.5, 0.9), art::Solid(pal.Border));
    });
    SetImage(e.Image, p, States({kNormal}), kVertical, kStretch, {6, 0, 6, 0});
    e.ImageCount = 2;
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("PopupSizeGrip");
    Picture p(12, 12, Transparent());
    for (int y = 0; y < 3; ++y)
      for (int x = 2 - y; x < 3; ++x) p.Fill(art::Circle(3.5 + 3 * x, 3.5 + 3 * y, 1), art::Solid(pal.Dark));
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kNoResize);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("PopupBorder");
    Picture p(6, 6, Transparent());
    Box(p, 0, 0, 6, 6, pal.Back, pal.Back, pal.Border, 0);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {2, 2, 2, 2});
    SetBorders(e, pal.Border);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("GroupClient");
    Picture p(8, 8, pal.Light);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kTile);
    e.Color = ColorValue(pal.Light);
    e.TextColor = ColorValue(pal.Text);
    g.Elements.push_back(e);
  }
  g.Properties = {IntegerProperty("GroupClientTopIndent", 3)};
  return g;
}

dxskin::GroupRecord BarsGroup(const Palette& pal) {
  dxskin::GroupRecord g;
  g.Name = "Bars";
  {
    auto e = NewElement("PopupMenu");
    Picture p(12, 12, Transparent());
    Box(p, 0, 0, 12, 12, pal.Light, pal.Light, pal.Border, 0);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {3, 3, 3, 3});
    SetBorders(e, pal.Border);
    e.TextColor = ColorValue(pal.Text);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("PopupMenuLinkSelected");
    Picture p(12, 12, Transparent());
    Box(p, 0, 0, 12, 12, Fade(pal.HotTop, 0.7), Fade(pal.HotBottom, 0.8), pal.Border, 2.5);
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch, {3, 3, 3, 3});
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("PopupMenuSeparator");
    Picture p(4, 2, Transparent());
    p.Fill(art::RoundRect(0, 0, 4, 1, 0), art::Solid(pal.Dark));
    p.Fill(art::RoundRect(0, 1, 4, 2, 0), art::Solid(Fade(Rgb(255, 255, 255), 0.8)));
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kTile);
    g.Elements.push_back(e);
  }
  {
    auto e = NewElement("PopupMenuSideStrip");
    Picture p(24, 8, Transparent());
    p.Fill(art::Polygon({{0, 0}, {24, 0}, {24, 8}, {0, 8}}),
           [&](double x, double) { return art::Mix(pal.Light, pal.Mid, x / 24); });
    SetImage(e.Image, p, States({kNormal}), kHorizontal, kStretch);
    g.Elements.push_back(e);
  }
  g.Properties = {ColorProperty("DisabledTextColor", art::Mix(pal.Text, pal.Back, 0.55))};
  return g;
}

dxskin::GroupRecord CommonGroup(const Palette& pal) {
  dxskin::GroupRecord g;
  g.Name = "Common";
  {
    auto e = NewElement("ScrollButton");
    // Four images (up, down, left, right), each normal, hot, pressed and disabled.
    Picture p = Sheet(16, 16, 16, true, [&](Picture& s, int l, int t, int i) {
      const int direction = i / 4, face = i % 4;
      Color top, bottom;
      FaceColors(pal, face == 3 ? 4 : face, top, bottom);
      Box(s, l, t, l + 16, t + 16, top, bottom, face == 3 ? Fade(pal.Border, 0.5) : pal.Border, 2);
      Arrow(s, l + 8, t + 8, 7, direction, face == 3 ? Fade(pal.Dark, 0.6) : GlyphOn(pal, face));
    });
    SetImage(e.Image, p, States({kNormal, kHot, kPressed, kDisabled}), kVertical, kStretch, {3, 3, 3, 3});
    e.ImageCount = 4;
    g.Elements.push_back(e);
  }
  for (const char* name : {"ScrollThumbVert", "ScrollThumbHorz"}) {
    const bool vert = name[11] == 'V';
    auto e = NewElement(name);
    SetImage(e.Image, Faces(pal, 16, 16, {0, 1, 2}, 2), States({kNormal, kHot, kPressed}), kVertical, kStretch,
             vert ? std::array<std::int32_t, 4>{3, 4, 3, 4} : std::array<std::int32_t, 4>{4, 3, 4, 3});
    e.MinSize = vert ? std::array<std::int32_t, 2>{0, 12} : std::array<std::int32_t, 2>{12, 0};
    g.Elements.push_back(e);
  }
  for (const char* name : {"ScrollContentVert", "ScrollContentHorz"}) {
    const bool vert = name[13] == 'V';
    auto e = NewElement(name);
    const int w = vert ? 16 : 4, h = vert ? 4 : 16;
    Picture p = Sheet(w, h, 2, !vert, [&](Picture& s, int l, int t, int i) {
      const Color c = i ? pal.Dark : pal.Back;
      s.Fill(art::RoundRect(l, t, l + w, t + h, 0), art::Solid(c), l, t, l + w, t + h);
      if (vert)
        s.Fill(art::RoundRect(l, t, l + 1, t + h, 0), art::Solid(pal.Mid), l, t, l + w, t + h);
      else
        s.Fill(art::RoundRect(l, t, l + w, t + 1, 0), art::Solid(pal.Mid), l, t, l + w, t + h);
    });
    SetImage(e.Image, p, States({kNormal, kPressed}), vert ? kHorizontal : kVertical, kTile);
    g.Elements.push_back(e);
  }
  return g;
}

}  // namespace

const char* SkinResourceName(Scheme scheme) {
  switch (scheme) {
    case Scheme::Office12Blue: return "OFFICE12_BLUE";
    case Scheme::Office12Black: return "OFFICE12_BLACK";
    case Scheme::Office12Silver: return "OFFICE12_SILVER";
    default: return "VISTA";
  }
}

dxskin::SkinRecord MakeSkin(Scheme scheme) {
  const Palette pal = PaletteOf(scheme);
  const bool vista = scheme == Scheme::Vista;
  dxskin::SkinRecord skin;
  skin.Version = dxskin::kVersion101;
  skin.Name = SkinResourceName(scheme);
  const std::pair<const char*, Color> colors[] = {
      {"ContainerBorderColor", pal.Border},     {"ContainerHighlightBorderColor", pal.HotBottom},
      {"ContentColor", pal.Light},              {"ContentEvenColor", pal.Light},
      {"ContentOddColor", pal.Back},            {"ContentTextColor", pal.Text},
      {"HeaderBackgroundColor", pal.Mid},       {"HeaderBackgroundTextColor", pal.Text},
      {"LayoutControlColor", pal.Back},         {"SelectionColor", pal.SelectedBottom},
      {"SelectionTextColor", Rgb(0, 0, 0)}};
  for (const auto& [name, color] : colors) skin.Colors.push_back({name, ColorValue(color)});
  skin.Groups.push_back(BarsGroup(pal));
  if (!vista) skin.Groups.push_back(CommonGroup(pal));
  skin.Groups.push_back(NavBarGroup(pal, !vista));
  skin.Groups.push_back(NavPaneGroup(pal));
  return skin;
}

std::vector<ArtFile> MakeSkins() {
  std::vector<ArtFile> files;
  for (Scheme scheme : kSchemes)
    files.push_back({SkinResourceName(scheme), dxskin::WriteSkinStream(MakeSkin(scheme), dxskin::kVersion101)});
  return files;
}

// ---- bitmaps ----------------------------------------------------------------------------------

namespace {

using foundation_bitmaps::Image;

// Flattens a picture over a key colour into a 24-bit image; the key stays where nothing is drawn.
Image Flatten(const Picture& p, foundation_bitmaps::Rgb key) {
  Image im = foundation_bitmaps::Blank(p.Width(), p.Height(), key);
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      const Color& c = p.At(x, y);
      if (c.a < 0.5) continue;
      im.At(x, y) = {ToByte(c.r), ToByte(c.g), ToByte(c.b)};
    }
  return im;
}

const foundation_bitmaps::Rgb kMagenta{255, 0, 255};

// The explorer-bar sign: a round button whose pure red chevrons the painter recolours; the rim and
// face are greys (their red value sets how strongly they show over the caption).
Image ExplorerSign(bool expand) {
  Picture p(22, 22, Transparent());
  p.Fill(art::Circle(11, 11, 9.5), art::Solid(Rgb(150, 150, 150)));
  p.Fill(art::Circle(11, 11, 8.5), art::Solid(Rgb(250, 250, 250)));
  for (double offset : {-2.0, 2.0}) Chevron(p, 11, 11, 7, expand ? 1 : 0, Rgb(255, 0, 0), offset);
  Image im = Flatten(p, kMagenta);
  // The chevrons keep exactly pure red, the colour that is replaced.
  for (auto& px : im.Pixels)
    if (px.R > 200 && px.G < 120 && px.B < 120) px = {255, 0, 0};
  return im;
}

// The task-pane sign: a round face in a ramp of red levels (recoloured between two colours by red
// value) and a black double chevron.
Image TaskPaneSign(bool expand) {
  Image im = foundation_bitmaps::Blank(16, 16, kMagenta);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int dx = 2 * x - 15, dy = 2 * y - 15;
      if (dx * dx + dy * dy > 15 * 15) continue;
      const std::uint8_t v = std::uint8_t(240 - y * 8);
      im.At(x, y) = {v, v, v};
    }
  for (int chevron = 0; chevron < 2; ++chevron)
    for (int i = 0; i < 3; ++i) {
      const int y = expand ? 4 + 4 * chevron + i : 9 - 4 * chevron + i;
      const int dy = expand ? i : 2 - i;
      for (int x : {4 + dy, 5 + dy, 10 - dy, 11 - dy}) im.At(x, y) = {0, 0, 0};
    }
  return im;
}

Image PaneBitmap(int w, int h, const std::function<void(Picture&)>& draw) {
  Picture p(w, h, Transparent());
  draw(p);
  return Flatten(p, kMagenta);
}

}  // namespace

std::vector<ArtFile> MakeBitmaps() {
  const Color ink = Rgb(40, 40, 40), light = Rgb(250, 250, 250), blue = Rgb(60, 110, 190);
  std::vector<std::pair<std::string, Image>> images;
  images.push_back({"DXNAVBARADVEXPLORERBARGROUPCAPTIONEXPANDSIGN", ExplorerSign(true)});
  images.push_back({"DXNAVBARADVEXPLORERBARGROUPCAPTIONCOLLAPSESIGN", ExplorerSign(false)});
  images.push_back({"DXNAVBAROFFICE11EXPANDSIGN", TaskPaneSign(true)});
  images.push_back({"DXNAVBAROFFICE11COLLAPSESIGN", TaskPaneSign(false)});
  images.push_back({"DXNAVBAROFFICE11NAVPANEOVERFLOW", PaneBitmap(13, 17, [&](Picture& p) {
                      Chevron(p, 6, 5, 5, 3, ink, -1.5);
                      Chevron(p, 6, 5, 5, 3, ink, 1.5);
                      Arrow(p, 6.5, 12.5, 7, 1, ink);
                    })});
  images.push_back({"DXNAVBAROFFICE11NAVPANESPLITTER", PaneBitmap(37, 5, [&](Picture& p) {
                      for (int k = 0; k < 9; ++k) {
                        p.Fill(art::RoundRect(2 + 4 * k, 1, 4 + 4 * k, 3, 0), art::Solid(light));
                        p.Fill(art::RoundRect(1 + 4 * k, 0, 3 + 4 * k, 2, 0), art::Solid(ink));
                      }
                    })});
  images.push_back({"DXNAVBAROFFICE11NAVPANEARROWUP", PaneBitmap(16, 16, [&](Picture& p) {
                      Chevron(p, 8, 8, 7, 0, ink, -2);
                      Chevron(p, 8, 8, 7, 0, ink, 2);
                    })});
  images.push_back({"DXNAVBAROFFICE11NAVPANEARROWDOWN", PaneBitmap(16, 16, [&](Picture& p) {
                      Chevron(p, 8, 8, 7, 1, ink, -2);
                      Chevron(p, 8, 8, 7, 1, ink, 2);
                    })});
  auto folder = [&](double s) {
    return [=](Picture& p) {
      p.Fill(art::RoundRect(1 * s, 4 * s, 14 * s, 13 * s, 1.2 * s), art::Solid(Rgb(30, 60, 120)));
      p.Fill(art::RoundRect(1 * s, 3 * s, 7 * s, 6 * s, 0.8 * s), art::Solid(Rgb(30, 60, 120)));
      p.Fill(art::RoundRect(2 * s, 5 * s, 13 * s, 12 * s, 0.8 * s),
             art::VerticalGradient(5 * s, 12 * s, Rgb(150, 190, 240), blue));
    };
  };
  images.push_back({"DXNAVBAROFFICE11NAVPANEDEFAULTLARGE", PaneBitmap(32, 32, folder(2))});
  images.push_back({"DXNAVBAROFFICE11NAVPANEDEFAULTSMALL", PaneBitmap(16, 16, folder(1))});
  std::vector<ArtFile> files;
  for (const auto& [name, image] : images) files.push_back({name, foundation_bitmaps::BitmapFile(image, false)});
  return files;
}

}  // namespace navbar_art
