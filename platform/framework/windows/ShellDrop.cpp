#include "platform/framework/windows/ShellDrop.h"

#include <shellapi.h>

TDroppedFiles TakeDroppedFiles(HDROP Drop) {
  TDroppedFiles result;
  if (!Drop) return result;
  const UINT count = DragQueryFileW(Drop, 0xFFFFFFFF, nullptr, 0);
  result.Files.reserve(count);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(Drop, i, nullptr, 0);
    String path(length, L'\0');
    const UINT copied = DragQueryFileW(Drop, i, path.data(), length + 1);
    path.resize(copied);
    result.Files.push_back(std::move(path));
  }
  result.InClient = DragQueryPoint(Drop, &result.Point) != FALSE;
  DragFinish(Drop);
  return result;
}

const DEV_BROADCAST_HDR* DeviceChangeHeader(const TMessage& Message) {
  if (Message.Msg != WM_DEVICECHANGE || Message.LParam == 0) return nullptr;
  switch (Message.WParam) {
    case DBT_DEVICEARRIVAL:
    case DBT_DEVICEQUERYREMOVE:
    case DBT_DEVICEQUERYREMOVEFAILED:
    case DBT_DEVICEREMOVEPENDING:
    case DBT_DEVICEREMOVECOMPLETE:
    case DBT_DEVICETYPESPECIFIC:
    case DBT_CUSTOMEVENT:
      break;
    default:
      return nullptr;
  }
  return reinterpret_cast<const DEV_BROADCAST_HDR*>(Message.LParam);
}

const DEV_BROADCAST_VOLUME* DeviceChangeVolume(const TMessage& Message) {
  if (Message.WParam != DBT_DEVICEARRIVAL && Message.WParam != DBT_DEVICEREMOVECOMPLETE) return nullptr;
  const DEV_BROADCAST_HDR* header = DeviceChangeHeader(Message);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < offsetof(DEV_BROADCAST_VOLUME, dbcv_flags) + sizeof(WORD))
    return nullptr;
  return reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
}

String DriveLettersOfUnitMask(DWORD UnitMask) {
  String letters;
  for (int bit = 0; bit < 26; ++bit) {
    if (UnitMask & (DWORD{1} << bit)) letters += static_cast<wchar_t>(L'A' + bit);
  }
  return letters;
}
