#pragma once
// Keyboard navigation over the bars and key tips: one process-wide controller that works on the
// navigation objects of bars, menus and item controls. The keyboard hook feeds it keys; any
// mouse press ends it.

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/graphics/Graphics.h"

class TdxBarManager;
class TCustomdxBarControl;
class TcxTimer;
class TObject;

// Directions of FindNextInDirection.
enum TdxBarNavigationDirection { bndLeft = 0, bndUp = 1, bndRight = 2, bndDown = 3 };

// What a navigation object says about one key tip.
struct TdxBarKeyTipInfo {
  String KeyTip;
  TPoint BasePoint;
  Byte HorzAlign = 0;
  Byte VertAlign = 0;
  bool Visible = true;
  bool Enabled = true;
  std::function<void()> OnExecute;
};

class TdxBarKeyTipData;
using TdxBarKeyTipList = std::vector<std::unique_ptr<TdxBarKeyTipData>>;

// Draws the key-tip windows of a container (the ribbon does; tests record).
class IdxBarKeyTipWindowsManager {
 public:
  virtual ~IdxBarKeyTipWindowsManager() = default;
  // Makes a window for the text at the screen point; its handle (any non-null token) in Window.
  virtual void Add(const String& Text, const TPoint& P, bool Enabled, Byte VertAlign, Byte HorzAlign,
                   void*& Window) = 0;
  virtual void Delete(void* Window) = 0;
  // Shows the windows added since the last commit.
  virtual void Show() = 0;
};

// The navigation face of a bar object: a dock, a bar window, a menu, an item control.
class IdxBarAccessibilityHelper {
 public:
  virtual ~IdxBarAccessibilityHelper() = default;
  // The object behind the face (two faces of one object compare equal through it).
  virtual TObject* HelperObject() = 0;
  // The windows manager when the object shows key tips for its children; null when it does not.
  virtual IdxBarKeyTipWindowsManager* KeyTipsSupported() { return nullptr; }
  virtual bool ChildrenNavigable(Word Key) = 0;
  // The bar object that holds this one (itself for a bar).
  virtual IdxBarAccessibilityHelper* BarHelperObject() = 0;
  virtual TdxBarManager* BarManager() = 0;
  virtual IdxBarAccessibilityHelper* DefaultSelectableObject() = 0;
  virtual IdxBarAccessibilityHelper* FindNextInDirection(int Direction) = 0;
  virtual bool ProcessNavigationKey(Word Key) = 0;
  virtual bool WantsKey(Word Key) = 0;
  virtual IdxBarAccessibilityHelper* SiblingInDirection(bool Forward) = 0;
  // Reason 1: reached by Tab; 0 otherwise.
  virtual void TakeSelection(int Reason) = 0;
  virtual void ReleaseSelection(IdxBarAccessibilityHelper* Successor) = 0;
  // The first selectable object in this object's tree.
  virtual IdxBarAccessibilityHelper* FirstSelectableInTree() { return DefaultSelectableObject(); }
  // The key tips of the children, in order.
  virtual void CollectKeyTips(TdxBarKeyTipList& List) { (void)List; }
  // Esc while this container's key tips show: back to its parent's key tips (or none).
  virtual void EscapeKeyTips() = 0;
  // The container one level up (null at the root).
  virtual IdxBarAccessibilityHelper* KeyTipsParent() { return nullptr; }
};

// One key tip shown: the info and its window.
class TdxBarKeyTipData {
 public:
  explicit TdxBarKeyTipData(const TdxBarKeyTipInfo& AInfo) : Info(AInfo) {}
  void ShowKeyTipWindow(IdxBarKeyTipWindowsManager* Manager);
  void HideKeyTipWindow(IdxBarKeyTipWindowsManager* Manager);
  String UpperKeyTip() const;
  bool WindowShown() const { return window_ != nullptr; }
  TdxBarKeyTipInfo Info;

