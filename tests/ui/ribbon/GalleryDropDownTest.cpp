// The drop-down gallery window's rules: band heights and parts, the grip and its sizing hit codes,
// frame extents, the minimal size, the one-time widening, and the key tables.
#include <gtest/gtest.h>

#include "ui/ribbon/gallery/GalleryDropDown.h"

namespace {

TEST(GalleryDropDown, ResizeBandHeightsAndParts) {
  EXPECT_EQ(GalleryResizeBandHeight(gsrHeight, 22), 8);
  EXPECT_EQ(GalleryResizeBandHeight(gsrWidthAndHeight, 22), 11);
  EXPECT_EQ(GalleryResizeBandHeight(gsrNone, 22), 0);
  struct Case {
    TdxRibbonGallerySubMenuResizing mode;
    bool down;
    int background, grip;
  };
  const Case cases[] = {{gsrHeight, true, 58, 62}, {gsrHeight, false, 57, 61}, {gsrWidthAndHeight, true, 58, 60},
                        {gsrWidthAndHeight, false, 57, 59}, {gsrNone, true, 0, 0}};
  for (const Case& c : cases) {
    const TdxRibbonGalleryResizeBandParts parts = GalleryResizeBandParts(c.mode, c.down);
    EXPECT_EQ(parts.Background, c.background) << c.mode << c.down;
    EXPECT_EQ(parts.Grip, c.grip) << c.mode << c.down;
  }
}

TEST(GalleryDropDown, TheGripAnswersSizingHitCodes) {
  // A 200 x 100 window, band 8, border indent 2.
  struct Case {
    const char* name;
    TdxRibbonGallerySubMenuResizing mode;
    bool down;
    TPoint p;
    bool inGrip;
    LRESULT hit;
  };
  const Case cases[] = {
      {"height, down: the bottom strip", gsrHeight, true, {5, 90}, true, HTBOTTOM},
      {"height, down: above the strip", gsrHeight, true, {5, 89}, false, HTCLIENT},
      {"height, up: the top strip", gsrHeight, false, {150, 9}, true, HTTOP},
      {"height, up: below the strip", gsrHeight, false, {150, 10}, false, HTCLIENT},
      {"corner, down: the corner pixel", gsrWidthAndHeight, true, {199, 99}, true, HTBOTTOMRIGHT},
      {"corner, down: on the diagonal", gsrWidthAndHeight, true, {196, 95}, true, HTBOTTOMRIGHT},
      {"corner, down: past the diagonal", gsrWidthAndHeight, true, {193, 94}, false, HTCLIENT},
      {"corner, down: left of the band", gsrWidthAndHeight, true, {191, 99}, false, HTCLIENT},
      {"corner, up: the top corner", gsrWidthAndHeight, false, {199, 0}, true, HTTOPRIGHT},
      {"corner, up: too low", gsrWidthAndHeight, false, {199, 9}, false, HTCLIENT},
      {"no resizing: never", gsrNone, true, {199, 99}, false, HTCLIENT},
  };
  for (const Case& c : cases) {
    const bool inGrip = GalleryIsPointInResizeGrip(c.mode, c.down, 200, 100, 8, 2, c.p);
    EXPECT_EQ(inGrip, c.inGrip) << c.name;
    EXPECT_EQ(GalleryResizeHitCode(c.mode, c.down, inGrip, HTCLIENT), c.hit) << c.name;
  }
}

TEST(GalleryDropDown, FrameMinimalSizeAndTheOneTimeWidening) {
  const TRect frame{2, 2, 2, 2};
  EXPECT_EQ(GalleryDropDownFrameExtents(frame, gsrHeight, true, 8), (TRect{2, 2, 2, 10}));
  EXPECT_EQ(GalleryDropDownFrameExtents(frame, gsrWidthAndHeight, false, 11), (TRect{2, 13, 2, 2}));
  EXPECT_EQ(GalleryDropDownFrameExtents(frame, gsrNone, true, 8), frame);
  EXPECT_EQ(GalleryDropDownMinimalSize({120, 60}, 44, {2, 2, 2, 10}), (TSize{124, 116}));

  struct Case {
    const char* name;
    TdxRibbonGallerySubMenuResizing mode;
    int width, menuWidth, screen;
    bool corrected;
  };
  const Case cases[] = {
      {"narrower than the gallery", gsrNone, 150, 170, 1280, true},
      {"as wide as the gallery", gsrNone, 170, 170, 1280, false},
      {"would not fit the screen", gsrNone, 1265, 1300, 1280, false},
      {"resizable windows keep their size", gsrHeight, 150, 170, 1280, false},
  };
  for (const Case& c : cases) {
    TSize size{};
    EXPECT_EQ(GalleryDropDownSizeCorrection(c.mode, {c.width, 200}, c.menuWidth, 17, c.screen, size), c.corrected)
        << c.name;
    if (c.corrected) {
      EXPECT_EQ(size, (TSize{c.width + 17, 200})) << c.name;
    }
  }
}

TEST(GalleryDropDown, KeyTables) {
  struct Case {
    bool inMenu;
    WORD key;
    bool shift;
    TdxRibbonGalleryKeyAction action;
    bool wanted;
  };
  const Case cases[] = {
      {false, VK_RETURN, false, gkaDropDown, true},   {false, VK_SPACE, false, gkaDropDown, true},
      {false, VK_DOWN, false, gkaDropDown, true},     {false, VK_LEFT, false, gkaInherited, false},
      {true, VK_TAB, true, gkaTabMoveBack, true},     {true, VK_NEXT, false, gkaPageDown, true},
      {true, VK_HOME, false, gkaSelectFirst, true},   {true, VK_LEFT, false, gkaNavigateLeft, true},
      {true, VK_RETURN, false, gkaNone, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GalleryControlKeyAction(c.inMenu, c.key, c.shift), c.action) << c.inMenu << " " << c.key;
    EXPECT_EQ(GalleryControlWantsKey(c.inMenu, c.key), c.wanted) << c.inMenu << " " << c.key;
  }
  struct WindowCase {
    WORD key;
    bool shift, hasLastLink;
    TdxRibbonDropDownGalleryKeyAction action;
  };
  const WindowCase windowCases[] = {
      {VK_NEXT, false, true, gdkEnterGalleryPageDown}, {VK_TAB, true, true, gdkSelectLastLink},
      {VK_TAB, false, true, gdkEnterGallery},          {VK_UP, false, true, gdkSelectLastLink},
      {VK_UP, false, false, gdkEnterGallery},          {VK_RETURN, false, true, gdkNone},
  };
  for (const WindowCase& c : windowCases)
    EXPECT_EQ(DropDownGalleryKeyAction(c.key, c.shift, c.hasLastLink), c.action) << c.key << " " << c.shift;
}

}  // namespace
