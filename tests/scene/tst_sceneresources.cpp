#include <QDirIterator>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTextLayout>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

// What the scene takes from the resources: every image it names exists in every variant it can
// ask for, the two variants of a styled icon are really light and dark, the fonts load, and
// every text of every language draws without a missing glyph.
class TestSceneResources : public QObject
{
    Q_OBJECT

private slots:
    void everySceneFileIsInTheResources();
    void everyImageTheSceneNamesExists();
    void styledVariantsContrast_data();
    void styledVariantsContrast();
    void fontsAndLicence();
    void everyTranslatedTextHasGlyphs();
    void everySceneTextIsTranslated_data();
    void everySceneTextIsTranslated();
};

namespace {

QString sourcePath(const QString &relative)
{
    return QDir(QStringLiteral(VELMORIX_SOURCE_DIR)).filePath(relative);
}

QStringList sceneFiles()
{
    QStringList files;
    QDirIterator it(
        sourcePath(QStringLiteral("qml")), {QStringLiteral("*.qml")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

// The average lightness of the drawn pixels of an image, 0 to 255.
double inkLightness(const QImage &image)
{
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            sum += pixel.lightness() * pixel.alphaF();
            weight += pixel.alphaF();
        }
    }
    return weight > 0 ? sum / weight : -1;
}

} // namespace

void TestSceneResources::everySceneFileIsInTheResources()
{
    // A file missing from qml.qrc loads from the source tree in development and fails only in
    // the built program.
    QFile qrc(sourcePath(QStringLiteral("qml/qml.qrc")));
    QVERIFY(qrc.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(qrc.readAll());
    QStringList missing;
    const QDir qml(sourcePath(QStringLiteral("qml")));
    QStringList files = sceneFiles();
    files << sourcePath(QStringLiteral("qml/controls/qmldir"))
          << sourcePath(QStringLiteral("qml/qtquickcontrols2.conf"));
    for (const QString &path : qAsConst(files)) {
        const QString relative = qml.relativeFilePath(path);
        if (!listed.contains(QStringLiteral("<file>%1</file>").arg(relative)))
            missing << relative;
    }
    QCOMPARE(missing, QStringList());
}

void TestSceneResources::everyImageTheSceneNamesExists()
{
    // Styled icons are named by an AIcon's `icon` (drawn in both variants unless the icon says
    // `styled: false`) or a button's `iconName`; plain images by their resource path.
    static const QRegularExpression iconLine(QStringLiteral("^\\s*(icon|iconName):(.*)$"),
                                             QRegularExpression::MultilineOption);
    static const QRegularExpression literal(QStringLiteral("\"([a-z_]+)\""));
    static const QRegularExpression plainPath(QStringLiteral("\"qrc(:/resources/icons/[a-z_/]+\\.png)\""));

    QSet<QString> styled;
    QSet<QString> plain;
    for (const QString &path : sceneFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto line = iconLine.globalMatch(text); line.hasNext();) {
            const QRegularExpressionMatch match = line.next();
            // The block the line is in: from the nearest opening brace before it to its close.
            const int open = text.lastIndexOf(QLatin1Char('{'), match.capturedStart());
            const int close = text.indexOf(QLatin1Char('}'), match.capturedEnd());
            const bool unstyled = text.mid(open, close - open).contains(QLatin1String("styled: false"));
            for (auto name = literal.globalMatch(match.captured(2)); name.hasNext();)
                (unstyled ? plain : styled).insert(name.next().captured(1));
        }
        for (auto image = plainPath.globalMatch(text); image.hasNext();)
            plain.insert(image.next().captured(1).mid(QStringLiteral(":/resources/icons/").size()).chopped(4));
    }
    QVERIFY2(styled.size() > 10, "the scene asks for its styled icons through uiStyle.iconSource");
    QVERIFY(plain.contains(QStringLiteral("greenswitch")) && plain.contains(QStringLiteral("redswitch")));

    QStringList missing;
    for (const QString &name : qAsConst(styled)) {
        for (const char *variant : {"_white", "_black"}) {
            const QString path = QStringLiteral(":/resources/icons/%1%2.png").arg(name, QLatin1String(variant));
            if (QImage(path).isNull())
                missing << path;
        }
    }
    for (const QString &name : qAsConst(plain)) {
        const QString path = QStringLiteral(":/resources/icons/%1.png").arg(name);
        if (QImage(path).isNull())
            missing << path;
    }
    for (const char *path :
         {":/resources/icons/app/app.png", ":/resources/icons/vpn.png", ":/resources/icons/flags/unknown.png"}) {
        if (QImage(QLatin1String(path)).isNull())
            missing << QLatin1String(path);
    }
    missing.sort();
    QCOMPARE(missing, QStringList());
}

void TestSceneResources::styledVariantsContrast_data()
{
    QTest::addColumn<QString>("name");
    QDirIterator it(sourcePath(QStringLiteral("resources/icons/styled")), {QStringLiteral("*.svg")}, QDir::Files);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).completeBaseName();
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestSceneResources::styledVariantsContrast()
{
    QFETCH(QString, name);
    const QImage white(QStringLiteral(":/resources/icons/%1_white.png").arg(name));
    const QImage black(QStringLiteral(":/resources/icons/%1_black.png").arg(name));
    QVERIFY(!white.isNull() && !black.isNull());
    QCOMPARE(white.size(), black.size());
    // Drawn at twice the 24-unit grid, for screens of high density.
    QCOMPARE(white.size(), QSize(48, 48));
    QVERIFY2(inkLightness(white) > 200, "the white variant reads on a dark page");
    QVERIFY2(inkLightness(black) >= 0 && inkLightness(black) < 80, "the black variant reads on a light page");
}

void TestSceneResources::fontsAndLicence()
{
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral(":/resources/fonts/Poppins-Regular.ttf"));
    const int bold = QFontDatabase::addApplicationFont(QStringLiteral(":/resources/fonts/Poppins-Bold.ttf"));
    QVERIFY(regular >= 0 && bold >= 0);
    QCOMPARE(QFontDatabase::applicationFontFamilies(regular), QStringList(QStringLiteral("Poppins")));
    QCOMPARE(QFontDatabase::applicationFontFamilies(bold), QStringList(QStringLiteral("Poppins")));
    QVERIFY(QFontDatabase().bold(QStringLiteral("Poppins"), QStringLiteral("Bold")));
    QFile licence(QStringLiteral(":/resources/fonts/Poppins-OFL.txt"));
    QVERIFY(licence.open(QIODevice::ReadOnly));
    QVERIFY(licence.readAll().contains("SIL Open Font License"));
}

