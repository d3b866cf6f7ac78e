// media/title.jpg: the launcher's 800x600 title picture. Mountains under a
// clear sky, a chairlift climbing the snowfield on the right, and the name
// (DejaVu Sans Bold, drawn by tools/font.py). The launcher's buttons stand at
// x 80..250, y 178..394, over quiet sky and far mountains.
#include <cmath>
#include <cstdio>
#include "Blend.h"
#include "Canvas.h"
#include "MediaGenerator.h"
#include "ProcNoise.h"
#include "ToolCommand.h"

using namespace mediagen;
using Rgb = Canvas::Rgb;

namespace {

const int W = 800, H = 600;

// The mountains behind: a height field of sharp ridges and two big peaks,
// drawn column by column from near to far (each column keeps the highest
// point drawn so far), lit from the upper left, hazy with distance.
class Mountains {
public:
    float height(float x, float z) const {
        float h = 0, amp = 1, freq = 1.0f / 700.0f, total = 0;
        for (int o = 0; o < 6; ++o) {
            const float r = 1.0f - std::fabs(2.0f * n.value(x * freq + 3.1f * o, z * freq) - 1.0f);
            h += amp * r * r;
            total += amp;
            amp *= 0.5f;
            freq *= 2.0f;
        }
        h = 260.0f * h / total;
        h += 540.0f * gauss2(x, z, 560, 1500, 420) + 460.0f * gauss2(x, z, -1000, 2300, 600);
        return h * smoothstep(250.0f, 1100.0f, z);
    }

    void draw(Canvas& c, const Canvas::Rgb& haze) const {
        const float camY = 60, focal = 500, horizon = 300;
        const float lx = -0.62f, ly = 0.62f, lz = -0.48f;  // towards the light
        for (int x = 0; x < W; ++x) {
            const float dir = (x + 0.5f - W / 2) / focal;
            float top = H;  // highest screen row drawn in this column so far
            for (float z = 200; z < 6000; z += 1.0f + z * 0.004f) {
                const float wx = dir * z, h = height(wx, z);
                const float sy = horizon - (h - camY) * focal / z;
                if (sy >= top) continue;
                const float e = 2.0f + z * 0.004f;
                const float gx = (height(wx + e, z) - height(wx - e, z)) / (2 * e);
                const float gz = (height(wx, z + e) - height(wx, z - e)) / (2 * e);
                const float nl = 1.0f / std::sqrt(gx * gx + 1 + gz * gz);
                const float light = std::fmax(0.0f, (-gx * lx + ly - gz * lz) * nl);
                const float flat = nl;  // 1 on level ground, smaller on steep faces
                const float snowCover = smoothstep(0.55f, 0.75f, flat + 0.15f * (n.value(wx / 30, z / 30) - 0.5f));
                Canvas::Rgb col = mix(Canvas::rgb8(70, 72, 82), Canvas::rgb8(150, 150, 156), light);
                col = mix(col, mix(Canvas::rgb8(150, 168, 200), Canvas::rgb8(250, 251, 255), light), snowCover);
                col = mix(col, haze, 1.0f - std::exp(-z / 3500.0f));
                for (int y = static_cast<int>(std::ceil(sy)); y < static_cast<int>(std::ceil(top)) && y < H; ++y)
                    if (y >= 0) c.set(x, y, col);
                // The outline is smoothed by blending the pixel it cuts.
                const int edge = static_cast<int>(std::floor(sy));
                c.blend(x, edge, col, std::ceil(sy) - sy);
                top = sy;
            }
        }
    }

private:
    static float gauss2(float x, float z, float cx, float cz, float r) {
        const float dx = (x - cx) / r, dz = (z - cz) / r;
        return std::exp(-(dx * dx + dz * dz));
    }
    ProcNoise n{2024};
};

// The snowfield in front, rising to the right, where the chairlift climbs.
float slope(float x) {
    static const ProcNoise n(2025);
    return 540 - 205 * std::pow(x / W, 1.5f) + 6 * (n.fbm(x / 90.0f, 9.5f, 3) - 0.5f);
}

void fillSlope(Canvas& c) {
    const Canvas::Rgb lit = Canvas::rgb8(246, 248, 252), shade = Canvas::rgb8(190, 204, 226);
    for (int x = 0; x < W; ++x) {
        const float top = slope(x + 0.5f);
        for (int y = std::max(0, static_cast<int>(top)); y < H; ++y) {
            const float cover = std::fmin(1.0f, std::fmax(0.0f, y + 1.0f - top));
            // Brighter high up and towards the light on the left.
            const float t = 0.35f * (y - top) / 120.0f + 0.4f * x / W;
            c.blend(x, y, mix(lit, shade, std::fmin(1.0f, t)), cover);
        }
    }
}

void fir(Canvas& c, float x, float base, float height) {
    const Rgb green = Canvas::rgb8(28, 64, 44), snow = Canvas::rgb8(236, 240, 246);
    c.line(x, base, x, base - height * 0.2f, 2.0f, Canvas::rgb8(70, 50, 36));
    for (int tier = 0; tier < 3; ++tier) {
        const float b = base - height * (0.15f + 0.25f * tier), t = b - height * 0.45f;
        const float half = height * (0.32f - 0.07f * tier);
        c.triangle(x - half, b, x + half, b, x, t, green);
        c.triangle(x - half * 0.45f, t + height * 0.16f, x + half * 0.3f, t + height * 0.12f, x, t, snow, 0.8f);
    }
}

void station(Canvas& c, float x, float ground, bool top) {
    const Rgb wall = Canvas::rgb8(150, 98, 58), roof = Canvas::rgb8(120, 32, 30);
    const float w = top ? 40 : 48, h = top ? 20 : 24;
    for (int y = static_cast<int>(ground - h); y < static_cast<int>(ground + 4); ++y)
        c.line(x - w / 2, y + 0.5f, x + w / 2, y + 0.5f, 1.0f, wall);
    c.triangle(x - w / 2 - 5, ground - h, x + w / 2 + 5, ground - h, x, ground - h - 14, roof);
    c.line(x - w / 2 - 5, ground - h, x + w / 2 + 5, ground - h, 2.0f, Canvas::rgb8(236, 240, 246));
    c.line(x - 8, ground - h + 6, x + 8, ground - h + 6, 6.0f, Canvas::rgb8(90, 120, 150));  // window
}

void chairlift(Canvas& c) {
    const Rgb steel = Canvas::rgb8(60, 64, 72), cable = Canvas::rgb8(30, 30, 34);
    const float x0 = 330, x1 = 735;
    const float g0 = slope(x0), g1 = slope(x1);
    const float y0 = g0 - 30, y1 = g1 - 27;  // rope height at the two bullwheels
    auto ropeY = [&](float x, float offset) {
        const float t = (x - x0) / (x1 - x0);
        return y0 + (y1 - y0) * t + offset + 10.0f * t * (1.0f - t);  // a little sag
    };
    station(c, x0, g0, false);
    station(c, x1, g1, true);
    for (int i = 1; i <= 4; ++i) {
        const float x = x0 + (x1 - x0) * i / 5.0f;
        const float top = ropeY(x, 0) - 4, base = slope(x) + 3;
        c.line(x, base, x, top, 3.0f, steel);
        c.line(x - 9, top, x + 9, top, 2.5f, steel);
    }
    c.line(x0, y0, x1, y1, 1.2f, cable);
    c.line(x0, y0 + 4, x1, y1 + 4, 1.2f, cable);
    for (float x = x0 + 22; x < x1 - 12; x += 38) {
        const float up = std::fmod(x, 76.0f) < 38.0f;
        const float ry = up ? ropeY(x, 0) : ropeY(x, 4);
        c.line(x, ry, x, ry + 14, 1.5f, steel);
        c.line(x - 5, ry + 14, x + 5, ry + 14, 2.5f, Canvas::rgb8(40, 70, 150));
        c.line(x - 5, ry + 14, x - 5, ry + 8, 2.0f, Canvas::rgb8(40, 70, 150));
    }
}

}  // namespace

