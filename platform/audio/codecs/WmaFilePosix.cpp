#include "platform/audio/codecs/WmaFile.h"
#include "platform/audio/core/AudioError.h"

// Media Foundation exists only on Windows.

std::unique_ptr<AudioDecoder> OpenWmaDecoder(std::shared_ptr<ByteSource>) { throw EAudioError(kWmaDecoderMissing); }

std::unique_ptr<AudioEncoder> CreateWmaEncoder(std::unique_ptr<ByteSink>, const EncoderSettings&, int profile) {
  if (!FindWmaProfile(profile)) throw EAudioError(L"Unknown WMA profile " + std::to_wstring(profile) + L".");
  throw EAudioError(kWmaEncoderMissing);
}
