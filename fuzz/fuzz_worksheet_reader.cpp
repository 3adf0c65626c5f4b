// Any bytes: the reader gives fields and counts until it raises one of the
// file errors, and always moves forward.
#include <cstdint>
#include <cstdlib>

#include "common/runtime_error.h"
#include "common/worksheet_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  veltrano::WorksheetReader reader(bytes);
  try {
    // More reads than there can be fields: the reader must end with an error.
    for (std::size_t i = 0; i <= size + 1; ++i) {
      if (i % 3 == 0) {
        reader.readCount();
      } else {
        reader.readField();
      }
    }
    std::abort();
  } catch (const veltrano::RuntimeError& e) {
    using veltrano::ErrorNumber;
    const ErrorNumber n = e.number();
    if (n != ErrorNumber::InputPastEndOfFile && n != ErrorNumber::TypeMismatch &&
        n != ErrorNumber::Overflow) {
      std::abort();
    }
  }
  // What the writer writes, the reader reads back field for field.
  veltrano::WorksheetWriter writer;
  const QString text =
      veltrano::decodeWindows1252(bytes).remove(u'\r').remove(u'\n').remove(u',').remove(u'"');
  writer.textLine(text.trimmed());
  writer.quotedLine(text);
  veltrano::WorksheetReader back(writer.bytes());
  if (back.readField() != text.trimmed() || back.readField() != text) std::abort();
  return 0;
}
