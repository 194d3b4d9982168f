#include "scenes/scene_game_clear.h"

#include "app/keyboard.h"          // Required for: KeyFreshPress
#include "app/sound.h"             // Required for: LoadSound, PlaySound
#include "platform/window.h"       // Required for: SetClearColour
#include "render/sprite.h"         // Required for: SpriteQuad, DrawSprite
#include "render/texture.h"        // Required for: LoadTexture
#include "scenes/scene_factory.h"       // Required for: MakeTitleScene

int ClearResult = 1;

namespace {

constexpr int BackgroundSlot = 0;
constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Results 1 to 3 have their own message slots; anything else (a result never
// set by a stage) falls back to the plain message rather than the background.
int MessageSlot(int result)
{
    return result >= 1 && result <= 3 ? result : 1;
}

}  // namespace

void SceneGameClear::Init()
{
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
    LoadTexture(BackgroundSlot, "image/GameClear.bmp");
    LoadTexture(1, "image/GameClearMessage1.png");
    LoadTexture(2, "image/GameClearMessage2.png");
    LoadTexture(3, "image/GameClearMessage3.png");
    LoadSound(0, "sound/game_tunemoor_4_field05.wav");
}

void SceneGameClear::Update()
{
    PlaySound(0);
    if (KeyFreshPress(VkEnter)) {
        RequestScene(MakeTitleScene());
    }
}

void SceneGameClear::Draw()
{
    const SpriteQuad fullWindow = MakeSpriteQuad(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 800.0f, 600.0f, 0.0f);
    // Sprites share one depth and the first drawn keeps each pixel, so the
    // message goes first to lie in front of the background.
    DrawSprite(fullWindow, White, MessageSlot(ClearResult));
    DrawSprite(fullWindow, White, BackgroundSlot);
}
