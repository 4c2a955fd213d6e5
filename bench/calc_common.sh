# Sourced by the velmora-calc bench scripts.

# Sets program to the velmora-calc of build folder $1; exits with status 2 when it is not built.
calc_program() {
    program="$1/velmora-calc"
    if [[ ! -x "$program" ]]; then
        echo "no $program: build it first (cmake --build $1 --target velmora-calc)" >&2
        exit 2
    fi
}

# survey_files DIR COUNT writes COUNT third-octave data files DIR/survey00000.snd ... as the
# program saves them, each with its own levels so that no two are alike.
survey_files() {
    LC_ALL=C awk -v dir="$1" -v n="$2" 'BEGIN {
        split("50 63 80 100 125 160 200 250 315 400 500 630 800 1000 1250 1600 2000 2500 3150 4000 " \
              "5000 6300 8000 10000 12500 16000 20000", hz, " ")
        for (i = 0; i < n; i++) {
            file = sprintf("%s/survey%05d.snd", dir, i)
            printf "#\r\n# Velmora Data File\r\n# Spectrum levels in dB by band\r\n#\r\n\r\n" > file
            printf "Bands: 0  1\r\nSpectrum: %d  0  0\r\nGraph: 0.00  120.00  10.00\r\n\r\n", i % 3 > file
            for (k = 1; k <= 27; k++)
                printf "Levels: %.1f  %.3f\r\n", hz[k], 30 + (i * 7 + k * 13) % 60 + (i % 10) / 10 > file
            printf "\r\nSpectra: 27\r\n" > file
            for (k = 1; k <= 27; k++)
                printf "  %.1f", 20 + (i + k * 5) % 40 > file
            printf "\r\n\r\n" > file
            close(file)
        }
    }'
}

# timed_runs RUNS COMMAND... runs the command RUNS times with its output discarded, prints each
# wall time in ms, and sets best and median to the shortest and the middle one.
timed_runs() {
    local runs=$1 run start end times=() sorted
    shift
    for ((run = 0; run < runs; ++run)); do
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    best=${sorted[0]}
    median=${sorted[$((runs / 2))]}
    echo "runs (ms): ${times[*]}"
}
