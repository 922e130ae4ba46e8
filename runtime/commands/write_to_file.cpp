// WriteToFile. A file that already exists is never emptied before the new
// bytes are safely on disk: they go to a temporary file beside it, which
// then takes the old file's place in one step. A save that fails half-way
// (a full disk) so leaves the old picture as it was instead of a truncated
// one. New files and devices are written in place.
#include <cstring>
#include <string>

#include "platform/base/gbk.h"
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

bool WriteAndClose(HANDLE file, int32_t count, const ArgumentRecord* args) {
  bool written = WriteByteSets(file, count, args);
  bool closed = CloseHandle(file) != FALSE;
  return written && closed;
}

// The folder part of `name` with its separator, empty for a bare name. A GBK
// trail byte can be 0x5C, so the name is walked character by character.
std::string FolderOf(const char* name) {
  const char* end = name + std::strlen(name);
  const char* cut = name;
  for (const char* p = name; p < end; p = platform::gbk::CharNext(p, end)) {
    if (*p == '/' || *p == '\\') cut = p + 1;
  }
  return std::string(name, cut);
}

// A new file in the folder of `name` that no one else uses, its name in
// `temporary`; INVALID_HANDLE_VALUE when the folder takes none.
HANDLE CreateTemporaryBeside(const char* name, std::string* temporary) {
  static unsigned next = 0;
  const std::string prefix =
      FolderOf(name) + ".~mienzo-" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 16; ++attempt) {
    *temporary = prefix + std::to_string(next++) + ".tmp";
    HANDLE file = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

enum class Replaced { kYes, kNo, kFolderRefused };

// Writes the byte sets to a temporary file and puts it in place of the
// existing file `name`, which `held` keeps from other writers until then.
// Closes `held`. On any failure the old file stays and the temporary goes.
Replaced ReplaceExisting(const char* name, HANDLE held, int32_t count, const ArgumentRecord* args) {
  std::string temporary;
  HANDLE file = CreateTemporaryBeside(name, &temporary);
  if (file == INVALID_HANDLE_VALUE) {
    const bool refused = GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(held);
    return refused ? Replaced::kFolderRefused : Replaced::kNo;
  }
  const bool written = WriteAndClose(file, count, args);
  CloseHandle(held);
  if (written && ReplaceFileA(name, temporary.c_str(), nullptr, 0, nullptr, nullptr)) {
    return Replaced::kYes;
  }
  DeleteFileA(temporary.c_str());
  return Replaced::kNo;
}

}  // namespace

void WriteToFile(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->SetInt32(0);
  ValueRecord name = ArgumentAt(count, args, 0);
  if (name.type != type::kText || name.AsText() == nullptr || *name.AsText() == '\0') return;
  const char* path = name.AsText();
  // Created if missing, kept as it is if not; write-only and shared with
  // nobody while open, so a file another program holds is refused here.
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  if (existed && GetFileType(file) == FILE_TYPE_DISK) {
    const Replaced replaced = ReplaceExisting(path, file, count, args);
    if (replaced != Replaced::kFolderRefused) {
      result->SetInt32(replaced == Replaced::kYes ? 1 : 0);
      return;
    }
    // A folder that takes no new file may still let this one be rewritten:
    // in place, as the only way left.
    file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
  }
  result->SetInt32(WriteAndClose(file, count, args) ? 1 : 0);
}

}  // namespace runtime
