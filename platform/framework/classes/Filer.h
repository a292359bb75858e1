#pragma once
// Component data in a tagged binary format, and the loading bracket of forms built in C++.
//
// Objects declare their data in DefineProperties(TFiler&) as named properties, each with a reader,
// a writer and a has-data flag. TWriter writes a property list: for every property that has data,
// its name and the value(s) its writer produces, then an end marker. TReader reads the list back and
// hands each record to the defined property of that name; a name nobody defines raises EReadError.
//
// Format (little-endian). Every value starts with a one-byte TValueType tag:
//   vaNull                      end of a property list, value list or collection
//   vaList       values...      vaNull
//   vaInt32      4 bytes        vaInt64   8 bytes
//   vaFalse, vaTrue
//   vaString     Cardinal n, n bytes of UTF-8
//   vaBinary     Cardinal n, n bytes
//   vaCollection items...       vaNull; each item is vaList, its property list, vaNull
// A property list is a sequence of (vaString name, value) records ended by vaNull.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CLASSES);

#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/base/Types.h"

class TCollection;
class TReader;
class TWriter;

enum TValueType : Byte {
  vaNull = 0,
  vaList = 1,
  vaInt32 = 2,
  vaInt64 = 3,
  vaFalse = 4,
  vaTrue = 5,
  vaString = 6,
  vaBinary = 7,
  vaCollection = 8,
};

using TReaderProc = TEvent<void(TReader& Reader)>;
using TWriterProc = TEvent<void(TWriter& Writer)>;
using TStreamProc = TEvent<void(TStream& Stream)>;

class TFiler : public TObject {
  DECLARE_CLASS(TFiler, TObject)
 public:
  explicit TFiler(TStream& stream) : stream_(stream) {}
  ~TFiler() override = default;

  TStream& Stream() const { return stream_; }
  // The component at the top of what is read or written (the form).
  TComponent* Root() const { return root_; }
  void SetRoot(TComponent* root) { root_ = root; }
  // The owner and the parent of the component being read or written.
  TComponent* Owner() const { return owner_; }
  void SetOwner(TComponent* owner) { owner_ = owner; }
  TComponent* Parent() const { return parent_; }
  void SetParent(TComponent* parent) { parent_ = parent; }
  // There is no form inheritance: data is never written relative to an ancestor.
  TPersistent* Ancestor() const { return nullptr; }

  // Declares a property of the object being filed. The reader reads exactly one value; the writer
  // writes exactly one value and is called only when hasData is true.
  virtual void DefineProperty(const String& name, TReaderProc readData, TWriterProc writeData, bool hasData) = 0;
  // Declares a property held as a binary value; the procedures get a stream over its bytes.
  virtual void DefineBinaryProperty(const String& name, TStreamProc readData, TStreamProc writeData,
                                    bool hasData) = 0;

 private:
  TStream& stream_;
  TComponent* root_ = nullptr;
  TComponent* owner_ = nullptr;
  TComponent* parent_ = nullptr;
};

class TWriter : public TFiler {
  DECLARE_CLASS(TWriter, TFiler)
 public:
  explicit TWriter(TStream& stream);

  void DefineProperty(const String& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const String& name, TStreamProc readData, TStreamProc writeData, bool hasData) override;

  void WriteInteger(int value);
  void WriteInt64(Int64 value);
  void WriteBoolean(bool value);
  void WriteString(const String& value);
  void WriteBinary(const void* data, Int64 count);
  void WriteListBegin();
  void WriteListEnd();
  // The items of a collection, each as the property list of its defined properties.
  void WriteCollection(TCollection& collection);
  // Starts a property record; the value follows.
  void WritePropName(const String& name);
  // The defined properties of instance that have data, without the end marker.
  void WriteProperties(TPersistent& instance);
  // A component's data: its state (by default its defined properties) and the end marker.
  void WriteComponentData(TComponent& component);

 private:
  void WriteTag(TValueType tag);
  void WriteCounted(TValueType tag, const void* data, Int64 count);
};

