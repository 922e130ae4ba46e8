#include <gtest/gtest.h>

#include <thread>

#include "platform/win32.h"

namespace {

TEST(OleInitialize, FirstCallOfAThreadIsOkLaterOnesAreFalseUntilBalanced) {
  EXPECT_EQ(OleInitialize(nullptr), S_OK);
  EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
  HRESULT other = E_INVALIDARG;
  std::thread([&] {
    other = OleInitialize(nullptr);
    OleUninitialize();
  }).join();
  EXPECT_EQ(other, S_OK) << "each thread keeps its own count";
  OleUninitialize();
  OleUninitialize();
  OleUninitialize();  // one too many: ignored
  EXPECT_EQ(OleInitialize(nullptr), S_OK) << "balanced calls start over";
  OleUninitialize();
  int reserved = 0;
  EXPECT_EQ(OleInitialize(&reserved), E_INVALIDARG);
  EXPECT_TRUE(FAILED(E_INVALIDARG));
  EXPECT_TRUE(SUCCEEDED(S_FALSE));
}

}  // namespace
