#include "app/CommandFacts.h"

#include "platform/audio/editor/AudioEditor.h"
#include "platform/framework/rtl/FileUtils.h"

TCommandFacts ReadCommandFacts(bool DocumentOpen, const String& DocumentPath, bool ClipboardFilled,
                               TAudioEditor2& Editor) {
  TCommandFacts facts;
  if (!DocumentOpen) return facts;
  IAudioEditor2Position* position = Editor.Position();
  const std::int64_t end = position->GetSelectionEnd();
  const std::int64_t start = position->GetSelectionStart();
  facts.Document = true;
  facts.Audio = position->GetLength() > 0;
  facts.Selected = facts.Audio && end - start > 0;
  facts.FileName = !ExtractFileExt(DocumentPath).empty();
  facts.CanUndo = Editor.CanUndo();
  facts.CanRedo = Editor.CanRedo();
  facts.Clipboard = ClipboardFilled;
  return facts;
}
