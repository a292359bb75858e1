#include "platform/framework/controls/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

#include "platform/framework/windows/Forms.h"

DEFINE_CLASS(TCommonDialog)
DEFINE_CLASS(TOpenDialog)
DEFINE_CLASS(TSaveDialog)
DEFINE_CLASS(TColorDialog)
DEFINE_CLASS(TFontDialog)

namespace {

TDialogAnswerer& Answerer() {
  static TDialogAnswerer answerer;
  return answerer;
}

// A copy: the answerer may replace itself.
TDialogAnswer Answer(const TDialogRequest& request) {
  TDialogAnswerer answerer = Answerer();
  return answerer(request);
}

// "a|b|c|d" as the system wants it: "a\0b\0c\0d\0\0".
std::vector<wchar_t> SystemFilter(const String& filter) {
  std::vector<wchar_t> result(filter.begin(), filter.end());
  for (wchar_t& c : result) {
    if (c == L'|') c = L'\0';
  }
  result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

// The buffer of a running open dialog; the hook grows it to whatever the selection needs.
struct FileBuffer {
  std::vector<wchar_t> Chars;
};

UINT_PTR CALLBACK OpenDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  return Guarded(UINT_PTR{0}, [&]() -> UINT_PTR {
    if (message != WM_NOTIFY) return 0;
    auto* notify = reinterpret_cast<OFNOTIFYW*>(lParam);
    if (notify->hdr.code != CDN_SELCHANGE) return 0;
    HWND explorer = GetParent(dialog);
    const LRESULT names = SendMessageW(explorer, CDM_GETSPEC, 0, 0);
    const LRESULT folder = SendMessageW(explorer, CDM_GETFOLDERPATH, 0, 0);
    if (names < 0 || folder < 0) return 0;
    // Each name may gain a separator; the folder comes once.
    const std::size_t needed = static_cast<std::size_t>(names + folder) * 2 + 16;
    OPENFILENAMEW* ofn = notify->lpOFN;
    auto* buffer = reinterpret_cast<FileBuffer*>(ofn->lCustData);
    if (needed > buffer->Chars.size()) {
      buffer->Chars.assign(needed, L'\0');
      ofn->lpstrFile = buffer->Chars.data();
      ofn->nMaxFile = static_cast<DWORD>(buffer->Chars.size());
    }
    return 0;
  });
}

struct FolderStart {
  const String* InitialDir;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
  return Guarded(0, [&] {
    const auto* start = reinterpret_cast<const FolderStart*>(data);
    if (message == BFFM_INITIALIZED && !start->InitialDir->empty()) {
      SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->InitialDir->c_str()));
    }
    return 0;
  });
}

}  // namespace

TDialogAnswerer SetDialogAnswerer(TDialogAnswerer Answerer_) { return std::exchange(Answerer(), std::move(Answerer_)); }

std::vector<String> SplitOpenDialogResult(const wchar_t* Buffer) {
  std::vector<String> parts;
  for (const wchar_t* p = Buffer; *p; p += std::wcslen(p) + 1) parts.emplace_back(p);
  if (parts.size() <= 1) return parts;
  String folder = parts.front();
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  std::vector<String> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

HWND TCommonDialog::OwnerWindow() {
  if (HWND active = GetActiveWindow()) return active;
  if (Application && Application->MainForm() && Application->MainForm()->HandleAllocated()) {
    return Application->MainForm()->Handle();
  }
  return nullptr;
}

// ---- Open and save -------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TDialogRequest TOpenDialog::Request() const {
  TDialogRequest request;
  request.Kind = IsSave() ? TDialogKind::Save : TDialogKind::Open;
  request.Title = Title;
  request.Filter = Filter;
  request.FilterIndex = FilterIndex;
  request.InitialDir = InitialDir;
  request.FileName = FileName;
  request.DefaultExt = DefaultExt;
  request.Options = Options;
  return request;
}

void TOpenDialog::TakeAnswer(const TDialogAnswer& Answer) {
  files_->Clear();
  for (const String& file : Answer.Files) files_->Add(file);
  if (!Answer.Files.empty()) FileName = Answer.Files.front();
  if (Answer.FilterIndex > 0) FilterIndex = Answer.FilterIndex;
}

bool TOpenDialog::Execute() {
  if (OnShow) OnShow(this);
  bool chosen;
  if (Answerer()) {
    const TDialogAnswer answer = Answer(Request());
    chosen = answer.Ok;
    if (chosen) TakeAnswer(answer);
  } else {
    chosen = RunSystemDialog();
  }
  if (OnClose) OnClose(this);
  return chosen;
}

