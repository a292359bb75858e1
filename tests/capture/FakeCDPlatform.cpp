#include "tests/capture/FakeCDPlatform.h"

#include <ntddscsi.h>

#include <algorithm>
#include <cstring>

#include "platform/framework/base/Utf8.h"

namespace capture_test {

namespace {

void PutText(std::vector<Byte>& response, int offset, int length, const std::string& text) {
  for (int i = 0; i < length && i < static_cast<int>(text.size()); ++i) response[offset + i] = static_cast<Byte>(text[i]);
}

void PutDescriptor(TRawToc& toc, int index, int track, Byte control, int frames) {
  Byte* d = &toc[4 + 8 * index];
  d[1] = static_cast<Byte>(0x10 | control);  // ADR 1
  d[2] = static_cast<Byte>(track);
  d[5] = static_cast<Byte>(frames / 4500);
  d[6] = static_cast<Byte>(frames / 75 % 60);
  d[7] = static_cast<Byte>(frames % 75);
}

std::string Narrow(const String& text) { return std::string(text.begin(), text.end()); }

HANDLE HandleOf(std::size_t index) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x100 + index)); }

}  // namespace

std::vector<Byte> InquiryResponse(const std::string& vendor, const std::string& product, const std::string& revision,
                                  const std::string& vendorSpecific) {
  std::vector<Byte> response(100, 0);
  response[0] = 5;
  PutText(response, 8, 8, vendor);
  PutText(response, 16, 16, product);
  PutText(response, 32, 4, revision);
  PutText(response, 36, 20, vendorSpecific);
  return response;
}

TRawToc RawToc(int firstTrack, const std::vector<TTocTrack>& tracks, int leadOutFrames) {
  TRawToc toc{};
  const int length = 2 + 8 * (static_cast<int>(tracks.size()) + 1);
  toc[0] = static_cast<Byte>(length >> 8);
  toc[1] = static_cast<Byte>(length);
  toc[2] = static_cast<Byte>(firstTrack);
  toc[3] = static_cast<Byte>(firstTrack + tracks.size() - 1);
  for (std::size_t i = 0; i < tracks.size(); ++i)
    PutDescriptor(toc, static_cast<int>(i), firstTrack + static_cast<int>(i), tracks[i].Control, tracks[i].FrameOffset);
  PutDescriptor(toc, static_cast<int>(tracks.size()), 0xAA, 0, leadOutFrames);
  return toc;
}

TFakeCDPlatform::TFakeCDPlatform() : previous_(SetCDPlatform(this)) {}
TFakeCDPlatform::~TFakeCDPlatform() { SetCDPlatform(previous_); }

TFakeDrive* TFakeCDPlatform::Drive(wchar_t letter) {
  for (TFakeDrive& drive : Drives)
    if (drive.Letter == letter) return &drive;
  return nullptr;
}

int TFakeCDPlatform::CountCalls(const std::string& prefix) const {
  return static_cast<int>(std::count_if(Calls.begin(), Calls.end(), [&](const std::string& call) {
    return call.compare(0, prefix.size(), prefix) == 0;
  }));
}

bool TFakeCDPlatform::LoadAspi() {
  Calls.push_back("load aspi");
  return AspiPresent;
}

DWORD TFakeCDPlatform::GetAspiSupportInfo() {
  return AspiPresent ? (DWORD{SS_COMP} << 8) | static_cast<DWORD>(AdapterTargets.size()) : 0;
}

TFakeAspiDevice* TFakeCDPlatform::AspiDevice(Byte ha, Byte target, Byte lun) {
  for (TFakeAspiDevice& device : AspiDevices)
    if (device.HaId == ha && device.Target == target && device.Lun == lun) return &device;
  return nullptr;
}

