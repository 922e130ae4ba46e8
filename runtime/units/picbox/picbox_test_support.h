// What the picture box's tests share: picture files built in memory (GIF
// with frames, 24-bit BMP, JPEG), stored records, and a fixture that loads a
// window holding one real picture box through the form loader.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/units/picbox/picbox_unit.h"

namespace runtime::units::picbox_testing {

// --- Picture files --------------------------------------------------------

struct GifFrameLayout {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> indices{};  // width x height, rows top-down
  bool control = true;             // a graphic control extension before the image
  uint16_t delay = 0;              // hundredths of a second
  uint8_t disposal = 0;            // flags AND 0x1C: 0, 4, 8 or 12
  std::optional<uint8_t> transparent{};
  std::vector<COLORREF> local_table{};  // empty: the global table
  bool interlaced = false;
  uint8_t minimum_code_size = 8;  // above 8 makes the image undecodable
};

struct GifLayout {
  int width = 0, height = 0;             // logical screen
  std::vector<COLORREF> global_table{};  // at most 256; padded to a power of two
  std::vector<GifFrameLayout> frames{};
};

// A GIF89a; the LZW data codes every pixel as a literal.
std::vector<uint8_t> BuildGif(const GifLayout& layout);

// A GIF frame of one index everywhere.
GifFrameLayout SolidFrame(int left, int top, int width, int height, uint8_t index);

// A 24-bit bottom-up BMP whose pixel (x, y) is colour(x, y).
std::vector<uint8_t> BuildBmp(int width, int height,
                              const std::function<COLORREF(int x, int y)>& colour);

// A baseline JPEG at quality 100 whose pixel (x, y) is colour(x, y).
std::vector<uint8_t> BuildJpeg(int width, int height,
                               const std::function<COLORREF(int x, int y)>& colour);

// A PNG whose pixel (x, y) is colour(x, y) with alpha alpha(x, y).
std::vector<uint8_t> BuildPng(int width, int height,
                              const std::function<COLORREF(int x, int y)>& colour,
                              const std::function<uint8_t(int x, int y)>& alpha);

// Four solid quadrants: top-left red, top-right green, bottom-left blue,
// bottom-right yellow.
COLORREF Quadrants(int width, int height, int x, int y);

// --- Stored records -------------------------------------------------------

struct BoxRecord {
  int32_t border = 0;
  uint32_t back_colour = 0xFF000000;
  int32_t display_mode = 0;
  int32_t play = 1;
  std::vector<uint8_t> picture{};
  std::string data_source{};
  std::string data_field{};
  uint32_t version = 2;
};
std::string WriteBoxRecord(const BoxRecord& record);

// --- The fixture ----------------------------------------------------------

inline constexpr uint32_t kBoxId = 0x16010048;

// A window (the test library's window type) holding one real picture box
// at (10, 10) of the given size.
class PicBoxTest : public forms_testing::LoaderTest {
 protected:
  PicBoxTest();

  // Loads the window with the box; false when the load failed.
  bool LoadBox(const BoxRecord& record, int width = 40, int height = 30,
               const std::vector<forms::EventBinding>& bindings = {});
  void LoadBoxOrFail(const BoxRecord& record, int width = 40, int height = 30);

  HWND Box() { return UnitWindow(forms_testing::kMainWindow, kBoxId); }
  picbox::PicBoxUnit& Unit();

  // Properties by number through the framework.
  uint64_t Read(int32_t index);
  int32_t ReadInt(int32_t index) { return static_cast<int32_t>(Read(index)); }
  std::string ReadText(int32_t index);
  std::vector<uint8_t> ReadBytes(int32_t index);
  void WriteInt(int32_t index, int32_t value);
  void WriteText(int32_t index, const std::string& text);
  void WriteBytes(int32_t index, const std::vector<uint8_t>& bytes);

  // A pixel of the box's client area as the screen shows it.
  COLORREF Pixel(int x, int y);
  // Paints what is waiting to be painted.
  void Pump() { display_.PumpUntilIdle(); }

  // The animation: waits (real time, as a watchdog only) until its thread
  // has done everything the current tick count calls for and waits out a
  // frame's delay that ends later.
  testing::AssertionResult Settle();
  // Moves the virtual clock on by `ms`, then settles.
  testing::AssertionResult Advance(DWORD ms);
  uint32_t FramesShown();
  DWORD Due();  // when the frame now shown gives way to the next
};

// "(r, g, b)" for failure messages.
std::string Rgb(COLORREF colour);
// Whether each channel differs by at most `tolerance`.
bool Near(COLORREF a, COLORREF b, int tolerance);

}  // namespace runtime::units::picbox_testing
