#include "platform/framework/classes/Filer.h"

#include <gtest/gtest.h>

#include "platform/framework/classes/Collection.h"
#include "platform/framework/base/Exceptions.h"

namespace {

class TPointItem : public TCollectionItem {
  DECLARE_CLASS(TPointItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  int X = 0;
  String Label;

 protected:
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(L"X", [this](TReader& r) { X = r.ReadInteger(); }, [this](TWriter& w) { w.WriteInteger(X); },
                         true);
    filer.DefineProperty(L"Label", [this](TReader& r) { Label = r.ReadString(); },
                         [this](TWriter& w) { w.WriteString(Label); }, !Label.empty());
  }
};

// Data of every value type, each held in a defined property.
class TSample : public TComponent {
 public:
  using TComponent::TComponent;
  int Count = 0;
  Int64 Big = 0;
  bool Flag = false;
  String Title;
  AnsiString Blob;
  std::vector<int> Values;
  TCollection Points{&TPointItem::ClassInfo()};
  String Optional = L"unset";  // written only when set
  int Scale = 0;

 protected:
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(L"Count", [this](TReader& r) { Count = r.ReadInteger(); },
                         [this](TWriter& w) { w.WriteInteger(Count); }, true);
    filer.DefineProperty(L"Big", [this](TReader& r) { Big = r.ReadInt64(); }, [this](TWriter& w) { w.WriteInt64(Big); },
                         true);
    filer.DefineProperty(L"Flag", [this](TReader& r) { Flag = r.ReadBoolean(); },
                         [this](TWriter& w) { w.WriteBoolean(Flag); }, true);
    filer.DefineProperty(L"Title", [this](TReader& r) { Title = r.ReadString(); },
                         [this](TWriter& w) { w.WriteString(Title); }, true);
    filer.DefineBinaryProperty(
        L"Blob",
        [this](TStream& s) {
          Blob.assign(static_cast<size_t>(s.Size()), '\0');
          s.ReadBuffer(Blob.data(), s.Size());
        },
        [this](TStream& s) { s.WriteBuffer(Blob.data(), static_cast<Int64>(Blob.size())); }, true);
    filer.DefineProperty(
        L"Values",
        [this](TReader& r) {
          Values.clear();
          r.ReadListBegin();
          while (!r.EndOfList()) Values.push_back(r.ReadInteger());
          r.ReadListEnd();
        },
        [this](TWriter& w) {
          w.WriteListBegin();
          for (int v : Values) w.WriteInteger(v);
          w.WriteListEnd();
        },
        true);
    filer.DefineProperty(L"Points", [this](TReader& r) { r.ReadCollection(Points); },
                         [this](TWriter& w) { w.WriteCollection(Points); }, Points.Count() > 0);
    filer.DefineProperty(L"Optional", [this](TReader& r) { Optional = r.ReadString(); },
                         [this](TWriter& w) { w.WriteString(Optional); }, Optional != L"unset");
    filer.DefineProperty(L"Scale", [this](TReader& r) { Scale = r.ReadInteger(); }, nullptr, false);
    filer.DefineProperty(L"OldScale", DiscardProperty, nullptr, false);
  }
};

