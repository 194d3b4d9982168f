// Small tiling textures for the stage pieces, written as PNG beside the models.
#pragma once

#include <string>

// Texture paths as the model files name them (relative to the game's folder).
constexpr const char* GrassTexture = "image/tex_grass.png";
constexpr const char* WallTexture = "image/tex_wall.png";
constexpr const char* FloorTexture = "image/tex_floor.png";

// Writes every texture below `outDir`; prints the reason and returns false on failure.
bool WriteModelTextures(const std::string& outDir);
