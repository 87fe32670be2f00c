#include "app/ini_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "app/terminal_text.h"
#include "config/ini_file.h"
#include "config/ini_line.h"
#include "config/text_file_read.h"
#include "host/vx_string.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitWarnings = 1;
constexpr int kExitNotLoaded = 2;

// Everything of the file is shown escaped: a mapping file must not drive the terminal.
std::string Utf8(std::u16string_view text) {
    return EscapeControls(VxString(text).toUtf8());
}

std::string Quoted(std::u16string_view text) {
    return "\"" + Utf8(text) + "\"";
}

std::string Header(std::u16string_view name) {
    return "[" + Utf8(name) + "]";
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::string EncodingName(CTextFileRead::TextEncoding encoding, int markLength) {
    std::string name;
    switch (encoding) {
        case CTextFileRead::Ansi:
            return "ANSI code page";
        case CTextFileRead::Utf8:
            return "UTF-8 with byte-order mark";
        case CTextFileRead::Utf16LittleEndian:
            name = "UTF-16LE";
            break;
        case CTextFileRead::Utf16BigEndian:
            name = "UTF-16BE";
            break;
    }
    return name + (markLength > 0 ? " with byte-order mark"
                                  : " without byte-order mark (recognised by its statistics)");
}

struct Warning {
    int line;
    std::string text;
};

// What the loader saw of one section, to name the lines that a later one overrides.
struct SectionSeen {
    int headerLine = 0;
    std::map<std::u16string, int> keyLines;
    int superLine = 0;
    std::u16string superValue;
};

// Walks the file line by line with the loader's reader and line rules and notes what the
// load does silently: lines it ignores, splits, blanks that become part of names, overrides.
class LoadExplainer {
  public:
    explicit LoadExplainer(std::string limitText) : limitText_(std::move(limitText)) {}

    void Line(int number, bool continuation, bool split, std::u16string_view text) {
        if (split && !continuation) {
            Warn(number,
                 "longer than " + limitText_ + ": split, its rest is read as a line of its own");
        }
        const IniLine line = ClassifyIniLine(text);
        switch (line.kind) {
            case IniLineKind::kEmpty:
            case IniLineKind::kComment:
                return;
            case IniLineKind::kHeader:
                OnHeader(number, line.name);
                return;
            case IniLineKind::kEntry:
            case IniLineKind::kOther:
                break;
        }
        const bool misleading = LeadingBlankMarker(number, text);
        if (current_ == nullptr) {
            Warn(number, "before the first section header: ignored");
        } else if (line.kind == IniLineKind::kOther) {
            if (!misleading) {
                Warn(number, "no \"=\": ignored");
            }
        } else {
            Entry(number, line.key, line.value);
        }
    }

    // Checks what can only be judged on the loaded file: the "SUPER" references.
    void Finish(const CIniFile& file) {
        if (file.LoadState() == -2) {
            Warn(0, "no section header: the file holds no section");
        }
        for (const auto& [name, seen] : sections_) {
            if (seen.superLine == 0) {
                continue;
            }
            const std::u16string base = FoldSectionName(seen.superValue);
            if (base == name) {
                Warn(seen.superLine, "SUPER of " + Header(name) + " names the section itself");
            } else if (!file.HasSection(base)) {
                Warn(seen.superLine, "SUPER of " + Header(name) + " names " + Header(base) +
                                         ", which is not in the file: ignored");
            }
        }
        std::stable_sort(warnings_.begin(), warnings_.end(),
                         [](const Warning& a, const Warning& b) { return a.line < b.line; });
    }

    const std::vector<Warning>& warnings() const { return warnings_; }

  private:
    void Warn(int line, std::string text) { warnings_.push_back({line, std::move(text)}); }

    void OnHeader(int number, std::u16string_view written) {
        if (written.empty()) {
            Warn(number, "section header with an empty name");
        }
        const std::u16string name = FoldSectionName(written);
        const auto earlier = sections_.find(name);
        if (earlier != sections_.end()) {
            Warn(number, "section " + Header(name) + " given again: the section of line " +
                             std::to_string(earlier->second.headerLine) + " is discarded");
        }
        SectionSeen& seen = sections_[name];
        seen = SectionSeen{};
        seen.headerLine = number;
        current_ = &seen;
        currentName_ = name;
    }

    // A blank before "[" or ";" hides the marker: the line is neither header nor comment.
    bool LeadingBlankMarker(int number, std::u16string_view text) {
        const std::size_t first = text.find_first_not_of(u" \t");
        if (first == 0 || first == std::u16string_view::npos) {
            return false;
        }
        if (text[first] == u'[') {
            Warn(number, "a blank before \"[\": not a section header");
            return true;
        }
        if (text[first] == u';') {
            Warn(number, "a blank before \";\": not a comment");
            return true;
        }
        return false;
    }

    void Entry(int number, std::u16string_view written, std::u16string_view value) {
        BlankWarnings(number, "key", written);
        BlankWarnings(number, "value", value);
        const std::u16string key = StoredEntryKey(written);
        const auto earlier = current_->keyLines.find(key);
        if (earlier != current_->keyLines.end()) {
            Warn(number, "key " + Quoted(key) + " given again in " + Header(currentName_) +
                             ": the value of line " + std::to_string(earlier->second) + " is lost");
        }
        current_->keyLines[key] = number;
        if (key == kSuperKey) {
            current_->superLine = number;
            current_->superValue = std::u16string(value);
        }
    }

    void BlankWarnings(int number, const std::string& what, std::u16string_view text) {
        if (!text.empty() && IsBlank(text.front())) {
            Warn(number,
                 what + " " + Quoted(text) + " begins with a blank, which is part of the " + what);
        }
        if (!text.empty() && IsBlank(text.back())) {
            Warn(number,
                 what + " " + Quoted(text) + " ends with a blank, which is part of the " + what);
        }
    }

    std::string limitText_;
    std::vector<Warning> warnings_;
    std::map<std::u16string, SectionSeen> sections_;
    SectionSeen* current_ = nullptr;
    std::u16string currentName_;
};

struct Arguments {
    std::string file;
    std::optional<std::string> section;
};

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args) {
    Arguments parsed;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--section") {
            if (i + 1 >= args.size() || parsed.section) {
                return std::nullopt;
            }
            parsed.section = args[++i];
        } else if (!haveFile && !args[i].starts_with("--")) {
            parsed.file = args[i];
            haveFile = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveFile) {
        return std::nullopt;
    }
    return parsed;
}

