#!/usr/bin/env bash
# A screenshot of the whole window for every guided experiment, each loaded
# from the library and played for a few seconds, and a picture of every plot
# fed from a short real run, all in one folder, for someone to look at.
#
# Usage: tools/gallery.sh [build folder] [output folder] [seconds] [preset index ...]
#        (defaults: build, gallery, 6, every experiment)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
output=${2:-gallery}
seconds=${3:-6}
shift $(( $# < 3 ? $# : 3 ))
cmake --build "$build" -j "${JOBS:-4}" --target vxo_gallery vxo_plot_gallery
# The form's window is 1738 x 1216: the screen leaves room for all of it.
xvfb-run -a -s "-screen 0 1920x1280x24 -noreset" \
    "$build/tools/vxo_gallery" --seconds "$seconds" "$output" "$@"
VXO_GALLERY="$output" QT_QPA_PLATFORM=offscreen "$build/tools/vxo_plot_gallery"
