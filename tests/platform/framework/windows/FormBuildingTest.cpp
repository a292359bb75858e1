#include "platform/framework/windows/FormBuilding.h"

#include <gtest/gtest.h>

#include "platform/framework/windows/Forms.h"

namespace {

// Records whether it was still loading when a property was set and when Loaded ran.
class TLoadProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  bool LoadingAtLoaded = false;
  int LoadedCalls = 0;

 protected:
  void Loaded() override {
    LoadingAtLoaded = ComponentState().Contains(csLoading);
    ++LoadedCalls;
    TCustomControl::Loaded();
  }
};

TEST(FormBuilding, PlacedControlIsNamedParentedBoundedAndLoadsWithItsForm) {
  ObjectPtr<TForm> form(new TForm(nullptr, 0));
  TLoadProbe* probe = nullptr;
  TLoadProbe* unplaced = nullptr;
  {
    TLoadingBracket loading(*form);
    probe = PlaceControl(loading, new TLoadProbe(form.get()), form.get(), L"Probe", Bounds(5, 6, 70, 20));
    unplaced = PlaceControl(loading, new TLoadProbe(form.get()), form.get(), L"Unplaced");
    EXPECT_TRUE(probe->ComponentState().Contains(csLoading));
    loading.End();
  }
  EXPECT_EQ(probe->Name(), L"Probe");
  EXPECT_EQ(probe->Parent(), form.get());
  EXPECT_EQ(probe->BoundsRect(), Bounds(5, 6, 70, 20));
  EXPECT_EQ(probe->LoadedCalls, 1);
  EXPECT_TRUE(probe->LoadingAtLoaded);
  EXPECT_FALSE(probe->ComponentState().Contains(csLoading));
  EXPECT_EQ(unplaced->Parent(), form.get());
  EXPECT_EQ(unplaced->LoadedCalls, 1);
  EXPECT_EQ(form->FindComponent(L"Unplaced"), unplaced);
}

}  // namespace
