// The restore run: started by the restore wizard when it reaches Step 2,
// it drives the wizard through Steps 3 and 4 to Finish while the game data
// sets copy the backup back into the game folder.
#pragma once

#include <string>

namespace orr {

class Program;

class clsRestore {
public:
    explicit clsRestore(Program& program) : program_(program) {}

    // Next, RestoreSims (which moves the wizard on once itself), Next, then
    // three yields so that the Finish panel is painted. A run whose copies
    // did not all complete says so instead and goes back to Step 1. Errors
    // pass to the caller unchanged.
    void Restore();

private:
    Program& program_;
};

}  // namespace orr
