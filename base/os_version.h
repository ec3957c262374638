// The platform family and version, as the platform's version query reports them. Several
// decisions (printer enumeration, opening for a job, the help viewer, the save failure
// message) depend on the family; they are core logic chosen by this value.
#pragma once

#include <cstdint>

namespace sb {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1; // the older family
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersionInfo {
    std::uint32_t platformId = kPlatformNt;
    std::uint32_t major = 10;
    std::uint32_t minor = 0;
};

class OsVersion {
public:
    virtual ~OsVersion() = default;
    virtual OsVersionInfo Get() const = 0;
};

} // namespace sb
