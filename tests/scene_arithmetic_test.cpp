#include "scene/solar_system.h"
#include "scene/spinner.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PlanetsOnDay, AtDayZeroEveryPlanetLiesOnTheAxisWithOnlyItsTilt)
{
    const float distances[] = {5.7f, 10.8f, 15.0f, 22.8f};
    const float tilts[] = {0.0f, 177.36f, 23.45f, 25.19f};
    auto planets = planetsOnDay(0.0f);
    for (int i = 0; i < planetCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(planets[i].orbitAngle, 0.0f);
        EXPECT_EQ(planets[i].spinAngle, 0.0f);
        EXPECT_EQ(planets[i].distance, distances[i]);
        EXPECT_EQ(planets[i].tilt, tilts[i]);
    }
}

TEST(PlanetsOnDay, AnglesFollowTheRealRatesAndTheRecordsKeepTheirOrder)
{
    auto planets = planetsOnDay(2500.0f);
    EXPECT_FLOAT_EQ(planets[0].orbitAngle, 2500.0f * 4.0923505f);
    EXPECT_FLOAT_EQ(planets[1].orbitAngle, 2500.0f * 1.602129f);
    EXPECT_FLOAT_EQ(planets[2].orbitAngle, 2500.0f * 0.98561007f);
    EXPECT_FLOAT_EQ(planets[3].orbitAngle, 2500.0f * 0.5240327f);
    EXPECT_FLOAT_EQ(planets[0].spinAngle, 2500.0f * 360.0f * 0.017051404f);
    EXPECT_FLOAT_EQ(planets[2].spinAngle, 2500.0f * 360.0f * 1.0027375f);
    EXPECT_FLOAT_EQ(planets[3].spinAngle, 2500.0f * 360.0f * 0.97469974f);

    const float radii[] = {0.3f, 0.8f, 0.9f, 0.4f};
    const float colors[][3] = {{1, 0, 0}, {0, 0.5f, 1}, {0.1f, 0.6f, 0.1f}, {1, 0.1f, 0.1f}};
    for (int i = 0; i < planetCount; ++i) {
        EXPECT_EQ(planets[i].radius, radii[i]);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(planets[i].color[c], colors[i][c]);
    }

    // The record is eight floats in its documented order.
    static_assert(sizeof(Planet) == 8 * sizeof(float));
    const float* raw = &planets[1].orbitAngle;
    EXPECT_EQ(raw[1], 10.8f);
    EXPECT_EQ(raw[4], 0.8f);
    EXPECT_EQ(raw[7], 1.0f);
}

TEST(PlanetsOnDay, TheSecondPlanetSpinsBackwards)
{
    float previous = planetsOnDay(0.0f)[1].spinAngle;
    for (float day : {1.0f, 100.0f, 2000.0f, 4199.0f}) {
        float spin = planetsOnDay(day)[1].spinAngle;
        EXPECT_LT(spin, previous) << "day " << day;
        previous = spin;
    }
}

TEST(PlanetsOnDay, NothingCarriesOverFromOneDayToTheNext)
{
    auto first = planetsOnDay(1234.0f);
    planetsOnDay(99.0f);
    auto again = planetsOnDay(1234.0f);
    for (int i = 0; i < planetCount; ++i) {
        EXPECT_EQ(first[i].orbitAngle, again[i].orbitAngle);
        EXPECT_EQ(first[i].spinAngle, again[i].spinAngle);
    }
}

TEST(SpinnerPose, AtTimeZeroItHasNoSizeAndIsCyan)
{
    SpinnerPose pose = spinnerPose(0.0f, 0.5f);
    EXPECT_EQ(pose.size, 0.0f);
    EXPECT_EQ(pose.color[0], 0.0f);
    EXPECT_EQ(pose.color[1], 1.0f);
    EXPECT_EQ(pose.color[2], 1.0f);
    EXPECT_EQ(pose.angleX, 0.0f);
    EXPECT_EQ(pose.offset[1], 0.0f);
}

TEST(SpinnerPose, TumblesByThePhaseAndPulsesByTimeItself)
{
    SpinnerPose pose = spinnerPose(1000.0f, 0.5f);
    EXPECT_FLOAT_EQ(pose.angleX, 250.0f);
    EXPECT_FLOAT_EQ(pose.angleY, 500.0f * 0.33333334f);
    EXPECT_FLOAT_EQ(pose.angleZ, 1000.0f);
    // a = 50: the colour and drift use the phase...
    EXPECT_NEAR(pose.color[0], std::sin(55.0), 1e-6);
    EXPECT_NEAR(pose.color[1], std::cos(75.0), 1e-6);
    EXPECT_NEAR(pose.color[2], std::cos(60.0), 1e-6);
    EXPECT_NEAR(pose.offset[0], 0.5 * std::sin(50.0), 1e-6);
    EXPECT_NEAR(pose.offset[1], std::sin(100.0), 1e-6);
    EXPECT_NEAR(pose.offset[2], std::sin(25.0), 1e-6);
    // ...the size does not: sin(1000 × 0.02) whatever the speed.
    EXPECT_NEAR(pose.size, std::sin(20.0), 1e-6);
    EXPECT_EQ(spinnerPose(1000.0f, 3.0f).size, pose.size);
    EXPECT_LT(spinnerPose(200.0f, 0.5f).size, 0.0f);
}

}  // namespace
