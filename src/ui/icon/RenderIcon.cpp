// Writes the program's mark, drawn by AppIconDrawing, for the build: a PNG of one size
// (`vcm7310-render-icon SIZE OUTPUT.png`) or a Windows icon file holding the sizes Windows asks for
// (`vcm7310-render-icon ico OUTPUT.ico`). Runs at build time on the build machine; needs no display.
#include "ui/icon/AppIconDrawing.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void putLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

QByteArray png(int size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    vcm::ui::renderAppIcon(size).save(&buffer, "PNG");
    return bytes;
}

/// An .ico whose images are PNGs, as Windows has read them since Vista: a directory of entries, each
/// with its size, then the images.
QByteArray icoFile() {
    const std::vector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    std::vector<QByteArray> images;
    for (const int size : sizes) {
        images.push_back(png(size));
    }
    QByteArray out;
    putLittleEndian(out, 0, 2);  // reserved
    putLittleEndian(out, 1, 2);  // an icon, not a cursor
    putLittleEndian(out, static_cast<quint32>(sizes.size()), 2);
    quint32 offset = static_cast<quint32>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const auto side = static_cast<quint32>(sizes[i] >= 256 ? 0 : sizes[i]);  // 0 means 256
        putLittleEndian(out, side, 1);
        putLittleEndian(out, side, 1);
        putLittleEndian(out, 0, 1);   // no palette
        putLittleEndian(out, 0, 1);   // reserved
        putLittleEndian(out, 1, 2);   // planes
        putLittleEndian(out, 32, 2);  // bits per pixel
        putLittleEndian(out, static_cast<quint32>(images[i].size()), 4);
        putLittleEndian(out, offset, 4);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray& image : images) {
        out.append(image);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: vcm7310-render-icon SIZE|ico OUTPUT\n", stderr);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    QByteArray bytes;
    if (std::strcmp(argv[1], "ico") == 0) {
        bytes = icoFile();
    } else {
        const int size = std::atoi(argv[1]);
        if (size <= 0) {
            std::fprintf(stderr, "vcm7310-render-icon: bad size '%s'\n", argv[1]);
            return 2;
        }
        bytes = png(size);
    }
    QFile file(output);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "vcm7310-render-icon: cannot write '%s'\n", argv[2]);
        return 1;
    }
    return 0;
}
