#pragma once
// TcxLookAndFeel: the settings object every painted control owns. It holds Kind, NativeStyle and
// SkinName, each assigned on the object or inherited from its master (the root at the top of every
// chain), chooses a painter class from the effective values and tells its listeners, then its owner,
// whenever an effective value changes. Around it: the controller component that edits the root, the
// registry of named skin painters (empty in this program, so the painter comes from NativeStyle or
// Kind), and the process-wide listener of system colour changes.

#include <vector>

#include "ui/foundation/Classes.h"
#include "ui/foundation/LookAndFeelPainters.h"
#include "ui/foundation/Themes.h"

enum TcxLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
constexpr TcxLookAndFeelValues cxLookAndFeelAllValues{lfvKind, lfvNativeStyle, lfvSkinName};
using TdxSkinName = String;

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  TdxSkinName SkinName;
};

class TcxLookAndFeel;

class IcxLookAndFeelListener : public virtual IInterface {
 public:
  virtual TObject* ListenerObject() = 0;
  virtual void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) = 0;
  virtual void MasterDestroying(TcxLookAndFeel* Sender) = 0;
};

class IcxSkinPainterListener : public virtual IInterface {
 public:
  virtual void SkinPainterChanged() = 0;
};

// ---- system colour changes ----------------------------------------------------------------------

// Hears a system colour change. Primary notifiers are told before ordinary ones, each list from the
// one made last to the one made first, after the Office11 palette was recomputed.
class TcxSystemPaletteChangedNotifier : public TObject {
  DECLARE_CLASS(TcxSystemPaletteChangedNotifier, TObject)
 public:
  explicit TcxSystemPaletteChangedNotifier(bool AIsPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;
  bool IsPrimary() const { return isPrimary_; }
  virtual void NotifyPaletteChanged();
  TEvent<void()> OnSystemPaletteChanged;

 private:
  bool isPrimary_;
};

// The hidden window of the palette listener (it exists while a notifier does), 0 otherwise.
HWND SystemPaletteListenerWindow();

// ---- the skin painter registry ------------------------------------------------------------------

class TcxExtendedStylePainters : public TcxObjectList {
  DECLARE_CLASS(TcxExtendedStylePainters, TcxObjectList)
 public:
  ~TcxExtendedStylePainters() override;
  // The first entry whose name equals Name without regard to case, or -1.
  int IndexOfName(const String& Name) const;
  bool FindPainterByName(const String& Name, TcxCustomLookAndFeelPainterClass& Painter) const;
  // Adds a named painter (nothing in this program does).
  void RegisterPainter(const String& Name, TcxCustomLookAndFeelPainterClass Painter);
  void AddPainterListener(IcxSkinPainterListener* Listener);
  void RemovePainterListener(IcxSkinPainterListener* Listener);
  int PainterListenerCount() const { return listeners_.Count(); }

