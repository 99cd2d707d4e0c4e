// Files and folders made, read and removed around a test, through any file
// system service and by full Windows paths.
#pragma once

#include "platform/filesystem.h"

#include <map>
#include <string>

namespace orr::test {

// Makes `folder` with every missing level above it.
void makeFolders(platform::FileSystem& files, const std::string& folder);
// Writes a file of exactly these bytes, making its folder first.
void writeFile(platform::FileSystem& files, const std::string& path, const std::string& bytes);
// Every entry below `folder`: relative path -> content, or "<dir>" for a
// folder; hidden and system entries included.
std::map<std::string, std::string> snapshot(platform::FileSystem& files, const std::string& folder);
// Deletes a folder with everything in it, read-only entries too.
void removeTree(platform::FileSystem& files, const std::string& folder);

}  // namespace orr::test
