#include "RecordingPainter.h"

#include <algorithm>

namespace testing_support {

using host::paint::Rect;

bool PaintOp::Shows() const {
    const Rect shown = host::paint::Intersection(area, clip);
    return shown.width > 0 && shown.height > 0;
}

double RecordingPainter::TextWidth(const std::string& utf8, const host::paint::Font& font) {
    const double scale = fBySize ? font.size / 10 : 1;
    return fCharWidth * scale * static_cast<double>(utf8.size());
}

void RecordingPainter::Save() {
    fStack.push_back(fState);
}

void RecordingPainter::Restore() {
    if (fStack.empty()) {
        ++fUnmatched;
        return;
    }
    fState = fStack.back();
    fStack.pop_back();
}

void RecordingPainter::Translate(double dx, double dy) {
    fState.dx += dx;
    fState.dy += dy;
}

void RecordingPainter::Clip(const Rect& area) {
    const Rect onWindow{area.x + fState.dx, area.y + fState.dy, area.width, area.height};
    fState.clip = host::paint::Intersection(fState.clip, onWindow);
}

void RecordingPainter::Record(PaintOp op) {
    op.area.x += fState.dx;
    op.area.y += fState.dy;
    op.clip = fState.clip;
    fOps.push_back(std::move(op));
}

void RecordingPainter::Fill(const Rect& area, host::paint::Color color) {
    PaintOp op;
    op.kind = PaintOp::kFill;
    op.area = area;
    op.color = color;
    Record(op);
}

void RecordingPainter::Outline(const Rect& area, host::paint::Color color) {
    PaintOp op;
    op.kind = PaintOp::kOutline;
    op.area = area;
    op.color = color;
    Record(op);
}

// The bounds of the pixels the one-pixel lines cover.
void RecordingPainter::Stroke(const host::paint::Path& path, host::paint::Color color,
                              host::paint::LineEnds) {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (const auto& run : path.runs)
        for (const host::paint::Point& p : run) {
            left = std::min(left, p.x - 0.5);
            top = std::min(top, p.y - 0.5);
            right = std::max(right, p.x + 0.5);
            bottom = std::max(bottom, p.y + 0.5);
        }
    if (right < left)
        return;
    PaintOp op;
    op.kind = PaintOp::kStroke;
    op.area = {left, top, right - left, bottom - top};
    op.color = color;
    Record(op);
}

void RecordingPainter::Text(const std::string& utf8, double x, double top, double height,
                            const host::paint::Font& font, host::paint::Color color) {
    PaintOp op;
    op.kind = PaintOp::kText;
    op.area = {x, top, TextWidth(utf8, font), height};
    op.color = color;
    op.text = utf8;
    op.font = font;
    Record(op);
}

void RecordingPainter::Image(const host::Picture& picture, double x, double y) {
    PaintOp op;
    op.kind = PaintOp::kImage;
    op.area = {x, y, static_cast<double>(picture.width), static_cast<double>(picture.height)};
    Record(op);
}

void RecordingPainter::FillGradient(const Rect& area,
                                    const std::vector<host::paint::ColorStop>& stops) {
    PaintOp op;
    op.kind = PaintOp::kGradient;
    op.area = area;
    if (!stops.empty())
        op.color = stops.front().color;
    Record(op);
}

void RecordingPainter::FillEllipse(const Rect& bounds, host::paint::Color color) {
    PaintOp op;
    op.kind = PaintOp::kEllipse;
    op.area = bounds;
    op.color = color;
    Record(op);
}

// The bounds of the shape's points, control points included.
void RecordingPainter::FillShape(const host::paint::Shape& shape, host::paint::Color color) {
    double left = shape.start.x, top = shape.start.y, right = left, bottom = top;
    const auto take = [&](host::paint::Point p) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    };
    for (const auto& step : shape.steps) {
        if (step.curve) {
            take(step.c1);
            take(step.c2);
        }
        take(step.to);
    }
    PaintOp op;
    op.kind = PaintOp::kShape;
    op.area = {left, top, right - left, bottom - top};
    op.color = color;
    Record(op);
}

std::vector<PaintOp> RecordingPainter::TextsOf(const std::string& text) const {
    std::vector<PaintOp> found;
    for (const PaintOp& op : fOps)
        if (op.kind == PaintOp::kText && op.text == text)
            found.push_back(op);
    return found;
}

const PaintOp* RecordingPainter::TopAt(double x, double y) const {
    for (auto op = fOps.rbegin(); op != fOps.rend(); ++op)
        if (op->kind != PaintOp::kText && op->area.Contains(x, y) && op->clip.Contains(x, y))
            return &*op;
    return nullptr;
}

} // namespace testing_support
