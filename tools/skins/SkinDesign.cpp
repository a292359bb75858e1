#include "tools/skins/SkinDesign.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "tools/art/ArtRaster.h"

namespace {

struct TTheme {
  std::string Name;
  std::string Description;
  std::uint32_t Body, Frame, HotBody, HotOutline, PressedBody, Text, HotText, Window, Light, Dark;
  double Radius;          // corner radius of rounded faces
  bool ShadedBodies;      // bodies run from light to body colour downwards
  std::uint32_t TitleColors[6];
};

int R(std::uint32_t c) { return int(c & 0xFF); }
int G(std::uint32_t c) { return int((c >> 8) & 0xFF); }
int B(std::uint32_t c) { return int((c >> 16) & 0xFF); }
art::Color ArtColor(std::uint32_t c) { return art::Rgb(R(c), G(c), B(c)); }
std::uint32_t FromArt(const art::Color& c) {
  auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return SkinRgb(byte(c.r), byte(c.g), byte(c.b));
}

// Places bitmaps on shelves of a fixed width; remembers each rectangle.
class TMasterPacker {
 public:
  explicit TMasterPacker(int width) : width_(width) {}
  struct Placed {
    int Left, Top, Right, Bottom;
  };
  Placed Add(const TSkinBitmap& bitmap) {
    if (x_ + bitmap.Width > width_) {
      x_ = 0;
      y_ += shelf_ + 2;
      shelf_ = 0;
    }
    Placed placed{x_, y_, x_ + bitmap.Width, y_ + bitmap.Height};
    items_.push_back({bitmap, placed});
    x_ += bitmap.Width + 2;
    shelf_ = std::max(shelf_, bitmap.Height);
    return placed;
  }
  TSkinBitmap Master() const {
    TSkinBitmap master(width_, y_ + shelf_);
    for (const auto& [bitmap, placed] : items_) master.Put(bitmap, placed.Left, placed.Top);
    return master;
  }

 private:
  int width_, x_ = 0, y_ = 0, shelf_ = 0;
  std::vector<std::pair<TSkinBitmap, Placed>> items_;
};

struct TStateColors {
  std::uint32_t Body, Outline;
};

// One face state drawn with the rasteriser: the outline ring, then the body.
art::Picture DrawFacePicture(const TTheme& theme, int width, int height, double radius, TStateColors colors) {
  art::Picture picture(width, height, art::Rgb(0, 0, 0, 0));
  picture.Fill(art::RoundRect(0, 0, width, height, radius), art::Solid(ArtColor(colors.Outline)));
  art::Paint body = theme.ShadedBodies
                        ? art::VerticalGradient(1, height - 1, art::Mix(ArtColor(colors.Body), art::Rgb(255, 255, 255), 0.35),
                                                ArtColor(colors.Body))
                        : art::Solid(ArtColor(colors.Body));
  picture.Fill(art::RoundRect(1, 1, width - 1, height - 1, std::max(radius - 1, 0.0)), body);
  return picture;
}

// A border face of three states side by side; with maskType 1 the grey mask layer below.
// quantize keeps the colour count small for 8-bit images.
TSkinBitmap DrawFace(const TTheme& theme, int width, int height, double radius, int maskType, bool quantize = false) {
  const TStateColors states[3] = {{theme.Body, theme.Frame},
                                  {theme.HotBody, theme.HotOutline},
                                  {theme.PressedBody, theme.Frame}};
  TSkinBitmap face(width * 3, height * (maskType + 1));
  for (int s = 0; s < 3; ++s) {
    art::Picture picture = DrawFacePicture(theme, width, height, radius, states[s]);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const art::Color& c = picture.At(x, y);
        if (maskType == 0) {
          face.At(s * width + x, y) = c.a < 0.5 ? kSkinKeyColor : FromArt(c);
          continue;
        }
        int grey = int(std::lround((1 - c.a) * 255));
        if (quantize) grey = std::min(255, grey / 17 * 17);
        std::uint32_t color = FromArt(c);
        if (quantize) color = c.a > 0 && (x < 2 || y < 2 || x >= width - 2 || y >= height - 2) ? states[s].Outline : states[s].Body;
        face.At(s * width + x, y) = c.a <= 0 ? kSkinKeyColor : color;
        face.At(s * width + x, height + y) = SkinRgb(grey, grey, grey);
      }
  }
  return face;
}

