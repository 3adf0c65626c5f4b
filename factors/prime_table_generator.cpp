// Writes the prime table the Factors worksheet reads when it opens: the first
// 100008 primes, 2 to 1299827, one per line, lines ending in CR LF. It runs at
// build time, so the table is never downloaded or kept in the repository.
#include <cstdio>
#include <vector>

#include "factors/prime_sieve.h"

namespace {

constexpr int kTableSize = 100008;
constexpr int kLargestPrime = 1299827;  // the 100008th prime

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
    return 2;
  }
  const std::vector<std::int32_t> primes = veltrano::factors::primesUpTo(kLargestPrime);
  if (primes.size() != static_cast<std::size_t>(kTableSize) || primes.back() != kLargestPrime) {
    std::fprintf(stderr, "prime table: expected %d primes ending in %d, got %zu\n", kTableSize, kLargestPrime,
                 primes.size());
    return 1;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  for (std::int32_t p : primes) std::fprintf(out, "%d\r\n", static_cast<int>(p));
  const bool written = !std::ferror(out);
  if (std::fclose(out) != 0 || !written) {
    std::perror(argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
