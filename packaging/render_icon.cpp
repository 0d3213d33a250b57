// Renders the program's SVG icon at build time, headless, so that neither the
// package nor the program needs an SVG rasteriser or an image decoder.
//
//   qx-render-icon ICON.svg OUTPUT_DIR NAME SIZE...
//
// writes OUTPUT_DIR/SIZExSIZE/apps/NAME.png for each SIZE, the sizes of the
// hicolor theme.
//
//   qx-render-icon --pixels ICON.svg OUTPUT.h SIZE...
//
// writes a C++ header with the pixels of each SIZE as the program would get
// them from those PNG files, for the window icon.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

// The offscreen platform complains about a missing XDG_RUNTIME_DIR, which a
// build machine need not have; everything else is passed on.
void dropRuntimeDirectoryWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

QImage render(QSvgRenderer &renderer, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

bool renderSize(QSvgRenderer &renderer, int size, const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && render(renderer, size).save(path, "PNG");
}

// The image as it comes back from a PNG file: stored without
// premultiplication, as QImageReader gives it.
QImage throughPng(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QImage::fromData(png, "PNG");
}

bool writePixels(QSvgRenderer &renderer, const QList<int> &sizes, const QString &path)
{
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    out << "// Written by qx-render-icon: the window icon's pixels, as its PNG files hold them.\n"
           "#pragma once\n\n#include <QImage>\n\nnamespace qx::windowicon {\n\n";
    QStringList entries;
    for (const int size : sizes) {
        const QImage image = throughPng(render(renderer, size));
        out << "inline constexpr quint32 Pixels" << size << "[] = {";
        for (int y = 0; y < size; ++y) {
            out << "\n   ";
            const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            for (int x = 0; x < size; ++x)
                out << " 0x" << QString::number(line[x], 16).rightJustified(8, QLatin1Char('0')) << "u,";
        }
        out << "\n};\n\n";
        entries << QStringLiteral("{%1, QImage::Format(%2), Pixels%1}").arg(size).arg(int(image.format()));
    }
    out << "struct Size {\n    int size;\n    QImage::Format format;\n    const quint32 *pixels;\n};\n\n"
           "inline constexpr Size Sizes[] = {\n    "
        << entries.join(QStringLiteral(",\n    ")) << ",\n};\n\n} // namespace qx::windowicon\n";
    out.flush();
    return file.error() == QFile::NoError;
}

QList<int> sizesFrom(const QStringList &texts, QTextStream &err)
{
    QList<int> sizes;
    for (const QString &text : texts) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size <= 0) {
            err << "qx-render-icon: bad size " << text << '\n';
            return {};
        }
        sizes.append(size);
    }
    return sizes;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts are needed for any text in the drawing, and fonts need a GUI
    // application; no window is ever shown, so no display is needed either.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropRuntimeDirectoryWarnings);
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments();
    const bool pixels = args.size() > 1 && args.at(1) == QLatin1String("--pixels");
    if (pixels)
        args.removeAt(1);
    if (args.size() < (pixels ? 4 : 5)) {
        err << "usage: qx-render-icon ICON.svg OUTPUT_DIR NAME SIZE...\n"
               "       qx-render-icon --pixels ICON.svg OUTPUT.h SIZE...\n";
        return 2;
    }

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "qx-render-icon: cannot read " << args.at(1) << '\n';
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    const QList<int> sizes = sizesFrom(args.mid(pixels ? 3 : 4), err);
    if (sizes.isEmpty())
        return 2;
    if (pixels) {
        if (!writePixels(renderer, sizes, args.at(2))) {
            err << "qx-render-icon: cannot write " << args.at(2) << '\n';
            return 1;
        }
        return 0;
    }
    const QString outputDir = args.at(2);
    const QString name = args.at(3);
    for (const int size : sizes) {
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(outputDir).arg(size).arg(name);
        if (!renderSize(renderer, size, path)) {
            err << "qx-render-icon: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
