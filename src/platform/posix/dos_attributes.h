// The DOS attribute bits a POSIX file system has no place for, kept the way
// Wine and Samba keep them: in the "user.DOSATTRIB" extended attribute, as
// "0x" and hex digits.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orr::platform::posix {

// The stored bits, or nothing when the attribute is absent, unreadable or
// in a format other than hex text.
std::optional<std::uint32_t> readDosAttrib(const std::filesystem::path& host);

// Stores `bits`, or removes the attribute when `bits` is nothing. Returns
// the host's error number, 0 when done; a file system without extended
// attributes counts as done, as on Wine: the bits are then simply lost.
int writeDosAttrib(const std::filesystem::path& host, std::optional<std::uint32_t> bits);
int writeDosAttrib(int fd, std::optional<std::uint32_t> bits);

// The attribute bits the platform reports for an entry:
// - folders: directory, plus read-only, hidden, system and archive as stored
//   (a folder's read-only bit never touches its permissions, because a
//   read-only folder still takes new entries);
// - files: read-only when the owner may not write; hidden and system as
//   stored; archive as stored, else set (a plain file is archived, as the
//   platform reports a new file);
// - names beginning with "." are hidden, whatever is stored.
std::uint32_t dosAttributes(const std::filesystem::path& host, const struct stat& st,
                            std::string_view name);

}  // namespace orr::platform::posix
