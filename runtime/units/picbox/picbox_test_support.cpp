#include "runtime/units/picbox/picbox_test_support.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE first
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/core/hooks.h"
#include "runtime/core/runtime_library.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/picbox/picbox_type.h"

namespace runtime::units::picbox_testing {

namespace {

using forms_testing::kMainWindow;

void PutU16(std::vector<uint8_t>& out, int value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// Codes of `width` bits packed least-significant bit first; the width grows
// exactly when a decoder's does (an entry is added for every code but the
// first after a clear, and the width grows when the next free code reaches
// 2^width), and a clear comes often enough that the table never fills.
class LiteralCodes {
 public:
  explicit LiteralCodes(int minimum) : minimum_(minimum), clear_(1 << minimum) {
    Reset();
    Put(clear_);
  }
  void Literal(int index) {
    if (since_clear_ == kCodesPerRun) {
      Put(clear_);
      Reset();
    }
    Put(index);
    ++since_clear_;
    if (since_clear_ == 1) return;
    if (++next_ == (1 << width_) && width_ < 12) ++width_;
  }
  std::vector<uint8_t> Finish() {
    Put(clear_ + 1);
    if (bits_ > 0) out_.push_back(static_cast<uint8_t>(accumulator_));
    return out_;
  }

 private:
  static constexpr int kCodesPerRun = 1000;
  void Reset() {
    width_ = minimum_ + 1;
    next_ = clear_ + 2;
    since_clear_ = 0;
  }
  void Put(int code) {
    accumulator_ |= static_cast<uint32_t>(code) << bits_;
    for (bits_ += width_; bits_ >= 8; bits_ -= 8, accumulator_ >>= 8) {
      out_.push_back(static_cast<uint8_t>(accumulator_ & 0xFF));
    }
  }

  const int minimum_;
  const int clear_;
  int width_ = 0;
  int next_ = 0;
  int since_clear_ = 0;
  uint32_t accumulator_ = 0;
  int bits_ = 0;
  std::vector<uint8_t> out_;
};

// Entries 2^(n + 1) for the flags' low bits n.
int TableBits(size_t entries) {
  int n = 0;
  while ((size_t{1} << (n + 1)) < entries) ++n;
  return n;
}

void PutTable(std::vector<uint8_t>& out, const std::vector<COLORREF>& table) {
  const size_t padded = size_t{1} << (TableBits(table.size()) + 1);
  for (size_t i = 0; i < padded; ++i) {
    const COLORREF colour = i < table.size() ? table[i] : 0;
    out.insert(out.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  }
}

void PutFrame(std::vector<uint8_t>& gif, const GifFrameLayout& frame) {
  if (frame.control) {
    const uint8_t flags = static_cast<uint8_t>(frame.disposal | (frame.transparent ? 1 : 0));
    gif.insert(gif.end(), {0x21, 0xF9, 0x04, flags});
    PutU16(gif, frame.delay);
    gif.insert(gif.end(), {frame.transparent.value_or(0), 0x00});
  }
  gif.push_back(0x2C);
  PutU16(gif, frame.left);
  PutU16(gif, frame.top);
  PutU16(gif, frame.width);
  PutU16(gif, frame.height);
  uint8_t flags = frame.interlaced ? 0x40 : 0;
  if (!frame.local_table.empty()) flags |= 0x80 | TableBits(frame.local_table.size());
  gif.push_back(flags);
  if (!frame.local_table.empty()) PutTable(gif, frame.local_table);
  gif.push_back(frame.minimum_code_size);
  LiteralCodes codes(std::min<int>(frame.minimum_code_size, 8));
  for (uint8_t index : frame.indices) codes.Literal(index);
  const std::vector<uint8_t> data = codes.Finish();
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t length = std::min<size_t>(255, data.size() - at);
    gif.push_back(static_cast<uint8_t>(length));
    gif.insert(gif.end(), data.begin() + static_cast<long>(at),
               data.begin() + static_cast<long>(at + length));
  }
  gif.push_back(0);
}

}  // namespace

std::vector<uint8_t> BuildGif(const GifLayout& layout) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  PutU16(gif, layout.width);
  PutU16(gif, layout.height);
  const bool global = !layout.global_table.empty();
  gif.push_back(global ? static_cast<uint8_t>(0x80 | TableBits(layout.global_table.size())) : 0);
  gif.insert(gif.end(), {0, 0});  // background index, aspect
  if (global) PutTable(gif, layout.global_table);
  for (const GifFrameLayout& frame : layout.frames) PutFrame(gif, frame);
  gif.push_back(0x3B);
  return gif;
}

GifFrameLayout SolidFrame(int left, int top, int width, int height, uint8_t index) {
  GifFrameLayout frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.indices.assign(static_cast<size_t>(width * height), index);
  return frame;
}

std::vector<uint8_t> BuildBmp(int width, int height,
                              const std::function<COLORREF(int x, int y)>& colour) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const uint32_t image = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> bmp = {'B', 'M'};
  PutU32(bmp, 54 + image);
  PutU32(bmp, 0);
  PutU32(bmp, 54);
  PutU32(bmp, 40);
  PutU32(bmp, static_cast<uint32_t>(width));
  PutU32(bmp, static_cast<uint32_t>(height));
  PutU16(bmp, 1);
  PutU16(bmp, 24);
  for (int i = 0; i < 6; ++i) PutU32(bmp, 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      bmp.insert(bmp.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    }
    bmp.resize(bmp.size() + static_cast<size_t>(stride - width * 3), 0);
  }
  return bmp;
}

