#include "ui/skins/windows/SystemMenu.h"

#include <algorithm>

#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/windows/DialogSkin.h"

DEFINE_CLASS(TsSystemMenu)

namespace {

bool SingleOrSizeable(TFormBorderStyle style) { return style == bsSingle || style == bsSizeable; }

const wchar_t kSkinSelectItem[] = L"SkinSelectItem";

}  // namespace

TacCaptionRules CaptionRules(const TacCaptionFacts& f) {
  TacCaptionRules r;
  const bool sizeable = SingleOrSizeable(f.BorderStyle);
  r.CloseVisible = f.SystemMenuShown;
  r.MaximizeVisible = r.CloseVisible && (f.Iconic || f.MDIChild || (sizeable && f.BorderIcons.Contains(biMaximize)));
  r.MinimizeVisible = r.CloseVisible && (f.Iconic || f.MDIChild || (sizeable && f.BorderIcons.Contains(biMinimize)));
  r.RestoreVisible = r.CloseVisible && (f.MDIChild || sizeable);
  r.SizeVisible = f.MDIChild || sizeable || f.BorderStyle == bsSizeToolWin;
  r.MaximizeEnabled =
      (f.MDIChild || (f.WindowState != wsMaximized && sizeable)) && f.BorderIcons.Contains(biMaximize);
  r.MinimizeEnabled = f.BorderIcons.Contains(biMinimize) && f.WindowState != wsMinimized;
  r.MoveEnabled = f.WindowState != wsMaximized;
  r.RestoreEnabled = (f.BorderIcons.Contains(biMaximize) && f.WindowState != wsNormal) || f.WindowState == wsMinimized;
  r.SizeEnabled = f.BorderStyle != bsSingle && !f.Iconic;
  return r;
}

int ButtonStripWidth(const TacCaptionFacts& f, const TacButtonStrip& strip) {
  if (!f.SystemMenuShown) return 0;
  const TacCaptionRules r = CaptionRules(f);
  int width = strip.CloseWidth + strip.Spacing;
  if (r.MaximizeVisible) width += strip.MaximizeWidth + strip.Spacing;
  if (r.MinimizeVisible) width += strip.MinimizeWidth + strip.Spacing;
  if (f.BorderIcons.Contains(biHelp)) width += strip.HelpWidth + strip.Spacing;
  for (int w : strip.TitleWidths) width += w + strip.Spacing;
  return width;
}

TacStripPlaces LayoutButtonStrip(const TacCaptionFacts& f, const TacButtonStrip& strip, int formWidth, int sideFrame,
                                 int titleBarHeight, int frameHeight) {
  TacStripPlaces places;
  const TacCaptionRules r = CaptionRules(f);
  int x = formWidth - sideFrame - strip.Spacing;
  int top = (titleBarHeight + frameHeight - strip.Height) / 2;
  if (strip.Height < 16) top += 2;
  auto place = [&](int width) {
    TRect bounds(x - width, top, x, top + strip.Height);
    x = bounds.left - strip.Spacing;
    return bounds;
  };
  if (f.SystemMenuShown) {
    places.Close = place(strip.CloseWidth);
    if (r.MaximizeVisible) places.Maximize = place(strip.MaximizeWidth);
    if (r.MinimizeVisible) places.Minimize = place(strip.MinimizeWidth);
    if (f.BorderIcons.Contains(biHelp)) places.Help = place(strip.HelpWidth);
  }
  for (int w : strip.TitleWidths) places.Title.push_back(place(w));
  return places;
}

TsSystemMenu::TsSystemMenu(TComponent* owner, TCustomForm* form) : TPopupMenu(owner), Form(form) {
  ItemRestore = AddItem(L"ItemRestore", kStrRestore, SC_RESTORE);
  ItemMove = AddItem(L"ItemMove", kStrMove, SC_MOVE);
  ItemSize = AddItem(L"ItemSize", kStrSize, SC_SIZE);
  ItemMinimize = AddItem(L"ItemMinimize", kStrMinimize, SC_MINIMIZE);
  ItemMaximize = AddItem(L"ItemMaximize", kStrMaximize, SC_MAXIMIZE);
  AddSystemMenuItem(this, String(), 0, nullptr);
  ItemClose = AddItem(L"ItemClose", kStrClose, SC_CLOSE);
  ItemClose->SetShortCut(static_cast<TShortCut>(scAlt | VK_F4));
}

