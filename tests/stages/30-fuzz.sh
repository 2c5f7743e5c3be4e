# A short run of every fuzzer: hostile bytes, double bit patterns and
# decimals into the text rules, under ASan and UBSan.
set -e
FUZZ_SECONDS=${FUZZ_STAGE_SECONDS:-5} "$KESTRUNE_ROOT/scripts/fuzz.sh"
