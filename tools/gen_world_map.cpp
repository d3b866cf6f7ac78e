// The default map, maps/ecrins.map: an alpine massif in winter round a main
// valley that runs north from the southern edge, with side valleys, ridges,
// steep faces, the village in front of the starting camera with a gentle open
// slope above it, and a bench higher up to build on. Writes the height field,
// the picture draped over it (painted from the engine's own terrain heights
// and slopes) and the map file with its stations placed on the terrain surface.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>
#include "Colour.h"
#include "ForEachRow.h"
#include "MediaGenerator.h"
#include "ProcNoise.h"
#include "TerrainGeometry.h"

using namespace irr;
using namespace mediagen::worldnoise;
using mediagen::forEachRow;
using mediagen::smoothstep;

namespace {

const int SIZE = TerrainGeometry::PIXELS;
const double CELL = TerrainGeometry::UNITS_PER_PIXEL;
const double LEVEL = TerrainGeometry::UNITS_PER_LEVEL;
const double WORLD = (SIZE - 1) * CELL;
// 5 world units a texel. The engine keeps a copy of every texture beside the
// driver's, so 4096 texels a side would hold some 150 MB for this one picture.
const int TEXTURE = 2048;

// The ground around the game's camera start must stay well below it.
const double CAMERA_X = TerrainGeometry::CAMERA_START_X, CAMERA_Y = TerrainGeometry::CAMERA_START_Y,
             CAMERA_Z = TerrainGeometry::CAMERA_START_Z;

struct Pt {
    double x, z;
};

// Distance in the ground plane from p to (x, z).
double distance(const Pt& p, double x, double z) { return std::sqrt((x - p.x) * (x - p.x) + (z - p.z) * (z - p.z)); }

// A valley: a polyline from its mouth upwards, the floor height at each point and the
// half-width of its flat floor.
struct Valley {
    std::vector<Pt> path;
    std::vector<double> floor;
    double floorWidth;
};

const std::vector<Valley>& valleys() {
    static const std::vector<Valley> v = {
        // Main valley: from the southern edge past the village to a cirque under the highest peaks.
        {{{6500, -600}, {6300, 2200}, {6050, 4300}, {5750, 6100}, {5250, 7700}, {4700, 8700}},
         {80, 130, 180, 235, 420, 1150},
         420},
        // West valley, joining below the camera, and its own branch to the south-west.
        {{{6100, 3800}, {4700, 3300}, {3100, 2700}, {1400, 2700}, {100, 3300}}, {170, 420, 800, 1250, 1700}, 220},
        {{{3300, 2800}, {2400, 1400}, {1500, 200}}, {780, 1200, 1650}, 140},
        // East valley, hanging above the main one, with a branch to the south-east.
        {{{5850, 6300}, {7000, 6900}, {8300, 7700}, {9500, 9300}}, {250, 650, 1150, 1750}, 200},
        {{{8000, 7500}, {9000, 6100}, {10300, 5300}}, {1050, 1450, 1900}, 120},
        // Short combes off the main valley.
        {{{5300, 7500}, {4000, 7100}, {2600, 7600}, {1200, 8800}}, {620, 1000, 1450, 1950}, 150},
        {{{6250, 2600}, {7600, 2300}, {8900, 1200}, {10300, 700}}, {140, 620, 1150, 1700}, 160},
        {{{6000, 5000}, {7400, 4400}, {8900, 3700}}, {200, 900, 1600}, 120},
        {{{5000, 8400}, {6500, 9300}, {7600, 10400}}, {1200, 1700, 2200}, 120},
    };
    return v;
}

// Nearest point of a polyline: distance and the interpolated floor there.
void nearest(const Valley& v, double x, double z, double& dist, double& floor) {
    dist = 1e30;
    floor = 0;
    for (size_t i = 0; i + 1 < v.path.size(); ++i) {
        const Pt a = v.path[i], b = v.path[i + 1];
        const double dx = b.x - a.x, dz = b.z - a.z;
        double t = ((x - a.x) * dx + (z - a.z) * dz) / (dx * dx + dz * dz);
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const double px = a.x + dx * t - x, pz = a.z + dz * t - z;
        const double d = std::sqrt(px * px + pz * pz);
        if (d < dist) {
            dist = d;
            floor = v.floor[i] + (v.floor[i + 1] - v.floor[i]) * t;
        }
    }
}

// The village stands in front of the starting camera, on a terrace at the foot
// of a gentle open slope that climbs away from the camera towards the eastern
// mountain: the place for the first lift, seen whole from the start.
const Pt VILLAGE = {6020, 5270};
const double VILLAGE_HEIGHT = 375;
const double TERRACE = 110;       // flat round the village
const Pt UPHILL = {0.62, 0.785};  // unit vector up the slope
const double GRADE = 0.22;        // rise per unit up the slope
const double FALL = 0.4;          // drop per unit down to the valley floor, towards the camera
const double SLOPE_LENGTH = 650, SLOPE_HALF_WIDTH = 230;

// Place along and across the first slope, from the village.
void slopeCoordinates(double x, double z, double& along, double& across) {
    const double dx = x - VILLAGE.x, dz = z - VILLAGE.z;
    along = dx * UPHILL.x + dz * UPHILL.z;
    across = dx * UPHILL.z - dz * UPHILL.x;
}

// How much of the site's own ground shows at a point: all of it round the
// village and up the slope, none beyond.
double siteWeight(double x, double z) {
    double u, v;
    slopeCoordinates(x, z, u, v);
    // Ragged edges: nothing here is drawn with a ruler.
    u += 160 * (fbm(x / 500.0, z / 500.0, 3, 89) - 0.5);
    v += 220 * (fbm(x / 450.0 + 3.3, z / 450.0, 3, 97) - 0.5);
    return (1 - smoothstep(SLOPE_LENGTH, SLOPE_LENGTH + 350, u)) *
           (1 - smoothstep(SLOPE_HALF_WIDTH, SLOPE_HALF_WIDTH + 300, std::fabs(v))) * (1 - smoothstep(300, 650, -u));
}

// Where no tree grows, from 0 to 1: the fields round the village and the ski
// slope above it. `wobble` in [0, 1] frays the edges.
double cleared(double x, double z, double wobble) {
    double u, v;
    slopeCoordinates(x, z, u, v);
    v += 80 * (wobble - 0.5);
    const double r = distance(VILLAGE, x, z);
    const double fields = 1 - smoothstep(330, 420, r + 120 * (wobble - 0.5));
    const double piste = (1 - smoothstep(SLOPE_HALF_WIDTH - 40, SLOPE_HALF_WIDTH + 40, std::fabs(v))) *
                         smoothstep(-250, -150, u) * (1 - smoothstep(SLOPE_LENGTH, SLOPE_LENGTH + 100, u));
    return std::max(fields, piste);
}

// The site's ground, blended into the valleys' ground h.
double villageSite(double x, double z, double h) {
    double u, v;
    slopeCoordinates(x, z, u, v);
    const double r = distance(VILLAGE, x, z);
    double site = VILLAGE_HEIGHT + (u > 0 ? GRADE : FALL) * u * smoothstep(TERRACE, TERRACE + 180, r);
    site = std::max(site, 280.0) + 12 * (fbm(x / 260.0, z / 260.0, 2, 71) - 0.5);
    return h + (site - h) * siteWeight(x, z);
}

// Height in world units. The valleys shape everything: the ground rises with the distance to
// the nearest one, so crests form where two valleys' slopes meet and peaks where three do.
double height(double x, double z) {
    // Bend the valleys and crests so that nothing runs ruler-straight.
    const double wx = x + 420 * (fbm(x / 1700.0, z / 1700.0, 3, 3) - 0.5);
    const double wz = z + 420 * (fbm(x / 1700.0 + 9.1, z / 1700.0 + 4.7, 3, 5) - 0.5);
    double dist = 1e30, floor = 0, best = 1e30;
    for (const Valley& v : valleys()) {
        double d, f;
        nearest(v, wx, wz, d, f);
        d = std::max(0.0, d - v.floorWidth * (0.7 + 0.6 * fbm(x / 900.0, z / 900.0, 2, 7)));
        // The lower valley wins where two are near: tributaries hang over the main one.
        const double score = d + 0.35 * f;
        if (score < best) {
            best = score;
            dist = d;
            floor = f;
        }
    }
    // Gentler slopes east of the village: the ski area.
    const double sx = x - 7600, sz = z - 5300;
    const double gentle = 1.0 - smoothstep(900, 2300, std::sqrt(sx * sx + sz * sz));
    // A glacial step at the foot of the walls, then slopes that steepen towards the crests.
    const double d = dist;
    const double roughness = ridged(x / 2300.0, z / 2300.0, 5, 11);
    const double a1 = (0.30 + 0.25 * roughness) * (1 - 0.35 * gentle);
    const double a2 = 0.00030 * (1 - 0.75 * gentle) * (0.7 + 0.6 * roughness);
    double rise = 170 * smoothstep(0, 240, d) * (1 - gentle) + a1 * d + a2 * d * d;
    // The high peaks close the view north of the village.
    rise *= 1 + 0.45 * smoothstep(6500, 9500, z) * (1 - gentle);
    // Rock ribs and gullies on the walls, fading out on the valley floor.
    const double ribs = ridged(x / 520.0, z / 520.0, 4, 13) - 0.5;
    rise += ribs * 160 * smoothstep(0, 600, d) * (1 - gentle);
    // The highest summits round off rather than clip at the picture's white.
    // An alpine bench east of the village, gentle all over: the place for the first ski area.
    const double bx = x - 7750, bz = z - 5650;
    const double bench = 1.0 - smoothstep(650, 1500, std::sqrt(bx * bx + bz * bz));
    const double benchHeight = 1450 + 160 * fbm(x / 700.0, z / 700.0, 3, 23);
    rise += (benchHeight - floor - rise) * bench * 0.8;
    const double top = 4700;
    double h = floor + std::max(0.0, rise);
    if (h > top - 600) h = top - 600 * std::exp(-(h - (top - 600)) / 600);
    return villageSite(x, z, h + 15 * fbm(x / 250.0, z / 250.0, 3, 17));
}

// Picture column of a world X: the engine's terrain mirrors its picture in X.
double worldXOfColumn(double column) { return (SIZE - 1 - column) * CELL; }

bool writeHeightfield(mediagen::Context& ctx, const std::string& rel) {
    video::IImage* img = ctx.driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(SIZE, SIZE));
    for (int row = 0; row < SIZE; ++row)
        for (int col = 0; col < SIZE; ++col) {
            // Ordered dithering: the engine's smoothing then turns 20-unit steps into even slopes.
            static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
            const double h = height(worldXOfColumn(col), row * CELL);
            int g = static_cast<int>(std::floor(h / LEVEL + (BAYER[row & 3][col & 3] + 0.5) / 16.0));
            g = g < 0 ? 0 : (g > 255 ? 255 : g);
            img->setPixel(col, row, video::SColor(255, g, g, g));
        }
    const bool ok = ctx.writeImage(img, rel);
    img->drop();
    return ok;
}

