#include "brandingfile.h"
#include "messagerecorder.h"
#include "platform/files.h"
#include "platform/system.h"
#include "simplelistmodel.h"
#include "theme.h"
#include "themelistmodel.h"
#include "themesectionlistmodel.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QImage>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

// Every test gets an application directory of its own (VELMORIX_APP_DIR), so the branding
// folder the theme reads at construction is the test's.
class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void themeProperty();
    void brandingFileReader_data();
    void brandingFileReader();
    void brandingFiles_data();
    void brandingFiles();
    void disabledBrandingCarriesOver();
    void brandingFileThatIsNoFile();
    void images_data();
    void images();
    void imageRefusals_data();
    void imageRefusals();
    void networkPaths_data();
    void networkPaths();
    void iconsAndOpacity();
    void editorChangesStyleButNotColours();
    void notifyOrderAndValues();
    void loadRefusals();
    void saveAndLoadRoundTrip();
    void textSurvivesSaveAndLoad_data();
    void textSurvivesSaveAndLoad();
    void saveRewritesPickedImages();
    void watcherReloadsOnceAfterEdits();
    void saveIntoWatchedFileIsNoChange_data();
    void saveIntoWatchedFileIsNoChange();
    void folderReplacedOrRepointed_data();
    void folderReplacedOrRepointed();
    void editWhileReadingIsNotLost_data();
    void editWhileReadingIsNotLost();
    void exampleBranding();

    void themeListModel();
    void editorEditsReachTheTheme();
    void itemsModelsSetAndUpdate();
    void sectionAndSimpleModels();

private:
    QString brandingPath() const { return m_appDir->path() + QStringLiteral("/branding/branding.ini"); }
    void writeFile(const QString &path, const QByteArray &content) const;
    QAbstractItemModelTester *tester(QAbstractItemModel *model);

    std::unique_ptr<QTemporaryDir> m_appDir;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> m_testers;
};

namespace {

QString fileUrl(const QString &path)
{
    return QUrl::fromLocalFile(path).toString();
}

QStringList visibleIds(const ThemeListModel &model)
{
    QStringList ids;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row).data(ThemeListModel::VisibleRole).toBool())
            ids << model.index(row).data(ThemeListModel::ThemePropertyIdRole).toString();
    }
    return ids;
}

int rowOf(const ThemeListModel &model, const QString &id)
{
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.index(row).data(ThemeListModel::IdRole).toString() == id)
            return row;
    }
    return -1;
}

QString valueOf(const Theme &theme, const QString &id)
{
    for (const ThemeProperty &property : theme.allProperties()) {
        if (property.propertyId() == id)
            return property.propertyData().toString();
    }
    return QStringLiteral("<no row>");
}

// Runs an action once, from inside the code under test, at the first log line that contains a
// marker: a way to act at an exact moment between two steps of a reload.
class OnLogLine
{
public:
    OnLogLine(const QString &marker, std::function<void()> action)
        : m_marker(marker)
        , m_action(std::move(action))
    {
        current() = this;
        m_previous = qInstallMessageHandler(&OnLogLine::handle);
    }
    ~OnLogLine()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    OnLogLine(const OnLogLine &) = delete;
    OnLogLine &operator=(const OnLogLine &) = delete;

private:
    static OnLogLine *&current()
    {
        static OnLogLine *instance = nullptr;
        return instance;
    }
    static void handle(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        OnLogLine *self = current();
        if (self && self->m_action && text.contains(self->m_marker))
            std::exchange(self->m_action, nullptr)();
    }

    QString m_marker;
    std::function<void()> m_action;
    QtMessageHandler m_previous = nullptr;
};

void writePng(const QString &path, QSize size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_Mono);
    image.fill(0);
    QVERIFY(image.save(path, "PNG"));
}

} // namespace

void TestTheme::init()
{
    m_appDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_appDir->isValid());
    qputenv("VELMORIX_APP_DIR", m_appDir->path().toUtf8());
}

void TestTheme::cleanup()
{
    m_testers.clear();
    qunsetenv("VELMORIX_APP_DIR");
}

void TestTheme::writeFile(const QString &path, const QByteArray &content) const
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QAbstractItemModelTester *TestTheme::tester(QAbstractItemModel *model)
{
    m_testers.push_back(
        std::make_unique<QAbstractItemModelTester>(model, QAbstractItemModelTester::FailureReportingMode::QtTest));
    return m_testers.back().get();
}

void TestTheme::themeProperty()
{
    // Registered by name by its users, so that queued connections and QML can carry it.
    const ThemeListModel model;
    QVERIFY(QMetaType::type("ThemeProperty") != QMetaType::UnknownType);

    const ThemeProperty empty;
    QVERIFY(empty.propertyId().isEmpty() && empty.toolTip().isEmpty() && !empty.propertyData().isValid());
    QVERIFY(empty.sections().none());

    // An empty label becomes the id; -1 means no section; anything else outside throws.
    const ThemeProperty bare(QStringLiteral("someId"), QStringLiteral("v"));
    QCOMPARE(bare.toolTip(), QStringLiteral("someId"));
    QVERIFY(bare.sections().none());
    QCOMPARE(bare.dataType(), ThemeDataType::Color);
    QVERIFY_EXCEPTION_THROWN(ThemeProperty(QStringLiteral("x"), 1, 11), std::out_of_range);
    QVERIFY_EXCEPTION_THROWN(ThemeProperty(QStringLiteral("x"), 1, -2), std::out_of_range);
    QCOMPARE(ThemeProperty(QStringLiteral("x"), 1, 10).sectionNames(), QStringList{"App property"});

    // Equality needs all five fields.
    const ThemeProperty base(
        QStringLiteral("id"), QStringLiteral("#fff"), 2, QStringLiteral("tip"), ThemeDataType::Float);
    QCOMPARE(
        base,
        ThemeProperty(QStringLiteral("id"), QStringLiteral("#fff"), 2, QStringLiteral("tip"), ThemeDataType::Float));
    const QVector<ThemeProperty> others = {
        ThemeProperty(QStringLiteral("id2"), QStringLiteral("#fff"), 2, QStringLiteral("tip"), ThemeDataType::Float),
        ThemeProperty(QStringLiteral("id"), QStringLiteral("#000"), 2, QStringLiteral("tip"), ThemeDataType::Float),
        ThemeProperty(QStringLiteral("id"), QStringLiteral("#fff"), 3, QStringLiteral("tip"), ThemeDataType::Float),
        ThemeProperty(QStringLiteral("id"), QStringLiteral("#fff"), 2, QStringLiteral("tip2"), ThemeDataType::Float),
        ThemeProperty(QStringLiteral("id"), QStringLiteral("#fff"), 2, QStringLiteral("tip"), ThemeDataType::Image),
    };
    for (const ThemeProperty &other : others)
        QVERIFY(base != other);

    QCOMPARE(themeDataTypeString(ThemeDataType::Bool), QStringLiteral("Bool"));
    QCOMPARE(themeDataTypeString(static_cast<ThemeDataType>(4)), QString());
    QCOMPARE(themeSectionName(static_cast<ThemeSection>(11)), QString());
}

