// The programs running in the user's session, by the name of their
// executable: what tells whether the game runs while its files are copied.
#pragma once

#include "ascii.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

// One running process's executable.
struct RunningImage {
    // Its base name as the system lists it ("Sims.exe").
    std::string name;
    // Its full Windows path; "" when it cannot be read (a process of
    // another user, or one that is ending).
    std::string path;

    friend bool operator==(const RunningImage&, const RunningImage&) = default;
};

class Processes {
public:
    virtual ~Processes() = default;
    // The running processes whose executable's base name is `baseName`
    // (letter case ignored), in no particular order. Only those are asked
    // for their path. Nothing when the system's list cannot be read.
    virtual std::optional<std::vector<RunningImage>> running(std::string_view baseName) = 0;
};

// A list its owner sets: the driver's and the tests', and the POSIX
// layer's own.
class ScriptedProcesses final : public Processes {
public:
    std::vector<RunningImage> images;
    // False: the list cannot be read.
    bool readable = true;

    std::optional<std::vector<RunningImage>> running(std::string_view baseName) override {
        if (!readable) return std::nullopt;
        std::vector<RunningImage> out;
        for (const RunningImage& image : images)
            if (ascii::equal(image.name, baseName)) out.push_back(image);
        return out;
    }
};

// Windows: the system's process list, each match's path asked of the
// system. POSIX: a ScriptedProcesses that lists nothing.
std::unique_ptr<Processes> makeProcesses();

}  // namespace orr::platform
