#include "canvas/RasterCanvas.h"

#include "canvas/Rasteriser.h"
#include "canvas/SpanUnion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

int deviceSide(int logical, double scale) {
    return static_cast<int>(
        std::min<double>(MaxDeviceSide, std::ceil(std::max(logical, 0) * scale)));
}

PixelBuffer blankPicture(PixelSize logical, double scale) {
    return PixelBuffer({deviceSide(logical.width, scale), deviceSide(logical.height, scale)},
                       toPixel(Palette::Background));
}

std::size_t mixIn(std::size_t hash, float value) {
    // std::bit_cast is missing from the browser build's C++ library.
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return (hash ^ bits) * 0x100000001b3ull;
}

} // namespace

RasterCanvas::RasterCanvas(PixelSize clientSize, double scale)
    : ClientAreaCanvas(clientSize), scale_(scale), extent_(clientSize),
      pixels_(blankPicture(clientSize, scale)) {}

// Whole device pixels wide, so that a zoomed picture keeps the density of its line fans.
int RasterCanvas::lineWidth(double scale) {
    return static_cast<int>(std::max(1.0, std::round(scale)));
}

PixelSize RasterCanvas::deviceSize() const {
    return {deviceSide(clientSize().width, scale_), deviceSide(clientSize().height, scale_)};
}

double RasterCanvas::device(float twips) const {
    // Where the painters' single-precision pixels land, scaled in double.
    return double{toPixels(twips)} * scale_;
}

PixelRect RasterCanvas::paint(const Primitive& primitive, Rasteriser& rasteriser) const {
    if (const auto* line = std::get_if<LineCall>(&primitive))
        return rasteriser.line(device(line->x1), device(line->y1), device(line->x2),
                               device(line->y2), toPixel(line->colour));
    const auto* call = std::get_if<ShapeCall>(&primitive);
    if (!call)
        return {};
    const CircleShape& shape = call->shape;
    if (shape.outline == Outline::Arc)
        return rasteriser.arc(device(shape.x), device(shape.y), device(shape.radius), shape.start,
                              shape.end, toPixel(shape.colour));
    return rasteriser.ellipse(device(shape.x), device(shape.y), device(shape.horizontalRadius()),
                              device(shape.verticalRadius()), toPixel(shape.colour),
                              toPixel(call->fill));
}

PixelRect RasterCanvas::paint(const Primitive& primitive) {
    Rasteriser rasteriser(pixels_, lineWidth(scale_));
    return paint(primitive, rasteriser);
}

void RasterCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    const LineCall call{x1, y1, x2, y2, colour};
    if (!batched_)
        dirty_ = dirty_.united(paint(Primitive(call)));
    std::size_t key = 1;
    for (float value : {x1, y1, x2, y2})
        key = mixIn(key, value);
    keep(call, key);
}

void RasterCanvas::drawShape(const CircleShape& shape) {
    const ShapeCall call{shape, fillColor()};
    if (!batched_)
        dirty_ = dirty_.united(paint(Primitive(call)));
    std::size_t key = shape.outline == Outline::Arc ? 3 : 2;
    for (float value : {shape.x, shape.y, shape.radius, shape.aspect, shape.start, shape.end})
        key = mixIn(key, value);
    keep(call, key);
}

// A later primitive of exactly the same geometry paints exactly the same pixels, so the earlier
// one can go: a fire ball and the disc that erases it, a goblin and its erasure.
void RasterCanvas::keep(Primitive primitive, std::size_t key) {
    const auto sameGeometry = [](const Primitive& a, const Primitive& b) {
        if (const auto* line = std::get_if<LineCall>(&a)) {
            const auto* other = std::get_if<LineCall>(&b);
            return other && line->x1 == other->x1 && line->y1 == other->y1 &&
                   line->x2 == other->x2 && line->y2 == other->y2;
        }
        const auto* shape = std::get_if<ShapeCall>(&a);
        const auto* other = std::get_if<ShapeCall>(&b);
        if (!shape || !other)
            return false;
        const CircleShape &s = shape->shape, &o = other->shape;
        return s.x == o.x && s.y == o.y && s.radius == o.radius && s.aspect == o.aspect &&
               s.outline == o.outline &&
               (s.outline == Outline::Closed || (s.start == o.start && s.end == o.end));
    };
    const auto [found, inserted] = lastWithKey_.try_emplace(key, kept_.size());
    if (!inserted) {
        Primitive& earlier = kept_[found->second];
        if (sameGeometry(earlier, primitive)) {
            earlier = std::monostate();
            ++dropped_;
        }
        found->second = kept_.size();
    }
    kept_.push_back(std::move(primitive));

    if (keptPrimitives() > MaxKeptPrimitives) {
        // Too much to keep: the picture so far becomes the bitmap a rebuild starts from.
        if (batched_)
            repaintAll();
        base_ = pixels_;
        baseScale_ = scale_;
        kept_.clear();
        lastWithKey_.clear();
        dropped_ = 0;
    } else if (dropped_ > kept_.size() / 2 && dropped_ > 4096) {
        std::erase_if(kept_,
                      [](const Primitive& p) { return std::holds_alternative<std::monostate>(p); });
        lastWithKey_.clear();
        dropped_ = 0;
    }
}

