#include "ui/skins/paint/CommonData.h"

#include <algorithm>

#include "platform/framework/classes/Reflection.h"
#include "platform/framework/controls/StdCtrls.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/ThemeState.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/SkinPainting.h"

DEFINE_CLASS(TsCommonData)

namespace {

struct TDefaultSection {
  const wchar_t* Section;
  std::initializer_list<std::pair<int, int>> Codes;  // inclusive ranges
};

const TDefaultSection kDefaultSections[] = {
    {L"EDIT", {{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 84}, {96, 97}, {131, 131}, {140, 140}, {227, 227}}},
    {L"COMBOBOX", {{11, 18}, {81, 82}}},
    {L"BAR", {{19, 19}}},
    {L"BARTITLE", {{20, 20}}},
    {L"CHECKBOX", {{32, 32}, {152, 152}}},
    {L"RADIOBUTTON", {{33, 33}}},
    {L"PANEL", {{51, 51}, {59, 59}, {68, 68}, {73, 73}}},
    {L"PANEL_LOW", {{52, 52}, {58, 58}}},
    {L"TOOLBAR", {{53, 54}, {60, 60}}},
    {L"DRAGBAR", {{56, 56}}},
    {L"TABSHEET", {{57, 57}}},
    {L"GROUPBOX", {{74, 74}, {226, 226}}},
    {L"SPLITTER", {{75, 75}}},
    {L"SPEEDBUTTON", {{92, 92}, {95, 95}}},
    {L"BUTTON", {{93, 94}}},
    {L"TOOLBUTTON", {{98, 98}}},
    {L"PAGECONTROL", {{141, 141}, {143, 143}}},
    {L"STATUSBAR", {{151, 151}}},
    {L"GAUGE", {{161, 161}}},
    {L"TRACKBAR", {{165, 165}}},
};

bool Destroying(const TComponent* component) {
  return component && component->ComponentState().Contains(csDestroying);
}

bool LoadingOrReading(const TComponent* component) {
  TComponentState state = component->ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading);
}

int Channel(TColor color, int shift) { return int((color >> shift) & 0xFF); }

// The same command with an argument, to a windowed child's window or a graphic child's handler.
void SendCommandWithArgument(TControl* control, Word command, Word argument) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    if (windowed->HandleAllocated())
      SendMessageW(windowed->Handle(), SM_ALPHACMD, SkinCommandWParam(command, argument), 0);
    return;
  }
  control->Perform(SM_ALPHACMD, SkinCommandWParam(command, argument), 0);
}

void Reply(TMessage& message, bool value) {
  message.LParam = value ? 1 : 0;
  message.Result = value ? 1 : 0;
}

const bool commonDataProperties = [] {
  RegisterProperties(&TsCommonData::ClassInfo(),
                     {
                         StringProperty(L"SkinSection", &TsCommonData::SkinSection, &TsCommonData::SetSkinSection),
                         OrdinalProperty(L"CustomFont", &TsCommonData::CustomFont, &TsCommonData::SetCustomFont),
                         OrdinalProperty(L"CustomColor", &TsCommonData::CustomColor, &TsCommonData::SetCustomColor),
                         ObjectProperty(L"SkinManager", &TsCommonData::SkinManagerField, &TsCommonData::SetSkinManager),
                     });
  return true;
}();

}  // namespace

String DefaultSectionOfClassCode(int classCode) {
  for (const TDefaultSection& entry : kDefaultSections)
    for (auto [low, high] : entry.Codes)
      if (classCode >= low && classCode <= high) return entry.Section;
  return String();
}

bool ClassCodeShowsNoHot(int classCode) {
  return (classCode >= 51 && classCode <= 74) || classCode == 110 || (classCode >= 141 && classCode <= 161);
}

// ---- life ------------------------------------------------------------------------------------------

TsCommonData::TsCommonData(TPersistent* owner, bool createCacheBmp)
    : ownerControl_(dynamic_cast<TControl*>(owner)), ownerObject_(owner) {
  if (createCacheBmp) CacheBmp = CreateBmp24(0, 0);
}

TsCommonData::~TsCommonData() {
  SkinIndex = BorderIndex = Texture = HotTexture = -1;
  ownerControl_ = nullptr;
  ownerObject_ = nullptr;
  manager_ = nullptr;
  if (CacheBmp) CacheBmp->Free();
  CacheBmp = nullptr;
}

