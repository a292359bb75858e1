#include "app/core/FormPlacement.h"

#include <algorithm>

#include "app/core/SettingsFile.h"
#include "platform/framework/windows/Forms.h"
#include "platform/framework/classes/IniFiles.h"
#include "platform/framework/rtl/SysUtils.h"

namespace {

String PlacementFile(const String& fileName) {
  return Trim(fileName).empty() ? SettingsFilePath() : fileName;
}

// Window placements of top-level windows without the tool-window style are in workspace
// coordinates: relative to the work area of the window's monitor.
TPoint WorkspaceOffset(HWND window) {
  if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {0, 0};
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return {0, 0};
  return {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

}  // namespace

TRect ClampToScreen(const TRect& bounds, int screenWidth, int screenHeight) {
  int width = std::min<int>(bounds.Width(), screenWidth);
  int height = std::min<int>(bounds.Height(), screenHeight);
  int x = bounds.left, y = bounds.top;
  if (x + width > screenWidth) x = screenWidth - width;
  if (y + height > screenHeight) y = screenHeight - height;
  x = std::max(x, 0);
  y = std::max(y, 0);
  return Bounds(x, y, width, height);
}

TRect RestoredBounds(TCustomForm* form) {
  if (!form->HandleAllocated()) return form->BoundsRect();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(form->Handle(), &placement)) return form->BoundsRect();
  TRect bounds = placement.rcNormalPosition;
  const TPoint offset = WorkspaceOffset(form->Handle());
  OffsetRect(&bounds, offset.x, offset.y);
  return bounds;
}

void LoadFormPlacement(const String& section, TCustomForm* form, const String& fileName) {
  TIniFile ini(PlacementFile(fileName));
  const bool maximized = ini.ReadBool(section, L"maximized", false);
  const int x = ini.ReadInteger(section, L"x", form->Left());
  const int y = ini.ReadInteger(section, L"y", form->Top());
  const int height = ini.ReadInteger(section, L"height", form->Height());
  const int width = ini.ReadInteger(section, L"width", form->Width());
  const TRect bounds = ClampToScreen(Bounds(x, y, width, height), Screen->Width(), Screen->Height());
  form->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  form->SetWindowState(maximized ? wsMaximized : wsNormal);
}

void SaveFormPlacement(const String& section, TCustomForm* form, const String& fileName) {
  TIniFile ini(PlacementFile(fileName));
  const TRect bounds = RestoredBounds(form);
  const bool maximized = form->HandleAllocated() ? IsZoomed(form->Handle()) != FALSE
                                                 : form->WindowState() == wsMaximized;
  ini.WriteInteger(section, L"x", bounds.left);
  ini.WriteInteger(section, L"y", bounds.top);
  ini.WriteInteger(section, L"height", bounds.Height());
  ini.WriteInteger(section, L"width", bounds.Width());
  ini.WriteBool(section, L"maximized", maximized);
}
