// A screen that shows only the clear colour: stands in for a screen that is
// not written yet, so the flow into it can already be run.
#pragma once

#include "app/scene.h"

class ScenePlaceholder : public Scene {
public:
    // `screenName` names the screen it stands in for; it must outlive the scene.
    explicit ScenePlaceholder(const char* screenName) : screenName_(screenName) {}

    void Init() override;
    void Update() override {}
    void DrawShadow() override {}
    void Draw() override {}

    const char* ScreenName() const { return screenName_; }

private:
    const char* screenName_;
};
