#include "platform/gdi/stock_objects.h"

#include <cstring>

#include "platform/gdi/system_colors.h"

namespace platform::gdi {

namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

struct StockSet {
  std::shared_ptr<GdiObject> by_index[kStockCount];
  std::shared_ptr<Bitmap> default_bitmap;
  std::shared_ptr<Brush> system_brushes[kSystemColorCount];
};

template <typename T>
std::shared_ptr<T> Registered(std::shared_ptr<T> object) {
  Register(object, /*stock=*/true);
  return object;
}

std::shared_ptr<Brush> MakeBrush(UINT style, COLORREF color) {
  return Registered(std::make_shared<Brush>(LOGBRUSH{style, color, 0}));
}

std::shared_ptr<Pen> MakePen(UINT style, COLORREF color) {
  return Registered(
      std::make_shared<Pen>(LOGPEN{style, POINT{style == PS_NULL ? 0 : 1, 0}, color}));
}

// Both fonts are those of a Chinese Windows: the GUI font is SimSun ("宋体",
// written here in GBK) at 9 points, 12 pixels at 96 DPI.
std::shared_ptr<Font> MakeFont(LONG height, const char* face) {
  LOGFONTA logical{};
  logical.lfHeight = height;
  logical.lfWeight = FW_NORMAL;
  logical.lfCharSet = GB2312_CHARSET;
  std::strncpy(logical.lfFaceName, face, LF_FACESIZE - 1);
  return Registered(std::make_shared<Font>(logical));
}

StockSet Build() {
  StockSet set;
  set.by_index[WHITE_BRUSH] = MakeBrush(BS_SOLID, RGB(255, 255, 255));
  set.by_index[LTGRAY_BRUSH] = MakeBrush(BS_SOLID, RGB(192, 192, 192));
  set.by_index[GRAY_BRUSH] = MakeBrush(BS_SOLID, RGB(128, 128, 128));
  set.by_index[DKGRAY_BRUSH] = MakeBrush(BS_SOLID, RGB(64, 64, 64));
  set.by_index[BLACK_BRUSH] = MakeBrush(BS_SOLID, RGB(0, 0, 0));
  set.by_index[NULL_BRUSH] = MakeBrush(BS_NULL, 0);
  set.by_index[WHITE_PEN] = MakePen(PS_SOLID, RGB(255, 255, 255));
  set.by_index[BLACK_PEN] = MakePen(PS_SOLID, RGB(0, 0, 0));
  set.by_index[NULL_PEN] = MakePen(PS_NULL, 0);
  set.by_index[SYSTEM_FONT] = MakeFont(16, "System");
  set.by_index[DEFAULT_GUI_FONT] = MakeFont(-12, "\xCB\xCE\xCC\xE5");
  set.default_bitmap = Bitmap::Create(BitmapFormat{1, 1, 1, false, true});
  Register(set.default_bitmap, /*stock=*/true);
  for (int i = 0; i < kSystemColorCount; ++i) {
    if (IsSystemColorIndex(i)) set.system_brushes[i] = MakeBrush(BS_SOLID, SystemColor(i));
  }
  return set;
}

const StockSet& Stock() {
  static const StockSet set = Build();
  return set;
}

}  // namespace

std::shared_ptr<GdiObject> StockObject(int index) {
  if (index < 0 || index >= kStockCount) return nullptr;
  return Stock().by_index[index];
}

std::shared_ptr<Brush> StockBrush(int index) {
  return std::dynamic_pointer_cast<Brush>(StockObject(index));
}

std::shared_ptr<Pen> StockPen(int index) {
  return std::dynamic_pointer_cast<Pen>(StockObject(index));
}

std::shared_ptr<Font> StockFont(int index) {
  return std::dynamic_pointer_cast<Font>(StockObject(index));
}

std::shared_ptr<Bitmap> DefaultBitmap() { return Stock().default_bitmap; }

std::shared_ptr<Brush> SystemColorBrush(int index) {
  if (!IsSystemColorIndex(index)) return nullptr;
  return Stock().system_brushes[index];
}

}  // namespace platform::gdi
