// The editor program: one RkEngine, run until it ends. The command line is not used.
#include "RkEngine.h"

int main(int, char**) {
  RkEngine engine;
  engine.Run();
  return 0;
}
