#include <gtest/gtest.h>

#include "capture/CDAccess.h"
#include "platform/framework/base/Exceptions.h"
#include "platform/framework/rtl/Seams.h"
#include "tests/capture/FakeCDPlatform.h"
#include "tests/support/TestSupport.h"

using namespace capture_test;

namespace {

struct TBox {
  String Text, Caption;
};

// Records every message box and answers OK.
struct TBoxRecorder {
  std::vector<TBox> Boxes;
  TMessageBoxAnswerer previous;
  TBoxRecorder() {
    previous = SetMessageBoxAnswerer([this](HWND, const String& text, const String& caption, UINT) {
      Boxes.push_back({text, caption});
      return IDOK;
    });
  }
  ~TBoxRecorder() { SetMessageBoxAnswerer(previous); }
};

TEST(CDAccessTest, VersionClasses) {
  struct Case {
    DWORD Platform, Major, Minor;
    int Class;
  } cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0},  {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1},
      {VER_PLATFORM_WIN32_NT, 3, 51, 2},      {VER_PLATFORM_WIN32_NT, 3, 50, 5},
      {VER_PLATFORM_WIN32_NT, 4, 0, 3},       {VER_PLATFORM_WIN32_NT, 5, 0, 4},
      {VER_PLATFORM_WIN32_NT, 5, 1, 5},       {VER_PLATFORM_WIN32_NT, 10, 0, 5},
      {VER_PLATFORM_WIN32s, 3, 1, -1},
  };
  TFakeMachine machine;
  for (const Case& c : cases) {
    machine.Platform.SystemVersion = {c.Platform, c.Major, c.Minor};
    EXPECT_EQ(GetWindowsVersionClass(), c.Class) << c.Platform << " " << c.Major << "." << c.Minor;
  }
}

TEST(CDAccessTest, TrackListFromTheRawTocWithAudioFlags) {
  const struct {
    Byte Control;
    bool Audio;
  } controls[] = {{0, true}, {1, true}, {4, false}, {8, true}, {9, true}};
  std::vector<TTocTrack> tracks;
  for (int i = 0; i < 5; ++i) tracks.push_back({150 + i * 4500 * 3 + 7, controls[i].Control});
  TCDToc toc;
  TOCToTrackList(RawToc(3, tracks, 80000), toc);
  ASSERT_EQ(toc.TrackCount, 5);  // tracks 3 to 7
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(toc.Tracks[i].IsAudio, controls[i].Audio ? -1 : 0) << "control " << int(controls[i].Control);
    EXPECT_EQ(toc.Tracks[i].Minute, i * 3);
    EXPECT_EQ(toc.Tracks[i].Second, 2);
    EXPECT_EQ(toc.Tracks[i].Frame, 7);
  }
  EXPECT_EQ(toc.LeadOut.Minute, 80000 / 4500);
  EXPECT_EQ(toc.LeadOut.Second, 80000 / 75 % 60);
  EXPECT_EQ(toc.LeadOut.Frame, 80000 % 75);
  EXPECT_EQ(toc.LeadOut.IsAudio, 0);
}

TEST(CDAccessTest, AnEmptyOrReversedTocHasNoTracks) {
  TCDToc toc;
  TRawToc raw{};
  TOCToTrackList(raw, toc);
  EXPECT_EQ(toc.TrackCount, 0);
  raw[2] = 5;
  raw[3] = 2;
  TOCToTrackList(raw, toc);
  EXPECT_EQ(toc.TrackCount, 0);
  raw[2] = 1;
  raw[3] = 255;  // more than the buffer holds: the lead-out stays inside it
  TOCToTrackList(raw, toc);
  EXPECT_EQ(toc.TrackCount, 99);
}

