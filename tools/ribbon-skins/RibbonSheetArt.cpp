#include "RibbonSheetArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "tools/art/ArtRaster.h"
#include "ui/extras/png/PngChunk.h"
#include "ui/extras/png/PngImageCore.h"
#include "ui/ribbon/SkinColors.h"

namespace ribbon_art {

namespace {

using art::Color;
using art::Mix;
using art::Paint;
using art::Picture;
using art::Rgb;
using art::Shape;
using namespace ribbon_skin;

const Color kClear{0, 0, 0, 0};
const Color kWhite = Rgb(255, 255, 255);
const Color kBlack = Rgb(0, 0, 0);

Color FromSkin(TSkinColor c) { return Rgb(c & 0xFF, c >> 8 & 0xFF, c >> 16 & 0xFF); }
Color Lighter(const Color& c, double t) { return Mix(c, kWhite, t); }
Color Darker(const Color& c, double t) { return Mix(c, kBlack, t); }
Color WithAlpha(Color c, double a) {
  c.a = a;
  return c;
}
// The colour with most of its hue taken out, a little lighter: inactive form parts.
Color Inactive(const Color& c) {
  const double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
  return Lighter(Mix(c, Color{grey, grey, grey, c.a}, 0.65), 0.25);
}

// ---- palettes -----------------------------------------------------------------------------------

// The colours a scheme's sheets are drawn from, all taken from the skins' colour table.
struct TPalette {
  Color Body;          // ribbon background (10065)
  Color Frame;         // form frame (10018)
  Color SideFill;      // side fill (455): captions and status-bar pieces, a shade darker than the body
  Color Highlight;     // outer frame (456): inner highlights
  Color Border;        // inner frame (457): panel borders
  Color TabLine1, TabLine2;
  Color CaptionText, CaptionTextInactive;  // 10130
  Color TabText;                           // 10132
  Color GroupText;                         // 10134: glyphs on the ribbon
  Color MenuText;                          // 362: glyphs in menus
  Color GripDark, GripLight;               // 10098, 10099
};

TPalette PaletteOf(TScheme Scheme) {
  auto c = [Scheme](int id, int state = 0) { return FromSkin(SchemeColor(Scheme, id, state)); };
  const TLinePair lines = kTabAreaBottomLines[int(Scheme)];
  return {c(kRibbonBackgroundID), c(kFrameID), c(kSideFillID), c(kOuterFrameID), c(kInnerFrameID),
          FromSkin(lines.First), FromSkin(lines.Second), c(kCaptionTextID, 0), c(kCaptionTextID, 1),
          c(kTabTextID), c(kGroupCaptionTextID), c(362), c(kGripDarkID), c(kGripLightID)};
}

// The common sheet is shared by every scheme: a neutral palette.
TPalette CommonPalette() {
  const Color grey = Rgb(232, 234, 237);
  return {grey,
          Rgb(200, 204, 210),
          Rgb(220, 223, 228),
          kWhite,
          Rgb(160, 165, 172),
          grey,
          grey,
          Rgb(60, 60, 60),
          Rgb(140, 140, 140),
          Rgb(60, 60, 60),
          Rgb(60, 60, 60),
          Rgb(60, 60, 60),
          Rgb(110, 110, 110),
          kWhite};
}

// ---- looks --------------------------------------------------------------------------------------

enum class TLook {
  Empty,
  Normal,
  Inactive,
  Disabled,
  Hot,
  Selected,
  Pressed,
  Dropped,
  Checked,
  CheckedHot,
  DisabledSelected,
  InactiveHot,
  Active,
  ActiveHot,
  ActiveFocused
};

// The look of an image by the element states that select it: the resting look when state 0 does,
// else the strongest of its states.
TLook LookByStates(const TPartSet& Set, int Image) {
  static constexpr TLook kByState[9] = {TLook::Normal,  TLook::Disabled, TLook::Hot,
                                        TLook::Selected, TLook::Pressed,  TLook::Dropped,
                                        TLook::Checked,  TLook::CheckedHot, TLook::DisabledSelected};
  static constexpr int kPriority[] = {4, 2, 7, 6, 5, 3, 8, 1};
  if (Set.StateImage[0] == Image) return TLook::Normal;
  for (int state : kPriority)
    if (Set.StateImage[state] == Image) return kByState[state];
  return TLook::Normal;
}

// ---- panels -------------------------------------------------------------------------------------

// A shape's rings per side: 0 = the side is open (the shape continues beyond it), 1 = a border, 2 =
// a border and an inner highlight.
struct TRings {
  int Left = 2, Top = 2, Right = 2, Bottom = 2;
};

struct TPanelStyle {
  Color Outline, Highlight, Top, Middle, Bottom;
  bool HasHighlight = true;
  double Radius = 2;
  std::array<bool, 4> Round = {true, true, true, true};  // top-left, top-right, bottom-right, bottom-left
  // Rows at the top and the bottom over which the fill runs from Top to Middle and Middle to Bottom.
  int GradientTop = 0, GradientBottom = 0;
};

Shape RoundedBox(double l, double t, double r, double b, double radius, std::array<bool, 4> round) {
  return [=](double x, double y) {
    if (x < l || x > r || y < t || y > b) return false;
    if (radius <= 0) return true;
    const bool left = x < l + radius, right = x > r - radius, top = y < t + radius, bottom = y > b - radius;
    const int corner = top && left ? 0 : top && right ? 1 : bottom && right ? 2 : bottom && left ? 3 : -1;
    if (corner < 0 || !round[std::size_t(corner)]) return true;
    const double cx = left ? l + radius : r - radius, cy = top ? t + radius : b - radius;
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
  };
}

// A rounded rectangle with a one-pixel border, an inner highlight and a vertical fill, inside
// (X, Y, W, H). Sides with no ring are open; corners round only between two closed sides.
void DrawPanel(Picture& p, int X, int Y, int W, int H, const TRings& rings, const TPanelStyle& s) {
  const int ring[4] = {rings.Left, rings.Top, rings.Right, rings.Bottom};
  std::array<bool, 4> round = s.Round;
  for (int corner = 0; corner < 4; ++corner)
    if (!ring[corner] || !ring[(corner + 1) % 4]) round[std::size_t(corner)] = false;
  // The box of a level: 0 the outline, 1 the highlight, 2 the fill.
  auto level = [&](int k) {
    auto inset = [&](int side) {
      if (!ring[side]) return -4.0;
      const int highlight = s.HasHighlight ? 1 : 0;
      return double(std::min(k, std::min(ring[side], 1 + highlight)));
    };
    const double radius = std::max(s.Radius - k, 0.0);
    return RoundedBox(X + inset(0), Y + inset(1), X + W - inset(2), Y + H - inset(3), radius, round);
  };
  const Shape outer = level(0), middle = level(1), inner = level(2);
  const double top = Y, bottom = Y + H;
  const Paint fill = [=](double, double y) {
    if (s.GradientTop > 0 && y < top + s.GradientTop) return Mix(s.Top, s.Middle, (y - top) / s.GradientTop);
    if (s.GradientBottom > 0 && y > bottom - s.GradientBottom)
      return Mix(s.Middle, s.Bottom, (y - (bottom - s.GradientBottom)) / s.GradientBottom);
    return s.Middle;
  };
  p.Fill(art::Minus(outer, middle), art::Solid(s.Outline), X, Y, X + W, Y + H);
  if (s.HasHighlight) p.Fill(art::Minus(middle, inner), art::Solid(s.Highlight), X, Y, X + W, Y + H);
  if (s.Middle.a > 0 || s.Top.a > 0 || s.Bottom.a > 0) p.Fill(inner, fill, X, Y, X + W, Y + H);
}

// Rings that fit the set's margins in every direction its parts are stretched, so each stretched
// band stays uniform; a side without a margin there is open.
TRings RingsFor(const TPartSet& Set) {
  const bool x = Set.Stretch == TStretch::Horizontal || Set.Stretch == TStretch::Both;
  const bool y = Set.Stretch == TStretch::Vertical || Set.Stretch == TStretch::Both;
  auto fit = [](bool stretched, int margin) { return stretched ? std::min(margin, 2) : 2; };
  return {fit(x, Set.Margins.Left), fit(y, Set.Margins.Top), fit(x, Set.Margins.Right), fit(y, Set.Margins.Bottom)};
}

// The fill's gradient rows: the margins when the set is stretched vertically, else half each.
void FitGradient(const TPartSet& Set, TPanelStyle& s) {
  const bool y = Set.Stretch == TStretch::Vertical || Set.Stretch == TStretch::Both;
  s.GradientTop = y ? Set.Margins.Top : Set.Height / 2;
  s.GradientBottom = y ? Set.Margins.Bottom : Set.Height - Set.Height / 2;
}

double RadiusFor(const TPartSet& Set, double wanted) {
  const TRings r = RingsFor(Set);
  const bool x = Set.Stretch == TStretch::Horizontal || Set.Stretch == TStretch::Both;
  const bool y = Set.Stretch == TStretch::Vertical || Set.Stretch == TStretch::Both;
  double radius = wanted;
  if (x && r.Left) radius = std::min<double>(radius, Set.Margins.Left);
  if (x && r.Right) radius = std::min<double>(radius, Set.Margins.Right);
  if (y && r.Top) radius = std::min<double>(radius, Set.Margins.Top);
  if (y && r.Bottom) radius = std::min<double>(radius, Set.Margins.Bottom);
  return radius;
}

TPanelStyle Flat(const Color& outline, const Color& highlight, const Color& fill) {
  TPanelStyle s;
  s.Outline = outline, s.Highlight = highlight, s.Top = s.Middle = s.Bottom = fill;
  return s;
}

// A panel of the scheme: light top running into the body.
TPanelStyle BodyPanel(const TPalette& p, const Color& body) {
  TPanelStyle s = Flat(p.Border, p.Highlight, body);
  s.Top = Lighter(body, 0.45);
  s.Bottom = Mix(body, p.SideFill, 0.6);
  return s;
}

// State faces: the same in every scheme; the resting look is the scheme's.
TPanelStyle FaceStyle(TLook look, const TPalette& p) {
  auto face = [](Color outline, Color highlight, Color top, Color middle, Color bottom) {
    TPanelStyle s;
    s.Outline = outline, s.Highlight = highlight, s.Top = top, s.Middle = middle, s.Bottom = bottom;
    return s;
  };
  auto outline = [](Color c) {
    TPanelStyle s = Flat(c, kClear, kClear);
    s.HasHighlight = false;
    return s;
  };
  switch (look) {
    case TLook::Hot:
      return face(Rgb(219, 178, 90), Rgb(255, 250, 228), Rgb(255, 244, 200), Rgb(255, 229, 158), Rgb(255, 214, 120));
    case TLook::Pressed:
      return face(Rgb(190, 130, 55), Rgb(250, 200, 130), Rgb(248, 185, 105), Rgb(244, 160, 70), Rgb(240, 145, 55));
    case TLook::Checked:
      return face(Rgb(214, 168, 95), Rgb(255, 250, 235), Rgb(255, 243, 214), Rgb(255, 233, 190), Rgb(255, 224, 170));
    case TLook::CheckedHot:
      return face(Rgb(200, 145, 65), Rgb(255, 236, 190), Rgb(255, 221, 150), Rgb(255, 204, 112), Rgb(255, 190, 90));
    case TLook::Selected:
    case TLook::Dropped: return outline(Rgb(226, 164, 72));
    case TLook::Disabled:
    case TLook::DisabledSelected: return outline(Rgb(180, 180, 180));
    case TLook::InactiveHot:
      return face(Rgb(190, 190, 190), Rgb(250, 250, 250), Rgb(240, 240, 240), Rgb(228, 228, 228), Rgb(220, 220, 220));
    default: {
      TPanelStyle s = BodyPanel(p, Lighter(p.Body, 0.3));
      s.Bottom = Lighter(p.Body, 0.15);
      return s;
    }
  }
}

void DrawFace(Picture& pic, const TPartSet& set, TLook look, const TPalette& p, double radius = 2) {
  TPanelStyle s = FaceStyle(look, p);
  s.Radius = RadiusFor(set, radius);
  FitGradient(set, s);
  DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
}

// ---- glyphs -------------------------------------------------------------------------------------

using TPattern = std::initializer_list<const char*>;

// One pixel per '#' (and the second colour per '+'), at (X, Y).
void DrawPattern(Picture& p, int X, int Y, TPattern rows, const Color& color, const Color& second = kClear) {
  int y = Y;
  for (const char* row : rows) {
    for (int x = 0; row[x]; ++x) {
      const Shape pixel = RoundedBox(X + x, y, X + x + 1, y + 1, 0, {});
      if (row[x] == '#') p.Fill(pixel, art::Solid(color), X + x, y, X + x + 1, y + 1);
      if (row[x] == '+' && second.a > 0) p.Fill(pixel, art::Solid(second), X + x, y, X + x + 1, y + 1);
    }
    ++y;
  }
}

const TPattern kCaptionGlyphs[5] = {
    // minimise
    {".........", ".........", ".........", ".........", ".........", ".........", ".#######.", ".#######.",
     "........."},
    // maximise
    {".#######.", ".#######.", ".#.....#.", ".#.....#.", ".#.....#.", ".#.....#.", ".#.....#.", ".#######.",
     "........."},
    // restore
    {".........", "...#####.", "...#####.", ".#####.#.", ".#####.#.", ".#...###.", ".#...#...", ".#####...",
     "........."},
    // close
    {".........", ".#.....#.", "..#...#..", "...#.#...", "....#....", "...#.#...", "..#...#..", ".#.....#.",
     "........."},
    // help
    {"...###...", "..#...#..", "......#..", ".....#...", "....#....", "....#....", ".........", "....#....",
     "........."},
};

void DrawCaptionGlyph(Picture& pic, int kind, TLook look, const TPalette& p) {
  const Color color = look == TLook::Inactive                      ? p.CaptionTextInactive
                      : look == TLook::Hot || look == TLook::Pressed ? Rgb(50, 50, 50)
                                                                     : p.CaptionText;
  DrawPattern(pic, 0, 0, kCaptionGlyphs[kind], color);
}

// A glyph colour by look: resting, disabled or on a hot face.
Color GlyphColor(TLook look, const Color& normal) {
  if (look == TLook::Disabled || look == TLook::DisabledSelected) return Rgb(165, 165, 165);
  if (look == TLook::Normal) return normal;
  return Rgb(45, 45, 45);
}

// ---- the pictures of the sets -------------------------------------------------------------------

struct TPictureSpec {
  int Owner;  // first ID of the set that draws these pixels
  int Width;  // of the picture, from the owner's first rectangle
};

TPictureSpec PictureSpecOf(const TPartSet& set) {
  switch (set.FirstID) {
    case 10002:
    case 10004:
    case 10006:
    case 10054: return {10000, 14};
    case 10059: return {10059, 31};
    case 10063: return {10059, 31};
    case 10084: return {10084, 3};
    case 10085: return {10084, 3};
    case 10094: return {10095, 5};
    default: return {set.FirstID, set.Width};
  }
}

bool IsActiveInactive(const TPartSet& set) {
  return set.Sheet == TSheet::Form && set.ImageCount() == 2;
}

TLook LookOf(const TPartSet& set, int image) {
  if (IsActiveInactive(set)) return image == 0 ? TLook::Normal : TLook::Inactive;
  switch (set.FirstID) {
    case 10023:
    case 10027:
    case 10031:
    case 10035:
    case 10039: {
      static constexpr TLook kGlyph[] = {TLook::Normal, TLook::Hot, TLook::Pressed, TLook::Inactive};
      return kGlyph[image];
    }
    case 10020: {
      static constexpr TLook kBackground[] = {TLook::Hot, TLook::Pressed, TLook::InactiveHot};
      return kBackground[image];
    }
    case 10043: {
      static constexpr TLook kTab[] = {TLook::Empty, TLook::Hot, TLook::Active, TLook::ActiveHot,
                                       TLook::ActiveFocused};
      return kTab[image];
    }
    case 10067:
    case 10425:
    case 10434:
    case 10443:
    case 10452: {
      static constexpr TLook kThree[] = {TLook::Normal, TLook::Hot, TLook::Pressed};
      return kThree[image];
    }
    case 10236:
    case 10245: return image == 0 ? TLook::Checked : TLook::Disabled;
    case 10100:
    case 10104:
    case 10108:
    case 10112: return image % 2 == 0 ? TLook::Normal : TLook::Inactive;
    default: return LookByStates(set, image);
  }
}

void DrawCaption(Picture& pic, TLook look, const TPalette& p) {
  const Color frame = look == TLook::Inactive ? Inactive(p.Frame) : p.Frame;
  TPanelStyle s = Flat(Darker(frame, 0.35), Lighter(frame, 0.6), frame);
  s.Top = Lighter(frame, 0.55);
  s.Radius = 4;
  s.GradientTop = 9;  // the upper border pieces are uniform from row 9 down
  DrawPanel(pic, 0, 0, pic.Width(), pic.Height(), {2, 2, 2, 0}, s);
}

void DrawFramePiece(Picture& pic, TLook look, const TPalette& p, const TRings& rings) {
  const Color frame = look == TLook::Inactive ? Inactive(p.Frame) : p.Frame;
  TPanelStyle s = Flat(Darker(frame, 0.35), Lighter(frame, 0.6), frame);
  s.Radius = 2;
  DrawPanel(pic, 0, 0, pic.Width(), pic.Height(), rings, s);
}

void DrawApplicationButton(Picture& pic, TLook look, const TPalette& p) {
  const double c = 21;
  Color centre = Lighter(p.Frame, 0.7), edge = p.Frame;
  if (look == TLook::Hot) centre = Lighter(centre, 0.35), edge = Lighter(edge, 0.3);
  if (look == TLook::Pressed) centre = Darker(centre, 0.15), edge = Darker(edge, 0.25);
  pic.Fill(art::Ring(c, c, 19, 21), art::Solid(p.Border));
  const Paint radial = [=](double x, double y) {
    return Mix(centre, edge, std::hypot(x - c, y - c) / 19);
  };
  pic.Fill(art::Circle(c, c, 19), radial);
  // The highlight arc over the upper half.
  const Shape upper = [=](double x, double y) {
    const double ex = (x - c) / 16, ey = (y - (c - 6)) / 11;
    return ex * ex + ey * ey <= 1 && y < c - 2;
  };
  pic.Fill(upper, art::VerticalGradient(c - 17, c - 2, WithAlpha(kWhite, 0.55), WithAlpha(kWhite, 0.05)));
}

void DrawQuickAccessInCaption(Picture& pic, TLook look, const TPalette& p, int left) {
  const Color frame = look == TLook::Inactive ? Inactive(p.Frame) : p.Frame;
  TPanelStyle s = Flat(Darker(frame, 0.3), Lighter(frame, 0.6), Lighter(frame, 0.35));
  s.Radius = left ? 4 : 2;
  DrawPanel(pic, left, 0, pic.Width() - left, pic.Height(), left ? TRings{2, 2, 2, 2} : TRings{2, 2, 0, 2}, s);
}

void DrawGlassQuickAccess(Picture& pic, int left, const TRings& rings, double radius) {
  TPanelStyle s = Flat(WithAlpha(kWhite, 0.6), WithAlpha(kWhite, 0.35), WithAlpha(kWhite, 0.22));
  s.Radius = radius;
  DrawPanel(pic, left, 0, pic.Width() - left, pic.Height(), rings, s);
}

void DrawScrollButton(Picture& pic, const TPartSet& set, TLook look, const TPalette& p, bool rightHand) {
  TPanelStyle s = FaceStyle(look, p);
  if (look == TLook::Normal) s = BodyPanel(p, Lighter(p.Body, 0.25));
  s.Round = rightHand ? std::array<bool, 4>{false, true, true, false} : std::array<bool, 4>{true, false, false, true};
  s.Radius = std::min(rightHand ? set.Margins.Right : set.Margins.Left, 4);
  FitGradient(set, s);
  DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
}

void DrawTab(Picture& pic, const TPartSet& set, TLook look, const TPalette& p) {
  if (look == TLook::Empty) return;
  TPanelStyle s;
  if (look == TLook::Hot) {
    s = FaceStyle(TLook::Hot, p);
  } else {
    // The active tab takes the body colour and opens into the groups area below it.
    s = Flat(p.Border, p.Highlight, p.Body);
    s.Top = Lighter(p.Body, 0.6);
    if (look == TLook::ActiveHot) s.Outline = Rgb(219, 178, 90);
    if (look == TLook::ActiveFocused) s.Outline = Rgb(190, 130, 55);
  }
  s.Radius = 3;
  s.GradientTop = set.Margins.Top;
  DrawPanel(pic, 0, 0, set.Width, set.Height, {2, 2, 2, 0}, s);
}

void DrawStatusBarPiece(Picture& pic, const Color& fill, const TPalette& p) {
  TPanelStyle s = Flat(p.Border, p.Highlight, fill);
  DrawPanel(pic, 0, 0, pic.Width(), pic.Height(), {0, 2, 0, 2}, s);
}

// A separator line (dark, then light) down the middle rows of a status-bar piece.
void DrawSeparatorLines(Picture& pic, int x, const TPalette& p) {
  const int bottom = pic.Height() - 3;
  pic.Fill(RoundedBox(x, 2, x + 1, bottom, 0, {}), art::Solid(p.Border), x, 2, x + 1, bottom);
  pic.Fill(RoundedBox(x + 1, 2, x + 2, bottom, 0, {}), art::Solid(p.Highlight), x + 1, 2, x + 2, bottom);
}

void DrawStatusBarEdge(Picture& pic, TLook look, int image, bool rightSide, const TPalette& p) {
  if (image < 2) {
    DrawFramePiece(pic, look, p, rightSide ? TRings{0, 0, 2, 0} : TRings{2, 0, 0, 0});
    return;
  }
  DrawStatusBarPiece(pic, look == TLook::Inactive ? Lighter(p.SideFill, 0.3) : p.SideFill, p);
}

void FillAll(Picture& pic, const Color& color) {
  pic.Fill(RoundedBox(0, 0, pic.Width(), pic.Height(), 0, {}), art::Solid(color));
}

void DrawGripDots(Picture& pic, std::initializer_list<std::pair<int, int>> dots, const TPalette& p) {
  for (auto [x, y] : dots) {
    pic.Fill(RoundedBox(x + 1, y + 1, x + 2, y + 2, 0, {}), art::Solid(p.GripLight), x + 1, y + 1, x + 2, y + 2);
    pic.Fill(RoundedBox(x, y, x + 1, y + 1, 0, {}), art::Solid(p.GripDark), x, y, x + 1, y + 1);
  }
}

// Draws image `image` of a set into a picture of the set's picture size.
void DrawSetImage(Picture& pic, const TPartSet& set, int image, const TPalette& p) {
  const TLook look = LookOf(set, image);
  const Color menuBack = Lighter(p.Body, 0.85);
  switch (set.FirstID) {
    // form sheet
    case 10000: DrawCaption(pic, look, p); return;
    case 10008: DrawFramePiece(pic, look, p, {2, 0, 0, 2}); return;
    case 10010: DrawFramePiece(pic, look, p, {0, 0, 2, 2}); return;
    case 10012: FillAll(pic, Darker(look == TLook::Inactive ? Inactive(p.Frame) : p.Frame, 0.35)); return;
    case 10014:
    case 10016: DrawFramePiece(pic, look, p, {2, 0, 2, 2}); return;
    case 10020: DrawFace(pic, set, look, p); return;
    case 10023:
    case 10027:
    case 10031:
    case 10035:
    case 10039: DrawCaptionGlyph(pic, (set.FirstID - 10023) / 4, look, p); return;
    case 10059: DrawQuickAccessInCaption(pic, look, p, 9); return;
    case 10061: DrawQuickAccessInCaption(pic, look, p, 0); return;
    case 10067: DrawApplicationButton(pic, look, p); return;
    // common sheet
    case 10055: DrawGlassQuickAccess(pic, 10, {2, 2, 0, 2}, 2); return;
    case 10056: DrawGlassQuickAccess(pic, 0, {2, 2, 0, 2}, 2); return;
    case 10057: DrawGlassQuickAccess(pic, 0, {0, 2, 2, 2}, 4); return;
    case 10290:
    case 10299:
    case 10308:
    case 10317:
    case 10326:
    case 10335:
    case 10407:
    case 10236:
    case 10245:
    case 10227: DrawFace(pic, set, look, p); return;
    case 10254:
      if (set.Sheet == TSheet::Color) {
        TPanelStyle s = Flat(p.Border, kClear, menuBack);
        s.HasHighlight = false;
        s.Radius = 1;
        DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      } else {
        DrawFace(pic, set, look, p);
      }
      return;
    case 10075: FillAll(pic, Rgb(238, 240, 243)); return;
    case 10074: FillAll(pic, Rgb(252, 252, 252)); return;
    case 10077: FillAll(pic, Rgb(197, 199, 202)); return;
    case 10078: FillAll(pic, Rgb(226, 228, 231)); return;
    case 10073: {
      TPanelStyle s = Flat(Rgb(134, 138, 144), kWhite, Rgb(252, 252, 252));
      s.Radius = 2;
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10052:
      DrawPattern(pic, 0, 0,
                  {"", "", "", "", "", ".....######", ".....++++++", "", ".....######", "......####+",
                   ".......##+", "........+"},
                  p.GroupText, WithAlpha(kWhite, 0.85));
      return;
    case 10081: {
      TPanelStyle s = Flat(Rgb(170, 172, 176), kWhite, Rgb(236, 237, 239));
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10082: {
      TPanelStyle s = Flat(Rgb(72, 150, 62), Rgb(190, 235, 170), Rgb(118, 198, 92));
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10088:
      pic.Fill(art::Circle(8, 8, 7.5), art::VerticalGradient(0.5, 15.5, Rgb(96, 156, 226), Rgb(34, 92, 176)));
      DrawPattern(pic, 0, 0,
                  {"", "", "", "......###", ".....#...#", ".........#", "........#", ".......#", ".......#", "",
                   ".......#"},
                  kWhite);
      return;
    // colour sheet
    case 10043: DrawTab(pic, set, look, p); return;
    case 10049: FillAll(pic, WithAlpha(p.Border, 0.8)); return;
    case 10425:
    case 10443: DrawScrollButton(pic, set, look, p, false); return;
    case 10434:
    case 10452: DrawScrollButton(pic, set, look, p, true); return;
    case 10048: {
      TPanelStyle s = BodyPanel(p, p.Body);
      s.Radius = 3;
      FitGradient(set, s);
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10371:
    case 10380: {
      TPanelStyle s = Flat(look == TLook::Hot ? Rgb(219, 178, 90) : p.Border, kWhite, Rgb(250, 250, 250));
      s.Radius = RadiusFor(set, 2);
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10389:
    case 10398: {
      TPanelStyle s = FaceStyle(look, p);
      s.HasHighlight = false;
      s.Radius = 2;
      DrawPanel(pic, 0, 0, set.Width, set.Height, {1, 1, 1, 1}, s);
      const Color glyph = GlyphColor(look, p.GroupText);
      if (set.FirstID == 10389)
        DrawPattern(pic, 0, 0, {"", "..###", "", ".#####", "..###", "...#"}, glyph);
      else
        DrawPattern(pic, 0, 0, {"", ".#.#", "..#.#", ".#.#", "", "..###", "...#"}, glyph);
      return;
    }
    case 10263:
    case 10272: {
      const Color base = set.FirstID == 10263 ? Lighter(p.Body, 0.12) : p.SideFill;
      const Color fill = look == TLook::Hot        ? Lighter(base, 0.3)
                         : look == TLook::Selected ? Lighter(base, 0.18)
                         : look == TLook::Pressed  ? Mix(base, p.Border, 0.25)
                                                   : base;
      TPanelStyle s = Flat(Mix(p.Border, p.Body, 0.3), Lighter(fill, 0.5), fill);
      s.Top = Lighter(fill, 0.3);
      s.Radius = 3;
      if (set.FirstID == 10272) s.Round = {false, false, true, true};
      FitGradient(set, s);
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10218:
      DrawPattern(pic, 0, 0, {"#####", ".###.", "..#.."}, GlyphColor(look, p.GroupText));
      return;
    case 10281: {
      const Color outline = look == TLook::Normal                                  ? p.Border
                            : look == TLook::Disabled || look == TLook::DisabledSelected ? Rgb(180, 180, 180)
                            : look == TLook::Pressed || look == TLook::Dropped         ? Rgb(190, 130, 55)
                                                                                       : Rgb(226, 164, 72);
      TPanelStyle s = Flat(outline, kClear, look == TLook::Disabled || look == TLook::DisabledSelected
                                                ? Rgb(244, 244, 244)
                                                : kWhite);
      s.HasHighlight = false;
      s.Radius = 0;
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10079: DrawPattern(pic, 0, 0, {"#######", ".#####.", "..###..", "...#..."}, p.MenuText); return;
    case 10080:
      DrawPattern(pic, 0, 0, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}, p.MenuText);
      return;
    case 10089:
    case 10344:
    case 10200:
    case 10209:
    case 10461:
    case 10470:
    case 10479: DrawFace(pic, set, look, p); return;
    case 10084: {
      TPanelStyle s = FaceStyle(TLook::Normal, p);
      s.Radius = 1;
      s.GradientTop = set.Margins.Top, s.GradientBottom = set.Margins.Bottom;
      DrawPanel(pic, 0, 0, pic.Width(), pic.Height(), {1, 2, 1, 2}, s);
      return;
    }
    case 10353:
    case 10362: {
      const Color line = look == TLook::Normal                                  ? p.Border
                         : look == TLook::Disabled || look == TLook::DisabledSelected ? Rgb(190, 190, 190)
                         : look == TLook::Pressed                                  ? Rgb(190, 130, 55)
                                                                                   : Rgb(219, 178, 90);
      const int bottom = set.Height - 2;
      pic.Fill(RoundedBox(0, 2, 1, bottom, 0, {}), art::Solid(line), 0, 2, 1, bottom);
      if (set.Width > 1)
        pic.Fill(RoundedBox(1, 2, 2, bottom, 0, {}), art::Solid(WithAlpha(kWhite, 0.7)), 1, 2, 2, bottom);
      return;
    }
    case 10416:
      DrawPattern(pic, 0, 0,
                  {"", "", "..######", "..#", "..#", "..#..#...#", "..#...#..#", "........##", ".......###",
                   "......####"},
                  GlyphColor(look, p.GroupText));
      return;
    case 10070: {
      TPanelStyle s = Flat(Darker(p.Frame, 0.3), Lighter(p.Frame, 0.4), p.Frame);
      s.Radius = 3;
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10071:
    case 10072: FillAll(pic, p.Frame); return;
    case 10076:
      DrawPattern(pic, 0, 0,
                  {"", "", "", "", "....#.....#", ".....#...#", "......#.#", ".......#", "", "....#.....#",
                   ".....#...#", "......#.#", ".......#"},
                  p.MenuText);
      return;
    case 10083: {
      TPanelStyle s = Flat(p.Border, kClear, kClear);
      s.HasHighlight = false;
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10086: FillAll(pic, p.GroupText); return;
    case 10087: {
      TPanelStyle s = Flat(Mix(p.Border, menuBack, 0.4), kWhite, menuBack);
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10053:
    case 10058: {
      TPanelStyle s = BodyPanel(p, Lighter(p.Body, 0.2));
      s.Radius = RadiusFor(set, 3);
      FitGradient(set, s);
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10090: DrawStatusBarPiece(pic, p.SideFill, p); return;
    case 10093: DrawStatusBarPiece(pic, Lighter(p.SideFill, 0.35), p); return;
    case 10095:
      DrawStatusBarPiece(pic, p.SideFill, p);
      DrawSeparatorLines(pic, 0, p);
      return;
    case 10096:
      DrawStatusBarPiece(pic, p.SideFill, p);
      DrawSeparatorLines(pic, 0, p);
      return;
    case 10100:
    case 10104: DrawStatusBarEdge(pic, look, image, false, p); return;
    case 10108:
    case 10112: DrawStatusBarEdge(pic, look, image, true, p); return;
    case 10125:
    case 10120:
    case 10121: {
      TPanelStyle s = Flat(p.Border, p.Highlight, set.FirstID == 10125 ? Lighter(p.Body, 0.4) : p.SideFill);
      s.Radius = 1;
      DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), s);
      return;
    }
    case 10126: DrawPanel(pic, 0, 0, set.Width, set.Height, RingsFor(set), Flat(p.Border, p.Highlight, menuBack)); return;
    case 10122: DrawGripDots(pic, {{5, 1}, {3, 3}, {5, 3}, {1, 5}, {3, 5}, {5, 5}}, p); return;
    case 10123: DrawGripDots(pic, {{1, 1}, {3, 1}, {5, 1}, {3, 3}, {5, 3}, {5, 5}}, p); return;
    case 10124: DrawGripDots(pic, {{3, 3}, {7, 3}, {11, 3}, {15, 3}}, p); return;
    default: throw std::logic_error("no picture for part set " + std::to_string(set.FirstID));
  }
}

std::uint8_t ToByte(double channel) { return std::uint8_t(std::lround(std::clamp(channel, 0.0, 1.0) * 255)); }

TRgba ToRgba(const Color& c) {
  const std::uint8_t a = ToByte(c.a);
  if (!a) return {};
  return {ToByte(c.r), ToByte(c.g), ToByte(c.b), a};
}

void CopyInto(TImage& sheet, const Picture& pic, int X, int Y) {
  for (int y = 0; y < pic.Height(); ++y)
    for (int x = 0; x < pic.Width(); ++x) sheet.At(X + x, Y + y) = ToRgba(pic.At(x, y));
}

std::vector<std::uint8_t> Encode(const TImage& image, bool alpha) {
  TPngImageCore png;
  png.RowFilters = 0x1F;  // every filter, chosen per row
  png.DeflateLevel = 9;
  png.Interlacing = ilNone;
  png.BuildEmptyImage(alpha ? 6 : 2, 8, Cardinal(image.Width), Cardinal(image.Height));
  for (int y = 0; y < image.Height; ++y) {
    Byte* row = png.PixelRow(Cardinal(y));
    Byte* alphaRow = alpha ? png.AlphaRow(Cardinal(y)) : nullptr;
    for (int x = 0; x < image.Width; ++x) {
      const TRgba& c = image.At(x, y);
      row[3 * x] = c.B, row[3 * x + 1] = c.G, row[3 * x + 2] = c.R;
      if (alphaRow) alphaRow[x] = c.A;
    }
  }
  TPngMemoryStream stream;
  png.SaveToStream(stream);
  return stream.Bytes();
}

}  // namespace

int PictureOwner(const TPartSet& Set) { return PictureSpecOf(Set).Owner; }

TImage DrawSheet(TSheet Sheet, TScheme Scheme) {
  const TSheetSize size = SheetSize(Sheet);
  const TPalette palette = Sheet == TSheet::Common ? CommonPalette() : PaletteOf(Scheme);
  TImage sheet(size.Width, size.Height);
  for (const TPartSet& set : kPartSets) {
    if (set.Sheet != Sheet) continue;
    const TPictureSpec spec = PictureSpecOf(set);
    if (spec.Owner != set.FirstID) continue;
    for (int image = 0; image < set.ImageCount(); ++image) {
      Picture pic(spec.Width, set.Height, kClear);
      DrawSetImage(pic, set, image, palette);
      CopyInto(sheet, pic, set.ImageX(image), set.ImageY(image));
    }
  }
  return sheet;
}

std::vector<std::uint8_t> EncodeSheetPng(const TImage& Image) { return Encode(Image, true); }
std::vector<std::uint8_t> EncodeReviewPng(const TImage& Image) { return Encode(Image, false); }

std::vector<std::uint8_t> IndicatorBitmap(int Index) {
  // Outline, lamp and top-row colours in the standard 16-colour palette, on button-face grey (7).
  static constexpr std::uint8_t kLamps[kIndicatorCount][3] = {{0, 8, 15},  {3, 11, 15}, {4, 12, 14}, {2, 10, 15},
                                                               {1, 9, 15},  {0, 6, 14},  {0, 5, 13}};
  static constexpr std::uint8_t kPalette[16][3] = {
      {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
      {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  if (Index < 0 || Index >= kIndicatorCount) throw std::out_of_range("indicator index");
  const int w = kIndicatorWidth, h = kIndicatorHeight;
  // The 15 x 6 lamp at (1, 1): rounded outline, a lighter top row, the lamp colour below.
  auto colorAt = [&](int x, int y) -> std::uint8_t {
    const std::uint8_t* lamp = kLamps[Index];
    const bool inside = x >= 1 && x <= 15 && y >= 1 && y <= 6 && !((x == 1 || x == 15) && (y == 1 || y == 6));
    if (!inside) return 7;
    if (x == 1 || x == 15 || y == 1 || y == 6) return lamp[0];
    return y == 2 ? lamp[2] : lamp[1];
  };
  const int rowBytes = ((w + 1) / 2 + 3) / 4 * 4;
  const int paletteBytes = 16 * 4, headerBytes = 14 + 40 + paletteBytes;
  const int fileSize = headerBytes + rowBytes * h;
  std::vector<std::uint8_t> bytes;
  auto put16 = [&](int v) { bytes.push_back(std::uint8_t(v)), bytes.push_back(std::uint8_t(v >> 8)); };
  auto put32 = [&](int v) { put16(v & 0xFFFF), put16(v >> 16 & 0xFFFF); };
  bytes.push_back('B'), bytes.push_back('M');
  put32(fileSize), put32(0), put32(headerBytes);
  put32(40), put32(w), put32(h), put16(1), put16(4), put32(0), put32(rowBytes * h), put32(2835), put32(2835),
      put32(16), put32(0);
  for (const auto& c : kPalette) bytes.push_back(c[2]), bytes.push_back(c[1]), bytes.push_back(c[0]), bytes.push_back(0);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(std::size_t(rowBytes), 0);
    for (int x = 0; x < w; ++x) row[std::size_t(x / 2)] |= std::uint8_t(colorAt(x, y) << (x % 2 ? 0 : 4));
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

std::string SheetFileName(TSheet Sheet, TScheme Scheme) {
  switch (Sheet) {
    case TSheet::Common: return std::string(kCommonSheetName) + ".png";
    case TSheet::Color: return std::string(kColorSheetNames[int(Scheme)]) + ".png";
    case TSheet::Form: return std::string(kFormSheetNames[int(Scheme)]) + ".png";
  }
  return {};
}

TImage DrawReviewSheet(TScheme Scheme) {
  const TImage sheets[3] = {DrawSheet(TSheet::Common, Scheme), DrawSheet(TSheet::Color, Scheme),
                            DrawSheet(TSheet::Form, Scheme)};
  constexpr int kWidth = 480, kGap = 6;
  // Cells: every image at its own size, then nine-part stretched in the directions the skin
  // stretches it (nearest pixel in the middle bands).
  struct TCell {
    const TPartSet* Set;
    int Image, StretchedWidth, StretchedHeight;
  };
  std::vector<TCell> cells;
  for (const TPartSet& set : kPartSets)
    for (int image = 0; image < set.ImageCount(); ++image) {
      const bool x = set.Stretch == TStretch::Horizontal || set.Stretch == TStretch::Both;
      const bool y = set.Stretch == TStretch::Vertical || set.Stretch == TStretch::Both;
      cells.push_back({&set, image, x ? set.Width * 2 + 12 : set.Width, y ? set.Height * 2 + 8 : set.Height});
    }
  // Flow layout, then the picture.
  struct TPlace {
    int X, Y;
  };
  std::vector<TPlace> places;
  int x = kGap, y = kGap, rowHeight = 0;
  for (const TCell& cell : cells) {
    const int w = cell.Set->Width + kGap + cell.StretchedWidth;
    const int h = std::max(cell.Set->Height, cell.StretchedHeight);
    if (x + w + kGap > kWidth && x > kGap) x = kGap, y += rowHeight + kGap, rowHeight = 0;
    places.push_back({x, y});
    x += w + 2 * kGap;
    rowHeight = std::max(rowHeight, h);
  }
  const int height = y + rowHeight + kGap;
  TImage review(kWidth * 2, height * 2);
  for (int py = 0; py < height; ++py)
    for (int px = 0; px < kWidth; ++px) {
      const std::uint8_t v = ((px / 4 + py / 4) % 2) ? 150 : 170;
      for (int k = 0; k < 4; ++k) review.At(px * 2 + k % 2, py * 2 + k / 2) = {v, v, v, 255};
    }
  auto plot = [&](int px, int py, const TRgba& c) {
    for (int k = 0; k < 4; ++k) {
      TRgba& under = review.At(px * 2 + k % 2, py * 2 + k / 2);
      auto blend = [&](std::uint8_t over, std::uint8_t below) {
        return std::uint8_t((over * c.A + below * (255 - c.A) + 127) / 255);
      };
      under = {blend(c.R, under.R), blend(c.G, under.G), blend(c.B, under.B), 255};
    }
  };
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const TCell& cell = cells[i];
    const TPartSet& set = *cell.Set;
    const TImage& sheet = sheets[int(set.Sheet)];
    const int sx = set.ImageX(cell.Image), sy = set.ImageY(cell.Image);
    for (int yy = 0; yy < set.Height; ++yy)
      for (int xx = 0; xx < set.Width; ++xx) plot(places[i].X + xx, places[i].Y + yy, sheet.At(sx + xx, sy + yy));
    // Nine-part: the margins stay, the middle band repeats.
    auto source = [](int d, int size, int stretched, int before, int after) {
      if (d < before) return d;
      if (d >= stretched - after) return size - (stretched - d);
      const int middle = std::max(size - before - after, 1);
      return before + (d - before) * middle / std::max(stretched - before - after, 1);
    };
    const int left = places[i].X + set.Width + kGap;
    for (int yy = 0; yy < cell.StretchedHeight; ++yy)
      for (int xx = 0; xx < cell.StretchedWidth; ++xx) {
        const int fx = source(xx, set.Width, cell.StretchedWidth, set.Margins.Left, set.Margins.Right);
        const int fy = source(yy, set.Height, cell.StretchedHeight, set.Margins.Top, set.Margins.Bottom);
        plot(left + xx, places[i].Y + yy, sheet.At(sx + std::clamp(fx, 0, set.Width - 1), sy + std::clamp(fy, 0, set.Height - 1)));
      }
  }
  return review;
}

}  // namespace ribbon_art
