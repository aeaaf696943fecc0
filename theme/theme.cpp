#include "theme.h"

#include "brandingfile.h"
#include "logger.h"
#include "platform/files.h"
#include "utils.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString mainGroup = QStringLiteral("Main");
const QString styleGroup = QStringLiteral("Style");
const QString logoId = QStringLiteral("generalLogoFileName");
const QString backgroundId = QStringLiteral("generalBackgroundImage");
const QString darkStyleId = QStringLiteral("appPropertyDarkStyle");
const QString autoColor = QStringLiteral("auto");
const QString qrcScheme = QStringLiteral("qrc:");
const QString fileScheme = QStringLiteral("file:///");

// Quick enough for the editor's preview and the watcher, slow enough for an editor's steps.
constexpr int reloadDelayMs = 200;

// The window is 400 by 650 pixels; an image far larger only costs memory to scale down, and a
// small file can claim a size whose pixels would not fit into memory at all.
constexpr int maximumImageSide = 4096;
// The scene reads an image whole, on its own thread but into memory; a logo or a background of
// that window is well below a megabyte, and the pixel limit says nothing of a file whose header
// is followed by anything at all.
constexpr qint64 maximumImageBytes = 8 * 1024 * 1024;

// A file full of names the table does not know would otherwise fill the log at every reload.
constexpr int maximumUnknownKeyWarnings = 10;

struct DefaultRow
{
    const char *id;
    int section; // -1: in the table but in no editor section
    ThemeDataType type;
    const char *label;
    const char *light;
    const char *dark; // nullptr: the light value in both styles
    bool storedAsBool;
};

constexpr int none = -1;
constexpr int general = int(ThemeSection::General);
constexpr int button = int(ThemeSection::Button);
constexpr int label = int(ThemeSection::Label);
constexpr int listView = int(ThemeSection::ListView);
constexpr int radioButton = int(ThemeSection::RadioButton);
constexpr int switchSection = int(ThemeSection::Switch);
constexpr int tabButton = int(ThemeSection::TabButton);
constexpr int settingsButton = int(ThemeSection::SettingsButton);
constexpr int vpnButton = int(ThemeSection::VpnConnectionButton);
constexpr int image = int(ThemeSection::Image);
constexpr int appProperty = int(ThemeSection::AppProperty);

constexpr ThemeDataType color = ThemeDataType::Color;

