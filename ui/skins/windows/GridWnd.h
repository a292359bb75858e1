#pragma once
// Subclass objects for grids, virtual trees and the data-aware combo boxes of the adapter's lists.
// Their colours are read and written through the owner control's published properties by name,
// and only when the control publishes them.

#include "ui/skins/windows/EditWnd.h"

class TacGridWnd : public TacEditWnd {
  DECLARE_CLASS(TacGridWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  void StoreOriginalParams() override;
  void RestoreOriginalParams() override;
  void ApplySkinParams() override;
  void ProcessMessage(TMessage& message) override;

  TColor SavedFixedColor = clNone;
  TColor SavedFooterColor = clNone;
  TColor SavedFooterCellColor = clNone;
  TColor SavedTitleFontColor = clNone;
  TColor SavedTitleColor = clNone;
  TColor SavedIndicatorIconColor = clNone;
};

class TacGridEhWnd : public TacGridWnd {
  DECLARE_CLASS(TacGridEhWnd, TacGridWnd)
 public:
  using TacGridWnd::TacGridWnd;
};

// Tree and list controls with a "Header" object and "VETColors".
class TacVirtualTreeViewWnd : public TacEditWnd {
  DECLARE_CLASS(TacVirtualTreeViewWnd, TacEditWnd)
 public:
  using TacEditWnd::TacEditWnd;
  void StoreOriginalParams() override;
  void RestoreOriginalParams() override;
  void ApplySkinParams() override;
  void ProcessMessage(TMessage& message) override;

  TColor SavedCompressedTextColor = clNone;
  TColor SavedFileTextColor = clNone;
  TColor SavedFolderTextColor = clNone;
  bool SavedOwnerDraw = false;
};

// Data-aware combo boxes: a button unless the control is a "TComboBox" of a style without one.
class TacWWComboBoxWnd : public TacComboBoxWnd {
  DECLARE_CLASS(TacWWComboBoxWnd, TacComboBoxWnd)
 public:
  TacWWComboBoxWnd(TWinControl* control, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  void GetButtonRect(TRect& r) override;
  bool HasButton = true;
};
