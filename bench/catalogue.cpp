// How long the catalogue parse takes for a large provider, against the floor: a bare pass of
// the XML reader over the same document. The ratio is the figure to watch.
#include "serverlistparser.h"
#include "timing.h"

#include <QXmlStreamReader>

#include <cstdio>

namespace {

QByteArray generatedCatalogue(int servers, int countries)
{
    QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<vorrinserverList>\n";
    for (int i = 0; i < servers; ++i) {
        const QByteArray country = QByteArray(1, char('a' + (i % countries) / 26)) + char('a' + (i % countries) % 26);
        document += "<server visible=\"1\" status=\"1\" cpu=\"" + QByteArray::number((i * 7) % 100)
            + ".25\" capacity=\"" + QByteArray::number(100 + i % 900) + "\" ip=\"10." + QByteArray::number(i / 65536)
            + "." + QByteArray::number((i / 256) % 256) + "." + QByteArray::number(i % 256) + "\" name=\"" + country
            + "-" + QByteArray::number(i) + ".example.net\" city=\"" + country.toUpper() + " City "
            + QByteArray::number((i * 31) % 97) + "\" country=\"" + country.toUpper() + "\"/>\n";
    }
    return document + "</vorrinserverList>\n";
}

} // namespace

int main()
{
    constexpr int servers = 10000;
    constexpr int countries = 150;
    constexpr int rounds = 25;
    const QByteArray document = generatedCatalogue(servers, countries);

    int parsed = 0;
    const double parse = medianMilliseconds(rounds, [&] { parsed = parseServerList(document).size(); });

    int tokens = 0;
    const double floor = medianMilliseconds(rounds, [&] {
        QXmlStreamReader reader(document);
        tokens = 0;
        while (!reader.atEnd()) {
            reader.readNext();
            ++tokens;
        }
    });

    std::printf("catalogue: %d servers in %d countries, %d bytes\n", servers, countries, int(document.size()));
    std::printf("parseServerList:       %8.2f ms (%d servers)\n", parse, parsed);
    std::printf("QXmlStreamReader pass: %8.2f ms (%d tokens, the floor)\n", floor, tokens);
    std::printf("ratio: %.2f\n", parse / floor);
    return parsed == servers ? 0 : 1;
}
