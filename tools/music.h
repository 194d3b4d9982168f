// The five pieces of music, each a loop of 20 to 60 seconds.
#pragma once

#include <vector>

std::vector<float> TitleTheme();       // bright and heroic, C major, 120 bpm
std::vector<float> CastleTheme();      // stately minuet for character select, G major
std::vector<float> FieldTheme();       // driving adventure for the stage, A minor, 140 bpm
std::vector<float> VictoryFanfare();   // game clear
std::vector<float> LamentTheme();      // game over, slow, D minor
