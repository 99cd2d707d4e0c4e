// The defaults of this layer's small services.
#include "platform/services.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using namespace platform;

TEST(PosixLocale, GeneralDateIsUsShortDateAndTimeExceptAtMidnight) {
    auto locale = makeLocale();
    EXPECT_EQ(locale->generalDate({2024, 1, 5, 15, 4, 5}), "1/5/2024 3:04:05 PM");
    EXPECT_EQ(locale->generalDate({2024, 12, 25, 0, 0, 1}), "12/25/2024 12:00:01 AM");
    EXPECT_EQ(locale->generalDate({2024, 12, 25, 12, 30, 0}), "12/25/2024 12:30:00 PM");
    EXPECT_EQ(locale->generalDate({1999, 7, 4, 0, 0, 0}), "7/4/1999");
    EXPECT_EQ(locale->decimalSeparator(), ".");
}

TEST(PosixMessageBoxes, PrintCaptionAndTextAndAnswerLikeADismissal) {
    auto boxes = makeMessageBoxes();
    testing::internal::CaptureStderr();
    EXPECT_EQ(boxes->show("Error copying File", "Orrindale"), MsgAnswer::ok);
    EXPECT_EQ(boxes->show("Overwrite File?", "Orrindale", MsgButtons::yesNo, MsgIcon::exclamation),
              MsgAnswer::no);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Orrindale: Error copying File\nOrrindale: Overwrite File?\n");
}

}  // namespace
}  // namespace orr
