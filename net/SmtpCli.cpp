#include "net/SmtpCli.h"

#include "net/Base64.h"
#include "net/HeaderEncoding.h"
#include "net/MimeFiles.h"
#include "net/QuotedPrintable.h"
#include "net/TextWrap.h"
#include "platform/framework/rtl/DateUtils.h"
#include "platform/framework/rtl/FileUtils.h"
#include "platform/framework/rtl/SysUtils.h"
#include "platform/framework/rtl/TextEncoding.h"

DEFINE_CLASS(TSmtpCli)

namespace {

constexpr int kWrapColumns = 76;
constexpr std::size_t kSmtpLineLimit = 998;

bool StartsWithNoCase(const AnsiString& text, const char* prefix) {
  const AnsiString start = UpperCase(text.substr(0, std::char_traits<char>::length(prefix)));
  return start == prefix;
}

AnsiString TrimTrailing(AnsiString text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

String ShortName(const String& path) {
  const std::size_t slash = path.find_last_of(L"\\/:");
  return slash == String::npos ? path : path.substr(slash + 1);
}

}  // namespace

TSmtpCli::TSmtpCli(TComponent* AOwner)
    : TCustomSmtpClient(AOwner), emailFiles_(std::make_unique<TStringList>()), parts_(std::make_unique<TStringList>()) {}

TSmtpCli::~TSmtpCli() = default;

void TSmtpCli::SetEmailFiles(const TStrings& Value) {
  auto files = std::make_unique<TStringList>();
  for (int i = 0; i < Value.Count(); ++i) {
    const String name = Trim(Value.Strings(i));
    if (name.empty()) continue;
    if (!FileExists(name)) throw SmtpException(L"File not found '" + name + L"'");
    files->Add(name);
  }
  emailFiles_ = std::move(files);
}

Word TSmtpCli::ShareFlags() const {
  switch (shareMode_) {
    case smtpShareCompat: return fmShareCompat;
    case smtpShareExclusive: return fmShareExclusive;
    case smtpShareDenyRead: return fmShareDenyRead;
    case smtpShareDenyNone: return fmShareDenyNone;
    default: return fmShareDenyWrite;
  }
}

void TSmtpCli::Data() {
  PrepareMessage();
  TCustomSmtpClient::Data();
}

void TSmtpCli::Abort() {
  file_.reset();
  TCustomSmtpClient::Abort();
}

void TSmtpCli::PrepareMessage() {
  text_.clear();
  for (int i = 0; i < MailMessage().Count(); ++i) {
    if (i > 0) text_ += "\r\n";
    text_ += StringToAnsi(MailMessage().Strings(i));
  }
  textPos_ = 1;
  partEncoding_ = DefaultEncoding;
  if ((partEncoding_ == smtpEnc7bit || partEncoding_ == smtpEnc8bit) && !text_.empty() && !Allow8bitChars &&
      HasNonPrintable(text_))
    partEncoding_ = smtpEncQuotedPrintable;
  parts_->Clear();
  userLinesDone_ = false;
  closingQueued_ = false;
  aborted_ = false;
  fileIndex_ = 0;
  file_.reset();
  boundary_.clear();
  if (EmailFiles().Count() == 0) return;
  boundary_ = "= Multipart Boundary " + StringToAnsi(FormatDateTime(L"mmddyyhhnn", Now()));
  parts_->Add(L"This is a multipart MIME message.");
  parts_->Add(L"");
  parts_->Add(L"--" + AnsiToString(boundary_));
  parts_->Add(L"Content-Type: " + ContentTypeText() + L"; charset=\"" + CharSet + L"\"");
  parts_->Add(L"Content-Transfer-Encoding: " + AnsiToString(SmtpEncodingName(partEncoding_)));
  parts_->Add(L"");
}

void TSmtpCli::FireHeaderLine(AnsiString& Line) {
  if (!boundary_.empty()) {
    if (StartsWithNoCase(Line, "CONTENT-TYPE:"))
      Line = "Content-Type: multipart/mixed;\r\n\tboundary=\"" + boundary_ + "\"";
  } else if (StartsWithNoCase(Line, "CONTENT-TYPE: TEXT") && partEncoding_ != smtpEnc7bit) {
    Line += AnsiString("\r\nContent-Transfer-Encoding: ") + SmtpEncodingName(partEncoding_);
  }
  TCustomSmtpClient::FireHeaderLine(Line);
}

AnsiString TSmtpCli::EncodeBodyLine() {
  AnsiString piece;
  switch (partEncoding_) {
    case smtpEncQuotedPrintable:
      return QuotedPrintablePiece(text_, 75, TAnsiCharSet(), textPos_, false, true);
    case smtpEncBase64:
      Base64EncodeUpTo(text_, 76, textPos_, piece);
      return piece;
    default: {
      // Without wrapping a line is still kept within the SMTP line limit: cut at a break character,
      // or hard when it has none.
      const int start = textPos_;
      const int columns = WrapMessageText ? kWrapColumns : static_cast<int>(kSmtpLineLimit);
      piece = NextWrappedPiece(text_, "\r\n", "\t ,-.", columns, TAnsiCharSet(), textPos_);
      if (piece.size() > kSmtpLineLimit) {
        piece.resize(kSmtpLineLimit);
        textPos_ = start + static_cast<int>(kSmtpLineLimit);
      }
      // Indentation is kept: only the end of a line is trimmed.
      return TrimTrailing(piece);
    }
  }
}

void TSmtpCli::FireAttachContentType(int FileNumber, String& FileName, String& ContentType) {
  if (OnAttachContentType) OnAttachContentType(this, FileNumber, FileName, ContentType);
}

void TSmtpCli::FireAttachHeader(int FileNumber, const String& FileName, TStrings& HdrLines) {
  if (OnAttachHeader) OnAttachHeader(this, FileNumber, FileName, HdrLines);
}

void TSmtpCli::AbortMessage() {
  aborted_ = true;
  Abort();
}

std::unique_ptr<TFileStream> TSmtpCli::OpenAttachment(int Index, bool& Aborted) {
  const String name = EmailFiles().Strings(Index);
  TSmtpBeforeOpenFileAction before = smtpBeforeOpenFileNone;
  if (OnBeforeFileOpen) OnBeforeFileOpen(this, Index, name, before);
  if (before == smtpBeforeOpenFileNext) return nullptr;
  if (before == smtpBeforeOpenFileAbort) {
    Aborted = true;
    return nullptr;
  }
  for (;;) {
    std::unique_ptr<TFileStream> stream;
    TSmtpAfterOpenFileAction after = smtpAfterOpenFileNone;
    try {
      stream = OpenFileShared(name, ShareFlags());
    } catch (Exception& E) {
      if (!OnAfterFileOpen) throw;
      OnAfterFileOpen(this, Index, name, &E, after);
      if (after == smtpAfterOpenFileNone) throw;
    }
    if (stream && OnAfterFileOpen) OnAfterFileOpen(this, Index, name, nullptr, after);
    switch (after) {
      case smtpAfterOpenFileNext: return nullptr;
      case smtpAfterOpenFileRetry: continue;
      case smtpAfterOpenFileAbort: Aborted = true; return nullptr;
      default: return stream;
    }
  }
}

void TSmtpCli::QueueAttachmentHeader(int Index) {
  String shortName = ShortName(EmailFiles().Strings(Index));
  String contentType = AnsiToString(ContentTypeOfFile(shortName));
  FireAttachContentType(Index, shortName, contentType);
  AnsiString name = StringToAnsi(shortName);
  if (!Allow8bitChars && HasNonPrintable(name))
    name = HdrEncodeInLine(name, Rfc822Specials, DefaultEncoding == smtpEncBase64 ? 'B' : 'Q', 63, FoldHeaders,
                           StringToAnsi(CharSet));
  else if (name.size() > 64 && FoldHeaders)
    name = FoldText(name, " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 63);
  const String quoted = L"\"" + AnsiToString(name) + L"\"";
  parts_->Add(L"--" + AnsiToString(boundary_));
  parts_->Add(L"Content-Type: " + contentType + L";");
  parts_->Add(L"\tname=" + quoted);
  parts_->Add(L"Content-Transfer-Encoding: base64");
  parts_->Add(L"Content-Disposition: attachment;");
  parts_->Add(L"\tfilename=" + quoted);
  FireAttachHeader(Index, shortName, *parts_);
  parts_->Add(L"");
}

bool TSmtpCli::OpenNextAttachment() {
  while (fileIndex_ < EmailFiles().Count()) {
    bool aborted = false;
    file_ = OpenAttachment(fileIndex_, aborted);
    if (aborted) {
      AbortMessage();
      return false;
    }
    if (file_) {
      QueueAttachmentHeader(fileIndex_);
      return true;
    }
    ++fileIndex_;
  }
  return false;
}

void TSmtpCli::FireGetData(int LineNum, AnsiString& Line, bool& More) {
  More = true;
  for (;;) {
    if (aborted_) break;
    if (parts_->Count() > 0) {
      Line = StringToAnsi(parts_->Strings(0));
      parts_->Delete(0);
      return;
    }
    if (textPos_ <= static_cast<int>(text_.size())) {
      Line = EncodeBodyLine();
      return;
    }
    if (!userLinesDone_) {
      bool userMore = false;
      TCustomSmtpClient::FireGetData(LineNum, Line, userMore);
      if (userMore) return;
      userLinesDone_ = true;
    }
    if (file_) {
      bool moreBytes = false;
      Line = Base64LineFromStream(*file_, moreBytes);
      if (!moreBytes) {
        file_.reset();
        ++fileIndex_;
      }
      return;
    }
    if (OpenNextAttachment()) continue;
    if (aborted_ || boundary_.empty() || closingQueued_) break;
    closingQueued_ = true;
    parts_->Add(L"");
    parts_->Add(L"--" + AnsiToString(boundary_) + L"--");
  }
  More = false;
}
