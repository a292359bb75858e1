#include "ui/skins/shell/ShellFolders.h"

#include <cstring>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

TacShellFolder* desktopFolder = nullptr;
bool creatingDesktop = false;
bool oleStarted = false;

// The shell's allocator, one reference for the caller.
IMalloc* ShellMalloc() {
  IMalloc* malloc = nullptr;
  OleCheck(SHGetMalloc(&malloc));
  return malloc;
}

std::uint16_t CountAt(LPCITEMIDLIST list) {
  std::uint16_t count;
  std::memcpy(&count, list, sizeof count);
  return count;
}

void StartUnit() { StartShellFolders(); }
void EndUnit() { EndShellFolders(); }

const TUnitRegistration shellUnit(&StartUnit, &EndUnit);

}  // namespace

LPITEMIDLIST AllocItemIdList(int size) {
  IMalloc* malloc = ShellMalloc();
  void* block = size > 0 ? malloc->Alloc(SIZE_T(size)) : nullptr;
  malloc->Release();
  if (block) std::memset(block, 0, size_t(size));
  return static_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST NextItemId(LPCITEMIDLIST list) {
  auto* bytes = reinterpret_cast<const Byte*>(list);
  return reinterpret_cast<LPITEMIDLIST>(const_cast<Byte*>(bytes + CountAt(list)));
}

int ItemIdListSize(LPCITEMIDLIST list) {
  if (!list) return 0;
  int size = 2;
  for (LPCITEMIDLIST item = list; CountAt(item) != 0; item = NextItemId(item)) size += CountAt(item);
  return size;
}

LPITEMIDLIST CopyItemIdList(LPCITEMIDLIST list) {
  const int size = ItemIdListSize(list);
  LPITEMIDLIST copy = AllocItemIdList(size);
  if (copy && size > 0) std::memcpy(copy, list, size_t(size));
  return copy;
}

LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST list1, LPCITEMIDLIST list2) {
  const int size1 = list1 ? ItemIdListSize(list1) - 2 : 0;
  const int size2 = ItemIdListSize(list2);
  LPITEMIDLIST result = AllocItemIdList(size1 + size2);
  if (!result) return nullptr;
  auto* bytes = reinterpret_cast<Byte*>(result);
  if (size1 > 0) std::memcpy(bytes, list1, size_t(size1));
  if (size2 > 0) std::memcpy(bytes + size1, list2, size_t(size2));
  return result;
}

void FreeItemIdList(LPITEMIDLIST list) {
  IMalloc* malloc = ShellMalloc();
  malloc->Free(list);
  malloc->Release();
}

void DesktopFolderInterface(IShellFolder*& folder) {
  folder = nullptr;
  OleCheck(SHGetDesktopFolder(&folder));
}

LPITEMIDLIST DesktopItemIdList() {
  LPITEMIDLIST list = nullptr;
  OleCheck(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list));
  return list;
}

TacShellFolder::TacShellFolder(TacShellFolder* parent, IShellFolder* folder, LPCITEMIDLIST list)
    : parent_(parent), folder_(folder), strings_(new TStringList()) {
  if (folder_) folder_->AddRef();
  relative_ = CopyItemIdList(list);
  if (parent) {
    absolute_ = ConcatItemIdLists(parent->absolute_, list);
  } else {
    LPITEMIDLIST desktop = DesktopItemIdList();
    absolute_ = ConcatItemIdLists(desktop, list);
    FreeItemIdList(desktop);
    parent_ = creatingDesktop ? nullptr : desktopFolder;
  }
  for (TacShellFolder* ancestor = parent ? parent->parent_ : nullptr; ancestor; ancestor = ancestor->parent_) ++level_;
}

TacShellFolder::~TacShellFolder() {
  strings_->Free();
  if (relative_) FreeItemIdList(relative_);
  if (absolute_) FreeItemIdList(absolute_);
  if (folder_) folder_->Release();
  if (details_) details_->Release();
  if (detInterface_) detInterface_->Release();
}

TacShellFolder* DesktopShellFolder() { return desktopFolder; }

void StartShellFolders() {
  if (!desktopFolder) {
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &list)) && list) {
      IShellFolder* folder = nullptr;
      DesktopFolderInterface(folder);
      creatingDesktop = true;
      try {
        desktopFolder = new TacShellFolder(nullptr, folder, list);
      } catch (...) {
        creatingDesktop = false;
        folder->Release();
        FreeItemIdList(list);
        throw;
      }
      creatingDesktop = false;
      folder->Release();
      FreeItemIdList(list);
    }
  }
  // Nested in the program's own start of OLE, it only counts; the end balances it.
  if (!oleStarted) oleStarted = SUCCEEDED(OleInitialize(nullptr));
}

void EndShellFolders() {
  if (desktopFolder) desktopFolder->Free();
  desktopFolder = nullptr;
  if (oleStarted) OleUninitialize();
  oleStarted = false;
}
