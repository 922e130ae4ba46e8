#include "app/fake_runtime.h"

#include <array>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/app_constants.h"
#include "runtime/core/byte_set.h"

namespace app::testing {

namespace {

FakeRuntime* g_fake = nullptr;

bool IsConstant(const void* block) {
  const auto* start = reinterpret_cast<const char*>(&Constants());
  const auto* at = static_cast<const char*>(block);
  return at >= start && at < start + kConstantDataSize;
}

void* Allocate(uint32_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  g_fake->live_blocks.insert(block);
  return block;
}

void Free(void* block) {
  if (block == nullptr || IsConstant(block)) return;
  if (g_fake->live_blocks.erase(block) == 0) {
    ++g_fake->foreign_frees;  // not ours: leave it alone rather than corrupt the heap
    return;
  }
  std::free(block);
}

uint64_t ReadProperty(uint32_t, uint32_t unit, int32_t index, int32_t) {
  g_fake->calls.push_back({"read", index, unit, 0, {}});
  const auto key = std::make_pair(unit, index);
  if (auto text = g_fake->texts.find(key); text != g_fake->texts.end()) {
    return reinterpret_cast<uintptr_t>(g_fake->NewText(text->second));
  }
  if (auto bytes = g_fake->byte_sets.find(key); bytes != g_fake->byte_sets.end()) {
    return reinterpret_cast<uintptr_t>(g_fake->NewByteSet(bytes->second));
  }
  auto integer = g_fake->integers.find(key);
  return integer != g_fake->integers.end() ? integer->second : 0;
}

void WriteProperty(uint32_t, uint32_t unit, int32_t index, int32_t, uint32_t low, uint32_t high) {
  g_fake->calls.push_back({"write", index, unit, (static_cast<uint64_t>(high) << 32) | low, {}});
}

void RunCommand(int32_t position, runtime::ValueRecord* result, int32_t count,
                runtime::ArgumentRecord* args) {
  SeenCall call{"command", position, 0, 0, {}};
  for (int32_t i = 0; i < count; ++i) {
    SeenArgument seen{args[i], {}};
    if (args[i].type == runtime::type::kText && args[i].AsText() != nullptr) {
      seen.text = args[i].AsText();
    }
    call.arguments.push_back(seen);
  }
  g_fake->calls.push_back(std::move(call));
  if (auto answer = g_fake->commands.find(position); answer != g_fake->commands.end()) {
    *result = answer->second(count, args);
  }
}

template <int32_t kPosition>
void RecordCommand(runtime::ValueRecord* result, int32_t count, runtime::ArgumentRecord* args) {
  RunCommand(kPosition, result, count, args);
}

template <size_t... kPositions>
constexpr std::array<runtime::CommandRoutine, sizeof...(kPositions)> MakeCommandTable(
    std::index_sequence<kPositions...>) {
  return {&RecordCommand<static_cast<int32_t>(kPositions)>...};
}

constexpr auto kCommandTable =
    MakeCommandTable(std::make_index_sequence<runtime::kRuntimeCommandCount>());

runtime::ValueRecord CallCommand(runtime::CommandRoutine routine, int32_t count,
                                 runtime::ArgumentRecord* args) {
  runtime::ValueRecord result{};
  routine(&result, count, args);
  return result;
}

// Of the helpers' own arguments only the exit routine's address is kept
// (helper 3), the only argument the application passes.
intptr_t CallHelper(int32_t helper, ...) {
  uint64_t value = 0;
  if (helper == 3) {
    va_list args;
    va_start(args, helper);
    value = reinterpret_cast<uintptr_t>(va_arg(args, runtime::ExitRoutine));
    va_end(args);
  }
  g_fake->calls.push_back({"helper", helper, 0, value, {}});
  return 0;
}

void LoadStartWindow(uint32_t window_id) { g_fake->calls.push_back({"load", 0, window_id, 0, {}}); }
void RunMessageLoop() { g_fake->calls.push_back({"loop", 0, 0, 0, {}}); }

const runtime::RuntimeEntryTable kEntries = [] {
  runtime::RuntimeEntryTable entries = runtime::EntryTable();  // unused entries stay real
  entries.call_command_too = CallCommand;
  entries.call_command = CallCommand;
  entries.read_property = ReadProperty;
  entries.write_property = WriteProperty;
  entries.mem_alloc = Allocate;
  entries.mem_free = Free;
  entries.run_message_loop = RunMessageLoop;
  entries.load_start_window = LoadStartWindow;
  entries.call_helper = CallHelper;
  return entries;
}();

}  // namespace

FakeRuntime::FakeRuntime() {
  g_fake = this;
  previous_ = SetRuntimeLink({&kEntries, kCommandTable.data()});
}

FakeRuntime::~FakeRuntime() {
  SetRuntimeLink(previous_);
  for (void* block : live_blocks) std::free(block);
  g_fake = nullptr;
}

char* FakeRuntime::NewText(const std::string& text) {
  if (text.empty()) return nullptr;  // the runtime hands out an empty text as null
  auto* block = static_cast<char*>(Allocate(static_cast<uint32_t>(text.size() + 1)));
  std::memcpy(block, text.c_str(), text.size() + 1);
  return block;
}

void* FakeRuntime::NewByteSet(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  auto* block = static_cast<char*>(Allocate(static_cast<uint32_t>(bytes.size() + 8)));
  const runtime::ByteSetHeader header{1, static_cast<int32_t>(bytes.size())};
  std::memcpy(block, &header, sizeof header);
  std::memcpy(block + sizeof header, bytes.data(), bytes.size());
  return block;
}

std::vector<SeenCall> FakeRuntime::CallsOf(const std::string& what) const {
  std::vector<SeenCall> matching;
  for (const SeenCall& call : calls) {
    if (call.what == what) matching.push_back(call);
  }
  return matching;
}

}  // namespace app::testing
