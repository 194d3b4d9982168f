// The one playable level: a walled field with grass under a sky dome, the
// chosen character with its weapon, the enemies, a lock-on camera and a light.
// Won when every enemy has fallen; lost when the player character asks for
// the game over screen.
#pragma once

#include <array>
#include <cstdint>

#include "math/vector_math.h"
#include "objects/stage_geometry.h"
#include "render/sprite.h"
#include "scenes/scene_stage.h"

class MainCameraLockOn;
class ObjCharacter;

inline constexpr int GrassCount = 30;

// Whether this clear opens the title menu: 100 lifetime defeats, or the first
// playable character in the object list still at full health.
bool UnlockEarned();

class SceneStage1 : public SceneStage, public StageGeometry {
public:
    SceneStage1();
    ~SceneStage1() override;

    // Clear colour, BuildWorld, then the stage's textures and sounds.
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;

    // The part of Init that needs no window: fields, the seeded random
    // draws, and every object in its fixed order (camera, the player's
    // weapon and the player, the enemies, the light).
    void BuildWorld();

    Matrix4 skyWorld;
    std::array<Matrix4, GrassCount> grassWorld{};
    std::array<int, GrassCount> grassKind{};
    int clearDelay = 0;
    NumberFont countFont;
    SpriteQuad grassQuad;
    SpriteQuad labelQuad;
    int16_t chosenCharacter = -1;  // -1 the sword fighter; 0 to 5 from character select
    MainCameraLockOn* camera = nullptr;
    ObjCharacter* player = nullptr;

private:
    void CreatePlayer();
    void FinishClear();
};
