// Command routines the application calls through CallCommand. Each follows
// the command convention: a zeroed result record, the argument count and the
// argument records; each writes only the result's value word.
#pragma once

#include "runtime/core/value.h"

namespace runtime {

// 1: any value -> integer. Text is folded from full-width forms and parsed as
// a decimal number that wraps modulo 2^32; floats truncate toward zero.
void ToInteger(ValueRecord* result, int32_t count, ArgumentRecord* args);

// No arguments -> a new text value with the run directory (null when empty).
void GetRunDirectory(ValueRecord* result, int32_t count, ArgumentRecord* args);

// 1: file name (text), 2..n: byte sets -> logical: true when the file was
// created (or emptied) and every byte written.
void WriteToFile(ValueRecord* result, int32_t count, ArgumentRecord* args);

}  // namespace runtime
