// Kernel services: files, memory blocks, the current folder and module path, named
// mutexes, sleeping, the tick count and the local time.
//
// Names handed to this service are Shift-JIS byte strings in which a backslash or a
// slash separates folders; a 0x5C byte that trails a lead byte belongs to its
// character. The service opens the matching UTF-8 name on the host; when that exact
// name does not exist, it takes the one entry whose name matches without regard to
// letter case (game data is written on case-insensitive file systems; with two such
// entries the name is not found). A leading separator, or a drive letter with a colon
// and a separator, stands for the host root. The full paths the service hands out
// (current folder, program path) begin with a backslash and carry no drive letter.
#pragma once

#include "platform/base/types.h"

// ---- last error ---------------------------------------------------------------------
#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_ALREADY_EXISTS 183L

// The error code of the calling thread's last failed operation (and of CreateMutexA,
// ERROR_ALREADY_EXISTS when the named mutex existed before the call).
DWORD GetLastError();
void SetLastError(DWORD error);

// ---- files --------------------------------------------------------------------------
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_APPEND_DATA 0x00000004u  // every write goes to the end of the file
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define INVALID_FILE_SIZE 0xFFFFFFFFu
#define INVALID_SET_FILE_POINTER 0xFFFFFFFFu

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

// Opens (or with GENERIC_WRITE or FILE_APPEND_DATA and a creating disposition,
// creates) a file. Returns a handle that the caller closes with CloseHandle, or
// INVALID_HANDLE_VALUE with the last error set. With OPEN_ALWAYS or CREATE_ALWAYS the
// last error is ERROR_ALREADY_EXISTS when the file existed, else ERROR_SUCCESS. With
// FILE_APPEND_DATA (and no GENERIC_WRITE) each write is appended at the end of the
// file as one piece, so several writers can share a log. Folders are not files:
// opening one fails. The share mode, security, attributes and template are ignored.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);

// Reads up to bytesToRead bytes at the file position. TRUE on success with the count
// actually read in *bytesRead (fewer at the end of the file); FALSE on failure.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
              LPOVERLAPPED overlapped);

// Writes bytesToWrite bytes at the file position. TRUE on success.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
               LPOVERLAPPED overlapped);

// The file's size in bytes (low 32 bits; the high half in *sizeHigh when given), or
// INVALID_FILE_SIZE on failure.
DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh);

// Moves the file position; returns the new position or INVALID_SET_FILE_POINTER.
DWORD SetFilePointer(HANDLE file, LONG distance, LPLONG distanceHigh, DWORD moveMethod);

// Closes a file or mutex handle. TRUE on success, FALSE for an invalid handle or when
// the host reported an error while closing (the handle is released even then).
BOOL CloseHandle(HANDLE object);

// The current folder, without a trailing separator unless it is the root, as a
// Shift-JIS string with backslashes and no drive letter (the host folder /work/game
// reads \work\game, the host root \). Returns the length written (without the
// terminator), the length needed (with it) when the buffer is too small, or 0 on
// failure.
DWORD GetCurrentDirectoryA(DWORD bufferLength, LPSTR buffer);

// The full path of the running executable (module null or the program's handle) as
// Shift-JIS with backslashes; cut to size - 1 bytes and terminated. Returns the length
// copied, 0 on failure (another module, no buffer).
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// The handle of the running program (its instance) for a null name; null for any
// other name.
HMODULE GetModuleHandleA(LPCSTR moduleName);

// ---- memory -------------------------------------------------------------------------
#define GMEM_FIXED 0x0000u
#define GMEM_MOVEABLE 0x0002u
#define GMEM_NOCOMPACT 0x0010u
#define GMEM_ZEROINIT 0x0040u
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define LMEM_FIXED 0x0000u
#define LMEM_MOVEABLE 0x0002u
#define LMEM_ZEROINIT 0x0040u

// Allocates a block of bytes (zero-filled with GMEM_ZEROINIT, else left as it is).
// Every block is fixed, whatever the flags: its handle is its address, and Lock
// returns that address. Null on failure, and for a size larger than the machine's
// memory. GlobalFree returns null on success and the handle itself when it is not a
// live block; GlobalSize gives the size asked for (0 for a handle that is not live);
// GlobalUnlock returns FALSE, since fixed blocks keep no lock count. The Local
// operations behave the same on blocks of their own.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL memory);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
HLOCAL LocalAlloc(UINT flags, SIZE_T bytes);
HLOCAL LocalFree(HLOCAL memory);
LPVOID LocalLock(HLOCAL memory);
BOOL LocalUnlock(HLOCAL memory);
SIZE_T LocalSize(HLOCAL memory);

// ---- named mutexes ------------------------------------------------------------------
// Creates or opens a mutex that is named across the processes of this user. Returns a
// handle, or null on failure; GetLastError() is ERROR_ALREADY_EXISTS when another
// holder (this or another process) had created it first. The name is held until the
// handle is closed or the process ends.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCSTR name);
BOOL ReleaseMutex(HANDLE mutex);

// ---- time ---------------------------------------------------------------------------
// Suspends the calling thread for at least the given milliseconds; 0 gives up the
// rest of the thread's time slice.
void Sleep(DWORD milliseconds);

// Milliseconds since an arbitrary start, wrapping modulo 2^32: the same monotonic
// clock as timeGetTime.
DWORD GetTickCount();

// The local date and time.
void GetLocalTime(LPSYSTEMTIME time);
