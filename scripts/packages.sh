# Debian 12 packages, shared by setup.sh and .ci/run (sourced, not run).
# Build and tests: compiler, CMake, Qt 6 with its Firebird driver and its
# Portuguese texts, Firebird's client, embedded engine and tools.
VORINDA_BUILD_PACKAGES=(
    g++ make cmake
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libqt6sql6-ibase
    firebird-dev firebird3.0-server-core firebird3.0-utils
    fonts-dejavu-core
    poppler-utils
)

# Installs the packages not installed yet (apt-get, through sudo when not root).
vorinda_install_packages() {
    local missing=() package sudo=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Instalando: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
