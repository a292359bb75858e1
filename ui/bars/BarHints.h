#pragma once
// Hints and screen tips of the bar library: the screen-tip bands, tips, their collection and the
// repository that holds them with their fonts and standard footer; the view infos that decide what
// the one bar hint window of the process shows; and that window.

#include <memory>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Controls.h"

class TdxBarScreenTip;
class TdxBarScreenTipRepository;
class TdxBarCustomHintViewInfo;
class TdxBarHintWindow;

// ---- hint sources -------------------------------------------------------------------------------

// An object for which the manager shows a hint (item controls, caption buttons).
class IdxBarHintSource : public virtual IInterface {
 public:
  // The hint and shortcut texts; False when there is nothing to show (Handled: the action's hint
  // handler took the hint).
  virtual bool GetHintTexts(bool& Handled, String& Hint, String& ShortCutText) = 0;
  // A new view info for the hint window.
  virtual TdxBarCustomHintViewInfo* CreateHintViewInfo(const String& HintText, const String& ShortCutText) = 0;
  virtual bool IsEnabled() = 0;
  // The hint's screen position for the cursor and the hint's height.
  virtual void CalcHintPosition(int HintHeight, const TPoint& Cursor, TPoint& Position) = 0;

 protected:
  ~IdxBarHintSource() override = default;
};

// ---- screen-tip bands ---------------------------------------------------------------------------

enum TdxBarScreenTipBandType { stbHeader, stbDescription, stbFooter };
enum TdxBarScreenTipBandTextAlign { stbtaLeft, stbtaRight };

class TdxBarCustomScreenTipBand : public TPersistent {
  DECLARE_CLASS(TdxBarCustomScreenTipBand, TPersistent)
 public:
  explicit TdxBarCustomScreenTipBand(TdxBarScreenTipBandType ABandType);
  // Text, TextAlign and Glyph from any screen-tip band.
  void Assign(TPersistent* Source) override;

  TdxBarScreenTipBandType BandType() const { return bandType_; }
  // Owned, transparent; writing copies.
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* Value);
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  TdxBarScreenTipBandTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TdxBarScreenTipBandTextAlign Value);
  bool HasGlyph() const { return !glyph_->Empty(); }
  // The font of the band's type.
  virtual TFont* BandFont() = 0;
  // Set by the owner.
  TNotifyEvent OnChange;

 private:
  void Changed();
  TdxBarScreenTipBandType bandType_;
  ObjectPtr<TBitmap> glyph_;
  String text_;
  TdxBarScreenTipBandTextAlign textAlign_ = stbtaRight;
};

// A band of a screen tip: its font comes from the tip's repository.
class TdxBarScreenTipBand : public TdxBarCustomScreenTipBand {
  DECLARE_CLASS(TdxBarScreenTipBand, TdxBarCustomScreenTipBand)
 public:
  TdxBarScreenTipBand(TdxBarScreenTip* AScreenTip, TdxBarScreenTipBandType ABandType);
  TFont* BandFont() override;
  TPersistent* GetOwner() override;

 private:
  TdxBarScreenTip* screenTip_;
};

// The repository's standard footer.
class TdxBarScreenTipFooterBand : public TdxBarCustomScreenTipBand {
  DECLARE_CLASS(TdxBarScreenTipFooterBand, TdxBarCustomScreenTipBand)
 public:
  explicit TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* ARepository);
  TFont* BandFont() override;
  TPersistent* GetOwner() override;

 private:
  TdxBarScreenTipRepository* repository_;
};

// ---- screen tips --------------------------------------------------------------------------------

class TdxBarScreenTip : public TcxComponentCollectionItem {
  DECLARE_CLASS(TdxBarScreenTip, TcxComponentCollectionItem)
 public:
  explicit TdxBarScreenTip(TComponent* AOwner);
  ~TdxBarScreenTip() override;
  // The three bands, UseHintAsHeader, UseStandardFooter and Width.
  void Assign(TPersistent* Source) override;
  // A new name while neither the tip nor its owner loads: a header that still shows the old name
  // follows.
  void SetName(const String& NewName) override;
  // "<name> - '<header text>'".
  String DisplayText() const override;

