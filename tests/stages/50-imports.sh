# The program file imports only DLLs that Windows itself ships (a runtime DLL
# of the compiler, such as libstdc++, libgcc or libwinpthread, would keep it
# from starting as a single .exe), and none of the functions that Windows XP
# lacks, which would stop it before it starts there.
set -e
program="$BUILD/win32/Kestrune.exe"
allowed='^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|OLE32|OLEAUT32|ADVAPI32|SHLWAPI|COMDLG32|VERSION|UXTHEME|MSVCRT)\.DLL$'
newer_than_xp='^(GetTickCount64|InitializeSRWLock|AcquireSRWLock.*|ReleaseSRWLock.*|TryAcquireSRWLock.*|InitializeConditionVariable|SleepConditionVariable.*|WakeConditionVariable|WakeAllConditionVariable|InitOnce.*|FlsAlloc|FlsFree|FlsGetValue|FlsSetValue|GetLocaleInfoEx|CompareStringEx|LCMapStringEx|GetUserDefaultLocaleName|GetFinalPathNameByHandle[AW]|CreateSymbolicLink[AW]|CancelIoEx|GetErrorMode|SetThreadErrorMode|GetThreadErrorMode|CreateEventEx[AW]|CreateMutexEx[AW]|CreateSemaphoreEx[AW]|GetQueuedCompletionStatusEx|QueryFullProcessImageName[AW]|GetProductInfo|K32.*|SetDllDirectory[AW]|AddDllDirectory|SetDefaultDllDirectories|ChangeWindowMessageFilter.*|SetProcessDPIAware|ShutdownBlockReason.*|DwmE.*)$'
dump=$(i686-w64-mingw32-objdump -p "$program")
imports=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports read from $program"; exit 1; }
bad=0
for dll in $imports; do
  if ! echo "$dll" | tr '[:lower:]' '[:upper:]' | grep -Eq "$allowed"; then
    echo "imports $dll, which Windows does not ship"
    bad=1
  fi
done
for function in $(echo "$dump" | awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ {print $3}'); do
  if echo "$function" | grep -Eq "$newer_than_xp"; then
    echo "imports $function, which Windows XP lacks"
    bad=1
  fi
done
echo "imports: $(echo $imports)"
exit $bad
