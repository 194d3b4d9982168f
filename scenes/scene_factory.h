// Where every screen is made, so a scene can start another without knowing
// its class: the title starts the stage and the character select screen
// through here, and those come back to the title the same way.
#pragma once

#include <string>

class Scene;

// The sword fighter the title starts when no character was chosen.
inline constexpr int DefaultCharacter = -1;

// chosenCharacter: DefaultCharacter, or a character select row 0..5.
Scene* MakeStageScene(int chosenCharacter);
Scene* MakeCharacterSelectScene();
Scene* MakeTitleScene();

// The screen a --start name stands for (see IsStartScreenName): the title,
// character select, the stage with the sword fighter or a chosen character,
// the game clear screen with result 1 to 3, or the game over screen. Any
// other name gives the title.
Scene* MakeStartScene(const std::string& name);

// Whether MakeStartScene gives the title for a --start name that the option
// check accepted (an empty name is a player's start).
bool StartsOnTitle(const std::string& name);
