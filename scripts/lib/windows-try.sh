# The Windows program tried as a practice uses it, under Wine and Xvfb, in a
# fresh Wine prefix of its own: the installer run silently, the installed
# program started (its files in %APPDATA%\Tiravon, the installation folder
# untouched), a care sheet printed through the real print dialog to the CUPS
# PDF printer, the program quit, the uninstaller run (the user's files
# stay); then the portable zip unpacked into a writable folder, where the
# program keeps its files beside itself.
# Sourced by scripts/windows, which sets build, version and wine_run, and
# makes the printer (windows_printer).

try_fail() {
  echo "Essai Windows : $*" >&2
  exit 1
}

# Waits until a command succeeds, for at most the seconds given.
try_wait() {
  local seconds="$1"
  shift
  local _
  for _ in $(seq $((seconds * 4))); do
    "$@" && return 0
    sleep 0.25
  done
  return 1
}

# The first visible window whose name matches.
try_window() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}

# Answers the program's message boxes (captioned "Tiravon") with Return.
try_answer_boxes() {
  local box
  for box in $(xdotool search --onlyvisible --name '^Tiravon$' 2>/dev/null || true); do
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key --window "$box" Return 2>/dev/null || true
  done
}

try_sheet_shown() {
  try_answer_boxes
  [ -n "$(try_window 'FEUILLE_DE_SOIN_MEDECIN')" ]
}

# Starts a Windows program of the prefix and waits for its care sheet.
try_start() {
  TIRAVON_WINE_INSTALLED=1 TIRAVON_WINEPREFIX="$try_prefix" "$wine_run" "$1" >>"$try_log" 2>&1 &
  try_pid=$!
  try_wait 90 try_sheet_shown || try_fail "la feuille de soins de $1 n'apparaît pas"
  sleep 1
  echo "Essai Windows : $(xdotool getwindowname "$(try_window 'FEUILLE_DE_SOIN_MEDECIN')") affichée par $1"
}

# Keys to the care sheet.
try_keys() {
  local sheet
  sheet="$(try_window 'FEUILLE_DE_SOIN_MEDECIN')"
  [ -n "$sheet" ] || try_fail "plus de feuille de soins"
  xdotool windowfocus --sync "$sheet" 2>/dev/null || true
  xdotool key --window "$sheet" "$@"
}

# Ctrl+Q, and the program ends by itself.
try_quit() {
  try_keys ctrl+q
  try_wait 60 bash -c "! kill -0 $try_pid 2>/dev/null" || try_fail "le programme ne se ferme pas"
  wait "$try_pid" || try_fail "le programme s'est fermé en erreur"
}

# Ctrl+P, Return in the print dialog (and in a question about zones outside
# the printable area); a new PDF page with ink on it must come out.
try_print() {
  local folder before
  folder="$printer_pages"
  before="$(ls "$folder" | wc -l)"
  try_keys ctrl+p
  sleep 3
  local dialog
  dialog="$(xdotool search --onlyvisible --name '^Imprimer$' 2>/dev/null | head -n1)"
  [ -n "$dialog" ] || try_fail "la boîte d'impression n'apparaît pas"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key --window "$dialog" Return
  try_wait 10 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^Imprimer$' 2>/dev/null)\" ]" || true
  try_answer_boxes
  try_wait 60 bash -c "[ \"\$(ls '$folder' | wc -l)\" -gt $before ]" || try_fail "aucune page n'arrive dans $folder"
  local page
  page="$(ls -t "$folder"/*.pdf | head -n1)"
  try_wait 20 pdfinfo "$page" >/dev/null 2>&1 || try_fail "la page $page est illisible"
  pdftoppm -r 50 -gray -singlefile "$page" "$try_dir/page" || try_fail "pdftoppm ne lit pas $page"
  local ink
  ink="$(convert "$try_dir/page.pgm" -threshold 50% -negate -format '%[fx:mean]' info:)"
  echo "Essai Windows : page imprimée $page (encre : $ink)"
  awk -v ink="$ink" 'BEGIN { exit !(ink > 0.001) }' || try_fail "la page imprimée est blanche"
}

