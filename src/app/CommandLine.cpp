#include "app/CommandLine.h"

#include "app/Messages.h"

namespace tarn {

CommandLine CommandLine::parse(std::span<const std::string_view> args)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.showHelp = true;
        } else if (arg == "--port-device") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--port-device");
                return line;
            }
            line.portDevice = std::string(args[++i]);
        } else if (arg.starts_with("--port-device=")) {
            const auto value = arg.substr(std::string_view("--port-device=").size());
            if (value.empty()) {
                line.error = Messages::format(Messages::OptionNeedsValue, "--port-device");
                return line;
            }
            line.portDevice = std::string(value);
        } else {
            line.error = Messages::format(Messages::UnknownOption, std::string(arg).c_str());
            return line;
        }
    }
    return line;
}

} // namespace tarn
