#include "capture/CDAccess.h"

#include <ntddscsi.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwctype>

#include "platform/framework/rtl/Seams.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/windows/Forms.h"

namespace {

constexpr DWORD kAspiStatusCompleted = 1;
constexpr Byte kCdromDeviceType = 5;
constexpr int kInquiryBytes = 100;
constexpr DWORD kPassThroughSenseLength = 24;

// A pass-through request with the sense area after it.
struct TPassThroughRequest {
  SCSI_PASS_THROUGH_DIRECT Spt;
  ULONG Filler;
  Byte Sense[32];
};

// The device of a drive, closed when it goes out of scope.
class TDevice {
 public:
  explicit TDevice(HANDLE handle) : handle_(handle) {}
  ~TDevice() {
    if (Opened()) CDPlatform().CloseDevice(handle_);
  }
  TDevice(const TDevice&) = delete;
  TDevice& operator=(const TDevice&) = delete;
  bool Opened() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

String DevicePath(wchar_t letter) { return String(L"\\\\.\\") + letter + L":"; }

HANDLE OpenDriveDevice(wchar_t letter, bool forPassThrough) {
  DWORD access = GENERIC_READ;
  if (forPassThrough && GetWindowsVersionClass() > 3) access |= GENERIC_WRITE;
  return CDPlatform().OpenDevice(DevicePath(letter), access, FILE_SHARE_READ);
}

// The text of `count` bytes from `offset`, ending early at a zero byte.
String InquiryText(const Byte* response, int offset, int count) {
  String text;
  for (int i = 0; i < count && response[offset + i] != 0; ++i) text += static_cast<wchar_t>(response[offset + i]);
  return text;
}

void TakeInquiryTexts(const Byte* response, TCDDrive& drive) {
  drive.Vendor = InquiryText(response, 8, 8);
  drive.ProductId = InquiryText(response, 16, 16);
  drive.ProductRevision = InquiryText(response, 32, 4);
  drive.VendorSpecific = InquiryText(response, 36, 20);
  drive.DriveDescription = drive.Vendor + drive.ProductId + drive.ProductRevision;
}

enum class TRoad { Aspi, PassThrough };

// The interface every routine that takes one uses.
TRoad ChooseRoad(TCDInterface iface, const wchar_t* failure) {
  const bool available = IsCDInterfaceAvailable();
  const bool nt = CDAccessState().NTFamily;
  if (AspiHostAdapterCount() >= 1 && (iface == cdiASPI || (iface == cdiAutoDetect && !nt))) return TRoad::Aspi;
  if (available && nt && (iface == cdiNTSCSI || iface == cdiAutoDetect)) return TRoad::PassThrough;
  throw Exception(failure);
}

constexpr const wchar_t* kNoInterface = L"No usable interface available or selected interface not available";

// Sends an executed command and waits for it; false when it could not complete in time.
bool ExecuteAspi(SRB_ExecSCSICmd& srb) {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  srb.SRB_PostProc = event;
  if (event) ResetEvent(event);
  TCDPlatform& platform = CDPlatform();
  platform.SendAspiCommand(&srb);
  bool completed = true;
  if (srb.SRB_Status == SS_PENDING)
    completed = platform.WaitForAspi(event, kAspiCommandTimeoutMs) == WAIT_OBJECT_0;
  if (event) CloseHandle(event);
  return completed;
}

SRB_ExecSCSICmd ExecRecord(const TCDDrive& drive, Byte* buffer, DWORD length) {
  SRB_ExecSCSICmd srb{};
  srb.SRB_Cmd = SC_EXEC_SCSI_CMD;
  srb.SRB_HaId = drive.HaId;
  srb.SRB_Flags = SRB_DIR_IN | SRB_EVENT_NOTIFY;
  srb.SRB_Target = drive.Target;
  srb.SRB_Lun = drive.Lun;
  srb.SRB_BufLen = length;
  srb.SRB_BufPointer = buffer;
  srb.SRB_SenseLen = kAspiSenseLength;
  return srb;
}

// Sends a pass-through request with a command block that reads `length` bytes into `data`;
// 0 or the system's error code.
DWORD PassThrough(HANDLE device, const Byte* cdb, Byte cdbLength, Byte* data, DWORD length, ULONG timeoutSeconds) {
  TPassThroughRequest request{};
  request.Spt.Length = sizeof(SCSI_PASS_THROUGH_DIRECT);
  request.Spt.CdbLength = cdbLength;
  request.Spt.DataIn = SCSI_IOCTL_DATA_IN;
  request.Spt.DataTransferLength = length;
  request.Spt.TimeOutValue = timeoutSeconds;
  request.Spt.DataBuffer = data;
  request.Spt.SenseInfoLength = kPassThroughSenseLength;
  request.Spt.SenseInfoOffset = offsetof(TPassThroughRequest, Sense);
  std::memcpy(request.Spt.Cdb, cdb, cdbLength);
  return CDPlatform().DeviceIoControl(device, kIoctlScsiPassThroughDirect, &request, sizeof request, &request,
                                      sizeof request);
}

constexpr Byte kInquiryCommand[6] = {0x12, 0, 0, 0, kInquiryBytes, 0};
constexpr Byte kReadTocCommand[10] = {0x43, 2, 0, 0, 0, 0, 0, 0x03, 0x24, 0};

void AddAspiDrive(TCDDrives& drives, Byte ha, Byte target, Byte lun, bool& inquiriesOk) {
  const int index = drives.DriveCount;
  TCDDrive& drive = drives.Drives[index];
  drive = TCDDrive{};
  drive.HaId = ha;
  drive.Target = target;
  drive.Lun = lun;
  if (inquiriesOk) inquiriesOk = AspiInquiry(index, drives, cdiASPI);
  const String letter = DriveLetterFromRegistry(drive.Vendor + L";" + drive.ProductId, cdiASPI);
  drive.DriveLetter = letter.empty() ? 0 : static_cast<wchar_t>(std::towupper(letter[0]));
  ++drives.DriveCount;
}

void ScanAspiDrives(TCDDrives& drives) {
  drives.DriveCount = 0;
  bool inquiriesOk = true;
  const int adapters = AspiHostAdapterCount();
  for (int ha = 0; ha < adapters; ++ha) {
    SRB_HAInquiry inquiry{};
    inquiry.SRB_Cmd = SC_HA_INQUIRY;
    inquiry.SRB_HaId = static_cast<Byte>(ha);
    CDPlatform().SendAspiCommand(&inquiry);
    if (inquiry.SRB_Status != SS_COMP) continue;
    const int targets = inquiry.HA_Unique[3] ? inquiry.HA_Unique[3] : 7;
    for (int target = 0; target < targets; ++target) {
      for (int lun = 0; lun <= 64; ++lun) {
        SRB_GDEVBlock device{};
        device.SRB_Cmd = SC_GET_DEV_TYPE;
        device.SRB_HaId = static_cast<Byte>(ha);
        device.SRB_Target = static_cast<Byte>(target);
        device.SRB_Lun = static_cast<Byte>(lun);
        CDPlatform().SendAspiCommand(&device);
        if (device.SRB_Status != SS_COMP || device.SRB_DeviceType != kCdromDeviceType) continue;
        // The table holds 26 drives: the first 26 found are kept.
        if (drives.DriveCount >= kMaxCDDrives) return;
        AddAspiDrive(drives, static_cast<Byte>(ha), static_cast<Byte>(target), static_cast<Byte>(lun), inquiriesOk);
      }
    }
  }
}

void ScanPassThroughDrives(TCDDrives& drives) {
  drives.DriveCount = 0;
  drives.Drives.fill(TCDDrive{});
  const int count = ListCDDriveLetters(drives);
  for (int i = 0; i < count; ++i) {
    SptiInquiry(i, drives);
    AspiInquiry(i, drives, cdiNTSCSI);
  }
}

bool AspiReadToc(TCDDrives& drives, int index, TCDToc& toc) {
  TRawToc buffer{};
  SRB_ExecSCSICmd srb = ExecRecord(drives.Drives[index], buffer.data(), kRawTocBytes);
  srb.SRB_CDBLen = sizeof kReadTocCommand;
  std::memcpy(srb.CDBByte, kReadTocCommand, sizeof kReadTocCommand);
  if (!ExecuteAspi(srb)) {
    TOCToTrackList(TRawToc{}, toc);
    return true;
  }
  TOCToTrackList(buffer, toc);
  return !IsAllZero(srb.SenseArea, 14);
}

bool PassThroughReadToc(TCDDrives& drives, int index, TCDToc& toc) {
  TRawToc buffer{};
  // When neither request reads the table, what a failed request left in the buffer is no table.
  if (SptiReadTOC(drives, index, buffer) == -1 && IoctlReadTOC(drives, index, buffer) == -1) buffer.fill(0);
  TOCToTrackList(buffer, toc);
  return buffer[2] == 0 && buffer[3] == 0;
}

void ReportPassThroughError(DWORD error, TRawToc& buffer) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
      if (!CDAccessState().AccessDeniedShown) {
        CDAccessState().AccessDeniedShown = true;
        Application->MessageBox(
            L"You must have Administor privileges to use SPTI under Win2000/XP; falling back to IOCTL. This may "
            L"cause erroneous results if a Mixed-Mode CD is in the drive.",
            Application->Title(), MB_OK | MB_ICONERROR);
      }
      break;
    case ERROR_IO_DEVICE:
      buffer.fill(0);
      break;
    case ERROR_NO_SYSTEM_RESOURCES:
      break;
    default:
      Application->MessageBox(Format(L"IO Error: %d\n\r", {static_cast<int>(error)}), L"Error", MB_OK);
      break;
  }
}

}  // namespace

