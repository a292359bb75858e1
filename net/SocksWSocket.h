#pragma once
// A socket that reaches its destination through a SOCKS 4, 4A or 5 proxy when SocksServer is set:
// Connect goes to the proxy, and the proxy exchange runs inside the data handling before the user
// sees OnSessionConnected. Without SocksServer it is the plain socket.

#include "net/CustomWSocket.h"

enum TSocksAuthentication { socksNoAuthentication, socksAuthenticateUsercode };
enum TSocksAuthState { socksAuthStart, socksAuthSuccess, socksAuthFailure, socksAuthNotRequired };

using TSocksConnectedEvent = TEvent<void(TObject* Sender, Word ErrCode)>;
using TSocksAuthStateEvent = TEvent<void(TObject* Sender, TSocksAuthState AuthState)>;
using TSocksErrorEvent = TEvent<void(TObject* Sender, int Error, const String& Msg)>;

// Longest field a SOCKS 5 request can carry (its length is one byte).
constexpr std::size_t kSocks5FieldLimit = 255;

class TCustomSocksWSocket : public TCustomWSocket {
  DECLARE_CLASS(TCustomSocksWSocket, TCustomWSocket)
 public:
  explicit TCustomSocksWSocket(TComponent* AOwner);
  TCustomSocksWSocket(TComponent* AOwner, TWinsockBinding& Winsock);

  const String& SocksServer() const { return socksServer_; }
  virtual void SetSocksServer(const String& Value);
  const String& SocksPort() const { return socksPort_; }
  virtual void SetSocksPort(const String& Value);
  const String& SocksLevel() const { return socksLevel_; }
  void SetSocksLevel(const String& Value);
  String SocksUsercode;
  String SocksPassword;
  TSocksAuthentication SocksAuthentication = socksNoAuthentication;
  String SocksBoundAddr;
  String SocksBoundPort;
  Byte SocksPhase() const { return socksPhase_; }

  TSocksConnectedEvent OnSocksConnected;
  TSocksAuthStateEvent OnSocksAuthState;
  TSocksErrorEvent OnSocksError;

  void Connect() override;
  void Listen() override;
  int PendingByteCount() override;

 protected:
  virtual void FireSocksConnected(Word Error);
  virtual void FireSocksError(int Error, const String& Msg);
  void FireSocksAuthState(TSocksAuthState AuthState);
  void ResetDefaults() override;
  void HandleSessionConnected(Word Error) override;
  void HandleSessionClosed(Word Error) override;
  bool HandleDataAvailable(Word Error) override;
  int ReceiveData(void* Buffer, int Len, int Flags) override;

  // The count of destination bytes that came behind the proxy's final reply.
  int SocksLeftoverCount() const { return leftoverCount_; }

 private:
  void ResetSocksState();
  void SocksFailure(int Code, const String& Msg);
  void SendSocksConnectRequest();
  void SendSocksAuthentication();
  void SendRequest(const AnsiString& Request);
  // Reads behind the gathered reply bytes, up to limit in all; false when nothing could be read.
  bool GatherReply(int Limit);
  bool HandleGreetingReply();
  bool HandleAuthenticationReply();
  bool HandleSocks4Reply();
  bool HandleSocks5Reply();
  bool IsSocks4() const { return socksLevel_ == L"4" || socksLevel_ == L"4A"; }

  static constexpr int kReplyBufferSize = 512;

  Byte socksPhase_ = 0;
  String socksServer_;
  String socksLevel_ = L"5";
  String socksPort_;
  bool socksPortAssigned_ = false;
  bool socksServerAssigned_ = false;
  Byte socksRequestedMethod_ = 0;
  Word destinationPort_ = 0;
  Byte reply_[kReplyBufferSize] = {};
  int replyCount_ = 0;
  int leftoverCount_ = 0;
  int leftoverOffset_ = 0;
};
