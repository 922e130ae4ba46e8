// The LoadPicture command.
#pragma once

#include "runtime/core/value.h"

namespace runtime {

// 1: a file name (text, GBK) or the picture's bytes (byte set) -> integer: the
// handle of the decoded picture in the runtime picture list, or 0 when the
// text or byte set is empty, the argument is of another kind, or decoding
// fails. An empty argument touches no file.
void LoadPicture(ValueRecord* result, int32_t count, ArgumentRecord* args);

}  // namespace runtime
