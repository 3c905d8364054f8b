#!/bin/sh
# Creates a Wine prefix ready for unattended tests, once; later calls return at once.
prefix="$1"
[ -f "$prefix/.cardivane-ready" ] && exit 0
mkdir -p "$prefix" || exit 1
(
  flock 9
  [ -f "$prefix/.cardivane-ready" ] && exit 0
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine=/usr/lib/wine/wine64
  $wine wineboot -i >/dev/null 2>&1 || { echo "wine-prefix: wineboot failed in $prefix" >&2; exit 1; }
  # A crashing program must end, not wait on a dialog; unmanaged windows appear at once.
  $wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  # CJK names draw through a linked font instead of boxes.
  if [ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ]; then
    cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$prefix/drive_c/windows/Fonts/" 2>/dev/null
    $wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  fi
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null
  /usr/lib/wine/wineserver -w
  touch "$prefix/.cardivane-ready"
) 9>"$prefix.lock"