bool TsCommonData::OwnerDestroying() const { return Destroying(dynamic_cast<TComponent*>(ownerObject_)); }

// ---- properties ------------------------------------------------------------------------------------

TsSkinManager* TsCommonData::SkinManager() const { return manager_ ? manager_ : DefaultManager; }

void TsCommonData::SendOwnCommand(Word command, TsSkinManager* manager) {
  ownerControl_->Perform(SM_ALPHACMD, SkinCommandWParam(command), reinterpret_cast<LPARAM>(manager));
}

void TsCommonData::SetSkinSection(const String& value) {
  if (value == skinSection_) return;
  skinSection_ = value.empty() ? String(L"UNKNOWN") : UpperCase(value);
  TsSkinManager* manager = SkinManager();
  if (!manager || manager->Sections().empty()) {
    SkinIndex = BorderIndex = Texture = HotTexture = -1;
  } else {
    UpdateIndexes();
  }
  if (ownerControl_) {
    if (LoadingOrReading(ownerControl_) || Destroying(ownerControl_) || !ownerControl_->Parent()) return;
    bool apply = manager && manager->SkinData().Active && manager->IsValidSkinIndex(SkinIndex);
    SendOwnCommand(apply ? scRefresh : scRemoveSkin, manager);
  } else if (auto* provider = dynamic_cast<TacSkinProviderBase*>(ownerObject_)) {
    BGChanged = true;
    provider->FreeTitleCache();
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
  TsSkinManager* stored = value == DefaultManager ? nullptr : value;
  if (stored == manager_) return;
  manager_ = stored;
  if (ownerControl_ && ownerControl_->ComponentState().Contains(csLoading)) return;
  if (value && !value->Sections().empty())
    UpdateIndexes();
  else
    SkinIndex = BorderIndex = Texture = HotTexture = -1;
  Word command = value && value->SkinData().Active && value->IsValidSkinIndex(SkinIndex) ? scRefresh : scRemoveSkin;
  if (auto* provider = dynamic_cast<TacSkinProviderBase*>(ownerObject_)) {
    TMessage message = MakeMessage(SM_ALPHACMD, SkinCommandWParam(command), reinterpret_cast<LPARAM>(value), 0);
    provider->ProviderCommand(message);
  } else if (ownerControl_ && ownerControl_->Parent() && !Destroying(ownerControl_)) {
    try {
      SendOwnCommand(command, value);
    } catch (...) {
      // A control that cannot take the change now paints it at its next skin command.
    }
  }
}

void TsCommonData::SetCustomColor(bool value) {
  if (customColor_ == value) return;
  customColor_ = value;
  if (Skinned(false) && dynamic_cast<TCustomEdit*>(ownerControl_) && !ownerControl_->ComponentState().Contains(csLoading)) {
    ApplySectionColors();
    InvalidateCache();
  }
}

void TsCommonData::SetCustomFont(bool value) {
  if (customFont_ == value) return;
  customFont_ = value;
  InvalidateCache();
}

// ---- operations ------------------------------------------------------------------------------------

void TsCommonData::UpdateIndexes() {
  BGChanged = true;
  TsSkinManager* manager = SkinManager();
  SkinIndex = manager ? manager->GetSkinIndex(skinSection_) : -1;
  if (SkinIndex < 0) {
    BorderIndex = Texture = HotTexture = -1;
    return;
  }
  BorderIndex = manager->GetMaskIndex(SkinIndex, skinSection_, L"BORDERSMASK");
  Texture = manager->GetTextureIndex(SkinIndex, skinSection_, L"PATTERN");
  HotTexture = manager->GetTextureIndex(SkinIndex, skinSection_, L"HOTPATTERN");
}

void TsCommonData::SetDefaultSection() {
  if (!skinSection_.empty()) {
    UpdateIndexes();
    return;
  }
  String section = DefaultSectionOfClassCode(ClassCode);
  if (section.empty() && ownerObject_) section = ownerObject_->ClassName();
  SetSkinSection(section);
}

void TsCommonData::AfterLoad() {
  SetDefaultSection();
  if (!Skinned(false)) return;
  if (!ownerControl_ || !ownerControl_->Parent() || ownerControl_->ComponentState().Contains(csLoading)) return;
  if (dynamic_cast<TWinControl*>(ownerControl_)) NotifyParentForm(ownerControl_);
  if (dynamic_cast<TCustomEdit*>(ownerControl_) || ClassCode == 97) ApplySectionColors();
}

const TsGeneralData* TsCommonData::Section() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !manager->IsValidSkinIndex(SkinIndex)) return nullptr;
  return &manager->Sections()[static_cast<size_t>(SkinIndex)];
}

