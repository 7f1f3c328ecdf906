# Shared by scripts/windows-qt and scripts/windows-xlsxwriter: Debian's own
# source of a package, for a library that Debian has not built for Windows.
# Source this file, then call debian_source.

# debian_source WORK PACKAGE VERSION DEST: the source package PACKAGE of
# VERSION, fetched once into WORK/source, checked and unpacked into DEST
# (made afresh). The source comes through apt's own client, with sources of
# our own in WORK/apt: deb-src entries made from the machine's deb entries,
# so that its own configuration stays as it is.
debian_source() {
  local work package=$2 version=$3 dest=$4
  work=$(realpath -m "$1")
  local apt_dir=$work/apt
  # The .dsc's name carries the version without its epoch.
  local dsc=$work/source/${package}_${version#*:}.dsc
  mkdir -p "$work/source"
  if [ ! -f "$dsc" ]; then
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/cache/archives/partial"
    : >"$apt_dir/sources.list"
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$apt_dir/sources.list"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/parts/$(basename "$f")"
    done
    local apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list"
      -o Dir::Etc::SourceParts="$apt_dir/parts"
      -o Dir::State::Lists="$apt_dir/lists"
      -o Dir::Cache="$apt_dir/cache" -o APT::Sandbox::User=root)
    echo "== ${0##*/}: fetching the source of $package $version" >&2
    # The package lists once per run of a script, however many sources it fetches.
    if [ "${debian_source_updated:-}" != "$apt_dir" ]; then
      apt-get "${apt_options[@]}" update -qq >&2
      debian_source_updated=$apt_dir
    fi
    (cd "$work/source" && apt-get "${apt_options[@]}" source --download-only "$package=$version" >&2)
  fi
  rm -rf "$dest"
  # dpkg-source checks every file against the checksums of the .dsc; Debian's
  # patches are for Debian's own build and stay out.
  echo "== ${0##*/}: checking and unpacking $package" >&2
  dpkg-source --skip-patches -x "$dsc" "$dest" >&2
}
