#include "ui/skins/core/SkinManager.h"

#include <algorithm>
#include <cwchar>

#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/skins/controls/SkinMenus.h"
#include "ui/skins/core/SkinArchive.h"
#include "ui/skins/core/SkinConvertor.h"
#include "ui/skins/core/SkinIniText.h"
#include "ui/skins/core/SkinLoaders.h"
#include "ui/skins/windows/DialogSkin.h"

DEFINE_CLASS(TacAnimEffects)
DEFINE_CLASS(TacMenuSupport)
DEFINE_CLASS(ThirdPartyList)
DEFINE_CLASS(TsSkinManager)

const bool IsNTPlatform = true;
TsSkinManager* DefaultManager = nullptr;
bool SkinLoading = false;
bool SkinApplying = false;
bool SkinRemoving = false;
const wchar_t* const kDefaultSkinDirectory = L"c:\\Skins";

DEFINE_ENUM_INFO(TacSkinningRule, L"srStdForms", L"srStdDialogs", L"srThirdParty");

namespace {

const wchar_t* const kDefaultLists[ThirdPartyList::kCount] = {
    L"TEdit\r\nTMemo\r\nTMaskEdit\r\nTLabeledEdit\r\nTHotKey\r\nTListBox\r\nTCheckListBox\r\nTDBListBox\r\nTRichEdit\r\n"
    L"TDBMemo\r\nTSynEdit\r\nTSynMemo\r\nTDBSynEdit\r\nTDBLookupListBox\r\nTDBRichEdit\r\nTDBCtrlGrid\r\n"
    L"TDateTimePicker\r\nTDBEdit",
    L"TButton",
    L"TBitBtn",
    L"TCheckBox\r\nTRadioButton\r\nTDBCheckBox\r\nTDBCheckBoxEh\r\nTGroupButton",
    L"TComboBox\r\nTColorBox\r\nTDBComboBox",
    L"TStringGrid\r\nTDrawGrid\r\nTRichView\r\nTDBRichViewEdit\r\nTRichViewEdit\r\nTDBRichView\r\nTwwDBGrid\r\n"
    L"TAdvStringGrid\r\nTDBAdvGrid\r\nTValueListEditor\r\nTDBGrid",
    L"TGroupBox\r\nTDBRadioGroup\r\nTRadioGroup",
    L"TListView",
    L"TPanel\r\nTDBCtrlPanel",
    L"TTreeView\r\nTRzTreeView\r\nTDBTreeView",
    L"TDBLookupComboBox\r\nTwwDBComboBox\r\nTwwDBCustomCombo\r\nTwwDBCustomLookupCombo",
    L"TDBGridEh",
    L"TVirtualStringTree\r\nTVirtualStringTreeDB\r\nTEasyListview\r\nTVirtualExplorerListview\r\n"
    L"TVirtualExplorerTreeview\r\nTVirtualExplorerTree\r\nTVirtualDrawTree",
};

// The manager's published properties, for the routines that reach properties by name.
const bool managerProperties = [] {
  RegisterProperties(
      &TsSkinManager::ClassInfo(),
      {
          OrdinalProperty(L"SkinnedPopups", &TsSkinManager::SkinnedPopups, &TsSkinManager::SetSkinnedPopups),
          ObjectProperty(L"AnimEffects", &TsSkinManager::AnimEffects, nullptr),
          OrdinalProperty(L"IsDefault", &TsSkinManager::IsDefault, &TsSkinManager::SetIsDefault),
          OrdinalProperty(L"Active", &TsSkinManager::Active, &TsSkinManager::SetActive),
          ObjectProperty(L"CommonSections", &TsSkinManager::CommonSections, nullptr),
          OrdinalProperty(L"Saturation", &TsSkinManager::Saturation, &TsSkinManager::SetSaturation),
          OrdinalProperty(L"HueOffset", &TsSkinManager::HueOffset, &TsSkinManager::SetHueOffset),
          ObjectProperty(L"InternalSkins", &TsSkinManager::InternalSkins, nullptr),
          ObjectProperty(L"MenuSupport", &TsSkinManager::MenuSupport, nullptr),
          StringProperty(L"SkinDirectory", &TsSkinManager::SkinDirectory, &TsSkinManager::SetSkinDirectory),
          StringProperty(L"SkinName", &TsSkinManager::SkinName, &TsSkinManager::SetSkinName),
          StringProperty(L"SkinInfo", &TsSkinManager::SkinInfo, nullptr),
          SetProperty(L"SkinningRules", &TsSkinManager::SkinningRules, &TsSkinManager::SetSkinningRules),
          ObjectProperty(L"ThirdParty", &TsSkinManager::ThirdParty, nullptr),
          StringProperty(L"Version", &TsSkinManager::Version, nullptr),
      });
  return true;
}();

// Passes every call on first, then lets the dialog skinning see window creation, activation and
// destruction.
LRESULT CALLBACK SkinCbtHookProc(int code, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  Guarded([&] {
    result = CallNextHookEx(nullptr, code, wParam, lParam);
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) {
      HWND window = reinterpret_cast<HWND>(wParam);
      SkinCbtEvent(code, window, ClassNameOf(window));
    }
  });
  return result;
}

