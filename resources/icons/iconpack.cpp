// Build tool: rasterises the scene's SVG images into PNGs and writes the .qrc that lists them
// under /resources/icons. Images under "styled/" are drawn in currentColor and come out twice,
// as NAME_white.png for dark backgrounds and NAME_black.png for light ones; every other image
// keeps its own colours and its relative path (app/app.svg becomes app/app.png).
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

// QtSvg reports what it cannot draw only as a warning; an image drawn half must fail the build.
bool svgWarned = false;

void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        svgWarned = true;
    std::fprintf(stderr, "iconpack: %s\n", qPrintable(text));
}

int fail(const QString &text)
{
    std::fprintf(stderr, "iconpack: %s\n", qPrintable(text));
    return 1;
}

// The colours of the two styled variants: white on the dark style, a soft black on the light one.
struct Variant
{
    const char *suffix;
    const char *color;
};
constexpr Variant variants[] = {{"_white", "#ffffff"}, {"_black", "#222a35"}};

bool render(const QByteArray &svg, const QString &to, int scale, QString *error)
{
    svgWarned = false;
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || svgWarned) {
        *error = QStringLiteral("not a valid SVG image");
        return false;
    }
    const QSize size = renderer.defaultSize() * scale;
    if (size.isEmpty()) {
        *error = QStringLiteral("no width and height");
        return false;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    if (svgWarned) {
        *error = QStringLiteral("drawn with warnings");
        return false;
    }
    if (!QDir().mkpath(QFileInfo(to).path()) || !image.save(to, "PNG")) {
        *error = QStringLiteral("cannot write '%1'").arg(to);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(messageHandler);

    if (argc != 4)
        return fail(QStringLiteral("usage: iconpack SOURCE_DIR OUTPUT_DIR SCALE"));
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    bool scaleOk = false;
    const int scale = QString::fromLatin1(argv[3]).toInt(&scaleOk);
    if (!scaleOk || scale < 1 || scale > 8)
        return fail(QStringLiteral("bad scale '%1'").arg(QString::fromLatin1(argv[3])));
    if (!QDir().mkpath(output.path()))
        return fail(QStringLiteral("cannot create '%1'").arg(output.path()));

    QStringList sources;
    QDirIterator it(source.path(), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        sources << source.relativeFilePath(it.next());
    sources.sort();
    if (sources.isEmpty())
        return fail(QStringLiteral("no SVG images in '%1'").arg(source.path()));

    QStringList names;
    for (const QString &relative : qAsConst(sources)) {
        QFile file(source.filePath(relative));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read '%1'").arg(file.fileName()));
        const QByteArray svg = file.readAll();
        // Text would be drawn in whatever fonts the build machine has: letters are paths here.
        if (svg.contains("<text"))
            return fail(QStringLiteral("'%1' holds text; draw letters as paths").arg(relative));
        const QString base = relative.left(relative.size() - 4);
        QString error;
        if (base.startsWith(QLatin1String("styled/"))) {
            if (!svg.contains("currentColor"))
                return fail(QStringLiteral("'%1' is styled but never uses currentColor").arg(relative));
            const QString name = base.mid(7);
            for (const Variant &variant : variants) {
                QByteArray coloured = svg;
                coloured.replace("currentColor", variant.color);
                const QString png = name + QLatin1String(variant.suffix) + QLatin1String(".png");
                if (!render(coloured, output.filePath(png), scale, &error))
                    return fail(QStringLiteral("%1: %2").arg(relative, error));
                names << png;
            }
        } else {
            const QString png = base + QLatin1String(".png");
            if (!render(svg, output.filePath(png), scale, &error))
                return fail(QStringLiteral("%1: %2").arg(relative, error));
            names << png;
        }
    }

    QFile qrc(output.filePath(QStringLiteral("icons.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return fail(QStringLiteral("cannot write '%1'").arg(qrc.fileName()));
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/resources/icons\">\n";
    for (const QString &name : qAsConst(names))
        out << "    <file>" << name << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return qrc.error() == QFile::NoError ? 0 : fail(QStringLiteral("cannot write '%1'").arg(qrc.fileName()));
}
