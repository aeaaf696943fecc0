// Frames of the service link and the output of the route tool are outside input for both
// ends of the link and for the adapter detection.
#include "platform/adapters.h"
#include "servicecommand.h"
#include "serviceprocess.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));

    const ServiceCommand command = ServiceCommand::parse(text);
    // A start the service accepts names a program, and what it parsed is what a client would send.
    if (command.kind == ServiceCommand::Start) {
        if (command.programAndArguments.isEmpty() || command.programAndArguments.first().isEmpty())
            std::abort();
        if (ServiceProcess::startCommandFor(command.programAndArguments) != text)
            std::abort();
    }
    if (command.kind == ServiceCommand::Invalid && command.error.isEmpty())
        std::abort();

    const ServiceProcess::Report report = ServiceProcess::parseReport(text);
    if (report.kind == ServiceProcess::Report::None && (report.code != 0 || !report.name.isEmpty()))
        std::abort();

    for (const NetworkAdapter &adapter : Platform::parseRoutePrint(text.split(QLatin1Char('\n')), false)) {
        if (adapter.index <= 0 || adapter.name.isEmpty())
            std::abort();
    }
    return 0;
}
