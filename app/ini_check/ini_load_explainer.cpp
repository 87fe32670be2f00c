#include "app/ini_check/ini_load_explainer.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/ini_check/ansi_reading.h"
#include "config/ini_line.h"
#include "config/ini_load_observer.h"

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

class LoadExplainer : public IniLoadObserver {
  public:
    void OnOpened(CTextFileRead::TextEncoding encoding, std::int32_t markLength,
                  std::int32_t lineLimit) override {
        encoding_ = EncodingName(encoding, markLength);
        ansi_ = encoding == CTextFileRead::Ansi;
        limitText_ = std::to_string(lineLimit) +
                     (encoding == CTextFileRead::Ansi ? " bytes" : " characters");
    }

    void OnRefused(CTextFileRead::Refusal why) override { refusal_ = why; }

    void OnLine(const IniLineRead& read) override {
        if (read.split && !read.continuation) {
            Warn(read.number,
                 "longer than " + limitText_ + ": split, its rest is read as a line of its own");
        }
        if (ansi_ && read.line.kind != IniLineKind::kComment) {
            if (const std::optional<std::u16string> utf8 = Utf8ReadingOfAnsiLine(read.text)) {
                Warn(read.number, "read in the ANSI code page as " + Quoted(read.text) +
                                      ", but its bytes are UTF-8 for " + Quoted(*utf8) +
                                      ": save the file as UTF-8 with byte-order mark");
            }
        }
        switch (read.line.kind) {
            case IniLineKind::kEmpty:
            case IniLineKind::kComment:
                return;
            case IniLineKind::kHeader:
                OnHeader(read);
                return;
            case IniLineKind::kEntry:
            case IniLineKind::kOther:
                break;
        }
        const bool misleading = LeadingBlankMarker(read.number, read.text);
        if (read.section == nullptr) {
            Warn(read.number, "before the first section header: ignored");
        } else if (read.line.kind == IniLineKind::kOther) {
            if (!misleading) {
                Warn(read.number, "no \"=\": ignored");
            }
        } else {
            Entry(read);
        }
    }

    // Adds what can only be judged on the loaded file: the "SUPER" references.
    LoadExplanation Finish(const CIniFile& file) {
        if (file.LoadState() == kIniNoSection) {
            Warn(0, "no section header: the file holds no section");
        }
        for (const auto& [name, seen] : sections_) {
            const auto superLine = seen.keyLines.find(std::u16string(kSuperKey));
            const std::optional<std::u16string> base = file.SuperSection(name);
            if (superLine == seen.keyLines.end() || !base) {
                continue;
            }
            if (*base == name) {
                Warn(superLine->second, "SUPER of " + Header(name) + " names the section itself");
            } else if (!file.HasSection(*base)) {
                Warn(superLine->second, "SUPER of " + Header(name) + " names " + Header(*base) +
                                            ", which is not in the file: ignored");
            } else {
                OverriddenBySuper(name, seen, *base);
                SuperChain(file, name, superLine->second);
            }
        }
        SortByLine(warnings_);
        return Take();
    }

    LoadExplanation Take() {
        LoadExplanation result;
        result.encoding = std::move(encoding_);
        result.warnings = std::move(warnings_);
        result.sections = std::move(sections_);
        result.refusal = refusal_;
        return result;
    }

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

    // ReadSection follows one level of SUPER: a base's own SUPER only replaces the SUPER pair.
    void SuperChain(const CIniFile& file, const std::u16string& name, int line) {
        std::vector<std::u16string> chain{name};
        for (;;) {
            const std::optional<std::u16string> next = file.SuperSection(chain.back());
            if (!next || *next == chain.back() || !file.HasSection(*next)) {
                break;
            }
            const auto again = std::find(chain.begin(), chain.end(), *next);
            if (again == chain.begin()) {
                // Told once, at the SUPER line of the loop's first section in name order.
                if (std::min_element(chain.begin(), chain.end()) == chain.begin()) {
                    std::string loop;
                    for (const std::u16string& member : chain) {
                        loop += Header(member) + " -> ";
                    }
                    Warn(line, "SUPER loop " + loop + Header(name) +
                                   ": only one level is followed, each of them gets its SUPER "
                                   "section's entries and that section's SUPER pair");
                }
                return;
            }
            if (again != chain.end()) {
                return;  // a loop further on, told at its own sections
            }
            chain.push_back(*next);
        }
        if (chain.size() > 2) {
            Warn(line, "SUPER of " + Header(name) + " names " + Header(chain[1]) +
                           ", whose own SUPER " + Header(chain[2]) +
                           " is not followed: only one level is read, so " + Header(name) +
                           " gets none of " + Header(chain[2]) + "'s entries");
        }
    }

    void OnHeader(const IniLineRead& read) {
        const int number = read.number;
        const std::u16string_view written = read.line.name;
        if (!read.line.closed) {
            Warn(number, "section header without \"]\": the rest of the line, " + Quoted(written) +
                             ", is the section's name");
        } else if (!read.line.rest.empty()) {
            Warn(number,
                 "text " + Quoted(read.line.rest) + " after the header's last \"]\": ignored");
        }
        if (read.line.closed && written.find(u']') != std::u16string_view::npos) {
            Warn(number,
                 "the header ends at its last \"]\": the section's name is " + Quoted(written));
        }
        if (written.empty()) {
            Warn(number, "section header with an empty name");
        }
        const std::u16string& name = *read.section;
        SectionSeen& seen = sections_[name];
        if (read.restarted) {
            Warn(number, "section " + Header(name) + " given again: the section of line " +
                             std::to_string(seen.headerLine) + " is discarded");
        }
        seen = SectionSeen{};
        seen.headerLine = number;
        current_ = &seen;
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

    void Entry(const IniLineRead& read) {
        const int number = read.number;
        BlankWarnings(number, "key", read.line.key);
        BlankWarnings(number, "value", read.line.value);
        const std::u16string key(read.storedKey);
        if (read.fate == IniEntryFate::kReplaced) {
            Warn(number, "key " + Quoted(key) + " given again in " + Header(*read.section) +
                             ": the value of line " + std::to_string(current_->keyLines.at(key)) +
                             " is lost");
        }
        current_->keyLines[key] = number;
        if (key == kSuperKey) {
            current_->superValue = std::u16string(read.line.value);
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

    std::string encoding_;
    bool ansi_ = false;
    std::string limitText_;
    CTextFileRead::Refusal refusal_ = CTextFileRead::Refusal::kNone;
    std::vector<IniWarning> warnings_;
    SectionsSeen sections_;
    SectionSeen* current_ = nullptr;
};

}  // namespace

LoadExplanation LoadAndExplain(const std::u16string& path, CIniFile& file) {
    LoadExplainer explainer;
    file.Load(path, &explainer);
    if (file.LoadState() == kIniFileNotOpened) {
        return explainer.Take();
    }
    return explainer.Finish(file);
}
