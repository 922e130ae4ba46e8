#include "platform/base/gbk.h"

#include <iconv.h>

#include <cstdint>
#include <mutex>

namespace platform::gbk {
namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFE;
constexpr unsigned kTrailSpan = kLastTrail - kFirstTrail + 1;
constexpr unsigned kPairCount = (kLastLead - kFirstLead + 1) * kTrailSpan;
constexpr unsigned char kEuroByte = 0x80;
constexpr char32_t kEuroSign = U'\u20AC';

// Both tables live in static storage: once built they are only read, so conversions need neither
// locks nor heap.
struct Tables {
  // Indexed by PairIndex(); 0 marks an unassigned pair (no pair decodes to U+0000).
  char16_t decode[kPairCount];
  // Indexed by BMP code point; 0 means unmappable (U+0000 never looks here). Values below 0x100
  // are single bytes, the rest are lead << 8 | trail.
  uint16_t encode[0x10000];
  bool loaded;
};

Tables g_tables;
std::once_flag g_tables_once;

constexpr bool IsTrailByte(unsigned b) { return b >= kFirstTrail && b <= kLastTrail && b != 0x7F; }

constexpr unsigned PairIndex(unsigned lead, unsigned trail) {
  return (lead - kFirstLead) * kTrailSpan + (trail - kFirstTrail);
}

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Converts one complete character. Returns the bytes produced, or -1 if iconv rejects it. The
// shift state is reset first because a rejected input can leave the descriptor mid-sequence.
int ConvertOne(iconv_t cd, const unsigned char* in, size_t in_len, unsigned char* out,
               size_t out_cap) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in_ptr = reinterpret_cast<char*>(const_cast<unsigned char*>(in));
  char* out_ptr = reinterpret_cast<char*>(out);
  size_t out_left = out_cap;
  if (iconv(cd, &in_ptr, &in_len, &out_ptr, &out_left) == static_cast<size_t>(-1) || in_len != 0)
    return -1;
  return static_cast<int>(out_cap - out_left);
}

// UTF-32LE is requested explicitly, so the byte order is fixed regardless of the host.
void FillDecode(iconv_t to_unicode, Tables& t) {
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const unsigned char in[2] = {static_cast<unsigned char>(lead),
                                   static_cast<unsigned char>(trail)};
      unsigned char out[8];
      if (ConvertOne(to_unicode, in, 2, out, sizeof out) != 4) continue;
      const uint32_t c = uint32_t{out[0]} | uint32_t{out[1]} << 8 | uint32_t{out[2]} << 16 |
                         uint32_t{out[3]} << 24;
      // Anything outside the BMP (or a surrogate) would break the one-unit-per-character
      // promise of ToUtf16, so such a pair is treated as unassigned.
      if (c == 0 || c > 0xFFFF || IsSurrogate(c)) continue;
      t.decode[PairIndex(lead, trail)] = static_cast<char16_t>(c);
    }
  }
}

// Returns the pair iconv chooses for c, or 0 when it has no two-byte answer.
uint16_t IconvPairFor(iconv_t from_unicode, char32_t c) {
  const unsigned char in[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8), 0,
                               0};
  unsigned char out[4];
  if (ConvertOne(from_unicode, in, 4, out, sizeof out) != 2) return 0;
  return static_cast<uint16_t>(out[0] << 8 | out[1]);
}

bool PairDecodesTo(const Tables& t, uint16_t pair, char16_t c) {
  const unsigned lead = pair >> 8, trail = pair & 0xFFu;
  return lead >= kFirstLead && lead <= kLastLead && IsTrailByte(trail) &&
         t.decode[PairIndex(lead, trail)] == c;
}

// The reverse table is the inverse of the decode table, so every encoded character decodes back
// to itself. When several pairs decode to the same character, iconv's own encoding of that
// character decides; if iconv names none of them the lowest pair wins.
void FillEncode(iconv_t from_unicode, Tables& t) {
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      if (!IsTrailByte(trail)) continue;
      const char16_t c = t.decode[PairIndex(lead, trail)];
      if (c == 0 || t.encode[c] != 0) continue;
      const uint16_t chosen = IconvPairFor(from_unicode, c);
      t.encode[c] = PairDecodesTo(t, chosen, c) ? chosen : static_cast<uint16_t>(lead << 8 | trail);
    }
  }
}

void BuildTables() {
  Tables& t = g_tables;
  for (unsigned c = 1; c < 0x80; ++c) t.encode[c] = static_cast<uint16_t>(c);
  t.encode[kEuroSign] = kEuroByte;

  const iconv_t fail = reinterpret_cast<iconv_t>(-1);
  iconv_t to_unicode = iconv_open("UTF-32LE", "CP936");
  iconv_t from_unicode = iconv_open("CP936", "UTF-32LE");
  if (to_unicode != fail && from_unicode != fail) {
    FillDecode(to_unicode, t);
    FillEncode(from_unicode, t);
    t.loaded = true;
  }
  if (to_unicode != fail) iconv_close(to_unicode);
  if (from_unicode != fail) iconv_close(from_unicode);
}

const Tables& GetTables() {
  std::call_once(g_tables_once, BuildTables);
  return g_tables;
}

DecodedChar Decode(const Tables& t, const char* s, size_t len) {
  if (len == 0) return {0, 0};
  const auto b = static_cast<unsigned char>(s[0]);
  if (b < 0x80) return {b, 1};
  if (b == kEuroByte) return {kEuroSign, 1};
  if (CharLength(s, len) != 2) return {kReplacementChar, 1};
  const auto trail = static_cast<unsigned char>(s[1]);
  const char16_t c = IsTrailByte(trail) ? t.decode[PairIndex(b, trail)] : u'\0';
  return {c != 0 ? char32_t{c} : kReplacementChar, 2};
}

