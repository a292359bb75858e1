#pragma once
// TsGauge: a progress gauge drawn on its parent (text only, horizontal or vertical bar, pie or
// needle). Under a skin its face comes from its section ("GAUGE") and a bar's filled part from a
// progress section; without one it draws with its own colours. The face is built afresh at every
// paint, and a new Progress repaints only when the shown percentage changes.

#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Controls.h"
#include "ui/skins/core/SkinCommon.h"

class TsCommonData;

enum TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// Trunc((progress - min) x 100 / (max - min)), 0 for an empty range.
int GaugeShownPercent(int progress, int minValue, int maxValue);
// Trunc(z x (percent x 0.01)).
int GaugeScaleByPercent(int percent, int z);

class TsGauge : public TGraphicControl {
  DECLARE_CLASS(TsGauge, TGraphicControl)
 public:
  explicit TsGauge(TComponent* owner);
  ~TsGauge() override;
  void AfterConstruction() override;
  void Loaded() override;

  TsCommonData* SkinData() const { return skinData_; }
  TsGaugeKind Kind() const { return kind_; }
  void SetKind(TsGaugeKind value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  TColor ForeColor() const { return foreColor_; }
  void SetForeColor(TColor value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  int Progress() const { return progress_; }
  // Clamped to MinValue .. MaxValue; an unchanged value does nothing, a changed one fires OnChange
  // and repaints when the shown percentage changes.
  void SetProgress(int value);
  const String& ProgressSkin() const { return progressSkin_; }
  void SetProgressSkin(const String& value);
  bool ShowText() const { return showText_; }
  void SetShowText(bool value);
  const String& Suffix() const { return suffix_; }
  void SetSuffix(const String& value);
  int ShownPercent() const { return GaugeShownPercent(progress_, minValue_, maxValue_); }
  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;

 private:
  bool Loading() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }
  void PaintSkinned();
  void PaintSkinnedKind(TBitmap* cache, const TRect& r, bool sharedFill);
  void PaintPlain();
  void PaintPlainKind(TCanvas* canvas, const TRect& pr);
  void PaintPlainText(TBitmap* image, const TRect& pr);

  TsCommonData* skinData_;
  TsGaugeKind kind_ = gkHorizontalBar;
  TBorderStyle borderStyle_ = bsSingle;
  TColor backColor_ = clWhite;
  TColor foreColor_ = clBlack;
  int minValue_ = 0;
  int maxValue_ = 100;
  int progress_ = 47;
  String progressSkin_;
  bool showText_ = true;
  String suffix_ = L"%";
};
