// Writes the navigation bar's generated art into a folder:
//   make_navbar_art OUTPUT_FOLDER  ->  office12_blue.skin, office12_black.skin, office12_silver.skin,
//                                      vista.skin (the embedded "dxSkin" streams, layout 1.01) and
//                                      the ten sign and pane bitmaps, <resource name in lower case>.bmp
// resources/navbar/NavBarArt.rc embeds them under their resource names.

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>

#include "NavBarArt.h"

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_navbar_art OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  try {
    for (const auto& file : navbar_art::MakeSkins())
      if (!Write(folder + Lower(file.Name) + ".skin", file.Bytes)) throw std::runtime_error("cannot write " + file.Name);
    for (const auto& file : navbar_art::MakeBitmaps())
      if (!Write(folder + Lower(file.Name) + ".bmp", file.Bytes)) throw std::runtime_error("cannot write " + file.Name);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_navbar_art: %s\n", e.what());
    return 1;
  }
  return 0;
}
