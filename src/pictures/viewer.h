// The picture viewer: the last decoded picture, scaled by ViewerStep and following the cursor.
#pragma once

void DrawViewer();
