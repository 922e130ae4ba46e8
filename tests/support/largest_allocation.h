// The largest single block allocated since a LargestAllocation was made, for
// tests that a file claiming a huge size is refused without ever asking for
// a block of that size. Only AddressSanitizer builds see allocations (its
// malloc hooks); elsewhere bytes() stays 0 and the checks pass trivially.
#pragma once

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define MIENZO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIENZO_ASAN 1
#endif
#endif
#ifdef MIENZO_ASAN
// From the sanitizer runtime; GCC ships no header that declares it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace testing_support {

class LargestAllocation {
 public:
  LargestAllocation() {
#ifdef MIENZO_ASAN
    static const int installed = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree);
    (void)installed;
#endif
    largest_ = 0;
  }
  size_t bytes() const { return largest_; }

 private:
  static void OnMalloc(const volatile void*, size_t size) {
    size_t seen = largest_.load(std::memory_order_relaxed);
    while (size > seen && !largest_.compare_exchange_weak(seen, size)) {
    }
  }
  static void OnFree(const volatile void*) {}
  static inline std::atomic<size_t> largest_{0};
};

}  // namespace testing_support
