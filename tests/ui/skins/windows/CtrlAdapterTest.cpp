// The child control adapter on a skinned form: which list a class name falls in, which controls a
// scan adapts under the skinning rules, labels and tagged controls, and dead items dropped.

#include <gtest/gtest.h>

#include "platform/framework/base/Utf8.h"
#include "platform/framework/controls/StdCtrls.h"
#include "tests/support/WindowTestSupport.h"
#include "tests/ui/skins/SkinTestSupport.h"
#include "ui/skins/controls/SkinLabel.h"
#include "ui/skins/core/SkinCommands.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/windows/CtrlAdapter.h"
#include "ui/skins/windows/SkinProvider.h"

using namespace skin_testing;

namespace {

class CtrlAdapter : public testing::Test {
 protected:
  void SetUp() override {
    manager = NewInternalManager(L"c:\\nowhere");
    manager->SetSkinName(L"Harbour Blue (internal)");
    manager->SetSkinningRules({});
    ASSERT_TRUE(manager->SkinData().Active);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 240);
    edit = Place<TEdit>(10, 10);
    tagged = Place<TEdit>(10, 40);
    tagged->Tag = kSkipSkinTag;
    button = Place<TButton>(10, 70);
    label = Place<TLabel>(10, 100);
    label->Font()->SetColor(clFuchsia);
    skinLabel = Place<TsLabel>(10, 130);
    skinLabel->Font()->SetColor(clFuchsia);
    provider = NewObject<TsSkinProvider>(form);
    form->Show();
    window_testing::ProcessMessages();
  }
  void TearDown() override {
    if (form) form->Free();
    manager.reset();
  }
  template <class T>
  T* Place(int x, int y) {
    auto* control = new T(form);
    control->SetBounds(x, y, 120, 22);
    control->SetParent(form);
    return control;
  }
  bool Adapted(TWinControl* control) {
    TacCtrlAdapter* adapter = provider->Adapter();
    if (!adapter) return false;
    for (int i = 0; i < adapter->ItemCount(); ++i)
      if (adapter->ItemAt(i)->Control == control) return adapter->ItemAt(i)->Live();
    return false;
  }

  ManagerPtr manager;
  TForm* form = nullptr;
  TEdit *edit = nullptr, *tagged = nullptr;
  TButton* button = nullptr;
  TLabel* label = nullptr;
  TsLabel* skinLabel = nullptr;
  TsSkinProvider* provider = nullptr;
};

}  // namespace

TEST_F(CtrlAdapter, ClassNamesMatchExactlyAndTheLowerListWins) {
  manager->ThirdLists(3)->SetText(L"TMyCheck\r\nTShared");
  manager->ThirdLists(7)->SetText(L"TShared\r\nTMyList");
  const struct { const wchar_t* name; int list; } cases[] = {
      {L"TEdit", 0}, {L"tedit", -1}, {L"TButton", 1}, {L"TShared", 3}, {L"TMyList", 7}, {L"TUnknown", -1}, {L"", -1}};
  for (const auto& c : cases) EXPECT_EQ(ThirdPartyListOf(manager.get(), c.name), c.list) << Utf8Encode(c.name);
  EXPECT_EQ(ThirdPartyListOf(nullptr, L"TEdit"), -1);
}

TEST_F(CtrlAdapter, AScanAdaptsListedControlsOnlyWithTheThirdPartyRule) {
  // Without the rule a scan adapts nothing and the labels keep their look.
  provider->MakeChildAdapter();
  ASSERT_NE(provider->Adapter(), nullptr);
  EXPECT_EQ(provider->Adapter()->ItemCount(), 0);
  EXPECT_FALSE(label->Transparent());
  // A control offered on its own is adapted whatever the rules.
  provider->Adapter()->AdaptControl(edit);
  EXPECT_TRUE(Adapted(edit));
  EXPECT_TRUE(QuerySkinCommand(edit, scIsSkinned));

  manager->SetSkinningRules({srThirdParty});
  provider->Adapter()->ScanChildren(nullptr);
  const struct { TWinControl* control; bool adapted; } cases[] = {{edit, true}, {button, true}, {tagged, false}};
  for (const auto& c : cases) EXPECT_EQ(Adapted(c.control), c.adapted) << Utf8Encode(c.control->ClassName());
  // The button's own state takes the list's section.
  for (int i = 0; i < provider->Adapter()->ItemCount(); ++i)
    if (provider->Adapter()->ItemAt(i)->Control == button) {
      EXPECT_EQ(provider->Adapter()->ItemAt(i)->SkinData()->SkinSection(), L"BUTTON");
    }
  // A plain label turns transparent in the skin's font colour; the skin's own label is left alone.
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Font()->Color(), manager->GlobalFontColor());
  EXPECT_EQ(skinLabel->Font()->Color(), clFuchsia);
  // A second scan finds the items and leaves them.
  const int items = provider->Adapter()->ItemCount();
  provider->Adapter()->ScanChildren(nullptr);
  EXPECT_EQ(provider->Adapter()->ItemCount(), items);
}

TEST_F(CtrlAdapter, DeadItemsGoInOnePassAndRemovingTheSkinFreesTheAdapter) {
  manager->SetSkinningRules({srThirdParty});
  provider->MakeChildAdapter();
  TacCtrlAdapter* adapter = provider->Adapter();
  ASSERT_TRUE(Adapted(edit) && Adapted(button));
  // Two released objects next to each other: both items go, the live ones stay.
  int released = 0;
  for (int i = 0; i < adapter->ItemCount() && released < 2; ++i)
    if (adapter->ItemAt(i)->Control == edit || adapter->ItemAt(i)->Control == button) {
      adapter->ItemAt(i)->Subclass()->Released = true;
      ++released;
    }
  adapter->DropDeadItems();
  EXPECT_FALSE(Adapted(edit));
  EXPECT_FALSE(Adapted(button));
  for (int i = 0; i < adapter->ItemCount(); ++i) EXPECT_TRUE(adapter->ItemAt(i)->Live());
  // The skin going away takes the adapter with it.
  manager->SetActive(false);
  window_testing::ProcessMessages();
  EXPECT_EQ(provider->Adapter(), nullptr);
}
