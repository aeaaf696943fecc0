#pragma once

#include "server.h"

#include <QString>

// Reads the backend's XML catalogue into servers grouped by country (lower-cased codes in
// order), each group sorted by city. Servers marked invisible and inactive are left out,
// duplicates are dropped with a warning, and servers at the load "0.00" are reported as not
// available. A document that breaks off yields what was read before, in document order.
// The document is text: the body of a reply is decoded as UTF-8 first, so that one wrongly
// encoded byte costs one character, not the catalogue. Log lines carry `logName` in front.
Servers parseServerList(const QString &document, const QString &logName = QStringLiteral("NetworkApi"));
