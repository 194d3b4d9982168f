#include "scenes/stage1_enemies.h"

#include <cstdlib>

#include "app/scene.h"
#include "objects/chara_lizaldy.h"
#include "objects/chara_slimes.h"
#include "objects/chara_wivern.h"
#include "objects/chara_wizard.h"
#include "objects/weapon_spear.h"
#include "objects/weapon_staff.h"

namespace {

// rand() % span + low, as a float coordinate.
float RandomIn(int span, int low)
{
    return static_cast<float>(std::rand() % span + low);
}

// One band of the field: z is drawn before x for every enemy.
struct Band {
    int xSpan, xLow, zSpan, zLow;
};

constexpr Band GreenBand = {13, -6, 21, -40};
constexpr Band SlimeBand = {41, -20, 11, -80};
constexpr Band FarBand = {41, -20, 51, -150};

template <typename Enemy>
void SpawnPlain(int count, int32_t type, const Band& band, float y, ObjCharacter* player,
                const StageGeometry* geometry)
{
    for (int i = 0; i < count; ++i) {
        const float z = RandomIn(band.zSpan, band.zLow);
        const float x = RandomIn(band.xSpan, band.xLow);
        auto* enemy = new Enemy();
        AddObject(enemy, type, TeamEnemy, 1);
        enemy->Setup(player, geometry, x, y, z);
    }
}

}  // namespace

void SpawnStage1Enemies(ObjCharacter* player, const StageGeometry* geometry)
{
    SpawnPlain<CharaSlimeGreen>(6, TypeSlimeGreen, GreenBand, 0.0f, player, geometry);
    SpawnPlain<CharaSlimeRed>(3, TypeSlimeRed, SlimeBand, 0.0f, player, geometry);
    SpawnPlain<CharaSlimeBlue>(3, TypeSlimeBlue, SlimeBand, 0.0f, player, geometry);
    SpawnPlain<CharaWivern>(3, TypeWivern, FarBand, WivernCruiseHeight, player, geometry);

    for (int i = 0; i < 2; ++i) {
        const float z = RandomIn(FarBand.zSpan, FarBand.zLow);
        const float x = RandomIn(FarBand.xSpan, FarBand.xLow);
        auto* staff = new WeaponStaff();
        AddObject(staff, TypeWeaponStaff, TeamEnemyWeapon, 0);
        auto* wizard = new CharaWizard();
        AddObject(wizard, TypeWizard, TeamEnemy, 1);
        wizard->Setup(player, geometry, x, 0.0f, z, staff);
        SetupStaff(staff, wizard, TeamPlayer, nullptr);
    }
    for (int i = 0; i < 3; ++i) {
        const float z = RandomIn(FarBand.zSpan, FarBand.zLow);
        const float x = RandomIn(FarBand.xSpan, FarBand.xLow);
        auto* spear = new WeaponSpear();
        AddObject(spear, TypeWeaponSpear, TeamEnemyWeapon, 1);
        auto* lizard = new CharaLizaldy();
        AddObject(lizard, TypeLizaldy, TeamEnemy, 1);
        lizard->Setup(player, geometry, x, 0.0f, z, spear);
        SetupSpear(spear, EnemySpearDamage, lizard);
    }
}
