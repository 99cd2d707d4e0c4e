// The platform services the program's logic uses, gathered in one place so
// that the driver and the tests can put scripted or faulty ones in.
#pragma once

#include "clock.h"
#include "events.h"
#include "file_table.h"
#include "filesystem.h"
#include "messagebox.h"
#include "pointer.h"
#include "profile.h"

#include <memory>
#include <string>

namespace orr::platform {

struct Services {
    FileSystem& files;
    Profiles& profiles;
    MessageBoxes& messages;
    MousePointer& pointer;
    EventPump& events;
    Clock& clock;
    Locale& locale;
    FileTable& fileTable;
};

struct Options {
    // Where drive letters are mapped on a system without drives (a Wine
    // prefix layout: ROOT/drive_c, ROOT/dosdevices/x:). Empty: $WINEPREFIX,
    // else ~/.wine. Ignored where the drives are real.
    std::string root;
};

// This OS's own implementation of every service.
class NativeServices {
public:
    explicit NativeServices(const Options& options = {});
    ~NativeServices();
    NativeServices(const NativeServices&) = delete;
    NativeServices& operator=(const NativeServices&) = delete;

    // The window system's pointer and events come from the form layer.
    Services view(MousePointer& pointer, EventPump& events);

    std::unique_ptr<FileSystem> files;
    std::unique_ptr<Profiles> profiles;
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Locale> locale;
    std::unique_ptr<FileTable> fileTable;
};

// Per-OS factories, defined once in each OS tree.
std::unique_ptr<FileSystem> makeFileSystem(const Options& options);
std::unique_ptr<Profiles> makeProfiles(FileSystem& files);
std::unique_ptr<MessageBoxes> makeMessageBoxes();
std::unique_ptr<Clock> makeClock();
std::unique_ptr<Locale> makeLocale();

}  // namespace orr::platform