TEST(CDAccessTest, PassThroughScanReadsTextsEndingAtAZeroByteAndTheAddress) {
  TFakeMachine machine;
  machine.Platform.Roots = {L"C:\\"};
  TFakeDrive e;
  e.Letter = L'E';
  e.Inquiry = InquiryResponse("ACME", "CD-ROM", "1.0", "special");
  e.Inquiry[16 + 3] = 0;  // "CD-" then a zero byte inside the field
  e.Port = 2;
  e.Target = 1;
  e.Lun = 3;
  TFakeDrive d;
  d.Letter = L'D';
  d.Inquiry = InquiryResponse("ABCDEFGHIJ", "0123456789abcdefXYZ", "REV1Z");
  machine.Platform.Drives = {e, d};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  ASSERT_EQ(drives.DriveCount, 2);
  EXPECT_EQ(drives.Drives[0].DriveLetter, L'D');
  EXPECT_EQ(drives.Drives[0].Vendor, L"ABCDEFGH");
  EXPECT_EQ(drives.Drives[0].ProductId, L"0123456789abcdef");
  EXPECT_EQ(drives.Drives[0].ProductRevision, L"REV1");
  EXPECT_EQ(drives.Drives[0].DriveDescription, L"ABCDEFGH0123456789abcdefREV1");
  EXPECT_EQ(drives.Drives[1].DriveLetter, L'E');
  EXPECT_EQ(drives.Drives[1].Vendor, L"ACME");
  EXPECT_EQ(drives.Drives[1].ProductId, L"CD-");
  EXPECT_EQ(drives.Drives[1].VendorSpecific, L"special");
  EXPECT_EQ(drives.Drives[1].HaId, 2);
  EXPECT_EQ(drives.Drives[1].Target, 1);
  EXPECT_EQ(drives.Drives[1].Lun, 3);
  // Class 5: read and write access, the INQUIRY with its 2-second limit and sense area after the request.
  EXPECT_GE(machine.Platform.CountCalls("open \\\\.\\D: rw"), 1);
  EXPECT_GE(machine.Platform.CountCalls("ioctl 4D014 cdb 18 timeout 2 sense 24@"), 1);
}

TEST(CDAccessTest, AFailedPassThroughInquiryDescribesEveryDriveByItsRoot) {
  TFakeMachine machine;
  TFakeDrive d;
  d.AddressError = ERROR_INVALID_FUNCTION;
  TFakeDrive f;
  f.Letter = L'F';
  machine.Platform.Drives = {d, f};
  TCDDrives drives;
  ScanCDDrives(drives, cdiNTSCSI);
  ASSERT_EQ(drives.DriveCount, 2);
  EXPECT_EQ(drives.Drives[0].DriveDescription, L"D:\\");
  EXPECT_EQ(drives.Drives[1].DriveDescription, L"VENDORPRODUCT1.00");
}

TEST(CDAccessTest, PassThroughTocFirstTrackNotOne) {
  TFakeMachine machine;
  TFakeDrive d;
  d.Toc = RawToc(2, {{150}, {20000}}, 40000);
  machine.Platform.Drives = {d};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  TCDToc toc;
  EXPECT_FALSE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
  EXPECT_EQ(toc.TrackCount, 2);
  EXPECT_EQ(machine.Platform.CountCalls("ioctl 4D014 cdb 67 timeout 5"), 1);
  EXPECT_EQ(machine.Platform.CountCalls("ioctl 24000"), 0);
}

TEST(CDAccessTest, PassThroughErrorsAndTheIoctlFallback) {
  const TRawToc good = RawToc(1, {{150}, {30000}, {60000}}, 90000);
  struct Case {
    DWORD Error;
    std::vector<std::wstring> Boxes;  // text then caption
  } cases[] = {
      {ERROR_IO_DEVICE, {}},
      {ERROR_NO_SYSTEM_RESOURCES, {}},
      {ERROR_GEN_FAILURE, {L"IO Error: 31\n\r", L"Error"}},
  };
  for (const Case& c : cases) {
    TFakeMachine machine;
    TBoxRecorder boxes;
    TFakeDrive d;
    d.Toc = good;
    d.PassThroughTocError = c.Error;
    machine.Platform.Drives = {d};
    TCDDrives drives;
    ScanCDDrives(drives, cdiAutoDetect);
    TCDToc toc;
    EXPECT_FALSE(ReadCDTOC(drives, 0, toc, cdiAutoDetect)) << c.Error;
    EXPECT_EQ(toc.TrackCount, 3) << c.Error;
    EXPECT_EQ(machine.Platform.CountCalls("ioctl 24000"), 1) << c.Error;
    ASSERT_EQ(boxes.Boxes.size() * 2, c.Boxes.size()) << c.Error;
    if (!c.Boxes.empty()) {
      EXPECT_EQ(boxes.Boxes[0].Text, c.Boxes[0]);
      EXPECT_EQ(boxes.Boxes[0].Caption, c.Boxes[1]);
    }
  }
}