void TestTheme::brandingFileReader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("kind"); // -1: the file is refused
    QTest::addColumn<QString>("text");

    const int text = BrandingFile::Value::Text;
    QTest::newRow("plain") << QByteArray("[Style]\nk=#f6f7f9\n") << "Style"
                           << "k" << text << "#f6f7f9";
    QTest::newRow("blanks, CRLF, BOM") << QByteArray("\xef\xbb\xbf[Style]\r\n  k =  white  \r\n") << "Style"
                                       << "k" << text << "white";
    QTest::newRow("quoted keeps blanks, ; and ,") << QByteArray("[Style]\nk=\"  a;b,c  \" ; comment\n") << "Style"
                                                  << "k" << text << "  a;b,c  ";
    QTest::newRow("unquoted comma is text") << QByteArray("[Style]\nk=my,logo.png\n") << "Style"
                                            << "k" << text << "my,logo.png";
    QTest::newRow("escapes") << QByteArray("[Style]\nk=\\x41\\102\\t\\\"\\\\\n") << "Style"
                             << "k" << text << "AB\t\"\\";
    QTest::newRow("unknown escape kept") << QByteArray("[Style]\nk=C:\\logos\n") << "Style"
                                         << "k" << text << "C:\\logos";
    QTest::newRow("percent-encoded key") << QByteArray("[Style]\nmy%20key=v\n") << "Style"
                                         << "my key" << text << "v";
    QTest::newRow("last of two wins") << QByteArray("[Style]\nk=a\nk=b\n") << "Style"
                                      << "k" << text << "b";
    QTest::newRow("keys before a group") << QByteArray("k=v\n[Style]\n") << "General"
                                         << "k" << int(BrandingFile::Value::Absent) << "";
    QTest::newRow("keys before a group stay out of Style") << QByteArray("k=v\n[Style]\n") << "Style"
                                                           << "k" << int(BrandingFile::Value::Absent) << "";
    QTest::newRow("names without case") << QByteArray("[sTyLe]\nMyKey=v\n") << "Style"
                                        << "mYkEY" << text << "v";
    QTest::newRow("one key in two cases, last wins") << QByteArray("[Style]\nk=a\n[STYLE]\nK=b\n") << "style"
                                                     << "k" << text << "b";
    QTest::newRow("other groups are not kept") << QByteArray("[Other]\nk=v\n") << "Other"
                                               << "k" << int(BrandingFile::Value::Absent) << "";
    QTest::newRow("64 KiB") << QByteArray("[Style]\nk=v\n") + QByteArray(64 * 1024 - 12, ';') << "Style"
                            << "k" << text << "v";
    QTest::newRow("comments") << QByteArray("; one\n# two\n[Style] ; three\nk=v\n") << "Style"
                              << "k" << text << "v";
    QTest::newRow("doubled @") << QByteArray("[Style]\nk=@@lead\n") << "Style"
                               << "k" << text << "@lead";
    QTest::newRow("empty variant") << QByteArray("[Style]\nk=@Invalid()\n") << "Style"
                                   << "k" << text << "";
    QTest::newRow("typed value") << QByteArray("[Style]\nk=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff)\n") << "Style"
                                 << "k" << int(BrandingFile::Value::Typed) << "";
    QTest::newRow("escaped typed value") << QByteArray("[Style]\nk=\\x40Rect(1 2 3 4)\n") << "Style"
                                         << "k" << int(BrandingFile::Value::Typed) << "";
    QTest::newRow("other group") << QByteArray("[Main]\nk=v\n") << "Style"
                                 << "k" << int(BrandingFile::Value::Absent) << "";

    QTest::newRow("open group") << QByteArray("[Style\nk=v\n") << "Style"
                                << "k" << -1 << "";
    QTest::newRow("text after group") << QByteArray("[Style] x\nk=v\n") << "Style"
                                      << "k" << -1 << "";
    QTest::newRow("line without =") << QByteArray("[Style]\njust words\n") << "Style"
                                    << "k" << -1 << "";
    QTest::newRow("empty key") << QByteArray("[Style]\n = v\n") << "Style"
                               << "k" << -1 << "";
    QTest::newRow("open quote") << QByteArray("[Style]\nk=\"v\n") << "Style"
                                << "k" << -1 << "";
    QTest::newRow("not UTF-8") << QByteArray("[Style]\nk=caf\xe9\n") << "Style"
                               << "k" << -1 << "";
    QTest::newRow("NUL byte") << QByteArray("[Style]\nk=v\0", 12) << "Style"
                              << "k" << -1 << "";
    QTest::newRow("too large") << QByteArray("[Style]\n") + QByteArray(BrandingFile::maximumSize, ';') << "Style"
                               << "k" << -1 << "";
    QTest::newRow("64 KiB and one") << QByteArray("[Style]\nk=v\n") + QByteArray(64 * 1024 - 11, ';') << "Style"
                                    << "k" << -1 << "";
    QTest::newRow("bad line in a group not kept") << QByteArray("[Other]\nno pair\n[Style]\nk=v\n") << "Style"
                                                  << "k" << -1 << "";
}

void TestTheme::brandingFileReader()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(int, kind);
    QFETCH(QString, text);

    const BrandingFile file = BrandingFile::parse(content);
    QCOMPARE(file.isValid(), kind >= 0);
    if (kind < 0) {
        QVERIFY(!file.error().isEmpty());
        return;
    }
    const BrandingFile::Value value = file.value(group, key);
    QCOMPARE(int(value.kind), kind);
    QCOMPARE(value.text, text);
}

