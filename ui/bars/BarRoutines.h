#pragma once
// Free routines of the bar library: finding the manager and form of a component or window, window
// and focus tests, keys and captions, message pumping, mouse-button state, menu sounds, GDI clip and
// region routines, background filling, arrows and focus frames, glyph drawing with the glyph cache,
// the menu fonts, theme colours and themed parts, and the shared bar canvas.

#include <functional>
#include <vector>

#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/graphics/ImageList.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/windows/ShortCuts.h"
#include "ui/bars/BarTypes.h"
#include "ui/foundation/Classes.h"
#include "ui/foundation/Graphics.h"

class TcxCustomPopupWindow;

class TdxBarCanvas;
class TcxCanvas;
class TcxObjectLink;
class IdxBarSelectableItem;

// ---- managers, forms and windows ----------------------------------------------------------------

// Maps a form that owns no components to a manager (installed by other libraries; none by default).
using TdxBarFormToManagerHook = TdxBarManager* (*)(TComponent* Form);
TdxBarFormToManagerHook SetFormToManagerHook(TdxBarFormToManagerHook Hook);

// The component itself when it is a manager; else (a form without components asks the hook first)
// the first registered manager whose Owner is the component; null when there is none.
TdxBarManager* FindBarManagerOwnedBy(TComponent* Component);
inline TdxBarManager* LookupBarManagerByOwner(TComponent* Component) { return FindBarManagerOwnedBy(Component); }
// Follows Owner until a TWinControl.
TWinControl* WinControlOwnerOf(TComponent* Component);
// Climbs child-style windows until one has a framework control.
TWinControl* ChildWindowControlParent(HWND Window);
// From WinControlOwnerOf (null unless its handle exists): its manager, else the manager of each
// child-style parent window's control in turn.
TdxBarManager* BarManagerForComponent(TComponent* Component);
// Kinds of ControlFormOfKind: 0 the top form, 1 a run-time MDI child (none: the framework has no
// MDI), 2 any form.
enum TdxBarFormKind { bfkMain = 0, bfkMDIChildOrTop = 1, bfkAny = 2 };
// Walks from the control's window up through its parents, remembering every form, and stops at a
// window without WS_CHILD or at a form of the kind; the last form remembered. Null when the control
// cannot get a window.
TCustomForm* ControlFormOfKind(TControl* Control, TdxBarFormKind Kind);
TCustomForm* BarManagerForm(TdxBarManager* Manager, TdxBarFormKind Kind);
// The control when windowed, else its parent.
TWinControl* AsWinControl(TControl* Control);
// With both windows present the window hierarchy; else the parent chain of AsWinControl(Control).
bool ControlContains(TControl* Container, TControl* Control);
bool ManagerOwnerContains(TdxBarManager* Manager, TControl* Control);
// Loading as part of an inherited ancestor stream: loading and ancestor, not reading.
bool IsAncestorStreamLoading(TComponent* Component);
// The manager of the framework control of a window.
TdxBarManager* BarManagerOfWindow(HWND Window);
TCustomForm* ComponentForm(TComponent* Component);
// The window is the manager owner's window or reached from it by climbing child-style parents.
bool IsBarManagerOwnerWindow(TdxBarManager* Manager, HWND Window);
TFormStyle FormStyleOf(TCustomForm* Form);
bool IsRunTimeMDIChild(TCustomForm* Form);
bool IsRunTimeMDIForm(TCustomForm* Form);
bool IsActiveWindowHandle(HWND Window);
// The control's window is active, or is the active MDI child of the active main form, or (not an
// MDI child) its top-level window is active.
bool IsWindowControlActive(TWinControl* Control);
// The active window's form when enabled (deep); for an MDI form its active child.
TCustomForm* ActiveFormOrMDIChild();
// Enabled, and for a child-style window every parent too.
bool IsWindowEnabledDeep(HWND Window);
bool IsVisibleWinControl(TWinControl* Control);
bool WindowOrParentHasFocus(HWND Window);
bool IsDescendantWindow(HWND Window, HWND Parent);
TWinControl* FindControlUpwards(HWND Window);
// The popup window the control sits in: from the control's window up its child-style parents and,
// with FollowBars, from a bar window to the window of the item control that opened it; the topmost
// window reached when it is not the control's own and is a TcxCustomPopupWindow. Null for a control
// without window or being destroyed.
TcxCustomPopupWindow* OwningPopupWindow(TWinControl* Control, bool FollowBars);
// WindowFromPoint, then the deepest visible child containing the point.
HWND DeepestWindowFromPoint(const TPoint& ScreenPoint);
// From Window down through the visible child windows under the screen point to the deepest one.
HWND DeepestChildAtPoint(HWND Window, const TPoint& ScreenPoint);
// True for 0 or a window of another process.
bool IsOtherProcessWindow(HWND Window);
// The active form cancels its modes (SendCancelMode with none).
void CancelActiveFormModes();
void ActivateTopLevelOf(HWND Window);
void SetWindowZOrder(HWND Window, HWND InsertAfter, bool Activate, UINT ExtraFlags = 0);
// Alpha below 255 makes the window layered; 255 makes it opaque again (nothing without layered
// windows).
void SetWindowAlphaLevel(HWND Window, Byte Alpha);
void ClearWindowHandle(HWND& Window, bool Destroy);
// The id becomes 0 when the timer was killed; it is kept when KillTimer fails.
bool KillTimerAndClear(HWND Window, UINT_PTR& TimerId);
TRect WorkAreaAt(const TPoint& ScreenPoint);
// The application is active (the thread hook's last WM_ACTIVATEAPP), activation is not going to
// another process, and there is an active window.
bool ApplicationHasActiveWindow();
// Written by the thread's call-window hook.
void SetApplicationActivity(bool Active, bool ActivatingOtherProcess);

