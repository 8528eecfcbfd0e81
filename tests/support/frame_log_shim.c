/* Loaded into the real program with LD_PRELOAD by bench/frame_beat.py and the program tests: writes
 * one line per shown frame to the file named by SPACE_FRAME_LOG, "poll show hash": when the frame's
 * input was first polled (the first event poll after the previous show) and when the frame reached
 * the window, in microseconds of CLOCK_MONOTONIC, and, with SPACE_FRAME_HASH set, a hash of every
 * fourth row of the window's pixels (0 when the frame went through a renderer). Declares the SDL
 * calls it wraps itself, with plain types; the start of SDL 2's surface record is part of its ABI. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

struct Surface {
  uint32_t flags;
  void* format;
  int w, h;
  int pitch;
  void* pixels;
};

static int logFile = -2; /* -2: not opened yet, -1: no log wanted */
static int hashing = 0;
static long long firstPoll = -1;

static long long Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

static unsigned long long PixelHash(void* window) {
  static struct Surface* (*getSurface)(void*);
  if (getSurface == NULL) getSurface = (struct Surface * (*)(void*)) dlsym(RTLD_NEXT, "SDL_GetWindowSurface");
  const struct Surface* surface = getSurface != NULL ? getSurface(window) : NULL;
  if (surface == NULL || surface->pixels == NULL) return 0;
  unsigned long long hash = 1469598103934665603ULL; /* FNV-1a */
  for (int y = 0; y < surface->h; y += 4) {
    const unsigned char* row = (const unsigned char*)surface->pixels + (size_t)y * (size_t)surface->pitch;
    for (int x = 0; x < surface->w * 4; ++x) hash = (hash ^ row[x]) * 1099511628211ULL;
  }
  return hash;
}

static void Shown(unsigned long long hash) {
  const long long shown = Now();
  if (logFile >= 0 && firstPoll >= 0) {
    char line[96];
    const int length = snprintf(line, sizeof line, "%lld %lld %llu\n", firstPoll, shown, hash);
    if (write(logFile, line, (size_t)length) != length) logFile = -1;
  }
  firstPoll = -1;
}

static int Logging(void) {
  if (logFile == -2) {
    const char* path = getenv("SPACE_FRAME_LOG");
    logFile = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644) : -1;
    hashing = getenv("SPACE_FRAME_HASH") != NULL;
  }
  return logFile >= 0;
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
  const unsigned long long hash = Logging() && hashing ? PixelHash(window) : 0;
  Shown(hash);
  return result;
}

int SDL_UpdateWindowSurface(void* window) {
  static int (*real)(void*);
  if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
  const int result = real(window);
  const unsigned long long hash = Logging() && hashing ? PixelHash(window) : 0;
  Shown(hash);
  return result;
}

void SDL_RenderPresent(void* renderer) {
  static void (*real)(void*);
  if (real == NULL) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
  real(renderer);
  Logging();
  Shown(0);
}
