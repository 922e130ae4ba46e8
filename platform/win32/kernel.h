// Win32 kernel services: errors, files, file search, folders, module and
// dynamic libraries, processes, threads, waits and time.
#pragma once

#include "platform/win32/base_types.h"

// ---------------------------------------------------------------------------
// Errors (GetLastError values used by the layer)
// ---------------------------------------------------------------------------
#define ERROR_SUCCESS 0L
#define ERROR_INVALID_FUNCTION 1L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_DISCARDED 157L
#define ERROR_NOT_LOCKED 158L
#define ERROR_NOT_SAME_DEVICE 17L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_HANDLE_DISK_FULL 39L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_BAD_EXE_FORMAT 193L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_DIRECTORY 267L
#define ERROR_CAN_NOT_COMPLETE 1003L
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_CANNOT_FIND_WND_CLASS 1407L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_INVALID_MSGBOX_STYLE 1438L
#define ERROR_NOT_CHILD_WINDOW 1442L
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_NO_ASSOCIATION 1155L
#define ERROR_UNABLE_TO_REMOVE_REPLACED 1175L
#define ERROR_UNABLE_TO_MOVE_REPLACEMENT 1176L

DWORD GetLastError();
void SetLastError(DWORD error);

// ---------------------------------------------------------------------------
// Kernel: files
// ---------------------------------------------------------------------------
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u

#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u

#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u

#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu

typedef uint64_t ULONGLONG;
typedef size_t SIZE_T;

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};
typedef FILETIME* LPFILETIME;

struct SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
};
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

struct OVERLAPPED;  // overlapped I/O is not supported; pass NULL
typedef OVERLAPPED* LPOVERLAPPED;

// Share modes are enforced among the handles of every process on the machine
// that opens files through this layer: a handle opened with share mode 0
// excludes every other handle, and vice versa (advisory locks underneath).
HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh);
// Closes kernel objects: files, threads, events. Search handles (FindClose)
// and modules (FreeLibrary) are refused with ERROR_INVALID_HANDLE.
BOOL CloseHandle(HANDLE hObject);
// A read-only file (no write permission for its owner) is refused with
// ERROR_ACCESS_DENIED, as on Windows; a folder too. An open file can be deleted.
BOOL DeleteFileA(LPCSTR lpFileName);

#define FILE_TYPE_UNKNOWN 0x0000u
#define FILE_TYPE_DISK 0x0001u
#define FILE_TYPE_CHAR 0x0002u
#define FILE_TYPE_PIPE 0x0003u
// FILE_TYPE_DISK for a regular file, FILE_TYPE_CHAR for a character device
// (/dev/null, /dev/full), FILE_TYPE_PIPE for a pipe or socket, and
// FILE_TYPE_UNKNOWN for anything else (block devices included) or a handle
// that is no file (then the last error is ERROR_INVALID_HANDLE).
DWORD GetFileType(HANDLE hFile);

#define REPLACEFILE_WRITE_THROUGH 0x00000001u
#define REPLACEFILE_IGNORE_MERGE_ERRORS 0x00000002u
#define REPLACEFILE_IGNORE_ACL_ERRORS 0x00000004u
// The replacement file takes the replaced file's name in one rename, with
// its permissions and (where the caller may give it) its owner, so the name
// always holds either the old or the complete new file. Both must exist on
// one file system (ERROR_NOT_SAME_DEVICE otherwise). A replaced file that is
// read-only or held open through CreateFileA fails with
// ERROR_UNABLE_TO_REMOVE_REPLACED and both files stay as they were; a
// replaced name that is a symbolic link is itself replaced. Backup files are
// not supported (lpBackupFileName, lpExclude and lpReserved must be null);
// the flags are accepted and change nothing.
BOOL ReplaceFileA(LPCSTR lpReplacedFileName, LPCSTR lpReplacementFileName, LPCSTR lpBackupFileName,
                  DWORD dwReplaceFlags, LPVOID lpExclude, LPVOID lpReserved);

