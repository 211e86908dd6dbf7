#pragma once

#include <windows.h>

#include "input/key_records.h"

namespace corvan {

// The platform record for `record`, with the given extra information. A scan-code record also gets
// the virtual key of its scan code: Windows ignores it when the scan-code flag is set, and Wine
// would otherwise deliver the key with virtual key 0.
INPUT InputFromKeyRecord(const KeyRecord& record, ULONG_PTR extraInfo);

// One SendInput call per record, with the calling thread's current message extra information.
class Win32KeyboardInjector final : public KeyboardInjector {
 public:
  bool Send(const KeyRecord& record) override;
};

}  // namespace corvan
