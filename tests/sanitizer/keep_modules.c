/* Preloaded into the program tests of the sanitizer build: libraries stay loaded until the
   process ends, so that the leak checker can still name the system library (X11, the OpenGL
   driver) that a leak at exit comes from, and the suppressions can match it. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
