#include "ui/foundation/LookAndFeel.h"

#include <algorithm>

#include "platform/framework/classes/Filer.h"
#include "platform/framework/classes/Reflection.h"
#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/AllocateHWnd.h"
#include "ui/foundation/FlatPainter.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/Office11Painter.h"
#include "ui/foundation/StandardPainter.h"
#include "ui/foundation/UltraFlatPainter.h"
#include "ui/foundation/WinXPPainter.h"

DEFINE_CLASS(TcxSystemPaletteChangedNotifier)
DEFINE_CLASS(TcxExtendedStylePainters)
DEFINE_CLASS(TcxLookAndFeel)
DEFINE_CLASS(TcxLookAndFeelController)

DEFINE_ENUM_INFO(TcxLookAndFeelKind, L"lfFlat", L"lfStandard", L"lfUltraFlat", L"lfOffice11")
DEFINE_ENUM_INFO(TcxLookAndFeelValue, L"lfvKind", L"lfvNativeStyle", L"lfvSkinName")

namespace {

TcxLookAndFeel* root = nullptr;
int rootControllerCount = 0;
TcxExtendedStylePainters* registry = nullptr;
bool skinPaintersEnabled = true;

// A registered skin painter.
class TcxExtendedStylePainter : public TObject {
 public:
  TcxExtendedStylePainter(const String& AName, TcxCustomLookAndFeelPainterClass APainter)
      : Name(AName), Painter(APainter) {}
  String Name;
  TcxCustomLookAndFeelPainterClass Painter;
};

// The painter of each kind when neither native style nor a skin applies.
TcxCustomLookAndFeelPainterClass PainterOfKind(TcxLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return &TcxFlatLookAndFeelPainter::ClassInfo();
    case lfStandard: return &TcxStandardLookAndFeelPainter::ClassInfo();
    case lfOffice11: return &TcxOffice11LookAndFeelPainter::ClassInfo();
    default: return &TcxUltraFlatLookAndFeelPainter::ClassInfo();
  }
}

bool IsController(IcxLookAndFeelListener* Listener) {
  return Is<TcxLookAndFeelController>(Listener->ListenerObject());
}

// ---- the palette listener ---------------------------------------------------------------------

// A hidden window that hears WM_SYSCOLORCHANGE, with the notifiers to tell; it holds one reference
// on the Office11 palette while it exists.
class TcxSystemPaletteChangedListener {
 public:
  TcxSystemPaletteChangedListener() {
    AcquireOffice11Colors();
    window_ = AllocateHWnd(TWndMethod(this, &TcxSystemPaletteChangedListener::WndProc));
  }
  ~TcxSystemPaletteChangedListener() {
    DeallocateHWnd(window_);
    UnacquireOffice11Colors();
  }
  HWND Window() const { return window_; }
  std::vector<TcxSystemPaletteChangedNotifier*>& ListOf(bool Primary) { return Primary ? primary_ : ordinary_; }

 private:
  void WndProc(TMessage& Message) {
    if (Message.Msg == WM_SYSCOLORCHANGE) BroadcastPaletteChange();
    DefaultWindowMessage(window_, Message);
  }
  // The palette first, then the primary notifiers, then the ordinary ones, each list last to first.
  void BroadcastPaletteChange() {
    RefreshOffice11Palette();
    for (auto* list : {&primary_, &ordinary_})
      for (int i = int(list->size()) - 1; i >= 0; --i)
        if (i < int(list->size())) (*list)[size_t(i)]->NotifyPaletteChanged();
  }

  HWND window_ = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> primary_, ordinary_;
};

TcxSystemPaletteChangedListener* paletteListener = nullptr;
int paletteListenerReferences = 0;

TcxSystemPaletteChangedListener* AcquirePaletteListener() {
  if (paletteListenerReferences++ == 0) paletteListener = new TcxSystemPaletteChangedListener;
  return paletteListener;
}

void ReleasePaletteListener() {
  if (paletteListenerReferences > 0 && --paletteListenerReferences == 0) {
    delete paletteListener;
    paletteListener = nullptr;
  }
}

// The painter unit first (its resources and primary notifier), then the registry and the root.
void StartUnit() {
  StartPainterUnit();
  if (!registry) registry = new TcxExtendedStylePainters;
  if (!root) TcxLookAndFeel::CreateRoot();
  RegisterClass(&TcxLookAndFeelController::ClassInfo());
}

