#include <cstdint>
#include <limits>

#include "platform/win32.h"

int MulDiv(int nNumber, int nNumerator, int nDenominator) {
  if (nDenominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(nNumber) * nNumerator;
  const bool negative = (product < 0) != (nDenominator < 0);
  // Magnitudes fit: |product| <= 2^62 and |nDenominator| <= 2^31.
  const uint64_t magnitude =
      product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  const uint64_t divisor = nDenominator < 0
                               ? 0 - static_cast<uint64_t>(static_cast<int64_t>(nDenominator))
                               : static_cast<uint64_t>(nDenominator);
  const uint64_t rounded = (magnitude + divisor / 2) / divisor;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (rounded > limit) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(rounded)) : static_cast<int>(rounded);
}
