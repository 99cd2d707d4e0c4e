// The two sides of one folder copy, as the copy walks them: first the
// source is listed whole, then each folder and file is made on the other
// side in that order, so even a copy into its own folder ends (refusing
// one is the caller's part). Two kinds: straight on the host (fast), and
// through any FileSystem service (for a service that is not this tree's
// own).
#pragma once

#include "platform/filesystem.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform::posix {

// One entry below the copied folder. Folders come before what they hold.
struct CopyItem {
    static constexpr std::size_t top = static_cast<std::size_t>(-1);
    std::size_t parent = top;  // index of its folder; `top` inside the copied folder
    std::string name;
    bool folder = false;
    std::uint64_t bytes = 0;
};

class CopyTrees {
public:
    virtual ~CopyTrees() = default;

    // Lists the source into `items`.
    virtual Status scan() = 0;
    // Makes the folder the copy lands in, destination\<name>, with every
    // missing level of the destination.
    virtual Status makeLanding() = 0;
    // Makes item `i`'s folder (an existing one is merged into), or copies
    // item `i`'s file over whatever file of that name is there, read-only
    // or not, keeping its time and attributes.
    virtual Status makeFolder(std::size_t i) = 0;
    virtual Status copyFile(std::size_t i) = 0;

    std::vector<CopyItem> items;
    // The name of the entry the last failure concerns ("" for the copied
    // folder itself).
    std::string failedName;
};

// Over host folders: `source`, `destination`, and `inside`, where the copy
// lands (destination/<source's name>, as the file-system service resolves
// it).
std::unique_ptr<CopyTrees> hostTrees(std::filesystem::path source, std::filesystem::path destination,
                                     std::filesystem::path inside);
// Over a file-system service, Windows paths throughout.
std::unique_ptr<CopyTrees> serviceTrees(FileSystem& files, std::string source,
                                        std::string destination);

}  // namespace orr::platform::posix
