// Test support: feeds keyboard and mouse events into the layer's event queue, exactly as the
// window system would deliver them, so that the next poll sees them.
#pragma once

void InjectKey(int key, bool down);             // key: a Key:: code
void InjectMouseMotion(int dx, int dy);         // relative motion in counts (pixels)
void InjectMouseButton(int button, bool down);  // 1 left, 2 right, 3 middle
void InjectCloseRequest();                      // the window manager asks the window to close