windows_try() {
  try_dir="$build/try"
  try_prefix="$try_dir/wine"
  try_log="$try_dir/wine.log"
  local setup="$build/Tiravon-$version-setup.exe"
  local zip="$build/Tiravon-$version-win64.zip"
  [ -f "$setup" ] && [ -f "$zip" ] || try_fail "l'installateur ou le zip manque : scripts/windows --package"
  WINEPREFIX="$try_prefix" wineserver -k 2>/dev/null || true
  rm -rf "$try_dir"
  mkdir -p "$try_prefix"
  : >"$try_log"

  # A display of its own, and a fresh prefix standing for a Windows machine.
  local display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  export DISPLAY="$display"
  trap "WINEPREFIX='$try_prefix' wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null" RETURN
  try_wait 20 xdpyinfo >/dev/null 2>&1 || try_wait 20 xdotool getmouselocation >/dev/null 2>&1 ||
    try_fail "Xvfb ne démarre pas"
  WINEPREFIX="$try_prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 wineboot -i >>"$try_log" 2>&1
  TIRAVON_WINEPREFIX="$try_prefix" "$wine_run" regedit /S "$(winepath_of "$TIRAVON_ROOT/scripts/lib/wine-fonts.reg")" \
    >>"$try_log" 2>&1
  windows_printer

  local drive="$try_prefix/drive_c"
  local installed="$drive/Program Files/Tiravon"
  local appdata="$drive/users/$(id -un)/AppData/Roaming/Tiravon"

  # The installer, silently.
  TIRAVON_WINE_INSTALLED=1 TIRAVON_WINEPREFIX="$try_prefix" "$wine_run" "$(winepath_of "$setup")" /S >>"$try_log" 2>&1 ||
    try_fail "l'installateur a échoué"
  [ -f "$installed/Tiravon.exe" ] || try_fail "Tiravon.exe n'est pas installé dans $installed"
  [ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tiravon.lnk" ] ||
    try_fail "le raccourci Tiravon manque au menu Démarrer"
  local listed
  listed="$(cd "$installed" && find . -type f | sort)"
  echo "Essai Windows : installé dans C:\\Program Files\\Tiravon ($(echo "$listed" | wc -l) fichiers)"

  # The installed program: its files in %APPDATA%\Tiravon, the installation
  # folder as installed.
  try_start 'C:\Program Files\Tiravon\Tiravon.exe'
  try_print
  try_quit
  for file in Tiravon.INI feuille_de_soin_medecin.jpg tiravon.version; do
    [ -f "$appdata/$file" ] || try_fail "$file n'est pas dans %APPDATA%\\Tiravon"
  done
  [ -d "$appdata/feuille_de_soin_medecin" ] || try_fail "le dossier des modèles n'est pas dans %APPDATA%\\Tiravon"
  [ "$(cd "$installed" && find . -type f | sort)" = "$listed" ] ||
    try_fail "le programme a écrit dans C:\\Program Files\\Tiravon"
  echo "Essai Windows : fichiers dans %APPDATA%\\Tiravon : $(ls "$appdata" | tr '\n' ' ')"

  # The uninstaller, silently: the program goes, the user's files stay.
  TIRAVON_WINE_INSTALLED=1 TIRAVON_WINEPREFIX="$try_prefix" "$wine_run" 'C:\Program Files\Tiravon\Uninstall.exe' /S \
    >>"$try_log" 2>&1 || try_fail "le désinstallateur a échoué"
  try_wait 60 bash -c "[ ! -e '$installed' ]" || try_fail "$installed reste après la désinstallation"
  [ ! -e "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tiravon.lnk" ] ||
    try_fail "le raccourci reste après la désinstallation"
  [ -f "$appdata/Tiravon.INI" ] || try_fail "la désinstallation a effacé %APPDATA%\\Tiravon"
  echo "Essai Windows : désinstallé, %APPDATA%\\Tiravon gardé"

  # The portable folder, unpacked where the practice may write: the files
  # beside the program.
  rm -rf "$appdata"
  mkdir -p "$drive/Cabinet"
  unzip -q "$zip" -d "$drive/Cabinet"
  try_start 'C:\Cabinet\Tiravon\Tiravon.exe'
  try_quit
  for file in Tiravon.INI feuille_de_soin_medecin.jpg; do
    [ -f "$drive/Cabinet/Tiravon/$file" ] || try_fail "$file n'est pas à côté du programme portable"
  done
  [ ! -e "$appdata" ] || try_fail "le programme portable a écrit dans %APPDATA%\\Tiravon"
  echo "Essai Windows : le programme portable garde ses fichiers à côté de lui"
}
