#include "app/CommandLine.h"
#include "app/CommandLineParser.h"
#include "app/ConsoleApp.h"
#include "app/HeadlessConfig.h"
#include "app/HeadlessSweep.h"
#include "core/Messages.h"
#include "core/Version.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    // Read before the application exists, so --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    tarn::CommandLineParser parser;
    const tarn::CommandLine commandLine = parser.parse(arguments);
    if (!commandLine.error.empty()) {
        std::cerr << commandLine.error << "\n\n" << parser.helpText().toStdString();
        return 2;
    }
    if (commandLine.showHelp) {
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (commandLine.showVersion) {
        std::cout << tarn::Messages::format(tarn::Messages::VersionLine, tarn::ProgramVersion);
        return 0;
    }

    if (commandLine.sweep) {
        // For scripts: no window, no display needed.
        QCoreApplication application(argc, argv);
        return tarn::HeadlessSweep().run(commandLine);
    }

    if (commandLine.config) {
        QCoreApplication application(argc, argv);
        return tarn::HeadlessConfig().run(commandLine);
    }

    QApplication application(argc, argv);
    return tarn::ConsoleApp().run(commandLine);
}
