// Resource type numbers of the records a plug-in module carries, as the host
// and the resource compiler both know them. The numbered Windows types (2, 16,
// 24) keep their Windows meaning; the others are the host's.
#pragma once

#include "SDKTypes.h"

constexpr RsrcType kBitmapRsrcType = 2;
constexpr RsrcType kVersionInfoRsrcType = 16;
constexpr RsrcType kManifestRsrcType = 24;
constexpr RsrcType kPluginVersionRsrcType = 119;
constexpr RsrcType kLayoutRsrcType = 501;
constexpr RsrcType kPanelListRsrcType = 502;
constexpr RsrcType kLocaleIndexRsrcType = 503;
constexpr RsrcType kStringTableRsrcType = 504;
constexpr RsrcType kMenuDefRsrcType = 507;
constexpr RsrcType kActionDefRsrcType = 509;
constexpr RsrcType kTipsRsrcType = 510;
constexpr RsrcType kImplementationListRsrcType = 518;
constexpr RsrcType kClassTableRsrcType = 529;
constexpr RsrcType kPNGRsrcType = 578;

// The language of a locale-index entry that serves every language.
constexpr uint16 kAnyLanguage = 0xfe;
