#include "scenes/scene_character_select.h"

#include "app/keyboard.h"         // Required for: KeyFreshPress
#include "app/sound.h"            // Required for: LoadSound, PlaySound, PlayConfirmAndPause
#include "objects/obj_camera.h"   // Required for: ObjCamera, ActiveCamera, SetCameraDefaults
#include "platform/window.h"      // Required for: SetClearColour
#include "render/skin_model.h"    // Required for: SkinModelInSlot, DrawSkinModel
#include "render/sprite.h"        // Required for: DrawSprite, MakeSpriteQuad
#include "render/static_model.h"  // Required for: StaticModelInSlot, DrawStaticModel
#include "render/texture.h"       // Required for: LoadTexture
#include "render/weapon_mount.h"  // Required for: WeaponMountMatrix, HandBone
#include "scenes/scene_factory.h"

namespace {

constexpr int UiTexture = 0;
constexpr int MusicSound = 0;
constexpr int ConfirmSound = 1;
constexpr int VkBack = 'B';

constexpr float ClockStep = 0.5f;
constexpr float ClockEnd = 60.0f;
constexpr float RowSpacing = 2.0f;
constexpr float RowHeight = -0.1f;
constexpr float PreviewTurn = 2.0f;  // radians: every model turned the same way
constexpr float CameraFollow = 0.2f;
constexpr float CameraDistance = 5.0f;

// One character on the row: its skinned model and how large it stands.
struct PreviewSlot {
    int skinModel;
    float scale;
};
constexpr PreviewSlot Previews[SelectableCharacters] = {
    {3, 1.0f}, {4, 1.0f}, {5, 1.0f}, {2, 0.5f}, {1, 0.5f}, {6, 0.5f},
};
constexpr int LizaldyRow = 3;
constexpr int WizardRow = 5;
constexpr int SpearModel = 1;
constexpr int StaffModel = 5;
constexpr int StaffBone = 6;

// The card grid: 512 by 250 texel cells, four to a column.
constexpr float CardWidth = 512.0f;
constexpr float CardHeight = 250.0f;
constexpr int CardsPerColumn = 4;

constexpr float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

Matrix4 UniformScale(float s)
{
    Matrix4 scale;
    scale.m[0] = s;
    scale.m[5] = s;
    scale.m[10] = s;
    return scale;
}

}  // namespace

int16_t StepSelection(int16_t selection, int direction)
{
    int next = selection + direction;
    if (next < 0) {
        next = SelectableCharacters - 1;
    } else if (next >= SelectableCharacters) {
        next = 0;
    }
    return static_cast<int16_t>(next);
}

void SceneCharacterSelect::Init()
{
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
    Prepare();
    LoadTexture(UiTexture, "image/CharaSelectUI.png");
    LoadSound(MusicSound, "sound/game_tunemoor_5_castle06.wav");
    LoadSound(ConfirmSound, "sound/decision4.wav");
}

void SceneCharacterSelect::Prepare()
{
    animClock = 0.0f;
    for (int i = 0; i < SelectableCharacters; ++i) {
        const Matrix4 place = MatTranslation(RowSpacing * static_cast<float>(i), RowHeight, 0.0f);
        preview[i] = MatMultiply(MatMultiply(place, MatRotationY(PreviewTurn)), UniformScale(Previews[i].scale));
    }
    auto* previewCamera = new ObjCamera();
    AddObject(previewCamera, TypeDamagePop, TeamNeutral, 0);
    SetCameraDefaults(previewCamera);
    ActiveCamera = previewCamera;
    camera = previewCamera;
    cameraX = 0.0f;
    selection = 0;
}

void SceneCharacterSelect::Update()
{
    PlaySound(MusicSound);
    animClock += ClockStep;
    if (animClock > ClockEnd) {
        animClock = 0.0f;
    }
    if (KeyFreshPress(VkLeft)) {
        selection = StepSelection(selection, -1);
    }
    if (KeyFreshPress(VkRight)) {
        selection = StepSelection(selection, 1);
    }
    if (KeyFreshPress(VkEnter)) {
        RequestScene(MakeStageScene(selection));
        PlayConfirmAndPause();
    }
    if (KeyFreshPress(VkBack)) {
        RequestScene(MakeTitleScene());
    }
    cameraX += (RowSpacing * static_cast<float>(selection) - cameraX) * CameraFollow;
    if (auto* previewCamera = camera.As<ObjCamera>()) {
        previewCamera->view = MatLookAt(Vec3{cameraX, 0.0f, CameraDistance}, Vec3{cameraX, 0.0f, 0.0f},
                                        Vec3{0.0f, 1.0f, 0.0f});
    }
}

// All sprites lie at one depth with the depth test on, so the first sprite
// drawn on a pixel keeps it: the banner and the card before the card frame.
void SceneCharacterSelect::Draw()
{
    DrawCards();
    DrawModels();
}

void SceneCharacterSelect::DrawCards() const
{
    DrawSprite(MakeSpriteQuad(512.0f, 500.0f, 1024.0f, 750.0f, 0.0f, 0.0f, 512.0f, 250.0f, 0.0f), White, UiTexture);
    const float cardS = CardWidth * static_cast<float>(selection / CardsPerColumn);
    const float cardT = CardHeight * static_cast<float>(selection % CardsPerColumn);
    DrawSprite(MakeSpriteQuad(cardS, cardT, cardS + CardWidth, cardT + CardHeight, 144.0f, 340.0f, 656.0f, 590.0f,
                              0.0f),
               White, UiTexture);
    DrawSprite(MakeSpriteQuad(512.0f, 750.0f, 1024.0f, 1000.0f, 144.0f, 340.0f, 656.0f, 590.0f, 0.0f), White,
               UiTexture);
}

void SceneCharacterSelect::DrawModels() const
{
    const auto* previewCamera = camera.As<ObjCamera>();
    if (previewCamera == nullptr) {
        return;
    }
    const Matrix4& projection = previewCamera->projection;
    const Matrix4& view = previewCamera->view;
    for (int i = 0; i < SelectableCharacters; ++i) {
        const int model = Previews[i].skinModel;
        if (SkinModelInSlot(model) != nullptr) {
            DrawSkinModel(model, 0, animClock, preview[i], projection, view, nullptr);
        }
        // Each weapon is placed on the hand of the pose just drawn.
        if (i == LizaldyRow && StaticModelInSlot(SpearModel) != nullptr) {
            DrawStaticModel(SpearModel, nullptr, WeaponMountMatrix(preview[i], model, HandBone), projection, view);
        }
        if (i == WizardRow && StaticModelInSlot(StaffModel) != nullptr) {
            DrawStaticModel(StaffModel, nullptr, WeaponMountMatrix(preview[i], model, StaffBone), projection, view);
        }
    }
}
