// The game objects together in real frames on a real GL window: a camera
// orbiting a character, a light following it for the shadow pass, and a fire
// ball that hits an enemy, which loses hit points and shows its damage number.
#include <gtest/gtest.h>

#include "objects/bullet_fire.h"
#include "objects/light.h"
#include "objects/main_camera_lock_on.h"
#include "objects/obj_damage_pop.h"
#include "objects_world.h"
#include "platform/key_input.h"
#include "render/render_passes.h"
#include "render/static_model.h"
#include "render/texture.h"
// Last: the window helper brings in X11 headers whose macros clash with names
// in the headers above.
#include "tests/gl_test_window.h"

namespace {

constexpr int FireModelSlot = 3;
constexpr int UiTextureSlot = 0;

class ObjectsScene : public ObjectsWorldWithSound {
protected:
    void TearDown() override
    {
        ClearObjectList();
        ReleaseSceneTextures();
        if (loadedFireModel) {
            ReleaseStaticModel(StaticModelTable[FireModelSlot]);
            StaticModelTable[FireModelSlot] = nullptr;
        }
        ObjectsWorldWithSound::TearDown();
    }
    bool loadedFireModel = false;
};

// The window pixel where a world point appears, x right and y down.
bool ScreenPoint(Vec3 at, int& x, int& y)
{
    const Vec4 clip = MatTransform(MatMultiply(ActiveCamera->projection, ActiveCamera->view),
                                   Vec4{at.x, at.y, at.z, 1.0f});
    if (clip.w <= 0.0f) {
        return false;
    }
    x = static_cast<int>((clip.x / clip.w * 0.5f + 0.5f) * static_cast<float>(WindowWidth));
    y = static_cast<int>((0.5f - clip.y / clip.w * 0.5f) * static_cast<float>(WindowHeight));
    return x >= 0 && x < WindowWidth && y >= 0 && y < WindowHeight;
}

TEST_F(ObjectsScene, FireBallHitsAnEnemyThatShowsItsDamageWhileTheCameraOrbits)
{
    REQUIRE_TEST_WINDOW();
    InitShadowDepthTexture();
    LoadTexture(UiTextureSlot, "image/UI.png");
    if (StaticModelTable[FireModelSlot] == nullptr) {
        loadedFireModel = LoadStaticModel("model/Fire.x", FireModelSlot);
        ASSERT_TRUE(loadedFireModel);
    }

    auto* camera = new MainCameraLockOn();
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    ActiveCamera = camera;
    ObjCharacter* player = AddPlayer({});
    ObjCharacter* enemy = AddEnemy({0.0f, 0.0f, -4.0f}, 40);
    SetupLockOnCamera(camera, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, 82, nullptr, player, -5.0f, -90.0f,
                      10.0f, 2.0f, 0.2f);
    auto* light = new Light();
    AddObject(light, TypeLight, TeamNeutral, 0);
    light->target = player;
    light->elevation = 50.0f;
    light->azimuth = 120.0f;
    light->distance = 30.0f;
    ActiveLight = light;

    auto* fire = new BulletFire();
    AddObject(fire, TypeBulletFire, TeamPlayerShot, 1);
    LaunchFire(fire, 0.0f, 0.2f, 0.0f, 0.0f, 0.0f, -0.1f, 10.0f, 12);

    ObjDamagePop* shown = nullptr;
    for (int frame = 0; frame < 60 && shown == nullptr; ++frame) {
        camera->yaw -= 1.0f;  // orbit as if Right were held
        UpdateObjects();
        RenderPasses();
        for (Object* object : ObjectList) {
            if (auto* pop = dynamic_cast<ObjDamagePop*>(object)) {
                shown = pop;
            }
        }
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(enemy->hp, 28);
    EXPECT_EQ(shown->value, 12);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The light stands over the player and the camera orbits around it.
    EXPECT_GT(ActiveLight->position.y, 20.0f);
    EXPECT_NE(camera->yaw, -90.0f);

    // The number is drawn where the pop-up stands: white digits over the sky.
    int x = 0;
    int y = 0;
    ASSERT_TRUE(ScreenPoint(shown->position, x, y));
    int whitish = 0;
    for (int dy = -6; dy <= 6; ++dy) {
        for (int dx = -6; dx <= 6; ++dx) {
            const Rgb pixel = PixelAt(x + dx, y + dy);
            if (pixel.r > 200 && pixel.g > 200 && pixel.b > 200) {
                ++whitish;
            }
        }
    }
    EXPECT_GT(whitish, 0);
}

}  // namespace
