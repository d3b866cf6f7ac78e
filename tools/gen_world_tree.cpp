// The planted tree, media/lowpolytree.3ds: a low-poly conifer, four tiers of
// needles on a short trunk, origin on the trunk near its foot. The game draws it
// unlit from the materials' diffuse colours, so the facets are shaded by
// material: lit, mid and shadowed greens chosen by which way each faces.
// Written as 3DS chunks; the engine's loader swaps the file's Y and Z (and the
// winding with them), which this writer undoes.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "MediaGenerator.h"

using namespace irr;
using core::vector3df;

namespace {

struct Material { const char* name; u8 r, g, b; };
const Material MATERIALS[] = {
    {"trunk", 92, 60, 36},
    {"needles_lit", 70, 122, 56},
    {"needles_mid", 46, 94, 46},
    {"needles_shade", 28, 64, 36},
};
enum { TRUNK, LIT, MID, SHADE, MATERIAL_COUNT };

struct Mesh {
    std::vector<vector3df> vertices;
    struct Face { u16 v[3]; int material; };
    std::vector<Face> faces;

    u16 vertex(const vector3df& p) {
        vertices.push_back(p);
        return static_cast<u16>(vertices.size() - 1);
    }
    void triangle(u16 a, u16 b, u16 c, int material) { faces.push_back({{a, b, c}, material}); }
    // A cone or frustum round the Y axis from y0 (radius r0) to y1 (radius r1), with a closed
    // bottom unless it stands in the ground.
    void frustum(float y0, float y1, float r0, float r1, int sides, float twist, int material, bool bottomCap = true) {
        std::vector<u16> lo, hi;
        for (int i = 0; i < sides; ++i) {
            const float a = twist + 2.0f * core::PI * i / sides;
            lo.push_back(vertex({r0 * std::cos(a), y0, r0 * std::sin(a)}));
            if (r1 > 0) hi.push_back(vertex({r1 * std::cos(a), y1, r1 * std::sin(a)}));
        }
        const u16 tip = r1 > 0 ? 0 : vertex({0, y1, 0});
        const u16 bottom = bottomCap ? vertex({0, y0, 0}) : 0;
        for (int i = 0; i < sides; ++i) {
            const int j = (i + 1) % sides;
            if (r1 > 0) {
                triangle(lo[i], hi[i], hi[j], material);
                triangle(lo[i], hi[j], lo[j], material);
            } else {
                triangle(lo[i], tip, lo[j], material);
            }
            if (bottomCap) triangle(bottom, lo[i], lo[j], material);
        }
    }
};

// Turns every face outwards (engine winding) and gives the needles their green from where
// each facet faces: lit towards the sun, shadowed away from it and underneath.
void orientAndShade(Mesh& m) {
    const vector3df sun = vector3df(-0.45f, 0.65f, -0.62f).normalize();
    for (Mesh::Face& f : m.faces) {
        const vector3df a = m.vertices[f.v[0]], b = m.vertices[f.v[1]], c = m.vertices[f.v[2]];
        const vector3df n = (b - a).crossProduct(c - a);
        const vector3df centre = (a + b + c) / 3.0f;
        // Bottom caps face down; side facets face away from the trunk's axis.
        const bool cap = std::fabs(a.Y - b.Y) < 1e-4f && std::fabs(b.Y - c.Y) < 1e-4f;
        const vector3df out = cap ? vector3df(0, -1, 0) : vector3df(centre.X, 0, centre.Z);
        if (n.dotProduct(out) < 0) std::swap(f.v[1], f.v[2]);
        if (f.material == TRUNK) continue;
        const vector3df facing = (m.vertices[f.v[1]] - a).crossProduct(m.vertices[f.v[2]] - a).normalize();
        const float light = cap ? -1.0f : facing.dotProduct(sun);
        f.material = light > 0.35f ? LIT : (light > -0.15f ? MID : SHADE);
    }
}

struct Bytes {
    std::vector<u8> b;
    void u16le(u32 v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
    void u32le(u32 v) { u16le(v & 0xFFFF); u16le(v >> 16); }
    void f32le(float f) { u32 u; std::memcpy(&u, &f, 4); u32le(u); }
    void text(const char* s) { b.insert(b.end(), s, s + std::strlen(s) + 1); }
    void append(const Bytes& o) { b.insert(b.end(), o.b.begin(), o.b.end()); }
};

// A chunk: id, total length (header included), body.
Bytes chunk(u16 id, const Bytes& body) {
    Bytes c;
    c.u16le(id);
    c.u32le(static_cast<u32>(6 + body.b.size()));
    c.append(body);
    return c;
}

Bytes colour24(u8 r, u8 g, u8 b) {
    Bytes c;
    c.b = {r, g, b};
    return chunk(0x0011, c);
}

Bytes material(const Material& m) {
    Bytes name, body;
    name.text(m.name);
    body.append(chunk(0xA000, name));
    body.append(chunk(0xA010, colour24(m.r / 2, m.g / 2, m.b / 2)));  // ambient
    body.append(chunk(0xA020, colour24(m.r, m.g, m.b)));              // diffuse: the vertex colour
    body.append(chunk(0xA030, colour24(0, 0, 0)));                    // specular
    return chunk(0xAFFF, body);
}

Bytes trimesh(const Mesh& m) {
    Bytes vertices;
    vertices.u16le(static_cast<u32>(m.vertices.size()));
    // The loader reads the file's Z as the engine's Y.
    for (const vector3df& v : m.vertices) {
        vertices.f32le(v.X);
        vertices.f32le(v.Z);
        vertices.f32le(v.Y);
    }
    Bytes faces;
    faces.u16le(static_cast<u32>(m.faces.size()));
    // Swapping Y and Z mirrors the mesh; the loader reverses each face, so write them reversed too.
    for (const Mesh::Face& f : m.faces) {
        faces.u16le(f.v[0]);
        faces.u16le(f.v[2]);
        faces.u16le(f.v[1]);
        faces.u16le(0);
    }
    for (int mat = 0; mat < MATERIAL_COUNT; ++mat) {
        Bytes group;
        group.text(MATERIALS[mat].name);
        std::vector<u16> which;
        for (size_t i = 0; i < m.faces.size(); ++i)
            if (m.faces[i].material == mat) which.push_back(static_cast<u16>(i));
        if (which.empty()) continue;
        group.u16le(static_cast<u32>(which.size()));
        for (u16 i : which) group.u16le(i);
        faces.append(chunk(0x4130, group));
    }
    Bytes body;
    body.append(chunk(0x4110, vertices));
    body.append(chunk(0x4120, faces));
    return chunk(0x4100, body);
}

} // namespace

MEDIA_GENERATOR(gen_world_tree) {
    Mesh tree;
    // The trunk reaches 1.2 m under the ground (the game stands the tree 0.6 up), for a slope.
    tree.frustum(-0.6f, 1.5f, 0.2f, 0.14f, 6, 0, TRUNK, false);
    // Tiers of needles: base height, top, radius; each turned a little against the one below.
    const float tiers[][3] = {{1.0f, 3.3f, 1.55f}, {2.2f, 4.4f, 1.2f}, {3.4f, 5.4f, 0.85f}, {4.4f, 6.2f, 0.5f}};
    // Only the lowest tier closes its underside: the upper ones' show only from under the tree.
    for (int i = 0; i < 4; ++i) tree.frustum(tiers[i][0], tiers[i][1], tiers[i][2], 0, 8, 0.35f * i, MID, i == 0);
    orientAndShade(tree);

    Bytes version;
    version.u32le(3);
    Bytes edit;
    edit.append(chunk(0x3D3E, version));
    for (const Material& m : MATERIALS) edit.append(material(m));
    Bytes object;
    object.text("conifer");
    object.append(trimesh(tree));
    edit.append(chunk(0x4000, object));
    Bytes file;
    file.append(chunk(0x0002, version));
    file.append(chunk(0x3D3D, edit));
    const Bytes main = chunk(0x4D4D, file);

    FILE* f = fopen(ctx.path("media/lowpolytree.3ds").c_str(), "wb");
    if (!f) {
        printf("media: cannot write media/lowpolytree.3ds\n");
        return false;
    }
    bool ok = fwrite(main.b.data(), 1, main.b.size(), f) == main.b.size();
    return fclose(f) == 0 && ok;
}
