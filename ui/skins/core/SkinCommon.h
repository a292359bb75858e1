#pragma once
// The skinning library's small shared routines: the cached-background record, the shared
// enumerations, message boxes with a caption per kind, INI text held in string lists, published
// properties by name, paths and system queries, and integer and rectangle helpers.

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"
#include "platform/framework/classes/Object.h"
#include "platform/framework/classes/Strings.h"
#include "platform/framework/graphics/Bitmap.h"
#include "platform/framework/windows/Messages.h"
#include "ui/skins/core/SkinValues.h"

// Where a control sits inside its parent's cached image.
struct TsCacheRef {
  TBitmap* Bmp = nullptr;
  int X = -99;
  int Y = -99;
  bool Ready = false;
};
extern const TsCacheRef EmptyCacheRef;
TsCacheRef MakeCacheRef(TBitmap* bmp, int x, int y);

enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = TSet<TacBtnEvent>;
enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = TSet<TacAnimatEvent>;
enum TsControlBevel : std::uint8_t { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };
enum TsHintStyle { hsSimply, hsComics, hsEllipse, hsBalloon, hsStandard, hsNone };
enum TsHintsPredefinitions {
  shSimply, shGradient, shTransparent, shEllipse, shBalloon, shComicsGradient, shComicsTransparent, shStandard,
  shNone, shCustom
};
enum TsDisabledGlyphKindItem { dgBlended, dgGrayed };
using TsDisabledGlyphKind = TSet<TsDisabledGlyphKindItem>;
enum TsDisabledKindItem { dkBlended, dkGrayed };
using TsDisabledKind = TSet<TsDisabledKindItem>;

// The button events that animate; initially the four mouse events.
extern TacAnimatEvents AnimatedEvents;
// The system's horizontal scroll arrow width, taken at unit start.
extern int DefaultScrollWidth;

// ---- message boxes -------------------------------------------------------------------------------

enum TacMsgButton { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TacMsgButtons = TSet<TacMsgButton>;

// The box flags of a kind (0 warning .. 4 none) and a button set.
UINT MessageBoxFlags(int kind, TacMsgButtons buttons);
// The caption of a kind: "Warning", "Error", "Information", "Confirm", or empty.
String KindCaption(int kind);
// The requested position of the next message box (-1: none), read by the dialog hook.
extern int MessageBoxX;
extern int MessageBoxY;
// A message box through the application object; no caption takes the kind's.
int MessageBoxAt(const String* caption, const String& text, int kind, int x, int y, int helpContext,
                 TacMsgButtons buttons);
int KindMessageBox(const String& text, int kind, TacMsgButtons buttons, int helpContext = 0);
void WarningBox(const String& text);
void ErrorBox(const String& text);

// ---- INI text in string lists --------------------------------------------------------------------

// Sections receives one entry per section: its name and an owned TStringList of its lines.
void SplitIniSections(const TStrings& lines, TStringList& sections);
// Frees the line lists that SplitIniSections made and empties the list.
void FreeIniSections(TStringList& sections);
String IniSectionString(const TStringList& sections, const String& section, const String& key,
                        const String& defaultValue);
int IniSectionInteger(const TStringList& sections, const String& section, const String& key, int defaultValue);

// ---- published properties by name ----------------------------------------------------------------

bool HasProp(TObject* object, const String& name);
TObject* ObjectPropOf(TObject* object, const String& name);
Int64 OrdPropOf(TObject* object, const String& name);
void SetOrdPropOf(TObject* object, const String& name, Int64 value);
bool SetPropHasElement(TObject* object, const String& prop, const String& element);
void ChangeSetProp(TObject* object, const String& prop, const String& element, bool include);

// ---- paths and system ----------------------------------------------------------------------------

String NormalDir(const String& path);
String AppDir();
bool DirExists(const String& path);
HICON FileIconOf(const String& fileName, UINT flags);
int CaptionFontHeight();
TRect WorkArea();
bool IsXpOrLater();

// ---- numbers, rectangles and records -------------------------------------------------------------

int ClampToByte(int value);
int BlendPercent(int a, int b);
inline int MaxOf(int a, int b) { return a > b ? a : b; }
inline int MinOf(int a, int b) { return a < b ? a : b; }
int ClampInt(int value, int low, int high);
bool IsBetween(int value, int low, int high);
inline int RectWidth(const TRect& r) { return r.right - r.left; }
inline int RectHeight(const TRect& r) { return r.bottom - r.top; }
inline String IfStr(bool condition, const String& a, const String& b) { return condition ? a : b; }
inline int IfInt(bool condition, int a, int b) { return condition ? a : b; }
TMessage MakeMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result);