// Some rows are odd and stay so, since saved themes and the scene rely on them:
// generalComboBoxUsesListViewTheme is typed Color but holds a flag, and
// connectionPageSettingsButtonIconColor ("auto") is in no section.
const DefaultRow defaultRows[] = {
    {"settingsPageShowLogs", appProperty, ThemeDataType::Bool, "Show logs", "true", nullptr, true},
    {"appPropertyDarkStyle", appProperty, ThemeDataType::Bool, "Use dark style", "true", nullptr, true},
    {"generalBackgroundImage", image, ThemeDataType::Image, "Background image (400x650)", "", nullptr, false},
    {"generalLogoFileName",
     image,
     ThemeDataType::Image,
     "Logo image (400x50)",
     "qrc:/resources/icons/vpn.png",
     nullptr,
     false},
    {"generalBackgroundColor", general, color, "Background color", "#f6f7f9", "#102847", false},
    {"generalHeaderBackgroundColor", general, color, "Header background color", "white", "#081c37", false},
    {"generalTextFieldBorderColor", general, color, "Textfield border color", "#e7e9f2", "#3f5673", false},
    {"generalSectionColor", general, color, "Section color", "#ffffff", "#133054", false},
    {"settingsPageHeaderBackgroundColor",
     general,
     color,
     "Settings page, header background color",
     "white",
     nullptr,
     false},
    {"generalListViewItemActiveColor", listView, color, "Active color", "white", "#183254", false},
    {"generalListViewItemBackgroundColor", listView, color, "Item background color", "#f7f8fa", "#102847", false},
    {"generalListViewSeparatorColor", listView, color, "Separator color", "#e8eaf2", "#1f4571", false},
    {"generalDefaultLabelColor", label, color, "Label 1", "black", "white", false},
    {"generalBrightLabelColor", label, color, "Label 2", "black", "white", false},
    {"settingsPageDefaultLabelColor1", label, color, "Label 3", "#555252", "white", false},
    {"generalGreyLabelColor", label, color, "Label 4", "#b2b2b2", "white", false},
    {"settingsPageDefaultLabelColor2", label, color, "Label 5", "#9a9a9a", "black", false},
    {"generalLabelOpacity", label, ThemeDataType::Float, "Label 3, opacity", "1.0", "0.5", false},
    {"generalGreyLabelOpacity", label, ThemeDataType::Float, "Label 4, opacity", "1.0", "0.4", false},
    {"generalSmallGreyLabelOpacity", label, ThemeDataType::Float, "Label 5, opacity", "1.0", "0.2", false},
    {"generalButtonBackgroundColor", button, color, "Background color", "#35cb73", "#f7f8fa", false},
    {"generalButtonBackgroundColorPressed",
     button,
     color,
     "Background color when item pressed",
     "#000000",
     "#35cb73",
     false},
    {"generalButtonTextColor", button, color, "Text color", "white", "black", false},
    {"generalButtonTextColorPressed", button, color, "Text color when item pressed", "white", nullptr, false},
    {"generalComboBoxUsesListViewTheme", button, color, "Text color", "false", nullptr, true},
    {"generalTabBackgroundColor", tabButton, color, "Background color", "white", "#081c37", false},
    {"generalTabFontColor", tabButton, color, "Font color", "black", "white", false},
    {"generalTabNonSelectedColor", tabButton, color, "Non selected item color", "#e7e9f2", "#1c3659", false},
    {"generalTabSelectedColor", tabButton, color, "Selected item color", "#35cb73", nullptr, false},
    {"connectionPageSettingsButtonIconColor", none, color, "", "auto", nullptr, false},
    {"connectionPageSettingsButtonBackgroundColor",
     settingsButton,
     color,
     "Background color",
     "white",
     "#f7f8fa",
     false},
    {"connectionPageSettingsButtonBackgroundColorPressed",
     settingsButton,
     color,
     "Background color when item pressed",
     "white",
     "#35cb73",
     false},
    {"connectionPageSettingsButtonTextColor", settingsButton, color, "Text color", "black", nullptr, false},
    {"connectionPageSettingsButtonTextColorPressed",
     settingsButton,
     color,
     "Text color when item pressed",
     "black",
     "white",
     false},
    {"generalSwitchBackgroundColor", switchSection, color, "Background color", "#e7e9f2", "#102847", false},
    {"generalSwitchBackgroundColorChecked",
     switchSection,
     color,
     "Background color in checked state",
     "#b4f8d0",
     "#7aefaa",
     false},
    {"generalSwitchIndicatorColor", switchSection, color, "Indicator color", "#9e9ea2", "#2b568a", false},
    {"generalSwitchIndicatorColorChecked",
     switchSection,
     color,
     "Indicator color int checked state",
     "#35cb73",
     nullptr,
     false},
    {"generalRadioButtonBackgroundColor", radioButton, color, "Background color", "transparent", nullptr, false},
    {"generalRadioButtonBorderColor", radioButton, color, "Border color", "#efefef", nullptr, false},
    {"generalRadioButtonSelectedColor", radioButton, color, "Color when item selected", "#35cb73", nullptr, false},
    {"connectionPageCirclesColor", vpnButton, color, "Disconnected state, circles color", "#dedfe1", "#193151", false},
    {"connectionPageVpnDisconnectedButtonGradientColor1",
     vpnButton,
     color,
     "Disconnected state, gradient color 1",
     "#d0d2d5",
     "#1c3658",
     false},
    {"connectionPageVpnDisconnectedButtonGradientColor2",
     vpnButton,
     color,
     "Disconnected state, gradient color 2",
     "#eff0f1",
     "#245698",
     false},
    {"connectionPageVpnDisconnectedButtonGradientColor3",
     vpnButton,
     color,
     "Disconnected state, gradient color 3",
     "#d0d2d5",
     "#1d4170",
     false},
    {"connectionPageVpnSwitchBackgroundColor",
     vpnButton,
     color,
     "Disconnected state, switch item, background color",
     "white",
     nullptr,
     false},
    {"connectionPageVpnSwitchLabelColor",
     vpnButton,
     color,
     "Disconnected state, switch item, label color",
     "#dcdcdc",
     nullptr,
     false},
    {"connectionPageVpnConnectedButtonGradientColor1",
     vpnButton,
     color,
     "Connected state, gradient color 1",
     "#64a9ff",
     nullptr,
     false},
    {"connectionPageVpnConnectedButtonGradientColor2",
     vpnButton,
     color,
     "Connected state, gradient color 2",
     "#00ff64",
     nullptr,
     false},
    {"connectionPageVpnConnectedButtonGradientColor3",
     vpnButton,
     color,
     "Connected state, gradient color 3",
     "#5ebee1",
     nullptr,
     false},
    {"connectionPageVpnDurationLabelColor",
     vpnButton,
     color,
     "Connected state, duration, label color",
     "black",
     nullptr,
     false},
    {"connectionPageVpnDurationBackgroundColor",
     vpnButton,
     color,
     "Connected state, duration, background color",
     "#f1f0f0",
     nullptr,
     false},
    {"connectionPageVpnTimerLabelColor",
     vpnButton,
     color,
     "Connected state, timer, label color",
     "#2bbd64",
     nullptr,
     false},
};

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// The value as the property and a saved file give it: flags as "true" and "false", a colour
// object of the editor as its name.
QString valueText(const QVariant &value)
{
    if (value.userType() == QMetaType::Bool)
        return boolText(value.toBool());
    if (value.userType() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        return c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
    }
    return value.toString();
}

bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

bool samePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Texts from QML or a file URL reach a log line as one line.
QString forLog(const QString &text)
{
    QString result = text.left(256);
    for (QChar &c : result) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char('?');
    }
    return result;
}

} // namespace

Theme::Theme(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Theme"));
    ThemeProperty::registerMetaType();

    m_reloadDelay.setSingleShot(true);
    m_reloadDelay.setInterval(reloadDelayMs);
    connect(&m_reloadDelay, &QTimer::timeout, this, &Theme::brandingFileMayHaveChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_reloadDelay, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &Theme::onWatchedFolderChanged);

    // A branding file refused as a whole leaves the table as it was: here, the defaults.
    buildDefaults();
    const std::optional<QByteArray> bytes = watchAndReadStandardFile(false, false);
    readBrandingFile(m_watchedFile, bytes);
}

QString Theme::iconSource(const QString &iconName, bool useStyle) const
{
    if (!useStyle)
        return QStringLiteral("qrc:/resources/icons/%1.png").arg(iconName);
    return QStringLiteral("qrc:/resources/icons/%1_%2.png")
        .arg(iconName, m_darkStyle ? QStringLiteral("white") : QStringLiteral("black"));
}

QString Theme::updateResourceProperty(const QString &propertyName) const
{
    return resolvedResource(propertyName, brandingFolder());
}

QString Theme::resolvedResource(const QString &path, const QString &folder) const
{
    if (path.isEmpty() || path.startsWith(qrcScheme) || path.startsWith(fileScheme))
        return path;
    const QString absolute = QDir::isRelativePath(path) ? folder + QLatin1Char('/') + path : path;
    // QML takes a URL, not a path: a bare absolute path would be read relative to the scene's
    // own qrc: URL, and a '#' or '%' in a folder name must be encoded to reach the file.
    return QUrl::fromLocalFile(QDir::cleanPath(QFileInfo(absolute).absoluteFilePath())).toString();
}

QString Theme::colorOpacity(const QString &sourceColor, float opacity) const
{
    QColor result(sourceColor);
    // Nothing rather than a guess: an opaque black would hide what lies beneath.
    if (!result.isValid()) {
        Log::warning(this, QStringLiteral("'%1' is not a color").arg(forLog(sourceColor)));
        return QColor(Qt::transparent).name(QColor::HexArgb);
    }
    // An infinity is bounded like any other value; only what is no number at all means opaque.
    result.setAlphaF(std::isnan(opacity) ? 1.0 : qBound(0.0, double(opacity), 1.0));
    return result.name(QColor::HexArgb);
}