AnsiString WriteData(TComponent& component) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteComponentData(component);
  return AnsiString(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

template <class WriteProperties>
AnsiString WriteList(WriteProperties write) {
  TMemoryStream stream;
  TWriter writer(stream);
  write(writer);
  writer.WriteListEnd();
  return AnsiString(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void ReadData(TComponent& component, const AnsiString& data) {
  TStringStream stream(data);
  TReader reader(stream);
  reader.ReadComponentData(component);
  EXPECT_EQ(stream.Position(), stream.Size()) << "data left over";
}

TEST(Filer, EveryValueTypeRoundTrips) {
  TSample source(nullptr);
  source.Count = -42;
  source.Big = Int64{1} << 40;
  source.Flag = true;
  source.Title = L"Caf\u00E9 \u65E5\u672C";
  source.Blob = AnsiString("\x00\x01\xFF", 3);
  source.Values = {3, -1, 7};
  for (int x : {10, 20}) static_cast<TPointItem*>(source.Points.Add())->X = x;
  static_cast<TPointItem*>(source.Points.Items(1))->Label = L"second";

  TSample target(nullptr);
  target.Points.Add();  // replaced by what was stored
  ReadData(target, WriteData(source));
  EXPECT_EQ(target.Count, -42);
  EXPECT_EQ(target.Big, Int64{1} << 40);
  EXPECT_TRUE(target.Flag);
  EXPECT_EQ(target.Title, source.Title);
  EXPECT_EQ(target.Blob, source.Blob);
  EXPECT_EQ(target.Values, source.Values);
  ASSERT_EQ(target.Points.Count(), 2);
  EXPECT_EQ(static_cast<TPointItem*>(target.Points.Items(0))->X, 10);
  EXPECT_EQ(static_cast<TPointItem*>(target.Points.Items(1))->X, 20);
  EXPECT_EQ(static_cast<TPointItem*>(target.Points.Items(1))->Label, L"second");
  EXPECT_EQ(target.Optional, L"unset") << "a property without data was written";
}

TEST(Filer, NamesMatchWithoutCaseAndObsoletePropertiesAreDropped) {
  TSample target(nullptr);
  ReadData(target, WriteList([](TWriter& w) {
             w.WritePropName(L"OldScale");
             w.WriteListBegin();
             w.WriteString(L"dropped");
             w.WriteBinary("xy", 2);
             w.WriteListEnd();
             w.WritePropName(L"scale");
             w.WriteInteger(4);
           }));
  EXPECT_EQ(target.Scale, 4);
}

TEST(Filer, UnknownPropertyNamesComponentAndProperty) {
  TSample target(nullptr);
  target.SetName(L"Sample1");
  AnsiString data = WriteList([](TWriter& w) {
    w.WritePropName(L"Count");
    w.WriteInteger(1);
    w.WritePropName(L"Colour");
    w.WriteInteger(2);
  });
  try {
    ReadData(target, data);
    FAIL() << "no exception";
  } catch (const EReadError& error) {
    EXPECT_NE(error.Message().find(L"Sample1.Colour"), String::npos) << error.what();
  }
}

TEST(Filer, DamagedDataRaisesReadError) {
  struct Case {
    const char* what;
    AnsiString data;
  };
  AnsiString good = WriteList([](TWriter& w) {
    w.WritePropName(L"Title");
    w.WriteString(L"abcdef");
  });
  const Case cases[] = {
      {"wrong type", WriteList([](TWriter& w) {
         w.WritePropName(L"Count");
         w.WriteString(L"7");
       })},
      {"integer out of range", WriteList([](TWriter& w) {
         w.WritePropName(L"Count");
         w.WriteInt64(Int64{1} << 33);
       })},
      {"truncated", good.substr(0, good.size() - 4)},
      {"no end marker", good.substr(0, good.size() - 1)},
      {"unknown tag", AnsiString("\x63", 1)},
  };
  for (const Case& c : cases) {
    TSample target(nullptr);
    EXPECT_THROW(ReadData(target, c.data), EReadError) << c.what;
  }
}

// Records what the loading protocol does to it.
class TProbe : public TComponent {
 public:
  TProbe(TComponent* owner, std::vector<String>& log, TComponent* parent = nullptr)
      : TComponent(owner), log_(log), parent_(parent) {}

  void SetWidth(int width) {
    width_ = width;
    if (ComponentState().Contains(csLoading)) log_.push_back(Name() + L".SetWidth while loading");
  }
  TComponent* GetParentComponent() const override { return parent_; }
  void ReadState(TReader& reader) override {
    log_.push_back(Name() + L".ReadState root=" + reader.Root()->Name() +
                   L" owner=" + (reader.Owner() ? reader.Owner()->Name() : L"-") +
                   L" parent=" + (reader.Parent() ? reader.Parent()->Name() : L"-") +
                   (ComponentState().Contains(csReading) ? L" reading" : L""));
    TComponent::ReadState(reader);
  }
  void Loaded() override {
    TComponent::Loaded();
    log_.push_back(Name() + L".Loaded width=" + std::to_wstring(width_) +
                   (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) ? L" still loading"
                                                                                                  : L""));
  }

 protected:
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty(L"Width", [this](TReader& r) { width_ = r.ReadInteger(); }, nullptr, false);
  }

 private:
  std::vector<String>& log_;
  TComponent* parent_;
  int width_ = 0;
};

TEST(LoadingBracket, FlagsReadStateOnceAndLoadedInCreationOrder) {
  std::vector<String> log;
  TProbe form(nullptr, log);
  form.SetName(L"Form");
  {
    TLoadingBracket loading(form);
    TProbe* panel = loading.Add(new TProbe(&form, log, &form));
    panel->SetName(L"Panel");
    TProbe* button = loading.Add(new TProbe(&form, log, panel));
    button->SetName(L"Button");
    button->SetWidth(75);
    loading.WriteData(panel, [](TWriter& w) {
      w.WritePropName(L"Width");
      w.WriteInteger(200);
    });
    TMemoryStream formData;  // as a resource made by a generator would hold it
    TWriter writer(formData);
    writer.WritePropName(L"Width");
    writer.WriteInteger(640);
    writer.WriteListEnd();
    formData.SetPosition(0);
    loading.SetData(&form, formData);
    loading.End();
  }
  EXPECT_EQ(log, (std::vector<String>{
                     L"Button.SetWidth while loading",
                     L"Form.ReadState root=Form owner=- parent=- reading",
                     L"Panel.ReadState root=Form owner=Form parent=Form reading",
                     L"Button.ReadState root=Form owner=Form parent=Panel reading",
                     L"Form.Loaded width=640",
                     L"Panel.Loaded width=200",
                     L"Button.Loaded width=75",
                 }));
}

TEST(LoadingBracket, LeftByAnExceptionClearsTheFlagsWithoutLoaded) {
  std::vector<String> log;
  TProbe form(nullptr, log);
  TProbe* child = nullptr;
  try {
    TLoadingBracket loading(form);
    child = loading.Add(new TProbe(&form, log));
    throw EComponentError(L"construction failed");
  } catch (const EComponentError&) {
  }
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  EXPECT_FALSE(child->ComponentState().Contains(csReading));
}

TEST(LoadingBracket, ComponentFreedInsideTheBracketLeavesIt) {
  std::vector<String> log;
  TProbe form(nullptr, log);
  form.SetName(L"Form");
  TLoadingBracket loading(form);
  TProbe* doomed = loading.Add(new TProbe(&form, log));
  doomed->Free();
  loading.End();
  EXPECT_EQ(log, (std::vector<String>{L"Form.ReadState root=Form owner=- parent=- reading", L"Form.Loaded width=0"}));
}

}  // namespace

DEFINE_CLASS(TPointItem)