bool TOpenDialog::RunSystemDialog() {
  FileBuffer buffer;
  // One path fits the longest the system allows; a multi-selection grows the buffer as it grows.
  buffer.Chars.assign(std::max<std::size_t>(FileName.size() + 1, 32768), L'\0');
  std::copy(FileName.begin(), FileName.end(), buffer.Chars.begin());
  const std::vector<wchar_t> filter = SystemFilter(Filter);
  String defaultExt = DefaultExt;
  if (!defaultExt.empty() && defaultExt.front() == L'.') defaultExt.erase(0, 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = OwnerWindow();
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.data();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = buffer.Chars.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.Chars.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (Options.Contains(ofAllowMultiSelect)) {
    ofn.Flags |= OFN_ENABLEHOOK;
    ofn.lpfnHook = &OpenDialogHook;
    ofn.lCustData = reinterpret_cast<LPARAM>(&buffer);
  }
  struct Flag {
    TOpenOption Option;
    DWORD Bit;
  };
  static constexpr Flag kFlags[] = {
      {ofReadOnly, OFN_READONLY},           {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
      {ofHideReadOnly, OFN_HIDEREADONLY},   {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
      {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST},
      {ofCreatePrompt, OFN_CREATEPROMPT},   {ofNoValidate, OFN_NOVALIDATE},
      {ofEnableSizing, OFN_ENABLESIZING},   {ofDontAddToRecent, OFN_DONTADDTORECENT},
      {ofForceShowHidden, OFN_FORCESHOWHIDDEN}, {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
  };
  for (const Flag& flag : kFlags) {
    if (Options.Contains(flag.Option)) ofn.Flags |= flag.Bit;
  }
  const BOOL ok = IsSave() ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  TDialogAnswer answer;
  answer.Ok = true;
  answer.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  answer.Files = Options.Contains(ofAllowMultiSelect) ? SplitOpenDialogResult(ofn.lpstrFile)
                                                        : std::vector<String>{String(ofn.lpstrFile)};
  TakeAnswer(answer);
  return true;
}

// ---- Folder selection ----------------------------------------------------------------------------

bool SelectDirectory(const String& Caption, const String& InitialDir, UINT Flags, String& Directory) {
  if (Answerer()) {
    TDialogRequest request;
    request.Kind = TDialogKind::Folder;
    request.Title = Caption;
    request.InitialDir = InitialDir;
    request.Flags = Flags;
    const TDialogAnswer answer = Answer(request);
    if (answer.Ok) Directory = answer.Folder;
    return answer.Ok;
  }
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FolderStart start{&InitialDir};
  BROWSEINFOW info{};
  info.hwndOwner = GetActiveWindow();
  info.lpszTitle = Caption.c_str();
  info.ulFlags = Flags;
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&start);
  bool chosen = false;
  if (PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info)) {
    wchar_t path[MAX_PATH] = {};
    chosen = SHGetPathFromIDListW(list, path) != FALSE;
    if (chosen) Directory = path;
    CoTaskMemFree(list);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

// ---- Colour and font -----------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), customColors_(std::make_unique<TStringList>()) {}

bool TColorDialog::Execute() {
  if (OnShow) OnShow(this);
  bool chosen;
  if (Answerer()) {
    TDialogRequest request;
    request.Kind = TDialogKind::Color;
    request.Color = Color;
    const TDialogAnswer answer = Answer(request);
    chosen = answer.Ok;
    if (chosen) Color = answer.Color;
  } else {
    COLORREF custom[16];
    for (int i = 0; i < 16; ++i) {
      const String value = customColors_->Values(String(L"Color") + wchar_t(L'A' + i));
      custom[i] = value.empty() ? RGB(255, 255, 255) : static_cast<COLORREF>(std::wcstoul(value.c_str(), nullptr, 16));
    }
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = OwnerWindow();
    choose.rgbResult = static_cast<COLORREF>(ColorToRGB(Color));
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    chosen = ChooseColorW(&choose) != FALSE;
    if (chosen) {
      Color = static_cast<TColor>(choose.rgbResult);
      for (int i = 0; i < 16; ++i) {
        wchar_t hex[16];
        std::swprintf(hex, 16, L"%06X", static_cast<unsigned>(custom[i]));
        customColors_->SetValues(String(L"Color") + wchar_t(L'A' + i), hex);
      }
    }
  }
  if (OnClose) OnClose(this);
  return chosen;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), font_(std::make_unique<TFont>()) {}

bool TFontDialog::Execute() {
  if (OnShow) OnShow(this);
  bool chosen;
  if (Answerer()) {
    TDialogRequest request;
    request.Kind = TDialogKind::Font;
    request.Font = font_.get();
    chosen = Answer(request).Ok;
  } else {
    LOGFONTW logFont = font_->LogFont();
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = OwnerWindow();
    choose.lpLogFont = &logFont;
    choose.rgbColors = static_cast<COLORREF>(ColorToRGB(font_->Color()));
    choose.Flags = CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_SCREENFONTS;
    chosen = ChooseFontW(&choose) != FALSE;
    if (chosen) {
      font_->SetName(logFont.lfFaceName);
      font_->SetHeight(logFont.lfHeight);
      TFontStyles style;
      if (logFont.lfWeight >= FW_BOLD) style.Include(fsBold);
      if (logFont.lfItalic) style.Include(fsItalic);
      if (logFont.lfUnderline) style.Include(fsUnderline);
      if (logFont.lfStrikeOut) style.Include(fsStrikeOut);
      font_->SetStyle(style);
      font_->SetCharset(logFont.lfCharSet);
      font_->SetColor(static_cast<TColor>(choose.rgbColors));
    }
  }
  if (OnClose) OnClose(this);
  return chosen;
}