String FormatVersion(double version) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%g", version);
  return text;
}

std::vector<Byte> FileBytes(const String& path) {
  std::unique_ptr<TMemoryStream, TFreeDeleter> stream(new TMemoryStream());
  stream->LoadFromFile(path);
  std::vector<Byte> bytes(static_cast<size_t>(stream->Size()));
  if (!bytes.empty()) std::memcpy(bytes.data(), stream->Memory(), bytes.size());
  return bytes;
}

std::vector<Byte> StreamBytes(TMemoryStream& stream) {
  auto* data = static_cast<const Byte*>(stream.Memory());
  return std::vector<Byte>(data, data + stream.Size());
}

}  // namespace

// ---- settings objects -----------------------------------------------------------------------------

TacBtnEvents TacAnimEffects::ButtonEvents() const { return TacBtnEvents::FromBits(AnimatedEvents.Bits() & 0xF); }

void TacAnimEffects::SetButtonEvents(TacBtnEvents events) {
  if (manager_ && manager_->IsDefault()) AnimatedEvents = TacAnimatEvents::FromBits(events.Bits());
}

TacMenuSupport::TacMenuSupport() : ExtraLineFont(new TFont()) {}
TacMenuSupport::~TacMenuSupport() { ExtraLineFont->Free(); }

String DefaultThirdPartyList(int index) { return kDefaultLists[index]; }

void CorrectThirdPartyLists(String (&l)[ThirdPartyList::kCount]) {
  if (l[0] == L"TButton" || l[1] == L"TBitBtn") {
    String old0 = l[0], old7 = l[7];
    l[0] = l[8];
    l[8] = l[9];
    l[9] = l[4];
    l[4] = l[3];
    l[3] = l[2];
    l[2] = l[1];
    l[1] = old0;
    l[7] = l[5];
    l[5] = l[6];
    l[6] = old7;
    l[11] = l[12];
    l[12] = kDefaultLists[12];
  }
  for (int i = 0; i < ThirdPartyList::kCount; ++i)
    if (l[i].empty()) l[i] = kDefaultLists[i];
}

// ---- life ------------------------------------------------------------------------------------------

TsSkinManager::TsSkinManager(TComponent* owner)
    : TComponent(owner),
      animEffects_(new TacAnimEffects(this)),
      commonSections_(new TStringList()),
      internalSkins_(new TsStoredSkins(this)),
      menuSupport_(new TacMenuSupport()),
      thirdParty_(new ThirdPartyList()) {
  for (auto& list : thirdLists_) list = new TStringList();
  if (!DefaultManager) SetDefaultManager();
  skinableMenus_ = new TsSkinableMenus(this);
  FillThirdPartyLists();
  if (skinDirectory_.empty()) skinDirectory_ = kDefaultSkinDirectory;
}

void TsSkinManager::BeforeDestruction() {
  SetActive(false);
  TComponent::BeforeDestruction();
}

TsSkinManager::~TsSkinManager() {
  RemoveHook();
  // The menus lose this painter's handlers before it goes.
  if (skinableMenus_->Active()) skinableMenus_->HookAllMenus(false);
  skinableMenus_->Free();
  animEffects_->Free();
  internalSkins_->Free();
  commonSections_->Free();
  menuSupport_->Free();
  arrays_.Free();
  if (DefaultManager == this) {
    if (popupHookAttached_ && Application) Application->UnhookMainWindow(TWindowHook(this, &TsSkinManager::PopupHook));
    DefaultManager = nullptr;
  }
  for (int i = 0; i < ThirdPartyList::kCount; ++i) {
    thirdParty_->Lists[i] = thirdLists_[i]->Text();
    thirdLists_[i]->Free();
  }
  thirdParty_->Free();
}

