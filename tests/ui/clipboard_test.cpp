// The system clipboard holds plain text exactly as the program put it.
#include "platform/clipboard.h"
#include "support/ui_backends.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

TEST(Clipboard, HoldsTheTextPutOnItUntilEmptied) {
    if (!test::desktopReady()) GTEST_SKIP() << "no desktop for a clipboard";
    auto clipboard = platform::makeClipboard();
    const std::string path = "C:\\Backups\\Sims 2024 \xE2\x80\x93 J\xC3\xBCrgen";  // "–", "ü"
    clipboard->setText("an older text");
    clipboard->setText(path);
    EXPECT_EQ(clipboard->text(), path);
    clipboard->clear();
    EXPECT_EQ(clipboard->text(), "");
}

}  // namespace
}  // namespace orr
