# shellcheck shell=bash
# The start of a Wine tool that builds what it runs and runs it on a session
# of its own (bench-timer, leak-check). Source this file, then:
#
#   qx_built_session NAME "TARGET..." "$@" || exit 1
#
# for a tool called as `tool [--build DIR] ARGS...`: installs what is
# missing, sources wine-env.sh, builds QuellixSeam and the TARGETs in DIR
# (default: the build this machine runs) and starts the session NAME
# (qx_session). Sets build (the directory) and QX_ARGS (ARGS, without
# --build DIR).
qx_built_session() {
    local name=$1 targets=$2 root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    shift 2
    build=
    if [[ ${1:-} == --build ]]; then
        build=$(realpath -m "$2")
        shift 2
    fi
    # shellcheck disable=SC2034 # read by the tool
    QX_ARGS=("$@")
    bash "$root/tools/setup.sh" || return 1
    # shellcheck source=tools/wine-env.sh
    source "$root/tools/wine-env.sh"
    build=${build:-$QX_WIN_BUILD}
    # shellcheck disable=SC2086 # one word a target
    bash "$root/tools/build-win.sh" --arch "$QX_WIN_ARCH" "$build" QuellixSeam $targets || return 1
    qx_session "$name"
}
