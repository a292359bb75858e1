#pragma once
// Rewrites the tags of an audio file into a new copy of it, leaving the audio bytes as they are:
// WAV LIST/INFO chunks, MP3 ID3v2.3 (and ID3v1) tags, Ogg Vorbis comment headers.

#include <cstdint>
#include <vector>

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

// Copies bytes [from, to) of the source into the sink.
void CopyBytes(const ByteSource& source, std::int64_t from, std::int64_t to, ByteSink& sink);

// Every chunk but LIST/INFO is copied; the new INFO list goes before the data chunk.
void RewriteWavTags(const ByteSource& source, ByteSink& sink, const AudioTags& tags);

// The frames between the old ID3v2 tag and the old ID3v1 tag are copied after a new ID3v2.3 tag;
// `withId3v1` adds an ID3v1.1 tag at the end.
void RewriteMp3Tags(const ByteSource& source, ByteSink& sink, const AudioTags& tags, bool withId3v1);
// An ID3v2.3 tag of the tags (empty when there are none).
std::vector<std::uint8_t> Id3v2Tag(const AudioTags& tags);
// The 128-byte ID3v1.1 tag.
std::vector<std::uint8_t> Id3v1Tag(const AudioTags& tags);

// The first stream's comment header is replaced (its other comments kept); the audio pages are
// copied with only their sequence numbers and checksums renewed.
void RewriteOggTags(const ByteSource& source, ByteSink& sink, const AudioTags& tags);
