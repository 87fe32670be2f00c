#include "app/common/scenario_drawing.h"

#include "sim/host/faults.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/drawing_text_load.h"

void ScenarioDrawing::Load(const std::function<sim::Database&()>& fresh,
                           sim::DrawingHandles& handles) const {
    if (!text_) {
        sim::loadDrawing(document_, "/drawing", fresh(), handles);
        return;
    }
    const auto offset = static_cast<std::size_t>(part_.data() - text_->data());
    if (sim::loadDrawingText(part_, text_->capacity() - offset, spans_.get(), fresh(), handles)) {
        return;
    }
    handles = sim::DrawingHandles();
    sim::loadDrawing(nlohmann::json::parse(part_), "/drawing", fresh(), handles);
}

nlohmann::json ScenarioDrawing::Saved() const {
    const sim::FaultsSuspended own;
    std::unique_ptr<sim::Database> db;
    sim::DrawingHandles handles;
    Load(
        [&db]() -> sim::Database& {
            db = std::make_unique<sim::Database>();
            return *db;
        },
        handles);
    return sim::saveDrawing(*db, handles, handles.loadedModules);
}
