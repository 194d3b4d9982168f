#include "app/scene.h"

#include <unordered_map>
#include <vector>

#include "math/collision.h"

Scene* CurrentScene = nullptr;
Scene* NextScene = nullptr;
std::list<Object*> ObjectList;

namespace {

uint64_t nextSerial = 1;
std::unordered_map<uint64_t, Object*>& LiveObjects()
{
    static std::unordered_map<uint64_t, Object*> live;
    return live;
}

std::vector<SceneReleaseHook>& ReleaseHooks()
{
    static std::vector<SceneReleaseHook> hooks;
    return hooks;
}

std::vector<SceneReleaseHook>& ClearedHooks()
{
    static std::vector<SceneReleaseHook> hooks;
    return hooks;
}

}  // namespace

Object::Object() : serial(nextSerial++)
{
    LiveObjects()[serial] = this;
}

Object::~Object()
{
    LiveObjects().erase(serial);
    // Hit lists are plain pointers that outlive a frame (a disabled collider
    // keeps its last list), so nothing may be left pointing here.
    ForgetInHitLists(this);
    if (collider != nullptr) {
        delete collider->sphere;
        delete collider;
    }
}

void Object::MarkForRemoval(int32_t delay)
{
    if (removeFlag == 1) {
        return;
    }
    removeFlag = 1;
    removeDelay = delay;
}

ObjectHandle::ObjectHandle(Object* object) : serial_(object != nullptr ? object->serial : 0) {}

Object* ObjectHandle::Get() const
{
    if (serial_ == 0) {
        return nullptr;
    }
    auto found = LiveObjects().find(serial_);
    return found == LiveObjects().end() ? nullptr : found->second;
}

bool ObjectHandle::Alive() const
{
    const Object* object = Get();
    return object != nullptr && object->removeFlag == 0;
}

void RequestScene(Scene* scene)
{
    if (NextScene != nullptr && NextScene != scene) {
        delete NextScene;
    }
    NextScene = scene;
}

void AddObject(Object* object, int32_t objectType, int32_t team, int colliderMode)
{
    object->removeFlag = 0;
    object->objectType = objectType;
    object->team = team;
    object->removeDelay = 0;
    if (colliderMode != 0) {
        object->collider = new Collider();
        if (colliderMode == 1) {
            object->collider->sphere = new Sphere();
        }
    }
    ObjectList.push_back(object);
}

namespace {
size_t peakObjectCount = 0;
}  // namespace

size_t PeakObjectCount()
{
    return peakObjectCount;
}

void UpdateObjects()
{
    for (auto it = ObjectList.begin(); it != ObjectList.end();) {
        Object* object = *it;
        if (object->removeFlag == 1) {
            if (object->removeDelay > 0) {
                object->removeDelay -= 1;
            } else {
                // Unlinked first, so whatever the destructor walks no longer
                // finds the dying object in the list.
                it = ObjectList.erase(it);
                delete object;
                continue;
            }
        }
        ++it;
    }
    if (ObjectList.size() > peakObjectCount) {
        peakObjectCount = ObjectList.size();
    }
    // std::list iterators stay valid while elements are appended, and end()
    // is re-read each step, so objects added by an Update are reached too.
    for (auto it = ObjectList.begin(); it != ObjectList.end(); ++it) {
        (*it)->Update();
    }
}

void ClearObjectList()
{
    while (!ObjectList.empty()) {
        Object* object = ObjectList.front();
        ObjectList.pop_front();
        delete object;
    }
    for (SceneReleaseHook hook : ClearedHooks()) {
        hook();
    }
}

void AddSceneReleaseHook(SceneReleaseHook hook)
{
    ReleaseHooks().push_back(hook);
}

void AddObjectListClearedHook(SceneReleaseHook hook)
{
    ClearedHooks().push_back(hook);
}

void SwitchSceneIfRequested()
{
    if (NextScene == nullptr) {
        return;
    }
    delete CurrentScene;
    CurrentScene = NextScene;
    NextScene = nullptr;
    ClearObjectList();
    for (SceneReleaseHook hook : ReleaseHooks()) {
        hook();
    }
    CurrentScene->Init();
}
