# Sourced by the set-up scripts: sudo is what runs apt (nothing as root), and
# install_missing PACKAGE... installs those of Debian's packages not yet there.
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
