#include "tests/support/WindowTestSupport.h"

#include <algorithm>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/base/Utf8.h"

namespace window_testing {

DEFINE_CLASS(TTestEdit)
DEFINE_CLASS(TTestButton)
DEFINE_CLASS(TProbeControl)

namespace {

// No test may block on a box or a modal loop it did not script.
class NoUnscriptedUi : public testing::Environment {
 public:
  void SetUp() override {
    SetMessageBoxAnswerer([](HWND, const String& text, const String&, UINT) {
      ADD_FAILURE() << "unexpected message box: " << Utf8Encode(text);
      return IDCANCEL;
    });
    SetModalDriver([](const TModalLoop& loop) {
      ADD_FAILURE() << "unscripted modal loop: " << Utf8Encode(loop.Kind);
      loop.End();
    });
    SetModalTimeLimit(5000, [](const TModalLoop& loop) {
      ADD_FAILURE() << "modal loop ran too long: " << Utf8Encode(loop.Kind);
    });
  }
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new NoUnscriptedUi);

std::vector<int>& HeldKeyList() {
  static std::vector<int> keys;
  return keys;
}

SHORT WINAPI HeldKeyState(int key) {
  const auto& keys = HeldKeyList();
  return std::find(keys.begin(), keys.end(), key) != keys.end() ? SHORT(0x8000) : SHORT(0);
}

LPARAM KeyData(Word key, bool up) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (up) data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return data;
}

}  // namespace

// ---- Controls ------------------------------------------------------------------------------------

TTestEdit::TTestEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  ControlStyle = {csClickEvents, csSetCaption, csDoubleClicks};
}

void TTestEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"EDIT";
  Params.Style |= ES_AUTOHSCROLL | WS_BORDER;
}

TTestButton::TTestButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  ControlStyle = {csSetCaption, csDoubleClicks};
}

void TTestButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.SystemClass = L"BUTTON";
  Params.Style |= BS_PUSHBUTTON;
}

void TTestButton::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
    if (!Focused()) {
      ::SetFocus(Handle());
      // A handler that moved the focus elsewhere cancels the press.
      if (!Focused()) return;
    }
  }
  TWinControl::WndProc(Message);
}

void TTestButton::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED) Click();
}

void TTestButton::CMDialogKey(TMessage& Message) {
  const bool enter = Message.WParam == VK_RETURN && active_;
  const bool escape = Message.WParam == VK_ESCAPE && Cancel;
  if ((enter || escape) && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  Inherited::Dispatch(Message);
}

void TTestButton::CMFocusChanged(TMessage& Message) {
  auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
  active_ = sender == this || (Default && !dynamic_cast<TTestButton*>(sender));
  Inherited::Dispatch(Message);
}

// ---- Fixture -------------------------------------------------------------------------------------

void FormFixture::SetUp() {
  form = new TForm(nullptr, 0);
  form->SetBounds(50, 50, 400, 300);
}

void FormFixture::TearDown() {
  form->Free();
  form = nullptr;
  ProcessMessages();
}

void FormFixture::ShowForm() {
  form->Show();
  SetForegroundWindow(form->Handle());
  SetActiveWindow(form->Handle());
  ProcessMessages();
}

// ---- Input ---------------------------------------------------------------------------------------

void ProcessMessages() {
  for (int round = 0; round < 3; ++round) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

void PressKey(Word key) {
  HWND focus = GetFocus();
  ASSERT_NE(focus, nullptr) << "no window has the focus";
  PressKeyOn(focus, key);
}

void PressKeyOn(HWND window, Word key) {
  PostMessageW(window, WM_KEYDOWN, key, KeyData(key, false));
  PostMessageW(window, WM_KEYUP, key, KeyData(key, true));
  ProcessMessages();
}

void Click(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ProcessMessages();
}

void SendMouse(HWND window, UINT msg, int x, int y, WPARAM keys) {
  SendMessageW(window, msg, keys, MAKELPARAM(x, y));
}

void InjectKey(Word key) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
  ProcessMessages();
}

void InjectClick(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, width);
    input.mi.dy = MulDiv(screen.y, 65535, height);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, inputs, sizeof(INPUT));
  ProcessMessages();
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) : saved_(Bound().GetKeyState) {
  HeldKeyList().assign(keys.begin(), keys.end());
  Bound().GetKeyState = &HeldKeyState;
}

HeldKeys::~HeldKeys() {
  HeldKeyList().clear();
  Bound().GetKeyState = saved_;
}

// ---- DIB section ---------------------------------------------------------------------------------

DibSection::DibSection(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<DWORD*>(bits);
  dc_ = CreateCompatibleDC(nullptr);
  old_ = SelectObject(dc_, bitmap_);
}

DibSection::~DibSection() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

DWORD DibSection::Pixel(int x, int y) const {
  GdiFlush();
  return bits_[y * width_ + x] & 0x00FFFFFF;
}

namespace {
int g_middleEastAnswer = 0;
int WINAPI MiddleEastMetrics(int index) {
  return index == SM_MIDEASTENABLED ? g_middleEastAnswer : ::GetSystemMetrics(index);
}
}  // namespace

MiddleEastLocale::MiddleEastLocale(bool On) : saved_(Bound().GetSystemMetrics), savedAnswer_(g_middleEastAnswer) {
  g_middleEastAnswer = On ? 1 : 0;
  Bound().GetSystemMetrics = &MiddleEastMetrics;
}

MiddleEastLocale::~MiddleEastLocale() {
  Bound().GetSystemMetrics = saved_;
  g_middleEastAnswer = savedAnswer_;
}

}  // namespace window_testing
