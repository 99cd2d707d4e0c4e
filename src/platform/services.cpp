#include "services.h"

namespace orr::platform {

NativeServices::NativeServices(const Options& options)
    : files(makeFileSystem(options)),
      profiles(makeProfiles(*files)),
      messages(makeMessageBoxes()),
      clock(makeClock()),
      locale(makeLocale()),
      fileTable(std::make_unique<FileTable>(*files)) {}

NativeServices::~NativeServices() { fileTable->closeAll(); }

Services NativeServices::view(MousePointer& pointer, EventPump& events) {
    return {*files, *profiles, *messages, pointer, events, *clock, *locale, *fileTable};
}

}  // namespace orr::platform
