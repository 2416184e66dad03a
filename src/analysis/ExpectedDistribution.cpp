#include "ExpectedDistribution.h"

#include "TBinSet.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>
#include <numeric>

namespace {

std::optional<double> UpperTail(int df, double statistic)
{
    if (df <= 0)
        return std::nullopt;
    // An overflow or an underflow far out in the tail is no error: the
    // probability is then as good as 0.
    using Policy = boost::math::policies::policy<
        boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
        boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
        boost::math::policies::evaluation_error<boost::math::policies::ignore_error>>;
    const boost::math::chi_squared_distribution<double, Policy> distribution(df);
    return boost::math::cdf(boost::math::complement(distribution, std::max(statistic, 0.0)));
}

} // namespace

TExpectedDistribution ExpectedDistributionOf(const std::vector<std::int64_t>& observed,
                                             const std::vector<std::int64_t>& baseline)
{
    TExpectedDistribution result;
    const double hits = std::accumulate(observed.begin(), observed.end(), 0.0);
    const double words = std::accumulate(baseline.begin(), baseline.end(), 0.0);
    int bins = 0;
    for (size_t i = 0; i < observed.size(); ++i) {
        const double expected = words > 0 ? hits * (double(baseline[i]) / words) : 0;
        result.Expected.push_back(expected);
        if (expected <= 0) {
            result.Residual.push_back(std::nullopt);
            continue;
        }
        const double o = double(observed[i]);
        ++bins;
        result.Residual.push_back((o - expected) / std::sqrt(expected));
        result.Chi2 += (o - expected) * (o - expected) / expected;
        if (o > 0)
            result.G2 += o * std::log(o / expected);
        if (expected < ReliableExpectedCount)
            ++result.LowExpected;
    }
    // Rounding can leave a sum that should be 0 a hair below it.
    result.G2 = std::max(2 * result.G2, 0.0);
    result.Df = std::max(bins - 1, 0);
    result.PChi2 = UpperTail(result.Df, result.Chi2);
    result.PG2 = UpperTail(result.Df, result.G2);
    return result;
}

std::optional<TExpectedDistribution> ExpectedDistributionOf(const TBinSet& binSet)
{
    if (binSet.Baseline.empty() || binSet.Baseline.size() != binSet.FBins.size())
        return std::nullopt;
    std::vector<std::int64_t> observed;
    for (const TBin& bin : binSet.FBins)
        observed.push_back(bin.Count());
    return ExpectedDistributionOf(observed, binSet.Baseline);
}
