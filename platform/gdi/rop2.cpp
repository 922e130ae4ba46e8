#include "platform/gdi/rop2.h"

#include "platform/gdi/drawing.h"

namespace platform::gdi {

bool IsRop2(int rop2) { return rop2 >= R2_BLACK && rop2 <= R2_WHITE; }

// Bit (P << 1 | D) of (rop2 - 1) gives the result for pen bit P and
// destination bit D; the ROP3 index wants it at bit (P << 2 | S << 1 | D)
// for either source bit S.
uint8_t Rop3FromRop2(int rop2) {
  const unsigned table = static_cast<unsigned>(rop2 - 1);
  uint8_t index = 0;
  for (unsigned p = 0; p < 2; ++p) {
    for (unsigned s = 0; s < 2; ++s) {
      for (unsigned d = 0; d < 2; ++d) {
        const unsigned bit = (table >> (p << 1 | d)) & 1u;
        index = static_cast<uint8_t>(index | (bit << (p << 2 | s << 1 | d)));
      }
    }
  }
  return index;
}

void PaintMix(const Canvas& canvas, const Region& area, int rop2, COLORREF color) {
  if (area.IsEmpty()) return;
  PaintArea(canvas, area, Rop3FromRop2(rop2), Pattern{CanvasPixel(canvas, color)});
}

}  // namespace platform::gdi