TEST(CDAccessTest, AccessDeniedIsShownOncePerRunAndTheTocStillRead) {
  TFakeMachine machine;
  TBoxRecorder boxes;
  TFakeDrive d;
  d.Toc = RawToc(1, {{150}}, 9000);
  d.PassThroughTocError = ERROR_ACCESS_DENIED;
  machine.Platform.Drives = {d};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  TCDToc toc;
  EXPECT_FALSE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
  EXPECT_FALSE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
  EXPECT_EQ(toc.TrackCount, 1);
  EXPECT_EQ(machine.Platform.CountCalls("ioctl 24000"), 2);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text,
            L"You must have Administor privileges to use SPTI under Win2000/XP; falling back to IOCTL. This may cause "
            L"erroneous results if a Mixed-Mode CD is in the drive.");
}

TEST(CDAccessTest, NoTocWhenNeitherRequestReadsOne) {
  TFakeMachine machine;
  TFakeDrive d;
  d.PassThroughTocError = ERROR_NO_SYSTEM_RESOURCES;
  d.IoctlTocError = ERROR_NOT_READY;
  machine.Platform.Drives = {d};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  TCDToc toc;
  EXPECT_TRUE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
}

TEST(CDAccessTest, NoInterfaceRaises) {
  TFakeMachine machine;
  machine.Platform.SystemVersion = {VER_PLATFORM_WIN32_WINDOWS, 4, 10};
  TCDDrives drives;
  EXPECT_EQ(testing_support::MessageOf<Exception>([&] { ScanCDDrives(drives, cdiAutoDetect); }),
            L"No usable interface available or selected interface not available");
  EXPECT_EQ(testing_support::MessageOf<Exception>([&] { AspiInquiry(0, drives, cdiAutoDetect); }),
            L"No usable interface available");
  machine.Platform.SystemVersion = {VER_PLATFORM_WIN32_NT, 10, 0};
  EXPECT_THROW(ScanCDDrives(drives, cdiASPI), Exception);  // no ASPI library
}

// An ASPI machine: two adapters, the first with the default 7 targets, the second with 2.
struct AspiMachine : TFakeMachine {
  AspiMachine() {
    Platform.SystemVersion = {VER_PLATFORM_WIN32_WINDOWS, 4, 10};
    Platform.AspiPresent = true;
    Platform.AdapterTargets = {0, 2};
    LoadAspiLibrary();
  }
  void AddRegistryDrive(const String& key, const String& maker, const String& product, const String& letter) {
    const String path = L"Enum\\SCSI\\" + key;
    Platform.RegistryTexts[path] = {{L"Manufacturer", maker + L"  "}, {L"ProductId", product}, {L"CurrentDriveLetterAssignment", letter}};
    Platform.DeviceTypes[path] = {5};
  }
};

TEST(CDAccessTest, AspiScanFindsCdromsAndTheirRegistryLetters) {
  AspiMachine machine;
  TFakeAspiDevice disk;
  disk.DeviceType = 0;
  TFakeAspiDevice first;
  first.Target = 3;
  first.Lun = 1;
  first.Inquiry = InquiryResponse("ACME", "SPINNER", "2.1");
  TFakeAspiDevice second;
  second.HaId = 1;
  second.Target = 1;
  second.Inquiry = InquiryResponse("OTHER", "READER", "9");
  TFakeAspiDevice beyondTargets;  // the second adapter has two targets
  beyondTargets.HaId = 1;
  beyondTargets.Target = 2;
  machine.Platform.AspiDevices = {disk, first, second, beyondTargets};
  machine.AddRegistryDrive(L"ACME_SPINNER\\1", L"ACME", L"SPINNER", L"f");
  machine.AddRegistryDrive(L"OTHER_READER\\1", L"OTHER", L"READER", L"G");
  machine.AddRegistryDrive(L"OTHER_READER\\2", L"NOBODY", L"READER", L"H");

  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  ASSERT_EQ(drives.DriveCount, 2);
  EXPECT_EQ(drives.Drives[0].HaId, 0);
  EXPECT_EQ(drives.Drives[0].Target, 3);
  EXPECT_EQ(drives.Drives[0].Lun, 1);
  EXPECT_EQ(drives.Drives[0].Vendor, L"ACME");
  EXPECT_EQ(drives.Drives[0].DriveLetter, L'F');
  EXPECT_EQ(drives.Drives[1].HaId, 1);
  EXPECT_EQ(drives.Drives[1].DriveLetter, L'G');
  EXPECT_EQ(machine.Platform.CountCalls("aspi exec 18 flags 72 sense 14"), 2);
}