TCDAccessState& CDAccessState() {
  static TCDAccessState state;
  return state;
}

bool LoadAspiLibrary() {
  CDAccessState().AspiLoaded = CDPlatform().LoadAspi();
  return CDAccessState().AspiLoaded;
}

void FreeAspiLibrary() {
  if (CDAccessState().AspiLoaded) CDPlatform().FreeAspi();
  CDAccessState().AspiLoaded = false;
}

int GetWindowsVersionClass() {
  const TCDSystemVersion version = CDPlatform().Version();
  if (version.PlatformId == VER_PLATFORM_WIN32_NT) {
    if (version.Major == 3 && version.Minor > 50) return 2;
    if (version.Major == 4) return 3;
    if (version.Major == 5 && version.Minor == 0) return 4;
    return 5;
  }
  if (version.PlatformId == VER_PLATFORM_WIN32_WINDOWS) return version.Minor != 0 ? 1 : 0;
  return -1;
}

bool IsCDInterfaceAvailable() {
  const int versionClass = GetWindowsVersionClass();
  if (versionClass == 0 || versionClass == 1) return AspiHostAdapterCount() != -1;
  if (versionClass >= 2 && versionClass <= 5) {
    CDAccessState().NTFamily = true;
    return true;
  }
  return false;
}

int AspiHostAdapterCount() {
  if (!CDAccessState().AspiLoaded) return -1;
  const DWORD info = CDPlatform().GetAspiSupportInfo();
  if (((info >> 8) & 0xFF) == kAspiStatusCompleted) return static_cast<int>(info & 0xFF);
  return -1;
}

