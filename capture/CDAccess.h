#pragma once
// CD-drive access: finding the CD drives of the machine and reading the table of contents of an
// audio CD, through the ASPI library or through SCSI pass-through requests to the drive's device
// (with the CD-ROM table-of-contents request as the fallback). Every system call goes through the
// replaceable TCDPlatform, so tests run the whole logic on a fake machine.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/framework/base/Types.h"
#include "platform/framework/base/Win32.h"

enum TCDInterface { cdiAutoDetect, cdiASPI, cdiNTSCSI };

struct TCDDrive {
  Byte HaId = 0;
  Byte Target = 0;
  Byte Lun = 0;
  String Vendor;
  String ProductId;
  String ProductRevision;
  String VendorSpecific;
  String DriveDescription;
  wchar_t DriveLetter = 0;
};

constexpr int kMaxCDDrives = 26;

struct TCDDrives {
  Byte CurrentDrive = 0;
  Byte DriveCount = 0;
  std::array<TCDDrive, kMaxCDDrives> Drives;
};

// One position on the disc: absolute address in minutes, seconds and frames (75 a second).
struct TCDTocEntry {
  Byte Minute = 0;
  Byte Second = 0;
  Byte Frame = 0;
  std::int32_t IsAudio = 0;  // 0 or -1
};

constexpr int kMaxCDTracks = 100;

struct TCDToc {
  Byte TrackCount = 0;
  TCDTocEntry LeadOut;
  std::array<TCDTocEntry, kMaxCDTracks> Tracks;
};

// The response of READ TOC (format 0, MSF addresses): length, first and last track, then one 8-byte
// descriptor per track and one for the lead-out.
constexpr int kRawTocBytes = 804;
using TRawToc = std::array<Byte, kRawTocBytes>;

// ---- ASPI records, byte-packed as the library expects them --------------------------------------

constexpr Byte SC_HA_INQUIRY = 0x00;
constexpr Byte SC_GET_DEV_TYPE = 0x01;
constexpr Byte SC_EXEC_SCSI_CMD = 0x02;
constexpr Byte SS_PENDING = 0x00;
constexpr Byte SS_COMP = 0x01;
constexpr Byte SRB_DIR_IN = 0x08;
constexpr Byte SRB_EVENT_NOTIFY = 0x40;
constexpr int kAspiSenseLength = 14;

#pragma pack(push, 1)
struct SRB_HAInquiry {
  Byte SRB_Cmd;
  Byte SRB_Status;
  Byte SRB_HaId;
  Byte SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  Byte HA_Count;
  Byte HA_SCSI_ID;
  Byte HA_ManagerId[16];
  Byte HA_Identifier[16];
  Byte HA_Unique[16];
  Word HA_Rsvd1;
};

struct SRB_GDEVBlock {
  Byte SRB_Cmd;
  Byte SRB_Status;
  Byte SRB_HaId;
  Byte SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  Byte SRB_Target;
  Byte SRB_Lun;
  Byte SRB_DeviceType;
  Byte SRB_Rsvd1;
};

struct SRB_ExecSCSICmd {
  Byte SRB_Cmd;
  Byte SRB_Status;
  Byte SRB_HaId;
  Byte SRB_Flags;
  DWORD SRB_Hdr_Rsvd;
  Byte SRB_Target;
  Byte SRB_Lun;
  Word SRB_Rsvd1;
  DWORD SRB_BufLen;
  Byte* SRB_BufPointer;
  Byte SRB_SenseLen;
  Byte SRB_CDBLen;
  Byte SRB_HaStat;
  Byte SRB_TargStat;
  void* SRB_PostProc;
  Byte SRB_Rsvd2[20];
  Byte CDBByte[16];
  Byte SenseArea[kAspiSenseLength + 2];
};
#pragma pack(pop)

static_assert(sizeof(SRB_HAInquiry) == 60);
static_assert(sizeof(SRB_GDEVBlock) == 12);
static_assert(sizeof(SRB_ExecSCSICmd) == 72 + 2 * sizeof(void*));

