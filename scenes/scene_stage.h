// The base of every playable stage. It adds nothing to Scene; objects that
// only need "a stage" name this type.
#pragma once

#include "app/scene.h"

class SceneStage : public Scene {};
