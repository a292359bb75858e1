#include "tests/ui/skins/SkinTestSupport.h"

#include "platform/framework/classes/Stream.h"
#include "ui/skins/paint/DrawingRoutines.h"

namespace skin_testing {

std::string Narrow(const String& text) { return std::string(text.begin(), text.end()); }

void WriteBytes(const String& path, const std::vector<Byte>& bytes) {
  TFileStream file(path, fmCreate);
  if (!bytes.empty()) file.WriteBuffer(bytes.data(), Int64(bytes.size()));
}

TSeenBoxes::TSeenBoxes() {
  previous_ = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT flags) {
    Boxes.push_back({text, caption, flags});
    return IDOK;
  });
}

TSeenBoxes::~TSeenBoxes() { SetMessageBoxAnswerer(previous_); }

BitmapPtr FilledBmp24(int width, int height, TColor color) {
  BitmapPtr bmp(CreateBmp24(width, height));
  FillDC(bmp->Canvas()->Handle(), TRect(0, 0, width, height), color);
  GdiFlush();
  return bmp;
}

TColor Pixel24(TBitmap* bmp, int x, int y) {
  const auto* p = static_cast<const Byte*>(bmp->ScanLine(y)) + 3 * x;
  return TColor(p[2]) | TColor(p[1]) << 8 | TColor(p[0]) << 16;
}

void SetPixel24(TBitmap* bmp, int x, int y, TColor color) {
  auto* p = static_cast<Byte*>(bmp->ScanLine(y)) + 3 * x;
  p[0] = Byte(color >> 16);
  p[1] = Byte(color >> 8);
  p[2] = Byte(color);
}

TSkinBitmap SmallMaster() {
  TSkinBitmap master(40, 20);
  master.FillRect(0, 0, 10, 20, SkinRgb(255, 0, 0));
  master.FillRect(10, 0, 20, 20, kSkinKeyColor);
  master.FillRect(20, 0, 30, 20, SkinRgb(90, 90, 90));
  master.FillRect(30, 0, 40, 20, SkinRgb(0, 0, 255));
  return master;
}

TSkinPackage SmallSkin(const std::string& extraIni) {
  TSkinPackage package;
  package.Ini.Section("GLOBALINFO").Key("VERSION", "5.43").Key("MASTERBITMAP", "MASTER.BMP").Key("COLOR", 255);
  package.Images.push_back({"Master.bmp", EncodeBmp24(SmallMaster())});
  std::vector<Byte> ini = package.Ini.Bytes();
  ini.insert(ini.end(), extraIni.begin(), extraIni.end());
  // The extra text goes through the builder's INI entry by rebuilding the package's INI bytes.
  TSkinPackage result;
  result.Images = package.Images;
  std::string text(ini.begin(), ini.end());
  result.Ini = TSkinIniBuilder();
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(from, end - from);
    from = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[')
      result.Ini.Section(line.substr(1, line.size() - 2));
    else if (size_t eq = line.find('='); eq != std::string::npos)
      result.Ini.Key(line.substr(0, eq), line.substr(eq + 1));
  }
  return result;
}

TSkinPackage PaintingSkin() {
  using namespace paint_skin;
  auto rgb = [](TColor c) { return std::uint32_t(c); };
  TSkinBitmap master(64, 16, SkinRgb(90, 90, 90));
  master.FillRect(0, 0, 8, 4, rgb(kTile));
  master.FillRect(8, 0, 11, 3, rgb(kCornerTL));
  master.FillRect(11, 0, 14, 3, rgb(kCornerTR));
  master.FillRect(14, 0, 17, 3, rgb(kCornerBL));
  master.FillRect(17, 0, 20, 3, rgb(kCornerBR));
  master.FillRect(20, 0, 26, 6, rgb(kFaceFrame));
  master.At(20, 0) = master.At(25, 0) = master.At(20, 5) = master.At(25, 5) = kSkinKeyColor;
  for (int frame = 0; frame < 3; ++frame) {
    master.FillRect(30 + 6 * frame, 0, 36 + 6 * frame, 6, rgb(kBtnFrames[frame]));
    master.At(30 + 6 * frame, 0) = kSkinKeyColor;
  }
  TSkinPackage package;
  auto color = [](TColor c) { return std::to_string(std::uint32_t(c)); };
  TSkinIniBuilder& ini = package.Ini;
  ini.Section("GLOBALINFO").Key("VERSION", "5.43").Key("MASTERBITMAP", "MASTER.BMP");
  ini.Section("SOLID").Key("COLOR", color(kSolid));
  ini.Section("SEE100").Key("COLOR", color(kSolid)).Key("TRANSPARENCY", 100);
  ini.Section("SEE50").Key("COLOR", 0).Key("TRANSPARENCY", 50);
  ini.Section("TEX30").Key("COLOR", color(kTexBase)).Key("IMAGEPERCENT", 30).Key("PATTERN", "~0000~0000~0008~0004~00");
  ini.Section("TEXTOP").Key("COLOR", color(kTexBase)).Key("IMAGEPERCENT", 100).Key("PATTERN", "~0000~0000~0008~0004~02");
  ini.Section("CORNERS").Key("COLOR", color(kSolid));
  ini.Key("IMGTOPLEFT", GlyphMaskValue(8, 0, 11, 3, 1, 0)).Key("IMGTOPRIGHT", GlyphMaskValue(11, 0, 14, 3, 1, 0));
  ini.Key("IMGBTMLEFT", GlyphMaskValue(14, 0, 17, 3, 1, 0)).Key("IMGBTMRIGHT", GlyphMaskValue(17, 0, 20, 3, 1, 0));
  ini.Section("FACE").Key("COLOR", color(kSolid)).Key("BORDERSMASK", BorderMaskValue(20, 0, 26, 6, 2, 2, 2, 2, 1, 0, 0, 0));
  ini.Section("GRAD").Key("COLOR", color(kSolid)).Key("GRADIENTPERCENT", 100);
  ini.Key("GRADIENTDATA", color(kGradTop) + ";" + color(kGradBottom) + ";100;0;0");
  for (const char* name : {"BTN", "BTNLOW"}) {
    ini.Section(name).Key("COLOR", color(kBtn)).Key("HOTCOLOR", color(kBtnHot));
    ini.Key("BORDERSMASK", BorderMaskValue(30, 0, 48, 6, 2, 2, 2, 2, 3, 0, 0, 0));
    ini.Key("FADINGENABLED", "TRUE").Key("FADINGITERATIONS", 5);
    if (std::string(name) == "BTNLOW") ini.Key("TRANSPARENCY", 50).Key("HOTTRANSPARENCY", 50);
  }
  ini.Section("PLAIN").Key("COLOR", color(kSolid));
  package.Images.push_back({"Master.bmp", EncodeBmp24(master)});
  return package;
}

