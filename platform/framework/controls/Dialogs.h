#pragma once
// Common dialogs: open and save, folder selection, colour and font. Every Execute goes through the
// dialog answerer when one is installed (tests); without one the system's dialog is shown.

#include "platform/framework/base/Layers.h"
FRAMEWORK_LAYER_HEADER(CONTROLS);

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/classes/Component.h"
#include "platform/framework/graphics/Graphics.h"
#include "platform/framework/classes/Strings.h"

// ---- The answerer seam ---------------------------------------------------------------------------

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

enum class TDialogKind { Open, Save, Folder, Color, Font };

// What a dialog was asked to show.
struct TDialogRequest {
  TDialogKind Kind = TDialogKind::Open;
  String Title;
  String Filter;
  int FilterIndex = 1;
  String InitialDir;
  String FileName;
  String DefaultExt;
  TOpenOptions Options;
  // Folder selection: the BIF_ flags as the caller gave them.
  UINT Flags = 0;
  TColor Color = clBlack;
  TFont* Font = nullptr;
};

// The answer: Ok false is a cancel. Files for open/save (full paths), Folder for folder selection,
// Color for the colour dialog; the font dialog's answer is written into Request.Font by the
// answerer itself.
struct TDialogAnswer {
  bool Ok = false;
  std::vector<String> Files;
  int FilterIndex = 0;  // 0 = as requested
  String Folder;
  TColor Color = clBlack;
};

using TDialogAnswerer = std::function<TDialogAnswer(const TDialogRequest& Request)>;
// Installs an answerer (empty = the system's dialogs) and returns the previous one.
TDialogAnswerer SetDialogAnswerer(TDialogAnswerer Answerer);

// ---- Dialogs -------------------------------------------------------------------------------------

class TCommonDialog : public TComponent {
  DECLARE_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // True when the user chose (OK), false on cancel.
  virtual bool Execute() = 0;
  int HelpContext = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  // The window the dialog is modal to: the active one, else the main form's.
  static HWND OwnerWindow();
};

class TOpenDialog : public TCommonDialog {
  DECLARE_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute() override;

  // "text|pattern|text|pattern…"
  String Filter;
  int FilterIndex = 1;
  String DefaultExt;
  String InitialDir;
  String FileName;
  String Title;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
  // The chosen files, full paths (several with ofAllowMultiSelect).
  TStrings* Files() const { return files_.get(); }

 protected:
  virtual bool IsSave() const { return false; }
  TDialogRequest Request() const;
  void TakeAnswer(const TDialogAnswer& Answer);

 private:
  bool RunSystemDialog();
  std::unique_ptr<TStringList> files_;
};

class TSaveDialog : public TOpenDialog {
  DECLARE_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  bool IsSave() const override { return true; }
};

class TColorDialog : public TCommonDialog {
  DECLARE_CLASS(TColorDialog, TCommonDialog)
 public:
  explicit TColorDialog(TComponent* AOwner);
  bool Execute() override;
  TColor Color = clBlack;
  // "ColorA=RRGGBB" … "ColorP=RRGGBB" (hexadecimal, as the system's 0x00BBGGRR).
  TStrings* CustomColors() const { return customColors_.get(); }

 private:
  std::unique_ptr<TStringList> customColors_;
};

class TFontDialog : public TCommonDialog {
  DECLARE_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  bool Execute() override;
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }

 private:
  std::unique_ptr<TFont> font_;
};

// The folder browser: the initial folder is preselected; true with the chosen path in Directory,
// false on cancel. Flags are BIF_ values as the caller gives them.
bool SelectDirectory(const String& Caption, const String& InitialDir, UINT Flags, String& Directory);

// Splits the buffer of a multi-select open dialog ("folder\0name\0name\0\0", or one full path
// "path\0\0") into full paths.
std::vector<String> SplitOpenDialogResult(const wchar_t* Buffer);