bool Theme::load(const QString &url)
{
    const QString path = Utils::localFileFromUrl(url);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        Log::warning(this, QStringLiteral("File '%1' does not exist!").arg(forLog(path)));
        return false;
    }
    // Taking the file moves the branding folder to the file's folder, so that folder is
    // watched before the file is read, beside the one watched now (a refused file leaves the
    // folder where it is); the watcher's baseline is then read after its watch is up.
    const QString candidate = QFileInfo(path).absolutePath() + QStringLiteral("/branding.ini");
    watchBrandingFiles({m_watchedFile, candidate}, false, false);
    const std::optional<QByteArray> bytes = BrandingFile::content(path);
    const bool candidateIsPath = samePath(candidate, path);
    const std::optional<QByteArray> candidateBytes = candidateIsPath ? bytes : BrandingFile::content(candidate);
    const bool loaded = readBrandingFile(path, bytes);

    const QString standard = standardBrandingFile();
    if (standard == candidate && (candidateIsPath || standard != m_watchedFile)) {
        m_watchedFile = standard;
        m_watchedContent = candidateBytes;
    }
    watchBrandingFiles({m_watchedFile}, false, false);
    if (loaded)
        notify(true);
    return loaded;
}

bool Theme::save(const QString &url)
{
    const QString path = Utils::localFileFromUrl(url);
    if (path.isEmpty()) {
        Log::warning(this, QStringLiteral("Cannot save the theme to '%1': not a local file").arg(forLog(url)));
        return false;
    }

    // QSettings writes the INI form, but into a file of its own: over an existing file it would
    // keep the keys of an older theme, and over one it cannot parse it would write nothing. The
    // result then replaces the target at once, so a watcher never reads half a theme.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        Log::warning(this, QStringLiteral("Cannot write file '%1': no temporary folder").arg(forLog(path)));
        return false;
    }
    const QString scratchPath = scratch.filePath(QStringLiteral("theme.ini"));
    {
        QSettings file(scratchPath, QSettings::IniFormat);
        file.beginGroup(mainGroup);
        file.setValue(QStringLiteral("dateTime"),
                      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        file.setValue(QStringLiteral("version"), 1);
        file.setValue(QStringLiteral("brandingEnabled"), true);
        file.setValue(QStringLiteral("darkStyle"), m_darkStyle);
        file.endGroup();

        file.beginGroup(styleGroup);
        for (auto it = m_properties.cbegin(); it != m_properties.cend(); ++it) {
            QString value = valueText(it->propertyData());
            // A picked image is a file elsewhere on this machine; the saved theme expects its
            // copy beside it, as a reseller ships it.
            if (it.key() == logoId && value.startsWith(fileScheme))
                value = QStringLiteral("resources/logo.png");
            else if (it.key() == backgroundId && value.startsWith(fileScheme))
                value = QStringLiteral("resources/background.png");
            file.setValue(it.key(), value);
        }
        file.endGroup();
        file.sync();
        if (file.status() != QSettings::NoError) {
            Log::warning(this, QStringLiteral("Cannot write file '%1'").arg(forLog(path)));
            return false;
        }
    }

    QFile written(scratchPath);
    const QByteArray bytes = written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
    QSaveFile target(path);
    const bool saved = written.isOpen() && bytes.size() == written.size()
        && QDir().mkpath(QFileInfo(path).absolutePath()) && target.open(QIODevice::WriteOnly)
        && target.write(bytes) == bytes.size() && target.commit();
    if (!saved) {
        Log::warning(this, QStringLiteral("Cannot write file '%1'").arg(forLog(path)));
        return false;
    }
    // Saved over the watched branding file: the window shows this theme already, with the
    // picked images where they are (the file names them under "resources/", where they may not
    // be yet). Our own write is no change to reload.
    const QString watched = QFileInfo(m_watchedFile).canonicalFilePath();
    if (!watched.isEmpty() && watched == QFileInfo(path).canonicalFilePath())
        m_watchedContent = bytes;
    return true;
}

QVector<ThemeProperty> Theme::allProperties() const
{
    QVector<ThemeProperty> properties;
    properties.reserve(m_properties.size());
    for (const ThemeProperty &property : m_properties)
        properties.append(property);
    return properties;
}

