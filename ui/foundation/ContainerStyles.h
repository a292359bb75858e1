#pragma once
// Container styles: the appearance values of a framed control (border colour and style, background
// colour, edges, font, hot tracking, shadow, text colour and style, transparent border) for one of
// four states. A value is assigned in the style itself or taken, in order, from a style controller's
// style of the same state, from the style's base (normal-state) style, or from a default that depends
// on the state and on the look and feel. The style controller holds four such styles and tells every
// style that uses it when they change. The container view info holds the rectangles and colours of
// one framed area and paints its background, border and shadow.

#include <array>
#include <vector>

#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"

class TcxStyleController;

// 0 the normal (base) style, 1 and 3 the highlighted states, 2 disabled.
enum TcxContainerStyleState : Byte { cxcssNormal = 0, cxcssFocused = 1, cxcssDisabled = 2, cxcssHot = 3 };
constexpr int cxContainerStyleStateCount = 4;

enum TcxContainerStyleValue {
  csvBorderColor,
  csvBorderStyle,
  csvColor,
  csvEdges,
  csvFont,
  csvHotTrack,
  csvShadow,
  csvTextColor,
  csvTextStyle,
  csvTransparentBorder
};
using TcxContainerStyleValues = TSet<TcxContainerStyleValue>;
constexpr int cxContainerStyleValueCount = 10;

enum TcxContainerBorderStyle { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11 };

class TcxContainerStyle : public TcxInterfacedPersistent {
  DECLARE_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
 public:
  // A state style (AState > 0) takes its base-only values from ABaseStyle. A direct-access style
  // only mirrors the values handed to it.
  TcxContainerStyle(TPersistent* AOwner, bool ADirectAccessMode, TcxContainerStyle* ABaseStyle = nullptr,
                    TcxContainerStyleState AState = cxcssNormal);
  ~TcxContainerStyle() override;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }

  void Assign(TPersistent* Source) override;
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  virtual void RestoreDefaults();

  TColor BorderColor();
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle();
  void SetBorderStyle(TcxContainerBorderStyle Value);
  TColor Color();
  void SetColor(TColor Value);
  TcxBorders Edges();
  void SetEdges(TcxBorders Value);
  TFont* Font();
  void SetFont(TFont* Value);
  bool HotTrack();
  void SetHotTrack(bool Value);
  bool Shadow();
  void SetShadow(bool Value);
  TColor TextColor();
  void SetTextColor(TColor Value);
  TFontStyles TextStyle();
  void SetTextStyle(TFontStyles Value);
  bool TransparentBorder();
  void SetTransparentBorder(bool Value);
  // The base style's look and feel (its change calls Changed).
  TcxLookAndFeel* LookAndFeel();
  void SetLookAndFeel(TcxLookAndFeel* Value);
  // The base style's controller; a controller that would form a cycle is refused silently.
  TcxStyleController* StyleController();
  void SetStyleController(TcxStyleController* Value);

  TcxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TcxContainerStyleValues Value);
  // Assigned here or, through the controller, in its style of the same state.
  virtual bool IsValueAssigned(TcxContainerStyleValue Value);
  virtual int StyleValueCount() { return cxContainerStyleValueCount; }
  virtual bool StyleValueName(int Index, String& Name);
  virtual bool HasBorder();
  TcxContainerStyleState State() const { return state_; }
  TcxContainerStyle* BaseStyle() const { return baseStyle_; }
  bool IsBaseStyle() const { return baseStyle_ == nullptr; }
  bool DirectAccessMode() const { return directAccess_; }

  TNotifyEvent OnChanged;

  virtual void Changed();
  virtual void ControllerChangedNotification(TcxStyleController* AController);
  virtual void ControllerFreeNotification(TcxStyleController* AController);

 protected:
  void DefineProperties(TFiler& Filer) override;
  virtual TColor DefaultBorderColor();
  virtual TcxContainerBorderStyle DefaultBorderStyle();
  virtual TColor DefaultColor();
  virtual TcxBorders DefaultEdges() { return cxBordersAll; }
  virtual bool DefaultHotTrack() { return true; }
  virtual bool DefaultShadow() { return false; }
  virtual TColor DefaultTextColor();
  virtual TFontStyles DefaultTextStyle();
  virtual bool DefaultTransparentBorder() { return true; }
  virtual void FontChanged();
  virtual TcxStyleController* GetDefaultStyleController() { return nullptr; }
  virtual TcxContainerStyleValues NotPublishedExtendedValues() {
    return {csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder};
  }

 private:
  struct Stored {
    TColor BorderColor = clDefault;
    TcxContainerBorderStyle BorderStyle = cbsNone;
    TColor Color = clDefault;
    TcxBorders Edges = cxBordersAll;
    bool HotTrack = true;
    bool Shadow = false;
    TColor TextColor = clDefault;
    TFontStyles TextStyle;
    bool TransparentBorder = true;
  };
  TcxContainerStyle* Base() { return baseStyle_ ? baseStyle_ : this; }
  // The value assigned here, else in the controller's style of this state (and so on).
  bool FindAssigned(TcxContainerStyleValue Value, TcxContainerStyle*& Holder);
  void MarkAssigned(TcxContainerStyleValue Value);
  void RefreshFont();
  void FontChangeHandler(TObject* Sender);
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  bool FormsCycleWith(TcxStyleController* AController);

  TcxContainerStyleState state_;
  TcxContainerStyle* baseStyle_;
  bool directAccess_;
  TcxContainerStyleValues assigned_;
  Stored stored_;
  TFont* font_ = nullptr;  // owned by a base style that is not direct-access
  bool ownsFont_ = false;
  TcxLookAndFeel* lookAndFeel_ = nullptr;
  TcxStyleController* controller_ = nullptr;
  int updateCount_ = 0;
  bool modified_ = false;
  bool destroying_ = false;
  int fontAssignedLock_ = 0;
};

