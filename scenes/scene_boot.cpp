#include "scenes/scene_boot.h"

#include "app/scene.h"

namespace {

// Shows the clear colour until the title screen takes over this slot.
class SceneBlank : public Scene {
public:
    void Init() override {}
    void Update() override {}
    void DrawShadow() override {}
    void Draw() override {}
};

}  // namespace

Scene* MakeBootScene()
{
    return new SceneBlank();
}
