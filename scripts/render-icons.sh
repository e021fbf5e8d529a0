#!/usr/bin/env bash
# Regenerates the PNG and ICO icons from the SVG source (run after editing it).
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
rsvg-convert -w 48 -h 48 org.kelmora.Kelmora.svg -o org.kelmora.Kelmora.png
# 24-bit colour with an alpha channel, as a classic BMP-style icon entry.
convert org.kelmora.Kelmora.png -define icon:auto-resize=48 kelmora.ico
# The window's copy: raw 8-bit RGBA, so showing it needs no image decoder.
convert org.kelmora.Kelmora.png -depth 8 rgba:org.kelmora.Kelmora.rgba
