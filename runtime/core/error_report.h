// The run-time error report: the one place where misuse and unrecoverable
// conditions are reported. There is no recovery; every report ends the
// process with exit code -1 through EndProgram, after emptying the exit
// routines so that no application clean-up runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace runtime {

// Reports `text` (GBK, may be null or empty) with `code` (0 shows no code).
[[noreturn]] void ReportRuntimeError(const char* text, int32_t code);

// Runtime entry 0: the message of the error table for `code`, with the code.
[[noreturn]] void ReportErrorByCode(int32_t code);

// "分配 %d 字节内存失败!" with the requested size, code 0.
[[noreturn]] void ReportOutOfMemory(uint32_t size);

// Writes the text the report shows into out (always terminated, cut to fit)
// and returns its length; allocates nothing.
size_t FormatErrorMessage(const char* text, int32_t code, char* out, size_t capacity);

// The text the report shows: the heading, then "错误代码：" and the code when
// code is not 0, then "错误信息：" and the text when there is one. GBK.
std::string BuildErrorMessage(const char* text, int32_t code);

// Shows the finished report (GBK text and caption) as a message box without
// owner, MB_ICONERROR, and returns when it is closed. On the headless display
// the box answers itself and logs "MessageBox: <caption>: <text>". When no
// box could be shown (or it went unanswered) the report is written to stderr
// as "<caption>: <text>" instead, on one line in UTF-8.
void ShowErrorBox(const char* text, const char* caption);

}  // namespace runtime