void ScanCDDrives(TCDDrives& drives, TCDInterface iface) {
  if (ChooseRoad(iface, kNoInterface) == TRoad::Aspi)
    ScanAspiDrives(drives);
  else
    ScanPassThroughDrives(drives);
}

bool ReadCDTOC(TCDDrives& drives, int index, TCDToc& toc, TCDInterface iface) {
  if (ChooseRoad(iface, kNoInterface) == TRoad::Aspi) return AspiReadToc(drives, index, toc);
  return PassThroughReadToc(drives, index, toc);
}

bool AspiInquiry(int index, TCDDrives& drives, TCDInterface iface) {
  if (ChooseRoad(iface, L"No usable interface available") == TRoad::PassThrough) {
    ListCDDriveLetters(drives);
    if (!SptiInquiry(index, drives)) {
      for (int i = 0; i < drives.DriveCount; ++i)
        drives.Drives[i].DriveDescription = String(1, drives.Drives[i].DriveLetter) + L":\\";
    }
    return true;
  }
  Byte response[kInquiryBytes] = {};
  TCDDrive& drive = drives.Drives[index];
  SRB_ExecSCSICmd srb = ExecRecord(drive, response, kInquiryBytes);
  srb.SRB_CDBLen = sizeof kInquiryCommand;
  std::memcpy(srb.CDBByte, kInquiryCommand, sizeof kInquiryCommand);
  if (!ExecuteAspi(srb)) return false;
  TakeInquiryTexts(response, drive);
  return IsAllZero(srb.SenseArea, kAspiSenseLength - 1);
}

