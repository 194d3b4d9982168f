// The one record the game keeps between runs, and the file that mirrors it.
#pragma once

#include <cstdint>
#include <string>

class Object;

// Stored in the file byte for byte as listed, little-endian, nothing else.
struct SaveRecord {
    int32_t defeatCount = 0;  // all runs together, 0..MaxDefeatCount
    uint8_t menuUnlocked = 0;  // non-zero: the title offers character select
    uint8_t stageCleared = 0;  // non-zero: the title shows the defeat count
    uint8_t reserved[2] = {};  // unused by the game, written back as read
};

inline constexpr int SaveRecordSize = 8;
inline constexpr int32_t MaxDefeatCount = 1000;
inline constexpr const char* SaveFileName = "Kestrune.savedata";

// The record for the whole run; all zero until the title reads the file.
extern SaveRecord SaveData;

// Reads the record from `path` over `record`. A missing file changes nothing;
// a short one replaces only the bytes it holds. The count is then clamped
// into 0..MaxDefeatCount so a damaged file cannot show nonsense; the flags
// and reserved bytes are kept as read.
void ReadSaveRecordFrom(const std::string& path, SaveRecord& record);

// Replaces the file at `path` with the record without ever leaving a
// half-written file: the bytes go to a new file in the same directory, are
// synced, and only then renamed over the old one. Returns false on any
// failure, in which case the old file is untouched.
bool WriteSaveRecordTo(const std::string& path, const SaveRecord& record);

// SaveData from and to SaveFileName in the working directory. A write that
// fails is not reported: the record in memory still holds the change.
void ReadSaveRecord();
void WriteSaveRecord();

// Counts a fallen enemy once: if `character` is not yet marked for removal and
// its `hp` is 0 or below, lowers `enemiesAlive`, raises the defeat count (up
// to MaxDefeatCount), rewrites the file, and marks the character and its
// weapon (if any, and not already marked) for removal after one more frame.
// Returns true when the enemy was counted.
bool HandleDefeat(Object& character, int32_t hp, Object* weapon, int32_t& enemiesAlive);

// Lets a test fail a write after the new bytes are on disk but before they
// replace the old file, as a crash or a full disk at that moment would.
// Returning false from the hook aborts the write. Null removes the hook.
using SaveBeforeReplaceHook = bool (*)(const std::string& tempPath);
void SetSaveBeforeReplaceHook(SaveBeforeReplaceHook hook);
