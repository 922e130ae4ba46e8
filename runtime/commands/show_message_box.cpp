#include "runtime/commands/show_message_box.h"

#include "platform/win32.h"
#include "runtime/commands/number_text.h"
#include "runtime/core/hooks.h"
#include "runtime/core/messages.h"

namespace runtime {

namespace {

// The message as text. Numbers and date-times are written into `buffer`
// (kNumberTextSize bytes); kinds that have no text show nothing.
const char* MessageText(const ValueRecord& message, char* buffer) {
  if (message.type == type::kText) return message.AsText() != nullptr ? message.AsText() : "";
  if (IsNumericType(message.type)) {
    NumberToText(message, buffer);
    return buffer;
  }
  if (message.type == type::kBool) return LogicalText(message.AsInt32());
  if (message.type == type::kDateTime) {
    DateTimeText(message.AsDouble(), buffer);
    return buffer;
  }
  return "";
}

// An omitted title is the default one. A title of another kind than text
// has no text to show, and its value word is no pointer to follow.
const char* TitleText(const ValueRecord& title) {
  if (title.IsOmitted()) return messages::MessageBoxTitle();
  if (title.type == type::kText && title.AsText() != nullptr) return title.AsText();
  return "";
}

// A window unit names its window by id: the registry knows its handle while
// it is loaded. An integer is taken as a handle; MessageBoxA refuses one that
// is not a window, which makes the result 0.
HWND OwnerWindow(int32_t count, const ArgumentRecord* args) {
  const ValueRecord owner = ArgumentAt(count, args, 3);
  if (owner.type == kWindowUnitType) {
    const auto lookup = Hooks().registered_window_handle;
    return lookup != nullptr ? lookup(owner.low) : nullptr;
  }
  if (owner.type == type::kInt) return reinterpret_cast<HWND>(static_cast<uintptr_t>(owner.low));
  return nullptr;
}

// The caller's type bits, task-modal unless they ask for system-modal.
// Setting the bit (rather than adding it) keeps flags that already carry it
// from turning into MB_HELP.
UINT BoxStyle(const ValueRecord& flags) {
  UINT style = IsNumericType(flags.type) ? static_cast<UINT>(ValueToInteger(flags)) : 0;
  if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
  return style;
}

// IDOK .. IDNO become 0 .. 6; anything else, a failure (0) included, 0.
int32_t ButtonIndex(int answer) { return answer >= IDOK && answer <= IDNO ? answer - IDOK : 0; }

}  // namespace

void ShowMessageBox(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  char number_text[kNumberTextSize] = {};
  const char* text = MessageText(ArgumentAt(count, args, 0), number_text);
  const UINT style = BoxStyle(ArgumentAt(count, args, 1));
  const char* title = TitleText(ArgumentAt(count, args, 2));
  const int answer = MessageBoxA(OwnerWindow(count, args), text, title, style);
  result->SetInt32(ButtonIndex(answer));
}

}  // namespace runtime
