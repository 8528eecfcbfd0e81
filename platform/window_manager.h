// Whether a window manager looks after the game's window.
#pragma once

// False only on an X server without a window manager (a bare X server, as tests and kiosks run).
// There nobody acts on a request for the full screen, and SDL waits a tenth of a second for an
// answer that never comes; a borderless window the size of the desktop is the full screen there.
bool HasWindowManager();
