#pragma once
// TAudioTransformDisplay2: an editable gain curve over a horizontal scale (ScaleXMin..ScaleXMax)
// and a vertical one in dB (ScaleYMin..ScaleYMax). It starts flat at 0 dB between two end points. A
// click adds a point and drags it, a press on a point drags it, a double click on a point removes
// it; the end points move only vertically and inner points stay between their neighbours.
// SplineType 0 joins the points with straight lines, 1 with a cubic through them whose tangents
// are SplineSteepnes / 32 times the slope between the neighbours. GetPoints samples the curve at
// LineArraySize evenly spaced scale positions, clamped to the vertical range.
//
// Points keep their place as a share of the axis, so fitting the scale to a new range stretches
// the curve with it. A zero or negative span is shown as one unit wide.

#include <vector>

#include "platform/audio/displays/DisplaySurface.h"
#include "platform/framework/windows/Controls.h"

struct EnvelopePoint {
  double Position = 0;  // 0 (left end) .. 1 (right end) of the axis
  double Db = 0;
};

class TAudioTransformDisplay2 : public TCustomControl {
  DECLARE_CLASS(TAudioTransformDisplay2, TCustomControl)
 public:
  explicit TAudioTransformDisplay2(TComponent* AOwner);
  ~TAudioTransformDisplay2() override;

  // Exactly LineArraySize values in dB.
  std::vector<float> GetPoints();

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor Value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor Value);
  TColor GridColor() const { return gridColor_; }
  void SetGridColor(TColor Value);
  TColor ScaleColor() const { return scaleColor_; }
  void SetScaleColor(TColor Value);
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor Value);
  TColor PointColor() const { return pointColor_; }
  void SetPointColor(TColor Value);
  // The curve's colour is the control's Color; the font's colour writes the dragged point's value.

  bool GridVisible() const { return gridVisible_; }
  void SetGridVisible(bool Value);
  bool ScaleXVisible() const { return scaleXVisible_; }
  void SetScaleXVisible(bool Value);
  bool ScaleYVisible() const { return scaleYVisible_; }
  void SetScaleYVisible(bool Value);
  // 1 or more; other values raise.
  int LineArraySize() const { return lineArraySize_; }
  void SetLineArraySize(int Value);
  // 0 or 1; other values raise.
  int SplineType() const { return splineType_; }
  void SetSplineType(int Value);
  // 0..100; other values raise.
  int SplineSteepnes() const { return splineSteepnes_; }
  void SetSplineSteepnes(int Value);
  float ScaleXMin() const { return scaleXMin_; }
  void SetScaleXMin(float Value);
  float ScaleXMax() const { return scaleXMax_; }
  void SetScaleXMax(float Value);
  // The vertical range; a reversed or empty one raises.
  float ScaleYMin() const { return scaleYMin_; }
  void SetScaleYMin(float Value);
  float ScaleYMax() const { return scaleYMax_; }
  void SetScaleYMax(float Value);
  // A logarithmic horizontal axis; used only while ScaleXMin is above 0.
  bool LogScale() const { return logScale_; }
  void SetLogScale(bool Value);
  const String& ScaleXCaption() const { return scaleXCaption_; }
  void SetScaleXCaption(const String& Value);
  const String& ScaleYCaption() const { return scaleYCaption_; }
  void SetScaleYCaption(const String& Value);

  const std::vector<EnvelopePoint>& Points() const { return points_; }
  // The area the curve is drawn in, in client coordinates.
  TRect PlotRect();
  // The curve's value at a share of the axis, clamped to the vertical range.
  double CurveAt(double Position) const;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void Changed();
  void SetColour(TColor& field, TColor value, const wchar_t* name);
  void SetFlag(bool& field, bool value, const wchar_t* name);
  double Span() const;
  bool LogAxis() const { return logScale_ && scaleXMin_ > 0; }
  // Share of the axis of a scale value and back.
  double AxisShare(double x) const;
  double ScaleValue(double share) const;
  double Slope(std::size_t i) const;
  double SegmentValue(std::size_t i, double position) const;
  int PointAt(int X, int Y);
  EnvelopePoint PointOfPixel(const TRect& plot, int X, int Y) const;
  void MoveDragged(int X, int Y);
  void DrawGrid(const TRect& plot);
  void DrawScales(const TRect& plot);
  void DrawCurve(const TRect& plot);
  void DrawPoints(const TRect& plot);
  void DrawReadout(const TRect& plot);

  TColor borderColor_ = clBlack, backColor_ = clBlack, gridColor_ = RGBColor(112, 112, 112);
  TColor scaleColor_ = clBtnFace, textColor_ = clBtnText, pointColor_ = clYellow;
  bool gridVisible_ = true, scaleXVisible_ = true, scaleYVisible_ = true, logScale_ = false;
  int lineArraySize_ = 1024, splineType_ = 1, splineSteepnes_ = 32;
  float scaleXMin_ = 0, scaleXMax_ = 22050, scaleYMin_ = -20, scaleYMax_ = 20;
  String scaleXCaption_ = L"Hz", scaleYCaption_ = L"dB";
  std::vector<EnvelopePoint> points_;
  int dragged_ = -1;
  int pressX_ = 0, pressY_ = 0;
  DisplaySurface surface_;
};
