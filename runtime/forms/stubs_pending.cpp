// Placeholders until property access, event dispatch and mouse pointers
// land; each is replaced by its own file.
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/mouse_pointer.h"
#include "runtime/forms/property_access.h"

namespace runtime::forms {

EventHandler FindHandler(uint32_t, uint32_t, int32_t) { return nullptr; }
int32_t RaiseEvent(EventRecord&) { return 0; }
int32_t RaiseTypedEvent(TypedEventRecord&) { return 0; }
bool CopyEventSource(uint32_t*) { return false; }
bool PreTranslateWindowMessage(LoadedWindow&, MSG*) { return false; }
uint64_t ReadProperty(uint32_t, uint32_t, int32_t, int32_t) { return 0; }
void WriteProperty(uint32_t, uint32_t, int32_t, int32_t, uint32_t, uint32_t) {}
HCURSOR CreatePointerCursor(std::span<const uint8_t>) { return nullptr; }

}  // namespace runtime::forms
