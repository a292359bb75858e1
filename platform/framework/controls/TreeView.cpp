#include "platform/framework/controls/TreeView.h"

#include <algorithm>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/windows/Messages.h"

DEFINE_CLASS(TTreeNode)
DEFINE_CLASS(TCustomTreeView)
DEFINE_CLASS(TTreeView)

namespace {

LRESULT SendTo(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return window ? SendMessageW(window, msg, wParam, lParam) : 0;
}

}  // namespace

// ---- TTreeNode -------------------------------------------------------------------------------------

void TTreeNode::SetText(const String& Value) {
  if (text_ == Value) return;
  text_ = Value;
  owner_->owner_->UpdateWindowItem(this);
}

void TTreeNode::SetImageIndex(int Value) {
  if (imageIndex_ == Value) return;
  imageIndex_ = Value;
  owner_->owner_->UpdateWindowItem(this);
}

void TTreeNode::SetSelectedIndex(int Value) {
  if (selectedIndex_ == Value) return;
  selectedIndex_ = Value;
  owner_->owner_->UpdateWindowItem(this);
}

void TTreeNode::SetStateIndex(int Value) {
  if (stateIndex_ == Value) return;
  stateIndex_ = Value;
  owner_->owner_->UpdateWindowItem(this);
}

int TTreeNode::Index() const {
  const auto& siblings = owner_->SiblingsOf(parent_);
  return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = parent_; p; p = p->parent_) ++level;
  return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& siblings = owner_->SiblingsOf(parent_);
  const int i = Index() + 1;
  return i < int(siblings.size()) ? siblings[size_t(i)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty()) return children_.front();
  for (const TTreeNode* n = this; n; n = n->parent_) {
    if (TTreeNode* next = n->GetNextSibling()) return next;
  }
  return nullptr;
}

bool TTreeNode::Expanded() const {
  HWND w = owner_->owner_->Window();
  if (w && item_) return (SendTo(w, TVM_GETITEMSTATE, WPARAM(item_), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  return expanded_;
}

void TTreeNode::Expand(bool Recurse) {
  TCustomTreeView* view = owner_->owner_;
  if (!children_.empty() && !Expanded() && view->CanExpand(this)) {
    // The window's own notices are not relied on: it sends none for expansions asked by message.
    if (HWND w = view->Window()) {
      const bool wasFilling = view->filling_;
      view->filling_ = true;
      SendTo(w, TVM_EXPAND, TVE_EXPAND, LPARAM(item_));
      view->filling_ = wasFilling;
    }
    expanded_ = true;
    view->Expanded(this);
  }
  if (Recurse)
    for (TTreeNode* c : std::vector<TTreeNode*>(children_)) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  TCustomTreeView* view = owner_->owner_;
  if (Expanded() && view->CanCollapse(this)) {
    if (HWND w = view->Window()) {
      const bool wasFilling = view->filling_;
      view->filling_ = true;
      SendTo(w, TVM_EXPAND, TVE_COLLAPSE, LPARAM(item_));
      view->filling_ = wasFilling;
    }
    expanded_ = false;
    view->Collapsed(this);
  }
  if (Recurse)
    for (TTreeNode* c : std::vector<TTreeNode*>(children_)) c->Collapse(true);
}

bool TTreeNode::Selected() const { return owner_->owner_->Selected() == this; }

void TTreeNode::MakeVisible() {
  HWND w = owner_->owner_->Window();
  if (w && item_) {
    SendTo(w, TVM_ENSUREVISIBLE, 0, LPARAM(item_));
  } else {
    for (TTreeNode* p = parent_; p; p = p->parent_) p->expanded_ = true;
  }
}

void TTreeNode::Delete() { owner_->Delete(this); }

// ---- TTreeNodes ------------------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
  while (!top_.empty()) FreeNode(top_.back());
}

int TTreeNodes::Count() const {
  int n = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++n;
  return n;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& Text) {
  return AddChild(Sibling ? Sibling->parent_ : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& Text) {
  auto* node = new TTreeNode(this, Parent);
  node->text_ = Text;
  auto& siblings = SiblingsOf(Parent);
  siblings.push_back(node);
  if (owner_->sortType_ == stText || owner_->sortType_ == stBoth) owner_->SortLevel(siblings);
  owner_->InsertWindowItem(node);
  return node;
}

void TTreeNodes::FreeNode(TTreeNode* Node) {
  while (!Node->children_.empty()) FreeNode(Node->children_.back());
  owner_->Delete(Node);
  auto& siblings = SiblingsOf(Node->parent_);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), Node), siblings.end());
  if (owner_->selected_ == Node) owner_->selected_ = nullptr;
  Node->Free();
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  HWND w = owner_->Window();
  HTREEITEM item = Node->item_;
  // The window's item goes first (its deletion notices name nodes that still exist).
  if (w && item) {
    owner_->filling_ = true;
    SendTo(w, TVM_DELETEITEM, 0, LPARAM(item));
    owner_->filling_ = false;
  }
  FreeNode(Node);
}

