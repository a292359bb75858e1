// The frame controller pushing its settings into linked controls by property name, and the
// registry/INI location component.

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/classes/Filer.h"
#include "ui/extras/frames/FrameController.h"
#include "ui/extras/frames/RegIniFile.h"

namespace {

// A control that publishes a few of the controller's settings and records each one it is given.
class TFakeFramedControl : public TGraphicControl {
  DECLARE_CLASS(TFakeFramedControl, TGraphicControl)
 public:
  explicit TFakeFramedControl(TComponent* AOwner);
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor Value) { Record(L"FocusColor"), focusColor_ = Value; }
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool Value) { Record(L"FrameVisible"), frameVisible_ = Value; }
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides Value) { Record(L"FrameSides"), frameSides_ = Value; }
  TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
  void SetFrameHotStyle(TFrameStyle Value) { Record(L"FrameHotStyle"), frameHotStyle_ = Value; }
  TColor ShownColor() const { return Color(); }
  void SetShownColor(TColor Value) { Record(L"Color"), SetColor(Value); }

  std::vector<String> Log;

 private:
  void Record(const wchar_t* name) { Log.push_back(name); }
  TColor focusColor_ = clNone;
  bool frameVisible_ = false;
  TSides frameSides_;
  TFrameStyle frameHotStyle_ = fsNone;
};
DEFINE_CLASS(TFakeFramedControl)

// The same, taking only the settings its notifications name.
class TFakeSelectiveControl : public TFakeFramedControl {
  DECLARE_CLASS(TFakeSelectiveControl, TFakeFramedControl)
 public:
  using TFakeFramedControl::TFakeFramedControl;
  TRzFrameControllerNotifications Notifications() const { return notifications_; }
  void SetNotifications(TRzFrameControllerNotifications Value) { notifications_ = Value; }

 private:
  TRzFrameControllerNotifications notifications_{fcpFrameVisible};
};
DEFINE_CLASS(TFakeSelectiveControl)

// A control that applies the settings itself; it also publishes Color, which must stay alone.
class TFakeFramingClient : public TFakeFramedControl, public IFramingClient {
  DECLARE_CLASS(TFakeFramingClient, TFakeFramedControl)
 public:
  using TFakeFramedControl::TFakeFramedControl;
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  void FramingSettingsChanged() override { ++Calls; }
  int Calls = 0;
};
DEFINE_CLASS(TFakeFramingClient)

TFakeFramedControl::TFakeFramedControl(TComponent* AOwner) : TGraphicControl(AOwner) {
  static const bool registered = [] {
    using C = TFakeFramedControl;
    RegisterProperties(&C::ClassInfo(), {
                                            OrdinalProperty(L"Color", &C::ShownColor, &C::SetShownColor),
                                            OrdinalProperty(L"FocusColor", &C::FocusColor, &C::SetFocusColor),
                                            OrdinalProperty(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible),
                                            SetProperty(L"FrameSides", &C::FrameSides, &C::SetFrameSides),
                                            OrdinalProperty(L"FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle),
                                        });
    RegisterProperties(&TFakeSelectiveControl::ClassInfo(),
                       {SetProperty(L"FrameControllerNotifications", &TFakeSelectiveControl::Notifications,
                                    &TFakeSelectiveControl::SetNotifications)});
    return true;
  }();
  (void)registered;
}

class FrameControllerFixture : public testing::Test {
 protected:
  ObjectPtr<TComponent> root{new TComponent(nullptr)};
  TRzFrameController* controller = new TRzFrameController(root.get());
  TFakeFramedControl* control = new TFakeFramedControl(root.get());
};

}  // namespace

TEST_F(FrameControllerFixture, AttachingPushesEveryPublishedSettingInOrder) {
  controller->SetColor(clYellow);
  controller->SetFrameHotStyle(fsGroove);
  controller->SetFrameSides({sdLeft, sdBottom});
  controller->AttachControl(control);
  EXPECT_EQ(control->Log, (std::vector<String>{L"Color", L"FocusColor", L"FrameHotStyle", L"FrameSides", L"FrameVisible"}));
  EXPECT_EQ(control->Color(), clYellow);
  EXPECT_EQ(control->FocusColor(), clYellow);  // carried along with Color
  EXPECT_EQ(control->FrameHotStyle(), fsGroove);
  EXPECT_EQ(control->FrameSides(), TSides({sdLeft, sdBottom}));

  control->Log.clear();
  controller->AttachControl(control);  // already linked: nothing again
  controller->SetFrameVisible(true);
  EXPECT_EQ(control->Log, (std::vector<String>{L"FrameVisible"}));
  EXPECT_TRUE(control->FrameVisible());
}

