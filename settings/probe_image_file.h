#pragma once

// Whether the update image can be used: it opens for reading, and is closed
// again at once. An empty path fails.
bool ProbeImageFile(const char* path);