const char* WhyNotLoaded(const std::u16string& path) {
    CTextFileRead reader;
    reader.Open(path);
    switch (reader.LastRefusal()) {
        case CTextFileRead::Refusal::kMissing:
            return "no such file";
        case CTextFileRead::Refusal::kNotRegular:
            return "not a regular file (a device, pipe or folder is never read)";
        case CTextFileRead::Refusal::kTooLarge:
            return "larger than 64 MiB, far beyond any mapping file";
        case CTextFileRead::Refusal::kNone:
        case CTextFileRead::Refusal::kUnreadable:
            break;
    }
    return "unreadable or shorter than two bytes";
}

struct ReadResult {
    std::string encoding;
    std::vector<Warning> warnings;
};

ReadResult Explain(const std::u16string& path, const CIniFile& file) {
    ReadResult result;
    CTextFileRead reader;
    if (!reader.Open(path)) {
        return result;
    }
    result.encoding = EncodingName(reader.Encoding(), reader.MarkLength());
    const std::string limit = reader.Encoding() == CTextFileRead::Ansi
                                  ? std::to_string(kIniLineBufferSize - 1) + " bytes"
                                  : std::to_string(kIniLineBufferSize - 3) + " characters";
    LoadExplainer explainer(limit);
    char16_t buffer[kIniLineBufferSize];
    bool continuation = false;
    while (!reader.AtEnd() && reader.ReadLine(buffer, kIniLineBufferSize)) {
        explainer.Line(reader.LineNumber(), continuation, reader.LineWasSplit(),
                       std::u16string_view(buffer));
        continuation = reader.LineWasSplit();
    }
    reader.Close();
    explainer.Finish(file);
    result.warnings = explainer.warnings();
    return result;
}

void PrintWarnings(const std::vector<Warning>& warnings, std::ostream& to) {
    for (const Warning& warning : warnings) {
        if (warning.line > 0) {
            to << "line " << warning.line << ": ";
        }
        to << warning.text << '\n';
    }
}

void PrintEntries(const SectionEntries& entries, std::ostream& out) {
    for (const auto& [key, value] : entries) {
        out << Utf8(key) << '=' << Utf8(value) << '\n';
    }
}

}  // namespace

int runIniCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<Arguments> parsed = ParseArguments(args);
    if (!parsed) {
        err << "usage: vexa-sim ini-check FILE [--section NAME]\n";
        return kExitNotLoaded;
    }
    const std::u16string path = VxString::fromUtf8(parsed->file).str();
    CIniFile file;
    file.Load(path);
    if (file.LoadState() == -1) {
        err << "ini-check: cannot load " << EscapeControls(parsed->file) << ": "
            << EscapeControls(WhyNotLoaded(path)) << "\n";
        return kExitNotLoaded;
    }
    ReadResult read = Explain(path, file);

    if (parsed->section) {
        const std::u16string name = VxString::fromUtf8(*parsed->section).str();
        SectionEntries entries;
        if (!file.HasSection(name)) {
            read.warnings.push_back(
                {0, "no section " + Header(FoldSectionName(name)) + " in the file"});
        }
        file.ReadSection(name, false, entries);
        PrintEntries(entries, out);
        PrintWarnings(read.warnings, err);
        return read.warnings.empty() ? kExitClean : kExitWarnings;
    }

    out << "file: " << EscapeControls(parsed->file) << '\n';
    out << "encoding: " << read.encoding << '\n';
    out << "load state: " << file.LoadState() << '\n';
    const std::vector<std::u16string> names = file.SectionNames();
    out << "sections: " << names.size() << '\n';
    for (const std::u16string& name : names) {
        SectionEntries entries;
        file.ReadSection(name, false, entries);
        out << '\n' << Header(name) << '\n';
        PrintEntries(entries, out);
    }
    out << "\nwarnings: " << read.warnings.size() << '\n';
    PrintWarnings(read.warnings, out);
    return read.warnings.empty() ? kExitClean : kExitWarnings;
}
