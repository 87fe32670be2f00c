// The answers a question with buttons takes: a button's name ("Yes", "OK") or its label as
// the box shows it ("Insert"), or the start of one, in any letter case.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Choice {
    int value;
    // The first is the button's name; a label follows when the box gives one.
    std::vector<std::string> names;
};

// The choice the answer names: one whose name it is, else the one whose name it begins.
// Nothing for an empty answer, one that fits none, or one that begins names of two choices.
std::optional<int> MatchChoice(const std::string& answer, const std::vector<Choice>& choices);

// The accepted answers for the user: "Yes or No", "OK (Insert) or Cancel (Do not insert)".
std::string AcceptedAnswers(const std::vector<Choice>& choices);