void TsSkinManager::SetDefaultManager() {
  if (DefaultManager == this) return;
  DefaultManager = this;
  if (IsNTPlatform && Application && !popupHookAttached_) {
    Application->HookMainWindow(TWindowHook(this, &TsSkinManager::PopupHook));
    popupHookAttached_ = true;
  }
}

void TsSkinManager::FillThirdPartyLists() {
  CorrectThirdPartyLists(thirdParty_->Lists);
  for (int i = 0; i < ThirdPartyList::kCount; ++i) thirdLists_[i]->SetText(thirdParty_->Lists[i]);
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = kDefaultSkinDirectory;
  if (menuSupport_->IcoLineSkin.empty()) menuSupport_->IcoLineSkin = L"ICOLINE";
  FillThirdPartyLists();
  if (active_ && !skinName_.empty()) ApplySkin();
}

bool TsSkinManager::LoadingForm() const {
  TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading);
}

// ---- setters ---------------------------------------------------------------------------------------

void TsSkinManager::SetSkinName(const String& value) {
  skinName_ = value;
  if (!active_) return;
  OnBeforeChange(this);
  SkinLoading = true;
  skinData_.Active = false;
  bool loaded = LoadSkin();
  if (loaded) {
    if (active_)
      ApplySkin();
    else
      RemoveSkin();
  }
  SkinLoading = false;
  OnAfterChange(this);
}

void TsSkinManager::SetActive(bool value) {
  if (active_ == value) return;
  active_ = value;
  if (value) {
    SetSkinName(skinName_);
  } else {
    if (!ComponentState().Contains(csReading)) RemoveSkin();
    constIndexes_ = ComputeConstIndexes(arrays_);
  }
}

void TsSkinManager::Reload(bool refresh) {
  SkinLoading = true;
  bool loaded = LoadSkin();
  SkinLoading = false;
  if (loaded && refresh && !LoadingForm()) RefreshSkin();
}

void TsSkinManager::SetSaturation(int value) {
  if (saturation_ == value) return;
  saturation_ = value;
  if (skinData_.Active) Reload(true);
}

void TsSkinManager::SetHueOffset(int value) {
  if (hueOffset_ == value) return;
  hueOffset_ = value;
  if (skinData_.Active) Reload(true);
}

void TsSkinManager::SetCommonSections(const TStrings& lines) {
  commonSections_->Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    String line = lines.Strings(i);
    if (line.empty() || line[0] != L';') line = RemoveChar(line, L' ');
    commonSections_->Add(line);
  }
  SetSkinName(skinName_);
}

void TsSkinManager::SetSkinDirectory(const String& value) {
  if (skinDirectory_ == value) return;
  skinDirectory_ = value;
  skinData_.SkinPath = ResolvedSkinDir();
}

void TsSkinManager::SetSkinnedPopups(bool value) {
  if (skinnedPopups_ == value) return;
  skinnedPopups_ = value;
  if (ComponentState().Contains(csDesigning) || !IsDefault()) return;
  // On: the painter follows the skin. Off: the menus are walked again so the popups turn plain.
  if (value)
    skinableMenus_->UpdateMenus();
  else if (skinableMenus_->Active())
    skinableMenus_->HookAllMenus(true);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && DefaultManager) return;
  SetDefaultManager();
  if (!active_) {
    RemoveSkin();
  } else {
    ApplySkin();
    RefreshSkin();
  }
}

String TsSkinManager::SkinInfo() const { return skinData_.Active ? FormatVersion(skinData_.Version) : L"N/A"; }

// ---- loading ---------------------------------------------------------------------------------------

