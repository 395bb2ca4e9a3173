#include "experiments/ObservableHistory.h"

#include <gtest/gtest.h>

#include <utility>

using namespace vxo;

namespace {

ObservableSample sampleAt(double time, double totalEnergy = 0.0)
{
    ObservableSample sample;
    sample.time = time;
    sample.totalEnergy = totalEnergy;
    return sample;
}

} // namespace

TEST(ObservableHistory, ZeroCapacityKeepsOnlyTheNewestSample)
{
    ObservableHistory history(0);
    EXPECT_EQ(history.capacity(), 1u);
    history.push(sampleAt(1.0));
    history.push(sampleAt(2.0));
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history.newest().time, 2.0);
}

TEST(ObservableHistory, FullWindowDropsOldestFirstAndKeepsOrder)
{
    ObservableHistory history(4096);
    for (int k = 1; k <= 4097; ++k)
        history.push(sampleAt(k));
    ASSERT_EQ(history.size(), 4096u);
    for (std::size_t k = 0; k < history.size(); ++k)
        ASSERT_EQ(history.samples()[k].time, static_cast<double>(k + 2));
}

TEST(ObservableHistory, EnergyDriftIsMeasuredFromTheOldestStoredSample)
{
    ObservableHistory history(2);
    EXPECT_EQ(history.energyDriftPercent(5.0), 0.0);

    history.push(sampleAt(0.0, 2.0));
    EXPECT_DOUBLE_EQ(history.energyDriftPercent(2.5), 25.0);
    history.push(sampleAt(1.0, 4.0));
    history.push(sampleAt(2.0, 5.0)); // the sample with H0 = 2 slides out
    EXPECT_DOUBLE_EQ(history.energyDriftPercent(5.0), 25.0);
    history.clear();
    EXPECT_EQ(history.energyDriftPercent(5.0), 0.0);
    EXPECT_EQ(history.capacity(), 2u);

    ObservableHistory zeroEnergy(4);
    zeroEnergy.push(sampleAt(0.0, 0.0));
    EXPECT_EQ(zeroEnergy.energyDriftPercent(3.0), 0.0);

    // A reference energy counts from a magnitude of 1e-12 up, of either sign.
    for (const auto& [h0, drift] : {std::pair{2e-12, 50.0}, {-2e-12, -250.0}, {5e-13, 0.0}, {-5e-13, 0.0}}) {
        ObservableHistory small(4);
        small.push(sampleAt(0.0, h0));
        EXPECT_NEAR(small.energyDriftPercent(3e-12), drift, 1e-9) << "H0 = " << h0;
    }
}
