#include "pdm/pdm_link.h"

#include <algorithm>

#include "host/kordane.h"
#include "host/vx_docman.h"
#include "host/vx_string.h"

namespace {

std::unique_ptr<PdmLink>& InstanceHolder() {
    static std::unique_ptr<PdmLink> instance;
    return instance;
}

// The PDM keeps its environment per document; the host's current one is meant.
VxApDocument* CurrentDocument() {
    VxApDocManager* manager = vxDocManagerPtr();
    return manager ? manager->curDocument() : nullptr;
}

}  // namespace

PdmLink& PdmLink::Instance() {
    std::unique_ptr<PdmLink>& instance = InstanceHolder();
    if (!instance) {
        instance.reset(new PdmLink());
    }
    return *instance;
}

void PdmLink::Reset() {
    InstanceHolder().reset();
}

const char16_t* PdmLink::FillSlot(int slot, const std::u16string& text) {
    // Slots above 1 mean slot 0; so does a negative one, which no caller should pass.
    std::unique_ptr<char16_t[]>& buffer = slots_[slot == 1 ? 1 : 0];
    if (!buffer) {
        buffer = std::make_unique<char16_t[]>(kSlotLength);
    }
    // A longer catalogue text is cut rather than written past the slot.
    const std::size_t length = std::min(text.size(), kSlotLength - 1);
    std::copy_n(text.data(), length, buffer.get());
    buffer[length] = u'\0';
    return buffer.get();
}

const char16_t* PdmLink::GetText(std::int32_t number, int slot) {
    const std::int32_t clamped = number >= 1000 ? 999 : number;
    const VxString key = VxString::format(u"%s%d", u"VM20", clamped);
    return FillSlot(slot, orbdGetText(key).str());
}

const char16_t* PdmLink::GetTextByKey(const char16_t* key, int slot) {
    if (key == nullptr) {
        return u"";
    }
    return FillSlot(slot, orbdGetText(VxString(key)).str());
}

std::u16string PdmLink::GetEnv(const char16_t* name) {
    return orbdGetEnv(CurrentDocument(), VxString(name)).str();
}

int PdmLink::SetEnv(const char16_t* name, const char16_t* value) {
    return orbdSetEnv(CurrentDocument(), VxString(name), VxString(value));
}

std::u16string PdmLink::Evaluate(const char16_t* expression) {
    return orbdPrep(VxString(expression)).str();
}

std::u16string PdmLink::EvaluateWithDialog(const char16_t* expression) {
    return orbdPrepWithModalDialog(VxString(expression)).str();
}

std::int32_t PdmLink::CallCommand(const char16_t* command, const char16_t* argument) {
    return orbdCall(VxString(command), VxString(argument), VxString());
}

CIniFile& PdmLink::GetBomMappingFile() {
    const std::u16string path = GetEnv(u"BOMIniFile");
    if (bomMappingFile_.LoadState() != kIniLoaded) {
        bomMappingFile_.Load(path);
    }
    return bomMappingFile_;
}
