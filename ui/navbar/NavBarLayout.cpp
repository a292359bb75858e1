// The bar's layout in INI form: view, groups, items, links, selection, and optionally the style
// repository with the style references. Saving erases only the sections a layout writes; loading
// checks the whole file first, so a bad file raises and changes nothing.

#include <memory>
#include <vector>

#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/navbar/NavBar.h"
#include "ui/navbar/NavBarItems.h"
#include "ui/navbar/NavBarStyles.h"

namespace {

const String kLayout = L"Layout";

struct StyleKey {
  const wchar_t* Key;
  int Index;
};

// The bar's references, in the order they are written.
const StyleKey kBarStyleKeys[] = {
    {L"StyleBackgroundStyleIndex", csBackground},
    {L"StyleButtonStyleIndex", csButton},
    {L"StyleButtonHotTrackedStyleIndex", csButtonHotTracked},
    {L"StyleButtonPressedStyleIndex", csButtonPressed},
    {L"StyleDropTargetGroupStyleIndex", csDropTargetGroup},
    {L"StyleDropTargetLinkStyleIndex", csDropTargetLink},
    {L"StyleHintStyleIndex", csHint},
    {L"StyleNavigationPaneHeaderStyleIndex", csNavigationPaneHeader},
};
const StyleKey kItemStyleKeys[] = {
    {L"StyleStyleIndex", icsItem},
    {L"StyleDisabledStyleIndex", icsItemDisabled},
    {L"StyleHotTrackedStyleIndex", icsItemHotTracked},
    {L"StylePressedStyleIndex", icsItemPressed},
};
// The group's Control, HeaderActiveHotTracked and HeaderActivePressed references are not stored.
const StyleKey kGroupStyleKeys[] = {
    {L"StyleBackgroundStyleIndex", gcsBackground},
    {L"StyleHeaderStyleIndex", gcsHeader},
    {L"StyleHeaderActiveStyleIndex", gcsHeaderActive},
    {L"StyleHeaderHotTrackedStyleIndex", gcsHeaderHotTracked},
    {L"StyleHeaderPressedStyleIndex", gcsHeaderPressed},
};

String Numbered(const wchar_t* base, int n) { return base + IntToStr(n); }

// "Layout", or "Style", "Item" or "Group" followed by decimal digits only: the sections a layout
// writes. Other sections of a shared file stay.
bool IsLayoutSection(const String& name) {
  if (name == kLayout) return true;
  for (const wchar_t* base : {L"Style", L"Item", L"Group"}) {
    const String prefix = base;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    bool digits = true;
    for (size_t i = prefix.size(); i < name.size(); ++i) digits = digits && name[i] >= L'0' && name[i] <= L'9';
    if (digits) return true;
  }
  return false;
}

template <size_t N>
void WriteStyleRefs(TCustomIniFile* ini, const String& section, const StyleKey (&keys)[N],
                    TdxNavBarBaseCustomStyles* styles, TdxNavBarStyleRepository* repository) {
  for (const StyleKey& key : keys)
    if (TdxNavBarStyleItem* item = styles->StyleAt(key.Index))
      ini->WriteInteger(section, key.Key, repository->IndexOf(item));
}

template <size_t N>
void CheckStyleRefs(TCustomIniFile* ini, const String& section, const StyleKey (&keys)[N], int repositoryCount) {
  for (const StyleKey& key : keys) {
    if (!ini->ValueExists(section, key.Key)) continue;
    const int index = ini->ReadInteger(section, key.Key, 0);
    if (index < 0 || index >= repositoryCount) RaiseListIndexError(index);
  }
}

template <size_t N>
void ReadStyleRefs(TCustomIniFile* ini, const String& section, const StyleKey (&keys)[N],
                   TdxNavBarBaseCustomStyles* styles, TdxNavBarStyleRepository* repository) {
  for (const StyleKey& key : keys)
    if (ini->ValueExists(section, key.Key))
      styles->SetStyleAt(key.Index, repository->ItemAt(ini->ReadInteger(section, key.Key, 0)));
}

void WriteStyle(TCustomIniFile* ini, const String& section, TdxNavBarStyleItem* item) {
  TdxNavBarStyle* style = item->Style();
  const TdxBarStyleAssignedValues assigned = style->AssignedValues();
  if (assigned.Contains(savBackColor)) ini->WriteInteger(section, L"BackColor", style->BackColor());
  if (assigned.Contains(savBackColor2)) ini->WriteInteger(section, L"BackColor2", style->BackColor2());
  if (assigned.Contains(savAlphaBlending)) ini->WriteInteger(section, L"AlphaBlending", style->AlphaBlending());
  if (assigned.Contains(savAlphaBlending2)) ini->WriteInteger(section, L"AlphaBlending2", style->AlphaBlending2());
  if (assigned.Contains(savFont)) {
    TFont* font = style->Font();
    ini->WriteInteger(section, L"FontCharset", font->Charset());
    ini->WriteInteger(section, L"FontColor", font->Color());
    ini->WriteInteger(section, L"FontHeight", font->Height());
    ini->WriteString(section, L"FontName", font->Name());
    ini->WriteInteger(section, L"FontPitch", int(font->Pitch()));
    ini->WriteInteger(section, L"FontSize", font->Size());
    ini->WriteBool(section, L"FontStyleBold", font->Style().Contains(fsBold));
    ini->WriteBool(section, L"FontStyleItalic", font->Style().Contains(fsItalic));
    ini->WriteBool(section, L"FontStyleUnderline", font->Style().Contains(fsUnderline));
    ini->WriteBool(section, L"FontStyleStrikeOut", font->Style().Contains(fsStrikeOut));
  }
  if (assigned.Contains(savGradientMode)) ini->WriteInteger(section, L"GradientMode", int(style->GradientMode()));
  TGraphic* graphic = style->Image()->Graphic();
  if (assigned.Contains(savImage) && graphic && !graphic->Empty()) {
    TMemoryStream bytes;
    graphic->SaveToStream(bytes);
    ini->WriteString(section, L"ImageClass", graphic->ClassName());
    ini->WriteString(section, L"Image", BinToHex(bytes.Memory(), size_t(bytes.Size())));
  }
  if (assigned.Contains(savHAlignment)) ini->WriteInteger(section, L"HAlignment", int(style->HAlignment()));
  if (assigned.Contains(savVAlignment)) ini->WriteInteger(section, L"VAlignment", int(style->VAlignment()));
  ini->WriteInteger(section, L"Tag", int(item->Tag));
}

// A style section's picture, read and decoded before anything changes; null when the section has
// none or names no registered graphic class.
std::unique_ptr<TGraphic, TFreeDeleter> ReadStyleImage(TCustomIniFile* ini, const String& section) {
  if (!ini->ValueExists(section, L"Image")) return nullptr;
  std::vector<Byte> bytes;
  if (!HexToBin(ini->ReadString(section, L"Image", String()), bytes)) throw EReadError(L"Invalid property value");
  // Only picture classes: stored text cannot make anything else.
  TGraphicClass graphicClass = GetClassOf<TGraphic>(ini->ReadString(section, L"ImageClass", String()));
  if (!graphicClass) return nullptr;
  std::unique_ptr<TGraphic, TFreeDeleter> graphic(graphicClass->Create());
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), Int64(bytes.size()));
  stream.SetPosition(0);
  graphic->LoadFromStream(stream);
  return graphic;
}

