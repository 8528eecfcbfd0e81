/* Loaded into the real program with LD_PRELOAD by bench/frame_beat.py: writes one line per shown
 * frame to the file named by SPACE_BEAT_LOG, "poll show" in microseconds of CLOCK_MONOTONIC:
 * when the frame's input was first polled (the first event poll after the previous show) and when
 * the frame reached the window. Declares the three SDL calls it wraps itself, with plain types. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int logFile = -2; /* -2: not opened yet, -1: no log wanted */
static long long firstPoll = -1;

static long long Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

static void Shown(void) {
  const long long shown = Now();
  if (logFile == -2) {
    const char* path = getenv("SPACE_BEAT_LOG");
    logFile = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644) : -1;
  }
  if (logFile >= 0 && firstPoll >= 0) {
    char line[64];
    const int length = snprintf(line, sizeof line, "%lld %lld\n", firstPoll, shown);
    if (write(logFile, line, (size_t)length) != length) logFile = -1;
  }
  firstPoll = -1;
}

int SDL_PollEvent(void* event) {
  static int (*real)(void*);
  if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_PollEvent");
  if (firstPoll < 0) firstPoll = Now();
  return real(event);
}

int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
  static int (*real)(void*, const void*, int);
  if (real == NULL) real = (int (*)(void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
  const int result = real(window, rects, count);
  Shown();
  return result;
}

int SDL_UpdateWindowSurface(void* window) {
  static int (*real)(void*);
  if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
  const int result = real(window);
  Shown();
  return result;
}

void SDL_RenderPresent(void* renderer) {
  static void (*real)(void*);
  if (real == NULL) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real(renderer);
  Shown();
}
