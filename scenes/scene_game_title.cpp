#include "scenes/scene_game_title.h"

#include "app/keyboard.h"
#include "app/save_data.h"
#include "app/sound.h"
#include "platform/window.h"
#include "render/image_file.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "scenes/scene_factory.h"

namespace {

constexpr int BackgroundTexture = 0;
constexpr int TitleUiTexture = 1;
constexpr int DigitTexture = 2;
constexpr int RecordPanelTexture = 3;
constexpr const char* BackgroundImage = "image/Title.bmp";
constexpr const char* TitleUiImage = "image/GameTitleUI.png";

constexpr int MusicSound = 0;
constexpr int ConfirmSound = 1;

constexpr int MenuItemCount = 2;
constexpr int StageItem = 0;

// Menu rows are 55 pixels apart on the screen and in the artwork.
constexpr float MenuRowStep = 55.0f;

constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float LogoBlue[4] = {0.24f, 0.28f, 0.8f, 1.0f};
constexpr float MenuRed[4] = {0.92f, 0.1f, 0.14f, 1.0f};

// Digit d of the record count is the 35-texel cell at (192 + 35d, 0).
constexpr NumberFont RecordFont = {DigitTexture, 192, 0, 35};
constexpr int RecordX = 15;
constexpr int RecordY = 55;
constexpr int RecordDigitSize = 40;

void DrawFullScreen(int slot)
{
    DrawSprite(MakeSpriteQuad(0.0f, 0.0f, 800.0f, 600.0f, 0.0f, 0.0f, 800.0f, 600.0f, 0.0f), White, slot);
}

}  // namespace

void PrefetchTitleImages()
{
    PrefetchImageFiles({BackgroundImage, TitleUiImage});
}

void SceneGameTitle::Init()
{
    selection = 0;
    ReadSaveRecord();
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
    LoadTexture(BackgroundTexture, BackgroundImage);
    LoadTexture(TitleUiTexture, TitleUiImage);
    // The record panel and its digits show only once the stage has been
    // cleared (the flag cannot change while the title is up), so a player
    // who has not cleared it yet does not wait for their loading.
    if (SaveData.stageCleared != 0) {
        LoadTexture(DigitTexture, "image/UI.png");
        LoadTexture(RecordPanelTexture, "image/TitleMessage.png");
    }
    LoadSound(MusicSound, "sound/game_tunemoor_4_field09.wav");
    LoadSound(ConfirmSound, "sound/decision4.wav");
    itemCount = MenuItemCount;
}

void SceneGameTitle::Update()
{
    PlaySound(MusicSound);
    // Any non-zero flag counts as set, here as in Draw, so a hand-edited save
    // never shows a menu that does not move.
    if (SaveData.menuUnlocked != 0) {
        if (KeyFreshPress(VkUp)) {
            selection -= 1;
            if (selection < 0) {
                selection = itemCount - 1;
            }
        }
        if (KeyFreshPress(VkDown)) {
            selection += 1;
            if (selection >= itemCount) {
                selection = 0;
            }
        }
    } else {
        selection = 0;
    }
    if (KeyFreshPress(VkEnter)) {
        RequestScene(selection == StageItem ? MakeStageScene(DefaultCharacter) : MakeCharacterSelectScene());
        PlayConfirmAndPause();
    }
}

// All sprites lie at one depth with the depth test on, so the first sprite
// drawn on a pixel keeps it: front to back, background last.
void SceneGameTitle::Draw()
{
    DrawSprite(MakeSpriteQuad(0.0f, 0.0f, 588.0f, 100.0f, 110.0f, 200.0f, 698.0f, 300.0f, 0.0f), LogoBlue,
               TitleUiTexture);
    DrawMenu();
    if (SaveData.stageCleared != 0) {
        DrawRecord();
    }
    DrawFullScreen(BackgroundTexture);
}

void SceneGameTitle::DrawMenu() const
{
    if (SaveData.menuUnlocked == 0) {
        // The prompt's lower part lies below the window on purpose.
        DrawSprite(MakeSpriteQuad(0.0f, 271.0f, 391.0f, 614.0f, 204.0f, 380.0f, 595.0f, 723.0f, 0.0f), MenuRed,
                   TitleUiTexture);
        return;
    }
    for (int item = 0; item < itemCount; ++item) {
        const float offset = MenuRowStep * static_cast<float>(item);
        DrawSprite(MakeSpriteQuad(0.0f, 100.0f + offset, 374.0f, 154.0f + offset, 250.0f, 380.0f + offset, 624.0f,
                                  434.0f + offset, 0.0f),
                   MenuRed, TitleUiTexture);
    }
    const float cursorOffset = MenuRowStep * static_cast<float>(selection);
    DrawSprite(MakeSpriteQuad(0.0f, 210.0f, 64.0f, 264.0f, 186.0f, 380.0f + cursorOffset, 250.0f,
                              435.0f + cursorOffset, 0.0f),
               White, TitleUiTexture);
}

void SceneGameTitle::DrawRecord() const
{
    DrawFullScreen(RecordPanelTexture);
    DrawNumber(RecordFont, White, SaveData.defeatCount, RecordX, RecordY, RecordDigitSize);
}
