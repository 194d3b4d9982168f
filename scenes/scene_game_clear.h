// The screen after a won stage: one of three result messages over a bright
// background, until Enter is pressed again.
#pragma once

#include "app/scene.h"

class SceneGameClear : public Scene {
public:
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;
};