// A glyph sheet of imageCount frames; draw paints one frame into a picture.
TSkinBitmap DrawGlyph(int width, int height, int imageCount,
                      const std::function<void(art::Picture&, int frame)>& draw) {
  TSkinBitmap sheet(width * imageCount, height);
  for (int frame = 0; frame < imageCount; ++frame) {
    art::Picture picture(width, height, art::Rgb(0, 0, 0, 0));
    draw(picture, frame);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const art::Color& c = picture.At(x, y);
        sheet.At(frame * width + x, y) = c.a < 0.5 ? kSkinKeyColor : FromArt(c);
      }
  }
  return sheet;
}

std::uint32_t StateOutline(const TTheme& theme, int frame) { return frame == 1 ? theme.HotOutline : theme.Frame; }
std::uint32_t StateBody(const TTheme& theme, int frame) {
  return frame == 0 ? theme.Window : frame == 1 ? theme.HotBody : theme.PressedBody;
}

// Check box, radio button or small box: empty, checked or grayed mark; three states.
TSkinBitmap DrawBox(const TTheme& theme, int size, bool round, int mark) {
  return DrawGlyph(size, size, 3, [&](art::Picture& p, int frame) {
    double s = size;
    art::Shape outer = round ? art::Circle(s / 2, s / 2, s / 2) : art::RoundRect(0, 0, s, s, 2);
    art::Shape inner = round ? art::Circle(s / 2, s / 2, s / 2 - 1) : art::RoundRect(1, 1, s - 1, s - 1, 1);
    p.Fill(outer, art::Solid(ArtColor(StateOutline(theme, frame))));
    p.Fill(inner, art::Solid(ArtColor(StateBody(theme, frame))));
    std::uint32_t ink = mark == 2 ? theme.Light : theme.Text;
    if (mark == 0) return;
    if (round)
      p.Fill(art::Circle(s / 2, s / 2, s / 4), art::Solid(ArtColor(ink)));
    else
      p.Fill(art::Union(art::Capsule(s * 0.25, s * 0.5, s * 0.42, s * 0.7, 1.1), art::Capsule(s * 0.42, s * 0.7, s * 0.75, s * 0.28, 1.1)),
             art::Solid(ArtColor(ink)));
  });
}

// An arrow pointing left (0), right (1), up (2) or down (3), three states.
TSkinBitmap DrawArrow(const TTheme& theme, int size, int direction) {
  return DrawGlyph(size, size, 3, [&](art::Picture& p, int frame) {
    double s = size, a = s * 0.2, b = s * 0.8, m = s / 2;
    std::vector<std::pair<double, double>> points;
    switch (direction) {
      case 0: points = {{b - 1, a}, {b - 1, b}, {a, m}}; break;
      case 1: points = {{a + 1, a}, {a + 1, b}, {b, m}}; break;
      case 2: points = {{a, b - 1}, {b, b - 1}, {m, a}}; break;
      default: points = {{a, a + 1}, {b, a + 1}, {m, b}}; break;
    }
    p.Fill(art::Polygon(points), art::Solid(ArtColor(frame == 2 ? theme.HotOutline : theme.Text)));
  });
}

