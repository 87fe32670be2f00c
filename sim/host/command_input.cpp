// The host's input functions: answers come from the command-line stream (command_line.h).
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "host/vx_editor.h"
#include "sim/host/command_line.h"
#include "sim/host/database.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"

namespace {

void reportPrompt(const std::u16string& prompt, const sim::Answer& answer, bool rejected = false) {
    sim::Event event{{"ev", "prompt"}, {"prompt", VxString(prompt).toUtf8()}};
    if (answer.end == sim::AnswerEnd::kEscape || answer.end == sim::AnswerEnd::kExhausted) {
        event["cancelled"] = true;
    } else {
        event["answer"] = VxString(answer.text).toUtf8();
        if (rejected) {
            event["rejected"] = true;
        }
    }
    sim::emit(std::move(event));
}

bool cancelled(const sim::Answer& answer) {
    return answer.end == sim::AnswerEnd::kEscape || answer.end == sim::AnswerEnd::kExhausted;
}

std::optional<double> parseNumber(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text) {
        if (c >= 0x80) {
            return std::nullopt;
        }
        narrow.push_back(static_cast<char>(c));
    }
    double value = 0;
    const char* end = narrow.data() + narrow.size();
    const auto [p, ec] = std::from_chars(narrow.data(), end, value);
    if (narrow.empty() || ec != std::errc() || p != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// "x,y" or "x,y,z"; with a leading "@" relative to the base point.
std::optional<VxGePoint3d> parsePoint(std::u16string_view text, const double* basePoint) {
    VxGePoint3d base;
    if (!text.empty() && text.front() == u'@') {
        if (basePoint == nullptr) {
            return std::nullopt;
        }
        base = VxGePoint3d{basePoint[0], basePoint[1], basePoint[2]};
        text.remove_prefix(1);
    }
    double parts[3] = {0, 0, 0};
    int count = 0;
    for (;;) {
        const std::size_t comma = text.find(u',');
        if (count == 3) {
            return std::nullopt;
        }
        const std::optional<double> value = parseNumber(text.substr(0, comma));
        if (!value) {
            return std::nullopt;
        }
        parts[count++] = *value;
        if (comma == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (count < 2) {
        return std::nullopt;
    }
    return VxGePoint3d{base.x + parts[0], base.y + parts[1], base.z + parts[2]};
}

// The host keeps every point in world coordinates: one that is finite in the user system but
// not in the world (a far origin, a turned system) has no place in the drawing.
bool placeable(const VxGePoint3d& point) {
    const VxGePoint3d world = sim::workingDatabase().header().ucs.toWorld(point, false);
    return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z) &&
           std::isfinite(world.x) && std::isfinite(world.y) && std::isfinite(world.z);
}

}  // namespace

// An answer longer than the buffer's kVxMaxStringAnswer-1 characters is rejected (kRtRej,
// empty result) rather than cut: a shortened key or id would silently name something else.
// As for any invalid input, the host says so on the command line, or the user would not know
// why the command ended and the next line they typed ahead ran as a command.
int vxedGetString(int allowBlanks, const char16_t* prompt, char16_t* result) {
    if (const int status = sim::checkpoint("vxedGetString")) {
        return status;
    }
    if (result == nullptr) {
        return kRtError;
    }
    result[0] = 0;
    const std::u16string shown = prompt != nullptr ? prompt : u"";
    const sim::Answer answer = sim::readAnswer(allowBlanks == 0, shown);
    if (cancelled(answer)) {
        reportPrompt(shown, answer);
        return kRtCan;
    }
    if (answer.text.size() > static_cast<std::size_t>(kVxMaxStringAnswer - 1)) {
        reportPrompt(shown, answer, true);
        sim::emit(
            sim::Event{{"ev", "print"},
                       {"text", "Invalid input: the answer is too long (" +
                                    std::to_string(answer.text.size()) + " characters, at most " +
                                    std::to_string(kVxMaxStringAnswer - 1) + ")."}});
        return kRtRej;
    }
    reportPrompt(shown, answer);
    std::char_traits<char16_t>::copy(result, answer.text.c_str(), answer.text.size() + 1);
    return kRtNorm;
}

// Longer answers are cut to fit: the caller chose the buffer for what it can use.
int vxedGetStringB(const char16_t* prompt, char16_t* result, std::size_t bufferLength) {
    if (const int status = sim::checkpoint("vxedGetStringB")) {
        return status;
    }
    if (result == nullptr || bufferLength == 0) {
        return kRtError;
    }
    result[0] = 0;
    const std::u16string shown = prompt != nullptr ? prompt : u"";
    const sim::Answer answer = sim::readAnswer(false, shown);
    reportPrompt(shown, answer);
    if (cancelled(answer)) {
        return kRtCan;
    }
    const std::size_t kept = std::min(answer.text.size(), bufferLength - 1);
    std::char_traits<char16_t>::copy(result, answer.text.c_str(), kept);
    result[kept] = 0;
    return kRtNorm;
}

// Invalid input is answered with the host's message and the prompt is asked again, until
// a point, an empty answer (kRtNone) or a cancellation.
int vxedGetPoint(const double* basePoint, const char16_t* prompt, double result[3]) {
    if (const int status = sim::checkpoint("vxedGetPoint")) {
        return status;
    }
    if (result == nullptr) {
        return kRtError;
    }
    const std::u16string shown = prompt != nullptr ? prompt : u"";
    for (;;) {
        const sim::Answer answer = sim::readAnswer(true, shown);
        reportPrompt(shown, answer);
        if (cancelled(answer)) {
            return kRtCan;
        }
        if (answer.text.empty()) {
            return kRtNone;
        }
        const std::optional<VxGePoint3d> point = parsePoint(answer.text, basePoint);
        if (point && placeable(*point)) {
            result[0] = point->x;
            result[1] = point->y;
            result[2] = point->z;
            return kRtNorm;
        }
        sim::emit(sim::Event{{"ev", "print"}, {"text", "Point or option keyword required."}});
    }
}