bool TsSkinManager::LoadSkin() {
  TsSkinArrays fresh;
  String where = L"the program";
  try {
    if (!LoadInto(fresh, where)) {
      if (!active_) return true;  // no source and no internal skin: the caller removes the skin
      FailLoad(where, String());
      return false;
    }
  } catch (const Exception& e) {
    FailLoad(where, e.Message());
    return false;
  } catch (const std::exception& e) {
    std::string what = e.what();
    FailLoad(where, String(what.begin(), what.end()));
    return false;
  }
  arrays_.Swap(fresh);
  skinLoaded_ = true;
  static_cast<TsSkinGlobals&>(skinData_) = arrays_.Globals;
  constIndexes_ = ComputeConstIndexes(arrays_);
  return true;
}

// Tries the packed file, the skin folder and the internal skins in this order.
bool TsSkinManager::LoadInto(TsSkinArrays& fresh, String& where) {
  String resolved = ResolvedSkinDir();
  String packedFile = NormalDir(skinDirectory_) + skinName_ + L".asz";
  packedSource_ = FileExists(packedFile);
  if (packedSource_) {
    where = packedFile;
    TacSkinConvertor reader;
    if (!LoadSkinFile(packedFile, reader, true)) return false;
    if (!reader.Options) throw ESkinArchiveError(L"damaged skin archive: no \"Options.dat\" entry");
    skinData_.SkinPath = resolved + L"\\";
    LoadFromIni(TSkinIniText::FromBytes(StreamBytes(*reader.Options)), &reader, skinData_.SkinPath, fresh);
    return true;
  }
  String folder = resolved + L"\\" + skinName_ + L"\\";
  if (FileExists(folder + L"Options.dat")) {
    where = folder;
    skinData_.SkinPath = folder;
    LoadFromIni(TSkinIniText::FromBytes(FileBytes(folder + L"Options.dat")), nullptr, folder, fresh);
    return true;
  }
  if (internalSkins_->Count() == 0) {
    active_ = false;
    return false;
  }
  TsStoredSkin* stored = nullptr;
  for (int i = 0; i < internalSkins_->Count() && !stored; ++i)
    if (internalSkins_->Items(i)->Name() == skinName_) stored = internalSkins_->Items(i);
  if (!stored) {
    stored = internalSkins_->Items(0);
    skinName_ = stored->Name();
  }
  where = L"the program";
  skinData_.SkinPath.clear();
  if (stored->Data()->Size() == 0) {
    LoadFromStored(*stored, fresh);
    return true;
  }
  packedSource_ = true;
  TacSkinConvertor reader;
  reader.SetSource(stored->Data(), false);
  bool loaded = LoadPackedSkin(reader);
  reader.SetSource(nullptr, false);
  if (!loaded) return false;
  if (!reader.Options) throw ESkinArchiveError(L"damaged skin archive: no \"Options.dat\" entry");
  LoadFromIni(TSkinIniText::FromBytes(StreamBytes(*reader.Options)), &reader, String(), fresh);
  return true;
}

void TsSkinManager::LoadFromIni(const TSkinIniText& ini, const TacSkinConvertor* archive, const String& skinPath,
                                TsSkinArrays& fresh) {
  TSkinIniText common = TSkinIniText::FromText(commonSections_->Text());
  TSkinLoadSource source;
  source.Ini = &ini;
  source.Archive = archive;
  source.Common = commonSections_->Count() > 0 ? &common : nullptr;
  source.SkinPath = skinPath;
  source.Manager = this;
  source.HueOffset = hueOffset_;
  source.Saturation = saturation_;
  LoadMasks(source, fresh);
  LoadPatterns(source, fresh);
  LoadGeneralData(source, fresh);
}

void TsSkinManager::LoadFromStored(const TsStoredSkin& stored, TsSkinArrays& fresh) {
  TSkinIniText common = TSkinIniText::FromText(commonSections_->Text());
  TSkinLoadSource source;
  source.Common = commonSections_->Count() > 0 ? &common : nullptr;
  source.Stored = &stored;
  source.Manager = this;
  source.HueOffset = hueOffset_;
  source.Saturation = saturation_;
  LoadMasks(source, fresh);
  LoadPatterns(source, fresh);
  LoadGeneralData(source, fresh);
}

// A failed load leaves nothing of the old or the new skin: everything is removed and one box says
// why (the wrong-magic warning has already been shown).
void TsSkinManager::FailLoad(const String& where, const String& reason) {
  RemoveSkin();
  SkinLoading = false;
  SkinApplying = false;
  SkinRemoving = false;
  if (!reason.empty())
    ErrorBox(L"The skin \"" + skinName_ + L"\" could not be loaded from " + where + L": " + reason);
}

