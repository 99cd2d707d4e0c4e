// The web page link: the temporary page file, the browser it finds, the two
// failure messages, and that the page file never stays behind.
#include "program_fixture.h"
#include "shell/ProductPage.h"

#include <gtest/gtest.h>

namespace orr {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

const std::string pageFile = "C:\\temphtm.HTM";
const std::string pageRecord = "\"<HTML> <\\HTML>\"\r\n";

class ProductPage : public ::testing::Test, public test::ProgramFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(start("headless"));
        // What the browser finder sees of the page file while it asks.
        browser.onFind = [&](const std::string& file) { contentAsked = files().readFile(file); };
    }

    void open() { openProductPage(*program, 1234); }

    std::optional<std::string> contentAsked;
};

TEST_F(ProductPage, StartsTheAssociatedBrowserWithTheAddressAndRemovesThePageFile) {
    open();
    ASSERT_EQ(browser.asked, std::vector<std::string>{pageFile});
    EXPECT_EQ(contentAsked, pageRecord);
    ASSERT_EQ(browser.started.size(), 1u);
    EXPECT_EQ(browser.started[0].program, *browser.association);
    EXPECT_EQ(browser.started[0].argument, "https://www.orrindale.example");
    EXPECT_EQ(browser.started[0].owner, 1234u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(files().exists(pageFile));
}

TEST_F(ProductPage, WithoutAnAssociatedBrowserSaysSoAndStillRemovesThePageFile) {
    browser.association.reset();
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Could not find associated Browser");
    EXPECT_EQ(messages.shown[0].caption, "Browser Not Found");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::exclamation);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::ok);
    EXPECT_TRUE(browser.started.empty());
    EXPECT_FALSE(files().exists(pageFile));
}

TEST_F(ProductPage, ABrowserThatDoesNotStartIsReportedAndThePageFileGoes) {
    browser.startSucceeds = false;
    open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Web Page not Opened");
    EXPECT_EQ(messages.shown[0].caption, "URL Failed");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::exclamation);
    EXPECT_FALSE(files().exists(pageFile));
}

TEST_F(ProductPage, AnExistingPageFileIsOverwrittenThenRemoved) {
    auto old = files().openOutput(pageFile);
    old->write("an older page, longer than the new one\r\n");
    old->close();
    open();
    EXPECT_EQ(contentAsked, pageRecord);
    EXPECT_FALSE(files().exists(pageFile));
}

// A drive root the user may not write to.
class ClosedRoot final : public platform::FileSystem {
public:
    explicit ClosedRoot(platform::FileSystem& inner) : inner_(inner) {}
    std::unique_ptr<platform::OutputFile> openOutput(std::string_view path) override {
        if (path == pageFile) throw RunError::pathFileAccess();
        return inner_.openOutput(path);
    }
    bool exists(std::string_view p) override { return inner_.exists(p); }
    std::optional<std::uint32_t> attributes(std::string_view p) override { return inner_.attributes(p); }
    platform::Status setAttributes(std::string_view p, std::uint32_t b) override { return inner_.setAttributes(p, b); }
    std::vector<platform::DirEntry> list(std::string_view p) override { return inner_.list(p); }
    std::optional<std::uint64_t> size(std::string_view p) override { return inner_.size(p); }
    std::optional<platform::DateTime> modified(std::string_view p) override { return inner_.modified(p); }
    platform::Status setModified(std::string_view p, const platform::DateTime& t) override {
        return inner_.setModified(p, t);
    }
    platform::Status removeFile(std::string_view p) override { return inner_.removeFile(p); }
    platform::Status copyFile(std::string_view f, std::string_view t) override { return inner_.copyFile(f, t); }
    platform::Status makeDirectory(std::string_view p) override { return inner_.makeDirectory(p); }
    platform::Status removeDirectory(std::string_view p) override { return inner_.removeDirectory(p); }
    std::optional<std::string> readFile(std::string_view p) override { return inner_.readFile(p); }
    std::string currentDirectory() override { return inner_.currentDirectory(); }
    platform::Status setCurrentDirectory(std::string_view p) override { return inner_.setCurrentDirectory(p); }

private:
    platform::FileSystem& inner_;
};

TEST(ProductPageFallback, AClosedDriveRootSendsThePageFileToTheTemporaryFolder) {
    test::ProgramFixture f;
    ClosedRoot closed(*f.native.files);
    platform::FileTable table(closed);
    f.gui = test::makeUiBackend("headless");
    platform::Services core = f.native.view();
    platform::Services services{closed,      core.profiles, f.messages,  core.pointer,
                                core.events, core.clock,    core.locale, table};
    f.program = std::make_unique<Program>(
        services, Desktop{*f.gui, f.clipboard, f.browser, f.folders, *f.copies, f.dialogs});
    ASSERT_EQ(closed.makeDirectory(f.root.path("Temp")), platform::Status::ok);
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
