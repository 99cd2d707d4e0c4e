// How the user starts a refused or failed run again, in the words of its
// messages: a wizard's Next button, or the command given anew.
#pragma once

#include <string_view>

namespace orr {

struct Retry {
    std::string_view tryAgain;  // "..., then <tryAgain>."
    std::string_view again;     // "..., then <again>."
};
inline constexpr Retry kWizardRetry{"click Next to try again", "press Next again"};
inline constexpr Retry kCommandRetry{"run the backup again", "run the backup again"};

}  // namespace orr
