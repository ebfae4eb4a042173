#pragma once

#include "control/SiteCamera.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// The site file: the cameras of a site as text a technician can edit and keep
// beside the site's drawings. One section per camera, in the list's order:
//
//   [Camera 1]
//   Name=Lobby, east door
//   Link=COM3                 (or /dev/ttyUSB0, or 192.168.1.200:4001)
//   Protocol=2                (the Setup dialog's protocol index)
//   Baud=9600                 (the line speed itself, not its index)
//   Address=12
//   ReceiverType=1            (settings "RxType")
//   CameraType=1              (settings "CamType", the module)
//   PanTiltType=1             (settings "PTType")
//   Group=Ground floor
//   Note=
//
// Keys are matched without regard to case; everything after the first '=' is
// the value, spaces around it trimmed, so '=' and ';' may be part of it. A
// line starting with ';' or '#' is a comment. Name, Link, Protocol, Baud and
// Address are required; the three types take the settings' first-run
// defaults when absent. At most the first 255 cameras of the file load; they
// are listed by their section number, and the file is written numbered 1, 2,
// 3... in the list's order. docs/site-file.md has the whole format.
namespace SiteFile {

inline constexpr int MostCameras = 255;
// 255 cameras take about 60 KB; a file larger than this is read only so far.
inline constexpr std::size_t LargestRead = 1 << 20;
// Problems beyond this many are counted in one last line.
inline constexpr std::size_t MostProblemsShown = 50;

struct Contents {
    std::vector<SiteCamera> cameras;
    // One line per problem, each naming its line or entry; the cameras they
    // name are not in `cameras`, every other one is.
    std::vector<std::string> problems;
    // The file could be opened and read.
    bool opened = true;

    // The problems as the lines of one box.
    std::string problemText() const;
};

// Line by line; nothing past the text's end is read.
Contents parse(std::string_view text);
// Every camera given, numbered from 1, after a comment that explains the keys.
std::string serialise(std::span<const SiteCamera> cameras);

Contents load(const std::string& path);
// Writes it whole or not at all (a new file takes the old one's place); the
// message when it failed.
std::optional<std::string> save(const std::string& path, std::span<const SiteCamera> cameras);

} // namespace SiteFile
} // namespace tarn
