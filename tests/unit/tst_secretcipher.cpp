#include "messagerecorder.h"
#include "secretcipher.h"

#include <QCryptographicHash>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(SecretCipher::CompressionMode)
Q_DECLARE_METATYPE(SecretCipher::IntegrityProtectionMode)
Q_DECLARE_METATYPE(SecretCipher::Error)

namespace {

constexpr quint64 key = 0x0c2ad4a4acb9f023ULL;

SecretCipher cipherWith(SecretCipher::CompressionMode compression, SecretCipher::IntegrityProtectionMode protection)
{
    SecretCipher cipher(key);
    cipher.setCompressionMode(compression);
    cipher.setIntegrityProtectionMode(protection);
    return cipher;
}

// The chained XOR of the stored format, written out independently of the class: for the
// known-answer vectors below.
QByteArray chain(const QByteArray &plain, quint64 chainKey)
{
    QByteArray out = plain;
    char last = 0;
    for (int i = 0; i < out.size(); ++i) {
        out[i] = char(out.at(i) ^ char((chainKey >> (8 * (i % 8))) & 0xFF) ^ last);
        last = out.at(i);
    }
    return out;
}

} // namespace

class TestSecretCipher : public QObject
{
    Q_OBJECT

private slots:
    void roundTripInEveryMode_data();
    void roundTripInEveryMode();
    void equalTextsGiveDifferentCipherTexts();
    void knownAnswers();
    void alteredByteFailsTheCheck_data();
    void alteredByteFailsTheCheck();
    void malformedInput_data();
    void malformedInput();
    void emptyInputIsQuiet();
    void noKey();
    void wrongKey();
    void forgedCompressedSize();
    void unicodeStrings();
};

void TestSecretCipher::roundTripInEveryMode_data()
{
    QTest::addColumn<SecretCipher::CompressionMode>("compression");
    QTest::addColumn<SecretCipher::IntegrityProtectionMode>("protection");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<int>("flags");

    const QByteArray shortText("hunter2");
    const QByteArray longText = QByteArray("abcdefgh").repeated(200);
    const QByteArray binary = QByteArray::fromHex("00ff0010fe7f80");

    const struct
    {
        SecretCipher::CompressionMode mode;
        const char *name;
    } compressions[] = {{SecretCipher::CompressionAuto, "auto"},
                        {SecretCipher::CompressionAlways, "always"},
                        {SecretCipher::CompressionNever, "never"}};
    const struct
    {
        SecretCipher::IntegrityProtectionMode mode;
        const char *name;
        int flag;
    } protections[] = {{SecretCipher::ProtectionNone, "none", 0},
                       {SecretCipher::ProtectionChecksum, "checksum", 0x02},
                       {SecretCipher::ProtectionHash, "hash", 0x04}};
    const struct
    {
        QByteArray text;
        const char *name;
    } texts[] = {{shortText, "short"}, {longText, "long"}, {binary, "binary"}, {QByteArray(), "empty"}};

    for (const auto &c : compressions) {
        for (const auto &p : protections) {
            for (const auto &t : texts) {
                // Automatic compression keeps only what gets shorter, which only the long text does.
                const bool compressed = c.mode == SecretCipher::CompressionAlways
                    || (c.mode == SecretCipher::CompressionAuto && t.text == longText);
                QTest::addRow("%s/%s/%s", c.name, p.name, t.name)
                    << c.mode << p.mode << t.text << (p.flag | (compressed ? 0x01 : 0));
            }
        }
    }
}

void TestSecretCipher::roundTripInEveryMode()
{
    QFETCH(SecretCipher::CompressionMode, compression);
    QFETCH(SecretCipher::IntegrityProtectionMode, protection);
    QFETCH(QByteArray, plain);
    QFETCH(int, flags);

    SecretCipher cipher = cipherWith(compression, protection);
    const QByteArray encrypted = cipher.encrypt(plain);
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorNoError);
    QCOMPARE(encrypted.at(0), char(3));
    QCOMPARE(int(encrypted.at(1)), flags);

    // A fresh cipher with the same key reads it: nothing but the key is shared.
    SecretCipher reader(key);
    QCOMPARE(reader.decrypt(encrypted), plain);
    QCOMPARE(reader.lastError(), SecretCipher::ErrorNoError);
}

