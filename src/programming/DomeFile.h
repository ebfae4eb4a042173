#pragma once

#include "programming/LocalTables.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarn {

// "Dome.dat", the local copy of the sector, privacy zone and tour tables.
// Binary, little-endian, without counts: the version int32 1, then 16
// sectors (left, right as int16, the ID text as an archive string, enabled
// as int32), 8 zones (left, right, enabled) and 8 tours (33 pairs of int32
// preset and dwell). An archive string is its length as one byte below 255,
// else FF and a uint16 below FFFE, else FF FFFF and a uint32; then the
// characters.
namespace DomeFile {

inline constexpr std::int32_t Version = 1;
inline constexpr const char* FileName = "Dome.dat";
// A good file is under 3 KB; more than this is not read.
inline constexpr std::size_t LargestRead = 1 << 20;

struct Contents {
    LocalTables tables;
    // The whole file was read; false means defaults stand in for some or all.
    bool read = false;
};

// From the file's bytes. A wrong version gives the tables as constructed
// (empty texts); anything else that cannot be read intact (a file too short,
// a string running past the end) gives the no-file defaults from there on.
Contents parse(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> serialise(const LocalTables& tables);

// The file at `path`; the no-file defaults when it cannot be read.
Contents load(const std::string& path);
// Writes it whole or not at all; the reason when it failed.
std::optional<std::string> save(const std::string& path, const LocalTables& tables);

} // namespace DomeFile
} // namespace tarn
