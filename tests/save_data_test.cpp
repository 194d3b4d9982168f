// The save record on real files: exact bytes, damaged and partial files,
// failed writes, and counting defeats.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/save_data.h"
#include "objects/object.h"
#include "tests/test_files.h"

namespace {

SaveRecord MakeRecord(int32_t count, uint8_t unlocked, uint8_t cleared, uint8_t r0, uint8_t r1)
{
    SaveRecord record;
    record.defeatCount = count;
    record.menuUnlocked = unlocked;
    record.stageCleared = cleared;
    record.reserved[0] = r0;
    record.reserved[1] = r1;
    return record;
}

void ExpectSameRecord(const SaveRecord& actual, const SaveRecord& expected)
{
    EXPECT_EQ(actual.defeatCount, expected.defeatCount);
    EXPECT_EQ(actual.menuUnlocked, expected.menuUnlocked);
    EXPECT_EQ(actual.stageCleared, expected.stageCleared);
    EXPECT_EQ(actual.reserved[0], expected.reserved[0]);
    EXPECT_EQ(actual.reserved[1], expected.reserved[1]);
}

TEST(SaveFile, WritesTheExactBytesAndReadsThemBack)
{
    TempDir dir;
    const std::string path = dir.File(SaveFileName);
    const SaveRecord written = MakeRecord(999, 1, 1, 0xab, 0xcd);
    ASSERT_TRUE(WriteSaveRecordTo(path, written));
    EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{0xe7, 0x03, 0, 0, 1, 1, 0xab, 0xcd}));

    SaveRecord read;
    ReadSaveRecordFrom(path, read);
    ExpectSameRecord(read, written);
    // Nothing but the record is left in the directory.
    EXPECT_EQ(dir.List(), std::vector<std::string>{SaveFileName});
}

TEST(SaveFile, MissingEmptyAndShortFilesChangeOnlyWhatTheyHold)
{
    TempDir dir;
    const SaveRecord before = MakeRecord(300, 1, 0, 7, 8);

    SaveRecord record = before;
    ReadSaveRecordFrom(dir.File("missing"), record);
    ExpectSameRecord(record, before);

    WriteBytes(dir.File("empty"), {});
    ReadSaveRecordFrom(dir.File("empty"), record);
    ExpectSameRecord(record, before);

    // Three bytes replace the low three bytes of the count and nothing more.
    WriteBytes(dir.File("three"), {0x05, 0x00, 0x00});
    ReadSaveRecordFrom(dir.File("three"), record);
    ExpectSameRecord(record, MakeRecord(5, 1, 0, 7, 8));

    // Six bytes bring the count and both flags; the reserved bytes stay.
    WriteBytes(dir.File("six"), {0x2a, 0x00, 0x00, 0x00, 0x00, 0x01});
    ReadSaveRecordFrom(dir.File("six"), record);
    ExpectSameRecord(record, MakeRecord(42, 0, 1, 7, 8));

    // Bytes past the record are ignored.
    WriteBytes(dir.File("long"), {0x0a, 0, 0, 0, 1, 1, 0, 0, 0xff, 0xff});
    ReadSaveRecordFrom(dir.File("long"), record);
    ExpectSameRecord(record, MakeRecord(10, 1, 1, 0, 0));

    // A directory where the file should be reads as nothing.
    std::filesystem::create_directory(dir.File("folder"));
    ReadSaveRecordFrom(dir.File("folder"), record);
    ExpectSameRecord(record, MakeRecord(10, 1, 1, 0, 0));
}

TEST(SaveFile, CorruptCountsAreClampedAndFlagsKeptAsRead)
{
    TempDir dir;
    const std::string path = dir.File(SaveFileName);
    struct Case {
        std::vector<uint8_t> bytes;
        int32_t count;
    };
    const Case cases[] = {
        {{0xff, 0xff, 0xff, 0xff, 2, 0x80, 0, 0}, 0},     // -1
        {{0x00, 0x00, 0x00, 0x80, 2, 0x80, 0, 0}, 0},     // most negative
        {{0xe9, 0x03, 0x00, 0x00, 2, 0x80, 0, 0}, 1000},  // 1001
        {{0xff, 0xff, 0xff, 0x7f, 2, 0x80, 0, 0}, 1000},  // most positive
        {{0xe8, 0x03, 0x00, 0x00, 2, 0x80, 0, 0}, 1000},  // 1000 itself
    };
    for (const Case& entry : cases) {
        WriteBytes(path, entry.bytes);
        SaveRecord record;
        ReadSaveRecordFrom(path, record);
        EXPECT_EQ(record.defeatCount, entry.count);
        EXPECT_EQ(record.menuUnlocked, 2);
        EXPECT_EQ(record.stageCleared, 0x80);
    }
}

