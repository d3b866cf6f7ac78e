// The generator's mesh builder; it writes Wavefront OBJ (+MTL) files itself,
// and Mesh3ds writes what it built as 3DS.
// Build in engine coordinates (Y up, the frame the game sees after loading);
// write() undoes what Irrlicht's OBJ loader does (it negates X and flips V).
#pragma once
#include <irrlicht.h>
#include <string>
#include <vector>

namespace mediagen {

class ObjMesh {
public:
    struct Material {
        std::string name;
        std::string texture;  // file name relative to the .obj, empty for none
        irr::video::SColorf kd{1, 1, 1, 1};
    };

    // Selects (adding when new) the material of the faces that follow.
    void useMaterial(const std::string& name, const std::string& texture = "",
                     irr::video::SColorf kd = irr::video::SColorf(1, 1, 1, 1));

    irr::u32 vertex(const irr::core::vector3df& p, const irr::core::vector2df& uv);
    void triangle(irr::u32 a, irr::u32 b, irr::u32 c);
    void quad(irr::u32 a, irr::u32 b, irr::u32 c, irr::u32 d);

    // Faces of a box, to leave out those nobody sees (against a wall, in the ground).
    enum BoxFace { NEG_Z = 1, POS_Z = 2, NEG_X = 4, POS_X = 8, POS_Y = 16, NEG_Y = 32, ALL_FACES = 63 };
    // Which ends of a beam, cylinder or frustum get a cap (a: START, b: END).
    enum Ends { NO_ENDS = 0, START = 1, END = 2, BOTH_ENDS = 3 };

    // Primitives; uv is the atlas rectangle to spread over each face.
    void box(const irr::core::vector3df& min, const irr::core::vector3df& max, const irr::core::rectf& uv,
             int faces = ALL_FACES);
    // Box from a to b with a square section of side w (a beam, a strut); thin
    // bars that end in other parts need no end faces.
    void beam(const irr::core::vector3df& a, const irr::core::vector3df& b, float w, const irr::core::rectf& uv,
              int ends = BOTH_ENDS);
    // Cylinder along the segment a-b.
    void cylinder(const irr::core::vector3df& a, const irr::core::vector3df& b, float radius, int sides,
                  const irr::core::rectf& uv, int ends = BOTH_ENDS);
    // Cone/frustum along a-b with radii ra at a and rb at b.
    void frustum(const irr::core::vector3df& a, const irr::core::vector3df& b, float ra, float rb, int sides,
                 const irr::core::rectf& uv, int ends = BOTH_ENDS);
    // Revolves a closed (radius, height) profile, counter-clockwise in that
    // plane, about +Y: faces come out facing away from the profile's inside;
    // steps on the axis (radius 0) close as fans, steps along it are skipped.
    void lathe(const std::vector<irr::core::vector2df>& profile, int sides, const irr::core::rectf& uv);

    // Applies m to every vertex added since firstVertex (normals follow).
    void transformFrom(irr::u32 firstVertex, const irr::core::matrix4& m);
    irr::u32 vertexCount() const { return static_cast<irr::u32>(positions.size()); }
    irr::core::aabbox3df bounds() const;

    // Writes dir/name.obj and, when any material exists, dir/name.mtl.
    bool write(const std::string& dir, const std::string& name) const;

    // What the writers of other formats read.
    struct Face {
        irr::u32 v[3];
        int material;
    };
    const std::vector<irr::core::vector3df>& vertexPositions() const { return positions; }
    const std::vector<Face>& faceList() const { return faces; }
    const std::vector<Material>& materialList() const { return materials; }

private:
    std::vector<irr::core::vector3df> positions;
    std::vector<irr::core::vector2df> uvs;
    std::vector<Face> faces;
    std::vector<Material> materials;
    int current = -1;
};

}  // namespace mediagen