// Caption button glyphs: close, maximize, restore, minimize, help.
TSkinBitmap DrawCaptionGlyph(const TTheme& theme, int width, int height, int kind) {
  return DrawGlyph(width, height, 3, [&](art::Picture& p, int frame) {
    double w = width, h = height, l = w * 0.25, r = w * 0.75, t = h * 0.22, b = h * 0.78;
    art::Paint ink = art::Solid(ArtColor(frame == 1 ? theme.HotOutline : frame == 2 ? theme.Dark : theme.Text));
    switch (kind) {
      case 0: p.Fill(art::Union(art::Capsule(l, t, r, b, 1.2), art::Capsule(l, b, r, t, 1.2)), ink); break;
      case 1: p.Fill(art::Minus(art::RoundRect(l, t, r, b, 0), art::RoundRect(l + 1.5, t + 3, r - 1.5, b - 1.5, 0)), ink); break;
      case 2:
        p.Fill(art::Minus(art::RoundRect(l, t + 2, r - 2, b, 0), art::RoundRect(l + 1.5, t + 4.5, r - 3.5, b - 1.5, 0)), ink);
        p.Fill(art::RoundRect(l + 2, t, r, t + 2, 0), ink);
        break;
      case 3: p.Fill(art::RoundRect(l, b - 2.5, r, b, 0), ink); break;
      default:
        p.Fill(art::Ring(w / 2, h * 0.38, h * 0.12, h * 0.24), ink);
        p.Fill(art::Circle(w / 2, b - 0.5, 1.2), ink);
        break;
    }
  });
}

// How a section looks and what it inherits.
struct TSectionLook {
  std::string Parent;  // PARENTCLASS, or empty
  int FaceWidth = 0;   // 0: no face of its own
  int FaceHeight = 0;
  bool Rounded = false;
  int Transparency = 0;
  bool OnlyParent = false;  // the section holds nothing but PARENTCLASS
};

