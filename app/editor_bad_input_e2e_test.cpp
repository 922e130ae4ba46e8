// The editor given what a user can give it by mistake: broken and empty
// picture files, absurd picture sizes, Chinese folder names, impossible save
// names, a read-only program folder and a full disk. Whatever fails must fail
// quietly and lose nothing: the panel keeps what it showed, no message claims
// a success, and a file that was there before a failed save keeps its bytes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/app_routines.h"
#include "app/editor_e2e_support.h"
#include "app/main_window_units.h"
#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "tests/support/largest_allocation.h"

namespace app::e2e {
namespace {

namespace fs = std::filesystem;
using runtime::App;
using testing_support::LargestAllocation;

constexpr POINT kMark{300, 200};  // the dot a failed open must leave alone
constexpr auto kOpenBudget = std::chrono::seconds(5);
constexpr char kSaved[] = "保存成功！";

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Sample(std::string_view name) {
  return ReadAll(fs::path(MIENZO_SOURCE_DIR "/fuzz/corpus/pictures") / name);
}

std::string Gbk(const fs::path& path) { return platform::gbk::FromUtf8(path.string()); }

// Root writes into read-only folders: as root (CI), the body runs as the
// unprivileged user. Only the effective ids change, so root comes back. A
// root that may not change them stays root, and the test sees it can write.
class AsUnprivileged {
 public:
  AsUnprivileged() {
    if (geteuid() != 0) return;
    group_ = setegid(65534) == 0;
    user_ = group_ && seteuid(65534) == 0;
  }
  ~AsUnprivileged() {
    if (user_) {
      EXPECT_EQ(seteuid(0), 0) << "root again after the unprivileged part";
    }
    if (group_) {
      EXPECT_EQ(setegid(0), 0) << "root's group again";
    }
  }
  AsUnprivileged(const AsUnprivileged&) = delete;
  AsUnprivileged& operator=(const AsUnprivileged&) = delete;

 private:
  bool group_ = false;
  bool user_ = false;
};

class EditorBadInputTest : public EditorTest {
 protected:
  void TearDown() override {
    EditorTest::TearDown();
    // A parameterised test's name holds a '/', which made its run
    // directory one folder deeper; the emptied outer one goes too.
    std::error_code ignored;
    if (run_directory_.parent_path() != fs::temp_directory_path()) {
      fs::remove(run_directory_.parent_path(), ignored);
    }
  }

  // Chooses `gbk_path` in the open dialog of `button`: true when a picture
  // was decoded.
  bool Open(uint32_t button, const std::string& gbk_path) {
    platform::dialogs::QueueFileDialogAnswer(gbk_path);
    ClickUnit(button);
    EXPECT_EQ(platform::dialogs::QueuedAnswerCount(), 0u)
        << "the open dialog took " << platform::gbk::ToUtf8(gbk_path);
    return app::Globals().loaded_picture != 0;
  }

  // The panel's pixels as its window holds them (0xRRGGBB, top row first):
  // quicker to read than the composed screen, which the tests compare with
  // it once at the end.
  std::vector<uint32_t> PanelSurface() const {
    const SIZE size = ClientSize(Panel());
    void* bits = nullptr;
    HBITMAP bitmap = TopDownDib(size, &bits);
    HDC window = GetDC(Panel());
    HDC memory = CreateCompatibleDC(window);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, window, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(Panel(), window);
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(size.cx) * size.cy);
    for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
    DeleteObject(bitmap);
    return pixels;
  }

  // An empty panel with one dot, as the panel a failed open must keep.
  void PaintMark() {
    ClickUnit(kClearButton);
    PaintDot(kMark.x, kMark.y);
    shown_ = PanelSurface();
    const size_t at = static_cast<size_t>(kMark.y) * ClientSize(Panel()).cx + kMark.x;
    EXPECT_EQ(shown_[at], kInk) << "the mark is painted";
  }

  enum class Expect {
    kRefusedOrDrawn,  // damaged, yet perhaps still a picture
    kRefused,         // no picture at all
    kNothingDrawn,    // perhaps a picture, but one without pixels
  };