// ---------------------------------------------------------------------------
// Kernel: attributes, folders and the current directory
// ---------------------------------------------------------------------------
// Attributes come from the file's status: FILE_ATTRIBUTE_DIRECTORY for
// folders, READONLY when the owner may not write, HIDDEN for names starting
// with '.', ARCHIVE for every other kind of file (as files written on Windows
// carry it), NORMAL only when nothing else applies. Symbolic links are
// followed.
DWORD GetFileAttributesA(LPCSTR lpFileName);
// An existing folder fails with ERROR_ALREADY_EXISTS, a missing parent with
// ERROR_PATH_NOT_FOUND. Security attributes are ignored.
BOOL CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
// Fails with ERROR_DIR_NOT_EMPTY, ERROR_DIRECTORY (a file), ERROR_ACCESS_DENIED
// (a read-only folder) or the missing-file/path errors.
BOOL RemoveDirectoryA(LPCSTR lpPathName);
// The path uses '/' separators, as Linux gives it (GBK; characters outside
// GBK become '?'). Returns the length without the terminating NUL, or, when
// the buffer is too small, the size needed including it (buffer untouched).
DWORD GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer);
// A missing folder fails with ERROR_PATH_NOT_FOUND, a file with ERROR_DIRECTORY.
BOOL SetCurrentDirectoryA(LPCSTR lpPathName);

// ---------------------------------------------------------------------------
// Kernel: file search
// ---------------------------------------------------------------------------
struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;  // birth time where the file system keeps one, else last write
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;  // 0 for folders
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];     // GBK
  CHAR cAlternateFileName[14];  // always empty: no 8.3 names exist here
};
typedef WIN32_FIND_DATAA* LPWIN32_FIND_DATAA;

// Wildcards ('*', '?') may appear in the last path component only (elsewhere:
// ERROR_INVALID_NAME) and match as on Windows: without regard to ASCII case;
// '?' matches one character, or none at the end of the name or before a '.';
// a '.' before a wildcard or at the end of the pattern also matches the end
// of a name, so "*.*" matches names without a dot and "*." only those.
// "." and ".." are found like any entry. Entries come in a fixed order: "."
// and "..", then by name ignoring ASCII case. No match: ERROR_FILE_NOT_FOUND;
// a missing folder: ERROR_PATH_NOT_FOUND.
HANDLE FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData);
// Only search handles; CloseHandle does not close them.
BOOL FindClose(HANDLE hFindFile);

// ---------------------------------------------------------------------------
// Kernel: module and dynamic libraries
// ---------------------------------------------------------------------------
// Cast to the function's real type through void (*)(), which GCC's
// -Wcast-function-type accepts from any function type.
typedef INT_PTR (*FARPROC)();

// hModule NULL or GetModuleHandleA(NULL) names the running program; a library
// from LoadLibraryA gives the path the dynamic loader found. The path is in
// the ANSI code page (GBK); characters it cannot hold become '?'. An unknown
// module fails with ERROR_MOD_NOT_FOUND.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// NULL gives the program's own module, a fixed value. A name finds only a
// library loaded through LoadLibraryA (no reference is added); others fail
// with ERROR_MOD_NOT_FOUND.
HMODULE GetModuleHandleA(LPCSTR lpModuleName);
// dlopen with every symbol resolved at once. A name without a path separator
// is searched for the dynamic loader's way; nothing (".dll") is appended.
// Loading a library again gives the same module and counts a reference.
// Missing: ERROR_MOD_NOT_FOUND; a file that is no library: ERROR_BAD_EXE_FORMAT.
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
// By name only: ordinals (values below 0x10000) and "#n" names fail with
// ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// Drops one reference; the library is unloaded after the last. Freeing the
// program's own module does nothing and succeeds.
BOOL FreeLibrary(HMODULE hLibModule);

// ---------------------------------------------------------------------------
// Kernel: processes and threads
// ---------------------------------------------------------------------------
#define STILL_ACTIVE 259L
#define CREATE_SUSPENDED 0x00000004u
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000u