void ReadStyle(TCustomIniFile* ini, const String& section, TdxNavBarStyleItem* item, TGraphic* image) {
  TdxNavBarStyle* style = item->Style();
  style->SetBackColor(ini->ReadInteger(section, L"BackColor", style->BackColor()));
  style->SetBackColor2(ini->ReadInteger(section, L"BackColor2", style->BackColor2()));
  style->SetAlphaBlending(Byte(ini->ReadInteger(section, L"AlphaBlending", style->AlphaBlending())));
  style->SetAlphaBlending2(Byte(ini->ReadInteger(section, L"AlphaBlending2", style->AlphaBlending2())));
  TFont* font = style->Font();
  font->SetCharset(TFontCharset(ini->ReadInteger(section, L"FontCharset", font->Charset())));
  font->SetColor(ini->ReadInteger(section, L"FontColor", font->Color()));
  font->SetHeight(ini->ReadInteger(section, L"FontHeight", font->Height()));
  font->SetName(ini->ReadString(section, L"FontName", font->Name()));
  font->SetPitch(TFontPitch(ini->ReadInteger(section, L"FontPitch", int(font->Pitch()))));
  font->SetSize(ini->ReadInteger(section, L"FontSize", font->Size()));
  // A style read True is added; False never removes one.
  TFontStyles styles = font->Style();
  const std::pair<const wchar_t*, TFontStyle> flags[] = {{L"FontStyleBold", fsBold},
                                                         {L"FontStyleItalic", fsItalic},
                                                         {L"FontStyleUnderline", fsUnderline},
                                                         {L"FontStyleStrikeOut", fsStrikeOut}};
  for (const auto& [key, flag] : flags)
    if (ini->ReadBool(section, key, false)) styles.Include(flag);
  if (styles.Bits() != font->Style().Bits()) font->SetStyle(styles);
  style->SetGradientMode(
      TdxBarStyleGradientMode(ini->ReadInteger(section, L"GradientMode", int(style->GradientMode()))));
  if (image) style->Image()->SetGraphic(image);
  style->SetHAlignment(TdxBarStyleHAlignment(ini->ReadInteger(section, L"HAlignment", int(style->HAlignment()))));
  style->SetVAlignment(TdxBarStyleVAlignment(ini->ReadInteger(section, L"VAlignment", int(style->VAlignment()))));
  item->Tag = ini->ReadInteger(section, L"Tag", int(item->Tag));
}

