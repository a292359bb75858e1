#pragma once
// TsHtml: measures and draws a hint text written in a small subset of HTML (bold, italic, line
// breaks, paragraphs and font changes) with the canvas of a bitmap. Tags are recognised by their
// first letters, case-insensitively; "<<" shows one "<"; lines break only at tags.

#include <vector>

#include "platform/framework/graphics/Bitmap.h"

class TsHtml : public TObject {
 public:
  TsHtml() = default;
  ~TsHtml() override;
  TsHtml(const TsHtml&) = delete;
  TsHtml& operator=(const TsHtml&) = delete;

  // Takes the bitmap (not owned), the text and the origin of the first line (R's left and top).
  void StartText(TBitmap* bitmap, const String& text, const TRect& r);
  // Draws the text with the canvas's current font and brush; returns (0, 0, widest line, height).
  TRect RenderText();

 private:
  void DrawRun(std::size_t from, std::size_t to);
  void ApplyTag(const String& tag);
  void LineBreak();
  void PushFont(const String& tag);
  void PopFont();
  void SetStyle(TFontStyle style, bool on);

  TBitmap* bitmap_ = nullptr;
  int penX_ = 0;
  int penY_ = 0;
  String source_;
  String scan_;
  std::vector<TFont*> fonts_;
  TRect origin_;
  int widest_ = 0;
  int totalHeight_ = 0;
  int lineEnd_ = 0;
  int lineHeight_ = 0;
};

// The colour of a FONT tag's COLOR value (upper case): "#RRGGBB", a colour name, or RRGGBB with an
// optional trailing "H"; a value with a character that is not a hexadecimal digit is black.
TColor HtmlColorValue(const String& value);
