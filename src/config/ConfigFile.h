#pragma once

#include "config/ConfigSnapshot.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarn {

// The camera configuration file: text a technician diffs and keeps under
// version control. A header section, then one section per dialog:
//
//   [Header]
//   Format=1
//   Date=2026-12-10 09:14:03
//   Address=5
//   ...
//   [Camera ID]
//   State=read
//   ID Text 1=LOBBY EAST
//   Line 2=" two spaces "
//
// Everything after the first '=' is the value, spaces around it trimmed. A
// value that starts or ends with a space, or holds a quote, a backslash or a
// byte outside printable ASCII, is written in double quotes with \" \\ and
// \xHH escapes, so that every text the wire allows comes back byte for byte.
// A line starting with ';' or '#' is a comment.
namespace ConfigFile {

// Larger files are refused: a whole dome's settings take a few KB.
inline constexpr std::size_t LargestFile = 1 << 20;

struct Parsed {
    std::optional<ConfigSnapshot> snapshot;
    // Why the file was refused, naming its line or field; empty when read.
    std::string problem;
};

std::string serialise(const ConfigSnapshot& snapshot);
// A value as the file writes it: as it is, or quoted with escapes.
std::string shownValue(std::string_view value);
// Refuses a file with a line that does not read, a section or field given
// twice, no [Header], no Format or one this console does not know, or a
// section without its State. Nothing past the text's end is read.
Parsed parse(std::string_view text);

Parsed load(const std::string& path);
// Written whole or not at all; the reason when it failed.
std::optional<std::string> save(const std::string& path, const ConfigSnapshot& snapshot);

} // namespace ConfigFile
} // namespace tarn
