#pragma once
// A recording stand-in for the visual-styles API, installed through the table of bound functions:
// themes are active, OpenThemeData opens a handle for the first class of a class list that the fake
// knows, the queries answer from tables (colours, part sizes, content margins, transparency), and
// every drawing call is recorded as (class, part, state, rectangle). A themed background is filled
// with DrawColor(part, state), so pixel probes can tell themed parts from classic ones. One fake at a
// time; its destructor restores the system's entries.

#include <map>
#include <tuple>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

struct _DTTOPTS;

namespace theme_testing {

struct ThemeCall {
  String Call;   // "background", "text", "glow text" or "edge"
  String Class;  // the class the handle was opened for, as the fake knows it
  int Part = 0;
  int State = 0;
  RECT Rect{};
  String Text;  // for "text"
  bool operator==(const ThemeCall& other) const {
    return Call == other.Call && Class == other.Class && Part == other.Part && State == other.State &&
           EqualRect(&Rect, &other.Rect) && Text == other.Text;
  }
};

class FakeThemeApi {
 public:
  FakeThemeApi();
  ~FakeThemeApi();
  FakeThemeApi(const FakeThemeApi&) = delete;
  FakeThemeApi& operator=(const FakeThemeApi&) = delete;

  // What IsThemeActive and IsAppThemed answer.
  bool Active = true;
  // GetCurrentThemeName's answers; an empty file name fails the call.
  String ThemeFile = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  String ColorName = L"NormalColor";

  // Classes that open (compared without regard to case).
  void AddClass(const String& ClassName);
  void RemoveClass(const String& ClassName);

  void SetColor(const String& ClassName, int Part, int State, int Property, COLORREF Color);
  // Kind 0 minimum, 1 true size, 2 drawn size.
  void SetPartSize(const String& ClassName, int Part, int State, int Kind, SIZE Size);
  void ClearPartSizes() { sizes_.clear(); }
  // The content rectangle is the rectangle less these margins (left, top, right, bottom).
  void SetContentMargins(const String& ClassName, int Part, int State, RECT Margins);
  void SetPartiallyTransparent(const String& ClassName, int Part, int State, bool Value);

  // The colour a themed background of the part and state is filled with.
  static COLORREF DrawColor(int Part, int State) { return RGB(0x10 + Part, 0x40 + State, 0xE0); }

  std::vector<ThemeCall> Calls;
  // The options of the last DrawThemeTextEx, which fills its rectangle with the text colour.
  DWORD TextExOptions = 0;
  COLORREF TextExColor = 0;
  int TextExGlowSize = 0;
  // Class lists passed to OpenThemeData, successful or not, and the number of handles closed.
  std::vector<String> OpenRequests;
  int Closed = 0;
  // Handles opened and not closed.
  int OpenHandles() const;

  // The class a handle belongs to; empty for a handle the fake did not make.
  String ClassOf(HANDLE Theme) const;

 private:
  using Key = std::tuple<String, int, int, int>;
  static Key MakeKey(const String& ClassName, int Part, int State, int Extra);

  static FakeThemeApi* current_;
  static BOOL WINAPI IsThemeActive();
  static HANDLE WINAPI OpenThemeData(HWND, LPCWSTR ClassList);
  static HRESULT WINAPI CloseThemeData(HANDLE Theme);
  static HRESULT WINAPI DrawThemeBackground(HANDLE Theme, HDC DC, int Part, int State, const RECT* R, const RECT* Clip);
  static HRESULT WINAPI GetCurrentThemeName(LPWSTR File, int FileChars, LPWSTR Color, int ColorChars, LPWSTR Size,
                                            int SizeChars);
  static HRESULT WINAPI GetThemeColor(HANDLE Theme, int Part, int State, int Property, COLORREF* Color);
  static HRESULT WINAPI GetThemePartSize(HANDLE Theme, HDC, int Part, int State, const RECT*, int Kind, SIZE* Size);
  static HRESULT WINAPI GetThemeBackgroundContentRect(HANDLE Theme, HDC, int Part, int State, const RECT* R,
                                                      RECT* Content);
  static BOOL WINAPI IsThemeBackgroundPartiallyTransparent(HANDLE Theme, int Part, int State);
  static HRESULT WINAPI GetThemeBackgroundRegion(HANDLE Theme, HDC, int Part, int State, const RECT* R, HRGN* Region);
  static HRESULT WINAPI DrawThemeTextEx(HANDLE Theme, HDC DC, int Part, int State, LPCWSTR Text, int Count, DWORD,
                                        RECT* R, const _DTTOPTS* Options);
  static HRESULT WINAPI DrawThemeText(HANDLE Theme, HDC, int Part, int State, LPCWSTR Text, int Count, DWORD,
                                      DWORD, const RECT* R);
  static HRESULT WINAPI DrawThemeEdge(HANDLE Theme, HDC, int Part, int State, const RECT* R, UINT, UINT,
                                      RECT* Content);

  std::vector<String> classes_;
  std::vector<String> handles_;  // handle n (1-based) belongs to handles_[n - 1]; empty once closed
  std::map<Key, COLORREF> colors_;
  std::map<Key, SIZE> sizes_;
  std::map<Key, RECT> margins_;
  std::map<Key, bool> transparent_;
};

}  // namespace theme_testing
