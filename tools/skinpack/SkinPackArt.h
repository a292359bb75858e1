#pragma once
// The skin pack's art and test theme files, drawn by this project: the built-in styles' bitmaps
// (24-bit BMP files) and "SK" theme archives holding a skin-data member with every theme key.
// Windows-free, deterministic; make_skinpack writes the files, native tests use the bytes directly.

#include <string>
#include <vector>

namespace skinpack_art {

struct TNamedFile {
  std::string Name;   // resource or file name
  std::string Bytes;  // file contents
};

// Every built-in style bitmap as a BMP file, named by its resource name ("DEEPBLUE_BUTTON", ...).
std::vector<TNamedFile> StyleBitmaps();

// The password of the encrypted test theme.
inline constexpr const char* kTestThemePassword = "generated-theme";

// The skin-data member of the test theme: every theme key with a value, ended by a terminating
// record.
std::string TestSkinData();
// A theme archive holding Member under the name "SKINDATA.SK2"; encrypted when Password is not
// empty.
std::string ThemeArchive(const std::string& Member, const std::string& Password);

}  // namespace skinpack_art