  TdxBarScreenTipRepository* Repository() const;
  TdxBarScreenTipBand* Header() const { return header_.get(); }
  void SetHeader(TdxBarScreenTipBand* Value) { header_->Assign(Value); }
  TdxBarScreenTipBand* Description() const { return description_.get(); }
  void SetDescription(TdxBarScreenTipBand* Value) { description_->Assign(Value); }
  TdxBarScreenTipBand* Footer() const { return footer_.get(); }
  void SetFooter(TdxBarScreenTipBand* Value) { footer_->Assign(Value); }
  bool UseHintAsHeader = false;
  bool UseStandardFooter = false;
  int Width = 0;
  // Width when set, else 210 (318 when the description has a glyph), scaled to the screen.
  int EffectiveWidth() const;

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* AParent) override;

 private:
  ObjectPtr<TdxBarScreenTipBand> header_;
  ObjectPtr<TdxBarScreenTipBand> description_;
  ObjectPtr<TdxBarScreenTipBand> footer_;
};

class TdxBarScreenTipCollection : public TcxComponentCollection {
  DECLARE_CLASS(TdxBarScreenTipCollection, TcxComponentCollection)
 public:
  explicit TdxBarScreenTipCollection(TdxBarScreenTipRepository* ARepository);
  TdxBarScreenTip* Add() { return static_cast<TdxBarScreenTip*>(CreateItem()); }
  TdxBarScreenTip* TipAt(int Index) const { return static_cast<TdxBarScreenTip*>(ItemAt(Index)); }

 protected:
  // The repository's name and the class name without "TdxBar", numbered.
  void AssignItemName(TcxComponentCollectionItem* AItem) override;
};

// The fonts a repository holds: each a copy of the screen's hint font in a dark grey, header and
// footer bold, until assigned.
enum TdxBarScreenTipFont { stfHeader, stfDescription, stfFooter };
using TdxBarScreenTipFonts = TSet<TdxBarScreenTipFont>;

class TdxBarScreenTipRepository : public TComponent {
  DECLARE_CLASS(TdxBarScreenTipRepository, TComponent)
 public:
  explicit TdxBarScreenTipRepository(TComponent* AOwner);
  ~TdxBarScreenTipRepository() override;
  // Items, standard footer, fonts, AssignedFonts and ShowDescription.
  void Assign(TPersistent* Source) override;
  // The tips owned by Root, as children of the repository in the form's stream.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  TdxBarScreenTipCollection* Items() const { return items_.get(); }
  void SetItems(TdxBarScreenTipCollection* Value) { items_->Assign(Value); }
  TdxBarScreenTipFooterBand* StandardFooter() const { return standardFooter_.get(); }
  void SetStandardFooter(TdxBarScreenTipFooterBand* Value) { standardFooter_->Assign(Value); }
  TFont* HeaderFont() const { return fonts_[stfHeader].get(); }
  TFont* DescriptionFont() const { return fonts_[stfDescription].get(); }
  TFont* FooterFont() const { return fonts_[stfFooter].get(); }
  void SetHeaderFont(TFont* Value) { fonts_[stfHeader]->Assign(Value); }
  void SetDescriptionFont(TFont* Value) { fonts_[stfDescription]->Assign(Value); }
  void SetFooterFont(TFont* Value) { fonts_[stfFooter]->Assign(Value); }
  TdxBarScreenTipFonts AssignedFonts() const { return assignedFonts_; }
  void SetAssignedFonts(TdxBarScreenTipFonts Value);
  // A font is stored only when assigned.
  bool IsFontStored(TdxBarScreenTipFont Font) const { return assignedFonts_.Contains(Font); }
  bool ShowDescription = true;
  // The assigned font of the band type, else a fresh default in the work font.
  TFont* BandFont(TdxBarScreenTipBandType BandType);

 private:
  void FontChanged(TdxBarScreenTipFont Font);
  void ResetFont(TFont* Font, TdxBarScreenTipBandType BandType) const;

