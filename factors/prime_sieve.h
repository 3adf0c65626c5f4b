#pragma once

#include <cstdint>
#include <vector>

namespace veltrano::factors {

// Every prime from 2 to limit, in increasing order, by the sieve of
// Eratosthenes over the odd numbers, one bit each: the sieve to 1299827
// fits the processor's cache and runs in about a millisecond. The build
// writes the prime table with it, and the program checks the table with it.
std::vector<std::int32_t> primesUpTo(std::int32_t limit);

}  // namespace veltrano::factors
