/* The decoders' code, once for the programs that include stb_image.h; its settings are the
   target's compile definitions. */
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
