#pragma once
// The bar painter: the class that draws every bar window of a manager. A painter class's virtual
// constructor is CreatePainter (the look and feel's skin painter, or none); the manager keeps one
// painter object, made anew on each style change from the process-wide table of painter classes by
// resolved style. The painter classes (and their operations) belong to the bar-painting part of the
// library, which fills the table when the library starts; with an empty table a manager has none.

#include <type_traits>

#include "platform/framework/classes/Object.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/LookAndFeelPainters.h"

class TdxBarPainter;

class TdxBarPainterMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  // A new painter of the class.
  virtual TdxBarPainter* CreatePainter(TcxCustomLookAndFeelPainterClass SkinPainter) const = 0;

  template <class Self>
  class Of;
};
using TdxBarPainterClass = const TdxBarPainterMetaClass*;

class TdxBarPainter : public TObject {
 public:
  using MetaClass = TdxBarPainterMetaClass;
  DECLARE_CLASS(TdxBarPainter, TObject)

 public:
  // The base constructor sets nothing from the skin painter; a skinned painter keeps it.
  explicit TdxBarPainter(TcxCustomLookAndFeelPainterClass) {}
  TdxBarPainterClass PainterClass() const { return static_cast<TdxBarPainterClass>(ClassType()); }
};

template <class Self>
class TdxBarPainterMetaClass::Of : public TdxBarPainterMetaClass {
 public:
  using TdxBarPainterMetaClass::TdxBarPainterMetaClass;
  TdxBarPainter* CreatePainter(TcxCustomLookAndFeelPainterClass SkinPainter) const override {
    if constexpr (std::is_abstract_v<Self>) {
      throw EInvalidOperation(L"Cannot create an instance of abstract class " + ClassName());
    } else {
      return new Self(SkinPainter);
    }
  }
};

// The resolved painter styles: 0 standard, 1 enhanced, 2 flat, 3 XP (themed), 4 Office11, 5 skinned.
enum TdxBarResolvedStyle { brsStandard, brsEnhanced, brsFlat, brsXP, brsOffice11, brsSkinned };

// The painter class of a resolved style: entries 0 to 4 of the table; 5 the skinned painter class
// (which holds the standard painter's class until something sets another); any other value entry 0.
// Null while the table is empty.
TdxBarPainterClass BarPainterClassFor(int ResolvedStyle);
// Fills entry 0 to 4, or (5) the skinned painter class.
void SetBarPainterClass(int ResolvedStyle, TdxBarPainterClass PainterClass);

// The resolved style of a manager's Style and look and feel: bmsXP 3 with themes, else 1;
// bmsUseLookAndFeel 3 when native and themed, else 5 with a skin painter, else by Kind (lfFlat 1,
// lfStandard 0, lfUltraFlat 2, lfOffice11 4); otherwise the style's own number.
int ResolvePainterStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle, bool ThemesAvailable,
                        bool HasSkinPainter);
// The style the layout and the recent-items logic see: Style, or for bmsUseLookAndFeel bmsXP when
// native and themed, else by Kind (lfFlat bmsEnhanced, lfStandard bmsStandard, lfUltraFlat bmsFlat,
// lfOffice11 bmsOffice11).
TdxBarManagerStyle EffectiveBarStyle(TdxBarManagerStyle Style, TcxLookAndFeelKind Kind, bool NativeStyle,
                                     bool ThemesAvailable);
