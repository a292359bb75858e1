#pragma once
// Files and paths: existence, creation and removal, the parts of a path, folder searches, the
// program's command line, and a reader for the lines of a text file.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(RTL);

#include "platform/framework/base/Types.h"

// ---- files and folders ----------------------------------------------------------------------

// True for an existing file (not a folder).
bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
bool CreateDir(const String& directory);
// Creates the folder and every missing parent; false when one cannot be created.
bool ForceDirectories(const String& directory);
bool RemoveDir(const String& directory);
bool DeleteFile(const String& fileName);
// Fails when newName exists.
bool RenameFile(const String& oldName, const String& newName);
String GetCurrentDir();
bool SetCurrentDir(const String& directory);

// ---- path parts -----------------------------------------------------------------------------
// Delimiters are '\' and '/'; a drive's ':' also ends the folder part.

// "C:" or "\\server\share"; empty for a relative path.
String ExtractFileDrive(const String& fileName);
// The folder with its trailing delimiter ("C:\dir\").
String ExtractFilePath(const String& fileName);
// The folder without a trailing delimiter, except at a root ("C:\dir", "C:\").
String ExtractFileDir(const String& fileName);
String ExtractFileName(const String& fileName);
// ".ext" of the name part, or empty.
String ExtractFileExt(const String& fileName);
// Replaces the name's extension (or appends one); extension includes its dot.
String ChangeFileExt(const String& fileName, const String& extension);
String IncludeTrailingPathDelimiter(const String& path);
String ExcludeTrailingPathDelimiter(const String& path);
// The absolute form of the name, relative to the current folder.
String ExpandFileName(const String& fileName);
// File names compared as the file system does: without regard to case.
bool SameFileName(const String& a, const String& b);

// ---- folder search --------------------------------------------------------------------------

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
  String Name;           // the name without the folder
  Int64 Size = 0;
  int Attr = 0;          // fa* flags
  TDateTime TimeStamp = 0;  // last write, local time

  void* FindHandle = nullptr;
  int ExcludeAttr = 0;
};

// FindFirst returns 0 and fills rec with the first match of path (wildcards allowed) whose hidden,
// system and folder attributes are all allowed by attr; otherwise a system error code. FindNext
// moves to the next match the same way. FindClose releases the search; call it after every
// successful FindFirst.
int FindFirst(const String& path, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

// ---- command line ---------------------------------------------------------------------------

// The arguments after the program name.
int ParamCount();
// 0 is the program's full file name; past the last argument, empty.
String ParamStr(int index);

// ---- text files -----------------------------------------------------------------------------

// Reads a text file line by line. The encoding follows a byte-order mark (UTF-8, UTF-16LE/BE);
// without one each line is UTF-8 when valid, else the ANSI code page. Lines end at CR LF, LF or CR.
// A read that fails after the file was opened raises EInOutError with the system's reason.
class TTextFileReader {
 public:
  TTextFileReader() = default;
  ~TTextFileReader();
  TTextFileReader(const TTextFileReader&) = delete;
  TTextFileReader& operator=(const TTextFileReader&) = delete;

  // Opens an existing file; false (and the system error code in LastError) when it cannot.
  bool TryOpen(const String& fileName);
  // As TryOpen, raising EInOutError with the system's reason.
  void Open(const String& fileName);
  bool IsOpen() const { return handle_ != nullptr; }
  unsigned long LastError() const { return lastError_; }

  // True when no character is left.
  bool Eof();
  // The next line without its line break; empty at the end of the file.
  String ReadLn();
  void Close();

 private:
  bool Fill();
  bool Available(std::size_t bytes);
  unsigned Unit(std::size_t at) const;
  String DecodeLine(const AnsiString& bytes) const;

  void* handle_ = nullptr;
  unsigned long lastError_ = 0;
  AnsiString buffer_;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
  int unitSize_ = 1;
  bool bigEndian_ = false;
  bool utf8_ = false;  // a UTF-8 byte-order mark was found
};
