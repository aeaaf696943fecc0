#pragma once

#include <QMap>
#include <QString>

// The "disable_ipv6" settings of the kernel ("all", "default" and one per interface), switched
// off for a session and put back afterwards as they were. What they were is kept in a record
// file, made anew and renamed into place (a link at its place is replaced, never followed) and
// read only when it belongs to us (our owner, one name, not writable by others, not a link), so
// that no other user can make root write settings of their choosing.
class Ipv6Settings
{
public:
    Ipv6Settings(const QString &confFolder, const QString &recordPath);

    // Records the settings (unless a record of an earlier "disable" is still there: that one
    // holds the machine's own) and switches IPv6 off everywhere.
    bool disable();
    // Writes back what the record holds, then removes it. Without a record nothing changes.
    bool restore();
    // What the last call did, for the program's output.
    QString report() const { return m_report; }

    // The record's text and its reading, both ways the same.
    static QByteArray serialise(const QMap<QString, QString> &settings);
    static QMap<QString, QString> deserialise(const QByteArray &text);

private:
    QMap<QString, QString> current() const;
    bool write(const QString &name, const QString &value);
    bool readRecord(QMap<QString, QString> *settings);
    bool writeRecord(const QByteArray &text, QString *error);

    QString m_conf;
    QString m_record;
    QString m_report;
};