void TestTheme::brandingFiles_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("darkStyle");
    QTest::addColumn<QString>("warning"); // empty: none

    const QByteArray dark("[Main]\nbrandingEnabled=true\n[Style]\n");
    QTest::newRow("no file") << QByteArray() << "generalBackgroundColor"
                             << "#f6f7f9" << false << "";
    QTest::newRow("only enabled") << QByteArray("[Main]\nbrandingEnabled=true\n") << "generalBackgroundColor"
                                  << "#102847" << true << "";
    QTest::newRow("light file") << QByteArray("[Main]\ndarkStyle=false\n[Style]\ngeneralBackgroundColor=#abcdef\n")
                                << "generalBackgroundColor"
                                << "#abcdef" << false << "";
    QTest::newRow("disabled") << QByteArray("[Main]\nbrandingEnabled=false\n[Style]\ngeneralBackgroundColor=red\n")
                              << "generalBackgroundColor"
                              << "#f6f7f9" << false << "Theme: Branding style is not enabled!";
    QTest::newRow("colour name") << dark + "generalTabFontColor=Crimson\n"
                                 << "generalTabFontColor"
                                 << "Crimson" << true << "";
    QTest::newRow("not a colour") << dark + "generalBackgroundColor=#12345z\n"
                                  << "generalBackgroundColor"
                                  << "#102847" << true
                                  << "Theme: Style value 'generalBackgroundColor' is not a color, the default is kept";
    QTest::newRow("colour as list") << dark + "generalBackgroundColor=rgb(1,2,3)\n"
                                    << "generalBackgroundColor"
                                    << "#102847" << true << "'generalBackgroundColor' is not a color";
    QTest::newRow("typed colour") << dark + "generalBackgroundColor=@Variant(\\0\\0\\0\\x43\\x1\\xff\\xff)\n"
                                  << "generalBackgroundColor"
                                  << "#102847" << true << "'generalBackgroundColor' is not text";
    QTest::newRow("opacity") << dark + "generalLabelOpacity=0.75\n"
                             << "generalLabelOpacity"
                             << "0.75" << true << "";
    QTest::newRow("opacity not a number") << dark + "generalLabelOpacity=half\n"
                                          << "generalLabelOpacity"
                                          << "0.5" << true << "'generalLabelOpacity' is not a number from 0 to 1";
    QTest::newRow("opacity nan") << dark + "generalLabelOpacity=nan\n"
                                 << "generalLabelOpacity"
                                 << "0.5" << true << "'generalLabelOpacity' is not a number";
    QTest::newRow("opacity above 1") << dark + "generalGreyLabelOpacity=1.5\n"
                                     << "generalGreyLabelOpacity"
                                     << "0.4" << true << "'generalGreyLabelOpacity' is not a number";
    QTest::newRow("opacity -inf") << dark + "generalGreyLabelOpacity=-inf\n"
                                  << "generalGreyLabelOpacity"
                                  << "0.4" << true << "'generalGreyLabelOpacity' is not a number";
    QTest::newRow("opacity beyond a double") << dark + "generalSmallGreyLabelOpacity=1e999\n"
                                             << "generalSmallGreyLabelOpacity"
                                             << "0.2" << true << "'generalSmallGreyLabelOpacity' is not a number";
    QTest::newRow("missing image") << dark + "generalLogoFileName=resources/none.png\n"
                                   << "generalLogoFileName"
                                   << "qrc:/resources/icons/vpn.png" << true
                                   << "'generalLogoFileName' names no image file that exists";
    QTest::newRow("image is a folder") << dark + "generalBackgroundImage=.\n"
                                       << "generalBackgroundImage"
                                       << "" << true << "'generalBackgroundImage' names no image file";
    QTest::newRow("odd flag row") << dark + "generalComboBoxUsesListViewTheme=true\n"
                                  << "generalComboBoxUsesListViewTheme"
                                  << "true" << true << "";
    QTest::newRow("odd auto row") << dark + "connectionPageSettingsButtonIconColor=sometimes\n"
                                  << "connectionPageSettingsButtonIconColor"
                                  << "auto" << true
                                  << "'connectionPageSettingsButtonIconColor' is neither \"auto\" nor a color";
    QTest::newRow("odd auto row, line breaks") << dark + "connectionPageSettingsButtonIconColor=\"red\\nblue\\x7\"\n"
                                               << "connectionPageSettingsButtonIconColor"
                                               << "auto" << true << "is neither \"auto\" nor a color";
    QTest::newRow("odd auto row, a colour") << dark + "connectionPageSettingsButtonIconColor=#80ff0000\n"
                                            << "connectionPageSettingsButtonIconColor"
                                            << "#80ff0000" << true << "";
    QTest::newRow("unknown key, warned once") << dark + "noSuchProperty=red\nNOSUCHPROPERTY=blue\n"
                                              << "generalBackgroundColor"
                                              << "#102847" << true
                                              << "Theme: Style key 'NOSUCHPROPERTY' is no theme property, it is "
                                                 "ignored";
    QTest::newRow("misspelt Main key") << QByteArray("[Main]\nbrandingEnabeld=false\n") << "generalBackgroundColor"
                                       << "#102847" << true
                                       << "Theme: Main key 'brandingEnabeld' is unknown, it is ignored";
    QTest::newRow("names without case") << QByteArray(
        "[MAIN]\nDarkStyle=false\n[style]\nGENERALBACKGROUNDCOLOR=#abcdef\n")
                                        << "generalBackgroundColor"
                                        << "#abcdef" << false << "";
    QTest::newRow("disabled without case") << QByteArray("[main]\nbrandingenabled=false\n") << "generalBackgroundColor"
                                           << "#f6f7f9" << false << "Branding style is not enabled!";
    QTest::newRow("not INI") << QByteArray("<html>branding</html>\n") << "generalBackgroundColor"
                             << "#f6f7f9" << false << "is ignored: line 1";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << "generalBackgroundColor"
                            << "#f6f7f9" << false << "is ignored: binary data";
    // Nothing of a file too large is taken, not even the style its first lines choose.
    QTest::newRow("larger than 64 KiB") << dark + "generalBackgroundColor=#abcdef\n" + QByteArray(64 * 1024, ';')
                                        << "generalBackgroundColor"
                                        << "#f6f7f9" << false << "is ignored: larger than 65536 bytes";
}

void TestTheme::brandingFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, property);
    QFETCH(QString, expected);
    QFETCH(bool, darkStyle);
    QFETCH(QString, warning);

    if (!content.isNull())
        writeFile(brandingPath(), content);
    MessageRecorder recorder;
    Theme theme;
    QCOMPARE(theme.property(qPrintable(property)).toString(), expected);
    QCOMPARE(theme.darkStyle(), darkStyle);
    const QStringList warnings = recorder.warnings();
    if (warning.isEmpty()) {
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains(warning), qPrintable(warnings.first()));
    }
    // Whatever the file, every colour the scene binds to stays a colour ("auto" where the scene
    // may choose).
    for (const ThemeProperty &row : theme.allProperties()) {
        const QString value = row.propertyData().toString();
        if (row.dataType() == ThemeDataType::Color
            && row.propertyId() != QLatin1String("generalComboBoxUsesListViewTheme"))
            QVERIFY2(QColor::isValidColor(value)
                         || (row.propertyId() == QLatin1String("connectionPageSettingsButtonIconColor")
                             && value == QLatin1String("auto")),
                     qPrintable(row.propertyId()));
    }
}

void TestTheme::disabledBrandingCarriesOver()
{
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=false\ndarkStyle=true\n");
    Theme theme;
    QVERIFY(!theme.brandingEnabled());
    QVERIFY(!theme.darkStyle()); // the style of a disabled file is never read

    const QString other = m_appDir->path() + QStringLiteral("/other/theme.ini");
    writeFile(other, "[Main]\ndarkStyle=true\n[Style]\ngeneralBackgroundColor=red\n");
    MessageRecorder recorder;
    QVERIFY(theme.load(fileUrl(other)));
    QVERIFY(!theme.brandingEnabled());
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#f6f7f9"));
    QCOMPARE(recorder.warnings(), QStringList{"Theme: Branding style is not enabled!"});

    writeFile(other, "[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=red\n");
    QVERIFY(theme.load(fileUrl(other)));
    QVERIFY(theme.brandingEnabled());
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("red"));
}

void TestTheme::brandingFileThatIsNoFile()
{
    // A FIFO would block a reader until someone writes; a folder cannot be read.
    QDir().mkpath(QFileInfo(brandingPath()).absolutePath());
    const QList<std::function<bool()>> makers = {
        [&] { return ::mkfifo(QFile::encodeName(brandingPath()).constData(), 0600) == 0; },
        [&] { return QDir().mkpath(brandingPath()); },
    };
    for (const auto &make : makers) {
        QVERIFY(make());
        MessageRecorder recorder;
        Theme theme;
        QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#f6f7f9"));
        QCOMPARE(
            recorder.warnings(),
            QStringList{QStringLiteral("Theme: Branding file '%1' is ignored: cannot be read").arg(brandingPath())});
        QVERIFY(QFile::remove(brandingPath()) || QDir().rmdir(brandingPath()));
    }
}

