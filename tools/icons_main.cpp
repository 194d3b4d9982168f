// kestrune_icons OUTDIR: writes the game's icon into OUTDIR/hicolor/, laid
// out as a desktop icon theme, ready to install.
#include "tools/icons.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrune_icons OUTDIR\n");
        return 2;
    }
    return WriteIcons(argv[1]) ? 0 : 1;
}
