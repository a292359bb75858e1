#include "platform/audio/codecs/CdaTrack.h"

// Natively the system's CD drives are not reached; tests provide their own.
std::vector<std::unique_ptr<CdAudioDrive>> SystemCdDrives() { return {}; }
