// make_skinpack OUTPUT_FOLDER: writes the skin pack's style bitmaps (NAME.bmp, embedded by
// resources/skinpack/SkinPack.rc) and the test theme files "TestTheme.sk" (plain) and
// "TestThemeLocked.sk" (encrypted with the test password).
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/skinpack/SkinPackArt.h"

namespace {
bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_skinpack OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  bool ok = true;
  for (const auto& file : skinpack_art::StyleBitmaps()) ok = Write(folder + file.Name + ".bmp", file.Bytes) && ok;
  const std::string member = skinpack_art::TestSkinData();
  ok = Write(folder + "TestTheme.sk", skinpack_art::ThemeArchive(member, "")) && ok;
  ok = Write(folder + "TestThemeLocked.sk", skinpack_art::ThemeArchive(member, skinpack_art::kTestThemePassword)) && ok;
  if (!ok) std::fprintf(stderr, "make_skinpack: cannot write into %s\n", argv[1]);
  return ok ? 0 : 1;
}
