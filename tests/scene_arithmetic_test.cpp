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

TEST(PlanetsOnDay, EachPlanetOrbitsAndTurnsInItsRealPeriod)
{
    // Sidereal orbital and rotation periods in days, Mercury to Mars; Venus
    // turns backwards.
    const double orbitDays[] = {87.969, 224.701, 365.256, 686.980};
    const double rotationDays[] = {58.646, -243.025, 0.99727, 1.02596};
    for (int i = 0; i < planetCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(planetsOnDay(float(orbitDays[i]))[i].orbitAngle, 360.0, 0.05);
        EXPECT_NEAR(planetsOnDay(float(std::abs(rotationDays[i])))[i].spinAngle,
                    rotationDays[i] > 0 ? 360.0 : -360.0, 0.05);
    }
}

TEST(PlanetsOnDay, PlanetsStandOutsideTheSunAndEachOtherInOrderOfDistance)
{
    auto planets = planetsOnDay(0.0f);
    float innerEdge = sunRadius;
    for (int i = 0; i < planetCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(planets[i].distance - planets[i].radius, innerEdge);
        innerEdge = planets[i].distance + planets[i].radius;
        for (float c : planets[i].color) {
            EXPECT_GE(c, 0.0f);
            EXPECT_LE(c, 1.0f);
        }
    }
    // The last planet's colour is the one the texts of scenes 3 and 4 take.
    EXPECT_EQ(planets[3].color[0], 1.0f);
    EXPECT_EQ(planets[3].color[1], 0.1f);
    EXPECT_EQ(planets[3].color[2], 0.1f);
    static_assert(sizeof(Planet) == 8 * sizeof(float), "a planet is eight floats");
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
