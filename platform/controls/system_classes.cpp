#include "platform/controls/system_classes.h"

#include <mutex>

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_box.h"
#include "platform/controls/static.h"
#include "platform/controls/tooltip.h"
#include "platform/controls/up_down.h"
#include "platform/user/scroll_bar.h"

namespace platform::controls {

namespace {

// Each standard control registers its class through one of these; they are
// built on the public facade, like any program's own controls.
using Registrar = void (*)();
constexpr Registrar kRegistrars[] = {
    nullptr,  // the controls add themselves here
    user::RegisterScrollBarClass,
    RegisterEditClass,
    RegisterButtonClass,
    RegisterStaticClass,
    RegisterListBoxClasses,
    RegisterComboBoxClass,
    RegisterUpDownClass,
    RegisterTooltipClass,
};

}  // namespace

void RegisterSystemClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (Registrar registrar : kRegistrars) {
      if (registrar) registrar();
    }
  });
}

}  // namespace platform::controls