void RasterCanvas::paintBatch(const std::function<void(Canvas&)>& paint) {
    batched_ = true;
    try {
        paint(*this);
    } catch (...) {
        batched_ = false;
        repaintAll();
        throw;
    }
    batched_ = false;
    repaintAll();
}

void RasterCanvas::repaintAll() {
    pixels_.fill(toPixel(Palette::Background));
    rebuild();
}

void RasterCanvas::clear() {
    pixels_.fill(toPixel(Palette::Background));
    const PixelSize device = deviceSize();
    dirty_ = {0, 0, device.width, device.height};
    base_ = PixelBuffer();
    kept_.clear();
    lastWithKey_.clear();
    dropped_ = 0;
}

void RasterCanvas::resize(PixelSize clientSize, double scale) {
    setClientSize(clientSize);
    const PixelSize extent{std::max(extent_.width, clientSize.width),
                           std::max(extent_.height, clientSize.height)};
    if (scale == scale_ && extent == extent_)
        return;
    const bool rescaled = scale != scale_;
    PixelBuffer grown = blankPicture(extent, scale);
    if (!rescaled)
        grown.copyFrom(pixels_);
    pixels_ = std::move(grown);
    extent_ = extent;
    scale_ = scale;
    if (rescaled)
        rebuild();
}

// A filled circle or ellipse with the same centre and aspect as a later one at least as large
// paints no pixel that the later one does not paint again, whatever lies between them: the
// growing body's thousands of ellipses need not be repainted.
std::vector<bool> RasterCanvas::coveredShapes() const {
    struct Axis {
        float x, y, aspect;
        bool operator==(const Axis&) const = default;
    };
    struct AxisHash {
        std::size_t operator()(const Axis& a) const {
            return mixIn(mixIn(mixIn(0, a.x), a.y), a.aspect);
        }
    };
    std::unordered_map<Axis, float, AxisHash> largestLater;
    std::vector<bool> covered(kept_.size());
    for (std::size_t i = kept_.size(); i-- > 0;) {
        const auto* call = std::get_if<ShapeCall>(&kept_[i]);
        if (!call || call->shape.outline == Outline::Arc)
            continue;
        const CircleShape& shape = call->shape;
        const float radius = std::abs(shape.radius);
        auto [later, inserted] = largestLater.try_emplace({shape.x, shape.y, shape.aspect}, radius);
        if (!inserted) {
            covered[i] = later->second >= radius;
            later->second = std::max(later->second, radius);
        }
    }
    return covered;
}

// Consecutive primitives that each paint one and the same colour (lines, arcs, shapes filled in
// their outline's colour) are painted as the union of their pixels: the fire ball's thousands of
// overlapping erasing discs then cost about as much as the area they sweep.
void RasterCanvas::rebuild() {
    if (!base_.isEmpty())
        pixels_.stretchFrom(base_, scale_ / baseScale_);
    const std::vector<bool> covered = coveredShapes();
    const auto soleColour = [](const Primitive& primitive) -> std::optional<Color> {
        if (const auto* line = std::get_if<LineCall>(&primitive))
            return line->colour;
        const auto& shape = std::get<ShapeCall>(primitive);
        if (shape.shape.outline == Outline::Arc || shape.fill == shape.shape.colour)
            return shape.shape.colour;
        return std::nullopt;
    };

    SpanUnion spans(pixels_.height());
    Rasteriser collector(pixels_, lineWidth(scale_));
    collector.collectInto(&spans);
    std::optional<Color> unionColour;
    const auto flush = [&] {
        if (unionColour)
            spans.paint(pixels_, toPixel(*unionColour));
        unionColour.reset();
    };
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        const Primitive& primitive = kept_[i];
        if (std::holds_alternative<std::monostate>(primitive) || covered[i])
            continue;
        const std::optional<Color> colour = soleColour(primitive);
        if (colour != unionColour)
            flush();
        unionColour = colour;
        if (colour)
            paint(primitive, collector);
        else
            paint(primitive);
    }
    flush();
    const PixelSize device = deviceSize();
    dirty_ = {0, 0, device.width, device.height};
}

PixelRect RasterCanvas::takeDirty() {
    const PixelSize device = deviceSize();
    const PixelRect client{0, 0, device.width, device.height};
    PixelRect dirty;
    if (dirty_.intersects(client)) {
        const int left = std::max(dirty_.x, 0), top = std::max(dirty_.y, 0);
        dirty = {left, top, std::min(dirty_.x + dirty_.width, device.width) - left,
                 std::min(dirty_.y + dirty_.height, device.height) - top};
    }
    dirty_ = {};
    return dirty;
}

void RasterCanvas::markAllDirty() {
    const PixelSize device = deviceSize();
    dirty_ = {0, 0, device.width, device.height};
}
