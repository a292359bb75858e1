#pragma once
// The part table of the ribbon colour skins: every set of image parts cut from the three PNG
// sheets (the common sheet, the scheme's colour sheet and its form sheet). The skin constructor
// adds its parts from this table and the sheet generator (tools/ribbon-skins) draws its pictures
// into the rectangles it names, so the two cannot drift apart. Windows-free and constexpr.
//
// A set covers the element states that get an image: state s is included when StateImage[s] is not
// kNoImage; its part has the ID FirstID + s and is cut from the first rectangle moved by
// StateImage[s] rectangle heights down (or widths right). A single image is state 0 only, so it
// adds one part with the first ID; a set of three images (normal, hot, pressed) covers states 0-2.

#include <array>
#include <cstddef>
#include <cstdint>

namespace ribbon_skin {

enum class TSheet : std::uint8_t { Common, Color, Form };

struct TSheetSize {
  int Width, Height;
};
inline constexpr TSheetSize kSheetSizes[] = {{121, 379}, {93, 438}, {50, 292}};
constexpr TSheetSize SheetSize(TSheet Sheet) { return kSheetSizes[int(Sheet)]; }

enum class TScheme : std::uint8_t { Blue, Black, Silver };
inline constexpr int kSchemeCount = 3;
inline constexpr const char* kSchemeNames[kSchemeCount] = {"Blue", "Black", "Silver"};

// Resource names (RT_RCDATA) of the sheets; the common sheet is shared by every scheme.
inline constexpr const char* kCommonSheetName = "RIBBONCOMMON";
inline constexpr const char* kColorSheetNames[kSchemeCount] = {"RIBBONBLUE", "RIBBONBLACK", "RIBBONSILVER"};
inline constexpr const char* kFormSheetNames[kSchemeCount] = {"FORMBLUE", "FORMBLACK", "FORMSILVER"};

// Bitmap resources of the status bar's state indicators, 17 x 8, 16 colours, in indicator order
// (off, yellow, blue, green, red, teal, purple).
inline constexpr int kIndicatorCount = 7;
inline constexpr int kIndicatorWidth = 17, kIndicatorHeight = 8;
inline constexpr const char* kIndicatorNames[kIndicatorCount] = {
    "DXSTATUSBAR_GRAY", "DXSTATUSBAR_YELLOW", "DXSTATUSBAR_BLUE",  "DXSTATUSBAR_GREEN",
    "DXSTATUSBAR_RED",  "DXSTATUSBAR_TEAL",   "DXSTATUSBAR_PURPLE"};

// The skin operation that adds a set, in the order the constructor calls them.
enum class TPartGroup : std::uint8_t {
  FormFrame,          // form sheet: caption, borders, bottom lines
  CaptionButtons,     // AddCaptionButtonParts
  FormQuickAccess,    // the quick-access bar in the caption, the caption strip
  ApplicationButton,  // AddApplicationButtonParts
  CommonParts,        // AddCommonParts
  Tabs,               // colour sheet: tab headers and their separator
  ScrollButtons,      // tab and group scroll buttons
  Panels,             // AddPanelParts
  Groups,             // group background and caption
  Items,              // AddItemParts
  Menus,              // AddMenuParts
  BarPart32,          // AddBarPart32
  BarPart360,         // AddBarPart360
  BarPart40,          // AddBarPart40
  QuickAccess,        // quick-access parts of the colour sheet
  StatusBar,          // status-bar parts
  Gallery,            // AddGalleryParts
};

enum class TStack : std::uint8_t { Down, Right };

// The directions in which the skin's operations scale a set's parts. The art keeps every stretched
// band uniform along that direction, so nine-part scaling keeps its look at any size.
enum class TStretch : std::uint8_t { None, Horizontal, Vertical, Both };

struct TPartMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr bool Empty() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
};

// GDI+ interpolation modes of the table.
inline constexpr int kInterpolationDefault = 0;
inline constexpr int kInterpolationNearest = 5;
inline constexpr int kInterpolationBicubic = 7;

inline constexpr std::int8_t kNoImage = -1;
using TStateImages = std::array<std::int8_t, 9>;

