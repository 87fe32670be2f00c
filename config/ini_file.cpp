#include "config/ini_file.h"

#include <string_view>

#include "config/ini_line.h"
#include "config/text_file_read.h"

namespace {

void StoreEntries(const SectionEntries& from, bool reversed, SectionEntries& into) {
    for (const auto& [key, value] : from) {
        if (reversed) {
            into.insert_or_assign(value, key);
        } else {
            into.insert_or_assign(key, value);
        }
    }
}

// The folded name that a section's "SUPER" entry names.
std::optional<std::u16string> SuperOf(const SectionEntries& own) {
    const auto super = own.find(std::u16string(kSuperKey));
    if (super == own.end()) {
        return std::nullopt;
    }
    return FoldSectionName(super->second);
}

}  // namespace

CIniFile::CIniFile() = default;

CIniFile::~CIniFile() = default;

bool CIniFile::Load(const std::u16string& path, IniLoadObserver* observer) {
    fileName_ = path;
    CTextFileRead reader;
    if (!reader.Open(path)) {
        loadState_ = kIniFileNotOpened;
        if (observer != nullptr) {
            observer->OnRefused(reader.LastRefusal());
        }
        return false;
    }
    if (observer != nullptr) {
        observer->OnOpened(reader.Encoding(), reader.MarkLength(),
                           reader.LineLimit(kIniLineBufferSize));
    }
    char16_t buffer[kIniLineBufferSize];
    CIniSection* current = nullptr;
    const std::u16string* currentName = nullptr;
    bool split = false;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(buffer, kIniLineBufferSize)) {
            break;
        }
        IniLineRead read;
        read.number = reader.LineNumber();
        read.continuation = split;
        read.split = split = reader.LineWasSplit();
        read.text = std::u16string_view(buffer);
        read.line = ClassifyIniLine(read.text);
        std::u16string ignoredKey;
        switch (read.line.kind) {
            case IniLineKind::kHeader: {
                // A header given again starts its section afresh.
                const auto [at, added] = sections_.insert_or_assign(
                    FoldSectionName(read.line.name), std::make_unique<CIniSection>());
                current = at->second.get();
                currentName = &at->first;
                read.restarted = !added;
                break;
            }
            case IniLineKind::kEntry:
                if (current != nullptr) {
                    const auto [entry, added] = current->SetEntry(read.line.key, read.line.value);
                    read.fate = added ? IniEntryFate::kStored : IniEntryFate::kReplaced;
                    read.storedKey = entry->first;
                } else if (observer != nullptr) {
                    ignoredKey = StoredEntryKey(read.line.key);
                    read.storedKey = ignoredKey;
                }
                break;
            case IniLineKind::kEmpty:
            case IniLineKind::kComment:
            case IniLineKind::kOther:
                break;
        }
        if (observer != nullptr) {
            read.section = currentName;
            observer->OnLine(read);
        }
    }
    // A file that grew past the bound while it was read, or that failed part-way, is as
    // unreadable as one that never opened: half a mapping would pass for the whole.
    const CTextFileRead::Refusal refusal = reader.LastRefusal();
    reader.Close();
    if (refusal != CTextFileRead::Refusal::kNone) {
        sections_.clear();
        loadState_ = kIniFileNotOpened;
        if (observer != nullptr) {
            observer->OnRefused(refusal);
        }
        return false;
    }
    loadState_ = sections_.empty() ? kIniNoSection : kIniLoaded;
    return loadState_ == kIniLoaded;
}

bool CIniFile::ReadSection(const std::u16string& name, bool reversed,
                           SectionEntries& entries) const {
    const auto found = sections_.find(FoldSectionName(name));
    if (found == sections_.end()) {
        return false;
    }
    const SectionEntries& own = found->second->Entries();
    StoreEntries(own, reversed, entries);
    // One level only: the base section's own "SUPER" is stored like any entry, never followed.
    if (const std::optional<std::u16string> super = SuperOf(own)) {
        const auto base = sections_.find(*super);
        if (base != sections_.end()) {
            StoreEntries(base->second->Entries(), reversed, entries);
        }
    }
    return !entries.empty();
}

std::optional<std::u16string> CIniFile::SuperSection(const std::u16string& name) const {
    const auto found = sections_.find(FoldSectionName(name));
    if (found == sections_.end()) {
        return std::nullopt;
    }
    return SuperOf(found->second->Entries());
}

bool CIniFile::HasSection(const std::u16string& name) const {
    return sections_.contains(FoldSectionName(name));
}

std::u16string CIniFile::GetFileName() const {
    return fileName_;
}

std::vector<std::u16string> CIniFile::SectionNames() const {
    std::vector<std::u16string> names;
    names.reserve(sections_.size());
    for (const auto& entry : sections_) {
        names.push_back(entry.first);
    }
    return names;
}
