// The system's open-file dialog and folder chooser, answered by a helper
// thread that finds each dialog by its title, as a user would see it.
#include "platform/dialogs.h"
#include "support/test_root.h"
#include "support/ui_backends.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <thread>

namespace orr {
namespace {

// Waits for a top-level window of that title and hands it to `act`.
class DialogAnswer {
public:
    DialogAnswer(std::string title, std::function<void(HWND)> act)
        : thread_([title = std::move(title), act = std::move(act), this] {
              for (int i = 0; i < 200; ++i) {
                  if (HWND w = FindWindowA(nullptr, title.c_str())) {
                      found = true;
                      Sleep(300);  // let it finish setting itself up
                      act(w);
                      return;
                  }
                  Sleep(50);
              }
          }) {}
    ~DialogAnswer() { thread_.join(); }
    bool found = false;

private:
    std::thread thread_;
};

// The file name box: the classic dialog's edit, or the combo box of the
// Explorer-style one.
void typeFileName(HWND dialog, const std::string& name) {
    if (!SetDlgItemTextA(dialog, 0x47C /* cmb13 */, name.c_str()))
        SetDlgItemTextA(dialog, 0x480 /* edt1 */, name.c_str());
}

// The text of the chooser's selected folder, "" when none is selected.
std::string selectedFolder(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM found) -> BOOL {
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (lstrcmpiA(cls, "SysTreeView32") != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tree));
    if (!tree) return {};
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    char text[MAX_PATH] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

bool sameName(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

class SystemDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::desktopReady()) GTEST_SKIP() << "no desktop to show dialogs on";
    }
    test::TestRoot root;
    std::unique_ptr<platform::FileDialogs> dialogs = platform::makeFileDialogs();
};

TEST_F(SystemDialogs, OpenFileGivesTheTypedPathAndTheFolderChooserTheInitialFolderOrNothingAfterCancel) {
    platform::OpenFileRequest request{"Open Orrindale Test", std::string("Backup files BAK\0*.BAK\0", 23),
                                      ".BAK"};
    {
        DialogAnswer cancel(request.title, [](HWND w) { PostMessageA(w, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(dialogs->openFile(request), "");
    }

    // A name for a file that does not exist is taken as typed, with its
    // folder; the default extension is added only when such a file exists.
    const std::string typed = root.path("missing.txt");
    {
        DialogAnswer ok(request.title, [&](HWND w) {
            typeFileName(w, typed);
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(dialogs->openFile(request), typed);
    }

    HANDLE f = CreateFileA(root.path("old.BAK").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    {
        DialogAnswer ok(request.title, [&](HWND w) {
            typeFileName(w, root.path("old"));
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        });
        // One dot, not "old..BAK". (Wine adds the filter's extension as it
        // spells it in lower case; the letter case means nothing here.)
        EXPECT_TRUE(sameName(dialogs->openFile(request), root.path("old.BAK")));
    }

    const std::string start = root.path("start");
    ASSERT_TRUE(CreateDirectoryA(start.c_str(), nullptr));
    platform::FolderRequest folderRequest{"Quillvault Folder Test",
                                          "Select or create a new folder to backup to:", start};
    // Found by the title the chooser gets when it starts; OK once the tree
    // has moved to the initial folder (Wine fills it in steps). Wine now and
    // then stops filling it at the profile folder, so up to three tries.
    std::optional<std::string> chosen;
    for (int attempt = 0; attempt < 3 && !(chosen && sameName(*chosen, start)); ++attempt) {
        DialogAnswer ok(folderRequest.title, [](HWND w) {
            for (int i = 0; i < 200 && !sameName(selectedFolder(w), "start"); ++i) Sleep(50);
            PostMessageA(w, WM_COMMAND, IDOK, 0);
        });
        chosen = dialogs->pickFolder(folderRequest);
        EXPECT_TRUE(ok.found);
    }
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(sameName(*chosen, start)) << *chosen;
    {
        DialogAnswer cancel(folderRequest.title, [](HWND w) { PostMessageA(w, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_FALSE(dialogs->pickFolder(folderRequest).has_value());
    }
}

}  // namespace
}  // namespace orr
