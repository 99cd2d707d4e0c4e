// libFuzzer target: the POSIX profile engine (ini_text, the file-backed
// profiles) and the restore wizard's acceptance of a .BAK descriptor.
//
// The input is a descriptor's bytes. Its last bytes (read from the end, as
// FuzzedDataProvider does) also pick a buffer size and the section, key and
// value of one write, so every input drives every part. Besides crashes,
// leaks and undefined behaviour, the checks below abort on results that
// break the engine's own contracts.
#include "gamedata/Descriptor.h"
#include "gamedata/GameFolder.h"
#include "platform/ini_text.h"
#include "platform/services.h"
#include "toolkit/MIni.h"
#include "ui/headless/NoDesktop.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
namespace ini = orr::platform::ini;

constexpr const char* kDescriptor = "C:\\t\\d.BAK";
constexpr const char* kBackupFolder = "C:\\t\\bk";

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "contract broken: %s\n", what);
    std::abort();
}

// One drive for the whole run, in memory where the host offers it, with
// C:\t\bk present so that a descriptor can be accepted.
class Drive {
public:
    Drive() {
        std::error_code ec;
        fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "orr-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        host_ = pattern;
        fs::create_directories(host_ / "drive_c" / "t" / "bk");
        options_.root = host_.string();
        native_ = std::make_unique<orr::platform::NativeServices>(options_);
    }
    ~Drive() {
        native_.reset();
        std::error_code ec;
        fs::remove_all(host_, ec);
    }
    orr::platform::Services services() { return native_->view(pointer_, events_); }

private:
    fs::path host_;
    orr::platform::Options options_;
    std::unique_ptr<orr::platform::NativeServices> native_;
    orr::ui::RememberedPointer pointer_;
    orr::ui::NoEvents events_;
};

Drive& drive() {
    static Drive d;
    return d;
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\v'; }

// Text that a profile line keeps as it is: no line end, no NUL, nothing
// that the reader trims from either end.
bool plain(std::string_view s) {
    if (s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return false;
    return s.empty() || (!blank(s.front()) && !blank(s.back()));
}
bool plainSection(std::string_view s) { return plain(s) && s.find(']') == std::string_view::npos; }
bool plainKey(std::string_view s) {
    return plain(s) && s.find('=') == std::string_view::npos &&
           (s.empty() || (s.front() != ';' && s.front() != '['));
}
bool plainValue(std::string_view s) {
    const bool quoted = s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
    return plain(s) && !quoted;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::string pick(FuzzedDataProvider& in, std::initializer_list<const char*> fixed) {
    const auto n = in.ConsumeIntegralInRange<std::size_t>(0, fixed.size());
    if (n < fixed.size()) return fixed.begin()[n];
    return in.ConsumeRandomLengthString(24);
}

// Reads cut to the buffer, and a smaller buffer gives a prefix of a larger one.
void checkReads(std::string_view text, std::size_t chosen) {
    for (const char* key : {"Version", "Backup_Location"}) {
        const std::string whole = ini::readValue(text, "Backup", key, "", 1 << 20);
        for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{5},
                                 std::size_t{255}, chosen}) {
            const std::string cut = ini::readValue(text, "Backup", key, "", size);
            require(cut.size() + 1 <= (size ? size : 1), "a read longer than its buffer");
            require(whole.compare(0, cut.size(), cut) == 0, "a short read is no prefix of the whole");
        }
        // The fallback comes back less its closing spaces when nothing is found.
        const std::string fallback = ini::readValue(text, "No Such Section", key, " x  ", 255);
        require(fallback == " x", "the fallback of a missing section");
    }
}

// A write reads back, writing it again changes nothing, and the
// descriptor's other keys keep their values.
void checkWrite(std::string_view text, FuzzedDataProvider& in) {
    const std::string section = pick(in, {"Backup", "backup", " Backup ", "Other", ""});
    const std::string key = pick(in, {"Version", "Backup_Location", "VERSION", "New"});
    const std::string value = pick(in, {"Sims", "C:\\t\\bk", "", "a=b;c"});

    const std::string updated = ini::writeValue(text, section, key, value);
    std::string_view sec = section, name = key;
    while (!sec.empty() && sec.front() == ' ') sec.remove_prefix(1);
    while (!sec.empty() && sec.back() == ' ') sec.remove_suffix(1);
    if (!plainSection(sec) || !plainKey(name) || !plainValue(value)) return;

    require(ini::readValue(updated, section, key, "-", 1 << 20) == value, "a written value does not read back");
    require(ini::writeValue(updated, section, key, value) == updated, "the same write twice changes the file");
    for (const char* other : {"Version", "Backup_Location"}) {
        if (sameIgnoringCase(sec, "Backup") && sameIgnoringCase(name, other)) continue;
        require(ini::readValue(updated, "Backup", other, "-", 1 << 20) ==
                    ini::readValue(text, "Backup", other, "-", 1 << 20),
                "a write changed another key");
    }
}

// The file-backed profiles read what the engine reads from the same bytes,
// and the wizard accepts exactly a Version of "Sims" with a folder there.
void checkDescriptor(orr::platform::Services& s, std::string_view text, std::size_t chosen) {
    for (const char* key : {"Version", "Backup_Location"})
        for (std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{255}, chosen})
            require(s.profiles.read(kDescriptor, "Backup", key, "", size) ==
                        ini::readValue(text, "Backup", key, "", size),
                    "the file-backed read differs from the engine's");

    const orr::descriptor::Verdict verdict = orr::descriptor::check(s, kDescriptor, {orr::kFixedGameFolder});
    const std::string version = orr::MIni::ReadIni(s, kDescriptor, "Backup", "Version");
    const std::string location = orr::MIni::ReadIni(s, kDescriptor, "Backup", "Backup_Location");
    require(version.size() <= 254 && location.size() <= 254, "ReadIni longer than 254 characters");
    if (verdict.accepted) {
        require(version == "Sims", "accepted without Version=Sims");
        require(verdict.backupFolder == location, "accepted with another folder than Backup_Location");
        const auto bits = s.files.attributes(location);
        require(bits && (*bits & orr::platform::attr::directory), "accepted a location that is no folder");
        require(!verdict.clearPath && verdict.message.empty(), "accepted with a message");
    } else {
        require(!verdict.message.empty() && !verdict.clearPath, "refused without its message, or cleared");
        require(!(version == "Sims" && location == kBackupFolder), "refused an existing folder");
    }
}

