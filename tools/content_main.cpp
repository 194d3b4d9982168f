// kestrune_content OUTDIR: writes model/, image/ and sound/ into OUTDIR.
// Output is byte-for-byte the same on every run.
#include "tools/content.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrune_content OUTDIR\n");
        return 2;
    }
    const std::string outDir = argv[1];
    bool ok = WriteModels(outDir);
    ok = WriteImages(outDir) && ok;
    ok = WriteSounds(outDir) && ok;
    return ok ? 0 : 1;
}
