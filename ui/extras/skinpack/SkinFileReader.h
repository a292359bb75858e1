#pragma once
// Tsk2SkinFileReader: loads a theme file ("SK" archive) for the theme manager. The member
// "SKINDATA.SK2" is extracted into a temporary file, its value chain is read into four tables
// (bitmaps, integers, flags, texts) and the temporary file is deleted, whatever the outcome.

#include <memory>

#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"

class Tsk2SkinFileReader : public TObject {
  DECLARE_CLASS(Tsk2SkinFileReader, TObject)
 public:
  // Loads the file. A refused member (answer 2: encrypted without the right password, or a size
  // other than the directory's) leaves the reader unloaded; anything else that fails raises
  // Exception "Failed to read skin file!".
  Tsk2SkinFileReader(const String& FileName, const String& Password);
  ~Tsk2SkinFileReader() override;

  bool Loaded() const { return loaded_; }
  // The bitmap of that name (owned by the reader), or null. Names compare without regard to case.
  TBitmap* GetBitmap(const String& Name) const;
  // The stored number; -1 when the name is absent or not a number.
  int GetInteger(const String& Name) const;
  // The low byte of the stored number, non-zero meaning true; false when absent or not a number.
  bool GetBool(const String& Name) const;

  // 0 extracted into Destination, 1 failed, 2 refused; no Destination is left unless 0.
  static int ExtractZipMember(const String& Archive, const String& Member, const String& Destination,
                              const String& Password);

 private:
  void Load(const String& FileName, const String& Password);
  void ReadValues(const String& FileName);

  std::unique_ptr<TStringList> bitmaps_;
  std::unique_ptr<TStringList> integers_;
  std::unique_ptr<TStringList> flags_;
  std::unique_ptr<TStringList> texts_;
  bool loaded_ = false;
};
