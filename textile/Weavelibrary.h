#pragma once
// The shipped weave library, made by rule (velmora-cli make-weave-library).
#include "textile/Texture.h"

// Every weave of the library with its draft, in the order the browser lists them.
TTexture MakeWeaveLibrary();
