#pragma once
// Seams through which tests drive what would otherwise need a human or a particular machine:
// the answerer of message boxes, the driver of modal loops, and the table of run-time bound system
// functions and system queries. Production code calls through them unconditionally; only tests
// replace them.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include <functional>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"
#include "platform/framework/rtl/GdiPlusFlat.h"

// ---- Message boxes -------------------------------------------------------------------------------

// Answers a message box instead of the system: returns the button id (IDOK, IDYES, ...).
using TMessageBoxAnswerer =
    std::function<int(HWND owner, const String& text, const String& caption, UINT flags)>;

// Installs an answerer (empty = the system's box) and returns the previous one.
TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
// Every message box of the program goes through here.
int ShowSystemMessageBox(HWND owner, const String& text, const String& caption, UINT flags);

// ---- Modal loops ---------------------------------------------------------------------------------

// A modal loop that has just started: its kind ("form", "popup menu", "dialog"), its window, and a
// way to end it (as a cancel) from the driver.
struct TModalLoop {
  String Kind;
  HWND Window = nullptr;
  std::function<void()> End;
};

// A script that runs once, inside the loop, right after the loop has started.
using TModalScript = std::function<void(const TModalLoop& loop)>;

// Installs the driver (empty = none) and returns the previous one.
TModalScript SetModalDriver(TModalScript driver);
// Called by every modal loop once it has started.
void ModalLoopStarted(const TModalLoop& loop);
// A limit on the length of every modal loop, in milliseconds; 0 = none. A loop that overruns it ends
// as cancelled and reports through the overrun handler.
void SetModalTimeLimit(DWORD milliseconds, std::function<void(const TModalLoop&)> onOverrun);
// True when a loop started at startTick has overrun the limit; reports the overrun once.
bool ModalLoopOverran(const TModalLoop& loop, DWORD startTick);

// ---- Run-time bound functions --------------------------------------------------------------------

// An entry point looked up by name on first use: null when the system has none. Tests replace it.
template <class Fn>
class TBoundFunction {
 public:
  constexpr TBoundFunction(const wchar_t* module, const char* name) : module_(module), name_(name) {}

  Fn Get() {
    if (!resolved_) {
      resolved_ = true;
      HMODULE module = GetModuleHandleW(module_);
      if (!module) module = LoadLibraryW(module_);
      function_ = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name_)))
                         : nullptr;
    }
    return function_;
  }
  explicit operator bool() { return Get() != nullptr; }
  // Replaces the entry point (null = absent) until Reset.
  void Set(Fn function) {
    function_ = function;
    resolved_ = true;
  }
  void Reset() {
    function_ = nullptr;
    resolved_ = false;
  }

 private:
  const wchar_t* module_;
  const char* name_;
  Fn function_ = nullptr;
  bool resolved_ = false;
};

using HTHEME_ = HANDLE;
// The options of DrawThemeTextEx (uxtheme.h).
struct _DTTOPTS;
// The frame margins of DwmExtendFrameIntoClientArea.
struct TDwmMargins {
  int cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight;
};
using HPAINTBUFFER_ = HANDLE;

// Major and minor version of the running system.
struct TOSVersion {
  DWORD Major = 0;
  DWORD Minor = 0;
};

