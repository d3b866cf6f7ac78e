// The GUI font: DejaVu Sans drawn by PIL (tools/font.py) into Irrlicht's
// bitmap-font format, U+0020..U+00FF. 11 px DejaVu gives 15-pixel boxes, which
// fit the game's 20-pixel buttons and their longest texts.
#include "MediaGenerator.h"
#include "ToolCommand.h"

MEDIA_GENERATOR(gen_font) {
    using mediagen::ToolCommand;
    const char* ttf = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    if (!ToolCommand::requireFile(ttf, "fonts-dejavu-core")) return false;
    if (!ToolCommand::requireFile("/usr/bin/python3", "python3-pil")) return false;
    const std::string cmd = "/usr/bin/python3 " + ToolCommand::quote(ctx.toolsDir + "/font.py") + " font " +
                            ToolCommand::quote(ctx.path("media/fonthaettenschweiler.bmp")) + " " +
                            ToolCommand::quote(ttf) + " 11";
    return ToolCommand::run(cmd, "python3-pil");
}
