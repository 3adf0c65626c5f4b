// The driver of every fuzz target; the build names the target's check.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_checks.h"

using namespace veltrano::fuzzing;

// Fontconfig keeps the fonts it loads for the first texts: a cache, not a leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

static Check check;

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  startHeadless(qtArgc, qtArgv);
  check = checkFor(QStringLiteral(VELTRANO_FUZZ_TARGET));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const Violation violation = check(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)))) {
    std::fprintf(stderr, "%s\n", qPrintable(*violation));
    std::abort();
  }
  return 0;
}
