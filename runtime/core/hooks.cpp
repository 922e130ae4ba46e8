#include "runtime/core/hooks.h"

namespace runtime {

FrameworkHooks& Hooks() {
  static FrameworkHooks hooks;
  return hooks;
}

}  // namespace runtime
