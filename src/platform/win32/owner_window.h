// The window a dialog of ours belongs over: the wizard or menu the user is
// working in, found from the calling thread, since the services that show
// dialogs are not handed windows.
#pragma once

#include <windows.h>

namespace orr::platform::win32 {

// This thread's active window, else its topmost visible, enabled top-level
// window (the active one may sit on another thread's dialog, such as the
// progress display's), as a top-level window; nullptr when it shows none.
HWND ownerWindow();

// Centres the dialog `box` over its owner, kept inside the owner's
// monitor's work area; nothing when it has no owner. Message boxes are
// centred on the screen by Windows and by Wine alike.
void centreOnOwner(HWND box);

}  // namespace orr::platform::win32