struct TPartSet {
  int FirstID;
  TSheet Sheet;
  int X, Y, Width, Height;  // the first rectangle
  TStateImages StateImage;  // image index per element state 0-8, kNoImage when the state has none
  TStack Stack;
  TPartMargins Margins;
  int Interpolation;
  TPartGroup Group;
  TStretch Stretch;

  constexpr int ImageCount() const {
    int count = 0;
    for (std::int8_t image : StateImage)
      if (image + 1 > count) count = image + 1;
    return count;
  }
  // The rectangle of an image: the first rectangle moved by whole rectangles.
  constexpr int ImageX(int Image) const { return Stack == TStack::Right ? X + Image * Width : X; }
  constexpr int ImageY(int Image) const { return Stack == TStack::Down ? Y + Image * Height : Y; }
};

namespace parts {
using enum TSheet;
using enum TStack;
using enum TPartGroup;
using enum TStretch;
inline constexpr std::int8_t _ = kNoImage;
inline constexpr TStateImages kSingle = {0, _, _, _, _, _, _, _, _};
inline constexpr TStateImages kThree = {0, 1, 2, _, _, _, _, _, _};
inline constexpr TStateImages kActiveInactive = {0, 1, _, _, _, _, _, _, _};
inline constexpr TStateImages kFourStates = {0, 1, 2, 3, _, _, _, _, _};
inline constexpr TStateImages kHotToDisabledSelected = {_, _, 0, 1, 2, 3, 4, 5, 6};
inline constexpr TStateImages kButton = {_, _, 0, 0, 1, 2, 2, 3, 4};
inline constexpr TStateImages kCustomize = {0, 3, 1, 1, 2, 2, _, _, 1};
inline constexpr TStateImages kGalleryScroll = {0, 3, 1, _, 2, _, _, _, _};
inline constexpr TStateImages kGroupPanel = {0, _, 1, 3, 2, _, _, _, _};
inline constexpr TStateImages kNormalHot = {0, _, 1, _, _, _, _, _, _};
inline constexpr TStateImages kBarMark = {0, _, 0, _, 1, _, _, _, _};
inline constexpr int kDefault = kInterpolationDefault;
inline constexpr int kNearest = kInterpolationNearest;
inline constexpr int kBicubic = kInterpolationBicubic;
constexpr TPartMargins M(int L, int T, int R, int B) { return {L, T, R, B}; }
inline constexpr TPartMargins kNone{};

// In the order the skin adds them: the form sheet, the common sheet, the colour sheet.
// {first ID, sheet, x, y, w, h, state -> image, stack, margins, interpolation, group, stretch}
inline constexpr TPartSet kPartSets[] = {
    // ---- form sheet -------------------------------------------------------------------------
    // Caption (active, inactive); the caption of a maximised form, the upper border pieces and the
    // caption strip are columns and rows of the same picture.
    {10000, Form, 0, 37, 14, 31, kActiveInactive, Down, M(6, 10, 6, 5), kNearest, FormFrame, Both},
    {10002, Form, 6, 37, 2, 31, kActiveInactive, Down, M(0, 10, 0, 5), kNearest, FormFrame, Both},
    {10004, Form, 0, 37, 4, 31, kActiveInactive, Down, M(0, 9, 0, 2), kNearest, FormFrame, Vertical},
    {10006, Form, 10, 37, 4, 31, kActiveInactive, Down, M(0, 9, 0, 2), kNearest, FormFrame, Vertical},
    {10008, Form, 15, 37, 4, 6, kActiveInactive, Down, M(0, 0, 0, 5), kNearest, FormFrame, Vertical},
    {10010, Form, 20, 37, 4, 6, kActiveInactive, Down, M(0, 0, 0, 5), kNearest, FormFrame, Vertical},
    {10012, Form, 15, 50, 2, 2, kActiveInactive, Down, kNone, kNearest, FormFrame, Both},
    {10014, Form, 40, 113, 10, 4, kActiveInactive, Down, M(4, 0, 4, 0), kNearest, FormFrame, Horizontal},
    {10016, Form, 40, 121, 10, 4, kActiveInactive, Down, M(4, 0, 4, 0), kNearest, FormFrame, Horizontal},
    // Caption-button glyphs (minimise, maximise, restore, close, help: normal, hot, pressed,
    // inactive), then the button background (hot, pressed, inactive and hot).
    {10023, Form, 0, 0, 9, 9, kFourStates, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, None},
    {10027, Form, 10, 0, 9, 9, kFourStates, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, None},
    {10031, Form, 20, 0, 9, 9, kFourStates, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, None},
    {10035, Form, 30, 0, 9, 9, kFourStates, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, None},
    {10039, Form, 40, 0, 9, 9, kFourStates, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, None},
    {10020, Form, 25, 37, 25, 25, kThree, Down, M(2, 2, 2, 2), kNearest, CaptionButtons, Both},
    // Quick-access bar in the caption: left end beside the application button, left end without
    // it, body and right end (the first and the last share two columns); the caption strip.
    {10059, Form, 0, 113, 15, 26, kActiveInactive, Down, M(13, 5, 0, 5), kNearest, FormQuickAccess, Vertical},
    {10061, Form, 32, 113, 7, 26, kActiveInactive, Down, M(2, 5, 0, 5), kNearest, FormQuickAccess, Vertical},
    {10063, Form, 13, 113, 18, 26, kActiveInactive, Down, M(0, 5, 13, 5), kNearest, FormQuickAccess, Both},
    {10054, Form, 6, 38, 2, 30, kSingle, Down, M(0, 9, 0, 5), kDefault, FormQuickAccess, Both},
    // Application button: normal, hot, pressed.
    {10067, Form, 0, 166, 42, 42, kThree, Down, kNone, kBicubic, ApplicationButton, None},

    // ---- common sheet -----------------------------------------------------------------------
    // Quick-access bar on glass: left end beside the application button, without it, body.
    {10055, Common, 0, 353, 16, 26, kSingle, Down, M(0, 2, 2, 2), kBicubic, CommonParts, Vertical},
    {10056, Common, 34, 353, 4, 26, kSingle, Down, M(2, 2, 0, 2), kBicubic, CommonParts, Vertical},
    {10057, Common, 16, 353, 18, 26, kSingle, Down, M(0, 7, 15, 7), kBicubic, CommonParts, Both},
    // Button faces: small button, split main part (bar part 5), split drop-down part (4), large
    // button, large split main part (8) and drop-down part (7), bar part 515.
    {10290, Common, 99, 155, 22, 22, kButton, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10299, Common, 86, 0, 29, 22, kHotToDisabledSelected, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10308, Common, 86, 155, 12, 22, kHotToDisabledSelected, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10317, Common, 0, 0, 42, 66, kButton, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10326, Common, 43, 0, 42, 39, {_, _, 0, 1, 2, 1, 3, 4, 0}, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10335, Common, 43, 235, 42, 27, {_, _, 0, 1, 1, 2, 2, 0, 3}, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10407, Common, 101, 350, 15, 14, {_, _, 0, 0, 1, _, _, _, _}, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    // Menu parts: detach caption (370), checked-glyph background (430), check-mark background (440),
    // icon column (380), text area (390), separator line (400), column strip (410), border (450),
    // scroll button hot and pressed (446); the quick-access toolbar's 16 x 16 glyph.
    {10227, Common, 1, 331, 5, 5, {0, _, 1, _, _, _, _, _, _}, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10236, Common, 99, 310, 6, 6, kActiveInactive, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10245, Common, 99, 266, 20, 20, kActiveInactive, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10075, Common, 14, 331, 3, 4, kSingle, Down, M(1, 1, 0, 1), kDefault, CommonParts, Both},
    {10074, Common, 18, 331, 3, 4, kSingle, Down, M(0, 1, 1, 1), kDefault, CommonParts, Both},
    {10077, Common, 17, 337, 2, 2, kSingle, Down, kNone, kDefault, CommonParts, Both},
    {10078, Common, 14, 336, 2, 2, kSingle, Down, kNone, kDefault, CommonParts, Both},
    {10073, Common, 28, 331, 8, 8, kSingle, Down, M(3, 3, 3, 3), kDefault, CommonParts, Both},
    {10254, Common, 86, 310, 6, 12, {_, _, 0, _, 1, _, _, _, _}, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10052, Common, 100, 330, 16, 16, kSingle, Down, kNone, kDefault, CommonParts, None},
    // Progress bar background (30) and chunk (31); the 16 x 16 glyph of the ribbon's help button.
    {10081, Common, 6, 344, 86, 8, kSingle, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10082, Common, 0, 344, 5, 8, kSingle, Down, M(2, 2, 2, 2), kDefault, CommonParts, Both},
    {10088, Common, 42, 353, 16, 16, kSingle, Down, kNone, kBicubic, CommonParts, None},

    // ---- colour sheet -----------------------------------------------------------------------
    // Tab headers (tab states 0-4) and the separator between tabs.
    {10043, Color, 0, 0, 24, 23, {0, 1, 2, 3, 4, _, _, _, _}, Down, M(4, 4, 4, 4), kDefault, Tabs, Both},
    {10049, Color, 42, 86, 1, 22, kSingle, Down, kNone, kDefault, Tabs, Both},
    // Scroll buttons (normal, hot, pressed): the tab row's left-hand and right-hand buttons, the
    // groups area's left-hand and right-hand buttons. The operations draw the right-hand buttons
    // with 10434 and 10452, whose outer margins lie on the right.
    {10425, Color, 46, 350, 9, 24, kThree, Down, M(3, 4, 3, 5), kDefault, ScrollButtons, Both},
    {10434, Color, 56, 350, 9, 24, kThree, Down, M(3, 4, 3, 5), kDefault, ScrollButtons, Both},
    {10443, Color, 48, 0, 8, 92, kThree, Down, M(4, 4, 2, 4), kDefault, ScrollButtons, Both},
    {10452, Color, 57, 0, 8, 92, kThree, Down, M(2, 4, 4, 4), kDefault, ScrollButtons, Both},
    // AddPanelParts: groups area, in-ribbon gallery top and bottom, bar marks (336, 337).
    {10048, Color, 13, 116, 11, 92, kSingle, Down, M(5, 17, 5, 7), kDefault, Panels, Both},
    {10371, Color, 66, 350, 8, 68, kNormalHot, Right, M(3, 14, 3, 0), kDefault, Panels, Both},
    {10380, Color, 66, 418, 8, 17, kNormalHot, Right, M(3, 0, 3, 3), kDefault, Panels, Both},
    {10389, Color, 36, 220, 7, 7, kBarMark, Down, kNone, kDefault, Panels, None},
    {10398, Color, 37, 234, 7, 7, kBarMark, Down, kNone, kDefault, Panels, None},
    // Group background (bar part 1000) and caption (1001).
    {10263, Color, 25, 0, 7, 85, kGroupPanel, Down, M(3, 15, 3, 3), kDefault, Groups, Both},
    {10272, Color, 66, 199, 10, 31, kGroupPanel, Down, M(4, 9, 4, 8), kDefault, Groups, Both},
    // AddItemParts: drop-down arrow (340), edit box (11), arrows down and right (365, 366),
    // application-menu button (458), button-group member (460), its end caps (470, 490; they share
    // a column) and separators (480, 500), bar part 510.
    {10218, Color, 0, 237, 5, 4, {0, 1, 2, 2, 2, 2, 0, 0, 1}, Down, kNone, kDefault, Items, None},
    {10281, Color, 0, 116, 12, 20, {0, 1, 2, 3, 4, 5, _, _, 1}, Down, M(2, 2, 2, 2), kDefault, Items, Both},
    {10079, Color, 6, 245, 7, 4, kSingle, Down, kNone, kDefault, Items, None},
    {10080, Color, 6, 237, 4, 7, kSingle, Down, kNone, kDefault, Items, None},
    {10089, Color, 0, 250, 6, 22, kSingle, Down, M(2, 2, 2, 2), kDefault, Items, Both},
    {10344, Color, 73, 0, 3, 22, {0, 1, 2, 3, 4, 5, 6, 7, 8}, Down, M(1, 2, 1, 2), kDefault, Items, Both},
    {10084, Color, 37, 197, 2, 22, kSingle, Down, M(0, 2, 0, 2), kDefault, Items, Vertical},
    {10085, Color, 38, 197, 2, 22, kSingle, Down, M(0, 2, 0, 2), kDefault, Items, Vertical},
    {10353, Color, 40, 86, 1, 22, {0, 1, 2, 2, 2, 2, 2, 2, 3}, Down, M(0, 2, 0, 2), kDefault, Items, Vertical},
    {10362, Color, 37, 86, 2, 22, {0, 1, 2, 2, 3, 2, 2, 2, 4}, Down, M(0, 2, 0, 2), kDefault, Items, Vertical},
    {10416, Color, 34, 249, 12, 12, {0, 1, 0, 0, 0, _, _, _, _}, Down, kNone, kNearest, Items, None},
    // AddMenuParts: application-menu frame (452), areas above and below its client (453, 454),
    // expand chevrons (442), menu scroll button in state 0 (446; shares the table of 10254).
    {10070, Color, 48, 321, 8, 8, kSingle, Down, M(3, 3, 3, 3), kDefault, Menus, Both},
    {10071, Color, 57, 325, 2, 14, kSingle, Down, kNone, kDefault, Menus, Both},
    {10072, Color, 62, 323, 2, 25, kSingle, Down, kNone, kDefault, Menus, Both},
    {10076, Color, 49, 277, 16, 16, kSingle, Down, kNone, kDefault, Menus, None},
    {10254, Color, 20, 237, 4, 12, kSingle, Down, M(1, 1, 1, 1), kDefault, Menus, Both},
    // Progress frame (32), arrow fill (360), separator background (40).
    {10083, Color, 11, 237, 7, 7, kSingle, Down, M(2, 2, 2, 2), kDefault, BarPart32, Both},
    {10086, Color, 14, 245, 5, 3, kSingle, Down, kNone, kDefault, BarPart360, Both},
    {10087, Color, 66, 0, 6, 165, kSingle, Down, M(2, 2, 2, 2), kDefault, BarPart40, Both},
    // Quick-access bar below the ribbon, bar part of operation 102, customize buttons in the
    // caption and below the ribbon.
    {10053, Color, 13, 209, 10, 26, kSingle, Down, M(3, 3, 3, 3), kDefault, QuickAccess, Both},
    {10058, Color, 33, 0, 6, 28, kSingle, Down, M(2, 2, 2, 2), kDefault, QuickAccess, Both},
    {10200, Color, 0, 350, 22, 22, kCustomize, Down, M(2, 2, 2, 2), kDefault, QuickAccess, Both},
    {10209, Color, 23, 350, 22, 22, kCustomize, Down, M(2, 2, 2, 2), kDefault, QuickAccess, Both},
    // Status bar: background and flat panel, raised panel, separator between panels and the
    // size-grip area (one picture: the grip area begins with the separator), separator inside a
    // toolbar, the four edge sets (fixed left, sizeable left, fixed right, sizeable right).
    {10090, Color, 42, 138, 2, 22, kSingle, Down, M(0, 2, 0, 3), kDefault, StatusBar, Both},
    {10093, Color, 42, 160, 2, 22, kSingle, Down, M(0, 2, 0, 3), kDefault, StatusBar, Both},
    {10094, Color, 42, 183, 3, 22, kSingle, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    {10095, Color, 42, 183, 5, 22, kSingle, Down, M(3, 2, 0, 3), kDefault, StatusBar, Both},
    {10096, Color, 45, 138, 2, 22, kSingle, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    {10100, Color, 77, 241, 4, 22, kFourStates, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    {10104, Color, 81, 241, 4, 22, kFourStates, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    {10108, Color, 85, 241, 4, 22, kFourStates, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    {10112, Color, 89, 241, 4, 22, kFourStates, Down, M(0, 2, 0, 3), kDefault, StatusBar, Vertical},
    // AddGalleryParts: scroll buttons up, down and drop-down (53, 54, 55), bar parts 65, 63, 57,
    // 58 and the glyphs of bar parts 59, 60, 61 and 62.
    {10461, Color, 78, 0, 15, 20, kGalleryScroll, Down, M(2, 2, 2, 2), kDefault, Gallery, Both},
    {10470, Color, 78, 80, 15, 20, kGalleryScroll, Down, M(2, 2, 2, 2), kDefault, Gallery, Both},
    {10479, Color, 78, 160, 15, 20, kGalleryScroll, Down, M(2, 2, 2, 2), kDefault, Gallery, Both},
    {10125, Color, 7, 250, 4, 13, kSingle, Down, M(1, 1, 2, 1), kDefault, Gallery, Both},
    {10126, Color, 0, 273, 4, 4, kSingle, Down, M(0, 0, 0, 2), kDefault, Gallery, Both},
    {10120, Color, 38, 29, 4, 11, kSingle, Down, M(1, 1, 2, 2), kDefault, Gallery, Both},
    {10121, Color, 33, 29, 4, 11, kSingle, Down, M(1, 1, 2, 2), kDefault, Gallery, Both},
    {10122, Color, 54, 423, 7, 7, kSingle, Down, kNone, kNearest, Gallery, None},
    {10123, Color, 46, 423, 7, 7, kSingle, Down, kNone, kNearest, Gallery, None},
    {10124, Color, 46, 431, 18, 7, kSingle, Down, kNone, kDefault, Gallery, None},
};
}  // namespace parts
using parts::kPartSets;

inline constexpr int kPartSetCount = int(std::size(kPartSets));

// The slot of a state table: the first set with that first ID (the two sets of 10254 share one
// table, state 0 from the colour sheet, states 2 and 4 from the common sheet). -1 when none.
constexpr int TableSlot(int FirstID) {
  for (int i = 0; i < kPartSetCount; ++i)
    if (kPartSets[i].FirstID == FirstID) return i;
  return -1;
}

// ---- integrity, checked by the compiler -----------------------------------------------------------

// Every part ID of the table is unique.
constexpr bool PartIDsUnique() {
  for (int a = 0; a < kPartSetCount; ++a)
    for (int sa = 0; sa < 9; ++sa) {
      if (kPartSets[a].StateImage[sa] == kNoImage) continue;
      for (int b = a; b < kPartSetCount; ++b)
        for (int sb = (a == b ? sa + 1 : 0); sb < 9; ++sb)
          if (kPartSets[b].StateImage[sb] != kNoImage && kPartSets[a].FirstID + sa == kPartSets[b].FirstID + sb)
            return false;
    }
  return true;
}
static_assert(PartIDsUnique(), "two sets of the part table add the same part ID");

// Every image of every set lies inside its sheet, and its margins inside the image.
constexpr bool RectanglesInsideSheets() {
  for (const TPartSet& set : kPartSets) {
    const TSheetSize size = SheetSize(set.Sheet);
    const int last = set.ImageCount() - 1;
    if (set.X < 0 || set.Y < 0 || set.ImageX(last) + set.Width > size.Width ||
        set.ImageY(last) + set.Height > size.Height)
      return false;
    if (set.Margins.Left + set.Margins.Right > set.Width || set.Margins.Top + set.Margins.Bottom > set.Height)
      return false;
  }
  return true;
}
static_assert(RectanglesInsideSheets(), "a set of the part table reaches outside its sheet");

// Sets that share a state table fill different states.
constexpr bool SharedTablesDisjoint() {
  for (int a = 0; a < kPartSetCount; ++a)
    for (int b = a + 1; b < kPartSetCount; ++b)
      if (kPartSets[a].FirstID == kPartSets[b].FirstID)
        for (int s = 0; s < 9; ++s)
          if (kPartSets[a].StateImage[s] != kNoImage && kPartSets[b].StateImage[s] != kNoImage) return false;
  return true;
}
static_assert(SharedTablesDisjoint(), "two sets of one state table fill the same state");

}  // namespace ribbon_skin
