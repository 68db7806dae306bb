#!/usr/bin/env bash
# Installs the build into temporary folders, checks the installed files against
# packaging/installed-files.txt and the validators, uninstalls, and checks that
# nothing of the program is left.
#   install_uninstall.sh SOURCE_DIR BUILD_DIR
set -uo pipefail

source_dir=$1
build_dir=$2
uninstall_script=$build_dir/almanis_uninstall.cmake
version=$(sed -n 's/^project(Almanis VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")

work=$(mktemp -d)
# Installing rewrites the build's install manifest; the one of the developer's
# own last `make install` is put back afterwards.
manifest=$build_dir/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$work/kept-manifest"
restore() {
  if [ -f "$work/kept-manifest" ]; then cp -p "$work/kept-manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap restore EXIT
# The validators keep caches; none of them goes to the real home folder.
export HOME=$work/home XDG_CACHE_HOME=$work/home/.cache XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"

passed=0
failed=0
fail() {
  echo "FAIL: $case_name: $*"
  case_failed=1
}

# "mode path" for every file and link under $1, as in installed-files.txt.
installed_list() {
  (cd "$1" && find . \( -type f -o -type l \) -printf '%y %m %P\n') |
    awk '{ print ($1 == "l" ? "link" : sprintf("%04d", $2)), $3 }' | sort -k2
}
expected_list() {
  grep -v -e '^#' -e '^$' "$source_dir/packaging/installed-files.txt" | sort -k2
}

# install ROOT PREFIX: cmake --install with DESTDIR=ROOT (may be empty).
install_into() {
  DESTDIR=$1 cmake --install "$build_dir" --prefix "$2" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "cmake --install failed"; return 1; }
  cp "$manifest" "$work/manifest"
}
uninstall_from() {
  DESTDIR=$1 cmake -DPREFIX="$2" -DMANIFEST="$work/manifest" -P "$uninstall_script" >"$work/uninstall.log" 2>&1
}

check_installed() {  # check_installed TREE (= DESTDIR + prefix)
  local tree=$1
  local diffs
  diffs=$(diff <(expected_list) <(installed_list "$tree")) ||
    fail "installed files differ from packaging/installed-files.txt (< listed, > installed):"$'\n'"$diffs"
  [ "$(readlink "$tree/bin/almanis")" = ../lib/almanis/almanis ] || fail "bin/almanis is no link to ../lib/almanis/almanis"
  [ -x "$tree/bin/almanis" ] || fail "bin/almanis does not lead to a program"
  local folder
  for folder in lib/almanis share/doc/almanis; do
    [ "$(stat -c %a "$tree/$folder")" = 755 ] || fail "$folder is not 0755"
  done
  for desktop in "$tree"/share/applications/*.desktop; do
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $(basename "$desktop")"
    grep -qx 'Icon=almanis' "$desktop" || fail "$(basename "$desktop") names another icon than almanis"
  done
  for metainfo in "$tree"/share/metainfo/*.xml; do
    appstreamcli validate --no-net --no-color "$metainfo" >"$work/appstream.log" 2>&1 ||
      { cat "$work/appstream.log"; fail "appstreamcli rejects $(basename "$metainfo")"; }
  done
  gzip -t "$tree/share/man/man1/almanis.1.gz" || fail "the manual page is no good gzip file"
  zgrep -q "^\.TH ALMANIS 1 .*\"Almanis $version\"" "$tree/share/man/man1/almanis.1.gz" ||
    fail "the manual page does not carry version $version"
}

check_nothing_left() {  # check_nothing_left TREE
  local left
  left=$(cd "$1" && find . \( -type f -o -type l \) -printf '%P\n')
  [ -z "$left" ] || fail "left after uninstalling:"$'\n'"$left"
  [ ! -e "$1/lib/almanis" ] || fail "lib/almanis is left"
  [ ! -e "$1/share/doc/almanis" ] || fail "share/doc/almanis is left"
}

# --- the cases

case_destdir_and_prefix() {  # as a package build does it: DESTDIR plus /usr
  install_into "$work/dest" /usr || return
  check_installed "$work/dest/usr"
  uninstall_from "$work/dest" /usr || { cat "$work/uninstall.log"; fail "uninstalling failed"; }
  check_nothing_left "$work/dest/usr"
}

case_prefix_only() {  # as `make install PREFIX=...` does it
  install_into "" "$work/prefix" || return
  check_installed "$work/prefix"
  uninstall_from "" "$work/prefix" || { cat "$work/uninstall.log"; fail "uninstalling failed"; }
  check_nothing_left "$work/prefix"
}

case_other_prefix_is_refused() {  # a manifest from elsewhere removes nothing
  install_into "" "$work/here" || return
  installed_list "$work/here" >"$work/before"
  if uninstall_from "" "$work/elsewhere"; then
    fail "uninstalling from another prefix than the installed one succeeded"
  fi
  installed_list "$work/here" | cmp -s - "$work/before" || fail "files were removed all the same"
  uninstall_from "" "$work/here" || fail "uninstalling from the right prefix failed"
}

case_foreign_file_keeps_folder() {  # a file the user put there survives
  install_into "" "$work/kept" || return
  echo mine >"$work/kept/lib/almanis/notes.txt"
  uninstall_from "" "$work/kept" || fail "uninstalling failed"
  [ -f "$work/kept/lib/almanis/notes.txt" ] || fail "a file that was not installed was removed"
  [ ! -e "$work/kept/lib/almanis/almanis" ] || fail "the program was not removed"
}

case_link_without_target() {  # the link goes even when its program is gone
  install_into "" "$work/broken" || return
  rm "$work/broken/lib/almanis/almanis"
  uninstall_from "" "$work/broken" || fail "uninstalling failed"
  [ ! -L "$work/broken/bin/almanis" ] || fail "the dangling bin/almanis link is left"
}

for case_name in destdir_and_prefix prefix_only other_prefix_is_refused foreign_file_keeps_folder \
  link_without_target; do
  case_failed=0
  "case_$case_name"
  if [ "$case_failed" = 0 ]; then
    passed=$((passed + 1))
    echo "PASS: $case_name"
  else
    failed=$((failed + 1))
  fi
done
echo "packaging: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
