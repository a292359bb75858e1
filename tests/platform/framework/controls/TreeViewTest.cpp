#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/controls/TreeView.h"
#include "tests/support/WindowTestSupport.h"

namespace {

using namespace window_testing;

class TreeViewTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    tree = Place<TTreeView>(10, 10, 200, 200);
    fruit = tree->Items()->AddChild(nullptr, L"Fruit");
    apple = tree->Items()->AddChild(fruit, L"apple");
    tree->Items()->AddChild(fruit, L"Cherry");
    veg = tree->Items()->AddChild(nullptr, L"Vegetables");
    leek = tree->Items()->AddChild(veg, L"Leek");
  }
  void TearDown() override {
    tree->OnChange = nullptr;
    tree->OnExpanded = nullptr;
    tree->OnCollapsed = nullptr;
    tree->OnChanging = nullptr;
    tree->OnCompare = nullptr;
    FormFixture::TearDown();
  }
  std::vector<String> Order() {
    std::vector<String> texts;
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext()) texts.push_back(n->Text());
    return texts;
  }
  // The texts of the window's items, depth first.
  std::vector<String> WindowOrder() {
    std::vector<String> texts;
    HWND w = tree->Handle();
    std::vector<HTREEITEM> stack;
    auto next = [&](HTREEITEM i, UINT code) { return HTREEITEM(SendMessageW(w, TVM_GETNEXTITEM, code, LPARAM(i))); };
    for (HTREEITEM i = next(nullptr, TVGN_ROOT); i;) {
      wchar_t text[64] = {};
      TVITEMW item{};
      item.mask = TVIF_TEXT;
      item.hItem = i;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(w, TVM_GETITEMW, 0, LPARAM(&item));
      texts.push_back(text);
      if (HTREEITEM child = next(i, TVGN_CHILD)) {
        stack.push_back(i);
        i = child;
        continue;
      }
      HTREEITEM sibling = next(i, TVGN_NEXT);
      while (!sibling && !stack.empty()) {
        sibling = next(stack.back(), TVGN_NEXT);
        stack.pop_back();
      }
      i = sibling;
    }
    return texts;
  }
  // The label rectangle of a node's window item.
  RECT ItemRect(TTreeNode* node) {
    union {
      RECT rect;
      HTREEITEM item;
    } query{};
    query.item = node->ItemId();
    EXPECT_TRUE(SendMessageW(tree->Handle(), TVM_GETITEMRECT, TRUE, LPARAM(&query)));
    return query.rect;
  }
  TTreeView* tree = nullptr;
  TTreeNode *fruit = nullptr, *apple = nullptr, *veg = nullptr, *leek = nullptr;
};

TEST_F(TreeViewTest, NodesKeepTheirStructureAndWindowItemsAcrossRecreation) {
  ShowForm();
  EXPECT_EQ(tree->Items()->Count(), 5);
  EXPECT_EQ(apple->Parent(), fruit);
  EXPECT_EQ(leek->Level(), 1);
  EXPECT_EQ(veg->Index(), 1);
  apple->SetImageIndex(2);
  apple->SetSelectedIndex(3);
  apple->SetStateIndex(1);
  EXPECT_EQ(WindowOrder(), (std::vector<String>{L"Fruit", L"apple", L"Cherry", L"Vegetables", L"Leek"}));
  tree->SetSelected(leek);
  fruit->Expand(false);
  tree->SetShowLines(false);  // recreates the window
  EXPECT_EQ(WindowOrder(), Order());
  EXPECT_EQ(tree->Selected(), leek);
  EXPECT_TRUE(fruit->Expanded());
  EXPECT_FALSE(GetWindowLongW(tree->Handle(), GWL_STYLE) & TVS_HASLINES);
  TVITEMW item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.hItem = apple->ItemId();
  SendMessageW(tree->Handle(), TVM_GETITEMW, 0, LPARAM(&item));
  EXPECT_EQ(item.iImage, 2);
  EXPECT_EQ(item.iSelectedImage, 3);
  EXPECT_EQ((item.state & TVIS_STATEIMAGEMASK) >> 12, 1u);
  // Deleting a node takes its children with it; the selection of a deleted node is forgotten.
  veg->Delete();
  EXPECT_EQ(tree->Items()->Count(), 3);
  EXPECT_EQ(tree->Selected() == leek, false);
  EXPECT_EQ(WindowOrder(), (std::vector<String>{L"Fruit", L"apple", L"Cherry"}));
}