TEST(CDAccessTest, AspiScanStopsInquiringAfterAFailureAndKeeps26Drives) {
  AspiMachine machine;
  machine.Platform.AdapterTargets = {7, 7, 7, 7, 7};
  for (Byte ha = 0; ha < 5; ++ha)
    for (Byte target = 0; target < 7; ++target) {
      TFakeAspiDevice device;
      device.HaId = ha;
      device.Target = target;
      device.SenseError = ha == 0 && target == 1;
      machine.Platform.AspiDevices.push_back(device);
    }
  TCDDrives drives;
  ScanCDDrives(drives, cdiASPI);
  ASSERT_EQ(drives.DriveCount, 26);
  EXPECT_EQ(drives.Drives[25].HaId, 3);
  EXPECT_EQ(drives.Drives[25].Target, 4);
  EXPECT_EQ(drives.Drives[1].Vendor, L"VENDOR");  // the failing inquiry still read its texts
  EXPECT_EQ(drives.Drives[2].Vendor, L"");
  EXPECT_EQ(machine.Platform.CountCalls("aspi exec 18"), 2);
}

TEST(CDAccessTest, AspiTocCountsTracksFromFirstToLast) {
  AspiMachine machine;
  TFakeAspiDevice device;
  device.Toc = RawToc(2, {{150}, {20000}, {40000}}, 60000);
  machine.Platform.AspiDevices = {device};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  TCDToc toc;
  EXPECT_FALSE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
  EXPECT_EQ(toc.TrackCount, 3);
  EXPECT_EQ(toc.LeadOut.Minute, 60000 / 4500);
  EXPECT_EQ(machine.Platform.CountCalls("aspi exec 67 flags 72 sense 14"), 1);
}

TEST(CDAccessTest, AspiCommandThatNeverCompletesFailsAfterTenSeconds) {
  AspiMachine machine;
  TFakeAspiDevice device;
  device.Toc = RawToc(1, {{150}}, 6000);
  machine.Platform.AspiDevices = {device};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  machine.Platform.AspiDevices[0].NeverCompletes = true;
  TCDToc toc;
  EXPECT_TRUE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
  EXPECT_EQ(toc.TrackCount, 0);
  EXPECT_EQ(machine.Platform.Calls.back(), "aspi wait 10000");
}

TEST(CDAccessTest, AspiSenseDataMeansNoToc) {
  AspiMachine machine;
  TFakeAspiDevice device;
  device.Toc = RawToc(1, {{150}}, 6000);
  device.SenseError = true;
  machine.Platform.AspiDevices = {device};
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  TCDToc toc;
  EXPECT_TRUE(ReadCDTOC(drives, 0, toc, cdiAutoDetect));
}

TEST(CDAccessTest, RegistryLetterIsEmptyOnThePassThroughRoad) {
  TFakeMachine machine;
  machine.Platform.RegistryTexts[L"Enum\\SCSI\\A\\1"] = {
      {L"Manufacturer", L"ACME"}, {L"ProductId", L"X"}, {L"CurrentDriveLetterAssignment", L"K"}};
  machine.Platform.DeviceTypes[L"Enum\\SCSI\\A\\1"] = {5};
  EXPECT_EQ(DriveLetterFromRegistry(L"ACME;X", cdiAutoDetect), L"");
}

TEST(CDAccessTest, IsAllZeroUpToTheLastIndex) {
  const Byte bytes[] = {0, 0, 0, 1};
  EXPECT_TRUE(IsAllZero(bytes, 2));
  EXPECT_FALSE(IsAllZero(bytes, 3));
}

TEST(CDAccessTest, TheSystemWithoutACdDriveHasNone) {
  CDAccessState() = TCDAccessState{};
  EXPECT_EQ(GetWindowsVersionClass(), 5);
  TCDDrives drives;
  ScanCDDrives(drives, cdiAutoDetect);
  EXPECT_EQ(drives.DriveCount, 0);
  CDAccessState() = TCDAccessState{};
}

}  // namespace
