// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-render-icon SVG SIZE PNG: draws the program's one SVG icon as a SIZE x SIZE picture, so
// that every installed icon comes from the same source.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSize>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: kestrune-render-icon SVG SIZE PNG\n");
        return 2;
    }
    const int size = std::stoi(argv[2]);
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
    if (!reader.canRead()) {
        // The reader comes from Qt's SVG image plugin, which the program needs at run time as well.
        std::fprintf(stderr, "kestrune-render-icon: cannot read %s as SVG (is libqt6svg6 installed?): %s\n", argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "kestrune-render-icon: cannot make %s: %s\n", argv[3], qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
