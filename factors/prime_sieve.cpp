#include "factors/prime_sieve.h"

#include <bit>

namespace veltrano::factors {

std::vector<std::int32_t> primesUpTo(std::int32_t limit) {
  std::vector<std::int32_t> primes;
  if (limit < 2) return primes;
  primes.push_back(2);
  // Bit i stands for the odd number 2i + 1 and is set when it is composite.
  const auto last = static_cast<std::uint32_t>(limit - 1) / 2;
  std::vector<std::uint64_t> composite(last / 64 + 1, 0);
  auto isSet = [&composite](std::uint32_t i) { return (composite[i / 64] >> (i % 64)) & 1U; };
  composite[0] = 1;  // 1 is not a prime
  for (std::uint32_t i = 1; std::uint64_t{2 * i + 1} * (2 * i + 1) <= std::uint64_t(limit); ++i) {
    if (isSet(i)) continue;
    const std::uint32_t step = 2 * i + 1;
    for (std::uint32_t j = (step * step) / 2; j <= last; j += step)
      composite[j / 64] |= std::uint64_t{1} << (j % 64);
  }
  for (std::uint32_t word = 0; word < composite.size(); ++word) {
    for (std::uint64_t open = ~composite[word]; open != 0; open &= open - 1) {
      const std::uint32_t i = word * 64 + static_cast<std::uint32_t>(std::countr_zero(open));
      if (i > last) break;
      primes.push_back(static_cast<std::int32_t>(2 * i + 1));
    }
  }
  return primes;
}

}  // namespace veltrano::factors
