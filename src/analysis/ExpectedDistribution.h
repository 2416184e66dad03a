// Where the hits of a distribution would fall if the pattern were no more
// drawn to any position than words in general are: the baseline of the bin
// set scaled to its hits, each bin's residual, and Pearson's chi-squared and
// the log-likelihood G-squared tests of the difference.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class TBinSet;

struct TExpectedDistribution {
    // Per bin: the placed hits times the bin's share of the baseline.
    std::vector<double> Expected;
    // Per bin: (observed - expected) / sqrt(expected); none where expected is 0.
    std::vector<std::optional<double>> Residual;
    // Both sum over the bins whose expected count is above 0.
    double Chi2 = 0;
    double G2 = 0;
    // The bins whose expected count is above 0, less one; not below 0.
    int Df = 0;
    // The upper tail of the chi-squared distribution with Df degrees of
    // freedom at Chi2 and at G2; none when Df is 0.
    std::optional<double> PChi2;
    std::optional<double> PG2;
    // The bins whose expected count is above 0 but below 5, where the
    // chi-squared approximation of both tests may not hold.
    int LowExpected = 0;
};

// Minimum expected count of a bin below which the tests are flagged.
inline constexpr double ReliableExpectedCount = 5;

// The expected distribution of binSet's hits; none when the bin set carries
// no baseline, or one whose length differs from its bins.
std::optional<TExpectedDistribution> ExpectedDistributionOf(const TBinSet& binSet);

// The expected distribution of observed counts given baseline counts of the
// same length.
TExpectedDistribution ExpectedDistributionOf(const std::vector<std::int64_t>& observed,
                                             const std::vector<std::int64_t>& baseline);