TEST_F(FrameControllerFixture, ColourCarriesFocusColourOnlyWhileTheyAreEqual) {
  controller->AttachControl(control);
  control->Log.clear();
  controller->SetColor(clYellow);
  EXPECT_EQ(control->Log, (std::vector<String>{L"FocusColor", L"Color"}));

  controller->SetFocusColor(clAqua);
  control->Log.clear();
  controller->SetColor(clRed);
  EXPECT_EQ(control->Log, (std::vector<String>{L"Color"}));
  EXPECT_EQ(controller->FocusColor(), clAqua);

  controller->SetParentColor(true);
  EXPECT_FALSE(controller->IsColorStored());
  control->Log.clear();
  controller->AttachControl(new TFakeFramedControl(root.get()));  // a push of all skips Color now
  controller->SetParentColor(false);
  EXPECT_EQ(control->Log, (std::vector<String>{L"Color"}));
}

TEST_F(FrameControllerFixture, NotificationsAndFramingClientsLimitWhatIsSet) {
  auto* selective = new TFakeSelectiveControl(root.get());
  auto* client = new TFakeFramingClient(root.get());
  controller->AttachControl(selective);
  controller->AttachControl(client);
  EXPECT_EQ(selective->Log, (std::vector<String>{L"FrameVisible"}));
  EXPECT_TRUE(client->Log.empty());
  EXPECT_EQ(client->Calls, 1);

  controller->SetColor(clYellow);  // FocusColor then Color: two pushes
  EXPECT_EQ(selective->Log.size(), 1u);
  EXPECT_EQ(client->Calls, 3);
  EXPECT_NE(client->Color(), clYellow);
}

TEST_F(FrameControllerFixture, SuspendedTwiceOnlyTheLastResumePushesOnce) {
  controller->AttachControl(control);
  control->Log.clear();
  controller->SuspendUpdates();
  controller->SuspendUpdates();
  controller->SetFrameVisible(true);
  controller->SetFocusColor(clRed);
  controller->ResumeUpdates();
  EXPECT_TRUE(control->Log.empty());
  controller->ResumeUpdates();
  EXPECT_EQ(control->Log.size(), 5u);
  EXPECT_EQ(controller->UpdateLevel(), 0);
  controller->ResumeUpdates();  // never below 0
  EXPECT_EQ(controller->UpdateLevel(), 0);

  // Assign copies every setting inside one such bracket.
  auto* other = new TRzFrameController(root.get());
  other->SetFrameHotStyle(fsBump);
  other->SetColor(clLime);
  control->Log.clear();
  controller->Assign(other);
  EXPECT_EQ(control->Log.size(), 5u);
  EXPECT_EQ(control->FrameHotStyle(), fsBump);
  EXPECT_EQ(control->Color(), clLime);
}

TEST_F(FrameControllerFixture, HotTrackingShowsTheFrameAndResetsSidesOnlyAtRunTime) {
  controller->SetFrameSides({sdTop});
  controller->SetFrameHotTrack(true);
  EXPECT_TRUE(controller->FrameVisible());
  EXPECT_EQ(controller->FrameSides(), AllSides);

  ObjectPtr<TComponent> form(new TComponent(nullptr));
  TLoadingBracket loading(*form);
  auto* loaded = loading.Add(new TRzFrameController(form.get()));
  loaded->SetFrameSides({sdTop});
  loaded->SetFrameHotTrack(true);
  loading.End();
  EXPECT_TRUE(loaded->FrameVisible());
  EXPECT_EQ(loaded->FrameSides(), TSides({sdTop}));
}

