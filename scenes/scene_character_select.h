// The character select screen: the six playable characters stand in a row as
// animated models, the camera slides to the highlighted one and a card shows
// it. Left and Right choose (wrapping), Enter starts the stage with the
// choice, B goes back to the title.
#pragma once

#include <array>
#include <cstdint>

#include "app/scene.h"
#include "math/vector_math.h"

inline constexpr int SelectableCharacters = 6;

// The selection after one Left (-1) or Right (+1) press, wrapping at both ends.
int16_t StepSelection(int16_t selection, int direction);

class SceneCharacterSelect : public Scene {
public:
    // Clear colour, Prepare, then the screen's picture and sounds.
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;

    // The part of Init that needs no window: the clock, the row of preview
    // matrices, the camera (which becomes the active one) and the selection.
    void Prepare();

    float animClock = 0.0f;  // animation time of every preview, in frames
    std::array<Matrix4, SelectableCharacters> preview{};
    ObjectHandle camera;  // an ObjCamera owned by ObjectList
    int16_t selection = 0;
    float cameraX = 0.0f;  // the camera's place along the row

private:
    void DrawCards() const;
    void DrawModels() const;
};
