#include "ProductPage.h"

#include "Program.h"

namespace orr {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;

// One record in the quoted-text style: the markup between double quotes.
constexpr const char* PageRecord = "\"<HTML> <\\HTML>\"";

// Writes the page file and returns its path. The root of C: is closed to
// ordinary users on current systems: then the same name goes into the
// user's folder for temporary files.
std::string writePageFile(Program& program) {
    auto& table = program.services.fileTable;
    int number = table.freeFile();
    std::string page = "C:\\temphtm.HTM";
    try {
        table.openOutput(number, page);
    } catch (const RunError&) {
        page = program.folders.temporary() + "temphtm.HTM";
        table.openOutput(number, page);
    }
    table.printLine(number, PageRecord);
    table.close(number);
    return page;
}

}  // namespace

std::string productPageCaption() {
    std::string address = ProductPageAddress;
    auto scheme = address.find("://");
    return scheme == std::string::npos ? address : address.substr(scheme + 3);
}

void openProductPage(Program& program, std::uintptr_t owner) {
    const std::string page = writePageFile(program);
    auto browser = program.browser.findProgram(page);
    if (!browser) {
        program.services.messages.show("Could not find associated Browser", "Browser Not Found",
                                       MsgButtons::ok, MsgIcon::exclamation);
    } else if (!program.browser.start(*browser, ProductPageAddress, owner)) {
        program.services.messages.show("Web Page not Opened", "URL Failed", MsgButtons::ok,
                                       MsgIcon::exclamation);
    }
    if (auto status = program.services.files.removeFile(page); status != platform::Status::ok)
        throw platform::toRunError(status);
}

}  // namespace orr
