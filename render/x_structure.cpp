#include "render/x_structure.h"

#include <vector>

namespace {

// The top level is written as the empty parent.
struct Placement {
    std::string_view block;
    std::string_view parents[2];
};

constexpr Placement Placements[] = {
    {"Frame", {"", "Frame"}},
    {"FrameTransformMatrix", {"Frame", "Frame"}},
    {"Mesh", {"", "Frame"}},
    {"MeshNormals", {"Mesh", "Mesh"}},
    {"MeshTextureCoords", {"Mesh", "Mesh"}},
    {"MeshMaterialList", {"Mesh", "Mesh"}},
    {"XSkinMeshHeader", {"Mesh", "Mesh"}},
    {"SkinWeights", {"Mesh", "Mesh"}},
    {"Material", {"", "MeshMaterialList"}},
    {"TextureFilename", {"Material", "Material"}},
    {"AnimationSet", {"", ""}},
    {"Animation", {"", "AnimationSet"}},
    {"AnimationKey", {"Animation", "Animation"}},
};

struct OpenBlock {
    std::string type;  // empty for a reference such as "{ Root }"
    int line = 0;
};

std::string Where(std::string_view parent)
{
    return parent.empty() ? "at the top level" : "inside " + std::string(parent);
}

// Empty when the block may stand in `parent`, else the complaint.
std::string Misplacement(const std::string& block, const std::string& parent)
{
    for (const Placement& placement : Placements) {
        if (placement.block != block) {
            continue;
        }
        if (parent == placement.parents[0] || parent == placement.parents[1]) {
            return {};
        }
        std::string expected = Where(placement.parents[0]);
        if (placement.parents[1] != placement.parents[0]) {
            expected += " or " + Where(placement.parents[1]);
        }
        return "the " + block + " block stands " + Where(parent) + "; it belongs " + expected;
    }
    return {};
}

bool IsWordCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.' || c == '+';
}

bool Fail(int line, const std::string& what, std::string& problem)
{
    problem = "line " + std::to_string(line) + ": " + what;
    return false;
}

}  // namespace

bool CheckXStructure(std::string_view text, std::string& problem)
{
    std::vector<OpenBlock> open;
    // Depth of the innermost template declaration, 0 outside any.
    size_t templateDepth = 0;
    // The first word since the last brace or separator: the type of a block
    // that opens next ("Mesh" in "Mesh Body {").
    std::string statementType;
    bool statementStarted = false;
    int line = 1;
    size_t start = 0;
    // The header line ("xof 0303txt 0032") is no statement.
    if (text.substr(0, 4) == "xof ") {
        start = text.find('\n');
        start = start == std::string_view::npos ? text.size() : start;
    }
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '"') {
            const size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) {
                return Fail(line, "a string is never closed", problem);
            }
            i = close;
            statementStarted = true;
        } else if (c == '#' || (c == '/' && i + 1 < text.size() && text[i + 1] == '/')) {
            const size_t lineEnd = text.find('\n', i);
            i = (lineEnd == std::string_view::npos ? text.size() : lineEnd) - 1;
        } else if (c == '{') {
            const std::string parent = open.empty() ? std::string() : open.back().type;
            if (templateDepth == 0 && !statementType.empty()) {
                const std::string complaint = Misplacement(statementType, parent);
                if (!complaint.empty()) {
                    return Fail(line, complaint, problem);
                }
            }
            open.push_back({statementType, line});
            if (templateDepth == 0 && statementType == "template") {
                templateDepth = open.size();
            }
            statementType.clear();
            statementStarted = false;
        } else if (c == '}') {
            if (open.empty()) {
                return Fail(line, "this closing brace closes no block", problem);
            }
            if (open.size() == templateDepth) {
                templateDepth = 0;
            }
            open.pop_back();
            statementType.clear();
            statementStarted = false;
        } else if (c == ';' || c == ',') {
            statementType.clear();
            statementStarted = false;
        } else if (IsWordCharacter(c)) {
            size_t end = i;
            while (end < text.size() && IsWordCharacter(text[end])) {
                ++end;
            }
            if (!statementStarted) {
                statementType.assign(text.substr(i, end - i));
                statementStarted = true;
            }
            i = end - 1;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            statementStarted = true;
        }
    }
    if (!open.empty()) {
        const OpenBlock& block = open.back();
        const std::string name = block.type.empty() ? "reference" : block.type;
        return Fail(block.line, "the " + name + " block opened here is never closed", problem);
    }
    return true;
}
