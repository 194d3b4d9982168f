// A small world for the game object tests: an empty object list and released
// keys before and after every test, a private working directory (defeats
// write the save file there), characters placed by hand, frames stepped with
// the keys as they stand, and the sound table on channels where time stands
// still, so a test sees exactly which slots an action started.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "app/sound.h"
#include "objects/obj_camera.h"
#include "objects/obj_character.h"
#include "objects/obj_weapon.h"
#include "render/static_model.h"
#include "tests/test_files.h"

// A weapon that only writes down what its holder asks of it, with the
// update each call came in.
class ProbeWeapon : public ObjWeapon {
public:
    void BeginStrike() override { Note("begin"); }
    void NextComboStage() override { Note("next"); }
    void EndStrike() override { Note("end"); }
    void ResetCombo() override { Note("reset"); }

    std::vector<int> UpdatesOf(const std::string& call) const
    {
        std::vector<int> found;
        for (size_t i = 0; i < calls.size(); ++i) {
            if (calls[i] == call) {
                found.push_back(updates[i]);
            }
        }
        return found;
    }

    int update = 0;
    std::vector<std::string> calls;
    std::vector<int> updates;

private:
    void Note(const char* call)
    {
        calls.push_back(call);
        updates.push_back(update);
    }
};

class ObjectsWorld : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectList();
        EnemiesAlive = 0;
        SaveData = SaveRecord{};
        srand(7);
        ReleaseKeys();
        SetSilentAudio(true);
        SetHeldAudio(true);
        InitSound();
        WriteToneWav(dir.File("tone.wav"), 100);
    }
    void TearDown() override
    {
        for (int slot : squareSlots) {
            delete StaticModelTable[slot];
            StaticModelTable[slot] = nullptr;
        }
        squareSlots.clear();
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        EnemiesAlive = 0;
        SaveData = SaveRecord{};
        ReleaseKeys();
        ShutdownSound();
        SetHeldAudio(false);
    }

    static void ReleaseKeys()
    {
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables{};
    }

    // The camera every camera-relative step reads: 30 degrees, looking from
    // (0, 0, 5) at the origin, so W walks along -z.
    static ObjCamera* AddCamera()
    {
        auto* camera = new ObjCamera();
        AddObject(camera, TypeDamagePop, TeamNeutral, 0);
        SetCameraDefaults(camera);
        ActiveCamera = camera;
        return camera;
    }

    // A character registered and set up like the stage does it.
    static ObjCharacter* AddCharacter(int32_t type, int32_t team, Vec3 at, int32_t hp = 100, float radius = 0.5f,
                                      int32_t attack = 0)
    {
        auto* character = new ObjCharacter();
        AddObject(character, type, team, 1);
        SetupCharacter(*character, CharacterStats{hp, attack, radius}, at);
        return character;
    }
    static ObjCharacter* AddEnemy(Vec3 at, int32_t hp = 100, float radius = 0.5f, int32_t attack = 0)
    {
        return AddCharacter(TypeSlimeGreen, TeamEnemy, at, hp, radius, attack);
    }
    static ObjCharacter* AddPlayer(Vec3 at, int32_t hp = 150, float radius = 0.4f)
    {
        return AddCharacter(TypePlayer, TeamPlayer, at, hp, radius);
    }

    // The live (not yet marked) objects of a class, in list order.
    template <typename T>
    static std::vector<T*> Live()
    {
        std::vector<T*> found;
        for (Object* object : ObjectList) {
            if (auto* typed = dynamic_cast<T*>(object); typed != nullptr && object->removeFlag == 0) {
                found.push_back(typed);
            }
        }
        return found;
    }
    template <typename T>
    static int CountOf()
    {
        return static_cast<int>(Live<T>().size());
    }

    // One frame of the object pass with the keys as they stand.
    static void Step()
    {
        PlatformBeginFrameKeys();
        UpdateObjects();
    }
    static void RunFrames(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            Step();
        }
    }
    // Steps while the condition holds, at most `limit` times; returns the steps taken.
    static int StepsWhile(const std::function<bool()>& condition, int limit = 1000)
    {
        int steps = 0;
        while (condition() && steps < limit) {
            Step();
            ++steps;
        }
        return steps;
    }
    // The key goes down for one frame and is released after it.
    static void Tap(int key)
    {
        PlatformKeyDown(key);
        Step();
        PlatformKeyUp(key);
    }

    // A square of two triangles in a model slot until the test ends: corners
    // a, b, c, d go round it, and it faces the side of (b - a) x (d - a).
    void PutSquare(int slot, Vec3 a, Vec3 b, Vec3 c, Vec3 d)
    {
        ASSERT_EQ(StaticModelTable[slot], nullptr);
        auto* model = new StaticModel();
        for (Vec3 corner : {a, b, c, d}) {
            ModelVertex vertex;
            vertex.x = corner.x;
            vertex.y = corner.y;
            vertex.z = corner.z;
            model->vertices.push_back(vertex);
        }
        model->vertexCount = 4;
        model->faceIndices = {0, 1, 3, 1, 2, 3};
        model->faceCount = 2;
        StaticModelTable[slot] = model;
        squareSlots.push_back(slot);
    }
    // A wall across the way at z = -2, its face toward the origin.
    void PutWallAhead(int slot) { PutSquare(slot, {-50, -5, -2}, {50, -5, -2}, {50, 5, -2}, {-50, 5, -2}); }

    // A short tone in each slot, so a test can tell which slots were started.
    void LoadTone(std::initializer_list<int> slots)
    {
        for (int slot : slots) {
            LoadSound(slot, dir.File("tone.wav").c_str());
            startsBefore[slot] = ChannelStartCount(slot);
        }
    }
    uint32_t Starts(int slot) const { return ChannelStartCount(slot) - startsBefore[slot]; }

    TempDir dir;
    InDirectory inDir{dir.Path()};
    uint32_t startsBefore[SoundSlotCount] = {};
    std::vector<int> squareSlots;
};
