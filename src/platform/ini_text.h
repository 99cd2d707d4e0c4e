// The text rules of Windows profile (INI) files, on a file's bytes, for a
// system that has no profile functions of its own. Results follow what
// GetPrivateProfileStringA / WritePrivateProfileStringA give on Windows:
//
// - Lines end in CR LF, LF or a lone CR.
// - A line whose first non-blank character is "[" starts a section; its name
//   runs to the first "]" (or the line's end) and is trimmed of blanks.
//   Lines before the first section belong to no section and are never found.
// - Inside a section a line whose first non-blank character is ";" is a
//   comment. Any other non-blank line is an entry: the name is the text
//   before the first "=", the value the text after it, both trimmed of
//   blanks; an entry without "=" has no value.
// - Names match without regard to ASCII letter case; the first matching
//   section and, inside it, the first matching entry win.
//
// Blanks are space, tab and vertical tab. Section and key arguments lose
// only their leading and trailing spaces.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orr::platform::ini {

// The value of `key` in `section`, with one pair of matching surrounding
// quotes (" or ') removed. Without such an entry (or with an entry that has
// no value) it is `fallback` less its trailing spaces. Either is cut to
// bufferSize - 1 bytes; bufferSize 0 gives "". An empty `text` stands for a
// missing file.
std::string readValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t bufferSize);

// The file's new bytes after setting `key` in `section` to `value` (written
// as given). An existing entry's line becomes "name=value", keeping the
// file's spelling of the name; a new entry goes after the section's last
// entry line, or right after its header; a new section goes at the end.
// Every other byte is kept. New lines end in CR LF, and a last line without
// a line end gets CR LF first. An empty `text` stands for a missing file.
std::string writeValue(std::string_view text, std::string_view section, std::string_view key,
                       std::string_view value);

}  // namespace orr::platform::ini
