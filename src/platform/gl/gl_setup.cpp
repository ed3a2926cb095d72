// The fixed GL state every new rendering context gets: a 320 x 240 viewport with a 45-degree
// perspective, and the state the engine's renderer expects. The menu draws no geometry, so none
// of this shows; it is kept so that every context starts out the same on every backend.
#include "platform/gl/gl_setup.h"

#include "platform/gl/shown_canvas.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>

void SetupGlProjection(int32_t, int32_t) {
  glViewport(0, 0, 320, 240);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(4.0f / 3.0f), static_cast<double>(0.1f), 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

bool SetupGlState() {
  ForgetShownCanvas();  // a new context shows nothing yet
  UploadSpriteTextures();
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearColor(1.0f, 0.0f, 0.9f, 0.0f);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return true;
}
