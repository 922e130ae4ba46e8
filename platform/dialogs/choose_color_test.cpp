// ChooseColorA on the headless display: driven by clicks and keys, answered
// from the queue or cancelled, its checks of the request, the colour space
// it shows, and what it draws.
#include "platform/dialogs/choose_color.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/colour_cells.h"
#include "platform/dialogs/dialog_test_driver.h"
#include "platform/display/headless.h"
#include "platform/win32.h"
#include "tests/support/control_host.h"

namespace platform::dialogs {
namespace {

using gbk::Gbk;
using testing::DialogDriver;
using testing::ScreenCentre;
using testing::Step;
using testing_support::ControlHost;
using testing_support::ScreenColor;

std::string TextOf(HWND hwnd) {
  char text[64] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

POINT CellCentre(HWND dialog, int grid_id, int cell) {
  HWND grid = GetDlgItem(dialog, grid_id);
  RECT r{};
  SendMessageA(grid, kCellsGetCellRect, static_cast<WPARAM>(cell), reinterpret_cast<LPARAM>(&r));
  return ScreenCentre(grid, r);
}

class ChooseColor : public ::testing::Test {
 protected:
  void SetUp() override {
    custom_.fill(RGB(255, 255, 255));
    cc_.lStructSize = sizeof cc_;
    cc_.hwndOwner = host_.hwnd();
    cc_.lpCustColors = custom_.data();
  }
  void TearDown() override {
    SetModalShownHook({});
    ClearQueuedAnswers();
  }

  BOOL Drive(std::vector<Step> steps) {
    return driver_.Run(std::move(steps), [this] { return ChooseColorA(&cc_); });
  }

  Step Click(int grid_id, int cell) {
    return [this, grid_id, cell](HWND dialog) {
      const POINT p = CellCentre(dialog, grid_id, cell);
      display_.Click(p.x, p.y);
    };
  }
  Step ClickItem(int id) {
    return [this, id](HWND dialog) {
      const POINT p = ScreenCentre(GetDlgItem(dialog, id));
      display_.Click(p.x, p.y);
    };
  }
  Step Key(UINT vk) {
    return [this, vk](HWND) { display_.Key(vk); };
  }
  // Focuses a field (its text is then selected) and types over it.
  Step TypeInto(int id, const char* digits) {
    return [this, id, digits](HWND dialog) {
      SetFocus(GetDlgItem(dialog, id));
      display_.Type(digits);
    };
  }
  Step Look(std::function<void(HWND)> look) {
    return [this, look](HWND dialog) {
      display_.PumpUntilIdle();
      look(dialog);
    };
  }

  HeadlessDisplay display_;
  ControlHost host_{{100, 60, 700, 560}};
  DialogDriver driver_{display_, host_.hwnd()};
  std::array<COLORREF, 16> custom_{};
  CHOOSECOLORA cc_{};
};

// ---------------------------------------------------------------------------
// Choosing with the mouse and the keyboard
// ---------------------------------------------------------------------------

TEST_F(ChooseColor, ClickingABasicColourThenOkReturnsIt) {
  uint32_t swatch = 0;
  EXPECT_TRUE(Drive({Look([&](HWND dialog) {
                       const POINT p = CellCentre(dialog, kColourBasic, 13);
                       swatch = display_.ScreenPixel(p.x, p.y);
                       EXPECT_FALSE(IsWindowEnabled(host_.hwnd())) << "the owner waits";
                     }),
                     Click(kColourBasic, 13), ClickItem(IDOK)}));
  EXPECT_EQ(cc_.rgbResult, kBasicColours[13]);
  EXPECT_EQ(swatch, ScreenColor(kBasicColours[13])) << "the cell shows its colour";
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  EXPECT_EQ(GetActiveWindow(), host_.hwnd()) << "activation goes back to the owner";
}

TEST_F(ChooseColor, ArrowsMoveThroughTheGridAndEnterAccepts) {
  cc_.Flags = CC_RGBINIT;
  cc_.rgbResult = kBasicColours[7];  // end of the first row
  EXPECT_TRUE(Drive({Key(VK_RIGHT), Key(VK_DOWN), Key(VK_LEFT), Key(VK_RETURN)}));
  EXPECT_EQ(cc_.rgbResult, kBasicColours[15]) << "right runs on into row two, down, then left";
}

TEST_F(ChooseColor, EscapeCancelsAndLeavesTheResult) {
  cc_.Flags = CC_RGBINIT;
  cc_.rgbResult = RGB(0x12, 0x34, 0x56);
  EXPECT_FALSE(Drive({Click(kColourBasic, 3), Key(VK_ESCAPE)}));
  EXPECT_EQ(cc_.rgbResult, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  EXPECT_EQ(GetTopWindow(nullptr), host_.hwnd()) << "the dialog is gone";
}

TEST_F(ChooseColor, TheInitialColourSelectsItsCell) {
  custom_[5] = RGB(1, 2, 3);
  struct Case {
    COLORREF colour;
    int basic, custom;
  };
  for (const Case& c :
       {Case{kBasicColours[20], 20, -1}, Case{RGB(1, 2, 3), -1, 5}, Case{RGB(9, 9, 9), -1, -1}}) {
    cc_.Flags = CC_RGBINIT;
    cc_.rgbResult = c.colour;
    int basic = -2, custom = -2;
    Drive({[&](HWND dialog) {
      basic = static_cast<int>(
          SendMessageA(GetDlgItem(dialog, kColourBasic), kCellsGetSelection, 0, 0));
      custom = static_cast<int>(
          SendMessageA(GetDlgItem(dialog, kColourCustom), kCellsGetSelection, 0, 0));
      display_.Key(VK_ESCAPE);
    }});
    EXPECT_EQ(basic, c.basic) << std::hex << c.colour;
    EXPECT_EQ(custom, c.custom) << std::hex << c.colour;
  }
}

// ---------------------------------------------------------------------------
// The full dialog
// ---------------------------------------------------------------------------

TEST_F(ChooseColor, TypedRgbValuesUpdateHueSaturationLuminanceAndTheResult) {
  cc_.Flags = CC_FULLOPEN;
  std::string hue, sat, lum;
  uint32_t sample = 0;
  EXPECT_TRUE(Drive({TypeInto(kColourRed, "255"), TypeInto(kColourGreen, "128"),
                     TypeInto(kColourBlue, "0"), Look([&](HWND dialog) {
                       hue = TextOf(GetDlgItem(dialog, kColourHue));
                       sat = TextOf(GetDlgItem(dialog, kColourSat));
                       lum = TextOf(GetDlgItem(dialog, kColourLum));
                       const POINT p = ScreenCentre(GetDlgItem(dialog, kColourSample));
                       sample = display_.ScreenPixel(p.x, p.y);
                     }),
                     Key(VK_RETURN)}));
  EXPECT_EQ(hue, "20");
  EXPECT_EQ(sat, "240");
  EXPECT_EQ(lum, "120");
  EXPECT_EQ(sample, ScreenColor(RGB(255, 128, 0)));
  EXPECT_EQ(cc_.rgbResult, RGB(255, 128, 0));
}

TEST_F(ChooseColor, TypedHueMovesTheColourAroundTheCircleAndNumbersAreCapped) {
  cc_.Flags = CC_FULLOPEN | CC_RGBINIT;
  cc_.rgbResult = RGB(255, 0, 0);
  std::string red, green, capped;
  EXPECT_TRUE(Drive({TypeInto(kColourHue, "80"), Look([&](HWND dialog) {
                       red = TextOf(GetDlgItem(dialog, kColourRed));
                       green = TextOf(GetDlgItem(dialog, kColourGreen));
                     }),
                     TypeInto(kColourLum, "999"),
                     Look([&](HWND dialog) { capped = TextOf(GetDlgItem(dialog, kColourLum)); }),
                     Key(VK_RETURN)}));
  EXPECT_EQ(red, "0");
  EXPECT_EQ(green, "255");
  EXPECT_EQ(capped, "240") << "a number over the limit becomes the limit";
  EXPECT_EQ(cc_.rgbResult, RGB(255, 255, 255)) << "luminance 240 is white";
}

TEST_F(ChooseColor, ClickingTheSpectrumSetsHueAndSaturationAndKeepsLuminance) {
  cc_.Flags = CC_FULLOPEN | CC_RGBINIT;
  cc_.rgbResult = RGB(0, 0, 255);  // luminance 120
  POINT click{};
  RECT area{};
  EXPECT_TRUE(Drive({[&](HWND dialog) {
                       HWND spectrum = GetDlgItem(dialog, kColourSpectrum);
                       GetClientRect(spectrum, &area);
                       InflateRect(&area, -kPictureEdge, -kPictureEdge);
                       click = POINT{area.left + 40, area.top + 30};
                       POINT screen = click;
                       ClientToScreen(spectrum, &screen);
                       display_.Click(screen.x, screen.y);
                     },
                     Key(VK_RETURN)}));
  const int width = area.right - area.left, height = area.bottom - area.top;
  const Hls expected{HueAtX(40, width), 120, SatAtY(30, height)};
  EXPECT_EQ(cc_.rgbResult, HlsToRgb(expected));
  EXPECT_EQ(SpectrumX(expected.hue, width), 40) << "the cross hair lands on the click";
  EXPECT_EQ(SpectrumY(expected.sat, height), 30);
}

TEST_F(ChooseColor, TheDefineButtonWidensTheDialogAndFlagsGovernIt) {
  RECT compact{}, full{};
  bool spectrum_before = true, spectrum_after = false, define_after = true;
  EXPECT_FALSE(Drive({[&](HWND dialog) {
                        GetWindowRect(dialog, &compact);
                        spectrum_before = IsWindowVisible(GetDlgItem(dialog, kColourSpectrum));
                        const POINT p = ScreenCentre(GetDlgItem(dialog, kColourDefine));
                        display_.Click(p.x, p.y);
                      },
                      [&](HWND dialog) {
                        GetWindowRect(dialog, &full);
                        spectrum_after = IsWindowVisible(GetDlgItem(dialog, kColourSpectrum));
                        define_after = IsWindowEnabled(GetDlgItem(dialog, kColourDefine));
                        display_.Key(VK_ESCAPE);
                      }}));
  EXPECT_FALSE(spectrum_before);
  EXPECT_TRUE(spectrum_after);
  EXPECT_FALSE(define_after) << "a widened dialog cannot widen again";
  EXPECT_GT(full.right - full.left, compact.right - compact.left + 200);
  EXPECT_EQ(full.left, compact.left);

  cc_.Flags = CC_PREVENTFULLOPEN;
  bool define_enabled = true;
  Drive({[&](HWND dialog) {
    define_enabled = IsWindowEnabled(GetDlgItem(dialog, kColourDefine));
    display_.Key(VK_ESCAPE);
  }});
  EXPECT_FALSE(define_enabled);
}

TEST_F(ChooseColor, AddedCustomColoursLandInTheCallersArrayEvenOnCancel) {
  cc_.Flags = CC_FULLOPEN;
  std::array<uint32_t, 2> shown{};
  EXPECT_FALSE(Drive({Click(kColourBasic, 2), ClickItem(kColourAdd), Click(kColourBasic, 4),
                      ClickItem(kColourAdd), Look([&](HWND dialog) {
                        for (int i = 0; i < 2; ++i) {
                          const POINT p = CellCentre(dialog, kColourCustom, i);
                          shown[static_cast<size_t>(i)] = display_.ScreenPixel(p.x, p.y);
                        }
                      }),
                      Key(VK_ESCAPE)}));
  EXPECT_EQ(custom_[0], kBasicColours[2]);
  EXPECT_EQ(custom_[1], kBasicColours[4]);
  EXPECT_EQ(custom_[2], RGB(255, 255, 255));
  EXPECT_EQ(shown[0], ScreenColor(kBasicColours[2]));
  EXPECT_EQ(shown[1], ScreenColor(kBasicColours[4]));

  cc_.Flags = CC_RGBINIT;  // a custom colour chosen again comes back as the result
  EXPECT_TRUE(Drive({Click(kColourCustom, 1), Key(VK_RETURN)}));
  EXPECT_EQ(cc_.rgbResult, kBasicColours[4]);
}

// ---------------------------------------------------------------------------
// Answering without a person, and refusing bad requests
// ---------------------------------------------------------------------------

TEST_F(ChooseColor, QueuedAnswersAreTakenInOrder) {
  QueueColorDialogAnswer(RGB(10, 20, 30));
  QueueColorDialogCancel();
  int shown = 0;
  SetModalShownHook([&](HWND dialog) {
    ++shown;
    EXPECT_TRUE(IsWindowVisible(dialog));
  });
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(ChooseColorA(&cc_));
  EXPECT_EQ(cc_.rgbResult, RGB(10, 20, 30));
  EXPECT_FALSE(ChooseColorA(&cc_));
  EXPECT_EQ(cc_.rgbResult, RGB(10, 20, 30));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "answered dialogs log nothing";
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(QueuedAnswerCount(), 0u);
}

TEST_F(ChooseColor, NothingQueuedCancelsAfterShowingAndLogs) {
  int shown = 0;
  SetModalShownHook([&](HWND) { ++shown; });
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ChooseColorA(&cc_));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "ChooseColor: 颜色: no answer queued: cancelled\n");
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
}

TEST_F(ChooseColor, BadRequestsFailWithTheirExtendedError) {
  auto expect_error = [&](CHOOSECOLORA* request, DWORD error, const char* what) {
    EXPECT_FALSE(ChooseColorA(request)) << what;
    EXPECT_EQ(CommDlgExtendedError(), error) << what;
    EXPECT_EQ(GetTopWindow(nullptr), host_.hwnd()) << what << ": no dialog was made";
  };
  expect_error(nullptr, CDERR_INITIALIZATION, "no structure");
  CHOOSECOLORA bad = cc_;
  bad.lStructSize = sizeof bad - 4;
  expect_error(&bad, CDERR_STRUCTSIZE, "short structure");
  bad = cc_;
  bad.lpCustColors = nullptr;
  expect_error(&bad, CDERR_INITIALIZATION, "no custom colours");
  bad = cc_;
  bad.Flags = CC_ENABLEHOOK;
  expect_error(&bad, CDERR_NOHOOK, "hook");
  bad = cc_;
  bad.Flags = CC_ENABLETEMPLATE;
  expect_error(&bad, CDERR_FINDRESFAILURE, "template");
  bad = cc_;
  bad.hwndOwner = reinterpret_cast<HWND>(0x7FF0);
  expect_error(&bad, CDERR_DIALOGFAILURE, "dead owner");
  EXPECT_EQ(bad.rgbResult, cc_.rgbResult);
}

TEST_F(ChooseColor, AQuitMessageEndsTheDialogAndIsPostedAgain) {
  cc_.Flags = CC_RGBINIT;
  cc_.rgbResult = RGB(1, 1, 1);
  EXPECT_FALSE(Drive({[](HWND) { PostQuitMessage(7); }}));
  EXPECT_EQ(cc_.rgbResult, RGB(1, 1, 1));
  EXPECT_TRUE(IsWindowEnabled(host_.hwnd()));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

// ---------------------------------------------------------------------------
// The colour space and the pictures' scales
// ---------------------------------------------------------------------------

TEST(ColourSpace, KnownColoursHaveTheirHueLuminanceAndSaturation) {
  struct Case {
    COLORREF rgb;
    int hue, lum, sat;
  };
  for (const Case& c : {Case{RGB(255, 0, 0), 0, 120, 240}, Case{RGB(0, 255, 0), 80, 120, 240},
                        Case{RGB(0, 0, 255), 160, 120, 240}, Case{RGB(255, 255, 255), 160, 240, 0},
                        Case{RGB(0, 0, 0), 160, 0, 0}, Case{RGB(128, 128, 128), 160, 120, 0},
                        Case{RGB(255, 128, 0), 20, 120, 240}, Case{RGB(128, 0, 0), 0, 60, 240}}) {
    const Hls hls = RgbToHls(c.rgb);
    EXPECT_EQ(hls.hue, c.hue) << std::hex << c.rgb;
    EXPECT_EQ(hls.lum, c.lum) << std::hex << c.rgb;
    EXPECT_EQ(hls.sat, c.sat) << std::hex << c.rgb;
  }
}

TEST(ColourSpace, EveryColourSurvivesTheRoundTripWithinHalfAHueStep) {
  int worst = 0;
  for (int r = 0; r < 256; r += 5) {
    for (int g = 0; g < 256; g += 3) {
      for (int b = 0; b < 256; b += 7) {
        const COLORREF back = HlsToRgb(RgbToHls(RGB(r, g, b)));
        worst = std::max({worst, std::abs(GetRValue(back) - r), std::abs(GetGValue(back) - g),
                          std::abs(GetBValue(back) - b)});
      }
    }
  }
  // A hue step moves a channel by 255 / 40 values: 240 steps cannot hold
  // every colour, but the nearest is found.
  EXPECT_LE(worst, 4);
  EXPECT_EQ(HlsToRgb(Hls{240 + 80, 120, 240}), RGB(0, 255, 0)) << "hue wraps";
  EXPECT_EQ(HlsToRgb(Hls{0, 500, -3}), RGB(255, 255, 255)) << "others are clamped";
}

TEST(ColourSpectrumScale, EveryPixelMapsToAValueThatMapsBack) {
  for (int extent : {186, 200, 240}) {
    for (int p = 0; p < extent; ++p) {
      EXPECT_EQ(SpectrumX(HueAtX(p, extent), extent), p) << extent;
      EXPECT_EQ(SpectrumY(SatAtY(p, extent), extent), p) << extent;
    }
    EXPECT_EQ(HueAtX(0, extent), 0);
    EXPECT_EQ(HueAtX(extent - 1, extent) <= kHueMax, true);
    EXPECT_EQ(SatAtY(0, extent), kHlsMax) << "full saturation at the top";
    EXPECT_EQ(SatAtY(extent - 1, extent), 0);
    EXPECT_EQ(HueAtX(-5, extent), 0) << "outside points clamp (a drag past the edge)";
    EXPECT_EQ(SatAtY(extent + 9, extent), 0);
  }
}

// MIENZO_SCREENSHOT_DIR keeps a picture of the full dialog for people to
// look at.
TEST(ChooseColorScreenshot, ShowsTheFullDialog) {
  const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR");
  if (keep == nullptr) GTEST_SKIP() << "MIENZO_SCREENSHOT_DIR is not set";
  ScreenSettings screen;
  screen.width = 560;
  screen.height = 400;
  screen.work_area = {0, 0, 560, 400};
  HeadlessDisplay display(ClockKind::kVirtual, screen);
  ControlHost owner({8, 8, 552, 392}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  SetWindowTextA(owner.hwnd(), "Mienzo");
  std::array<COLORREF, 16> custom{};
  custom.fill(RGB(255, 255, 255));
  custom[0] = RGB(230, 120, 40);
  custom[1] = RGB(40, 120, 230);
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner.hwnd();
  cc.lpCustColors = custom.data();
  cc.rgbResult = RGB(255, 128, 0);
  cc.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
  ScopedAnswering manual(Answering::kManual);
  bool saved = false;
  SetModalShownHook([&](HWND) {
    display.PumpUntilIdle();
    saved = display.SaveScreenshot(std::string(keep) + "/dialog-choose-color.png");
    display.Key(VK_ESCAPE);
  });
  ChooseColorA(&cc);
  SetModalShownHook({});
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace platform::dialogs
