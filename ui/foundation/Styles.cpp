#include "ui/foundation/Styles.h"

#include <algorithm>

#include "platform/framework/classes/UnitLifecycle.h"
#include "platform/framework/rtl/SysUtils.h"
#include "ui/foundation/Canvas.h"

DEFINE_CLASS(TcxCustomStyle)
DEFINE_CLASS(TcxStyle)
DEFINE_CLASS(TcxCustomStyles)
DEFINE_CLASS(TcxCustomStyleSheet)
DEFINE_CLASS(TcxStyleRepository)

namespace {

int styleScreenPixelsPerInch = 0;

int ScreenPixels() { return styleScreenPixelsPerInch ? styleScreenPixelsPerInch : ScreenDeviceCapability(0); }

template <class T>
void EraseValue(std::vector<T>& list, const T& value) {
  list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

const TUnitRegistration unit([] { RegisterClass(&TcxStyle::ClassInfo()); }, nullptr);

}  // namespace

void SetStyleScreenPixelsPerInch(int Value) { styleScreenPixelsPerInch = Value; }

// ---- TcxCustomStyle ---------------------------------------------------------------------------

TcxCustomStyle::~TcxCustomStyle() { Detach(); }

void TcxCustomStyle::BeforeDestruction() {
  TComponent::BeforeDestruction();
  Detach();
}

// A watcher that does not remove itself in StyleRemoved cannot keep the style alive: each is taken
// off the list before it is told.
void TcxCustomStyle::Detach() {
  while (!watchers_.empty()) {
    IcxStyleWatcher* watcher = watchers_.back();
    watchers_.pop_back();
    watcher->StyleRemoved(this);
  }
  SetStyleRepository(nullptr);
}

void TcxCustomStyle::Changed() {
  const std::vector<IcxStyleWatcher*> watchers = watchers_;
  for (auto it = watchers.rbegin(); it != watchers.rend(); ++it) (*it)->StyleChanged(this);
}

void TcxCustomStyle::AddListener(IcxStyleWatcher* W) {
  if (W && std::find(watchers_.begin(), watchers_.end(), W) == watchers_.end()) watchers_.push_back(W);
}

void TcxCustomStyle::RemoveListener(IcxStyleWatcher* W) { EraseValue(watchers_, W); }

void TcxCustomStyle::SetStyleRepository(TcxStyleRepository* R) {
  if (R == repository_) return;
  if (repository_) EraseValue(repository_->styles_, this);
  repository_ = R;
  if (R && std::find(R->styles_.begin(), R->styles_.end(), this) == R->styles_.end()) R->styles_.push_back(this);
}

void TcxCustomStyle::ReadState(TReader& Reader) {
  TComponent::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxStyleRepository*>(Reader.Parent())) SetStyleRepository(repository);
}

TComponent* TcxCustomStyle::GetParentComponent() const { return repository_; }

void TcxCustomStyle::SetParentComponent(TComponent* P) {
  if (ComponentState().Contains(csLoading)) return;
  SetStyleRepository(As<TcxStyleRepository>(P));
}

// ---- TcxStyle ---------------------------------------------------------------------------------

TcxStyle::TcxStyle(TComponent* AOwner) : TcxCustomStyle(AOwner), bitmap_(new TBitmap), font_(new TFont) {
  bitmap_->OnChange = {this, &TcxStyle::BitmapChanged};
  font_->OnChange = {this, &TcxStyle::FontChanged};
}

TcxStyle::~TcxStyle() {
  bitmap_->Free();
  font_->Free();
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value) {
  if (Value == assigned_) return;
  assigned_ = Value;
  Changed();
}

void TcxStyle::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  if (Value == clDefault) assigned_.Exclude(svColor); else assigned_.Include(svColor);
  Changed();
}

void TcxStyle::SetTextColor(TColor Value) {
  if (Value == textColor_) return;
  textColor_ = Value;
  if (Value == clDefault) assigned_.Exclude(svTextColor); else assigned_.Include(svTextColor);
  Changed();
}

void TcxStyle::BitmapChanged(TObject*) {
  if (restoring_) return;
  if (bitmap_->Empty()) assigned_.Exclude(svBitmap); else assigned_.Include(svBitmap);
  Changed();
}

void TcxStyle::FontChanged(TObject*) {
  if (restoring_) return;
  assigned_.Include(svFont);
  Changed();
}

void TcxStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxStyle*>(Source);
  if (!source) return TcxCustomStyle::Assign(Source);
  SetBitmap(source->bitmap_);
  SetColor(source->color_);
  SetFont(source->font_);
  SetTextColor(source->textColor_);
  SetAssignedValues(source->assigned_);
}

void TcxStyle::RestoreDefaults() {
  restoring_ = true;
  assigned_ = {};
  bitmap_->SetSize(0, 0);
  color_ = clDefault;
  textColor_ = clDefault;
  restoring_ = false;
  Changed();
}

void TcxStyle::ReadState(TReader& Reader) {
  TcxCustomStyle::ReadState(Reader);
  if (StyleRepository()) {
    const TcxStyleValues assigned = assigned_;
    font_->SetHeight(StyleRepository()->ScaleToScreen(font_->Height()));
    assigned_ = assigned;
  }
}

