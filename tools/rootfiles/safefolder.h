#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A folder in which a root process reads and writes files for a less privileged user, opened
// so that nobody else can redirect what it does there.
//
// The path is walked one name at a time from "/" without following links, except links that
// root owns (a system's /home may be one); every folder on the way belongs to root or to the
// owner given and is writable by nobody else unless it is sticky (as /tmp). The folder itself
// belongs to root or to that owner and may not be written by others unless sticky. Files are
// then reached from the open folder, never by their path again: a link planted in place of a
// file is not followed, and a folder renamed meanwhile changes nothing.
class SafeFolder final
{
public:
    // Opens the folder of an absolute path for files owned by root or by `owner`.
    SafeFolder(const QString &path, uid_t owner);
    ~SafeFolder();
    SafeFolder(const SafeFolder &) = delete;
    SafeFolder &operator=(const SafeFolder &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the folder or the last file could not be used.
    QString error() const { return m_error; }
    uid_t owner() const { return m_owner; }
    // The owner of the folder itself (root or the owner given).
    uid_t folderOwner() const { return m_folderOwner; }

    // A regular file, not a link, with one name only, owned by root or the owner; its content,
    // at most `limit` bytes. False with error() otherwise.
    bool read(const QString &name, qint64 limit, QByteArray *content);
    // A descriptor of the file open for reading under the same rules, or -1.
    int openForReading(const QString &name);
    // Creates the file anew: whatever had the name (a file or a planted link) goes first. The
    // descriptor is open for writing, close-on-exec; -1 on failure.
    int create(const QString &name, mode_t mode);
    // The file open for appending, created (for the owner) when missing; a link in its place is
    // removed, not followed. -1 on failure.
    int openForAppend(const QString &name);
    // Removes the name (a file or a link, never what a link points at).
    bool remove(const QString &name);

    // Whether a name is a plain file name: no folder part, no "." or "..", no control character.
    static bool isPlainName(const QString &name);

private:
    bool walk(const QString &path);
    bool checkFolder(int fd, const QString &shown, bool last);
    bool checkFile(int fd, const QString &name);
    bool fail(const QString &why);

    int m_fd = -1;
    uid_t m_owner = 0;
    uid_t m_folderOwner = 0;
    QString m_path;
    QString m_error;
};
