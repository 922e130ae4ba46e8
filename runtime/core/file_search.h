// Helpers 0 and 1: finding files one name at a time.
#pragma once

#include <cstdint>

#include "platform/win32.h"

namespace runtime {

// Helper 0. A non-empty `pattern` starts a new search (closing the one in
// *search); an empty or null one continues the search in *search. Returns the
// next matching name (without its folder) as a new text value, or null when
// there is none, after which the search is closed and *search is null.
//
// "." and ".." are never returned. The attribute mask is limited to 0x37; a
// name matches when each of its hidden (0x2), system (0x4) and directory
// (0x10) attributes is in the mask, so plain files always match. With
// `directories_only` set only directories match, still subject to the hidden
// and system bits of the mask.
char* FindNextFileName(const char* pattern, int32_t attribute_mask, int32_t directories_only,
                       HANDLE* search);

// Helper 1: closes a search handle from FindNextFileName; null is ignored.
void CloseFileSearch(HANDLE search);

}  // namespace runtime