void TestTheme::images_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("relativeResult"); // below the branding folder; empty: `absoluteResult`
    QTest::addColumn<QString>("absoluteResult");

    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("qrc") << "qrc:/resources/icons/vpn.png"
                         << ""
                         << "qrc:/resources/icons/vpn.png";
    QTest::newRow("file URL") << "file:///srv/logo.png"
                              << ""
                              << "file:///srv/logo.png";
    QTest::newRow("relative") << "resources/logo.png"
                              << "resources/logo.png"
                              << "";
    QTest::newRow("relative, reserved characters") << "res #1/a b%20.png"
                                                   << "res #1/a b%20.png"
                                                   << "";
    QTest::newRow("relative with ..") << "resources/../logo.png"
                                      << "logo.png"
                                      << "";
    QTest::newRow("absolute path") << "/srv/brand/logo.png"
                                   << ""
                                   << "file:///srv/brand/logo.png";
}

void TestTheme::images()
{
    QFETCH(QString, value);
    QFETCH(QString, relativeResult);
    QFETCH(QString, absoluteResult);

    // A folder whose name a URL must encode; the images exist, so the file's values are taken.
    const QString folder = m_appDir->path() + QStringLiteral("/brand #2 50%");
    writeFile(folder + QStringLiteral("/resources/logo.png"), "png");
    writeFile(folder + QStringLiteral("/logo.png"), "png");
    writeFile(folder + QStringLiteral("/res #1/a b%20.png"), "png");
    writeFile(folder + QStringLiteral("/branding.ini"), "[Style]\ngeneralBackgroundImage=\"" + value.toUtf8() + "\"\n");

    Theme theme;
    MessageRecorder recorder;
    const bool local = value.startsWith(QLatin1Char('/')) || value.startsWith(QLatin1String("file:"));
    QCOMPARE(theme.load(fileUrl(folder + QStringLiteral("/branding.ini"))), true);
    QCOMPARE(theme.brandingFolder(), folder);

    const QString expected =
        relativeResult.isEmpty() ? absoluteResult : fileUrl(folder + QLatin1Char('/') + relativeResult);
    QCOMPARE(theme.updateResourceProperty(value), expected);
    if (!relativeResult.isEmpty()) {
        // What QML gets leads back to the file.
        QVERIFY(expected.startsWith(QLatin1String("file:///")));
        QVERIFY(!expected.startsWith(QLatin1String("file:////")));
        QCOMPARE(QUrl(expected).toLocalFile(), folder + QLatin1Char('/') + relativeResult);
        QCOMPARE(theme.generalBackgroundImage(), expected);
    }
    // Images outside the test's folder do not exist: the file's value gives way to the default.
    if (local)
        QCOMPARE(theme.generalBackgroundImage(), QString());
}

void TestTheme::imageRefusals_data()
{
    QTest::addColumn<QByteArray>("value"); // as the file writes it
    QTest::addColumn<QSize>("size"); // invalid: a FIFO in the image's place
    QTest::addColumn<qint64>("fileSize"); // 0: as the image is written; else grown to that size
    QTest::addColumn<QString>("warning"); // empty: the image is taken

    const QByteArray logo("resources/logo.png");
    const qint64 cap = 8 * 1024 * 1024;
    QTest::newRow("4096 on a side") << logo << QSize(4096, 16) << qint64(0) << "";
    QTest::newRow("wider") << logo << QSize(4097, 1) << qint64(0)
                           << "Theme: Style value 'generalLogoFileName' is an image of 4097x1 pixels, more than 4096 "
                              "on a side, the default is kept";
    QTest::newRow("taller") << logo << QSize(1, 4097) << qint64(0) << "is an image of 1x4097 pixels";
    QTest::newRow("FIFO") << logo << QSize() << qint64(0) << "'generalLogoFileName' names no image file that exists";
    // A small picture followed by anything: its header alone passes the pixel limit.
    QTest::newRow("8 MiB") << logo << QSize(16, 16) << cap << "";
    QTest::newRow("8 MiB and one") << logo << QSize(16, 16) << cap + 1
                                   << "is a file of 8388609 bytes, more than 8388608";
    // Never looked at, on no system: on Windows the look alone hands the host the user's logon.
    QTest::newRow("//host/share") << QByteArray("//host/share/logo.png") << QSize(16, 16) << qint64(0)
                                  << "'generalLogoFileName' names a file on another machine";
    // As QSettings writes that path: every backslash doubled.
    QTest::newRow("\\\\host\\share") << QByteArray("\\\\\\\\host\\\\share\\\\logo.png") << QSize(16, 16) << qint64(0)
                                     << "names a file on another machine";
    QTest::newRow("file URL of a share") << QByteArray("file:////host/share/logo.png") << QSize(16, 16) << qint64(0)
                                         << "names a file on another machine";
}

void TestTheme::imageRefusals()
{
    QFETCH(QByteArray, value);
    QFETCH(QSize, size);
    QFETCH(qint64, fileSize);
    QFETCH(QString, warning);

    // Whatever lies there is looked at without waiting: a FIFO has no writer.
    const QString image = m_appDir->path() + QStringLiteral("/branding/resources/logo.png");
    if (size.isValid()) {
        writePng(image, size);
        if (fileSize > 0)
            QVERIFY(QFile::resize(image, fileSize)); // sparse: no disk spent
    } else {
        QDir().mkpath(QFileInfo(image).absolutePath());
        QVERIFY(::mkfifo(QFile::encodeName(image).constData(), 0600) == 0);
    }
    writeFile(brandingPath(), "[Style]\ngeneralLogoFileName=" + value + "\n");
    MessageRecorder recorder;
    const Theme theme;
    if (warning.isEmpty()) {
        QVERIFY2(recorder.warnings().isEmpty(), qPrintable(recorder.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(theme.generalLogoFileName(), fileUrl(image));
    } else {
        QCOMPARE(recorder.warnings().size(), 1);
        QVERIFY2(recorder.warnings().first().contains(warning), qPrintable(recorder.warnings().first()));
        QCOMPARE(theme.generalLogoFileName(), QStringLiteral("qrc:/resources/icons/vpn.png"));
    }
}

void TestTheme::networkPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("uncForm");

    QTest::newRow("//host/share") << "//host/share/logo.png" << true;
    QTest::newRow("\\\\host\\share") << "\\\\host\\share\\logo.png" << true;
    QTest::newRow("mixed separators") << "/\\host/share/logo.png" << true;
    QTest::newRow("long UNC") << "\\\\?\\UNC\\host\\share\\logo.png" << true;
    QTest::newRow("device") << "\\\\.\\pipe\\logo" << true;
    QTest::newRow("absolute") << "/srv/logo.png" << false;
    QTest::newRow("drive") << "C:\\logo.png" << false;
    QTest::newRow("relative") << "resources/logo.png" << false;
    QTest::newRow("one separator") << "/" << false;
    QTest::newRow("empty") << "" << false;
}

void TestTheme::networkPaths()
{
    QFETCH(QString, path);
    QFETCH(bool, uncForm);

    // On Windows the form alone decides, before any look at the path would reach the host.
    QCOMPARE(Platform::hasUncForm(path), uncForm);
    QCOMPARE(Platform::isNetworkPath(path), uncForm && Platform::osName() == QLatin1String("Windows"));
}

void TestTheme::iconsAndOpacity()
{
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n");
    Theme theme;
    QCOMPARE(theme.iconSource(QStringLiteral("search")), QStringLiteral("qrc:/resources/icons/search_white.png"));
    QCOMPARE(theme.iconSource(QStringLiteral("favorite_selected"), false),
             QStringLiteral("qrc:/resources/icons/favorite_selected.png"));

    QCOMPARE(theme.colorOpacity(QStringLiteral("#102847"), 1.0f), QStringLiteral("#ff102847"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("white"), 0.0f), QStringLiteral("#00ffffff"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("#80102847"), 1.0f), QStringLiteral("#ff102847"));
    // Out of range and not a number: bounded, never an invalid alpha.
    QCOMPARE(theme.colorOpacity(QStringLiteral("black"), 7.0f), QStringLiteral("#ff000000"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("black"), -1.0f), QStringLiteral("#00000000"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("black"), std::numeric_limits<float>::quiet_NaN()),
             QStringLiteral("#ff000000"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("black"), -std::numeric_limits<float>::infinity()),
             QStringLiteral("#00000000"));
    QCOMPARE(theme.colorOpacity(QStringLiteral("black"), std::numeric_limits<float>::infinity()),
             QStringLiteral("#ff000000"));
    MessageRecorder recorder;
    QCOMPARE(theme.colorOpacity(QStringLiteral("nocolour\n"), 1.0f), QStringLiteral("#00000000"));
    QCOMPARE(recorder.warnings(), QStringList{"Theme: 'nocolour?' is not a color"});
}

void TestTheme::editorChangesStyleButNotColours()
{
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n");
    Theme theme;
    QSignalSpy loaded(&theme, &Theme::themeDataChanged);
    QSignalSpy darkChanged(&theme, &Theme::darkStyleChanged);
    const auto before = theme.allProperties();

    theme.themePropertyChanged(ThemeProperty(QStringLiteral("appPropertyDarkStyle"), QStringLiteral("false")));
    QVERIFY(!theme.darkStyle());
    QCOMPARE(darkChanged.count(), 1);
    QCOMPARE(darkChanged.first().first(), QVariant(false));
    QVERIFY(loaded.isEmpty());
    QCOMPARE(theme.iconSource(QStringLiteral("search")), QStringLiteral("qrc:/resources/icons/search_black.png"));
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#102847"));

    // The row keeps its place in the editor; only the value changed.
    const auto after = theme.allProperties();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < after.size(); ++i) {
        QCOMPARE(after[i].toolTip(), before[i].toolTip());
        QCOMPARE(after[i].sections(), before[i].sections());
        QCOMPARE(after[i].dataType(), before[i].dataType());
    }
    QCOMPARE(theme.sectionItems(), Theme().sectionItems());

    // An id the table does not know adds no row.
    MessageRecorder recorder;
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("generalHeaderActiveColor"), QStringLiteral("red")));
    QCOMPARE(theme.allProperties().size(), before.size());
    QCOMPARE(theme.generalHeaderActiveColor(), QString());
    QCOMPARE(recorder.warnings().size(), 1);
}

