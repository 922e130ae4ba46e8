#include "app/runtime_link.h"

#include <vector>

namespace app {

namespace {

RuntimeLink g_link = {&runtime::EntryTable(), runtime::RuntimeLibrary().command_routines};

void* PointerFrom(uint64_t value) { return reinterpret_cast<void*>(static_cast<uintptr_t>(value)); }

}  // namespace

const RuntimeLink& Runtime() { return g_link; }

RuntimeLink SetRuntimeLink(const RuntimeLink& link) {
  const RuntimeLink previous = g_link;
  g_link = link;
  return previous;
}

runtime::ValueRecord CallCommand(runtime::RuntimeCommand command,
                                 std::initializer_list<runtime::ArgumentRecord> arguments) {
  // The command routine receives the records as a writable array, the
  // convention's shape, so they are copied out of the initializer list.
  std::vector<runtime::ArgumentRecord> records(arguments);
  return g_link.entries->call_command(g_link.commands[command],
                                      static_cast<int32_t>(records.size()),
                                      records.empty() ? nullptr : records.data());
}

uint32_t ReadIntProperty(uint32_t window_id, uint32_t unit_id, int32_t index) {
  return static_cast<uint32_t>(g_link.entries->read_property(window_id, unit_id, index, 0));
}

char* ReadTextProperty(uint32_t window_id, uint32_t unit_id, int32_t index) {
  return static_cast<char*>(
      PointerFrom(g_link.entries->read_property(window_id, unit_id, index, 0)));
}

void* ReadByteSetProperty(uint32_t window_id, uint32_t unit_id, int32_t index) {
  return PointerFrom(g_link.entries->read_property(window_id, unit_id, index, 0));
}

void WriteIntProperty(uint32_t window_id, uint32_t unit_id, int32_t index, uint32_t value) {
  g_link.entries->write_property(window_id, unit_id, index, 0, value, 0);
}

void WriteTextProperty(uint32_t window_id, uint32_t unit_id, int32_t index, const char* text) {
  // An address takes both words where it is wider than 32 bits; on a 32-bit
  // build the extra word is 0 like every other write.
  const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(text));
  g_link.entries->write_property(window_id, unit_id, index, 0, static_cast<uint32_t>(bits),
                                 static_cast<uint32_t>(bits >> 32));
}

void* MemAlloc(uint32_t size) { return g_link.entries->mem_alloc(size); }

void MemFree(void* block) { g_link.entries->mem_free(block); }

}  // namespace app
