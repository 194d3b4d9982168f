// The models every scene relies on: loaded once at start-up into fixed slots
// and kept until the program ends.
#pragma once

#include <string>

enum SkinModelSlot : int {
    SkinSlotPlayer = 0,
    SkinSlotWivern = 1,
    SkinSlotLizaldy = 2,
    SkinSlotJellyGreen = 3,
    SkinSlotJellyBlue = 4,
    SkinSlotJellyRed = 5,
    SkinSlotWizard = 6,
};

enum StaticModelSlot : int {
    StaticSlotSword = 0,
    StaticSlotSpear = 1,
    StaticSlotBubble = 2,
    StaticSlotFire = 3,
    StaticSlotGround = 4,
    StaticSlotStaff = 5,
    StaticSlotStageGround = 6,
    StaticSlotStageWall = 7,
    StaticSlotSky = 8,
};

inline constexpr const char* SkinModelFiles[] = {
    "model/Player.x",      "model/wivern001.x", "model/lizaldy.x", "model/jelly_green.x",
    "model/jelly_blue.x", "model/jelly_red.x", "model/wizard.x"};

inline constexpr const char* StaticModelFiles[] = {
    "model/3DWeapon.x", "model/spear001.x",     "model/Bubble.x",     "model/Fire.x", "model/ground.x",
    "model/staff.x",    "model/Stage1Ground.x", "model/Stage1Wall.x", "model/sky.x"};

// Reads a model file as the game does, without GL, and describes it in one
// line (counts of vertices, faces, materials and, for characters, bones,
// frames and animation sets). False when the file is missing or malformed,
// or when its blocks are unbalanced or misplaced even though the game reads
// it; the line then says so, naming the line of the file where it goes wrong.
bool DescribeModelFile(const char* path, bool skinned, std::string& line);

// Loads the seven characters and nine static models (a missing or broken
// file leaves its slot with an empty model) and registers the per-scene
// releases with the scene switch. Needs the GL context.
void LoadStartUpModels();

// Program exit: static models first, then the skinned ones.
void FreeAllModels();
