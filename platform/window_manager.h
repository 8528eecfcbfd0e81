// The window manager: whether one looks after the game's window, and what it knows the window as.
#pragma once

// False only on an X server without a window manager (a bare X server, as tests and kiosks run).
// There nobody acts on a request for the full screen, and SDL waits a tenth of a second for an
// answer that never comes; a borderless window the size of the desktop is the full screen there.
bool HasWindowManager();

// Before the video system starts: the name the desktop knows the program by, its desktop entry's
// file name without ".desktop". It becomes the window's class on X11 and its app id on Wayland, by
// which docks and task switchers find the launcher and its icon. A class the player set in SDL's
// environment variables stays.
void SetDesktopId(const char* id);
