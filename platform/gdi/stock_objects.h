// Stock objects: made once, shared by every DC, never deleted. The system
// colour brushes (GetSysColorBrush) and the 1x1 monochrome bitmap every
// memory DC starts with are stock objects too.
#pragma once

#include <memory>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/drawing_objects.h"

namespace platform::gdi {

// Null for indices GetStockObject does not know.
std::shared_ptr<GdiObject> StockObject(int index);
std::shared_ptr<Brush> StockBrush(int index);
std::shared_ptr<Pen> StockPen(int index);
std::shared_ptr<Font> StockFont(int index);
std::shared_ptr<Bitmap> DefaultBitmap();
// Null unless IsSystemColorIndex(index).
std::shared_ptr<Brush> SystemColorBrush(int index);

}  // namespace platform::gdi
