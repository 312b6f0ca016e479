// Basic types of the host SDK.
#pragma once

#include <cstdint>

using int8 = std::int8_t;
using uint8 = std::uint8_t;
using int16 = std::int16_t;
using uint16 = std::uint16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;

// The host's boolean: 0 is false, any other value is true. Kept 16 bits wide
// because interfaces and streams carry it that way.
using bool16 = int16;
constexpr bool16 kFalse = 0;
constexpr bool16 kTrue = 1;

using ClassID = uint32;
using PMIID = uint32;
using ImplementationID = uint32;
using WidgetID = uint32;
using ActionID = uint32;
using PluginID = uint32;
using ServiceID = uint32;
using RsrcID = uint32;
using RsrcType = uint32;
using ErrorCode = int32;
using UID = uint32;

constexpr ErrorCode kSuccess = 0;
constexpr ErrorCode kFailure = 1;
constexpr UID kInvalidUID = 0;
constexpr ClassID kInvalidClass = 0;
constexpr ImplementationID kInvalidImpl = 0;
constexpr PluginID kInvalidPlugin = 0;
constexpr PMIID kInvalidInterfaceID = 0;

#if defined(_WIN32)
#if defined(OPAL_SDK_BUILD)
#define OPAL_SDK_API __declspec(dllexport)
#else
#define OPAL_SDK_API __declspec(dllimport)
#endif
#else
#define OPAL_SDK_API __attribute__((visibility("default")))
#endif

// A module's exported entry point (on Windows the module's .def file exports it).
#if defined(_WIN32)
#define OPAL_SDK_EXPORT
#else
#define OPAL_SDK_EXPORT __attribute__((visibility("default")))
#endif