QVector<ThemeProperty> Theme::sectionItems() const
{
    QStringList names;
    for (const ThemeProperty &property : m_properties)
        names << property.sectionNames();
    names.removeDuplicates();
    std::sort(names.begin(), names.end());

    QVector<ThemeProperty> items;
    items.reserve(names.size());
    for (const QString &name : qAsConst(names))
        items.append(ThemeProperty(name, name, -1, name, ThemeDataType::Color));
    return items;
}

QString Theme::brandingFolder() const
{
    if (!m_brandingFile.isEmpty())
        return QFileInfo(m_brandingFile).absolutePath();
    return Utils::applicationDirectory() + QStringLiteral("/branding");
}

QString Theme::standardBrandingFile() const
{
    return brandingFolder() + QStringLiteral("/branding.ini");
}

void Theme::themePropertyChanged(const ThemeProperty &themeProperty)
{
    const auto it = m_properties.find(themeProperty.propertyId());
    if (it == m_properties.end()) {
        Log::warning(this, QStringLiteral("No theme property '%1'").arg(forLog(themeProperty.propertyId())));
        return;
    }
    // The editor sends the id and the value only; the label, sections and type of the row
    // stay, so the editor's lists still show the property where it was.
    it->setPropertyData(themeProperty.propertyData());
    if (it.key() == darkStyleId)
        m_darkStyle = themeProperty.propertyData().toBool();
    notify(false);
}

void Theme::onBrandingFileChanged(const QString &fileName)
{
    Q_UNUSED(fileName)
    Log::info(this, QStringLiteral("Branding file has changed"));
    const std::optional<QByteArray> bytes = watchAndReadStandardFile(true, true);
    if (readBrandingFile(m_watchedFile, bytes))
        notify(true);
}

QString Theme::text(const QString &id) const
{
    const auto it = m_properties.constFind(id);
    return it == m_properties.cend() ? QString() : valueText(it->propertyData());
}

bool Theme::flag(const QString &id) const
{
    const auto it = m_properties.constFind(id);
    return it != m_properties.cend() && it->propertyData().toBool();
}

void Theme::buildDefaults()
{
    for (const DefaultRow &row : defaultRows) {
        const char *value = m_darkStyle && row.dark ? row.dark : row.light;
        const QVariant data =
            row.storedAsBool ? QVariant(qstrcmp(value, "true") == 0) : QVariant(QString::fromLatin1(value));
        const QString id = QString::fromLatin1(row.id);
        m_properties.insert(id, ThemeProperty(id, data, row.section, QString::fromLatin1(row.label), row.type));
    }
}

QString Theme::imageProblem(const QString &path, const QString &folder) const
{
    const QString missing = QStringLiteral("names no image file that exists");
    const QString remote = QStringLiteral("names a file on another machine");
    if (hasControlCharacter(path))
        return missing;
    // Before anything looks at the path: on Windows even a look reaches out to that host, and
    // hands it the user's credentials. Refused on every system, since one branding file serves
    // them all and a reseller's image belongs beside the file, not on some share.
    if (Platform::hasUncForm(path))
        return remote;
    const QString resolved = resolvedResource(path, folder);
    const QUrl url(resolved);
    if (resolved.startsWith(qrcScheme))
        return QFile::exists(QLatin1Char(':') + url.path()) ? QString() : missing;
    if (!url.isLocalFile())
        return missing;
    const QString local = url.toLocalFile();
    if (Platform::hasUncForm(local))
        return remote;
    QFile file;
    if (!Platform::openRegularFile(file, local))
        return missing;
    if (file.size() > maximumImageBytes)
        return QStringLiteral("is a file of %1 bytes, more than %2").arg(file.size()).arg(maximumImageBytes);
    // The header tells the size; a file the reader cannot tell is left to the scene.
    const QSize size = QImageReader(&file).size();
    if (size.isValid() && (size.width() > maximumImageSide || size.height() > maximumImageSide))
        return QStringLiteral("is an image of %1x%2 pixels, more than %3 on a side")
            .arg(size.width())
            .arg(size.height())
            .arg(maximumImageSide);
    return QString();
}

