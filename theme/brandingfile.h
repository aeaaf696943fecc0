#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The text of a branding file ("[Main]", "[Style]", key=value lines), read by a reader of our
// own rather than QSettings: Qt's INI reader turns a value such as "@Variant(...)" into an
// object deserialised from binary data, and a branding file, which anyone who can write beside
// the program may hand us, holds nothing but text. The reader understands what QSettings writes
// (quotes, backslash escapes, percent-encoded keys, ";" comments) so that a saved theme reads
// back unchanged; a comma is part of the text and never splits a value into a list.
//
// Group and key names are compared without regard to case, as the system the branding files
// were first written for reads them; only the groups "Main" and "Style" are kept, since nothing
// else of the file is ever asked for.
class BrandingFile
{
public:
    // A full saved theme is about 3 KB. The file is read and parsed on the GUI thread at every
    // reload, so the limit keeps even a hostile file to a few milliseconds there.
    static constexpr qint64 maximumSize = 64 * 1024;

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
    // nothing when it is not a regular file or cannot be read.
    static std::optional<QByteArray> content(const QString &path);
    static BrandingFile parse(const QByteArray &bytes);

    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // Absent for a group other than "Main" and "Style" (keys before the first group included).
    Value value(const QString &group, const QString &key) const;
    // The keys of a group, one per name without regard to case, spelt as the file spells them
    // last; in no particular order.
    QStringList keys(const QString &group) const;

private:
    struct Entry
    {
        QString name;
        QString text;
    };

    static BrandingFile invalid(const QString &error);

    QString m_error;
    // By the case-folded names of group and key.
    QHash<QString, QHash<QString, Entry>> m_groups;
};