// The terrain exactly as the game builds it, for its smoothed heights.
scene::ITerrainSceneNode* engineTerrain(mediagen::Context& ctx, const std::string& heightfield) {
    return ctx.device->getSceneManager()->addTerrainSceneNode(
        heightfield.c_str(), nullptr, 1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
        core::vector3df(CELL, LEVEL, CELL), video::SColor(255, 255, 255, 255), TerrainGeometry::MAX_LOD, scene::ETPS_17,
        TerrainGeometry::SMOOTH_FACTOR, false);
}

// Heights of the terrain's vertices, in world units, indexed [column][row] of the picture.
struct Grid {
    std::vector<float> h;
    double at(int col, int row) const {
        col = col < 0 ? 0 : (col >= SIZE ? SIZE - 1 : col);
        row = row < 0 ? 0 : (row >= SIZE ? SIZE - 1 : row);
        return h[col * SIZE + row];
    }
};

Grid terrainGrid(scene::ITerrainSceneNode* terrain) {
    Grid g;
    g.h.assign(SIZE * SIZE, 0);
    scene::IMeshBuffer* mb = terrain->getMesh()->getMeshBuffer(0);
    const video::S3DVertex2TCoords* v = static_cast<const video::S3DVertex2TCoords*>(mb->getVertices());
    // Vertex (x, z) sits at index x * SIZE + z and takes picture column SIZE-1-x.
    for (int x = 0; x < SIZE; ++x)
        for (int z = 0; z < SIZE; ++z) g.h[(SIZE - 1 - x) * SIZE + z] = v[x * SIZE + z].Pos.Y * LEVEL;
    return g;
}

