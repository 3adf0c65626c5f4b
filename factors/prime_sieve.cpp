#include "factors/prime_sieve.h"

#include <bit>

namespace veltrano::factors {

PrimeSequence::PrimeSequence(std::int32_t limit) : empty_(limit < 2) {
  if (empty_) return;
  lastBit_ = static_cast<std::uint32_t>(limit - 1) / 2;
  composite_.assign(lastBit_ / 64 + 1, 0);
  composite_[0] = 1;  // 1 is no prime
  for (std::uint32_t i = 1; std::uint64_t{2 * i + 1} * (2 * i + 1) <= std::uint64_t(limit); ++i) {
    if ((composite_[i / 64] >> (i % 64)) & 1U) continue;
    const std::uint32_t step = 2 * i + 1;
    for (std::uint32_t j = step * step / 2; j <= lastBit_; j += step) {
      composite_[j / 64] |= std::uint64_t{1} << (j % 64);
    }
  }
}

std::int32_t PrimeSequence::next() {
  if (empty_) return 0;
  if (nextBit_ == 0) {
    nextBit_ = 1;
    return 2;
  }
  for (std::uint32_t i = nextBit_; i <= lastBit_;) {
    const std::uint64_t open = ~composite_[i / 64] >> (i % 64);
    if (open == 0) {
      i = (i / 64 + 1) * 64;  // the rest of this word holds no prime
      continue;
    }
    i += static_cast<std::uint32_t>(std::countr_zero(open));
    if (i > lastBit_) break;
    nextBit_ = i + 1;
    return static_cast<std::int32_t>(2 * i + 1);
  }
  nextBit_ = lastBit_ + 1;
  return 0;
}

std::vector<std::int32_t> primesUpTo(std::int32_t limit) {
  std::vector<std::int32_t> primes;
  PrimeSequence sequence(limit);
  for (std::int32_t p = sequence.next(); p != 0; p = sequence.next()) primes.push_back(p);
  return primes;
}

}  // namespace veltrano::factors
