// Build step: writes the program icon as a PNG for the desktop's icon theme,
//   kestal-icon-png OUTPUT.png

#include <QImage>
#include <cstdio>

namespace {
#include "app/kestal.xpm"
}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestal-icon-png OUTPUT.png\n");
        return 2;
    }
    const QImage icon(kestal_xpm);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "kestal-icon-png: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
