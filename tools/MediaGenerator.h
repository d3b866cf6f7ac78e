// Registry of the media and map generators. Each generator is a free function in
// its own source file, registered with MEDIA_GENERATOR; the tool runs them all.
#pragma once
#include <irrlicht.h>
#include <string>

namespace mediagen {

struct Context {
    std::string root;                       // runtime folder; media/ and maps/ live under it
    std::string toolsDir;                   // source folder of tools/ (scripts, fonts)
    irr::IrrlichtDevice* device = nullptr;  // null driver: image writer, file system
    irr::video::IVideoDriver* driver = nullptr;
    std::string path(const std::string& rel) const { return root + "/" + rel; }
    // Writes an image built in memory to root/rel (format from the extension).
    bool writeImage(irr::video::IImage* image, const std::string& rel) const;
};

typedef bool (*GenFn)(Context&);

class MediaGenerator {
public:
    MediaGenerator(const char* name, GenFn fn);
    static int runAll(Context& ctx);
};

}  // namespace mediagen

#define MEDIA_GENERATOR(id)                                                                                            \
    static bool id(mediagen::Context& ctx);                                                                            \
    static mediagen::MediaGenerator id##_registration(#id, id);                                                        \
    static bool id(mediagen::Context& ctx)
