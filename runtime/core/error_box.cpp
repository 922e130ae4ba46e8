// Where the run-time error report becomes visible: a message box without an
// owner, so that it shows even when the error came before any window or while
// the windows are going away.
#include <cstdio>
#include <new>
#include <string_view>

#include "platform/base/gbk.h"
#include "platform/win32.h"
#include "runtime/core/error_report.h"

namespace runtime {

namespace {

// The report on one line, as "<caption>: <text>" with every run of line
// breaks as one space and trailing ones dropped. Stack buffers only: the
// report may be about an exhausted heap.
void WriteReportLine(const char* text, const char* caption) {
  char line[2048];
  size_t used = 0;
  auto put = [&](char c) {
    if (used + 1 < sizeof line) line[used++] = c;
  };
  for (const char* c = caption; c != nullptr && *c != '\0'; ++c) put(*c);
  put(':');
  put(' ');
  bool pending_space = false;
  for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
    // No GBK trail byte is CR or LF, so stepping bytewise is safe here.
    if (*c == '\r' || *c == '\n') {
      pending_space = true;
      continue;
    }
    if (pending_space) put(' ');
    pending_space = false;
    put(*c);
  }
  char utf8[3 * sizeof line];
  platform::gbk::ToUtf8Buffer(std::string_view(line, used), utf8, sizeof utf8);
  std::fputs(utf8, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace

void ShowErrorBox(const char* text, const char* caption) {
  int answer = 0;
  try {
    answer = MessageBoxA(nullptr, text, caption, MB_ICONERROR);
  } catch (const std::bad_alloc&) {
    answer = 0;  // too little memory left to build the box
  }
  // 0: the box could not be made or went before anyone answered it. The
  // report must not vanish unseen, so it goes to stderr instead.
  if (answer == 0) WriteReportLine(text, caption);
}

}  // namespace runtime