void TsCommonData::ApplySectionColors() {
  const TsGeneralData* section = Section();
  if (!section || !ownerControl_) return;
  if (!customColor_ && ownerControl_->Color() != section->Color) ownerControl_->SetColor(section->Color);
  if (!customFont_ && ownerControl_->Font()->Color() != section->FontColor[0])
    ownerControl_->Font()->SetColor(section->FontColor[0]);
}

bool TsCommonData::Skinned(bool requireActive) const {
  if (OwnerDestroying()) return false;
  TsSkinManager* manager = SkinManager();
  if (!manager || Destroying(manager)) return false;
  if (requireActive && !manager->SkinData().Active) return false;
  return manager->IsValidSkinIndex(SkinIndex);
}

bool TsCommonData::SectionTransparent() const {
  const TsGeneralData* section = Section();
  return section && section->Transparency > 0;
}

bool TsCommonData::IsActive() const {
  if (!ownerControl_ || Destroying(ownerControl_) || !ownerControl_->Enabled() ||
      ownerControl_->ComponentState().Contains(csDesigning))
    return false;
  if (FocusSet) return true;
  if (auto* windowed = dynamic_cast<TWinControl*>(ownerControl_); windowed && windowed->HandleAllocated() &&
                                                                 windowed->Focused())
    return true;
  return MouseAbove && !ClassCodeShowsNoHot(ClassCode);
}

bool TsCommonData::IsUpdating() const {
  TsSkinManager* manager = SkinManager();
  if (!manager || !manager->SkinData().Active) return true;
  if (Updating) return true;
  if (ownerControl_ && !Destroying(ownerControl_) && ownerControl_->Parent())
    return QuerySkinCommand(ownerControl_->Parent(), scIsBgChanged);
  return false;
}

bool TsCommonData::RepaintWhenMoved() const {
  if (PosDependent || !Skinned(false) || !ownerControl_) return true;
  if (ownerControl_->ControlState.Contains(csCreating) || !ownerControl_->Visible()) return true;
  const TsGeneralData* section = Section();
  if (!section) return false;
  bool depends = !ownerControl_->Enabled() || section->Transparency > 0;
  TWinControl* parent = ownerControl_->Parent();
  if (depends && parent && parent->HandleAllocated()) return QuerySkinCommand(parent, scHasContentBg);
  return depends;
}

bool TsCommonData::ParentBackgroundVaries() const {
  TWinControl* parent = ownerControl_ ? ownerControl_->Parent() : nullptr;
  return parent && parent->HandleAllocated() && QuerySkinCommand(parent, scHasContentBg);
}

TsCacheRef TsCommonData::GetParentCache() const {
  if (!ownerControl_ || !ownerControl_->Parent()) return TsCacheRef{nullptr, 0, 0, false};
  SharedCacheRef.Ready = false;
  SendSkinCommandTo(ownerControl_->Parent(), scGetCache, 0);
  return SharedCacheRef;
}

TsCacheRef TsCommonData::GetParentCacheForWindow(HWND window) {
  TsCacheRef result{nullptr, 0, 0, false};
  HWND parent = window ? GetParent(window) : nullptr;
  if (!parent) return result;
  // A parent that does not answer must not hand back the bitmap of an earlier answer.
  SharedCacheRef = TsCacheRef{nullptr, 0, 0, false};
  SendSkinCommand(parent, scGetCache, nullptr);
  return SharedCacheRef;
}

void TsCommonData::InitCacheBmp() {
  if (!CacheBmp) CacheBmp = CreateBmp24(0, 0);
  if (CacheBmp->PixelFormat() != pf24bit) CacheBmp->SetPixelFormat(pf24bit);
  if (!ownerControl_) return;
  if (CacheBmp->Width() != ownerControl_->Width() || CacheBmp->Height() != ownerControl_->Height())
    CacheBmp->SetSize(ownerControl_->Width(), ownerControl_->Height());
}

