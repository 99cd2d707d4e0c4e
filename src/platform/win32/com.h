// COM in this thread's apartment for as long as the object lives: the
// shell's functions (the new-style folder chooser, file operations) need
// it. Where the thread has already entered an apartment this only counts
// up and down.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace orr::platform::win32 {

class ComApartment {
public:
    ComApartment()
        : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (ok_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

}  // namespace orr::platform::win32
