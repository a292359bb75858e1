#include "net/ContentCoding.h"

#include "platform/framework/classes/Strings.h"
#include "platform/framework/rtl/SysUtils.h"

DEFINE_CLASS(THttpContentCoding)
DEFINE_CLASS(THttpCCodIdentity)
DEFINE_CLASS(THttpCCodStar)

namespace {

const String kCodingClassPrefix = L"THttpContentCoding";

String FormatQuality(float quality) {
  TFormatSettings settings = FormatSettings;
  settings.DecimalSeparator = L'.';
  return FormatFloat(L"0.###", quality, settings);
}

}  // namespace

String THttpContentCoding::GetCoding(TClass cls) {
  const String name = cls->ClassName();
  if (name.compare(0, kCodingClassPrefix.size(), kCodingClassPrefix) == 0 && name.size() > kCodingClassPrefix.size())
    return name.substr(kCodingClassPrefix.size());
  throw EHttpContentCodingException(Format(L"GetCoding must be overriden in %s", {name}));
}

void TContCodingsList::Add(THttpContentCodingClass Coding, float Quality) { entries_.push_back({Coding, Quality}); }

void TContCodingsList::Remove(THttpContentCodingClass Coding) {
  std::erase_if(entries_, [&](const Entry& entry) { return entry.Coding == Coding; });
}

THttpContentCodingClass TContCodingsList::FindByName(const String& Name) const {
  for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
    if (SameText(entry->Coding->GetCoding(), Name)) return entry->Coding;
  return nullptr;
}

TContCodingsList& ContCodings() {
  static TContCodingsList list = [] {
    TContCodingsList registered;
    registered.Add(&THttpCCodIdentity::ClassInfo(), 0);
    registered.Add(&THttpCCodStar::ClassInfo(), 0);
    return registered;
  }();
  return list;
}

THttpContCodHandler::THttpContCodHandler(TStream* const* RecvStream, THttpContCodWriter OutputWriteBuffer)
    : recvStream_(RecvStream),
      inputWriter_(this, &THttpContCodHandler::FinalWriteBuffer),
      outputWriter_(std::move(OutputWriteBuffer)) {
  for (const auto& entry : ContCodings().Entries()) items_.push_back({entry.Coding, true, entry.Quality});
}

THttpContCodHandler::~THttpContCodHandler() { FreeChain(); }

void THttpContCodHandler::SetUseQuality(bool Value) {
  if (Value == useQuality_) return;
  useQuality_ = Value;
  recalcHeader_ = true;
}

String THttpContCodHandler::HeaderText() {
  if (!enabled_) return {};
  if (recalcHeader_) {
    std::vector<const THttpContCodItem*> usable;
    for (const auto& item : items_)
      if (item.Enabled && item.Coding->GetActive()) usable.push_back(&item);
    const bool withQuality = useQuality_ && usable.size() >= 2;
    String text;
    for (const THttpContCodItem* item : usable) {
      if (item->Quality <= 0) continue;
      if (!text.empty()) text += L", ";
      text += item->Coding->GetCoding();
      if (withQuality) text += L";q=" + FormatQuality(item->Quality);
    }
    headerText_ = text;
    recalcHeader_ = false;
  }
  return headerText_;
}

void THttpContCodHandler::FreeChain() {
  chain_.clear();
  inputWriter_ = THttpContCodWriter(this, &THttpContCodHandler::FinalWriteBuffer);
}

bool THttpContCodHandler::Prepare(const String& Encodings) {
  FreeChain();
  if (!enabled_ || Encodings.empty()) return true;
  TStringList names;
  names.SetDelimiter(L',');
  names.SetQuoteChar(L'"');
  names.SetDelimitedText(Encodings);
  for (int i = 0; i < names.Count(); ++i) {
    const THttpContentCodingClass coding = ContCodings().FindByName(names[i]);
    if (coding == nullptr) {
      FreeChain();
      return false;
    }
    std::unique_ptr<THttpContentCoding> decoder(coding->Create(inputWriter_));
    inputWriter_ = THttpContCodWriter(decoder.get(), &THttpContentCoding::WriteBuffer);
    chain_.push_back(std::move(decoder));
  }
  return true;
}

void THttpContCodHandler::Complete() {
  for (auto decoder = chain_.rbegin(); decoder != chain_.rend(); ++decoder) (*decoder)->Complete();
}

void THttpContCodHandler::FinalWriteBuffer(const void* Buffer, Int64 Count) {
  if (recvStream_ != nullptr && *recvStream_ != nullptr) (*recvStream_)->WriteBuffer(Buffer, Count);
  outputWriter_(Buffer, Count);
}
