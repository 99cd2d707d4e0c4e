#include "BackupCheck.h"

#include "ClsSims.h"
#include "Descriptor.h"
#include "RunReport.h"
#include "platform/ascii.h"
#include "copy/manifest_files.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace orr::backupcheck {
namespace {

using Problem = platform::VerifyOutcome::Problem;

// Adds the files of the restored sets that `checked` does not list, in the
// order of their paths. A set that cannot be listed is named as unreadable:
// which of its files the manifest misses cannot be told.
void noteUnlisted(platform::FileSystem& files, const std::string& backup, const std::vector<std::string>& leftOutSets,
                  platform::VerifyOutcome& checked) {
    const std::size_t first = checked.damaged.size();
    std::unordered_set<std::string> listed;
    for (const auto& d : checked.listed) listed.insert(ascii::upper(d.path));
    for (const std::string& set : restoredSets(files, backup)) {
        if (std::any_of(leftOutSets.begin(), leftOutSets.end(), [&](const std::string& s) { return ascii::equal(s, set); }))
            continue;
        std::vector<std::string> found;
        if (platform::listSetFiles(files, backup, {set}, found) != platform::Status::ok) {
            checked.damaged.push_back({set, Problem::unreadable});
            continue;
        }
        for (std::string& file : found)
            if (!listed.count(ascii::upper(file))) checked.damaged.push_back({std::move(file), Problem::unchecked});
    }
    std::sort(checked.damaged.begin() + static_cast<std::ptrdiff_t>(first), checked.damaged.end(),
              [](const auto& a, const auto& b) { return ascii::less(a.path, b.path); });
}

}  // namespace

std::vector<std::string> restoredSets(platform::FileSystem& files, const std::string& backup) {
    namespace attr = platform::attr;
    std::vector<std::string> sets;
    for (const auto& e : files.list(backup + "\\*.*"))
        if ((e.attributes & attr::directory) && !(e.attributes & (attr::hidden | attr::system)) &&
            ClsSims::isUserData(e.name))
            sets.push_back(e.name);
    for (const char* name : {"Downloads", "GameData", "ExpansionShared\\SkinsBuy"})
        if (files.exists(backup + "\\" + name)) sets.emplace_back(name);
    return sets;
}

Checked beforeRestore(platform::Services& services, platform::FolderCopier& copy, const std::string& descriptorPath,
                      const std::string& backup, const std::atomic<bool>* stop,
                      const std::vector<std::string>& leftOutSets) {
    Checked out;
    auto ask = [&](const std::string& question) {
        return services.messages.show(question, "Orrindale", platform::MsgButtons::yesNo,
                                      platform::MsgIcon::exclamation) == platform::MsgAnswer::yes;
    };
    // One made before manifests were, or whose manifest was deleted.
    const std::string manifest = descriptor::manifestFor(services.files, descriptorPath, backup);
    if (manifest.empty()) {
        out.restore = ask("The backup in " + backup +
                          " has no list of its files (a .sha256 file beside its .BAK file), so its files cannot "
                          "be checked. Restore them without checking?");
        return out;
    }
    platform::VerifyOutcome checked = copy.verify(backup, manifest, stop, leftOutSets);
    if (checked.cancelled) return out;
    if (checked.unreadableManifest || checked.listed.empty()) {
        out.restore = ask("The list of this backup's files (" + manifest + ") " +
                          (checked.unreadableManifest ? "cannot be read" : "lists no files") +
                          ", so its files cannot be checked. Restore them without checking?");
        return out;
    }
    // Only files the manifest lists are left out; the others are restored
    // on Yes, since nothing tells them damaged.
    for (const auto& d : checked.damaged) out.leaveOut.push_back(backup + "\\" + d.path);
    noteUnlisted(services.files, backup, leftOutSets, checked);
    if (!checked.damaged.empty() && !ask(report::damagedQuestion(checked))) {
        out.leaveOut.clear();
        return out;
    }
    out.restore = true;
    out.listed = std::move(checked.listed);
    return out;
}

std::vector<std::string> digestMismatches(const std::vector<platform::CopyOutcome::FileDigest>& listed,
                                          const platform::CopyOutcome& copied, std::string_view set) {
    std::unordered_map<std::string, const platform::Digest*> byPath;
    for (const auto& d : listed) byPath.emplace(ascii::upper(d.path), &d.digest);
    // The copy names its files below the folder it landed in, the set's own
    // name: what lies above that in the set's path comes first.
    const std::size_t cut = set.rfind('\\');
    const std::string above(cut == std::string_view::npos ? std::string_view{} : set.substr(0, cut + 1));
    std::vector<std::string> out;
    for (const auto& d : copied.digests) {
        const std::string path = above + d.path;
        const auto it = byPath.find(ascii::upper(path));
        if (it != byPath.end() && *it->second != d.digest) out.push_back(path);
    }
    return out;
}

void failChangedFiles(SetsOutcome& restored, const std::vector<platform::CopyOutcome::FileDigest>& listed,
                      const std::string& backup) {
    const std::string prefix = backup + "\\";
    for (auto& c : restored.copies) {
        if (!ascii::equal(std::string_view(c.source).substr(0, prefix.size()), prefix)) continue;
        for (std::string& path : digestMismatches(listed, c.outcome, std::string_view(c.source).substr(prefix.size()))) {
            c.outcome.failures.push_back({backup + "\\" + path, platform::CopyReason::changed});
            if (c.outcome.completed()) c.outcome.result = platform::CopyOutcome::Result::failed;
        }
    }
}

}  // namespace orr::backupcheck
