#include "bom/configuration_error.h"

#include "host/vx_string.h"
#include "pdm/pdm_link.h"

HostStatusError ConfigurationError(const std::u16string& subject, const char16_t* textKey) {
    return HostStatusError(
        VxString::format(u"%s\n%s", subject, PdmLink::Instance().GetTextByKey(textKey)).str());
}
