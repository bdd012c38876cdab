#!/usr/bin/env bash
# The proof with a real sync program: two Syncthing instances on this computer stand for
# two computers, each syncing its own copy of a small album with the other over 127.0.0.1
# only. Each round one side is paused, both write captions and titles through the
# program's writer (other pictures, and in some rounds the same picture or the title),
# the side is resumed and Syncthing puts its conflict copies aside; then the program's
# merge runs on one side, the album syncs, and it runs on the other. Every text written on
# either side must be on both sides, in its entry, and no conflict copy may be left outside
# the trash. Ends with "sync rounds=N conflicts=C merged=M asked=A lost=L" (L: texts missing,
# counted per side); the exit code is 0 only when nothing was lost and nothing failed.
#   scripts/sync-check.sh [ROUNDS]      (default 20)
# Run as root, Syncthing only warns. Needs syncthing, curl and jq (scripts/install-deps.sh).
# PIXOLUDA_NICHT_BAUEN=1 takes the build as it is (the ctest entry);
# PIXOLUDA_SYNC_ZEITLIMIT: seconds for the whole run (default 120 + 60 per round);
# PIXOLUDA_SYNC_ANTWORT=diese|jene answers the questions otherwise (for the check's own test:
# it must then find lost texts); PIXOLUDA_SYNC_BEHALTEN=1 keeps the temporary folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runden=${1:-20}
[[ "$runden" =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/sync-check.sh [ROUNDS]" >&2; exit 2; }
[ -n "${PIXOLUDA_NICHT_BAUEN:-}" ] || "$root/scripts/build.sh" >/dev/null
build=${PIXOLUDA_BUILD:-$root/build}
schreiber=$build/pixoluda-schreiber
for p in syncthing curl jq iconv diff timeout; do
  command -v "$p" >/dev/null || { echo "sync-check: $p is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/pixoluda-sync.XXXXXX")
declare -A pid=() gui=() port=() id=() album=()
wachhund='' protokolle=''
# Whether process PID is gone (or only waits to be reaped).
vorbei() {
  local stat
  read -r -a stat 2>/dev/null <"/proc/$1/stat" || return 0
  [ "${stat[2]}" = Z ]
}
beenden() { # PID: the process group PID leads, within ten seconds
  local i
  kill -TERM -- "-$1" "$1" 2>/dev/null || true
  for ((i = 0; i < 50; i++)); do
    vorbei "$1" && break
    sleep 0.2
  done
  kill -KILL -- "-$1" "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
aufraeumen() {
  local rc=$? s
  trap - EXIT INT TERM
  # Syncthing runs as a monitor and its child, in a process group of their own.
  for s in "${!pid[@]}"; do beenden "${pid[$s]}"; done
  [ -z "$wachhund" ] || beenden "$wachhund"
  if [ -n "$protokolle" ]; then
    for s in a b; do
      [ -f "$tmp/$s/syncthing.log" ] || continue
      echo "--- last lines of Syncthing's log on side $s" >&2
      tail -n 15 "$tmp/$s/syncthing.log" >&2
    done
  fi
  if [ -n "${PIXOLUDA_SYNC_BEHALTEN:-}" ]; then echo "sync-check: kept $tmp" >&2; else rm -rf "$tmp"; fi
  exit "$rc"
}
trap aufraeumen EXIT
trap 'protokolle=1; echo "sync-check: stopped (time limit of ${limit}s, or a signal)" >&2; exit 1' INT TERM
# Never hang: the whole run has a time limit. The watchdog has a process group of its own
# and holds none of the output, so that it goes with everything else.
limit=${PIXOLUDA_SYNC_ZEITLIMIT:-$((120 + 60 * runden))}
# shellcheck disable=SC2016 # expanded by the watchdog's shell
setsid sh -c 'sleep "$1" && kill -TERM "$2"' sh "$limit" $$ </dev/null >/dev/null 2>&1 &
wachhund=$!

fehler() {
  protokolle=1
  echo "sync-check: $*" >&2
  exit 1
}

# Each side is a computer of its own: its own home, cache (the merge's bases), trash and
# Syncthing; nothing of the user who runs the check is read or written.
umgebung() { # SIDE: the environment of a side's programs, in the array "umg"
  local d=$tmp/$1
  umg=(env -u http_proxy -u https_proxy -u all_proxy -u HTTP_PROXY -u HTTPS_PROXY -u ALL_PROXY
    HOME="$d/home" XDG_CONFIG_HOME="$d/home/.config" XDG_CACHE_HOME="$d/home/.cache"
    XDG_DATA_HOME="$d/home/.local/share" XDG_STATE_HOME="$d/home/.local/state"
    XDG_RUNTIME_DIR="$d/laufzeit" QT_QPA_PLATFORM=offscreen STNORESTART=1 STNOUPGRADE=1)
}
seite() { # SIDE COMMAND...
  local umg
  umgebung "$1"
  shift
  "${umg[@]}" "$@"
}

# A port nobody listens on now and not handed out before in this run, in "frei".
vergeben=" "
freier_port() {
  local p
  for _ in $(seq 200); do
    p=$((20000 + RANDOM % 40000))
    [[ "$vergeben" == *" $p "* ]] && continue
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null && continue
    vergeben+="$p "
    frei=$p
    return 0
  done
  fehler "no free port found"
}

schluessel=$(head -c 24 /dev/urandom | od -An -tx1 | tr -d ' \n')
rest() { # SIDE METHOD PATH [JSON]
  local s=$1 m=$2 pfad=$3
  shift 3
  curl -sS -f --noproxy '*' --max-time 60 -X "$m" -H "X-API-Key: $schluessel" \
    ${1:+-H 'Content-Type: application/json' --data "$1"} "http://127.0.0.1:${gui[$s]}$pfad"
}

warten() { # SECONDS WHAT COMMAND...
  local n=$1 was=$2
  local bis=$((SECONDS + n))
  shift 2
  until "$@"; do
    [ "$SECONDS" -lt "$bis" ] || fehler "$was: still not after ${n}s"
    sleep 0.2
  done
}

# --- two Syncthing instances that know nothing but each other --------------------------
einrichten() { # SIDE
  local s=$1 st=$tmp/$1/syncthing
  mkdir -p "$tmp/$s/home" "$tmp/$s/album" "$st"
  mkdir -m 700 "$tmp/$s/laufzeit"
  album[$s]=$tmp/$s/album
  freier_port
  gui[$s]=$frei
  freier_port
  port[$s]=$frei
  seite "$s" syncthing generate --home="$st" --no-default-folder >"$tmp/$s/generate.log" 2>&1 ||
    fehler "syncthing generate failed: $(cat "$tmp/$s/generate.log")"
  id[$s]=$(seite "$s" syncthing serve --home="$st" --device-id)
  # Only 127.0.0.1, no discovery, relays, port mapping, STUN, usage or crash reports,
  # upgrades or browser; the REST interface with the run's key.
  local ersetzen=(
    "listenAddress=tcp://127.0.0.1:${port[$s]}" globalAnnounceEnabled=false localAnnounceEnabled=false
    relaysEnabled=false natEnabled=false stunKeepaliveStartS=0 urAccepted=-1 crashReportingEnabled=false
    autoUpgradeIntervalH=0 startBrowser=false announceLANAddresses=false setLowPriority=false
    reconnectionIntervalS=1 "apikey=$schluessel"
  )
  local paar name wert
  for paar in "${ersetzen[@]}"; do
    name=${paar%%=*} wert=${paar#*=}
    grep -q "<$name>[^<]*</$name>" "$st/config.xml" || fehler "config.xml of syncthing has no <$name>"
    sed -i "s|<$name>[^<]*</$name>|<$name>$wert</$name>|" "$st/config.xml"
  done
  sed -i "/<gui /,/<\/gui>/ s|<address>[^<]*</address>|<address>127.0.0.1:${gui[$s]}</address>|" "$st/config.xml"
  local umg
  umgebung "$s"
  setsid "${umg[@]}" syncthing serve --home="$st" --no-browser --no-restart --no-upgrade \
    --gui-address="http://127.0.0.1:${gui[$s]}" --gui-apikey="$schluessel" --logflags=3 \
    >"$tmp/$s/syncthing.log" 2>&1 &
  pid[$s]=$!
}

verbinden() { # SIDE OTHER
  local s=$1 o=$2 geraet ordner
  warten 60 "REST interface of side $s" erreichbar "$s"
  local stat
  read -r -a stat <"/proc/${pid[$s]}/stat"
  [ "${stat[4]}" = "${pid[$s]}" ] || fehler "syncthing of side $s is not in a process group of its own"
  geraet=$(rest "$s" GET /rest/config/defaults/device |
    jq -c --arg id "${id[$o]}" --arg a "tcp://127.0.0.1:${port[$o]}" --arg n "$o" \
      '.deviceID=$id | .name=$n | .addresses=[$a]')
  rest "$s" POST /rest/config/devices "$geraet" >/dev/null
  # Changes noticed within a second; maxConflicts above 0, else Syncthing would drop the
  # losing version without a copy.
  ordner=$(rest "$s" GET /rest/config/defaults/folder |
    jq -c --arg p "${album[$s]}" --arg a "${id[a]}" --arg b "${id[b]}" \
      '.id="album" | .label="Album" | .path=$p | .type="sendreceive" | .fsWatcherEnabled=true
       | .fsWatcherDelayS=1 | .rescanIntervalS=30 | .maxConflicts=10
       | .devices=[{deviceID:$a}, {deviceID:$b}]')
  rest "$s" POST /rest/config/folders "$ordner" >/dev/null
}

erreichbar() { # SIDE
  ! vorbei "${pid[$1]}" || fehler "syncthing of side $1 ended (a port taken meanwhile?)"
  rest "$1" GET /rest/system/ping >/dev/null 2>&1
}
anderer() { [ "$1" = a ] && echo b || echo a; }

verbunden() { # SIDE
  rest "$1" GET /rest/system/connections |
    jq -e --arg o "${id[$(anderer "$1")]}" '.connections[$o].connected == true' >/dev/null
}
getrennt() { ! verbunden a && ! verbunden b; }

# In sync: both idle with nothing to pull, each knowing the other has everything, and the
# two folders equal file by file. A temporary Syncthing keeps of a transfer it gave up (as
# when both sides wrote the same file) is no difference.
gleich() {
  local s
  for s in a b; do
    rest "$s" GET "/rest/db/status?folder=album" |
      jq -e '.state == "idle" and .needTotalItems == 0' >/dev/null || return 1
    rest "$s" GET "/rest/db/completion?folder=album&device=${id[$(anderer "$s")]}" |
      jq -e '.completion == 100 and .needItems == 0 and .needDeletes == 0' >/dev/null || return 1
  done
  diff -rq --exclude=.stfolder --exclude='.syncthing.*.tmp' --exclude='~syncthing~*.tmp' \
    "${album[a]}" "${album[b]}" >/dev/null
}
abgleichen_warten() { # WHAT
  rest a POST "/rest/db/scan?folder=album" >/dev/null
  rest b POST "/rest/db/scan?folder=album" >/dev/null
  warten 120 "$1" gleich
}

# --- what was written, and what each side must hold ----------------------------------
# Keys "DAY|TITEL" or "DAY|BILD NAME"; the texts an entry must hold, one a line, and
# those that later writes replaced (they must not come back).
declare -A erwartet=() ersetzt=() verloren=() veraltet=()
konflikte=0 uebernommen=0 gefragt=0 fehlschlaege=0

# The caption file of a day as text: Windows-1252 unless it is valid UTF-8.
dat_text() { # FILE
  [ -f "$1" ] || return 0
  if iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; then cat "$1"; else iconv -f CP1252 -t UTF-8 "$1"; fi |
    tr -d '\r'
}
# The lines of one entry ("TITEL" or "BILD NAME"), section names without regard to case.
eintrag_text() { # SIDE DAY ENTRY
  dat_text "${album[$1]}/$2/ALBUM.DAT" |
    awk -v k="[$3]" 'BEGIN { k = tolower(k) } /^\[/ { drin = (tolower($0) == k); next } drin'
}

schreiben() { # SIDE DAY ENTRY TEXT...
  local s=$1 tag=$2 eintrag=$3
  shift 3
  if [ "$eintrag" = TITEL ]; then
    seite "$s" timeout 120 "$schreiber" titel "${album[$s]}/$tag" "$1" 2>>"$tmp/$s/schreiber.log"
  else
    seite "$s" timeout 120 "$schreiber" bildtext "${album[$s]}/$tag" "${eintrag#BILD }" "$@" 2>>"$tmp/$s/schreiber.log"
  fi || fehler "side $s: writing $eintrag of $tag failed: $(tail -n 3 "$tmp/$s/schreiber.log")"
}

# What a round wrote: per key the texts of side a and of side b.
declare -A texte_a=() texte_b=()
merken() { # SIDE DAY ENTRY TEXT...
  local s=$1 schl="$2|$3"
  shift 3
  local zeilen
  zeilen=$(printf '%s\n' "$@")
  if [ "$s" = a ]; then texte_a[$schl]=$zeilen; else texte_b[$schl]=$zeilen; fi
  schreiben "$s" "${schl%%|*}" "${schl#*|}" "$@"
}

bilder() { # DAY FOLDER: its pictures by name
  find "$1" -maxdepth 1 -type f -iname '*.jpg' ! -iname '*sync-conflict-*' -printf '%f\n' | LC_ALL=C sort
}

# Both sides write their texts while they cannot see each other.
runde_schreiben() { # ROUND DAY
  local r=$1 tag=$2 bilder=() k i
  mapfile -t bilder < <(bilder "${album[a]}/$tag")
  k=${#bilder[@]}
  i=$((r % k))
  local eins="BILD ${bilder[$i]}" zwei="BILD ${bilder[$(((i + 1) % k))]}"
  texte_a=() texte_b=()
  # Other pictures on the two sides, the first one of two lines in every other round.
  if ((r % 2 == 0)); then
    merken a "$tag" "$eins" "A$r: Grüße über ${bilder[$i]}" "A$r: zweite Zeile mit ß"
  else
    merken a "$tag" "$eins" "A$r: Grüße über ${bilder[$i]}"
  fi
  merken b "$tag" "$zwei" "B$r: Bärbel sieht ${bilder[$(((i + 1) % k))]}"
  # Every third round the same picture on both sides.
  if ((r % 3 == 0)); then merken b "$tag" "$eins" "B$r: Jürgens Fassung von ${bilder[$i]}"; fi
  # The title on both sides in odd rounds, on one side in others.
  if ((r % 2 == 1)); then
    merken a "$tag" TITEL "A$r: Titel mit Öl"
    merken b "$tag" TITEL "B$r: Titel mit Äpfeln"
  elif ((r % 4 == 2)); then
    merken b "$tag" TITEL "B$r: Titel nur hier"
  fi
}

# After the round, each entry must hold the texts of the sides that wrote it (both when
# both wrote it: "Beide behalten"), and no longer the texts it held before.
runde_schluessel() { printf '%s\n' "${!texte_a[@]}" "${!texte_b[@]}" | sort -u; }
runde_merken() {
  local schl alle
  mapfile -t alle < <(runde_schluessel)
  for schl in "${alle[@]}"; do
    [ -z "${erwartet[$schl]+x}" ] || ersetzt[$schl]+=${erwartet[$schl]}$'\n'
    erwartet[$schl]=$(printf '%s\n%s\n' "${texte_a[$schl]:-}" "${texte_b[$schl]:-}" | grep -v '^$' || true)
  done
}

pruefen() { # KEY...
  local schl s text inhalt
  for schl in "$@"; do
    for s in a b; do
      inhalt=$(eintrag_text "$s" "${schl%%|*}" "${schl#*|}")
      while IFS= read -r text; do
        [ -n "$text" ] || continue
        grep -qF -- "$text" <<<"$inhalt" && continue
        if [ -z "${verloren[$s|$text]+x}" ]; then
          verloren[$s|$text]=1
          echo "sync-check: side $s lost \"$text\" (${schl#*|} of ${schl%%|*})" >&2
        fi
      done <<<"${erwartet[$schl]}"
      while IFS= read -r text; do
        [ -n "$text" ] || continue
        grep -qF -- "$text" <<<"${erwartet[$schl]}" && continue
        if grep -qF -- "$text" <<<"$inhalt" && [ -z "${veraltet[$s|$text]+x}" ]; then
          veraltet[$s|$text]=1
          fehlschlaege=$((fehlschlaege + 1))
          echo "sync-check: side $s holds the replaced \"$text\" again (${schl#*|} of ${schl%%|*})" >&2
        fi
      done <<<"${ersetzt[$schl]:-}"
    done
  done
}

kopien() { # SIDE: the conflict copies in the album
  find "${album[$1]}" -path "${album[$1]}/.stfolder" -prune -o -iname '*sync-conflict-*' -print
}

# The program's merge of the whole album on one side, answering every question with "Beide behalten".
abgleich() { # SIDE
  local s=$1 aus
  aus=$(seite "$s" PIXOLUDA_KONFLIKT_ANTWORT="${PIXOLUDA_SYNC_ANTWORT:-beide}" timeout 120 "$schreiber" abgleich "${album[$s]}" \
    2>>"$tmp/$s/schreiber.log") || fehler "side $s: merge failed: $aus $(tail -n 3 "$tmp/$s/schreiber.log")"
  [[ "$aus" =~ konflikte=([0-9]+)\ uebernommen=([0-9]+)\ gefragt=([0-9]+)\ offen=([0-9]+) ]] ||
    fehler "side $s: the merge said \"$aus\""
  konflikte=$((konflikte + BASH_REMATCH[1]))
  uebernommen=$((uebernommen + BASH_REMATCH[2]))
  gefragt=$((gefragt + BASH_REMATCH[3]))
  if ((BASH_REMATCH[4] > 0)); then
    fehlschlaege=$((fehlschlaege + 1))
    echo "sync-check: side $s: the merge left questions open: $aus" >&2
  fi
  echo "  side $s: $aus"
}

einrichten a
einrichten b
seite a "$build/demoalbum" "${album[a]}" >/dev/null || fehler "demoalbum failed"
verbinden a b
verbinden b a
warten 60 "connection between the two sides" verbunden a
abgleichen_warten "first sync of the album"
# The days with two pictures or more.
mapfile -t tage < <(cd "${album[a]}" && for d in */*/; do
  [ "$(bilder "$d" | wc -l)" -ge 2 ] && echo "${d%/}"
done)
[ "${#tage[@]}" -gt 0 ] || fehler "the demo album has no day with two pictures"

for ((r = 1; r <= runden; r++)); do
  tag=${tage[$(((r - 1) % ${#tage[@]}))]}
  rest a POST "/rest/system/pause?device=${id[b]}" >/dev/null
  warten 60 "round $r: pausing" getrennt
  runde_schreiben "$r" "$tag"
  rest a POST "/rest/db/scan?folder=album" >/dev/null
  rest b POST "/rest/db/scan?folder=album" >/dev/null
  rest a POST "/rest/system/resume?device=${id[b]}" >/dev/null
  warten 60 "round $r: resuming" verbunden a
  abgleichen_warten "round $r: sync after resuming"
  mapfile -t gesehen < <(kopien a)
  echo "round $r: $tag, ${#gesehen[@]} conflict copies"
  # One side merges, the result syncs, then the other (which then finds nothing left).
  erste=a
  ((r % 2 == 0)) && erste=b
  abgleich "$erste"
  abgleichen_warten "round $r: sync after merging on side $erste"
  abgleich "$(anderer "$erste")"
  abgleichen_warten "round $r: sync after merging on side $(anderer "$erste")"
  # Each copy went into one side's trash, none was deleted for good.
  for k in "${gesehen[@]}"; do
    k=${k##*/}
    if [ -z "$(find "$tmp"/[ab]/home/.local/share/Trash/files -name "$k*" 2>/dev/null)" ]; then
      fehlschlaege=$((fehlschlaege + 1))
      echo "sync-check: round $r: conflict copy $k is in no trash" >&2
    fi
  done
  runde_merken
  mapfile -t geschrieben < <(runde_schluessel)
  pruefen "${geschrieben[@]}"
done

# At the end: every entry still holds what it must, on both sides, and no conflict copy is
# left outside the trash.
pruefen "${!erwartet[@]}"
for s in a b; do
  while IFS= read -r k; do
    [ -n "$k" ] || continue
    fehlschlaege=$((fehlschlaege + 1))
    echo "sync-check: side $s: conflict copy left: ${k#"${album[$s]}/"}" >&2
  done < <(kopien "$s")
done
echo "sync rounds=$runden conflicts=$konflikte merged=$uebernommen asked=$gefragt lost=${#verloren[@]}"
[ "${#verloren[@]}" -eq 0 ] && [ "$fehlschlaege" -eq 0 ]
