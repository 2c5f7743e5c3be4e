# The program file imports only DLLs that Windows itself ships: a runtime
# DLL of the compiler (libstdc++, libgcc, libwinpthread) would keep it from
# starting as a single .exe.
set -e
program="$BUILD/win32/Kestrune.exe"
allowed='^(KERNEL32|USER32|GDI32|SHELL32|COMCTL32|OLE32|OLEAUT32|ADVAPI32|SHLWAPI|COMDLG32|VERSION|UXTHEME|MSVCRT)\.DLL$'
imports=$(i686-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports read from $program"; exit 1; }
bad=0
for dll in $imports; do
  if ! echo "$dll" | tr '[:lower:]' '[:upper:]' | grep -Eq "$allowed"; then
    echo "imports $dll, which Windows does not ship"
    bad=1
  fi
done
echo "imports: $(echo $imports)"
exit $bad