struct TBoundFunctions {
  // Visual styles and buffered paint.
  TBoundFunction<BOOL(WINAPI*)()> IsThemeActive{L"uxtheme.dll", "IsThemeActive"};
  TBoundFunction<BOOL(WINAPI*)()> IsAppThemed{L"uxtheme.dll", "IsAppThemed"};
  TBoundFunction<HTHEME_(WINAPI*)(HWND, LPCWSTR)> OpenThemeData{L"uxtheme.dll", "OpenThemeData"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_)> CloseThemeData{L"uxtheme.dll", "CloseThemeData"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, const RECT*, const RECT*)> DrawThemeBackground{
      L"uxtheme.dll", "DrawThemeBackground"};
  TBoundFunction<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)> SetWindowTheme{L"uxtheme.dll", "SetWindowTheme"};
  // The theme file, colour scheme and size name, each into a buffer of the given length.
  TBoundFunction<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)> GetCurrentThemeName{
      L"uxtheme.dll", "GetCurrentThemeName"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, int, int, int, COLORREF*)> GetThemeColor{L"uxtheme.dll",
                                                                                  "GetThemeColor"};
  // The size kind: 0 minimum, 1 true size, 2 the size drawn into the rectangle.
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, const RECT*, int, SIZE*)> GetThemePartSize{
      L"uxtheme.dll", "GetThemePartSize"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, const RECT*, RECT*)> GetThemeBackgroundContentRect{
      L"uxtheme.dll", "GetThemeBackgroundContentRect"};
  TBoundFunction<BOOL(WINAPI*)(HTHEME_, int, int)> IsThemeBackgroundPartiallyTransparent{
      L"uxtheme.dll", "IsThemeBackgroundPartiallyTransparent"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, const RECT*, HRGN*)> GetThemeBackgroundRegion{
      L"uxtheme.dll", "GetThemeBackgroundRegion"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)> DrawThemeText{
      L"uxtheme.dll", "DrawThemeText"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, const RECT*, UINT, UINT, RECT*)> DrawThemeEdge{
      L"uxtheme.dll", "DrawThemeEdge"};
  TBoundFunction<HRESULT(WINAPI*)(HTHEME_, HDC, int, int, LPCWSTR, int, DWORD, RECT*, const _DTTOPTS*)>
      DrawThemeTextEx{L"uxtheme.dll", "DrawThemeTextEx"};
  TBoundFunction<HRESULT(WINAPI*)()> BufferedPaintInit{L"uxtheme.dll", "BufferedPaintInit"};
  TBoundFunction<HRESULT(WINAPI*)()> BufferedPaintUnInit{L"uxtheme.dll", "BufferedPaintUnInit"};
  TBoundFunction<HPAINTBUFFER_(WINAPI*)(HDC, const RECT*, int, void*, HDC*)> BeginBufferedPaint{
      L"uxtheme.dll", "BeginBufferedPaint"};
  TBoundFunction<HRESULT(WINAPI*)(HPAINTBUFFER_, BOOL)> EndBufferedPaint{L"uxtheme.dll", "EndBufferedPaint"};
  // Desktop composition.
  TBoundFunction<HRESULT(WINAPI*)(BOOL*)> DwmIsCompositionEnabled{L"dwmapi.dll", "DwmIsCompositionEnabled"};
  TBoundFunction<HRESULT(WINAPI*)(HWND, const TDwmMargins*)> DwmExtendFrameIntoClientArea{
      L"dwmapi.dll", "DwmExtendFrameIntoClientArea"};
  TBoundFunction<HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD)> DwmSetWindowAttribute{
      L"dwmapi.dll", "DwmSetWindowAttribute"};
  // Layered windows and animation.
  TBoundFunction<BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD)>
      UpdateLayeredWindow{L"user32.dll", "UpdateLayeredWindow"};
  TBoundFunction<BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD)> SetLayeredWindowAttributes{
      L"user32.dll", "SetLayeredWindowAttributes"};
  TBoundFunction<BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*)> GetLayeredWindowAttributes{
      L"user32.dll", "GetLayeredWindowAttributes"};
  TBoundFunction<BOOL(WINAPI*)(HWND, DWORD, DWORD)> AnimateWindow{L"user32.dll", "AnimateWindow"};
  // msimg32.
  TBoundFunction<BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION)> AlphaBlend{
      L"msimg32.dll", "AlphaBlend"};
  TBoundFunction<BOOL(WINAPI*)(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG)> GradientFill{
      L"msimg32.dll", "GradientFill"};
  // Monitors.
  TBoundFunction<HMONITOR(WINAPI*)(POINT, DWORD)> MonitorFromPoint{L"user32.dll", "MonitorFromPoint"};
  TBoundFunction<HMONITOR(WINAPI*)(HWND, DWORD)> MonitorFromWindow{L"user32.dll", "MonitorFromWindow"};
  TBoundFunction<HMONITOR(WINAPI*)(const RECT*, DWORD)> MonitorFromRect{L"user32.dll", "MonitorFromRect"};
  TBoundFunction<BOOL(WINAPI*)(HMONITOR, MONITORINFO*)> GetMonitorInfoW{L"user32.dll", "GetMonitorInfoW"};
  // Flat scroll bars (comctl32; not in every import library).
  TBoundFunction<HRESULT(WINAPI*)(HWND)> UninitializeFlatSB{L"comctl32.dll", "UninitializeFlatSB"};
  // Accessibility and shell.
  TBoundFunction<HRESULT(WINAPI*)(HWND, DWORD, const IID&, void**)> AccessibleObjectFromWindow{
      L"oleacc.dll", "AccessibleObjectFromWindow"};
  TBoundFunction<LRESULT(WINAPI*)(const IID&, WPARAM, IUnknown*)> LresultFromObject{L"oleacc.dll",
                                                                                     "LresultFromObject"};
  TBoundFunction<UINT_PTR(WINAPI*)(DWORD, APPBARDATA*)> SHAppBarMessage{L"shell32.dll", "SHAppBarMessage"};
  TBoundFunction<HINSTANCE(WINAPI*)()> SHGetShellStyleHInstance{L"shell32.dll", "SHGetShellStyleHInstance"};
  // GDI+ flat API (types in GdiPlusFlat.h). Start-up and shut-down are the GDI+ layer's
  // (ui/navbar/skins/GdiPlus.h); everything else asks it whether GDI+ is available first.
  TBoundFunction<int(WINAPI*)(ULONG_PTR*, const void*, void*)> GdiplusStartup{L"gdiplus.dll", "GdiplusStartup"};
  TBoundFunction<void(WINAPI*)(ULONG_PTR)> GdiplusShutdown{L"gdiplus.dll", "GdiplusShutdown"};
  TBoundFunction<void*(WINAPI*)(SIZE_T)> GdipAlloc{L"gdiplus.dll", "GdipAlloc"};
  TBoundFunction<void(WINAPI*)(void*)> GdipFree{L"gdiplus.dll", "GdipFree"};
  TBoundFunction<GpStatus(WINAPI*)(HDC, GpGraphics**)> GdipCreateFromHDC{L"gdiplus.dll", "GdipCreateFromHDC"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*)> GdipDeleteGraphics{L"gdiplus.dll", "GdipDeleteGraphics"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, HDC*)> GdipGetDC{L"gdiplus.dll", "GdipGetDC"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, HDC)> GdipReleaseDC{L"gdiplus.dll", "GdipReleaseDC"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, int*)> GdipGetInterpolationMode{L"gdiplus.dll",
                                                                               "GdipGetInterpolationMode"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, int)> GdipSetInterpolationMode{L"gdiplus.dll",
                                                                              "GdipSetInterpolationMode"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, GpBrush*, INT, INT, INT, INT)> GdipFillRectangleI{
      L"gdiplus.dll", "GdipFillRectangleI"};
  TBoundFunction<GpStatus(WINAPI*)(const GpRectI*, DWORD, DWORD, int, int, GpBrush**)> GdipCreateLineBrushFromRectI{
      L"gdiplus.dll", "GdipCreateLineBrushFromRectI"};
  TBoundFunction<GpStatus(WINAPI*)(GpBrush*, GpBrush**)> GdipCloneBrush{L"gdiplus.dll", "GdipCloneBrush"};
  TBoundFunction<GpStatus(WINAPI*)(GpBrush*)> GdipDeleteBrush{L"gdiplus.dll", "GdipDeleteBrush"};
  TBoundFunction<GpStatus(WINAPI*)(DWORD, GpBrush**)> GdipCreateSolidFill{L"gdiplus.dll", "GdipCreateSolidFill"};
  TBoundFunction<GpStatus(WINAPI*)(GpBrush*, DWORD)> GdipSetSolidFillColor{L"gdiplus.dll", "GdipSetSolidFillColor"};
  TBoundFunction<GpStatus(WINAPI*)(INT, INT, INT, INT, BYTE*, GpImage**)> GdipCreateBitmapFromScan0{
      L"gdiplus.dll", "GdipCreateBitmapFromScan0"};
  TBoundFunction<GpStatus(WINAPI*)(IStream*, GpImage**)> GdipCreateBitmapFromStream{L"gdiplus.dll",
                                                                                  "GdipCreateBitmapFromStream"};
  TBoundFunction<GpStatus(WINAPI*)(const WCHAR*, GpImage**)> GdipCreateBitmapFromFile{L"gdiplus.dll",
                                                                                   "GdipCreateBitmapFromFile"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, GpImage**)> GdipCloneImage{L"gdiplus.dll", "GdipCloneImage"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*)> GdipDisposeImage{L"gdiplus.dll", "GdipDisposeImage"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, float*, float*)> GdipGetImageDimension{L"gdiplus.dll",
                                                                                  "GdipGetImageDimension"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, UINT*)> GdipGetImageWidth{L"gdiplus.dll", "GdipGetImageWidth"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, UINT*)> GdipGetImageHeight{L"gdiplus.dll", "GdipGetImageHeight"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, const GpRectI*, UINT, INT, GpBitmapData*)> GdipBitmapLockBits{
      L"gdiplus.dll", "GdipBitmapLockBits"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, GpBitmapData*)> GdipBitmapUnlockBits{L"gdiplus.dll",
                                                                                "GdipBitmapUnlockBits"};
  TBoundFunction<GpStatus(WINAPI*)(UINT*, UINT*)> GdipGetImageEncodersSize{L"gdiplus.dll",
                                                                          "GdipGetImageEncodersSize"};
  TBoundFunction<GpStatus(WINAPI*)(UINT, UINT, GpImageCodecInfo*)> GdipGetImageEncoders{L"gdiplus.dll",
                                                                                      "GdipGetImageEncoders"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, IStream*, const CLSID*, const void*)> GdipSaveImageToStream{
      L"gdiplus.dll", "GdipSaveImageToStream"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, HBITMAP*, DWORD)> GdipCreateHBITMAPFromBitmap{
      L"gdiplus.dll", "GdipCreateHBITMAPFromBitmap"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, GpImage*, float, float, float, float, float, float, float, float,
                                   int, const GpImageAttributes*, void*, void*)>
      GdipDrawImageRectRect{L"gdiplus.dll", "GdipDrawImageRectRect"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, int,
                                   const GpImageAttributes*, void*, void*)>
      GdipDrawImageRectRectI{L"gdiplus.dll", "GdipDrawImageRectRectI"};
  TBoundFunction<GpStatus(WINAPI*)(GpImage*, GpGraphics**)> GdipGetImageGraphicsContext{
      L"gdiplus.dll", "GdipGetImageGraphicsContext"};
  TBoundFunction<GpStatus(WINAPI*)(GpGraphics*, int)> GdipSetCompositingMode{L"gdiplus.dll",
                                                                            "GdipSetCompositingMode"};

  // System queries the program branches on; tests pin them.
  int(WINAPI* GetSystemMetrics)(int) = &::GetSystemMetrics;
  BOOL(WINAPI* SystemParametersInfoW)(UINT, UINT, PVOID, UINT) = &::SystemParametersInfoW;
  SHORT(WINAPI* GetKeyState)(int) = &::GetKeyState;
  SHORT(WINAPI* GetAsyncKeyState)(int) = &::GetAsyncKeyState;
  DWORD(WINAPI* GetSysColor)(int) = &::GetSysColor;
  // Bits per pixel of the screen.
  int (*ScreenColorDepth)() = nullptr;
  // The system's version, major and minor.
  TOSVersion (*OSVersion)() = nullptr;
};

// The process-wide table (UI thread).
TBoundFunctions& Bound();
// Restores every entry to the system's.
void ResetBoundFunctions();

// The screen's bits per pixel, through the table.
int ScreenColorDepth();
// The system's version, through the table.
TOSVersion OSVersion();
// Non-client metrics with the wide structure's own size (a short structure fails).
NONCLIENTMETRICSW GetNonClientMetrics();
// The work area of the primary monitor, through the table.
RECT GetWorkArea();
// Whether the system runs a Middle-East (right-to-left) locale: SM_MIDEASTENABLED through the table.
bool SysLocaleMiddleEast();
