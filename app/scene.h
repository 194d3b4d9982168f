// Screens (scenes), the switch between them, and the world object list.
#pragma once

#include <cstdint>
#include <list>

#include "objects/object.h"

class Scene {
public:
    virtual ~Scene() = default;
    virtual void Init() = 0;
    virtual void Update() = 0;
    virtual void DrawShadow() = 0;
    virtual void Draw() = 0;

    // Menus and end screens. The pads' D-pad also gives the arrow keys there;
    // elsewhere the arrows turn the camera.
    virtual bool IsMenu() const { return true; }
};

// Owning pointers. A later store into NextScene before the switch replaces
// (and deletes) the earlier pending scene; use RequestScene for that.
extern Scene* CurrentScene;
extern Scene* NextScene;

// Owning, in update and draw order.
extern std::list<Object*> ObjectList;

// Queues a scene switch for the start of the next frame. A scene already
// waiting is deleted without ever running.
void RequestScene(Scene* scene);

// Registers a freshly constructed object and appends it to ObjectList.
// colliderMode 0: no collider; 1: collider with a sphere at the origin;
// anything else: collider without a sphere.
void AddObject(Object* object, int32_t objectType, int32_t team, int colliderMode);

// Removal pass (delete expired objects), then update pass in list order.
// Objects appended during the update pass are updated in the same pass.
void UpdateObjects();

// The largest ObjectList seen by the object pass since the program started.
size_t PeakObjectCount();

// Deletes every object in list order and empties the list.
void ClearObjectList();

// Per-scene resource release that the scene switch runs; each subsystem
// registers its release function here so the switch does not depend on them.
using SceneReleaseHook = void (*)();
void AddSceneReleaseHook(SceneReleaseHook hook);

// Called when the object list is emptied, so global pointers into it
// (the active camera and light) can be cleared.
void AddObjectListClearedHook(SceneReleaseHook hook);

// The scene switch: only when NextScene is set. Deletes the old scene, empties
// ObjectList, releases per-scene resources, and runs the new scene's Init.
void SwitchSceneIfRequested();
