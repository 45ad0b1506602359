// SPDX-License-Identifier: MIT
// The About box's launcher of the system-information tool, found through the registry.
#include <array>
#include <cstdint>

#include "body.hpp"
#include "runtime_error.hpp"

namespace vornikat {

namespace {

constexpr std::uint32_t kValueBufferSize = 1024;

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
        bool found = GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 "PATH", toolPath);
        if (!found && GetKeyValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
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

bool Body::GetKeyValue(const RegKey& keyRoot, const std::string& keyName,
                       const std::string& subKeyRef, std::string& keyVal) {
    RegKey key = 0;
    // Read access is all a lookup needs; asking for more fails for users who may not write
    // the machine's keys and would hide a tool that is there.
    if (ports_.registry.OpenKey(keyRoot, keyName, RegAccess::ReadOnly, key) != reg::kSuccess) {
        keyVal.clear();
        return false;
    }
    std::array<std::uint8_t, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t byteCount = kValueBufferSize;
    if (ports_.registry.QueryValue(key, subKeyRef, type, buffer, byteCount) != reg::kSuccess ||
        byteCount > kValueBufferSize) {
        keyVal.clear();
        ports_.registry.CloseKey(key);
        return false;
    }
    if (byteCount == 0) {
        // There is no last character to test; the caller's handler takes over.
        ports_.registry.CloseKey(key);
        throw RuntimeError(err::kInvalidCall);
    }
    const std::size_t keptLength = buffer[byteCount - 1] == 0 ? byteCount - 1 : byteCount;
    const std::string_view kept(reinterpret_cast<const char*>(buffer.data()), keptLength);
    if (type == reg::kSz) {
        keyVal = std::string(kept);
    } else if (type == reg::kDword) {
        keyVal = FormatDwordText(keyVal, kept);
    }
    ports_.registry.CloseKey(key);
    return true;
}

}  // namespace vornikat
