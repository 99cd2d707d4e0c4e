// The routines that `call NAME ARG...` reaches, by their own names
// ("clsFileSystem.GetFileExtension", "MIni.ReadIni", ...).
#pragma once

#include "Value.h"

#include <functional>
#include <map>
#include <string>

namespace orr::platform {
struct Services;
struct Options;
class Processes;
}

namespace orr::drive {

// A routine gets the services it runs on and its arguments. Missing
// trailing arguments are the routine's own business (optional parameters).
using Routine = std::function<Result(platform::Services&, const Args&)>;

class CallTable {
public:
    void add(std::string name, Routine r) { routines_[std::move(name)] = std::move(r); }
    const Routine* find(const std::string& name) const {
        auto it = routines_.find(name);
        return it == routines_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, Routine> routines_;
};

// Each group of routines registers itself here; defined beside the group.
void addToolkitCalls(CallTable& table);   // clsFileSystem, MIni, clsFile
// clsRegistry, over one registry of its own for the whole run (the
// registry is no part of Services).
void addRegistryCalls(CallTable& table, const platform::Options& options);
// GameRunning.gameRuns, over the processes the script sets (`running`).
void addGameCalls(CallTable& table, platform::Processes& processes);

}  // namespace orr::drive