void TestSceneResources::everyTranslatedTextHasGlyphs()
{
    // The scene draws in Poppins; what Poppins lacks must come from a fallback font. A glyph
    // index of 0 is the empty box of a character that no font has.
    QVERIFY(QFontDatabase::addApplicationFont(QStringLiteral(":/resources/fonts/Poppins-Regular.ttf")) >= 0);
    QFont font(QStringLiteral("Poppins"));
    font.setPixelSize(14);

    // The language names of the settings' list are shown whatever the language.
    QStringList texts = {QStringLiteral("Bahasa Indonesia"),
                         QStringLiteral("Tiếng Việt"),
                         QStringLiteral("Русский"),
                         QStringLiteral("ไทย"),
                         QStringLiteral("日本語"),
                         QStringLiteral("简体中文")};
    QDirIterator it(sourcePath(QStringLiteral("src/translations")), {QStringLiteral("*.ts")}, QDir::Files);
    int files = 0;
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        ++files;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && (xml.name() == QLatin1String("translation") || xml.name() == QLatin1String("numerusform"))) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (!text.isEmpty())
                    texts << text;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(file.fileName()));
    }
    QVERIFY2(files == 0 || files == 11, "one translation file per language but English");

    QStringList missing;
    for (const QString &text : qAsConst(texts)) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            if (run.glyphIndexes().contains(0)) {
                missing << text;
                break;
            }
        }
    }
    QCOMPARE(missing, QStringList());
}

void TestSceneResources::everySceneTextIsTranslated_data()
{
    QTest::addColumn<QString>("code");
    for (const char *code : {"es", "fr", "id", "cn", "my", "nl", "ph", "jp", "vn", "ru", "th"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void TestSceneResources::everySceneTextIsTranslated()
{
    // A text that lupdate never saw, or that a translator left unfinished, shows in English in
    // the middle of another language; a lost placeholder shows a sentence without its value.
    QFETCH(QString, code);
    Q_INIT_RESOURCE(translations);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("vpnclient_%1").arg(code), QStringLiteral(":/src/translations")));

    static const QRegularExpression call(QStringLiteral("qsTr\\(\\s*\"((?:[^\"\\\\]|\\\\.)*)\"\\s*\\)"));
    static const QRegularExpression placeholder(QStringLiteral("%(\\d|n)"));
    int texts = 0;
    QStringList missing;
    for (const QString &path : sceneFiles()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The scene's texts are translated in the context of their file's name.
        const QByteArray context = QFileInfo(path).completeBaseName().toUtf8();
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = call.globalMatch(text); match.hasNext();) {
            QString source = match.next().captured(1);
            source.replace(QLatin1String("\\\""), QLatin1String("\""));
            ++texts;
            const QString translated = translator.translate(context.constData(), source.toUtf8().constData());
            if (translated.trimmed().isEmpty()) {
                missing << QStringLiteral("%1: %2").arg(QString::fromUtf8(context), source);
                continue;
            }
            for (auto mark = placeholder.globalMatch(source); mark.hasNext();) {
                const QString needed = mark.next().captured(0);
                if (!translated.contains(needed))
                    missing << QStringLiteral("%1: %2 (without %3)").arg(QString::fromUtf8(context), source, needed);
            }
        }
    }
    QVERIFY2(texts > 80, "the scene's texts are found");
    QCOMPARE(missing, QStringList());
}

QTEST_MAIN(TestSceneResources)
#include "tst_sceneresources.moc"
