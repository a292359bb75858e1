#pragma once
// TAudioFile2: reads any registered audio format as float frames in blocks, and writes WAV, MP3,
// Ogg Vorbis or WMA from blocks. One instance is used either as a reader or as a writer.
//
// Reading: OpenRead(path, 0, 1); ReadBlock(n) gives the next n interleaved values rounded down to
// whole frames, an empty buffer at the end. Writing: an output format, SetInputFormat, then
// CreateForWriting, WriteBlock per block and CloseAudioFile. The settled format (GetFormatSampleRate,
// GetFormatChannels) is what the encoder really writes; WriteBlock converts every block to it: its
// rate from the input rate (with state carried from block to block) and its channels from the
// block's own channel count. In recording mode (1) the WAV header is brought up to date after every
// block, so a crash keeps what was recorded.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/audio/codecs/Mp3EncoderSettings.h"
#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/Resampler.h"
#include "platform/audio/core/SampleBuffer.h"
#include "platform/audio/processing/OutputFormat.h"
#include "platform/framework/classes/Component.h"

class RecordingFileSink;

class TAudioFile2 : public TComponent {
  DECLARE_CLASS(TAudioFile2, TComponent)
 public:
  explicit TAudioFile2(TComponent* AOwner);
  ~TAudioFile2() override;

  // Reading. FirstFrame must be 0 and Delivery 1 (float frames); other values raise. A damaged or
  // unsupported file raises a message naming the file and the problem.
  void OpenRead(const String& Path, int FirstFrame, int Delivery);
  int GetChannels() const;
  int GetSampleRate() const;
  // Bit/s: exact for PCM, the average over the file for compressed formats.
  std::int64_t GetBitRate() const;
  // Frames of the source.
  std::int64_t GetLength() const;
  SampleBuffer ReadBlock(std::int64_t Count);

  // Writing
  void SetWaveFormat(int SampleRate, int Channels, int Bits);
  // The rate, channels and depth of a WAV file (a compressed source gives 16 bits).
  void SetWaveFormatFromFile(const String& Path);
  void SetMp3Format(int SampleRate, int Kbps, int Channels);
  void SetMp3Encoder(const TAudioFile2LameEnc& Encoder);
  // Kbps with Quality -1 (managed bit rate), or Kbps 0 and Quality in tenths of a percent. A
  // combination the encoder refuses makes CreateForWriting raise.
  void SetOggFormat(int SampleRate, int Channels, int Kbps, int Reserved1, int Reserved2, int Quality);
  void SetWmaProfile(int Profile);
  // The output format as set so far.
  const OutputFormat& Output() const { return output_; }
  bool CanMp3(int SampleRate, int Kbps, int Channels) const;
  bool CanOgg(int SampleRate, int Channels, int Kbps, int Reserved1, int Reserved2) const;
  void SetInputFormat(int SampleRate, int Channels);
  // Mode 1: a recording (the WAV header follows every block); 0: converted output.
  void CreateForWriting(const String& Path, int Mode);
  void WriteBlock(const SampleBuffer& Buffer);
  void CloseAudioFile();

  // The decoded format while reading, the settled format otherwise.
  int GetFormatChannels() const;
  int GetFormatSampleRate() const;

  // -1: the reader ends a damaged file at its last decodable frame instead of raising (a file of
  // which nothing decodes still raises).
  void SetOption(int Value);

 private:
  const AudioFileInfo& SourceInfo() const;
  EncoderSettings Settled() const;
  int InputRate() const;
  void CloseReader();
  void CloseWriter();
  void ConvertChannels(const SampleBuffer& buffer, int channels);

  // Reader
  String readPath_;
  std::unique_ptr<AudioDecoder> decoder_;
  std::int64_t fileBytes_ = 0;
  std::int64_t framesRead_ = 0;  // delivered since the file was opened
  bool ended_ = false;
  bool skipDamaged_ = false;

  // Writer
  OutputFormat output_;
  bool outputSet_ = false;
  int inputRate_ = 0;
  String writePath_;
  std::unique_ptr<AudioEncoder> encoder_;
  RecordingFileSink* recording_ = nullptr;  // the encoder's sink in recording mode
  EncoderSettings settled_;
  int resamplerRate_ = 0;
  std::unique_ptr<Resampler> resampler_;
  std::vector<float> mapped_, resampled_;
};