const std::map<std::string, TSectionLook>& SectionLooks() {
  static const std::map<std::string, TSectionLook> looks = {
      {"GLOBALINFO", {"", 0, 0, false}},
      {"DIVIDER", {"", 12, 6, false}},
      {"EDIT", {"", 18, 18, false}},
      {"TABCONTROLBOTTOM", {"PAGECONTROLBOTTOM", 0, 0, false, 0, true}},
      {"TABCONTROLLEFT", {"PAGECONTROLLEFT", 0, 0, false, 0, true}},
      {"TABCONTROLRIGHT", {"PAGECONTROLRIGHT", 0, 0, false, 0, true}},
      {"BARPANEL", {"PANEL", 18, 18, false}},
      {"SCROLLBTNLEFT", {"", 16, 16, true}},
      {"SCROLLBTNRIGHT", {"SCROLLBTNLEFT", 16, 16, true}},
      {"SCROLLBTNTOP", {"SCROLLBTNLEFT", 16, 16, true}},
      {"SCROLLBTNBOTTOM", {"SCROLLBTNLEFT", 16, 16, true}},
      {"SCROLLSLIDERH", {"", 18, 16, true}},
      {"SCROLLSLIDERV", {"SCROLLSLIDERH", 16, 18, true}},
      {"GAUGE", {"", 18, 18, false}},
      {"TABCONTROL", {"PAGECONTROL", 0, 0, false, 0, true}},
      {"ICOLINE", {"", 12, 12, false}},
      {"EXTRALINE", {"", 12, 24, false}},
      {"HINT", {"", 20, 20, true}},
      {"MENULINE", {"", 12, 12, false}},
      {"FORMTITLE", {"", 24, 24, false}},
      {"MAINMENU", {"", 12, 18, false}},
      {"PANEL", {"", 18, 18, false}},
      {"GROUPBOX", {"", 20, 20, true, 100}},
      {"COMBOBOX", {"EDIT", 18, 18, false}},
      {"PANEL_LOW", {"PANEL", 18, 18, false}},
      {"STATUSBAR", {"PANEL", 18, 18, false}},
      {"COMBOBTN", {"", 16, 18, true}},
      {"DIALOG", {"", 24, 24, false}},
      {"MENUITEM", {"", 18, 18, true}},
      {"SCROLLBAR1V", {"", 16, 18, false}},
      {"SCROLLBAR2V", {"SCROLLBAR1V", 16, 18, false}},
      {"SCROLLBAR1H", {"", 18, 16, false}},
      {"SCROLLBAR2H", {"SCROLLBAR1H", 18, 16, false}},
      {"SPLITTER", {"PANEL", 0, 0, false}},
      {"PROGRESSH", {"", 18, 14, true}},
      {"PROGRESSV", {"PROGRESSH", 14, 18, true}},
      {"ALPHACOMBOBOX", {"COMBOBOX", 0, 0, false, 0, true}},
      {"ALPHAEDIT", {"EDIT", 0, 0, false, 0, true}},
      {"BUTTON_HUGE", {"BUTTON", 0, 0, false}},
      {"PAGECONTROL", {"", 24, 24, false}},
      {"BARTITLE", {"PANEL", 18, 18, false}},
      {"BUTTON", {"", 24, 22, true}},
      {"BUTTON_BIG", {"BUTTON", 30, 30, true}},
      {"RADIOBUTTON", {"", 0, 0, false, 100}},
      {"SPEEDBUTTON", {"", 24, 22, true}},
      {"SPEEDBUTTON_SMALL", {"SPEEDBUTTON", 18, 18, true}},
      {"TOOLBUTTON", {"SPEEDBUTTON", 22, 22, true}},
      {"TRACKBAR", {"", 0, 0, false, 100}},
      {"WEBBUTTON", {"", 0, 0, false, 100}},
      {"COLHEADER", {"", 20, 18, false}},
      {"GRIPH", {"", 10, 10, false}},
      {"TOOLBAR", {"PANEL", 18, 18, false}},
      {"TABTOP", {"", 24, 22, true}},
      {"TABRIGHT", {"TABTOP", 22, 24, true}},
      {"TABLEFT", {"TABTOP", 22, 24, true}},
      {"TABBOTTOM", {"TABTOP", 24, 22, true}},
      {"PAGECONTROLBOTTOM", {"PAGECONTROL", 24, 24, false}},
      {"PAGECONTROLLEFT", {"PAGECONTROL", 24, 24, false}},
      {"PAGECONTROLRIGHT", {"PAGECONTROL", 24, 24, false}},
      {"FORM", {"", 24, 24, false}},
      {"CHECKBOX", {"", 0, 0, false, 100}},
      {"BAR", {"PANEL", 0, 0, false}},
      {"DRAGBAR", {"PANEL", 12, 12, false}},
      {"UPDOWNBTN", {"", 14, 14, true}},
  };
  return looks;
}

std::string ColorText(std::uint32_t c) { return std::to_string(c); }

std::string GradientSegment(std::uint32_t from, std::uint32_t to, int percent, int kind) {
  return ColorText(from) + ";" + ColorText(to) + ";" + std::to_string(percent) + ";" + std::to_string(kind) + ";0";
}

class TSkinDesigner {
 public:
  explicit TSkinDesigner(const TTheme& theme) : theme_(theme), packer_(512) {}

  TDesignedSkin Design() {
    TDesignedSkin skin;
    skin.Name = theme_.Name;
    for (const std::string& section : SkinSectionOrder()) WriteSection(section);
    skin.Master = packer_.Master();
    skin.ButtonHuge = DrawFace(theme_, 96, 96, 14, 1, true);
    skin.Package.Ini = ini_;
    skin.Package.Images = {{"Master.bmp", EncodeBmp24(skin.Master)}, {"ButtonHuge.bmp", EncodeBmp8(skin.ButtonHuge)}};
    return skin;
  }

