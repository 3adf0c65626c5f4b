#include "complex/row_text.h"

#include "common/numeric_text.h"

namespace veltrano::complex {

QString RootRowText(double re, double im) {
  char text[2 * kNumberTextCapacity + 4];
  char* end = AppendNumberText(text, re);
  if (im != 0.0) {
    if (im > 0) *end++ = '+';
    end = AppendNumberText(end, im);
    *end++ = '*';
    *end++ = 'i';
  }
  return QString::fromLatin1(text, end - text);
}

}  // namespace veltrano::complex
