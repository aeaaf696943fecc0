// "branding.ini" is outside input: whatever bytes it holds, the reader and the theme on top of
// it never crash, every value the window binds to stays usable, and any text the editor stores
// comes back unchanged through a saved theme.
#include "brandingfile.h"
#include "theme.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaProperty>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <cmath>
#include <cstdlib>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

// Made after the temporary folder is chosen, removed at exit.
QTemporaryDir &appDir()
{
    static QTemporaryDir dir;
    return dir;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

bool isUsableImage(const QString &value)
{
    if (value.isEmpty() || value == QLatin1String("qrc:/resources/icons/vpn.png"))
        return true;
    const QUrl url(value);
    return url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile();
}

void checkReadable(const Theme &theme)
{
    const QMetaObject &meta = Theme::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        const QString name = QString::fromLatin1(property.name());
        if (property.userType() != QMetaType::QString)
            continue;
        const QString value = property.read(&theme).toString();
        if (name.endsWith(QLatin1String("Opacity"))) {
            bool number = false;
            const double opacity = value.toDouble(&number);
            if (!number || !std::isfinite(opacity) || opacity < 0 || opacity > 1)
                std::abort();
        } else if (name == QLatin1String("generalBackgroundImage") || name == QLatin1String("generalLogoFileName")) {
            if (!isUsableImage(value))
                std::abort();
        } else if (name == QLatin1String("connectionPageSettingsButtonIconColor")) {
            if (value != QLatin1String("auto") && !QColor::isValidColor(value))
                std::abort();
        } else if (name != QLatin1String("generalHeaderActiveColor") && !QColor::isValidColor(value)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(dropMessages);
    static int argc = 1;
    static char name[] = "brandingfile";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    // Every input goes through files; on a memory file system they cost little.
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    // An application directory of its own, with a branding folder and one real image in it.
    qputenv("VELMORIX_APP_DIR", appDir().path().toUtf8());
    QDir(appDir().path()).mkpath(QStringLiteral("branding/resources"));
    write(appDir().filePath(QStringLiteral("branding/resources/logo.png")), "png");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    BrandingFile::parse(bytes);

    // One theme for the whole run, since setting up a file watch takes the system
    // milliseconds. A file that disables branding leaves it disabled for the next one, which
    // would then be ignored: such a theme starts again from an enabled file.
    static Theme theme;
    if (!theme.brandingEnabled()) {
        const QString reset = appDir().filePath(QStringLiteral("branding/reset.ini"));
        write(reset, "[Main]\nbrandingEnabled=true\n");
        if (!theme.load(QUrl::fromLocalFile(reset).toString()) || !theme.brandingEnabled())
            std::abort();
    }
    const QString path = appDir().filePath(QStringLiteral("branding/branding.ini"));
    write(path, bytes);
    theme.load(QUrl::fromLocalFile(path).toString());
    checkReadable(theme);

    // The same bytes as text QSettings writes, as a saved theme holds it: the reader gives it
    // back as it was.
    const QString text = QString::fromUtf8(bytes.left(256));
    const QString saved = appDir().filePath(QStringLiteral("saved.ini"));
    {
        QSettings file(saved, QSettings::IniFormat);
        file.setAtomicSyncRequired(false);
        file.clear();
        file.setValue(QStringLiteral("Style/connectionPageSettingsButtonIconColor"), text);
    }
    const BrandingFile::Value value = BrandingFile::read(saved).value(
        QStringLiteral("Style"), QStringLiteral("connectionPageSettingsButtonIconColor"));
    if (value.kind != BrandingFile::Value::Text || value.text != text)
        std::abort();
    return 0;
}
