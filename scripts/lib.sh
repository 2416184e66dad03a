# Shared by the project's scripts: the Debian packages the project needs, the
# build of one flavour into build/<flavour>, and the fuzzing of the XML reader.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libpcre2-dev
    libgtest-dev
    python3
    desktop-file-utils
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

# build_flavour release|asan: configures and builds into build/<flavour>.
build_flavour() {
    local flavour=$1
    local options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    [ "$flavour" = asan ] && options=(-DCMAKE_BUILD_TYPE=Debug -DTAMBORIX_SANITIZE=ON)
    cmake -S "$ROOT" -B "$ROOT/build/$flavour" -G Ninja "${options[@]}" >/dev/null
    cmake --build "$ROOT/build/$flavour"
}

# fuzz_xml_reader SECONDS: builds the XML reader's libFuzzer target with clang
# into build/fuzz and runs it that long on build/fuzz/corpus, which starts from
# the seeds and keeps what earlier runs found. Fails, with the end of the log,
# when the fuzzer finds a crash, a leak or a hang; the input that caused it is
# kept in build/fuzz/artifacts.
fuzz_xml_reader() {
    local seconds=$1
    local dir="$ROOT/build/fuzz"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBORIX_FUZZ=ON >/dev/null
    cmake --build "$dir" --target xml_reader_fuzzer
    mkdir -p "$dir/corpus" "$dir/artifacts"
    cp "$ROOT"/tests/data/xml/seeds/*.xml "$dir/corpus/"
    if ! "$dir/tests/xml/xml_reader_fuzzer" -max_total_time="$seconds" -timeout=10 \
        -dict="$ROOT/tests/data/xml/fuzz.dict" -artifact_prefix="$dir/artifacts/" \
        "$dir/corpus" 2>"$dir/fuzz.log"; then
        tail -n 60 "$dir/fuzz.log" >&2
        return 1
    fi
    grep '^Done' "$dir/fuzz.log"
}
