// Writes a mesh built with ObjMesh as a 3DS file (the planted tree's format).
// The engine's 3DS loader swaps the file's Y and Z, and the winding with them,
// which this writer undoes. Materials keep their diffuse colour only.
#pragma once
#include <string>
#include "ObjMesh.h"

namespace mediagen {

class Mesh3ds {
public:
    // Writes path; false (with a line) when it cannot, or when the mesh has more
    // vertices or faces than the format's 16-bit counts hold.
    static bool write(const ObjMesh& mesh, const std::string& path, const std::string& objectName);
};

}  // namespace mediagen
