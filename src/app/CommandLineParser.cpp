#include "app/CommandLineParser.h"

#include "core/Messages.h"

#include <QCommandLineOption>

namespace tarn {

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view helpFor(std::string_view option)
{
    if (option == "port-device")
        return Messages::OptionPortDeviceHelp;
    if (option == "connect")
        return Messages::OptionConnectHelp;
    if (option == "trace")
        return Messages::OptionTraceHelp;
    if (option == "screenshot")
        return Messages::OptionScreenshotHelp;
    if (option == "site")
        return Messages::OptionSiteHelp;
    if (option == "bauds")
        return Messages::OptionBaudsHelp;
    if (option == "protocols")
        return Messages::OptionProtocolsHelp;
    if (option == "addresses")
        return Messages::OptionAddressesHelp;
    if (option == "site-out")
        return Messages::OptionSiteOutHelp;
    if (option == "save-config")
        return Messages::OptionSaveConfigHelp;
    if (option == "compare-config")
        return Messages::OptionCompareConfigHelp;
    if (option == "with")
        return Messages::OptionWithHelp;
    if (option == "write-config")
        return Messages::OptionWriteConfigHelp;
    if (option == "address")
        return Messages::OptionAddressHelp;
    if (option == "speed-up")
        return Messages::OptionSpeedUpHelp;
    return Messages::OptionOpenDialogHelp;
}

const QString HelpName = QStringLiteral("help");
const QString VersionName = QStringLiteral("version");
const QString SweepName = QStringLiteral("sweep");
const QString YesName = QStringLiteral("yes");

} // namespace

CommandLineParser::CommandLineParser()
{
    m_parser.setApplicationDescription(qText(Messages::UsageNote));
    for (const CommandLine::ValueOption& option : CommandLine::ValueOptions)
        m_parser.addOption(QCommandLineOption(qText(option.name), qText(helpFor(option.name)),
                                              qText(option.valueName)));
    // Our own rather than addHelpOption(): the texts are the console's, and
    // "-?" and "--help-all" are none of its options.
    m_parser.addOption(QCommandLineOption(SweepName, qText(Messages::OptionSweepHelp)));
    m_parser.addOption(QCommandLineOption(YesName, qText(Messages::OptionYesHelp)));
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), HelpName}, qText(Messages::OptionHelpHelp)));
    m_parser.addOption(QCommandLineOption({QStringLiteral("v"), VersionName}, qText(Messages::OptionVersionHelp)));
}

CommandLine CommandLineParser::parse(const QStringList& arguments)
{
    CommandLine line;
    if (!m_parser.parse(arguments)) {
        line.error = mistake(arguments).toStdString();
        return line;
    }
    if (const QStringList words = m_parser.positionalArguments(); !words.isEmpty()) {
        line.error = Messages::format(Messages::UnknownOption, words.constFirst().toLocal8Bit().constData());
        return line;
    }
    // In the order given, so the first mistake is the one told and the last
    // of a repeated option counts.
    QHash<QString, int> taken;
    bool sweepAsked = false;
    bool yesAsked = false;
    for (const QString& name : m_parser.optionNames()) {
        if (name == SweepName) {
            sweepAsked = true;
        } else if (name == YesName) {
            yesAsked = true;
        } else if (name == QLatin1String("h") || name == HelpName) {
            line.showHelp = true;
        } else if (name == QLatin1String("v") || name == VersionName) {
            line.showVersion = true;
        } else {
            const QString value = m_parser.values(name).value(taken[name]++);
            if (!line.take(name.toStdString(), value.toStdString()))
                return line;
        }
    }
    line.finish(sweepAsked, yesAsked);
    return line;
}

QString CommandLineParser::helpText() const
{
    // Read before any QCoreApplication exists, Qt cannot know the program's name.
    return m_parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("tarn-console"));
}

QString CommandLineParser::mistake(const QStringList& arguments) const
{
    // An option the console does not have, told as it was written.
    if (const QStringList unknown = m_parser.unknownOptionNames(); !unknown.isEmpty()) {
        const QString& name = unknown.constFirst();
        const QString written = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        return QString::fromStdString(Messages::format(Messages::UnknownOption, written.toLocal8Bit().constData()));
    }
    // A value given to --help or --version: no such option takes one.
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString name = argument.section(u'=', 0, 0);
        if (argument.contains(u'=')
            && (name == QLatin1String("-h") || name == QLatin1String("--help") || name == QLatin1String("-v")
                || name == QLatin1String("--version")))
            return QString::fromStdString(Messages::format(Messages::UnknownOption, argument.toLocal8Bit().constData()));
    }
    // Otherwise an option that takes a value ended the line without one.
    return QString::fromStdString(
        Messages::format(Messages::OptionNeedsValue, arguments.constLast().section(u'=', 0, 0).toLocal8Bit().constData()));
}

} // namespace tarn