 private:
  void* window_ = nullptr;
};

// The process-wide navigation state (one GUI thread).
class TdxBarNavigationController {
 public:
  TdxBarNavigationController();
  ~TdxBarNavigationController();

  // The bar window navigation works in: the active bar window while it has an enabled window and
  // is not customizing; else null.
  TCustomdxBarControl* NavigationBarControl();
  // That window's selected item control, else the stored selected object.
  IdxBarAccessibilityHelper* CurrentSelected();
  // That window, else the stored parent.
  IdxBarAccessibilityHelper* CurrentSelectedParent();
  bool IsNavigationBarControl(TCustomdxBarControl* Control);
  bool NavigationMode() const { return navigationMode_; }
  bool IsNavigationKey(Word Key);
  bool WantsNavigationKey(Word Key);
  void HandleKey(Word Key, IdxBarAccessibilityHelper* Parent, IdxBarAccessibilityHelper* Selected);
  void ChangeSelectedObject(int Reason, IdxBarAccessibilityHelper* New, IdxBarAccessibilityHelper* Old);
  void SelectDefaultObject(IdxBarAccessibilityHelper* Root);
  void ClearSelection();
  void ResetNavigationMode() { navigationMode_ = false; }
  void StopKeyboardHandling();
  void UnassignObject(IdxBarAccessibilityHelper* Object);

  // Called by the objects' TakeSelection and ReleaseSelection.
  void SetSelected(IdxBarAccessibilityHelper* Object, IdxBarAccessibilityHelper* Parent);
  IdxBarAccessibilityHelper* StoredSelected() const { return selected_; }

  // ---- key tips
  // A null root, or a second root while one waits, raises; while tips show or a wait runs nothing.
  void StartKeyTipsWaiting(IdxBarAccessibilityHelper* Root);
  void EndKeyTipsWaiting(bool Show);
  bool IsKeyTipsWaiting() const { return waitingRoot_ != nullptr; }
  bool KeyTipsShowing() const { return container_ != nullptr; }
  IdxBarAccessibilityHelper* KeyTipsContainer() const { return container_; }
  const String& TypedPrefix() const { return prefix_; }
  const TdxBarKeyTipList& KeyTipData() const { return data_; }
  void SetKeyTipsContainer(IdxBarAccessibilityHelper* Container, const String& Typed);
  void StopKeyTips();
  bool KeyTipMatches(Word Key);
  // The waiting timer's step (the timer calls it; tests call it directly).
  void KeyTipsTimerFired();
  bool HasKeyTipsTimer() const { return timer_ != nullptr; }

 private:
  bool MatchKeyTip(Word Key, bool& Partial, TdxBarKeyTipData*& Exact, TdxBarKeyTipList* Scratch);
  void KeyTipTyped(Word Key);
  void ShowFiltered();
  void TimerEvent(TObject* Sender);
  void DropTimer();

  IdxBarAccessibilityHelper* selected_ = nullptr;
  IdxBarAccessibilityHelper* selectedParent_ = nullptr;
  IdxBarAccessibilityHelper* container_ = nullptr;
  IdxBarAccessibilityHelper* waitingRoot_ = nullptr;
  TdxBarKeyTipList data_;
  String prefix_;
  TcxTimer* timer_ = nullptr;
  // A timer that ended its own wait is freed after its handler returned.
  TcxTimer* spentTimer_ = nullptr;
  bool navigationMode_ = false;
  bool handlingKey_ = false;
};

// Made at the library's start, freed at its end; null outside.
TdxBarNavigationController* BarNavigationController();
void CreateBarNavigationController();
void FreeBarNavigationController();

// The beep of an unmatched key tip (MessageBeep by default); the previous one.
using TdxBarBeepProc = void (*)();
TdxBarBeepProc SetBarBeepProc(TdxBarBeepProc Proc);
// The character a key gives with the current keyboard state, upper case; empty when none.
String KeyCharacter(Word Key);

