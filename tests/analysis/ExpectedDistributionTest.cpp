// The expected distribution and its tests, against figures computed
// independently (scipy.stats.chi2.sf with the same formulas).
#include "ExpectedDistribution.h"

#include "DistributionText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

using TCounts = std::vector<std::int64_t>;

const double None = -1;

void ExpectRelative(double actual, double expected, const char* what)
{
    if (expected == 0)
        EXPECT_NEAR(actual, 0, 1e-12) << what;
    else
        EXPECT_NEAR(actual / expected, 1, 1e-9) << what << ": " << actual << " for " << expected;
}

} // namespace

TEST(ExpectedDistribution, TestsAgreeWithIndependentFigures)
{
    const struct {
        TCounts Observed, Baseline;
        double Chi2, G2;
        int Df;
        double PChi2, PG2;
    } cases[] = {
        {{2, 0, 2},
         {4, 0, 3},
         0.08333333333333334,
         0.08247714881094292,
         1,
         0.7728299926844475,
         0.7739681055471008},
        {{30, 10, 60},
         {100, 200, 300},
         29.0,
         33.06633062288297,
         2,
         5.043476625678882e-07,
         6.602942826841154e-08},
        {{6, 2, 2},
         {10, 20, 10},
         6.8,
         5.947887715493339,
         2,
         0.03337326996032608,
         0.051101375836240276},
        {{5000, 3000, 2000},
         {1, 1, 1},
         1400.0,
         1379.1854920707228,
         2,
         9.85967654375939e-305,
         3.263440029689057e-300},
        {{0, 9, 1, 0},
         {5, 5, 5, 5},
         22.8,
         21.224227754568847,
         3,
         4.445073647060652e-05,
         9.457003014104248e-05},
        // One bin: no degrees of freedom, no test.
        {{3}, {7}, 0, 0, 0, None, None},
        // A hit where no word falls is outside both sums; the log-likelihood
        // sum, which then falls below 0 (-1.785), is taken as 0.
        {{4, 1, 5}, {10, 0, 10}, 0.2, 0, 1, 0.6547208460185768, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Chi2);
        const TExpectedDistribution e = ExpectedDistributionOf(c.Observed, c.Baseline);
        ExpectRelative(e.Chi2, c.Chi2, "chi2");
        ExpectRelative(e.G2, c.G2, "G2");
        EXPECT_EQ(e.Df, c.Df);
        EXPECT_EQ(e.PChi2.has_value(), c.PChi2 != None);
        EXPECT_EQ(e.PG2.has_value(), c.PG2 != None);
        if (e.PChi2 && e.PG2) {
            ExpectRelative(*e.PChi2, c.PChi2, "p chi2");
            ExpectRelative(*e.PG2, c.PG2, "p G2");
        }
    }
}

// 10 hits over a baseline of 10, 20 and 10 words: 2.5, 5 and 2.5 expected.
TEST(ExpectedDistribution, ExpectedCountsResidualsAndTheirTexts)
{
    const TExpectedDistribution e = ExpectedDistributionOf({6, 2, 2, 0}, {10, 20, 10, 0});
    EXPECT_EQ(e.Expected, (std::vector<double>{2.5, 5, 2.5, 0}));
    ASSERT_EQ(e.Residual.size(), 4u);
    EXPECT_DOUBLE_EQ(e.Residual[0].value(), 3.5 / std::sqrt(2.5));
    EXPECT_FALSE(e.Residual[3]);
    EXPECT_EQ(e.LowExpected, 2);

    EXPECT_EQ(ExpectedText(e.Expected[0], u','), u"2,50"_s);
    EXPECT_EQ(ResidualText(e.Residual[1], u'.'), u"-1.34"_s);
    EXPECT_EQ(ResidualText(e.Residual[3], u'.'), QString());
    EXPECT_EQ(TestLine(e, u'.'),
              u"\u03c7\u00b2 = 6.80, G\u00b2 = 5.95, df = 2, p = 0.0334 (\u03c7\u00b2), 0.0511 "
              u"(G\u00b2)"_s);
    EXPECT_EQ(LowExpectedLine(e),
              u"Expected count below 5 in 2 of 3 bins: the tests may be unreliable."_s);

    EXPECT_EQ(
        TestLine(ExpectedDistributionOf({3}, {7}), u'.'),
        u"\u03c7\u00b2 = 0.00, G\u00b2 = 0.00, df = 0, p = n/a (\u03c7\u00b2), n/a (G\u00b2)"_s);
    // Far out in the tail the probability is below what a double holds.
    const TExpectedDistribution far = ExpectedDistributionOf({50000, 30000, 20000}, {1, 1, 1});
    EXPECT_EQ(far.PChi2, 0.0);
    EXPECT_TRUE(TestLine(far, u'.').contains(u"p = < 1e-300"_s));
    EXPECT_TRUE(LowExpectedLine(far).isEmpty());
}
