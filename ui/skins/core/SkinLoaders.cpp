#include "ui/skins/core/SkinLoaders.h"

#include <cwchar>
#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/rtl/FileUtils.h"

namespace {

const String kGlobalInfo = L"GLOBALINFO";

String FilePath(const TSkinLoadSource& source, const String& name) {
  return name.find(L':') != String::npos ? name : source.SkinPath + name;
}

// The image bytes of an archive entry or a file, or none when missing.
std::unique_ptr<TMemoryStream, TFreeDeleter> ImageBytes(const TSkinLoadSource& source, const String& name) {
  std::unique_ptr<TMemoryStream, TFreeDeleter> bytes(new TMemoryStream());
  if (source.Archive) {
    TMemoryStream* entry = source.Archive->FindImage(name);
    if (!entry) return nullptr;
    entry->SetPosition(0);
    bytes->CopyFrom(*entry, entry->Size());
  } else {
    String path = FilePath(source, name);
    if (!FileExists(path)) return nullptr;
    bytes->LoadFromFile(path);
  }
  bytes->SetPosition(0);
  return bytes;
}

// A bitmap from the archive or a file; none when missing or 0 pixels wide.
TBitmap* LoadBitmap(const TSkinLoadSource& source, const String& name, bool to24Bits) {
  auto bytes = ImageBytes(source, name);
  if (!bytes) return nullptr;
  std::unique_ptr<TBitmap, TFreeDeleter> bitmap(new TBitmap());
  bitmap->LoadFromStream(*bytes);
  if (bitmap->Width() <= 0) return nullptr;
  if (to24Bits) bitmap->SetPixelFormat(pf24bit);
  return bitmap.release();
}

TJPEGImage* LoadJpeg(const TSkinLoadSource& source, const String& name) {
  auto bytes = ImageBytes(source, name);
  if (!bytes) return nullptr;
  std::unique_ptr<TJPEGImage, TFreeDeleter> image(new TJPEGImage());
  image->LoadFromStream(*bytes);
  if (image->Empty() || image->Width() <= 0) return nullptr;
  return image.release();
}

void AddMask(const TSkinLoadSource& source, TsSkinArrays& arrays, const String& section, const String& key,
             TMaskShape shape) {
  TsMaskData mask;
  if (shape.Source == TMaskImageSource::OwnImage) {
    // Textures of the "!" form (stretch mode 4) keep the depth of their file.
    bool keepDepth = shape.ImgType == TacImgType::itisaTexture && shape.StretchMode == 4;
    mask.Bmp = LoadBitmap(source, shape.ImageName, !keepDepth);
    if (!mask.Bmp) return;
    shape.Left = shape.Top = 0;
    shape.Right = mask.Bmp->Width();
    shape.Bottom = mask.Bmp->Height();
    if (!shape.HasBorders) CompleteMaskBorders(shape, shape.Right, shape.Bottom);
  }
  mask.SectionName = section;
  mask.PropertyName = key;
  mask.R = TRect(shape.Left, shape.Top, shape.Right, shape.Bottom);
  mask.ImageCount = shape.ImageCount;
  mask.MaskType = shape.MaskType;
  mask.BorderWidth = shape.BorderWidth;
  mask.StretchMode = shape.StretchMode;
  mask.ImgType = shape.ImgType;
  mask.Manager = source.Manager;
  mask.WL = shape.WL;
  mask.WT = shape.WT;
  mask.WR = shape.WR;
  mask.WB = shape.WB;
  arrays.Masks.push_back(mask);
}

bool IsJpegName(const String& value) {
  String upper = UpperCaseAscii(value);
  return upper.find(L".JPG") != String::npos || upper.find(L".JPEG") != String::npos;
}

// A JPEG below 300 x 300 pixels becomes a texture mask with a bitmap of its own.
void AddPattern(const TSkinLoadSource& source, TsSkinArrays& arrays, const String& section, const String& key,
                const String& name) {
  TJPEGImage* image = LoadJpeg(source, name);
  if (!image) return;
  if (Int64(image->Width()) * image->Height() >= 90000) {
    arrays.Patterns.push_back({image, section, key});
    return;
  }
  std::unique_ptr<TJPEGImage, TFreeDeleter> owned(image);
  TsMaskData mask;
  mask.Bmp = new TBitmap(image->Width(), image->Height(), pf24bit);
  mask.Bmp->Canvas()->Draw(0, 0, image);
  mask.SectionName = section;
  mask.PropertyName = key;
  mask.ImageCount = 1;
  mask.ImgType = TacImgType::itisaTexture;
  mask.Manager = source.Manager;
  arrays.Masks.push_back(mask);
}

std::int32_t ReadPlainInteger(const TSkinIniText& ini, const String& section, const String& key, std::int32_t def) {
  std::int32_t value = def;
  std::optional<String> text = ini.Value(section, key);
  return text && TryParseSkinInteger(*text, value) ? value : def;
}

void ReadGlobals(const TSkinIniText& ini, TsSkinGlobals& globals) {
  String version = ini.ReadString(kGlobalInfo, L"VERSION", L"0");
  wchar_t* end = nullptr;
  double parsed = std::wcstod(version.c_str(), &end);
  globals.Version = end && *end == 0 && !version.empty() ? parsed : 0;
  globals.Author = ini.ReadString(kGlobalInfo, L"AUTHOR", L"");
  globals.Description = ini.ReadString(kGlobalInfo, L"DESCRIPTION", L"");
  globals.Shadow1Color = ReadPlainInteger(ini, kGlobalInfo, L"SHADOW1COLOR", 0);
  globals.Shadow1Offset = ParseSkinInteger(ini.ReadString(kGlobalInfo, L"SHADOW1OFFSET", L"0"));
  globals.Shadow1Blur = ParseSkinInteger(ini.ReadString(kGlobalInfo, L"SHADOW1BLUR", L"-1"));
  globals.Shadow1Transparency = ParseSkinInteger(ini.ReadString(kGlobalInfo, L"SHADOW1TRANSPARENCY", L"0"));
  globals.BorderColor = ReadPlainInteger(ini, kGlobalInfo, L"BORDERCOLOR", 0);
  globals.BISpacing = ReadPlainInteger(ini, kGlobalInfo, L"BISPACE", 0);
}

// Where the general keys of a section come from: integer and text reads with the caller's default.
struct TSectionReader {
  std::function<std::int32_t(const wchar_t*, std::int32_t)> Integer;
  std::function<String(const wchar_t*, const String&)> Text;
  std::function<std::int32_t(const wchar_t*, std::int32_t)> PlainInteger;  // read without inheritance
};

// Every general key; base holds the defaults.
TsGeneralData ReadSectionWith(const TSectionReader& r, TsGeneralData d) {
  auto flag = [&](const wchar_t* key, bool def) { return SameTextAscii(r.Text(key, def ? L"TRUE" : L"FALSE"), L"TRUE"); };
  d.Color = ColorToRGB(r.Integer(L"COLOR", d.Color));
  d.Bevel = static_cast<std::uint8_t>(r.Integer(L"BEVEL", d.Bevel));
  d.ShadowBlur = r.Integer(L"SHADOWBLUR", d.ShadowBlur);
  d.ShadowOffset = r.Integer(L"SHADOWOFFSET", d.ShadowOffset);
  d.ShadowColor = r.PlainInteger(L"SHADOWCOLOR", d.ShadowColor);
  d.ShadowTransparency = r.Integer(L"SHADOWTRANSPARENCY", d.ShadowTransparency);
  d.ShadowEnabled = flag(L"SHADOWENABLED", d.ShadowEnabled);
  d.ReservedBoolean = flag(L"RESERVEDBOOLEAN", d.ReservedBoolean);
  const wchar_t* contours[] = {L"TCLEFT", L"TCTOP", L"TCRIGHT", L"TCBOTTOM"};
  const wchar_t* hotContours[] = {L"HOTTCLEFT", L"HOTTCTOP", L"HOTTCRIGHT", L"HOTTCBOTTOM"};
  d.FontColor[0] = r.Integer(L"FONTCOLOR", d.FontColor[0]);
  d.HotFontColor[0] = r.Integer(L"HOTFONTCOLOR", d.HotFontColor[0]);
  for (int i = 0; i < 4; ++i) {
    d.FontColor[i + 1] = r.Integer(contours[i], d.FontColor[i + 1]);
    d.HotFontColor[i + 1] = r.Integer(hotContours[i], d.HotFontColor[i + 1]);
  }
  d.Transparency = r.Integer(L"TRANSPARENCY", d.Transparency);
  d.GradientPercent = r.Integer(L"GRADIENTPERCENT", d.GradientPercent);
  d.ImagePercent = r.Integer(L"IMAGEPERCENT", d.ImagePercent);
  d.GradientData = r.Text(L"GRADIENTDATA", d.GradientData);
  d.GradientArray.clear();
  if (d.GradientData != L" ") ParseGradientData(d.GradientData, d.GradientArray);
  d.ShowFocus = flag(L"SHOWFOCUS", d.ShowFocus);
  d.FadingEnabled = flag(L"FADINGENABLED", d.FadingEnabled);
  d.FadingIntervalIn = r.Integer(L"FADINGINTERVALIN", d.FadingIntervalIn);
  d.FadingIntervalOut = r.Integer(L"FADINGINTERVALOUT", d.FadingIntervalOut);
  d.FadingIterations = r.Integer(L"FADINGITERATIONS", d.FadingIterations);
  d.HotColor = r.Integer(L"HOTCOLOR", d.HotColor);
  d.HotTransparency = r.Integer(L"HOTTRANSPARENCY", d.HotTransparency);
  d.HotBevel = static_cast<std::uint8_t>(r.Integer(L"HOTBEVEL", d.HotBevel));
  d.HotGradientPercent = r.Integer(L"HOTGRADIENTPERCENT", d.HotGradientPercent);
  d.HotGradientData = r.Text(L"HOTGRADIENTDATA", d.HotGradientData);
  d.HotGradientArray.clear();
  if (!d.HotGradientData.empty() && d.HotGradientData != L" ") ParseGradientData(d.HotGradientData, d.HotGradientArray);
  d.HotImagePercent = r.Integer(L"HOTIMAGEPERCENT", d.HotImagePercent);
  d.BorderColor1 = r.Integer(L"BORDERCOLOR1", d.BorderColor1);
  d.BorderColor2 = r.Integer(L"BORDERCOLOR2", d.BorderColor2);
  return d;
}

TsGeneralData TableDefaults() {
  TsGeneralData d;
  d.GradientData = L" ";
  return d;
}

// A section of the skin INI: keys along its parent chain, then the table's defaults.
TsGeneralData ReadSection(const TSkinIniText& ini, const String& s) {
  TSectionReader reader{
      [&](const wchar_t* key, std::int32_t def) { return InheritedInteger(ini, s, key, def); },
      [&](const wchar_t* key, const String& def) { return InheritedString(ini, s, key, def); },
      [&](const wchar_t* key, std::int32_t def) { return ReadPlainInteger(ini, s, key, def); }};
  TsGeneralData d = ReadSectionWith(reader, TableDefaults());
  d.SectionName = s;
  d.ParentClass = ini.ReadString(s, L"PARENTCLASS", L"");
  return d;
}

// A common section: its own keys, else those of the entry its PARENTCLASS names, else the defaults.
TsGeneralData ReadCommonSection(const TSkinIniText& common, const String& s, const TsSkinArrays& arrays) {
  String parent = UpperCaseAscii(common.ReadString(s, L"PARENTCLASS", L"-1"));
  TsGeneralData base = TableDefaults();
  for (const TsGeneralData& entry : arrays.Sections)
    if (UpperCaseAscii(entry.SectionName) == parent) base = entry;
  TSectionReader reader{
      [&](const wchar_t* key, std::int32_t def) { return ReadPlainInteger(common, s, key, def); },
      [&](const wchar_t* key, const String& def) { return common.ReadString(s, key, def); },
      [&](const wchar_t* key, std::int32_t def) { return ReadPlainInteger(common, s, key, def); }};
  TsGeneralData d = ReadSectionWith(reader, base);
  d.SectionName = s;
  d.ParentClass = common.ReadString(s, L"PARENTCLASS", L"");
  return d;
}

bool IsGrey(TColor c) { return (c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == ((c >> 16) & 0xFF); }

template <typename Change>
void ChangeBitmap(TBitmap* bitmap, Change change) {
  if (!bitmap || bitmap->Empty()) return;
  bitmap->SetPixelFormat(pf24bit);
  for (int y = 0; y < bitmap->Height(); ++y) {
    auto* row = static_cast<Byte*>(bitmap->ScanLine(y));
    TColor last = -1, lastChanged = -1;
    for (int x = 0; x < bitmap->Width(); ++x, row += 3) {
      TColor c = TColor(row[2]) | TColor(row[1]) << 8 | TColor(row[0]) << 16;
      if (c == clFuchsia || IsGrey(c)) continue;
      if (c != last) lastChanged = static_cast<TColor>(change(static_cast<std::uint32_t>(c)));
      last = c;
      TColor changed = lastChanged;
      row[0] = Byte(changed >> 16);
      row[1] = Byte(changed >> 8);
      row[2] = Byte(changed);
    }
  }
}

// Skin images hold few colours: each is changed once.
template <typename Change>
auto Memoized(Change change) {
  return [change, memo = std::make_shared<std::unordered_map<std::uint32_t, std::uint32_t>>()](std::uint32_t c) {
    auto [at, added] = memo->emplace(c, 0);
    if (added) at->second = change(c);
    return at->second;
  };
}

template <typename Plain>
void ChangeColors(TsSkinArrays& arrays, Plain plain) {
  auto change = Memoized(plain);
  auto apply = [&](TColor& c) { c = static_cast<TColor>(change(static_cast<std::uint32_t>(c))); };
  ChangeBitmap(arrays.MasterBitmap, change);
  for (TsMaskData& mask : arrays.Masks) ChangeBitmap(mask.Bmp, change);
  for (TsGeneralData& d : arrays.Sections) {
    apply(d.Color);
    apply(d.HotColor);
    for (int i = 0; i < 5; ++i) {
      if (d.FontColor[i] != -1) apply(d.FontColor[i]);
      if (d.HotFontColor[i] != -1) apply(d.HotFontColor[i]);
    }
    for (TsGradRecord& r : d.GradientArray) {
      r.Color1 = static_cast<std::int32_t>(change(static_cast<std::uint32_t>(r.Color1)));
      r.Color2 = static_cast<std::int32_t>(change(static_cast<std::uint32_t>(r.Color2)));
    }
    for (TsGradRecord& r : d.HotGradientArray) {
      r.Color1 = static_cast<std::int32_t>(change(static_cast<std::uint32_t>(r.Color1)));
      r.Color2 = static_cast<std::int32_t>(change(static_cast<std::uint32_t>(r.Color2)));
    }
  }
  apply(arrays.Globals.Shadow1Color);
  apply(arrays.Globals.BorderColor);
}

}  // namespace

namespace {

void LoadIniMasks(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  const TSkinIniText& ini = *source.Ini;
  if (std::optional<String> master = ini.Value(kGlobalInfo, L"MASTERBITMAP"); master && !master->empty()) {
    arrays.MasterBitmap = LoadBitmap(source, *master, true);
    if (arrays.MasterBitmap) {
      arrays.MasterBitmap->SetTransparentColor(clFuchsia);
      arrays.MasterBitmap->SetTransparentMode(tmFixed);
    }
  }
  for (const TSkinIniSection& section : ini.Sections())
    for (const TSkinIniKey& key : section.Keys) {
      if (SameTextAscii(section.Name, kGlobalInfo) && SameTextAscii(key.Name, L"MASTERBITMAP")) continue;
      if (std::optional<TMaskShape> shape = ParseMaskValue(key.Name, key.Value))
        AddMask(source, arrays, section.Name, key.Name, *shape);
    }
}

// The common sections name image files (beside the skin) and, with a master bitmap, "#" rectangles.
void LoadStoredMasks(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  const TsStoredSkin& stored = *source.Stored;
  if (!stored.MasterBitmap()->Empty()) {
    arrays.MasterBitmap = new TBitmap();
    arrays.MasterBitmap->Assign(stored.MasterBitmap());
    arrays.MasterBitmap->SetPixelFormat(pf24bit);
    arrays.MasterBitmap->SetTransparentColor(clFuchsia);
  }
  for (int i = 0; i < stored.Images()->Count(); ++i) {
    const TsSkinImage& item = *stored.Images()->Items(i);
    TMaskShape shape;
    shape.Left = item.Left;
    shape.Top = item.Top;
    shape.Right = item.Right;
    shape.Bottom = item.Bottom;
    shape.ImageCount = item.ImageCount;
    shape.MaskType = item.MaskType;
    shape.BorderWidth = item.BorderWidth;
    shape.StretchMode = item.StretchMode;
    shape.ImgType = item.ImgType;
    shape.WL = item.WL;
    shape.WT = item.WT;
    shape.WR = item.WR;
    shape.WB = item.WB;
    if (shape.ImageCount == 0) {
      shape.ImageCount = 3;
      shape.MaskType = 1;
    }
    String property = UpperCaseAscii(item.PropertyName);
    if (property == L"PATTERN" || property == L"HOTPATTERN") {
      shape.StretchMode = item.ImgType == TacImgType::itisaTexture ? item.StretchMode : std::int16_t(0);
      shape.ImgType = TacImgType::itisaTexture;
    }
    TsMaskData mask;
    if (!item.Name.empty()) {
      if (item.Image->Empty()) continue;
      mask.Bmp = new TBitmap();
      mask.Bmp->Assign(item.Image);
      mask.Bmp->SetPixelFormat(pf24bit);
      shape.Left = shape.Top = 0;
      shape.Right = mask.Bmp->Width();
      shape.Bottom = mask.Bmp->Height();
    }
    CompleteMaskBorders(shape, shape.Right - shape.Left, shape.Bottom - shape.Top);
    mask.SectionName = UpperCaseAscii(item.SectionName);
    mask.PropertyName = property;
    mask.R = TRect(shape.Left, shape.Top, shape.Right, shape.Bottom);
    mask.ImageCount = shape.ImageCount;
    mask.MaskType = shape.MaskType;
    mask.BorderWidth = shape.BorderWidth;
    mask.StretchMode = shape.StretchMode;
    mask.ImgType = shape.ImgType;
    mask.Manager = source.Manager;
    mask.WL = shape.WL;
    mask.WT = shape.WT;
    mask.WR = shape.WR;
    mask.WB = shape.WB;
    arrays.Masks.push_back(mask);
  }
}

void LoadStoredPatterns(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  const TsSkinPatterns& items = *source.Stored->Patterns();
  for (int i = 0; i < items.Count(); ++i) {
    const TsSkinPattern& item = *items.Items(i);
    const TJPEGImage* image = item.Image;
    // An item without an image takes the image of another item of the same name.
    for (int j = 0; image->Empty() && j < items.Count(); ++j)
      if (items.Items(j)->Name == item.Name && !items.Items(j)->Image->Empty()) image = items.Items(j)->Image;
    auto* copy = new TJPEGImage();
    copy->Assign(const_cast<TJPEGImage*>(image));
    arrays.Patterns.push_back({copy, UpperCaseAscii(item.SectionName), UpperCaseAscii(item.PropertyName)});
  }
}

// "0 -1 -1 -1 -1": the text colour and the four contour colours; anything else gives 0 and none.
void ReadFiveColors(const String& text, TColor (&colors)[5]) {
  const String blanks = L" ";
  colors[0] = 0;
  for (int i = 1; i < 5; ++i) colors[i] = -1;
  if (CountWords(text, blanks) != 5) return;
  TColor parsed[5];
  for (int i = 0; i < 5; ++i)
    if (!TryParseSkinInteger(NthWord(i + 1, text, blanks), parsed[i])) return;
  std::copy(parsed, parsed + 5, colors);
}

void LoadStoredGeneralData(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  const TsStoredSkin& stored = *source.Stored;
  TsSkinGlobals& g = arrays.Globals;
  g.Version = stored.Version;
  g.Author = stored.Author;
  g.Description = stored.Description;
  g.Shadow1Color = stored.Shadow1Color;
  g.Shadow1Offset = stored.Shadow1Offset;
  g.Shadow1Blur = stored.Shadow1Blur;
  g.Shadow1Transparency = stored.Shadow1Transparency;
  g.BorderColor = stored.BorderColor;
  for (int i = 0; i < stored.GeneralData()->Count(); ++i) {
    const TsSkinGeneral& item = *stored.GeneralData()->Items(i);
    TsGeneralData d = item.Data;
    ReadFiveColors(item.FontColor, d.FontColor);
    ReadFiveColors(item.HotFontColor, d.HotFontColor);
    d.GradientArray.clear();
    d.HotGradientArray.clear();
    if (!d.GradientData.empty() && d.GradientData != L" ") ParseGradientData(d.GradientData, d.GradientArray);
    if (!d.HotGradientData.empty() && d.HotGradientData != L" ") ParseGradientData(d.HotGradientData, d.HotGradientArray);
    arrays.Sections.push_back(d);
  }
}

void LoadCommonMasks(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  if (!source.Common) return;
  TSkinLoadSource files = source;
  files.Archive = nullptr;
  for (const TSkinIniSection& section : source.Common->Sections())
    for (const TSkinIniKey& key : section.Keys) {
      std::optional<TMaskShape> shape = ParseMaskValue(key.Name, key.Value);
      if (!shape) continue;
      bool imageFile = shape->Source == TMaskImageSource::OwnImage && key.Value[0] != L'!';
      bool rectangle = key.Value[0] != L'^' && key.Value[0] != L'@' && key.Value[0] != L'~' &&
                       shape->Source == TMaskImageSource::Master && arrays.MasterBitmap;
      if (imageFile || rectangle) AddMask(files, arrays, section.Name, key.Name, *shape);
    }
}

void LoadCommonPatterns(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  if (!source.Common) return;
  TSkinLoadSource files = source;
  files.Archive = nullptr;
  for (const TSkinIniSection& section : source.Common->Sections())
    for (const TSkinIniKey& key : section.Keys) {
      if (!IsJpegName(key.Value)) continue;
      if (TJPEGImage* image = LoadJpeg(files, key.Value)) arrays.Patterns.push_back({image, section.Name, key.Name});
    }
}

void LoadCommonSections(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  if (!source.Common) return;
  for (const TSkinIniSection& section : source.Common->Sections())
    if (SkinIndexOf(arrays, section.Name) < 0)
      arrays.Sections.push_back(ReadCommonSection(*source.Common, section.Name, arrays));
}

}  // namespace

void LoadMasks(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  arrays.FreeMasks();
  if (source.Ini)
    LoadIniMasks(source, arrays);
  else if (source.Stored)
    LoadStoredMasks(source, arrays);
  else
    return;
  LoadCommonMasks(source, arrays);
}

void LoadPatterns(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  arrays.FreePatterns();
  if (source.Ini) {
    for (const TSkinIniSection& section : source.Ini->Sections())
      for (const TSkinIniKey& key : section.Keys)
        if (IsJpegName(key.Value)) AddPattern(source, arrays, section.Name, key.Name, key.Value);
  } else if (source.Stored) {
    LoadStoredPatterns(source, arrays);
  } else {
    return;
  }
  LoadCommonPatterns(source, arrays);
}

void LoadGeneralData(const TSkinLoadSource& source, TsSkinArrays& arrays) {
  arrays.Sections.clear();
  if (source.Ini) {
    ReadGlobals(*source.Ini, arrays.Globals);
    for (const TSkinIniSection& section : source.Ini->Sections())
      arrays.Sections.push_back(ReadSection(*source.Ini, section.Name));
  } else if (source.Stored) {
    LoadStoredGeneralData(source, arrays);
  } else {
    return;
  }
  LoadCommonSections(source, arrays);
  ApplyColorPasses(arrays, source.HueOffset, source.Saturation);
}

void ApplyColorPasses(TsSkinArrays& arrays, int hueOffset, int saturation) {
  if (hueOffset != 0) ChangeColors(arrays, [hueOffset](std::uint32_t c) { return ChangeHue(hueOffset, c); });
  if (saturation != 0) {
    int amount = -(saturation % 101);
    ChangeColors(arrays, [amount](std::uint32_t c) { return ChangeSaturation(c, amount); });
  }
}

int SkinIndexOf(const TsSkinArrays& arrays, const String& name) {
  for (size_t i = 0; i < arrays.Sections.size(); ++i)
    if (arrays.Sections[i].SectionName == name) return static_cast<int>(i);
  return -1;
}

namespace {

// Looks the property up in the section, then along its parent classes; a name met again (a cycle
// of parent classes) ends the walk. Runs while faces are built, so it copies no names: the chain is
// walked by reference into the arrays, and the few names seen sit on the stack.
template <typename Find>
int FollowSections(const TsSkinArrays& arrays, int sectionIndex, const String& section, Find find) {
  constexpr size_t kOnStack = 8;
  const String* seenOnStack[kOnStack];
  std::vector<const String*> seenMore;
  size_t seen = 0;
  auto firstVisit = [&](const String* name) {
    for (size_t i = 0; i < seen; ++i)
      if (*(i < kOnStack ? seenOnStack[i] : seenMore[i - kOnStack]) == *name) return false;
    if (seen < kOnStack)
      seenOnStack[seen] = name;
    else
      seenMore.push_back(name);
    ++seen;
    return true;
  };
  const String* current = &section;
  while (sectionIndex >= 0 && !current->empty() && firstVisit(current)) {
    int found = find(*current);
    if (found >= 0) return found;
    if (sectionIndex >= static_cast<int>(arrays.Sections.size())) return -1;
    const String& parent = arrays.Sections[static_cast<size_t>(sectionIndex)].ParentClass;
    if (parent.empty() || parent == *current) return -1;
    current = &parent;
    sectionIndex = SkinIndexOf(arrays, parent);
  }
  return -1;
}

}  // namespace

int MaskIndexOf(const TsSkinArrays& arrays, int sectionIndex, const String& section, const String& property,
                bool textureOnly) {
  return FollowSections(arrays, sectionIndex, section, [&](const String& name) {
    for (size_t i = 0; i < arrays.Masks.size(); ++i) {
      const TsMaskData& m = arrays.Masks[i];
      if (m.SectionName == name && m.PropertyName == property &&
          (!textureOnly || m.ImgType == TacImgType::itisaTexture))
        return static_cast<int>(i);
    }
    return -1;
  });
}

int MaskIndexExactOf(const TsSkinArrays& arrays, const String& section, const String& property) {
  for (size_t i = 0; i < arrays.Masks.size(); ++i)
    if (arrays.Masks[i].SectionName == section && arrays.Masks[i].PropertyName == property) return static_cast<int>(i);
  return -1;
}

int PatternIndexOf(const TsSkinArrays& arrays, int sectionIndex, const String& section, const String& property) {
  return FollowSections(arrays, sectionIndex, section, [&](const String& name) {
    for (size_t i = 0; i < arrays.Patterns.size(); ++i)
      if (arrays.Patterns[i].SectionName == name && arrays.Patterns[i].PropertyName == property)
        return static_cast<int>(i);
    return -1;
  });
}

TacConstIndexes ComputeConstIndexes(const TsSkinArrays& a) {
  TacConstIndexes c;
  auto mask = [&](int index, const wchar_t* section, const wchar_t* key) { return MaskIndexOf(a, index, section, key); };
  auto pattern = [&](int index, const wchar_t* section, const wchar_t* key) {
    return PatternIndexOf(a, index, section, key);
  };
  c.GlobalInfo = SkinIndexOf(a, kGlobalInfo);
  const wchar_t* glyphs[] = {L"BOXCHECKED",   L"BOXUNCHECKED", L"BOXGRAYED",      L"RADIOCHECKED", L"RADIOUNCHECKED",
                             L"RADIOGRAYED", L"SMALLCHECKED", L"SMALLUNCHECKED", L"SMALLGRAYED"};
  for (int i = 0; i < 9; ++i) c.CheckGlyphs[i] = c.GlobalInfo < 0 ? -1 : mask(c.GlobalInfo, L"GLOBALINFO", glyphs[i]);
  auto tab = [&](TacTabIndexes& t, const wchar_t* name) {
    t.Section = SkinIndexOf(a, name);
    t.BordersMask = mask(t.Section, name, L"BORDERSMASK");
  };
  tab(c.TabTop, L"TABTOP");
  tab(c.TabBottom, L"TABBOTTOM");
  tab(c.TabLeft, L"TABLEFT");
  tab(c.TabRight, L"TABRIGHT");
  auto button = [&](TacScrollBtnIndexes& b, const wchar_t* name) {
    b.Section = SkinIndexOf(a, name);
    b.BordersMask = mask(b.Section, name, L"BORDERSMASK");
    b.Pattern = pattern(b.Section, name, L"PATTERN");
    b.HotPattern = pattern(b.Section, name, L"HOTPATTERN");
    b.GlyphMask = mask(b.Section, name, L"GLYPHMASK");
  };
  button(c.BtnTop, L"SCROLLBTNTOP");
  button(c.BtnBottom, L"SCROLLBTNBOTTOM");
  button(c.BtnLeft, L"SCROLLBTNLEFT");
  button(c.BtnRight, L"SCROLLBTNRIGHT");
  auto slider = [&](TacScrollSliderIndexes& s, const wchar_t* name) {
    s.Section = SkinIndexOf(a, name);
    s.BordersMask = mask(s.Section, name, L"BORDERSMASK");
    s.GlyphMask = mask(s.Section, name, L"GLYPHMASK");
    s.Pattern = pattern(s.Section, name, L"PATTERN");
    s.HotPattern = pattern(s.Section, name, L"HOTPATTERN");
  };
  slider(c.SliderV, L"SCROLLSLIDERV");
  slider(c.SliderH, L"SCROLLSLIDERH");
  auto bar = [&](TacScrollBarIndexes& b, const wchar_t* name) {
    b.Section = SkinIndexOf(a, name);
    b.BordersMask = mask(b.Section, name, L"BORDERSMASK");
    b.Pattern = pattern(b.Section, name, L"PATTERN");
    b.HotPattern = pattern(b.Section, name, L"HOTPATTERN");
  };
  bar(c.Bar1H, L"SCROLLBAR1H");
  bar(c.Bar1V, L"SCROLLBAR1V");
  bar(c.Bar2H, L"SCROLLBAR2H");
  bar(c.Bar2V, L"SCROLLBAR2V");
  c.ComboBtn = SkinIndexOf(a, L"COMBOBTN");
  c.ComboBtnBorder = MaskIndexExactOf(a, L"COMBOBTN", L"BORDERSMASK");
  c.ComboBtnPattern = MaskIndexOf(a, c.ComboBtn, L"COMBOBTN", L"PATTERN", true);
  c.ComboBtnHotPattern = MaskIndexOf(a, c.ComboBtn, L"COMBOBTN", L"HOTPATTERN", true);
  c.ComboGlyph = MaskIndexExactOf(a, L"COMBOBOX", L"GLYPHMASK");
  return c;
}