// ---- links, selectable objects, view levels ----------------------------------------------------

TObject* SelectableItemInstance(IdxBarSelectableItem* Item);
bool SupportsSelectableItem(TObject* Object, IdxBarSelectableItem*& Item);
bool IsSelectableObject(TObject* Object);
// Deletes, from the last index down, every entry that is not a selectable object.
void RemoveUnselectableObjects(TList& List);
// The lowest member 0..3, 4 when empty.
int FirstViewLevelIn(TdxBarItemViewLevels Levels);
// The highest member 3..0, 255 when empty.
int LastViewLevelIn(TdxBarItemViewLevels Levels);
// The next member above Level up to 3, 4 when none.
int NextViewLevelIn(TdxBarItemViewLevels Levels, int Level);
// The names of an enumeration's values (MinValue..MaxValue, named by Names).
std::vector<String> EnumNamesToStringArray(const wchar_t* const* Names, int MinValue, int MaxValue);
// The names of a set's element values.
inline std::vector<String> SetElementNamesToStringArray(const wchar_t* const* Names, int MinValue, int MaxValue) {
  return EnumNamesToStringArray(Names, MinValue, MaxValue);
}
inline int PaintKindForRotation(bool Rotated) { return Rotated ? 2 : 0; }
template <class T>
void FreeObjectAndClear(T*& Object) {
  FreeAndNil(Object);
}
// Clears the variable first, then releases the link.
void ReleaseAndClearObjectLink(TcxObjectLink*& Link);
inline TObject* ObjectLinkTarget(TcxObjectLink* Link) { return Link ? Link->Ref : nullptr; }

// ---- keys, captions and messages ------------------------------------------------------------------

// The 1-based position of the caption's accelerator character (the one after a single "&"; "&&" is a
// literal ampersand, the last "&" is never examined); the last one found wins; 0 when none. With
// Remove the prefix characters are deleted from Caption.
int AcceleratorCharIndex(String& Caption, bool Remove);
int AcceleratorCharIndex(const String& Caption);
String StripHotkeyPrefix(const String& Caption);
// " (" + the shortcut's text + ")", or empty.
String ShortcutSuffix(TShortCut ShortCut);
// 0 for key 0; else the key + 0x2000 with Shift, + 0x4000 with Ctrl, + 0x8000 with Alt (bit 29 of
// the key data).
TShortCut KeyWithShiftState(Word Key, LPARAM KeyData);
bool IsCharacterKey(Word Key);
bool IsButtonPressMessage(UINT Msg);
void DropPendingCharMessages(HWND Window);
// Takes and dispatches the queued mouse messages (512..522); a WM_QUIT met is posted again.
void DispatchPendingMouseMessages();
void DispatchPendingPaintMessages();
// "\" for the registry, "." for INI files.
String LayoutPathSeparator(bool Registry);
int ShowAppTitledMessage(const String& Text, UINT Flags);
// Kind 0 "MenuPopup", 1 "MenuCommand", 2 stops a playing sound.
void PlayMenuSound(int Kind);
inline void StopMenuSound() { PlayMenuSound(2); }
// The sound player the menu sounds go through (PlaySoundW by default); the previous one.
using TdxBarSoundPlayer = BOOL (*)(const wchar_t* Alias, HMODULE Module, DWORD Flags);
TdxBarSoundPlayer SetMenuSoundPlayer(TdxBarSoundPlayer Player);