struct StationSite {
    const char* name;
    double x, z;
};
// The first one is what the camera looks at when the game starts; all stand on gentle ground.
const StationSite STATIONS[] = {
    {"Village", VILLAGE.x, VILLAGE.z},
    {"Plateau", 7650, 5250},
    {"Combe", 5250, 7400},
    {"Refuge", 4600, 8850},
};

// Height, normal and crest (how far the ground stands above its surroundings:
// positive on ridges, negative in gullies), in world units.
struct Surface {
    double h, nx, ny, nz, crest;
};

// Height and normal at a picture position (columns, rows), smoothly interpolated between vertices.
Surface sample(const Grid& g, double col, double row) {
    const int c0 = static_cast<int>(std::floor(col)), r0 = static_cast<int>(std::floor(row));
    const double tc = col - c0, tr = row - r0;
    Surface s = {0, 0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const int c = c0 + (k & 1), r = r0 + (k >> 1);
        const double w = ((k & 1) ? tc : 1 - tc) * ((k >> 1) ? tr : 1 - tr);
        // World X runs against the columns.
        const double dhdx = (g.at(c - 1, r) - g.at(c + 1, r)) / (2 * CELL);
        const double dhdz = (g.at(c, r + 1) - g.at(c, r - 1)) / (2 * CELL);
        s.h += w * g.at(c, r);
        s.crest += w * (g.at(c, r) - 0.25 * (g.at(c - 2, r) + g.at(c + 2, r) + g.at(c, r - 2) + g.at(c, r + 2)));
        s.nx -= w * dhdx;
        s.nz -= w * dhdz;
        s.ny += w;
    }
    const double len = std::sqrt(s.nx * s.nx + s.ny * s.ny + s.nz * s.nz);
    s.nx /= len;
    s.ny /= len;
    s.nz /= len;
    return s;
}

