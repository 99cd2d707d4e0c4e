// Prepares the standard streams of a console program (the scenario driver,
// the tests): bytes pass unchanged, "\n" stays "\n", text is UTF-8.
#pragma once

namespace orr::platform {

void prepareConsole();

}  // namespace orr::platform
