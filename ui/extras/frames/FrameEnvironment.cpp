#include "ui/extras/frames/FrameEnvironment.h"

#include "platform/framework/classes/Registry.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/classes/UnitLifecycle.h"

namespace {

struct TDisplayFacts {
  bool fullColor = ReadDisplayHasFullColor();
  int colorScheme = DetectXpColorScheme();
};

TDisplayFacts& Facts() {
  static TDisplayFacts facts;
  return facts;
}

const TUnitRegistration frameUnit([] { Facts(); }, nullptr);

}  // namespace

bool DisplayHasFullColor() { return Facts().fullColor; }
int XpColorScheme() { return Facts().colorScheme; }

bool ReadDisplayHasFullColor() {
  HDC dc = GetDC(nullptr);
  const int colors = GetDeviceCaps(dc, NUMCOLORS);
  ReleaseDC(nullptr, dc);
  return colors == -1;
}

int XpColorSchemeOfName(const String& ColorName) {
  const String name = UpperCase(ColorName);
  if (name == L"HOMESTEAD") return xpcsHomestead;
  if (name == L"METALLIC") return xpcsMetallic;
  return xpcsBlue;
}

int DetectXpColorScheme() {
  TRegistry registry(KEY_READ);
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKeyReadOnly(L"\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager")) return xpcsBlue;
  try {
    return XpColorSchemeOfName(registry.ReadString(L"ColorName"));
  } catch (const ERegistryException&) {
    return xpcsBlue;  // a value of another type names no scheme
  }
}
