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

}  // namespace

CIniFile::CIniFile() = default;

CIniFile::~CIniFile() = default;

bool CIniFile::Load(const std::u16string& path) {
    fileName_ = path;
    CTextFileRead reader;
    if (!reader.Open(path)) {
        loadState_ = kIniFileNotOpened;
        return false;
    }
    char16_t buffer[kIniLineBufferSize];
    CIniSection* current = nullptr;
    while (!reader.AtEnd()) {
        if (!reader.ReadLine(buffer, kIniLineBufferSize)) {
            break;
        }
        const IniLine line = ClassifyIniLine(std::u16string_view(buffer));
        switch (line.kind) {
            case IniLineKind::kHeader: {
                auto section = std::make_unique<CIniSection>();
                current = section.get();
                sections_.insert_or_assign(FoldSectionName(line.name), std::move(section));
                break;
            }
            case IniLineKind::kEntry:
                if (current != nullptr) {
                    current->SetEntry(line.key, line.value);
                }
                break;
            case IniLineKind::kEmpty:
            case IniLineKind::kComment:
            case IniLineKind::kOther:
                break;
        }
    }
    // A file that grew past the bound while it was read is as unreadable as one that began so.
    const bool cutShort = reader.LastRefusal() == CTextFileRead::Refusal::kTooLarge;
    reader.Close();
    if (cutShort) {
        sections_.clear();
        loadState_ = kIniFileNotOpened;
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
    const auto super = own.find(std::u16string(kSuperKey));
    if (super != own.end()) {
        const auto base = sections_.find(FoldSectionName(super->second));
        if (base != sections_.end()) {
            StoreEntries(base->second->Entries(), reversed, entries);
        }
    }
    return !entries.empty();
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
