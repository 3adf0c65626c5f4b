// The Factors window reads its prime table when it opens and factorises on
// each request; both must pass without a pause the user would notice.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "factors/factor_working.h"
#include "factors/factoriser.h"
#include "factors/prime_sieve.h"
#include "factors/prime_table.h"

using veltrano::factors::Factoriser;
using veltrano::factors::PrimeTable;

namespace {

QString programFolder() { return QCoreApplication::applicationDirPath(); }

// Reading the file and building the table, as the window's load does.
void TableLoad(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(PrimeTable::load(programFolder()).last());
}
BENCHMARK(TableLoad)->Unit(benchmark::kMillisecond);

// The same without the file system: the parse and the check of every entry.
void TableParse(benchmark::State& state) {
  QFile file(QDir(programFolder()).filePath(PrimeTable::FileName));
  if (!file.open(QIODevice::ReadOnly)) {
    state.SkipWithError("no prime table beside the benchmark");
    return;
  }
  const QByteArray bytes = file.readAll();
  for (auto _ : state) benchmark::DoNotOptimize(PrimeTable::fromBytes(bytes, file.fileName()).last());
}
BENCHMARK(TableParse)->Unit(benchmark::kMillisecond);

// The check's share: the sieve that gives the primes the table must hold.
void PrimeSieve(benchmark::State& state) {
  for (auto _ : state) {
    veltrano::factors::PrimeSequence primes(PrimeTable::LargestPrime);
    std::int32_t last = 0;
    for (std::int32_t p = primes.next(); p != 0; p = primes.next()) last = p;
    benchmark::DoNotOptimize(last);
  }
}
BENCHMARK(PrimeSieve)->Unit(benchmark::kMillisecond);

// A prime just below the largest factorisable number: every prime of the
// table is tried.
void WorstCaseFactorisation(benchmark::State& state) {
  const PrimeTable table = PrimeTable::load(programFolder());
  const Factoriser factoriser(table);
  for (auto _ : state) benchmark::DoNotOptimize(factoriser.rowFor(1689550229903.0));
}
BENCHMARK(WorstCaseFactorisation)->Unit(benchmark::kMicrosecond);

// The same number's working: the factorisation once more, with its trace.
void WorstCaseFactorisationWorking(benchmark::State& state) {
  const PrimeTable table = PrimeTable::load(programFolder());
  const Factoriser factoriser(table);
  for (auto _ : state)
    benchmark::DoNotOptimize(veltrano::factors::FactorWorking(factoriser, 1689550229903.0));
}
BENCHMARK(WorstCaseFactorisationWorking)->Unit(benchmark::kMicrosecond);

}  // namespace