void TsCommonData::EmptyCache() {
  if (CacheBmp) CacheBmp->SetSize(0, 0);
}

void TsCommonData::InvalidateCache() {
  if (!ownerControl_ || Destroying(ownerControl_) || ownerControl_->ComponentState().Contains(csLoading)) return;
  BGChanged = true;
  auto* windowed = dynamic_cast<TWinControl*>(ownerControl_);
  if (windowed && !windowed->HandleAllocated()) return;
  if (ownerControl_->ControlState.Contains(csCreating) || LoadingOrReading(ownerControl_) || !ownerControl_->Parent())
    return;
  ownerControl_->Invalidate();
}

void TsCommonData::BeginUpdate() {
  Updating = true;
  if (ownerControl_) {
    ownerControl_->Perform(SM_ALPHACMD, SkinCommandWParam(scUpdateBegun), 0);
  } else if (auto* provider = dynamic_cast<TacSkinProviderBase*>(ownerObject_); provider && provider->ProviderForm()) {
    TCustomForm* form = provider->ProviderForm();
    if (form->HandleAllocated()) SendSkinCommand(form->Handle(), scUpdateBegun, nullptr);
  }
}

void TsCommonData::EndUpdate() {
  Updating = false;
  if (ownerControl_) {
    ownerControl_->Perform(SM_ALPHACMD, SkinCommandWParam(scUpdateEnded), 0);
  } else if (auto* provider = dynamic_cast<TacSkinProviderBase*>(ownerObject_); provider && provider->ProviderForm()) {
    TCustomForm* form = provider->ProviderForm();
    if (form->HandleAllocated()) SendSkinCommand(form->Handle(), scUpdateEnded, nullptr);
  }
}

TacTextSkin TsCommonData::TextSkin() const {
  TacTextSkin skin;
  skin.OwnerControl = ownerControl_;
  skin.Manager = SkinManager();
  skin.SkinIndex = SkinIndex;
  skin.SkinSection = skinSection_;
  skin.CustomFont = customFont_;
  return skin;
}

// ---- the colour reply ------------------------------------------------------------------------------

void TsCommonData::AnswerBgColor() {
  if (!Skinned(false)) {
    if (ownerControl_) SharedTransparentColor = ColorToRGB(ownerControl_->Color());
    return;
  }
  const TsGeneralData& section = *Section();
  TColor own = ownerControl_ ? ColorToRGB(ownerControl_->Color()) : ColorToRGB(section.Color);
  if (section.Transparency == 0) {
    SharedTransparentColor = customColor_ && ownerControl_ ? own : ColorToRGB(section.Color);
    return;
  }
  TWinControl* parent = ownerControl_ ? ownerControl_->Parent() : nullptr;
  TColor behind = own;
  if (parent) {
    SharedTransparentColor = clFuchsia;
    SendSkinCommandTo(parent, scGetBgColor, 0);
    behind = SharedTransparentColor == clFuchsia ? ColorToRGB(parent->Color()) : SharedTransparentColor;
  }
  if (section.Transparency >= 100) {
    SharedTransparentColor = behind;
    return;
  }
  TColor o = ColorToRGB(section.Color);
  int w = section.Transparency * 255 / 100;
  TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int a = Channel(o, shift), p = Channel(behind, shift);
    result |= TColor(std::clamp(a + (p - a) * w / 256, 0, 255)) << shift;
  }
  SharedTransparentColor = result;
}

// ---- the skin command ------------------------------------------------------------------------------

