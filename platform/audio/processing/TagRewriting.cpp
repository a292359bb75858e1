#include "platform/audio/processing/TagRewriting.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cstring>

#include "platform/audio/core/AudioError.h"
#include "platform/audio/processing/GenreMapping.h"
#include "platform/framework/base/Utf8.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

void PutLe32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutBe32(Bytes& out, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Append(Bytes& out, const void* data, std::size_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + count);
}

void Write(ByteSink& sink, const Bytes& bytes) {
  if (!bytes.empty()) sink.Write(bytes.data(), bytes.size());
}

[[noreturn]] void Damaged(const wchar_t* format, const wchar_t* why) {
  throw EAudioError(String(L"The ") + format + L" file's tags cannot be rewritten: " + why + L".");
}

// WAV

Bytes InfoList(const AudioTags& tags) {
  Bytes list = {'L', 'I', 'S', 'T', 0, 0, 0, 0, 'I', 'N', 'F', 'O'};
  auto add = [&list](const char* id, const String& value) {
    if (value.empty()) return;
    const AnsiString text = Utf8Encode(value);
    Append(list, id, 4);
    PutLe32(list, static_cast<std::uint32_t>(text.size() + 1));
    Append(list, text.data(), text.size());
    list.push_back(0);
    if ((text.size() + 1) & 1) list.push_back(0);
  };
  add("INAM", tags.Title);
  add("IART", tags.Artist);
  add("IPRD", tags.Album);
  add("ICRD", tags.Year);
  add("ICMT", tags.Comment);
  add("IGNR", tags.Genre);
  if (list.size() == 12) return {};
  const std::uint32_t size = static_cast<std::uint32_t>(list.size() - 8);
  for (int i = 0; i < 4; ++i) list[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
  return list;
}

// MP3

// ID3v2 sizes: seven bits per byte.
std::uint32_t Syncsafe(const std::uint8_t* p) {
  return (std::uint32_t(p[0] & 0x7F) << 21) | (std::uint32_t(p[1] & 0x7F) << 14) | (std::uint32_t(p[2] & 0x7F) << 7) |
         std::uint32_t(p[3] & 0x7F);
}

bool Latin1Only(const String& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c > 0 && c < 256; });
}

// A text's bytes with its ID3 encoding byte first: Latin-1 when it fits, else UTF-16 with a BOM.
Bytes Id3Text(const String& text) {
  Bytes out;
  if (Latin1Only(text)) {
    out.push_back(0);
    for (wchar_t c : text) out.push_back(static_cast<std::uint8_t>(c));
    return out;
  }
  out = {1, 0xFF, 0xFE};
  for (wchar_t c : text) out.push_back(static_cast<std::uint8_t>(c)), out.push_back(static_cast<std::uint8_t>(c >> 8));
  return out;
}

void AddFrame(Bytes& tag, const char* id, const Bytes& body) {
  Append(tag, id, 4);
  PutBe32(tag, static_cast<std::uint32_t>(body.size()));
  tag.push_back(0);
  tag.push_back(0);
  Append(tag, body.data(), body.size());
}

void AddTextFrame(Bytes& tag, const char* id, const String& value) {
  if (!value.empty()) AddFrame(tag, id, Id3Text(value));
}

void AddCommentFrame(Bytes& tag, const String& value) {
  if (value.empty()) return;
  const Bytes text = Id3Text(value);
  Bytes body = {text[0], 'e', 'n', 'g'};
  // An empty description, terminated in the text's encoding, then the text itself.
  if (text[0] == 0) {
    body.push_back(0);
  } else {
    body.insert(body.end(), {0xFF, 0xFE, 0, 0});
  }
  body.insert(body.end(), text.begin() + 1, text.end());
  AddFrame(tag, "COMM", body);
}

void PutLatin1Field(std::uint8_t* field, std::size_t size, const String& text) {
  for (std::size_t i = 0; i < size && i < text.size(); ++i) field[i] = text[i] < 256 ? static_cast<std::uint8_t>(text[i]) : '?';
}

// Ogg

Bytes PacketBytes(const ogg_packet& packet) {
  return Bytes(packet.packet, packet.packet + packet.bytes);
}

void PutVorbisString(Bytes& out, const AnsiString& text) {
  PutLe32(out, static_cast<std::uint32_t>(text.size()));
  Append(out, text.data(), text.size());
}

AnsiString Upper(AnsiString text) {
  for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return text;
}

