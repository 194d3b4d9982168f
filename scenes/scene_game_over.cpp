#include "scenes/scene_game_over.h"

#include "app/keyboard.h"          // Required for: KeyFreshPress
#include "app/sound.h"             // Required for: LoadSound, PlaySound
#include "platform/window.h"       // Required for: SetClearColour
#include "render/sprite.h"         // Required for: SpriteQuad, DrawSprite
#include "render/static_model.h"   // Required for: DrawStaticModel, StaticModelInSlot
#include "render/texture.h"        // Required for: LoadTexture
#include "scenes/scene_factory.h"       // Required for: MakeTitleScene

namespace {

// Scales x, y and z and leaves w at 1, so the perspective divide keeps the size.
Matrix4 UniformScale(float s)
{
    Matrix4 scale;
    scale.m[0] = s;
    scale.m[5] = s;
    scale.m[10] = s;
    return scale;
}

constexpr int PictureSlot = 0;
constexpr int SwordModel = 0;
constexpr float SpinStep = 0.03f;
// The angle is in radians but wraps at 360, so one wrap takes about 12000
// frames; the turn it makes at the wrap is invisible at that speed.
constexpr float SpinWrap = 360.0f;
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

void SceneGameOver::Init()
{
    SetClearColour(0.0f, 0.0f, 0.0f, 0.0f);
    spinAngle = 0.0f;
    model = MatMultiply(MatTranslation(0.0f, -0.3f, 0.0f), UniformScale(0.8f));
    LoadTexture(PictureSlot, "image/GameOver.bmp");
    LoadSound(0, "sound/game_tunemoor_7_event38.wav");
}

void SceneGameOver::Update()
{
    PlaySound(0);
    if (KeyFreshPress(VkEnter)) {
        RequestScene(MakeTitleScene());
    }
    spinAngle += SpinStep;
    if (spinAngle >= SpinWrap) {
        spinAngle = 0.0f;
    }
}

void SceneGameOver::Draw()
{
    const SpriteQuad titleStrip = MakeSpriteQuad(0.0f, 0.0f, 470.0f, 80.0f, 180.0f, 0.0f, 660.0f, 80.0f, 0.0f);
    const SpriteQuad prompt = MakeSpriteQuad(0.0f, 80.0f, 645.0f, 135.0f, 70.0f, 500.0f, 715.0f, 555.0f, 0.0f);
    DrawSprite(titleStrip, White, PictureSlot);
    DrawSprite(prompt, White, PictureSlot);
    if (StaticModelInSlot(SwordModel) != nullptr) {
        DrawStaticModel(SwordModel, nullptr, MatMultiply(MatRotationY(spinAngle), model), projection, view);
    }
}
