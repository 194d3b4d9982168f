// The screen after a won stage: one of three result messages over a bright
// background, until Enter is pressed again.
#pragma once

#include "app/scene.h"

// What the last stage clear earned, set by the stage right before it asks for
// this screen: 1 cleared, 2 cleared and the title menu unlocked by this
// clear, 3 cleared with the menu already open. 1 at process start.
extern int ClearResult;

class SceneGameClear : public Scene {
public:
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;
};
