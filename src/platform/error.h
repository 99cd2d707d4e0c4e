// Run-time errors that pass to the caller: a number and a description in the
// style of the platform's own run-time errors, plus the raising component.
#pragma once

#include <stdexcept>
#include <string>

namespace orr {

class RunError : public std::runtime_error {
public:
    RunError(int number, std::string description, std::string source = "Orrindale")
        : std::runtime_error(description), number_(number),
          description_(std::move(description)), source_(std::move(source)) {}

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& source() const noexcept { return source_; }

    // The platform's numbered run-time errors that this program can raise.
    static RunError overflow() { return {6, "Overflow"}; }
    static RunError typeMismatch() { return {13, "Type mismatch"}; }
    static RunError badFileName() { return {52, "Bad file name or number"}; }
    static RunError fileNotFound() { return {53, "File not found"}; }
    static RunError deviceIo() { return {57, "Device I/O error"}; }
    static RunError diskFull() { return {61, "Disk full"}; }
    static RunError tooManyFiles() { return {67, "Too many files"}; }
    static RunError permissionDenied() { return {70, "Permission denied"}; }
    static RunError pathFileAccess() { return {75, "Path/File access error"}; }
    static RunError pathNotFound() { return {76, "Path not found"}; }

private:
    int number_;
    std::string description_;
    std::string source_;
};

}  // namespace orr
