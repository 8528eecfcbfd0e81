// The program's entry point.
#include "game/main_loop.h"

int main() {
  return RunGame();
}