 private:
  std::string Face(int width, int height, bool rounded) {
    int maskType = rounded ? 1 : 0;
    TSkinBitmap face = DrawFace(theme_, width, height, rounded ? theme_.Radius : 0, maskType);
    auto placed = packer_.Add(face);
    int border = rounded ? int(std::ceil(theme_.Radius)) + 1 : 2;
    return BorderMaskValue(placed.Left, placed.Top, placed.Right, placed.Bottom, border, border, border, border, 3,
                           maskType, 1, 0);
  }

  std::string Glyph(const TSkinBitmap& sheet, int imageCount) {
    auto placed = packer_.Add(sheet);
    return GlyphMaskValue(placed.Left, placed.Top, placed.Right, placed.Bottom, imageCount, 0);
  }

  void WriteGlobalInfo() {
    ini_.Key("VERSION", "5.43").Key("AUTHOR", "The project's art generator");
    ini_.Key("DESCRIPTION", theme_.Description).Key("MASTERBITMAP", "MASTER.BMP");
    ini_.Key("SUID", "{7A13C2E4-5B08-4F61-9D2A-0C44E1B9A7F3}");
    ini_.Key("SHADOW1COLOR", ColorText(theme_.Dark)).Key("SHADOW1OFFSET", 2).Key("SHADOW1BLUR", 4);
    ini_.Key("SHADOW1TRANSPARENCY", 60).Key("BORDERCOLOR", ColorText(theme_.Frame)).Key("BISPACE", 2);
    ini_.Key("COLOR", ColorText(theme_.Body)).Key("FONTCOLOR", ColorText(theme_.Text));
    ini_.Key("HOTCOLOR", ColorText(theme_.HotBody)).Key("HOTFONTCOLOR", ColorText(theme_.HotText));
    const char* boxes[] = {"BOX", "RADIO", "SMALL"};
    const char* marks[] = {"UNCHECKED", "CHECKED", "GRAYED"};
    for (int kind = 0; kind < 3; ++kind)
      for (int mark : {1, 0, 2})
        ini_.Key(std::string(boxes[kind]) + marks[mark], Glyph(DrawBox(theme_, kind == 2 ? 9 : 13, kind == 1, mark), 3));
    const char* captions[] = {"CLOSE", "MAX", "NORM", "MIN", "HELP"};
    for (int big = 1; big >= 0; --big)
      for (int kind = 0; kind < 5; ++kind)
        ini_.Key(std::string(big ? "BICON" : "SICON") + captions[kind],
                 Glyph(DrawCaptionGlyph(theme_, big ? 16 : 12, big ? 14 : 10, kind), 3));
    ini_.Key("TITLEBUTTON", Face(20, 18, true));
    ini_.Key("CHECK", Glyph(DrawBox(theme_, 9, false, 1), 3));
    ini_.Key("GRIPIMAGE", Glyph(DrawGlyph(12, 12, 1, [&](art::Picture& p, int) {
                                  for (int i = 0; i < 3; ++i)
                                    for (int j = 0; j <= i; ++j)
                                      p.Fill(art::Circle(10.5 - 4 * j, 10.5 - 4 * (i - j), 1.2), art::Solid(ArtColor(theme_.Dark)));
                                }),
                                1));
  }

  void WriteColors(const std::string& section, const TSectionLook& look) {
    bool dark = section == "FORMTITLE" || section == "MAINMENU";
    // A gauge's filled part stands out from the gauge's face in the frame colour.
    ini_.Key("COLOR", ColorText(section == "EDIT" || section == "COMBOBOX" ? theme_.Window
                                : section == "PANEL_LOW"                 ? theme_.PressedBody
                                : section == "PROGRESSH"                 ? theme_.Frame
                                                                         : theme_.Body));
    ini_.Key("FONTCOLOR", ColorText(theme_.Text)).Key("HOTFONTCOLOR", ColorText(theme_.HotText));
    ini_.Key("TCLEFT", -1).Key("TCTOP", -1).Key("TCRIGHT", dark ? ColorText(theme_.Light) : "-1").Key("TCBOTTOM", -1);
    ini_.Key("HOTCOLOR", ColorText(theme_.HotBody)).Key("TRANSPARENCY", look.Transparency);
    ini_.Key("BORDERCOLOR1", ColorText(theme_.Light)).Key("BORDERCOLOR2", ColorText(theme_.Frame));
  }

