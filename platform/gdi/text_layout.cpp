#include "platform/gdi/text_layout.h"

#include "platform/base/gbk.h"
#include "platform/gdi/gdi_object.h"

namespace platform::gdi {

TextRun LayOutRun(const RealizedFont& font, const Escapement& escapement, std::string_view text,
                  int char_extra, const INT* dx) {
  TextRun run;
  int64_t x = 0;
  size_t offset = 0;
  while (offset < text.size()) {
    const gbk::DecodedChar decoded = gbk::DecodeChar(text.data() + offset, text.size() - offset);
    PlacedChar placed;
    placed.offset = offset;
    placed.length = decoded.length;
    placed.code = decoded.code;
    placed.glyph = font.GlyphFor(decoded.code, escapement);
    if (dx) {
      int64_t advance = 0;
      for (size_t i = 0; i < decoded.length; ++i) advance += dx[offset + i];
      placed.advance = static_cast<int>(advance);
    } else {
      placed.advance = placed.glyph->advance + char_extra;
    }
    placed.x = ClampCoordinate(x);
    x += placed.advance;
    run.chars.push_back(std::move(placed));
    offset += decoded.length;
  }
  run.width = ClampCoordinate(x);
  return run;
}

}  // namespace platform::gdi
