#!/usr/bin/env bash
# TWACQUIRE through Wine's TWAIN manager, the installed data source and the
# virtual bus: the default page, the same frame by each transfer giving the
# same pixels (and the test page's white margin and first colour bars), a
# feeder batch stopping at its count, and an unknown source failing with
# TWCC_NODS. Prints "N passed, N failed".
#   acquire_run.sh SOURCE_TREE
set -u
root=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cd "$out"
run() { "$root/scripts/winrun" 'C:\KORVA\TWACQUIRE.exe' "$@" >>log 2>&1; }
passed=0
failed=0
check() {  # check WHAT COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
exits() { [ "$1" = "$2" ]; }

run; rc=$?
check "the default acquisition exits 0 (got $rc)" exits "$rc" 0
check "the default page is a 150-dpi colour BMP" /usr/bin/python3 -c '
from PIL import Image
im = Image.open("scan001.bmp")
assert im.mode == "RGB", im.mode
assert round(im.info["dpi"][0]) == 150, im.info
'

frame=(--frame 0,0,4,2 --dpi 50)
run "${frame[@]}" --xfer native -o n.bmp; a=$?
run "${frame[@]}" --xfer memory -o m.tif; b=$?
run "${frame[@]}" --xfer file -o f.bmp; c=$?
check "native, memory and file exit 0 ($a $b $c)" exits "$a$b$c" 000
check "the three transfers give the same pixels, right for the test page" /usr/bin/python3 -c '
from PIL import Image
n, m, f = (Image.open(p).convert("RGB") for p in ("n.bmp", "m.tif", "F.BMP"))
assert n.size == (200, 100), n.size
assert n.tobytes() == m.tobytes(), "memory differs"
assert n.tobytes() == f.tobytes(), "file differs"
def near(xy, rgb):
    got = n.getpixel(xy)
    assert all(abs(g - w) < 60 for g, w in zip(got, rgb)), (xy, got, rgb)
near((5, 5), (255, 255, 255))     # the margin
near((45, 60), (255, 0, 0))       # red, green, blue from the left
near((95, 60), (0, 255, 0))
near((140, 60), (0, 0, 255))
'

run --feeder 3 --xfer memory --mode gray --dpi 25 -o s#.tif; rc=$?
check "a feeder batch of 3 exits 0 (got $rc)" exits "$rc" 0
check "it writes s1.tif to s3.tif and stops" test -f s1.tif -a -f s2.tif -a -f s3.tif -a ! -e s4.tif

run --source "No Such Source"; rc=$?
check "an unknown source exits with TWCC_NODS (got $rc)" exits "$rc" 3
check "with a one-line reason" grep -q '^twacquire: no source "No Such Source"' log

[ "$failed" = 0 ] || cat log
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
