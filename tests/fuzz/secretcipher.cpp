// Stored settings are outside input: any bytes may reach the cipher's decoder.
#include "secretcipher.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static SecretCipher cipher(0x0c2ad4a4acb9f023ULL);
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));

    const QByteArray plain = cipher.decrypt(input);
    if (cipher.lastError() == SecretCipher::ErrorNoError) {
        // Whatever was accepted must survive a round trip.
        if (cipher.decrypt(cipher.encrypt(plain)) != plain)
            std::abort();
    } else if (!plain.isEmpty()) {
        std::abort(); // a failure must not hand out data
    }

    cipher.decryptToString(QString::fromLatin1(input));
    return 0;
}
