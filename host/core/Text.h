// Text conversions between the host's encodings.
#pragma once

#include "SDKTypes.h"

#include <string>

namespace host {

OPAL_SDK_API std::u16string Windows1252ToUTF16(const std::string& bytes);
// Characters without a Windows-1252 byte become '?'.
OPAL_SDK_API std::string UTF16ToWindows1252(const std::u16string& text);
OPAL_SDK_API std::string UTF16ToUTF8(const std::u16string& text);
OPAL_SDK_API std::u16string UTF8ToUTF16(const std::string& text);
OPAL_SDK_API std::string WideToUTF8(const std::wstring& text);
OPAL_SDK_API std::wstring UTF8ToWide(const std::string& text);
char Windows1252Byte(char16_t c); // 0 when there is none
// "0x" and lowercase hexadecimal digits, as the host prints IDs.
OPAL_SDK_API std::string Hex(uint32 value);

} // namespace host