void TestTheme::notifyOrderAndValues()
{
    const QString folder = m_appDir->path() + QStringLiteral("/brand");
    writeFile(folder + QStringLiteral("/resources/background.png"), "png");
    writeFile(folder + QStringLiteral("/branding.ini"),
              "[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundImage=resources/background.png\n");
    Theme theme;

    // One spy per notify signal, and the order of a few as QML sees them.
    const QMetaObject &meta = Theme::staticMetaObject;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    QStringList order;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.hasNotifySignal())
            spies.push_back(std::make_unique<QSignalSpy>(&theme, property.notifySignal()));
    }
    QCOMPARE(int(spies.size()), 55);
    QVERIFY(!meta.property(meta.indexOfProperty("settingsPageShowLogs")).hasNotifySignal());
    connect(&theme, &Theme::generalBackgroundColorChanged, this, [&] { order << QStringLiteral("background"); });
    connect(&theme, &Theme::darkStyleChanged, this, [&] { order << QStringLiteral("darkStyle"); });
    connect(&theme, &Theme::scrollBarWidthChanged, this, [&] { order << QStringLiteral("scrollBarWidth"); });
    connect(&theme, &Theme::settingsPageHeaderBackgroundColorChanged, this, [&] { order << QStringLiteral("header"); });
    connect(&theme, &Theme::themeDataChanged, this, [&](bool loaded) {
        order << QStringLiteral("themeData %1").arg(loaded);
    });

    QVERIFY(theme.load(fileUrl(folder + QStringLiteral("/branding.ini"))));
    QCOMPARE(order, QStringList({"background", "darkStyle", "header", "scrollBarWidth", "themeData 1"}));
    int spyIndex = 0;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (!property.hasNotifySignal())
            continue;
        const QSignalSpy &spy = *spies[size_t(spyIndex++)];
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first(), property.read(&theme));
    }
    QCOMPARE(theme.generalBackgroundImage(), fileUrl(folder + QStringLiteral("/resources/background.png")));
    QCOMPARE(theme.generalHeaderActiveColor(), QString());
    QCOMPARE(theme.scrollBarWidth(), 4);
}

void TestTheme::loadRefusals()
{
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=#010203\n");
    Theme theme;
    const auto before = theme.allProperties();
    const QString folder = theme.brandingFolder();
    QSignalSpy loaded(&theme, &Theme::themeDataChanged);
    QSignalSpy colour(&theme, &Theme::generalBackgroundColorChanged);

    const QString notIni = m_appDir->path() + QStringLiteral("/not.ini");
    writeFile(notIni, "[Main]\nbrandingEnabled=false\nthis line is no INI\n");
    MessageRecorder recorder;
    QVERIFY(!theme.load(QStringLiteral("/bare/path/branding.ini")));
    QVERIFY(!theme.load(fileUrl(m_appDir->path() + QStringLiteral("/missing.ini"))));
    QVERIFY(!theme.load(fileUrl(m_appDir->path())));
    QVERIFY(!theme.load(fileUrl(notIni)));
    QCOMPARE(recorder.warnings(),
             QStringList({QStringLiteral("Theme: File '' does not exist!"),
                          QStringLiteral("Theme: File '%1/missing.ini' does not exist!").arg(m_appDir->path()),
                          QStringLiteral("Theme: File '%1' does not exist!").arg(m_appDir->path()),
                          QStringLiteral("Theme: Branding file '%1' is ignored: line 3 is neither a group, a "
                                         "key=value pair nor a comment")
                              .arg(notIni)}));
    // Nothing changed, nothing announced.
    QCOMPARE(theme.allProperties(), before);
    QVERIFY(theme.brandingEnabled());
    QCOMPARE(theme.brandingFolder(), folder);
    QVERIFY(loaded.isEmpty() && colour.isEmpty());
}

void TestTheme::saveAndLoadRoundTrip()
{
    Theme original;
    const QString path = m_appDir->path() + QStringLiteral("/saved/theme.ini");
    QVERIFY(original.save(fileUrl(path)));

    MessageRecorder recorder;
    Theme loaded;
    QVERIFY(loaded.load(fileUrl(path)));
    QCOMPARE(loaded.allProperties(), original.allProperties());
    QCOMPARE(loaded.darkStyle(), original.darkStyle());
    // The file holds only text: the flags come back as text, equal to the flags they were.
    QCOMPARE(valueOf(loaded, QStringLiteral("generalComboBoxUsesListViewTheme")), QStringLiteral("false"));
    QVERIFY(!loaded.generalComboBoxUsesListViewTheme());
    QVERIFY(loaded.settingsPageShowLogs());
    // Values equal to the defaults are taken as they are: the default logo lives in the
    // program's resources, which a test program has not.
    QVERIFY(recorder.warnings().isEmpty());

    // Saving over an older theme leaves nothing of it behind, even a file that is not INI.
    writeFile(path, "[Style]\nstale=1\n[Other]\nx=y\ngarbage\n");
    QVERIFY(original.save(fileUrl(path)));
    QSettings saved(path, QSettings::IniFormat);
    QCOMPARE(saved.childGroups(), QStringList({"Main", "Style"}));
    QVERIFY(!saved.contains(QStringLiteral("Style/stale")));

    // A file that cannot be written is no success.
    QVERIFY(!original.save(fileUrl(m_appDir->path() + QStringLiteral("/saved/theme.ini/inside.ini"))));
    QVERIFY(!original.save(QStringLiteral("relative.ini")));
}

