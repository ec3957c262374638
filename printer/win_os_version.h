// The platform's version as the kernel reports it, whatever the program's manifest says.
#pragma once

#include "base/os_version.h"

namespace sb {

class WinOsVersion final : public OsVersion {
public:
    OsVersionInfo Get() const override;
};

} // namespace sb
