// A stand-in runtime for the application's tests: an entry table and a
// command table that record every call the application makes, answer
// property reads and commands from what the test set up, and keep account
// of the blocks the application was handed and freed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/runtime_link.h"

namespace app::testing {

// One argument record as the callee saw it; a text's bytes are copied at
// call time, since the application frees them afterwards.
struct SeenArgument {
  runtime::ValueRecord record;
  std::string text;  // for text records with a non-null address
};

struct SeenCall {
  std::string what;                     // "read", "write", "command", "helper", "load", "loop"
  int32_t number = 0;                   // command position, helper number, property index
  uint32_t unit = 0;                    // property calls and start window
  uint64_t value = 0;                   // written value (both words)
  std::vector<SeenArgument> arguments;  // commands only
};

class FakeRuntime {
 public:
  FakeRuntime();   // installs the tables in the application's link
  ~FakeRuntime();  // puts the previous tables back and frees what is left
  FakeRuntime(const FakeRuntime&) = delete;
  FakeRuntime& operator=(const FakeRuntime&) = delete;

  // Answers: property (unit, index) reads give these. A text answer is
  // handed out as a fresh block each time, as the runtime does; an absent
  // key reads 0 (null).
  std::map<std::pair<uint32_t, int32_t>, uint32_t> integers;
  std::map<std::pair<uint32_t, int32_t>, std::string> texts;
  std::map<std::pair<uint32_t, int32_t>, std::string> byte_sets;
  // Command answers by position; unset commands leave the result zero.
  std::map<int32_t,
           std::function<runtime::ValueRecord(int32_t count, const runtime::ArgumentRecord* args)>>
      commands;

  std::vector<SeenCall> calls;

  // Blocks handed out through the allocator (and by the answers above) that
  // were not freed yet; frees of anything else that is not constant data.
  std::set<void*> live_blocks;
  int32_t foreign_frees = 0;

  // A fresh heap text or byte set, counted as handed out.
  char* NewText(const std::string& text);
  void* NewByteSet(const std::string& bytes);

  // The calls of one kind, in order.
  std::vector<SeenCall> CallsOf(const std::string& what) const;

 private:
  RuntimeLink previous_;
};

}  // namespace app::testing
