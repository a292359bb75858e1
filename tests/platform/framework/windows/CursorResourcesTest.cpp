// The framework's own cursors, embedded in every program that links the windows layer.

#include <gtest/gtest.h>

#include "platform/framework/base/Win32.h"
#include "platform/framework/windows/CursorResources.h"

namespace {

TEST(CursorResourcesTest, DragCursorsAreEmbeddedWithTheHotSpotAtTheArrowTip) {
  for (int id : {FRAMEWORK_CURSOR_DRAG, FRAMEWORK_CURSOR_NODROP}) {
    HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    ASSERT_NE(cursor, nullptr) << id;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

}  // namespace
