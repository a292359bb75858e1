#pragma once
// Tearing a menu off: a press on the strip at the top of a detachable sub-item's menu starts a drag.
// Once the pointer leaves the strip by more than 15 pixels the menu closes and the sub-item's
// detaching toolbar floats under the pointer; moving back puts the menu back, Escape cancels, and
// the release leaves the toolbar where it is.

class TdxBarSubMenuControl;

// Runs the drag from a press on the menu's hot strip. The menu may be freed during the drag: the
// caller must not touch it afterwards.
void TearOffMenu(TdxBarSubMenuControl* Menu);

// The zone around the strip the pointer may move in without tearing the menu off.
constexpr int kTearOffZone = 15;
