#include "scenes/scene_character_select.h"

#include "app/keyboard.h"
#include "app/sound.h"
#include "objects/obj_camera.h"
#include "platform/window.h"
#include "render/skin_model.h"
#include "render/sprite.h"
#include "render/static_model.h"
#include "render/texture.h"
#include "render/weapon_mount.h"
#include "scenes/scene_factory.h"

namespace {

constexpr int ArtTexture = 0;
constexpr int MusicSound = 0;
constexpr int ConfirmSound = 1;
constexpr int VkB = 'B';

// Everyone faces the same way, turned this far about the vertical axis.
constexpr float PreviewTurn = 2.0f;
constexpr float PreviewSpacing = 2.0f;
constexpr float PreviewLift = -0.1f;

// The preview animation runs half speed and loops after passing this frame.
constexpr float ClockStep = 0.5f;
constexpr float ClockWrap = 60.0f;

// The camera covers this share of the remaining distance every frame.
constexpr float CameraEase = 0.2f;
constexpr float CameraDistance = 5.0f;

struct PreviewCharacter {
    int skinModel;
    float scale;
};

// By selection: green, blue and red slime, lizard warrior, wyvern, wizard.
constexpr PreviewCharacter Characters[SceneCharacterSelect::CharacterCount] = {
    {3, 1.0f}, {4, 1.0f}, {5, 1.0f}, {2, 0.5f}, {1, 0.5f}, {6, 0.5f}};

constexpr int LizaldySelection = 3;
constexpr int WizardSelection = 5;
constexpr int SpearModel = 1;
constexpr int StaffModel = 5;
constexpr int LizaldyHandBone = 12;
constexpr int WizardHandBone = 6;

// Cards are 512 by 250 cells, four to a column.
constexpr int CardWidth = 512;
constexpr int CardHeight = 250;
constexpr int CardsPerColumn = 4;

constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

Matrix4 UniformScale(float s)
{
    return MatMultiplyRows(MatIdentity(), s, 0.0f, 0.0f, 0.0f, 0.0f, s, 0.0f, 0.0f, 0.0f, 0.0f, s, 0.0f);
}

}  // namespace

void SceneCharacterSelect::Init()
{
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
    animationClock = 0.0f;
    for (int i = 0; i < CharacterCount; ++i) {
        preview[i] = MatMultiply(
            MatMultiply(MatTranslation(PreviewSpacing * static_cast<float>(i), PreviewLift, 0.0f),
                        MatRotationY(PreviewTurn)),
            UniformScale(Characters[i].scale));
    }
    auto* previewCamera = new ObjCamera();
    AddObject(previewCamera, TypeDamagePop, TeamNeutral, 0);
    SetCameraDefaults(previewCamera);
    ActiveCamera = previewCamera;
    camera = previewCamera;
    cameraX = 0.0f;
    selection = 0;
    LoadTexture(ArtTexture, "image/CharaSelectUI.png");
    LoadSound(MusicSound, "sound/game_tunemoor_5_castle06.wav");
    LoadSound(ConfirmSound, "sound/decision4.wav");
}

void SceneCharacterSelect::Update()
{
    PlaySound(MusicSound);
    animationClock += ClockStep;
    if (animationClock > ClockWrap) {
        animationClock = 0.0f;
    }
    if (KeyFreshPress(VkLeft)) {
        selection = static_cast<int16_t>(selection - 1);
        if (selection < 0) {
            selection = CharacterCount - 1;
        }
    }
    if (KeyFreshPress(VkRight)) {
        selection = static_cast<int16_t>(selection + 1);
        if (selection > CharacterCount - 1) {
            selection = 0;
        }
    }
    if (KeyFreshPress(VkEnter)) {
        RequestScene(MakeStageScene(selection));
        PlayConfirmAndPause();
    }
    if (KeyFreshPress(VkB)) {
        RequestScene(MakeTitleScene());
    }
    cameraX += (PreviewSpacing * static_cast<float>(selection) - cameraX) * CameraEase;
    if (auto* previewCamera = camera.As<ObjCamera>()) {
        previewCamera->view =
            MatLookAt(Vec3{cameraX, 0.0f, CameraDistance}, Vec3{cameraX, 0.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f});
    }
}

// As on the title, a pixel keeps the first sprite drawn on it.
void SceneCharacterSelect::Draw()
{
    DrawCards();
    DrawPreviews();
}

void SceneCharacterSelect::DrawCards() const
{
    DrawSprite(MakeSpriteQuad(512.0f, 500.0f, 1024.0f, 750.0f, 0.0f, 0.0f, 512.0f, 250.0f, 0.0f), White,
               ArtTexture);
    const auto cardS = static_cast<float>(CardWidth * (selection / CardsPerColumn));
    const auto cardT = static_cast<float>(CardHeight * (selection % CardsPerColumn));
    DrawSprite(MakeSpriteQuad(cardS, cardT, cardS + CardWidth, cardT + CardHeight, 144.0f, 340.0f, 656.0f, 590.0f,
                              0.0f),
               White, ArtTexture);
    DrawSprite(MakeSpriteQuad(512.0f, 750.0f, 1024.0f, 1000.0f, 144.0f, 340.0f, 656.0f, 590.0f, 0.0f), White,
               ArtTexture);
}

// Each weapon is placed by the hand of the model drawn just before it, whose
// bone matrices still hold that draw's pose.
void SceneCharacterSelect::DrawPreviews() const
{
    const auto* previewCamera = camera.As<ObjCamera>();
    if (previewCamera == nullptr) {
        return;
    }
    const Matrix4& projection = previewCamera->projection;
    const Matrix4& view = previewCamera->view;
    auto drawCharacter = [&](int i) {
        if (SkinModelInSlot(Characters[i].skinModel) != nullptr) {
            DrawSkinModel(Characters[i].skinModel, 0, animationClock, preview[i], projection, view, nullptr);
        }
    };
    auto drawWeapon = [&](int staticModel, int holder, int bone) {
        if (StaticModelInSlot(staticModel) != nullptr) {
            DrawStaticModel(staticModel, nullptr,
                            WeaponMountMatrix(preview[holder], Characters[holder].skinModel, bone), projection,
                            view);
        }
    };
    for (int i = 0; i <= LizaldySelection; ++i) {
        drawCharacter(i);
    }
    drawWeapon(SpearModel, LizaldySelection, LizaldyHandBone);
    drawCharacter(4);
    drawCharacter(WizardSelection);
    drawWeapon(StaffModel, WizardSelection, WizardHandBone);
}
