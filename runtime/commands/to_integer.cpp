#include "runtime/commands/to_integer.h"

#include "runtime/commands/commands.h"

namespace runtime {

namespace {

// The ASCII byte a GBK pair stands for, or 0 when it is not a folded form.
char FoldedPair(uint8_t lead, uint8_t trail) {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
  if (lead != 0xA1) return 0;
  switch (trail) {
    case 0xA1:
      return ' ';  // ideographic space
    case 0xAB:
      return '~';
    case 0xEE:
    case 0xEF:
      return '*';  // white and black star
    default:
      return 0;
  }
}

// The text as it reads after full-width folding, one byte at a time. A pair
// that does not fold yields its two bytes; a lone lead byte before the
// terminator ends the text.
class FoldedBytes {
 public:
  explicit FoldedBytes(const char* text) : p_(reinterpret_cast<const uint8_t*>(text ? text : "")) {
    Load();
  }
  uint8_t Peek() const { return current_; }
  uint8_t Next() {
    uint8_t byte = current_;
    Load();
    return byte;
  }

 private:
  void Load() {
    if (pending_trail_ != 0) {
      current_ = pending_trail_;
      pending_trail_ = 0;
      return;
    }
    current_ = *p_;
    if (current_ == 0) return;
    ++p_;
    if (current_ < 0x80) return;
    if (*p_ == 0) {
      current_ = 0;
      return;
    }
    uint8_t trail = *p_++;
    char ascii = FoldedPair(current_, trail);
    if (ascii != 0) {
      current_ = static_cast<uint8_t>(ascii);
    } else {
      pending_trail_ = trail;
    }
  }

  const uint8_t* p_;
  uint8_t current_ = 0;
  uint8_t pending_trail_ = 0;
};

bool IsParseSpace(uint8_t c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

int32_t IntegerFromValue(const ValueRecord& value) {
  switch (value.type) {
    case type::kText:
      return TextToInteger(value.AsText());
    case type::kBool:
    case type::kCodeAddress:
      return static_cast<int32_t>(value.low);
    case type::kByte:
    case type::kShort:
    case type::kInt:
    case type::kLong:
    case type::kFloat:
    case type::kDouble:
      return ValueToInteger(value);
    default:  // date-time, byte set, omitted, anything else
      return 0;
  }
}

}  // namespace

int32_t TextToInteger(const char* text) {
  FoldedBytes bytes(text);
  while (IsParseSpace(bytes.Peek())) bytes.Next();
  bool negative = false;
  if (bytes.Peek() == '+' || bytes.Peek() == '-') negative = bytes.Next() == '-';
  uint32_t value = 0;
  while (bytes.Peek() >= '0' && bytes.Peek() <= '9') value = value * 10u + (bytes.Next() - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

void ToInteger(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->SetInt32(IntegerFromValue(ArgumentAt(count, args, 0)));
}

}  // namespace runtime
