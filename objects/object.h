// The base of everything that lives in the world: characters, weapons,
// projectiles, damage pop-ups, the camera and the light.
#pragma once

#include <cstdint>

#include "math/vector_math.h"

class Object;

struct Sphere {
    float radius = 0.0f;
    Vec3 center;  // world coordinates, kept current by the owner
};

inline constexpr int HitListSize = 32;

struct Collider {
    Sphere* sphere = nullptr;  // owned; null means "takes no part in hit tests"
    int32_t disabled = 0;      // 1: skipped by every broad-phase run
    Object* hits[HitListSize] = {};  // last broad-phase result, null-terminated unless full
};

// Type ids: one numbering shared by every hit test.
enum ObjectTypeId : int32_t {
    TypeDamagePop = 0,  // also the plain camera of the character select screen
    TypePlayer = 1,
    TypeSlimeGreen = 2,
    TypeSlimeRed = 3,
    TypeSlimeBlue = 4,
    TypeWivern = 5,
    TypeWizard = 6,
    TypeLizaldy = 7,
    TypeBulletBubble = 8,
    TypeBulletFire = 9,
    TypeBulletMagic = 10,
    TypeWeaponSword = 11,
    TypeWeaponSpear = 12,
    TypeWeaponStaff = 13,
    TypeMainCameraLockOn = 14,
    TypeLight = 15,
};

enum Team : int32_t {
    TeamNeutral = 0,
    TeamPlayer = 1,
    TeamPlayerWeapon = 2,
    TeamPlayerShot = 3,
    TeamEnemy = 4,
    TeamEnemyWeapon = 5,
    TeamEnemyShot = 6,
};

class Object {
public:
    Object();
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    virtual void Update() {}
    virtual void DrawShadow() {}
    virtual void Draw() {}

    // Marks the object for removal after `delay` more frames. An object
    // already marked keeps its first delay.
    void MarkForRemoval(int32_t delay);

    int32_t removeFlag = 0;
    int32_t objectType = 0;
    int32_t team = TeamNeutral;
    Collider* collider = nullptr;
    Vec3 position;
    Matrix4 world;
    int32_t removeDelay = 0;

    // Unique for the whole run; never reused. ObjectHandle relies on it.
    const uint64_t serial;
};

// A non-owning reference to an object that may be deleted at any time.
// Get() returns null once the object has been deleted, so holders never read
// freed memory; Alive() additionally treats an object marked for removal as gone.
class ObjectHandle {
public:
    ObjectHandle() = default;
    ObjectHandle(Object* object);  // NOLINT: a handle is made from a plain pointer on purpose

    Object* Get() const;
    bool Alive() const;
    void Reset() { serial_ = 0; }
    explicit operator bool() const { return Get() != nullptr; }

    template <typename T>
    T* As() const { return static_cast<T*>(Get()); }

private:
    uint64_t serial_ = 0;
};
