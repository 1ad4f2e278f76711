// Writes the handheld's three standard palettes as Windows RIFF palette files:
// Palm256Color.pal (the 8-bit system palette), PalmMonochrome.pal and Palm4Color.pal; and, when
// given a second argument, the C++ source of their exact nearest-colour tables, so that the
// program finds nearest colours of its own palettes without working anything out at start.
//
// Usage: make-palettes OUTPUT_FOLDER [TABLE_SOURCE.cpp]

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "NearestTableSource.h"

namespace {

struct Rgb {
    std::uint8_t red, green, blue;
};

// The 8-bit system palette: a 6x6x6 colour cube in the handheld's own order (blue levels
// FF CC 99 first, then 66 33 00; within each, red falling, then blue, then green), with black
// left out of the cube; then the ten greys the cube lacks, five extra colours, and black
// filling the rest.
std::vector<Rgb> SystemPalette() {
    constexpr std::array<std::uint8_t, 6> kLevels = {0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00};
    std::vector<Rgb> colours;
    for (int half = 0; half < 2; ++half) {
        for (const std::uint8_t red : kLevels) {
            for (int blue = 0; blue < 3; ++blue) {
                for (const std::uint8_t green : kLevels) {
                    colours.push_back(
                        {red, green, kLevels[static_cast<std::size_t>(half * 3 + blue)]});
                }
            }
        }
    }
    colours.pop_back();  // black comes at the end instead
    for (int grey = 0x11; grey < 0xFF; grey += 0x11) {
        if (grey % 0x33 != 0) {
            const auto level = static_cast<std::uint8_t>(grey);
            colours.push_back({level, level, level});
        }
    }
    const std::array<Rgb, 5> extras = {Rgb{0xC0, 0xC0, 0xC0}, Rgb{0x80, 0x00, 0x00},
                                       Rgb{0x80, 0x00, 0x80}, Rgb{0x00, 0x80, 0x00},
                                       Rgb{0x00, 0x80, 0x80}};
    colours.insert(colours.end(), extras.begin(), extras.end());
    colours.resize(256, Rgb{0, 0, 0});
    return colours;
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutLe16(out, value & 0xFFFF);
    PutLe16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

// RIFF "PAL " form with one "data" chunk holding a LOGPALETTE (version 0x300).
std::vector<std::uint8_t> RiffPalette(const std::vector<Rgb>& colours) {
    const auto dataSize = static_cast<std::uint32_t>(4 + 4 * colours.size());
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    PutLe32(out, 4 + 8 + dataSize);
    PutTag(out, "PAL ");
    PutTag(out, "data");
    PutLe32(out, dataSize);
    PutLe16(out, 0x300);
    PutLe16(out, static_cast<std::uint32_t>(colours.size()));
    for (const Rgb& colour : colours) {
        out.insert(out.end(), {colour.red, colour.green, colour.blue, 0});
    }
    return out;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "make-palettes: cannot write " << path << "\n";
        return false;
    }
    return true;
}

std::vector<trovique::PaletteColour> ColoursOf(const std::vector<Rgb>& palette) {
    std::vector<trovique::PaletteColour> colours;
    for (const Rgb& colour : palette) {
        colours.push_back({colour.red, colour.green, colour.blue});
    }
    return colours;
}

// Written aside and renamed, so that an interrupted build leaves no half a source behind.
bool WriteTableSource(const std::filesystem::path& path,
                      const std::vector<trovique::tools::NamedPalette>& palettes) {
    const std::filesystem::path partial = path.string() + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        trovique::tools::WriteNearestTableSource(out, palettes);
        out.close();
        if (!out) {
            std::cerr << "make-palettes: cannot write " << partial << "\n";
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::cerr << "make-palettes: cannot write " << path << ": " << error.message() << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: make-palettes OUTPUT_FOLDER [TABLE_SOURCE.cpp]\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::vector<Rgb> system = SystemPalette();
    const std::vector<Rgb> mono = {{0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}};
    const std::vector<Rgb> grey = {
        {0xFF, 0xFF, 0xFF}, {0xAA, 0xAA, 0xAA}, {0x55, 0x55, 0x55}, {0x00, 0x00, 0x00}};
    bool ok = WriteFile(folder / "Palm256Color.pal", RiffPalette(system)) &&
              WriteFile(folder / "PalmMonochrome.pal", RiffPalette(mono)) &&
              WriteFile(folder / "Palm4Color.pal", RiffPalette(grey));
    if (ok && argc == 3) {
        // Finer cells for the 256 colours, where pictures are re-indexed pixel by pixel: fewer
        // of them hold a group to search. The small palettes only re-index colour tables.
        ok = WriteTableSource(argv[2], {{"Palm256Color", ColoursOf(system), 6},
                                        {"PalmMonochrome", ColoursOf(mono), 4},
                                        {"Palm4Color", ColoursOf(grey), 4}});
    }
    return ok ? 0 : 1;
}
