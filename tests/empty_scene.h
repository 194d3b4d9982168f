// A scene that does nothing, for tests that only need a scene switch to
// happen: the switch is what releases the per-scene textures and sounds.
#pragma once

#include "app/scene.h"

class EmptyScene : public Scene {
public:
    void Init() override {}
    void Update() override {}
    void DrawShadow() override {}
    void Draw() override {}
};
