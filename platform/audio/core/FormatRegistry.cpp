#include "platform/audio/core/FormatRegistry.h"

#include <algorithm>
#include <cwctype>

#include "platform/audio/core/AiffFile.h"
#include "platform/audio/core/AudioError.h"
#include "platform/audio/core/WavFile.h"

namespace {

[[noreturn]] void NotAvailable(const String& name) { throw EAudioError(name + L": format not available."); }

FormatRegistry MakeDefault() {
  FormatRegistry registry;
  registry.Register({kFileTypeWav, L"WAV", {L".wav"}, LooksLikeWav, OpenWavDecoder, CreateWavEncoder});
  registry.Register({kFileTypeAiff, L"AIFF", {L".aif", L".aiff", L".aifc"}, LooksLikeAiff, OpenAiffDecoder,
                     CreateAiffEncoder});
  registry.Register({kFileTypeMp3, L"MP3", {L".mp3", L".mp2", L".mpga"}, nullptr, nullptr, nullptr});
  registry.Register({kFileTypeOgg, L"OGG", {L".ogg"}, nullptr, nullptr, nullptr});
  registry.Register({kFileTypeWma, L"WMA", {L".wma"}, nullptr, nullptr, nullptr});
  registry.Register({0, L"MPC", {L".mpc"}, nullptr, nullptr, nullptr});
  registry.Register({0, L"CD audio", {L".cda"}, nullptr, nullptr, nullptr});
  registry.Register({0, L"Raw audio", {L".vox", L".raw", L".g721", L".g723", L".g726"}, nullptr, nullptr, nullptr});
  return registry;
}

}  // namespace

String ExtensionOf(const String& path) {
  const std::size_t dot = path.find_last_of(L'.');
  if (dot == String::npos || path.find_first_of(L"\\/:", dot) != String::npos) return L"";
  String ext = path.substr(dot);
  for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext;
}

FormatRegistry& FormatRegistry::Default() {
  static FormatRegistry registry = MakeDefault();
  return registry;
}

void FormatRegistry::Register(FileType type) {
  for (FileType& existing : types_) {
    if (existing.Name == type.Name) {
      existing = std::move(type);
      return;
    }
  }
  types_.push_back(std::move(type));
}

const FileType* FormatRegistry::ByCode(int code) const {
  for (const FileType& t : types_)
    if (t.Code == code && code != 0) return &t;
  return nullptr;
}

const FileType* FormatRegistry::ByExtension(const String& path) const {
  const String ext = ExtensionOf(path);
  for (const FileType& t : types_)
    if (std::find(t.Extensions.begin(), t.Extensions.end(), ext) != t.Extensions.end()) return &t;
  return nullptr;
}

std::unique_ptr<AudioDecoder> FormatRegistry::OpenDecoder(std::shared_ptr<ByteSource> source, const String& path) const {
  for (const FileType& t : types_)
    if (t.Sniff && t.OpenDecoder && t.Sniff(*source)) return t.OpenDecoder(std::move(source));
  const FileType* type = ByExtension(path);
  if (!type) throw EAudioError(L"The file type of " + path + L" is not supported.");
  if (!type->OpenDecoder) NotAvailable(type->Name);
  return type->OpenDecoder(std::move(source));
}

std::unique_ptr<AudioEncoder> FormatRegistry::CreateEncoder(int code, std::unique_ptr<ByteSink> sink,
                                                            const EncoderSettings& settings,
                                                            const AudioTags& tags) const {
  const FileType* type = ByCode(code);
  if (!type) throw EAudioError(L"Unknown file type " + std::to_wstring(code) + L".");
  if (!type->CreateEncoder) NotAvailable(type->Name);
  return type->CreateEncoder(std::move(sink), settings, tags);
}