  void WriteSection(const std::string& section) {
    const TSectionLook& look = SectionLooks().at(section);
    ini_.Section(section);
    if (!look.Parent.empty()) ini_.Key("PARENTCLASS", look.Parent);
    if (look.OnlyParent) return;
    if (section == "GLOBALINFO") return WriteGlobalInfo();
    WriteColors(section, look);
    if (look.FaceWidth > 0) ini_.Key("BORDERSMASK", Face(look.FaceWidth, look.FaceHeight, look.Rounded));
    WriteExtras(section);
  }

  void WriteExtras(const std::string& section) {
    static const std::map<std::string, int> arrows = {
        {"SCROLLBTNLEFT", 0}, {"SCROLLBTNRIGHT", 1}, {"SCROLLBTNTOP", 2}, {"SCROLLBTNBOTTOM", 3}, {"COMBOBOX", 3},
        {"COMBOBTN", 3},      {"UPDOWNBTN", 2},      {"SCROLLSLIDERH", 1}, {"SCROLLSLIDERV", 3}};
    if (auto arrow = arrows.find(section); arrow != arrows.end())
      ini_.Key("GLYPHMASK", Glyph(DrawArrow(theme_, 8, arrow->second), 3));
    if (section == "FORMTITLE") {
      const auto& c = theme_.TitleColors;
      ini_.Key("GRADIENTDATA", GradientSegment(c[0], c[1], 20, 0) + ";" + GradientSegment(c[1], c[2], 20, 0) + ";" +
                                   GradientSegment(c[2], c[3], 20, 0) + ";" + GradientSegment(c[3], c[4], 20, 0) +
                                   ";" + GradientSegment(c[4], c[5], 20, 0));
      ini_.Key("GRADIENTPERCENT", 100);
    }
    if (section == "PANEL") {
      ini_.Key("+GRADIENTDATA", GradientSegment(theme_.Light, theme_.Body, 100, 0));
      ini_.Key("GRADIENTPERCENT", 0);
    }
    if (section == "MENULINE" || section == "HINT") {
      ini_.Key("GRADIENTDATA", GradientSegment(theme_.Light, theme_.Body, 97, 0) + ";" +
                                   GradientSegment(theme_.Body, theme_.Body, 0, 0));
      ini_.Key("GRADIENTPERCENT", 60);
    }
    if (section == "BUTTON_HUGE") ini_.Key("BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0!0047!0047!0047!0047");
    if (section == "TRACKBAR") {
      ini_.Key("SLIDERCHANNEL", Face(18, 6, false));
      ini_.Key("SLIDERMASK", Glyph(DrawArrow(theme_, 12, 3), 3));
      ini_.Key("SLIDERVMASK", Glyph(DrawArrow(theme_, 12, 1), 3));
      ini_.Key("TICKHORZ", Glyph(DrawGlyph(1, 4, 1, [&](art::Picture& p, int) { p.Fill(art::RoundRect(0, 0, 1, 4, 0), art::Solid(ArtColor(theme_.Dark))); }), 1));
      ini_.Key("TICKVERT", Glyph(DrawGlyph(4, 1, 1, [&](art::Picture& p, int) { p.Fill(art::RoundRect(0, 0, 4, 1, 0), art::Solid(ArtColor(theme_.Dark))); }), 1));
    }
    if (section == "CHECKBOX" || section == "RADIOBUTTON" || section == "WEBBUTTON") ini_.Key("SHOWFOCUS", "TRUE");
    if (section == "BUTTON" || section == "SPEEDBUTTON") {
      ini_.Key("FADINGENABLED", "TRUE").Key("FADINGINTERVALIN", 5).Key("FADINGINTERVALOUT", 5).Key("FADINGITERATIONS", 5);
    }
  }

