// What the PDM's answers mean to the module.
#pragma once

#include <string_view>

// Whether an answer is the PDM's error answer (it begins with "!"), which counts as no value.
// An empty answer is not an error answer; each caller decides what an empty answer means.
inline bool IsPdmErrorAnswer(std::u16string_view answer) {
    return !answer.empty() && answer.front() == u'!';
}

// Whether an answer holds several values: the PDM joins the values of all matching records
// with line breaks, so such an answer names no single record.
inline bool HoldsSeveralValues(std::u16string_view answer) {
    return answer.find_first_of(u"\r\n") != std::u16string_view::npos;
}
