// The parts-list standard: the standard manager, VxmStandard, VxmBOMStd and its columns.
#include <limits>

#include "host/vxm_standard.h"
#include "sim/host/faults.h"
#include "sim/host/rx_define.h"
#include "sim/mech/mech_state.h"
#include "sim/mech/vxm_internals.h"

VxmStdManager::~VxmStdManager() = default;

namespace {

class StdManager final : public VxmStdManager {
  public:
    Vx::ErrorStatus getCurrentStandard(VxDbObjectId& standardId, VxDbDatabase* database) override {
        if (const int fault = sim::checkpoint("getCurrentStandard")) {
            return static_cast<Vx::ErrorStatus>(fault);
        }
        sim::Database* db = database != nullptr ? dynamic_cast<sim::Database*>(database)
                                                : sim::workingSimDatabase();
        if (db == nullptr) {
            return Vx::eNoDatabase;
        }
        standardId = sim::mechOf(*db).standard;
        return Vx::eOk;
    }
};

}  // namespace

VxmStdManager* getVxmStdMgr() {
    static StdManager manager;
    return &manager;
}

SIM_RX_DEFINE_CLASS(VxmStandard, VxDbObject)

Vx::ErrorStatus VxmStandard::getCurrentSymbolStd(VxDbObjectId& symbolStdId,
                                                 const char16_t* kind) const {
    if (const int fault = sim::checkpoint("getCurrentSymbolStd")) {
        return static_cast<Vx::ErrorStatus>(fault);
    }
    if (kind == nullptr || std::u16string_view(kind) != u"VxmBOMStd") {
        return Vx::eKeyNotFound;
    }
    symbolStdId = bomStd_;
    return Vx::eOk;
}

VxmCColumnDef::VxmCColumnDef(int type, int dataType, const char16_t* name, const char16_t* display)
    : type_(type), dataType_(dataType), name_(name), display_(display) {}

VxmCColumnDef::~VxmCColumnDef() = default;

const char16_t* VxmCColumnDef::columnName() const {
    return name_.c_str();
}

bool VxmCColumnDef::isVisible() const {
    return visible_;
}

void VxmCColumnDef::setVisible(bool visible) {
    if (owner_ != nullptr && owner_->isWriteEnabled()) {
        visible_ = visible;
    }
}

VxmBOMStd::~VxmBOMStd() = default;

SIM_RX_DEFINE_CLASS(VxmBOMStd, VxDbObject)

VxmCColumnDef* VxmBOMStd::column(const char16_t* name, int* index) const {
    if (name == nullptr) {
        return nullptr;
    }
    const std::u16string_view wanted(name);
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i]->name_.str() == wanted) {
            if (index != nullptr) {
                *index = static_cast<int>(i);
            }
            return columns_[i].get();
        }
    }
    return nullptr;
}

VxmCColumnDef* VxmBOMStd::column(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= columns_.size()) {
        return nullptr;
    }
    return columns_[static_cast<std::size_t>(index)].get();
}

std::int16_t VxmBOMStd::columnLength() const {
    // appendColumn refuses to grow past what the count can say.
    return static_cast<std::int16_t>(columns_.size());
}

Vx::ErrorStatus VxmBOMStd::appendColumn(int columnType, int dataType, const char16_t* name,
                                        const char16_t* displayText) {
    if (const int fault = sim::checkpoint("appendColumn")) {
        return static_cast<Vx::ErrorStatus>(fault);
    }
    if (!isWriteEnabled()) {
        return Vx::eNotOpenForWrite;
    }
    if (name == nullptr || *name == u'\0') {
        return Vx::eInvalidInput;
    }
    if (column(name) != nullptr) {
        return Vx::eDuplicateKey;
    }
    if (columns_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        return Vx::eInvalidIndex;
    }
    VxmInternals::addColumn(*this, columnType, dataType, name,
                            displayText != nullptr ? displayText : u"", true);
    return Vx::eOk;
}
