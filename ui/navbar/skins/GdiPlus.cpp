#include "ui/navbar/skins/GdiPlus.h"

#include <cstdint>
#include <cwctype>
#include <vector>

#include "platform/framework/classes/UnitLifecycle.h"

namespace {

struct TGdiPlusSession {
  bool Checked = false;
  bool Running = false;
  bool Forced = false;
  bool ExitStepAdded = false;
  HMODULE Library = nullptr;
  ULONG_PTR Token = 0;
  ULONG_PTR HookToken = 0;
  GpStartupOutput Output;
  CLSID PngEncoder{};
};

TGdiPlusSession& Session() {
  static TGdiPlusSession session;
  return session;
}

// Calls visit with every GDI+ entry of the table.
template <class Visit>
void ForEachEntry(Visit&& visit) {
  TBoundFunctions& b = Bound();
  visit(b.GdiplusStartup), visit(b.GdiplusShutdown), visit(b.GdipAlloc), visit(b.GdipFree);
  visit(b.GdipCreateFromHDC), visit(b.GdipDeleteGraphics), visit(b.GdipGetDC), visit(b.GdipReleaseDC);
  visit(b.GdipGetInterpolationMode), visit(b.GdipSetInterpolationMode), visit(b.GdipFillRectangleI);
  visit(b.GdipCreateLineBrushFromRectI), visit(b.GdipCloneBrush), visit(b.GdipDeleteBrush);
  visit(b.GdipCreateSolidFill), visit(b.GdipSetSolidFillColor), visit(b.GdipCreateBitmapFromScan0);
  visit(b.GdipCreateBitmapFromStream), visit(b.GdipCreateBitmapFromFile), visit(b.GdipCloneImage);
  visit(b.GdipDisposeImage), visit(b.GdipGetImageDimension), visit(b.GdipGetImageWidth);
  visit(b.GdipGetImageHeight), visit(b.GdipBitmapLockBits), visit(b.GdipBitmapUnlockBits);
  visit(b.GdipGetImageEncodersSize), visit(b.GdipGetImageEncoders), visit(b.GdipSaveImageToStream);
  visit(b.GdipCreateHBITMAPFromBitmap), visit(b.GdipDrawImageRectRect), visit(b.GdipDrawImageRectRectI);
  visit(b.GdipGetImageGraphicsContext), visit(b.GdipSetCompositingMode);
}

bool EveryEntryPresent() {
  bool present = true;
  ForEachEntry([&](auto& entry) { present = present && entry.Get() != nullptr; });
  return present;
}

bool LoadLibraryQuietly(TGdiPlusSession& s) {
  if (s.Library) return true;
  const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  s.Library = LoadLibraryW(L"gdiplus.dll");
  SetErrorMode(previous);
  return s.Library != nullptr;
}

bool Start(TGdiPlusSession& s) {
  if (UnitsFinalized() || !LoadLibraryQuietly(s) || !EveryEntryPresent()) return false;
  GpStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  input.SuppressExternalCodecs = FALSE;
  s.Output = {};
  if (Bound().GdiplusStartup.Get()(&s.Token, &input, &s.Output) != GpOk) return false;
  if (!s.Output.NotificationHook || s.Output.NotificationHook(&s.HookToken) != GpOk) {
    Bound().GdiplusShutdown.Get()(s.Token);
    return false;
  }
  s.Running = true;
  if (!s.ExitStepAdded) AddExitStep(&ShutdownGdiPlus);
  s.ExitStepAdded = true;
  return true;
}

void EndSession(TGdiPlusSession& s) {
  if (!s.Running) return;
  s.Running = false;
  if (s.Output.NotificationUnhook) s.Output.NotificationUnhook(s.HookToken);
  if (auto shutdown = Bound().GdiplusShutdown.Get()) shutdown(s.Token);
  s.PngEncoder = CLSID{};
}

bool SameTextAsPngType(const WCHAR* mime) {
  static const wchar_t kPng[] = L"image/png";
  if (!mime) return false;
  for (int i = 0;; ++i) {
    if (std::towlower(mime[i]) != kPng[i]) return false;
    if (!kPng[i]) return true;
  }
}

void FindPngEncoder(CLSID& encoder) {
  UINT count = 0, size = 0;
  if (Bound().GdipGetImageEncodersSize.Get()(&count, &size) != GpOk || count == 0 || size == 0) return;
  // The records are followed by the strings they point to.
  std::vector<std::uint64_t> buffer((size + 7) / 8);
  auto* codecs = reinterpret_cast<GpImageCodecInfo*>(buffer.data());
  if (Bound().GdipGetImageEncoders.Get()(count, size, codecs) != GpOk) return;
  for (UINT i = 0; i < count; ++i)
    if (SameTextAsPngType(codecs[i].MimeType)) {
      encoder = codecs[i].Clsid;
      return;
    }
}

}  // namespace

bool GdiPlusAvailable() {
  TGdiPlusSession& s = Session();
  if (s.Forced) return false;
  if (!s.Checked) {
    s.Checked = true;
    Start(s);
  }
  return s.Running;
}

bool GdiPlusSessionRunning() { return Session().Running; }

const CLSID& PngEncoderClassID() {
  TGdiPlusSession& s = Session();
  if (s.PngEncoder == CLSID{} && GdiPlusAvailable()) FindPngEncoder(s.PngEncoder);
  return s.PngEncoder;
}

void ShutdownGdiPlus() {
  TGdiPlusSession& s = Session();
  EndSession(s);
  s.Checked = true;  // no second start
  if (s.Library) FreeLibrary(s.Library);
  s.Library = nullptr;
  ForEachEntry([](auto& entry) { entry.Reset(); });
}

void ResetGdiPlus() {
  TGdiPlusSession& s = Session();
  EndSession(s);
  s.Checked = false;
}

void ForceGdiPlusUnavailable(bool Value) { Session().Forced = Value; }
