// The model builders behind WriteModels, one function per file the game reads.
#pragma once

#include "tools/mesh_builder.h"
#include "tools/x_writer.h"

// Props and stage pieces (rigid meshes).
Mesh BuildSword();
Mesh BuildSpear();
Mesh BuildStaff();
Mesh BuildBubble();
Mesh BuildFire();
Mesh BuildSelectGround();
Mesh BuildStageGround();
Mesh BuildStageWall();
Mesh BuildSky();

// Characters (skinned, animated).
SkinnedModel BuildSwordFighter();
SkinnedModel BuildLizardWarrior();
SkinnedModel BuildWizard();
SkinnedModel BuildWyvern();
SkinnedModel BuildGreenSlime();
SkinnedModel BuildBlueSlime();
SkinnedModel BuildRedSlime();
