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
        if (line.site)
            add("site=" + *line.site);
        if (line.sweep) {
            std::string sweep = "sweep";
            for (const int baud : line.sweep->baudIndexes)
                sweep += " baud#" + std::to_string(baud);
            for (const int protocol : line.sweep->protocolIndexes)
                sweep += " protocol" + std::to_string(protocol);
            sweep += " " + std::to_string(line.sweep->firstAddress) + "-" + std::to_string(line.sweep->lastAddress);
            if (line.sweep->siteOut)
                sweep += " out=" + *line.sweep->siteOut;
            add(sweep);
        }
        if (line.config) {
            static constexpr const char* Kinds[] = {"save", "compare", "write"};
            std::string job = std::string(Kinds[static_cast<int>(line.config->kind)]) + "=" + line.config->file;
            if (line.config->with)
                job += " with=" + *line.config->with;
            if (line.config->yes)
                job += " yes";
            add(job);
        }
        if (line.address)
            add("address=" + std::to_string(*line.address));
        if (line.speedUp != 1)
            add("speed-up=" + std::to_string(line.speedUp));
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
            {{"--site", "building-a.ini"}, "site=building-a.ini", ""},
            {{"--site"}, "", "tarn-console: --site needs a value"},
            // The sweep for scripts: rates by their speed (once each), protocols by index.
            {{"--sweep", "--port-device", "/dev/ttyUSB0", "--bauds", "9600,19200,9600", "--protocols", "1,2",
              "--addresses", "5-40", "--site-out", "site.ini"},
             "port=/dev/ttyUSB0 sweep baud#0 baud#6 protocol1 protocol2 5-40 out=site.ini", ""},
            {{"--connect", "10.0.0.9:4001", "--sweep"}, "connect=10..9:4001 sweep 1-254", ""},
            {{"--sweep", "--port-device", "/dev/x", "--addresses", "7"}, "port=/dev/x sweep 7-7", ""},
            {{"--sweep"}, "", "tarn-console: --sweep needs --port-device PATH or --connect HOST:PORT"},
            {{"--port-device", "/dev/x", "--bauds", "9600"}, "",
             "tarn-console: --bauds, --protocols, --addresses and --site-out go with --sweep"},
            {{"--sweep", "--port-device", "/dev/x", "--bauds", "9600,1234"}, "",
             "tarn-console: --bauds: 1234 is not one of 300, 600, 1200, 2400, 4800, 9600, 19200"},
            {{"--sweep", "--port-device", "/dev/x", "--protocols", "11"}, "",
             "tarn-console: --protocols: 11 is not a protocol from 0 to 10"},
            {{"--sweep", "--port-device", "/dev/x", "--protocols", "-1"}, "",
             "tarn-console: --protocols: -1 is not a protocol from 0 to 10"},
            {{"--sweep", "--port-device", "/dev/x", "--addresses", "40-5"}, "",
             "tarn-console: --addresses: 40-5 is not a range such as 1-254 (addresses 1 to 9999)"},
            {{"--sweep", "--port-device", "/dev/x", "--addresses", "0-5"}, "",
             "tarn-console: --addresses: 0-5 is not a range such as 1-254 (addresses 1 to 9999)"},
            {{"--sweep", "--port-device", "/dev/x", "--addresses", "1-"}, "",
             "tarn-console: --addresses: 1- is not a range such as 1-254 (addresses 1 to 9999)"},
            {{"--sweep", "--port-device", "/dev/x", "--site-out"}, "", "tarn-console: --site-out needs a value"},
            // Configuration jobs for scripts.
            {{"--save-config", "dome.ini", "--port-device", "/dev/x", "--address", "5"},
             "port=/dev/x save=dome.ini address=5", ""},
            {{"--compare-config", "a.ini", "--with", "b.ini"}, "compare=a.ini with=b.ini", ""},
            {{"--write-config", "a.ini", "--yes", "--connect", "10.0.0.9:4001"}, "connect=10..9:4001 write=a.ini yes", ""},
            {{"--save-config", "a.ini"}, "",
             "tarn-console: a configuration job on the camera needs --port-device PATH or --connect HOST:PORT"},
            {{"--save-config", "a.ini", "--write-config", "b.ini", "--port-device", "/dev/x"}, "",
             "tarn-console: --save-config, --compare-config, --write-config and --sweep go one at a time"},
            {{"--save-config", "a.ini", "--sweep", "--port-device", "/dev/x"}, "",
             "tarn-console: --save-config, --compare-config, --write-config and --sweep go one at a time"},
            {{"--save-config", "a.ini", "--yes", "--port-device", "/dev/x"}, "",
             "tarn-console: --with goes with --compare-config, --yes with --write-config, --address with a configuration job"},
            {{"--write-config", "a.ini", "--with", "b.ini", "--port-device", "/dev/x"}, "",
             "tarn-console: --with goes with --compare-config, --yes with --write-config, --address with a configuration job"},
            {{"--port-device", "/dev/x", "--address", "5"}, "",
             "tarn-console: --with goes with --compare-config, --yes with --write-config, --address with a configuration job"},
            // Timers run faster for measurements.
            {{"--port-device", "/dev/x", "--speed-up", "40"}, "port=/dev/x speed-up=40", ""},
            {{"--speed-up", "0"}, "", "tarn-console: --speed-up: 0 is not a factor from 1 to 1000"},
            {{"--speed-up", "1001"}, "", "tarn-console: --speed-up: 1001 is not a factor from 1 to 1000"},
            {{"--save-config", "a.ini", "--port-device", "/dev/x", "--address", "0"}, "",
             "tarn-console: --address: 0 is not an address from 1 to 9999"},
            {{"--save-config", "a.ini", "--port-device", "/dev/x", "--address", "5x"}, "",
             "tarn-console: --address: 5x is not an address from 1 to 9999"},
            {{"--save-config"}, "", "tarn-console: --save-config needs a value"},
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
