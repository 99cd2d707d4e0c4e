#include "BackupCheck.h"

#include "Descriptor.h"
#include "RunReport.h"

namespace orr::backupcheck {

// A backup without a manifest restores as it always did.
Checked beforeRestore(platform::Services& services, platform::ShellCopy& copy, const std::string& descriptorPath,
                      const std::string& backup, const std::atomic<bool>* stop) {
    Checked out;
    const std::string manifest = descriptor::manifestFor(services.files, descriptorPath, backup);
    if (manifest.empty()) {
        out.restore = true;
        return out;
    }
    const platform::VerifyOutcome checked = copy.verify(backup, manifest, stop);
    auto ask = [&](const std::string& question) {
        return services.messages.show(question, "Orrindale", platform::MsgButtons::yesNo,
                                      platform::MsgIcon::exclamation) == platform::MsgAnswer::yes;
    };
    if (checked.cancelled) return out;
    if (checked.unreadableManifest) {
        out.restore = ask("The list of this backup's files (" + manifest +
                          ") cannot be read, so its files cannot be checked. Restore them without checking?");
        return out;
    }
    if (!checked.damaged.empty() && !ask(report::damagedQuestion(checked))) return out;
    for (const auto& d : checked.damaged) out.leaveOut.push_back(backup + "\\" + d.path);
    out.restore = true;
    return out;
}

}  // namespace orr::backupcheck