 private:
  TInterfaceList listeners_;
};

// The one registry (null before the unit start and after the end).
TcxExtendedStylePainters* SkinPainterRegistry();
// A skin painter found by name is used only while this is on (it starts on).
bool SkinPaintersEnabled();
void SetSkinPaintersEnabled(bool Value);

// ---- the look-and-feel --------------------------------------------------------------------------

using TcxLookAndFeelChangedEvent = TEvent<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelListener,
                       public IcxSkinPainterListener {
  DECLARE_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
 public:
  explicit TcxLookAndFeel(TPersistent* AOwner);
  ~TcxLookAndFeel() override;

  // The effective values.
  TcxLookAndFeelKind Kind() const { return current_.Kind; }
  bool NativeStyle() const { return current_.NativeStyle; }
  const TdxSkinName& SkinName() const { return current_.SkinName; }
  // Each setter assigns its value (even an equal one) and reports when the effective value changes.
  void SetKind(TcxLookAndFeelKind Value);
  void SetNativeStyle(bool Value);
  void SetSkinName(const TdxSkinName& Value);

  TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  // Every value comes from the master again.
  void ClearAssignedValues() { SetAssignedValues({}); }

  TcxCustomLookAndFeelPainterClass ActivePainter() const { return activePainter_; }
  TcxCustomLookAndFeelPainterClass ActiveSkinPainter() const { return activeSkinPainter_; }
  // The painter for controls drawn with these themed kinds (WinXP only while they all open).
  TcxCustomLookAndFeelPainterClass PainterForThemedTypes(TdxThemedObjectKinds Kinds) const;
  TcxCustomLookAndFeelPainterClass PainterForThemedType(TdxThemedObjectKind Kind) const;

  // The master assigned (null: the root).
  TcxLookAndFeel* MasterLookAndFeel() const { return master_; }
  void SetMasterLookAndFeel(TcxLookAndFeel* Value) { AttachToMaster(Value); }
  // Null for the root; else the assigned master; else the root.
  TcxLookAndFeel* EffectiveMaster() const;
  bool IsRoot() const { return isRoot_; }

  void Assign(TPersistent* Source) override;
  // 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office11.
  void ApplyStyleCode(int Code);

  void AddListener(IcxLookAndFeelListener* Listener);
  void RemoveListener(IcxLookAndFeelListener* Listener);
  int ListenerCount() const { return int(listeners_.size()); }

  // The owner's hook.
  TcxLookAndFeelChangedEvent OnChanged;

  // IInterface (the owner controls the lifetime), IcxLookAndFeelListener, IcxSkinPainterListener.
  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TObject* ListenerObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;
  void SkinPainterChanged() override;

  // Makes the root (the unit start does).
  static TcxLookAndFeel* CreateRoot();

 protected:
  // "Kind", "NativeStyle" and "SkinName", each stored while it is assigned.
  void DefineProperties(TFiler& Filer) override;
  virtual TcxLookAndFeelKind EffectiveKind() const;
  virtual bool EffectiveNativeStyle() const;
  virtual TdxSkinName EffectiveSkinName() const;
  virtual TcxCustomLookAndFeelPainterClass EffectiveSkinPainter() const;
  // True when the name is registered; Painter is its class while skin painters are enabled.
  virtual bool FindSkinPainter(const TdxSkinName& Name, TcxCustomLookAndFeelPainterClass& Painter) const;
  virtual void PaletteChanged();

 private:
  void AttachToMaster(TcxLookAndFeel* Master);
  void ReportChanges(TcxLookAndFeelValues Changed);
  void TakeSnapshot() { snapshot_ = current_; }
  void ReportChangesSinceSnapshot();
  TcxLookAndFeelData EffectiveData() const;
  TcxCustomLookAndFeelPainterClass SkinPainterForCurrent() const;

  TcxLookAndFeelValues assignedValues_;
  std::vector<IcxLookAndFeelListener*> listeners_;
  TcxLookAndFeelData current_;
  TcxCustomLookAndFeelPainterClass activePainter_ = nullptr;
  TcxLookAndFeelData assigned_;
  bool destroying_ = false;
  bool isRoot_ = false;
  TcxLookAndFeel* master_ = nullptr;
  TcxCustomLookAndFeelPainterClass activeSkinPainter_ = nullptr;
  TcxLookAndFeelData snapshot_;
  TcxSystemPaletteChangedNotifier* paletteNotifier_ = nullptr;
};

// The root look-and-feel (null before the unit start and after the end).
TcxLookAndFeel* RootLookAndFeel();
// How many controllers listen to the root.
int RootControllerCount();

// Edits the root: its values read the root's (the defaults without one), writes go to the root.
// When the last controller goes, the root returns to its defaults.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelListener {
  DECLARE_CLASS(TcxLookAndFeelController, TComponent)
 public:
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);
  TdxSkinName SkinName() const;
  void SetSkinName(const TdxSkinName& Value);

  int _AddRef() override { return -1; }
  int _Release() override { return -1; }
  TObject* ListenerObject() override { return this; }
  // Both only concern a form designer, which this program has not.
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;
};
