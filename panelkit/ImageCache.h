// Host side: keep decoded pictures in memory, for a process that opens the
// same windows over and over (the fuzz sessions). Each load still gets its
// own image, freed with FreeImage as usual; only the reading and decoding of
// the file, and the copy of its pixels, which never change, are saved. Off by default; turning it
// off forgets what was kept.
#pragma once

#include "ui/PanelkitApi.h"

namespace panelkit {

PANELKIT_API void KeepDecodedImages(bool keep);

}  // namespace panelkit
