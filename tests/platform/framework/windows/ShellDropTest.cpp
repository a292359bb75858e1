#include <cstring>
#include <vector>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "platform/framework/windows/ShellDrop.h"
#include "tests/support/WindowTestSupport.h"

using namespace window_testing;

namespace {

// A real drop handle as the shell makes it: DROPFILES followed by wide paths, double-terminated.
HDROP BuildDrop(const std::vector<String>& files, POINT point) {
  std::size_t chars = 1;
  for (const String& file : files) chars += file.size() + 1;
  const std::size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = point;
  header->fNC = FALSE;
  header->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
  for (const String& file : files) {
    std::memcpy(out, file.c_str(), (file.size() + 1) * sizeof(wchar_t));
    out += file.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class TDropForm : public TForm {
 public:
  TDropForm() : TForm(nullptr, 0) {}
  TDroppedFiles Dropped;
  String ArrivedDrives;
  bool ArrivedMedia = false;
  LRESULT QueryAnswer = -1;

 protected:
  void WMDropFiles(TMessage& Message) { Dropped = TakeDroppedFiles(reinterpret_cast<HDROP>(Message.WParam)); }
  void WMDeviceChange(TMessage& Message) {
    if (const DEV_BROADCAST_VOLUME* volume = DeviceChangeVolume(Message)) {
      ArrivedDrives = DriveLettersOfUnitMask(volume->dbcv_unitmask);
      ArrivedMedia = IsMediaVolume(*volume);
    }
    Inherited::Dispatch(Message);
  }

  MESSAGE_MAP_BEGIN
  MESSAGE_HANDLER(WM_DROPFILES, WMDropFiles)
  MESSAGE_HANDLER(WM_DEVICECHANGE, WMDeviceChange)
  MESSAGE_MAP_END
};

class ShellDropTest : public testing::Test {
 protected:
  void SetUp() override {
    form = new TDropForm;
    form->SetBounds(50, 50, 300, 200);
    form->Show();
  }
  void TearDown() override { form->Free(); }
  TDropForm* form = nullptr;
};

TEST_F(ShellDropTest, DroppedLongPathsArriveWholeWithTheDropPoint) {
  DragAcceptFiles(form->Handle(), TRUE);
  const String folder = L"C:\\" + String(150, L'f') + L"\\" + String(120, L'g');
  const std::vector<String> files = {folder + L"\\first take.wav", folder + L"\\second take.mp3"};
  ASSERT_GT(files[0].size(), 260u);
  PostMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(BuildDrop(files, POINT{12, 34})), 0);
  ProcessMessages();
  EXPECT_EQ(form->Dropped.Files, files);
  EXPECT_EQ(form->Dropped.Point.x, 12);
  EXPECT_EQ(form->Dropped.Point.y, 34);
  EXPECT_TRUE(form->Dropped.InClient);
}

TEST_F(ShellDropTest, VolumeArrivalReachesTheFormAndQueriesKeepTheDefaultAnswer) {
  DEV_BROADCAST_VOLUME volume{};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = (1u << ('E' - 'A')) | (1u << ('G' - 'A'));
  volume.dbcv_flags = DBTF_MEDIA;
  SendMessageW(form->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
  EXPECT_EQ(form->ArrivedDrives, L"EG");
  EXPECT_TRUE(form->ArrivedMedia);

  // Another device type carries no volume record.
  DEV_BROADCAST_HDR port{};
  port.dbch_size = sizeof port;
  port.dbch_devicetype = DBT_DEVTYP_PORT;
  form->ArrivedDrives.clear();
  SendMessageW(form->Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&port));
  EXPECT_EQ(form->ArrivedDrives, L"");

  // The system's own answer (TRUE on Windows; Wine's default procedure answers 0).
  const LPARAM query = reinterpret_cast<LPARAM>(&volume);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, query),
            DefWindowProcW(form->Handle(), WM_DEVICECHANGE, DBT_DEVICEQUERYREMOVE, query));
}

}  // namespace
