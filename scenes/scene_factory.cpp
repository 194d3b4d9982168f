#include "scenes/scene_factory.h"

#include "scenes/scene_character_select.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_game_over.h"
#include "scenes/scene_game_title.h"
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

Scene* MakeStartScene(const std::string& name)
{
    const std::string stagePrefix = "stage:";
    const std::string clearPrefix = "clear:";
    if (name == "select") {
        return MakeCharacterSelectScene();
    }
    if (name == "stage") {
        return MakeStageScene(DefaultCharacter);
    }
    if (name.rfind(stagePrefix, 0) == 0 && name.size() == stagePrefix.size() + 1) {
        return MakeStageScene(name.back() - '0');
    }
    if (name.rfind(clearPrefix, 0) == 0 && name.size() == clearPrefix.size() + 1) {
        ClearResult = name.back() - '0';
        return new SceneGameClear();
    }
    if (name == "over") {
        return new SceneGameOver();
    }
    return MakeTitleScene();
}

bool StartsOnTitle(const std::string& name)
{
    return name.empty() || name == "title";
}