TEST(SaveFile, AFailedWriteLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string path = dir.File(SaveFileName);
    ASSERT_TRUE(WriteSaveRecordTo(path, MakeRecord(12, 1, 0, 0, 0)));
    const std::vector<uint8_t> oldBytes = ReadBytes(path);

    // The new bytes are written and synced, then the write is cut short.
    static std::vector<uint8_t> tempBytesSeen;
    SetSaveBeforeReplaceHook([](const std::string& tempPath) {
        tempBytesSeen = ReadBytes(tempPath);
        return false;
    });
    EXPECT_FALSE(WriteSaveRecordTo(path, MakeRecord(13, 1, 1, 0, 0)));
    SetSaveBeforeReplaceHook(nullptr);

    EXPECT_EQ(tempBytesSeen, (std::vector<uint8_t>{13, 0, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(dir.List(), std::vector<std::string>{SaveFileName});

    // A directory that does not exist, and a folder in the file's place.
    EXPECT_FALSE(WriteSaveRecordTo(dir.File("gone/") + SaveFileName, MakeRecord(1, 0, 0, 0, 0)));
    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_FALSE(WriteSaveRecordTo(dir.File("folder"), MakeRecord(1, 0, 0, 0, 0)));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

// Runs each test inside its own directory, as the game runs in its own, and
// starts from the all-zero record of a fresh process.
class DefeatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        SaveData = SaveRecord();
    }
    void TearDown() override
    {
        std::filesystem::current_path(oldDirectory);
        SaveData = SaveRecord();
    }

    SaveRecord FileRecord() const
    {
        SaveRecord record;
        ReadSaveRecordFrom(dir.File(SaveFileName), record);
        return record;
    }

    TempDir dir;
    std::filesystem::path oldDirectory;
    Object enemy;
    Object spear;
    int32_t enemiesAlive = 20;
};

TEST_F(DefeatTest, FirstDefeatCreatesTheFileAndMarksEnemyAndWeapon)
{
    SaveData.menuUnlocked = 1;
    SaveData.reserved[1] = 9;
    EXPECT_TRUE(HandleDefeat(enemy, 0, &spear, enemiesAlive));
    EXPECT_EQ(enemiesAlive, 19);
    EXPECT_EQ(SaveData.defeatCount, 1);
    ExpectSameRecord(FileRecord(), MakeRecord(1, 1, 0, 0, 9));
    EXPECT_EQ(enemy.removeFlag, 1);
    EXPECT_EQ(enemy.removeDelay, 1);
    EXPECT_EQ(spear.removeFlag, 1);
    EXPECT_EQ(spear.removeDelay, 1);
}

TEST_F(DefeatTest, LivingOrAlreadyMarkedEnemiesAreNotCounted)
{
    EXPECT_FALSE(HandleDefeat(enemy, 1, nullptr, enemiesAlive));
    EXPECT_EQ(enemy.removeFlag, 0);

    // Negative hit points count as fallen, but only once however often the
    // handler runs before the enemy is gone.
    EXPECT_TRUE(HandleDefeat(enemy, -15, nullptr, enemiesAlive));
    EXPECT_FALSE(HandleDefeat(enemy, -15, nullptr, enemiesAlive));
    EXPECT_FALSE(HandleDefeat(enemy, 0, nullptr, enemiesAlive));
    EXPECT_EQ(enemiesAlive, 19);
    EXPECT_EQ(SaveData.defeatCount, 1);
    EXPECT_EQ(FileRecord().defeatCount, 1);

    // A weapon already on its way out keeps the delay it was given.
    Object other;
    spear.MarkForRemoval(0);
    EXPECT_TRUE(HandleDefeat(other, 0, &spear, enemiesAlive));
    EXPECT_EQ(spear.removeDelay, 0);
}

TEST_F(DefeatTest, CountStopsAtOneThousandButTheFileIsStillRewritten)
{
    SaveData.defeatCount = MaxDefeatCount;
    SaveData.stageCleared = 1;
    EXPECT_TRUE(HandleDefeat(enemy, 0, nullptr, enemiesAlive));
    EXPECT_EQ(SaveData.defeatCount, MaxDefeatCount);
    EXPECT_EQ(enemiesAlive, 19);
    ExpectSameRecord(FileRecord(), MakeRecord(MaxDefeatCount, 0, 1, 0, 0));
}

TEST_F(DefeatTest, AnUnwritableDirectoryChangesTheRecordInMemoryOnly)
{
    // A working directory that no longer exists cannot be written, even by root.
    TempDir doomed;
    std::filesystem::current_path(doomed.Path());
    std::filesystem::remove(doomed.Path());
    EXPECT_TRUE(HandleDefeat(enemy, 0, nullptr, enemiesAlive));
    EXPECT_EQ(SaveData.defeatCount, 1);
    EXPECT_EQ(enemiesAlive, 19);
    EXPECT_EQ(enemy.removeFlag, 1);
}

TEST_F(DefeatTest, ReadAtTheTitleReplacesTheRecordInMemory)
{
    SaveData = MakeRecord(5, 1, 1, 0, 0);
    WriteBytes(SaveFileName, {0x20, 0, 0, 0, 0, 1, 0, 0});
    ReadSaveRecord();
    ExpectSameRecord(SaveData, MakeRecord(32, 0, 1, 0, 0));
}

}  // namespace
