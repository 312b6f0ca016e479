// Pictures of the host's screen: a page of a document behind everything,
// every shown palette window at its place with its tabs and its front
// panels, and the open dialogs, each window composited with the alpha the
// window system holds for it. Laid out by paint/Layout.h, drawn by
// paint/Drawing.h with cairo, text in DejaVu.
#pragma once

#include "paint/Drawing.h"
#include "paint/Layout.h"

namespace host::render {

using paint::DialogView;
using paint::kPlaceholderFace;
using paint::kScreenHeight;
using paint::kScreenWidth;
using paint::Rgb;
using paint::ShownWindows;
using paint::WindowArea;

// `host`'s screen now, kScreenWidth × kScreenHeight, opaque RGBA.
OPAL_SDK_API Picture DrawScreen(const Host& host);
// The same as a PNG file: the same screen gives the same bytes.
OPAL_SDK_API Bytes DrawScreenPng(const Host& host);

} // namespace host::render
