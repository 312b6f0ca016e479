#include "render/Text.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <vector>

namespace host::render {

namespace {

constexpr const char* kFace = "DejaVu Sans";

void UseFont(cairo_t* cr, const std::string& face, double size, bool bold) {
    cairo_select_font_face(cr, face.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

// The baseline that centres the font's ascent and descent in the band, on a
// whole pixel so that letters look the same wherever they are drawn.
double Baseline(cairo_t* cr, double top, double height) {
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    return std::round(top + (height - (font.ascent + font.descent)) / 2 + font.ascent);
}

// A face that has the character, as fontconfig picks it for a sans-serif
// text; the main face when none has it (its missing-glyph box then shows).
// Asked only for characters the main face lacks, which are few.
std::string FallbackFace(uint32_t character) {
    std::string face = kFace;
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, character);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcCharSet* has = nullptr;
        FcChar8* family = nullptr;
        if (FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
            FcCharSetHasChar(has, character) &&
            FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
            face = reinterpret_cast<const char*>(family);
        FcPatternDestroy(match);
    }
    FcCharSetDestroy(wanted);
    FcPatternDestroy(pattern);
    return face;
}

struct Run {
    std::string text;
    std::string face;
};

// The text cut where the main face lacks characters, each run with a face
// that has them: the toy text API draws one face, without fallback.
std::vector<Run> Runs(cairo_t* cr, const std::string& utf8, double size, bool bold) {
    bool ascii = true;
    for (unsigned char c : utf8)
        ascii = ascii && c < 0x80;
    if (ascii)
        return {{utf8, kFace}};
    UseFont(cr, kFace, size, bold);
    cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
    std::vector<Run> runs;
    for (size_t i = 0; i < utf8.size();) {
        size_t length = 1;
        while (i + length < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80)
            ++length;
        const std::string character = utf8.substr(i, length);
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        std::string face = kFace;
        if (cairo_scaled_font_text_to_glyphs(font, 0, 0, character.data(), static_cast<int>(length),
                                             &glyphs, &count, nullptr, nullptr,
                                             nullptr) == CAIRO_STATUS_SUCCESS &&
            count == 1 && glyphs[0].index == 0) {
            uint32_t code = static_cast<unsigned char>(character[0]) & (0xFF >> (length + 1));
            for (size_t k = 1; k < length; ++k)
                code = (code << 6) | (static_cast<unsigned char>(character[k]) & 0x3F);
            face = FallbackFace(code);
        }
        cairo_glyph_free(glyphs);
        if (runs.empty() || runs.back().face != face)
            runs.push_back({"", face});
        runs.back().text += character;
        i += length;
    }
    return runs;
}

} // namespace

void SetTextStyle(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& utf8, double size, bool bold) {
    double width = 0;
    for (const Run& run : Runs(cr, utf8, size, bold)) {
        UseFont(cr, run.face, size, bold);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, run.text.c_str(), &extents);
        width += extents.x_advance;
    }
    return width;
}

void DrawText(cairo_t* cr, const std::string& utf8, double x, double top, double height,
              double size, paint::Color color, bool bold) {
    if (utf8.empty())
        return;
    UseFont(cr, kFace, size, bold);
    cairo_set_source_rgb(cr, color.r, color.g, color.b);
    cairo_move_to(cr, std::round(x), Baseline(cr, top, height));
    for (const Run& run : Runs(cr, utf8, size, bold)) {
        UseFont(cr, run.face, size, bold);
        cairo_show_text(cr, run.text.c_str()); // moves the point on past the run
    }
    cairo_new_path(cr);
}

} // namespace host::render
