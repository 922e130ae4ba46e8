// The stored-record schemas of every unit type the runtime carries, found by
// library type code or by the type's English name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/forms/record_schema.h"

namespace runtime::units {

// Null for a type without a schema (menu items, types the runtime lacks).
const forms::RecordSchema* SchemaForType(uint32_t type_code);
const forms::RecordSchema* SchemaForTypeName(std::string_view type_name);

// Every schema, in library type-code order.
std::span<const forms::RecordSchema* const> AllSchemas();

}  // namespace runtime::units
