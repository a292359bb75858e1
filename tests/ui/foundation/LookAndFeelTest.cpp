// Look-and-feel settings: effective values and the painter chosen from (master, own) assignments,
// the order of notifications and a listener leaving during one, masters attached and destroyed,
// the controllers of the root, style codes, streaming of assigned values only, and a system colour
// change reaching the radio images and the palette before any owner.

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Stream.h"
#include "tests/ui/foundation/PainterTestSupport.h"
#include "ui/foundation/FlatPainter.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Office11Painter.h"
#include "ui/foundation/StandardPainter.h"
#include "ui/foundation/UltraFlatPainter.h"
#include "ui/foundation/WinXPPainter.h"

using namespace painter_testing;
using theme_testing::FakeThemeApi;

namespace {

TcxCustomLookAndFeelPainterClass Flat() { return &TcxFlatLookAndFeelPainter::ClassInfo(); }
TcxCustomLookAndFeelPainterClass Standard() { return &TcxStandardLookAndFeelPainter::ClassInfo(); }
TcxCustomLookAndFeelPainterClass UltraFlat() { return &TcxUltraFlatLookAndFeelPainter::ClassInfo(); }
TcxCustomLookAndFeelPainterClass Office11() { return &TcxOffice11LookAndFeelPainter::ClassInfo(); }
TcxCustomLookAndFeelPainterClass WinXP() { return &TcxWinXPLookAndFeelPainter::ClassInfo(); }

class LookAndFeels : public testing::Test {
 protected:
  void SetUp() override {
    StartUnits();
    ASSERT_NE(RootLookAndFeel(), nullptr);
    fake.AddClass(L"ScrollBar");
    SetThemes(false);
  }
  void TearDown() override {
    RootLookAndFeel()->ClearAssignedValues();
    SetSkinPaintersEnabled(true);
    SetThemes(false);
  }
  void SetThemes(bool On) {
    fake.Active = On;
    AnnounceThemeChange();
  }
  PinnedSystem pinned;
  FakeThemeApi fake;
};

// A listener that records its calls and can leave its master while it is told.
struct Recorder : IcxLookAndFeelListener {
  Recorder(std::vector<String>& Log, const String& Name) : log(Log), name(Name) {}
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TObject* ListenerObject() override { return nullptr; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues) override {
    log.push_back(name);
    if (leave) Sender->RemoveListener(this);
  }
  void MasterDestroying(TcxLookAndFeel*) override { log.push_back(name + L" destroying"); }
  std::vector<String>& log;
  String name;
  bool leave = false;
};

void Log(TcxLookAndFeel* LookAndFeel, std::vector<String>& Out, const String& Name) {
  LookAndFeel->OnChanged = [&Out, Name](TcxLookAndFeel*, TcxLookAndFeelValues) { Out.push_back(Name); };
}

TEST_F(LookAndFeels, EffectiveValuesAndPainterFromMasterAndOwnAssignments) {
  struct Values {
    bool HasKind = false;
    TcxLookAndFeelKind Kind = lfUltraFlat;
    bool HasNative = false;
    bool Native = false;
  };
  struct Case {
    Values Master, Own;
    bool Themes;
    TcxLookAndFeelKind Kind;
    bool Native;
    TcxCustomLookAndFeelPainterClass Painter;
  };
  const Case cases[] = {
      {{}, {}, false, lfUltraFlat, false, UltraFlat()},
      {{true, lfFlat}, {}, false, lfFlat, false, Flat()},
      {{true, lfFlat}, {true, lfOffice11}, false, lfOffice11, false, Office11()},
      {{true, lfStandard}, {true, lfStandard}, false, lfStandard, false, Standard()},
      {{false, lfFlat, true, true}, {}, false, lfUltraFlat, true, UltraFlat()},  // no usable themes
      {{false, lfFlat, true, true}, {}, true, lfUltraFlat, true, WinXP()},
      {{false, lfFlat, true, true}, {true, lfOffice11}, true, lfOffice11, true, WinXP()},  // native wins
      {{false, lfFlat, true, true}, {false, lfFlat, true, false}, true, lfUltraFlat, false, UltraFlat()},
  };
  int row = 0;
  for (const Case& c : cases) {
    SetThemes(c.Themes);
    TcxLookAndFeel master(nullptr), own(nullptr);
    own.SetMasterLookAndFeel(&master);
    if (c.Master.HasKind) master.SetKind(c.Master.Kind);
    if (c.Master.HasNative) master.SetNativeStyle(c.Master.Native);
    if (c.Own.HasKind) own.SetKind(c.Own.Kind);
    if (c.Own.HasNative) own.SetNativeStyle(c.Own.Native);
    EXPECT_EQ(own.Kind(), c.Kind) << row;
    EXPECT_EQ(own.NativeStyle(), c.Native) << row;
    EXPECT_EQ(own.ActivePainter(), c.Painter) << row;
    ++row;
  }
}

TEST_F(LookAndFeels, SkinPainterByNameBetweenNativeStyleAndKind) {
  ASSERT_NE(SkinPainterRegistry(), nullptr);
  EXPECT_EQ(SkinPainterRegistry()->IndexOfName(L"Harbour"), -1);  // nothing is registered by the program
  SkinPainterRegistry()->RegisterPainter(L"Probe Skin", Flat());
  TcxLookAndFeel own(nullptr);
  own.SetKind(lfOffice11);
  own.SetSkinName(L"PROBE SKIN");  // found without regard to case
  EXPECT_EQ(own.ActiveSkinPainter(), Flat());
  EXPECT_EQ(own.ActivePainter(), Flat());
  EXPECT_EQ(SkinPainterRegistry()->PainterListenerCount(), 1);
  own.SetSkinName(L"Unknown");  // any name is accepted; none matches
  EXPECT_EQ(own.ActivePainter(), Office11());
  EXPECT_EQ(SkinPainterRegistry()->PainterListenerCount(), 0);
  SetSkinPaintersEnabled(false);
  own.SetSkinName(L"Probe Skin");
  EXPECT_EQ(own.ActiveSkinPainter(), nullptr);
  EXPECT_EQ(own.ActivePainter(), Office11());
  SetSkinPaintersEnabled(true);
  SetThemes(true);
  own.SetNativeStyle(true);
  EXPECT_EQ(own.ActiveSkinPainter(), nullptr);
  EXPECT_EQ(own.ActivePainter(), WinXP());
  own.SetNativeStyle(false);
  EXPECT_EQ(own.ActivePainter(), Flat());
  // The scroll bar asks with its themed kind; a kind missing from the theme falls back to Kind's
  // painter (a skin is not looked up while native style is on).
  own.SetNativeStyle(true);
  EXPECT_EQ(own.PainterForThemedType(totScrollBar), WinXP());
  EXPECT_EQ(own.PainterForThemedType(totHeader), Office11());
}

TEST_F(LookAndFeels, NotificationsRunDepthFirstAndALeavingListenerSkipsNoOne) {
  std::vector<String> log;
  TcxLookAndFeel master(nullptr), a(nullptr), b(nullptr), a1(nullptr);
  Recorder leaver(log, L"leaver");
  leaver.leave = true;
  master.AddListener(&leaver);
  a.SetMasterLookAndFeel(&master);
  b.SetMasterLookAndFeel(&master);
  a1.SetMasterLookAndFeel(&a);
  Log(&master, log, L"master");
  Log(&a, log, L"a");
  Log(&b, log, L"b");
  Log(&a1, log, L"a1");
  master.SetKind(lfFlat);
  EXPECT_EQ(log, (std::vector<String>{L"leaver", L"a1", L"a", L"b", L"master"}));
  EXPECT_EQ(a1.Kind(), lfFlat);
  // An equal value is assigned but tells nobody; an own assignment ignores the master's change.
  log.clear();
  master.SetKind(lfFlat);
  EXPECT_TRUE(log.empty());
  b.SetKind(lfStandard);
  log.clear();
  master.SetKind(lfOffice11);
  EXPECT_EQ(log, (std::vector<String>{L"a1", L"a", L"master"}));
  EXPECT_EQ(b.Kind(), lfStandard);
  log.clear();
  master.SetNativeStyle(true);  // b follows a value it does not assign
  EXPECT_EQ(log, (std::vector<String>{L"a1", L"a", L"b", L"master"}));
  EXPECT_TRUE(b.NativeStyle());
}

TEST_F(LookAndFeels, AttachDetachAndAMasterThatGoes) {
  std::vector<String> log;
  TcxLookAndFeel own(nullptr);
  Log(&own, log, L"own");
  const int rootListeners = RootLookAndFeel()->ListenerCount();
  own.SetMasterLookAndFeel(RootLookAndFeel());  // the effective master already
  own.SetMasterLookAndFeel(&own);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(RootLookAndFeel()->ListenerCount(), rootListeners);
  {
    TcxLookAndFeel master(nullptr);
    master.SetKind(lfStandard);
    own.SetMasterLookAndFeel(&master);
    EXPECT_EQ(own.Kind(), lfStandard);
    EXPECT_EQ(RootLookAndFeel()->ListenerCount(), rootListeners);  // left the root for the master
    EXPECT_EQ(log, std::vector<String>{L"own"});
  }
  EXPECT_EQ(own.MasterLookAndFeel(), nullptr);
  EXPECT_EQ(own.EffectiveMaster(), RootLookAndFeel());
  EXPECT_EQ(own.Kind(), lfUltraFlat);
  EXPECT_EQ(log, (std::vector<String>{L"own", L"own"}));
  // Assign copies the assignments and the master.
  TcxLookAndFeel source(nullptr), copy(nullptr), master(nullptr);
  master.SetNativeStyle(true);
  source.SetMasterLookAndFeel(&master);
  source.SetKind(lfFlat);
  copy.Assign(&source);
  EXPECT_EQ(copy.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(copy.MasterLookAndFeel(), &master);
  EXPECT_EQ(copy.Kind(), lfFlat);
  EXPECT_TRUE(copy.NativeStyle());
  copy.ClearAssignedValues();
  EXPECT_EQ(copy.Kind(), lfUltraFlat);
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST_F(LookAndFeels, TheLastControllerResetsTheRoot) {
  std::vector<String> log;
  TcxLookAndFeel own(nullptr);
  Log(&own, log, L"own");
  auto* first = new TcxLookAndFeelController(nullptr);
  auto* second = new TcxLookAndFeelController(nullptr);
  EXPECT_EQ(RootControllerCount(), 2);
  first->SetKind(lfStandard);
  second->SetNativeStyle(false);
  EXPECT_EQ(RootLookAndFeel()->Kind(), lfStandard);
  EXPECT_EQ(first->Kind(), lfStandard);
  EXPECT_EQ(own.ActivePainter(), Standard());
  own.AddListener(first);  // a controller listens to the root only
  EXPECT_EQ(own.ListenerCount(), 0);
  first->Free();
  EXPECT_EQ(RootLookAndFeel()->Kind(), lfStandard);
  log.clear();
  second->Free();
  EXPECT_EQ(RootControllerCount(), 0);
  EXPECT_TRUE(RootLookAndFeel()->AssignedValues().Empty());
  EXPECT_EQ(own.Kind(), lfUltraFlat);
  EXPECT_EQ(log, std::vector<String>{L"own"});
}

TEST_F(LookAndFeels, StyleCodes) {
  struct Case {
    int Code;
    bool Native;
    TcxLookAndFeelKind Kind;
  };
  const Case cases[] = {{0, false, lfFlat},     {1, false, lfStandard}, {2, false, lfUltraFlat},
                        {3, true, lfUltraFlat}, {4, false, lfOffice11}};
  for (const Case& c : cases) {
    TcxLookAndFeel own(nullptr);
    own.ApplyStyleCode(c.Code);
    EXPECT_EQ(own.NativeStyle(), c.Native) << c.Code;
    EXPECT_EQ(own.Kind(), c.Kind) << c.Code;
    EXPECT_EQ(own.AssignedValues().Contains(lfvKind), !c.Native) << c.Code;
  }
  const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11, lfStandard};
  for (int code = 0; code < 6; ++code) EXPECT_EQ(StyleCodeToKind(code), kinds[code]) << code;
}

TEST_F(LookAndFeels, OnlyAssignedValuesAreStreamed) {
  TcxLookAndFeel source(nullptr);
  source.SetKind(lfUltraFlat);  // equal to the inherited value, still assigned
  source.SetSkinName(L"Anything");
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteProperties(source);
    writer.WriteListEnd();
  }
  const AnsiString bytes(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  EXPECT_NE(bytes.find("Kind"), AnsiString::npos);
  EXPECT_NE(bytes.find("SkinName"), AnsiString::npos);
  EXPECT_EQ(bytes.find("NativeStyle"), AnsiString::npos);
  stream.SetPosition(0);
  TcxLookAndFeel target(nullptr);
  TReader reader(stream);
  reader.ReadProperties(target);
  EXPECT_EQ(target.AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
  EXPECT_EQ(target.SkinName(), L"Anything");
  RootLookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(target.Kind(), lfUltraFlat);  // its own value now
}

TEST_F(LookAndFeels, ColourChangeReachesRadioImagesAndPaletteBeforeAnyOwner) {
  RadioButtonImages()->ResetImages();  // made with the pinned colours
  Surface before(13, 13, clWhite);
  const TSize glyph = RadioButtonImages()->GlyphSize();
  const int cx = glyph.cx / 2 - 3, cy = glyph.cy / 2;  // inside the body, left of the dot
  UltraFlat()->PaintRadioButton(before.canvas(), 0, 0, pbsNormal, false, false, clWhite, false);
  ASSERT_EQ(before.At(cx, cy), Resolved(clWindow));
  pinned.Colors[COLOR_WINDOW] = rgb(240, 230, 220);
  pinned.Colors[COLOR_BTNFACE] = rgb(180, 190, 200);
  std::vector<String> log;
  TcxLookAndFeel first(nullptr), last(nullptr);
  auto heard = [&log, cx, cy](const String& name) {
    return [&log, cx, cy, name](TcxLookAndFeel*, TcxLookAndFeelValues changed) {
      Surface now(13, 13, clWhite);
      UltraFlat()->PaintRadioButton(now.canvas(), 0, 0, pbsNormal, false, false, clWhite, false);
      const bool fresh = now.At(cx, cy) == rgb(240, 230, 220) &&
                         Office11Color(Office11FaceColor) == rgb(180, 190, 200) && changed.Contains(lfvNativeStyle);
      log.push_back(name + (fresh ? L" fresh" : L" stale"));
    };
  };
  first.OnChanged = heard(L"first");
  last.OnChanged = heard(L"last");
  ASSERT_NE(SystemPaletteListenerWindow(), nullptr);
  SendMessageW(SystemPaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  // Each hears from its own notifier (made last, told first) and again down the root's chain.
  EXPECT_EQ(log, (std::vector<String>{L"last fresh", L"first fresh", L"first fresh", L"last fresh"}));
}

}  // namespace
