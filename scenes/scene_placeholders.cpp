#include "scenes/scene_placeholders.h"

#include "platform/window.h"

void ScenePlaceholder::Init()
{
    SetClearColour(0.0f, 0.9f, 0.9f, 0.0f);
}
