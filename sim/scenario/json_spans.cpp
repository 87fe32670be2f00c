#include "sim/scenario/json_spans.h"

namespace sim {

JsonSpanIndex::JsonSpanIndex(std::string_view text)
    : base_(text.data()), fits_(text.size() < kEscaped) {}

void JsonSpanIndex::note(const JsonMember& member) {
    if (!fits_) {
        return;
    }
    const auto offset = [this](std::string_view part) {
        return static_cast<std::uint32_t>(part.data() - base_);
    };
    open_.push_back({member.key.data() == nullptr ? 0 : offset(member.key),
                     member.keyEscaped ? kEscaped : static_cast<std::uint32_t>(member.key.size()),
                     offset(member.value), static_cast<std::uint32_t>(member.value.size())});
}

void JsonSpanIndex::close(std::string_view container, std::size_t mark) {
    if (fits_ && container.size() >= kLarge) {
        const std::size_t first = kept_.size();
        kept_.insert(kept_.end(), open_.begin() + static_cast<std::ptrdiff_t>(mark), open_.end());
        containers_[container.data() - base_] = {first, kept_.size()};
    }
    open_.resize(mark);
}

void JsonSpanIndex::finish() {
    open_ = std::vector<Noted>();
    kept_.shrink_to_fit();
}

JsonMember JsonSpanIndex::member(const Noted& noted) const {
    JsonMember member;
    if (noted.keyLength == kEscaped) {
        member.keyEscaped = true;
    } else {
        member.key = std::string_view(base_ + noted.keyBegin, noted.keyLength);
    }
    member.value = std::string_view(base_ + noted.valueBegin, noted.valueLength);
    return member;
}

}  // namespace sim
