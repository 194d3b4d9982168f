#include "app/state_hash.h"

#include <cmath>
#include <cstdio>

#include "app/scene.h"
#include "objects/obj_character.h"

namespace {

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

void Mix(uint64_t& hash, int64_t value)
{
    auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        hash ^= bits & 0xFFu;
        hash *= FnvPrime;
        bits >>= 8;
    }
}

// The rules compare positions and frames as numbers, so the hash does too:
// +0 and -0, or a last-bit difference between two builds' maths libraries,
// is no change of the rules, while any real divergence grows past a
// thousandth within a few frames. A value that is no number, or too large
// to round, gets a mark of its own.
void MixQuantised(uint64_t& hash, float value)
{
    if (!(std::fabs(value) < 1.0e12f)) {
        Mix(hash, INT64_MIN);
        return;
    }
    Mix(hash, std::llround(static_cast<double>(value) * 1000.0));
}

}  // namespace

uint64_t WorldStateHash()
{
    uint64_t hash = FnvOffset;
    for (const Object* object : ObjectList) {
        Mix(hash, object->objectType);
        Mix(hash, object->team);
        MixQuantised(hash, object->position.x);
        MixQuantised(hash, object->position.y);
        MixQuantised(hash, object->position.z);
        if (const ObjCharacter* character = AsCharacter(object)) {
            Mix(hash, character->hp);
            Mix(hash, character->anim);
            MixQuantised(hash, character->animFrame);
        }
    }
    return hash;
}

std::string StateHashLine(int frame)
{
    char line[64];
    std::snprintf(line, sizeof line, "%d %zu %016llx\n", frame, ObjectList.size(),
                  static_cast<unsigned long long>(WorldStateHash()));
    return line;
}
