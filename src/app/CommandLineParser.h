#pragma once

#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

namespace tarn {

// The console's command line read as every Qt program reads its own
// (QCommandLineParser: --name value, --name=value, -h, --help, -v,
// --version), each value then checked by CommandLine's rules. Mistakes are
// told in the console's own words.
class CommandLineParser {
public:
    CommandLineParser();

    // `arguments` begin with the program's name, as argv does.
    CommandLine parse(const QStringList& arguments);
    // Every option with what it does.
    QString helpText() const;

private:
    QString mistake(const QStringList& arguments) const;

    QCommandLineParser m_parser;
};

} // namespace tarn
