// An RGB picture in floats (0..1) with anti-aliased drawing, turned into an
// engine image for writing. Used for the generated textures and pictures.
#pragma once
#include <irrlicht.h>
#include <vector>
#include "Colour.h"

namespace mediagen {

class Canvas {
public:
    using Rgb = Colour<float>;
    Canvas(int width, int height, Rgb fill = {0, 0, 0});
    int width() const { return w; }
    int height() const { return h; }
    Rgb get(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    void set(int x, int y, Rgb c);
    // Mixes c into a pixel by alpha (0..1); pixels outside are ignored.
    void blend(int x, int y, Rgb c, float alpha);
    // Anti-aliased shapes.
    void line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha = 1.0f);
    void disc(float cx, float cy, float radius, Rgb c, float alpha = 1.0f);
    // A filled triangle (its edges anti-aliased).
    void triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgb c, float alpha = 1.0f);
    // A grey-scale coverage mask drawn in colour c at (x, y).
    void mask(const irr::video::IImage* mask, int x, int y, Rgb c, float alpha = 1.0f);
    // A new engine image (R8G8B8); the caller drops it.
    irr::video::IImage* toImage(irr::video::IVideoDriver* driver) const;

    static Rgb scale(Rgb a, float s);
    static Rgb rgb8(int r, int g, int b);

private:
    int w, h;
    std::vector<Rgb> px;
};

}  // namespace mediagen
