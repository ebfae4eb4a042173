#include "app/CommandLine.h"
#include "app/ConsoleApp.h"
#include "app/HeadlessSweep.h"
#include "core/Messages.h"

#include <QApplication>

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char* argv[])
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto commandLine = tarn::CommandLine::parse(args);
    if (!commandLine.error.empty()) {
        std::cerr << commandLine.error << '\n' << tarn::Messages::Usage;
        return 2;
    }
    if (commandLine.showHelp) {
        std::cout << tarn::Messages::Usage;
        return 0;
    }

    if (commandLine.sweep) {
        // For scripts: no window, no display needed.
        QCoreApplication application(argc, argv);
        return tarn::HeadlessSweep().run(commandLine);
    }

    QApplication application(argc, argv);
    return tarn::ConsoleApp().run(commandLine);
}