TEST_F(TreeViewTest, SortingByTextOrByTheComparer) {
  ShowForm();
  tree->SetSortType(stText);
  EXPECT_EQ(Order(), (std::vector<String>{L"Fruit", L"apple", L"Cherry", L"Vegetables", L"Leek"}));
  tree->Items()->AddChild(nullptr, L"beans");
  EXPECT_EQ(tree->Items()->TopItem(0)->Text(), L"beans");
  tree->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int, int& compare) {
    compare = int(b->Text().size()) - int(a->Text().size());  // longest first
  };
  tree->AlphaSort();
  EXPECT_EQ(tree->Items()->TopItem(0)->Text(), L"Vegetables");
  EXPECT_EQ(fruit->Item(0)->Text(), L"Cherry");
  EXPECT_EQ(WindowOrder(), Order());
}

TEST_F(TreeViewTest, ExpandCollapseAndSelectionEventsAndHitTests) {
  ShowForm();
  std::vector<String> log;
  tree->OnExpanded = [&](TObject*, TTreeNode* n) { log.push_back(L"+" + n->Text()); };
  tree->OnCollapsed = [&](TObject*, TTreeNode* n) { log.push_back(L"-" + n->Text()); };
  tree->OnChange = [&](TObject*, TTreeNode* n) { log.push_back(L"=" + (n ? n->Text() : String(L"0"))); };
  tree->FullExpand();
  EXPECT_TRUE(fruit->Expanded());
  EXPECT_TRUE(veg->Expanded());
  fruit->Collapse(false);
  tree->SetSelected(leek);
  EXPECT_EQ(log, (std::vector<String>{L"+Fruit", L"+Vegetables", L"-Fruit", L"=Leek"}));
  // A refused change keeps the selection.
  tree->OnChanging = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
  tree->SetSelected(fruit);
  EXPECT_EQ(tree->Selected(), leek);
  tree->OnChanging = nullptr;

  RECT r = ItemRect(leek);
  const int y = (r.top + r.bottom) / 2;
  const THitTests onLabel = tree->GetHitTestInfoAt(r.left + 3, y);
  EXPECT_TRUE(onLabel.Contains(htOnLabel));
  EXPECT_TRUE(onLabel.Contains(htOnItem));
  EXPECT_EQ(tree->GetNodeAt(r.left + 3, y), leek);
  EXPECT_TRUE(tree->GetHitTestInfoAt(r.left + 3, tree->ClientHeight() - 2).Contains(htNowhere));
  // A node far down is scrolled into view by MakeVisible.
  for (int i = 0; i < 40; ++i) tree->Items()->AddChild(veg, L"more");
  TTreeNode* last = tree->Items()->AddChild(veg, L"last");
  last->MakeVisible();
  r = ItemRect(last);
  EXPECT_LE(r.bottom, tree->ClientHeight());
}

TEST_F(TreeViewTest, IndentReadOnlyAndImageLists) {
  tree->SetIndent(25);
  tree->SetReadOnly(true);
  ShowForm();
  EXPECT_EQ(tree->Indent(), 25);
  EXPECT_FALSE(GetWindowLongW(tree->Handle(), GWL_STYLE) & TVS_EDITLABELS);
  auto* images = new TImageList(form);
  images->SetSize(16, 16);
  tree->SetImages(images);
  EXPECT_EQ(HIMAGELIST(SendMessageW(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)), images->Handle());
  images->Free();
  EXPECT_EQ(tree->Images(), nullptr);
  EXPECT_EQ(HIMAGELIST(SendMessageW(tree->Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0)), nullptr);
}

}  // namespace