// The item or group a section names: by Name, else by Caption, else a new one.
template <class Collection, class Item>
Item* FindOrAdd(TCustomIniFile* ini, const String& section, Collection* collection, Item* (Collection::*add)()) {
  const String name = ini->ReadString(section, L"Name", String());
  if (!name.empty())
    if (auto found = dynamic_cast<Item*>(collection->FindByName(name))) return found;
  const String caption = ini->ReadString(section, L"Caption", String());
  if (!caption.empty())
    if (auto found = dynamic_cast<Item*>(collection->FindByCaption(caption))) return found;
  return (collection->*add)();
}

}  // namespace

void TdxCustomNavBar::SaveToIniFile(TCustomIniFile* AIniFile, bool ASaveStyles) {
  TStringList sections;
  AIniFile->ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i)
    if (IsLayoutSection(sections[i])) AIniFile->EraseSection(sections[i]);

  TdxNavBarStyleRepository* repository = OptionsStyle()->CustomStyleRepository();
  AIniFile->WriteInteger(kLayout, L"View", View());
  if (ASaveStyles) {
    AIniFile->WriteInteger(kLayout, L"StyleCount", repository->ItemCount());
    for (int i = 0; i < repository->ItemCount(); ++i) WriteStyle(AIniFile, Numbered(L"Style", i), repository->ItemAt(i));
  }
  const bool styleRefs = ASaveStyles && repository->ItemCount() > 0;

  AIniFile->WriteInteger(kLayout, L"ItemCount", Items()->Count());
  for (int i = 0; i < Items()->Count(); ++i) {
    TdxNavBarItem* item = Items()->ItemAt(i);
    const String section = Numbered(L"Item", i);
    AIniFile->WriteString(section, L"Caption", item->Caption());
    AIniFile->WriteBool(section, L"Enabled", item->Enabled());
    AIniFile->WriteString(section, L"Hint", item->Hint());
    AIniFile->WriteInteger(section, L"LargeImageIndex", item->LargeImageIndex());
    AIniFile->WriteString(section, L"Name", item->Name());
    AIniFile->WriteInteger(section, L"SmallImageIndex", item->SmallImageIndex());
    if (styleRefs) WriteStyleRefs(AIniFile, section, kItemStyleKeys, item->CustomStyles(), repository);
    AIniFile->WriteInteger(section, L"Tag", int(item->Tag));
    AIniFile->WriteBool(section, L"Visible", item->Visible());
  }

  AIniFile->WriteInteger(kLayout, L"GroupCount", Groups()->Count());
  for (int i = 0; i < Groups()->Count(); ++i) {
    TdxNavBarGroup* group = Groups()->GroupAt(i);
    const String section = Numbered(L"Group", i);
    AIniFile->WriteString(section, L"Caption", group->Caption());
    AIniFile->WriteBool(section, L"Expanded", group->Expanded());
    AIniFile->WriteString(section, L"Hint", group->Hint());
    AIniFile->WriteInteger(section, L"LargeImageIndex", group->LargeImageIndex());
    AIniFile->WriteInteger(section, L"LinkCount", group->LinkCount());
    // Links without an item leave a gap in the keys.
    for (int j = 0; j < group->LinkCount(); ++j)
      if (TdxNavBarItem* item = group->LinkAt(j)->Item())
        AIniFile->WriteInteger(section, L"Link" + IntToStr(j) + L"ItemIndex", Items()->IndexOf(item));
    AIniFile->WriteBool(section, L"LinksUseSmallImages", group->LinksUseSmallImages());
    AIniFile->WriteString(section, L"Name", group->Name());
    AIniFile->WriteInteger(section, L"SelectedLinkIndex", group->SelectedLinkIndex());
    AIniFile->WriteBool(section, L"ShowControl", group->ShowControl());
    AIniFile->WriteBool(section, L"ShowAsIconView", group->ShowAsIconView());
    AIniFile->WriteBool(section, L"ShowExpandButton", group->OptionsExpansion()->ShowExpandButton());
    AIniFile->WriteInteger(section, L"SmallImageIndex", group->SmallImageIndex());
    if (styleRefs) WriteStyleRefs(AIniFile, section, kGroupStyleKeys, group->CustomStyles(), repository);
    AIniFile->WriteInteger(section, L"Tag", int(group->Tag));
    AIniFile->WriteInteger(section, L"TopVisibleLinkIndex", group->TopVisibleLinkIndex());
    AIniFile->WriteBool(section, L"UseSmallImages", group->UseSmallImages());
    AIniFile->WriteBool(section, L"Visible", group->Visible());
    AIniFile->WriteBool(section, L"UseControl", group->UseControl());
    if (group->UseControl()) {
      AIniFile->WriteBool(section, L"ShowControl", group->ShowControl());
      if (group->Control()) AIniFile->WriteString(section, L"ControlName", group->Control()->Name());
    }
  }

  if (styleRefs) WriteStyleRefs(AIniFile, kLayout, kBarStyleKeys, OptionsStyle()->CustomStyles(), repository);
  AIniFile->WriteInteger(kLayout, L"ActiveGroup", ActiveGroupIndex());
  AIniFile->WriteInteger(kLayout, L"NavigationPaneMaxVisibleGroups",
                         OptionsView()->NavigationPane()->MaxVisibleGroups());
}

