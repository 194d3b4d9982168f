// The base of every playable stage; objects that only need "a stage" name
// this type. A stage is no menu: its arrow keys turn the camera.
#pragma once

#include "app/scene.h"

class SceneStage : public Scene {
public:
    bool IsMenu() const override { return false; }
};
