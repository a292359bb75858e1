#include "platform/framework/classes/Filer.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/base/Utf8.h"

DEFINE_CLASS(TFiler)
DEFINE_CLASS(TWriter)
DEFINE_CLASS(TReader)

namespace {

bool SameName(const String& a, const String& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

[[noreturn]] void InvalidValue() { throw EReadError(L"Invalid property value"); }

// TComponent's default ReadState/WriteState hand the component's defined properties to the filer.
void ReadDefinedProperties(TReader& reader, TComponent& component) { reader.ReadProperties(component); }
void WriteDefinedProperties(TWriter& writer, TComponent& component) { writer.WriteProperties(component); }

void InstallComponentStateHandlers() {
  static const bool installed = [] {
    SetComponentStateHandlers(&ReadDefinedProperties, &WriteDefinedProperties);
    return true;
  }();
  (void)installed;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// TWriter

TWriter::TWriter(TStream& stream) : TFiler(stream) { InstallComponentStateHandlers(); }

void TWriter::DefineProperty(const String& name, TReaderProc, TWriterProc writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const String& name, TStreamProc, TStreamProc writeData, bool hasData) {
  if (!hasData || !writeData) return;
  TMemoryStream bytes;
  writeData(bytes);
  WritePropName(name);
  WriteBinary(bytes.Memory(), bytes.Size());
}

void TWriter::WriteTag(TValueType tag) {
  Byte byte = tag;
  Stream().WriteBuffer(&byte, 1);
}

void TWriter::WriteCounted(TValueType tag, const void* data, Int64 count) {
  if (count < 0 || count > std::numeric_limits<Cardinal>::max()) throw EWriteError(L"Value too large to store");
  WriteTag(tag);
  Cardinal length = static_cast<Cardinal>(count);
  Stream().WriteBuffer(&length, sizeof length);
  Stream().WriteBuffer(data, count);
}

void TWriter::WriteInteger(int value) {
  WriteTag(vaInt32);
  std::int32_t stored = value;
  Stream().WriteBuffer(&stored, sizeof stored);
}

void TWriter::WriteInt64(Int64 value) {
  WriteTag(vaInt64);
  Stream().WriteBuffer(&value, sizeof value);
}

void TWriter::WriteBoolean(bool value) { WriteTag(value ? vaTrue : vaFalse); }

void TWriter::WriteString(const String& value) {
  AnsiString bytes = Utf8Encode(value);
  WriteCounted(vaString, bytes.data(), static_cast<Int64>(bytes.size()));
}

void TWriter::WriteBinary(const void* data, Int64 count) { WriteCounted(vaBinary, data, count); }

void TWriter::WriteListBegin() { WriteTag(vaList); }

void TWriter::WriteListEnd() { WriteTag(vaNull); }

void TWriter::WritePropName(const String& name) { WriteString(name); }

void TWriter::WriteProperties(TPersistent& instance) { instance.DefineProperties(*this); }

void TWriter::WriteCollection(TCollection& collection) {
  WriteTag(vaCollection);
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(*collection.Items(i));
    WriteListEnd();
  }
  WriteListEnd();
}

void TWriter::WriteComponentData(TComponent& component) {
  component.WriteState(*this);
  WriteListEnd();
}

// ---------------------------------------------------------------------------------------------------
// TReader

TReader::TReader(TStream& stream) : TFiler(stream) { InstallComponentStateHandlers(); }

void TReader::DefineProperty(const String& name, TReaderProc readData, TWriterProc, bool) {
  if (handled_ || !readData || !SameName(name, propName_)) return;
  handled_ = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const String& name, TStreamProc readData, TStreamProc, bool) {
  if (handled_ || !readData || !SameName(name, propName_)) return;
  handled_ = true;
  AnsiString bytes = ReadBinary();
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  stream.SetPosition(0);
  readData(stream);
}

TValueType TReader::NextValue() {
  if (!peeked_) {
    Byte byte = 0;
    Stream().ReadBuffer(&byte, 1);
    if (byte > vaCollection) throw EReadError(L"Invalid stream format");
    peekedTag_ = static_cast<TValueType>(byte);
    peeked_ = true;
  }
  return peekedTag_;
}

TValueType TReader::ReadValue() {
  TValueType tag = NextValue();
  peeked_ = false;
  return tag;
}

void TReader::Expect(TValueType tag) {
  if (ReadValue() != tag) InvalidValue();
}

Cardinal TReader::ReadCount() {
  Cardinal count = 0;
  Stream().ReadBuffer(&count, sizeof count);
  // A count beyond the data is a damaged stream, not a request for that much memory.
  if (count > Stream().Size() - Stream().Position()) throw EReadError(L"Stream read error");
  return count;
}

int TReader::ReadInteger() {
  Int64 value = ReadInt64();
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    InvalidValue();
  return static_cast<int>(value);
}

Int64 TReader::ReadInt64() {
  switch (ReadValue()) {
    case vaInt32: {
      std::int32_t value = 0;
      Stream().ReadBuffer(&value, sizeof value);
      return value;
    }
    case vaInt64: {
      Int64 value = 0;
      Stream().ReadBuffer(&value, sizeof value);
      return value;
    }
    default: InvalidValue();
  }
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: InvalidValue();
  }
}

String TReader::ReadString() {
  Expect(vaString);
  AnsiString bytes(ReadCount(), '\0');
  Stream().ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  return Utf8Decode(bytes);
}

AnsiString TReader::ReadBinary() {
  Expect(vaBinary);
  AnsiString bytes(ReadCount(), '\0');
  Stream().ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  return bytes;
}

void TReader::ReadListBegin() { Expect(vaList); }

void TReader::ReadListEnd() { Expect(vaNull); }

void TReader::SkipValue() {
  switch (ReadValue()) {
    case vaNull:
      InvalidValue();  // an end marker is not a value
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    case vaInt32: Stream().Seek(4, soCurrent); return;
    case vaInt64: Stream().Seek(8, soCurrent); return;
    case vaFalse:
    case vaTrue: return;
    case vaString:
    case vaBinary: Stream().Seek(ReadCount(), soCurrent); return;
    case vaCollection:
      while (!EndOfList()) {
        ReadListBegin();
        while (!EndOfList()) {
          ReadString();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      return;
  }
}

void TReader::ReadCollection(TCollection& collection) {
  Expect(vaCollection);
  collection.BeginUpdate();
  try {
    collection.Clear();
    while (!EndOfList()) {
      ReadListBegin();
      ReadProperties(*collection.Add());
    }
    ReadListEnd();
  } catch (...) {
    collection.EndUpdate();
    throw;
  }
  collection.EndUpdate();
}

void TReader::ReadProperty(TPersistent& instance) {
  // A property's reader may itself read property lists (collection items): keep the outer state.
  String outerName = std::exchange(propName_, ReadString());
  bool outerHandled = std::exchange(handled_, false);
  instance.DefineProperties(*this);
  if (!handled_) PropertyError(instance);
  propName_ = std::move(outerName);
  handled_ = outerHandled;
}

void TReader::PropertyError(TPersistent& instance) {
  String owner = instance.GetNamePath();
  if (owner.empty()) owner = instance.ClassName();
  throw EReadError(L"Error reading " + owner + L"." + propName_ + L": Property " + propName_ + L" does not exist");
}

void TReader::ReadProperties(TPersistent& instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

void TReader::ReadComponentData(TComponent& component) { component.ReadState(*this); }

void DiscardProperty(TReader& reader) { reader.SkipValue(); }

// ---------------------------------------------------------------------------------------------------
// TLoadingBracket

// Takes components that are freed inside the bracket out of it.
class TLoadingBracket::Watcher : public TComponent {
 public:
  explicit Watcher(TLoadingBracket& bracket) : TComponent(nullptr), bracket_(bracket) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove) bracket_.Forget(component);
    TComponent::Notification(component, operation);
  }

 private:
  TLoadingBracket& bracket_;
};

TLoadingBracket::TLoadingBracket(TComponent& root) : root_(root), watcher_(new Watcher(*this)) { Register(&root); }

TLoadingBracket::~TLoadingBracket() {
  if (!ended_)
    for (Member& member : members_) member.Component->ClearComponentState({csReading, csLoading});
}

void TLoadingBracket::Forget(TComponent* component) {
  std::erase_if(members_, [&](const Member& member) { return member.Component == component; });
}

void TLoadingBracket::Register(TComponent* component) {
  if (component == nullptr) throw EComponentError(L"A null component cannot join the loading bracket");
  for (const Member& member : members_)
    if (member.Component == component) return;
  component->SetComponentState({csLoading, csReading});
  members_.push_back(Member{component, {}});
  watcher_->FreeNotification(component);
}

TLoadingBracket::Member& TLoadingBracket::Find(TComponent* component) {
  for (Member& member : members_)
    if (member.Component == component) return member;
  throw EComponentError(L"The component was not added to the loading bracket");
}

void TLoadingBracket::SetData(TComponent* component, AnsiString propertyList) {
  Find(component).Data = std::move(propertyList);
}

void TLoadingBracket::SetData(TComponent* component, TStream& propertyList) {
  AnsiString bytes(static_cast<size_t>(std::max<Int64>(propertyList.Size() - propertyList.Position(), 0)), '\0');
  propertyList.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  SetData(component, std::move(bytes));
}

void TLoadingBracket::End() {
  if (ended_) return;
  for (Member& member : members_) {
    TStringStream data(member.Data.empty() ? AnsiString(1, static_cast<char>(vaNull)) : member.Data);
    TReader reader(data);
    reader.SetRoot(&root_);
    reader.SetOwner(member.Component->Owner());
    reader.SetParent(member.Component->GetParentComponent());
    member.Component->ReadState(reader);
  }
  ended_ = true;
  for (Member& member : members_) member.Component->ClearComponentState({csReading});
  for (Member& member : members_) member.Component->Loaded();
}