void TdxCustomNavBar::LoadFromIniFile(TCustomIniFile* AIniFile, bool ALoadStyles) {
  TdxNavBarStyleRepository* repository = OptionsStyle()->CustomStyleRepository();

  // ---- the whole file is checked first ----
  const bool readStyles = ALoadStyles && AIniFile->ValueExists(kLayout, L"StyleCount");
  const int styleCount = readStyles ? std::max(0, AIniFile->ReadInteger(kLayout, L"StyleCount", 0)) : 0;
  std::vector<std::unique_ptr<TGraphic, TFreeDeleter>> images;
  for (int i = 0; i < styleCount; ++i) images.push_back(ReadStyleImage(AIniFile, Numbered(L"Style", i)));
  const int repositoryCount = readStyles ? styleCount : repository->ItemCount();
  const bool styleRefs = ALoadStyles && repositoryCount > 0;
  const bool readItems = AIniFile->ValueExists(kLayout, L"ItemCount");
  const int itemCount = readItems ? std::max(0, AIniFile->ReadInteger(kLayout, L"ItemCount", 0)) : 0;
  const bool readGroups = AIniFile->ValueExists(kLayout, L"GroupCount");
  const int groupCount = readGroups ? std::max(0, AIniFile->ReadInteger(kLayout, L"GroupCount", 0)) : 0;
  if (styleRefs) {
    for (int i = 0; i < itemCount; ++i) CheckStyleRefs(AIniFile, Numbered(L"Item", i), kItemStyleKeys, repositoryCount);
    for (int i = 0; i < groupCount; ++i)
      CheckStyleRefs(AIniFile, Numbered(L"Group", i), kGroupStyleKeys, repositoryCount);
    CheckStyleRefs(AIniFile, kLayout, kBarStyleKeys, repositoryCount);
  }

  // ---- then applied ----
  BeginUpdate();
  try {
    SetView(AIniFile->ReadInteger(kLayout, L"View", View()));
    if (readStyles) {
      repository->FreeAllItems();
      for (int i = 0; i < styleCount; ++i)
        ReadStyle(AIniFile, Numbered(L"Style", i), repository->Add(), images[size_t(i)].get());
    }

    for (int i = 0; i < itemCount; ++i) {
      const String section = Numbered(L"Item", i);
      TdxNavBarItem* item = FindOrAdd(AIniFile, section, Items(), &TdxNavBarItems::AddNewItem);
      item->SetCaption(AIniFile->ReadString(section, L"Caption", item->Caption()));
      item->SetEnabled(AIniFile->ReadBool(section, L"Enabled", item->Enabled()));
      item->SetHint(AIniFile->ReadString(section, L"Hint", item->Hint()));
      item->SetLargeImageIndex(AIniFile->ReadInteger(section, L"LargeImageIndex", item->LargeImageIndex()));
      item->SetSmallImageIndex(AIniFile->ReadInteger(section, L"SmallImageIndex", item->SmallImageIndex()));
      if (styleRefs) ReadStyleRefs(AIniFile, section, kItemStyleKeys, item->CustomStyles(), repository);
      item->Tag = AIniFile->ReadInteger(section, L"Tag", int(item->Tag));
      item->SetVisible(AIniFile->ReadBool(section, L"Visible", item->Visible()));
    }

    if (readGroups) {
      // Controls of groups that show one are given up first; the ones no section takes back go.
      std::vector<TdxNavBarGroupControl*> detached;
      for (int i = 0; i < Groups()->Count(); ++i) {
        TdxNavBarGroup* group = Groups()->GroupAt(i);
        if (group->UseControl() && group->Control()) {
          detached.push_back(group->Control());
          group->DetachControl();
        }
      }
      for (int n = 0; n < groupCount; ++n) {
        const String section = Numbered(L"Group", n);
        TdxNavBarGroup* group = FindOrAdd(AIniFile, section, Groups(), &TdxNavBarGroups::Add);
        group->SetCaption(AIniFile->ReadString(section, L"Caption", group->Caption()));
        group->SetExpanded(AIniFile->ReadBool(section, L"Expanded", group->Expanded()));
        group->SetHint(AIniFile->ReadString(section, L"Hint", group->Hint()));
        group->SetLargeImageIndex(AIniFile->ReadInteger(section, L"LargeImageIndex", group->LargeImageIndex()));
        group->SetLinksUseSmallImages(AIniFile->ReadBool(section, L"LinksUseSmallImages", group->LinksUseSmallImages()));
        group->ClearLinks();
        const int links = AIniFile->ReadInteger(section, L"LinkCount", 0);
        for (int j = 0; j < links; ++j) {
          const int index = AIniFile->ReadInteger(section, L"Link" + IntToStr(j) + L"ItemIndex", -1);
          if (index >= 0 && index < Items()->Count()) group->AddLinkForItem(Items()->ItemAt(index));
        }
        group->SetSelectedLinkIndex(AIniFile->ReadInteger(section, L"SelectedLinkIndex", group->SelectedLinkIndex()));
        group->SetShowAsIconView(AIniFile->ReadBool(section, L"ShowAsIconView", group->ShowAsIconView()));
        group->OptionsExpansion()->SetShowExpandButton(
            AIniFile->ReadBool(section, L"ShowExpandButton", group->OptionsExpansion()->ShowExpandButton()));
        group->SetSmallImageIndex(AIniFile->ReadInteger(section, L"SmallImageIndex", group->SmallImageIndex()));
        if (styleRefs) ReadStyleRefs(AIniFile, section, kGroupStyleKeys, group->CustomStyles(), repository);
        group->Tag = AIniFile->ReadInteger(section, L"Tag", int(group->Tag));
        group->SetTopVisibleLinkIndex(
            AIniFile->ReadInteger(section, L"TopVisibleLinkIndex", group->TopVisibleLinkIndex()));
        group->SetUseSmallImages(AIniFile->ReadBool(section, L"UseSmallImages", group->UseSmallImages()));
        group->SetVisible(AIniFile->ReadBool(section, L"Visible", group->Visible()));
        if (AIniFile->ReadBool(section, L"UseControl", false)) {
          TComponent* owner = group->Owner();
          TComponent* found =
              owner ? owner->FindComponent(AIniFile->ReadString(section, L"ControlName", String())) : nullptr;
          if (auto control = dynamic_cast<TdxNavBarGroupControl*>(found)) {
            group->AttachControl(control);
            group->OptionsGroupControl()->SetUseControl(true);
            group->OptionsGroupControl()->SetShowControl(
                AIniFile->ReadBool(section, L"ShowControl", group->ShowControl()));
            detached.erase(std::remove(detached.begin(), detached.end(), control), detached.end());
          }
        }
        group->MoveToIndex(n);
      }
      for (TdxNavBarGroupControl* control : detached) control->Free();
    }

    const int active = AIniFile->ReadInteger(kLayout, L"ActiveGroup", ActiveGroupIndex());
    if (active >= 0 && active < Groups()->Count()) SetActiveGroupIndex(active);
    OptionsView()->NavigationPane()->SetMaxVisibleGroups(AIniFile->ReadInteger(
        kLayout, L"NavigationPaneMaxVisibleGroups", OptionsView()->NavigationPane()->MaxVisibleGroups()));
    if (styleRefs) ReadStyleRefs(AIniFile, kLayout, kBarStyleKeys, OptionsStyle()->CustomStyles(), repository);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