  // Opens `bytes` with both picture buttons. A file that is no picture
  // leaves the panel exactly as it was; one that still decodes is drawn,
  // and the mark painted again. Returns how many of the two opens drew.
  int OpenWithBothButtons(const std::string& label, std::string_view bytes, Expect expect) {
    const fs::path path = run_directory_ / "chosen.pic";
    WriteFile(path, bytes);
    int decoded = 0;
    for (const uint32_t button : {kOpenButton, kSmallPictureButton}) {
      const std::string what =
          label + (button == kOpenButton ? " via 打开图片" : " via 添加小图片");
      const auto start = std::chrono::steady_clock::now();
      const bool loaded = Open(button, Gbk(path));
      EXPECT_LT(std::chrono::steady_clock::now() - start, kOpenBudget) << what << " took too long";
      EXPECT_TRUE(IsWindow(App().main_window)) << "the editor is still up after " << what;
      EXPECT_FALSE(loaded && expect == Expect::kRefused) << what << ": expected no picture";
      if (loaded && expect == Expect::kRefusedOrDrawn) {
        ++decoded;
        PaintMark();
      } else {
        EXPECT_TRUE(PanelSurface() == shown_) << what << ": nothing to draw, yet the panel changed";
      }
    }
    return decoded;
  }

  // The editor still answers: the screen shows the panel as kept, and a
  // later dot and save work and confirm themselves.
  void ExpectStillWorking() {
    EXPECT_TRUE(PanelPixels() == shown_) << "the screen shows the panel as it was kept";
    EXPECT_TRUE(message_boxes().empty()) << "no message expected, shown: " << message_boxes()[0];
    PaintDot(400, 300);
    ClickUnit(kSaveFileButton);
    EXPECT_EQ(message_boxes(), std::vector<std::string>{kSaved}) << "the later save confirms";
    EXPECT_EQ(BmpPixel(ReadAll(SavedFile()), 400, 300), kInk) << "the later dot is saved";
  }

