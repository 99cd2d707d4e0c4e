// Where the posix registry keeps its keys: the text file registry.cpp
// describes. Tests take its write permission away to lock every key.
#pragma once

#include <filesystem>

namespace orr::platform {
struct Options;
namespace posix {
std::filesystem::path registryFile(const Options& options);
}
}  // namespace orr::platform