bool TsCommonData::HandleSkinCommand(TMessage& message) {
  auto* sender = reinterpret_cast<TsSkinManager*>(message.LParam);
  switch (message.WParamHi()) {
    case scApplySkin:
      if (sender != SkinManager()) return false;
      Updating = true;
      UpdateIndexes();
      SkinApplying = false;
      return true;
    case scRemoveSkin:
      if (sender != SkinManager()) return false;
      if (sender && Destroying(sender)) manager_ = nullptr;
      SkinIndex = BorderIndex = Texture = HotTexture = -1;
      Updating = true;
      EmptyCache();
      if (auto* edit = dynamic_cast<TCustomEdit*>(ownerControl_)) {
        if (!customColor_) edit->SetColor(clWindow);
        if (!customFont_) edit->Font()->SetColor(clWindowText);
      }
      return true;
    case scRefresh:
      if (sender != SkinManager()) return false;
      BGChanged = true;
      Updating = false;
      if (Skinned(false) && ownerControl_) {
        if (dynamic_cast<TCustomEdit*>(ownerControl_)) ApplySectionColors();
        if (dynamic_cast<TWinControl*>(ownerControl_)) NotifyParentForm(ownerControl_);
      }
      return true;
    case scGetCache:
      SharedCacheRef.Ready = false;
      if (CacheBmp) SharedCacheRef = MakeCacheRef(CacheBmp, 0, 0);
      return true;
    case scIsSkinned:
      Reply(message, true);
      return true;
    case scSetUpdating:
      Updating = message.WParamLo() == 1;
      return true;
    case scSetUpdateFlag:
      PosDependent = message.WParamLo() == 1;
      return true;
    case scIsBgChanged:
      Reply(message, BGChanged || IsUpdating());
      return true;
    case scIsOutOfView:
      Reply(message, HalfVisible);
      return true;
    case scMarkBgChangedIf:
      if (SectionTransparent() && message.WParamLo() == 1) BGChanged = true;
      return true;
    case scReloadSection:
      if (UpperCase(skinSection_) == ReloadSectionName) InvalidateCache();
      return true;
    case scSetPaintedChild:
      FadedChild = reinterpret_cast<TControl*>(message.LParam);
      return true;
    case scMarkBgChanged:
      BGChanged = true;
      return true;
    case scHasContentBg: {
      const TsGeneralData* section = Section();
      if (!section) return false;
      if (section->Transparency == 100 && ownerControl_ && ownerControl_->Parent())
        Reply(message, QuerySkinCommand(ownerControl_->Parent(), scHasContentBg));
      else
        Reply(message, section->GradientPercent + section->ImagePercent > 0 || RepaintWhenMoved());
      return true;
    }
    case scBgChangedDeep: {
      bool changed = RepaintWhenMoved();
      BGChanged = BGChanged || changed;
      if (auto* windowed = dynamic_cast<TWinControl*>(ownerControl_)) {
        if (message.WParamLo() == 1 && windowed->HandleAllocated())
          RedrawWindow(windowed->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_ALLCHILDREN);
        if (changed)
          for (int i = 0; i < windowed->ControlCount(); ++i) {
            TControl* child = windowed->Controls(i);
            if (!Destroying(child)) SendCommandWithArgument(child, scBgChangedDeep, 0);
          }
      }
      return true;
    }
    case scGetBgColor:
      AnswerBgColor();
      return true;
    case scMarkOutOfView:
      HalfVisible = true;
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

// ---- window messages -------------------------------------------------------------------------------

bool TsCommonData::HandleWindowMessage(TMessage& message) {
  auto* windowed = dynamic_cast<TWinControl*>(ownerControl_);
  bool designing = ownerControl_ && ownerControl_->ComponentState().Contains(csDesigning);
  switch (message.Msg) {
    case SM_ALPHACMD:
      return HandleSkinCommand(message);
    case WM_MOVE:
      if (ownerControl_ && RepaintWhenMoved()) SendCommandWithArgument(ownerControl_, scBgChangedDeep, 1);
      return false;
    case WM_SIZE: {
      if (!Skinned(false)) return false;
      BGChanged = true;
      const TsGeneralData* section = Section();
      if (!windowed || !section || section->GradientPercent <= 0) return false;
      for (int i = 0; i < windowed->ControlCount(); ++i) {
        TControl* child = windowed->Controls(i);
        if (Destroying(child) || child->Anchors().Contains(akRight) || child->Anchors().Contains(akBottom)) continue;
        SendCommandWithArgument(child, scBgChangedDeep, 1);
      }
      return false;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (windowed && windowed->CanFocus() && windowed->TabStop()) {
        BGChanged = true;
        FocusSet = message.Msg == WM_SETFOCUS;
      }
      return false;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED:
      MouseAbove = false;
      FocusSet = false;
      return false;
    case WM_UPDATEUISTATE:
      if (Skinned(false)) return true;
      if (windowed && windowed->HandleAllocated() && ThemeState().Enabled() && SetWindowThemeProc)
        SetWindowThemeProc(windowed->Handle(), nullptr, nullptr);
      return false;
    case WM_PARENTNOTIFY:
      if (windowed && message.WParamLo() == WM_CREATE) NotifyParentForm(windowed);
      return false;
    case CM_VISIBLECHANGED:
      if (!CacheBmp) return false;
      if (message.WParam != 0) {
        Updating = false;
        BGChanged = true;
      } else {
        EmptyCache();
      }
      return false;
    case CM_MOUSEENTER:
      if (designing) return false;
      if (windowed && DefaultManager) {
        auto* entered = reinterpret_cast<TControl*>(message.LParam);
        for (int i = 0; i < windowed->ControlCount(); ++i) {
          auto* button = dynamic_cast<TsSpeedButton*>(windowed->Controls(i));
          if (!button || button == ownerControl_ || button == entered || !button->SkinData()->MouseAbove) continue;
          button->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(button));
        }
        if (!ClassCodeShowsNoHot(ClassCode)) MouseAbove = true;
        if (windowed->HandleAllocated()) DefaultManager->SetActiveControl(windowed->Handle());
      } else if (!ClassCodeShowsNoHot(ClassCode)) {
        MouseAbove = true;
      }
      return false;
    case CM_MOUSELEAVE:
      if (!designing && !ClassCodeShowsNoHot(ClassCode)) MouseAbove = false;
      return false;
    default:
      return false;
  }
}

// ---- painting the cache ----------------------------------------------------------------------------

void TsCommonData::PaintCacheToDC(TControl* owner, int state, TRect r, int offsetY, int offsetX, bool updateCorners,
                                  HDC dc, TRect clip) {
  (void)state;
  if (updateCorners) UpdateCorners(this, 0, 15);
  if (!CacheBmp) return;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  if (auto* parent = dynamic_cast<TWinControl*>(owner)) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* child = parent->Controls(i);
      if (!child->Visible()) continue;
      TRect bounds = child->BoundsRect();
      RECT overlap;
      if (!IntersectRect(&overlap, &bounds, &clip)) continue;
      bool exclude = child->ComponentState().Contains(csDesigning) || child->ControlStyle.Contains(csOpaque) ||
                     !dynamic_cast<TWinControl*>(child);
      if (exclude)
        ExcludeClipRect(dc, bounds.left + offsetX, bounds.top + offsetY, bounds.right + offsetX, bounds.bottom + offsetY);
    }
  }
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, CacheBmp->Canvas()->Handle(), r.left,
         r.top, SRCCOPY);
  RestoreDC(dc, saved);
}