bool SptiInquiry(int index, TCDDrives& drives) {
  TCDDrive& drive = drives.Drives[index];
  TDevice device(OpenDriveDevice(drive.DriveLetter, true));
  if (!device.Opened()) return false;
  Byte response[kInquiryBytes] = {};
  if (PassThrough(device.Handle(), kInquiryCommand, sizeof kInquiryCommand, response, kInquiryBytes, 2) != 0)
    return false;
  TakeInquiryTexts(response, drive);
  SCSI_ADDRESS address{};
  address.Length = sizeof address;
  if (CDPlatform().DeviceIoControl(device.Handle(), kIoctlScsiGetAddress, nullptr, 0, &address, sizeof address) != 0)
    return false;
  drive.HaId = address.PortNumber;
  drive.Target = address.TargetId;
  drive.Lun = address.Lun;
  return true;
}

int SptiReadTOC(TCDDrives& drives, int index, TRawToc& buffer) {
  TDevice device(OpenDriveDevice(drives.Drives[index].DriveLetter, true));
  if (!device.Opened()) return -1;
  const DWORD error = PassThrough(device.Handle(), kReadTocCommand, sizeof kReadTocCommand, buffer.data(),
                                  kRawTocBytes, 5);
  if (error == 0) return 0;
  ReportPassThroughError(error, buffer);
  return -1;
}

int IoctlReadTOC(TCDDrives& drives, int index, TRawToc& buffer) {
  TDevice device(OpenDriveDevice(drives.Drives[index].DriveLetter, false));
  if (!device.Opened()) return -1;
  return CDPlatform().DeviceIoControl(device.Handle(), kIoctlCdromReadToc, nullptr, 0, buffer.data(), kRawTocBytes)
             ? -1
             : 0;
}

int ListCDDriveLetters(TCDDrives& drives) {
  int count = 0;
  for (const String& root : CDPlatform().LogicalDriveRoots()) {
    if (count >= kMaxCDDrives) break;
    if (root.empty() || CDPlatform().DriveType(root) != DRIVE_CDROM) continue;
    drives.Drives[count++].DriveLetter = root[0];
  }
  drives.DriveCount = static_cast<Byte>(count);
  return count;
}

void TOCToTrackList(const TRawToc& buffer, TCDToc& toc) {
  const int first = buffer[2];
  const int last = buffer[3];
  // The buffer holds 100 descriptors: at most 99 tracks and the lead-out.
  // Track numbers start at 1: a first track 0 is an empty buffer.
  const int count = first == 0 ? 0 : std::clamp(last - first + 1, 0, kMaxCDTracks - 1);
  toc = TCDToc{};
  toc.TrackCount = static_cast<Byte>(count);
  auto entry = [&](int i) {
    const Byte* d = &buffer[4 + 8 * i];
    const int control = d[1] & 0x0D;
    const bool audio = control == 0 || control == 1 || control == 8 || control == 9;
    return TCDTocEntry{d[5], d[6], d[7], audio ? -1 : 0};
  };
  for (int i = 0; i < count; ++i) toc.Tracks[i] = entry(i);
  toc.LeadOut = entry(count);
  toc.LeadOut.IsAudio = 0;
}

String DriveLetterFromRegistry(const String& text, TCDInterface iface) {
  if (ChooseRoad(iface, kNoInterface) == TRoad::PassThrough) return L"";
  TCDPlatform& platform = CDPlatform();
  const String root = L"Enum\\SCSI";
  for (const String& device : platform.RegistryKeys(root)) {
    for (const String& instance : platform.RegistryKeys(root + L"\\" + device)) {
      const String key = root + L"\\" + device + L"\\" + instance;
      std::vector<Byte> type;
      if (!platform.RegistryBytes(key, L"DeviceType", type) || type.empty() || type[0] != kCdromDeviceType) continue;
      String maker, product, letters;
      if (!platform.RegistryText(key, L"Manufacturer", maker) || !platform.RegistryText(key, L"ProductId", product) ||
          !platform.RegistryText(key, L"CurrentDriveLetterAssignment", letters))
        continue;
      maker = Trim(maker);
      product = Trim(product);
      letters = Trim(letters);
      if (!letters.empty() && text.find(maker) != String::npos && text.find(product) != String::npos)
        return letters.substr(0, 1);
    }
  }
  return L"";
}

bool IsAllZero(const Byte* buffer, int lastIndex) {
  for (int i = 0; i <= lastIndex; ++i)
    if (buffer[i] != 0) return false;
  return true;
}

bool IsAudioCD(wchar_t driveLetter) {
  const String root = String(1, driveLetter) + L":\\";
  String label;
  return CDPlatform().DriveType(root) == DRIVE_CDROM && CDPlatform().VolumeLabel(root, label) && label == L"Audio CD";
}
