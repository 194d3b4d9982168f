// The three slimes. Green ones run into the player and hurt by touch, blue
// ones release a ring of bubbles up close, red ones spit fire balls while
// they chase.
#pragma once

#include "objects/bullet_bubble.h"  // Required for: BubbleRingCount
#include "objects/chara_enemy.h"

// Slimes have no facing matrix of their own: after moving they turn toward
// where they went (also while knocked back) and are drawn with that facing.
class CharaSlime : public CharaEnemy {
public:
    void Update() override;

protected:
    explicit CharaSlime(const EnemyKind& kind) : CharaEnemy(kind) {}
    virtual void StateStep() = 0;
};

class CharaSlimeGreen : public CharaSlime {
public:
    CharaSlimeGreen();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z);

private:
    void StateStep() override;
};

class CharaSlimeBlue : public CharaSlime {
public:
    CharaSlimeBlue();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z);

private:
    void StateStep() override;
    void ReleaseBubbleRing();
};

class CharaSlimeRed : public CharaSlime {
public:
    CharaSlimeRed();
    void Setup(ObjCharacter* hunted, const StageGeometry* geometry, float x, float y, float z);

    int32_t fireCooldown = 0;
    bool fireArmed = false;

private:
    void StateStep() override;
    void FireControl();
};

// Updates between two fire balls of a chasing red slime, counting the shot.
inline constexpr int32_t RedSlimeFireCooldown = 60;
