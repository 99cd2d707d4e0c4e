// One copy of the program at a time in the user's session: two copies
// would stack their windows on each other, and two restores could write
// into the same game at once.
#pragma once

#include <memory>

namespace orr::platform {

// This copy's claim to be the session's one, held for as long as it lives.
class InstanceClaim {
public:
    virtual ~InstanceClaim() = default;
};

// Claims it; nothing when another copy holds it. A claim that cannot be
// checked (the system refuses the name) is granted: that failure must not
// keep the user out of the program.
std::unique_ptr<InstanceClaim> claimOnlyInstance();

// Brings the front window of the copy that holds the claim to the front,
// waiting a few seconds for a copy that is still starting to show one.
// False when none showed.
bool showRunningInstance();

}  // namespace orr::platform
