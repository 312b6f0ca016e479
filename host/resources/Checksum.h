// CRC-32 (the zlib polynomial), as PNG chunks and the workspace file use it.
#pragma once

#include "SDKTypes.h"

#include <cstddef>

namespace host {

OPAL_SDK_API uint32 Crc32(const uint8* data, size_t size);

} // namespace host