void TestTheme::textSurvivesSaveAndLoad_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("comma") << QVariant(QStringLiteral("a,b")) << "a,b";
    QTest::newRow("quotes and escapes") << QVariant(QStringLiteral("x;y=z \"q\" \\ end ")) << "x;y=z \"q\" \\ end ";
    QTest::newRow("leading @") << QVariant(QStringLiteral("@Variant(x)")) << "@Variant(x)";
    QTest::newRow("blanks") << QVariant(QStringLiteral("  spaced  ")) << "  spaced  ";
    QTest::newRow("non-Latin") << QVariant(QStringLiteral("caf\u00e9 \u20ac \U0001F600"))
                               << "caf\u00e9 \u20ac \U0001F600";
    QTest::newRow("control characters") << QVariant(QStringLiteral("a\nb\tc\u0001\u007f")) << "a\nb\tc\u0001\u007f";
    QTest::newRow("comment marks") << QVariant(QStringLiteral("#;[x]")) << "#;[x]";
    QTest::newRow("empty") << QVariant(QString()) << "";
    QTest::newRow("nothing") << QVariant() << "";
    QTest::newRow("flag") << QVariant(true) << "true";
    // A colour picked in the editor arrives as a colour object; the file takes its name.
    QTest::newRow("colour object") << QVariant(QColor(0x12, 0x34, 0x56)) << "#123456";
    QTest::newRow("colour with alpha") << QVariant(QColor(0x12, 0x34, 0x56, 0x80)) << "#80123456";
}

void TestTheme::textSurvivesSaveAndLoad()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);

    // The editor stores any text it is given; the reader must give back what the save wrote
    // (whether the theme then takes it is the theme's rule, not the reader's).
    const QString id = QStringLiteral("connectionPageSettingsButtonIconColor");
    Theme theme;
    theme.themePropertyChanged(ThemeProperty(id, value));
    QCOMPARE(theme.connectionPageSettingsButtonIconColor(), expected);
    const QString path = m_appDir->path() + QStringLiteral("/theme.ini");
    QVERIFY(theme.save(fileUrl(path)));

    const BrandingFile saved = BrandingFile::read(path);
    QVERIFY2(saved.isValid(), qPrintable(saved.error()));
    const BrandingFile::Value read = saved.value(QStringLiteral("Style"), id);
    QCOMPARE(int(read.kind), int(BrandingFile::Value::Text));
    QCOMPARE(read.text, expected);
}

void TestTheme::saveRewritesPickedImages()
{
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n");
    Theme theme;
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("generalLogoFileName"),
                                             QUrl(QStringLiteral("file:///home/me/Pictures/logo.png"))));
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("generalBackgroundImage"), QStringLiteral("bg/own.png")));
    const QString path = m_appDir->path() + QStringLiteral("/out/branding.ini");
    QVERIFY(theme.save(fileUrl(path)));

    QSettings saved(path, QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("Style/generalLogoFileName")).toString(), QStringLiteral("resources/logo.png"));
    QCOMPARE(saved.value(QStringLiteral("Style/generalBackgroundImage")).toString(), QStringLiteral("bg/own.png"));
    QCOMPARE(saved.value(QStringLiteral("Main/version")).toString(), QStringLiteral("1"));
    QCOMPARE(saved.value(QStringLiteral("Main/brandingEnabled")).toString(), QStringLiteral("true"));
    QCOMPARE(saved.value(QStringLiteral("Main/darkStyle")).toString(), QStringLiteral("true"));
    QVERIFY(QDateTime::fromString(saved.value(QStringLiteral("Main/dateTime")).toString(),
                                  QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                .isValid());
    QCOMPARE(saved.allKeys().size(), 4 + 53);
}

void TestTheme::watcherReloadsOnceAfterEdits()
{
    // No branding folder yet: the reseller creates it later.
    Theme theme;
    QSignalSpy reloads(&theme, &Theme::themeDataChanged);
    const QByteArray head("[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=");

    writeFile(brandingPath(), head + "#000001\n");
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#000001"));
    QCOMPARE(reloads.count(), 1);

    // An editor that writes a copy and renames it over the file, three saves in a row.
    for (const char *colour : {"#000002", "#000003", "#000004"}) {
        const QString copy = brandingPath() + QStringLiteral(".tmp");
        writeFile(copy, head + colour + "\n");
        QVERIFY(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(brandingPath()).constData()) == 0);
    }
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#000004"));
    QCOMPARE(reloads.count(), 2);

    // The replaced file is watched again; a file beside it that is not the branding file
    // changes nothing.
    writeFile(m_appDir->path() + QStringLiteral("/branding/notes.txt"), "x");
    writeFile(brandingPath(), head + "#000005\n");
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#000005"));
    QCOMPARE(reloads.count(), 3);

    // Removed: the defaults of the style the file left.
    QVERIFY(QFile::remove(brandingPath()));
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#102847"));
    QCOMPARE(reloads.count(), 4);
}

void TestTheme::saveIntoWatchedFileIsNoChange_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::newRow("over the file") << true;
    QTest::newRow("folder made by the save") << false;
}

void TestTheme::saveIntoWatchedFileIsNoChange()
{
    QFETCH(bool, fileThere);

    // The editor saves its theme as the program's own branding file, with a logo picked from
    // elsewhere: the file names it "resources/logo.png", which is not there yet.
    if (fileThere)
        writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n");
    const QString picked = m_appDir->path() + QStringLiteral("/pictures/mine.png");
    writePng(picked, QSize(400, 50));
    Theme theme;
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("generalLogoFileName"), fileUrl(picked)));
    theme.themePropertyChanged(ThemeProperty(QStringLiteral("generalBackgroundColor"), QStringLiteral("#123456")));
    QSignalSpy reloads(&theme, &Theme::themeDataChanged);

    MessageRecorder recorder;
    QVERIFY(theme.save(fileUrl(brandingPath())));
    // The watcher has looked at the file once it says what it found.
    QTRY_VERIFY(recorder.texts(QtDebugMsg).contains(QStringLiteral("Theme: Branding file unchanged"))
                || recorder.texts(QtInfoMsg).contains(QStringLiteral("Theme: Branding file has changed")));
    QVERIFY(reloads.isEmpty());
    QCOMPARE(theme.generalLogoFileName(), fileUrl(picked));
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#123456"));

    // Someone else's edit of that file still counts.
    writeFile(brandingPath(), "[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=#654321\n");
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#654321"));
}

void TestTheme::folderReplacedOrRepointed_data()
{
    QTest::addColumn<bool>("link");
    QTest::newRow("folder renamed over") << false;
    QTest::newRow("link pointed elsewhere") << true;
}