class TReader : public TFiler {
  DECLARE_CLASS(TReader, TFiler)
 public:
  explicit TReader(TStream& stream);

  void DefineProperty(const String& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const String& name, TStreamProc readData, TStreamProc writeData, bool hasData) override;

  // The next value's tag, without consuming it.
  TValueType NextValue();
  // Consumes and returns the next tag.
  TValueType ReadValue();
  bool EndOfList() { return NextValue() == vaNull; }

  // Typed reads raise EReadError "Invalid property value" when the next value has another type.
  int ReadInteger();  // a vaInt32, or a vaInt64 within range
  Int64 ReadInt64();  // either integer type
  bool ReadBoolean();
  String ReadString();
  AnsiString ReadBinary();
  void ReadListBegin();
  void ReadListEnd();
  // Replaces the collection's items by the ones stored.
  void ReadCollection(TCollection& collection);
  // Reads and drops one value of any type.
  void SkipValue();

  // Reads a property list up to and including its end marker, handing every record to the defined
  // property of instance with that name.
  void ReadProperties(TPersistent& instance);
  // A component's data as written by TWriter::WriteComponentData.
  void ReadComponentData(TComponent& component);

  // The name of the property being read, for messages.
  const String& PropName() const { return propName_; }

 private:
  void Expect(TValueType tag);
  Cardinal ReadCount();
  void ReadProperty(TPersistent& instance);
  [[noreturn]] void PropertyError(TPersistent& instance);

  String propName_;
  bool handled_ = false;
  bool peeked_ = false;
  TValueType peekedTag_ = vaNull;
};

// A reader for obsolete properties: reads the stored value and drops it.
//   Filer.DefineProperty(L"OldOption", DiscardProperty, nullptr, false);
void DiscardProperty(TReader& reader);

// The loading bracket of a form (or any root component) built in C++. The form's constructor opens
// it, creates its components through Add, sets their properties in the stored order and binds the
// handlers, optionally gives components defined-property data, and calls End:
//
//   TLoadingBracket loading(*this);
//   Panel = loading.Add(new TPanel(this));
//   Panel->SetParent(this);
//   loading.WriteData(Panel, [](TWriter& w) { w.WritePropName(L"Layout"); w.WriteInteger(2); });
//   loading.End();
//
// Every component in the bracket (the root first) carries csLoading and csReading from the moment
// it is added. End passes each once through ReadState with a reader whose Root, Owner and Parent are
// set as for a stream, and whose stream holds the component's data (an empty property list when
// none was given); then it clears csReading on all of them and calls Loaded on each in the order
// they were added (Loaded clears csLoading). A bracket left without End (an exception) clears both
// flags and calls no Loaded. A component freed inside the bracket leaves it.
class TLoadingBracket {
 public:
  explicit TLoadingBracket(TComponent& root);
  ~TLoadingBracket();
  TLoadingBracket(const TLoadingBracket&) = delete;
  TLoadingBracket& operator=(const TLoadingBracket&) = delete;

  template <class T>
  T* Add(T* component) {
    Register(component);
    return component;
  }
  // The component's data: a property list written by TWriter (with its end marker), e.g. the bytes
  // of an RCDATA resource made by a generator.
  void SetData(TComponent* component, AnsiString propertyList);
  // The same, read from the stream's position to its end (a TResourceStream, for instance).
  void SetData(TComponent* component, TStream& propertyList);
  // Writes the component's data with a writer; the end marker is added.
  template <class WriteProperties>
  void WriteData(TComponent* component, WriteProperties&& write) {
    TMemoryStream stream;
    TWriter writer(stream);
    write(writer);
    writer.WriteListEnd();
    SetData(component, AnsiString(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size())));
  }
  void End();

 private:
  struct Member {
    TComponent* Component;
    AnsiString Data;
  };
  class Watcher;
  void Register(TComponent* component);
  Member& Find(TComponent* component);
  void Forget(TComponent* component);

  TComponent& root_;
  std::vector<Member> members_;
  ObjectPtr<Watcher> watcher_;
  bool ended_ = false;
};
