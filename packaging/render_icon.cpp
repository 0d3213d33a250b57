// Renders the program's SVG icon into the PNG sizes of the hicolor theme.
//
//   qx-render-icon ICON.svg OUTPUT_DIR NAME SIZE...
//
// writes OUTPUT_DIR/SIZExSIZE/apps/NAME.png for each SIZE. Runs at build
// time, headless, so the package needs no separate SVG rasteriser.

#include <QDir>
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

bool renderSize(QSvgRenderer &renderer, int size, const QString &path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
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

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        err << "usage: qx-render-icon ICON.svg OUTPUT_DIR NAME SIZE...\n";
        return 2;
    }

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "qx-render-icon: cannot read " << args.at(1) << '\n';
        return 1;
    }
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    const QString outputDir = args.at(2);
    const QString name = args.at(3);
    for (const QString &sizeText : args.mid(4)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0) {
            err << "qx-render-icon: bad size " << sizeText << '\n';
            return 2;
        }
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(outputDir).arg(size).arg(name);
        if (!renderSize(renderer, size, path)) {
            err << "qx-render-icon: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
