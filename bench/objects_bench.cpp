// One object pass of a busy stage: the camera, the player striking with its
// sword among twenty enemies, and a cloud of shots that each run their hit
// test. Everyone is recoiling, so the pass does the same work every time.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/scene.h"
#include "objects/bullet_fire.h"
#include "objects/bullet_magic.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_sword.h"

namespace {

constexpr int EnemyCount = 20;
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

ObjCharacter* AddCharacter(int32_t type, int32_t team, Vec3 at)
{
    auto* character = new ObjCharacter();
    AddObject(character, type, team, 1);
    SetupCharacter(*character, CharacterStats{100, 5, 0.5f}, at);
    character->knockedBack = true;
    return character;
}

void BuildBusyStage(int shots)
{
    ClearObjectList();
    srand(1);
    auto* camera = new MainCameraLockOn();
    AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
    auto* sword = new WeaponSword();
    AddObject(sword, TypeWeaponSword, TeamPlayerWeapon, 1);
    ObjCharacter* player = AddCharacter(TypePlayer, TeamPlayer, {});
    SetupSword(sword, player);
    SetupLockOnCamera(camera, SpriteQuad{}, 39, 37, 38, 40, 82, nullptr, player, -5.0f, -90.0f, 10.0f, 2.0f,
                      0.2f);
    ObjCharacter* first = nullptr;
    for (int i = 0; i < EnemyCount; ++i) {
        ObjCharacter* enemy = AddCharacter(TypeSlimeGreen, TeamEnemy,
                                           {static_cast<float>(rand() % 9 - 4), 0.0f, static_cast<float>(-(rand() % 9))});
        if (first == nullptr) {
            first = enemy;
        }
    }
    camera->lockTarget = first;
    sword->BeginStrike();
    for (int i = 0; i < shots; ++i) {
        const float x = static_cast<float>(rand() % 9 - 4);
        const float z = static_cast<float>(-(rand() % 9));
        if (i % 4 == 0) {
            auto* bolt = new BulletMagic();
            AddObject(bolt, TypeBulletMagic, TeamEnemyShot, 1);
            LaunchMagic(bolt, x, 1.0f, z, 0.0f, 0.0f, 0.0f, 1000.0f, White, first);
            bolt->phase = MagicFlight;
        } else {
            auto* fire = new BulletFire();
            AddObject(fire, TypeBulletFire, i % 2 == 0 ? TeamPlayerShot : TeamEnemyShot, 1);
            LaunchFire(fire, x, 0.2f, z, 0.0f, 0.0f, 0.0f, 1000.0f, 5);
        }
    }
}

void BM_BusyStageObjectPass(benchmark::State& state)
{
    BuildBusyStage(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        UpdateObjects();
        benchmark::DoNotOptimize(ObjectList.size());
    }
    state.counters["objects"] = static_cast<double>(ObjectList.size());
    ClearObjectList();
}
BENCHMARK(BM_BusyStageObjectPass)->Arg(16)->Arg(40);

}  // namespace