// ---- The platform seam ---------------------------------------------------------------------------

struct TCDSystemVersion {
  DWORD PlatformId = VER_PLATFORM_WIN32_NT;
  DWORD Major = 0;
  DWORD Minor = 0;
};

class TCDPlatform {
 public:
  virtual ~TCDPlatform() = default;

  // "wnaspi32.dll": loaded or not; its two entry points.
  virtual bool LoadAspi() = 0;
  virtual void FreeAspi() = 0;
  virtual DWORD GetAspiSupportInfo() = 0;
  virtual DWORD SendAspiCommand(void* srb) = 0;
  // Waits for the event an executed command signals; WAIT_OBJECT_0 or WAIT_TIMEOUT.
  virtual DWORD WaitForAspi(HANDLE event, DWORD milliseconds) = 0;

  virtual TCDSystemVersion Version() = 0;
  // The roots of the logical drives ("D:\").
  virtual std::vector<String> LogicalDriveRoots() = 0;
  virtual UINT DriveType(const String& root) = 0;
  // False when the volume has no readable label.
  virtual bool VolumeLabel(const String& root, String& label) = 0;
  // The names (without folder) of the files matching the pattern, in the order the search returns them.
  virtual std::vector<String> FindFiles(const String& pattern) = 0;

  // The device ("\\.\D:"): INVALID_HANDLE_VALUE when it does not open.
  virtual HANDLE OpenDevice(const String& path, DWORD access, DWORD share) = 0;
  // 0 on success, else the system's error code.
  virtual DWORD DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize) = 0;
  virtual void CloseDevice(HANDLE device) = 0;

  // Below HKEY_LOCAL_MACHINE: subkey names, and values as raw bytes or as text.
  virtual std::vector<String> RegistryKeys(const String& path) = 0;
  virtual bool RegistryBytes(const String& path, const String& name, std::vector<Byte>& data) = 0;
  virtual bool RegistryText(const String& path, const String& name, String& text) = 0;
};

// The platform every routine uses: the system's unless a test installed another.
TCDPlatform& CDPlatform();
// Installs a platform (null restores the system's); returns the previous one installed (null for the system's).
TCDPlatform* SetCDPlatform(TCDPlatform* platform);

// ---- Library state -------------------------------------------------------------------------------

struct TCDAccessState {
  bool AspiLoaded = false;
  bool NTFamily = false;
  // The pass-through access-denied message is shown once per run.
  bool AccessDeniedShown = false;
};
TCDAccessState& CDAccessState();

// ---- Routines ------------------------------------------------------------------------------------

constexpr DWORD kIoctlScsiPassThroughDirect = 0x4D014;
constexpr DWORD kIoctlCdromReadToc = 0x24000;
constexpr DWORD kIoctlScsiGetAddress = 0x41018;
// How long an executed ASPI command may take before it counts as failed.
constexpr DWORD kAspiCommandTimeoutMs = 10000;

bool LoadAspiLibrary();
void FreeAspiLibrary();
int GetWindowsVersionClass();
bool IsCDInterfaceAvailable();
int AspiHostAdapterCount();

void ScanCDDrives(TCDDrives& drives, TCDInterface iface);
// True when no table of contents was read.
bool ReadCDTOC(TCDDrives& drives, int index, TCDToc& toc, TCDInterface iface);
bool AspiInquiry(int index, TCDDrives& drives, TCDInterface iface);
bool SptiInquiry(int index, TCDDrives& drives);
int SptiReadTOC(TCDDrives& drives, int index, TRawToc& buffer);
int IoctlReadTOC(TCDDrives& drives, int index, TRawToc& buffer);
int ListCDDriveLetters(TCDDrives& drives);
void TOCToTrackList(const TRawToc& buffer, TCDToc& toc);
String DriveLetterFromRegistry(const String& text, TCDInterface iface);
bool IsAllZero(const Byte* buffer, int lastIndex);

// True when the drive's root is a CD-ROM drive holding a disc labelled "Audio CD".
bool IsAudioCD(wchar_t driveLetter);