  ObjectPtr<TdxBarScreenTipCollection> items_;
  ObjectPtr<TdxBarScreenTipFooterBand> standardFooter_;
  ObjectPtr<TFont> fonts_[3];
  TdxBarScreenTipFonts assignedFonts_;
  ObjectPtr<TFont> workFont_;
  bool resettingFonts_ = false;
};

// ---- hint view infos ----------------------------------------------------------------------------

// Decides what the hint window shows and paints it. One exists at a time, owned by the window.
class TdxBarCustomHintViewInfo : public TObject {
  DECLARE_CLASS(TdxBarCustomHintViewInfo, TObject)
 public:
  explicit TdxBarCustomHintViewInfo(TdxBarManager* ABarManager) : barManager_(ABarManager) {}
  TdxBarManager* BarManager() const { return barManager_; }
  // A rectangle at (0, 0).
  TRect BoundsRect{};

  virtual void Calculate(TcxCanvas* Canvas) { (void)Canvas; }
  virtual bool IsScreenTip() const { return false; }
  virtual void Paint(TcxCanvas* Canvas) { (void)Canvas; }
  // The window takes the view info's style (re-created when it changes) and gets a handle.
  virtual void PrepareWindow(TdxBarHintWindow* Window);

 private:
  TdxBarManager* barManager_;
};

// The hint text followed by the shortcut text at a point, on a raised edge.
class TdxBarHintViewInfo : public TdxBarCustomHintViewInfo {
  DECLARE_CLASS(TdxBarHintViewInfo, TdxBarCustomHintViewInfo)
 public:
  TdxBarHintViewInfo(TdxBarManager* ABarManager, const TPoint& APosition, const String& AText,
                     const String& AShortCutText);
  const String& Text() const { return text_; }
  const TPoint& Position() const { return position_; }
  void Calculate(TcxCanvas* Canvas) override;
  void Paint(TcxCanvas* Canvas) override;
  void PrepareWindow(TdxBarHintWindow* Window) override;
  virtual void AddMargins(TSize& Size) const;
  virtual TRect TextRect() const;
  virtual void PaintText(TcxCanvas* Canvas);
  virtual void AssignFont(TdxBarHintWindow* Window);

 private:
  TPoint position_;
  String text_;
};

// The same text on a screen-tip background.
class TdxBarLikeHintScreenTipViewInfo : public TdxBarHintViewInfo {
  DECLARE_CLASS(TdxBarLikeHintScreenTipViewInfo, TdxBarHintViewInfo)
 public:
  using TdxBarHintViewInfo::TdxBarHintViewInfo;
  bool IsScreenTip() const override { return true; }
  void Paint(TcxCanvas* Canvas) override;
  void AddMargins(TSize& Size) const override;
  TRect TextRect() const override;
};

// The measured layout of one band of a screen tip.
class TdxBarScreenTipBandViewInfo : public TObject {
  DECLARE_CLASS(TdxBarScreenTipBandViewInfo, TObject)
 public:
  TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* ABand, const String& AHintText, const String& AShortCutText);
  TdxBarCustomScreenTipBand* Band() const { return band_; }
  // The band's text: the hint replaces the header's when present, and the shortcut follows it.
  String BandText() const;
  int Indent() const;
  int GlyphColumn() const;
  int VerticalMargin() const;
  // Measures the band for the tip width; its height (0 without text and glyph).
  int Calculate(TcxCanvas* Canvas, int TipWidth);
  void Arrange(int ATop, int AHeight, int TipWidth);
  void Paint(TcxCanvas* Canvas);
  // The painter that colours the texts and draws the footer line (none: the font's colours).
  void SetPainter(TdxBarPainter* Painter) { painter_ = Painter; }

  int Top = 0;
  int Height = 0;
  int Width = 0;
  TRect TextBounds{};
  TRect GlyphBounds{};
  TSize TextSize{};
  TSize GlyphSize{};

 private:
  TdxBarCustomScreenTipBand* band_;
  String hintText_;
  String shortCutText_;
  TdxBarPainter* painter_ = nullptr;
};

