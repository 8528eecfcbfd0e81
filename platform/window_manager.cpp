// Asks the X server whether a window manager (one that follows the desktop conventions) runs.
#include "platform/window_manager.h"

#include <SDL.h>

#include <cstring>

#ifdef SPACE_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

bool HasWindowManager() {
#ifdef SPACE_HAVE_X11
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "x11") != 0) return true;
  Display* display = XOpenDisplay(nullptr);  // the server SDL talks to: $DISPLAY
  if (display == nullptr) return true;
  bool found = false;
  // A window manager names its own window in this property of the root window.
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check != None) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* value = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &remaining, &value) == Success) {
      found = count == 1;
      if (value != nullptr) XFree(value);
    }
  }
  XCloseDisplay(display);
  return found;
#else
  return true;
#endif
}
