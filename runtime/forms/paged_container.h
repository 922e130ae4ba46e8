// Paged containers (type flag 0x100): their child list holds page groups
// separated by 0 entries, and only the units of the page that shows are
// visible. No unit type of this program is one, so the framework keeps no
// page state: the page that shows is always the first.
#pragma once

#include <cstdint>

#include "runtime/forms/loaded_window.h"

namespace runtime::forms {

// The page of container entry `container` that shows.
int32_t CurrentPage(const LoadedWindow& window, int32_t container);

// The entry of the paged container that holds entry `index`, or -1.
int32_t PagedContainerOf(const LoadedWindow& window, int32_t index);

// The page of the container's child list that lists `unit_id`; -1 when it is
// not listed.
int32_t PageOfChild(const LoadedWindow& window, int32_t container, uint32_t unit_id);

// Whether entry `index` may show: true unless it sits in a paged container
// on a page that does not show.
bool OnShownPage(const LoadedWindow& window, int32_t index);

// Shows the live units of the page that shows whose records say visible
// (SW_SHOWNA) and hides those of the other pages.
void ApplyPageVisibility(LoadedWindow& window, int32_t container);

}  // namespace runtime::forms
