// The driver of the fuzz targets whose property lives in fuzz_checks.h; the
// build names the input path: "open_<window>", "prime_table" or "bases_convert".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "fuzz/fuzz_checks.h"

using namespace veltrano::fuzzing;

// Fontconfig keeps what it loads the first time a text needs a new font;
// that is a cache, not a leak of the program.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

static std::function<Violation(const QByteArray&)> check;

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  startHeadless(qtArgc, qtArgv);
  const QString target = QStringLiteral(VELTRANO_FUZZ_TARGET);
  if (target == QLatin1String("prime_table")) {
    check = loadPrimeTable;
  } else if (target == QLatin1String("bases_convert")) {
    check = convertInBase;
  } else {
    check = [run = std::make_shared<OpenRun>(target.mid(5))](const QByteArray& bytes) { return run->open(bytes); };
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Violation violation = check(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (violation) {
    std::fprintf(stderr, "%s\n", qPrintable(*violation));
    std::abort();
  }
  return 0;
}
