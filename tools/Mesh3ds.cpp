#include "Mesh3ds.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace irr;

namespace mediagen {

namespace {

struct Bytes {
    std::vector<u8> b;
    void u16le(u32 v) {
        b.push_back(v & 0xFF);
        b.push_back((v >> 8) & 0xFF);
    }
    void u32le(u32 v) {
        u16le(v & 0xFFFF);
        u16le(v >> 16);
    }
    void f32le(float f) {
        u32 u;
        std::memcpy(&u, &f, 4);
        u32le(u);
    }
    void text(const std::string& s) { b.insert(b.end(), s.c_str(), s.c_str() + s.size() + 1); }
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

u8 channel(float c) { return static_cast<u8>(std::lround(c * 255.0f)); }

Bytes material(const ObjMesh::Material& m) {
    const u8 r = channel(m.kd.r), g = channel(m.kd.g), b = channel(m.kd.b);
    Bytes name, body;
    name.text(m.name);
    body.append(chunk(0xA000, name));
    body.append(chunk(0xA010, colour24(r / 2, g / 2, b / 2)));  // ambient
    body.append(chunk(0xA020, colour24(r, g, b)));              // diffuse: the vertex colour
    body.append(chunk(0xA030, colour24(0, 0, 0)));              // specular
    return chunk(0xAFFF, body);
}

Bytes trimesh(const ObjMesh& m) {
    Bytes vertices;
    vertices.u16le(static_cast<u32>(m.vertexPositions().size()));
    // The loader reads the file's Z as the engine's Y.
    for (const core::vector3df& v : m.vertexPositions()) {
        vertices.f32le(v.X);
        vertices.f32le(v.Z);
        vertices.f32le(v.Y);
    }
    const std::vector<ObjMesh::Face>& list = m.faceList();
    Bytes faces;
    faces.u16le(static_cast<u32>(list.size()));
    // Swapping Y and Z mirrors the mesh; the loader reverses each face, so write them reversed too.
    for (const ObjMesh::Face& f : list) {
        faces.u16le(f.v[0]);
        faces.u16le(f.v[2]);
        faces.u16le(f.v[1]);
        faces.u16le(0);
    }
    for (size_t mat = 0; mat < m.materialList().size(); ++mat) {
        Bytes group;
        group.text(m.materialList()[mat].name);
        std::vector<u16> which;
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].material == static_cast<int>(mat)) which.push_back(static_cast<u16>(i));
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

}  // namespace

bool Mesh3ds::write(const ObjMesh& mesh, const std::string& path, const std::string& objectName) {
    if (mesh.vertexPositions().size() > 0xFFFF || mesh.faceList().size() > 0xFFFF) {
        printf("media: %s has too many vertices or faces for 3DS\n", path.c_str());
        return false;
    }
    Bytes version;
    version.u32le(3);
    Bytes edit;
    edit.append(chunk(0x3D3E, version));
    for (const ObjMesh::Material& m : mesh.materialList()) edit.append(material(m));
    Bytes object;
    object.text(objectName);
    object.append(trimesh(mesh));
    edit.append(chunk(0x4000, object));
    Bytes file;
    file.append(chunk(0x0002, version));
    file.append(chunk(0x3D3D, edit));
    const Bytes main = chunk(0x4D4D, file);

    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        printf("media: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = fwrite(main.b.data(), 1, main.b.size(), f) == main.b.size();
    return fclose(f) == 0 && ok;
}

}  // namespace mediagen
