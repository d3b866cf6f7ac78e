#include "Canvas.h"
#include <algorithm>
#include <cmath>

using namespace irr;

namespace mediagen {

namespace {
float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
}

Canvas::Canvas(int width, int height, Rgb fill) : w(width), h(height), px(static_cast<size_t>(width) * height, fill) {}

void Canvas::set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[static_cast<size_t>(y) * w + x] = c;
}

void Canvas::blend(int x, int y, Rgb c, float alpha) {
    if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0) return;
    Rgb& p = px[static_cast<size_t>(y) * w + x];
    p = mix(p, c, clamp01(alpha));
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha) {
    const float half = width * 0.5f;
    const int minX = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
    const int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
    const int minY = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
    const int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = std::max(0, minY); y <= std::min(h - 1, maxY); ++y)
        for (int x = std::max(0, minX); x <= std::min(w - 1, maxX); ++x) {
            const float px0 = x + 0.5f - x0, py0 = y + 0.5f - y0;
            const float t = len2 > 0 ? clamp01((px0 * dx + py0 * dy) / len2) : 0.0f;
            const float ex = px0 - t * dx, ey = py0 - t * dy;
            const float d = std::sqrt(ex * ex + ey * ey);
            blend(x, y, c, alpha * clamp01(half + 0.5f - d));
        }
}

void Canvas::disc(float cx, float cy, float radius, Rgb c, float alpha) {
    for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y)
        for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            blend(x, y, c, alpha * clamp01(radius + 0.5f - d));
        }
}

void Canvas::triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgb c, float alpha) {
    const int minX = std::max(0, static_cast<int>(std::floor(std::min({x0, x1, x2}))) - 1);
    const int maxX = std::min(w - 1, static_cast<int>(std::ceil(std::max({x0, x1, x2}))) + 1);
    const int minY = std::max(0, static_cast<int>(std::floor(std::min({y0, y1, y2}))) - 1);
    const int maxY = std::min(h - 1, static_cast<int>(std::ceil(std::max({y0, y1, y2}))) + 1);
    const float area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
    if (area == 0) return;
    const float sgn = area > 0 ? 1.0f : -1.0f;
    // Signed distance to each edge, positive inside.
    auto edge = [&](float ax, float ay, float bx, float by, float x, float y) {
        const float ex = bx - ax, ey = by - ay, len = std::sqrt(ex * ex + ey * ey);
        return len > 0 ? sgn * (ex * (y - ay) - ey * (x - ax)) / len : 0.0f;
    };
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const float fx = x + 0.5f, fy = y + 0.5f;
            const float d =
                std::min({edge(x0, y0, x1, y1, fx, fy), edge(x1, y1, x2, y2, fx, fy), edge(x2, y2, x0, y0, fx, fy)});
            blend(x, y, c, alpha * clamp01(d + 0.5f));
        }
}

void Canvas::mask(const video::IImage* m, int ox, int oy, Rgb c, float alpha) {
    if (!m) return;
    const core::dimension2d<u32> size = m->getDimension();
    for (u32 y = 0; y < size.Height; ++y)
        for (u32 x = 0; x < size.Width; ++x)
            blend(ox + static_cast<int>(x), oy + static_cast<int>(y), c, alpha * m->getPixel(x, y).getRed() / 255.0f);
}

video::IImage* Canvas::toImage(video::IVideoDriver* driver) const {
    video::IImage* img = driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(w, h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb& p = px[static_cast<size_t>(y) * w + x];
            auto q = [](float v) { return static_cast<u32>(std::lround(clamp01(v) * 255.0f)); };
            img->setPixel(x, y, video::SColor(255, q(p.r), q(p.g), q(p.b)));
        }
    return img;
}

Canvas::Rgb Canvas::scale(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }

Canvas::Rgb Canvas::rgb8(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

}  // namespace mediagen
