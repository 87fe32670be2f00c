#include "app/ini_check/ini_load_explainer.h"

#include <string_view>

#include "config/ini_line.h"
#include "config/text_file_read.h"

namespace {

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
                OnHeader(number, text, line.name);
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
        if (file.LoadState() == kIniNoSection) {
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
            } else {
                OverriddenBySuper(name, seen, base);
            }
        }
        SortByLine(warnings_);
    }

    std::vector<IniWarning> TakeWarnings() { return std::move(warnings_); }
    SectionsSeen TakeSections() { return std::move(sections_); }

  private:
    void Warn(int line, std::string text) { warnings_.push_back({line, std::move(text)}); }

    // ReadSection stores the SUPER section's entries over the section's own.
    void OverriddenBySuper(const std::u16string& name, const SectionSeen& seen,
                           const std::u16string& base) {
        const SectionSeen& baseSeen = sections_.at(base);
        for (const auto& [key, line] : seen.keyLines) {
            const auto inBase = baseSeen.keyLines.find(key);
            if (key == kSuperKey || inBase == baseSeen.keyLines.end()) {
                continue;
            }
            Warn(line, "key " + Quoted(key) + " of " + Header(name) +
                           " is also given in its SUPER " + Header(base) + " on line " +
                           std::to_string(inBase->second) +
                           ": the module reads the value of line " +
                           std::to_string(inBase->second) + ", not this one");
        }
    }

    void OnHeader(int number, std::u16string_view text, std::u16string_view written) {
        const std::size_t close = text.rfind(u']');
        if (close == std::u16string_view::npos) {
            Warn(number, "section header without \"]\": the rest of the line, " + Quoted(written) +
                             ", is the section's name");
        } else if (close + 1 < text.size()) {
            Warn(number, "text " + Quoted(text.substr(close + 1)) +
                             " after the header's last \"]\": ignored");
        }
        if (close != std::u16string_view::npos && written.find(u']') != std::u16string_view::npos) {
            Warn(number,
                 "the header ends at its last \"]\": the section's name is " + Quoted(written));
        }
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
    std::vector<IniWarning> warnings_;
    SectionsSeen sections_;
    SectionSeen* current_ = nullptr;
    std::u16string currentName_;
};

}  // namespace

LoadExplanation ExplainLoad(const std::u16string& path, const CIniFile& file) {
    LoadExplanation result;
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
    result.warnings = explainer.TakeWarnings();
    result.sections = explainer.TakeSections();
    return result;
}
