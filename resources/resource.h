#pragma once

// Resource ids shared by PimLoft.rc and the code. The icon must stay 1: the shell shows the
// first icon of the exe, and the windows load it by this id.
#define IDI_PIMLOFT 1
#define IDI_PAUSED 2
