// The editor started for end-to-end tests on the headless display: the real
// program header, start-up, handlers and unit types, with only injected
// mouse and keyboard input and queued dialog answers from outside. What the
// handlers did is read back from the screen, from the files they saved and
// from the message boxes they showed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display/headless.h"
#include "platform/win32.h"

namespace app::e2e {

inline constexpr uint32_t kOpenButton = 0x16010008;          // 打开图片
inline constexpr uint32_t kAddTextButton = 0x16010013;       // 加文字
inline constexpr uint32_t kPlaceTextButton = 0x16010017;     // 定位写字
inline constexpr uint32_t kSaveFileButton = 0x16010019;      // 保存文件
inline constexpr uint32_t kSmallPictureButton = 0x16010038;  // 添加小图片
inline constexpr uint32_t kClearButton = 0x16010046;         // 清除所有
inline constexpr uint32_t kSavePicBoxButton = 0x16010049;    // 保存美女图

inline constexpr uint32_t kInk = 0xFF5080;  // the colour picker's stored colour, 0xRRGGBB
// 编辑框1's text at start, in UTF-8.
inline constexpr std::string_view kStoredText = "Kerlo制作， 你可以在这里写字";

std::string ReadAll(const std::filesystem::path& path);
uint32_t Le32(const std::string& bytes, size_t at);
// Pixel (x, y), top row 0, of a bottom-up 24-bit BMP file image, as
// 0xRRGGBB; 0xFFFFFFFF when the file is too short for it.
uint32_t BmpPixel(const std::string& bmp, int x, int y);
uint32_t ButtonFace();
// A 32-bit top-down DIB section of `size`; its pixels at `*bits`.
HBITMAP TopDownDib(SIZE size, void** bits);  // the panel's background, 0xRRGGBB

class EditorTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Every queued message, offered first to the window objects as the run
  // loop offers it.
  void Pump();

  static HWND Unit(uint32_t unit_id);
  static HWND Panel();
  static POINT OnScreen(HWND hwnd, int x, int y);
  static SIZE ClientSize(HWND hwnd);

  // Input as a person gives it; each pumps until the editor is idle.
  void MoveTo(HWND hwnd, int x, int y);
  void ClickUnit(uint32_t unit_id);
  // Presses the left button just left of (x, y) on the panel, moves onto it
  // and releases: one dot at (x, y).
  void PaintDot(int x, int y);
  // Clicks into the edit box, selects everything with Ctrl+A and types
  // `utf8` over it; an empty text deletes the selection with Backspace.
  void TypeInto(uint32_t edit_box, std::string_view utf8);
  // Opens 颜色选择器1's popup with a click, clicks its other-colours entry
  // and lets the system colour dialog answer `rgb` (0xRRGGBB).
  void ChooseOtherColour(uint32_t rgb);
  // Drops 组合框1's list with a click on its button and clicks `item`.
  void ChooseExtension(std::string_view item);

  // Screen pixel (0xRRGGBB) at client point (x, y) of the panel.
  uint32_t PanelPixel(int x, int y) const;
  std::vector<uint32_t> PanelPixels() const;
  int CountAround(int x, int y, int radius, uint32_t colour) const;

  // One line of WriteText: the height of a line in the panel's font and the
  // two pixels between lines.
  static int LineStep();
  // The panel rectangle that `utf8` covers with its top-left at `at`.
  static RECT TextRect(POINT at, std::string_view utf8);
  // Whether the panel shows exactly `utf8` written at `at` in `rgb` over the
  // background, pixel for pixel, as the platform draws it on its own.
  testing::AssertionResult TextAt(POINT at, std::string_view utf8, uint32_t rgb) const;
  // Whether everything outside `drawn` is the panel's background.
  testing::AssertionResult BackgroundOutside(const std::vector<RECT>& drawn) const;

  // The file the save buttons write with the stored name and extension: the
  // GBK name reaches the file system as UTF-8.
  std::filesystem::path SavedFile() const { return run_directory_ / "Kerlo表情.jpg"; }
  // Names in the run directory, sorted (UTF-8).
  std::vector<std::string> RunDirectoryNames() const;
  // The texts (UTF-8) of the message boxes shown so far, in order.
  const std::vector<std::string>& message_boxes() const { return message_boxes_; }

  platform::HeadlessDisplay display_;
  std::filesystem::path run_directory_;
  mutable std::vector<uint32_t> screen_;  // composed once per pump; empty until read
  std::vector<std::string> message_boxes_;
};

}  // namespace app::e2e
