#include "objects/weapon_staff.h"

#include <cstdlib>  // Required for: rand()

#include "app/scene.h"
#include "math/collision.h"
#include "objects/bullet_magic.h"
#include "objects/main_camera_lock_on.h"

namespace {

constexpr Vec3 StaffStartAim{-1.0f, 0.0f, 0.0f};
constexpr float StaffHeight = 2.0f;
constexpr int32_t StaffShotInterval = 3;
constexpr float BoltSpeed = 0.5f;
constexpr float BoltRange = 15.0f;
constexpr float AimStepDegrees = -40.0f;
constexpr float StaffColors[StaffBoltColors][4] = {
    {1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f},
    {1.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 0.0f, 1.0f, 1.0f},
};

}  // namespace

void SetupStaff(WeaponStaff* staff, ObjCharacter* owner, int32_t targetTeam, Object* camera)
{
    staff->owner = owner;
    staff->striking = 0;
    staff->shotsFired = 0;
    staff->aim = StaffStartAim;
    staff->startAim = StaffStartAim;
    for (int i = 0; i < StaffBoltColors; ++i) {
        for (int c = 0; c < 4; ++c) {
            staff->boltColors[i][c] = StaffColors[i][c];
        }
    }
    staff->targetTeam = targetTeam;
    staff->target.Reset();
    staff->camera = camera;
}

void WeaponStaff::BeginStrike()
{
    striking = 1;
    const auto* lockOn = camera.As<MainCameraLockOn>();
    Object* locked = lockOn != nullptr ? lockOn->LockTarget() : nullptr;
    target = locked != nullptr ? locked : NearestOfTeam(Owner(), targetTeam);
}

void WeaponStaff::EndStrike()
{
    aim = startAim;
    striking = 0;
    shotsFired = 0;
    burstArmed = false;
    shotDelay = 0;
}

void WeaponStaff::Update()
{
    ObjCharacter* holder = Owner();
    if (holder == nullptr) {
        return;
    }
    if (striking == 0) {
        position = holder->position + Vec3{0.0f, StaffHeight, 0.0f};
        return;
    }
    ObjCharacter* victim = Target();
    if (victim == nullptr) {
        return;
    }
    if (!burstArmed || shotDelay != 0) {
        if (!burstArmed) {
            burstArmed = true;
            shotDelay = StaffShotInterval;
        }
        shotDelay -= 1;
    } else {
        shotDelay = StaffShotInterval;
        const Vec4 turned = MatTransform(holder->world, Vec4{aim.x, aim.y, aim.z, 0.0f});
        const Vec3 velocity = Vec3Normalize(Vec3{turned.x, turned.y, turned.z}) * BoltSpeed;
        auto* bolt = new BulletMagic();
        AddObject(bolt, TypeBulletMagic, holder->team == TeamPlayer ? TeamEnemyShot : TeamPlayerShot, 1);
        LaunchMagic(bolt, position.x, position.y, position.z, velocity.x, velocity.y, velocity.z, BoltRange,
                    boltColors[rand() % StaffBoltColors], victim);
        aim = RotateAboutZ(aim, AimStepDegrees);
        shotsFired += 1;
    }
    if (shotsFired >= StaffBurstBolts) {
        striking = 0;
        shotsFired = 0;
        aim = startAim;
    }
}
