#include "runtime/forms/unit_types.h"

#include "runtime/core/app_state.h"

namespace runtime::forms {

const UnitTypeDescriptor* FindUnitType(uint32_t type_code) {
  const uint32_t library_number = type_code >> 16;
  const uint32_t type_number = type_code & 0xFFFF;
  const auto& libraries = App().libraries;
  if (library_number == 0 || library_number > libraries.size() || type_number == 0) return nullptr;
  const LibraryDescriptor* library = libraries[library_number - 1].descriptor;
  if (library == nullptr || library->unit_types == nullptr) return nullptr;
  if (type_number > static_cast<uint32_t>(library->unit_type_count)) return nullptr;
  const UnitTypeDescriptor* type = &library->unit_types[type_number - 1];
  return type->handler_query != nullptr ? type : nullptr;
}

UnitHandler UnitTypeHandler(const UnitTypeDescriptor* type, int32_t number) {
  if (type == nullptr || type->handler_query == nullptr) return nullptr;
  return type->handler_query(number);
}

}  // namespace runtime::forms
