// Checks the block structure of a DirectX text model file. Our own readers
// find their sections by name and never need it, so they accept files that
// other programs refuse; --check-content runs this check so that anyone who
// replaces our models learns of such a file, and where it goes wrong.
//
// A sound file closes every block it opens, and puts every block it knows
// where the format expects it: mesh data inside its Mesh, materials inside
// the material list (or at the top level), frames at the top level or inside
// frames, keys inside animations inside animation sets. Blocks of other types
// may stand anywhere; template declarations are not looked into.
#pragma once

#include <string>
#include <string_view>

// True when the structure is sound. Otherwise false, with `problem` saying
// what is wrong, beginning "line N: " (lines counted from 1).
bool CheckXStructure(std::string_view text, std::string& problem);
