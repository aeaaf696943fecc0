#include "servicecommand.h"

namespace {

ServiceCommand invalid(const QString &why)
{
    ServiceCommand command;
    command.error = why;
    return command;
}

// "<NAME>" or "<kill NAME>": the name alone, or empty when the text has another form.
QString bracketed(const QString &text, const QString &lead)
{
    if (!text.startsWith(QLatin1Char('<') + lead) || !text.endsWith(QLatin1Char('>')))
        return QString();
    return text.mid(1 + lead.size(), text.size() - 2 - lead.size());
}

} // namespace

ServiceCommand ServiceCommand::parse(const QString &frame)
{
    ServiceCommand command;
    if (frame == QLatin1String("init: connection")) {
        command.kind = Init;
        return command;
    }
    if (frame.startsWith(QLatin1String("stop: "))) {
        command.name = bracketed(frame.mid(6), QString());
        if (command.name.isEmpty())
            return invalid(QStringLiteral("stop without <name>"));
        command.kind = Stop;
        return command;
    }
    if (!frame.startsWith(QLatin1String("start: ")))
        return invalid(QStringLiteral("unknown command"));

    const QString rest = frame.mid(7);
    if (rest.startsWith(QLatin1String("<kill "))) {
        command.name = bracketed(rest, QStringLiteral("kill "));
        if (command.name.isEmpty())
            return invalid(QStringLiteral("kill without a name"));
        command.kind = Kill;
        return command;
    }

    // The client puts every element in double quotes and joins them with single blanks; it
    // does not escape quotes inside an element, so '" "' is where one element ends.
    if (rest.size() < 2 || !rest.startsWith(QLatin1Char('"')) || !rest.endsWith(QLatin1Char('"')))
        return invalid(QStringLiteral("start without quoted elements"));
    command.programAndArguments = rest.mid(1, rest.size() - 2).split(QStringLiteral("\" \""), Qt::KeepEmptyParts);
    if (command.programAndArguments.first().isEmpty())
        return invalid(QStringLiteral("start without a program"));
    command.kind = Start;
    return command;
}
