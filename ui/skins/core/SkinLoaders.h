#pragma once
// The three loaders that turn a skin INI and its images into skin data arrays, the colour passes,
// the lookups every painting routine calls, and the indexes the manager caches after each load.

#include "ui/skins/core/SkinConvertor.h"
#include "ui/skins/core/SkinData.h"
#include "ui/skins/core/SkinIniText.h"
#include "ui/skins/core/StoredSkins.h"

struct TSkinLoadSource {
  const TSkinIniText* Ini = nullptr;
  const TacSkinConvertor* Archive = nullptr;  // images of a packed source, else none (files)
  const TSkinIniText* Common = nullptr;       // the manager's common sections, when there are any
  const TsStoredSkin* Stored = nullptr;       // without a skin INI: the stored skin's own collections
  String SkinPath;                            // folder of image files, with its trailing backslash
  TsSkinManager* Manager = nullptr;
  int HueOffset = 0;
  int Saturation = 0;
};

// Each raises what a damaged value or image raises; the arrays are then left half filled.
void LoadMasks(const TSkinLoadSource& source, TsSkinArrays& arrays);
void LoadPatterns(const TSkinLoadSource& source, TsSkinArrays& arrays);
void LoadGeneralData(const TSkinLoadSource& source, TsSkinArrays& arrays);
// The hue pass, then the saturation pass, each when its value is not 0.
void ApplyColorPasses(TsSkinArrays& arrays, int hueOffset, int saturation);

int SkinIndexOf(const TsSkinArrays& arrays, const String& name);
// The mask of a section and key, else along the section's parent chain (stopping at a section met
// twice); textureOnly counts texture masks only.
int MaskIndexOf(const TsSkinArrays& arrays, int sectionIndex, const String& section, const String& property,
                bool textureOnly = false);
int MaskIndexExactOf(const TsSkinArrays& arrays, const String& section, const String& property);
int PatternIndexOf(const TsSkinArrays& arrays, int sectionIndex, const String& section, const String& property);
TacConstIndexes ComputeConstIndexes(const TsSkinArrays& arrays);
