#include "net/WinsockErrors.h"

#include <iterator>

#include "platform/framework/rtl/SysUtils.h"

namespace {

struct TErrorText {
  int Code;
  const wchar_t* Text;
};

constexpr TErrorText kErrorTexts[] = {
    {0, L"No Error"},
    {10004, L"Interrupted system call"},
    {10009, L"Bad file number"},
    {10013, L"Permission denied"},
    {10014, L"Bad address"},
    {10022, L"Invalid argument"},
    {10024, L"Too many open files"},
    {10035, L"Operation would block"},
    {10036, L"Operation now in progress"},
    {10037, L"Operation already in progress"},
    {10038, L"Socket operation on non-socket"},
    {10039, L"Destination address required"},
    {10040, L"Message too long"},
    {10041, L"Protocol wrong type for socket"},
    {10042, L"Protocol not available"},
    {10043, L"Protocol not supported"},
    {10044, L"Socket type not supported"},
    {10045, L"Operation not supported on socket"},
    {10046, L"Protocol family not supported"},
    {10047, L"Address family not supported by protocol family"},
    {10048, L"Address already in use"},
    {10049, L"Address not available"},
    {10050, L"Network is down"},
    {10051, L"Network is unreachable"},
    {10052, L"Network dropped connection on reset"},
    {10053, L"Connection aborted"},
    {10054, L"Connection reset by peer"},
    {10055, L"No buffer space available"},
    {10056, L"Socket is already connected"},
    {10057, L"Socket is not connected"},
    {10058, L"Can't send after socket shutdown"},
    {10059, L"Too many references: can't splice"},
    {10060, L"Connection timed out"},
    {10061, L"Connection refused"},
    {10062, L"Too many levels of symbolic links"},
    {10063, L"File name too long"},
    {10064, L"Host is down"},
    {10065, L"No route to host"},
    {10066, L"Directory not empty"},
    {10067, L"Too many processes"},
    {10068, L"Too many users"},
    {10069, L"Disc quota exceeded"},
    {10070, L"Stale NFS file handle"},
    {10071, L"Too many levels of remote in path"},
    {10091, L"Network sub-system is unusable"},
    {10092, L"WinSock DLL cannot support this application"},
    {10093, L"WinSock not initialized"},
    {11001, L"Host not found"},
    {11002, L"Non-authoritative host not found"},
    {11003, L"Non-recoverable error"},
    {11004, L"No Data"},
};

}  // namespace

String WinsockErrorText(int code) {
  for (const TErrorText& entry : kErrorTexts)
    if (entry.Code == code) return entry.Text;
  return L"Not a WinSock error";
}

String WinsockErrorTextWithCode(int code) {
  return WinsockErrorText(code) + L" (#" + IntToStr(code) + L")";
}
