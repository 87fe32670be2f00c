// ScenarioDrawing: the "drawing" of a scenario, as the JSON text of the file it was read from
// (shared with nothing else, freed with the last copy) or as a document already parsed (a
// scenario put together in memory). Loading the text builds no DOM of it: a drawing of a
// million rows is as large again as its file as a DOM.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "sim/host/database.h"
#include "sim/scenario/drawing_handles.h"
#include "sim/scenario/json_spans.h"

class ScenarioDrawing {
  public:
    // No drawing: an empty one.
    ScenarioDrawing() = default;
    // Implicit, so that a parsed document is a drawing wherever one is asked.
    ScenarioDrawing(nlohmann::json document) : document_(std::move(document)) {}
    // part lies inside *text, whose capacity reaches ScenarioTextPadding() past its end;
    // spans, if any, are those of text.
    ScenarioDrawing(std::shared_ptr<const std::string> text, std::string_view part,
                    std::shared_ptr<const sim::JsonSpanIndex> spans = nullptr)
        : text_(std::move(text)), part_(part), spans_(std::move(spans)) {}

    // Loads the drawing as sim::loadDrawing loads its document at "/drawing", with the same
    // checks, places and texts, into the database that fresh gives. A text that is not
    // plainly read (see sim/scenario/drawing_text_load.h) is read again as a DOM: fresh is
    // asked once more then, for a database that replaces the half-loaded first one, and
    // handles starts over.
    void Load(const std::function<sim::Database&()>& fresh, sim::DrawingHandles& handles) const;
    // Loaded into a database of its own, without faults, and saved: the form in which two
    // drawings compare (keys filled in, cells where a run has them).
    nlohmann::json Saved() const;

  private:
    nlohmann::json document_ = nlohmann::json::object();
    std::shared_ptr<const std::string> text_;
    std::string_view part_;
    std::shared_ptr<const sim::JsonSpanIndex> spans_;
};
