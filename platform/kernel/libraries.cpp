// LoadLibraryA and friends over dlopen.
//
// A module handle is a kernel table value, not the dlopen handle, so a stale
// HMODULE is refused rather than followed. dlopen answers a second load of
// the same library with the same handle and counts it; the layer keeps one
// module per dlopen handle with its own count of loads, so each LoadLibraryA
// matches one dlopen and each FreeLibrary one dlclose.
#include "platform/kernel/libraries.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/paths.h"

namespace platform {

namespace {

class Library final : public KernelObject {
 public:
  explicit Library(void* dl) : dl_(dl) {}
  bool ClosesWithCloseHandle() const override { return false; }
  void* dl() const { return dl_; }

 private:
  void* const dl_;
};

struct Loaded {
  uintptr_t value;  // the module's handle value
  int loads;
};

class Libraries {
 public:
  HMODULE Load(void* dl) {
    std::lock_guard lock(mutex_);
    auto [it, fresh] = loaded_.try_emplace(dl, Loaded{0, 0});
    if (fresh) it->second.value = KernelHandles().Insert(std::make_shared<Library>(dl));
    ++it->second.loads;
    return reinterpret_cast<HMODULE>(it->second.value);
  }

  // The module for a dlopen handle, without counting a load; null if none.
  HMODULE Find(void* dl) {
    std::lock_guard lock(mutex_);
    auto it = loaded_.find(dl);
    return it == loaded_.end() ? nullptr : reinterpret_cast<HMODULE>(it->second.value);
  }

  // Drops one load; the dlopen handle to close, or null for an unknown module.
  void* Free(HMODULE module) {
    std::lock_guard lock(mutex_);
    auto library = Lookup(module);
    if (!library) return nullptr;
    auto it = loaded_.find(library->dl());
    if (it == loaded_.end()) return nullptr;
    if (--it->second.loads == 0) {
      KernelHandles().Remove(it->second.value);
      loaded_.erase(it);
    }
    return library->dl();
  }

  static std::shared_ptr<Library> Lookup(HMODULE module) {
    return std::dynamic_pointer_cast<Library>(
        KernelHandles().Find(reinterpret_cast<uintptr_t>(module)));
  }

 private:
  std::mutex mutex_;
  std::map<void*, Loaded> loaded_;
};

Libraries& TheLibraries() {
  static auto* libraries = new Libraries;  // never destroyed, like the handle table
  return *libraries;
}

// The dlopen handle for the program and everything loaded with it.
void* ProgramDl() {
  static void* const dl = ::dlopen(nullptr, RTLD_NOW);
  return dl;
}

// Win32 tells a missing module from a file that is no library.
DWORD LoadError(const std::string& path) {
  if (path.find('/') == std::string::npos) return ERROR_MOD_NOT_FOUND;
  std::ifstream file(path, std::ios::binary);
  char magic[4] = {};
  if (!file.is_open()) return ERROR_MOD_NOT_FOUND;
  // An ELF file that failed to load lacks a library it needs, which Windows
  // also reports as a missing module.
  const bool elf = file.read(magic, sizeof magic) && std::memcmp(magic,
                                                                 "\x7f"
                                                                 "ELF",
                                                                 4) == 0;
  return elf ? ERROR_MOD_NOT_FOUND : ERROR_BAD_EXE_FORMAT;
}

void* DlFor(HMODULE module) {
  if (module == ProgramModule()) return ProgramDl();
  auto library = Libraries::Lookup(module);
  return library ? library->dl() : nullptr;
}

}  // namespace

bool LibraryPath(HMODULE module, std::string* path) {
  auto library = Libraries::Lookup(module);
  const link_map* map = nullptr;
  if (!library || ::dlinfo(library->dl(), RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) {
    return false;
  }
  *path = map->l_name;
  return true;
}

}  // namespace platform

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
  if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string path = platform::NativePath(lpLibFileName);
  void* dl = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (dl == nullptr) {
    SetLastError(platform::LoadError(path));
    return nullptr;
  }
  return platform::TheLibraries().Load(dl);
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr) return platform::ProgramModule();
  std::string path = platform::NativePath(lpModuleName);
  void* dl = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  HMODULE module = dl ? platform::TheLibraries().Find(dl) : nullptr;
  if (dl) ::dlclose(dl);  // RTLD_NOLOAD still counts a reference
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  void* dl = platform::DlFor(hModule);
  if (dl == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Values below 0x10000 are ordinals (MAKEINTRESOURCE); Linux exports have
  // names only.
  const bool by_ordinal = reinterpret_cast<uintptr_t>(lpProcName) < 0x10000;
  void* address = by_ordinal || lpProcName[0] == '#' ? nullptr : ::dlsym(dl, lpProcName);
  if (address == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(address);
}

BOOL FreeLibrary(HMODULE hLibModule) {
  if (hLibModule == platform::ProgramModule()) return TRUE;
  void* dl = platform::TheLibraries().Free(hLibModule);
  if (dl == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ::dlclose(dl);
  return TRUE;
}