std::vector<uint8_t> BuildJpeg(int width, int height,
                               const std::function<COLORREF(int x, int y)>& colour) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[size_t(x) * 3] = GetRValue(c);
      row[size_t(x) * 3 + 1] = GetGValue(c);
      row[size_t(x) * 3 + 2] = GetBValue(c);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

std::vector<uint8_t> BuildPng(int width, int height,
                              const std::function<COLORREF(int x, int y)>& colour,
                              const std::function<uint8_t(int x, int y)>& alpha) {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      rgba.insert(rgba.end(), {GetRValue(c), GetGValue(c), GetBValue(c), alpha(x, y)});
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
  std::vector<uint8_t> png(size);
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr)) return {};
  png.resize(size);
  return png;
}

COLORREF Quadrants(int width, int height, int x, int y) {
  const bool right = x >= width / 2;
  const bool bottom = y >= height / 2;
  if (!bottom) return right ? RGB(0, 255, 0) : RGB(255, 0, 0);
  return right ? RGB(255, 255, 0) : RGB(0, 0, 255);
}

std::string WriteBoxRecord(const BoxRecord& box) {
  forms::RecordValues values(PicBoxSchema());
  values.SetInt(picbox::kBorder, box.border);
  values.SetInt(picbox::kBackColor, static_cast<int32_t>(box.back_colour));
  values.SetInt(picbox::kDisplayMode, box.display_mode);
  values.SetInt(picbox::kPlayAnimation, box.play);
  values.SetText(picbox::kPicture, std::string(box.picture.begin(), box.picture.end()));
  values.SetText(picbox::kDataSource, box.data_source);
  values.SetText(picbox::kDataField, box.data_field);
  return forms::WriteRecord(values, box.version);
}

PicBoxTest::PicBoxTest() {
  // Start-up hands the runtime library the service routine it reaches the
  // framework through; these tests attach it themselves.
  RuntimeLibrary().notify(1, reinterpret_cast<intptr_t>(Hooks().system_service), 0);
}

bool PicBoxTest::LoadBox(const BoxRecord& record, int width, int height,
                         const std::vector<forms::EventBinding>& bindings) {
  forms_testing::FormBuilder form;
  form.Window(50, 50, width + 60, height + 80);  // room for the box and the frame
  forms::UnitRecordFields& box =
      form.Unit(kBoxId, 0x00010006, "\xCD\xBC\xC6\xAC\xBF\xF2\x31", 10, 10, width, height);
  box.properties = WriteBoxRecord(record);
  box.bindings = bindings;
  Register({form.Build()}, {{6, PicBoxTypeDescriptor()}});
  if (!Load()) return false;
  Pump();
  return true;
}

