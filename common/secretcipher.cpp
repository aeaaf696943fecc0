#include "secretcipher.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QtEndian>

#include <cstdlib>

namespace {

constexpr int sha1Size = 20;

quint16 checksumOf(const QByteArray &data)
{
    return qChecksum(data.constData(), static_cast<uint>(data.size()));
}

// qUncompress trusts the size in the first four bytes and allocates it up front. zlib never
// inflates by more than about 1032 to 1, so a larger claim comes from a damaged or forged text.
bool plausiblyCompressed(const QByteArray &data)
{
    if (data.size() < 4)
        return false;
    const quint64 claimed = qFromBigEndian<quint32>(data.constData());
    return claimed <= quint64(data.size()) * 1032 + 64;
}

} // namespace

SecretCipher::SecretCipher()
{
    // The random first byte only makes equal texts look different; it needs no strong source.
    std::srand(static_cast<unsigned>(QDateTime::currentMSecsSinceEpoch() & 0xFFFF));
}

SecretCipher::SecretCipher(quint64 key)
    : SecretCipher()
{
    setKey(key);
}

void SecretCipher::setKey(quint64 key)
{
    m_key = key;
    m_keyBytes.resize(8);
    for (int i = 0; i < 8; ++i)
        m_keyBytes[i] = static_cast<char>((key >> (8 * i)) & 0xFF);
}

QByteArray SecretCipher::encrypt(const QByteArray &plain)
{
    if (!hasKey()) {
        qWarning("No key set.");
        m_lastError = ErrorNoKeySet;
        return QByteArray();
    }

    QByteArray data = plain;
    char flags = 0;
    if (m_compressionMode == CompressionAlways) {
        data = qCompress(data, 9);
        flags |= FlagCompressed;
    } else if (m_compressionMode == CompressionAuto) {
        const QByteArray compressed = qCompress(data, 9);
        if (compressed.size() < data.size()) {
            data = compressed;
            flags |= FlagCompressed;
        }
    }

    QByteArray check;
    if (m_protectionMode == ProtectionChecksum) {
        check.resize(2);
        qToBigEndian(checksumOf(data), check.data());
        flags |= FlagChecksum;
    } else if (m_protectionMode == ProtectionHash) {
        check = QCryptographicHash::hash(data, QCryptographicHash::Sha1);
        flags |= FlagHash;
    }

    QByteArray chained;
    chained.reserve(1 + check.size() + data.size());
    chained.append(static_cast<char>(std::rand() & 0xFF));
    chained.append(check);
    chained.append(data);

    char last = 0;
    for (int i = 0; i < chained.size(); ++i) {
        chained[i] = static_cast<char>(chained.at(i) ^ m_keyBytes.at(i % 8) ^ last);
        last = chained.at(i);
    }

    m_lastError = ErrorNoError;
    return QByteArray(1, version) + QByteArray(1, flags) + chained;
}

QByteArray SecretCipher::decrypt(const QByteArray &cipher)
{
    if (!hasKey()) {
        qWarning("No key set.");
        m_lastError = ErrorNoKeySet;
        return QByteArray();
    }
    if (cipher.isEmpty()) {
        // Nothing stored yet: an empty secret, not a fault.
        m_lastError = ErrorNoError;
        return QByteArray();
    }
    if (cipher.size() < 3) {
        // Too short to hold even the random byte: whatever it is, it is not a text of ours, and
        // reporting no error would pass it off as an empty secret.
        m_lastError = ErrorIntegrityFailed;
        return QByteArray();
    }
    if (cipher.at(0) != version) {
        qWarning("Invalid version or not a cyphertext.");
        m_lastError = ErrorUnknownVersion;
        return QByteArray();
    }

    const char flags = cipher.at(1);
    QByteArray data = cipher.mid(2);
    char last = 0;
    for (int i = 0; i < data.size(); ++i) {
        const char current = data.at(i);
        data[i] = static_cast<char>(current ^ last ^ m_keyBytes.at(i % 8));
        last = current;
    }
    data.remove(0, 1); // the random byte

    if (flags & FlagChecksum) {
        if (data.size() < 2) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
        const quint16 stored = qFromBigEndian<quint16>(data.constData());
        data.remove(0, 2);
        if (stored != checksumOf(data)) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
    }
    if (flags & FlagHash) {
        if (data.size() < sha1Size) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
        const QByteArray stored = data.left(sha1Size);
        data.remove(0, sha1Size);
        if (stored != QCryptographicHash::hash(data, QCryptographicHash::Sha1)) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
    }

    if (flags & FlagCompressed) {
        if (!plausiblyCompressed(data)) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
        // Without a check value a damaged text gets this far; it must not pass for an empty one.
        const QByteArray inflated = qUncompress(data);
        if (inflated.isEmpty() && data != qCompress(QByteArray(), 9)) {
            m_lastError = ErrorIntegrityFailed;
            return QByteArray();
        }
        data = inflated;
    }

    m_lastError = ErrorNoError;
    return data;
}

QString SecretCipher::encryptToString(const QString &plain)
{
    return QString::fromLatin1(encrypt(plain.toUtf8()).toBase64());
}

QString SecretCipher::decryptToString(const QString &cipher)
{
    return QString::fromUtf8(decrypt(QByteArray::fromBase64(cipher.toLatin1())));
}
