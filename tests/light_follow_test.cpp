// The light that follows the player for the shadow pass.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "objects/light_follow.h"

namespace {

TEST(LightFollow, StandsAtItsOffsetAndLooksAtTheTarget)
{
    LightPlacement placement;
    const Vec3 target{3.0f, 0.0f, -7.0f};
    ASSERT_TRUE(PlaceLight(target, 50.0f, 120.0f, 30.0f, &placement));
    EXPECT_NEAR(placement.position.x - target.x, -15.0f, 0.1f);
    EXPECT_NEAR(placement.position.y - target.y, 23.0f, 0.1f);
    EXPECT_NEAR(placement.position.z - target.z, 26.0f, 0.1f);
    EXPECT_NEAR(Length(placement.direction), 1.0f, 1e-5f);
    EXPECT_GT(placement.direction.y, 0.0f);  // toward the light

    // The target lies straight ahead of the light, at the light's distance.
    const Vec4 seen = MatTransform(placement.view, Vec4{target.x, target.y, target.z, 1.0f});
    EXPECT_NEAR(seen.x, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.y, 0.0f, 1e-3f);
    EXPECT_NEAR(seen.z, -Length(placement.position - target), 1e-3f);
}

TEST(LightFollow, PlacementsWithoutAViewLeaveTheLastOneAlone)
{
    LightPlacement placement;
    placement.position = Vec3{1.0f, 2.0f, 3.0f};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(PlaceLight(Vec3{}, 50.0f, 120.0f, 0.0f, &placement));     // on the target
    EXPECT_FALSE(PlaceLight(Vec3{nan, 0.0f, 0.0f}, 50.0f, 120.0f, 30.0f, &placement));
    EXPECT_FALSE(Vec3NotEqual(placement.position, Vec3{1.0f, 2.0f, 3.0f}));
    for (float element : placement.view.m) {
        EXPECT_TRUE(std::isfinite(element));
    }
}

}  // namespace
