// The web page link: the temporary page file, the browser it finds and
// starts, and that the page file never stays behind. A desktop without a
// browser for HTML files is the main-menu-link scenario's.
#include "program_fixture.h"
#include "shell/ProductPage.h"
#include "toolkit/toolkit_fixture.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

const std::string pageFile = "C:\\temphtm.HTM";
const std::string pageRecord = "\"<HTML> <\\HTML>\"\r\n";

class ProductPage : public ::testing::Test, public test::ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start("headless"));
        // What the browser finder sees of the page file while it asks.
        browser.onFind = [&](const std::string& file) { contentAsked = files().readFile(file); };
    }
    std::optional<std::string> contentAsked;
};

// The browser and the address it starts with, and that the page file goes,
// are the main-menu-link scenario's.
TEST_F(ProductPage, StartsTheBrowserOverTheMenuWhileThePageFileHoldsOneRecordOrSaysItDidNot) {
    file(pageFile, "an older page, longer than the new one\r\n");
    openProductPage(*program, 1234);
    ASSERT_EQ(browser.asked, std::vector<std::string>{pageFile});
    EXPECT_EQ(contentAsked, pageRecord);
    ASSERT_EQ(browser.started.size(), 1u);
    EXPECT_EQ(browser.started[0].owner, 1234u);

    // A browser that does not start is reported, and the page file goes.
    browser.startSucceeds = false;
    openProductPage(*program, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Web Page not Opened");
    EXPECT_EQ(messages.shown[0].caption, "URL Failed");
    EXPECT_EQ(messages.shown[0].icon, platform::MsgIcon::exclamation);
    EXPECT_FALSE(files().exists(pageFile));
}

// A drive root the user may not write to.
class ClosedRoot final : public test::RecordingFileSystem {
public:
    using RecordingFileSystem::RecordingFileSystem;
    std::unique_ptr<platform::OutputFile> openOutput(std::string_view path) override {
        if (path == pageFile) throw RunError::pathFileAccess();
        return RecordingFileSystem::openOutput(path);
    }
};

TEST(ProductPageFallback, AClosedDriveRootSendsThePageFileToTheTemporaryFolder) {
    test::ProgramFixture f;
    ClosedRoot closed(*f.native.files);
    ASSERT_TRUE(f.start("headless", &closed));
    test::makeFolders(closed, f.root.path("Temp"));
    std::optional<std::string> content;
    f.browser.onFind = [&](const std::string& file) { content = closed.readFile(file); };

    openProductPage(*f.program, 0);
    const std::string fallback = f.root.path("Temp\\temphtm.HTM");
    EXPECT_EQ(f.browser.asked, std::vector<std::string>{fallback});
    EXPECT_EQ(content, pageRecord);
    EXPECT_EQ(f.browser.started.size(), 1u);
    EXPECT_FALSE(closed.exists(fallback));
    EXPECT_FALSE(closed.exists(pageFile));
    f.program.reset();  // before the file system it was given
}

}  // namespace
}  // namespace orr