  std::vector<uint32_t> shown_;  // the panel a failed open must leave
};

// ---------------------------------------------------------------------------
// Broken pictures of every format the decoders read
// ---------------------------------------------------------------------------

struct BrokenFormat {
  const char* sample;  // in the fuzz corpus of pictures
  // Cut shorter than this the sample cannot decode: the headers, tables
  // and (for BMP and icons) the pixels it needs. A JPEG cut in its scan,
  // a GIF in its image data and a PCX in its runs decode what is there.
  size_t needed;
  std::vector<size_t> flips;  // header bytes to invert: sizes, counts, offsets
};

void PrintTo(const BrokenFormat& format, std::ostream* out) { *out << format.sample; }

class BrokenPictureTest : public EditorBadInputTest,
                          public testing::WithParamInterface<BrokenFormat> {};

TEST_P(BrokenPictureTest, IsRefusedOrDrawnAndNeverChangesThePanelWhenRefused) {
  const BrokenFormat& format = GetParam();
  const std::string whole = Sample(format.sample);
  ASSERT_GT(whole.size(), format.needed / 2) << format.sample;
  PaintMark();
  const size_t n = whole.size();
  int decoded = 0;
  for (const size_t cut : {size_t{7}, size_t{8}, size_t{20}, format.needed / 2, format.needed - 1,
                           (format.needed + n) / 2, n - 1}) {
    if (cut >= n) continue;
    decoded +=
        OpenWithBothButtons(std::string(format.sample) + " cut to " + std::to_string(cut),
                            std::string_view(whole).substr(0, cut),
                            cut < format.needed ? Expect::kRefused : Expect::kRefusedOrDrawn);
  }
  std::vector<size_t> flips = format.flips;
  flips.insert(flips.end(), {0, n / 2, n - 3});  // the signature, the data, the end
  for (const size_t at : flips) {
    std::string bytes = whole;
    bytes[at] = static_cast<char>(~bytes[at]);
    decoded += OpenWithBothButtons(
        std::string(format.sample) + " with byte " + std::to_string(at) + " inverted", bytes,
        at == 0 ? Expect::kRefused : Expect::kRefusedOrDrawn);
  }
  EXPECT_GT(decoded, 0) << "some damage leaves a picture that still decodes";
  ExpectStillWorking();
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, BrokenPictureTest,
    testing::Values(
        // Markers at 2 and 20, frame header (SOF) at 158: precision 162,
        // height 163 and width 165 (high bytes first), components 167;
        // Huffman tables from 177, the scan header (SOS) at 609.
        BrokenFormat{"jpeg/baseline_16x8.jpg", 609, {3, 5, 21, 159, 162, 163, 165, 167, 169, 180}},
        // Data offset 10, width 18, height 22, bits 28, compression 30,
        // colours 46, colour table from 54; the last row needs no padding.
        BrokenFormat{"bmp/24bit_5x2.bmp", 85, {2, 10, 14, 18, 21, 22, 25, 28, 30, 46}},
        BrokenFormat{"bmp/8bit_topdown_7x3.bmp", 1101, {10, 11, 18, 22, 25, 28, 30, 46, 49, 60}},
        // Width 16, height 20, depth 24, colour type 25, CRC 29; IEND last.
        BrokenFormat{"png/rgba_4x3.png", 107, {8, 12, 16, 19, 23, 24, 25, 29, 37, 41}},
        // Screen width 6 and height 8, flags 10, image descriptor at 76:
        // width 81 and height 83 (high bytes 82 and 84), flags 85, code size
        // 86, first sub-block 87.
        BrokenFormat{"gif/gif89_interlaced.gif", 88, {4, 7, 9, 10, 19, 76, 82, 84, 85, 86, 87}},
        // Bits 3, x-max 8, y-max 10, planes 65, bytes per line 66.
        BrokenFormat{"pcx/pcx8_5x3.pcx", 129, {1, 2, 3, 5, 9, 11, 65, 66, 67, 128}},
        BrokenFormat{"pcx/pcx1_10x2.pcx", 129, {1, 3, 9, 11, 65, 67, 128}},
        // Count 4; the 32-pixel entry at 22: size 30, offset 34, image at
        // 350 (header size, width 354, height 358, bits 364).
        BrokenFormat{"icon/icon_mixed.ico", 1094, {2, 4, 22, 24, 31, 35, 37, 350, 354, 358, 364}},
        BrokenFormat{"icon/cursor_32.cur", 326, {2, 4, 6, 15, 19, 22, 26, 30, 36}}),
    [](const testing::TestParamInfo<BrokenFormat>& param) {
      std::string name = fs::path(param.param.sample).stem().string();
      std::replace_if(
          name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
      return name;
    });

TEST_F(EditorBadInputTest, AnEmptyFileIsNoPicture) {
  PaintMark();
  OpenWithBothButtons("a zero-byte file", "", Expect::kRefused);
  ExpectStillWorking();
}

// ---------------------------------------------------------------------------
// Absurd sizes
// ---------------------------------------------------------------------------

// A BMP header of the given size and bits per pixel over 64 bytes of rows.
std::string BmpClaiming(int32_t width, int32_t height, uint16_t bits) {
  std::string bytes(54 + 64, '\x5A');
  const auto put32 = [&](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<uint32_t>(bytes.size()));
  put32(6, 0);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  put32(26, 1 | uint32_t{bits} << 16);
  for (size_t at = 30; at < 54; at += 4) put32(at, 0);  // no compression, no table
  return bytes;
}

TEST_F(EditorBadInputTest, BmpClaimingAnAbsurdSizeIsRefusedWithoutAllocatingIt) {
  struct Claim {
    int32_t width, height;
    uint16_t bits;
    bool empty;  // no pixels at all: decodes to nothing to draw
  };
  const Claim claims[] = {
      {60000, 60000, 24, false}, {60000, 60000, 1, false},  {-60000, -60000, 24, false},
      {65536, 65536, 32, false}, {65537, 65537, 8, false},  {INT32_MAX, INT32_MAX, 24, false},
      {INT32_MIN, 1, 24, false}, {1, INT32_MIN, 24, false}, {60000, 1, 24, false},
      {1, 60000, 32, false},     {0, 0, 24, true},          {0, 60000, 24, true},
      {0x7FFFFFFF, 0, 24, true},
  };
  PaintMark();
  for (const Claim& claim : claims) {
    const std::string label = "a BMP claiming " + std::to_string(claim.width) + " x " +
                              std::to_string(claim.height) + " at " + std::to_string(claim.bits) +
                              " bits";
    const LargestAllocation largest;
    OpenWithBothButtons(label, BmpClaiming(claim.width, claim.height, claim.bits),
                        claim.empty ? Expect::kNothingDrawn : Expect::kRefused);
    EXPECT_LT(largest.bytes(), size_t{64} << 20) << label << ": no block of its claimed size";
  }
  ExpectStillWorking();
}

// A few hundred bytes may claim a picture of gigabytes: a JPEG's frame
// header, a GIF's logical screen (the frame itself 4 x 3), a 1-bit PCX whose
// 128 MB of rows would be drawn through a 4 GB bitmap. None is decoded.
TEST_F(EditorBadInputTest, SmallFilesClaimingHugePicturesAreRefused) {
  const auto put16 = [](std::string bytes, size_t at, uint16_t value, bool big_endian) {
    bytes[at + (big_endian ? 1 : 0)] = static_cast<char>(value & 0xFF);
    bytes[at + (big_endian ? 0 : 1)] = static_cast<char>(value >> 8);
    return bytes;
  };
  std::string jpeg = Sample("jpeg/baseline_16x8.jpg");
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos) << "the sample has a baseline frame header";
  jpeg = put16(put16(jpeg, frame + 5, 20000, true), frame + 7, 20000, true);
  const std::string gif =
      put16(put16(Sample("gif/gif87_4x3.gif"), 6, 20000, false), 8, 20000, false);
  const std::string pcx =
      put16(put16(Sample("pcx/pcx1_10x2.pcx"), 8, 32767, false), 10, 32767, false);
  PaintMark();
  for (const auto& [label, bytes] : {std::pair{"a JPEG of 20000 x 20000", jpeg},
                                     {"a GIF screen of 20000 x 20000", gif},
                                     {"a 1-bit PCX of 32768 x 32768", pcx}}) {
    const LargestAllocation largest;
    OpenWithBothButtons(label, bytes, Expect::kRefused);
    EXPECT_LT(largest.bytes(), size_t{64} << 20) << label << ": no block of its claimed size";
  }
  ExpectStillWorking();
}

// Whatever is typed as the small picture's size, drawing it stays quick:
// a side of 2^31 - 1 is clipped to the panel, not made into a bitmap.
TEST_F(EditorBadInputTest, AbsurdTypedSizesForTheSmallPictureDrawQuickly) {
  const std::pair<const char*, const char*> sizes[] = {
      {"2147483647", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"99999999999", "1"},
      {"1e300", "-1e300"},
      {"0", "0"},
      {"abc", "１２"},
  };
  for (const auto& [width, height] : sizes) {
    const std::string label = std::string("the small picture at ") + width + " x " + height;
    TypeInto(kWidthEdit, width);
    TypeInto(kHeightEdit, height);
    const LargestAllocation largest;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Open(kSmallPictureButton, Gbk(run_directory_ / "harbour.jpg"))) << label;
    EXPECT_LT(std::chrono::steady_clock::now() - start, kOpenBudget) << label << " took too long";
    EXPECT_LT(largest.bytes(), size_t{64} << 20) << label << ": no block of its size";
    EXPECT_TRUE(IsWindow(App().main_window)) << "the editor is still up after " << label;
  }
  PaintMark();
  ExpectStillWorking();
}

