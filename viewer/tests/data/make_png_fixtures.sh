#!/usr/bin/env bash
# Remakes the PNG pictures under png/ and ImageMagick's own decoding of each
# one (NAME.rgba: 8 bits a sample, or 16 bits big-endian for 16-bit files).
# Every colour type and bit depth, plain and Adam7; pictures with tRNS, gAMA,
# tEXt and zTXt; IDAT data split over several chunks. Chunks that ImageMagick
# will not write (a colour key on grey and RGB, zTXt) are put in by
# png_chunks.py, and the result is decoded by ImageMagick like the others.
set -euo pipefail
cd "$(dirname "$0")/png"
C=/usr/bin/convert            # ImageMagick itself, not a wrapper in the PATH
P="python3 ../png_chunks.py"
rm -f ./*.png ./*.rgba
# Neither dates nor background chunks: the files must come out the same each time.
Q=(-define png:exclude-chunks=date,time,bKGD)
W=33; H=21
$C rose: -resize ${W}x${H}! +set comment PNG24:src.tmp
$C -size ${W}x${H} gradient:white-black alpha.tmp.png
# 16-bit samples whose low bytes are not copies of the high bytes.
deep=(-depth 16 -evaluate multiply 0.9997)
for il in none png; do
    s=""; [ $il = png ] && s=i
    I=(-interlace $il)
    for d in 1 2 4 8; do
        $C src.tmp -colorspace gray -depth $d "${Q[@]}" "${I[@]}" \
            -define png:color-type=0 -define png:bit-depth=$d g$d$s.png
    done
    $C src.tmp "${deep[@]}" -colorspace gray "${Q[@]}" "${I[@]}" -define png:color-type=0 -define png:bit-depth=16 g16$s.png
    $C src.tmp "${Q[@]}" "${I[@]}" -define png:color-type=2 -depth 8 rgb8$s.png
    $C src.tmp "${deep[@]}" "${Q[@]}" "${I[@]}" -define png:color-type=2 rgb16$s.png
    for d in 1 2 4 8; do
        $C src.tmp +dither -colors $((1 << d)) "${Q[@]}" "${I[@]}" \
            -define png:color-type=3 -define png:bit-depth=$d p$d$s.png
    done
    $C src.tmp alpha.tmp.png -compose copy-opacity -composite -colorspace gray "${Q[@]}" "${I[@]}" \
        -define png:color-type=4 -depth 8 ga8$s.png
    $C src.tmp alpha.tmp.png -compose copy-opacity -composite -colorspace gray "${deep[@]}" "${Q[@]}" "${I[@]}" \
        -define png:color-type=4 -define png:bit-depth=16 ga16$s.png
    $C src.tmp alpha.tmp.png -compose copy-opacity -composite "${Q[@]}" "${I[@]}" \
        -define png:color-type=6 -depth 8 rgba8$s.png
    $C src.tmp alpha.tmp.png -compose copy-opacity -composite "${deep[@]}" "${Q[@]}" "${I[@]}" \
        -define png:color-type=6 rgba16$s.png
done
# Colour keys on grey and RGB pictures, at the value of an existing pixel.
$P trns-key g2.png g2-trns.png
$P trns-key g4i.png g4i-trns.png
$P trns-key g16.png g16-trns.png
$P trns-key rgb8.png rgb8-trns.png
$P trns-key rgb16i.png rgb16i-trns.png
# Palette transparency: one entry fully transparent, or several partial.
$P trns-palette-bit p4.png p4-trns-bit.png
$P trns-palette-partial p8.png p8-trns-partial.png
$P trns-palette-partial p2i.png p2i-trns-partial.png
# A gamma other than the display's, texts, and IDAT split over three chunks.
$P gama rgb8.png rgb8-gama.png 100000
$P gama p8.png p8-gama.png 100000
$P texts rgb8.png rgb8-texts.png
$P split-idat rgba8i.png rgba8i-split.png
# Tiny pictures: Adam7 of one pixel, and rows whose padding differs.
$C -size 1x1 xc:'#3366cc' "${Q[@]}" -interlace png -define png:color-type=2 tiny1x1i.png
$C -size 3x2 gradient:red-blue "${Q[@]}" -define png:color-type=2 -depth 8 tiny3x2.png
rm -f ./*.tmp ./*.tmp.png
for f in *.png; do
    depth=8
    [ "$($P depth "$f")" = 16 ] && depth=16
    # ImageMagick turns a gamma-1.0 picture into sRGB on output; relabelled it
    # gives the file's samples, which the tests pass through the gamma table.
    relabel=()
    case $f in *-gama.png) relabel=(-set colorspace sRGB) ;; esac
    $C "$f" "${relabel[@]}" -depth $depth -endian MSB rgba:"${f%.png}.rgba"
done
ls -1 *.png | wc -l
