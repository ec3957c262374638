// The factory default setting record: what the printer holds when it leaves the works.
#pragma once

#include "record/setting_record.h"

namespace sb {

const SettingRecord& FactoryRecord();

} // namespace sb
