#include "ui/extras/png/PngFrame.h"

TPngMemoryFrame::TPngMemoryFrame(const TPngFrameLayout& layout)
    : bits_(static_cast<std::size_t>(layout.FrameBytes())), colors_(PngColorTableSize, TPngRgbQuad{}) {}
