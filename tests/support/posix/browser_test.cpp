// The POSIX browser service: the program the desktop's xdg-mime names for
// text/html, found through its desktop entry, started detached.
#include "platform/browser.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

namespace orr {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the test's lifetime.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvironmentVariable() {
        if (old_) ::setenv(name_, old_->c_str(), 1);
        else ::unsetenv(name_);
    }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

void writeFile(const fs::path& p, const std::string& content, bool executable = false) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << content;
    if (executable) ::chmod(p.c_str(), 0755);
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class XdgBrowser : public ::testing::Test {
protected:
    XdgBrowser() {
        std::string pattern = (fs::temp_directory_path() / "orr-browser-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        // xdg-mime answers from a file the test writes; the browser notes its argument.
        writeFile(dir / "bin/xdg-mime",
                  "#!/bin/sh\n[ \"$*\" = \"query default text/html\" ] && cat '" + (dir / "default").string() +
                      "' 2>/dev/null\n",
                  true);
        writeFile(dir / "bin/fake-browser",
                  "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + (dir / "out.tmp").string() + "' && mv '" +
                      (dir / "out.tmp").string() + "' '" + (dir / "out").string() + "'\n",
                  true);
        path.emplace("PATH", (dir / "bin").string() + ":/usr/bin:/bin");
        dataHome.emplace("XDG_DATA_HOME", (dir / "share").string());
        dataDirs.emplace("XDG_DATA_DIRS", (dir / "nothing").string());
    }
    ~XdgBrowser() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    void setDefault(const std::string& desktopId) { writeFile(dir / "default", desktopId + "\n"); }
    void addEntry(const std::string& relative, const std::string& exec) {
        writeFile(dir / "share/applications" / relative,
                  "[Desktop Action New]\nExec=wrong-program\n\n[Desktop Entry]\nName=Test\nExec=" + exec + "\n");
    }

    fs::path dir;
    std::optional<EnvironmentVariable> path, dataHome, dataDirs;
    std::unique_ptr<platform::Browser> browser = platform::makeBrowser();
};

TEST_F(XdgBrowser, FindsTheDefaultHtmlProgramThroughItsDesktopEntry) {
    addEntry("orr-test.desktop", "fake-browser %u");
    setDefault("orr-test.desktop");
    EXPECT_EQ(browser->findProgram("C:\\temphtm.HTM"), (dir / "bin/fake-browser").string());

    // "vendor-name.desktop" may live in a vendor folder; Exec may quote its program.
    addEntry("vendor/browser.desktop", "\"" + (dir / "bin/fake-browser").string() + "\" --new %U");
    setDefault("vendor-browser.desktop");
    EXPECT_EQ(browser->findProgram("C:\\temphtm.HTM"), (dir / "bin/fake-browser").string());
}

TEST_F(XdgBrowser, NoDefaultAnUnknownEntryOrAMissingProgramMeanNoBrowser) {
    EXPECT_EQ(browser->findProgram("C:\\temphtm.HTM"), std::nullopt);
    setDefault("unknown.desktop");
    EXPECT_EQ(browser->findProgram("C:\\temphtm.HTM"), std::nullopt);
    addEntry("gone.desktop", "not-installed-anywhere %u");
    setDefault("gone.desktop");
    EXPECT_EQ(browser->findProgram("C:\\temphtm.HTM"), std::nullopt);
}

TEST_F(XdgBrowser, StartsTheProgramWithTheAddressWithoutWaitingForIt) {
    const std::string address = "https://www.orrindale.example/a page?x=1&y=2";
    ASSERT_TRUE(browser->start((dir / "bin/fake-browser").string(), address, 0));
    // The browser runs on its own: wait (generously) for its note.
    for (int i = 0; i < 200 && !fs::exists(dir / "out"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(readFile(dir / "out"), address + "\n");

    EXPECT_FALSE(browser->start((dir / "bin/not-there").string(), address, 0));
}

}  // namespace
}  // namespace orr