void TsCommonData::PaintCacheToDCForWindow(HWND window, int state, TRect r, int offsetY, int offsetX,
                                           bool updateCorners, HDC dc, TRect clip) {
  (void)state;
  if (updateCorners) UpdateCorners(this, 0, 15);
  if (!CacheBmp || !window) return;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  RECT own;
  GetWindowRect(window, &own);
  for (HWND child = GetTopWindow(window); child; child = GetNextWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT cr;
    GetWindowRect(child, &cr);
    OffsetRect(&cr, -own.left - offsetX, -own.top - offsetY);
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    bool groupBox = lstrcmpiW(className, L"BUTTON") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX &&
                    !(GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    if (!groupBox) {
      ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.bottom);
      continue;
    }
    int caption = int(SendSkinCommand(child, scGetCaptionHeight, nullptr));
    int left = 0, right = 0, bottom = 0;
    if (DefaultManager) {
      int index = DefaultManager->GetMaskIndex(DefaultManager->GetSkinIndex(L"GROUPBOX"), L"GROUPBOX", L"BORDERSMASK");
      left = DefaultManager->MaskLeftWidth(index);
      right = DefaultManager->MaskRightWidth(index);
      bottom = DefaultManager->MaskBottomWidth(index);
    }
    ExcludeClipRect(dc, cr.left, cr.top, cr.right, cr.top + caption);
    ExcludeClipRect(dc, cr.left, cr.top, cr.left + left, cr.bottom);
    ExcludeClipRect(dc, cr.right - right, cr.top, cr.right, cr.bottom);
    ExcludeClipRect(dc, cr.left, cr.bottom - bottom, cr.right, cr.bottom);
  }
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, CacheBmp->Canvas()->Handle(), r.left,
         r.top, SRCCOPY);
  RestoreDC(dc, saved);
}
