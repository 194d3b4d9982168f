#include "scenes/scene_factory.h"

#include "scenes/scene_character_select.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_placeholders.h"

Scene* MakeStageScene(int)
{
    return new ScenePlaceholder("stage");
}

Scene* MakeCharacterSelectScene()
{
    return new SceneCharacterSelect();
}

Scene* MakeTitleScene()
{
    return new SceneGameTitle();
}
