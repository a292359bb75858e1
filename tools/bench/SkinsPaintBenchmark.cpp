// The main window's bottom row as the skinned controls draw it: a 1280 x 75 panel holding five
// child panels and nineteen speed buttons in "Harbour Blue (internal)". Painted with every face
// rebuilt from a stale cache (limit: one 8 ms frame), and repainted from the warm caches (limit
// 2 ms). Each paint is a synchronous redraw of the whole row; a third figure prints the row into a
// bitmap, which is the skinned controls' own work without Wine's window painting.
//
// Two more figures: a 200 x 16 skinned gauge repainted after a Progress change (limit 1 ms), and a
// comic-callout hint of the main window's look, 180 pixels of text wide with its shadow, composed
// into the image a layered window shows (limit 8 ms).
//
// One figure of the subclassing layer: the non-client paint (WM_NCPAINT) of a 300 x 400 list box
// with a vertical scroll bar drawn from the skin by its scroll window object (limit 2 ms). Two of
// the form skinning: a 1280 x 800 form's frame built from the skin and painted (limit 8 ms), and
// one caption button's hover repaint (limit 1 ms).
//
// Comparison rows of the same size and layout take the same redraw, to show what of the warm limit
// the window system leaves: the framework's plain panels and speed buttons; six framework windows
// that only fill themselves (the framework's own cost of six windows); six bare windows whose window
// procedure only fills its client area (Wine's cost of painting six windows, nothing of the
// framework). They are timed in turn with the warm skinned row, round after round, so all four see
// the same load on the machine.

#include <algorithm>
#include <cstdio>
#include <utility>
#include <type_traits>
#include <vector>

#include "TimingLoop.h"
#include "platform/framework/classes/Stream.h"
#include "platform/framework/controls/Buttons.h"
#include "platform/framework/controls/ExtCtrls.h"
#include "platform/framework/windows/Forms.h"
#include "ui/skins/controls/SkinGauge.h"
#include "ui/skins/controls/SkinHints.h"
#include "ui/skins/controls/SkinPanel.h"
#include "ui/skins/controls/SkinSpeedButton.h"
#include "ui/skins/core/SkinManager.h"
#include "ui/skins/paint/CommonData.h"
#include "ui/skins/windows/ScrollWnd.h"
#include "ui/skins/windows/SkinProvider.h"

namespace {

const int kRowWidth = 1280, kRowHeight = 75;
const int kPanelWidths[5] = {230, 150, 360, 170, 370};

template <class Panel, class Button>
struct TRow {
  std::vector<Panel*> Panels;  // the row first, then its five panels
  std::vector<Button*> Buttons;
};

// The row at Top on the form: skinned controls get their sections, plain ones are the framework's.
template <class Panel, class Button>
TRow<Panel, Button> BuildRow(TForm* form, int top) {
  constexpr bool skinned = std::is_same_v<Panel, TsPanel>;
  TRow<Panel, Button> row;
  auto* outer = new Panel(form);
  if constexpr (skinned) outer->SkinData()->SetSkinSection(L"PANEL");
  outer->SetParent(form);
  outer->SetBounds(0, top, kRowWidth, kRowHeight);
  row.Panels.push_back(outer);
  int left = 0;
  for (int i = 0; i < 5; ++i) {
    auto* panel = new Panel(form);
    if constexpr (skinned) panel->SkinData()->SetSkinSection(i == 1 ? L"PANEL_LOW" : L"PANEL");
    panel->SetParent(outer);
    panel->SetBounds(left, 0, kPanelWidths[i], kRowHeight);
    panel->SetCaption(i == 1 ? L"0:00:00.000" : L"");
    left += kPanelWidths[i];
    row.Panels.push_back(panel);
  }
  // Ten transport buttons on the third panel, eight zoom buttons on the last, one captioned button
  // on the first.
  for (int i = 0; i < 19; ++i) {
    Panel* parent = i < 10 ? row.Panels[3] : i < 18 ? row.Panels[5] : row.Panels[1];
    auto* button = new Button(form);
    if constexpr (skinned) {
      button->SkinData()->SetSkinSection(i < 18 ? L"TOOLBAR" : L"BUTTON");
      button->AnimatEvents = {};
    }
    button->SetParent(parent);
    if (i < 10)
      button->SetBounds(2 + (i % 9) * 36, 2 + (i / 9) * 36, 36, 36);
    else if (i < 18)
      button->SetBounds(4 + ((i - 10) % 4) * 30, 4 + ((i - 10) / 4) * 30, 30, 30);
    else
      button->SetBounds(8, 40, 120, 26);
    button->SetCaption(i < 18 ? String(1, wchar_t(L'A' + i)) : String(L"Edit Favorites..."));
    row.Buttons.push_back(button);
  }
  return row;
}

// A framework window that only fills itself.
class TFillWindow : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clGray);
    Canvas()->FillRect(ClientRect());
  }
};

