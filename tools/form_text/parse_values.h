// Reading the arguments of one statement of a form file. Every function
// throws FormError naming the statement's line and what is wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/forms/record_schema.h"
#include "tools/form_text/form_parser.h"
#include "tools/form_text/form_syntax.h"

namespace tools::form_text {

// What values may read besides the statement: files, and the names that
// were read, for the dependency list.
struct ValueContext {
  const FileLoader* load = nullptr;
  std::vector<std::string>* files = nullptr;
};

[[noreturn]] void Fail(const Statement& statement, const std::string& message);

const std::string& Keyword(const Statement& statement);

// Exactly `count` arguments after the keyword, and no block.
void ExpectArguments(const Statement& statement, size_t count);

// A 32-bit word: decimal from -2147483648 to 4294967295, or 0x and up to
// eight hexadecimal digits.
uint32_t WordArgument(const Statement& statement, size_t index);
int32_t SignedArgument(const Statement& statement, size_t index);

// A quoted text's GBK bytes.
std::string TextArgument(const Statement& statement, size_t index);
// The same, for the texts of unit and menu records, which cannot hold a NUL.
std::string RecordTextArgument(const Statement& statement, size_t index);

// A byte value from argument `index` on (with the statement's block):
// none, hex ..., base64 ..., file "...".
std::string BytesArgument(const Statement& statement, size_t index, const ValueContext& context);

// The stored property record of a `properties` statement for a unit type
// with `schema` (null: no schema, only raw bytes are possible).
std::string PropertiesRecord(const Statement& statement, const runtime::forms::RecordSchema* schema,
                             const ValueContext& context);

}  // namespace tools::form_text