void EndUnit() {
  if (root) root->Free();
  EndPainterUnit();
  FreeAndNil(registry);
}

const TUnitRegistration unit(StartUnit, EndUnit);

const bool propertiesRegistered = [] {
  RegisterProperties(&TcxLookAndFeel::ClassInfo(),
                     {OrdinalProperty(L"Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind),
                      OrdinalProperty(L"NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle),
                      StringProperty(L"SkinName", &TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName),
                      SetProperty(L"AssignedValues", &TcxLookAndFeel::AssignedValues,
                                  &TcxLookAndFeel::SetAssignedValues)});
  RegisterProperties(
      &TcxLookAndFeelController::ClassInfo(),
      {OrdinalProperty(L"Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind),
       OrdinalProperty(L"NativeStyle", &TcxLookAndFeelController::NativeStyle,
                       &TcxLookAndFeelController::SetNativeStyle),
       StringProperty(L"SkinName", &TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName)});
  return true;
}();

}  // namespace

// ---- notifiers ----------------------------------------------------------------------------------

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool AIsPrimary) : isPrimary_(AIsPrimary) {
  AcquirePaletteListener()->ListOf(isPrimary_).push_back(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  auto& list = paletteListener->ListOf(isPrimary_);
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  ReleasePaletteListener();
}

void TcxSystemPaletteChangedNotifier::NotifyPaletteChanged() {
  if (OnSystemPaletteChanged) OnSystemPaletteChanged();
}

HWND SystemPaletteListenerWindow() { return paletteListener ? paletteListener->Window() : nullptr; }

// ---- the registry ---------------------------------------------------------------------------------

TcxExtendedStylePainters::~TcxExtendedStylePainters() { listeners_.Clear(); }

int TcxExtendedStylePainters::IndexOfName(const String& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(static_cast<TcxExtendedStylePainter*>(ItemAt(i))->Name, Name)) return i;
  return -1;
}

bool TcxExtendedStylePainters::FindPainterByName(const String& Name, TcxCustomLookAndFeelPainterClass& Painter) const {
  const int index = IndexOfName(Name);
  if (index < 0) return false;
  Painter = static_cast<TcxExtendedStylePainter*>(ItemAt(index))->Painter;
  return true;
}

void TcxExtendedStylePainters::RegisterPainter(const String& Name, TcxCustomLookAndFeelPainterClass Painter) {
  Add(new TcxExtendedStylePainter(Name, Painter));
}

void TcxExtendedStylePainters::AddPainterListener(IcxSkinPainterListener* Listener) {
  if (Listener && listeners_.IndexOf(Listener) < 0) listeners_.Add(InterfacePtr<IInterface>(Listener));
}

void TcxExtendedStylePainters::RemovePainterListener(IcxSkinPainterListener* Listener) {
  if (Listener) listeners_.Remove(Listener);
}

TcxExtendedStylePainters* SkinPainterRegistry() { return registry; }

bool SkinPaintersEnabled() { return skinPaintersEnabled; }

void SetSkinPaintersEnabled(bool Value) { skinPaintersEnabled = Value; }

// ---- TcxLookAndFeel -------------------------------------------------------------------------------

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  current_ = assigned_;
  paletteNotifier_ = new TcxSystemPaletteChangedNotifier(false);
  paletteNotifier_->OnSystemPaletteChanged = [this] { PaletteChanged(); };
  if (root) {
    root->AddListener(this);
    current_ = EffectiveData();
    activeSkinPainter_ = SkinPainterForCurrent();
  }
  activePainter_ = PainterForThemedTypes({});
}

TcxLookAndFeel* TcxLookAndFeel::CreateRoot() {
  root = new TcxLookAndFeel(nullptr);
  root->isRoot_ = true;
  return root;
}

TcxLookAndFeel::~TcxLookAndFeel() {
  if (registry) registry->RemovePainterListener(this);
  FreeAndNil(paletteNotifier_);
  destroying_ = true;
  const size_t count = listeners_.size();
  for (size_t i = 0; i < count && i < listeners_.size(); ++i) listeners_[i]->MasterDestroying(this);
  destroying_ = false;
  listeners_.clear();
  if (TcxLookAndFeel* master = EffectiveMaster()) master->RemoveListener(this);
  if (isRoot_) {
    root = nullptr;
    isRoot_ = false;
  }
}