// ---- mouse state ----------------------------------------------------------------------------------

bool MouseButtonDown(int Button, int SwappedButton);
bool IsLeftMouseButtonDown();
bool IsRightMouseButtonDown();

// ---- GDI, clipping and regions --------------------------------------------------------------------

template <class T>
void DeleteAndClearGDIObject(T& Object) {
  if (Object) DeleteObject(Object);
  Object = nullptr;
}
void SelectBackAndDeleteGDIObject(HDC DC, HGDIOBJ Previous);
void FillPolygonWithColors(HDC DC, const POINT* Points, int LastIndex, TColor PenColor, TColor FillColor);
// The canvas clip becomes the frame without the content.
void ClipToFrameBand(TcxCanvas* Canvas, const TRect& Frame, const TRect& Content);
void SaveCurrentClipRgn(HDC DC, HRGN& Region, bool& Existed);
void RestoreSavedClipRgn(HDC DC, HRGN Region, bool Existed);
void UniteClipWithRect(HDC DC, const TRect& R);
void FillRectColorOrBitmap(HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush, TColor Color, TBitmap* Bitmap);
// Tiles the bitmap so that tile (0, 0) sits at the origin rectangle's top-left, clipped to R.
void TileBitmapInRect(HDC DC, const TRect& R, const TRect& Origin, TBitmap* Bitmap);
void ShiftOriginForParentBackground(TWinControl* Form, TWinControl* Control, HDC DC, TRect& R, TPoint& PreviousOrigin,
                                    TPoint& Offset);
void RestoreWindowOrigin(HDC DC, const TPoint& PreviousOrigin);
// The toolbars of a manager while another manager customizes: the rectangle shaded.
void ShadeRect(HDC DC, const TRect& R);
// The 8 x 8 checker of clBtnHighlight and clBtnFace (pixels whose row and column parity are equal
// clBtnFace); nothing once the library finalizes.
void RebuildCheckerBrush();
HBRUSH CheckerBrush();
void FreeCheckerBrush();
void RefreshScreenColorDepth();
int BarScreenColorDepth();
TBitmap* NewBitmapWithChangeHandler(const TNotifyEvent& Handler);
inline void EnsureMinWidth(int& Width, int Minimum) {
  if (Width < Minimum) Width = Minimum;
}

// ---- frames, arrows, glyphs -----------------------------------------------------------------------

void FrameRectInHighlight(HDC DC, const TRect& R);
void FrameRectTwice(HDC DC, const TRect& R, int SysColor);
// Along the outline every pixel whose x + y is even in clBtnText; then the same one pixel inside.
void FocusRectTwice(HDC DC, const TRect& R);
// Orientation 1 is a downward arrow.
void DrawCenteredItemArrow(HDC DC, const TRect& R, int Orientation, bool Enabled, bool Selected, bool Flat,
                           TColor Color);
// The arrow size from the rectangle: f = width - 8 (down) or height - 6; max(o + (f - 1) / 2, 3),
// o = 1 for odd f.
void DrawItemArrowInRect(HDC DC, const TRect& R, bool Down, bool Enabled, bool Selected, bool Flat, TColor Color);
int ItemArrowSizeFor(const TRect& R, bool Down);
void DrawItemArrowOfSize(HDC DC, const TRect& R, int Orientation, int Size, bool Selected, bool Enabled, bool Flat,
                         TColor Color);
