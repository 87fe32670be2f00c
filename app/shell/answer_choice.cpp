#include "app/shell/answer_choice.h"

#include <cctype>
#include <set>

namespace {

// Button labels come from the PDM's catalogue and may hold any letters; ASCII ones are folded,
// others compared as they are.
std::string Folded(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    std::string folded = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    for (char& c : folded) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

}  // namespace

std::optional<int> MatchChoice(const std::string& answer, const std::vector<Choice>& choices) {
    const std::string typed = Folded(answer);
    if (typed.empty()) {
        return std::nullopt;
    }
    std::set<int> named;
    std::set<int> begun;
    for (const Choice& choice : choices) {
        for (const std::string& name : choice.names) {
            const std::string folded = Folded(name);
            if (folded == typed) {
                named.insert(choice.value);
            } else if (folded.compare(0, typed.size(), typed) == 0) {
                begun.insert(choice.value);
            }
        }
    }
    const std::set<int>& fitting = named.empty() ? begun : named;
    if (fitting.size() != 1) {
        return std::nullopt;
    }
    return *fitting.begin();
}

std::string AcceptedAnswers(const std::vector<Choice>& choices) {
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) {
            text += i + 1 == choices.size() ? " or " : ", ";
        }
        const std::vector<std::string>& names = choices[i].names;
        for (std::size_t n = 0; n < names.size(); ++n) {
            text += n == 0 ? names[n] : (n == 1 ? " (" : ", ") + names[n];
        }
        if (names.size() > 1) {
            text += ")";
        }
    }
    return text;
}