void PicBoxTest::LoadBoxOrFail(const BoxRecord& record, int width, int height) {
  ASSERT_TRUE(LoadBox(record, width, height));
  ASSERT_NE(Box(), nullptr);
}

picbox::PicBoxUnit& PicBoxTest::Unit() {
  const forms::LoadedWindow& window = Window();
  return *static_cast<picbox::PicBoxUnit*>(window.LiveAt(window.units.IndexOf(kBoxId)));
}

uint64_t PicBoxTest::Read(int32_t index) {
  return forms::ReadProperty(kMainWindow, kBoxId, index, -1);
}

std::string PicBoxTest::ReadText(int32_t index) {
  auto* text = static_cast<char*>(const_cast<void*>(forms::ValuePointer(Read(index))));
  std::string copy = text != nullptr ? text : "";
  MemFree(text);
  return copy;
}

std::vector<uint8_t> PicBoxTest::ReadBytes(int32_t index) {
  void* set = const_cast<void*>(forms::ValuePointer(Read(index)));
  const std::span<const uint8_t> bytes = ByteSetBytes(set);
  std::vector<uint8_t> copy(bytes.begin(), bytes.end());
  MemFree(set);
  return copy;
}

void PicBoxTest::WriteInt(int32_t index, int32_t value) {
  forms::WriteProperty(kMainWindow, kBoxId, index, -1, static_cast<uint32_t>(value), 0);
}

void PicBoxTest::WriteText(int32_t index, const std::string& text) {
  const uint64_t value = forms::PointerValue(text.c_str());
  forms::WriteProperty(kMainWindow, kBoxId, index, -1, static_cast<uint32_t>(value),
                       static_cast<uint32_t>(value >> 32));
}

void PicBoxTest::WriteBytes(int32_t index, const std::vector<uint8_t>& bytes) {
  void* set = MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size()));
  const uint64_t value = forms::PointerValue(set);
  forms::WriteProperty(kMainWindow, kBoxId, index, -1, static_cast<uint32_t>(value),
                       static_cast<uint32_t>(value >> 32));
  MemFree(set);
}

COLORREF PicBoxTest::Pixel(int x, int y) {
  HDC dc = GetDC(Box());
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(Box(), dc);
  return colour;
}

testing::AssertionResult PicBoxTest::Settle() {
  // Only a broken engine comes near this; it is a watchdog, not a measure.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  picbox::GifAnimation* animation = Unit().animation.get();
  if (animation == nullptr) return testing::AssertionFailure() << "no animation";
  for (;;) {
    animation->ClockMoved();
    const DWORD now = GetTickCount();
    const picbox::GifAnimation::Pacing pacing = animation->pacing();
    if (pacing.waiting && pacing.seen == now && static_cast<int32_t>(pacing.due - now) > 0) {
      return testing::AssertionSuccess();
    }
    if (std::chrono::steady_clock::now() > give_up) {
      return testing::AssertionFailure()
             << "the animation thread never settled at tick " << now << " (waiting "
             << pacing.waiting << ", seen " << pacing.seen << ", due " << pacing.due << ")";
    }
    std::this_thread::yield();
  }
}

testing::AssertionResult PicBoxTest::Advance(DWORD ms) {
  display_.AdvanceTime(ms);
  return Settle();
}

uint32_t PicBoxTest::FramesShown() {
  return Unit().animation ? Unit().animation->pacing().frames : 0;
}

DWORD PicBoxTest::Due() { return Unit().animation ? Unit().animation->pacing().due : 0; }

std::string Rgb(COLORREF colour) {
  return "(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) + ", " +
         std::to_string(GetBValue(colour)) + ")";
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace runtime::units::picbox_testing
