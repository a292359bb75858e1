#pragma once
// Item-identifier lists of the shell namespace and TacShellFolder, a shell folder bound to its
// relative and absolute lists and its parent. The unit's start keeps a folder object for the
// desktop and starts OLE for the GUI thread; its end undoes both. Lists made here come from the
// shell's allocator and go back to it with FreeItemIdList.

#include <shlobj.h>

#include "platform/framework/classes/Object.h"
#include "platform/framework/classes/Strings.h"

// Beside the shell's details interface (IShellDetails) a folder keeps a second one, declared with
// IUnknown's identity.
struct IDetInterface : public IUnknown {};

// Size bytes from the shell's allocator, zero-filled; null when the allocator has none. Raises
// EOleSysError when the allocator cannot be had.
LPITEMIDLIST AllocItemIdList(int size);
// The item after the first one of the list: the list plus its first count.
LPITEMIDLIST NextItemId(LPCITEMIDLIST list);
// 0 for none; else 2 plus the counts of the items up to the terminating zero count.
int ItemIdListSize(LPCITEMIDLIST list);
// A new list of the same bytes; null when the allocation fails.
LPITEMIDLIST CopyItemIdList(LPCITEMIDLIST list);
// A new list: list1's items (none for null), then list2 with its terminator.
LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST list1, LPCITEMIDLIST list2);
void FreeItemIdList(LPITEMIDLIST list);
// The desktop's folder interface (one reference for the caller); raises EOleSysError on failure.
void DesktopFolderInterface(IShellFolder*& folder);
// The desktop's list (the caller frees it); raises EOleSysError on failure.
LPITEMIDLIST DesktopItemIdList();

class TacShellFolder : public TObject {
 public:
  // Folder: the folder's interface (a reference is held); list: its list relative to the parent.
  // Without a parent the desktop's object becomes the parent.
  TacShellFolder(TacShellFolder* parent, IShellFolder* folder, LPCITEMIDLIST list);
  ~TacShellFolder() override;

  LPCITEMIDLIST RelativeList() const { return relative_; }
  LPCITEMIDLIST AbsoluteList() const { return absolute_; }
  TacShellFolder* Parent() const { return parent_; }
  IShellFolder* Folder() const { return folder_; }
  IShellDetails* Details() const { return details_; }
  // The ancestors of the parent given to the constructor: 0 for the desktop and its children.
  int Level() const { return level_; }
  TStringList* Strings() const { return strings_; }

 private:
  LPITEMIDLIST relative_ = nullptr;
  LPITEMIDLIST absolute_ = nullptr;
  TacShellFolder* parent_ = nullptr;
  IShellFolder* folder_ = nullptr;
  IShellDetails* details_ = nullptr;
  IDetInterface* detInterface_ = nullptr;
  int level_ = 0;
  TStringList* strings_;
};

// The unit's folder object of the desktop; null before the unit start or when the shell gave none.
TacShellFolder* DesktopShellFolder();
// The unit's start (the desktop object, then OLE) and end (the object freed, OLE uninitialized).
void StartShellFolders();
void EndShellFolders();
