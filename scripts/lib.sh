# Shared by the project's scripts: the Debian packages the project needs, and
# the build of one flavour into build/<flavour>.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libpcre2-dev
    libgtest-dev
    python3
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
