#!/bin/sh
# Rule launcher: runs the command CMake gives, with compiler FROM replaced by
# compiler TO when FROM is the program the command runs; other commands
# (archiver, resource compiler) run as they are.
# Usage: with-compiler.sh FROM TO COMMAND...
from=$1
to=$2
shift 2
if [ "$1" = "$from" ]; then
    shift
    set -- "$to" "$@"
fi
exec "$@"