typedef DWORD (*PTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

DWORD GetCurrentProcessId();
// The Linux thread id: stable for the thread's life, unique among live threads.
DWORD GetCurrentThreadId();
// Flushes every C stdio stream and ends the process with uExitCode at once:
// no atexit handlers or static destructors run, other threads simply stop.
// Linux keeps the low 8 bits of the code.
[[noreturn]] void ExitProcess(UINT uExitCode);

// dwStackSize 0 takes the system's default stack, otherwise at least that
// much (either meaning of STACK_SIZE_PARAM_IS_A_RESERVATION). CREATE_SUSPENDED
// and unknown flags, and a NULL start routine, fail with ERROR_INVALID_PARAMETER.
// Security attributes are ignored. Closing the handle leaves the thread running.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                    DWORD dwCreationFlags, LPDWORD lpThreadId);
// STILL_ACTIVE until the thread's routine has returned or it called ExitThread.
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
// Unlike Windows, the thread's stack is unwound on the way out (pthread_exit
// does so), so C++ destructors of its frames run; a frame that swallows every
// exception with catch (...) must rethrow.
[[noreturn]] void ExitThread(DWORD dwExitCode);

// ---------------------------------------------------------------------------
// Kernel: the process heap
// ---------------------------------------------------------------------------
#define HEAP_ZERO_MEMORY 0x00000008u

// The process heap is the C heap; its handle is a fixed value that names it
// and no other heap exists (another handle: NULL/FALSE, ERROR_INVALID_HANDLE).
// As on Windows, a failed allocation does not set the last error, and a
// request of 0 bytes still gives a block.
HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes);
// A null block fails. HEAP_ZERO_MEMORY zeroes the bytes a block gains.
LPVOID HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes);
// A null block succeeds and does nothing.
BOOL HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem);

// ---------------------------------------------------------------------------
// Kernel: global memory (what the clipboard hands over)
// ---------------------------------------------------------------------------
typedef HANDLE HGLOBAL;
#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_ZEROINIT 0x0040u
#define GMEM_DDESHARE 0x2000u  // accepted and ignored
#define GMEM_SHARE 0x2000u
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

// GMEM_FIXED gives the block's address as its handle; GMEM_MOVEABLE a handle
// that GlobalLock turns into the address (a moveable block of 0 bytes is
// "discarded": GlobalLock gives NULL with ERROR_DISCARDED). Handles are
// checked, so a stale or foreign one fails with ERROR_INVALID_HANDLE. Other
// flags: ERROR_INVALID_PARAMETER.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// Counts locks of moveable blocks; a fixed block's address comes back as is.
LPVOID GlobalLock(HGLOBAL hMem);
// TRUE while locks remain (and always for a fixed block); FALSE with last
// error 0 when the last went, with ERROR_NOT_LOCKED when there was none.
BOOL GlobalUnlock(HGLOBAL hMem);
// NULL on success (locked blocks are freed too); the handle itself on failure.
HGLOBAL GlobalFree(HGLOBAL hMem);
// The size asked for; 0 for a bad handle (ERROR_INVALID_HANDLE).
SIZE_T GlobalSize(HGLOBAL hMem);

// ---------------------------------------------------------------------------
// Kernel: events, waits and time
// ---------------------------------------------------------------------------
// Every timeout and tick count is read from the layer's clock
// (platform::CurrentClock()), which tests may replace by a virtual one.
#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

// Unnamed events only: a name fails with ERROR_INVALID_PARAMETER.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                    LPCSTR lpName);
// An auto-reset event lets exactly one waiter through per SetEvent and is
// reset by that waiter; a manual-reset event stays set until ResetEvent.
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
// Threads and events can be waited for. Other handles: WAIT_FAILED with
// ERROR_INVALID_HANDLE.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);

// Sleep(0) gives up the rest of the time slice; Sleep(INFINITE) never returns.
void Sleep(DWORD dwMilliseconds);
// Milliseconds on the layer's clock; GetTickCount wraps after 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();

// ---------------------------------------------------------------------------
// Kernel: arithmetic
// ---------------------------------------------------------------------------
// nNumber * nNumerator / nDenominator with a 64-bit product, rounded to the
// nearest (halves away from zero); -1 when nDenominator is 0 or the result
// does not fit 32 bits.
int MulDiv(int nNumber, int nNumerator, int nDenominator);
