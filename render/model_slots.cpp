#include "render/model_slots.h"

#include "app/scene.h"
#include "render/skin_model.h"
#include "render/static_model.h"

void LoadStartUpModels()
{
    AddSceneReleaseHook(ReleaseSceneStaticModels);
    AddSceneReleaseHook(ReleaseSceneSkinModels);
    int slot = 0;
    for (const char* file : SkinModelFiles) {
        LoadSkinModel(file, slot++);
    }
    slot = 0;
    for (const char* file : StaticModelFiles) {
        LoadStaticModel(file, slot++);
    }
}

void FreeAllModels()
{
    FreeAllStaticModels();
    FreeAllSkinModels();
}
