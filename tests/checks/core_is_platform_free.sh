#!/usr/bin/env bash
# The core (everything under src/ outside src/platform/) must not include an OS or GL header:
# it reaches the system only through src/platform/platform.h.
set -euo pipefail
src="${VM_SOURCE_DIR:?}/src"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](windows\.h|winuser\.h|wingdi\.h|ole2\.h|olectl\.h|objbase\.h|shellapi\.h|X11/|GL/|GLES|EGL/|unistd\.h|dirent\.h|fcntl\.h|spawn\.h|sys/|turbojpeg\.h|jpeglib\.h|stb/)'
hits=$(find "$src" -path "$src/platform" -prune -o \( -name '*.h' -o -name '*.cpp' \) -print0 |
  xargs -0 grep -nE "$pattern" || true)
if [ -n "$hits" ]; then
  echo "platform headers included by the core:"
  echo "$hits"
  exit 1
fi
# The check itself must see the core: an empty tree would pass vacuously.
count=$(find "$src" -path "$src/platform" -prune -o -name '*.cpp' -print | wc -l)
[ "$count" -gt 5 ] || { echo "only $count core sources found under $src"; exit 1; }
echo "core is platform-free ($count sources)"
