// The program's entry: the start-up procedure, and the whole run around it.
#pragma once

namespace orr {

class Program;

namespace Module1 {
// Lets pending events run twice, shows the main menu modeless, returns.
void Main(Program& program);
}  // namespace Module1

// Runs Module1.Main as the first event (its failures fall under the
// unhandled-error rule like any handler's).
void startProgram(Program& program);

// The whole program: start-up, then the message loop until the program
// ends (also when no window is left). Returns once it has ended where the
// toolkit unwinds instead of exiting the process.
void runProgram(Program& program);

}  // namespace orr
