#include <string>

#include "render/model_slots.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "render/x_structure.h"

bool DescribeModelFile(const char* path, bool skinned, std::string& line)
{
    std::string text;
    if (!ReadWholeFile(path, text)) {
        line = std::string(path) + ": cannot be read";
        return false;
    }
    bool ok = false;
    std::string counts;
    if (skinned) {
        SkinModel model;
        ok = ParseSkinModel(text, model);
        counts = std::to_string(model.vertexCount) + " vertices, " + std::to_string(model.faceCount) +
                 " faces, " + std::to_string(model.materialCount) + " materials, " +
                 std::to_string(model.boneCount) + " bones, " + std::to_string(model.frameCount) + " frames, " +
                 std::to_string(model.animationSetCount) + " animation sets";
    } else {
        StaticModel model;
        ok = ParseStaticModel(text, model);
        counts = std::to_string(model.vertexCount) + " vertices, " + std::to_string(model.faceCount) +
                 " faces, " + std::to_string(model.materialCount) + " materials";
    }
    // The game loads what its readers accept, but a file others cannot open
    // is reported all the same, with the line where its structure breaks.
    std::string problem;
    const bool sound = CheckXStructure(text, problem);
    if (!ok) {
        line = std::string(path) + ": malformed" + (sound ? "" : " (" + problem + ")");
    } else {
        line = std::string(path) + ": " + (sound ? counts : problem);
    }
    return ok && sound;
}
