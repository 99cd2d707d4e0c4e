#include "clsFile.h"

#include "text.h"

namespace orr {

// Every call replaces the whole file. The file is closed again even when
// the write fails, so no number of the file table stays taken.
void clsFile::FileWrite(const std::string& strFileName, const std::string& strText) {
    auto& table = s_.fileTable;
    const int number = table.freeFile();
    table.openOutput(number, strFileName);
    try {
        table.printLine(number, strText);
    } catch (...) {
        try {
            table.close(number);
        } catch (const RunError&) {
            // the write failure is the one the caller hears of
        }
        throw;
    }
    table.close(number);
}

std::string clsFile::sRemoveLastChar(const std::string& sPassString) {
    return text::removeLastChar(sPassString);
}

Variant clsFile::LastChar(const std::string& strText) { return Variant(text::lastChar(strText)); }

}  // namespace orr
