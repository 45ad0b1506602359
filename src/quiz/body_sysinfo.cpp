// SPDX-License-Identifier: MIT
// The About box's launcher of the system-information tool, found through the registry.
#include <cstdint>
#include <vector>

#include "body.hpp"
#include "runtime_error.hpp"

namespace vornikat {

namespace {

constexpr std::size_t kValueBufferSize = 1024;

// The registry value's kept bytes, last to first, as upper-case hexadecimal without
// leading zeros, after what the caller passed in. The "&h" text is kept as it is rather
// than turned into the number it denotes: nothing reads a number through this path.
std::string FormatDwordText(const std::string& passedIn, std::string_view kept) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex = passedIn;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        const auto code = static_cast<std::uint8_t>(*it);
        if (code >= 16) {
            hex += kDigits[code >> 4];
        }
        hex += kDigits[code & 15];
    }
    return "&h" + hex;
}

}  // namespace

void Body::StartSysInfo() {
    std::string toolPath;
    try {
        bool found = GetKeyValue(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 "PATH", toolPath);
        if (!found &&
            GetKeyValue(RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                        "MSINFO", toolPath)) {
            std::string candidate = toolPath;
            candidate += ports_.launcher.PathSeparator();
            candidate += "MSINFO32.EXE";
            if (ports_.files.FileExists(candidate)) {
                toolPath = candidate;
                found = true;
            }
        }
        if (!found) {
            // Systems without these registry entries name their own tool.
            toolPath = ports_.launcher.FindFallbackSystemInfoTool();
            found = !toolPath.empty();
        }
        if (found && ports_.launcher.StartProgram(toolPath)) {
            return;
        }
    } catch (const RuntimeError&) {
        // Any failure on the way ends in the one box below.
    }
    ShowMessage(u"System Information Is Unavailable At This Time", msgbox::kOkOnly);
}

bool Body::GetKeyValue(const RegRoot& keyRoot, const std::string& keyName,
                       const std::string& subKeyRef, std::string& keyVal) {
    // A value longer than the read buffer fails like a missing one.
    const RegRead read = ports_.registry.ReadValue(keyRoot, keyName, subKeyRef);
    if (read.result != reg::kSuccess || read.value.data.size() > kValueBufferSize) {
        keyVal.clear();
        return false;
    }
    const std::vector<std::uint8_t>& buffer = read.value.data;
    const std::size_t byteCount = buffer.size();
    if (byteCount == 0) {
        // There is no last character to test; the caller's handler takes over.
        throw RuntimeError(err::kInvalidCall);
    }
    const std::size_t keptLength = buffer[byteCount - 1] == 0 ? byteCount - 1 : byteCount;
    const std::string_view kept(reinterpret_cast<const char*>(buffer.data()), keptLength);
    if (read.value.type == reg::kSz) {
        keyVal = std::string(kept);
    } else if (read.value.type == reg::kDword) {
        keyVal = FormatDwordText(keyVal, kept);
    }
    return true;
}

}  // namespace vornikat
