// Times the HTTP client fetching one URL: GetAsync into a stream that counts and discards, pumped
// until OnRequestDone, from the start of the request to its completion. It also counts the Winsock
// receive and pending-count calls, to show where the time goes.
//   http_get_benchmark.exe URL [RUNS]
// One line per run: "run=1 bytes=... seconds=... MBps=... recv=... ioctl=... status=200 error=0".

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "net/HttpCli.h"
#include "platform/framework/rtl/TextEncoding.h"

namespace {

// Takes every byte written and keeps only the count.
class TCountingStream : public TStream {
 public:
  Int64 Read(void*, Int64) override { return 0; }
  Int64 Write(const void*, Int64 count) override {
    position_ += count;
    size_ = std::max(size_, position_);
    return count;
  }
  Int64 Seek(Int64 offset, TSeekOrigin origin) override {
    const Int64 base = origin == soBeginning ? 0 : origin == soEnd ? size_ : position_;
    return position_ = base + offset;
  }
  Int64 Size() override { return size_; }
  void SetSize(Int64 newSize) override { size_ = newSize; }

 private:
  Int64 size_ = 0;
  Int64 position_ = 0;
};

decltype(&::recv) realRecv = nullptr;
decltype(&::ioctlsocket) realIoctl = nullptr;
long long recvCalls = 0;
long long ioctlCalls = 0;

int WINAPI CountingRecv(SOCKET s, char* buffer, int length, int flags) {
  ++recvCalls;
  return realRecv(s, buffer, length, flags);
}

int WINAPI CountingIoctl(SOCKET s, long command, u_long* value) {
  ++ioctlCalls;
  return realIoctl(s, command, value);
}

void CountWinsockCalls() {
  TWinsockBinding& winsock = SuiteWinsock();
  realRecv = reinterpret_cast<decltype(&::recv)>(reinterpret_cast<void (*)()>(winsock.WinsockEntry("recv")));
  realIoctl =
      reinterpret_cast<decltype(&::ioctlsocket)>(reinterpret_cast<void (*)()>(winsock.WinsockEntry("ioctlsocket")));
  winsock.Replacements().recv = &CountingRecv;
  winsock.Replacements().ioctlsocket = &CountingIoctl;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool RunOnce(const String& url, int run) {
  ObjectPtr<THttpCli> http(NewObject<THttpCli>(nullptr));
  TCountingStream sink;
  http->ReceiveStream = &sink;
  http->URL = url;
  bool done = false;
  http->OnRequestDone = [&](TObject*, THttpRequest, Word) {
    done = true;
    PostQuitMessage(0);
  };
  recvCalls = ioctlCalls = 0;
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  http->GetAsync();
  MSG msg;
  while (!done && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  QueryPerformanceCounter(&end);
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  const double seconds = Seconds(start, end);
  const Int64 bytes = sink.Size();
  std::printf("run=%d bytes=%lld seconds=%.4f MBps=%.1f recv=%lld ioctl=%lld status=%d error=%u\n", run,
              static_cast<long long>(bytes), seconds, static_cast<double>(bytes) / 1e6 / seconds, recvCalls,
              ioctlCalls, http->StatusCode(), static_cast<unsigned>(http->RequestDoneError()));
  std::fflush(stdout);
  return http->StatusCode() == 200 && http->RequestDoneError() == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: http_get_benchmark URL [RUNS]\n");
    return 2;
  }
  const String url = AnsiToString(argv[1]);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  CountWinsockCalls();
  bool ok = true;
  for (int run = 1; run <= runs; ++run) ok = RunOnce(url, run) && ok;
  return ok ? 0 : 1;
}
