#pragma once
// The packed skin archive's reader over the framework's streams: the INI text and the images of an
// archive, each in a memory stream it owns.

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Stream.h"

struct TacImageItem {
  String Name;
  bool IsBitmap = false;            // the name ends in ".BMP" (any case)
  TMemoryStream* Data = nullptr;    // owned by the reader
};

class TacSkinConvertor : public TPersistent {
  DECLARE_CLASS(TacSkinConvertor, TPersistent)
 public:
  TacSkinConvertor() = default;
  ~TacSkinConvertor() override;
  TacSkinConvertor(const TacSkinConvertor&) = delete;
  TacSkinConvertor& operator=(const TacSkinConvertor&) = delete;

  // Frees the images, the INI text and an owned source.
  void Clear();
  void SetSource(TStream* source, bool owned);
  TStream* Source() const { return source_; }
  // The image entry whose upper-cased name equals the name, or none.
  TMemoryStream* FindImage(const String& upperName) const;

  int LastImage = -1;
  std::vector<TacImageItem> Images;
  TMemoryStream* Options = nullptr;

 private:
  TStream* source_ = nullptr;
  bool ownsSource_ = false;
};

// The text of the wrong-magic warning.
extern const wchar_t* const kNotPackedSkinText;

// Parses the reader's Source from its start. Wrong magic shows the warning and returns false with the
// reader cleared; a damaged archive raises ESkinArchiveError; the source ends on the archive's last
// byte.
bool LoadPackedSkin(TacSkinConvertor& reader);
// Loads the file into a memory stream and parses it; a missing file leaves the reader untouched and
// returns false. With freeSource the source stream is freed afterwards.
bool LoadSkinFile(const String& fileName, TacSkinConvertor& reader, bool freeSource);
