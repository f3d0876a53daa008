#!/bin/bash
# Generate the wave resources of Tarnel_Instr into assets/Tarnel_Instr/<id>.wav.
#
#   tools/make_sounds.sh
#
# Needs espeak-ng and sox (apt-get install -y espeak-ng sox). Output: PCM wave,
# 22050 Hz, 16-bit, mono, with a plain 44-byte header (RIFF/WAVE, 16-byte
# "fmt " chunk, "data" chunk; nothing else). Reproducible: fixed voice and
# speed for speech, sox in repeatable mode (-R) without dither (-D) for noise.
#
#   10            switch and knob click (~40 ms)
#   20, 30        gear lever moved up / down
#   50            parking-brake click
#   1160 .. 1270  radio-altitude callouts 2500 ft .. 10 ft, in steps of 10
#   1280          decision-height callout "minimums"
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/assets/Tarnel_Instr"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

for tool in espeak-ng sox; do
  command -v "$tool" >/dev/null || { echo "$tool missing: apt-get install -y espeak-ng sox" >&2; exit 1; }
done
py=/usr/bin/python3
[ -x "$py" ] || py=python3

SOX="sox -R -D -V1"
FMT="-r 22050 -b 16 -c 1 -e signed-integer"

# Rewrite a wave file as a canonical 44-byte-header PCM file, checking format.
canon() {
  "$py" - "$1" "$2" <<'EOF'
import struct, sys
src, dst = sys.argv[1], sys.argv[2]
data = open(src, 'rb').read()
if data[:4] != b'RIFF' or data[8:12] != b'WAVE':
    sys.exit('%s: not a RIFF WAVE file' % src)
pos, fmt, pcm = 12, None, None
while pos + 8 <= len(data):
    cid, size = data[pos:pos + 4], struct.unpack_from('<I', data, pos + 4)[0]
    body = data[pos + 8:pos + 8 + size]
    if cid == b'fmt ':
        fmt = body
    elif cid == b'data':
        pcm = body
    pos += 8 + size + (size & 1)
if fmt is None or pcm is None:
    sys.exit('%s: missing fmt or data chunk' % src)
tag, ch, rate, _, _, bits = struct.unpack_from('<HHIIHH', fmt, 0)
if tag not in (1, 0xFFFE) or (ch, rate, bits) != (1, 22050, 16):
    sys.exit('%s: unexpected format %r' % (src, (tag, ch, rate, bits)))
fmt16 = struct.pack('<HHIIHH', 1, 1, 22050, 22050 * 2, 2, 16)
head = b'RIFF' + struct.pack('<I', 36 + len(pcm)) + b'WAVE' + b'fmt ' + struct.pack('<I', 16) + fmt16 + b'data' + struct.pack('<I', len(pcm))
open(dst, 'wb').write(head + pcm)
EOF
}

# Spoken callout: espeak-ng, resampled, leading and trailing silence trimmed.
say() {  # id text
  espeak-ng -v en-us -s 175 -p 45 -a 180 -w "$tmp/raw.wav" "$2"
  $SOX "$tmp/raw.wav" $FMT "$tmp/s.wav" \
    silence 1 0.01 0.3% reverse silence 1 0.01 0.3% fade t 0.01 reverse \
    fade t 0.005 pad 0 0.03 norm -1
  canon "$tmp/s.wav" "$out/$1.wav"
}

# Effects from sox synth noise with envelopes.
fx() {  # id sox-effects...
  local id=$1; shift
  $SOX -n $FMT "$tmp/e.wav" "$@"
  canon "$tmp/e.wav" "$out/$id.wav"
}

# 10: switch click, a sharp noise tick with a fast decay.
fx 10 synth 0.04 whitenoise highpass 1500 fade q 0.001 0.04 0.036 norm -3
# 20: gear lever up: a rising scrape ending in a latch click.
$SOX -n $FMT "$tmp/a.wav" synth 0.32 pinknoise synth 0.32 sine amod 6-20 \
  bandpass 900 600 fade h 0.05 0.32 0.12 norm -6
$SOX -n $FMT "$tmp/b.wav" synth 0.05 whitenoise highpass 1200 fade q 0.001 0.05 0.045 norm -3
$SOX "$tmp/a.wav" "$tmp/b.wav" $FMT "$tmp/e.wav"
canon "$tmp/e.wav" "$out/20.wav"
# 30: gear lever down: a falling scrape ending in a heavier thump.
$SOX -n $FMT "$tmp/a.wav" synth 0.36 brownnoise synth 0.36 sine amod 20-6 \
  bandpass 500 400 fade h 0.04 0.36 0.14 norm -6
$SOX -n $FMT "$tmp/b.wav" synth 0.09 brownnoise lowpass 600 fade q 0.002 0.09 0.08 norm -2
$SOX "$tmp/a.wav" "$tmp/b.wav" $FMT "$tmp/e.wav"
canon "$tmp/e.wav" "$out/30.wav"
# 50: parking-brake click: two close ratchet clicks.
$SOX -n $FMT "$tmp/a.wav" synth 0.03 whitenoise bandpass 2500 1500 fade q 0.001 0.03 0.027 norm -3
$SOX -n $FMT "$tmp/b.wav" trim 0 0.025
$SOX "$tmp/a.wav" "$tmp/b.wav" "$tmp/a.wav" $FMT "$tmp/e.wav"
canon "$tmp/e.wav" "$out/50.wav"

id=1160
for text in "two thousand five hundred" "one thousand" "five hundred" "four hundred" \
            "three hundred" "two hundred" "one hundred" "fifty" "forty" "thirty" \
            "twenty" "ten"; do
  say $id "$text"
  id=$((id + 10))
done
say 1280 "minimums"

for f in "$out"/*.wav; do
  printf '%-28s %6d bytes\n' "${f#$root/}" "$(stat -c %s "$f")"
done
