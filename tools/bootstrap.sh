# Shared by run.sh and test.sh: installs the Debian packages Tallyra needs when any is
# missing, then configures and builds into build/ with Ninja and ccache.
# Sourced, not run: the caller has already cd'ed to the repository root.

TALLYRA_PACKAGES=(
    cmake ninja-build ccache g++ pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev qt6-qpa-plugins qt6-translations-l10n
    libsqlite3-dev libhpdf-dev libqrencode-dev libssl-dev libcurl4-openssl-dev
    googletest libgtest-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core
    poppler-utils qpdf sqlite3 openssl python3-aiosmtpd xdg-utils
    libxml2-utils zbar-tools python3
    clang libclang-rt-14-dev
    dpkg-dev lintian desktop-file-utils
    libqt6sql6-sqlite
)

install_missing_packages() {
    local missing=()
    for p in "${TALLYRA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Instaluji chybějící balíčky: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Paths inside the repository count relative to it, so a fresh clone elsewhere (as CI
# makes) finds what an earlier build compiled.
export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=1

build_tallyra() {
    local build_type="${TALLYRA_BUILD_TYPE:-RelWithDebInfo}"
    if [ ! -f build/build.ninja ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type"
    fi
    cmake --build build --parallel "$(nproc)"
}
