#include "runtime/core/array_value.h"

#include <cstring>

#include "runtime/core/error_report.h"
#include "runtime/core/heap.h"

namespace runtime {

namespace {

constexpr size_t kCountWidth = sizeof(int32_t);

size_t HeaderSize(int32_t dimensions) {
  return kCountWidth + kCountWidth * static_cast<size_t>(dimensions);
}

bool HoldsPointers(TypeCode element_type) {
  return element_type == type::kText || element_type == type::kByteSet;
}

}  // namespace

size_t ElementWidth(TypeCode element_type) {
  switch (ElementType(element_type)) {
    case type::kByte:
      return 1;
    case type::kShort:
      return 2;
    case type::kInt:
    case type::kFloat:
    case type::kBool:
    case type::kCodeAddress:
      return 4;
    case type::kLong:
    case type::kDouble:
    case type::kDateTime:
    case type::kOther8:
      return 8;
    case type::kText:
    case type::kByteSet:
      return sizeof(void*);
    default:
      return 0;
  }
}

void* MakeArray(TypeCode element_type, std::span<const int32_t> dimension_sizes) {
  const size_t width = ElementWidth(element_type);
  uint64_t elements = 1;
  for (int32_t size : dimension_sizes) {
    elements *= static_cast<uint64_t>(size < 0 ? 0 : size);
    if (elements > UINT32_MAX) break;
  }
  const uint64_t header = HeaderSize(static_cast<int32_t>(dimension_sizes.size()));
  const uint64_t total = header + elements * width;
  if (elements > UINT32_MAX || total > UINT32_MAX) {
    ReportOutOfMemory(static_cast<uint32_t>(total > UINT32_MAX ? UINT32_MAX : total));
  }
  auto block = static_cast<char*>(MemAlloc(static_cast<uint32_t>(total)));
  std::memset(block, 0, static_cast<size_t>(total));
  auto dimensions = static_cast<int32_t>(dimension_sizes.size());
  std::memcpy(block, &dimensions, kCountWidth);
  for (size_t i = 0; i < dimension_sizes.size(); ++i) {
    int32_t size = dimension_sizes[i] < 0 ? 0 : dimension_sizes[i];
    std::memcpy(block + kCountWidth * (i + 1), &size, kCountWidth);
  }
  return block;
}

int32_t ArrayDimensionCount(const void* array) {
  if (array == nullptr) return 0;
  int32_t dimensions;
  std::memcpy(&dimensions, array, kCountWidth);
  return dimensions < 0 ? 0 : dimensions;
}

std::span<const int32_t> ArrayDimensions(const void* array) {
  int32_t dimensions = ArrayDimensionCount(array);
  if (dimensions == 0) return {};
  auto first = reinterpret_cast<const int32_t*>(static_cast<const char*>(array) + kCountWidth);
  return {first, static_cast<size_t>(dimensions)};
}

size_t ArrayElementCount(const void* array) {
  if (array == nullptr) return 0;
  size_t count = 1;
  for (int32_t size : ArrayDimensions(array)) count *= static_cast<size_t>(size < 0 ? 0 : size);
  return count;
}

void* ArrayElements(void* array) {
  return static_cast<char*>(array) + HeaderSize(ArrayDimensionCount(array));
}

const void* ArrayElements(const void* array) {
  return static_cast<const char*>(array) + HeaderSize(ArrayDimensionCount(array));
}

void GrowArray(int32_t more, void** array_slot, TypeCode element_type) {
  if (array_slot == nullptr || more <= 0) return;
  void* old = *array_slot;
  const size_t width = ElementWidth(element_type);
  // A block without dimensions holds no elements, whatever the empty product says.
  const uint64_t count = ArrayDimensionCount(old) == 0 ? 0 : ArrayElementCount(old);
  const uint64_t grown = count + static_cast<uint64_t>(more);
  const uint64_t total = HeaderSize(1) + grown * width;
  if (grown > INT32_MAX || total > UINT32_MAX) {
    ReportOutOfMemory(static_cast<uint32_t>(total > UINT32_MAX ? UINT32_MAX : total));
  }
  // A fresh block rather than a resize: the header may shrink to one
  // dimension, and an array in constant data must not be written.
  auto block = static_cast<char*>(MemAlloc(static_cast<uint32_t>(total)));
  std::memset(block, 0, static_cast<size_t>(total));
  const int32_t header[2] = {1, static_cast<int32_t>(grown)};
  std::memcpy(block, header, sizeof header);
  if (count > 0) std::memcpy(block + HeaderSize(1), ArrayElements(old), count * width);
  MemFree(old);
  *array_slot = block;
}

void FreeArray(void* array, TypeCode element_type) {
  if (array == nullptr) return;
  if (HoldsPointers(ElementType(element_type))) {
    for (size_t i = 0, n = ArrayElementCount(array); i < n; ++i) {
      MemFree(ArrayElementAt<void*>(array, i));
    }
  }
  MemFree(array);
}

}  // namespace runtime
