// Matching of file names against the platform's wildcard patterns.
#pragma once

#include <string_view>

namespace orr::platform::posix {

// "*" matches any run of characters, "?" exactly one; letters match without
// regard to ASCII case. A pattern ending in ".*" also matches the names its
// part before ".*" matches, as with the platform: "*.*" matches every name
// and "a.*" matches "a".
bool wildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace orr::platform::posix