void TestTheme::folderReplacedOrRepointed()
{
    QFETCH(bool, link);

    const QByteArray head("[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=");
    const QString folder = m_appDir->path() + QStringLiteral("/branding");
    const QString first = m_appDir->path() + QStringLiteral("/first");
    const QString second = m_appDir->path() + QStringLiteral("/second");
    writeFile(first + QStringLiteral("/branding.ini"), head + "#000001\n");
    // The folder swapped in has no file yet: only a watch on that folder itself sees it come.
    QVERIFY(QDir().mkpath(second));
    if (link)
        QVERIFY(QFile::link(first, folder));
    else
        QVERIFY(QDir().rename(first, folder));
    Theme theme;
    QCOMPARE(theme.generalBackgroundColor(), QStringLiteral("#000001"));

    // As a reseller swaps a prepared folder in: one rename, the old one kept aside.
    const QString aside = m_appDir->path() + QStringLiteral("/aside");
    if (link) {
        QVERIFY(QFile::link(second, aside));
        QVERIFY(std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(folder).constData()) == 0);
    } else {
        QVERIFY(QDir().rename(folder, aside));
        QVERIFY(QDir().rename(second, folder));
    }
    // No file: the defaults of the style the last file chose.
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#102847"));

    // The folder now in place is the one watched.
    writeFile(brandingPath(), head + "#000003\n");
    QTRY_COMPARE(theme.generalBackgroundColor(), QStringLiteral("#000003"));
}

void TestTheme::editWhileReadingIsNotLost_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::newRow("while the theme starts") << true;
    QTest::newRow("while it reloads") << false;
}

void TestTheme::editWhileReadingIsNotLost()
{
    QFETCH(bool, atStart);

    // The edit lands after the file was read, while the theme is still busy with it (the line
    // it logs while it reads stands for that moment).
    const QByteArray head("[Main]\nbrandingEnabled=true\n[Style]\ngeneralBackgroundColor=");
    writeFile(brandingPath(), head + "#000001\n");
    std::unique_ptr<Theme> theme;
    if (!atStart) {
        theme = std::make_unique<Theme>();
        QCOMPARE(theme->generalBackgroundColor(), QStringLiteral("#000001"));
    }
    {
        const OnLogLine edit(QStringLiteral("Version '"), [&] { writeFile(brandingPath(), head + "#000003\n"); });
        if (atStart)
            theme = std::make_unique<Theme>();
        else
            writeFile(brandingPath(), head + "#000002\n");
        QTRY_VERIFY(theme->generalBackgroundColor() != QLatin1String("#000001"));
    }
    QTRY_COMPARE(theme->generalBackgroundColor(), QStringLiteral("#000003"));
}

void TestTheme::exampleBranding()
{
    const QString folder = QStringLiteral(VELMORIX_BRANDING_EXAMPLE_DIR);
    Theme theme;
    MessageRecorder recorder;
    QVERIFY(theme.load(fileUrl(folder + QStringLiteral("/branding.ini"))));
    QVERIFY(recorder.warnings().isEmpty());
    QVERIFY(theme.darkStyle());
    QCOMPARE(theme.generalButtonBackgroundColor(), QStringLiteral("#f2a541"));

    // The images it names exist in the sizes the editor announces.
    const QList<std::pair<QString, QSize>> images = {{theme.generalLogoFileName(), QSize(400, 50)},
                                                     {theme.generalBackgroundImage(), QSize(400, 650)}};
    for (const auto &[url, size] : images) {
        QVERIFY2(url.startsWith(fileUrl(folder + QStringLiteral("/resources/"))), qPrintable(url));
        QCOMPARE(QImage(QUrl(url).toLocalFile()).size(), size);
    }
}

void TestTheme::themeListModel()
{
    Theme theme;
    ThemeListModel model;
    tester(&model);
    QVERIFY(!model.isEmpty());
    QCOMPARE(model.objectName(), QStringLiteral("ThemeListModel"));
    QSignalSpy isEmpty(&model, &ThemeListModel::isEmptyChanged);
    model.setItems(theme.allProperties());
    QCOMPARE(isEmpty.count(), 1);
    QCOMPARE(isEmpty.first().first(), QVariant(true));
    QVERIFY(model.isEmpty());
    QCOMPARE(model.rowCount(), 53);

    QStringList events;
    connect(&model, &QAbstractItemModel::dataChanged, this, [&](const QModelIndex &from, const QModelIndex &to) {
        QCOMPARE(from, to);
        events << QString::number(from.row());
    });
    connect(&model, &ThemeListModel::currentSectionNameChanged, this, [&](const QString &name) { events << name; });
    model.setCurrentSectionName(QStringLiteral("Label"));
    QCOMPARE(events.size(), 54);
    QCOMPARE(events.first(), QStringLiteral("0"));
    QCOMPARE(events.last(), QStringLiteral("Label"));
    QCOMPARE(visibleIds(model),
             QStringList({"generalBrightLabelColor",
                          "generalDefaultLabelColor",
                          "generalGreyLabelColor",
                          "generalGreyLabelOpacity",
                          "generalLabelOpacity",
                          "generalSmallGreyLabelOpacity",
                          "settingsPageDefaultLabelColor1",
                          "settingsPageDefaultLabelColor2"}));

    // Setting the same name again announces every row again.
    events.clear();
    model.setCurrentSectionName(QStringLiteral("Label"));
    QCOMPARE(events.size(), 54);
    model.setCurrentSectionName(QStringLiteral("label"));
    QVERIFY(visibleIds(model).isEmpty());

    // The row in no section is never visible; generalHeaderActiveColor has no row.
    const int iconRow = rowOf(model, QStringLiteral("connectionPageSettingsButtonIconColor"));
    QVERIFY(iconRow >= 0);
    QCOMPARE(rowOf(model, QStringLiteral("generalHeaderActiveColor")), -1);
    int visibleRows = 0;
    for (int section = 0; section < themeSectionCount; ++section) {
        model.setCurrentSectionName(themeSectionName(static_cast<ThemeSection>(section)));
        QVERIFY(!model.index(iconRow).data(ThemeListModel::VisibleRole).toBool());
        visibleRows += visibleIds(model).size();
    }
    QCOMPARE(visibleRows, 52);

    const QModelIndex logo = model.index(rowOf(model, QStringLiteral("generalLogoFileName")));
    QCOMPARE(logo.data(ThemeListModel::ThemePropertyDataRole),
             QVariant(QStringLiteral("qrc:/resources/icons/vpn.png")));
    QCOMPARE(logo.data(ThemeListModel::ThemePropertyDataTypeStringRole), QVariant(QStringLiteral("Image")));
    QCOMPARE(logo.data(ThemeListModel::ThemePropertyToolTipRole), QVariant(QStringLiteral("Logo image (400x50)")));
    const QModelIndex logs = model.index(rowOf(model, QStringLiteral("settingsPageShowLogs")));
    QCOMPARE(logs.data(ThemeListModel::ThemePropertyDataRole), QVariant(QStringLiteral("true")));
    QVERIFY(!logo.data(Qt::DisplayRole).isValid());
    QVERIFY(!logo.data(ThemeListModel::VisibleRole + 1).isValid());

    const QHash<int, QByteArray> roles = model.roleNames();
    QCOMPARE(roles.size(), 6);
    QCOMPARE(roles.value(256), QByteArray("Id"));
    QCOMPARE(roles.value(257), QByteArray("ThemePropertyId"));
    QCOMPARE(roles.value(258), QByteArray("ThemePropertyData"));
    QCOMPARE(roles.value(259), QByteArray("ThemePropertyDataTypeString"));
    QCOMPARE(roles.value(260), QByteArray("ThemePropertyToolTip"));
    QCOMPARE(roles.value(261), QByteArray("Visible"));
}

