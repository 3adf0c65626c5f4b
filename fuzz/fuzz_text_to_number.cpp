// Any text: TextToNumber either gives a finite value or raises Overflow, and
// the value written back reads again to the same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  double value = 0;
  try {
    value = veltrano::TextToNumber(text);
  } catch (const veltrano::RuntimeError& e) {
    if (e.number() != veltrano::ErrorNumber::Overflow) std::abort();
    return 0;
  }
  if (!std::isfinite(value)) std::abort();
  const QString written = veltrano::NumberToText(value);
  if (veltrano::NumberToText(veltrano::TextToNumber(written)) != written) std::abort();
  return 0;
}
