#include "program/ZyntraApp.h"

int main(int argc, char** argv) {
  CZyntraApp app(argc, argv);
  return app.Run();
}
