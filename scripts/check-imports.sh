#!/usr/bin/env bash
# Release programs must load on Windows 98: only DLLs it ships, and none of
# the functions its kernel32 lacks that the toolchain's runtimes like to pull in.
set -euo pipefail
allowed_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|winmm|msvcrt|ole32|oleaut32)\.dll$'
missing_on_98='^(GetTickCount64|TryEnterCriticalSection|AddVectoredExceptionHandler|RemoveVectoredExceptionHandler|GetFileSizeEx|SetFilePointerEx|GetModuleHandleEx[AW]|InitOnceExecuteOnce|InitializeConditionVariable|SleepConditionVariableCS|WakeConditionVariable|WakeAllConditionVariable|InitializeSRWLock|AcquireSRWLockExclusive|GetSystemTimePreciseAsFileTime|FlsAlloc|GetLogicalProcessorInformation)$'
status=0
for exe in "$@"; do
  dump=$(i686-w64-mingw32-objdump -p "$exe")
  while read -r dll; do
    if ! echo "${dll,,}" | grep -qE "$allowed_dlls"; then
      echo "$exe imports from $dll, which Windows 98 does not ship" >&2
      status=1
    fi
  done < <(echo "$dump" | awk '/DLL Name:/{print $3}')
  while read -r fn; do
    if echo "$fn" | grep -qE "$missing_on_98"; then
      echo "$exe imports $fn, which Windows 98 lacks" >&2
      status=1
    fi
  done < <(echo "$dump" | awk '/^\t[ 0-9a-f]+\t +[0-9]+ +[A-Za-z_]/{print $NF}')
done
exit $status
