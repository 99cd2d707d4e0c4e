// Windows path text, as pure functions: nothing here asks the file system.
// "\" and "/" both separate; letter case is ignored where paths are
// compared, as Windows does. Whether two paths name the same place on disk
// (links, mapped drives) is liesWithin()'s question (copy_io.h), not these.
#pragma once

#include <string>
#include <string_view>

namespace orr::platform {

// "D:\x" or a network path "\\server\share\x" (also "\\?\D:\x"): one that
// does not depend on a current folder. "D:x", "D:" and "\x" are not.
bool isFullPath(std::string_view path);

// The volume a full path lies on, as messages name it: "D:\" or
// "\\server\share\"; "" for a path that is not full.
std::string volumeOf(std::string_view path);

// The last level: "c" of "a\b\c\", "" of "".
std::string lastLevel(std::string_view path);

// `folder` and `name` joined by one separator.
std::string joinPath(std::string_view folder, std::string_view name);

// Without closing separators, but never shorter than its volume's root
// ("D:\" stays).
std::string withoutClosingSeparator(std::string path);

// Whether `inner` is `outer` or lies below it, by their text alone.
bool containsPath(std::string_view outer, std::string_view inner);

}  // namespace orr::platform