void TestTheme::editorEditsReachTheTheme()
{
    Theme theme;
    ThemeListModel model;
    tester(&model);
    model.setItems(theme.allProperties());
    connect(&model, &ThemeListModel::themePropertyChanged, &theme, &Theme::themePropertyChanged);

    QStringList events;
    connect(&model, &QAbstractItemModel::dataChanged, this, [&](const QModelIndex &from) {
        events << QStringLiteral("row %1").arg(from.row());
    });
    QSignalSpy edits(&model, &ThemeListModel::themePropertyChanged);
    connect(&model, &ThemeListModel::themePropertyChanged, this, [&] { events << QStringLiteral("edit"); });
    QSignalSpy colour(&theme, &Theme::generalTabFontColorChanged);

    // The stored value, an unknown id: nothing at all.
    model.updateCurrentThemeProperty(QStringLiteral("generalTabFontColor"), QStringLiteral("black"));
    model.updateCurrentThemeProperty(QStringLiteral("settingsPageShowLogs"), QStringLiteral("true"));
    model.updateCurrentThemeProperty(QStringLiteral("generalHeaderActiveColor"), QStringLiteral("red"));
    model.updateCurrentThemeProperty(QStringLiteral("generaltabfontcolor"), QStringLiteral("red"));
    QVERIFY(events.isEmpty() && colour.isEmpty());

    const int row = rowOf(model, QStringLiteral("generalTabFontColor"));
    model.updateCurrentThemeProperty(QStringLiteral("generalTabFontColor"), QColor(Qt::red));
    QCOMPARE(events, QStringList({QStringLiteral("row %1").arg(row), QStringLiteral("edit")}));
    const ThemeProperty sent = edits.first().first().value<ThemeProperty>();
    QCOMPARE(sent, ThemeProperty(QStringLiteral("generalTabFontColor"), QColor(Qt::red)));
    QCOMPARE(sent.toolTip(), QStringLiteral("generalTabFontColor"));
    QVERIFY(sent.sections().none());

    QCOMPARE(model.index(row).data(ThemeListModel::ThemePropertyDataRole), QVariant(QStringLiteral("#ff0000")));
    QCOMPARE(theme.generalTabFontColor(), QStringLiteral("#ff0000"));
    QCOMPARE(colour.count(), 1);
    QCOMPARE(colour.first().first(), QVariant(QStringLiteral("#ff0000")));
}

void TestTheme::itemsModelsSetAndUpdate()
{
    Theme theme;
    ThemeListModel properties;
    ThemeSectionListModel sections;
    const QList<std::pair<ThemeItemsModel *, QVector<ThemeProperty>>> cases = {
        {&properties, theme.allProperties()},
        {&sections, theme.sectionItems()},
    };
    for (const auto &[model, items] : cases) {
        tester(model);
        QSignalSpy isEmpty(model, SIGNAL(isEmptyChanged(bool)));
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);

        model->setItems({});
        model->setItems(items);
        model->setItems(items);
        QCOMPARE(isEmpty.count(), 3);
        QCOMPARE(isEmpty.at(0).first(), QVariant(false));
        QCOMPARE(isEmpty.at(2).first(), QVariant(true));
        QCOMPARE(model->property("isEmpty"), QVariant(true));

        // The same items, or a copy equal in all fields: nothing to announce.
        QVector<ThemeProperty> copy = items;
        copy.detach();
        model->updateItems(items);
        model->updateItems(copy);
        QVERIFY(changed.isEmpty());

        copy[1].setPropertyData(QStringLiteral("changed"));
        model->updateItems(copy);
        QCOMPARE(changed.count(), items.size());
        QCOMPARE(model->index(1).data(257 + 1), QVariant(QStringLiteral("changed")));

        MessageRecorder recorder;
        changed.clear();
        model->updateItems(copy.mid(1));
        QCOMPARE(recorder.texts(QtCriticalMsg),
                 QStringList{model->objectName() + QStringLiteral(": Cannot set theme properties, internal error")});
        QCOMPARE(model->rowCount(), items.size());
        QVERIFY(changed.isEmpty() && reset.isEmpty());

        model->setItems({});
        QCOMPARE(isEmpty.last().first(), QVariant(false));
        QCOMPARE(model->property("isEmpty"), QVariant(false));
    }
}

void TestTheme::sectionAndSimpleModels()
{
    Theme theme;
    ThemeSectionListModel sections;
    tester(&sections);
    QCOMPARE(sections.objectName(), QStringLiteral("ThemeSectionListModel"));
    sections.setItems(theme.sectionItems());
    QStringList names;
    for (int row = 0; row < sections.rowCount(); ++row) {
        const QModelIndex index = sections.index(row);
        QCOMPARE(index.data(ThemeSectionListModel::IdRole), index.data(ThemeSectionListModel::ThemeSectionDataRole));
        names << index.data(ThemeSectionListModel::ThemeSectionIdRole).toString();
    }
    QCOMPARE(names,
             QStringList({"App property",
                          "Button",
                          "General",
                          "Image",
                          "Label",
                          "ListView",
                          "RadioButton",
                          "SettingsButton",
                          "Switch",
                          "TabButton",
                          "VpnConnectionButton"}));
    const ThemeProperty item = theme.sectionItems().first();
    QCOMPARE(item, ThemeProperty(QStringLiteral("App property"), QStringLiteral("App property")));
    QCOMPARE(sections.roleNames(),
             (QHash<int, QByteArray>{{256, "Id"}, {257, "ThemeSectionId"}, {258, "ThemeSectionData"}}));

    SimpleListModel simple;
    tester(&simple);
    QCOMPARE(simple.objectName(), QStringLiteral("SimpleListModel"));
    QVERIFY(simple.isEmpty());
    QCOMPARE(simple.property("isEmpty"), QVariant(true));
    QCOMPARE(simple.rowCount(), 3);
    QCOMPARE(simple.index(2).data(SimpleListModel::IdRole), QVariant(2));
    QCOMPARE(simple.index(2).data(SimpleListModel::ItemIdRole), QVariant(2));
    QCOMPARE(simple.index(2).data(SimpleListModel::ItemDataRole), QVariant(QStringLiteral("Item 3")));
    QCOMPARE(simple.roleNames(), (QHash<int, QByteArray>{{256, "Id"}, {257, "ItemId"}, {258, "ItemData"}}));

    // Each model's own signals, in the order QML and the application rely on.
    const auto signalNames = [](const QMetaObject &meta) {
        QStringList result;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                result << QString::fromLatin1(meta.method(i).name());
        }
        return result;
    };
    QCOMPARE(signalNames(ThemeListModel::staticMetaObject),
             QStringList({"currentSectionNameChanged", "isEmptyChanged", "themePropertyChanged"}));
    QCOMPARE(signalNames(ThemeSectionListModel::staticMetaObject), QStringList{"isEmptyChanged"});
    QCOMPARE(signalNames(SimpleListModel::staticMetaObject), QStringList{"isEmptyChanged"});
}

QTEST_GUILESS_MAIN(TestTheme)
#include "tst_theme.moc"
