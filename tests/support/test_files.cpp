#include "support/test_files.h"

#include <gtest/gtest.h>

namespace orr::test {

namespace attr = platform::attr;

void makeFolders(platform::FileSystem& files, const std::string& folder) {
    if (files.exists(folder)) return;
    // Levels down to the drive root's children; the root always exists.
    if (const auto sep = folder.find_last_of('\\'); sep != std::string::npos && sep > 2)
        makeFolders(files, folder.substr(0, sep));
    ASSERT_EQ(files.makeDirectory(folder), platform::Status::ok) << folder;
}

void writeFile(platform::FileSystem& files, const std::string& path, const std::string& bytes) {
    makeFolders(files, path.substr(0, path.find_last_of('\\')));
    auto out = files.openOutput(path);
    out->write(bytes);
    out->close();
}

namespace {

void collect(platform::FileSystem& files, const std::string& folder, const std::string& relative,
             std::map<std::string, std::string>& out) {
    for (const auto& e : files.list(folder + "\\*")) {
        const std::string full = folder + "\\" + e.name;
        const std::string rel = relative.empty() ? e.name : relative + "\\" + e.name;
        if (e.attributes & attr::directory) {
            out[rel] = "<dir>";
            collect(files, full, rel, out);
        } else {
            out[rel] = files.readFile(full).value_or("<unreadable>");
        }
    }
}

}  // namespace

std::map<std::string, std::string> snapshot(platform::FileSystem& files, const std::string& folder) {
    std::map<std::string, std::string> out;
    collect(files, folder, "", out);
    return out;
}

void removeTree(platform::FileSystem& files, const std::string& folder) {
    for (const auto& e : files.list(folder + "\\*")) {
        const std::string full = folder + "\\" + e.name;
        (void)files.setAttributes(full, 0);
        if (e.attributes & attr::directory)
            removeTree(files, full);
        else
            (void)files.removeFile(full);
    }
    (void)files.setAttributes(folder, 0);
    (void)files.removeDirectory(folder);
}

}  // namespace orr::test