// The comment header with the six keys taken from the tags and every other comment kept.
Bytes CommentPacket(const Bytes& old, const AudioTags& tags) {
  if (old.size() < 7 + 4 || old[0] != 3 || std::memcmp(&old[1], "vorbis", 6) != 0)
    Damaged(L"Ogg Vorbis", L"the comment header is missing");
  std::size_t at = 7;
  auto take32 = [&]() -> std::uint32_t {
    if (at + 4 > old.size()) Damaged(L"Ogg Vorbis", L"the comment header is cut short");
    const std::uint32_t value = Le32(&old[at]);
    at += 4;
    return value;
  };
  auto takeString = [&]() {
    const std::uint32_t size = take32();
    if (size > old.size() - at) Damaged(L"Ogg Vorbis", L"the comment header is cut short");
    AnsiString text(reinterpret_cast<const char*>(&old[at]), size);
    at += size;
    return text;
  };
  const AnsiString vendor = takeString();
  static const char* const kOwnKeys[] = {"TITLE", "ARTIST", "ALBUM", "DATE", "COMMENT", "GENRE"};
  std::vector<AnsiString> comments;
  for (std::uint32_t i = 0, count = take32(); i < count; ++i) {
    AnsiString comment = takeString();
    const AnsiString key = Upper(comment.substr(0, comment.find('=')));
    if (std::none_of(std::begin(kOwnKeys), std::end(kOwnKeys), [&](const char* own) { return key == own; }))
      comments.push_back(std::move(comment));
  }
  const std::pair<const char*, const String*> own[] = {{"TITLE", &tags.Title}, {"ARTIST", &tags.Artist},
                                                       {"ALBUM", &tags.Album}, {"DATE", &tags.Year},
                                                       {"COMMENT", &tags.Comment}, {"GENRE", &tags.Genre}};
  for (const auto& [key, value] : own)
    if (!value->empty()) comments.push_back(AnsiString(key) + "=" + Utf8Encode(*value));
  Bytes packet = {3, 'v', 'o', 'r', 'b', 'i', 's'};
  PutVorbisString(packet, vendor);
  PutLe32(packet, static_cast<std::uint32_t>(comments.size()));
  for (const AnsiString& comment : comments) PutVorbisString(packet, comment);
  packet.push_back(1);  // framing bit
  return packet;
}

void WritePage(ByteSink& sink, const ogg_page& page) {
  sink.Write(page.header, static_cast<std::size_t>(page.header_len));
  sink.Write(page.body, static_cast<std::size_t>(page.body_len));
}

class OggReader {
 public:
  explicit OggReader(const ByteSource& source) : source_(source) { ogg_sync_init(&sync_); }
  ~OggReader() { ogg_sync_clear(&sync_); }

  // The next page; false at the end.
  bool Next(ogg_page& page) {
    for (;;) {
      const int result = ogg_sync_pageout(&sync_, &page);
      if (result == 1) return true;
      if (result < 0) continue;  // skipped bytes before a page
      char* buffer = ogg_sync_buffer(&sync_, kRead);
      const std::size_t got = source_.ReadAt(offset_, buffer, kRead);
      if (got == 0) return false;
      offset_ += static_cast<std::int64_t>(got);
      ogg_sync_wrote(&sync_, static_cast<long>(got));
    }
  }

 private:
  static constexpr long kRead = 65536;
  const ByteSource& source_;
  ogg_sync_state sync_;
  std::int64_t offset_ = 0;
};

}  // namespace

void CopyBytes(const ByteSource& source, std::int64_t from, std::int64_t to, ByteSink& sink) {
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(std::max<std::int64_t>(to - from, 0), 1 << 20)));
  while (from < to) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(to - from, buffer.size()));
    const std::size_t got = source.ReadAt(from, buffer.data(), want);
    if (got == 0) throw EAudioError(L"The file is truncated.");
    sink.Write(buffer.data(), got);
    from += static_cast<std::int64_t>(got);
  }
}

void RewriteWavTags(const ByteSource& source, ByteSink& sink, const AudioTags& tags) {
  const std::int64_t size = source.Size();
  std::uint8_t head[12];
  if (source.ReadAt(0, head, 12) != 12 || std::memcmp(head, "RIFF", 4) || std::memcmp(head + 8, "WAVE", 4))
    Damaged(L"WAV", L"there is no RIFF WAVE header");
  const Bytes info = InfoList(tags);
  sink.Write(head, 12);
  bool infoWritten = false;
  for (std::int64_t at = 12; at + 8 <= size;) {
    std::uint8_t chunk[12] = {};
    source.ReadAt(at, chunk, 12);
    const std::int64_t body = Le32(chunk + 4);
    const std::int64_t end = std::min(size, at + 8 + body + (body & 1));
    const bool isInfo = !std::memcmp(chunk, "LIST", 4) && body >= 4 && !std::memcmp(chunk + 8, "INFO", 4);
    if (!std::memcmp(chunk, "data", 4) && !infoWritten) {
      Write(sink, info);
      infoWritten = true;
    }
    if (!isInfo) CopyBytes(source, at, end, sink);
    at = end;
  }
  if (!infoWritten) Write(sink, info);
  std::uint8_t riff[4];
  const auto riffBytes = static_cast<std::uint32_t>(sink.Position() - 8);
  for (int i = 0; i < 4; ++i) riff[i] = static_cast<std::uint8_t>(riffBytes >> (8 * i));
  sink.WriteAt(4, riff, 4);
}

