# Sourced by the Windows build scripts. Debian's source packages come through
# a private source list kept in the build folder, for the suite the system's
# binary packages come from; the system's apt setup is not changed.
#
#   debian_sources APT_DIR LOG
#   sets the array apt_options for apt-get and reads the lists once per APT_DIR
debian_sources() {
    local apt_dir=$1 log=$2 codename mirror
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts"
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename main" \
        > "$apt_dir/sources.list"
    apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/parts"
                 -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
                 -o "Dir::State::status=/var/lib/dpkg/status" -o "APT::Sandbox::User=root" -qq)
    [ -n "$(ls "$apt_dir/lists" 2>/dev/null | grep -v partial)" ] ||
        apt-get "${apt_options[@]}" update >> "$log" 2>&1
}
