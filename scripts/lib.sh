# Shared by the project's scripts: the Debian packages the project needs, the
# build of one flavour into build/<flavour>, and the runs of the fuzzers.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libpcre2-dev libboost-math-dev
    libgtest-dev
    python3 poppler-utils
    desktop-file-utils shared-mime-info
    clang libclang-rt-14-dev
)

# Installs whatever of PACKAGES and of the packages named as arguments is
# missing (through sudo when not root).
install_packages() {
    local missing=()
    local package
    for package in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# build_flavour release|asan|tsan [TARGET...]: configures and builds into
# build/<flavour>, all targets or those named.
build_flavour() {
    local flavour=$1
    shift
    local options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    [ "$flavour" = asan ] && options=(-DCMAKE_BUILD_TYPE=Debug -DTAMBORIX_SANITIZE=ON)
    [ "$flavour" = tsan ] && options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBORIX_TSAN=ON)
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake -S "$ROOT" -B "$ROOT/build/$flavour" -G Ninja "${options[@]}" >/dev/null
    cmake --build "$ROOT/build/$flavour" "${targets[@]}"
}

# The test programs whose code runs on more than one thread, for the
# ThreadSanitizer build.
THREADED_TESTS=(analysis_tests cli_tests)

# The libFuzzer targets of tests/fuzz, by name: the program NAME_fuzzer, its
# seeds in tests/fuzz/seeds/NAME and, where there is one, tests/fuzz/NAME.dict.
FUZZ_TARGETS=(xml_reader settings word_matcher wildcard regex analyze_file workspace)

# fuzz_target NAME SECONDS: builds the fuzzer NAME with clang into build/fuzz
# and runs it that long on build/fuzz/corpus/NAME, which starts from the seeds
# and keeps what earlier runs found. An input that takes longer than 10 s
# counts as a hang. Fails, with the end of the log, when the fuzzer finds a
# crash, a leak, a hang or an exception other than TError; the input that
# caused it is kept in build/fuzz/artifacts.
fuzz_target() {
    local name=$1 seconds=$2
    local dir="$ROOT/build/fuzz"
    local corpus="$dir/corpus/$name"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBORIX_FUZZ=ON >/dev/null
    cmake --build "$dir" --target "${name}_fuzzer"
    mkdir -p "$corpus" "$dir/artifacts"
    cp "$ROOT/tests/fuzz/seeds/$name"/* "$corpus/"
    local options=(-max_total_time="$seconds" -timeout=10 -max_len=4096
                   -artifact_prefix="$dir/artifacts/$name-")
    local dict="$ROOT/tests/fuzz/$name.dict"
    [ -f "$dict" ] && options+=(-dict="$dict")
    echo "Fuzzing $name for $seconds s" >&2
    if ! "$dir/tests/fuzz/${name}_fuzzer" "${options[@]}" "$corpus" 2>"$dir/$name.log"; then
        tail -n 60 "$dir/$name.log" >&2
        return 1
    fi
    grep '^Done' "$dir/$name.log"
}