bool Theme::readBrandingFile(const QString &path, const std::optional<QByteArray> &bytes)
{
    if (!bytes && !QFileInfo::exists(path)) {
        buildDefaults();
        return true;
    }
    if (!bytes) {
        Log::warning(this, QStringLiteral("Branding file '%1' is ignored: cannot be read").arg(forLog(path)));
        return false;
    }
    const BrandingFile file = BrandingFile::parse(*bytes);
    if (!file.isValid()) {
        Log::warning(this, QStringLiteral("Branding file '%1' is ignored: %2").arg(forLog(path), file.error()));
        return false;
    }

    // A misspelt key is otherwise silently without effect; the reseller learns which one.
    const auto warnUnknownKeys = [&](const QString &group, const QStringList &known, const QString &what) {
        QSet<QString> names;
        for (const QString &name : known)
            names.insert(name.toCaseFolded());
        QStringList unknown;
        for (const QString &key : file.keys(group)) {
            if (!names.contains(key.toCaseFolded()))
                unknown << key;
        }
        std::sort(unknown.begin(), unknown.end());
        for (const QString &key : unknown.mid(0, maximumUnknownKeyWarnings))
            Log::warning(this, QStringLiteral("%1 key '%2' is %3, it is ignored").arg(group, forLog(key), what));
        if (unknown.size() > maximumUnknownKeyWarnings)
            Log::warning(this,
                         QStringLiteral("%1 more %2 keys are unknown, they are ignored")
                             .arg(unknown.size() - maximumUnknownKeyWarnings)
                             .arg(group));
    };
    warnUnknownKeys(mainGroup,
                    {QStringLiteral("dateTime"),
                     QStringLiteral("version"),
                     QStringLiteral("brandingEnabled"),
                     QStringLiteral("darkStyle")},
                    QStringLiteral("unknown"));

    const auto mainText = [&](const QString &key) -> std::optional<QString> {
        const BrandingFile::Value value = file.value(mainGroup, key);
        if (value.kind == BrandingFile::Value::Typed)
            Log::warning(this, QStringLiteral("Main value '%1' is not text, the default is kept").arg(key));
        if (value.kind != BrandingFile::Value::Text)
            return std::nullopt;
        return value.text;
    };
    const QString version = mainText(QStringLiteral("version")).value_or(QStringLiteral("0"));
    // A file without the key keeps the current setting: after a disabled file, the next one
    // must say it is enabled.
    if (const auto enabled = mainText(QStringLiteral("brandingEnabled")))
        m_brandingEnabled = QVariant(*enabled).toBool();
    if (!m_brandingEnabled) {
        Log::warning(this, QStringLiteral("Branding style is not enabled!"));
        buildDefaults();
        return true;
    }
    const auto dark = mainText(QStringLiteral("darkStyle"));
    m_darkStyle = dark ? QVariant(*dark).toBool() : true;
    Log::info(this,
              QStringLiteral("Version '%1', enabled: %2, dark style: %3")
                  .arg(version, boolText(m_brandingEnabled), boolText(m_darkStyle)));

    buildDefaults();
    warnUnknownKeys(styleGroup, m_properties.keys(), QStringLiteral("no theme property"));

    const QString folder = QFileInfo(path).absolutePath();
    for (auto it = m_properties.begin(); it != m_properties.end(); ++it) {
        const QString defaultText = valueText(it->propertyData());
        const BrandingFile::Value value = file.value(styleGroup, it.key());
        QString problem;
        if (value.kind == BrandingFile::Value::Typed) {
            problem = QStringLiteral("is not text");
        } else if (value.kind == BrandingFile::Value::Text && value.text != defaultText) {
            switch (it->dataType()) {
            case ThemeDataType::Color:
                // The table's odd rows: a flag is taken as it is; "auto" lets the scene choose,
                // else the row holds a colour like the others.
                if (defaultText == autoColor) {
                    if (value.text != autoColor && !QColor::isValidColor(value.text))
                        problem = QStringLiteral("is neither \"auto\" nor a color");
                } else if (QColor::isValidColor(defaultText) && !QColor::isValidColor(value.text)) {
                    problem = QStringLiteral("is not a color");
                }
                break;
            case ThemeDataType::Float: {
                bool number = false;
                const double opacity = value.text.toDouble(&number);
                if (!number || !std::isfinite(opacity) || opacity < 0 || opacity > 1)
                    problem = QStringLiteral("is not a number from 0 to 1");
                break;
            }
            case ThemeDataType::Image:
                if (!value.text.isEmpty())
                    problem = imageProblem(value.text, folder);
                break;
            case ThemeDataType::Bool: break;
            }
        }
        if (!problem.isEmpty())
            Log::warning(this, QStringLiteral("Style value '%1' %2, the default is kept").arg(it.key(), problem));
        const bool accepted = value.kind == BrandingFile::Value::Text && problem.isEmpty();
        it->setPropertyData(accepted ? value.text : defaultText);
    }
    m_brandingFile = path;
    return true;
}

