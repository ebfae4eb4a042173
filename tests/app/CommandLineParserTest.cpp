#include "app/CommandLineParser.h"

#include <QTest>

#include <string>

namespace tarn {

// Command lines as the console is started with them, and what it makes of
// each: the options it takes, or the mistake it tells.
class CommandLineParserTest : public QObject {
    Q_OBJECT

private:
    // What the line asks for, in one comparable text.
    static std::string summary(const CommandLine& line)
    {
        std::string text;
        const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " ") + part; };
        if (line.portDevice)
            add("port=" + *line.portDevice);
        if (line.connect)
            add("connect=" + std::to_string(line.connect->address[0]) + ".." + std::to_string(line.connect->address[3])
                + ":" + line.connect->port);
        if (line.trace)
            add("trace=" + *line.trace);
        if (line.screenshot)
            add("screenshot=" + *line.screenshot);
        for (const std::string& button : line.openDialog)
            add("press=" + button);
        if (line.showHelp)
            add("help");
        if (line.showVersion)
            add("version");
        return text;
    }

private slots:
    void linesAndWhatTheyAskFor()
    {
        struct Row {
            QStringList arguments;
            std::string asked; // when understood
            std::string error; // otherwise
        };
        const Row rows[] = {
            {{}, "", ""},
            {{"--port-device", "/dev/pts/7"}, "port=/dev/pts/7", ""},
            {{"--port-device=/tmp/cam"}, "port=/tmp/cam", ""},
            {{"--port-device", "/a", "--port-device", "/b"}, "port=/b", ""}, // the last one counts
            {{"--trace", "site.tcap", "--port-device", "/dev/pts/7"}, "port=/dev/pts/7 trace=site.tcap", ""},
            {{"--connect", "localhost:0004", "--screenshot", "main.png"}, "connect=127..1:4 screenshot=main.png", ""},
            {{"--open-dialog", "Camera Setup/Lens Maintenance"}, "press=Camera Setup press=Lens Maintenance", ""},
            {{"--open-dialog", "/DSP Status//"}, "press=DSP Status", ""},
            {{"--help"}, "help", ""},
            {{"-h"}, "help", ""},
            {{"--version"}, "version", ""},
            {{"-v"}, "version", ""},
            {{"--port-device"}, "", "tarn-console: --port-device needs a value"},
            {{"--port-device="}, "", "tarn-console: --port-device needs a value"},
            {{"--port-device", ""}, "", "tarn-console: --port-device needs a value"},
            {{"--trace"}, "", "tarn-console: --trace needs a value"},
            {{"--open-dialog"}, "", "tarn-console: --open-dialog needs a value"},
            {{"--screenshot"}, "", "tarn-console: --screenshot needs a value"},
            {{"--connect"}, "", "tarn-console: --connect needs a value"},
            {{"--port"}, "", "tarn-console: unknown option --port"},
            {{"-x"}, "", "tarn-console: unknown option -x"},
            {{"/dev/ttyUSB0"}, "", "tarn-console: unknown option /dev/ttyUSB0"},
            {{"--help=yes"}, "", "tarn-console: unknown option --help=yes"},
            {{"--connect", "10.0.0.1"}, "",
             "tarn-console: --connect needs an IPv4 address and a port, like 192.168.1.200:4001 (got 10.0.0.1)"},
            // The first mistake is the one told.
            {{"--trace", "", "--connect", "nowhere"}, "", "tarn-console: --trace needs a value"},
        };
        for (const Row& row : rows) {
            CommandLineParser parser;
            const CommandLine line = parser.parse(QStringList{QStringLiteral("tarn-console")} + row.arguments);
            const std::string context = row.arguments.join(u' ').toStdString() + " -> ";
            QVERIFY2(line.error == row.error, (context + line.error).c_str());
            if (row.error.empty())
                QVERIFY2(summary(line) == row.asked, (context + summary(line)).c_str());
        }
    }

    void helpNamesEveryOption()
    {
        const QString help = CommandLineParser().helpText();
        for (const CommandLine::ValueOption& option : CommandLine::ValueOptions)
            QVERIFY2(help.contains(QStringLiteral("--") + QString::fromUtf8(option.name.data(), option.name.size())),
                     option.name.data());
        QVERIFY(help.contains(QStringLiteral("--help")));
        QVERIFY(help.contains(QStringLiteral("--version")));
    }
};

} // namespace tarn

QTEST_GUILESS_MAIN(tarn::CommandLineParserTest)
#include "CommandLineParserTest.moc"
