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

TEST(SpinnerPose, TumblesDriftsAndColoursByThePhaseAndPulsesByTimeItself)
{
    // The same phase (time × speed) reached at two speeds: one pose but for
    // the size, which follows the time alone.
    SpinnerPose slow = spinnerPose(1000.0f, 0.5f);
    SpinnerPose fast = spinnerPose(250.0f, 2.0f);
    EXPECT_EQ(slow.angleX, fast.angleX);
    EXPECT_EQ(slow.angleY, fast.angleY);
    EXPECT_EQ(slow.angleZ, fast.angleZ);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(slow.color[i], fast.color[i]) << i;
        EXPECT_EQ(slow.offset[i], fast.offset[i]) << i;
    }
    EXPECT_NE(slow.size, fast.size);
    EXPECT_EQ(spinnerPose(1000.0f, 3.0f).size, slow.size);
    // The size swings through negative values (a mirrored cube) and back.
    EXPECT_LT(spinnerPose(200.0f, 0.5f).size, 0.0f);
    EXPECT_GT(spinnerPose(50.0f, 0.5f).size, 0.0f);
    // The three angles turn at different rates, so the tumble never repeats
    // a single axis.
    EXPECT_NE(slow.angleX, slow.angleY);
    EXPECT_NE(slow.angleY, slow.angleZ);
}

}  // namespace
