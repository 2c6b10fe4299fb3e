#include "cli/ZyntraCli.h"

int main(int argc, char** argv) {
  CZyntraCli cli(argc, argv);
  return cli.Run();
}