using Rgb = mediagen::Colour<double>;
using mediagen::mix;

// Colour of the ground in winter from height, slope and a little noise; unlit,
// so the sun is painted in. Snow everywhere but on the steepest faces and the
// crests, dark forest dusted with snow in bands on the lower slopes, trodden
// snow round the chalets.
Rgb ground(const Surface& s, double x, double z) {
    const double slope = std::acos(s.ny > 1 ? 1 : s.ny) * 180.0 / M_PI;
    const double n1 = fbm(x / 180.0, z / 180.0, 4, 41);
    const double n2 = fbm(x / 23.0, z / 23.0, 3, 43);
    const double grain = fbm(x / 3.0, z / 3.0, 2, 47);

    // Wind-packed snow, rippled and drifted.
    const Rgb snow = mix({230, 235, 244}, {248, 250, 253},
                         0.6 * fbm(x / 40.0, z / 13.0, 3, 73) + 0.4 * fbm(x / 130.0, z / 70.0, 2, 103));

    // Conifers in bands on the lower slopes, thicker on the spurs than in the gullies, where
    // avalanches keep lanes open. The floors, the fields round the village and the ski slope
    // above it stay open.
    const double crowns = fbm(x / 5.0, z / 5.0, 2, 53) * 0.75 + n2 * 0.25;
    Rgb forest = mix({14, 30, 22}, {36, 58, 42}, smoothstep(0.3, 0.7, crowns));
    forest = mix(forest, snow, 0.08 + 0.4 * smoothstep(0.62, 0.8, crowns));  // snow on the branches and between trees
    const double treeLine = 1450 + 300 * (n1 - 0.5);
    const double bands = fbm(s.h / 220.0 + 1.5 * n1, (x - z) / 1400.0, 3, 59) + 0.12 * (n2 - 0.5) + 0.004 * s.crest;
    double forestAmount = (1 - smoothstep(treeLine - 150, treeLine + 50, s.h)) * smoothstep(10, 16, slope) *
                          (1 - smoothstep(38, 44, slope)) * smoothstep(0.42, 0.48, bands) *
                          smoothstep(0.28, 0.42, fbm(x / 45.0, z / 45.0, 3, 101));  // clearings
    forestAmount *= 1 - cleared(x, z, n1);

    // Rock where snow cannot hold: the steepest faces and the sharp crests, dusted on its ledges.
    const double strata = value(s.h / 90.0 + 4 * n1, (x + z) / 400.0, 61);
    const Rgb rock = mix({78, 76, 74}, {134, 130, 124}, 0.2 * strata + 0.8 * fbm(x / 60.0, z / 60.0, 4, 67));
    double rockAmount = smoothstep(47, 56, slope + 16 * (n1 - 0.5));
    rockAmount = std::max(rockAmount, smoothstep(35, 70, s.crest + 24 * (n1 - 0.5)) * smoothstep(1800, 2400, s.h) *
                                          smoothstep(24, 34, slope));
    // Snow lies on the ledges along the beds and fills the gullies.
    rockAmount *= 1 - 0.45 * smoothstep(0.62, 0.8, fbm(s.h / 70.0 + 3 * n1, (x + z) / 260.0, 2, 79));
    rockAmount *= 1 - smoothstep(-6, -24, s.crest);

    Rgb c = mix(snow, forest, forestAmount);
    c = mix(c, rock, rockAmount);

    // Trodden snow round the chalets: tracks, a little grey.
    double trodden = 0;
    for (const StationSite& st : STATIONS) {
        const double r = distance({st.x, st.z}, x, z);
        trodden = std::max(trodden, 1 - smoothstep(15, 45, r + 20 * (n2 - 0.5)));
    }
    const double tracks = smoothstep(0.5, 0.7, fbm(x / 3.0, z / 9.0, 2, 83));
    c = mix(c, mix({232, 231, 229}, {212, 211, 209}, tracks), trodden * 0.7);

    // Sun from the south-west: the faces turned to the starting view are lit. Snow takes the
    // sky's light in the shade and stays light and bluish; rock and forest darken.
    const double lx = -0.42, ly = 0.62, lz = -0.66;
    const double lit = std::max(0.0, s.nx * lx + s.ny * ly + s.nz * lz);
    const double snowy = (1 - forestAmount) * (1 - rockAmount);
    const double shade = snowy * (0.72 + 0.32 * lit) + (1 - snowy) * (0.5 + 0.62 * lit);
    const double g = 0.96 + 0.08 * grain;
    Rgb out = {c.r * shade * g, c.g * shade * g, c.b * shade * g};
    out.r -= snowy * (1 - lit) * 16;
    out.g -= snowy * (1 - lit) * 6;
    out.b += snowy * (1 - lit) * 6;
    return out;
}

