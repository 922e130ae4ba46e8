#include "runtime/commands/commands.h"
#include "runtime/core/app_state.h"
#include "runtime/core/text_value.h"

namespace runtime {

void GetRunDirectory(ValueRecord* result, int32_t, ArgumentRecord*) {
  result->SetPointer(MakeText(App().run_directory));
}

}  // namespace runtime