void PaintItemArrow(HDC DC, const TRect& R, bool Down, int Size, bool Selected, bool Enabled, bool Flat, TColor Color);
// The glyph in mode 0 (enabled) or 1, without background.
void DrawBitmapGlyphByState(HDC DC, const TRect& R, TBitmap* Bitmap, bool Enabled);
// The paint mode of the painter's eight state flags.
TcxGlyphPaintMode GlyphDrawMode(bool F1, bool F2, bool F3, bool F4, bool F5, bool F6, bool F7, bool F8);
// Draws the glyph or the image-list image; with a control whose manager caches glyphs, through the
// control's cached rendering.
void DrawGlyphWithCache(TdxBarItemControl* Control, HDC DC, HBRUSH BackBrush, const TRect& DestRect,
                        const TRect& GlyphRect, TBitmap* Glyph, TCustomImageList* Images, int ImageIndex,
                        TColor BackColor, bool F1, bool F2, bool F3, bool F4, bool F5, bool F6, bool F7, bool F8,
                        bool Stretch, bool Transparent);
inline void DrawGlyphUncached(HDC DC, HBRUSH BackBrush, const TRect& DestRect, const TRect& GlyphRect, TBitmap* Glyph,
                              TCustomImageList* Images, int ImageIndex, TColor BackColor, bool F1, bool F2, bool F3,
                              bool F4, bool F5, bool F6, bool F7, bool F8, bool Stretch, bool Transparent) {
  DrawGlyphWithCache(nullptr, DC, BackBrush, DestRect, GlyphRect, Glyph, Images, ImageIndex, BackColor, F1, F2, F3,
                     F4, F5, F6, F7, F8, Stretch, Transparent);
}
// The size grip over the existing background (its button-face pixels left transparent).
void DrawTransparentSizeGrip(HDC DC, const TRect& R);

// ---- navigation ---------------------------------------------------------------------------------

// The nearest of the candidate screen rectangles in a direction (0 left, 1 up, 2 right, 3 down) from
// From: the smallest distance, then the smallest deviation of the centres' angle; -1 when none (and
// for directions 4 and 5). With Wrap a horizontal search that finds nothing tries again from the
// far side.
int NearestHelperInDirection(const TRect& From, const std::vector<TRect>& Candidates, int Direction, bool Wrap);

// ---- fonts --------------------------------------------------------------------------------------

// The system's non-client metrics (menu, caption, status and message fonts).
NONCLIENTMETRICSW ReadNonClientMetrics();
// A font handle from the system menu font; unless UseSystemFont with the face name of Font and a
// height of at least 11 pixels.
HFONT CreateMenuFontHandle(TFont* Font, bool UseSystemFont);
// Target takes Font, with the icon-title font's height (at least 11 pixels) when UseSystemHeight.
void CopyFontWithSystemHeight(TFont* Font, TFont* Target, bool UseSystemHeight);

// The toolbar theme's fill colour (property 3802 of part 0, state 0), else the system button face.
TColor ToolbarThemeColor();
HFONT CopyFontHandle(HFONT Font);
// Value x the screen's pixels per inch / BasePPI, to the nearest integer, halves to even.
int ScaleToScreenPPI(int Value, int BasePPI = 96);
// COLOR_WINDOW; in state 4 the edit theme's fill colour when it has one.
TColor EditBackColorFromTheme(int State);
// The edit theme's text colour; else COLOR_GRAYTEXT in state 4, COLOR_WINDOWTEXT otherwise.
TColor EditTextColorFromTheme(int State);
TSize SmallCloseButtonPartSize();
// Corners 1 and 3 align the button to the left edge, others to the right.
void DrawThemedSmallCloseButton(HDC DC, const TRect& R, bool Hot, bool Pressed, int Corner);
TSize ThemedSizeBoxExtent();
// Places the size box in a corner (0-3) of R (R becomes the box) and draws it pointing into it.
void DrawThemedSizeBox(HDC DC, TRect& R, int Corner);

// ---- singletons ---------------------------------------------------------------------------------

// The canvas all bar painting shares, made on first use; null once the library is finalizing.
TdxBarCanvas* SharedBarCanvas();
// True once the bar library's unit end has begun.
bool BarUnitFinalizing();
