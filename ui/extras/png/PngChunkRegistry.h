#pragma once
// The process-wide table of chunk types the codec decodes, in registration order.

#include <memory>

#include "ui/extras/png/PngChunk.h"

// A new chunk of the registered class for type (compared case-sensitively), or null.
std::unique_ptr<TChunk> CreateRegisteredChunk(const TPngChunkType& type, TPngImageCore* owner);
