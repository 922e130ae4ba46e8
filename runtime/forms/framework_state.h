// State of the window framework that several of its pieces share.
#pragma once

#include <cstdint>

namespace runtime::forms {

// How many unit re-creations are running. While one runs, the destroy notice
// of the unit being replaced (service 2000) must not clear the slot that
// already holds, or is about to hold, its successor.
inline int32_t& RecreationDepth() {
  static int32_t depth = 0;
  return depth;
}

inline bool RecreatingUnit() { return RecreationDepth() > 0; }

// Held around a unit's re-creation by whoever re-creates it.
class RecreationGuard {
 public:
  RecreationGuard() { ++RecreationDepth(); }
  ~RecreationGuard() { --RecreationDepth(); }
  RecreationGuard(const RecreationGuard&) = delete;
  RecreationGuard& operator=(const RecreationGuard&) = delete;
};

}  // namespace runtime::forms
