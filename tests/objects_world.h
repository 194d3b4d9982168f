// A small world of characters for the game object tests: an empty object list
// before and after every test, and characters placed by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "app/scene.h"
#include "app/sound.h"
#include "objects/obj_character.h"
#include "tests/test_files.h"

class ObjectsWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectList();
        EnemiesAlive = 0;
        srand(7);
    }
    void TearDown() override
    {
        ClearObjectList();
        EnemiesAlive = 0;
    }

    // A character registered and set up like the stage does it.
    static ObjCharacter* AddCharacter(int32_t type, int32_t team, Vec3 at, int32_t hp = 100,
                                      float radius = 0.5f)
    {
        auto* character = new ObjCharacter();
        AddObject(character, type, team, 1);
        SetupCharacter(*character, CharacterStats{hp, 0, radius}, at);
        return character;
    }
    static ObjCharacter* AddEnemy(Vec3 at, int32_t hp = 100, float radius = 0.5f)
    {
        return AddCharacter(TypeSlimeGreen, TeamEnemy, at, hp, radius);
    }
    static ObjCharacter* AddPlayer(Vec3 at, int32_t hp = 150, float radius = 0.4f)
    {
        return AddCharacter(TypePlayer, TeamPlayer, at, hp, radius);
    }

    template <typename T>
    static int CountOf()
    {
        int count = 0;
        for (Object* object : ObjectList) {
            if (dynamic_cast<T*>(object) != nullptr && object->removeFlag == 0) {
                ++count;
            }
        }
        return count;
    }

    static void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            UpdateObjects();
        }
    }
};

// The same world with the sound table open on the silent driver and a long
// tone in the given slots, so a test can tell which slots were started.
class ObjectsWorldWithSound : public ObjectsWorld {
protected:
    void SetUp() override
    {
        ObjectsWorld::SetUp();
        SetSilentAudio(true);
        InitSound();
        WriteToneWav(dir.File("tone.wav"), 3000);
    }
    void TearDown() override
    {
        ShutdownSound();
        ObjectsWorld::TearDown();
    }
    void LoadTone(std::initializer_list<int> slots)
    {
        for (int slot : slots) {
            LoadSound(slot, dir.File("tone.wav").c_str());
            startsBefore[slot] = ChannelStartCount(slot);
        }
    }
    uint32_t Starts(int slot) const { return ChannelStartCount(slot) - startsBefore[slot]; }

    TempDir dir;
    uint32_t startsBefore[SoundSlotCount] = {};
};
