#!/usr/bin/env bash
# Set-up and build entry points for a fresh Debian machine.
#   tools/dev.sh play   build the game and its default content, then start it
#   tools/dev.sh test   build everything with sanitizers, run every fuzz target
#                       for a few seconds (with clang), then run all tests and
#                       lay every screen picture out on screens/all.png
#   tools/dev.sh tsan   build everything with ThreadSanitizer (build-tsan) and
#                       run all tests, among them every suite with threads
#   tools/dev.sh deps   only install the Debian packages the build needs
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 4)

packages=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libopenal-dev libvorbis-dev libpugixml-dev libminizip-dev zlib1g-dev
  libboost-dev libstb-dev googletest libgtest-dev libgmock-dev
  libfreetype-dev fonts-dejavu-core librsvg2-bin
  sox libsox-fmt-all vorbis-tools zip unzip
  libx11-dev libxtst-dev xvfb openbox
)

install_deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A few seconds of every fuzz target, in a clang build of its own, when
# clang with libFuzzer is installed; long runs are by hand (README.md).
fuzz_smoke() {
  local probe; probe=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
  if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
    rm -rf "$probe"
    echo "clang++ with libFuzzer not found: fuzz smoke run skipped"
    return 0
  fi
  rm -rf "$probe"
  CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNONOGRAM_FUZZ=ON -DNONOGRAM_TESTS=OFF -DNONOGRAM_CONTENT=OFF
  cmake --build "$root/build-fuzz" -j "$jobs"
  "$root/tests/fuzz/run.sh" "$root/build-fuzz" "$root/build-test/Resources" 4 3
}

case "${1:-}" in
  deps)
    install_deps
    ;;
  play)
    install_deps
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNONOGRAM_TESTS=OFF
    cmake --build "$root/build" -j "$jobs"
    cd "$root/build"
    exec ./nonogram
    ;;
  test)
    install_deps
    cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNONOGRAM_SANITIZE=ON
    cmake --build "$root/build-test" -j "$jobs"
    fuzz_smoke
    cd "$root/build-test"
    # Every screen picture of the run on one sheet (screens/all.png), made
    # before the test summary so that the summary closes the output.
    status=0
    ctest --output-on-failure -j "$jobs" >ctest.out 2>&1 || status=$?
    ./tools/contactsheet screens screens/all.png || true
    cat ctest.out
    exit $status
    ;;
  tsan)
    install_deps
    cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNONOGRAM_TSAN=ON
    cmake --build "$root/build-tsan" -j "$jobs"
    cd "$root/build-tsan"
    ctest --output-on-failure -j "$jobs"
    ;;
  *)
    echo "usage: tools/dev.sh play|test|tsan|deps" >&2
    exit 2
    ;;
esac
