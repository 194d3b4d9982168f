// Writes every model the game loads into OUTDIR/model, plus the textures the
// stage pieces use into OUTDIR/image.
#include "tools/content.h"
#include "tools/model_textures.h"
#include "tools/models.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

namespace {

struct StaticEntry {
    const char* file;
    std::function<Mesh()> build;
};

struct SkinnedEntry {
    const char* file;
    std::function<SkinnedModel()> build;
};

} // namespace

bool WriteModels(const std::string& outDir)
{
    std::error_code error;
    std::filesystem::create_directories(outDir + "/model", error);
    std::filesystem::create_directories(outDir + "/image", error);
    if (error) {
        std::fprintf(stderr, "cannot create the model folders in %s: %s\n", outDir.c_str(), error.message().c_str());
        return false;
    }
    const SkinnedEntry skinned[] = {
        {"model/Player.x", BuildSwordFighter},      {"model/wivern001.x", BuildWyvern},
        {"model/lizaldy.x", BuildLizardWarrior},    {"model/jelly_green.x", BuildGreenSlime},
        {"model/jelly_blue.x", BuildBlueSlime},     {"model/jelly_red.x", BuildRedSlime},
        {"model/wizard.x", BuildWizard},
    };
    const StaticEntry props[] = {
        {"model/3DWeapon.x", BuildSword},          {"model/spear001.x", BuildSpear},
        {"model/Bubble.x", BuildBubble},           {"model/Fire.x", BuildFire},
        {"model/ground.x", BuildSelectGround},     {"model/staff.x", BuildStaff},
        {"model/Stage1Ground.x", BuildStageGround}, {"model/Stage1Wall.x", BuildStageWall},
        {"model/sky.x", BuildSky},
    };
    bool ok = true;
    for (const SkinnedEntry& entry : skinned) {
        ok = WriteTextFile(outDir + "/" + entry.file, SkinnedModelText(entry.build())) && ok;
    }
    for (const StaticEntry& entry : props) {
        ok = WriteTextFile(outDir + "/" + entry.file, StaticModelText(entry.build())) && ok;
    }
    return WriteModelTextures(outDir) && ok;
}
