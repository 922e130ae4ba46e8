// The picture box unit type ("图片框", type 6): a child window showing
// picture bytes at natural size, stretched or fitted, which plays GIFs.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace runtime::units {

inline constexpr int32_t kPicBoxTypeNumber = 6;

// The descriptor that fills slot 6 of the runtime library.
UnitTypeDescriptor PicBoxTypeDescriptor();

namespace picbox {
inline constexpr uint32_t kTypeFlags = 0x840100C0;
inline constexpr int32_t kPropertyCount = 15;
}  // namespace picbox

}  // namespace runtime::units
