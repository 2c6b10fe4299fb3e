// The entry point of one fuzz target: ZYNTRA_FUZZ_HARNESS names its harness.
#include "Harnesses.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ZYNTRA_FUZZ_HARNESS(data, size);
}
