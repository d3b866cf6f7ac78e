// travondel-media <runtime folder> <tools source folder>
// Writes every generated media file and map into the runtime folder.
#include "MediaGenerator.h"
#include <cstdio>
#include <sys/stat.h>

using namespace irr;

int main(int argc, char** argv) {
    if (argc < 3) {
        printf("usage: %s <runtime folder> <tools folder>\n", argv[0]);
        return 2;
    }
    mediagen::Context ctx;
    ctx.root = argv[1];
    ctx.toolsDir = argv[2];
    mkdir(ctx.root.c_str(), 0755);
    mkdir(ctx.path("media").c_str(), 0755);
    mkdir(ctx.path("maps").c_str(), 0755);

    SIrrlichtCreationParameters p;
    p.DriverType = video::EDT_NULL;
    p.WindowSize = core::dimension2d<u32>(64, 64);
    p.LoggingLevel = ELL_ERROR;
    ctx.device = createDeviceEx(p);
    if (!ctx.device) {
        printf("media: cannot create the engine's null device\n");
        return 1;
    }
    ctx.driver = ctx.device->getVideoDriver();
    int failures = mediagen::MediaGenerator::runAll(ctx);
    ctx.device->drop();
    return failures ? 1 : 0;
}
