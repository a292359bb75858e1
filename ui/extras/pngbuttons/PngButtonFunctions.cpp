#include "ui/extras/pngbuttons/PngButtonFunctions.h"

#include "ui/extras/png/PngObject.h"

namespace {

TSize MeasureCaption(TCanvas* canvas, const String& caption, int width, UINT textFlags) {
  if (caption.empty()) return {0, 0};
  HDC dc = canvas->Handle();
  const HGDIOBJ oldFont = SelectObject(dc, canvas->Font()->Handle());
  RECT r{0, 0, width, 0};
  DrawTextW(dc, caption.c_str(), int(caption.size()), &r, textFlags | DT_CALCRECT);
  SelectObject(dc, oldFont);
  return {r.right - r.left, r.bottom - r.top};
}

TButtonLayout ReadingOrderLayout(TButtonLayout layout, UINT textFlags) {
  if (!(textFlags & PngButtonRightToLeftFlag)) return layout;
  if (layout == blGlyphLeft) return blGlyphRight;
  if (layout == blGlyphRight) return blGlyphLeft;
  return layout;
}

// Margin and spacing along the layout's axis; -1 values share out the free room.
void ShareFreeRoom(int client, int glyph, int text, int& margin, int& spacing) {
  if (margin == -1 && spacing == -1) {
    margin = (client - (glyph + text)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (client - (glyph + spacing + text)) / 2;
  } else if (spacing == -1) {
    spacing = (client - (margin + glyph) - text) / 2;
  }
}

}  // namespace

void ComputePngButtonLayout(TCanvas* Canvas, TPNGObject* Image, const TRect& Client, UINT TextFlags,
                            TPoint& TextPos, TPoint& GlyphPos, int Spacing, int Margin, TButtonLayout Layout,
                            const String& Caption, bool Down, bool Pressed) {
  Layout = ReadingOrderLayout(Layout, TextFlags);
  const TSize clientSize(Client.Width(), Client.Height());
  const TSize glyphSize = Image ? TSize(Image->Width(), Image->Height()) : TSize();
  const TSize textSize = MeasureCaption(Canvas, Caption, Client.Width(), TextFlags);
  TextPos = GlyphPos = TPoint();

  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  if (horizontal) {
    GlyphPos.y = (clientSize.cy - glyphSize.cy + 1) / 2;
    TextPos.y = (clientSize.cy - textSize.cy) / 2;
  } else {
    GlyphPos.x = (clientSize.cx - glyphSize.cx + 1) / 2;
    TextPos.x = (clientSize.cx - textSize.cx) / 2;
  }
  if (textSize.cx == 0 || glyphSize.cx == 0) Spacing = 0;

  if (horizontal) ShareFreeRoom(clientSize.cx, glyphSize.cx, textSize.cx, Margin, Spacing);
  else ShareFreeRoom(clientSize.cy, glyphSize.cy, textSize.cy, Margin, Spacing);

  switch (Layout) {
    case blGlyphLeft:
      GlyphPos.x = Margin;
      TextPos.x = GlyphPos.x + glyphSize.cx + Spacing;
      break;
    case blGlyphRight:
      GlyphPos.x = clientSize.cx - Margin - glyphSize.cx;
      TextPos.x = GlyphPos.x - Spacing - textSize.cx;
      break;
    case blGlyphTop:
      GlyphPos.y = Margin;
      TextPos.y = GlyphPos.y + glyphSize.cy + Spacing;
      break;
    case blGlyphBottom:
      GlyphPos.y = clientSize.cy - Margin - glyphSize.cy;
      TextPos.y = GlyphPos.y - Spacing - textSize.cy;
      break;
  }

  const int offset = Down || Pressed ? 1 : 0;
  for (TPoint* p : {&GlyphPos, &TextPos}) {
    p->x += Client.left + offset;
    p->y += Client.top + offset;
  }
}
