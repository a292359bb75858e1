#pragma once
// The bar library's resource strings (resources/bars/Bars.rc, linked into every program that links
// the library) and their loader.

#include "platform/framework/base/Types.h"

enum TdxBarStringId : int {
  dxbsCustomToolbarPrefix = 64774,      // "Custom "
  dxbsAddRemoveButtons = 64788,         // "&Add or Remove Buttons"
  dxbsMoreButtons = 64789,              // "More Buttons"
  dxbsResetToolbar = 64790,             // "&Reset Toolbar"
  dxbsExpandMenu = 64791,               // "Expand (Ctrl-Down)"
  dxbsDragToFloat = 64792,              // "Drag to make this menu float"
  dxbsSeparatorOnToolbar = 64848,       // "A separator item cannot be placed on the specified toolbar"
  dxbsCannotMerge = 64850,              // "You cannot merge with the specified toolbar"
  dxbsCannotMergeMerged = 64851,        // "You cannot merge a toolbar with a toolbar that is already merged"
  dxbsCannotUnmerge = 64852,            // "You cannot unmerge the specified toolbar"
  dxbsToolbarHasMerged = 64853,         // "The '%s' toolbar has merged toolbars"
  dxbsToolbarAlreadyMerged = 64854,     // "The '%s' toolbar is already merged with the '%s' toolbar"
  dxbsToolbarNotMerged = 64855,         // "The '%s' toolbar is not merged with the '%s' toolbar"
  dxbsDefaultCategory = 64856,          // "Default"
  dxbsNewButton = 64857,                // "New Button"
  dxbsNewItem = 64858,                  // "New Item"
  dxbsNewSeparator = 64860,             // "New Separator"
  dxbsNewSubItem = 64861,               // "New SubItem"
  dxbsResetUsageQuestion = 64864,       // "This will delete the record of the commands you've used ..."
  dxbsOneManagerPerControl = 64865,     // "A control should contain only a single TdxBarManager"
  dxbsOwnerNotWinControl = 64866,       // "TdxBarManager should have TWinControl as its Owner"
  dxbsNoManagers = 64867,               // "There are no TdxBarManagers available"
  dxbsRecursiveMenus = 64872,           // "You cannot create recursive menus"
  dxbsRecursiveGroups = 64875,          // "You cannot create recursive groups"
  dxbsToday = 64888,                    // "Today"
  dxbsClear = 64889,                    // "Clear"
  dxbsResetToolbarQuestion = 64895,     // "Are you sure you want to reset the changes made to the '%s' toolbar?"
};

// The string of the program's module, or its replacement from the foundation's override table.
String dxBarString(int Id);
