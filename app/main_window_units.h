// The main window's units as the handlers name them: ids, object types and
// the property numbers they read and write.
#pragma once

#include <cstdint>

#include "runtime/core/type_code.h"

namespace app {

inline constexpr uint32_t kMainWindow = 0x52010001;

inline constexpr uint32_t kDrawPanel = 0x16010005;       // 画板1
inline constexpr uint32_t kCommonDlg = 0x16010004;       // 通用对话框1
inline constexpr uint32_t kColorPicker = 0x16010012;     // 颜色选择器1
inline constexpr uint32_t kPicBox = 0x16010048;          // 图片框1
inline constexpr uint32_t kTextEdit = 0x16010011;        // 编辑框1: the text to write
inline constexpr uint32_t kTextXEdit = 0x16010015;       // 编辑框2
inline constexpr uint32_t kTextYEdit = 0x16010016;       // 编辑框3
inline constexpr uint32_t kNameEdit = 0x1601001C;        // 编辑框4: the file name
inline constexpr uint32_t kWidthEdit = 0x16010039;       // 编辑框5
inline constexpr uint32_t kHeightEdit = 0x1601003A;      // 编辑框6
inline constexpr uint32_t kExtensionCombo = 0x1601001E;  // 组合框1

// Object types of the units whose methods are called (library 1).
inline constexpr runtime::TypeCode kDrawPanelType = runtime::LibraryType(1, 8);
inline constexpr runtime::TypeCode kCommonDlgType = runtime::LibraryType(1, 31);

namespace property {
inline constexpr int32_t kWidth = 2;
inline constexpr int32_t kHeight = 3;
inline constexpr int32_t kPenWidth = 16;     // DrawPanel
inline constexpr int32_t kPenColor = 17;     // DrawPanel
inline constexpr int32_t kTextColor = 20;    // DrawPanel
inline constexpr int32_t kColor = 8;         // ColorPicker
inline constexpr int32_t kEditContent = 8;   // EditBox
inline constexpr int32_t kComboContent = 9;  // ComboBox
inline constexpr int32_t kPicture = 10;      // PicBox
inline constexpr int32_t kFileName = 10;     // CommonDlg
inline constexpr int32_t kFilter = 11;       // CommonDlg
}  // namespace property

}  // namespace app