// ---------------------------------------------------------------------------
// Chinese folder and file names
// ---------------------------------------------------------------------------

TEST_F(EditorBadInputTest, PicturesInChineseFoldersOpenAndAreDrawn) {
  // 誠 is 0xD5 0x5C in GBK: its second byte is a backslash.
  const fs::path chosen[] = {run_directory_ / "图片" / "港口.jpg",
                             run_directory_ / "誠實" / "港口誠.jpg"};
  ASSERT_TRUE(Open(kOpenButton, Gbk(run_directory_ / "harbour.jpg")));
  const std::vector<uint32_t> harbour = PanelSurface();
  for (const fs::path& path : chosen) {
    fs::create_directories(path.parent_path());
    fs::copy_file(run_directory_ / "harbour.jpg", path);
    ClickUnit(kClearButton);
    EXPECT_TRUE(Open(kOpenButton, Gbk(path))) << path << " via 打开图片";
    EXPECT_TRUE(PanelSurface() == harbour) << path << ": the same picture over the panel";
    ClickUnit(kClearButton);
    EXPECT_TRUE(Open(kSmallPictureButton, Gbk(path))) << path << " via 添加小图片";
    EXPECT_NE(PanelPixel(16, 16), ButtonFace()) << path << ": drawn into the corner square";
    EXPECT_TRUE(BackgroundOutside({RECT{0, 0, 33, 33}})) << path << ": only the corner square";
  }
}

