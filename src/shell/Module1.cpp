#include "Module1.h"

#include "Program.h"
#include "frmMain.h"

namespace orr {

void Module1::Main(Program& program) {
    program.services.events.process();
    program.services.events.process();
    program.mainMenu().show();
}

void startProgram(Program& program) {
    program.gui.dispatch([&] { Module1::Main(program); });
}

void runProgram(Program& program) {
    try {
        startProgram(program);
        program.gui.run();
        program.end();  // no window left: nothing can happen any more
    } catch (const ui::ProgramEnded&) {
    }
}

}  // namespace orr