// The path the user typed: refusals come in the wizard's order, and
// whatever is accepted is a file that the profiles read.
void checkTypedPath(orr::platform::Services& s, FuzzedDataProvider& in) {
    const std::string path = pick(in, {kDescriptor, "c:/T/./D.bak. ", "C:\\t\\bk\\..\\d.BAK",
                                       "C:\\t\\bk", "C:\\t\\missing.BAK", "   ", ""});
    const orr::descriptor::Verdict verdict = orr::descriptor::check(s, path, {orr::kFixedGameFolder});
    if (path.empty()) {
        require(verdict.message == "Please select a file" && !verdict.clearPath, "an empty path");
    } else if (!s.files.exists(path)) {
        require(!verdict.accepted && verdict.clearPath, "a missing file not cleared");
    } else if (verdict.accepted) {
        require(s.profiles.read(path, "Backup", "Version", "", 255) == "Sims", "accepted a path without Sims");
    }
}

// A profile write through the files leaves exactly the engine's bytes.
void checkFileWrite(orr::platform::Services& s, std::string_view text, FuzzedDataProvider& in) {
    const std::string section = pick(in, {"Backup", "New Section"});
    const std::string key = pick(in, {"Backup_Location", "Extra"});
    const std::string value = pick(in, {"C:\\t\\bk", ""});
    require(s.profiles.write(kDescriptor, section, key, value), "a profile write failed");
    require(s.files.readFile(kDescriptor) == ini::writeValue(text, section, key, value),
            "the file differs from the engine's write");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider in(data, size);
    const std::size_t chosen = in.ConsumeIntegralInRange<std::size_t>(0, 300);

    checkReads(text, chosen);
    checkWrite(text, in);

    orr::platform::Services s = drive().services();
    {
        auto out = s.files.openOutput(kDescriptor);
        out->write(text);
        out->close();
    }
    checkDescriptor(s, text, chosen);
    checkTypedPath(s, in);
    checkFileWrite(s, text, in);
    return 0;
}
