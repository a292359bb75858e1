#pragma once
// HTTP content codings: the process-wide registry of coding classes, the decoder objects that a
// response's "Content-Encoding" chains together, and the per-client handler that announces the
// accepted codings ("Accept-Encoding:") and routes body bytes through the chain.

#include <memory>
#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/classes/Events.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/base/Types.h"

FRAMEWORK_EXCEPTION(EHttpContentCodingException, Exception);

// Where a decoder writes its output: the next decoder, or the handler's final writer.
using THttpContCodWriter = TEvent<void(const void* Buffer, Int64 Count)>;

class THttpContentCoding;

// The coding family's class reference: the class operations and the virtual constructor. Each
// class's operations are the static GetActive/GetCoding found from that class (a class that
// declares none inherits its parent's).
class THttpContentCodingMetaClass : public TMetaClass {
 public:
  using TMetaClass::TMetaClass;
  // Whether the coding can be used at all.
  virtual bool GetActive() const = 0;
  // The coding's name as it appears in the headers.
  virtual String GetCoding() const = 0;
  virtual THttpContentCoding* Create(THttpContCodWriter WriteBuffer) const = 0;

  template <class Self>
  class Of;
};
using THttpContentCodingClass = const THttpContentCodingMetaClass*;

// One decoder of a chain.
class THttpContentCoding : public TObject {
 public:
  using MetaClass = THttpContentCodingMetaClass;
  DECLARE_CLASS(THttpContentCoding, TObject)

 public:
  explicit THttpContentCoding(THttpContCodWriter WriteBuffer) : outputWriter_(std::move(WriteBuffer)) {}

  static bool GetActive(TClass) { return true; }
  // The rest of the class name after "THttpContentCoding"; any other class must declare its own
  // (EHttpContentCodingException otherwise).
  static String GetCoding(TClass cls);

  // Called when the document ends.
  virtual void Complete() {}
  virtual void WriteBuffer(const void* Buffer, Int64 Count) = 0;

 protected:
  THttpContCodWriter outputWriter_;
};

template <class Self>
class THttpContentCodingMetaClass::Of : public THttpContentCodingMetaClass {
 public:
  using THttpContentCodingMetaClass::THttpContentCodingMetaClass;
  bool GetActive() const override { return Self::GetActive(this); }
  String GetCoding() const override { return Self::GetCoding(this); }
  THttpContentCoding* Create(THttpContCodWriter WriteBuffer) const override {
    if constexpr (std::is_abstract_v<Self>) {
      RaiseAbstractCreate(this);
    } else {
      return new Self(std::move(WriteBuffer));
    }
  }
};

// "identity": no transformation; the bytes pass through unchanged.
class THttpCCodIdentity : public THttpContentCoding {
  DECLARE_CLASS(THttpCCodIdentity, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  static String GetCoding(TClass) { return L"identity"; }
  void WriteBuffer(const void* Buffer, Int64 Count) override { outputWriter_(Buffer, Count); }
};

// "*": any coding; passes the bytes through unchanged like "identity".
class THttpCCodStar : public THttpContentCoding {
  DECLARE_CLASS(THttpCCodStar, THttpContentCoding)

 public:
  using THttpContentCoding::THttpContentCoding;
  static String GetCoding(TClass) { return L"*"; }
  void WriteBuffer(const void* Buffer, Int64 Count) override { outputWriter_(Buffer, Count); }
};

// The registry: coding classes with their qualities, in registration order. Created on first use
// with "identity" and "*", both of quality 0.
class TContCodingsList {
 public:
  struct Entry {
    THttpContentCodingClass Coding;
    float Quality;
  };

  void Add(THttpContentCodingClass Coding, float Quality);
  void Remove(THttpContentCodingClass Coding);
  // Case-blind, the last registered match first; null when none.
  THttpContentCodingClass FindByName(const String& Name) const;
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

TContCodingsList& ContCodings();

// The handler's copy of a registry entry.
struct THttpContCodItem {
  THttpContentCodingClass Coding;
  bool Enabled = true;
  float Quality = 0;
};

class THttpContCodHandler : public TObject {
 public:
  // RecvStream is the client's receive-stream variable (its stream may change between requests);
  // OutputWriteBuffer receives every decoded byte after the stream.
  THttpContCodHandler(TStream* const* RecvStream, THttpContCodWriter OutputWriteBuffer);
  ~THttpContCodHandler() override;

  // The value for "Accept-Encoding:"; empty when disabled. Codings of quality 0 are left out, so
  // the header never declares every coding unacceptable.
  String HeaderText();
  // Builds the decoder chain for a response's "Content-Encoding" value (codings listed in the order
  // they were applied, so the last is decoded first). False, with the bytes passed through
  // undecoded, when a coding is not registered.
  bool Prepare(const String& Encodings);
  void WriteBuffer(const void* Buffer, Int64 Count) { inputWriter_(Buffer, Count); }
  // The completion step of every decoder, the last added first.
  void Complete();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value) { enabled_ = Value; }
  bool UseQuality() const { return useQuality_; }
  void SetUseQuality(bool Value);

 private:
  void FinalWriteBuffer(const void* Buffer, Int64 Count);
  void FreeChain();

  std::vector<THttpContCodItem> items_;
  std::vector<std::unique_ptr<THttpContentCoding>> chain_;
  TStream* const* recvStream_;
  THttpContCodWriter inputWriter_;
  THttpContCodWriter outputWriter_;
  String headerText_;
  bool recalcHeader_ = true;
  bool enabled_ = false;
  bool useQuality_ = false;
};
