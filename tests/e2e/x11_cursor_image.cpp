// Prints the size of the pointer image the X server shows now and how many of its pixels are
// visible (alpha above 0): "WIDTHxHEIGHT VISIBLE".
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) return 1;
  int visible = 0;
  for (int i = 0; i < image->width * image->height; ++i) visible += (image->pixels[i] >> 24) != 0;
  std::printf("%dx%d %d\n", image->width, image->height, visible);
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
