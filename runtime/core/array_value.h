// Arrays: a heap block holding a 32-bit dimension count d, d 32-bit dimension
// sizes, then the elements (the product of the sizes) at the element width.
// Elements of text and byte-set arrays are pointers owned by the array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "runtime/core/type_code.h"

namespace runtime {

// Bytes one element of `element_type` takes in an array (0 for a type that
// cannot be an array element).
size_t ElementWidth(TypeCode element_type);

// A new array of the given dimension sizes with zeroed elements. Sizes must
// be non-negative; a size that makes the block exceed the heap's 32-bit range
// is reported as exhausted memory.
void* MakeArray(TypeCode element_type, std::span<const int32_t> dimension_sizes);

int32_t ArrayDimensionCount(const void* array);
std::span<const int32_t> ArrayDimensions(const void* array);
// Product of the dimension sizes (0 for null).
size_t ArrayElementCount(const void* array);
// The first element; elements follow at ElementWidth of the element type.
// The elements start right after the dimension sizes, so on a 64-bit build an
// 8-byte element may sit at an address that is only 4-byte aligned: read and
// write them with ArrayElementAt / SetArrayElement, which copy bytes.
void* ArrayElements(void* array);
const void* ArrayElements(const void* array);

template <typename T>
T ArrayElementAt(const void* array, size_t index) {
  T value;
  std::memcpy(&value, static_cast<const char*>(ArrayElements(array)) + index * sizeof(T),
              sizeof(T));
  return value;
}

template <typename T>
void SetArrayElement(void* array, size_t index, T value) {
  std::memcpy(static_cast<char*>(ArrayElements(array)) + index * sizeof(T), &value, sizeof(T));
}

// Helper 2: makes the array in *array_slot hold `more` further zeroed elements
// of `element_type` after its current ones, as a one-dimensional array, and
// stores the new block in *array_slot (a null array starts empty; the old
// block is freed). A `more` of 0 or less changes nothing. The block carries
// no element width, which is why the caller names the element type.
void GrowArray(int32_t more, void** array_slot, TypeCode element_type);

// Frees an array: for text and byte-set elements every element pointer first.
void FreeArray(void* array, TypeCode element_type);

}  // namespace runtime
