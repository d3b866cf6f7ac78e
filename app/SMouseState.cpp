#include "SMouseState.h"

SMouseState MouseState;
