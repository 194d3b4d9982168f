// The save record on real files: exact bytes, damaged and partial files,
// failed writes, and counting defeats.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/save_data.h"
#include "objects/object.h"
#include "tests/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

SaveRecord Record(int32_t count, uint8_t unlocked, uint8_t cleared, uint8_t r0 = 0, uint8_t r1 = 0)
{
    SaveRecord record;
    record.defeatCount = count;
    record.menuUnlocked = unlocked;
    record.stageCleared = cleared;
    record.reserved[0] = r0;
    record.reserved[1] = r1;
    return record;
}

::testing::AssertionResult Same(const SaveRecord& expected, const SaveRecord& actual)
{
    if (expected.defeatCount == actual.defeatCount && expected.menuUnlocked == actual.menuUnlocked &&
        expected.stageCleared == actual.stageCleared && expected.reserved[0] == actual.reserved[0] &&
        expected.reserved[1] == actual.reserved[1]) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "record " << actual.defeatCount << ", " << int{actual.menuUnlocked}
                                         << ", " << int{actual.stageCleared} << ", " << int{actual.reserved[0]}
                                         << ", " << int{actual.reserved[1]};
}

TEST(SaveFile, WritesTheExactBytesAndReadsThemBack)
{
    TempDir dir;
    const std::string path = dir.File(SaveFileName);
    const SaveRecord written = Record(999, 1, 1, 0xab, 0xcd);
    ASSERT_TRUE(WriteSaveRecordTo(path, written));
    EXPECT_EQ(ReadBytes(path), (Bytes{0xe7, 0x03, 0, 0, 1, 1, 0xab, 0xcd}));
    SaveRecord read;
    ReadSaveRecordFrom(path, read);
    EXPECT_TRUE(Same(written, read));
    // Nothing but the record is left in the directory.
    EXPECT_EQ(dir.List(), std::vector<std::string>{SaveFileName});
}

// A missing or empty file changes nothing; a short one only the bytes it
// holds; bytes past the record are ignored; a count out of 0..1000 is
// clamped while the flags are kept as read.
TEST(SaveFile, DamagedOrPartialFilesChangeOnlyWhatTheyHold)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder"));
    const SaveRecord before = Record(300, 1, 0, 7, 8);
    const struct {
        const char* what;
        const char* file;  // null: written from `bytes`
        Bytes bytes;
        SaveRecord after;
    } cases[] = {
        {"missing", "missing", {}, before},
        {"a directory", "folder", {}, before},
        {"empty", nullptr, {}, before},
        {"three bytes", nullptr, {0x05, 0x00, 0x00}, Record(5, 1, 0, 7, 8)},
        {"six bytes", nullptr, {0x2a, 0, 0, 0, 0x00, 0x01}, Record(42, 0, 1, 7, 8)},
        {"ten bytes", nullptr, {0x0a, 0, 0, 0, 1, 1, 0, 0, 0xff, 0xff}, Record(10, 1, 1, 0, 0)},
        {"count -1", nullptr, {0xff, 0xff, 0xff, 0xff, 2, 0x80, 0, 0}, Record(0, 2, 0x80)},
        {"most negative count", nullptr, {0, 0, 0, 0x80, 2, 0x80, 0, 0}, Record(0, 2, 0x80)},
        {"count 1001", nullptr, {0xe9, 0x03, 0, 0, 2, 0x80, 0, 0}, Record(1000, 2, 0x80)},
        {"most positive count", nullptr, {0xff, 0xff, 0xff, 0x7f, 2, 0x80, 0, 0}, Record(1000, 2, 0x80)},
        {"count 1000", nullptr, {0xe8, 0x03, 0, 0, 2, 0x80, 0, 0}, Record(1000, 2, 0x80)},
    };
    for (const auto& c : cases) {
        std::string path = dir.File(c.file != nullptr ? c.file : "save");
        if (c.file == nullptr) {
            WriteBytes(path, c.bytes);
        }
        SaveRecord record = before;
        ReadSaveRecordFrom(path, record);
        EXPECT_TRUE(Same(c.after, record)) << c.what;
    }
}

TEST(SaveFile, AFailedWriteLeavesTheOldFileWhole)
{
    TempDir dir;
    const std::string path = dir.File(SaveFileName);
    ASSERT_TRUE(WriteSaveRecordTo(path, Record(12, 1, 0)));
    const Bytes oldBytes = ReadBytes(path);
    // The new bytes are written and synced, then the write is cut short.
    static Bytes tempBytesSeen;
    SetSaveBeforeReplaceHook([](const std::string& tempPath) {
        tempBytesSeen = ReadBytes(tempPath);
        return false;
    });
    EXPECT_FALSE(WriteSaveRecordTo(path, Record(13, 1, 1)));
    SetSaveBeforeReplaceHook(nullptr);
    EXPECT_EQ(tempBytesSeen, (Bytes{13, 0, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(ReadBytes(path), oldBytes);
    EXPECT_EQ(dir.List(), std::vector<std::string>{SaveFileName});
    // A directory that does not exist, and a folder in the file's place.
    EXPECT_FALSE(WriteSaveRecordTo(dir.File("gone/") + SaveFileName, Record(1, 0, 0)));
    std::filesystem::create_directory(dir.File("folder"));
    EXPECT_FALSE(WriteSaveRecordTo(dir.File("folder"), Record(1, 0, 0)));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
}

// Each test runs inside its own directory, as the game runs in its own, and
// starts from the all-zero record of a fresh process.
class DefeatTest : public ::testing::Test {
protected:
    void SetUp() override { SaveData = SaveRecord(); }
    void TearDown() override { SaveData = SaveRecord(); }
    SaveRecord FileRecord() const
    {
        SaveRecord record;
        ReadSaveRecordFrom(SaveFileName, record);
        return record;
    }

    TempDir dir;
    InDirectory inDir{dir.Path()};
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
    EXPECT_TRUE(Same(Record(1, 1, 0, 0, 9), FileRecord()));
    EXPECT_TRUE(enemy.removeFlag == 1 && enemy.removeDelay == 1);
    EXPECT_TRUE(spear.removeFlag == 1 && spear.removeDelay == 1);
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
    EXPECT_TRUE(Same(Record(MaxDefeatCount, 0, 1), FileRecord()));
}

TEST_F(DefeatTest, AnUnwritableDirectoryChangesTheRecordInMemoryOnly)
{
    // A working directory that no longer exists cannot be written, even by root.
    TempDir doomed;
    InDirectory inDoomed(doomed.Path());
    std::filesystem::remove(doomed.Path());
    EXPECT_TRUE(HandleDefeat(enemy, 0, nullptr, enemiesAlive));
    EXPECT_EQ(SaveData.defeatCount, 1);
    EXPECT_EQ(enemiesAlive, 19);
    EXPECT_EQ(enemy.removeFlag, 1);
}

TEST_F(DefeatTest, ReadAtTheTitleReplacesTheRecordInMemory)
{
    SaveData = Record(5, 1, 1);
    WriteBytes(SaveFileName, {0x20, 0, 0, 0, 0, 1, 0, 0});
    ReadSaveRecord();
    EXPECT_TRUE(Same(Record(32, 0, 1), SaveData));
}

}  // namespace
