// The title screen: artwork, the saved record, and the way into the game.
// Enter starts the stage with the sword fighter; once the menu is unlocked,
// Up and Down choose between that and the character select screen.
#pragma once

#include "app/scene.h"

// Starts reading the two pictures every title shows on a worker thread, so
// that the first title need not wait for them once the window is up.
void PrefetchTitleImages();

class SceneGameTitle : public Scene {
public:
    void Init() override;
    void Update() override;
    void DrawShadow() override {}
    void Draw() override;

    // The highlighted menu item: 0 the stage, 1 character select.
    int Selection() const { return selection; }

private:
    void DrawMenu() const;
    void DrawRecord() const;

    int selection = 0;
    int itemCount = 0;
};