void TestSecretCipher::equalTextsGiveDifferentCipherTexts()
{
    SecretCipher cipher(key);
    // One random byte: two texts may still agree by chance, ten in a row do not.
    QSet<QString> seen;
    for (int i = 0; i < 10; ++i)
        seen << cipher.encryptToString(QStringLiteral("password"));
    QVERIFY2(seen.size() > 1, "every cipher text was the same");
    for (const QString &text : qAsConst(seen))
        QCOMPARE(cipher.decryptToString(text), QStringLiteral("password"));
}

void TestSecretCipher::knownAnswers()
{
    // Stored settings must stay readable: the format is fixed to the byte.
    SecretCipher cipher(0x0102030405060708ULL);

    // No compression, no check: random byte 0x00, then "A".
    const QByteArray plainOnly =
        QByteArray::fromHex("0300") + chain(QByteArray::fromHex("00") + "A", 0x0102030405060708ULL);
    QCOMPARE(plainOnly.toHex(), QByteArray("0300084e"));
    QCOMPARE(cipher.decrypt(plainOnly), QByteArray("A"));

    // CRC-16 (ISO 3309), big-endian, before the data.
    const QByteArray data("secret");
    QByteArray check(2, '\0');
    qToBigEndian(qChecksum(data.constData(), uint(data.size())), check.data());
    const QByteArray checked =
        QByteArray::fromHex("0302") + chain(QByteArray::fromHex("5a") + check + data, 0x0102030405060708ULL);
    QCOMPARE(cipher.decrypt(checked), data);

    // SHA-1 and zlib compression.
    const QByteArray compressed = qCompress(data, 9);
    const QByteArray hashed = QByteArray::fromHex("0305")
        + chain(QByteArray::fromHex("a7") + QCryptographicHash::hash(compressed, QCryptographicHash::Sha1) + compressed,
                0x0102030405060708ULL);
    QCOMPARE(cipher.decrypt(hashed), data);
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorNoError);
}

void TestSecretCipher::alteredByteFailsTheCheck_data()
{
    QTest::addColumn<SecretCipher::IntegrityProtectionMode>("protection");
    QTest::addColumn<int>("position");

    for (int position : {2, 3, 4, 8, -1}) {
        QTest::addRow("checksum, byte %d", position) << SecretCipher::ProtectionChecksum << position;
        QTest::addRow("hash, byte %d", position) << SecretCipher::ProtectionHash << position;
    }
}

void TestSecretCipher::alteredByteFailsTheCheck()
{
    QFETCH(SecretCipher::IntegrityProtectionMode, protection);
    QFETCH(int, position);

    SecretCipher cipher = cipherWith(SecretCipher::CompressionAuto, protection);
    QByteArray encrypted = cipher.encrypt("my secret password");
    const int index = position < 0 ? encrypted.size() - 1 : position;
    encrypted[index] = char(encrypted.at(index) ^ 0x10);

    QCOMPARE(cipher.decrypt(encrypted), QByteArray());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorIntegrityFailed);
}

void TestSecretCipher::malformedInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<SecretCipher::Error>("error");
    QTest::addColumn<QString>("warning");

    QTest::newRow("one byte") << QByteArray("\x03", 1) << SecretCipher::ErrorIntegrityFailed << "";
    QTest::newRow("two bytes") << QByteArray("\x03\x02", 2) << SecretCipher::ErrorIntegrityFailed << "";
    QTest::newRow("wrong version") << QByteArray::fromHex("020012345678") << SecretCipher::ErrorUnknownVersion
                                   << "Invalid version or not a cyphertext.";
    QTest::newRow("plain text") << QByteArray("password") << SecretCipher::ErrorUnknownVersion
                                << "Invalid version or not a cyphertext.";
    QTest::newRow("checksum flag, no room")
        << QByteArray::fromHex("030211") << SecretCipher::ErrorIntegrityFailed << "";
    QTest::newRow("hash flag, no room") << QByteArray::fromHex("030411223344") << SecretCipher::ErrorIntegrityFailed
                                        << "";
    QTest::newRow("compressed flag, no data")
        << QByteArray::fromHex("030111") << SecretCipher::ErrorIntegrityFailed << "";
}

