#pragma once
// TsCustomLabel and TsLabel: the framework's label whose font colour follows the active skin and
// which, when a skin section is named, paints that section's background under its text. A disabled
// label under a skin shows its text in a colour mixed from its font colour and its parent's colour.
// The label keeps no skin state of its own: it always asks the default skin manager.

#include "platform/framework/controls/StdCtrls.h"

class TsCustomLabel : public TCustomLabel {
  DECLARE_CLASS(TsCustomLabel, TCustomLabel)
 public:
  explicit TsCustomLabel(TComponent* owner);

  const String& SkinSection() const { return skinSection_; }
  void SetSkinSection(const String& value);

  // The font to paint with, its colour first brought in line with the skin.
  virtual TFont* SkinFont();

 protected:
  void Paint() override;
  void DoDrawText(TRect& rect, UINT flags) override;
  void WndProc(TMessage& message) override;
  // The index of SkinSection in the default manager's active skin, or -1.
  int SectionIndex() const;
  // Brings the font colour to the skin's, unless the skin has none (clFuchsia).
  void FollowGlobalFontColor();

 private:
  String skinSection_;
};

class TsLabel : public TsCustomLabel {
  DECLARE_CLASS(TsLabel, TsCustomLabel)
 public:
  explicit TsLabel(TComponent* owner);

  // Whether the skin's default font colour replaces the font colour.
  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool value) { useSkinColor_ = value; }
  TFont* SkinFont() override;

 protected:
  void WndProc(TMessage& message) override;

 private:
  bool useSkinColor_ = true;
};