void TTreeNodes::Clear() {
  HWND w = owner_->Window();
  if (w) {
    owner_->filling_ = true;
    SendTo(w, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    owner_->filling_ = false;
  }
  while (!top_.empty()) FreeNode(top_.back());
}

void TTreeNodes::Assign(const TTreeNodes& Source) {
  Clear();
  struct Copier {
    TTreeNodes* target;
    void Copy(TTreeNode* from, TTreeNode* parent) {
      TTreeNode* n = target->AddChild(parent, from->Text());
      n->SetImageIndex(from->ImageIndex());
      n->SetSelectedIndex(from->SelectedIndex());
      n->SetStateIndex(from->StateIndex());
      n->Data = from->Data;
      for (TTreeNode* c : from->children_) Copy(c, n);
    }
  } copier{this};
  for (TTreeNode* n : Source.top_) copier.Copy(n, nullptr);
}

// ---- TCustomTreeView -------------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
  // The window goes before the nodes it points at.
  DestroyHandle();
  items_.Clear();
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses(ICC_TREEVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  Params.SystemClass = WC_TREEVIEWW;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.Style |= TVS_SHOWSELALWAYS;
  if (showButtons_) Params.Style |= TVS_HASBUTTONS;
  if (showLines_) Params.Style |= TVS_HASLINES;
  if (showRoot_) Params.Style |= TVS_LINESATROOT;
  if (!readOnly_) Params.Style |= TVS_EDITLABELS;
}

void TCustomTreeView::InitializeHandle() {
  ApplyImages();
  SendTo(Window(), TVM_SETINDENT, WPARAM(indent_), 0);
  filling_ = true;
  struct Filler {
    TCustomTreeView* view;
    void Fill(TTreeNode* n) {
      view->InsertWindowItem(n);
      for (TTreeNode* c : n->children_) Fill(c);
      if (n->expanded_ && n->item_) SendTo(view->Window(), TVM_EXPAND, TVE_EXPAND, LPARAM(n->item_));
    }
  } filler{this};
  for (TTreeNode* n : items_.top_) filler.Fill(n);
  if (selected_ && selected_->item_) SendTo(Window(), TVM_SELECTITEM, TVGN_CARET, LPARAM(selected_->item_));
  filling_ = false;
}

void TCustomTreeView::DestroyWnd() {
  // The model keeps what the window knew: expanded nodes and the selection.
  if (HWND w = Window()) {
    if (HTREEITEM sel = HTREEITEM(SendTo(w, TVM_GETNEXTITEM, TVGN_CARET, 0))) selected_ = NodeOfItem(sel);
    for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) {
      n->expanded_ = n->item_ && (SendTo(w, TVM_GETITEMSTATE, WPARAM(n->item_), TVIS_EXPANDED) & TVIS_EXPANDED);
    }
  }
  filling_ = true;
  TWinControl::DestroyWnd();
  filling_ = false;
  for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) n->item_ = nullptr;
}

