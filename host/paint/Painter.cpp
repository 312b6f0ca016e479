#include "paint/Painter.h"

namespace host::paint {

void TextCentred(Painter& painter, const std::string& utf8, const Rect& area, const Font& font,
                 Color color) {
    painter.Text(utf8, area.x + (area.width - painter.TextWidth(utf8, font)) / 2, area.y,
                 area.height, font, color);
}

} // namespace host::paint
