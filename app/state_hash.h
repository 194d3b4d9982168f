// A fingerprint of the world for replay checks: scripted runs with a fixed
// seed record it every hundred frames, so any change in the game's rules
// shows as a changed value.
#pragma once

#include <cstdint>
#include <string>

// Frames between two records of --state-hashes.
inline constexpr int StateHashPeriod = 100;

// FNV-1a over every object in ObjectList order: its type and team, its
// position, and for characters their hit points, animation and animation
// frame. Positions and frames enter rounded to thousandths.
uint64_t WorldStateHash();

// One record line: "FRAME OBJECTS HASH" with the hash in 16 hex digits.
std::string StateHashLine(int frame);
