#include "platform/audio/processing/AudioInformation2.h"

#include "platform/audio/codecs/Mp3Decoder.h"
#include "platform/audio/codecs/OggVorbis.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/FormatRegistry.h"
#include "platform/audio/core/WavFile.h"
#include "platform/audio/devices/AudioCallLog.h"
#include "platform/audio/processing/GenreMapping.h"
#include "platform/audio/processing/TagRewriting.h"

DEFINE_CLASS(TAudioInformation2)

namespace {

constexpr const wchar_t* kClass = L"TAudioInformation2";

enum class TagFormat { None, Wav, Mp3, Ogg };

TagFormat TagFormatOf(const ByteSource& source) {
  if (LooksLikeWav(source)) return TagFormat::Wav;
  if (LooksLikeOgg(source)) return TagFormat::Ogg;
  if (LooksLikeMp3(source)) return TagFormat::Mp3;
  return TagFormat::None;
}

// "AIFF files" for the refusal message; the file's own name for its format when its extension names one
// whose tags are written (its content says otherwise).
String FormatNameOf(const String& path) {
  const FileType* type = FormatRegistry::Default().ByExtension(path);
  if (!type || type->Code == kFileTypeWav || type->Code == kFileTypeMp3 || type->Code == kFileTypeOgg)
    return L"files of this format";
  return type->Name + L" files";
}

}  // namespace

TAudioInformation2::TAudioInformation2(TComponent* AOwner) : TComponent(AOwner) {}
TAudioInformation2::~TAudioInformation2() = default;

void TAudioInformation2::ReadTagsFrom(const String& Path) {
  AudioCallLog::Add(kClass, L"ReadTagsFrom", Path);
  try {
    std::unique_ptr<AudioDecoder> decoder = FormatRegistry::Default().OpenDecoder(OpenFileSource(Path), Path);
    const AudioFileInfo& info = decoder->Info();
    tags_ = info.Tags;
    tags_.Genre = CanonicalGenre(tags_.Genre);
    length_ = info.Frames;
    sampleRate_ = info.SampleRate;
    channels_ = info.Channels;
  } catch (const Exception& error) {
    throw EAudioError(L"The file \"" + Path + L"\" cannot be read: " + error.Message());
  }
}

void TAudioInformation2::WriteTagsTo(const String& Path) {
  AudioCallLog::Add(kClass, L"WriteTagsTo", Path);
  try {
    std::shared_ptr<ByteSource> source = OpenFileSource(Path);
    const TagFormat format = TagFormatOf(*source);
    if (format == TagFormat::None) throw EAudioError(L"tags cannot be written to " + FormatNameOf(Path) + L".");
    std::unique_ptr<ByteSink> sink = CreateFileSink(Path);
    switch (format) {
      case TagFormat::Wav: RewriteWavTags(*source, *sink, tags_); break;
      case TagFormat::Mp3: RewriteMp3Tags(*source, *sink, tags_, withId3v1_); break;
      case TagFormat::Ogg: RewriteOggTags(*source, *sink, tags_); break;
      case TagFormat::None: break;
    }
    source.reset();  // the copy can replace the file only once nothing holds it open
    sink->Commit();
  } catch (const Exception& error) {
    throw EAudioError(L"The tags of \"" + Path + L"\" cannot be written: " + error.Message());
  }
}

std::int64_t TAudioInformation2::GetLength() const {
  AudioCallLog::Add(kClass, L"GetLength");
  return length_;
}

int TAudioInformation2::GetSampleRate() const {
  AudioCallLog::Add(kClass, L"GetSampleRate");
  return sampleRate_;
}

int TAudioInformation2::GetChannels() const {
  AudioCallLog::Add(kClass, L"GetChannels");
  return channels_;
}

void TAudioInformation2::SetTags(const AudioTags& Tags) {
  AudioCallLog::Add(kClass, L"SetTags");
  tags_ = Tags;
  tags_.Genre = CanonicalGenre(tags_.Genre);
}

void TAudioInformation2::SetOption(int Value) {
  AudioCallLog::Add(kClass, L"SetOption", Value);
  withId3v1_ = Value == -1;
}
