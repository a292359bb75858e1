#include "platform/framework/windows/Frames.h"

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"
#include "tests/support/WindowTestSupport.h"

namespace {

class Frames : public window_testing::FormFixture {};

TEST_F(Frames, FrameMovesBetweenParentsWithItsChildrenAndFreesThem) {
  ShowForm();
  ObjectPtr<TFrame> frame(new TFrame(nullptr));
  EXPECT_EQ(frame->BoundsRect(), Bounds(0, 0, 320, 240));
  auto* child = new TCustomControl(frame.get());
  child->SetBounds(4, 5, 30, 20);
  child->SetParent(frame.get());
  frame->SetParent(form);
  ASSERT_TRUE(frame->HandleAllocated());
  EXPECT_EQ(GetParent(child->Handle()), frame->Handle());
  EXPECT_EQ(GetParent(frame->Handle()), form->Handle());
  EXPECT_TRUE(GetWindowLongPtrW(frame->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);

  // Into another windowed control, then into a window the framework does not own.
  TCustomControl* holder = Place<TCustomControl>(200, 10, 150, 120);
  frame->SetParent(holder);
  EXPECT_EQ(GetParent(frame->Handle()), holder->Handle());
  EXPECT_EQ(child->Parent(), frame.get());
  EXPECT_EQ(GetParent(child->Handle()), frame->Handle());
  frame->SetParent(nullptr);
  frame->SetParentWindow(form->Handle());
  frame->HandleNeeded();
  EXPECT_EQ(GetParent(frame->Handle()), form->Handle());
  EXPECT_EQ(GetParent(child->Handle()), frame->Handle());

  // The frame takes its parent's colour.
  frame->SetParentWindow(nullptr);
  frame->SetParent(holder);
  holder->SetColor(static_cast<TColor>(0x123456));
  EXPECT_EQ(frame->Color(), static_cast<TColor>(0x123456));

  const HWND childWindow = child->Handle();
  frame.reset();
  EXPECT_FALSE(IsWindow(childWindow));
  EXPECT_EQ(holder->ControlCount(), 0);
}

}  // namespace