DWORD TFakeCDPlatform::SendAspiCommand(void* record) {
  Byte* bytes = static_cast<Byte*>(record);
  switch (bytes[0]) {
    case SC_HA_INQUIRY: {
      auto& srb = *static_cast<SRB_HAInquiry*>(record);
      const bool known = srb.SRB_HaId < AdapterTargets.size();
      srb.SRB_Status = known ? SS_COMP : 0x81;
      if (known) srb.HA_Unique[3] = AdapterTargets[srb.SRB_HaId];
      return srb.SRB_Status;
    }
    case SC_GET_DEV_TYPE: {
      auto& srb = *static_cast<SRB_GDEVBlock*>(record);
      TFakeAspiDevice* device = AspiDevice(srb.SRB_HaId, srb.SRB_Target, srb.SRB_Lun);
      srb.SRB_Status = device ? SS_COMP : 0x82;
      if (device) srb.SRB_DeviceType = device->DeviceType;
      return srb.SRB_Status;
    }
    case SC_EXEC_SCSI_CMD: {
      auto& srb = *static_cast<SRB_ExecSCSICmd*>(record);
      Calls.push_back("aspi exec " + std::to_string(srb.CDBByte[0]) + " flags " + std::to_string(srb.SRB_Flags) +
                      " sense " + std::to_string(srb.SRB_SenseLen));
      srb.SRB_Status = SS_PENDING;
      pending_ = &srb;
      return SS_PENDING;
    }
  }
  return 0;
}

void TFakeCDPlatform::ExecuteAspi(SRB_ExecSCSICmd& srb) {
  TFakeAspiDevice* device = AspiDevice(srb.SRB_HaId, srb.SRB_Target, srb.SRB_Lun);
  srb.SRB_Status = SS_COMP;
  if (!device) return;
  if (srb.CDBByte[0] == 0x12) std::memcpy(srb.SRB_BufPointer, device->Inquiry.data(), std::min<DWORD>(srb.SRB_BufLen, 100));
  if (srb.CDBByte[0] == 0x43) std::memcpy(srb.SRB_BufPointer, device->Toc.data(), std::min<DWORD>(srb.SRB_BufLen, kRawTocBytes));
  if (device->SenseError) srb.SenseArea[2] = 0x02;  // not ready
}

DWORD TFakeCDPlatform::WaitForAspi(HANDLE, DWORD milliseconds) {
  Calls.push_back("aspi wait " + std::to_string(milliseconds));
  SRB_ExecSCSICmd* srb = pending_;
  pending_ = nullptr;
  if (!srb) return WAIT_TIMEOUT;
  TFakeAspiDevice* device = AspiDevice(srb->SRB_HaId, srb->SRB_Target, srb->SRB_Lun);
  if (device && device->NeverCompletes) return WAIT_TIMEOUT;
  ExecuteAspi(*srb);
  return WAIT_OBJECT_0;
}

std::vector<String> TFakeCDPlatform::LogicalDriveRoots() {
  std::vector<String> roots = Roots;
  for (const TFakeDrive& drive : Drives) roots.push_back(String(1, drive.Letter) + L":\\");
  std::sort(roots.begin(), roots.end());
  return roots;
}

UINT TFakeCDPlatform::DriveType(const String& root) {
  const TFakeDrive* drive = root.empty() ? nullptr : Drive(root[0]);
  return drive ? drive->Type : DRIVE_FIXED;
}

bool TFakeCDPlatform::VolumeLabel(const String& root, String& label) {
  const TFakeDrive* drive = root.empty() ? nullptr : Drive(root[0]);
  if (!drive) return false;
  label = drive->Label;
  return true;
}

std::vector<String> TFakeCDPlatform::FindFiles(const String& pattern) {
  Calls.push_back("find " + Narrow(pattern));
  const TFakeDrive* drive = pattern.empty() ? nullptr : Drive(pattern[0]);
  return drive ? drive->Files : std::vector<String>{};
}

