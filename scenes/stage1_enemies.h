// The twenty enemies of the first stage, placed at random in bands along the
// field: green slimes nearest, then red and blue slimes, then wyverns,
// wizards and lizard warriors at the far end.
#pragma once

class ObjCharacter;
struct StageGeometry;

inline constexpr int Stage1EnemyCount = 20;

// Registers and sets up every enemy (and the weapon each one holds, created
// first) in their fixed order, with positions from rand(): for each enemy z
// is drawn before x. Afterwards EnemiesAlive has grown by 20.
void SpawnStage1Enemies(ObjCharacter* player, const StageGeometry* geometry);