void Theme::notify(bool loaded)
{
    // Through the meta-object, so that every notify signal goes out in declaration order and a
    // property added later cannot be left out.
    const QMetaObject *meta = metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.hasNotifySignal())
            continue;
        const QVariant value = property.read(this);
        property.notifySignal().invoke(
            this, Qt::DirectConnection, QGenericArgument(value.typeName(), value.constData()));
    }
    if (loaded)
        emit themeDataChanged(true);
}

void Theme::watchBrandingFiles(const QStringList &files, bool renewFileWatch, bool renewFolderWatch)
{
    // The folder as well: an editor that saves by writing a copy and renaming it over the file
    // replaces the file the watcher knew. The folder's parent always: the folder itself may be
    // replaced by a rename or be a link pointed elsewhere, and the watch on it would keep
    // following the old one, unnoticed for good.
    QStringList wanted;
    QStringList renewed;
    for (const QString &file : files) {
        if (file.isEmpty())
            continue;
        const QString folder = QFileInfo(file).absolutePath();
        const QString parent = QFileInfo(folder).absolutePath();
        if (QFileInfo::exists(file))
            wanted << file;
        if (QFileInfo(folder).isDir())
            wanted << folder;
        if (parent != folder && QFileInfo(parent).isDir())
            wanted << parent;
        if (renewFileWatch)
            renewed << file;
        if (renewFolderWatch)
            renewed << folder;
    }
    wanted.removeDuplicates();

    // A watch costs the system a moment to set up and to drop (milliseconds on some), so only
    // what changed, or is to be renewed, is replaced.
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    QStringList stale;
    for (const QString &path : watched) {
        if (!wanted.contains(path) || renewed.contains(path))
            stale << path;
    }
    if (!stale.isEmpty())
        m_watcher.removePaths(stale);
    QStringList missing;
    for (const QString &path : qAsConst(wanted)) {
        if (!watched.contains(path) || stale.contains(path))
            missing << path;
    }
    if (!missing.isEmpty())
        m_watcher.addPaths(missing);
}

std::optional<QByteArray> Theme::watchAndReadStandardFile(bool renewFileWatch, bool renewFolderWatch)
{
    m_watchedFile = standardBrandingFile();
    watchBrandingFiles({m_watchedFile}, renewFileWatch, renewFolderWatch);
    m_watchedContent = BrandingFile::content(m_watchedFile);
    return m_watchedContent;
}

void Theme::onWatchedFolderChanged(const QString &path)
{
    if (!m_watchedFile.isEmpty() && path != QFileInfo(m_watchedFile).absolutePath())
        m_folderMayHaveMoved = true;
    m_reloadDelay.start();
}

void Theme::brandingFileMayHaveChanged()
{
    const QString previousFile = m_watchedFile;
    const std::optional<QByteArray> previousContent = m_watchedContent;
    const std::optional<QByteArray> bytes = watchAndReadStandardFile(true, std::exchange(m_folderMayHaveMoved, false));
    if (m_watchedFile == previousFile && bytes == previousContent) {
        Log::debug(this, QStringLiteral("Branding file unchanged"));
        return;
    }
    Log::info(this, QStringLiteral("Branding file has changed"));
    if (readBrandingFile(m_watchedFile, bytes))
        notify(true);
}
