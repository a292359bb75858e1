#pragma once
// TsSystemMenu: the skinned system menu of a form whose frame the library paints (restore, move,
// size, minimize, maximize, close), with the optional skin chooser; and the caption-button strip
// that goes with it (which buttons show, which take a click, where they sit).

#include <vector>

#include "platform/framework/controls/Menus.h"
#include "platform/framework/windows/Forms.h"

class TsSkinManager;

// What the item and button rules read of a form.
struct TacCaptionFacts {
  TFormBorderStyle BorderStyle = bsSizeable;
  TWindowState WindowState = wsNormal;
  TBorderIcons BorderIcons{biSystemMenu, biMinimize, biMaximize};
  bool Iconic = false;
  bool MDIChild = false;
  bool SystemMenuShown = true;  // the form had WS_SYSMENU; the library draws its buttons
};

struct TacCaptionRules {
  bool CloseVisible = false, MaximizeVisible = false, MinimizeVisible = false, RestoreVisible = false;
  bool SizeVisible = false;
  bool MaximizeEnabled = false, MinimizeEnabled = false, MoveEnabled = false, RestoreEnabled = false;
  bool SizeEnabled = false;
};
TacCaptionRules CaptionRules(const TacCaptionFacts& f);
// The facts of a form (none: the defaults).
TacCaptionFacts CaptionFactsOf(TCustomForm* form, bool systemMenuShown);

// The caption buttons from the right edge: Close, Maximize (or Restore), Minimize, Help, then the
// title buttons. Widths of the shown ones; Spacing is the skin's "BISPACE".
struct TacButtonStrip {
  int CloseWidth = 21, MaximizeWidth = 21, MinimizeWidth = 21, HelpWidth = 21;
  std::vector<int> TitleWidths;
  int Height = 21;
  int Spacing = 0;
};
struct TacStripPlaces {
  TRect Close, Maximize, Minimize, Help;
  std::vector<TRect> Title;
};
// Width of the whole strip (the room the caption text leaves to it).
int ButtonStripWidth(const TacCaptionFacts& f, const TacButtonStrip& strip);
// Places with the strip's right end at FormWidth - SideFrame - Spacing, centred in the band of
// TitleBarHeight + FrameHeight (2 lower for buttons below 16 pixels).
TacStripPlaces LayoutButtonStrip(const TacCaptionFacts& f, const TacButtonStrip& strip, int formWidth, int sideFrame,
                                 int titleBarHeight, int frameHeight);

class TsSystemMenu : public TPopupMenu {
  DECLARE_CLASS(TsSystemMenu, TPopupMenu)
 public:
  TsSystemMenu(TComponent* owner, TCustomForm* form);
  // Visibility and enabled states by the rules (any failure is swallowed).
  void UpdateItems();
  // Rebuilds the skin chooser when asked, then pops up at (x, y).
  void PopupAt(int x, int y);
  // The chooser: "Available skins" with one radio item per skin, new columns every 20 names.
  void MakeSkinItems();

  TCustomForm* Form = nullptr;
  TsSkinManager* Manager = nullptr;
  bool MakeSkinMenu = false;
  // Whether the form's system menu is drawn by the library (the provider's flag).
  bool SystemMenuShown = true;
  TMenuItem* ItemRestore = nullptr;
  TMenuItem* ItemMove = nullptr;
  TMenuItem* ItemSize = nullptr;
  TMenuItem* ItemMinimize = nullptr;
  TMenuItem* ItemMaximize = nullptr;
  TMenuItem* ItemClose = nullptr;

 private:
  TMenuItem* AddItem(const String& name, int captionId, WPARAM command);
};
