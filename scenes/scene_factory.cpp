#include "scenes/scene_factory.h"

#include "scenes/scene_character_select.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_placeholders.h"
#include "scenes/scene_stage1.h"

Scene* MakeStageScene(int chosenCharacter)
{
    auto* stage = new SceneStage1();
    stage->chosenCharacter = static_cast<int16_t>(chosenCharacter);
    return stage;
}

Scene* MakeCharacterSelectScene()
{
    return new SceneCharacterSelect();
}

Scene* MakeTitleScene()
{
    return new SceneGameTitle();
}
