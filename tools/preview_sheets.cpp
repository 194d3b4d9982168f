// kestrune_preview_sheets DATA_DIR OUT_DIR: draws every model in DATA_DIR/model
// with the game's own shaders and model code, and writes contact sheets to
// OUT_DIR. A skinned model's sheet has two rows per animation set (front, then
// side) and a column per time 0, 10, ..., 60, with its weapon in the hand; the
// props sheet shows each static model from two angles. Run under Xvfb.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "math/vector_math.h"
#include "platform/preview_window.h"
#include "render/shaders.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "render/weapon_mount.h"
#include "tools/png_writer.h"

namespace {

constexpr int Cell = 200;
constexpr float FieldOfView = 0.5233334f; // 30 degrees, as the game's cameras
constexpr float ClearRed = 0.0f;          // the game's sky-coloured clear colour
constexpr float ClearGreen = 0.9f;
constexpr float ClearBlue = 0.9f;

struct Character {
    const char* file;
    const char* sheet;
    int weaponSlot;  // static model in the hand, -1 for none
    int weaponBone;
};

struct Prop {
    const char* file;
    int slot;
};

const Character Characters[] = {
    {"model/Player.x", "Player", 0, 12},        {"model/wivern001.x", "wivern001", -1, 0},
    {"model/lizaldy.x", "lizaldy", 1, 12},      {"model/jelly_green.x", "jelly_green", -1, 0},
    {"model/jelly_blue.x", "jelly_blue", -1, 0}, {"model/jelly_red.x", "jelly_red", -1, 0},
    {"model/wizard.x", "wizard", 5, 6},
};

const Prop Props[] = {
    {"model/3DWeapon.x", 0}, {"model/spear001.x", 1}, {"model/Bubble.x", 2},       {"model/Fire.x", 3},
    {"model/ground.x", 4},   {"model/staff.x", 5},    {"model/Stage1Ground.x", 6}, {"model/Stage1Wall.x", 7},
    {"model/sky.x", 8},
};

struct Bounds {
    Vec3 centre;
    float radius = 1.0f;
};

Bounds BoundsOf(const std::vector<ModelVertex>& vertices)
{
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
    for (const ModelVertex& v : vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    Bounds b;
    b.centre = (low + high) * 0.5f;
    b.radius = std::max(Length(high - low) * 0.5f, 0.1f);
    return b;
}

// A camera looking at the bounds' centre from `direction`, far enough back
// for the whole sphere to fit the picture.
void Frame(const Bounds& b, Vec3 direction, float margin, Matrix4& projection, Matrix4& view)
{
    const float distance = b.radius * margin / std::sin(FieldOfView * 0.5f);
    projection = MatPerspective(FieldOfView, 1.0f, distance * 0.05f, distance * 3.0f);
    view = MatLookAt(b.centre + Vec3Normalize(direction) * distance, b.centre, {0.0f, 1.0f, 0.0f});
}

class Sheet {
public:
    Sheet(int columns, int rows) : columns_(columns), pixels_(static_cast<size_t>(columns) * Cell * rows * Cell * 4) {}

    void Paste(int column, int row, const std::vector<std::uint8_t>& picture)
    {
        const size_t width = static_cast<size_t>(columns_) * Cell;
        for (int y = 0; y < Cell; ++y) {
            std::copy_n(picture.begin() + static_cast<long>(y) * Cell * 4, Cell * 4,
                        pixels_.begin() + static_cast<long>(((static_cast<size_t>(row) * Cell + y) * width +
                                                             static_cast<size_t>(column) * Cell) * 4));
        }
    }

    bool Write(const std::string& path) const
    {
        const int width = columns_ * Cell;
        const int height = static_cast<int>(pixels_.size() / 4 / static_cast<size_t>(width));
        return WritePng(path, width, height, pixels_);
    }

private:
    int columns_;
    std::vector<std::uint8_t> pixels_;
};

bool CharacterSheet(const Character& c, int slot, const std::string& outDir)
{
    SkinModel* model = SkinModelInSlot(slot);
    if (model == nullptr || model->animationSetCount == 0) {
        std::fprintf(stderr, "%s did not load\n", c.file);
        return false;
    }
    const Bounds bounds = BoundsOf(model->vertices);
    const Vec3 views[2] = {{0.0f, 0.15f, -1.0f}, {1.0f, 0.15f, 0.0f}};
    Sheet sheet(7, model->animationSetCount * 2);
    const Matrix4 world = MatIdentity();
    for (int set = 0; set < model->animationSetCount; ++set) {
        for (int side = 0; side < 2; ++side) {
            Matrix4 projection;
            Matrix4 view;
            Frame(bounds, views[side], 1.1f, projection, view);
            for (int column = 0; column < 7; ++column) {
                const float time = 10.0f * static_cast<float>(column);
                BeginPreviewPicture(Cell, Cell, ClearRed, ClearGreen, ClearBlue);
                DrawSkinModel(slot, set, time, world, projection, view, nullptr);
                if (c.weaponSlot >= 0) {
                    DrawStaticModel(c.weaponSlot, nullptr, WeaponMountMatrix(world, slot, c.weaponBone), projection,
                                    view);
                }
                sheet.Paste(column, set * 2 + side, ReadPreviewPicture(Cell, Cell));
            }
        }
    }
    return sheet.Write(outDir + "/preview_" + c.sheet + ".png");
}

bool PropsSheet(const std::string& outDir)
{
    Sheet sheet(static_cast<int>(std::size(Props)), 2);
    int column = 0;
    for (const Prop& prop : Props) {
        const StaticModel* model = StaticModelInSlot(prop.slot);
        if (model == nullptr || model->faceCount == 0) {
            std::fprintf(stderr, "%s did not load\n", prop.file);
            return false;
        }
        const Bounds bounds = BoundsOf(model->vertices);
        const Vec3 views[2] = {{0.6f, 0.5f, -1.0f}, {-1.0f, 1.2f, 0.4f}};
        for (int row = 0; row < 2; ++row) {
            Matrix4 projection;
            Matrix4 view;
            if (prop.slot == 8) {
                // The sky is seen from inside, toward the horizon and then upward.
                projection = MatPerspective(1.4f, 1.0f, 0.01f, 10.0f);
                view = MatLookAt({0.0f, 0.05f, 0.0f}, row == 0 ? Vec3{0.0f, 0.2f, -1.0f} : Vec3{0.0f, 1.0f, -0.3f},
                                 {0.0f, 1.0f, 0.0f});
            } else {
                Frame(bounds, views[row], 1.05f, projection, view);
            }
            BeginPreviewPicture(Cell, Cell, ClearRed, ClearGreen, ClearBlue);
            DrawStaticModel(prop.slot, nullptr, MatIdentity(), projection, view);
            sheet.Paste(column, row, ReadPreviewPicture(Cell, Cell));
        }
        ++column;
    }
    return sheet.Write(outDir + "/preview_props.png");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrune_preview_sheets DATA_DIR OUT_DIR\n");
        return 2;
    }
    char here[4096] = {};
    const std::string outDir =
        argv[2][0] == '/' ? std::string(argv[2]) : std::string(getcwd(here, sizeof here)) + "/" + argv[2];
    // Models, textures and shader sources are all read relative to the data folder.
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", argv[1]);
        return 1;
    }
    if (!OpenPreviewWindow(Cell, Cell, "Kestrune preview sheets") || !InitSkinModelShaders() ||
        !InitStaticModelShaders()) {
        std::fprintf(stderr, "no GL context or shaders\n");
        return 1;
    }
    for (const Prop& prop : Props) {
        LoadStaticModel(prop.file, prop.slot);
    }
    bool ok = true;
    int slot = 0;
    for (const Character& c : Characters) {
        LoadSkinModel(c.file, slot);
        ok = CharacterSheet(c, slot, outDir) && ok;
        ++slot;
    }
    ok = PropsSheet(outDir) && ok;
    FreeAllSkinModels();
    FreeAllStaticModels();
    DeleteShaderPrograms();
    return ok ? 0 : 1;
}
