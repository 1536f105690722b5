// svg_to_png IN.svg OUT.png SCALE: draws the picture at SCALE times its own size, on a
// transparent ground. The Windows build shows the PNG where Linux draws the SVG.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool scaleRead = false;
    const int scale = argc == 4 ? QString::fromLocal8Bit(argv[3]).toInt(&scaleRead) : 0;
    if (!scaleRead || scale < 1) {
        std::fputs("Usage: svg_to_png IN.svg OUT.png SCALE\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svg_to_png: %s is not a picture this program can read\n", argv[1]);
        return 1;
    }
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "svg_to_png: %s could not be written\n", argv[2]);
        return 1;
    }
    return 0;
}
