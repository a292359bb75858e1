#include "ui/extras/skinpack/SkinPackRoutines.h"

#include <memory>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/graphics/ImageList.h"
#include "ui/extras/skinpack/ThemeFiles.h"

void PaintParentBackground(TCanvas* Canvas, TControl* Control) {
  TWinControl* parent = Control->Parent();
  if (!parent) return;
  HDC dc = Canvas->Handle();
  const int saved = SaveDC(dc);
  POINT old;
  OffsetViewportOrgEx(dc, -Control->Left(), -Control->Top(), &old);
  const TRect client = parent->ClientRect();
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void CutBitmapPart(TBitmap* Source, TBitmap* Dest, int Count, int Part) {
  if (!Source || !Dest || Count <= 0) return;
  const int w = Source->Width() / Count, h = Source->Height();
  const TRect from = Part == Count ? TRect(Source->Width() - w, 0, Source->Width(), h)
                                   : TRect((Part - 1) * w, 0, Part * w, h);
  Dest->SetSize(w, h);
  Dest->Canvas()->CopyRect(TRect(0, 0, w, h), Source->Canvas(), from);
}

void DrawThreePartBitmap(TBitmap* Bitmap, TCanvas* Canvas, const TRect& Rect, bool Transparent, TColor MaskColor) {
  const int part = Bitmap->Width() / 3, height = Bitmap->Height();
  if (part <= 0 || height <= 0) return;
  TBitmap pieces[3];
  for (int i = 0; i < 3; ++i) {
    CutBitmapPart(Bitmap, &pieces[i], 3, i + 1);
    if (Transparent) {
      pieces[i].SetTransparentColor(MaskColor);
      pieces[i].SetTransparent(true);
    }
  }
  if (Rect.Width() < part) {
    TBitmap cut(Rect.Width(), height);
    cut.Canvas()->CopyRect(TRect(0, 0, Rect.Width(), height), pieces[0].Canvas(), TRect(0, 0, Rect.Width(), height));
    if (Transparent) {
      cut.SetTransparentColor(MaskColor);
      cut.SetTransparent(true);
    }
    Canvas->Draw(Rect.left, Rect.top, &cut);
    return;
  }
  Canvas->Draw(Rect.left, Rect.top, &pieces[0]);
  Canvas->Draw(Rect.right - part, Rect.top, &pieces[2]);
  Canvas->StretchDraw(TRect(Rect.left + part, Rect.top, Rect.right - part, Rect.top + height), &pieces[1]);
}

namespace {

// from + trunc((to - from) / span x k) per channel, in that order of operations.
TColor Step(Byte from[3], Byte to[3], int span, int k) {
  Byte c[3];
  for (int i = 0; i < 3; ++i)
    c[i] = static_cast<Byte>(from[i] + static_cast<int>(double(to[i] - from[i]) / span * k));
  return MakeRGB(c[0], c[1], c[2]);
}

void Line(TCanvas* Canvas, TColor color, int x0, int y0, int x1, int y1) {
  Canvas->Pen()->SetColor(color);
  Canvas->MoveTo(x0, y0);
  Canvas->LineTo(x1, y1);
}

}  // namespace

void DrawVerticalGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor) {
  const int height = Rect.bottom - Rect.top;
  if (height == 0) return;
  Byte from[3], to[3];
  SplitRGB(FromColor, from[0], from[1], from[2]);
  SplitRGB(ToColor, to[0], to[1], to[2]);
  Line(Canvas, MakeRGB(from[0], from[1], from[2]), Rect.left, Rect.top, Rect.right, Rect.top);
  for (int y = Rect.top + 1; y <= Rect.bottom - 2; ++y) {
    Line(Canvas, Step(from, to, height, y - Rect.top - 1), Rect.left, y, Rect.right, y);
  }
  Line(Canvas, MakeRGB(to[0], to[1], to[2]), Rect.left, Rect.bottom - 1, Rect.right, Rect.bottom - 1);
}

void DrawHorizontalGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor) {
  const int width = Rect.right - Rect.left;
  if (width == 0) return;
  Byte from[3], to[3];
  SplitRGB(FromColor, from[0], from[1], from[2]);
  SplitRGB(ToColor, to[0], to[1], to[2]);
  Line(Canvas, MakeRGB(from[0], from[1], from[2]), Rect.left, Rect.top, Rect.left, Rect.bottom);
  for (int x = Rect.left + 1; x <= Rect.right - 2; ++x) {
    Line(Canvas, Step(from, to, width, x - Rect.left), x, Rect.top, x, Rect.bottom);
  }
  Line(Canvas, MakeRGB(to[0], to[1], to[2]), Rect.right - 1, Rect.top, Rect.right - 1, Rect.bottom);
}

TColor MakeRGB(Byte Red, Byte Green, Byte Blue) { return TColor(Red) | TColor(Green) << 8 | TColor(Blue) << 16; }

void SplitRGB(TColor Color, Byte& Red, Byte& Green, Byte& Blue) {
  const TColor rgb = ColorToRGB(Color);
  Red = Byte(rgb & 0xFF);
  Green = Byte((rgb >> 8) & 0xFF);
  Blue = Byte((rgb >> 16) & 0xFF);
}

String FitTextWithEllipsis(TCanvas* Canvas, const String& Text, int MaxWidth) {
  if (Canvas->TextWidth(Text) <= MaxWidth) return Text;
  String fitted;
  for (std::size_t n = 1; n < Text.size(); ++n) {
    String candidate = Text.substr(0, n) + L"...";
    if (Canvas->TextWidth(candidate) > MaxWidth) break;
    fitted = std::move(candidate);
  }
  if (fitted.empty()) fitted = Text.size() > 1 ? Text.substr(0, 1) + L"..." : Text;
  return fitted;
}

bool FormIsActive(TCustomForm* Form) {
  TCustomForm* main = Application->MainForm();
  if (!main) return Form->Active();
  const bool mdiFrame = main->FormStyle() == fsMDIForm;
  if (mdiFrame && Form == main) return true;
  if (!Application->Active()) return false;
  if (Form == main) return true;
  if (mdiFrame && main->ClientHandle()) {
    HWND active = reinterpret_cast<HWND>(SendMessageW(main->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
    return Form->HandleAllocated() && active == Form->Handle() ? true : Form->Active();
  }
  return Form->Active();
}

void ApplyThemeToChildren(TWinControl* Parent, TsuiUIStyle Style, TsuiFileTheme* Theme) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* child = Parent->Controls(i);
    if (!HasPublishedProperty(child, L"FileTheme") || !HasPublishedProperty(child, L"UIStyle")) continue;
    SetObjectProp(child, L"FileTheme", Theme);
    SetOrdProp(child, L"UIStyle", Style);
  }
}

bool HasPublishedProperty(TObject* Component, const String& Name) {
  return Component && IsPublishedProp(Component, Name);
}

TRect GetWorkAreaRect() {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  if (main && main->HandleAllocated()) return Screen->WorkAreaRectOf(main->Handle());
  return GetWorkArea();
}

void SetControlBounds(TControl* Control, const TRect& Rect) {
  Control->SetLeft(Rect.left);
  Control->SetTop(Rect.top);
  Control->SetWidth(Rect.right - Rect.left);
  Control->SetHeight(Rect.bottom - Rect.top);
}

bool InRect(const TPoint& Point, const TRect& Rect) { return InRect(Point.x, Point.y, Rect); }

bool InRect(int X, int Y, const TRect& Rect) {
  return X >= Rect.left && X <= Rect.right && Y >= Rect.top && Y <= Rect.bottom;
}

String PCharToStr(const wchar_t* Text) { return Text && *Text ? String(Text) : String(); }