// The row as six framework windows that only fill themselves.
TFillWindow* BuildFillRow(TForm* form, int top) {
  auto* row = new TFillWindow(form);
  row->SetParent(form);
  row->SetBounds(0, top, kRowWidth, kRowHeight);
  int left = 0;
  for (int width : kPanelWidths) {
    auto* window = new TFillWindow(form);
    window->SetParent(row);
    window->SetBounds(left, 0, width, kRowHeight);
    left += width;
  }
  return row;
}

LRESULT CALLBACK BareWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefWindowProcW(window, msg, wParam, lParam);
  }
}

// The row as six bare windows (the row and its five panels) on the form's window.
HWND BuildBareRow(HWND form, int top) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = BareWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SkinsPaintBenchmarkBare";
  RegisterClassW(&wc);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  HWND row = CreateWindowExW(0, wc.lpszClassName, L"", style, 0, top, kRowWidth, kRowHeight, form, nullptr,
                             wc.hInstance, nullptr);
  int left = 0;
  for (int width : kPanelWidths) {
    CreateWindowExW(0, wc.lpszClassName, L"", style, left, 0, width, kRowHeight, row, nullptr, wc.hInstance, nullptr);
    left += width;
  }
  return row;
}

void Redraw(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

// Redraws each window in turn, round after round, and prints the median and worst time of each.
void CompareInTurn(const std::vector<std::pair<const char*, HWND>>& rows, int rounds) {
  for (const auto& row : rows) Redraw(row.second);  // warm-up
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<std::vector<double>> times(rows.size());
  for (int round = 0; round < rounds; ++round)
    for (size_t i = 0; i < rows.size(); ++i) {
      // Wine copies a window's painted pixels to the display while messages are read: done here,
      // untimed, the copy of one row is not charged to the next.
      timing::ProcessMessages();
      QueryPerformanceCounter(&start);
      Redraw(rows[i].second);
      QueryPerformanceCounter(&end);
      times[i].push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
  for (size_t i = 0; i < rows.size(); ++i) {
    std::sort(times[i].begin(), times[i].end());
    std::printf("  %-58s median %7.3f ms  worst %7.3f ms\n", rows[i].first, times[i][times[i].size() / 2],
                times[i].back());
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  auto* form = new TForm(nullptr, 0);
  form->SetBounds(0, 0, 1300, 4 * kRowHeight + 70);
  auto* manager = new TsSkinManager(form);
  TsStoredSkin* stored = manager->InternalSkins()->Add();
  stored->SetName(L"Harbour Blue (internal)");
  TResourceStream data(GetModuleHandleW(nullptr), L"INTERNALSKIN", RT_RCDATA);
  stored->LoadData(data.Memory(), data.Size());
  manager->SetSkinName(L"Harbour Blue (internal)");

  auto skinned = BuildRow<TsPanel, TsSpeedButton>(form, 0);
  auto plain = BuildRow<TPanel, TSpeedButton>(form, kRowHeight);
  TFillWindow* fill = BuildFillRow(form, 2 * kRowHeight);
  HWND bare = BuildBareRow(form->Handle(), 3 * kRowHeight);
  form->Show();
  timing::ProcessMessages();

  HWND window = skinned.Panels[0]->Handle();
  const bool quick = timing::Quick(argc, argv);
  const int rounds = quick ? 3 : 100;
  bool within = timing::Run("bottom row from cold caches (6 panels, 19 buttons)", rounds, 8.0, [&] {
    for (TsPanel* panel : skinned.Panels) panel->SkinData()->BGChanged = true;
    for (TsSpeedButton* button : skinned.Buttons) button->SkinData()->BGChanged = true;
    Redraw(window);
  });
  within = timing::Run("bottom row from warm caches", rounds, 2.0, [&] { Redraw(window); }) && within;
  // The same work without the window system: the six panels printed into a bitmap, each with its
  // buttons painted over its face.
  TBitmap target(kRowWidth, kRowHeight, pf24bit);
  HDC print = target.Canvas()->Handle();
  timing::Run("bottom row printed into a bitmap (warm caches)", rounds, 2.0, [&] {
    for (TsPanel* panel : skinned.Panels)
      SendMessageW(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(print), PRF_CLIENT);
  });

  // A gauge: every round changes the shown percentage, so every round repaints.
  auto* gauge = new TsGauge(form);
  gauge->SkinData()->SetSkinSection(L"GAUGE");
  gauge->SetParent(form);
  gauge->SetBounds(10, 4 * kRowHeight + 10, 200, 16);
  gauge->SetShowText(false);
  timing::ProcessMessages();
  int step = 0;
  within = timing::Run("200 x 16 skinned gauge repainted after a Progress change", rounds, 1.0, [&] {
    gauge->SetProgress(++step % 2 ? 30 : 70);
  }) && within;

  TBitmap gaugeTarget(200, 16, pf24bit);
  timing::Run("the same gauge painted into a bitmap", rounds, 1.0, [&] {
    gauge->Perform(WM_PAINT, reinterpret_cast<WPARAM>(gaugeTarget.Canvas()->Handle()), 0);
  });

  // A hint as the main window shows them, composed for its layered window.
  auto* hints = NewObject<TsHintManager>(form);
  hints->SetPredefinitions(shCustom);
  TsHintKind& k = *hints->HintKind();
  k.SetStyle(hsComics);
  k.Radius = 5;
  k.ExOffset = 0;
  k.GradientData = L"16711422;9533282;97;0;0;9533282;9533282;0;0;0";
  k.GradientPercent = 100;
  k.Color = static_cast<TColor>(16757839);
  k.ColorBorderTop = k.ColorBorderBottom = static_cast<TColor>(8355711);
  k.ShadowBlur = 10;
  k.SetShadowEnabled(true);
  k.ShadowOffset = 5;
  k.ShadowTransparency = 40;
  k.MarginH = 16;
  k.MarginV = 5;
  k.MaxWidth = 180;
  k.Font()->SetName(L"Tahoma");
  k.Font()->SetHeight(-11);
  auto* hint = new TsComicsHintWindow(form);
  const String text = L"Plays the selection from the cursor to its end, then stops at the end of the selection";
  const TRect size = hint->CalcHintRect(0, text, nullptr);
  hint->SetCaption(text);
  hint->SetBounds(100, 100, size.Width(), size.Height());
  std::printf("hint of %d x %d pixels\n", static_cast<int>(size.Width()), static_cast<int>(size.Height()));
  within = timing::Run("comics hint with shadow composed into its layered image", rounds, 8.0, [&] {
    TBitmap* image = hint->ComposeLayeredImage();
    image->Free();
  }) && within;
  // A list box whose vertical bar its scroll window object draws from the skin.
  HWND listHost = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 340, 440, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                              10, 10, 300, 400, listHost, nullptr, GetModuleHandleW(nullptr), nullptr);
  for (int i = 0; i < 200; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"A line of the list"));
  auto scroll = MakeSubclass<TacScrollWnd>(true, list, nullptr, manager, String(L"EDIT"));
  timing::ProcessMessages();
  within = timing::Run("WM_NCPAINT of a 300 x 400 list box with a skinned vertical bar", rounds, 2.0, [&] {
    SendMessageW(list, WM_NCPAINT, 1, 0);
  }) && within;
  timing::Run("  of which the skinned bar's own paint", rounds, 2.0, [&] { scroll->PaintScrollBars(nullptr, -1); });
  scroll.reset();
  DestroyWindow(listHost);

  // A skinned form of the main window's size: its whole frame built from the skin and painted, and
  // one caption button's hover change (the button alone repainted from the backdrop).
  auto* framed = new TForm(nullptr, 0);
  framed->SetBounds(0, 0, 1280, 800);
  framed->SetCaption(L"A skinned form of the main window's size");
  auto* provider = NewObject<TsSkinProvider>(framed);
  framed->Show();
  timing::ProcessMessages();
  within = timing::Run("1280 x 800 skinned form's frame built and painted", rounds, 8.0, [&] {
    provider->PaintFrameNow();
  }) && within;
  int hover = 0;
  within = timing::Run("one caption button's hover repaint", rounds, 1.0, [&] {
    provider->SetHot(++hover % 2 ? HTCLOSE : 0, true);
  }) && within;
  framed->Free();

  std::printf("the same redraw, in turn (%d rounds):\n", rounds);
  CompareInTurn({{"skinned row, warm caches", window},
                 {"plain framework panels and speed buttons", plain.Panels[0]->Handle()},
                 {"six framework windows, fill only", fill->Handle()},
                 {"six bare windows, fill only (no framework)", bare}},
                rounds);
  form->Free();
  return quick || within ? 0 : 1;
}