// ---------------------------------------------------------------------------
// Save names
// ---------------------------------------------------------------------------

TEST_F(EditorBadInputTest, SaveNamesTheFileSystemRefusesWriteNothingAndConfirmNothing) {
  // The program runs in a folder of its own, so a name leading out of it
  // stays inside this test's folder.
  const fs::path program = run_directory_ / "program";
  fs::create_directories(program / "相册.jpg" / "inside");
  WriteFile(program / "相册.jpg" / "inside" / "kept", "kept");
  App().run_directory = program.string();
  const std::vector<std::string> names = {
      "相册",                 // names a folder
      std::string(252, 'n'),  // with ".jpg" one byte over the 255 a name may have
      // 90 characters are 180 bytes in GBK but 270 in UTF-8, the file
      // system's encoding: too long here though Windows would take them.
      [] {
        std::string name;
        for (int i = 0; i < 90; ++i) name += "表";
        return name;
      }(),
  };
  for (const std::string& name : names) {
    TypeInto(app::kNameEdit, name);
    ClickUnit(kSaveFileButton);
    ClickUnit(kSavePicBoxButton);
    EXPECT_TRUE(message_boxes().empty()) << "no confirmation after saving as " << name;
  }
  EXPECT_TRUE(fs::is_directory(program / "相册.jpg")) << "the folder of that name is untouched";
  EXPECT_EQ(ReadAll(program / "相册.jpg" / "inside" / "kept"), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(program), fs::directory_iterator()), 1)
      << "nothing written beside it";

  // Names the file system takes are saved as typed. "../" leads out of the
  // program's folder as it would on Windows: the name is the user's to
  // choose, the file lands where it says and the message tells the truth.
  const std::pair<std::string, fs::path> accepted[] = {
      {std::string(251, 'n'), program / (std::string(251, 'n') + ".jpg")},
      {"../上一层", run_directory_ / "上一层.jpg"},
      {"誠", program / "誠.jpg"},  // a backslash as second byte is no separator
  };
  for (const auto& [name, file] : accepted) {
    TypeInto(app::kNameEdit, name);
    ClickUnit(kSaveFileButton);
    EXPECT_EQ(ReadAll(file).substr(0, 2), "BM") << "saving as " << name << " writes " << file;
  }
  EXPECT_EQ(message_boxes(), std::vector<std::string>(3, kSaved));
}

// ---------------------------------------------------------------------------
// Folders and disks that take no file
// ---------------------------------------------------------------------------

