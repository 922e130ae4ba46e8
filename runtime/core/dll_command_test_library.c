/* A library for the external-library call tests, built once per variant so
   the search order can tell which copy it found. */
#include <stdint.h>

intptr_t TestDllVariant(void) { return MIENZO_TEST_DLL_VARIANT; }

intptr_t TestDllSum(intptr_t a, intptr_t b, intptr_t c, intptr_t d, intptr_t e, intptr_t f,
                    intptr_t g, intptr_t h, intptr_t i, intptr_t j, intptr_t k, intptr_t l) {
  return a + 2 * b + 3 * c + 4 * d + 5 * e + 6 * f + 7 * g + 8 * h + 9 * i + 10 * j + 11 * k +
         12 * l;
}

intptr_t TestDllDifference(intptr_t a, intptr_t b) { return a - b; }
