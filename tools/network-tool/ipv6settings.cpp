#include "ipv6settings.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString all = QStringLiteral("all");
const QString fresh = QStringLiteral("default");

// A name as the kernel lists it under conf/: one path component, nothing that a forged record
// could use to reach another file.
bool isSettingName(const QString &name)
{
    if (name.isEmpty() || name.size() > 15 || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c.isSpace() || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace

Ipv6Settings::Ipv6Settings(const QString &confFolder, const QString &recordPath)
    : m_conf(confFolder)
    , m_record(recordPath)
{
}

QByteArray Ipv6Settings::serialise(const QMap<QString, QString> &settings)
{
    QByteArray text;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        text += it.key().toUtf8() + ' ' + it.value().toUtf8() + '\n';
    return text;
}

QMap<QString, QString> Ipv6Settings::deserialise(const QByteArray &text)
{
    QMap<QString, QString> settings;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 2)
            continue;
        const QString name = QString::fromUtf8(words.at(0));
        const QString value = QString::fromUtf8(words.at(1));
        if (isSettingName(name) && (value == QLatin1String("0") || value == QLatin1String("1")))
            settings.insert(name, value);
    }
    return settings;
}

QMap<QString, QString> Ipv6Settings::current() const
{
    QMap<QString, QString> settings;
    for (const QString &name : QDir(m_conf).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(m_conf + QLatin1Char('/') + name + QStringLiteral("/disable_ipv6"));
        if (isSettingName(name) && file.open(QIODevice::ReadOnly))
            settings.insert(name, QString::fromLatin1(file.readAll()).trimmed());
    }
    return settings;
}

bool Ipv6Settings::write(const QString &name, const QString &value)
{
    QFile file(m_conf + QLatin1Char('/') + name + QStringLiteral("/disable_ipv6"));
    return file.open(QIODevice::WriteOnly) && file.write(value.toLatin1() + '\n') > 0 && file.flush();
}

bool Ipv6Settings::writeRecord(const QByteArray &text, QString *error)
{
    // Made anew beside the record and renamed over it: a link in either place is replaced,
    // never followed, and a crash leaves the old record or the new one, never half of one.
    const QString temporary = m_record + QStringLiteral(".new");
    const QByteArray encoded = QFile::encodeName(temporary);
    const auto failed = [&](int fd) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        ::unlink(encoded.constData());
        return false;
    };
    if (::unlink(encoded.constData()) != 0 && errno != ENOENT)
        return failed(-1);
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return failed(-1);
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.constData() + done, size_t(text.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failed(fd);
        done += n;
    }
    if (::fsync(fd) != 0)
        return failed(fd);
    ::close(fd);
    if (::rename(encoded.constData(), QFile::encodeName(m_record).constData()) != 0)
        return failed(-1);
    return true;
}

bool Ipv6Settings::readRecord(QMap<QString, QString> *settings)
{
    const int fd = ::open(QFile::encodeName(m_record).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status = {};
    // One name only: a second would be a hard link that someone else made to a file of root's.
    const bool ours = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
        && status.st_nlink == 1 && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0 && status.st_size < 65536;
    QByteArray text;
    if (ours) {
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, int(n));
    }
    ::close(fd);
    if (!ours) {
        m_report = QStringLiteral("the record %1 is not ours, ignored; ").arg(m_record);
        return false;
    }
    *settings = deserialise(text);
    return true;
}

bool Ipv6Settings::disable()
{
    m_report.clear();
    const QMap<QString, QString> now = current();
    if (!now.contains(all)) {
        m_report = QStringLiteral("this kernel has no IPv6");
        return true;
    }
    QMap<QString, QString> recorded;
    bool recordOk = true;
    if (readRecord(&recorded) && recorded.contains(all)) {
        // An earlier session's "disable" was never undone: its record holds the machine's own
        // settings, while the settings of the moment may be ours.
        m_report += QStringLiteral("keeping the record of an earlier session; ");
    } else {
        QString error;
        recordOk = writeRecord(serialise(now), &error);
        if (!recordOk)
            m_report += QStringLiteral("cannot record the settings in %1 (%2); ").arg(m_record, error);
    }
    // "all" reaches every interface there is, "default" those that come later (the tunnel).
    const bool switched = write(all, QStringLiteral("1")) && write(fresh, QStringLiteral("1"));
    m_report += switched ? QStringLiteral("IPv6 disabled") : QStringLiteral("cannot disable IPv6");
    return switched && recordOk;
}

bool Ipv6Settings::restore()
{
    m_report.clear();
    QMap<QString, QString> recorded;
    if (!readRecord(&recorded) || !recorded.contains(all)) {
        m_report += QStringLiteral("no record of the settings, IPv6 left as it is");
        return true;
    }
    const QMap<QString, QString> now = current();
    // "all" first: writing it sets every interface, the interfaces' own values come after it.
    bool ok = write(all, recorded.value(all));
    QStringList failed;
    for (auto it = recorded.cbegin(); it != recorded.cend(); ++it) {
        if (it.key() == all || !now.contains(it.key()))
            continue;
        if (!write(it.key(), it.value())) {
            ok = false;
            failed << it.key();
        }
    }
    if (!ok) {
        // Kept for the next attempt.
        m_report += QStringLiteral("cannot restore IPv6 settings (%1)").arg(failed.join(QStringLiteral(", ")));
        return false;
    }
    QFile::remove(m_record);
    m_report += QStringLiteral("IPv6 settings restored");
    return true;
}
