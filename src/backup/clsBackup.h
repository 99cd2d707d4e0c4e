// The work that belongs to each step of the backup wizard. The wizard makes
// a new one for every press of Next and calls Backup() once the step has
// moved on; it keeps nothing between calls.
#pragma once

#include <string>

namespace orr {

struct SetsOutcome;

class Program;

class clsBackup {
public:
    explicit clsBackup(Program& program) : program_(program) {}

    // Step 3: locks the buttons but Cancel and copies the game data (which
    // moves the wizard to 4 and, once the descriptor is written into the
    // folder box's folder, to 5 from inside); a run that did not complete
    // takes the wizard back to Step 2. Step 4: locks them again. Each test
    // reads the step as it stands at that moment.
    void Backup();

private:
    void lockButtons();

    Program& program_;
};

}  // namespace orr
