#!/usr/bin/env bash
# Seeds each fuzz target's corpus from the demo world: seed_corpus.sh DATA CORPUS
# writes CORPUS/<target>/ for every target whose folder is still empty.
# Targets that read a leading mode byte or a joined input get seeds in that
# shape, so the first runs already reach deep into each loader.
set -euo pipefail
data=$1
corpus=$2

seed() {  # seed TARGET FILE... : copies the files that exist
    local target=$1; shift
    mkdir -p "$corpus/$target"
    local f
    for f in "$@"; do [ -f "$f" ] && cp "$f" "$corpus/$target/"; done
    return 0
}
empty() { mkdir -p "$corpus/$1"; [ -z "$(ls -A "$corpus/$1")" ]; }

shopt -s nullglob
empty fuzz_picture && seed fuzz_picture "$data"/pic/*.pic "$data"/pic/*/*.pic "$data"/cursor/*
empty fuzz_wave && seed fuzz_wave "$data"/sound/*.wav
empty fuzz_map && seed fuzz_map "$data"/maps/*.mmf
empty fuzz_tile_set && seed fuzz_tile_set "$data"/tiles/*.ttl
empty fuzz_object_set && seed fuzz_object_set "$data"/objects/*.msp
empty fuzz_stage && seed fuzz_stage "$data"/txt/stage/*.txt
empty fuzz_map_position && seed fuzz_map_position "$data"/txt/mappos/*.txt
empty fuzz_mp3_length && seed fuzz_mp3_length "$data"/music/*.mp3
empty fuzz_cp949 && seed fuzz_cp949 "$data"/txt/minimap/*.txt "$data"/txt/quest/*.txt
if empty fuzz_save; then
    # First byte: 1 reads the rest as a new-game file, 0 as a save.
    for f in "$data"/txt/user/init.txt "$data"/txt/user/user.txt; do
        [ -f "$f" ] || continue
        { printf '\x01'; cat "$f"; } > "$corpus/fuzz_save/new-$(basename "$f")"
        { printf '\x00'; cat "$f"; } > "$corpus/fuzz_save/save-$(basename "$f")"
    done
fi
if empty fuzz_sprite_set; then
    # The sprite file, the marker the target splits at, the delay text.
    for f in "$data"/sprite/spr_*.asp; do
        n=$(basename "$f" .asp); n=${n#spr_}
        { cat "$f"; printf '\n--delays--\n'; cat "$data/txt/sprdelay/delay_$n.txt" 2>/dev/null || true; } \
            > "$corpus/fuzz_sprite_set/set_$n"
    done
fi
for d in "$corpus"/*/; do
    [ -n "$(ls -A "$d")" ] || echo "warning: no seeds for $(basename "$d") in $data" >&2
done