// The four styles of one owner, index = state.
class TcxContainerStyles : public TObject {
  DECLARE_CLASS(TcxContainerStyles, TObject)
 public:
  using TStyleFactory = TcxContainerStyle* (*)(TPersistent*, bool, TcxContainerStyle*, TcxContainerStyleState);
  TcxContainerStyles(TPersistent* AOwner, TStyleFactory AFactory = nullptr);
  ~TcxContainerStyles() override;
  TcxContainerStyle* Style(TcxContainerStyleState State) const { return styles_[State]; }
  void SetOnChanged(const TNotifyEvent& Value);

 private:
  std::array<TcxContainerStyle*, cxContainerStyleStateCount> styles_{};
};

class TcxStyleController : public TComponent {
  DECLARE_CLASS(TcxStyleController, TComponent)
 public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;
  void Loaded() override;
  TcxContainerStyle* Style(TcxContainerStyleState State = cxcssNormal) const { return styles_->Style(State); }
  // Reads the style controller of the normal style; writing does nothing.
  TcxStyleController* FakeStyleController() const { return Style()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}
  virtual void AddListener(TcxContainerStyle* AStyle);
  virtual void RemoveListener(TcxContainerStyle* AStyle);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }
  void Changed();
  TNotifyEvent OnStyleChanged;

 private:
  std::vector<TcxContainerStyle*> listeners_;
  TcxContainerStyles* styles_;
  bool destroying_ = false;
};

// The rectangles and colours of one framed area, and its painting.
class TcxContainerViewInfo : public TObject {
  DECLARE_CLASS(TcxContainerViewInfo, TObject)
 public:
  TcxContainerViewInfo() = default;
  virtual void DrawBorder(TcxCanvas* ACanvas, const TRect& R);
  virtual TcxContainerBorderStyle BorderStyleOf() { return BorderStyle; }
  virtual void InternalPaint(TcxCanvas* ACanvas);
  virtual void SetBackgroundColor(TColor Value) { BackgroundColor = Value; }
  virtual void Assign(TcxContainerViewInfo* Source) { ClientRect = Source->ClientRect; }
  // A new empty region; the caller owns it.
  virtual TcxRegion* UpdateRegion(TcxContainerViewInfo* Other);
  virtual void Offset(int DX, int DY);
  virtual void Paint(TcxCanvas* ACanvas) { InternalPaint(ACanvas); }

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  TRect BorderRect;
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int BorderWidth = 1;
  TRect Bounds;
  TRect ClientRect;
  int ContainerState = 0;  // a set of states; {normal} at first
  TcxBorders Edges = cxBordersAll;
  int NativeState = 1;
  bool NativeStyle = false;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;
  bool Shadow = false;
  TdxThemedObjectKind ThemedObjectType = totEdit;
};
