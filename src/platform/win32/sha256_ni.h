// SHA-256 on the processor's own SHA instructions, where it has them. CNG
// uses them too on Windows, but Wine's bcrypt hashes in plain C at about a
// quarter of a gigabyte a second, and a copy hashes every byte twice.
#pragma once

#include "platform/sha256.h"

#include <memory>

namespace orr::platform::win32 {

// Nothing where the processor has no SHA instructions.
std::unique_ptr<Sha256> makeShaNi();

}  // namespace orr::platform::win32