MEDIA_GENERATOR(gen_shared_title) {
    const char* bold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (!ToolCommand::requireFile(bold, "fonts-dejavu-core")) return false;
    const std::string maskPath = ctx.path("media/title-name.tmp.png");
    const std::string cmd = "/usr/bin/python3 " + ToolCommand::quote(ctx.toolsDir + "/font.py") + " text " +
                            ToolCommand::quote(maskPath) + " " + ToolCommand::quote(bold) + " 92 Travondel";
    if (!ToolCommand::run(cmd, "python3-pil")) return false;
    irr::video::IImage* name = ctx.driver->createImageFromFile(maskPath.c_str());
    remove(maskPath.c_str());
    if (!name) {
        printf("media: cannot read the title text drawn by font.py\n");
        return false;
    }

    Canvas c(W, H);
    const Rgb high = Canvas::rgb8(52, 104, 186), low = Canvas::rgb8(206, 224, 242);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) c.set(x, y, mix(high, low, std::pow(std::fmin(1.0f, y / 380.0f), 1.3f)));

    Mountains().draw(c, low);
    fillSlope(c);

    // Forest on the lower slope, kept off the lift line.
    const ProcNoise scatter(7);
    for (int i = 0; i < 70; ++i) {
        const float x = 10 + 780 * scatter.hash(i, 1);
        if (x > 300 && x < 760 && scatter.hash(i, 3) < 0.7f) continue;
        const float depth = scatter.hash(i, 2);
        const float base = slope(x) + 12 + depth * (H - slope(x));
        fir(c, x, base, 26 + 40 * depth);
    }
    chairlift(c);

    const irr::core::dimension2d<irr::u32> size = name->getDimension();
    const int tx = (W - static_cast<int>(size.Width)) / 2, ty = 36;
    c.mask(name, tx + 4, ty + 4, Canvas::rgb8(20, 40, 80), 0.55f);
    c.mask(name, tx, ty, Canvas::rgb8(255, 255, 255));
    name->drop();

    irr::video::IImage* img = c.toImage(ctx.driver);
    const bool ok = ctx.writeImage(img, "media/title.jpg");
    img->drop();
    return ok;
}
