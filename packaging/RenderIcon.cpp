// Writes the program's mark as a PNG of the given size, drawn by the same code that draws the window's
// icon, for the icon sizes desktops still ask for. Runs at build time; needs no display.
#include "ui/AppIcon.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vcm7310-render-icon SIZE OUTPUT.png\n", stderr);
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size <= 0) {
        std::fprintf(stderr, "vcm7310-render-icon: bad size '%s'\n", argv[1]);
        return 2;
    }
    if (!vcm::ui::renderAppIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "vcm7310-render-icon: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