void TCustomTreeView::InsertWindowItem(TTreeNode* Node) {
  HWND w = Window();
  if (!w) return;
  if (Node->parent_ && !Node->parent_->item_) return;
  TVINSERTSTRUCTW ins{};
  ins.hParent = Node->parent_ ? Node->parent_->item_ : TVI_ROOT;
  // After the previous sibling that has a window item (the model's order, sorted or not).
  ins.hInsertAfter = TVI_FIRST;
  const auto& siblings = items_.SiblingsOf(Node->parent_);
  for (TTreeNode* s : siblings) {
    if (s == Node) break;
    if (s->item_) ins.hInsertAfter = s->item_;
  }
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  ins.item.pszText = const_cast<wchar_t*>(Node->text_.c_str());
  ins.item.lParam = reinterpret_cast<LPARAM>(Node);
  ins.item.iImage = Node->imageIndex_;
  ins.item.iSelectedImage = Node->selectedIndex_;
  ins.item.stateMask = TVIS_STATEIMAGEMASK;
  ins.item.state = Node->stateIndex_ >= 0 ? INDEXTOSTATEIMAGEMASK(UINT(Node->stateIndex_)) : 0;
  const bool wasFilling = filling_;
  filling_ = true;
  Node->item_ = HTREEITEM(SendTo(w, TVM_INSERTITEMW, 0, LPARAM(&ins)));
  filling_ = wasFilling;
}

void TCustomTreeView::UpdateWindowItem(TTreeNode* Node) {
  HWND w = Window();
  if (!w || !Node->item_) return;
  TVITEMW item{};
  item.hItem = Node->item_;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
  item.pszText = const_cast<wchar_t*>(Node->text_.c_str());
  item.iImage = Node->imageIndex_;
  item.iSelectedImage = Node->selectedIndex_;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.state = Node->stateIndex_ >= 0 ? INDEXTOSTATEIMAGEMASK(UINT(Node->stateIndex_)) : 0;
  SendTo(w, TVM_SETITEMW, 0, LPARAM(&item));
}

TTreeNode* TCustomTreeView::NodeOfItem(HTREEITEM Item) {
  if (!Item) return nullptr;
  for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext())
    if (n->item_ == Item) return n;
  return nullptr;
}