// ---- lookups ---------------------------------------------------------------------------------------

int TsSkinManager::GetSkinIndex(const String& name) const { return SkinIndexOf(arrays_, name); }

int TsSkinManager::GetMaskIndex(int sectionIndex, const String& section, const String& property) const {
  return MaskIndexOf(arrays_, sectionIndex, section, property);
}

int TsSkinManager::GetTextureIndex(int sectionIndex, const String& section, const String& property) const {
  return MaskIndexOf(arrays_, sectionIndex, section, property, true);
}

int TsSkinManager::GetPatternIndex(int sectionIndex, const String& section, const String& property) const {
  return PatternIndexOf(arrays_, sectionIndex, section, property);
}

int TsSkinManager::GetMaskIndexExact(const String& section, const String& property) const {
  return MaskIndexExactOf(arrays_, section, property);
}

bool TsSkinManager::IsValidSkinIndex(int index) const {
  return index >= 0 && index < static_cast<int>(arrays_.Sections.size());
}

bool TsSkinManager::IsValidMaskIndex(int index) const {
  return index >= 0 && index < static_cast<int>(arrays_.Masks.size());
}

TSize TsSkinManager::MaskStateSize(int maskIndex) const {
  if (!IsValidMaskIndex(maskIndex)) return TSize(0, 0);
  const TsMaskData& mask = arrays_.Masks[static_cast<size_t>(maskIndex)];
  if (mask.Bmp) return TSize(mask.Bmp->Width() / 3, mask.Bmp->Height() / 2);
  TFrameSize frame = MaskFrame(mask);
  return TSize(frame.Width, frame.Height);
}

int TsSkinManager::MaskLeftWidth(int maskIndex) const {
  if (!IsValidMaskIndex(maskIndex)) return 0;
  const TsMaskData& m = arrays_.Masks[static_cast<size_t>(maskIndex)];
  return m.WL > 0 ? m.WL : m.BorderWidth > 0 ? m.BorderWidth : MaskFrame(m).Width / 3;
}

int TsSkinManager::MaskRightWidth(int maskIndex) const {
  if (!IsValidMaskIndex(maskIndex)) return 0;
  const TsMaskData& m = arrays_.Masks[static_cast<size_t>(maskIndex)];
  return m.WR > 0 ? m.WR : m.BorderWidth > 0 ? m.BorderWidth : MaskFrame(m).Width / 3;
}

int TsSkinManager::MaskBottomWidth(int maskIndex) const {
  if (!IsValidMaskIndex(maskIndex)) return 0;
  const TsMaskData& m = arrays_.Masks[static_cast<size_t>(maskIndex)];
  return m.WB > 0 ? m.WB : m.BorderWidth > 0 ? m.BorderWidth : MaskFrame(m).Height / 3;
}

TColor TsSkinManager::GlobalColor() const {
  int index = constIndexes_.GlobalInfo;
  return IsValidSkinIndex(index) ? ColorToRGB(arrays_.Sections[static_cast<size_t>(index)].Color) : ColorToRGB(clBtnFace);
}

TColor TsSkinManager::GlobalFontColor() const {
  int index = constIndexes_.GlobalInfo;
  return IsValidSkinIndex(index) ? ColorToRGB(arrays_.Sections[static_cast<size_t>(index)].FontColor[0]) : clFuchsia;
}

TColor TsSkinManager::GlobalHotColor() const {
  int index = constIndexes_.GlobalInfo;
  return IsValidSkinIndex(index) ? ColorToRGB(arrays_.Sections[static_cast<size_t>(index)].HotColor) : ColorToRGB(clWindow);
}

// ---- sources ---------------------------------------------------------------------------------------

String TsSkinManager::ResolvedSkinDir() const {
  String dir = skinDirectory_;
  String app = AppDir();
  if (dir.rfind(L"..", 0) == 0) {
    String parent = ExtractFilePath(ExcludeTrailingPathDelimiter(app));
    dir = parent + (dir.size() > 3 ? dir.substr(3) : String());
  } else if (dir.rfind(L".\\", 0) == 0 || dir.rfind(L"./", 0) == 0) {
    dir = app + dir.substr(2);
  } else if (dir.find(L':') == String::npos && dir.find(L"\\\\") == String::npos) {
    dir = app + dir;
  }
  while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  return dir;
}

