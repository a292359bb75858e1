#pragma once
// The image-part layer under the ribbon's colour skins: TdxSkinnedRect, a rectangle cut from a GDI+
// image and drawn nine-part stretched with alpha; TdxCustomBarSkin, a named list of parts with
// unique IDs and names; TdxBarSkinManager, the process-wide registry of skins by name.
//
// A part renders itself once per draw size into a 32-bit top-down DIB section, through GDI+ bitmaps
// over its bits (the cache); a repaint at an unchanged size is one blend of that DIB, selected into a memory
// DC shared by all parts, onto the target (AlphaBlend, or the foundation's software blend where it
// fails).

#include <array>
#include <vector>

#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/classes/Lists.h"
#include "platform/framework/classes/Component.h"
#include "platform/framework/rtl/GdiPlusFlat.h"

class TdxCustomBarSkin;
class TdxGPImage;
class TStream;

class TdxSkinnedRect : public TObject {
  DECLARE_CLASS(TdxSkinnedRect, TObject)
 public:
  explicit TdxSkinnedRect(bool ASuppressed = false);
  ~TdxSkinnedRect() override;
  TdxSkinnedRect(const TdxSkinnedRect&) = delete;
  TdxSkinnedRect& operator=(const TdxSkinnedRect&) = delete;

  // Copies SourceRect of Source into the part and sets up the nine-part geometry with Margins
  // (left, top, right, bottom; all 0 = one stretched image).
  void LoadFromImage(GpImage* Source, const TRect& SourceRect, const TRect& Margins);
  // Draws the part over R with a constant alpha; nothing when R has no area or is not visible.
  void DrawPart(HDC DC, const TRect& R, Byte AAlpha = 255);
  // Recomputes the nine part sizes when the size differs from the last one.
  void SetDrawSize(int Width, int Height);
  void ApplyMarginsAsContent();

  virtual void CalculateNinePartSizes(int Width, int Height);
  virtual void ResetDrawSize() { drawSize_ = {0, 0}; }
  // Fills R with the button-face colour.
  virtual void FillFace(HDC DC, const TRect& R);
  // Blends the cache, rendered at the draw size, onto R.
  virtual void DrawCache(HDC DC, const TRect& R);
  // R moved in by the content offsets.
  virtual TRect ContentRect(const TRect& R) const;

  Byte Alpha = 255;
  int PartID = -1;
  String PartName;
  int Interpolation = 0;  // GDI+ interpolation mode used to scale the nine parts into the cache
  TdxCustomBarSkin* OwnerSkin = nullptr;

  bool Suppressed() const { return suppressed_; }
  TSize DrawSize() const { return drawSize_; }
  TSize CacheSize() const { return cacheSize_; }
  TSize MinimalSize() const { return minimalSize_; }
  const TRect& Margins() const { return margins_; }
  const TRect& ContentOffsets() const { return contentOffsets_; }
  const std::array<TSize, 9>& PartSizes() const { return partSizes_; }
  const std::array<TRect, 9>& SourceRects() const { return sourceRects_; }
  // The part's own copy of its sheet rectangle: 32 bpp, straight alpha, over the part's pixels; made
  // when the part is first drawn.
  GpImage* PartImage() const { return partImage_; }
  // The DIB section holding the part rendered at CacheSize (premultiplied); none before a draw.
  HBITMAP CacheBitmap() const { return cacheBitmap_; }

 private:
  void UpdateCache();
  void FreeCache();

  TSize drawSize_{0, 0};
  std::array<TSize, 9> partSizes_{};
  TRect margins_{};
  std::vector<DWORD> pixels_;
  TSize imageSize_{0, 0};
  GpImage* partImage_ = nullptr;
  TSize cacheSize_{0, 0};
  TSize minimalSize_{0, 0};
  bool suppressed_;
  std::array<TRect, 9> sourceRects_{};
  TRect contentOffsets_{8, 8, 8, 8};
  HBITMAP cacheBitmap_ = nullptr;
};

// A list of parts; a part's list position is its index. The skin owns its parts.
class TdxCustomBarSkin : public TList {
  DECLARE_CLASS(TdxCustomBarSkin, TList)
 public:
  explicit TdxCustomBarSkin(const String& ASkinName);
  ~TdxCustomBarSkin() override;

  const String& SkinName() const { return skinName_; }
  // Frees every part, then empties the list.
  void Clear();
  virtual bool IsPersistent() const { return false; }

  // Appends a part and answers its position; -1 for nil. Raises "ERROR: Duplicate part's ID = %d"
  // or "ERROR: Duplicate part's name = "%s"" (the part is not added and stays the caller's).
  int AddSkinPart(TdxSkinnedRect* Part);
  int AddImagePart(GpImage* Image, const TRect& SourceRect, int AInterpolation, const String& APartName, int APartID);
  int AddImagePartWithTopBottom(GpImage* Image, const TRect& SourceRect, int AInterpolation, const String& APartName,
                                int APartID, int Top, int Bottom);
  int AddImagePartWithMargins(GpImage* Image, const TRect& SourceRect, int AInterpolation, const String& APartName,
                              int APartID, const TRect& AMargins);
  TdxSkinnedRect* Parts(int Index) const { return static_cast<TdxSkinnedRect*>(Items(Index)); }

 private:
  String skinName_;
};

// The registry of skins by name (case-insensitive); it owns the skins it holds.
class TdxBarSkinManager : public TPersistent {
  DECLARE_CLASS(TdxBarSkinManager, TPersistent)
 public:
  TdxBarSkinManager() = default;
  ~TdxBarSkinManager() override;

  // The skin's position; -1 without GDI+, for nil, an empty name or a name already registered (the
  // skin then stays the caller's).
  int AddSkin(TdxCustomBarSkin* Skin);
  // Frees a registered skin that is not persistent and answers true; false (nothing freed) for a
  // persistent skin or one that is not registered.
  bool RemoveSkin(TdxCustomBarSkin* Skin);
  TdxCustomBarSkin* SkinByName(const String& Name) const;
  int SkinCount() const { return int(skins_.size()); }
  TdxCustomBarSkin* Skins(int Index) const { return skins_.at(std::size_t(Index)); }

  // Called after every successful add or remove.
  virtual void Changed() {}

 private:
  std::vector<TdxCustomBarSkin*> skins_;
};

// The process's manager, made on first use; the ribbon library's unit end frees it (after every form
// is gone), never static destruction.
TdxBarSkinManager* BarSkinManager();
// The unit end's part: frees the manager and every skin it still holds.
void FreeBarSkinManager();

// A GDI+ image decoded from the rest of the stream (its COM stream owns the memory block and lives
// with the image); nullptr without GDI+ or when the bytes do not decode. The caller frees it.
TdxGPImage* LoadGdipImageFromStream(TStream& Stream);

// The memory DC the parts blend from (made on first use, freed by the unit end).
HDC SharedPartDC();
void FreeSharedPartDC();
