// File name patterns as Win32 file searches match them.
//
// The search turns the pattern into the file system's expression language
// before matching: '?' becomes DOS_QM (one character, or none at the end of
// the name or before a '.'), a '*' followed by '.' becomes DOS_STAR (any run
// that does not take the name's final '.'), and a '.' followed by '?' or '*'
// or ending the pattern becomes DOS_DOT (a '.', or nothing once the name has
// ended). That is why "*.*" finds "noext", "*." finds only names without a
// dot, and "a??.txt" finds "a.txt".
#pragma once

#include <string_view>

namespace platform {

// Whether `name` matches `pattern`; ASCII letters match either case. Both are
// whole characters (UTF-32), so '?' stands for one character of any width.
bool MatchesSearchPattern(std::u32string_view pattern, std::u32string_view name);

}  // namespace platform
