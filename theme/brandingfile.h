#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The text of a branding file ("[Main]", "[Style]", key=value lines), read by a reader of our
// own rather than QSettings: Qt's INI reader turns a value such as "@Variant(...)" into an
// object deserialised from binary data, and a branding file, which anyone who can write beside
// the program may hand us, holds nothing but text. The reader understands what QSettings writes
// (quotes, backslash escapes, percent-encoded keys, ";" comments) so that a saved theme reads
// back unchanged; a comma is part of the text and never splits a value into a list.
class BrandingFile
{
public:
    // Far beyond any real branding file, small enough to read at once.
    static constexpr qint64 maximumSize = 1024 * 1024;

    struct Value
    {
        enum Kind {
            Absent,
            Text,
            // A value QSettings would read as something other than text ("@Variant(...)",
            // "@ByteArray(...)"): never the look of a window.
            Typed,
        };
        Kind kind = Absent;
        QString text;
    };

    // The file at `path`; invalid with the reason when it cannot be read, is larger than
    // maximumSize or is not INI text.
    static BrandingFile read(const QString &path);
    // The bytes of the file, at most one more than maximumSize (so "too large" can be told);
    // nothing when it cannot be opened or read.
    static std::optional<QByteArray> content(const QString &path);
    static BrandingFile parse(const QByteArray &bytes);

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // Keys before the first group are in the group "General", as QSettings files them.
    Value value(const QString &group, const QString &key) const;

private:
    static BrandingFile invalid(const QString &error);

    QString m_error;
    QHash<QString, QHash<QString, QString>> m_groups;
};
