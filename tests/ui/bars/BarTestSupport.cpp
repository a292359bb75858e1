#include "tests/ui/bars/BarTestSupport.h"

#include "platform/framework/classes/UnitLifecycle.h"
#include "ui/bars/BarStrings.h"

namespace bar_testing {

DEFINE_CLASS(TTestLinksOwner)
DEFINE_CLASS(TTestLinksItem)
DEFINE_CLASS(TRecordingItem)

namespace {

// What the application's Initialize does: the libraries start (the bar library's manager list and
// system controller among them).
class UnitsEnvironment : public testing::Environment {
 public:
  void SetUp() override { InitializeUnits(); }
};

[[maybe_unused]] testing::Environment* const g_units = testing::AddGlobalTestEnvironment(new UnitsEnvironment);

// An item whose links lead (at any depth) to Owner may not join Owner's links.
bool LeadsBack(TdxBarItem* Item, IdxBarLinksOwner* Owner, String& ErrorText) {
  IdxBarLinksOwner* itemOwner = Supports<IdxBarLinksOwner>(Item);
  if (!itemOwner) return false;
  if (itemOwner == Owner || (itemOwner->OwnedItemLinks() && itemOwner->OwnedItemLinks()->LeadsToOwner(Owner))) {
    ErrorText = dxBarString(dxbsRecursiveMenus);
    return true;
  }
  return false;
}

}  // namespace

TTestLinksOwner::TTestLinksOwner(TComponent* AOwner, TdxBarManager* Manager, TdxBarItemPlaceKind Kind)
    : TComponent(AOwner), kind_(Kind) {
  if (Kind == pkToolbar)
    links_ = new TdxBarControlItemLinks(Manager, this);
  else
    links_ = new TdxBarSubMenuControlItemLinks(Manager, this);
}

TTestLinksOwner::~TTestLinksOwner() { links_->Free(); }

bool TTestLinksOwner::CanAddItem(TdxBarItem* Item, String& ErrorText) {
  if (LeadsBack(Item, this, ErrorText)) return false;
  return Item->CanBePlacedOn(kind_, this, ErrorText);
}

TTestLinksItem::TTestLinksItem(TComponent* AOwner) : TdxBarItem(AOwner) {
  links_ = new TdxBarSubMenuControlItemLinks(BarManager(), this);
}

TTestLinksItem::~TTestLinksItem() { links_->Free(); }

bool TTestLinksItem::CanAddItem(TdxBarItem* Item, String& ErrorText) {
  if (LeadsBack(Item, this, ErrorText)) return false;
  return Item->CanBePlacedOn(pkMenu, this, ErrorText);
}

void BarFixture::SetUp() {
  form = new TForm(nullptr, 0);
  form->SetName(L"TestForm");
  manager = new TdxBarManager(form);
  manager->SetName(L"BarManager");
}

void BarFixture::TearDown() {
  FreeAndNil(form);
  EXPECT_EQ(BarManagerList()->Count(), 0);
}

std::vector<String> NamesOf(const TdxBarItemLinks* Links, int (TdxBarItemLinks::*Count)() const,
                            TdxBarItemLink* (TdxBarItemLinks::*At)(int) const) {
  std::vector<String> names;
  for (int i = 0; i < (Links->*Count)(); ++i) {
    TdxBarItem* item = (Links->*At)(i)->Item();
    names.push_back(item ? item->Name() : L"-");
  }
  return names;
}

std::vector<String> ShownNames(const TdxBarItemLinks* Links) {
  return NamesOf(Links, &TdxBarItemLinks::ShownLinkCount, &TdxBarItemLinks::ShownLinkAt);
}

}  // namespace bar_testing
