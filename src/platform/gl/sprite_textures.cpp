// The sprite textures every rendering context gets: SpriteBank slots 1200 to 1206 become
// textures 0 to 6 of SpriteTextures; the other 25 names are reserved without an image. Which
// slots can be handed to GL safely is decided in the core (engine/sprite_texture_image.h).
#include "platform/gl/gl_setup.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>

#include "engine/sprite_texture_image.h"

uint32_t SpriteTextures[32];

bool UploadSpriteTextures() {
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glGenTextures(32, SpriteTextures);
  for (uint32_t entry = 0; entry < TexturedSpriteCount; ++entry) {
    glBindTexture(GL_TEXTURE_2D, SpriteTextures[entry]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const SpriteTextureImage image = SpriteTextureImageOf(FirstTextureSlot + entry);
    if (image.pixels == nullptr) continue;  // a texture without texels
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.side, image.side, 0, GL_RGB, GL_UNSIGNED_BYTE, image.pixels);
  }
  return true;
}