TcxLookAndFeel* RootLookAndFeel() { return root; }

int RootControllerCount() { return rootControllerCount; }

TcxLookAndFeel* TcxLookAndFeel::EffectiveMaster() const {
  if (isRoot_) return nullptr;
  return master_ ? master_ : root;
}

TcxLookAndFeelKind TcxLookAndFeel::EffectiveKind() const {
  if (assignedValues_.Contains(lfvKind)) return assigned_.Kind;
  if (isRoot_) return lfUltraFlat;
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::EffectiveNativeStyle() const {
  if (assignedValues_.Contains(lfvNativeStyle)) return assigned_.NativeStyle;
  if (isRoot_) return false;
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->NativeStyle() : false;
}

TdxSkinName TcxLookAndFeel::EffectiveSkinName() const {
  if (assignedValues_.Contains(lfvSkinName)) return assigned_.SkinName;
  if (isRoot_) return {};
  const TcxLookAndFeel* master = EffectiveMaster();
  return master ? master->SkinName() : TdxSkinName();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::EffectiveSkinPainter() const {
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (assignedValues_.Contains(lfvSkinName)) {
    FindSkinPainter(assigned_.SkinName, painter);
  } else if (const TcxLookAndFeel* master = EffectiveMaster()) {
    master->FindSkinPainter(master->SkinName(), painter);
  }
  return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const TdxSkinName& Name, TcxCustomLookAndFeelPainterClass& Painter) const {
  TcxCustomLookAndFeelPainterClass found = nullptr;
  const bool exists = !Name.empty() && registry && registry->FindPainterByName(Name, found);
  Painter = exists && skinPaintersEnabled ? found : nullptr;
  return exists;
}

TcxLookAndFeelData TcxLookAndFeel::EffectiveData() const {
  return {EffectiveKind(), EffectiveNativeStyle(), EffectiveSkinName()};
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::SkinPainterForCurrent() const {
  return current_.NativeStyle ? nullptr : EffectiveSkinPainter();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedTypes(TdxThemedObjectKinds Kinds) const {
  if (current_.NativeStyle && VisualStylesActiveFor(Kinds)) return &TcxWinXPLookAndFeelPainter::ClassInfo();
  if (activeSkinPainter_) return activeSkinPainter_;
  return PainterOfKind(current_.Kind);
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedType(TdxThemedObjectKind Kind) const {
  return PainterForThemedTypes({Kind});
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind before = current_.Kind;
  assignedValues_.Include(lfvKind);
  assigned_.Kind = Value;
  if (EffectiveKind() != before) ReportChanges({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool before = current_.NativeStyle;
  assignedValues_.Include(lfvNativeStyle);
  assigned_.NativeStyle = Value;
  if (EffectiveNativeStyle() != before) ReportChanges({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& Value) {
  const TdxSkinName before = current_.SkinName;
  assignedValues_.Include(lfvSkinName);
  assigned_.SkinName = Value;
  if (EffectiveSkinName() != before) ReportChanges({lfvSkinName});
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == assignedValues_) return;
  TakeSnapshot();
  assignedValues_ = Value;
  ReportChangesSinceSnapshot();
}

void TcxLookAndFeel::AttachToMaster(TcxLookAndFeel* Master) {
  if (isRoot_ || Master == this || Master == EffectiveMaster()) return;
  TakeSnapshot();
  if (TcxLookAndFeel* old = EffectiveMaster()) old->RemoveListener(this);
  master_ = Master;
  if (TcxLookAndFeel* now = EffectiveMaster()) now->AddListener(this);
  ReportChangesSinceSnapshot();
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) return TcxInterfacedPersistent::Assign(Source);
  TakeSnapshot();
  assigned_ = source->assigned_;
  assignedValues_ = source->assignedValues_;
  AttachToMaster(source->EffectiveMaster());
  ReportChangesSinceSnapshot();
}

void TcxLookAndFeel::ApplyStyleCode(int Code) {
  static const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11};
  SetNativeStyle(Code == 3);
  if (!EffectiveNativeStyle() && Code >= 0 && Code <= 4) SetKind(kinds[Code]);
}

void TcxLookAndFeel::AddListener(IcxLookAndFeelListener* Listener) {
  if (!Listener) return;
  const bool controller = IsController(Listener);
  if (controller && !isRoot_) return;  // controllers listen to the root only
  if (std::find(listeners_.begin(), listeners_.end(), Listener) != listeners_.end()) return;
  if (isRoot_ && controller) ++rootControllerCount;
  listeners_.push_back(Listener);
}

void TcxLookAndFeel::RemoveListener(IcxLookAndFeelListener* Listener) {
  if (!Listener || destroying_) return;
  auto found = std::find(listeners_.begin(), listeners_.end(), Listener);
  if (found == listeners_.end()) return;
  listeners_.erase(found);
  if (isRoot_ && IsController(Listener) && --rootControllerCount == 0) ClearAssignedValues();
}

void TcxLookAndFeel::ReportChanges(TcxLookAndFeelValues Changed) {
  if (Changed.Empty() || destroying_) return;
  current_ = EffectiveData();
  activeSkinPainter_ = SkinPainterForCurrent();
  activePainter_ = PainterForThemedTypes({});
  if (registry) {
    if (activeSkinPainter_)
      registry->AddPainterListener(this);
    else
      registry->RemovePainterListener(this);
  }
  // A listener that removes itself during its call does not make the next one be skipped.
  size_t index = 0;
  while (index < listeners_.size()) {
    const size_t count = listeners_.size();
    listeners_[index]->MasterValuesChanged(this, Changed);
    if (listeners_.size() == count) ++index;
  }
  if (OnChanged) OnChanged(this, Changed);
}

void TcxLookAndFeel::ReportChangesSinceSnapshot() {
  const TcxLookAndFeelData now = EffectiveData();
  TcxLookAndFeelValues changed;
  if (now.Kind != snapshot_.Kind) changed.Include(lfvKind);
  if (now.NativeStyle != snapshot_.NativeStyle) changed.Include(lfvNativeStyle);
  if (now.SkinName != snapshot_.SkinName) changed.Include(lfvSkinName);
  ReportChanges(changed);
}

void TcxLookAndFeel::MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues ChangedValues) {
  ReportChanges(ChangedValues - assignedValues_);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel*) { AttachToMaster(nullptr); }

void TcxLookAndFeel::SkinPainterChanged() { ReportChanges(cxLookAndFeelAllValues); }

void TcxLookAndFeel::PaletteChanged() { ReportChanges({lfvNativeStyle}); }

void TcxLookAndFeel::DefineProperties(TFiler& Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      L"Kind",
      [this](TReader& r) {
        const int kind = r.ReadInteger();
        if (kind < lfFlat || kind > lfOffice11) throw EReadError(L"Invalid property value");
        SetKind(TcxLookAndFeelKind(kind));
      },
      [this](TWriter& w) { w.WriteInteger(assigned_.Kind); }, assignedValues_.Contains(lfvKind));
  Filer.DefineProperty(
      L"NativeStyle", [this](TReader& r) { SetNativeStyle(r.ReadBoolean()); },
      [this](TWriter& w) { w.WriteBoolean(assigned_.NativeStyle); }, assignedValues_.Contains(lfvNativeStyle));
  Filer.DefineProperty(
      L"SkinName", [this](TReader& r) { SetSkinName(r.ReadString()); },
      [this](TWriter& w) { w.WriteString(assigned_.SkinName); }, assignedValues_.Contains(lfvSkinName));
}

// ---- TcxLookAndFeelController -------------------------------------------------------------------

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (root) root->AddListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (root) root->RemoveListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const { return root ? root->Kind() : lfUltraFlat; }

void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (root) root->SetKind(Value);
}

bool TcxLookAndFeelController::NativeStyle() const { return root && root->NativeStyle(); }

void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (root) root->SetNativeStyle(Value);
}

TdxSkinName TcxLookAndFeelController::SkinName() const { return root ? root->SkinName() : TdxSkinName(); }

void TcxLookAndFeelController::SetSkinName(const TdxSkinName& Value) {
  if (root) root->SetSkinName(Value);
}

void TcxLookAndFeelController::MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}

void TcxLookAndFeelController::MasterDestroying(TcxLookAndFeel*) {}
