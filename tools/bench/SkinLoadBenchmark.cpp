// The internal skin loaded by the manager from its archive bytes to ready indexes (the SkinName
// setter over the stored skin, with no form to tell), with Saturation 0 and -100: the median and
// worst time of one load against the 30 ms limit.

#include <cstdio>

#include "TimingLoop.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/rtl/Seams.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/core/StoredSkins.h"

int main(int argc, char** argv) {
  const bool quick = timing::Quick(argc, argv);
  int boxes = 0;  // a failed load shows a box; counted here instead of waiting for a click
  SetMessageBoxAnswerer([&](HWND, const String&, const String&, UINT) { return ++boxes, IDOK; });
  const String name = L"Harbour Blue (internal)";
  auto* manager = new TsSkinManager(nullptr);
  TsStoredSkin* stored = manager->InternalSkins()->Add();
  stored->SetName(name);
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  stored->LoadData(data.Memory(), data.Size());
  bool within = true;
  for (int saturation : {0, -100}) {
    manager->SetSaturation(saturation);
    char title[96];
    std::snprintf(title, sizeof title, "internal skin from its bytes to ready indexes, Saturation %d", saturation);
    within = timing::Run(title, quick ? 3 : 50, 30.0, [&] { manager->SetSkinName(name); }) && within;
    if (boxes > 0 || manager->SkinInfo() != L"5.43") {
      std::printf("the internal skin did not load\n");
      return 1;
    }
  }
  manager->Free();
  return quick || within ? 0 : 1;
}
