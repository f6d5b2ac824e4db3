#!/usr/bin/env bash
# Seeds each fuzz target's corpus from the demo world:
#   seed_corpus.sh DATA CORPUS SEED_TOOL
# writes CORPUS/<target>/ for every target whose folder is still empty.
# Targets that read a leading mode byte or a joined input get seeds in that
# shape, so the first runs already reach deep into each loader. Seeds stay
# small (large inputs slow a target a hundredfold): SEED_TOOL cuts corners of
# the maps, sprite, tile and object sets and the pictures; long sounds and music keep their
# first 16 KB.
set -euo pipefail
data=$1
corpus=$2
tool=$3

seed() {  # seed TARGET FILE... : the first 16 KB of each file that exists
    local target=$1; shift
    mkdir -p "$corpus/$target"
    local f
    for f in "$@"; do [ -f "$f" ] && head -c 16384 "$f" > "$corpus/$target/$(basename "$f")"; done
    return 0
}
empty() { mkdir -p "$corpus/$1"; [ -z "$(ls -A "$corpus/$1")" ]; }

shopt -s nullglob
empty fuzz_wave && seed fuzz_wave "$data"/sound/*.wav
if empty fuzz_map || empty fuzz_tile_set || empty fuzz_object_set || empty fuzz_sprite_set || empty fuzz_picture; then
    "$tool" "$data" "$corpus"
    seed fuzz_picture "$data"/cursor/*
fi
empty fuzz_stage && seed fuzz_stage "$data"/txt/stage/*.txt
empty fuzz_map_position && seed fuzz_map_position "$data"/txt/mappos/*.txt
empty fuzz_mp3_length && seed fuzz_mp3_length "$data"/music/*.mp3
empty fuzz_cp949 && seed fuzz_cp949 "$data"/txt/minimap/*.txt "$data"/txt/quest/*.txt
empty fuzz_item_pack && seed fuzz_item_pack "$data"/itm/*.ipk
empty fuzz_item_text && seed fuzz_item_text "$data"/txt/item/*/*.txt "$data"/txt/interface/*.txt
empty fuzz_monster_file && seed fuzz_monster_file "$data"/txt/monster/*.txt
empty fuzz_boss_file && seed fuzz_boss_file "$data"/txt/boss/*.txt
empty fuzz_talk_file && seed fuzz_talk_file "$data"/txt/npc/talk/*.txt
empty fuzz_minimap_text && seed fuzz_minimap_text "$data"/txt/quest/*.txt "$data"/txt/minimap/*.txt
if empty fuzz_npc_files; then
    # First byte: 0 condition, 1 shop, 2 NPC positions, 3 mission states.
    mode=0
    for dir in ckecked shop pos mssck; do
        for f in "$data"/txt/npc/$dir/*.txt; do
            { printf "\\x0$mode"; head -c 16384 "$f"; } > "$corpus/fuzz_npc_files/$dir-$(basename "$f")"
        done
        mode=$((mode + 1))
    done
fi
empty fuzz_talk_source && seed fuzz_talk_source "$(dirname "$0")"/../demo/sources/npc/*.txt
if empty fuzz_save; then
    # First byte: 1 reads the rest as a new-game file, 0 as a save.
    for f in "$data"/txt/user/init.txt "$data"/txt/user/user.txt; do
        [ -f "$f" ] || continue
        { printf '\x01'; cat "$f"; } > "$corpus/fuzz_save/new-$(basename "$f")"
        { printf '\x00'; cat "$f"; } > "$corpus/fuzz_save/save-$(basename "$f")"
    done
fi
if empty fuzz_save_round_trip; then
    # The bytes are the save itself; a name with a NUL in it too.
    for f in "$data"/txt/user/init.txt "$data"/txt/user/user.txt; do
        [ -f "$f" ] && cp "$f" "$corpus/fuzz_save_round_trip/$(basename "$f")"
    done
    printf 'ab\x00c 0 10 10 1 5 5 5 5 5 0 100 0' > "$corpus/fuzz_save_round_trip/nul-name.txt"
fi
for d in "$corpus"/*/; do
    [ -n "$(ls -A "$d")" ] || echo "warning: no seeds for $(basename "$d") in $data" >&2
done