TEST_F(FrameControllerFixture, OldFormDataProperties) {
  struct Case {
    const char* name;
    bool frameFlat;
    const wchar_t* focusStyle;
    bool hotTrack;
    TFrameStyle style, hotStyle;
  } cases[] = {
      {"flat", true, nullptr, true, fsStatus, fsLowered},
      {"not flat", false, nullptr, false, fsFlat, fsFlatBold},
      {"focus style", false, L"fsGroove", false, fsFlat, fsGroove},
      {"unknown focus style", false, L"fsSparkle", false, fsFlat, fsFlatBold},
      {"style outside the control range", false, L"fsFlatRounded", false, fsFlat, fsFlatBold},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ObjectPtr<TComponent> form(new TComponent(nullptr));
    TLoadingBracket loading(*form);
    auto* loaded = loading.Add(new TRzFrameController(form.get()));
    loading.WriteData(loaded, [&](TWriter& w) {
      w.WritePropName(L"FrameFlat");
      w.WriteBoolean(c.frameFlat);
      w.WritePropName(L"FrameFlatStyle");
      w.WriteString(L"fsFlat");
      if (c.focusStyle) {
        w.WritePropName(L"FrameFocusStyle");
        w.WriteString(c.focusStyle);
      }
    });
    loading.End();
    EXPECT_EQ(loaded->FrameHotTrack(), c.hotTrack);
    EXPECT_EQ(loaded->FrameStyle(), c.style);
    EXPECT_EQ(loaded->FrameHotStyle(), c.hotStyle);
  }
}

TEST_F(FrameControllerFixture, FreedControlsAndIniFilesAreForgotten) {
  controller->AttachControl(control);
  EXPECT_TRUE(controller->HasControlList());
  control->Free();
  EXPECT_EQ(controller->ControlCount(), 0);
  EXPECT_FALSE(controller->HasControlList());
  EXPECT_NO_THROW(controller->SetFrameVisible(true));

  auto* ini = new TRzRegIniFile(root.get());
  controller->SetRegIniFile(ini);
  ini->Free();
  EXPECT_EQ(controller->RegIniFile(), nullptr);
}

TEST(RegIniFile, HoldsItsLocationAndNotesEveryChange) {
  ObjectPtr<TRzRegIniFile> ini(new TRzRegIniFile(nullptr));
  EXPECT_TRUE(ini->LocationChanged());
  EXPECT_EQ(ini->PathType(), ptIniFile);
  EXPECT_EQ(ini->RegKey(), hkeyCurrentUser);
  EXPECT_EQ(ini->RegAccess(), TRzRegAccess({keyAllAccess}));
  EXPECT_EQ(ini->SpecialFolder(), sfNone);
  EXPECT_EQ(ini->Path(), L"");

  struct Change {
    const wchar_t* property;
    const wchar_t* value;
  } changes[] = {{L"Path", L"Software\\Editor"}, {L"PathType", L"ptRegistry"}, {L"RegKey", L"hkeyLocalMachine"},
                 {L"RegAccess", L"[keyRead,keyWrite]"}, {L"SpecialFolder", L"sfUserAppDataLocal"}};
  for (const Change& c : changes) {
    SCOPED_TRACE(c.property);
    ini->SetLocationChanged(false);
    if (String(c.property) == L"Path") SetStrProp(ini.get(), c.property, c.value);
    else if (String(c.property) == L"RegAccess") SetSetProp(ini.get(), c.property, c.value);
    else SetEnumProp(ini.get(), c.property, c.value);
    EXPECT_TRUE(ini->LocationChanged());
    ini->SetLocationChanged(false);
    if (String(c.property) == L"Path") SetStrProp(ini.get(), c.property, c.value);
    else if (String(c.property) == L"RegAccess") SetSetProp(ini.get(), c.property, c.value);
    else SetEnumProp(ini.get(), c.property, c.value);
    EXPECT_FALSE(ini->LocationChanged()) << "the same value again is no change";
  }
  EXPECT_EQ(ini->Path(), L"Software\\Editor");
  EXPECT_EQ(ini->RegAccess(), TRzRegAccess({keyRead, keyWrite}));
  EXPECT_EQ(ini->SpecialFolder(), sfUserAppDataLocal);
}
