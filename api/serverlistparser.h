#pragma once

#include "server.h"

#include <QString>

// Reads the backend's XML catalogue into servers grouped by country (lower-cased codes in
// order), each group sorted by city. Servers marked invisible and inactive are left out,
// duplicates are dropped with a warning, and servers at the load "0.00" are reported as not
// available. A document that breaks off yields what was read before, in document order.
// The document is text: the body of a reply is decoded as UTF-8 first, so that one wrongly
// encoded byte costs one character, not the catalogue. Log lines carry `logName` in front.
// Characters that XML does not allow (C0 controls, NUL, lone surrogates, U+FFFE, U+FFFF)
// become U+FFFD before parsing: one such character costs one character, not the catalogue.
Servers parseServerList(const QString &document, const QString &logName = QStringLiteral("NetworkApi"));

// The body of a catalogue reply as text: UTF-16 (either byte order) where a byte-order mark says
// so, UTF-8 otherwise (a UTF-8 mark dropped), each invalid sequence a replacement character.
QString decodeServerListBody(const QByteArray &body);
