# Sourced by the set-up scripts: installs the Debian packages of a list that are not installed yet.

# True when the package is installed. A name without an architecture means this machine's own (or
# "all"): once arm64 packages are installed too, a bare name is ambiguous for dpkg.
package_installed() {
  local package=$1
  if [[ $package == *:* ]]; then
    dpkg -s "$package" >/dev/null 2>&1
  else
    dpkg -s "$package:$(dpkg --print-architecture)" >/dev/null 2>&1 || dpkg -s "$package:all" >/dev/null 2>&1
  fi
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing_packages PACKAGE...: apt-get update and install, only when one is missing.
install_missing_packages() {
  local missing=() package
  for package in "$@"; do
    package_installed "$package" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
}