void TcxStyle::DefineProperties(TFiler& Filer) {
  TcxCustomStyle::DefineProperties(Filer);
  Filer.DefineProperty(
      L"AssignedValues", [this](TReader& r) { assigned_ = TcxStyleValues::FromBits(std::uint64_t(r.ReadInteger())); },
      [this](TWriter& w) { w.WriteInteger(int(assigned_.Bits())); }, true);
  Filer.DefineProperty(
      L"Color", [this](TReader& r) { color_ = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(color_); },
      assigned_.Contains(svColor));
  Filer.DefineProperty(
      L"TextColor", [this](TReader& r) { textColor_ = r.ReadInteger(); },
      [this](TWriter& w) { w.WriteInteger(textColor_); }, assigned_.Contains(svTextColor));
  const bool font = assigned_.Contains(svFont);
  Filer.DefineProperty(
      L"Font.Name", [this](TReader& r) { restoring_ = true; font_->SetName(r.ReadString()); restoring_ = false; },
      [this](TWriter& w) { w.WriteString(font_->Name()); }, font);
  Filer.DefineProperty(
      L"Font.Height", [this](TReader& r) { restoring_ = true; font_->SetHeight(r.ReadInteger()); restoring_ = false; },
      [this](TWriter& w) { w.WriteInteger(font_->Height()); }, font);
  Filer.DefineBinaryProperty(
      L"Bitmap.Data", [this](TStream& s) { restoring_ = true; bitmap_->ReadData(s); restoring_ = false; },
      [this](TStream& s) { bitmap_->WriteData(s); }, assigned_.Contains(svBitmap));
}

// ---- TcxCustomStyles --------------------------------------------------------------------------

TcxCustomStyles::~TcxCustomStyles() {
  destroying_ = true;
  Clear();
  SetStyleSheet(nullptr);
}

void TcxCustomStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxCustomStyles*>(Source)) return SetStyleSheet(source->styleSheet_);
  TcxInterfacedPersistent::Assign(Source);
}

TcxCustomStyle* TcxCustomStyles::GetValue(int Index) const {
  for (const Entry& entry : entries_)
    if (entry.Index == Index) return entry.Style;
  return nullptr;
}

void TcxCustomStyles::SetValue(int Index, TcxCustomStyle* Style) {
  for (int i = Count() - 1; i >= 0; --i)
    if (entries_[i].Index == Index) {
      if (entries_[i].Style == Style) return;
      entries_[i].Style->RemoveListener(this);
      entries_.erase(entries_.begin() + i);
    }
  if (Style) {
    entries_.push_back({Index, Style});
    Style->AddListener(this);
  }
  DoChanged(Index);
}

void TcxCustomStyles::DeleteEntry(int I) {
  const Entry entry = entries_.at(size_t(I));
  bool watchedElsewhere = false;
  for (int j = 0; j < Count(); ++j) watchedElsewhere |= j != I && entries_[j].Style == entry.Style;
  if (!watchedElsewhere) entry.Style->RemoveListener(this);
  entries_.erase(entries_.begin() + I);
  DoChanged(entry.Index);
}

void TcxCustomStyles::Clear() {
  for (int i = Count() - 1; i >= 0; --i) DeleteEntry(i);
}

void TcxCustomStyles::StyleChanged(TcxCustomStyle* Sender) {
  for (int i = 0; i < Count(); ++i)
    if (entries_[i].Style == Sender) DoChanged(entries_[i].Index);
}

void TcxCustomStyles::StyleRemoved(TcxCustomStyle* Sender) {
  for (int i = Count() - 1; i >= 0; --i)
    if (i < Count() && entries_[i].Style == Sender) DeleteEntry(i);
}

void TcxCustomStyles::DoChanged(int Index) {
  if (destroying_) return;
  ValueChanged(Index);
  if (owningSheet_) owningSheet_->SheetStyleChanged(Index);
}

bool TcxCustomStyles::AcceptsSheet(TcxCustomStyleSheet* Sheet) const {
  if (!Sheet) return true;
  if (Sheet == owningSheet_ || Sheet->StylesClass() != ClassType()) return false;
  for (TcxCustomStyleSheet* s = Sheet; s; s = s->Styles()->styleSheet_)
    if (s == owningSheet_ && owningSheet_) return false;
  return true;
}

void TcxCustomStyles::CollectIndexes(TcxCustomStyleSheet* Sheet, std::vector<int>& Indexes) {
  for (int guard = 0; Sheet && guard < 1000; Sheet = Sheet->Styles()->styleSheet_, ++guard)
    for (const Entry& entry : Sheet->Styles()->entries_)
      if (std::find(Indexes.begin(), Indexes.end(), entry.Index) == Indexes.end()) Indexes.push_back(entry.Index);
}

