// kobalin_artpng SOURCE_DIR OUTPUT_DIR NAME.svg...
// Draws each SVG at its own size times every scale Windows offers, as
// NAME.png, NAME@1.25x.png, ... NAME@3x.png under OUTPUT_DIR, and lists them
// in OUTPUT_DIR/kobalin.qrc, written last.
#include "app/artscales.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

int main(int argc, char* argv[])
{
    // No display, and a runtime folder of its own so that Qt has nothing to warn about.
    qputenv("QT_QPA_PLATFORM", "minimal");
    const QTemporaryDir runtime;
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: kobalin_artpng SOURCE_DIR OUTPUT_DIR NAME.svg...\n");
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    QString files;
    for (int i = 3; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer svg(source.filePath(name));
        if (!svg.isValid()) {
            std::fprintf(stderr, "kobalin_artpng: cannot read %s\n", argv[i]);
            return 1;
        }
        const QString base = output.filePath(name.chopped(4));
        QDir().mkpath(QFileInfo(base).path());
        for (const double scale : kobalin::kArtScales) {
            const QSize pixels(int(std::lround(svg.defaultSize().width() * scale)),
                               int(std::lround(svg.defaultSize().height() * scale)));
            QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
            painter.end();
            const QString file = base + kobalin::artSuffix(scale);
            if (!image.save(file, "PNG")) {
                std::fprintf(stderr, "kobalin_artpng: cannot write %s\n", qPrintable(file));
                return 1;
            }
            files += QStringLiteral("        <file>%1</file>\n").arg(output.relativeFilePath(file));
        }
    }
    QFile qrc(output.filePath("kobalin.qrc"));
    const QByteArray text = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"/\">\n" + files.toUtf8() +
                            "    </qresource>\n</RCC>\n";
    if (!qrc.open(QIODevice::WriteOnly) || qrc.write(text) != text.size() || !qrc.flush()) {
        std::fprintf(stderr, "kobalin_artpng: cannot write %s\n", qPrintable(qrc.fileName()));
        return 1;
    }
    return 0;
}