size_t Encode(const Tables& t, char32_t c, char out[2]) {
  if (c == 0) {
    out[0] = '\0';
    return 1;
  }
  const uint16_t g = c <= 0xFFFF ? t.encode[c] : 0;
  if (g == 0) {
    out[0] = kUnmappableByte;
    return 1;
  }
  if (g < 0x100) {
    out[0] = static_cast<char>(g);
    return 1;
  }
  out[0] = static_cast<char>(g >> 8);
  out[1] = static_cast<char>(g & 0xFF);
  return 2;
}

// Only ever given characters decoded from GBK, which are all in the BMP and never surrogates, so
// three bytes always suffice.
size_t EncodeUtf8(char16_t c, char out[3]) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | c >> 6);
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  out[0] = static_cast<char>(0xE0 | c >> 12);
  out[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
  out[2] = static_cast<char>(0x80 | (c & 0x3F));
  return 3;
}

// Decodes one well-formed UTF-8 sequence. Returns length 0 when s[0] does not start one; the
// accepted second-byte ranges are what exclude overlong forms, surrogates and values above
// U+10FFFF.
DecodedChar DecodeUtf8(const unsigned char* s, size_t len) {
  const unsigned char b = s[0];
  if (b < 0x80) return {b, 1};
  size_t need = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  char32_t c = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    need = 2;
    c = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 3;
    c = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 4;
    c = b & 0x07;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return {0, 0};
  }
  if (len < need || s[1] < lo || s[1] > hi) return {0, 0};
  for (size_t i = 1; i < need; ++i) {
    if ((s[i] & 0xC0) != 0x80) return {0, 0};
    c = c << 6 | (s[i] & 0x3F);
  }
  return {c, need};
}

void AppendGbk(const Tables& t, char32_t c, std::string& out) {
  char bytes[2];
  out.append(bytes, Encode(t, c, bytes));
}

}  // namespace

bool Init() { return GetTables().loaded; }

size_t CharLength(const char* s, size_t len) {
  if (len == 0 || s[0] == '\0') return 0;
  if (len >= 2 && IsLeadByte(static_cast<unsigned char>(s[0])) && s[1] != '\0') return 2;
  return 1;
}

const char* CharNext(const char* s, const char* end) {
  if (s >= end) return s;
  return s + CharLength(s, static_cast<size_t>(end - s));
}

const char* CharPrev(const char* start, const char* s) {
  if (s <= start) return start;
  const char* p = start;
  for (;;) {
    size_t n = CharLength(p, static_cast<size_t>(s - p));
    const char* next = p + (n == 0 ? 1 : n);
    if (next >= s) return p;
    p = next;
  }
}

DecodedChar DecodeChar(const char* s, size_t len) { return Decode(GetTables(), s, len); }

size_t EncodeChar(char32_t c, char out[2]) { return Encode(GetTables(), c, out); }

std::u32string ToUtf32(std::string_view gbk) {
  const Tables& t = GetTables();
  std::u32string out;
  out.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size();) {
    const DecodedChar d = Decode(t, gbk.data() + i, gbk.size() - i);
    out.push_back(d.code);
    i += d.length;
  }
  return out;
}

std::u16string ToUtf16(std::string_view gbk) {
  const Tables& t = GetTables();
  std::u16string out;
  out.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size();) {
    const DecodedChar d = Decode(t, gbk.data() + i, gbk.size() - i);
    out.push_back(static_cast<char16_t>(d.code));
    i += d.length;
  }
  return out;
}

std::string ToUtf8(std::string_view gbk) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);
  for (size_t i = 0; i < gbk.size();) {
    const DecodedChar d = Decode(t, gbk.data() + i, gbk.size() - i);
    char bytes[3];
    out.append(bytes, EncodeUtf8(static_cast<char16_t>(d.code), bytes));
    i += d.length;
  }
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  const Tables& t = GetTables();
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const DecodedChar d = DecodeUtf8(s + i, utf8.size() - i);
    if (d.length == 0) {
      out.push_back(kUnmappableByte);
      ++i;
      continue;
    }
    AppendGbk(t, d.code, out);
    i += d.length;
  }
  return out;
}

char32_t NextUtf16(std::u16string_view text, size_t* i) {
  char32_t c = text[(*i)++];
  if (c >= 0xD800 && c <= 0xDBFF && *i < text.size() && text[*i] >= 0xDC00 && text[*i] <= 0xDFFF) {
    c = 0x10000 + ((c - 0xD800) << 10) + (text[(*i)++] - 0xDC00);
  }
  return c;
}

std::string FromUtf16(std::u16string_view utf16) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(utf16.size() * 2);
  for (size_t i = 0; i < utf16.size();) {
    AppendGbk(t, NextUtf16(utf16, &i), out);  // an unpaired surrogate is unmappable
  }
  return out;
}

std::string FromUtf32(std::u32string_view utf32) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(utf32.size() * 2);
  for (char32_t c : utf32) AppendGbk(t, c, out);
  return out;
}

size_t ToUtf8Buffer(std::string_view gbk, char* out, size_t cap) {
  if (cap == 0) return 0;
  const Tables& t = GetTables();
  size_t written = 0;
  for (size_t i = 0; i < gbk.size();) {
    const DecodedChar d = Decode(t, gbk.data() + i, gbk.size() - i);
    char bytes[3];
    const size_t n = EncodeUtf8(static_cast<char16_t>(d.code), bytes);
    if (n > cap - 1 - written) break;
    for (size_t k = 0; k < n; ++k) out[written + k] = bytes[k];
    written += n;
    i += d.length;
  }
  out[written] = '\0';
  return written;
}

}  // namespace platform::gbk
