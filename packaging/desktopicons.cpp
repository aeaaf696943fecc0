// Build tool: draws the program's icon at the sizes desktops look up in the icon theme and lays
// them out as the theme does: OUTPUT_DIR/NxN/apps/NAME.png, and the source itself as
// OUTPUT_DIR/scalable/apps/NAME.svg for desktops that scale it themselves.
//     desktopicons SOURCE.svg OUTPUT_DIR NAME SIZE...
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// QtSvg reports what it cannot draw only as a warning; an icon drawn half must fail the build.
bool svgWarned = false;

void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        svgWarned = true;
    std::fprintf(stderr, "desktopicons: %s\n", qPrintable(text));
}

int fail(const QString &text)
{
    std::fprintf(stderr, "desktopicons: %s\n", qPrintable(text));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(messageHandler);
    if (argc < 5)
        return fail(QStringLiteral("usage: desktopicons SOURCE.svg OUTPUT_DIR NAME SIZE..."));

    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read '%1'").arg(sourcePath));
    const QByteArray svg = source.readAll();

    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || svgWarned)
        return fail(QStringLiteral("'%1' is not a valid SVG image").arg(sourcePath));
    // The theme's size folders hold square images; a wider source would be squeezed.
    if (renderer.defaultSize().width() != renderer.defaultSize().height() || renderer.defaultSize().isEmpty())
        return fail(QStringLiteral("'%1' is not square").arg(sourcePath));

    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024)
            return fail(QStringLiteral("bad size '%1'").arg(QString::fromLatin1(argv[i])));
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        if (svgWarned)
            return fail(QStringLiteral("'%1' drawn with warnings").arg(sourcePath));
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = output.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (!QDir().mkpath(output.filePath(folder)) || !image.save(path, "PNG"))
            return fail(QStringLiteral("cannot write '%1'").arg(path));
    }

    const QString scalable = output.filePath(QStringLiteral("scalable/apps"));
    const QString copy = scalable + QLatin1Char('/') + name + QStringLiteral(".svg");
    QFile::remove(copy);
    if (!QDir().mkpath(scalable) || !QFile::copy(sourcePath, copy))
        return fail(QStringLiteral("cannot write '%1'").arg(copy));
    // The copy keeps the source's mode; an installed icon is a plain readable file.
    QFile::setPermissions(
        copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return 0;
}
