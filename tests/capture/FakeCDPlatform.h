#pragma once
// A machine for the CD-drive routines: drives with devices that answer INQUIRY, the SCSI address
// and READ TOC (by pass-through or by the CD-ROM request), an ASPI library with adapters and
// devices, and the registry keys the ASPI road reads. Every call is logged as a short text.

#include <map>
#include <string>
#include <vector>

#include "capture/CDAccess.h"

namespace capture_test {

// An INQUIRY response with the texts at their offsets (each cut at its field's length).
std::vector<Byte> InquiryResponse(const std::string& vendor, const std::string& product, const std::string& revision,
                                  const std::string& vendorSpecific = "");

// A READ TOC response: tracks first..first+n-1 at the given frame offsets (absolute, 75 a second),
// each with its control nibble, and the lead-out.
struct TTocTrack {
  int FrameOffset;
  Byte Control = 0;
};
TRawToc RawToc(int firstTrack, const std::vector<TTocTrack>& tracks, int leadOutFrames);

struct TFakeDrive {
  wchar_t Letter = L'D';
  UINT Type = DRIVE_CDROM;
  String Label = L"Audio CD";
  bool Opens = true;
  std::vector<Byte> Inquiry = InquiryResponse("VENDOR", "PRODUCT", "1.00");
  DWORD InquiryError = 0;
  Byte Port = 0, Target = 0, Lun = 0;
  DWORD AddressError = 0;
  TRawToc Toc{};
  DWORD PassThroughTocError = 0;
  DWORD IoctlTocError = 0;
  std::vector<String> Files;
};

struct TFakeAspiDevice {
  Byte HaId = 0, Target = 0, Lun = 0;
  Byte DeviceType = 5;
  std::vector<Byte> Inquiry = InquiryResponse("VENDOR", "PRODUCT", "1.00");
  TRawToc Toc{};
  bool SenseError = false;   // the command completes with sense data
  bool NeverCompletes = false;  // pending, and its event is never signalled
};

class TFakeCDPlatform : public TCDPlatform {
 public:
  TFakeCDPlatform();
  ~TFakeCDPlatform() override;

  TCDSystemVersion SystemVersion{VER_PLATFORM_WIN32_NT, 10, 0};
  std::vector<String> Roots;  // extra roots besides the drives' (a hard disk, say)
  std::vector<TFakeDrive> Drives;
  bool AspiPresent = false;
  std::vector<Byte> AdapterTargets;  // one entry per adapter: the fourth unique byte
  std::vector<TFakeAspiDevice> AspiDevices;
  // Registry: key path -> values (text values; "DeviceType" as bytes).
  std::map<String, std::map<String, String>> RegistryTexts;
  std::map<String, std::vector<Byte>> DeviceTypes;
  std::vector<std::string> Calls;

  TFakeDrive* Drive(wchar_t letter);
  int CountCalls(const std::string& prefix) const;

  bool LoadAspi() override;
  void FreeAspi() override {}
  DWORD GetAspiSupportInfo() override;
  DWORD SendAspiCommand(void* srb) override;
  DWORD WaitForAspi(HANDLE event, DWORD milliseconds) override;
  TCDSystemVersion Version() override { return SystemVersion; }
  std::vector<String> LogicalDriveRoots() override;
  UINT DriveType(const String& root) override;
  bool VolumeLabel(const String& root, String& label) override;
  std::vector<String> FindFiles(const String& pattern) override;
  HANDLE OpenDevice(const String& path, DWORD access, DWORD share) override;
  DWORD DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize) override;
  void CloseDevice(HANDLE device) override;
  std::vector<String> RegistryKeys(const String& path) override;
  bool RegistryBytes(const String& path, const String& name, std::vector<Byte>& data) override;
  bool RegistryText(const String& path, const String& name, String& text) override;

 private:
  TFakeAspiDevice* AspiDevice(Byte ha, Byte target, Byte lun);
  void ExecuteAspi(SRB_ExecSCSICmd& srb);

  TCDPlatform* previous_;
  int openDevices_ = 0;
  SRB_ExecSCSICmd* pending_ = nullptr;
};

// Installs the fake for one test and resets the library state before and after.
struct TFakeMachine {
  TFakeCDPlatform Platform;
  TFakeMachine();
  ~TFakeMachine();
};

}  // namespace capture_test
