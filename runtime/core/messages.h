// The runtime's own texts, in GBK, for the error report and the commands.
// Each is converted once from the UTF-8 source; WarmUpMessages() does all of
// them ahead of time so the out-of-memory path never allocates.
#pragma once

namespace runtime::messages {

const char* RuntimeErrorHeading();  // "运行时出错!"
const char* ErrorCodeLabel();       // "错误代码："
const char* ErrorTextLabel();       // "错误信息："
const char* ErrorCaption();         // "错误"
const char* OutOfMemoryFormat();    // "分配 %d 字节内存失败!"
const char* NotNumeric();           // "欲转换数据类型不是数值"
const char* TemplateUnreadable();   // "载入窗口模板数据段出错!"
const char* StartWindowFailed();    // "载入启动窗口失败"
const char* DllRoutineMissing();  // "无法找到指定DLL库文件“%s”中的输出命令“%s”"
const char* SystemDllRoutineMissing();  // "无法找到指定DLL库文件中的输出命令“%s”"
const char* WindowNotLoaded();          // "未载入欲访问窗口组件所在的窗口"
const char* MessageBoxTitle();          // "信息：", the default message box title
const char* WindowNotYetLoaded();       // "指定窗口尚未载入"
const char* UnitNotLoaded();            // "指定窗口或窗口组件不存在或尚未载入"
const char* LibraryUnitMissing();       // "因所在支持库载入出错而无法创建"
const char* EventWindowMissing();       // "未找到引发事件的窗口"
const char* EventUnitMissing();         // "未找到引发事件的窗口组件"
const char* EventUnitInvalid();         // "引发事件的窗口组件无效"
// Message of ReportErrorByCode for codes 1 to 11; null for any other code.
const char* ForErrorCode(int code);

const char* True();                    // "真"
const char* False();                   // "假"
const char* DateFormat();              // "%d年%d月%d日"
const char* HourMinuteSecondFormat();  // "%d时%d分%d秒"
const char* HourMinuteFormat();        // "%d时%d分"
const char* HourFormat();              // "%d时"

void WarmUpMessages();

}  // namespace runtime::messages
