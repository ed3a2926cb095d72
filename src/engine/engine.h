// The engine's start-up data: world tables, sprite bank, tuning, trigonometry tables, items.
#pragma once

void StartEngine();
void StopEngine();