void TCustomTreeView::ApplyImages() {
  HWND w = Window();
  if (!w) return;
  SendTo(w, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
  SendTo(w, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (images_ == Value) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImages();
  ImagesChanged();
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value) {
  if (stateImages_ == Value) return;
  if (stateImages_) stateImages_->RemoveFreeNotification(this);
  stateImages_ = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImages();
  ImagesChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == images_) SetImages(nullptr);
  if (AComponent == stateImages_) SetStateImages(nullptr);
}

int TCustomTreeView::Indent() {
  if (HWND w = Window()) indent_ = int(SendTo(w, TVM_GETINDENT));
  return indent_;
}

void TCustomTreeView::SetIndent(int Value) {
  indent_ = Value;
  SendTo(Window(), TVM_SETINDENT, WPARAM(Value), 0);
}

void TCustomTreeView::SetShowButtons(bool Value) {
  if (showButtons_ == Value) return;
  showButtons_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowLines(bool Value) {
  if (showLines_ == Value) return;
  showLines_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowRoot(bool Value) {
  if (showRoot_ == Value) return;
  showRoot_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetReadOnly(bool Value) {
  if (readOnly_ == Value) return;
  readOnly_ = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetSortType(TSortType Value) {
  if (sortType_ == Value) return;
  sortType_ = Value;
  if (Value != stNone) AlphaSort();
}

int TCustomTreeView::CompareNodes(TTreeNode* A, TTreeNode* B) {
  if (OnCompare) {
    int result = 0;
    OnCompare(this, A, B, 0, result);
    return result;
  }
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A->text_.c_str(), int(A->text_.size()),
                        B->text_.c_str(), int(B->text_.size())) -
         CSTR_EQUAL;
}

void TCustomTreeView::SortLevel(std::vector<TTreeNode*>& Nodes) {
  std::stable_sort(Nodes.begin(), Nodes.end(), [this](TTreeNode* a, TTreeNode* b) { return CompareNodes(a, b) < 0; });
}

void TCustomTreeView::AlphaSort() {
  SortLevel(items_.top_);
  for (TTreeNode* n = items_.GetFirstNode(); n; n = n->GetNext()) SortLevel(n->children_);
  // The window takes the model's order.
  if (HandleAllocated()) RecreateWnd();
}

TTreeNode* TCustomTreeView::Selected() {
  if (HWND w = Window()) return NodeOfItem(HTREEITEM(SendTo(w, TVM_GETNEXTITEM, TVGN_CARET, 0)));
  return selected_;
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  selected_ = Value;
  if (HWND w = Window()) SendTo(w, TVM_SELECTITEM, TVGN_CARET, LPARAM(Value ? Value->item_ : nullptr));
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* n : std::vector<TTreeNode*>(items_.top_)) n->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* n : std::vector<TTreeNode*>(items_.top_)) n->Collapse(true);
}

THitTests TCustomTreeView::GetHitTestInfoAt(int X, int Y) {
  THitTests result;
  HWND w = Window();
  if (!w) return result;
  TVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  SendTo(w, TVM_HITTEST, 0, LPARAM(&info));
  const UINT f = info.flags;
  if (f & TVHT_ABOVE) result.Include(htAbove);
  if (f & TVHT_BELOW) result.Include(htBelow);
  if (f & TVHT_NOWHERE) result.Include(htNowhere);
  if (f & TVHT_ONITEMBUTTON) result.Include(htOnButton);
  if (f & TVHT_ONITEMICON) result.Include(htOnIcon);
  if (f & TVHT_ONITEMINDENT) result.Include(htOnIndent);
  if (f & TVHT_ONITEMLABEL) result.Include(htOnLabel);
  if (f & TVHT_ONITEMRIGHT) result.Include(htOnRight);
  if (f & TVHT_ONITEMSTATEICON) result.Include(htOnStateIcon);
  if (f & TVHT_TOLEFT) result.Include(htToLeft);
  if (f & TVHT_TORIGHT) result.Include(htToRight);
  if (f & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)) result.Include(htOnItem);
  return result;
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  HWND w = Window();
  if (!w) return nullptr;
  TVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  return NodeOfItem(HTREEITEM(SendTo(w, TVM_HITTEST, 0, LPARAM(&info))));
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging) OnChanging(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanExpand(TTreeNode* Node) {
  bool allow = true;
  if (OnExpanding) OnExpanding(this, Node, allow);
  return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node) {
  bool allow = true;
  if (OnCollapsing) OnCollapsing(this, Node, allow);
  return allow;
}

void TCustomTreeView::Expanded(TTreeNode* Node) {
  if (OnExpanded) OnExpanded(this, Node);
}

void TCustomTreeView::Collapsed(TTreeNode* Node) {
  if (OnCollapsed) OnCollapsed(this, Node);
}

void TCustomTreeView::Delete(TTreeNode* Node) {
  if (OnDeletion) OnDeletion(this, Node);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
  const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
  switch (header->code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGINGA:
      if (!filling_ && !CanChange(reinterpret_cast<TTreeNode*>(tv->itemNew.lParam))) Message.Result = 1;
      break;
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
      // While the window is filled or emptied its selection is no user's: the model's stays.
      if (filling_) break;
      selected_ = reinterpret_cast<TTreeNode*>(tv->itemNew.lParam);
      Change(selected_);
      break;
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA: {
      auto* node = reinterpret_cast<TTreeNode*>(tv->itemNew.lParam);
      if (filling_ || !node) break;
      const bool allow = tv->action == TVE_EXPAND ? CanExpand(node) : CanCollapse(node);
      Message.Result = allow ? 0 : 1;
      break;
    }
    case TVN_ITEMEXPANDEDW:
    case TVN_ITEMEXPANDEDA: {
      auto* node = reinterpret_cast<TTreeNode*>(tv->itemNew.lParam);
      if (filling_ || !node) break;
      node->expanded_ = tv->action == TVE_EXPAND;
      if (tv->action == TVE_EXPAND)
        Expanded(node);
      else
        Collapsed(node);
      break;
    }
    case TVN_BEGINLABELEDITW:
    case TVN_BEGINLABELEDITA:
      Message.Result = readOnly_ ? 1 : 0;
      break;
    default:
      break;
  }
}