TMenuItem* TsSystemMenu::AddItem(const String& name, int captionId, WPARAM command) {
  return AddSystemMenuItem(this, name, captionId, [this, command] {
    if (!Form || !Form->HandleAllocated()) return;
    if (command == SC_MINIMIZE && Application && Application->MainForm() == Form) {
      Application->Minimize();
      UpdateItems();
      return;
    }
    if (command == SC_MAXIMIZE && Form->FormStyle() != fsMDIChild) Form->SetWindowState(wsMaximized);
    SendMessageW(Form->Handle(), WM_SYSCOMMAND, command, 0);
    if (command == SC_RESTORE || command == SC_MAXIMIZE) UpdateItems();
  });
}

TacCaptionFacts CaptionFactsOf(TCustomForm* form, bool systemMenuShown) {
  TacCaptionFacts f;
  f.SystemMenuShown = systemMenuShown;
  if (!form) return f;
  f.BorderStyle = form->BorderStyle();
  f.WindowState = form->WindowState();
  f.BorderIcons = form->BorderIcons();
  f.Iconic = form->HandleAllocated() && IsIconic(form->Handle());
  f.MDIChild = form->FormStyle() == fsMDIChild;
  return f;
}

void TsSystemMenu::UpdateItems() {
  if (!Form) return;
  try {
    const TacCaptionRules r = CaptionRules(CaptionFactsOf(Form, SystemMenuShown));
    ItemRestore->SetVisible(r.RestoreVisible);
    ItemRestore->SetEnabled(r.RestoreEnabled);
    ItemMove->SetVisible(true);
    ItemMove->SetEnabled(r.MoveEnabled);
    ItemSize->SetVisible(r.SizeVisible);
    ItemSize->SetEnabled(r.SizeEnabled);
    ItemMinimize->SetVisible(r.MinimizeVisible);
    ItemMinimize->SetEnabled(r.MinimizeEnabled);
    ItemMaximize->SetVisible(r.MaximizeVisible);
    ItemMaximize->SetEnabled(r.MaximizeEnabled);
    ItemClose->SetVisible(r.CloseVisible);
    ItemClose->SetEnabled(true);
  } catch (...) {
  }
}

void TsSystemMenu::MakeSkinItems() {
  // An earlier chooser and its separator go first.
  if (Items()->Count() > 0 && Items()->Items(0)->Name() == kSkinSelectItem) {
    TMenuItem* chooser = Items()->Items(0);
    while (chooser->Count() > 0) {
      TMenuItem* sub = chooser->Items(0);
      chooser->Remove(sub);
      delete sub;
    }
    Items()->Remove(chooser);
    delete chooser;
    if (Items()->Count() > 0 && Items()->Items(0)->IsLine()) {
      TMenuItem* line = Items()->Items(0);
      Items()->Remove(line);
      delete line;
    }
  }
  if (!Manager) return;
  TStringList names;
  Manager->GetSkinNames(names, slBoth);
  if (names.Count() == 0) return;
  auto* chooser = new TMenuItem(this);
  chooser->SetName(kSkinSelectItem);
  chooser->SetCaption(LoadStr(kStrAvailableSkins));
  Items()->Insert(0, chooser);
  auto* line = new TMenuItem(this);
  line->SetCaption(L"-");
  Items()->Insert(1, line);
  for (int i = 0; i < names.Count(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetName(kSkinSelectItem + IntToStr(i));
    item->SetCaption(names.Strings(i));
    item->SetRadioItem(true);
    item->SetChecked(names.Strings(i) == Manager->SkinName());
    if (i > 0 && i % 20 == 0) item->SetBreak(mbBreak);
    item->OnClick = [this, item](TObject*) {
      String name = item->Caption();
      name.erase(std::remove(name.begin(), name.end(), L'&'), name.end());
      if (Manager) Manager->SetSkinName(name);
    };
    chooser->Add(item);
  }
}

void TsSystemMenu::PopupAt(int x, int y) {
  if (MakeSkinMenu) {
    MakeSkinItems();
    if (Manager && Manager->SkinnedPopups() && Manager->SkinableMenus()) Manager->SkinableMenus()->HookPopupMenu(this, true);
  }
  Popup(x, y);
}
