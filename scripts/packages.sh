# Installs Debian packages when missing, as root or through sudo; sourced by the scripts.
# ensure_packages [--update] NAME...   (--update: refresh the lists even when nothing is missing,
#                                       e.g. after adding an architecture)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local update=0 p
  if [ "${1:-}" = "--update" ]; then
    update=1
    shift
  fi
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]} == 0 && update == 0)); then return 0; fi
  as_root apt-get update -qq
  if ((${#missing[@]} == 0)); then return 0; fi
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}
