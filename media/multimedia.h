// The multimedia layer as a whole: every module started in one call, and shut down in one call.
#pragma once

// Starts display, quads, mouse, keyboard and sound, in this order; sound only when the video system
// started. Nonzero when it did; a module that could not start stays safe to call and does nothing.
int InitMultimedia();

// Releases keyboard, mouse, sound, display and quads, in this order, and ends the drawing thread.
void ShutdownMultimedia();
