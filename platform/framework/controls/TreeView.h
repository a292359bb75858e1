#pragma once
// The tree view over the system's class: nodes kept by the control (so they survive the window's
// re-creation), images and state images, indent, buttons, lines, root, sorting with a comparer, full
// expand, hit tests, and the change, expand and collapse events.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <memory>
#include <vector>

#include "platform/framework/controls/ComCtrls.h"
#include "platform/framework/graphics/ImageList.h"

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TObject {
  DECLARE_CLASS(TTreeNode, TObject)
 public:
  const String& Text() const { return text_; }
  void SetText(const String& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int Value);
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int Value);
  void* Data = nullptr;

  TTreeNode* Parent() const { return parent_; }
  int Count() const { return int(children_.size()); }
  TTreeNode* Item(int Index) const { return children_[size_t(Index)]; }
  int Index() const;
  int Level() const;
  bool HasChildren() const { return !children_.empty(); }
  TTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }
  TTreeNode* GetNextSibling() const;
  // The next node in depth-first order, or null.
  TTreeNode* GetNext() const;
  bool Expanded() const;
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void MakeVisible();
  // Frees the node and its children (children first).
  void Delete();
  HTREEITEM ItemId() const { return item_; }
  TTreeNodes* Owner() const { return owner_; }

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : owner_(Owner), parent_(Parent) {}
  TTreeNodes* owner_;
  TTreeNode* parent_;
  std::vector<TTreeNode*> children_;
  String text_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  int stateIndex_ = -1;
  bool expanded_ = false;
  HTREEITEM item_ = nullptr;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TCustomTreeView* Owner) : owner_(Owner) {}
  ~TTreeNodes();
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;

  TCustomTreeView* Owner() const { return owner_; }
  // All nodes, at every level.
  int Count() const;
  int TopCount() const { return int(top_.size()); }
  TTreeNode* TopItem(int Index) const { return top_[size_t(Index)]; }
  TTreeNode* GetFirstNode() const { return top_.empty() ? nullptr : top_.front(); }
  // A new last node among the siblings of Sibling (top level when Sibling is null).
  TTreeNode* Add(TTreeNode* Sibling, const String& Text);
  // A new last child of Parent (top level when Parent is null).
  TTreeNode* AddChild(TTreeNode* Parent, const String& Text);
  void Delete(TTreeNode* Node);
  void Clear();
  // Copies the nodes (texts, indexes, data, structure) of Source.
  void Assign(const TTreeNodes& Source);

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  std::vector<TTreeNode*>& SiblingsOf(TTreeNode* Parent) { return Parent ? Parent->children_ : top_; }
  void FreeNode(TTreeNode* Node);
  TCustomTreeView* owner_;
  std::vector<TTreeNode*> top_;
};

enum TSortType { stNone, stData, stText, stBoth };
enum THitTest { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight,
                htOnStateIcon, htToLeft, htToRight };
using THitTests = TSet<THitTest>;

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
using TTVCompareEvent = TEvent<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;

class TCustomTreeView : public TWinControl {
  DECLARE_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() { return &items_; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return stateImages_; }
  void SetStateImages(TCustomImageList* Value);
  int Indent();
  void SetIndent(int Value);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool Value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool Value);
  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType Value);

  TTreeNode* Selected();
  void SetSelected(TTreeNode* Value);
  void FullExpand();
  void FullCollapse();
  // Sorts every level (by OnCompare when set, else by text, ignoring case).
  void AlphaSort();
  THitTests GetHitTestInfoAt(int X, int Y);
  TTreeNode* GetNodeAt(int X, int Y);
  // The node whose window item is Item, or null.
  TTreeNode* NodeOfItem(HTREEITEM Item);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVCompareEvent OnCompare;
  TTVExpandedEvent OnDeletion;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeHandle() override;
  void DestroyWnd() override;
  virtual void Change(TTreeNode* Node);
  virtual bool CanChange(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Expanded(TTreeNode* Node);
  virtual void Collapsed(TTreeNode* Node);
  virtual void Delete(TTreeNode* Node);
  virtual void ImagesChanged() {}
  void CNNotify(TMessage& Message);

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(CN_NOTIFY, CNNotify)
  MESSAGE_MAP_END

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  HWND Window() { return HandleAllocated() ? Handle() : nullptr; }
  void InsertWindowItem(TTreeNode* Node);
  void UpdateWindowItem(TTreeNode* Node);
  void SortLevel(std::vector<TTreeNode*>& Nodes);
  int CompareNodes(TTreeNode* A, TTreeNode* B);
  void ApplyImages();
  void ApplySort();

  TTreeNodes items_{this};
  TCustomImageList* images_ = nullptr;
  TCustomImageList* stateImages_ = nullptr;
  int indent_ = 19;
  bool showButtons_ = true;
  bool showLines_ = true;
  bool showRoot_ = true;
  bool readOnly_ = false;
  TSortType sortType_ = stNone;
  // Set while the window is filled or emptied: its notifications are no user's doing.
  bool filling_ = false;
  TTreeNode* selected_ = nullptr;
};

class TTreeView : public TCustomTreeView {
  DECLARE_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};
