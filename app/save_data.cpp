#include "app/save_data.h"

#include <fcntl.h>     // Required for: open
#include <sys/stat.h>  // Required for: fchmod
#include <unistd.h>    // Required for: write, fsync, close, unlink

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "objects/object.h"

SaveRecord SaveData;

namespace {

using SaveBytes = std::array<uint8_t, SaveRecordSize>;

constexpr int32_t DefeatMarkDelay = 1;

SaveBeforeReplaceHook beforeReplaceHook = nullptr;

SaveBytes Encode(const SaveRecord& record)
{
    const auto count = static_cast<uint32_t>(record.defeatCount);
    return SaveBytes{static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                     static_cast<uint8_t>(count >> 16), static_cast<uint8_t>(count >> 24),
                     record.menuUnlocked, record.stageCleared,
                     record.reserved[0], record.reserved[1]};
}

SaveRecord Decode(const SaveBytes& bytes)
{
    SaveRecord record;
    const uint32_t count = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                           (static_cast<uint32_t>(bytes[2]) << 16) |
                           (static_cast<uint32_t>(bytes[3]) << 24);
    record.defeatCount = static_cast<int32_t>(count);
    record.menuUnlocked = bytes[4];
    record.stageCleared = bytes[5];
    record.reserved[0] = bytes[6];
    record.reserved[1] = bytes[7];
    return record;
}

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const SaveBytes& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename itself survive a power cut. Failure here is not a failed
// write: the new record is already in place.
void SyncDirectory(const std::string& directory)
{
    const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

void ReadSaveRecordFrom(const std::string& path, SaveRecord& record)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    SaveBytes bytes = Encode(record);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (got == 0) {
        return;
    }
    record = Decode(bytes);
    record.defeatCount = std::clamp(record.defeatCount, 0, MaxDefeatCount);
}

bool WriteSaveRecordTo(const std::string& path, const SaveRecord& record)
{
    // A fresh, uniquely named file beside the target: rename only replaces
    // atomically within one file system, and a leftover from a crashed run
    // never gets in the way.
    std::string tempPattern = path + ".XXXXXX";
    std::vector<char> tempName(tempPattern.begin(), tempPattern.end());
    tempName.push_back('\0');
    const int fd = mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    const std::string tempPath(tempName.data());
    // mkstemp creates the file private to the user; a save file is ordinary data.
    fchmod(fd, 0644);
    const bool synced = WriteAll(fd, Encode(record)) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    bool ok = synced && closed;
    if (ok && beforeReplaceHook != nullptr) {
        ok = beforeReplaceHook(tempPath);
    }
    if (ok) {
        ok = std::rename(tempPath.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncDirectory(DirectoryOf(path));
    return true;
}

void ReadSaveRecord()
{
    ReadSaveRecordFrom(SaveFileName, SaveData);
}

void WriteSaveRecord()
{
    WriteSaveRecordTo(SaveFileName, SaveData);
}

bool HandleDefeat(Object& character, int32_t hp, Object* weapon, int32_t& enemiesAlive)
{
    if (character.removeFlag == 1 || hp > 0) {
        return false;
    }
    enemiesAlive -= 1;
    if (SaveData.defeatCount < MaxDefeatCount) {
        SaveData.defeatCount += 1;
    }
    WriteSaveRecord();
    character.MarkForRemoval(DefeatMarkDelay);
    if (weapon != nullptr) {
        weapon->MarkForRemoval(DefeatMarkDelay);
    }
    return true;
}

void SetSaveBeforeReplaceHook(SaveBeforeReplaceHook hook)
{
    beforeReplaceHook = hook;
}
