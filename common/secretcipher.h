#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The reversible cipher in which the settings keep the user's name and password. It hides
// them from a casual look at the settings store; it is no protection against anyone who has
// the program (the key is part of the build).
//
// Cipher text: version byte 3, a flag byte (0x01 compressed, 0x02 CRC-16, 0x04 SHA-1), then a
// random byte, the optional check value and the data, chained with the key by XOR.
class SecretCipher final
{
public:
    enum CompressionMode {
        CompressionAuto,
        CompressionAlways,
        CompressionNever,
    };

    enum IntegrityProtectionMode {
        ProtectionNone,
        ProtectionChecksum,
        ProtectionHash,
    };

    enum Error {
        ErrorNoError,
        ErrorNoKeySet,
        ErrorUnknownVersion,
        ErrorIntegrityFailed,
    };

    SecretCipher();
    explicit SecretCipher(quint64 key);

    void setKey(quint64 key);
    bool hasKey() const { return !m_keyBytes.isEmpty(); }

    void setCompressionMode(CompressionMode mode) { m_compressionMode = mode; }
    CompressionMode compressionMode() const { return m_compressionMode; }
    void setIntegrityProtectionMode(IntegrityProtectionMode mode) { m_protectionMode = mode; }
    IntegrityProtectionMode integrityProtectionMode() const { return m_protectionMode; }
    Error lastError() const { return m_lastError; }

    QByteArray encrypt(const QByteArray &plain);
    QByteArray decrypt(const QByteArray &cipher);
    QString encryptToString(const QString &plain);
    QString decryptToString(const QString &cipher);

private:
    static constexpr char version = 3;

    enum Flag : char {
        FlagCompressed = 0x01,
        FlagChecksum = 0x02,
        FlagHash = 0x04,
    };

    quint64 m_key = 0;
    QByteArray m_keyBytes;
    CompressionMode m_compressionMode = CompressionAuto;
    IntegrityProtectionMode m_protectionMode = ProtectionChecksum;
    Error m_lastError = ErrorNoError;
};
