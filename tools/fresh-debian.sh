#!/usr/bin/env bash
# Runs a command (by default `make test`) on a fresh clone of this repository
# inside a brand-new minimal Debian 12 made for the run (mmdebstrap, then
# chroot), as root with no display: the way a newcomer's machine meets the
# project. A package that only the host has shows up as a failure.
#
#   tools/fresh-debian.sh [--keep] [-- COMMAND...]
#
# The clone is of the committed HEAD: uncommitted changes are not in it.
# --keep leaves the system in place and says where it is.
# Exit status: the command's own; 3 when the fresh system could not be made
# (never falls back to running on the host). Needs root, and installs
# mmdebstrap on the host when it is missing. Making the system takes about
# 20 seconds; the command then installs what packages.txt lists.
set -euo pipefail

keep=0
cmd=(make test)
while [ $# -gt 0 ]; do
  case "$1" in
    --keep) keep=1; shift ;;
    --) shift; cmd=("$@"); break ;;
    -h | --help) sed -n '2,15p' "$0"; exit 0 ;;
    *) echo "fresh-debian: unknown argument '$1'" >&2; exit 3 ;;
  esac
done

cannot() { echo "fresh-debian: cannot make the fresh Debian 12: $*" >&2; exit 3; }

[ "$(id -u)" = 0 ] || cannot "it needs root (mmdebstrap, chroot and mounts)"
repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel) || cannot "not in a git clone"
if ! command -v mmdebstrap >/dev/null; then
  echo "fresh-debian: installing mmdebstrap on the host" >&2
  { apt-get update -q -o DPkg::Lock::Timeout=600 &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 mmdebstrap; } >/dev/null ||
    cannot "mmdebstrap could not be installed"
fi

root=$(mktemp -d "${TMPDIR:-/tmp}/glouton-fresh.XXXXXX")
cleanup() {
  for m in dev sys proc; do
    mountpoint -q "$root/$m" 2>/dev/null && umount -R "$root/$m" 2>/dev/null || true
  done
  mountpoint -q "$root" 2>/dev/null && umount -R "$root" 2>/dev/null || true
  if [ "$keep" = 1 ]; then
    echo "fresh-debian: the system is kept at $root" >&2
  else
    rm -rf --one-file-system "$root" "$root.log"
  fi
}
trap cleanup EXIT

# The host's own Debian mirror, so the new system reaches the same archive.
sources=""
for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
  if [ -s "$f" ] && grep -q debian "$f"; then sources=$f; break; fi
done
start=$(date +%s)
echo "fresh-debian: making a minimal Debian 12 in $root" >&2
if ! mmdebstrap --variant=apt --include=make,git,ca-certificates,sudo bookworm "$root" \
  ${sources:+"$sources"} >"$root.log" 2>&1; then
  tail -5 "$root.log" >&2
  cannot "mmdebstrap failed (log above)"
fi
git clone -q "$repo" "$root/root/glouton" || cannot "the clone failed"
# The machine's own trust in the network it sits on, as a new machine of the
# same kind has it: local certificate authorities (a proxy's, where one stands
# between us and the package registries) and the system's npm settings.
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >/dev/null 2>&1 || cannot "the local certificates could not be added"
fi
[ -f /etc/npmrc ] && cp /etc/npmrc "$root/etc/npmrc"
# Its root a mount point of its own, as a machine's is: a mount namespace
# made inside it (the tests that hide a folder) can then keep its mounts to
# itself ("unshare -m" refuses a root that is no mount point).
mount --bind "$root" "$root" && mount --make-private "$root" ||
  cannot "the system's root could not be mounted"
mount -t proc proc "$root/proc" || cannot "proc could not be mounted"
mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" || cannot "sys could not be mounted"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" || cannot "dev could not be mounted"
echo "fresh-debian: made in $(($(date +%s) - start)) s; running '${cmd[*]}' on a clone of" \
  "$(git -C "$repo" rev-parse --short HEAD)" >&2

set +e
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 CI="${CI:-true}" ${NODE_EXTRA_CA_CERTS:+NODE_EXTRA_CA_CERTS="$NODE_EXTRA_CA_CERTS"} bash -c 'cd /root/glouton && "$@" </dev/null' fresh "${cmd[@]}"
rc=$?
set -e
echo "fresh-debian: '${cmd[*]}' ended with status $rc after $(($(date +%s) - start)) s" >&2
exit $rc
