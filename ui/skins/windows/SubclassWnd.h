#pragma once
// TacMainWnd: a skin object attached to a window the library does not own. It takes over the
// window's message stream, answers the skin command, paints what its descendants paint and hands
// every message it does not consume to the window's previous handler exactly once.
//
// A window without a framework control is subclassed with comctl32's SetWindowSubclass (one static
// procedure, the object as reference data); a framework control through its WindowProc hooks. Both
// come off by identity in any order, so several subclassers can share a window. The window property
// "ACSBSC" holds the object while it is attached.

#include <memory>

#include "platform/framework/classes/Object.h"
#include "platform/framework/windows/Controls.h"
#include "ui/skins/paint/CommonData.h"

class TsSkinManager;

// Set while a dialog's children get their subclass objects (they use plain system colours).
extern bool SubclassDialogMode;
// Set while the child control adapter frees all of its items at once.
extern bool DroppingAllItems;

// The name of the window property that holds the subclass object.
inline constexpr wchar_t kSubclassProperty[] = L"ACSBSC";

class TacMainWnd : public TObject {
  DECLARE_CLASS(TacMainWnd, TObject)
 public:
  // Sets the fields; Attach subclasses the window. Use MakeSubclass, which does both.
  TacMainWnd(HWND handle, TsCommonData* skinData, TsSkinManager* manager, const String& section);
  ~TacMainWnd() override;
  // Hands the window back (unless released already) while every override is in place.
  void BeforeDestruction() override;

  // Remembers what the descendant changes on the control, and puts it back.
  virtual void StoreOriginalParams() {}
  virtual void RestoreOriginalParams() {}
  // Gives the control the skin's colours.
  virtual void ApplySkinParams() { SkinParamsApplied = true; }
  // The new window procedure.
  virtual void ProcessMessage(TMessage& message);

  // Calls the previous handler (the next subclass or hook) with the message; LParam takes back what
  // that handler left in it. 0 when there is none or when called outside a message of this object.
  LRESULT CallPrevWndProc(HWND handle, UINT msg, WPARAM wParam, LPARAM& lParam);
  // Passes the message record on and stores the result.
  void PassOn(TMessage& message) { message.Result = CallPrevWndProc(Handle, message.Msg, message.WParam, message.LParam); }

  // Runs the construction steps that need the final class: original parameters, the subclass.
  virtual void Attach(bool repaint);
  // Frees the object now, or, from inside one of its own messages, as soon as that message is done.
  void FreeWhenIdle();
  // Installs the object on the window (property, subclass or hook).
  void SubclassWindow(HWND handle);
  // True while the window is subclassed by this object.
  bool Subclassed() const { return subclassed_; }
  // Takes the object off the window: subclass or hook, and the property (only when it is still
  // this object's).
  void Unsubclass();

  bool DialogMode = false;
  String Caption;
  TRect WindowRect;
  TPoint WindowSize;
  TPoint ParentOffset;
  TRect ParentRect;
  HWND ParentHandle = nullptr;
  HWND Handle = nullptr;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
  bool SelfScrolling = false;
  bool SkinParamsApplied = false;
  TColor SavedColor = clNone;
  TColor SavedFontColor = clNone;
  bool Released = false;
  bool OwnsSkinData = false;

 protected:
  // The base message step (and the common skin-command steps).
  void BaseProcessMessage(TMessage& message);
  // The control whose hooks carry the object, or none (then comctl32's subclass does).
  TControl* HookedControl() const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  void HookProc(TMessage& message, TWindowProcChain& next);
  LRESULT Deliver(UINT msg, WPARAM wParam, LPARAM lParam);

  void FreeIfPending();

  bool freePending_ = false;
  bool subclassed_ = false;
  TControl* hookedControl_ = nullptr;
  std::weak_ptr<void> hookedLife_;
  // The previous handler while a message of this object is being handled.
  TWindowProcChain* next_ = nullptr;
  int depth_ = 0;
};

// Makes an object of class T on the window and attaches it.
template <class T, class... Args>
std::unique_ptr<T, TFreeDeleter> MakeSubclass(bool repaint, Args&&... args) {
  std::unique_ptr<T, TFreeDeleter> made(new T(std::forward<Args>(args)...));
  made->Attach(repaint);
  return made;
}

// Repaints the window's frame: a frame-changed SetWindowPos when Repaint, else WM_NCPAINT 1.
void RefreshFrame(HWND handle, bool repaint);
// The object stored under "ACSBSC", or none.
TacMainWnd* FindSubclassObject(HWND handle);
// Hands the window back; frees the object when FreeObject (and clears the pointer).
void ReleaseWindow(HWND handle, bool freeObject, bool repaint, TacMainWnd*& object);
// The object's window and parent geometry; a parent that answers scGetClientOffset moves the offset
// into its client cache.
void UpdateGeometry(HWND handle, HWND& parentHandle, TRect& wndRect, TRect& parentRect, TPoint& wndSize,
                    TPoint& parentOffset);
// The first windowed control owned (at any depth) by Root whose handle is Handle.
TComponent* FindControlByHandle(HWND handle, TComponent* root);
// Makes the four border corners of the skin frame show what lies behind the window.
void FillTransparentCorners(TsCommonData* skinData, int state, TacMainWnd* object);
// Builds the frame image of an edit-like window in the skin data's cache.
void PrepareFrameCache(TsCommonData* skinData, HWND handle, bool dialogMode);
// The skin data's cache bitmap (made when missing) at exactly Width x Height.
TBitmap* SizeCacheBmp(TsCommonData* skinData, int width, int height);
// Copies the whole cache bitmap to the DC at (0, 0); nothing for an empty cache or no DC.
void CopyCacheToDC(TBitmap* cache, HDC dc);
// The window's text (wide).
String WindowText(HWND window);
// The system's message font (the caller owns it), or 0.
HFONT CreateMessageFont();
