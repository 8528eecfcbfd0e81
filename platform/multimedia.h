// The multimedia layer as a whole: every module started in one call, and shut down in one call.
#pragma once

// Starts display, quads, mouse, keyboard, sound and game controllers, in this order; sound and
// controllers only when the video system started. Nonzero when it did; a module that could not
// start stays safe to call and does nothing.
int InitMultimedia();

// Releases keyboard, mouse, game controllers, sound, display and quads, in this order, and ends the
// drawing thread.
void ShutdownMultimedia();
