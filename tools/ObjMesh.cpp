#include "ObjMesh.h"
#include <cmath>
#include <cstdio>

using namespace irr;
using core::vector2df;
using core::vector3df;

namespace mediagen {

void ObjMesh::useMaterial(const std::string& name, const std::string& texture, video::SColorf kd) {
    for (size_t i = 0; i < materials.size(); ++i)
        if (materials[i].name == name) {
            current = static_cast<int>(i);
            return;
        }
    materials.push_back({name, texture, kd});
    current = static_cast<int>(materials.size()) - 1;
}

u32 ObjMesh::vertex(const vector3df& p, const vector2df& uv) {
    positions.push_back(p);
    uvs.push_back(uv);
    return static_cast<u32>(positions.size() - 1);
}

void ObjMesh::triangle(u32 a, u32 b, u32 c) { faces.push_back({{a, b, c}, current}); }

void ObjMesh::quad(u32 a, u32 b, u32 c, u32 d) {
    triangle(a, b, c);
    triangle(a, c, d);
}

void ObjMesh::box(const vector3df& mn, const vector3df& mx, const core::rectf& uv, int faces) {
    const vector2df t00(uv.UpperLeftCorner.X, uv.LowerRightCorner.Y), t10(uv.LowerRightCorner.X, uv.LowerRightCorner.Y),
        t11(uv.LowerRightCorner.X, uv.UpperLeftCorner.Y), t01(uv.UpperLeftCorner.X, uv.UpperLeftCorner.Y);
    // Each face wound counter-clockwise seen from outside (engine, left-handed: clockwise).
    auto face = [&](vector3df a, vector3df b, vector3df c, vector3df d) {
        u32 i0 = vertex(a, t00), i1 = vertex(b, t10), i2 = vertex(c, t11), i3 = vertex(d, t01);
        quad(i0, i1, i2, i3);
    };
    const float x0 = mn.X, y0 = mn.Y, z0 = mn.Z, x1 = mx.X, y1 = mx.Y, z1 = mx.Z;
    if (faces & NEG_Z) face({x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {x1, y0, z0});
    if (faces & POS_Z) face({x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {x0, y0, z1});
    if (faces & NEG_X) face({x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, {x0, y0, z0});
    if (faces & POS_X) face({x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1});
    if (faces & POS_Y) face({x0, y1, z0}, {x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0});
    if (faces & NEG_Y) face({x0, y0, z1}, {x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1});
}

// Rotation taking +Y onto dir.
static core::matrix4 alignY(const vector3df& dir) {
    core::quaternion q;
    q.rotationFromTo(vector3df(0, 1, 0), dir);
    core::matrix4 m;
    q.getMatrix(m);  // the transposed matrix is the inverse turn
    return m;
}

void ObjMesh::beam(const vector3df& a, const vector3df& b, float w, const core::rectf& uv, int ends) {
    const vector3df d = b - a;
    const float len = d.getLength();
    if (len <= 0) return;
    const u32 first = vertexCount();
    const int faces = NEG_Z | POS_Z | NEG_X | POS_X | (ends & START ? NEG_Y : 0) | (ends & END ? POS_Y : 0);
    box(vector3df(-w / 2, 0, -w / 2), vector3df(w / 2, len, w / 2), uv, faces);
    core::matrix4 m = alignY(d / len);
    m.setTranslation(a);
    transformFrom(first, m);
}

void ObjMesh::frustum(const vector3df& a, const vector3df& b, float ra, float rb, int sides, const core::rectf& uv,
                      int ends) {
    const vector3df d = b - a;
    const float len = d.getLength();
    if (len <= 0 || sides < 3) return;
    const u32 first = vertexCount();
    const float u0 = uv.UpperLeftCorner.X, u1 = uv.LowerRightCorner.X;
    const float v0 = uv.UpperLeftCorner.Y, v1 = uv.LowerRightCorner.Y;
    for (int i = 0; i < sides; ++i) {
        const float a0 = 2.0f * core::PI * i / sides, a1 = 2.0f * core::PI * (i + 1) / sides;
        const float uA = u0 + (u1 - u0) * i / sides, uB = u0 + (u1 - u0) * (i + 1) / sides;
        u32 p0 = vertex({ra * std::cos(a0), 0, ra * std::sin(a0)}, {uA, v1});
        u32 p1 = vertex({ra * std::cos(a1), 0, ra * std::sin(a1)}, {uB, v1});
        u32 p2 = vertex({rb * std::cos(a1), len, rb * std::sin(a1)}, {uB, v0});
        u32 p3 = vertex({rb * std::cos(a0), len, rb * std::sin(a0)}, {uA, v0});
        quad(p0, p3, p2, p1);
    }
    const vector2df mid((u0 + u1) / 2, (v0 + v1) / 2);
    for (int end = 0; end < 2; ++end) {
        const float y = end ? len : 0, r = end ? rb : ra;
        if (r <= 0 || !(ends & (end ? END : START))) continue;
        u32 c = vertex({0, y, 0}, mid);
        for (int i = 0; i < sides; ++i) {
            const float a0 = 2.0f * core::PI * i / sides, a1 = 2.0f * core::PI * (i + 1) / sides;
            u32 p0 = vertex({r * std::cos(a0), y, r * std::sin(a0)}, mid);
            u32 p1 = vertex({r * std::cos(a1), y, r * std::sin(a1)}, mid);
            if (end)
                triangle(c, p1, p0);
            else
                triangle(c, p0, p1);
        }
    }
    core::matrix4 m = alignY(d / len);
    m.setTranslation(a);
    transformFrom(first, m);
}

void ObjMesh::cylinder(const vector3df& a, const vector3df& b, float radius, int sides, const core::rectf& uv,
                       int ends) {
    frustum(a, b, radius, radius, sides, uv, ends);
}

void ObjMesh::lathe(const std::vector<vector2df>& profile, int sides, const core::rectf& uv) {
    const float u0 = uv.UpperLeftCorner.X, u1 = uv.LowerRightCorner.X;
    const float v0 = uv.UpperLeftCorner.Y, v1 = uv.LowerRightCorner.Y;
    const size_t n = profile.size();
    auto at = [](const vector2df& p, float a) { return vector3df(p.X * std::cos(a), p.Y, p.X * std::sin(a)); };
    for (size_t k = 0; k < n; ++k) {
        const vector2df& p = profile[k];
        const vector2df& q = profile[(k + 1) % n];
        if (p.X <= 0 && q.X <= 0) continue;
        const float vp = v0 + (v1 - v0) * k / n, vq = v0 + (v1 - v0) * (k + 1) / n;
        for (int i = 0; i < sides; ++i) {
            const float a = 2.0f * core::PI * i / sides, b = 2.0f * core::PI * (i + 1) / sides;
            const float ua = u0 + (u1 - u0) * i / sides, ub = u0 + (u1 - u0) * (i + 1) / sides;
            const u32 pa = vertex(at(p, a), {ua, vp}), qa = vertex(at(q, a), {ua, vq});
            const u32 qb = vertex(at(q, b), {ub, vq}), pb = vertex(at(p, b), {ub, vp});
            if (p.X <= 0)
                triangle(pa, qa, qb);
            else if (q.X <= 0)
                triangle(pa, qa, pb);
            else
                quad(pa, qa, qb, pb);
        }
    }
}

void ObjMesh::transformFrom(u32 firstVertex, const core::matrix4& m) {
    for (size_t i = firstVertex; i < positions.size(); ++i) m.transformVect(positions[i]);
}

core::aabbox3df ObjMesh::bounds() const {
    if (positions.empty()) return core::aabbox3df(0, 0, 0, 0, 0, 0);
    core::aabbox3df b(positions[0]);
    for (const vector3df& p : positions) b.addInternalPoint(p);
    return b;
}

bool ObjMesh::write(const std::string& dir, const std::string& name) const {
    const std::string objPath = dir + "/" + name + ".obj";
    FILE* f = fopen(objPath.c_str(), "w");
    if (!f) {
        printf("media: cannot write %s\n", objPath.c_str());
        return false;
    }
    fprintf(f, "# Travondel media generator\n");
    if (!materials.empty()) fprintf(f, "mtllib %s.mtl\n", name.c_str());
    // The loader negates X: write -X so the engine sees our X.
    for (const vector3df& p : positions) fprintf(f, "v %.5f %.5f %.5f\n", -p.X, p.Y, p.Z);
    // The loader flips V: write 1-V so the engine sees our V.
    for (const vector2df& t : uvs) fprintf(f, "vt %.5f %.5f\n", t.X, 1.0f - t.Y);
    int mat = -2;
    for (const Face& fc : faces) {
        if (fc.material != mat && fc.material >= 0) {
            fprintf(f, "usemtl %s\n", materials[fc.material].name.c_str());
        }
        mat = fc.material;
        // Negating X mirrors the mesh, which flips winding: swap two corners.
        fprintf(f, "f %u/%u %u/%u %u/%u\n", fc.v[0] + 1, fc.v[0] + 1, fc.v[2] + 1, fc.v[2] + 1, fc.v[1] + 1,
                fc.v[1] + 1);
    }
    bool ok = ferror(f) == 0;
    ok = (fclose(f) == 0) && ok;
    if (materials.empty() || !ok) return ok;

    const std::string mtlPath = dir + "/" + name + ".mtl";
    FILE* m = fopen(mtlPath.c_str(), "w");
    if (!m) {
        printf("media: cannot write %s\n", mtlPath.c_str());
        return false;
    }
    for (const Material& mt : materials) {
        fprintf(m, "newmtl %s\nKa 1 1 1\nKd %.4f %.4f %.4f\nKs 0 0 0\nillum 1\n", mt.name.c_str(), mt.kd.r, mt.kd.g,
                mt.kd.b);
        if (!mt.texture.empty()) fprintf(m, "map_Kd %s\n", mt.texture.c_str());
        fprintf(m, "\n");
    }
    ok = ferror(m) == 0;
    return (fclose(m) == 0) && ok;
}

}  // namespace mediagen
