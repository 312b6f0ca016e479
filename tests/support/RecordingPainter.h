// A painter that records what it is asked to draw, each operation with the
// rectangle it covers on the window (translations applied) and the clip in
// force then, so that tests ask what is drawn where and what may show.
#pragma once

#include "paint/Painter.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct PaintOp {
    enum Kind { kFill, kOutline, kStroke, kText, kImage, kGradient, kEllipse, kShape };
    Kind kind = kFill;
    host::paint::Rect area;   // on the window: the fill, outline, path's bounds, text band, image
    host::paint::Rect clip;   // the clip then, on the window
    host::paint::Color color; // none for images
    std::string text;         // kText only
    host::paint::Font font;   // kText only
    bool Shows() const;       // whether any of it lies within the clip
};

class RecordingPainter final : public host::paint::Painter {
public:
    // Text is `charWidth` pixels per byte: laying out and drawing agree on it.
    // With `bySize`, that many at the widget font's size, in proportion at others.
    explicit RecordingPainter(double charWidth = 6, bool bySize = false)
        : fCharWidth(charWidth), fBySize(bySize) {}

    double TextWidth(const std::string& utf8, const host::paint::Font& font) override;
    void Save() override;
    void Restore() override;
    void Translate(double dx, double dy) override;
    void Clip(const host::paint::Rect& area) override;
    void Fill(const host::paint::Rect& area, host::paint::Color color) override;
    void Outline(const host::paint::Rect& area, host::paint::Color color) override;
    void Stroke(const host::paint::Path& path, host::paint::Color color,
                host::paint::LineEnds ends) override;
    void Text(const std::string& utf8, double x, double top, double height,
              const host::paint::Font& font, host::paint::Color color) override;
    void Image(const host::Picture& picture, double x, double y) override;
    void FillGradient(const host::paint::Rect& area,
                      const std::vector<host::paint::ColorStop>& stops) override;
    void FillEllipse(const host::paint::Rect& bounds, host::paint::Color color) override;
    void FillShape(const host::paint::Shape& shape, host::paint::Color color) override;

    const std::vector<PaintOp>& Ops() const { return fOps; }
    // Saves not yet restored, and restores that had no save.
    int Depth() const { return static_cast<int>(fStack.size()); }
    int Unmatched() const { return fUnmatched; }
    // The text operations whose text is `text`.
    std::vector<PaintOp> TextsOf(const std::string& text) const;
    // The last operation that shows at the window's point (x, y): what a
    // person sees there.
    const PaintOp* TopAt(double x, double y) const;

private:
    struct State {
        double dx = 0, dy = 0;
        host::paint::Rect clip{-1e9, -1e9, 2e9, 2e9};
    };
    void Record(PaintOp op);
    double fCharWidth;
    bool fBySize;
    State fState;
    std::vector<State> fStack;
    std::vector<PaintOp> fOps;
    int fUnmatched = 0;
};

} // namespace testing_support
