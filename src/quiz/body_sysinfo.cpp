// The About box's system-information launcher (issue #6 builds it).
#include "body.hpp"

namespace vornikat {

void Body::StartSysInfo() {
    ShowMessage(u"System Information Is Unavailable At This Time", msgbox::kOkOnly);
}

bool Body::GetKeyValue(const RegKey& /*keyRoot*/, const std::string& /*keyName*/,
                       const std::string& /*subKeyRef*/, std::string& keyVal) {
    keyVal.clear();
    return false;
}

}  // namespace vornikat
