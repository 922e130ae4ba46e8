// GBK (code page 936) text handling.
//
// All runtime and application text is GBK bytes. Unicode only appears at the edges: when a glyph
// has to be rasterised and when a string crosses into the host OS. This module is that edge.
//
// Byte layout of code page 936:
//   0x00..0x7F  ASCII
//   0x80        U+20AC EURO SIGN
//   0x81..0xFE  lead byte of a two-byte character (trail 0x40..0xFE except 0x7F)
//   0xFF        never valid
//
// The pair tables come from the system iconv's "CP936" converter and are built on first use
// (a few milliseconds; iconv allocates). Call Init() during start-up so that later conversions,
// including ToUtf8Buffer on out-of-memory paths, never allocate.

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::gbk {

// Substituted when GBK bytes have no Unicode meaning.
inline constexpr char32_t kReplacementChar = U'\uFFFD';
// Substituted when a Unicode character has no GBK encoding, or UTF input is malformed.
inline constexpr char kUnmappableByte = '?';

// Builds the conversion tables if that has not happened yet; safe to call from any thread, any
// number of times. Returns false when the system has no CP936 converter: ASCII and the euro sign
// still convert, every two-byte character then decodes as U+FFFD and encodes as '?'.
bool Init();

// Same answer as IsDBCSLeadByte for code page 936.
constexpr bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Bytes occupied by the character starting at s[0], looking no further than s[len - 1].
// 0 when len == 0 or s[0] is NUL. 2 when s[0] is a lead byte followed by a non-NUL byte, whether
// or not that pair is assigned: this is how CharNextA steps, so byte offsets handed to us by
// application code always land on the boundaries we compute. Otherwise 1.
size_t CharLength(const char* s, size_t len);

// Start of the next character, never beyond end. Stays put at end and on a NUL.
const char* CharNext(const char* s, const char* end);

// Start of the character that ends at s (the one containing s[-1]); start when s <= start.
// A trail byte can look like a lead byte, so this walks forward from start: O(s - start).
// NULs inside [start, s) count as one-byte characters.
const char* CharPrev(const char* start, const char* s);

struct DecodedChar {
  char32_t code;
  size_t length;
};

// Decodes the character starting at s[0]. length agrees with CharLength for every non-NUL start,
// so decoding and stepping never drift apart; an unassigned pair decodes as one U+FFFD covering
// both bytes. A NUL decodes as {U+0000, 1} so string_view conversions carry embedded NULs.
// Returns {0, 0} only when len == 0.
DecodedChar DecodeChar(const char* s, size_t len);

// Writes the GBK bytes of c to out and returns how many (1 or 2). Characters outside GBK,
// surrogates and values above U+10FFFF produce '?'.
size_t EncodeChar(char32_t c, char out[2]);

std::u32string ToUtf32(std::string_view gbk);
// GBK only reaches the Basic Multilingual Plane, so every character is one UTF-16 unit.
std::u16string ToUtf16(std::string_view gbk);
std::string ToUtf8(std::string_view gbk);

// Each byte that does not start a well-formed UTF-8 sequence (stray continuation, truncated or
// overlong sequence, encoded surrogate, value above U+10FFFF) becomes one '?', and decoding
// resumes at the next byte.
std::string FromUtf8(std::string_view utf8);
// Surrogate pairs are combined; an unpaired surrogate becomes '?'.
std::string FromUtf16(std::u16string_view utf16);
std::string FromUtf32(std::u32string_view utf32);

// The code point at text[*i], combining a surrogate pair, and advances *i past
// it. An unpaired surrogate comes back as itself (which GBK cannot encode).
char32_t NextUtf16(std::u16string_view text, size_t* i);

// GBK bytes for a UTF-8 source literal, e.g. Gbk("保存成功！"). Source files stay UTF-8.
inline std::string Gbk(std::string_view utf8) { return FromUtf8(utf8); }

// Writes the UTF-8 form of gbk into out[0..cap) and returns the bytes written, excluding the
// terminating NUL that is always stored when cap > 0. Output stops before the first character
// whose UTF-8 sequence does not fit whole. Never allocates once Init() has run.
size_t ToUtf8Buffer(std::string_view gbk, char* out, size_t cap);

}  // namespace platform::gbk
