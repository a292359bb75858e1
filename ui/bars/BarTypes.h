#pragma once
// The enumerations and sets of the bar library, and the forward declarations its headers share.

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Object.h"

class TdxBarManager;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarGroup;
class TdxBarComponent;
class TdxBarPainter;
// Later parts of the library: toolbars, dock sites, bar windows, item controls and popup menus.
class TdxBar;
class TdxBarDockControl;
class TCustomdxBarControl;
class TdxBarItemControl;
class TdxBarPopupMenu;
class TdxBarCustomPopupMenu;

// The bar library's own errors (their texts are the library's resource strings).
FRAMEWORK_EXCEPTION(EdxBarException, Exception);

// The bar library's cursors in the screen's cursor table: a link dragged, copied, refused, and an
// edit item's width being sized.
constexpr int crdxBarDrag = 1041;
constexpr int crdxBarDragCopy = 1042;
constexpr int crdxBarDragNoDrop = 1043;
constexpr int crdxBarEditSizing = 1044;

enum TdxBarItemVisible { ivNever, ivInCustomizing, ivAlways };
enum TdxBarManagerStyle { bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel };
enum TdxBarMenuAnimations { maNone, maRandom, maUnfold, maSlide, maFade };
enum TdxBarDockingStyle { dsNone, dsLeft, dsTop, dsRight, dsBottom };
using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
enum TdxBarItemMergeKind { mkAdd, mkMergeByCaption, mkNone };

enum TdxBarPaintStyle { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
// Stored as one byte: udCaption 1, udGlyph 2, udPaintStyle 4, udWidth 8.
enum TdxBarUserDefine { udCaption, udGlyph, udPaintStyle, udWidth };
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
enum TdxBarButtonGroupPosition { bgpNone, bgpStart, bgpMember };
enum TdxBarItemPosition { ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow };
// Stored as one byte: ivlLargeIconWithText 1, ivlSmallIconWithText 2, ivlSmallIcon 4, ivlControlOnly 8.
enum TdxBarItemViewLevel { ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault };
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;
inline constexpr TdxBarItemViewLevels dxBarDefaultViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                             ivlControlOnly};

enum TdxBarItemAlign { iaLeft, iaCenter, iaRight, iaClient };
enum TdxBarGlyphLayout { glLeft, glRight, glTop, glBottom };
enum TdxBarStaticBorderStyle { sbsNone, sbsLowered, sbsRaised, sbsEtched, sbsBump };
enum TdxBarButtonStyle { bsDefault, bsChecked, bsDropDown, bsCheckedDropDown };

enum TdxBarItemOptionValue { ioShowDescriptions, ioShowShortCuts, ioSize };
using TdxBarItemOptionValues = TSet<TdxBarItemOptionValue>;
enum TdxBarMenuItemSize { misNormal, misLarge };

// The kinds of place an item can be put on (TdxBarItem::CanBePlacedOn).
enum TdxBarItemPlaceKind { pkToolbar = 0, pkMenu = 1 };

// Design selection modes of IdxBarSelectableItem::Select and the design controller.
enum TdxBarSelectionOperation { soAdd = 0, soExtend = 1, soExclusive = 2 };
