// The product's web page, opened in the browser that the system associates
// with HTML files. That browser is found through a temporary page file,
// which exists only during the call.
#pragma once

#include <cstdint>
#include <string>

namespace orr {

class Program;

// The page's address, with its scheme.
inline constexpr const char* ProductPageAddress = "https://www.orrindale.example";

// The address as the link shows it: without its scheme.
std::string productPageCaption();

// Writes the temporary page file, asks for the program that opens it,
// starts that program with the address (owned by window `owner`), and
// deletes the file again. The two failures are reported in message boxes;
// failures of the page file itself pass on to the caller.
void openProductPage(Program& program, std::uintptr_t owner);

}  // namespace orr
