#!/usr/bin/env bash
# Crash safety: the program is killed (SIGKILL) at random moments while it
# saves, many times; afterwards every file of its folder must be a version it
# wrote whole or the file it started with, byte for byte: never a mix of two,
# a cut file or an empty one, and no file gone.
#   tests/crash/crash_safety.sh BUILD_FOLDER [KILLS]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:?crash_safety.sh BUILD_FOLDER [KILLS]}" && pwd)"
kills="${2:-40}"
rounds=6
saver="$build/tests/crash_saver"
export QT_QPA_PLATFORM=offscreen

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cc -shared -fPIC -O2 -o "$work/keep_versions.so" "$here/keep_versions.c" -ldl

# The prepared folder: the program's files after a first run. Every run
# happens in the same folder, run/, since the settings hold the form image's
# and the configuration's whole paths: a copy elsewhere would still save
# into the folder it was made in.
mkdir -p "$work/run"
"$saver" "$work/run" 1 2>>"$work/saver.log"
[ -n "$(ls "$work/run")" ] || { echo "crash safety: the program wrote no file" >&2; exit 1; }
cp -a "$work/run" "$work/prepared"

# How long a run lasts; the kills fall anywhere inside it.
start_ns=$(date +%s%N)
"$saver" "$work/run" "$rounds" 2>>"$work/saver.log"
span_ms=$(( ($(date +%s%N) - start_ns) / 1000000 ))
echo "crash safety: a run of $rounds rounds takes $span_ms ms; $kills kills" >&2

failures=0
checked=0
for ((kill = 1; kill <= kills; ++kill)); do
  rm -rf "$work/run" "$work/versions"
  cp -a "$work/prepared" "$work/run"
  mkdir "$work/versions"
  while read -r file; do
    cp "$file" "$work/versions/$(basename "$file").start"
  done < <(find "$work/prepared" -type f)
  delay_ms=$(( (RANDOM * 32768 + RANDOM) % (span_ms > 0 ? span_ms : 1) ))
  TIRAVON_VERSIONS="$work/versions" LD_PRELOAD="$work/keep_versions.so" "$saver" "$work/run" "$rounds" 2>>"$work/saver.log" &
  pid=$!
  sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true

  declare -A whole=()
  while read -r sum version; do
    base="${version##*/}"
    name="${base%.start}"
    [ "$name" = "$base" ] && name="${base%.*.*}"
    whole["$name $sum"]=1
  done < <(find "$work/versions" -type f -exec sha256sum {} +)
  while read -r file; do
    name="$(basename "$file")"
    # A temporary file the kill left is not one of the program's files.
    ls "$work/versions/$name".* >/dev/null 2>&1 || continue
    checked=$((checked + 1))
    if [ -z "${whole["$name $(sha256sum < "$file" | cut -d' ' -f1)"]:-}" ]; then
      echo "kill $kill after $delay_ms ms: $name is not a version the program wrote ($(stat -c %s "$file") bytes)" >&2
      failures=$((failures + 1))
    fi
  done < <(find "$work/run" -type f)
  while read -r file; do
    if [ ! -e "$work/run/$file" ]; then
      echo "kill $kill after $delay_ms ms: $file has gone" >&2
      failures=$((failures + 1))
    fi
  done < <(cd "$work/prepared" && find . -type f)
  unset whole
done
if [ "$failures" -ne 0 ]; then
  echo "crash safety: $failures damaged or missing files" >&2
  exit 1
fi
echo "crash safety: $kills kills, $checked files checked, every one whole" >&2
