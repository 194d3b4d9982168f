// The screen after the player has died: a title strip and a prompt over a
// dark picture, with the sword spinning slowly in the middle.
#pragma once

#include "app/scene.h"
#include "math/vector_math.h"

class SceneGameOver : public Scene {
public:
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;

    // The sword is drawn straight into clip space: view and projection stay
    // identity for the whole life of the screen.
    Matrix4 model;
    Matrix4 view;
    Matrix4 projection;
    float spinAngle = 0.0f;  // radians
};
