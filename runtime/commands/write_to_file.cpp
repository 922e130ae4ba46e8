#include "platform/win32.h"
#include "runtime/commands/commands.h"
#include "runtime/core/byte_set.h"

namespace runtime {

namespace {

// Writes each byte-set argument after the name, in order. False at the first
// short or failed write; what was written before stays in the file.
bool WriteByteSets(HANDLE file, int32_t count, const ArgumentRecord* args) {
  for (int32_t i = 1; i < count; ++i) {
    const ArgumentRecord& arg = args[i];
    if (arg.type != type::kByteSet) continue;  // absent: nothing to write
    auto bytes = ByteSetBytes(arg.AsPointer());
    if (bytes.empty()) continue;
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      return false;
    }
  }
  return true;
}

}  // namespace

void WriteToFile(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->SetInt32(0);
  ValueRecord name = ArgumentAt(count, args, 0);
  if (name.type != type::kText || name.AsText() == nullptr || *name.AsText() == '\0') return;
  // Create or truncate, write-only, shared with nobody while open.
  HANDLE file = CreateFileA(name.AsText(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  bool written = WriteByteSets(file, count, args);
  bool closed = CloseHandle(file) != FALSE;
  result->SetInt32(written && closed ? 1 : 0);
}

}  // namespace runtime
