// Conversions between the engine's narrow and wide strings, one character at a time.
#pragma once
#include <irrlicht.h>

// Each wide character keeps its low byte.
irr::core::stringc narrow(const irr::core::stringw& s);
// Each byte becomes the wide character of the same code, 0 to 255.
irr::core::stringw widen(const irr::core::stringc& s);
// Each byte read as a signed char, as the engine's own char-to-wide copy reads it:
// bytes above 127 become negative characters. The launcher and settings.xml use this.
irr::core::stringw widenSigned(const irr::core::stringc& s);
