#pragma once
// Helpers of the skinning tests: skins built in memory and written where a manager finds them, the
// message boxes a test saw, and a manager on its own (no default manager left behind).

#include <gtest/gtest.h>

#include <memory>

#include "platform/framework/rtl/Seams.h"
#include "tests/support/TestSupport.h"
#include "tools/skins/SkinBuilder.h"
#include "ui/skins/core/SkinManager.h"

namespace skin_testing {

std::string Narrow(const String& text);
void WriteBytes(const String& path, const std::vector<Byte>& bytes);

// The boxes shown while the object lives, answered with OK.
class TSeenBoxes {
 public:
  TSeenBoxes();
  ~TSeenBoxes();
  struct Box {
    String Text;
    String Caption;
    UINT Flags;
  };
  std::vector<Box> Boxes;

 private:
  TMessageBoxAnswerer previous_;
};

// A small skin: GLOBALINFO (version 5.43, master bitmap) and the given extra INI text; the master
// bitmap is 40 x 20 (red, fuchsia, grey and blue quarters).
TSkinPackage SmallSkin(const std::string& extraIni = "");
TSkinBitmap SmallMaster();

// The bytes of the internal skin the library embeds.
std::vector<Byte> InternalSkinBytes();

struct ManagerDeleter {
  void operator()(TsSkinManager* manager) const { manager->Free(); }
};
using ManagerPtr = std::unique_ptr<TsSkinManager, ManagerDeleter>;
// A manager whose skin directory is the folder; inactive until SkinName is set with Active true.
ManagerPtr NewManager(const String& skinDirectory);
// A manager with the internal skin stored under its name.
ManagerPtr NewInternalManager(const String& skinDirectory);

}  // namespace skin_testing
