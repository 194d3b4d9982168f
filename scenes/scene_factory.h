// Where every screen is made, so a scene can start another without knowing
// its class: the title starts the stage and the character select screen
// through here, and those come back to the title the same way.
#pragma once

class Scene;

// The sword fighter the title starts when no character was chosen.
inline constexpr int DefaultCharacter = -1;

// chosenCharacter: DefaultCharacter, or a character select row 0..5.
Scene* MakeStageScene(int chosenCharacter);
Scene* MakeCharacterSelectScene();
Scene* MakeTitleScene();
