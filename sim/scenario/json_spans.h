// The members of a JSON text's large objects and arrays, noted while the text is first
// checked: a drawing's rows can then be parsed one at a time, with a parser's index the size
// of one row rather than of the whole drawing, and without looking at the text again to find
// where each row ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sim {

// A member as the text has it: its key between the quotes (empty for an element of an array)
// and its value's text, which may end in white space.
struct JsonMember {
    std::string_view key;
    bool keyEscaped = false;  // key holds escapes: as written, it is not the key
    std::string_view value;
};

// Whether a key read as unescaped is written as it is, raw pointing just past its quote.
inline bool writtenAsIs(const char* raw, std::string_view unescaped) {
    return std::memcmp(raw, unescaped.data(), unescaped.size()) == 0 &&
           raw[unescaped.size()] == '"';
}

class JsonSpanIndex {
  public:
    // Containers smaller than this are parsed whole when needed.
    static constexpr std::size_t kLarge = 64 * 1024;

    explicit JsonSpanIndex(std::string_view text);

    // Calls each(const JsonMember&) for the members of the container whose text begins at
    // container, in order; false, calling nothing, when they were not noted.
    template <class Each>
    bool forEachMember(const char* container, Each&& each) const {
        const auto found = containers_.find(container - base_);
        if (found == containers_.end()) {
            return false;
        }
        for (std::size_t i = found->second.first; i < found->second.second; ++i) {
            each(member(kept_[i]));
        }
        return true;
    }

    // Noting, as the text is walked: each member as its value ends; each container as it
    // ends, with the count of members noted before it began.
    void note(const JsonMember& member);
    std::size_t mark() const { return open_.size(); }
    void close(std::string_view container, std::size_t mark);
    // After the walk: what is not kept is let go.
    void finish();

  private:
    // Offsets from base_: a scenario is far below 4 GiB.
    struct Noted {
        std::uint32_t keyBegin;
        std::uint32_t keyLength;  // kEscaped: the key holds escapes
        std::uint32_t valueBegin;
        std::uint32_t valueLength;
    };
    static constexpr std::uint32_t kEscaped = UINT32_MAX;

    JsonMember member(const Noted& noted) const;

    const char* base_;
    bool fits_;
    std::vector<Noted> open_;
    std::vector<Noted> kept_;
    std::unordered_map<std::ptrdiff_t, std::pair<std::size_t, std::size_t>> containers_;
};

}  // namespace sim
