#pragma once

namespace tarn {

struct CommandLine;

// `tarn-console --save-config`, `--compare-config` and `--write-config`:
// a configuration job without a window, for scripts.
class HeadlessConfig {
public:
    // Exit statuses.
    static constexpr int Equal = 0;        // done, and equal or written as asked
    static constexpr int Different = 1;    // different, or not all confirmed
    static constexpr int BadInput = 2;     // a bad option or a file that does not read
    static constexpr int CameraSilent = 3; // the camera did not answer

    // Needs a QCoreApplication.
    int run(const CommandLine& commandLine);
};

} // namespace tarn
