// Build tool: scales the country flags of a folder of "<code>.png" files into a resource folder
// and writes the .qrc that lists them under /resources/icons/flags. The flag of no country
// ("unknown.png") comes from the package's generic flag.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString &text)
{
    std::fprintf(stderr, "flagpack: %s\n", qPrintable(text));
    return 1;
}

bool scale(const QString &from, const QString &to, const QSize &size)
{
    QImage image(from);
    if (image.isNull())
        return false;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(to, "PNG");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return fail(QStringLiteral("usage: flagpack SOURCE_DIR OUTPUT_DIR WIDTHxHEIGHT"));

    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    const QStringList dimensions = QString::fromLatin1(argv[3]).split(QLatin1Char('x'));
    const QSize size(dimensions.value(0).toInt(), dimensions.value(1).toInt());
    if (dimensions.size() != 2 || size.isEmpty())
        return fail(QStringLiteral("bad size '%1'").arg(QString::fromLatin1(argv[3])));
    if (!QDir().mkpath(outputPath))
        return fail(QStringLiteral("cannot create '%1'").arg(outputPath));
    const QDir output(outputPath);

    // Country files only: two lower-case letters. The package's regional flags start with "_".
    static const QRegularExpression countryFile(QStringLiteral("^[a-z]{2}\\.png$"));
    QStringList names;
    for (const QString &name : source.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        if (!countryFile.match(name).hasMatch())
            continue;
        if (!scale(source.filePath(name), output.filePath(name), size))
            return fail(QStringLiteral("cannot scale '%1'").arg(source.filePath(name)));
        names << name;
    }
    if (names.isEmpty())
        return fail(QStringLiteral("no country flags in '%1'").arg(source.path()));

    const QString unknown = QStringLiteral("unknown.png");
    if (!scale(source.filePath(QStringLiteral("_generic.png")), output.filePath(unknown), size))
        return fail(QStringLiteral("cannot scale the generic flag of '%1'").arg(source.path()));
    names << unknown;

    QFile qrc(output.filePath(QStringLiteral("flags.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return fail(QStringLiteral("cannot write '%1'").arg(qrc.fileName()));
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/resources/icons/flags\">\n";
    for (const QString &name : qAsConst(names))
        out << "    <file>" << name << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return qrc.error() == QFile::NoError ? 0 : fail(QStringLiteral("cannot write '%1'").arg(qrc.fileName()));
}
