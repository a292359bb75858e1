#pragma once
// The types of the GDI+ flat API that the bound-function table names: opaque handles and the few
// records passed by address. Only the layout the library expects; no behaviour.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include "platform/framework/base/Win32.h"

using GpStatus = int;
// Handles. A bitmap is an image; the flat API hands both out as the same pointer.
struct GpGraphics;
struct GpBrush;
struct GpImage;
struct GpImageAttributes;

struct GpRectI {
  INT X, Y, Width, Height;
};

struct GpBitmapData {
  UINT Width;
  UINT Height;
  INT Stride;
  INT PixelFormat;
  void* Scan0;
  UINT_PTR Reserved;
};
static_assert(sizeof(GpBitmapData) == (sizeof(void*) == 8 ? 32 : 24));

struct GpStartupInput {
  UINT32 GdiplusVersion = 1;
  void* DebugEventCallback = nullptr;
  BOOL SuppressBackgroundThread = FALSE;
  BOOL SuppressExternalCodecs = FALSE;
};

// Filled by the start-up call when the background thread is suppressed.
struct GpStartupOutput {
  GpStatus(WINAPI* NotificationHook)(ULONG_PTR* token) = nullptr;
  void(WINAPI* NotificationUnhook)(ULONG_PTR token) = nullptr;
};

struct GpImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};
static_assert(sizeof(GpImageCodecInfo) == (sizeof(void*) == 8 ? 104 : 76));

inline constexpr GpStatus GpOk = 0;
inline constexpr INT GpPixelFormat32bppARGB = 0x0026200A;
inline constexpr INT GpPixelFormat32bppPARGB = 0x000E200B;
inline constexpr UINT GpImageLockModeRead = 1;
inline constexpr int GpUnitPixel = 2;
inline constexpr int GpCompositingModeSourceCopy = 1;
inline constexpr int GpInterpolationModeNearestNeighbor = 5;
