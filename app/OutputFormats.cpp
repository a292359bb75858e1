#include "app/OutputFormats.h"

#include "app/core/Globals.h"
#include "platform/audio/editor/AudioEditor.h"

// ---- Applying the set-ups ------------------------------------------------------------------------

void ApplyWaveOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars) {
  const TWaveFormatCall call = WaveOutputFormatOf(Vars);
  Editor.FileFormat()->SetWaveFormat(call.Rate, call.Channels, call.Bits);
}

void ApplyMp3OutputFormat(TAudioEditor2& Editor, TAudioEditor2LameEnc& Encoder, const TGlobalVars& Vars) {
  const TMp3FormatCall call = Mp3OutputFormatOf(Vars);
  if (call.ConstantBitRate) {
    Editor.FileFormat()->SetMp3Cbr(call.Rate, call.BitRate, call.Channels);
    return;
  }
  ApplyMp3EncoderCall(Encoder, call);
  Editor.FileFormat()->SetMp3Encoder(Encoder);
}

void ApplyOggOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars) {
  if (const std::optional<TOggFormatCall> call = OggOutputFormatOf(Vars))
    Editor.FileFormat()->SetOggFormat(call->Rate, call->Channels, call->BitRate, 0, 0, call->Quality);
}

void ApplyWmaOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars) {
  if (const std::optional<int> profile = WmaOutputProfileOf(Vars)) Editor.FileFormat()->SetWmaProfile(*profile);
}