void TcxCustomStyles::SetStyleSheet(TcxCustomStyleSheet* Sheet) {
  if (Sheet == styleSheet_ || !AcceptsSheet(Sheet)) return;
  std::vector<int> indexes;
  if (styleSheet_) {
    if (!destroying_) CollectIndexes(styleSheet_, indexes);
    EraseValue(styleSheet_->users_, this);
  }
  styleSheet_ = Sheet;
  if (Sheet) {
    Sheet->users_.push_back(this);
    CollectIndexes(Sheet, indexes);
  }
  for (int index : indexes) DoChanged(index);
}

// ---- TcxCustomStyleSheet ----------------------------------------------------------------------

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* AOwner) : TcxComponent(AOwner) {}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
  BeforeDestruction();
  if (styles_) styles_->Free();
}

TcxCustomStyles* TcxCustomStyleSheet::CreateStyles() { return new TcxCustomStyles(this); }

void TcxCustomStyleSheet::EnsureStyles() {
  if (styles_) return;
  styles_ = CreateStyles();
  styles_->owningSheet_ = this;
}

void TcxCustomStyleSheet::BeforeDestruction() {
  if (destroying_) return;
  TcxComponent::BeforeDestruction();
  destroying_ = true;
  while (!users_.empty()) users_.back()->SetStyleSheet(nullptr);
  SetStyleRepository(nullptr);
}

void TcxCustomStyleSheet::SetCaption(const String& Value) { caption_ = SameText(Value, Name()) ? String() : Value; }

void TcxCustomStyleSheet::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomStyleSheet*>(Source);
  if (!source) return TcxComponent::Assign(Source);
  SetCaption(source->Caption());
  EnsureStyles();
  source->EnsureStyles();
  styles_->Assign(source->styles_);
}

void TcxCustomStyleSheet::SheetStyleChanged(int Index) {
  const std::vector<TcxCustomStyles*> users = users_;
  for (TcxCustomStyles* user : users) user->DoChanged(Index);
  RefreshFakeLinks();
}

void TcxCustomStyleSheet::CollectLinkedComponents(TList& AList) {
  for (TcxCustomStyles* user : users_) {
    auto* owner = dynamic_cast<TComponent*>(user->GetOwner());
    if (owner && owner != Owner() && AList.IndexOf(owner) < 0) AList.Add(owner);
  }
}

void TcxCustomStyleSheet::DefineProperties(TFiler& Filer) {
  TcxComponent::DefineProperties(Filer);
  Filer.DefineProperty(
      L"BuiltIn", [this](TReader& r) { BuiltIn = r.ReadBoolean(); }, [this](TWriter& w) { w.WriteBoolean(BuiltIn); },
      true);
}

void TcxCustomStyleSheet::SetStyleRepository(TcxStyleRepository* R) {
  EnsureStyles();
  if (R == repository_) return;
  if (repository_) EraseValue(repository_->sheets_, this);
  repository_ = R;
  if (R && std::find(R->sheets_.begin(), R->sheets_.end(), this) == R->sheets_.end()) R->sheets_.push_back(this);
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return repository_; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* P) {
  if (ComponentState().Contains(csLoading)) return;
  SetStyleRepository(As<TcxStyleRepository>(P));
}

void TcxCustomStyleSheet::ReadState(TReader& Reader) {
  TcxComponent::ReadState(Reader);
  if (auto* repository = dynamic_cast<TcxStyleRepository*>(Reader.Parent())) SetStyleRepository(repository);
}

// ---- TcxStyleRepository -----------------------------------------------------------------------

TcxStyleRepository::~TcxStyleRepository() { BeforeDestruction(); }

void TcxStyleRepository::BeforeDestruction() {
  TComponent::BeforeDestruction();
  ClearStyles();
  ClearStyleSheets();
}

TcxCustomStyle* TcxStyleRepository::CreateItemEx(TComponentClass StyleClass, TComponent* AOwner) {
  auto* style = As<TcxCustomStyle>(StyleClass->Create(AOwner));
  style->SetStyleRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::CreateStyleSheetEx(TComponentClass SheetClass, TComponent* AOwner) {
  auto* sheet = As<TcxCustomStyleSheet>(SheetClass->Create(AOwner));
  sheet->SetStyleRepository(this);
  return sheet;
}

void TcxStyleRepository::ClearStyles() {
  while (!styles_.empty()) styles_.back()->Free();
}

void TcxStyleRepository::ClearStyleSheets() {
  while (!sheets_.empty()) sheets_.back()->Free();
}

void TcxStyleRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TcxCustomStyle* style : styles_)
    if (style->Owner() == Root) Proc(style);
  for (TcxCustomStyleSheet* sheet : sheets_)
    if (sheet->Owner() == Root) Proc(sheet);
}

int TcxStyleRepository::ScaleToScreen(int V) const {
  const int screen = ScreenPixels();
  if (!Scalable || PixelsPerInch == 0 || screen == PixelsPerInch) return V;
  return MulDiv(V, screen, PixelsPerInch);
}

void TcxStyleRepository::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  Filer.DefineProperty(
      L"PixelsPerInch", [this](TReader& r) { PixelsPerInch = r.ReadInteger(); },
      [](TWriter& w) { w.WriteInteger(ScreenPixels()); }, true);
}
