// The stage builds the character chosen on the select screen, with its
// weapon registered first and wired to it, from the scene the factory makes.
#include <gtest/gtest.h>

#include <typeinfo>

#include "app/dev_options.h"
#include "app/scene.h"
#include "objects/chara_player.h"
#include "objects/chara_player_lizaldy.h"
#include "objects/chara_player_slime_blue.h"
#include "objects/chara_player_slime_green.h"
#include "objects/chara_player_slime_red.h"
#include "objects/chara_player_wivern.h"
#include "objects/chara_player_wizard.h"
#include "objects/main_camera_lock_on.h"
#include "objects/obj_weapon.h"
#include "objects/weapon_spear.h"
#include "objects/weapon_staff.h"
#include "objects/weapon_sword.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_stage1.h"

namespace {

template <typename Player, typename Weapon>
void ExpectStageBuilds(int chosen, float startHeight)
{
    SCOPED_TRACE("character " + std::to_string(chosen));
    ClearObjectList();
    Dev.hasSeed = true;
    Dev.seed = 99;
    auto* stage = dynamic_cast<SceneStage1*>(MakeStageScene(chosen));
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->chosenCharacter, chosen);
    stage->BuildWorld();
    auto* player = dynamic_cast<Player*>(stage->player);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->objectType, TypePlayer);
    EXPECT_EQ(player->team, TeamPlayer);
    EXPECT_EQ(player->position.y, startHeight);
    EXPECT_FLOAT_EQ(player->collider->sphere->radius, 0.4f);

    // The weapon stands right before its holder in the list and names it.
    Object* before = nullptr;
    for (Object* object : ObjectList) {
        if (object == player) {
            break;
        }
        before = object;
    }
    if constexpr (std::is_same_v<Weapon, void>) {
        EXPECT_EQ(player->weapon, nullptr);
        EXPECT_EQ(before, stage->camera);
    } else {
        auto* weapon = dynamic_cast<Weapon*>(player->weapon);
        ASSERT_NE(weapon, nullptr);
        EXPECT_EQ(before, weapon);
        EXPECT_EQ(weapon->team, TeamPlayerWeapon);
        EXPECT_EQ(weapon->Owner(), player);
    }
    delete stage;
    ClearObjectList();
    Dev.hasSeed = false;
}

TEST(StageCharacters, EveryChoiceBuildsItsCharacterAndWeapon)
{
    ExpectStageBuilds<CharaPlayer, WeaponSword>(-1, 0.0f);
    ExpectStageBuilds<CharaPlayerSlimeGreen, void>(0, 0.0f);
    ExpectStageBuilds<CharaPlayerSlimeBlue, void>(1, 0.0f);
    ExpectStageBuilds<CharaPlayerSlimeRed, void>(2, 0.0f);
    ExpectStageBuilds<CharaPlayerLizaldy, WeaponSpear>(3, 0.0f);
    ExpectStageBuilds<CharaPlayerWivern, void>(4, PlayerWivernHeight);
    ExpectStageBuilds<CharaPlayerWizard, WeaponStaff>(5, 0.0f);
    // A number the select screen never hands out plays the sword fighter.
    ExpectStageBuilds<CharaPlayer, WeaponSword>(9, 0.0f);
}

TEST(StageCharacters, PlayerSpearAndStaffAimAtEnemies)
{
    ClearObjectList();
    auto* stage = dynamic_cast<SceneStage1*>(MakeStageScene(3));
    ASSERT_NE(stage, nullptr);
    stage->BuildWorld();
    EXPECT_EQ(stage->player->weapon->damage, PlayerSpearDamage);
    delete stage;
    ClearObjectList();

    stage = dynamic_cast<SceneStage1*>(MakeStageScene(5));
    ASSERT_NE(stage, nullptr);
    stage->BuildWorld();
    auto* staff = dynamic_cast<WeaponStaff*>(stage->player->weapon);
    ASSERT_NE(staff, nullptr);
    EXPECT_EQ(staff->targetTeam, TeamEnemy);
    EXPECT_EQ(staff->camera.Get(), stage->camera);
    delete stage;
    ClearObjectList();
}

}  // namespace
