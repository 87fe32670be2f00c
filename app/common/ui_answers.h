// Answers for the message boxes and dialogs that a run shows, taken in order from the
// scenario's "ui" list. An answer of the wrong kind is left in place for the next box; with
// no fitting answer the box gets its default (No, Cancel).
#pragma once

#include <deque>
#include <optional>

#include <nlohmann/json.hpp>

#include "sim/winsys/window_control.h"

class UiAnswers {
  public:
    explicit UiAnswers(const std::vector<nlohmann::json>& answers)
        : answers_(answers.begin(), answers.end()) {}

    std::optional<int> AnswerMessageBox(const sim::MessageBoxRequest& request);
    std::optional<sim::DialogAnswer> AnswerDialog(const winsys::DialogRequest& request);

  private:
    std::deque<nlohmann::json> answers_;
};