TEST_F(EditorBadInputTest, ReadOnlyProgramFolderGetsNoFileAndNoConfirmation) {
  const std::vector<std::string> before = RunDirectoryNames();
  fs::permissions(run_directory_, fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  bool writable = false;
  {
    AsUnprivileged unprivileged;
    writable = faccessat(AT_FDCWD, run_directory_.c_str(), W_OK, AT_EACCESS) == 0;
    if (!writable) {
      ClickUnit(kSaveFileButton);
      ClickUnit(kSavePicBoxButton);
    }
  }
  fs::permissions(run_directory_, fs::perms::owner_all, fs::perm_options::add);
  if (writable) GTEST_SKIP() << "this user writes into read-only folders";
  EXPECT_TRUE(message_boxes().empty()) << "no confirmation; shown: " << message_boxes()[0];
  EXPECT_EQ(RunDirectoryNames(), before) << "nothing written";
}

// A file of the name the save buttons write, there before the save.
constexpr std::string_view kEarlier = "an earlier picture that no failed save may destroy";

void ExpectEarlierFile(const fs::path& path) {
  const std::string bytes = ReadAll(path);
  EXPECT_TRUE(bytes == kEarlier) << "the earlier file keeps its " << kEarlier.size()
                                 << " bytes; it has " << bytes.size() << " now";
}

TEST_F(EditorBadInputTest, SaveOverALinkToAFullDeviceFailsAndKeepsTheLink) {
  fs::create_symlink("/dev/full", SavedFile());
  const std::vector<std::string> before = RunDirectoryNames();
  ClickUnit(kSaveFileButton);
  ClickUnit(kSavePicBoxButton);
  EXPECT_TRUE(message_boxes().empty()) << "no confirmation; shown: " << message_boxes()[0];
  ASSERT_TRUE(fs::is_symlink(SavedFile())) << "the link was replaced by a file";
  EXPECT_EQ(fs::read_symlink(SavedFile()), "/dev/full");
  EXPECT_EQ(RunDirectoryNames(), before) << "nothing left beside it";
}

TEST_F(EditorBadInputTest, SaveBeyondTheFileSizeLimitKeepsTheEarlierFile) {
  // A file-size limit plays a full disk for a user who may not mount one.
  WriteFile(SavedFile(), kEarlier);
  const std::vector<std::string> before = RunDirectoryNames();
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  rlimit limit = old_limit;
  limit.rlim_cur = 64 << 10;
  auto* old_handler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  ClickUnit(kSaveFileButton);    // about 1.6 MB
  ClickUnit(kSavePicBoxButton);  // 87,896 bytes
  setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_TRUE(message_boxes().empty()) << "no confirmation; shown: " << message_boxes()[0];
  ExpectEarlierFile(SavedFile());
  EXPECT_EQ(RunDirectoryNames(), before) << "nothing left beside it";
}

// Fills the file system of `folder` with one file, then frees `spare`
// bytes of it.
void FillUpTo(const fs::path& folder, off_t spare) {
  const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  const std::string block(4096, 'f');
  off_t size = 0;
  for (ssize_t n = 0; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
  ASSERT_EQ(::ftruncate(fd, std::max<off_t>(0, size - spare)), 0);
  ::close(fd);
}

TEST_F(EditorBadInputTest, SaveOnAFullDiskKeepsTheEarlierFile) {
  const fs::path disk = run_directory_ / "disk";
  fs::create_directories(disk);
  if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "no small disk to fill: mounting a tmpfs needs root with CAP_SYS_ADMIN ("
                 << std::strerror(errno) << ")";
  }
  struct Unmount {
    const fs::path& at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{disk};
  App().run_directory = disk.string();
  const fs::path saved = disk / SavedFile().filename();
  WriteFile(saved, kEarlier);
  FillUpTo(disk, 8 << 10);

  ClickUnit(kSaveFileButton);    // about 1.6 MB
  ClickUnit(kSavePicBoxButton);  // 87,896 bytes
  EXPECT_TRUE(message_boxes().empty()) << "no confirmation; shown: " << message_boxes()[0];
  ExpectEarlierFile(saved);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(disk)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Kerlo表情.jpg", "filler"})) << "no leftovers";

  // With room again the same save replaces the earlier file.
  fs::remove(disk / "filler");
  ClickUnit(kSavePicBoxButton);
  EXPECT_EQ(message_boxes(), std::vector<std::string>{kSaved});
  EXPECT_EQ(ReadAll(saved).size(), 87896u) << "the picture box's JPEG took its place";
}

}  // namespace
}  // namespace app::e2e
