#pragma once
// The process-wide registry of navigation-bar views: an integer view ID, a display name and the
// painter class that draws the view. Units that implement views register them at their start and
// remove them at their end; a bar's View picks its painter class here.

#include <vector>

#include "platform/framework/classes/Object.h"

class TdxNavBarPainterMetaClass;
using TdxNavBarPainterClass = const TdxNavBarPainterMetaClass*;

class TdxNavBarPainterFactItem : public TObject {
  DECLARE_CLASS(TdxNavBarPainterFactItem, TObject)
 public:
  TdxNavBarPainterFactItem(int AID, const String& AName, TdxNavBarPainterClass APainterClass)
      : ID(AID), Name(AName), PainterClassRef(APainterClass) {}
  int ID;
  String Name;
  TdxNavBarPainterClass PainterClassRef;
};

// The entries, kept sorted by ID.
class TdxNavBarViewsFactory : public TObject {
  DECLARE_CLASS(TdxNavBarViewsFactory, TObject)
 public:
  ~TdxNavBarViewsFactory() override;
  // Raises "ID of view = %d is already exists." when the ID is present, adding nothing; otherwise
  // registers the painter class for streaming and adds the entry.
  void RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass);
  // Nothing when the ID is absent.
  void UnregisterView(int AID);
  int Count() const { return int(items_.size()); }
  // -1 outside 0..Count-1.
  int IDAt(int AIndex) const;
  // Null outside 0..Count-1.
  TdxNavBarPainterClass PainterClassAt(int AIndex) const;
  String NameAt(int AIndex) const;
  int IndexOfID(int AID) const;
  bool IsRegistered(int AID) const { return IndexOfID(AID) != -1; }

 private:
  std::vector<TdxNavBarPainterFactItem*> items_;
};

// A registry made on first use and freed once at shutdown; after that it is never made again, so
// registrations and removals that come late do nothing.
class TdxNavBarViewsRegistry {
 public:
  ~TdxNavBarViewsRegistry() { Shutdown(); }
  // The registry, made now unless shutdown has begun (then null).
  TdxNavBarViewsFactory* Factory();
  // The registry when it exists, without making it.
  TdxNavBarViewsFactory* Existing() const { return factory_; }
  void Shutdown();
  bool IsShutDown() const { return shutDown_; }
  void RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass);
  void UnregisterView(int AID);

 private:
  TdxNavBarViewsFactory* factory_ = nullptr;
  bool shutDown_ = false;
};

// The process's registry (freed at the end of the navigation bar's unit).
TdxNavBarViewsRegistry& dxNavBarViewsRegistry();
// The process's registry object, made on first use; null once shutdown has begun.
TdxNavBarViewsFactory* dxNavBarViewsFactory();
void RegisterView(int AID, const String& AName, TdxNavBarPainterClass APainterClass);
void UnregisterView(int AID);
