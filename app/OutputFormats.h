#pragma once
// Applies the shared output set-ups (app/core/OutputFormats.h) to the editor control.

#include "app/core/OutputFormats.h"

class TAudioEditor2;
class TAudioEditor2LameEnc;

// ---- Applying them to the editor -----------------------------------------------------------------

void ApplyWaveOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars);
void ApplyMp3OutputFormat(TAudioEditor2& Editor, TAudioEditor2LameEnc& Encoder, const TGlobalVars& Vars);
void ApplyOggOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars);
void ApplyWmaOutputFormat(TAudioEditor2& Editor, const TGlobalVars& Vars);
