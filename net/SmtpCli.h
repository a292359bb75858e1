#pragma once
// TSmtpCli: the SMTP client with a message body from MailMessage and MIME attachments from files.
// With attachments the message is multipart/mixed: the text part, then one Base64 part per file.

#include "net/SmtpClient.h"

enum TSmtpBeforeOpenFileAction { smtpBeforeOpenFileNone, smtpBeforeOpenFileNext, smtpBeforeOpenFileAbort };
enum TSmtpAfterOpenFileAction {
  smtpAfterOpenFileNone, smtpAfterOpenFileNext, smtpAfterOpenFileRetry, smtpAfterOpenFileAbort
};

using TSmtpAttachmentContentType = TEvent<void(TObject* Sender, int FileNumber, String& FileName, String& ContentType)>;
using TSmtpAttachHeader = TEvent<void(TObject* Sender, int FileNumber, const String& FileName, TStrings& HdrLines)>;
using TSmtpBeforeFileOpenEvent =
    TEvent<void(TObject* Sender, int Idx, const String& FileName, TSmtpBeforeOpenFileAction& Action)>;
// E is the exception opening raised, or null.
using TSmtpAfterFileOpenEvent =
    TEvent<void(TObject* Sender, int Idx, const String& FileName, Exception* E, TSmtpAfterOpenFileAction& Action)>;

class TSmtpCli : public TCustomSmtpClient {
  DECLARE_CLASS(TSmtpCli, TCustomSmtpClient)
 public:
  explicit TSmtpCli(TComponent* AOwner);
  ~TSmtpCli() override;

  TStrings& EmailFiles() { return *emailFiles_; }
  // Copies the trimmed non-empty names; a file that does not exist raises.
  void SetEmailFiles(const TStrings& Value);
  TSmtpShareMode ShareMode() const { return shareMode_; }
  void SetShareMode(TSmtpShareMode Value) { shareMode_ = Value; }

  TSmtpAttachmentContentType OnAttachContentType;
  TSmtpAttachHeader OnAttachHeader;
  TSmtpBeforeFileOpenEvent OnBeforeFileOpen;
  TSmtpAfterFileOpenEvent OnAfterFileOpen;

  void Data() override;
  void Abort() override;

 protected:
  virtual void FireAttachContentType(int FileNumber, String& FileName, String& ContentType);
  virtual void FireAttachHeader(int FileNumber, const String& FileName, TStrings& HdrLines);
  virtual void PrepareMessage();
  // The next line of the text in the part's encoding.
  virtual AnsiString EncodeBodyLine();
  void FireGetData(int LineNum, AnsiString& Line, bool& More) override;
  void FireHeaderLine(AnsiString& Line) override;

 private:
  Word ShareFlags() const;
  // Opens the next attachment that is not skipped and queues its part header; false when none is
  // left or the message was aborted.
  bool OpenNextAttachment();
  // Opens one file, asking the open events; null when it is skipped.
  std::unique_ptr<TFileStream> OpenAttachment(int Index, bool& Aborted);
  void QueueAttachmentHeader(int Index);
  void AbortMessage();

  std::unique_ptr<TStringList> emailFiles_, parts_;
  TSmtpShareMode shareMode_ = smtpShareDenyWrite;
  TSmtpDefaultEncoding partEncoding_ = smtpEnc7bit;
  AnsiString text_;
  int textPos_ = 1;
  AnsiString boundary_;
  bool userLinesDone_ = false;
  bool closingQueued_ = false;
  bool aborted_ = false;
  int fileIndex_ = 0;
  std::unique_ptr<TFileStream> file_;
};