bool writeTexture(mediagen::Context& ctx, const Grid& g, const std::string& rel) {
    video::IImage* img = ctx.driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(TEXTURE, TEXTURE));
    const double perTexel = (SIZE - 1) / static_cast<double>(TEXTURE);
    forEachRow(TEXTURE, [&](int ty) {
        for (int tx = 0; tx < TEXTURE; ++tx) {
            // The terrain drapes the picture once, aligned with the height field's pixels.
            const double col = (tx + 0.5) * perTexel, row = (ty + 0.5) * perTexel;
            const Surface s = sample(g, col, row);
            const Rgb c = ground(s, worldXOfColumn(col), row * CELL);
            auto byte = [](double v) { return static_cast<u32>(v < 0 ? 0 : (v > 255 ? 255 : std::lround(v))); };
            img->setPixel(tx, ty, video::SColor(255, byte(c.r), byte(c.g), byte(c.b)));
        }
    });
    const bool ok = ctx.writeImage(img, rel);
    img->drop();
    return ok;
}

// Steepest slope, in degrees, within 30 units of a point of the terrain.
double steepestAround(scene::ITerrainSceneNode* terrain, double x, double z) {
    const double h = terrain->getHeight(x, z);
    double steepest = 0;
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4;
        steepest =
            std::max(steepest, std::fabs(terrain->getHeight(x + 30 * std::cos(a), z + 30 * std::sin(a)) - h) / 30);
    }
    return std::atan(steepest) * 180 / M_PI;
}

}  // namespace

MEDIA_GENERATOR(gen_world_map) {
    const std::string heightfield = "ecrins_heightfield.png";
    const std::string texture = "ecrins_texture.jpg";
    if (!writeHeightfield(ctx, "maps/" + heightfield)) return false;

    scene::ITerrainSceneNode* terrain = engineTerrain(ctx, ctx.path("maps/" + heightfield));
    if (!terrain) {
        printf("media: the engine cannot build the ecrins terrain\n");
        return false;
    }
    const Grid grid = terrainGrid(terrain);
    bool ok = writeTexture(ctx, grid, "maps/" + texture);

    // The camera must start well above the ground all round its position.
    for (double dx = -60; dx <= 60; dx += 20)
        for (double dz = -60; dz <= 60; dz += 20)
            if (terrain->getHeight(CAMERA_X + dx, CAMERA_Z + dz) > CAMERA_Y - 150) {
                printf("media: the ecrins ground rises to the camera near %.0f %.0f\n", CAMERA_X + dx, CAMERA_Z + dz);
                ok = false;
            }

    std::string map = "heightfield=" + heightfield + "\ntexture=" + texture + "\n";
    for (const StationSite& s : STATIONS) {
        if (steepestAround(terrain, s.x, s.z) > 8) {
            printf("media: the ecrins station %s stands on steep ground (%.1f degrees)\n", s.name,
                   steepestAround(terrain, s.x, s.z));
            ok = false;
        }
        // Stations stand on the surface the game's terrain will have.
        char line[160];
        snprintf(line, sizeof line, "station#%s#%.3f-%.3f-%.3f\n", s.name, s.x, terrain->getHeight(s.x, s.z), s.z);
        map += line;
    }
    terrain->remove();

    FILE* f = fopen(ctx.path("maps/ecrins.map").c_str(), "wb");
    if (!f) {
        printf("media: cannot write maps/ecrins.map\n");
        return false;
    }
    ok = fwrite(map.data(), 1, map.size(), f) == map.size() && ok;
    ok = fclose(f) == 0 && ok;
    return ok;
}
