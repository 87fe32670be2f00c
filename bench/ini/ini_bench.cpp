// Mapping-file throughput: CIniFile (load, then read every section) on generated files of
// about 1 MB and 20 MB in each encoding, beside inih and SimpleIni on the same ANSI and UTF-8
// bytes, storing the same entries and reading every section back the same way.
//
// Prints MB/s of file bytes for each and the ratio of ours to each; the best of three runs.
#include <ini.h>
#include <stdlib.h>

// The library is built with ICU conversion; its narrow interface needs none.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "config/ini_file.h"

namespace {

namespace fs = std::filesystem;

using NarrowSection = std::map<std::string, std::string>;
using NarrowFile = std::map<std::string, NarrowSection>;

// A mapping file of about `bytes` ANSI bytes: sections of 20 entries, every fourth section
// inheriting from the first, values with a few Latin-1 letters.
std::u16string MappingText(std::size_t bytes) {
    std::u16string text = u"; generated mapping file\r\n";
    char line[96];
    for (int section = 0; text.size() < bytes; ++section) {
        std::snprintf(line, sizeof line, "[Section%06d]\r\n", section);
        text.append(line, line + std::char_traits<char>::length(line));
        if (section % 4 == 3) {
            text += u"SUPER=Section000000\r\n";
        }
        for (int field = 0; field < 20; ++field) {
            std::snprintf(line, sizeof line, "FIELD_%02d_%06d=PDM_VALUE_%d_", field, section,
                          field * 7);
            text.append(line, line + std::char_traits<char>::length(line));
            text += u"Gr\u00F6\u00DFe\r\n";
        }
    }
    return text;
}

std::string Ansi(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c));  // Latin-1 letters only: same in Windows-1252
    }
    return out;
}

std::string Utf8WithMark(const std::u16string& text) {
    std::string out = "\xEF\xBB\xBF";
    for (char16_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Utf16WithMark(const std::u16string& text, bool bigEndian) {
    std::string out;
    out.reserve(2 * text.size() + 2);
    auto put = [&](char16_t c) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    };
    put(0xFEFF);
    for (char16_t c : text) {
        put(c);
    }
    return out;
}

// Seconds of the fastest of three runs; `run` answers a count so that nothing is elided.
double Best(const std::function<std::size_t()>& run, std::size_t& count) {
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        count = run();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::size_t Ours(const fs::path& path) {
    CIniFile file;
    file.Load(path.u16string());
    std::size_t entries = 0;
    for (const std::u16string& name : file.SectionNames()) {
        SectionEntries section;
        file.ReadSection(name, false, section);
        entries += section.size();
    }
    return entries;
}

int StoreInih(void* user, const char* section, const char* name, const char* value) {
    (*static_cast<NarrowFile*>(user))[section][name] = value;
    return 1;
}

std::size_t Inih(const fs::path& path) {
    NarrowFile file;
    ini_parse(path.c_str(), StoreInih, &file);
    std::size_t entries = 0;
    for (const auto& [name, stored] : file) {
        NarrowSection section = stored;
        entries += section.size();
    }
    return entries;
}

std::size_t SimpleIni(const fs::path& path) {
    CSimpleIniA file(true);  // UTF-8 aware; without multi-key, a later key replaces
    file.LoadFile(path.c_str());
    CSimpleIniA::TNamesDepend names;
    file.GetAllSections(names);
    std::size_t entries = 0;
    for (const auto& name : names) {
        NarrowSection section;
        if (const CSimpleIniA::TKeyVal* stored = file.GetSection(name.pItem)) {
            for (const auto& [key, value] : *stored) {
                section[key.pItem] = value;
            }
        }
        entries += section.size();
    }
    return entries;
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "orbd_ini_bench_XXXXXX").string();
    const fs::path dir = ::mkdtemp(pattern.data());
    std::printf("%-6s %-11s %9s %12s %9s %14s %9s %9s\n", "size", "encoding", "file MB",
                "ours MB/s", "entries", "other", "MB/s", "ours/it");
    for (std::size_t target : {std::size_t{1} << 20, std::size_t{20} << 20}) {
        const std::u16string text = MappingText(target);
        const struct {
            const char* name;
            std::string bytes;
            bool narrow;
        } files[] = {
            {"ANSI", Ansi(text), true},
            {"UTF-8+mark", Utf8WithMark(text), true},
            {"UTF-16LE", Utf16WithMark(text, false), false},
            {"UTF-16BE", Utf16WithMark(text, true), false},
        };
        for (const auto& f : files) {
            const fs::path path = dir / "mapping.ini";
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size()));
            const double mb = static_cast<double>(f.bytes.size()) / (1 << 20);
            std::size_t ourEntries = 0;
            const double ours = mb / Best([&] { return Ours(path); }, ourEntries);
            std::printf("%-6s %-11s %9.1f %12.1f %9zu\n", target == (1u << 20) ? "1MB" : "20MB",
                        f.name, mb, ours, ourEntries);
            if (!f.narrow) {
                continue;
            }
            const std::pair<const char*, std::function<std::size_t()>> others[] = {
                {"inih", [&] { return Inih(path); }},
                {"SimpleIni", [&] { return SimpleIni(path); }},
            };
            for (const auto& [name, run] : others) {
                std::size_t theirEntries = 0;
                const double theirs = mb / Best(run, theirEntries);
                std::printf("%-6s %-11s %9s %12s %9zu %14s %9.1f %9.2f\n", "", "", "", "",
                            theirEntries, name, theirs, ours / theirs);
            }
        }
    }
    fs::remove_all(dir);
    return 0;
}
