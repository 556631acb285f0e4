# Run inside an X display: starts the program, answers its first-start
# message (the creation of the models folder), waits for the care-sheet
# window, optionally captures it into a PNG, then ends the program.
#   care-sheet.sh <program> [output.png]
# Fails when the care sheet does not appear within half a minute.
set -euo pipefail
program="$1"
output="${2:-}"

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

sheet=""
for _ in $(seq 60); do
  sleep 0.5
  kill -0 "$pid" 2>/dev/null || { echo "Tiravon ended before its care sheet appeared" >&2; exit 1; }
  sheet="$(xdotool search --onlyvisible --name 'FEUILLE_DE_SOIN_MEDECIN' 2>/dev/null | head -n1 || true)"
  [ -n "$sheet" ] && break
  # A message box in front of the care sheet: answer it with Return.
  for box in $(xdotool search --onlyvisible --name '^Tiravon$' 2>/dev/null || true); do
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key --window "$box" Return 2>/dev/null || true
  done
done
[ -n "$sheet" ] || { echo "the care sheet did not appear" >&2; exit 1; }
echo "care sheet: $(xdotool getwindowname "$sheet")"
if [ -n "$output" ]; then
  sleep 1
  import -window "$sheet" -colors 96 "png8:$output"
  echo "screenshot: $output ($(stat -c %s "$output") bytes)"
fi