  const TTheme& theme_;
  TMasterPacker packer_;
  TSkinIniBuilder ini_;
};

TDesignedSkin Design(const TTheme& theme) { return TSkinDesigner(theme).Design(); }

}  // namespace

const std::vector<std::string>& SkinSectionOrder() {
  static const std::vector<std::string> order = {
      "GLOBALINFO",    "DIVIDER",        "EDIT",          "TABCONTROLBOTTOM", "TABCONTROLLEFT",    "TABCONTROLRIGHT",
      "BARPANEL",      "SCROLLBTNLEFT",  "SCROLLBTNRIGHT", "SCROLLBTNTOP",    "SCROLLBTNBOTTOM",   "SCROLLSLIDERH",
      "SCROLLSLIDERV", "GAUGE",          "TABCONTROL",    "ICOLINE",          "EXTRALINE",         "HINT",
      "MENULINE",      "FORMTITLE",      "MAINMENU",      "PANEL",            "GROUPBOX",          "COMBOBOX",
      "PANEL_LOW",     "STATUSBAR",      "COMBOBTN",      "DIALOG",           "MENUITEM",          "SCROLLBAR1V",
      "SCROLLBAR2V",   "SCROLLBAR1H",    "SCROLLBAR2H",   "SPLITTER",         "PROGRESSH",         "PROGRESSV",
      "ALPHACOMBOBOX", "ALPHAEDIT",      "BUTTON_HUGE",   "PAGECONTROL",      "BARTITLE",          "BUTTON",
      "BUTTON_BIG",    "RADIOBUTTON",    "SPEEDBUTTON",   "SPEEDBUTTON_SMALL", "TOOLBUTTON",       "TRACKBAR",
      "WEBBUTTON",     "COLHEADER",      "GRIPH",         "TOOLBAR",          "TABTOP",            "TABRIGHT",
      "TABLEFT",       "TABBOTTOM",      "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "FORM",
      "CHECKBOX",      "BAR",            "DRAGBAR",       "UPDOWNBTN"};
  return order;
}

TDesignedSkin DesignHarbourBlue() {
  TTheme theme{"Harbour Blue (internal)",
               "Light steel-blue faces with mid-blue rounded frames",
               SkinRgb(200, 216, 232), SkinRgb(70, 110, 160), SkinRgb(226, 236, 248), SkinRgb(228, 150, 60),
               SkinRgb(160, 184, 212), SkinRgb(20, 32, 60), SkinRgb(10, 20, 40), SkinRgb(250, 252, 255),
               SkinRgb(240, 246, 252), SkinRgb(40, 64, 100), 3.5, false,
               {SkinRgb(90, 130, 180), SkinRgb(120, 160, 205), SkinRgb(150, 185, 225), SkinRgb(120, 160, 205),
                SkinRgb(100, 140, 190), SkinRgb(80, 120, 170)}};
  return Design(theme);
}

TDesignedSkin DesignHarbourSlate() {
  TTheme theme{"Harbour Slate",
               "Dark slate faces with steel frames and shaded bodies",
               SkinRgb(84, 94, 108), SkinRgb(30, 36, 46), SkinRgb(112, 126, 144), SkinRgb(236, 170, 70),
               SkinRgb(60, 68, 80), SkinRgb(236, 240, 246), SkinRgb(255, 255, 255), SkinRgb(52, 58, 66),
               SkinRgb(150, 160, 174), SkinRgb(16, 20, 26), 4.5, true,
               {SkinRgb(40, 46, 56), SkinRgb(64, 72, 86), SkinRgb(90, 100, 116), SkinRgb(64, 72, 86),
                SkinRgb(50, 58, 70), SkinRgb(36, 42, 52)}};
  return Design(theme);
}
