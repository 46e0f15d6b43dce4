#include "window/RasterCanvas.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace {

QImage blankImage(QSize logical, qreal scale) {
    const QSize device(
        std::min(MaxDeviceSide, static_cast<int>(std::ceil(logical.width() * scale))),
        std::min(MaxDeviceSide, static_cast<int>(std::ceil(logical.height() * scale))));
    QImage image(device, QImage::Format_RGB32);
    image.fill(toQColor(Palette::Background));
    return image;
}

std::size_t mixIn(std::size_t hash, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return (hash ^ bits) * 0x100000001b3ull;
}

} // namespace

RasterCanvas::RasterCanvas(QSize clientSize, qreal scale)
    : clientSize_(clientSize), scale_(scale), extent_(clientSize),
      image_(blankImage(clientSize, scale)) {
    begin();
}

RasterCanvas::~RasterCanvas() {
    painter_.end();
}

QColor toQColor(Color colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

void RasterCanvas::begin() {
    // The scale is ours to apply: Qt's own pixel ratio handling does not go below 1.
    painter_.begin(&image_);
    painter_.setTransform(QTransform::fromScale(scale_, scale_));
    penColour_ = 0xffffffff;
}

void RasterCanvas::usePen(Color colour) {
    if (colour == penColour_)
        return;
    penColour_ = colour;
    // Whole device pixels wide, so that a zoomed picture keeps the density of its line fans.
    const qreal devicePixels = std::max<qreal>(1, std::round(scale_));
    QPen pen(toQColor(colour), devicePixels / scale_);
    pen.setCapStyle(Qt::SquareCap);
    painter_.setPen(pen);
}

void RasterCanvas::markDirty(const QRectF& bounds) {
    dirty_ |= bounds.toAlignedRect().adjusted(-1, -1, 2, 2);
}

void RasterCanvas::paint(const LineCall& call) {
    usePen(call.colour);
    const QLineF line(toPixels(call.x1), toPixels(call.y1), toPixels(call.x2), toPixels(call.y2));
    painter_.drawLine(line);
    markDirty(QRectF(line.p1(), line.p2()).normalized());
}

void RasterCanvas::paint(const ShapeCall& call) {
    const CircleShape& shape = call.shape;
    const QPointF centre(toPixels(shape.x), toPixels(shape.y));
    const qreal rx = std::abs(toPixels(shape.horizontalRadius()));
    const qreal ry = std::abs(toPixels(shape.verticalRadius()));
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    usePen(shape.colour);
    if (shape.outline == Outline::Arc) {
        // Qt counts 1/16 degree counter-clockwise on screen from 3 o'clock, as the game does.
        double span = shape.end - shape.start;
        if (span < 0)
            span += 2 * std::numbers::pi;
        const auto sixteenths = [](double radians) {
            return static_cast<int>(std::lround(radians * 180.0 / std::numbers::pi * 16.0));
        };
        painter_.setBrush(Qt::NoBrush);
        painter_.drawArc(bounds, sixteenths(shape.start), sixteenths(span));
    } else {
        painter_.setBrush(toQColor(call.fill));
        painter_.drawEllipse(bounds);
    }
    markDirty(bounds);
}

void RasterCanvas::line(float x1, float y1, float x2, float y2, Color colour) {
    const LineCall call{x1, y1, x2, y2, colour};
    paint(call);
    std::size_t key = 1;
    for (float value : {x1, y1, x2, y2})
        key = mixIn(key, value);
    keep(call, key);
}

void RasterCanvas::drawShape(const CircleShape& shape) {
    const ShapeCall call{shape, fill_};
    paint(call);
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
        base_ = image_.copy();
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

void RasterCanvas::clear() {
    image_.fill(toQColor(Palette::Background));
    dirty_ = QRect(QPoint(0, 0), clientSize_);
    base_ = QImage();
    kept_.clear();
    lastWithKey_.clear();
    dropped_ = 0;
}

void RasterCanvas::resize(QSize clientSize, qreal scale) {
    clientSize_ = clientSize;
    const QSize extent = extent_.expandedTo(clientSize);
    if (scale == scale_ && extent == extent_)
        return;
    const bool rescaled = scale != scale_;
    painter_.end();
    QImage grown = blankImage(extent, scale);
    if (!rescaled) {
        QPainter copier(&grown);
        copier.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(grown);
    extent_ = extent;
    scale_ = scale;
    begin();
    if (rescaled)
        rebuild();
}

// A filled circle or ellipse inside a later, larger one about the same centre and of the same
// aspect is painted over entirely, whatever lies between them: the growing body's thousands of
// ellipses need not be repainted. The margin of a few device pixels at the current scale keeps
// the rasterised outlines apart.
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
    const qreal outline = std::max<qreal>(1, std::round(scale_));
    for (std::size_t i = kept_.size(); i-- > 0;) {
        const auto* call = std::get_if<ShapeCall>(&kept_[i]);
        if (!call || call->shape.outline == Outline::Arc)
            continue;
        const CircleShape& shape = call->shape;
        const float radius = std::abs(shape.radius);
        const float narrowing = shape.aspect > 1 ? 1 / shape.aspect : shape.aspect;
        const double marginTwips =
            TwipsPerPixel * (outline + 3) / (scale_ * std::max(narrowing, 0.01f));
        auto [later, inserted] = largestLater.try_emplace({shape.x, shape.y, shape.aspect}, radius);
        if (!inserted) {
            covered[i] = later->second - radius >= marginTwips;
            later->second = std::max(later->second, radius);
        }
    }
    return covered;
}

void RasterCanvas::rebuild() {
    if (!base_.isNull()) {
        painter_.save();
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.drawImage(QRectF(QPointF(0, 0), QSizeF(base_.size()) / baseScale_), base_);
        painter_.restore();
    }
    const std::vector<bool> covered = coveredShapes();
    const Color fill = fill_;
    for (std::size_t i = 0; i < kept_.size(); ++i) {
        if (const auto* line = std::get_if<LineCall>(&kept_[i]))
            paint(*line);
        else if (const auto* shape = std::get_if<ShapeCall>(&kept_[i]); shape && !covered[i])
            paint(*shape);
    }
    fill_ = fill;
    dirty_ = QRect(QPoint(0, 0), clientSize_);
}

QRect RasterCanvas::takeDirty() {
    const QRect dirty = dirty_ & QRect(QPoint(0, 0), clientSize_);
    dirty_ = QRect();
    return dirty;
}