void TestSecretCipher::malformedInput()
{
    QFETCH(QByteArray, input);
    QFETCH(SecretCipher::Error, error);
    QFETCH(QString, warning);

    SecretCipher cipher(key);
    MessageRecorder recorder;
    QCOMPARE(cipher.decrypt(input), QByteArray());
    QCOMPARE(cipher.lastError(), error);
    QCOMPARE(recorder.warnings(), warning.isEmpty() ? QStringList() : QStringList{warning});
}

void TestSecretCipher::emptyInputIsQuiet()
{
    SecretCipher cipher(key);
    {
        MessageRecorder ignored;
        cipher.decrypt(QByteArray::fromHex("020000")); // leaves an error behind
        QCOMPARE(cipher.lastError(), SecretCipher::ErrorUnknownVersion);
    }
    MessageRecorder recorder;
    QCOMPARE(cipher.decryptToString(QString()), QString());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorNoError);
    QVERIFY(recorder.messages().isEmpty());
}

void TestSecretCipher::noKey()
{
    SecretCipher cipher;
    MessageRecorder recorder;
    QCOMPARE(cipher.encrypt("x"), QByteArray());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorNoKeySet);
    QCOMPARE(cipher.decrypt(QByteArray::fromHex("0300084e")), QByteArray());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorNoKeySet);
    QCOMPARE(recorder.warnings(), (QStringList{"No key set.", "No key set."}));
}

void TestSecretCipher::wrongKey()
{
    SecretCipher writer(key);
    SecretCipher reader(key + 1);
    QCOMPARE(reader.decrypt(writer.encrypt("password")), QByteArray());
    QCOMPARE(reader.lastError(), SecretCipher::ErrorIntegrityFailed);
}

void TestSecretCipher::forgedCompressedSize()
{
    // Without a check value, a damaged size field would make the decompressor claim gigabytes.
    SecretCipher cipher = cipherWith(SecretCipher::CompressionAlways, SecretCipher::ProtectionNone);
    const QByteArray forged = QByteArray::fromHex("7fffffff") + QByteArray("\x78\xda\x03\x00\x00\x00\x00\x01", 8);
    const QByteArray encrypted = QByteArray::fromHex("0301") + chain(QByteArray(1, '\x11') + forged, key);
    MessageRecorder recorder;
    QCOMPARE(cipher.decrypt(encrypted), QByteArray());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorIntegrityFailed);

    // Garbage where the compressed data should be.
    const QByteArray garbage = QByteArray::fromHex("0301") + chain(QByteArray::fromHex("11000000ff0102030405"), key);
    QCOMPARE(cipher.decrypt(garbage), QByteArray());
    QCOMPARE(cipher.lastError(), SecretCipher::ErrorIntegrityFailed);
}

void TestSecretCipher::unicodeStrings()
{
    SecretCipher cipher(key);
    const QString secret = QStringLiteral("pässwörd € 密码");
    const QString stored = cipher.encryptToString(secret);
    QVERIFY(!stored.isEmpty());
    for (const QChar c : stored)
        QVERIFY(c.unicode() < 128); // base64 text, safe in any settings store
    QCOMPARE(cipher.decryptToString(stored), secret);

    MessageRecorder recorder;
    QCOMPARE(cipher.decryptToString(QStringLiteral("not base64 at all!")), QString());
    QVERIFY(cipher.lastError() != SecretCipher::ErrorNoError);
}

QTEST_GUILESS_MAIN(TestSecretCipher)
#include "tst_secretcipher.moc"
