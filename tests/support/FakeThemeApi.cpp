#include "tests/support/FakeThemeApi.h"

#include <algorithm>
#include <cwctype>

#include <uxtheme.h>

#include "platform/framework/rtl/Seams.h"

namespace theme_testing {

namespace {

String Upper(String text) {
  for (wchar_t& c : text) c = wchar_t(std::towupper(c));
  return text;
}

String Trimmed(const String& text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == String::npos) return L"";
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

FakeThemeApi* FakeThemeApi::current_ = nullptr;

FakeThemeApi::FakeThemeApi() {
  current_ = this;
  TBoundFunctions& bound = Bound();
  bound.IsThemeActive.Set(&IsThemeActive);
  bound.IsAppThemed.Set(&IsThemeActive);
  bound.OpenThemeData.Set(&OpenThemeData);
  bound.CloseThemeData.Set(&CloseThemeData);
  bound.DrawThemeBackground.Set(&DrawThemeBackground);
  bound.GetCurrentThemeName.Set(&GetCurrentThemeName);
  bound.GetThemeColor.Set(&GetThemeColor);
  bound.GetThemePartSize.Set(&GetThemePartSize);
  bound.GetThemeBackgroundContentRect.Set(&GetThemeBackgroundContentRect);
  bound.IsThemeBackgroundPartiallyTransparent.Set(&IsThemeBackgroundPartiallyTransparent);
  bound.GetThemeBackgroundRegion.Set(&GetThemeBackgroundRegion);
  bound.DrawThemeText.Set(&DrawThemeText);
  bound.DrawThemeTextEx.Set(&DrawThemeTextEx);
  bound.DrawThemeEdge.Set(&DrawThemeEdge);
}

FakeThemeApi::~FakeThemeApi() {
  TBoundFunctions& bound = Bound();
  bound.IsThemeActive.Reset();
  bound.IsAppThemed.Reset();
  bound.OpenThemeData.Reset();
  bound.CloseThemeData.Reset();
  bound.DrawThemeBackground.Reset();
  bound.GetCurrentThemeName.Reset();
  bound.GetThemeColor.Reset();
  bound.GetThemePartSize.Reset();
  bound.GetThemeBackgroundContentRect.Reset();
  bound.IsThemeBackgroundPartiallyTransparent.Reset();
  bound.GetThemeBackgroundRegion.Reset();
  bound.DrawThemeText.Reset();
  bound.DrawThemeTextEx.Reset();
  bound.DrawThemeEdge.Reset();
  current_ = nullptr;
}

void FakeThemeApi::AddClass(const String& ClassName) {
  if (std::find(classes_.begin(), classes_.end(), Upper(ClassName)) == classes_.end())
    classes_.push_back(Upper(ClassName));
}

void FakeThemeApi::RemoveClass(const String& ClassName) {
  classes_.erase(std::remove(classes_.begin(), classes_.end(), Upper(ClassName)), classes_.end());
}

FakeThemeApi::Key FakeThemeApi::MakeKey(const String& ClassName, int Part, int State, int Extra) {
  return {Upper(ClassName), Part, State, Extra};
}

void FakeThemeApi::SetColor(const String& ClassName, int Part, int State, int Property, COLORREF Color) {
  colors_[MakeKey(ClassName, Part, State, Property)] = Color;
}

void FakeThemeApi::SetPartSize(const String& ClassName, int Part, int State, int Kind, SIZE Size) {
  sizes_[MakeKey(ClassName, Part, State, Kind)] = Size;
}

void FakeThemeApi::SetContentMargins(const String& ClassName, int Part, int State, RECT Margins) {
  margins_[MakeKey(ClassName, Part, State, 0)] = Margins;
}

void FakeThemeApi::SetPartiallyTransparent(const String& ClassName, int Part, int State, bool Value) {
  transparent_[MakeKey(ClassName, Part, State, 0)] = Value;
}

int FakeThemeApi::OpenHandles() const {
  return int(std::count_if(handles_.begin(), handles_.end(), [](const String& c) { return !c.empty(); }));
}

String FakeThemeApi::ClassOf(HANDLE Theme) const {
  const auto index = reinterpret_cast<UINT_PTR>(Theme);
  return index >= 1 && index <= handles_.size() ? handles_[index - 1] : String();
}

BOOL WINAPI FakeThemeApi::IsThemeActive() { return current_ && current_->Active; }

HANDLE WINAPI FakeThemeApi::OpenThemeData(HWND, LPCWSTR ClassList) {
  FakeThemeApi& fake = *current_;
  const String list = ClassList ? ClassList : L"";
  fake.OpenRequests.push_back(list);
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(L';', start);
    if (end == String::npos) end = list.size();
    String name = Upper(Trimmed(list.substr(start, end - start)));
    // "Explorer::Button" names the class after the sub-application prefix.
    const size_t scope = name.find(L"::");
    if (scope != String::npos) name = name.substr(scope + 2);
    if (std::find(fake.classes_.begin(), fake.classes_.end(), name) != fake.classes_.end()) {
      fake.handles_.push_back(name);
      return reinterpret_cast<HANDLE>(UINT_PTR(fake.handles_.size()));
    }
    start = end + 1;
  }
  SetLastError(ERROR_NOT_FOUND);
  return nullptr;
}

HRESULT WINAPI FakeThemeApi::CloseThemeData(HANDLE Theme) {
  FakeThemeApi& fake = *current_;
  const auto index = reinterpret_cast<UINT_PTR>(Theme);
  if (index < 1 || index > fake.handles_.size() || fake.handles_[index - 1].empty()) return E_HANDLE;
  fake.handles_[index - 1].clear();
  ++fake.Closed;
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::DrawThemeBackground(HANDLE Theme, HDC DC, int Part, int State, const RECT* R,
                                                 const RECT* Clip) {
  FakeThemeApi& fake = *current_;
  const String cls = fake.ClassOf(Theme);
  if (cls.empty() || !R) return E_HANDLE;
  fake.Calls.push_back({L"background", cls, Part, State, *R, L""});
  RECT fill = *R;
  if (Clip && !IntersectRect(&fill, R, Clip)) return S_OK;
  HBRUSH brush = CreateSolidBrush(DrawColor(Part, State));
  FillRect(DC, &fill, brush);
  DeleteObject(brush);
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::GetCurrentThemeName(LPWSTR File, int FileChars, LPWSTR Color, int ColorChars, LPWSTR Size,
                                                 int SizeChars) {
  FakeThemeApi& fake = *current_;
  if (fake.ThemeFile.empty()) return E_FAIL;
  auto copy = [](LPWSTR target, int chars, const String& text) {
    if (!target || chars <= 0) return;
    const size_t n = std::min(text.size(), size_t(chars - 1));
    text.copy(target, n);
    target[n] = 0;
  };
  copy(File, FileChars, fake.ThemeFile);
  copy(Color, ColorChars, fake.ColorName);
  copy(Size, SizeChars, L"NormalSize");
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::GetThemeColor(HANDLE Theme, int Part, int State, int Property, COLORREF* Color) {
  FakeThemeApi& fake = *current_;
  auto found = fake.colors_.find(MakeKey(fake.ClassOf(Theme), Part, State, Property));
  if (found == fake.colors_.end()) return E_FAIL;
  *Color = found->second;
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::GetThemePartSize(HANDLE Theme, HDC, int Part, int State, const RECT*, int Kind,
                                              SIZE* Size) {
  FakeThemeApi& fake = *current_;
  auto found = fake.sizes_.find(MakeKey(fake.ClassOf(Theme), Part, State, Kind));
  if (found == fake.sizes_.end()) return E_FAIL;
  *Size = found->second;
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::GetThemeBackgroundContentRect(HANDLE Theme, HDC, int Part, int State, const RECT* R,
                                                           RECT* Content) {
  FakeThemeApi& fake = *current_;
  auto found = fake.margins_.find(MakeKey(fake.ClassOf(Theme), Part, State, 0));
  if (found == fake.margins_.end() || !R) return E_FAIL;
  const RECT& m = found->second;
  *Content = {R->left + m.left, R->top + m.top, R->right - m.right, R->bottom - m.bottom};
  return S_OK;
}

BOOL WINAPI FakeThemeApi::IsThemeBackgroundPartiallyTransparent(HANDLE Theme, int Part, int State) {
  FakeThemeApi& fake = *current_;
  auto found = fake.transparent_.find(MakeKey(fake.ClassOf(Theme), Part, State, 0));
  return found != fake.transparent_.end() && found->second;
}

HRESULT WINAPI FakeThemeApi::GetThemeBackgroundRegion(HANDLE Theme, HDC, int, int, const RECT* R, HRGN* Region) {
  if (current_->ClassOf(Theme).empty() || !R) return E_HANDLE;
  *Region = CreateRectRgnIndirect(R);
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::DrawThemeText(HANDLE Theme, HDC, int Part, int State, LPCWSTR Text, int Count, DWORD,
                                           DWORD, const RECT* R) {
  FakeThemeApi& fake = *current_;
  const String cls = fake.ClassOf(Theme);
  if (cls.empty() || !R) return E_HANDLE;
  const String text = Text ? (Count < 0 ? String(Text) : String(Text, size_t(Count))) : String();
  fake.Calls.push_back({L"text", cls, Part, State, *R, text});
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::DrawThemeTextEx(HANDLE Theme, HDC DC, int Part, int State, LPCWSTR Text, int Count,
                                             DWORD, RECT* R, const _DTTOPTS* Options) {
  FakeThemeApi& fake = *current_;
  const String cls = fake.ClassOf(Theme);
  if (cls.empty() || !R || !Options) return E_HANDLE;
  const String text = Text ? (Count < 0 ? String(Text) : String(Text, size_t(Count))) : String();
  fake.Calls.push_back({L"glow text", cls, Part, State, *R, text});
  fake.TextExOptions = Options->dwFlags;
  fake.TextExColor = Options->crText;
  fake.TextExGlowSize = Options->iGlowSize;
  HBRUSH brush = CreateSolidBrush(Options->crText);
  FillRect(DC, R, brush);
  DeleteObject(brush);
  return S_OK;
}

HRESULT WINAPI FakeThemeApi::DrawThemeEdge(HANDLE Theme, HDC, int Part, int State, const RECT* R, UINT, UINT,
                                           RECT* Content) {
  FakeThemeApi& fake = *current_;
  const String cls = fake.ClassOf(Theme);
  if (cls.empty() || !R) return E_HANDLE;
  fake.Calls.push_back({L"edge", cls, Part, State, *R, L""});
  if (Content) *Content = {R->left + 1, R->top + 1, R->right - 1, R->bottom - 1};
  return S_OK;
}

}  // namespace theme_testing
