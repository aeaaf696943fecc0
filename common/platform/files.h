#pragma once

#include <QString>

class QFile;

namespace Platform {

// Opens `path` for reading only when it is a regular file. The kind is judged on the opened
// handle, not on the name beforehand: between a check of the name and the open, the name may come
// to belong to a FIFO, whose reader would wait for a writer forever. The open itself never
// waits, so a FIFO or a device in the file's place is refused at once.
bool openRegularFile(QFile &file, const QString &path);

// Whether a local path names a file on another machine. On Windows a path of the UNC form
// ("\\host\share", "//host/share", and the "\\?\" and "\\.\" forms) makes the system reach out to
// that host (or a device) at the first look at it, so such a path is refused before any check.
// Elsewhere two leading slashes are a local path.
bool isNetworkPath(const QString &path);

// The UNC form above, the same test on every system: two separators, of either kind, first.
bool hasUncForm(const QString &path);

} // namespace Platform
