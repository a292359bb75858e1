#pragma once
// APEv2 (and APEv1) tags at the end of a file, as Musepack files carry them: title, artist, album,
// year, comment and genre.

#include "platform/audio/core/AudioFormat.h"
#include "platform/audio/core/ByteStream.h"

// Reads the tag ending at the file's end or just before an ID3v1 tag; leaves `tags` as it is when
// there is none. A damaged tag is ignored from the first item that does not fit.
void ReadApeTags(const ByteSource& source, AudioTags& tags);
