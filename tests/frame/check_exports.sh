#!/bin/sh
# check_exports.sh OBJDUMP DLL DEF: the DLL exports every name of the .def
# under its plain name, and imports only Windows system DLLs.
objdump=$1 dll=$2 def=$3
dump=$("$objdump" -p "$dll") || { echo "cannot read $dll"; exit 1; }
fail=0

exports=$(printf '%s\n' "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}')
wanted=$(sed -e 's/;.*//' "$def" | awk 'f&&NF{print $1} /^EXPORTS/{f=1}' | sed 's/@[0-9]*$//')
[ -n "$wanted" ] || { echo "no exports listed in $def"; exit 1; }
for name in $wanted; do
  printf '%s\n' "$exports" | grep -qx "$name" || { echo "missing export: $name"; fail=1; }
done
for name in $exports; do
  case $name in *@*) echo "decorated export: $name"; fail=1;; esac
done

allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll advapi32.dll wsock32.dll msvcrt.dll"
for dll_name in $(printf '%s\n' "$dump" | sed -n "s/^[[:space:]]*DLL Name: //p" | tr 'A-Z' 'a-z'); do
  case " $allowed " in *" $dll_name "*) ;; *) echo "imports a non-system DLL: $dll_name"; fail=1;; esac
done

count=$(printf '%s\n' "$wanted" | wc -l)
[ $fail -eq 0 ] && echo "all $count exports present under plain names; system imports only"
exit $fail
