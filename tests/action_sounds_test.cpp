// Which sound slot each action of the playable characters and the enemies
// starts: each case sets a small world up to the moment before its action,
// then checks that the action's frames start that slot and no other.
#include <functional>
#include <string>
#include <vector>

#include "objects/bullet_bubble.h"
#include "objects/bullet_magic.h"
#include "objects/chara_lizaldy.h"
#include "objects/chara_player.h"
#include "objects/chara_player_lizaldy.h"
#include "objects/chara_player_slime_blue.h"
#include "objects/chara_player_slime_green.h"
#include "objects/chara_player_slime_red.h"
#include "objects/chara_player_wivern.h"
#include "objects/chara_slimes.h"
#include "objects/chara_wivern.h"
#include "objects/main_camera_lock_on.h"
#include "objects/weapon_spear.h"
#include "tests/objects_world.h"

namespace {

constexpr int LastActionSlot = 12;
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

struct ActionSound {
    const char* action;
    int slot;
    std::function<void()> setUp;  // builds the world up to the moment before the action
    std::function<void()> act;
};

// Set up without walls; `extra` is the held weapon or the camera where the
// class takes one.
template <typename Enemy, typename... Extra>
Enemy* AddEnemyOf(int32_t type, ObjCharacter* hunted, Vec3 at, Extra... extra)
{
    auto* enemy = new Enemy();
    AddObject(enemy, type, TeamEnemy, 1);
    enemy->Setup(hunted, nullptr, at.x, at.y, at.z, extra...);
    return enemy;
}

template <typename Player, typename... Extra>
Player* AddPlayable(Vec3 at, Extra... extra)
{
    auto* player = new Player();
    AddObject(player, TypePlayer, TeamPlayer, 1);
    player->Setup(nullptr, at.x, at.y, at.z, extra...);
    return player;
}

class ActionSounds : public ObjectsWorld {
protected:
    static ObjCharacter* Target(Vec3 at = {}) { return AddEnemy(at, 100, 0.5f); }
    static ObjCharacter* Victim(Vec3 at = {}) { return AddPlayer(at); }
    static CharaPlayer* Fighter()
    {
        auto* fighter = new CharaPlayer();
        AddObject(fighter, TypePlayer, TeamPlayer, 1);
        fighter->Setup(nullptr, 0.0f, 0.0f, 0.0f, nullptr);
        return fighter;
    }
    static void LaunchBolt(ObjCharacter* target)
    {
        auto* bolt = new BulletMagic();
        AddObject(bolt, TypeBulletMagic, TeamPlayerShot, 1);
        LaunchMagic(bolt, 0.0f, 2.0f, 0.0f, 0.1f, 0.0f, 0.0f, 15.0f, White, target);
    }
};

TEST_F(ActionSounds, EachActionStartsItsOwnSlot)
{
    const auto step = [] { Step(); };
    const auto ctrl = [] { Tap(VkCtrl); };
    const std::vector<ActionSound> cases = {
        {"enemy blue slime blows its ring", 4,
         [] {
             AddEnemyOf<CharaSlimeBlue>(TypeSlimeBlue, Victim(), {0.0f, 0.0f, -1.5f})->aiState = 1;
             RunFrames(20);
         },
         step},
        {"blue slime blows its ring", 4,
         [] {
             AddPlayable<CharaPlayerSlimeBlue>({});
             Tap(VkCtrl);
             RunFrames(19);
         },
         step},
        {"red slime spits fire", 5, [] { AddPlayable<CharaPlayerSlimeRed>({}); }, ctrl},
        {"enemy touches the sword fighter", 6,
         [] {
             Fighter();
             AddEnemy({0.0f, 0.0f, -0.5f}, 100, 0.5f, 5);
         },
         step},
        {"green slime charges into an enemy", 6,
         [] {
             AddPlayable<CharaPlayerSlimeGreen>({});
             Target({0.5f, 0.0f, 0.0f});
         },
         ctrl},
        {"enemy spear hits", 6,
         [] {
             auto* spear = new WeaponSpear();
             AddObject(spear, TypeWeaponSpear, TeamEnemyWeapon, 1);
             SetupSpear(spear, EnemySpearDamage, AddEnemyOf<CharaLizaldy>(TypeLizaldy, nullptr, {}, static_cast<WeaponSpear*>(nullptr)));
             Victim({0.0f, 0.0f, -1.5f});
             spear->BeginStrike();
         },
         step},
        {"bubble hits", 6,
         [] {
             auto* bubble = new BulletBubble();
             AddObject(bubble, TypeBulletBubble, TeamPlayerShot, 1);
             LaunchBubble(bubble, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f);
             Target();
         },
         step},
        {"enemy wyvern starts its dive", 7,
         [] { AddEnemyOf<CharaWivern>(TypeWivern, Victim(), {0.0f, 9.5f, -12.0f})->aiState = 1; }, step},
        {"wyvern winds up", 7, [] { AddPlayable<CharaPlayerWivern>({0.0f, PlayerWivernHeight, 0.0f}, static_cast<Object*>(nullptr)); }, ctrl},
        {"enemy wyvern's dive hits the player", 8,
         [] {
             auto* wivern = AddEnemyOf<CharaWivern>(TypeWivern, Fighter(), {0.0f, 0.0f, -0.5f});
             wivern->aiState = 2;
             wivern->diveLaunched = 1;
         },
         step},
        {"wyvern strikes an enemy", 8,
         [] {
             auto* wivern = AddPlayable<CharaPlayerWivern>({0.0f, PlayerWivernHeight, 0.0f}, static_cast<Object*>(nullptr));
             ObjCharacter* target = Target({0.0f, 0.0f, -6.0f});
             Tap(VkCtrl);
             StepsWhile([=] { return Length(target->position - wivern->position) >= 2.5f; });
         },
         [] {
             Tap(VkCtrl);
             RunFrames(4);
         }},
        {"enemy lizard thrusts", 9,
         [] { AddEnemyOf<CharaLizaldy>(TypeLizaldy, Victim(), {0.0f, 0.0f, -1.5f}, static_cast<WeaponSpear*>(nullptr))->aiState = 1; }, step},
        {"lizard thrusts", 9,
         [] {
             AddPlayable<CharaPlayerLizaldy>({}, static_cast<ObjWeapon*>(nullptr));
         },
         ctrl},
        {"magic bolt leaves", 10, [] {}, [] { LaunchBolt(Target({0.0f, 0.0f, -6.0f})); }},
        {"magic bolt darts", 11,
         [] {
             LaunchBolt(Target({0.0f, 0.0f, -6.0f}));
             RunFrames(61);
         },
         step},
        {"camera locks on", 12,
         [] {
             auto* camera = new MainCameraLockOn();
             AddObject(camera, TypeMainCameraLockOn, TeamNeutral, 0);
             SetupLockOnCamera(camera, SpriteQuad{}, VkRight, VkLeft, VkUp, VkDown, 'R', nullptr, Victim(), -5.0f,
                               -90.0f, 10.0f, 2.0f, 0.2f);
             Target({0.0f, 0.0f, -5.0f});
         },
         [] { Tap('R'); }},
    };
    for (const ActionSound& c : cases) {
        SCOPED_TRACE(c.action);
        ClearObjectList();
        ReleaseKeys();
        for (int slot = 0; slot <= LastActionSlot; ++slot) {
            LoadTone({slot});
        }
        AddCamera();
        c.setUp();
        for (int slot = 0; slot <= LastActionSlot; ++slot) {
            StopSound(slot);
            startsBefore[slot] = ChannelStartCount(slot);
        }
        c.act();
        for (int slot = 0; slot <= LastActionSlot; ++slot) {
            EXPECT_EQ(Starts(slot), slot == c.slot ? 1u : 0u) << "slot " << slot;
        }
    }
}

}  // namespace
