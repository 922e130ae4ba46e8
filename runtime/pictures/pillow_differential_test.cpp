// Every kind of picture decoded by the runtime and drawn over white must give
// the pixels Pillow, an independent decoder, gives for the same file. The
// files and Pillow's pixels come from testdata/pillow_reference.py.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/pictures/decode.h"
#include "runtime/pictures/paint_picture.h"
#include "runtime/pictures/test_support.h"
#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

using testing_pictures::PicturePtr;

constexpr const char* kPython = "/usr/bin/python3";

struct Reference {
  std::string name;
  int width = 0;
  int height = 0;
};

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The picture drawn over white, as top-down RGB bytes like Pillow's.
std::vector<uint8_t> DrawnOverWhite(const Picture& picture, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  std::fill(pixels, pixels + width * height, 0xFFFFFFu);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PaintPicture(picture, dc, 0, 0, -1, -1, SRCCOPY, RGB(255, 255, 255));
  std::vector<uint8_t> rgb;
  for (int i = 0; i < width * height; ++i) {
    rgb.push_back(uint8_t(pixels[i] >> 16));
    rgb.push_back(uint8_t(pixels[i] >> 8));
    rgb.push_back(uint8_t(pixels[i]));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  return rgb;
}

// Both libraries decode JPEG with libjpeg; its default settings may still
// differ by a level in a channel, so JPEG is compared within 2. Icons are
// drawn by DrawIconEx, which blends alpha rounding to the nearest rather
// than down: within 1.
int Tolerance(const std::string& name) {
  if (name.ends_with(".jpg")) return 2;
  if (name.ends_with(".ico")) return 1;
  return 0;
}

TEST(PillowDifferential, EveryKindDecodesToPillowsPixels) {
  if (std::system((std::string(kPython) + " -c 'import PIL' 2>/dev/null").c_str()) != 0) {
    GTEST_SKIP() << "needs python3-pil (scripts/setup.sh installs it)";
  }
  testing_support::TempDir dir;
  const std::string script = std::string(MIENZO_PICTURES_TESTDATA) + "/pillow_reference.py";
  const std::string command = std::string(kPython) + " " + script + " " + dir.path().string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::ifstream manifest(dir.path() / "manifest.txt");
  Reference ref;
  int compared = 0;
  while (manifest >> ref.name >> ref.width >> ref.height) {
    SCOPED_TRACE(ref.name);
    const std::filesystem::path path = dir.path() / ref.name;
    PicturePtr picture(DecodePictureFile(path.string().c_str()));
    ASSERT_NE(picture, nullptr) << "the runtime did not decode it";
    ASSERT_EQ(picture->width, ref.width);
    ASSERT_EQ(picture->height, ref.height);
    const std::vector<uint8_t> expected = ReadAll(path.string() + ".rgb");
    const std::vector<uint8_t> drawn = DrawnOverWhite(*picture, ref.width, ref.height);
    ASSERT_EQ(drawn.size(), expected.size());
    int differing = 0;
    for (size_t i = 0; i < drawn.size(); ++i) {
      if (std::abs(int(drawn[i]) - int(expected[i])) <= Tolerance(ref.name)) continue;
      if (++differing <= 3) {
        const size_t pixel = i / 3;
        ADD_FAILURE() << "pixel (" << pixel % size_t(ref.width) << ", " << pixel / size_t(ref.width)
                      << ") channel " << i % 3 << ": Pillow " << int(expected[i]) << ", runtime "
                      << int(drawn[i]);
      }
    }
    EXPECT_EQ(differing, 0);
    ++compared;
  }
  EXPECT_GE(compared, 20) << "every reference picture was compared";
}

}  // namespace
}  // namespace runtime
