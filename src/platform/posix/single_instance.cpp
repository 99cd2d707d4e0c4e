// The POSIX layer runs the program only under the driver and the tests,
// never as a desktop program a user starts twice: every claim is granted,
// and there is no other copy to show. Nothing more is needed for now.
#include "platform/single_instance.h"

namespace orr::platform {

std::unique_ptr<InstanceClaim> claimOnlyInstance() { return std::make_unique<InstanceClaim>(); }

bool showRunningInstance() { return false; }

}  // namespace orr::platform
