// The character select screen: six playable characters stand in a row as
// animated models, the camera glides to the highlighted one and a card shows
// it. Enter starts the stage with that character, B goes back to the title.
#pragma once

#include <cstdint>

#include "app/scene.h"
#include "math/vector_math.h"
#include "objects/object.h"

class SceneCharacterSelect : public Scene {
public:
    static constexpr int CharacterCount = 6;

    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;

    int Selection() const { return selection; }
    float CameraX() const { return cameraX; }
    float AnimationClock() const { return animationClock; }

private:
    void DrawCards() const;
    void DrawPreviews() const;

    float animationClock = 0.0f;
    Matrix4 preview[CharacterCount];
    ObjectHandle camera;  // owned by ObjectList
    int16_t selection = 0;
    float cameraX = 0.0f;
};