std::vector<Byte> InternalSkinBytes() {
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  auto* bytes = static_cast<const Byte*>(data.Memory());
  return std::vector<Byte>(bytes, bytes + data.Size());
}

ManagerPtr NewManager(const String& skinDirectory) {
  ManagerPtr manager(new TsSkinManager(nullptr));
  manager->SetSkinDirectory(skinDirectory);
  // The thread hook skins no form or dialog unless a test asks for it.
  manager->SetSkinningRules({});
  return manager;
}

ManagerPtr NewInternalManager(const String& skinDirectory) {
  ManagerPtr manager = NewManager(skinDirectory);
  TsStoredSkin* stored = manager->InternalSkins()->Add();
  stored->SetName(L"Harbour Blue (internal)");
  std::vector<Byte> bytes = InternalSkinBytes();
  stored->LoadData(bytes.data(), Int64(bytes.size()));
  return manager;
}

}  // namespace skin_testing

namespace skin_testing {

ManagerPtr NewPaintingManager(const String& skinDirectory) {
  PaintingSkin().WriteFolder(Narrow(skinDirectory) + "/Painting");
  ManagerPtr manager = NewManager(skinDirectory);
  manager->SetSkinName(L"Painting");
  return manager;
}

}  // namespace skin_testing

namespace skin_testing {

TSkinPackage ControlsSkin(const TControlsSkinOptions& options) {
  using namespace controls_skin;
  auto rgb = [](TColor c) { return std::uint32_t(c); };
  auto color = [](TColor c) { return std::to_string(std::uint32_t(c)); };
  TSkinBitmap master(96, 12, SkinRgb(90, 90, 90));
  // A 6 x 6 frame with a 2-pixel border of one colour and a fuchsia middle.
  auto frame = [&](int x, TColor border) {
    master.FillRect(x, 0, x + 6, 6, rgb(border));
    master.FillRect(x + 2, 2, x + 4, 4, kSkinKeyColor);
  };
  frame(0, kMenuFrame);
  for (int dx : {0, 5})
    for (int dy : {0, 5}) {
      master.At(dx, dy) = kSkinKeyColor;
      master.At(dx == 0 ? 1 : 4, dy) = kSkinKeyColor;
      master.At(dx, dy == 0 ? 1 : 4) = kSkinKeyColor;
    }
  for (int i = 0; i < 3; ++i) frame(6 + 6 * i, kThumbFrames[i]);
  for (int i = 0; i < 3; ++i) frame(24 + 6 * i, kBtnFrames[i]);
  for (int i = 0; i < 2; ++i) {
    master.FillRect(42 + 6 * i, 0, 48 + 6 * i, 6, rgb(kCheck[i]));
    master.FillRect(54 + 6 * i, 0, 60 + 6 * i, 6, rgb(kRadio[i]));
    master.FillRect(66 + 6 * i, 0, 72 + 6 * i, 6, rgb(kBox[i]));
  }
  master.FillRect(78, 0, 84, 6, rgb(kDivider));
  master.FillRect(0, 6, 24, 12, kSkinKeyColor);
  for (int i = 0; i < 3; ++i) master.FillRect(2 + 8 * i, 7, 6 + 8 * i, 11, rgb(kArrow));

  TSkinPackage package;
  TSkinIniBuilder& ini = package.Ini;
  ini.Section("GLOBALINFO").Key("VERSION", "5.43").Key("MASTERBITMAP", "MASTER.BMP");
  ini.Key("COLOR", color(kGlobalColor)).Key("FONTCOLOR", color(options.GlobalFont));
  if (options.Check) ini.Key("CHECK", GlyphMaskValue(42, 0, 54, 6, 2, 0));
  ini.Key("RADIOCHECKED", GlyphMaskValue(54, 0, 66, 6, 2, 0)).Key("BOXCHECKED", GlyphMaskValue(66, 0, 78, 6, 2, 0));
  ini.Section("LABEL").Key("COLOR", color(kLabelBg)).Key("FONTCOLOR", color(kLabelFont));
  ini.Section("GAUGE").Key("COLOR", color(kGaugeFace)).Key("FONTCOLOR", 0);
  ini.Section("PROGRESSH").Key("COLOR", color(kFill));
  ini.Section("PROGRESSV").Key("PARENTCLASS", "PROGRESSH");
  ini.Section("SCROLLBAR1H").Key("COLOR", color(kTrack1)).Key("HOTCOLOR", color(kTrack1Hot));
  ini.Section("SCROLLBAR2H").Key("COLOR", color(kTrack2)).Key("HOTCOLOR", color(kTrack2Hot));
  ini.Section("SCROLLBAR1V").Key("PARENTCLASS", "SCROLLBAR1H");
  ini.Section("SCROLLBAR2V").Key("PARENTCLASS", "SCROLLBAR2H");
  ini.Section("SCROLLSLIDERH").Key("COLOR", color(kThumb)).Key("HOTCOLOR", color(kThumbHot));
  ini.Key("BORDERSMASK", BorderMaskValue(6, 0, 24, 6, 2, 2, 2, 2, 3, 0, 0, 0));
  ini.Key("GLYPHMASK", GlyphMaskValue(0, 6, 24, 12, 3, 0));
  ini.Section("SCROLLSLIDERV").Key("PARENTCLASS", "SCROLLSLIDERH");
  ini.Section("SCROLLBTNLEFT").Key("COLOR", color(kBtn)).Key("HOTCOLOR", color(kBtnHot));
  ini.Key("BORDERSMASK", BorderMaskValue(24, 0, 42, 6, 2, 2, 2, 2, 3, 0, 0, 0));
  ini.Key("GLYPHMASK", GlyphMaskValue(0, 6, 24, 12, 3, 0));
  for (const char* name : {"SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM"})
    ini.Section(name).Key("PARENTCLASS", "SCROLLBTNLEFT");
  ini.Section("MAINMENU").Key("COLOR", color(kMenuBg));
  ini.Key("BORDERSMASK", BorderMaskValue(0, 0, 6, 6, 2, 2, 2, 2, 1, 0, 0, 3));
  ini.Section("MENUITEM").Key("COLOR", color(kItem)).Key("HOTCOLOR", color(kItemHot));
  ini.Key("FONTCOLOR", color(kItemFont)).Key("HOTFONTCOLOR", color(kItemHotFont));
  ini.Section("ICOLINE").Key("COLOR", color(kIcoLine));
  ini.Section("EXTRALINE").Key("COLOR", color(kExtra)).Key("FONTCOLOR", color(kExtraFont));
  ini.Section("TOOLBAR").Key("COLOR", color(kCaptionItem)).Key("FONTCOLOR", 0);
  ini.Section("MENULINE").Key("COLOR", color(kMenuLine)).Key("FONTCOLOR", 0).Key("HOTFONTCOLOR", 0);
  ini.Section("TRACKBAR").Key("COLOR", color(kMenuBg));
  ini.Key("SLIDERCHANNEL", BorderMaskValue(78, 0, 84, 6, 2, 2, 2, 2, 1, 0, 0, 0));
  ini.Section("HINT").Key("COLOR", color(kHintBody)).Key("FONTCOLOR", 0);
  if (options.Edits) {
    ini.Section("EDIT").Key("COLOR", color(kEdit)).Key("FONTCOLOR", color(kEditFont));
    ini.Key("HOTCOLOR", color(kEditHot)).Key("HOTFONTCOLOR", color(kEditFont));
    ini.Key("BORDERSMASK", BorderMaskValue(0, 0, 6, 6, 2, 2, 2, 2, 1, 0, 0, 3));
    ini.Section("COLHEADER").Key("COLOR", color(kColHeader)).Key("FONTCOLOR", 0);
    ini.Section("TOOLBUTTON").Key("COLOR", color(kToolButton)).Key("HOTCOLOR", color(kToolButtonHot));
  }
  package.Images.push_back({"Master.bmp", EncodeBmp24(master)});
  return package;
}

ManagerPtr NewControlsManager(const String& skinDirectory, const TControlsSkinOptions& options,
                              const std::string& name) {
  ControlsSkin(options).WriteFolder(Narrow(skinDirectory) + "/" + name);
  ManagerPtr manager = NewManager(skinDirectory);
  manager->SetSkinName(String(name.begin(), name.end()));
  return manager;
}

}  // namespace skin_testing
