#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/win32.h"
#include "tests/support/temp_dir.h"

namespace {

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH * 4] = {};
  DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return std::string(path, length);
}

TEST(Libraries, LibmLoadsOnceCountedAndGivesCos) {
  HMODULE libm = LoadLibraryA("libm.so.6");
  ASSERT_NE(libm, nullptr) << "error " << GetLastError();
  // Through void (*)(), the one function type GCC lets any other cast from.
  auto cosine = reinterpret_cast<double (*)(double)>(
      reinterpret_cast<void (*)()>(GetProcAddress(libm, "cos")));
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
  const std::string path = ModulePath(libm);
  EXPECT_EQ(path.substr(path.rfind('/') + 1), "libm.so.6") << "path: " << path;

  EXPECT_EQ(LoadLibraryA("libm.so.6"), libm) << "a second load gives the same module";
  EXPECT_EQ(GetModuleHandleA("libm.so.6"), libm);
  EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(libm))) << "modules close with FreeLibrary";
  EXPECT_TRUE(FreeLibrary(libm));
  EXPECT_NE(GetProcAddress(libm, "cos"), nullptr) << "one load is still counted";
  EXPECT_TRUE(FreeLibrary(libm));

  EXPECT_FALSE(FreeLibrary(libm)) << "the module is gone after its last load";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetProcAddress(libm, "cos"), nullptr);
  EXPECT_EQ(GetModuleHandleA("libm.so.6"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Libraries, OnlyNamedExportsAreFound) {
  HMODULE libm = LoadLibraryA("libm.so.6");
  ASSERT_NE(libm, nullptr);
  for (LPCSTR name : {"no_such_function", "#1", reinterpret_cast<LPCSTR>(uintptr_t{1}),
                      reinterpret_cast<LPCSTR>(uintptr_t{0xFFFF})}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(libm, name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  FreeLibrary(libm);
}

TEST(Libraries, FailedLoadsTellMissingFromMalformed) {
  EXPECT_EQ(LoadLibraryA("libmienzo-no-such-library.so"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadLibraryA("/no/such/folder/lib.so"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  testing_support::TempDir temp;
  const std::string text = temp.PathOf("notes.dll");
  std::ofstream(text) << "not a library at all";
  EXPECT_EQ(LoadLibraryA(text.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
}

TEST(Libraries, TheProgramIsAFixedModule) {
  HMODULE program = GetModuleHandleA(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_EQ(ModulePath(program), ModulePath(nullptr));
  EXPECT_NE(GetProcAddress(program, "cos"), nullptr) << "the program sees what it was linked with";
  EXPECT_TRUE(FreeLibrary(program));
  EXPECT_EQ(ModulePath(program), ModulePath(nullptr)) << "freeing the program changes nothing";

  char path[16];
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(uintptr_t{0x1230}), path, sizeof path),
            0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