// The bands of a screen tip.
class TdxBarScreenTipViewInfo : public TdxBarCustomHintViewInfo {
  DECLARE_CLASS(TdxBarScreenTipViewInfo, TdxBarCustomHintViewInfo)
 public:
  TdxBarScreenTipViewInfo(TdxBarManager* ABarManager, TdxBarScreenTip* AScreenTip, const String& AHintText,
                          const String& AShortCutText);
  ~TdxBarScreenTipViewInfo() override;
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }
  bool IsScreenTip() const override { return true; }
  void Calculate(TcxCanvas* Canvas) override;
  void Paint(TcxCanvas* Canvas) override;
  virtual TdxBarScreenTipBandViewInfo* CreateBandViewInfo(TdxBarCustomScreenTipBand* Band);
  // The bands that take part in the last Calculate, top to bottom.
  int BandCount() const { return int(bands_.size()); }
  TdxBarScreenTipBandViewInfo* BandAt(int Index) const { return bands_.at(Index); }

 private:
  void ClearBands();
  TdxBarScreenTip* screenTip_;
  String hintText_;
  String shortCutText_;
  std::vector<TdxBarScreenTipBandViewInfo*> bands_;
};

// With a screen tip whose repository shows descriptions, a screen-tip view info for it; otherwise
// a hint-like view info at the cursor whose text is the tip's header (when a tip is given, does not
// take the hint as header and has a header text) or else Text.
TdxBarCustomHintViewInfo* CreateBarHintViewInfo(TdxBarManager* Manager, const String& Text,
                                                const String& ShortCutText, TdxBarScreenTip* ScreenTip,
                                                TdxBarPainter* Painter);
inline TdxBarCustomHintViewInfo* CreateScreenTipViewInfo(TdxBarManager* Manager, const String& HintText,
                                                         const String& ShortCutText, TdxBarPainter* Painter,
                                                         TdxBarScreenTip* ScreenTip) {
  return CreateBarHintViewInfo(Manager, HintText, ShortCutText, ScreenTip, Painter);
}
// The painter a hint of the manager is drawn with: the manager's.
TdxBarPainter* HintPainterOf(TdxBarManager* Manager);

// ---- the bar hint window ------------------------------------------------------------------------

class TdxBarHintWindow : public TcxBaseHintWindow {
  DECLARE_CLASS(TdxBarHintWindow, TcxBaseHintWindow)
 public:
  explicit TdxBarHintWindow(TComponent* AOwner);
  ~TdxBarHintWindow() override;

  // Builds the view info for the manager's hint object and shows it; False when there is nothing to
  // show.
  bool ShowHintFor(TdxBarManager* BarManager, const String& HintText, const String& ShortCutText);
  void HideHint();
  bool IsScreenTipStyle() const { return screenTipStyle_; }
  // Stores the style and re-creates the window when it changes.
  void SetScreenTipStyle(bool Value);
  TdxBarCustomHintViewInfo* ViewInfo() const { return viewInfo_; }
  // 1000 ms, 900 ms in screen-tip style.
  int InitialPause() const { return screenTipStyle_ ? 900 : 1000; }
  // 10 s, 200 s in screen-tip style.
  int HidePause() const { return screenTipStyle_ ? 200000 : 10000; }
  // The window is showing a hint.
  bool HintShown();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void WMSize(TMessage& Message);
  void WMShowWindow(TMessage& Message);
  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_SIZE, WMSize)
  MESSAGE_HANDLER(WM_SHOWWINDOW, WMShowWindow)
  MESSAGE_MAP_END

 private:
  void FreeViewInfo();
  TdxBarCustomHintViewInfo* viewInfo_ = nullptr;
  ObjectPtr<TcxCanvas> cxCanvas_;
  bool screenTipStyle_ = false;
};

// The process's bar hint window: made by the first manager's registration (not at design time) and
// freed with the last; null between.
TdxBarHintWindow* BarHintWindow();
void CreateBarHintWindow();
void FreeBarHintWindow();