std::vector<std::uint8_t> Id3v2Tag(const AudioTags& tags) {
  Bytes frames;
  AddTextFrame(frames, "TIT2", tags.Title);
  AddTextFrame(frames, "TPE1", tags.Artist);
  AddTextFrame(frames, "TALB", tags.Album);
  AddTextFrame(frames, "TYER", tags.Year);
  AddCommentFrame(frames, tags.Comment);
  AddTextFrame(frames, "TCON", tags.Genre);
  if (frames.empty()) return {};
  const auto size = static_cast<std::uint32_t>(frames.size());
  Bytes tag = {'I', 'D', '3', 3, 0, 0};
  for (int shift = 21; shift >= 0; shift -= 7) tag.push_back(static_cast<std::uint8_t>((size >> shift) & 0x7F));
  tag.insert(tag.end(), frames.begin(), frames.end());
  return tag;
}

std::vector<std::uint8_t> Id3v1Tag(const AudioTags& tags) {
  Bytes tag(128, 0);
  std::memcpy(tag.data(), "TAG", 3);
  PutLatin1Field(&tag[3], 30, tags.Title);
  PutLatin1Field(&tag[33], 30, tags.Artist);
  PutLatin1Field(&tag[63], 30, tags.Album);
  PutLatin1Field(&tag[93], 4, tags.Year);
  PutLatin1Field(&tag[97], 28, tags.Comment);  // ID3v1.1: byte 125 zero, 126 the track (none)
  tag[127] = tags.Genre.empty() ? 255 : static_cast<std::uint8_t>(GenreIndex(tags.Genre));
  return tag;
}

void RewriteMp3Tags(const ByteSource& source, ByteSink& sink, const AudioTags& tags, bool withId3v1) {
  std::int64_t from = 0, to = source.Size();
  // Every ID3v2 tag at the start (some files carry more than one).
  for (std::uint8_t head[10]; source.ReadAt(from, head, 10) == 10 && !std::memcmp(head, "ID3", 3);) {
    const bool footer = (head[5] & 0x10) != 0;
    from += 10 + Syncsafe(head + 6) + (footer ? 10 : 0);
  }
  std::uint8_t last[3] = {};
  if (to - from >= 128 && source.ReadAt(to - 128, last, 3) == 3 && !std::memcmp(last, "TAG", 3)) to -= 128;
  if (from >= to) Damaged(L"MP3", L"it holds no audio frames");
  Write(sink, Id3v2Tag(tags));
  CopyBytes(source, from, to, sink);
  if (withId3v1) Write(sink, Id3v1Tag(tags));
}

void RewriteOggTags(const ByteSource& source, ByteSink& sink, const AudioTags& tags) {
  OggReader reader(source);
  ogg_page page;
  if (!reader.Next(page) || !ogg_page_bos(&page)) Damaged(L"Ogg Vorbis", L"the first page is missing");
  const int serial = ogg_page_serialno(&page);
  ogg_stream_state in, out;
  ogg_stream_init(&in, serial);
  ogg_stream_init(&out, serial);
  struct Streams {
    ogg_stream_state *in, *out;
    ~Streams() { ogg_stream_clear(in), ogg_stream_clear(out); }
  } guard{&in, &out};

  // The three header packets and the pages they fill.
  std::vector<Bytes> headers;
  long headerPages = 0;
  Bytes otherStreams;  // pages of streams multiplexed with it, kept in their order
  for (;;) {
    if (ogg_page_serialno(&page) == serial) {
      ogg_stream_pagein(&in, &page);
      ++headerPages;
      for (ogg_packet packet; headers.size() < 3 && ogg_stream_packetout(&in, &packet) == 1;)
        headers.push_back(PacketBytes(packet));
      if (headers.size() == 3) break;
    } else {
      Append(otherStreams, page.header, static_cast<std::size_t>(page.header_len));
      Append(otherStreams, page.body, static_cast<std::size_t>(page.body_len));
    }
    if (!reader.Next(page)) Damaged(L"Ogg Vorbis", L"the headers are cut short");
  }
  headers[1] = CommentPacket(headers[1], tags);

  long written = 0;
  for (std::size_t i = 0; i < headers.size(); ++i) {
    ogg_packet packet{};
    packet.packet = headers[i].data();
    packet.bytes = static_cast<long>(headers[i].size());
    packet.b_o_s = i == 0;
    packet.packetno = static_cast<ogg_int64_t>(i);
    ogg_stream_packetin(&out, &packet);
    // The identification header has a page of its own; the audio starts on a fresh page.
    if (i == 0 || i == 2)
      for (ogg_page header; ogg_stream_flush(&out, &header);) WritePage(sink, header), ++written;
    if (i == 0) Write(sink, otherStreams);
  }
  // The audio pages, renumbered after the new header pages.
  const long shift = written - headerPages;
  while (reader.Next(page)) {
    if (ogg_page_serialno(&page) == serial && shift != 0) {
      const long sequence = ogg_page_pageno(&page) + shift;
      for (int i = 0; i < 4; ++i) page.header[18 + i] = static_cast<unsigned char>(sequence >> (8 * i));
      ogg_page_checksum_set(&page);
    }
    WritePage(sink, page);
  }
}