HANDLE TFakeCDPlatform::OpenDevice(const String& path, DWORD access, DWORD) {
  Calls.push_back("open " + Narrow(path) + ((access & GENERIC_WRITE) ? " rw" : " r"));
  for (std::size_t i = 0; i < Drives.size(); ++i) {
    if (path == String(L"\\\\.\\") + Drives[i].Letter + L":" && Drives[i].Opens) {
      ++openDevices_;
      return HandleOf(i);
    }
  }
  return INVALID_HANDLE_VALUE;
}

DWORD TFakeCDPlatform::DeviceIoControl(HANDLE device, DWORD code, void* in, DWORD, void* out, DWORD outSize) {
  char name[16];
  std::snprintf(name, sizeof name, "%lX", static_cast<unsigned long>(code));
  std::size_t index = 0;
  while (index < Drives.size() && HandleOf(index) != device) ++index;
  if (index == Drives.size()) return ERROR_INVALID_HANDLE;
  TFakeDrive& drive = Drives[index];
  if (code == kIoctlScsiPassThroughDirect) {
    auto* request = static_cast<SCSI_PASS_THROUGH_DIRECT*>(in);
    Calls.push_back(std::string("ioctl ") + name + " cdb " + std::to_string(request->Cdb[0]) + " timeout " +
                    std::to_string(request->TimeOutValue) + " sense " + std::to_string(request->SenseInfoLength) +
                    "@" + std::to_string(request->SenseInfoOffset));
    Byte* data = static_cast<Byte*>(request->DataBuffer);
    if (request->Cdb[0] == 0x12) {
      if (drive.InquiryError) return drive.InquiryError;
      std::memcpy(data, drive.Inquiry.data(), std::min<std::size_t>(request->DataTransferLength, drive.Inquiry.size()));
      return 0;
    }
    if (request->Cdb[0] == 0x43) {
      if (drive.PassThroughTocError) {
        data[2] = 0x55;  // a half-written buffer
        return drive.PassThroughTocError;
      }
      std::memcpy(data, drive.Toc.data(), std::min<std::size_t>(request->DataTransferLength, kRawTocBytes));
      return 0;
    }
    return ERROR_INVALID_FUNCTION;
  }
  Calls.push_back(std::string("ioctl ") + name);
  if (code == kIoctlScsiGetAddress) {
    if (drive.AddressError) return drive.AddressError;
    auto* address = static_cast<SCSI_ADDRESS*>(out);
    address->PortNumber = drive.Port;
    address->TargetId = drive.Target;
    address->Lun = drive.Lun;
    return 0;
  }
  if (code == kIoctlCdromReadToc) {
    if (drive.IoctlTocError) return drive.IoctlTocError;
    std::memcpy(out, drive.Toc.data(), std::min<std::size_t>(outSize, kRawTocBytes));
    return 0;
  }
  return ERROR_INVALID_FUNCTION;
}

void TFakeCDPlatform::CloseDevice(HANDLE) { --openDevices_; }

std::vector<String> TFakeCDPlatform::RegistryKeys(const String& path) {
  std::vector<String> keys;
  const String prefix = path + L"\\";
  for (const auto& [key, values] : RegistryTexts) {
    if (key.compare(0, prefix.size(), prefix) != 0) continue;
    const String rest = key.substr(prefix.size());
    const String child = rest.substr(0, rest.find(L'\\'));
    if (std::find(keys.begin(), keys.end(), child) == keys.end()) keys.push_back(child);
  }
  return keys;
}

bool TFakeCDPlatform::RegistryBytes(const String& path, const String& name, std::vector<Byte>& data) {
  if (name != L"DeviceType" || !DeviceTypes.count(path)) return false;
  data = DeviceTypes[path];
  return true;
}

bool TFakeCDPlatform::RegistryText(const String& path, const String& name, String& text) {
  auto key = RegistryTexts.find(path);
  if (key == RegistryTexts.end() || !key->second.count(name)) return false;
  text = key->second.at(name);
  return true;
}

TFakeMachine::TFakeMachine() {
  CDAccessState() = TCDAccessState{};
}

TFakeMachine::~TFakeMachine() { CDAccessState() = TCDAccessState{}; }

}  // namespace capture_test
