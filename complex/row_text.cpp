#include "complex/row_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace veltrano::complex {

namespace {

// Appends NumberToText of value to out and returns the new end: 15
// significant digits, no trailing zeros, plain form for exponents from -5
// to 14 (exclusive at both ends) and "E+XX" form outside.
char* appendNumber(char* out, double value) {
  if (value == 0.0) {
    *out++ = '0';
    return out;
  }
  char scientific[40];
  const auto converted = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                       std::chars_format::scientific, 14);
  *converted.ptr = '\0';
  // scientific is "d.dddddddddddddde+XX": fifteen digits and the exponent.
  char digits[16];
  int count = 0;
  const char* p = scientific;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits[count++] = *p;
  }
  const int exponent = std::atoi(p + 1);
  while (count > 1 && digits[count - 1] == '0') --count;

  if (value < 0) *out++ = '-';
  if (exponent >= 15 || exponent <= -5) {
    *out++ = digits[0];
    if (count > 1) {
      *out++ = '.';
      std::memcpy(out, digits + 1, static_cast<std::size_t>(count - 1));
      out += count - 1;
    }
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
  } else if (exponent >= 0) {
    const int whole = exponent + 1;
    for (int i = 0; i < whole; ++i) *out++ = i < count ? digits[i] : '0';
    if (count > whole) {
      *out++ = '.';
      std::memcpy(out, digits + whole, static_cast<std::size_t>(count - whole));
      out += count - whole;
    }
  } else {
    *out++ = '0';
    *out++ = '.';
    for (int i = 0; i < -exponent - 1; ++i) *out++ = '0';
    std::memcpy(out, digits, static_cast<std::size_t>(count));
    out += count;
  }
  return out;
}

}  // namespace

QString RootRowText(double re, double im) {
  char text[80];
  char* end = appendNumber(text, re);
  if (im != 0.0) {
    if (im > 0) *end++ = '+';
    end = appendNumber(end, im);
    *end++ = '*';
    *end++ = 'i';
  }
  return QString::fromLatin1(text, end - text);
}

}  // namespace veltrano::complex