String TsSkinManager::GetSkinNames(TStrings& list, TacSkinListKind kind) const {
  list.Clear();
  String first;
  for (int i = 0; i < internalSkins_->Count(); ++i) {
    list.Add(internalSkins_->Items(i)->Name());
    if (i == 0) first = internalSkins_->Items(i)->Name();
  }
  String dir = ResolvedSkinDir();
  TStringList found;
  if (DirExists(dir)) {
    TSearchRec rec;
    if (FindFirst(dir + L"\\*", faAnyFile, rec) == 0) {
      do {
        if (rec.Name.empty() || rec.Name[0] == L'.') continue;
        bool isFolder = (rec.Attr & faDirectory) != 0;
        String name;
        if (isFolder && kind != slPackedFiles && FileExists(dir + L"\\" + rec.Name + L"\\Options.dat"))
          name = rec.Name;
        else if (!isFolder && kind != slFolders && ExtractFileExt(rec.Name) == L".asz")
          name = rec.Name.substr(0, rec.Name.find(L'.'));
        if (name.empty()) continue;
        list.Add(name);
        if (first.empty()) first = name;
      } while (FindNext(rec) == 0);
      FindClose(rec);
    }
  }
  if (auto* sorted = dynamic_cast<TStringList*>(&list)) {
    sorted->SetCaseSensitive(false);
    sorted->Sort();
  }
  return first;
}

// ---- broadcasts ------------------------------------------------------------------------------------

void TsSkinManager::ApplySkin() {
  // Nothing to apply after a failed load: the skin stays removed until a load succeeds.
  if (!skinLoaded_) return;
  if (!SkinLoading) LockForms(this);
  skinableMenus_->SetSkinBorderWidth(-1);
  skinData_.Active = false;
  SkinApplying = true;
  constIndexes_ = ComputeConstIndexes(arrays_);
  TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scApplySkin), reinterpret_cast<LPARAM>(this), 0);
  BroadcastToForms(message);
  SkinApplying = false;
  skinData_.Active = true;
  if (IsDefault() && !hookInstalled_) InstallHook();
  RefreshSkin();
}

void TsSkinManager::RefreshSkin() {
  TMessage stop = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scStopFading), 0, 0);
  BroadcastToForms(stop);
  TMessage refresh = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scRefresh), reinterpret_cast<LPARAM>(this), 0);
  if (SkinLoading) {
    BroadcastToForms(refresh);
    return;
  }
  LockForms(this);
  BroadcastToForms(refresh);
  UnlockForms(this, true);
}

void TsSkinManager::RemoveSkin() {
  SkinRemoving = true;
  RemoveHook();
  skinData_.Active = false;
  TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(scRemoveSkin), reinterpret_cast<LPARAM>(this), 0);
  BroadcastToForms(message);
  arrays_.Free();
  skinLoaded_ = false;
  static_cast<TsSkinGlobals&>(skinData_) = TsSkinGlobals();
  SkinRemoving = false;
}

void TsSkinManager::SetActiveControl(HWND window) {
  if (window == activeControlWindow_) return;
  if (activeControlWindow_ && IsWindow(activeControlWindow_))
    SendSkinCommand(activeControlWindow_, scLostActive, this);
  activeControlWindow_ = window;
  if (window) SendSkinCommand(window, scBecameActive, this);
}

void TsSkinManager::InstallHook() {
  if (!IsDefault() || hookInstalled_) return;
  hook_ = SetWindowsHookExW(WH_CBT, &SkinCbtHookProc, nullptr, GetCurrentThreadId());
  hookInstalled_ = hook_ != nullptr;
}

void TsSkinManager::RemoveHook() {
  if (!hookInstalled_) return;
  UnhookWindowsHookEx(hook_);
  ReleaseHookObjects();
  hook_ = nullptr;
  hookInstalled_ = false;
}

bool TsSkinManager::PopupHook(TMessage& message) {
  if (!skinnedPopups_) return false;
  switch (message.Msg) {
    case WM_THEMECHANGED:
      return true;
    case kMsgPaintPopupItem:
    case kMsgPaintPopupWindow:
      PaintPostedPopup(message.Msg, message.LParam);
      return true;
    default:
      return false;
  }
}
