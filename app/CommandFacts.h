#pragma once
// The facts the main window's commands are enabled by, read from the document state and the editor
// control in at most five calls (selection end and start, length, can undo, can redo).

#include "platform/framework/base/Types.h"

class TAudioEditor2;

struct TCommandFacts {
  bool Document = false;   // D: a document is open
  bool Audio = false;      // A: ... and it is not empty
  bool Selected = false;   // S: ... and the selection is not empty
  bool FileName = false;   // F: ... and its path has an extension
  bool CanUndo = false;    // U
  bool CanRedo = false;    // R
  bool Clipboard = false;  // C: ... and a Cut or Copy has run
};

enum class TCommandFact { Document, Audio, Selected, FileName, CanUndo, CanRedo, Clipboard };

TCommandFacts ReadCommandFacts(bool DocumentOpen, const String& DocumentPath, bool ClipboardFilled,
                               TAudioEditor2& Editor);

inline bool FactHolds(const TCommandFacts& Facts, TCommandFact Fact) {
  switch (Fact) {
    case TCommandFact::Document: return Facts.Document;
    case TCommandFact::Audio: return Facts.Audio;
    case TCommandFact::Selected: return Facts.Selected;
    case TCommandFact::FileName: return Facts.FileName;
    case TCommandFact::CanUndo: return Facts.CanUndo;
    case TCommandFact::CanRedo: return Facts.CanRedo;
    case TCommandFact::Clipboard: return Facts.Clipboard;
  }
  return false;
}
