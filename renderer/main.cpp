// Orvanth.data: the renderer. Takes no arguments; exits 0 after every
// ordinary end, 1 when a texture file cannot be loaded.
#include "renderer/render_window.h"

int main() {
  RunRenderer();
  return 0;
}
