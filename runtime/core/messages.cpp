#include "runtime/core/messages.h"

#include <array>
#include <string>

#include "platform/base/gbk.h"

namespace runtime::messages {

namespace {

// The table of ReportErrorByCode, indexed by code - 1.
constexpr std::array<const char*, 11> kErrorCodeTexts = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

const std::array<std::string, 11>& ErrorCodeTextsGbk() {
  static const std::array<std::string, 11> texts = [] {
    std::array<std::string, 11> converted;
    for (size_t i = 0; i < kErrorCodeTexts.size(); ++i) {
      converted[i] = platform::gbk::Gbk(kErrorCodeTexts[i]);
    }
    return converted;
  }();
  return texts;
}

}  // namespace

#define MIENZO_GBK_TEXT(Name, utf8)                           \
  const char* Name() {                                        \
    static const std::string text = platform::gbk::Gbk(utf8); \
    return text.c_str();                                      \
  }

MIENZO_GBK_TEXT(RuntimeErrorHeading, "运行时出错!")
MIENZO_GBK_TEXT(ErrorCodeLabel, "错误代码：")
MIENZO_GBK_TEXT(ErrorTextLabel, "错误信息：")
MIENZO_GBK_TEXT(ErrorCaption, "错误")
MIENZO_GBK_TEXT(OutOfMemoryFormat, "分配 %d 字节内存失败!")
MIENZO_GBK_TEXT(NotNumeric, "欲转换数据类型不是数值")
MIENZO_GBK_TEXT(TemplateUnreadable, "载入窗口模板数据段出错!")
MIENZO_GBK_TEXT(StartWindowFailed, "载入启动窗口失败")
MIENZO_GBK_TEXT(DllRoutineMissing, "无法找到指定DLL库文件“%s”中的输出命令“%s”")
MIENZO_GBK_TEXT(SystemDllRoutineMissing, "无法找到指定DLL库文件中的输出命令“%s”")
MIENZO_GBK_TEXT(WindowNotLoaded, "未载入欲访问窗口组件所在的窗口")
MIENZO_GBK_TEXT(MessageBoxTitle, "信息：")
MIENZO_GBK_TEXT(WindowNotYetLoaded, "指定窗口尚未载入")
MIENZO_GBK_TEXT(UnitNotLoaded, "指定窗口或窗口组件不存在或尚未载入")
MIENZO_GBK_TEXT(LibraryUnitMissing, "因所在支持库载入出错而无法创建")
MIENZO_GBK_TEXT(EventWindowMissing, "未找到引发事件的窗口")
MIENZO_GBK_TEXT(EventUnitMissing, "未找到引发事件的窗口组件")
MIENZO_GBK_TEXT(EventUnitInvalid, "引发事件的窗口组件无效")
MIENZO_GBK_TEXT(True, "真")
MIENZO_GBK_TEXT(False, "假")
MIENZO_GBK_TEXT(DateFormat, "%d年%d月%d日")
MIENZO_GBK_TEXT(HourMinuteSecondFormat, "%d时%d分%d秒")
MIENZO_GBK_TEXT(HourMinuteFormat, "%d时%d分")
MIENZO_GBK_TEXT(HourFormat, "%d时")

#undef MIENZO_GBK_TEXT

const char* ForErrorCode(int code) {
  if (code < 1 || code > static_cast<int>(kErrorCodeTexts.size())) return nullptr;
  return ErrorCodeTextsGbk()[static_cast<size_t>(code - 1)].c_str();
}

void WarmUpMessages() {
  for (auto* text :
       {RuntimeErrorHeading, ErrorCodeLabel, ErrorTextLabel, ErrorCaption, OutOfMemoryFormat,
        NotNumeric, TemplateUnreadable, StartWindowFailed, DllRoutineMissing,
        SystemDllRoutineMissing, WindowNotLoaded, MessageBoxTitle, True, False, DateFormat,
        HourMinuteSecondFormat, HourMinuteFormat, HourFormat}) {
    text();
  }
  for (auto* text : {EventWindowMissing, EventUnitMissing, EventUnitInvalid}) text();
  for (auto* text : {WindowNotYetLoaded, UnitNotLoaded, LibraryUnitMissing}) text();
  ErrorCodeTextsGbk();
}

}  // namespace runtime::messages
