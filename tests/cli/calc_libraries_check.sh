#!/usr/bin/env bash
# kamerol-cli calc runs without Qt: the libraries a real run loads (as the
# dynamic loader reports them) hold no Qt library, with one file or many on
# several threads; report does load Qt's GUI library, through its module.
# Usage: calc_libraries_check.sh CLI SOURCE_DIR
set -u
cli=${1:?the tool} source=${2:?the source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

loaded() {  # the libraries loaded by a run of the tool with the given arguments
  LD_DEBUG=libs LD_DEBUG_OUTPUT=$scratch/libs "$cli" "$@" >/dev/null 2>&1
  cat "$scratch"/libs.* | sed -n 's/.*calling init: //p'
  rm -f "$scratch"/libs.*
}

failed=0
for args in "calc $source/examples/worked-example.tpl" \
            "calc $source/examples/worked-example.tpl $source/examples/potato-store.tpl --jsonl -j 2"; do
  # shellcheck disable=SC2086
  libraries=$(loaded $args)
  if [[ -z $libraries ]]; then echo "no libraries reported for: $args"; exit 1; fi
  # X11's libraries are libX11, libXext...: capital X, unlike libxlsxwriter (the project's export).
  if grep -i 'qt\|libGL\|libxcb' <<<"$libraries" || grep 'libX' <<<"$libraries"; then
    echo "kamerol-cli $args loads the libraries above"
    failed=1
  fi
done

libraries=$(loaded report "$source/examples/worked-example.tpl" -o "$scratch/report.pdf")
if ! grep -q 'libQt6Gui' <<<"$libraries"; then
  echo "kamerol-cli report did not load Qt's GUI library:"
  echo "$libraries"
  failed=1
fi
[[ -s $scratch/report.pdf ]] || { echo "kamerol-cli report wrote no PDF"; failed=1; }
exit $failed
